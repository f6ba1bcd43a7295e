// The movie player: the engine's .kva movies of 8-bit palettised frames, key
// frames and XOR delta frames, each optionally a compressed block, with palette
// changes and an optional WAV sound track. One movie plays at a time; it is
// opened onto a chunky, then UpdateMovie is called as often as the caller likes
// and shows each frame when the millisecond timer says it is due.
//
// File layout (header words and lengths big-endian, tags four ASCII bytes):
//
//   0  4  "KORA"               11 2  width
//   4  1  version              13 2  height
//   5  2  frame count          15 4  audio tag: "WAVE" when a sound track follows,
//   7  4  frame time in ms           then its length L and L bytes of RIFF WAVE image
//
// then per frame: a palette tag ("CMAP" and 768 bytes of red, green, blue, or
// four other bytes), and a frame tag ("FRAM", the type byte, a length D and D
// bytes of data; any other tag: a frame without a picture). Types 0/1 raw,
// 2/3 Z block, 4/5 RLE block, 6/7 X block; 2, 4 and 6 are key frames, the rest
// deltas XORed into the previous picture.
#pragma once
#include <cstdint>

constexpr uint8_t KOR_MOVIE_ALLOWSKIP = 0x01;   // UpdateMovie: skip frames to catch up with the clock

class KorvidMovie {
public:
    static constexpr int32_t MOVIE_DEFAULT_FRAME_TIME = 100;   // for frame times outside 1..100 ms
    static constexpr int32_t MOVIE_SKIP_AFTER_FRAME = 100;     // skipping starts only after this frame
    static constexpr int32_t MOVIE_MAX_SIDE = 16384;

    // 1 when the movie is ready to play on the chunky; nSoundId -1 plays the
    // movie's own sound track from sound slot 0, any other id plays that slot.
    int OpenMovie(uint32_t nChunky, const char* szName, int16_t nSoundId);
    // 1 while the movie plays, 0 when it has ended or none is open.
    int UpdateMovie(uint8_t nFlags);
    void CloseMovie();

    bool MovieOpen() const { return m_bMovieOpen; }
    int16_t MovieFrame() const { return m_nMovieFrame; }
    int16_t MovieFrameCount() const { return m_nMovieFrameCount; }
    int32_t MovieFrameTime() const { return m_nMovieFrameTime; }
    int32_t MovieSkippedFrames() const { return m_nMovieSkipped; }
    bool MovieSkipping() const { return m_bMovieSkipping; }
    int16_t MovieSoundId() const { return m_nMovieSound; }

private:
    bool ReadMovieHeader();
    bool PrepareMovieChunky(uint32_t nChunky);
    bool ReadMovieSoundTrack(int16_t& nSoundId);
    int FailMovieOpen(const char* szFormat, ...) __attribute__((format(printf, 2, 3)));

    bool PlayFrameRecord(uint8_t nFlags, int32_t nLag);
    bool ReadFramePalette();
    void DecodeWorkFrame(uint8_t nType, int32_t nLength);
    void DrawMovieFrame(bool bKeyFrame);
    bool MovieEndedEarly();

    uint8_t m_bMovieOpen = 0;
    uint32_t m_hMovieFile = 0;
    uint32_t m_nMovieChunky = 0;
    int16_t m_nMovieSound = -1;
    int16_t m_nMovieFrameCount = 0;
    int16_t m_nMovieFrame = 0;
    int32_t m_nMovieFrameTime = MOVIE_DEFAULT_FRAME_TIME;
    int16_t m_nMovieWidth = 0, m_nMovieHeight = 0;
    int32_t m_nMovieFrameSize = 0;
    uint8_t* m_pMovieReference = nullptr;   // the previous picture, for delta frames
    uint8_t* m_pMovieWork = nullptr;        // the frame data as read and decoded
    uint32_t m_nMovieStart = 0;
    uint8_t m_bMovieSkipping = 0;
    int32_t m_nMovieSkipped = 0;
    bool m_bMovieHadKeyFrame = false;
};
