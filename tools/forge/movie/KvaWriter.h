// Writing the engine's .kva movies: 8-bit frames with their palettes become key
// frames and XOR delta frames, each packed with the engine's own coders (Z, RLE
// or X block), plus an optional WAV sound track. The game only plays movies;
// this writer lives in the forge.
//
// Per frame the writer stores:
//   - "CMAP" and the palette only when it differs from the one the player holds
//     (the player starts from an all-black palette), else the tag "KEEP";
//   - "FRAM" with a packed picture, or the tag "HOLD" when the picture is the
//     same as the one before (a palette-only frame such as a fade step);
//   - a key frame for the first picture, once the last key frame lies the key
//     interval back, and when more than a quarter of the pixels changed and the
//     whole picture packs smaller than its delta.
// The block of each picture is chosen by a KvaBlockRule.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

using KvaPalette = std::array<uint8_t, 768>;   // 256 entries of red, green, blue

// Block kinds, numbered as the key-frame type byte; the delta type is one more.
// A raw picture exists only as a delta (type 1): the player XORs every type
// other than 2, 4 and 6 into the previous picture.
enum class KvaBlock : uint8_t { Raw = 0, Z = 2, Rle = 4, X = 6 };

enum class KvaBlockRule : uint8_t {
    // Small blocks (at most frame size / 64 bytes) cost next to nothing to read,
    // so among them the quickest to unpack wins: RLE, then Z, then X (two
    // stages). When no block is that small, the smallest wins.
    QuickWhenSmall,
    Smallest,   // the shortest block
    OnlyZ,      // one block kind for every picture (falls back to raw when it does not pack)
    OnlyRle,
    OnlyX,
};

struct KvaWriterStats {
    int nKeyFrames = 0, nDeltaFrames = 0, nHeldFrames = 0, nPaletteChanges = 0;
    int nBlocks[4] = {};   // pictures per block kind, indexed Raw, Z, Rle, X
    int Blocks(KvaBlock Kind) const { return nBlocks[(int)Kind / 2]; }
};

class KvaWriter {
public:
    static constexpr int DEFAULT_KEY_INTERVAL = 50;
    static constexpr int8_t ZLIB_LEVEL = 6;

    KvaWriter(uint16_t nWidth, uint16_t nHeight, uint32_t nFrameTime);

    void SetSoundTrack(std::vector<uint8_t> WavImage) { m_SoundTrack = std::move(WavImage); }
    void SetKeyInterval(int nFrames) { m_nKeyInterval = nFrames; }
    void SetBlockRule(KvaBlockRule Rule) { m_Rule = Rule; }

    // Adds one frame of width x height palette indices, row-major, top row
    // first. False (and a line on stderr) when the picture has the wrong size
    // or the movie already holds the most frames the format counts.
    bool AddFrame(const std::vector<uint8_t>& Pixels, const KvaPalette& Palette);

    // The whole movie file.
    std::vector<uint8_t> Bytes() const;
    const KvaWriterStats& Stats() const { return m_Stats; }
    int FrameCount() const { return m_nFrames; }

private:
    struct PackedPicture {
        KvaBlock Kind = KvaBlock::Raw;
        std::vector<uint8_t> Data;
    };
    PackedPicture Pack(const std::vector<uint8_t>& Data);
    PackedPicture PackAs(KvaBlock Kind, const std::vector<uint8_t>& Data);
    void WritePalette(const KvaPalette& Palette);
    void WritePicture(const std::vector<uint8_t>& Pixels);
    void AppendTag(const char* szTag);

    uint16_t m_nWidth, m_nHeight;
    uint32_t m_nFrameTime;
    int m_nKeyInterval = DEFAULT_KEY_INTERVAL;
    KvaBlockRule m_Rule = KvaBlockRule::QuickWhenSmall;
    std::vector<uint8_t> m_SoundTrack;
    std::vector<uint8_t> m_Records;   // the frame records written so far
    std::vector<uint8_t> m_Previous;  // the picture the player holds
    std::vector<uint8_t> m_Delta;     // this picture XOR the previous one
    std::vector<uint8_t> m_Scratch;   // where the coders pack in place
    KvaPalette m_Palette{};           // the palette the player holds
    int m_nFrames = 0;
    int m_nSinceKey = 0;              // frames since the last key frame
    KvaWriterStats m_Stats;
};
