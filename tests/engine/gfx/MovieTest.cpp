// The movie player on the virtual clock: every frame type, palettes and a sound track play
// frame-exact, lag skips delta frames, and damaged movies are refused.
#include <zlib.h>

#include "GfxTestSupport.h"
#include "support/StartedEngine.h"
#include "support/WavImages.h"

namespace {

constexpr int W = 31, H = 24;   // an odd width: centring leaves an odd margin

// A frame record: an optional palette, then a picture coded as its type says (raw, Z, RLE or X; key or delta).
struct KvaFrame {
    Bytes Picture;   // the whole decoded picture after this frame
    uint8_t nType = 2;
    Bytes Palette = {};   // 768 bytes, or empty for no palette change
    bool bPicture = true;
};

struct KvaMovie {
    uint16_t nWidth = W, nHeight = H;
    uint32_t nFrameTime = 40;
    int16_t nFrameCount = -1;   // -1: the number of frames
    Bytes Sound;                // a WAV image, or empty for none
    std::vector<KvaFrame> Frames;
};

// The frame data for a type: zlib's own compress2 for Z blocks, the engine's coders for RLE and X.
Bytes CodeFrame(const Bytes& Data, uint8_t nType)
{
    Bytes Out = Data;
    Out.resize(compressBound(Data.size()) + 64);
    int32_t nLength = (int32_t)Data.size();
    if (nType == 2 || nType == 3) {
        uLongf nPacked = Out.size();
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

void WriteKva(const char* szName, const KvaMovie& Movie)
{
    Bytes Out = KvaHeader("KORA", Movie.nFrameCount >= 0 ? Movie.nFrameCount : (int16_t)Movie.Frames.size(),
                          Movie.nWidth, Movie.nHeight, Movie.nFrameTime);
    AppendText(Out, Movie.Sound.empty() ? "NONE" : "WAVE");
    if (!Movie.Sound.empty()) {
        Append(Out, BE({{Movie.Sound.size(), 4}}));
        Append(Out, Movie.Sound);
    }
    Bytes Previous(Movie.nWidth * Movie.nHeight, 0);
    for (const KvaFrame& Frame : Movie.Frames) {
        AppendText(Out, Frame.Palette.empty() ? "XXXX" : "CMAP");
        Append(Out, Frame.Palette);
        AppendText(Out, Frame.bPicture ? "FRAM" : "NONE");
        if (!Frame.bPicture)
            continue;
        Bytes Data = Frame.Picture;
        if (Frame.nType % 2 || Frame.nType == 0)   // a delta against the previous picture
            for (size_t n = 0; n < Data.size(); ++n)
                Data[n] ^= Previous[n];
        const Bytes Coded = CodeFrame(Data, Frame.nType);
        Out.push_back(Frame.nType);
        Append(Out, BE({{Coded.size(), 4}}));
        Append(Out, Coded);
        Previous = Frame.Picture;
    }
    WriteFileBytes(szName, Out);
}

// A picture of runs (so every coder packs it and its deltas) that changes with the seed.
Bytes Picture(int nSeed, int w = W, int h = H)
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

class Movie : public StartedEngineTest {
protected:
    Movie() : StartedEngineTest(64, 48, 8) {}

    // The w x h picture at (nLeft, nTop) of the chunky.
    static Bytes Shown(uint32_t nChunky, int w = W, int h = H, int nLeft = 0, int nTop = 0)
    {
        Bytes Out;
        const ChunkyObject& Chunky = *Korvid.ExistingChunky(nChunky);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                Out.push_back(Chunky.pPixels[(size_t)(nTop + y) * Chunky.nWidth + nLeft + x]);
        return Out;
    }

    // Updates until the current frame is shown, the clock moving 1 ms while it is not due; the last result.
    int UpdateUntilShown(uint8_t nFlags)
    {
        const int16_t nFrame = Korvid.MovieFrame();
        int nResult;
        while ((nResult = Korvid.UpdateMovie(nFlags)) && Korvid.MovieFrame() == nFrame)
            m_Platform.Advance(1);
        return nResult;
    }
};

TEST_F(Movie, EveryFrameTypePlaysOnTheClockLagSkipsDeltasAndTheSoundTrackPlaysFromItsSlot)
{
    KvaMovie Clip;
    // The first frame is a delta before any key frame: it meets a cleared picture.
    const uint8_t Types[] = {0, 2, 5, 4, 7, 6, 3, 1};
    for (int n = 0; n < 8; ++n)
        Clip.Frames.push_back({Picture(n * 3), Types[n], n == 0 || n == 5 ? Palette(n) : Bytes{}});
    Clip.Frames.push_back({Clip.Frames.back().Picture, 0, {}, false});   // no palette, no picture
    Clip.Frames.push_back({Clip.Frames.back().Picture, 1});              // a delta of zeros
    WriteKva("clip.kva", Clip);

    ASSERT_EQ(Korvid.InitChunky(1, 16, 10, 8), 1);
    ASSERT_EQ(Korvid.OpenMovie(1, "clip.kva", -1), 1);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"WARNING: Movie Was Too Big (31x24) for Buffer (16x10) - "
                                                "Re-Initializing To Correct Size",
                                                "Frames, 10, 31x24 25fps"}));
    EXPECT_EQ(Korvid.ChunkyWidth(1), W);
    const uint32_t nStart = Korvid.Timer();
    for (size_t n = 0; n < Clip.Frames.size(); ++n) {
        SCOPED_TRACE(n);
        const uint32_t nRedraws = Korvid.RedrawCount();
        EXPECT_EQ(UpdateUntilShown(0), n + 1 < Clip.Frames.size() ? 1 : 0);
        EXPECT_EQ(Korvid.Timer() - nStart, n * 40) << "shown when due";
        EXPECT_EQ(Shown(1), Clip.Frames[n].Picture);
        EXPECT_EQ(Shown(0, W, H, (64 - W) / 2, (48 - H) / 2), Clip.Frames[n].Picture) << "blitted centred";
        EXPECT_EQ(Korvid.RedrawCount() - nRedraws, Clip.Frames[n].bPicture ? 1u : 0u);
        const Bytes& Expected = Clip.Frames[n < 5 ? 0 : 5].Palette;
        EXPECT_EQ(Korvid.PaletteRed(10), Expected[30]);
        EXPECT_EQ(Korvid.PaletteBlue(255), Expected[767]);
    }
    EXPECT_FALSE(Korvid.MovieOpen());
    EXPECT_EQ(LogMessages().back(), "Movie Closed at 10 Frames. Ave Frame Time = 36ms, Frames Skipped 0");
    EXPECT_TRUE(LogHas("NOTE: Movie Frame 0 is a Delta Frame Before Any Key Frame - Applied to a Cleared Picture"));
    EXPECT_EQ(Korvid.UpdateMovie(0), 0);
    // 130 frames at 10 ms with a key frame every 20: a lag of more than ten frame times
    // after frame 100 skips the deltas up to the next key frame, when skipping is allowed.
    KvaMovie Long;
    Long.nFrameTime = 10;
    for (int n = 0; n < 130; ++n)
        Long.Frames.push_back({Picture(n), (uint8_t)(n % 20 == 0 ? 4 : 5)});
    WriteKva("long.kva", Long);
    for (uint8_t nFlags : {KOR_MOVIE_ALLOWSKIP, (uint8_t)0}) {
        SCOPED_TRACE((int)nFlags);
        ASSERT_EQ(Korvid.OpenMovie(1, "long.kva", -1), 1);
        while (Korvid.MovieFrame() < 102)
            UpdateUntilShown(nFlags);
        m_Platform.Advance(150);   // frame 102 is now 140 ms late
        while (Korvid.MovieFrame() < 121)
            UpdateUntilShown(nFlags);
        EXPECT_EQ(Shown(1), Long.Frames[120].Picture);
        EXPECT_EQ(Korvid.MovieSkippedFrames(), nFlags ? 18 : 0);
        while (UpdateUntilShown(nFlags)) {
        }
        EXPECT_EQ(Shown(1), Long.Frames[129].Picture);
    }
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"Lagging on Frame (105/130) by 110ms", "Lagging on Frame (115/130) by 10ms",
                                 "Movie Closed at 130 Frames. Ave Frame Time = 9ms, Frames Skipped 18",
                                 "Movie Closed at 130 Frames. Ave Frame Time = 9ms, Frames Skipped 0"}));
    // A sound track plays from slot 0, or from a preloaded slot; a frame time outside
    // 1..200 ms plays at 100 ms.
    ASSERT_TRUE(Korvid.IsSoundOn());
    KvaMovie Talkie;
    Talkie.nFrameTime = 250;
    Talkie.Sound = wavtest::PcmWav(1, 22050, 16, Bytes(44100 * 2, 0));
    Talkie.Frames = {{Picture(1), 2}, {Picture(2), 3}};
    WriteKva("sound.kva", Talkie);
    ASSERT_EQ(Korvid.OpenMovie(1, "sound.kva", -1), 1);
    EXPECT_EQ(Korvid.MovieSoundId(), 0);
    EXPECT_EQ(Korvid.UpdateMovie(0), 1);
    EXPECT_EQ(Korvid.SoundStatus(0), KOR_SOUND_PLAYING);
    Korvid.CloseMovie();
    EXPECT_FALSE(Korvid.IsSoundLoaded(0));

    WriteFileBytes("other.wav", wavtest::PcmWav(1, 22050, 16, Bytes(44100, 0)));
    ASSERT_TRUE(Korvid.LoadSound(5, "other.wav"));
    ASSERT_EQ(Korvid.OpenMovie(1, "sound.kva", 5), 1);
    EXPECT_FALSE(Korvid.IsSoundLoaded(0));
    EXPECT_EQ(Korvid.UpdateMovie(0), 1);
    EXPECT_EQ(Korvid.SoundStatus(5), KOR_SOUND_PLAYING);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Using Alternative Pre-Loaded Audio", "Sound: 5    Length: 1000"}));
    EXPECT_TRUE(LogHas("Frames, 2, 31x24 10fps"));
    m_Platform.Advance(99);
    EXPECT_EQ(Korvid.UpdateMovie(0), 1);
    m_Platform.Advance(1);
    EXPECT_EQ(Korvid.UpdateMovie(0), 0);
    EXPECT_EQ(Shown(1), Talkie.Frames[1].Picture);
    EXPECT_TRUE(Korvid.IsSoundLoaded(5)) << "only slot 0 belongs to the movie";
}

TEST_F(Movie, DamagedMoviesAreRefusedAtOpenAndDamagedFramesEndThem)
{
    Bytes Track = KvaHeader("KORA", 1, W, H);
    AppendText(Track, "WAVE");
    Append(Track, BE({{1000, 4}}));
    Track.resize(Track.size() + 20, 0);
    const std::pair<Bytes, const char*> Cases[] = {
        {KvaHeader("DCBA", 1, W, H), "ERROR: Bad KVA Header 0x41424344"},
        {{'K', 'O'}, "ERROR: Bad KVA Header 0x4F4B"},
        {{'K', 'O', 'R', 'A', 1, 0}, "ERROR: ** KVA Header Truncated **"},
        {KvaHeader("KORA", 1, W, H), "ERROR: ** KVA Header Truncated **"},   // no audio tag
        {KvaHeader("KORA", 0, W, H), "ERROR: ** KVA Frame Count 0 Invalid **"},
        {KvaHeader("KORA", -3, W, H), "ERROR: ** KVA Frame Count -3 Invalid **"},
        {KvaHeader("KORA", 1, 0, H), "ERROR: ** KVA Frame Size 0x24 Invalid **"},
        {KvaHeader("KORA", 1, 60000, 60000), "ERROR: ** KVA Frame Size 60000x60000 Invalid **"},
        {Track, "ERROR: ** KVA Sound Track Length 1000 Beyond the File **"},
        // A frame no file of its size could fill is refused before its buffers are taken.
        {Concat({KvaHeader("KORA", 1, 16384, 16384), {'N', 'O', 'N', 'E'}, Bytes(8, 0)}),
         "ERROR: ** KVA Frame Size 16384x16384 Too Large For a File of 27 Bytes **"},
    };
    for (const auto& [File, szLogLine] : Cases) {
        SCOPED_TRACE(szLogLine);
        WriteFileBytes("broken.kva", File);
        EXPECT_EQ(Korvid.OpenMovie(1, "broken.kva", -1), 0);
        EXPECT_EQ(LogMessages().back(), szLogLine);
        EXPECT_FALSE(Korvid.MovieOpen());
        EXPECT_EQ(Korvid.UpdateMovie(0), 0);
    }
    EXPECT_EQ(Korvid.OpenMovie(1, "nothere.kva", -1), 0);
    EXPECT_EQ(LogMessages().back(), "Korvid: Failed to Open Movie 'nothere.kva'");
    // Damaged frames end a movie after the good ones.
    KvaMovie Clip;
    Clip.nFrameCount = 3;
    Clip.Frames = {{Picture(1)}};
    WriteKva("good.kva", Clip);
    const Bytes Good = ReadFileBytes("good.kva");
    Bytes Oversized = Good;
    AppendText(Oversized, "XXXXFRAM");
    Oversized.push_back(0);
    Append(Oversized, BE({{W * H + 1, 4}}));
    Oversized.resize(Oversized.size() + W * H + 1, 1);
    Bytes Cut = Good;
    AppendText(Cut, "CMAP");
    Cut.resize(Cut.size() + 100, 1);
    const std::pair<Bytes, const char*> Frames[] = {
        {Oversized, "ERROR: ** Movie Frame 1 Data (745 bytes) Larger Than the Frame (744 bytes) **"},
        {Cut, "ERROR: ** Movie File Ends Early at Frame 1 of 3 **"},
        {Good, "ERROR: ** Movie File Ends Early at Frame 1 of 3 **"},   // a record missing
    };
    for (const auto& [File, szLogLine] : Frames) {
        SCOPED_TRACE(szLogLine);
        WriteFileBytes("frames.kva", File);
        ASSERT_EQ(Korvid.OpenMovie(1, "frames.kva", -1), 1);
        EXPECT_EQ(Korvid.UpdateMovie(0), 1);
        m_Platform.Advance(40);
        EXPECT_EQ(Korvid.UpdateMovie(0), 0);
        EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                    {szLogLine, "Movie Closed at 1 Frames. Ave Frame Time = 40ms, Frames Skipped 0"}));
        EXPECT_FALSE(Korvid.MovieOpen());
        EXPECT_EQ(Shown(1), Clip.Frames[0].Picture);
    }
}

}  // namespace
