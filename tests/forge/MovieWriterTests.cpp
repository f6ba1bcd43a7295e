// The forge's movie writer: movies it writes play through the engine's own
// player frame-exact (pixels and palette) for key and delta frames of every
// block kind, raw pictures and held frames; palettes and key frames are written
// where the rules say; the sound track is found, decodes and reads in sox.
#include <cmath>
#include <cstdio>

#include "movie/MovieSound.h"
#include "MovieTestSupport.h"

namespace {

using namespace movietest;

constexpr uint16_t W = 48, H = 32;

// A picture of runs and a few details that move with the seed: every coder packs
// it, and the deltas between seeds are small but not empty.
Bytes Picture(int nSeed)
{
    Bytes Out((size_t)W * H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            Out[(size_t)y * W + x] = (uint8_t)(1 + (y / 4 + nSeed / 3) % 5 + ((x + y) % 11 == nSeed % 11 ? 30 : 0));
    return Out;
}

// Noise that no coder can pack.
Bytes Noise(uint32_t nSeed)
{
    Bytes Out((size_t)W * H);
    for (uint8_t& n : Out) {
        nSeed = nSeed * 1664525u + 1013904223u;
        n = (uint8_t)(nSeed >> 24);
    }
    return Out;
}

KvaPalette Palette(int nSeed)
{
    KvaPalette Out;
    for (int n = 0; n < 768; ++n)
        Out[n] = (uint8_t)(n * 5 + nSeed * 40);
    return Out;
}

struct Frame {
    Bytes Pixels;
    KvaPalette Palette;
};

// Key frame, small deltas, a palette-only change (held picture), a new scene
// and more deltas.
std::vector<Frame> Clip()
{
    return {{Picture(0), Palette(0)}, {Picture(1), Palette(0)}, {Picture(1), Palette(1)},
            {Picture(2), Palette(1)}, {Noise(7), Palette(2)},   {Picture(3), Palette(2)},
            {Picture(4), Palette(3)}, {Picture(4), Palette(3)}, {Picture(5), Palette(3)}};
}

Bytes Write(const std::vector<Frame>& Frames, KvaBlockRule Rule, int nKeyInterval = KvaWriter::DEFAULT_KEY_INTERVAL,
            KvaWriterStats* pStats = nullptr)
{
    KvaWriter Writer(W, H, 40);
    Writer.SetBlockRule(Rule);
    Writer.SetKeyInterval(nKeyInterval);
    for (const Frame& F : Frames)
        EXPECT_TRUE(Writer.AddFrame(F.Pixels, F.Palette));
    if (pStats)
        *pStats = Writer.Stats();
    return Writer.Bytes();
}

// What soxi says about one property of a sound file, its line end removed.
std::string Soxi(const char* szOption, const char* szPath)
{
    std::string Command = std::string("soxi ") + szOption + " " + szPath + " 2>&1";
    FILE* pSox = popen(Command.c_str(), "r");
    if (!pSox)
        return "";
    char szLine[128] = {};
    std::string Answer = fgets(szLine, sizeof(szLine), pSox) ? szLine : "";
    pclose(pSox);
    if (!Answer.empty() && Answer.back() == '\n')
        Answer.pop_back();
    return Answer;
}

class MovieWriter : public MovieEngine {
protected:
    void ExpectPlaysAsWritten(const Bytes& File, const std::vector<Frame>& Frames)
    {
        WriteFileBytes("clip.kva", File);
        std::vector<ShownFrame> Shown = Play("clip.kva");
        ASSERT_EQ(Shown.size(), Frames.size());
        for (size_t n = 0; n < Frames.size(); ++n) {
            SCOPED_TRACE("frame " + std::to_string(n));
            EXPECT_EQ(Shown[n].Pixels, Frames[n].Pixels);
            EXPECT_EQ(Shown[n].Palette, Frames[n].Palette);
        }
    }
};

struct RuleCase {
    const char* szName;
    KvaBlockRule Rule;
    KvaBlock Only;   // the one block kind every packable picture must use, Raw for the choosing rules
};

void PrintTo(const RuleCase& Case, std::ostream* pOut) { *pOut << Case.szName; }

class MovieWriterRules : public MovieWriter, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(MovieWriterRules, EveryFramePlaysBackExactly)
{
    const std::vector<Frame> Frames = Clip();
    KvaWriterStats Stats;
    const Bytes File = Write(Frames, GetParam().Rule, 3, &Stats);
    const KvaLayout Layout = ReadLayout(File);
    ASSERT_TRUE(Layout.bWhole);
    ASSERT_EQ(Layout.nFrames, (int)Frames.size());
    EXPECT_TRUE(IsKeyType(Layout.Types[0]));
    int nKeys = 0, nDeltas = 0;
    for (size_t n = 0; n < Layout.Types.size(); ++n) {
        int nType = Layout.Types[n];
        nKeys += IsKeyType(nType);
        nDeltas += nType > 0 && !IsKeyType(nType);
        // Noise packs with no coder: it goes out raw (a delta); everything else in the rule's block.
        if (GetParam().Only != KvaBlock::Raw && n != 4 && nType >= 0) {
            EXPECT_EQ(nType & ~1, (int)GetParam().Only) << "frame " << n;
        }
    }
    EXPECT_EQ(Layout.Types[4], 1) << "the unpackable picture is a raw delta";
    EXPECT_GE(nKeys, 2);
    EXPECT_GE(nDeltas, 3);
    EXPECT_EQ(Stats.nKeyFrames, nKeys);
    EXPECT_EQ(Stats.nDeltaFrames, nDeltas);
    ExpectPlaysAsWritten(File, Frames);
}

INSTANTIATE_TEST_SUITE_P(Blocks, MovieWriterRules,
                         ::testing::Values(RuleCase{"OnlyZ", KvaBlockRule::OnlyZ, KvaBlock::Z},
                                           RuleCase{"OnlyRle", KvaBlockRule::OnlyRle, KvaBlock::Rle},
                                           RuleCase{"OnlyX", KvaBlockRule::OnlyX, KvaBlock::X},
                                           RuleCase{"QuickWhenSmall", KvaBlockRule::QuickWhenSmall, KvaBlock::Raw},
                                           RuleCase{"Smallest", KvaBlockRule::Smallest, KvaBlock::Raw}),
                         [](const ::testing::TestParamInfo<RuleCase>& Info) { return Info.param.szName; });

TEST_F(MovieWriter, PalettesAndPicturesAreWrittenOnlyWhenTheyChange)
{
    // The player starts from black, so a black first palette needs no record.
    std::vector<Frame> Frames = Clip();
    Frames.insert(Frames.begin(), {Picture(0), KvaPalette{}});
    const KvaLayout Layout = ReadLayout(Write(Frames, KvaBlockRule::QuickWhenSmall));
    ASSERT_TRUE(Layout.bWhole);
    const std::vector<bool> Palettes = {false, true, false, true, false, true, false, true, false, false};
    const std::vector<bool> Held = {false, true, false, true, false, false, false, false, true, false};
    ASSERT_EQ(Layout.Palettes.size(), Palettes.size());
    for (size_t n = 0; n < Palettes.size(); ++n) {
        EXPECT_EQ(Layout.Palettes[n], Palettes[n]) << "palette of frame " << n;
        EXPECT_EQ(Layout.Types[n] == -1, Held[n]) << "picture of frame " << n;
    }
    ExpectPlaysAsWritten(Write(Frames, KvaBlockRule::QuickWhenSmall), Frames);
}

TEST_F(MovieWriter, KeyFramesComeAtTheIntervalAndAtSceneChanges)
{
    // A block moving over a still picture: deltas stay small.
    std::vector<Frame> Frames;
    for (int n = 0; n < 7; ++n) {
        Bytes Moved = Picture(0);
        for (int y = 8; y < 12; ++y)
            for (int x = n * 4; x < n * 4 + 4; ++x)
                Moved[(size_t)y * W + x] = 99;
        Frames.push_back({Moved, Palette(0)});
    }
    // After noise, a picture's delta is noise too, while the picture itself packs.
    Frames.push_back({Noise(3), Palette(0)});
    Frames.push_back({Picture(8), Palette(0)});

    auto Keys = [](const KvaLayout& Layout) {
        std::vector<int> Out;
        for (size_t n = 0; n < Layout.Types.size(); ++n)
            if (IsKeyType(Layout.Types[n]))
                Out.push_back((int)n);
        return Out;
    };
    EXPECT_EQ(Keys(ReadLayout(Write(Frames, KvaBlockRule::Smallest, 3))), (std::vector<int>{0, 3, 6, 8}));
    EXPECT_EQ(Keys(ReadLayout(Write(Frames, KvaBlockRule::Smallest, 100))), (std::vector<int>{0, 8}));
    ExpectPlaysAsWritten(Write(Frames, KvaBlockRule::Smallest, 3), Frames);
}

TEST_F(MovieWriter, SmallBlocksGoToTheQuickestCoderBigOnesToTheSmallest)
{
    // A detailed key frame needs zlib; a one-pixel delta of a large picture is a
    // small block even as plain RLE, which unpacks quickest.
    const int nSide = 256;
    Bytes Busy((size_t)nSide * nSide);
    for (size_t n = 0; n < Busy.size(); ++n)
        Busy[n] = (uint8_t)((n * 7 / 5) % 13 + (n / 977) % 3);
    KvaWriter Writer(nSide, nSide, 40);
    ASSERT_TRUE(Writer.AddFrame(Busy, Palette(0)));
    Bytes Touched = Busy;
    Touched[1000] ^= 0x55;
    ASSERT_TRUE(Writer.AddFrame(Touched, Palette(0)));
    const KvaLayout Layout = ReadLayout(Writer.Bytes());
    ASSERT_EQ(Layout.Types.size(), 2u);
    EXPECT_TRUE(Layout.Types[0] == 2 || Layout.Types[0] == 6) << Layout.Types[0];
    EXPECT_EQ(Layout.Types[1], 5) << "a one-pixel delta is a small RLE block";
}

TEST_F(MovieWriter, RefusesPicturesOfTheWrongSize)
{
    KvaWriter Writer(W, H, 40);
    EXPECT_FALSE(Writer.AddFrame(Bytes((size_t)W * H - 1, 0), Palette(0)));
    EXPECT_TRUE(Writer.AddFrame(Picture(0), Palette(0)));
    EXPECT_EQ(Writer.FrameCount(), 1);
    EXPECT_EQ(ReadLayout(Writer.Bytes()).nFrames, 1);
}

TEST_F(MovieWriter, TheSoundTrackIsFoundDecodesAndReadsInSox)
{
    SoundTrack Track(0.5f);
    Track.AddBell(0.0f, 660.0f, 0.3f, 1.0f);
    Track.Finish(0.7f);
    KvaWriter Writer(W, H, 40);
    Writer.SetSoundTrack(Track.WavImage());
    ASSERT_TRUE(Writer.AddFrame(Picture(0), Palette(0)));
    WriteFileBytes("sound.kva", Writer.Bytes());

    ASSERT_TRUE(Korvid.IsSoundOn());
    ASSERT_EQ(Korvid.OpenMovie(MOVIE_CHUNKY, "sound.kva", -1), 1);
    EXPECT_EQ(Korvid.MovieSoundId(), 0);
    ASSERT_TRUE(Korvid.IsSoundLoaded(0));
    const KorvidWavFormat& Format = Korvid.SoundSlot(0)->Format;
    EXPECT_EQ(Format.nSampleRate, 22050u);
    EXPECT_EQ(Format.nBitsPerSample, 16);
    EXPECT_EQ(Format.nChannels, 1);
    EXPECT_EQ(Format.nDataSize, 11025u * 2);
    Korvid.CloseMovie();

    // sox reads the same track: rate, channels, length and sample size.
    WriteFileBytes("track.wav", ReadLayout(Writer.Bytes()).Sound);
    EXPECT_EQ(Soxi("-r", "track.wav"), "22050");
    EXPECT_EQ(Soxi("-c", "track.wav"), "1");
    EXPECT_EQ(Soxi("-s", "track.wav"), "11025");
    EXPECT_EQ(Soxi("-b", "track.wav"), "16");

    // A movie without a sound track still carries four bytes where the tag would be.
    KvaWriter Silent(W, H, 40);
    ASSERT_TRUE(Silent.AddFrame(Picture(0), Palette(0)));
    const Bytes SilentFile = Silent.Bytes();
    EXPECT_NE(Tag(SilentFile, 15), "WAVE");
    EXPECT_TRUE(ReadLayout(SilentFile).bWhole);
    WriteFileBytes("silent.kva", SilentFile);
    ASSERT_EQ(Korvid.OpenMovie(MOVIE_CHUNKY, "silent.kva", -1), 1);
    EXPECT_EQ(Korvid.MovieSoundId(), -1);
}

TEST(MovieSound, TracksAreAudibleUnclippedAndQuietAtTheEdges)
{
    SoundTrack Track(1.0f);
    Track.AddDrone(0.0f, 1.0f, {110.0f, 165.0f}, 0.3f, 0.3f, 0.5f);
    Track.AddWhoosh(0.1f, 0.6f, 300.0f, 3000.0f, 0.8f, 9);
    Track.AddBell(0.4f, 880.0f, 0.4f, 1.0f);
    Track.AddRoom(0.3f);
    Track.Finish(0.8f);
    const std::vector<float>& Samples = Track.Samples();
    ASSERT_EQ(Samples.size(), 22050u);
    float fPeak = 0, fEnergy = 0;
    for (float f : Samples) {
        fPeak = std::max(fPeak, std::fabs(f));
        fEnergy += f * f;
    }
    EXPECT_NEAR(fPeak, 0.8f, 0.01f);
    EXPECT_GT(std::sqrt(fEnergy / Samples.size()), 0.05f) << "audible, not a lone spike";
    EXPECT_LT(std::fabs(Samples.front()), 1e-3f);
    EXPECT_LT(std::fabs(Samples.back()), 1e-3f);

    // The same calls make the same samples.
    SoundTrack Again(1.0f);
    Again.AddDrone(0.0f, 1.0f, {110.0f, 165.0f}, 0.3f, 0.3f, 0.5f);
    Again.AddWhoosh(0.1f, 0.6f, 300.0f, 3000.0f, 0.8f, 9);
    Again.AddBell(0.4f, 880.0f, 0.4f, 1.0f);
    Again.AddRoom(0.3f);
    Again.Finish(0.8f);
    EXPECT_EQ(Again.WavImage(), Track.WavImage());
}

}  // namespace
