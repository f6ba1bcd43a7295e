// The movie player on the virtual clock: movies written here with every frame
// type, palette changes and a sound track play frame-exact, skip runs of delta
// frames under lag, centre and re-create their chunky, and refuse damage.
#include <zlib.h>

#include "ImageTestFiles.h"
#include "support/WavImages.h"

namespace {

using imagetest::Bytes;

// One frame record of a test movie: an optional palette, then a picture coded
// as the frame type says (raw, Z, RLE or X; key or delta), or none.
struct KvaFrame {
    KvaFrame(Bytes PictureAfter, uint8_t nFrameType, Bytes NewPalette = {}, bool bHasPicture = true)
        : Picture(std::move(PictureAfter)), nType(nFrameType), Palette(std::move(NewPalette)), bPicture(bHasPicture)
    {
    }
    Bytes Picture;   // the whole decoded picture after this frame
    uint8_t nType;
    Bytes Palette;   // 768 bytes, or empty for no palette change
    bool bPicture;   // false: the frame tag is not "FRAM"
};

struct KvaMovie {
    uint16_t nWidth = 32, nHeight = 24;
    uint32_t nFrameTime = 40;
    int16_t nFrameCount = -1;   // -1: the number of frames
    Bytes Sound;                // a WAV image, or empty for none
    std::vector<KvaFrame> Frames;
};

bool IsKey(uint8_t nType) { return nType == 2 || nType == 4 || nType == 6; }

// The frame data for a type: zlib's own compress2 for Z blocks, the engine's
// coders for RLE and X blocks.
Bytes CodeFrame(const Bytes& Data, uint8_t nType)
{
    Bytes Out = Data;
    Out.resize(Data.size() + 64);
    int32_t nLength = (int32_t)Data.size();
    if (nType == 2 || nType == 3) {
        uLongf nPacked = compressBound(Data.size());
        Out.resize(nPacked);
        EXPECT_EQ(compress2(Out.data(), &nPacked, Data.data(), Data.size(), 9), Z_OK);
        nLength = (int32_t)nPacked;
    } else if (nType == 4 || nType == 5) {
        nLength = Korvid.Compress(Out.data(), (int32_t)Data.size());
    } else if (nType == 6 || nType == 7) {
        nLength = Korvid.XCompress(Out.data(), (int32_t)Data.size(), 9);
    }
    EXPECT_GT(nLength, 0) << "frame type " << (int)nType << " did not pack";
    Out.resize((size_t)nLength);
    return Out;
}

Bytes WriteKva(const KvaMovie& Movie)
{
    Bytes Out;
    imagetest::Text(Out, "KORA");
    Out.push_back(1);
    imagetest::BE16(Out, (uint16_t)(Movie.nFrameCount >= 0 ? Movie.nFrameCount : (int16_t)Movie.Frames.size()));
    imagetest::BE32(Out, Movie.nFrameTime);
    imagetest::BE16(Out, Movie.nWidth);
    imagetest::BE16(Out, Movie.nHeight);
    if (Movie.Sound.empty()) {
        imagetest::Text(Out, "NONE");
    } else {
        imagetest::Text(Out, "WAVE");
        imagetest::BE32(Out, (uint32_t)Movie.Sound.size());
        imagetest::Append(Out, Movie.Sound);
    }
    Bytes Previous(Movie.nWidth * Movie.nHeight, 0);
    for (const KvaFrame& Frame : Movie.Frames) {
        if (Frame.Palette.empty()) {
            imagetest::Text(Out, "XXXX");
        } else {
            imagetest::Text(Out, "CMAP");
            imagetest::Append(Out, Frame.Palette);
        }
        if (!Frame.bPicture) {
            imagetest::Text(Out, "NONE");
            continue;
        }
        Bytes Data = Frame.Picture;
        if (!IsKey(Frame.nType))
            for (size_t n = 0; n < Data.size(); ++n)
                Data[n] ^= Previous[n];
        Bytes Coded = CodeFrame(Data, Frame.nType);
        imagetest::Text(Out, "FRAM");
        Out.push_back(Frame.nType);
        imagetest::BE32(Out, (uint32_t)Coded.size());
        imagetest::Append(Out, Coded);
        Previous = Frame.Picture;
    }
    return Out;
}

// A picture of runs (so every coder packs it and its deltas) that changes with the seed.
constexpr int W = 32, H = 24;
Bytes Picture(int w, int h, int nSeed)
{
    Bytes Out((size_t)(w * h));
    for (int n = 0; n < w * h; ++n)
        Out[n] = (uint8_t)(1 + (n / 16 + nSeed) % 7 + (n / 16 == nSeed % (w * h / 16) ? 100 : 0));
    return Out;
}

Bytes Palette(int nSeed)
{
    Bytes Out(768);
    for (int n = 0; n < 768; ++n)
        Out[n] = (uint8_t)(n * 7 + nSeed);
    return Out;
}

class Movie : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        g_TestApp.Config = [this] { Korvid.ChangeDisplayMode(m_nDisplayWidth, m_nDisplayHeight, 8, KOR_WINDOWED); };
        ASSERT_TRUE(Korvid.Init());
    }
    void TearDown() override
    {
        Korvid.CloseMovie();
        Korvid.ShutDown();
        Korvid.FinalShutDown();
    }

    // The movie's picture as it stands at the top-left of the chunky.
    static Bytes Shown(uint32_t nChunky, int w, int h, int nLeft = 0, int nTop = 0)
    {
        Bytes Out;
        const ChunkyObject& Chunky = *Korvid.ExistingChunky(nChunky);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                Out.push_back(Chunky.pPixels[(size_t)(nTop + y) * Chunky.nWidth + nLeft + x]);
        return Out;
    }

    // Calls UpdateMovie until the current frame is shown, moving the clock one
    // millisecond at a time while the frame is not yet due; the number of calls.
    int UpdateUntilShown(uint8_t nFlags, int& nResult)
    {
        int16_t nFrame = Korvid.MovieFrame();
        int nCalls = 0;
        do {
            nResult = Korvid.UpdateMovie(nFlags);
            ++nCalls;
            if (nResult && Korvid.MovieFrame() == nFrame)
                m_Platform.Advance(1);
        } while (nResult && Korvid.MovieFrame() == nFrame);
        return nCalls;
    }

    VirtualClockPlatform m_Platform;
    uint16_t m_nDisplayWidth = 64, m_nDisplayHeight = 48;
};

TEST_F(Movie, EveryFrameTypePlaysFrameExactOnTheClock)
{
    KvaMovie Clip;
    const int w = Clip.nWidth, h = Clip.nHeight;
    const uint8_t Types[] = {2, 0, 5, 4, 7, 6, 3, 1};
    for (int n = 0; n < 8; ++n) {
        KvaFrame Frame{Picture(w, h, n * 3), Types[n]};
        if (n == 0 || n == 5)
            Frame.Palette = Palette(n);
        Clip.Frames.push_back(Frame);
    }
    Clip.Frames.push_back({Clip.Frames.back().Picture, 0, {}, false});   // no palette, no picture
    Clip.Frames.push_back({Clip.Frames.back().Picture, 1});              // a delta of zeros
    imagetest::WriteBytes("clip.kva", WriteKva(Clip));

    ASSERT_EQ(Korvid.InitChunky(1, 16, 10, 8), 1);
    ASSERT_EQ(Korvid.OpenMovie(1, "clip.kva", -1), 1);
    EXPECT_EQ(LogMessages().back(), "Frames, 10, 32x24 25fps");
    const uint32_t nStart = Korvid.Timer();
    for (size_t n = 0; n < Clip.Frames.size(); ++n) {
        SCOPED_TRACE(n);
        uint32_t nRedraws = Korvid.RedrawCount();
        int nResult = 0;
        int nCalls = UpdateUntilShown(0, nResult);
        EXPECT_EQ(Korvid.Timer() - nStart, n * 40) << "shown when due, after " << nCalls << " calls";
        EXPECT_EQ(nResult, n + 1 < Clip.Frames.size() ? 1 : 0);
        EXPECT_EQ(Shown(1, w, h), Clip.Frames[n].Picture);
        EXPECT_EQ(Shown(0, w, h, (64 - w) / 2, (48 - h) / 2), Clip.Frames[n].Picture) << "blitted centred";
        EXPECT_EQ(Korvid.RedrawCount() - nRedraws, Clip.Frames[n].bPicture ? 1u : 0u);
        const Bytes& Expected = n < 5 ? Clip.Frames[0].Palette : Clip.Frames[5].Palette;
        EXPECT_EQ(Korvid.PaletteRed(10), Expected[30]);
        EXPECT_EQ(Korvid.PaletteBlue(255), Expected[767]);
    }
    EXPECT_FALSE(Korvid.MovieOpen());
    EXPECT_EQ(LogMessages().back(), "Movie Closed at 10 Frames. Ave Frame Time = 36ms, Frames Skipped 0");
    EXPECT_EQ(Korvid.UpdateMovie(0), 0);
}

TEST_F(Movie, FrameTimesOutsideTheRangePlayAtOneHundredMilliseconds)
{
    for (uint32_t nFrameTime : {0u, 250u}) {
        SCOPED_TRACE(nFrameTime);
        KvaMovie Clip;
        Clip.nFrameTime = nFrameTime;
        for (int n = 0; n < 3; ++n)
            Clip.Frames.push_back({Picture(W, H, n), 2});
        imagetest::WriteBytes("slow.kva", WriteKva(Clip));
        ASSERT_EQ(Korvid.OpenMovie(1, "slow.kva", -1), 1);
        EXPECT_EQ(LogMessages().back(), "Frames, 3, 32x24 10fps");
        EXPECT_EQ(Korvid.UpdateMovie(0), 1);
        m_Platform.Advance(99);
        EXPECT_EQ(Korvid.UpdateMovie(0), 1);
        EXPECT_EQ(Korvid.MovieFrame(), 1) << "not due before 100 ms";
        m_Platform.Advance(1);
        EXPECT_EQ(Korvid.UpdateMovie(0), 1);
        m_Platform.Advance(100);
        EXPECT_EQ(Korvid.UpdateMovie(0), 0);
        EXPECT_EQ(Shown(1, W, H), Clip.Frames[2].Picture);
    }
}

// 130 frames at 10 ms with a key frame every 20: a lag of more than ten frame
// times after frame 100 skips the deltas up to the next key frame.
TEST_F(Movie, LagSkipsDeltaFramesUntilTheNextKeyFrame)
{
    KvaMovie Clip;
    Clip.nFrameTime = 10;
    for (int n = 0; n < 130; ++n)
        Clip.Frames.push_back({Picture(W, H, n), (uint8_t)(n % 20 == 0 ? 4 : 5)});
    imagetest::WriteBytes("long.kva", WriteKva(Clip));

    for (uint8_t nFlags : {KOR_MOVIE_ALLOWSKIP, (uint8_t)0}) {
        SCOPED_TRACE((int)nFlags);
        ASSERT_EQ(Korvid.OpenMovie(1, "long.kva", -1), 1);
        int nResult = 0;
        while (Korvid.MovieFrame() < 102)
            UpdateUntilShown(nFlags, nResult);
        m_Platform.Advance(150);   // frame 102 is now 140 ms late
        while (Korvid.MovieFrame() < 121)
            UpdateUntilShown(nFlags, nResult);
        EXPECT_EQ(Shown(1, W, H), Clip.Frames[120].Picture);
        EXPECT_EQ(Korvid.MovieSkippedFrames(), nFlags ? 18 : 0);
        while (UpdateUntilShown(nFlags, nResult) && nResult) {
        }
        EXPECT_EQ(Shown(1, W, H), Clip.Frames[129].Picture);
    }
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"Lagging on Frame (105/130) by 110ms", "Lagging on Frame (110/130) by 60ms",
                                 "Lagging on Frame (115/130) by 10ms",
                                 "Movie Closed at 130 Frames. Ave Frame Time = 9ms, Frames Skipped 18"}));
    EXPECT_NE(IndexOf(LogMessages(), "Movie Closed at 130 Frames. Ave Frame Time = 9ms, Frames Skipped 0"), -1);
}

TEST_F(Movie, ChunkiesTooSmallOrMissingAreRecreated)
{
    KvaMovie Clip;
    Clip.Frames.push_back({Picture(W, H, 1), 2});
    imagetest::WriteBytes("one.kva", WriteKva(Clip));
    ASSERT_EQ(Korvid.InitChunky(2, 4, 10, 8), 1);
    ASSERT_EQ(Korvid.OpenMovie(2, "one.kva", -1), 1);
    EXPECT_NE(IndexOf(LogMessages(),
                      "WARNING: Movie Was Too Big (32x24) for Buffer (4x10) - Re-Initializing To Correct Size"),
              -1);
    EXPECT_EQ(Korvid.ChunkyWidth(2), W);
    EXPECT_EQ(Korvid.ChunkyHeight(2), H);
    ASSERT_EQ(Korvid.OpenMovie(3, "one.kva", -1), 1);
    EXPECT_NE(IndexOf(LogMessages(),
                      "WARNING: Movie Was Too Big (32x24) for Buffer (0x0) - Re-Initializing To Correct Size"),
              -1);
    EXPECT_EQ(Korvid.ChunkyDepth(3), 8);
    EXPECT_EQ(Korvid.UpdateMovie(0), 0);
    EXPECT_EQ(Shown(3, W, H), Clip.Frames[0].Picture);
}

// On the used chunky the picture is centred in it; an odd difference in width
// still keeps every row in the same columns.
TEST_F(Movie, MoviesOnTheUsedChunkyAreCentredInIt)
{
    for (uint16_t nWidth : {32, 31}) {
        SCOPED_TRACE(nWidth);
        KvaMovie Clip;
        Clip.nWidth = nWidth;
        Clip.Frames.push_back({Picture(nWidth, H, 2), 2});
        imagetest::WriteBytes("centre.kva", WriteKva(Clip));
        ASSERT_EQ(Korvid.OpenMovie(0, "centre.kva", -1), 1);
        EXPECT_EQ(Korvid.UpdateMovie(0), 0);
        const int nLeft = (64 - nWidth) / 2, nTop = (48 - H) / 2;
        EXPECT_EQ(Shown(0, nWidth, H, nLeft, nTop), Clip.Frames[0].Picture);
        EXPECT_EQ(Korvid.ChunkyBuffer(0)[nTop * 64 + nLeft - 1], 0);
        EXPECT_EQ(Korvid.ChunkyBuffer(0)[(nTop + H) * 64 + nLeft], 0);
    }
}

TEST_F(Movie, TheSoundTrackPlaysFromSlotZeroOrAPreloadedSlot)
{
    ASSERT_TRUE(Korvid.IsSoundOn());
    KvaMovie Clip;
    Clip.Sound = wavtest::PcmWav(1, 22050, 16, Bytes(44100 * 2, 0));
    Clip.Frames.push_back({Picture(W, H, 1), 2});
    Clip.Frames.push_back({Picture(W, H, 2), 3});
    imagetest::WriteBytes("sound.kva", WriteKva(Clip));

    ASSERT_EQ(Korvid.OpenMovie(1, "sound.kva", -1), 1);
    EXPECT_EQ(Korvid.MovieSoundId(), 0);
    EXPECT_TRUE(Korvid.IsSoundLoaded(0));
    EXPECT_EQ(Korvid.UpdateMovie(0), 1);
    EXPECT_EQ(Korvid.SoundStatus(0), KOR_SOUND_PLAYING);
    Korvid.CloseMovie();
    EXPECT_FALSE(Korvid.IsSoundLoaded(0));

    wavtest::WriteFileBytes("other.wav", wavtest::PcmWav(1, 22050, 16, Bytes(44100, 0)));
    ASSERT_TRUE(Korvid.LoadSound(5, "other.wav"));
    ASSERT_EQ(Korvid.OpenMovie(1, "sound.kva", 5), 1);
    EXPECT_EQ(LogMessages().back(), "Using Alternative Pre-Loaded Audio");
    EXPECT_FALSE(Korvid.IsSoundLoaded(0));
    EXPECT_EQ(Korvid.UpdateMovie(0), 1);
    EXPECT_EQ(Korvid.SoundStatus(5), KOR_SOUND_PLAYING);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Using Alternative Pre-Loaded Audio", "Sound: 5    Length: 1000"}));
    m_Platform.Advance(40);
    EXPECT_EQ(Korvid.UpdateMovie(0), 0);
    EXPECT_EQ(Shown(1, W, H), Clip.Frames[1].Picture);
    EXPECT_TRUE(Korvid.IsSoundLoaded(5)) << "only slot 0 belongs to the movie";
}

struct BrokenMovie {
    const char* szCase;
    Bytes File;
    const char* szLogLine;
};

Bytes Header(const char* szMagic, int16_t nCount, uint16_t w, uint16_t h)
{
    Bytes Out;
    imagetest::Text(Out, szMagic);
    Out.push_back(1);
    imagetest::BE16(Out, (uint16_t)nCount);
    imagetest::BE32(Out, 40);
    imagetest::BE16(Out, w);
    imagetest::BE16(Out, h);
    return Out;
}

TEST_F(Movie, DamagedMoviesAreRefusedAtOpen)
{
    Bytes Track = Header("KORA", 1, W, H);
    imagetest::Text(Track, "WAVE");
    imagetest::BE32(Track, 1000);
    Track.resize(Track.size() + 20, 0);
    const BrokenMovie Cases[] = {
        {"magic", Header("DCBA", 1, W, H), "ERROR: Bad KVA Header 0x41424344"},
        {"short magic", Bytes{'K', 'O'}, "ERROR: Bad KVA Header 0x4F4B"},
        {"short header", Bytes{'K', 'O', 'R', 'A', 1, 0}, "ERROR: ** KVA Header Truncated **"},
        {"no audio tag", Header("KORA", 1, W, H), "ERROR: ** KVA Header Truncated **"},
        {"no frames", Header("KORA", 0, W, H), "ERROR: ** KVA Frame Count 0 Invalid **"},
        {"negative frames", Header("KORA", -3, W, H), "ERROR: ** KVA Frame Count -3 Invalid **"},
        {"zero width", Header("KORA", 1, 0, H), "ERROR: ** KVA Frame Size 0x24 Invalid **"},
        {"huge", Header("KORA", 1, 60000, 60000), "ERROR: ** KVA Frame Size 60000x60000 Invalid **"},
        {"sound beyond", Track, "ERROR: ** KVA Sound Track Length 1000 Beyond the File **"},
    };
    for (const BrokenMovie& Case : Cases) {
        SCOPED_TRACE(Case.szCase);
        imagetest::WriteBytes("broken.kva", Case.File);
        EXPECT_EQ(Korvid.OpenMovie(1, "broken.kva", -1), 0);
        EXPECT_EQ(LogMessages().back(), Case.szLogLine);
        EXPECT_FALSE(Korvid.MovieOpen());
        EXPECT_EQ(Korvid.UpdateMovie(0), 0);
    }
    EXPECT_EQ(Korvid.OpenMovie(1, "nothere.kva", -1), 0);
    EXPECT_EQ(LogMessages().back(), "Korvid: Failed to Open Movie 'nothere.kva'");
}

TEST_F(Movie, DamagedFramesEndTheMovie)
{
    KvaMovie Clip;
    Clip.nFrameCount = 3;
    Clip.Frames.push_back({Picture(W, H, 1), 2});
    Bytes Good = WriteKva(Clip);

    Bytes Oversized = Good;
    imagetest::Text(Oversized, "XXXXFRAM");
    Oversized.push_back(0);
    imagetest::BE32(Oversized, W * H + 1);
    Oversized.resize(Oversized.size() + W * H + 1, 1);
    Bytes Cut = Good;
    imagetest::Text(Cut, "CMAP");
    Cut.resize(Cut.size() + 100, 1);

    struct {
        const char* szCase;
        Bytes File;
        const char* szLogLine;
    } Cases[] = {{"oversized", Oversized,
                  "ERROR: ** Movie Frame 1 Data (769 bytes) Larger Than the Frame (768 bytes) **"},
                 {"cut palette", Cut, "ERROR: ** Movie File Ends Early at Frame 1 of 3 **"},
                 {"missing record", Good, "ERROR: ** Movie File Ends Early at Frame 1 of 3 **"}};
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.szCase);
        imagetest::WriteBytes("frames.kva", Case.File);
        ASSERT_EQ(Korvid.OpenMovie(1, "frames.kva", -1), 1);
        EXPECT_EQ(Korvid.UpdateMovie(0), 1);
        m_Platform.Advance(40);
        EXPECT_EQ(Korvid.UpdateMovie(0), 0);
        EXPECT_TRUE(ContainsInOrder(
            LogMessages(), {Case.szLogLine, "Movie Closed at 1 Frames. Ave Frame Time = 40ms, Frames Skipped 0"}));
        EXPECT_FALSE(Korvid.MovieOpen());
        EXPECT_EQ(Shown(1, W, H), Clip.Frames[0].Picture);
    }
}

// A delta before any key frame is applied to a cleared reference picture.
TEST_F(Movie, DeltaBeforeAnyKeyFrameMeetsAClearedPicture)
{
    KvaMovie Clip;
    Clip.Frames.push_back({Picture(W, H, 4), 0});
    imagetest::WriteBytes("delta.kva", WriteKva(Clip));
    ASSERT_EQ(Korvid.OpenMovie(1, "delta.kva", -1), 1);
    EXPECT_EQ(Korvid.UpdateMovie(0), 0);
    EXPECT_NE(IndexOf(LogMessages(),
                      "NOTE: Movie Frame 0 is a Delta Frame Before Any Key Frame - Applied to a Cleared Picture"),
              -1);
    EXPECT_EQ(Shown(1, W, H), Clip.Frames[0].Picture);
}

}  // namespace
