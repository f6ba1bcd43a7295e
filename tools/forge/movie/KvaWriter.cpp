// The .kva writer: frame records, block choice and the header.
#include "KvaWriter.h"

#include "Forge.h"
#include "korvid.h"

namespace {

constexpr int32_t MAX_FRAMES = 32767;   // the header counts frames in a signed 16-bit word
constexpr size_t SMALL_BLOCK_SHARE = 64;   // a block of frame size / 64 bytes or less counts as small
constexpr size_t KEY_CHANGE_SHARE = 4;     // more than a quarter of the pixels changed: try a key frame

void AppendBE(std::vector<uint8_t>& Out, uint32_t nValue, int nBytes)
{
    for (int n = nBytes - 1; n >= 0; --n)
        Out.push_back((uint8_t)(nValue >> (8 * n)));
}

}  // namespace

KvaWriter::KvaWriter(uint16_t nWidth, uint16_t nHeight, uint32_t nFrameTime)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_nFrameTime(nFrameTime)
{
}

void KvaWriter::AppendTag(const char* szTag) { m_Records.insert(m_Records.end(), szTag, szTag + 4); }

KvaWriter::PackedPicture KvaWriter::PackAs(KvaBlock Kind, const std::vector<uint8_t>& Data)
{
    // The coders work in place: on a copy in the scratch buffer, which keeps
    // its room from frame to frame.
    m_Scratch.assign(Data.begin(), Data.end());
    int32_t nLength = 0;
    switch (Kind) {
    case KvaBlock::Z: nLength = Korvid.ZCompress(m_Scratch.data(), (int32_t)Data.size(), ZLIB_LEVEL); break;
    case KvaBlock::Rle: nLength = Korvid.Compress(m_Scratch.data(), (int32_t)Data.size()); break;
    case KvaBlock::X: nLength = Korvid.XCompress(m_Scratch.data(), (int32_t)Data.size(), ZLIB_LEVEL); break;
    case KvaBlock::Raw: break;
    }
    // A coder that cannot make the picture smaller leaves it as it was: raw.
    PackedPicture Picture;
    if (nLength > 0) {
        Picture.Kind = Kind;
        Picture.Data.assign(m_Scratch.begin(), m_Scratch.begin() + nLength);
    } else {
        Picture.Data = Data;
    }
    return Picture;
}

KvaWriter::PackedPicture KvaWriter::Pack(const std::vector<uint8_t>& Data)
{
    switch (m_Rule) {
    case KvaBlockRule::OnlyZ: return PackAs(KvaBlock::Z, Data);
    case KvaBlockRule::OnlyRle: return PackAs(KvaBlock::Rle, Data);
    case KvaBlockRule::OnlyX: return PackAs(KvaBlock::X, Data);
    case KvaBlockRule::QuickWhenSmall:
    case KvaBlockRule::Smallest: break;
    }
    // Quickest to unpack first; a later kind must be strictly smaller to win.
    const size_t nSmall = m_Rule == KvaBlockRule::QuickWhenSmall ? Data.size() / SMALL_BLOCK_SHARE : 0;
    PackedPicture Best = PackAs(KvaBlock::Rle, Data);
    for (KvaBlock Kind : {KvaBlock::Z, KvaBlock::X}) {
        if (Best.Kind != KvaBlock::Raw && Best.Data.size() <= nSmall)
            break;
        PackedPicture Candidate = PackAs(Kind, Data);
        bool bBetter = Candidate.Kind != KvaBlock::Raw &&
                       (Candidate.Data.size() <= nSmall || Candidate.Data.size() < Best.Data.size());
        if (bBetter)
            Best = std::move(Candidate);
    }
    return Best;
}

void KvaWriter::WritePalette(const KvaPalette& Palette)
{
    if (Palette == m_Palette) {
        AppendTag("KEEP");
        return;
    }
    AppendTag("CMAP");
    m_Records.insert(m_Records.end(), Palette.begin(), Palette.end());
    m_Palette = Palette;
    ++m_Stats.nPaletteChanges;
}

void KvaWriter::WritePicture(const std::vector<uint8_t>& Pixels)
{
    if (m_nFrames > 0 && Pixels == m_Previous) {
        AppendTag("HOLD");
        ++m_Stats.nHeldFrames;
        ++m_nSinceKey;
        return;
    }
    PackedPicture Picture;
    bool bKey = m_nFrames == 0 || m_nSinceKey >= m_nKeyInterval;
    if (bKey) {
        Picture = Pack(Pixels);
    } else {
        std::vector<uint8_t>& Delta = m_Delta;
        Delta.resize(Pixels.size());
        size_t nChanged = 0;
        for (size_t n = 0; n < Delta.size(); ++n) {
            Delta[n] = Pixels[n] ^ m_Previous[n];
            nChanged += Delta[n] != 0;
        }
        Picture = Pack(Delta);
        PackedPicture Whole = nChanged > Delta.size() / KEY_CHANGE_SHARE ? Pack(Pixels) : PackedPicture{};
        if (Whole.Kind != KvaBlock::Raw && Whole.Data.size() < Picture.Data.size()) {
            Picture = std::move(Whole);
            bKey = true;
        }
    }
    // A picture no coder could pack goes out raw, and raw pictures are always
    // deltas: XORed against the previous picture they still come out whole.
    if (Picture.Kind == KvaBlock::Raw) {
        for (size_t n = 0; n < Picture.Data.size(); ++n)
            Picture.Data[n] = Pixels[n] ^ (m_nFrames > 0 ? m_Previous[n] : 0);
        bKey = false;
    }
    AppendTag("FRAM");
    m_Records.push_back((uint8_t)((uint8_t)Picture.Kind + (bKey ? 0 : 1)));
    AppendBE(m_Records, (uint32_t)Picture.Data.size(), 4);
    m_Records.insert(m_Records.end(), Picture.Data.begin(), Picture.Data.end());

    ++m_Stats.nBlocks[(int)Picture.Kind / 2];
    ++(bKey ? m_Stats.nKeyFrames : m_Stats.nDeltaFrames);
    m_nSinceKey = bKey ? 1 : m_nSinceKey + 1;
    m_Previous = Pixels;
}

bool KvaWriter::AddFrame(const std::vector<uint8_t>& Pixels, const KvaPalette& Palette)
{
    if (Pixels.size() != (size_t)m_nWidth * m_nHeight) {
        ForgeComplain("movie frame %d has %zu pixels, not %d x %d", m_nFrames, Pixels.size(), m_nWidth, m_nHeight);
        return false;
    }
    if (m_nFrames >= MAX_FRAMES) {
        ForgeComplain("a movie holds at most %d frames", MAX_FRAMES);
        return false;
    }
    WritePalette(Palette);
    WritePicture(Pixels);
    ++m_nFrames;
    return true;
}

std::vector<uint8_t> KvaWriter::Bytes() const
{
    std::vector<uint8_t> Out;
    Out.insert(Out.end(), {'K', 'O', 'R', 'A', 1});
    AppendBE(Out, (uint32_t)m_nFrames, 2);
    AppendBE(Out, m_nFrameTime, 4);
    AppendBE(Out, m_nWidth, 2);
    AppendBE(Out, m_nHeight, 2);
    if (m_SoundTrack.empty()) {
        Out.insert(Out.end(), {'M', 'U', 'T', 'E'});
    } else {
        Out.insert(Out.end(), {'W', 'A', 'V', 'E'});
        AppendBE(Out, (uint32_t)m_SoundTrack.size(), 4);
        Out.insert(Out.end(), m_SoundTrack.begin(), m_SoundTrack.end());
    }
    Out.insert(Out.end(), m_Records.begin(), m_Records.end());
    return Out;
}
