// The forge's movie writer and its "movies" step: what it writes plays through
// the engine's own player frame-exact, with palettes and key frames only where
// the rules say and a sound track that sox reads; the two logo movies fade in and
// out through their palettes and are the data set's bytes.
#include <algorithm>
#include <cmath>
#include <set>

#include "ForgeTest.h"
#include "movie/KvaWriter.h"
#include "movie/MovieSound.h"
#include "movie/MovieStep.h"
#include "support/StartedEngine.h"
#include "support/ToolRun.h"
#include "support/WavImages.h"

namespace {

constexpr uint32_t MOVIE_CHUNKY = 1;
constexpr uint16_t W = 48, H = 32;

struct Frame {
    Bytes Pixels;
    KvaPalette Palette;
};

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

// Key frame, small deltas, a palette-only change (held picture), a new scene, more deltas.
std::vector<Frame> Clip()
{
    return {{Picture(0), Palette(0)}, {Picture(1), Palette(0)}, {Picture(1), Palette(1)},
            {Picture(2), Palette(1)}, {Noise(7), Palette(2)},   {Picture(3), Palette(2)},
            {Picture(4), Palette(3)}, {Picture(4), Palette(3)}, {Picture(5), Palette(3)}};
}

struct Written {   // a movie's bytes and the writer's count of what went into them
    Bytes File;
    KvaWriterStats Stats;
};

Written Write(const std::vector<Frame>& Frames, KvaBlockRule Rule, int nKeyInterval = KvaWriter::DEFAULT_KEY_INTERVAL)
{
    KvaWriter Writer(W, H, 40);
    Writer.SetBlockRule(Rule);
    Writer.SetKeyInterval(nKeyInterval);
    for (const Frame& F : Frames)
        EXPECT_TRUE(Writer.AddFrame(F.Pixels, F.Palette));
    return {Writer.Bytes(), Writer.Stats()};
}

// The engine on a virtual clock with an 8-bit display, as the game plays its movies.
class MovieEngine : public StartedEngineTest {
protected:
    MovieEngine() : StartedEngineTest(640, 480, 8) {}

    // Plays the movie through the engine's player, one frame time per step, and
    // keeps every frame as it was shown. Empty when the movie does not open.
    std::vector<Frame> Play(const std::string& Path)
    {
        std::vector<Frame> Shown;
        if (Korvid.OpenMovie(MOVIE_CHUNKY, Path.c_str(), -1) != 1)
            return Shown;
        const ChunkyObject& Chunky = *Korvid.ExistingChunky(MOVIE_CHUNKY);
        for (int nGoesOn = 1; nGoesOn;) {
            int16_t nFrame = Korvid.MovieFrame();
            nGoesOn = Korvid.UpdateMovie(0);
            if (nGoesOn && Korvid.MovieFrame() == nFrame) {
                m_Platform.Advance(1);   // not yet due
                continue;
            }
            Frame Seen;
            for (int y = 0; y < Korvid.ChunkyHeight(MOVIE_CHUNKY); ++y)
                Seen.Pixels.insert(Seen.Pixels.end(), Chunky.pPixels + (size_t)y * Chunky.nWidth,
                                   Chunky.pPixels + (size_t)y * Chunky.nWidth + Korvid.ChunkyWidth(MOVIE_CHUNKY));
            for (int n = 0; n < 256; ++n) {
                Seen.Palette[n * 3] = Korvid.PaletteRed((uint8_t)n);
                Seen.Palette[n * 3 + 1] = Korvid.PaletteGreen((uint8_t)n);
                Seen.Palette[n * 3 + 2] = Korvid.PaletteBlue((uint8_t)n);
            }
            Shown.push_back(Seen);
        }
        return Shown;
    }

    void ExpectPlaysAsWritten(const Bytes& File, const std::vector<Frame>& Frames)
    {
        WriteFileBytes("clip.kva", File);
        std::vector<Frame> Shown = Play("clip.kva");
        ASSERT_EQ(Shown.size(), Frames.size());
        for (size_t n = 0; n < Frames.size(); ++n)
            EXPECT_TRUE(Shown[n].Pixels == Frames[n].Pixels && Shown[n].Palette == Frames[n].Palette) << "frame " << n;
    }
};

class MovieWriter : public MovieEngine {};

TEST_F(MovieWriter, EveryRulesBlocksPlayBackExactly)
{
    // The one block kind every packable picture must use; Raw for the rules that choose.
    for (const auto& [szRule, Rule, Only] : {std::make_tuple("OnlyZ", KvaBlockRule::OnlyZ, KvaBlock::Z),
                             {"OnlyX", KvaBlockRule::OnlyX, KvaBlock::X},
                             {"OnlyRle", KvaBlockRule::OnlyRle, KvaBlock::Rle},
                             {"QuickWhenSmall", KvaBlockRule::QuickWhenSmall, KvaBlock::Raw},
                             {"Smallest", KvaBlockRule::Smallest, KvaBlock::Raw}}) {
        SCOPED_TRACE(szRule);
        const Written Movie = Write(Clip(), Rule, 3);
        // Seven pictures (two frames hold theirs): the noise goes out raw, the others in the rule's block.
        EXPECT_EQ(Movie.Stats.nHeldFrames, 2);
        EXPECT_EQ(Movie.Stats.Blocks(KvaBlock::Raw), 1);
        EXPECT_TRUE(Only == KvaBlock::Raw || Movie.Stats.Blocks(Only) == 6);
        EXPECT_GE(Movie.Stats.nKeyFrames, 2);
        EXPECT_GE(Movie.Stats.nDeltaFrames, 3);
        ExpectPlaysAsWritten(Movie.File, Clip());
    }
    KvaWriter Writer(W, H, 40);
    EXPECT_FALSE(Writer.AddFrame(Bytes((size_t)W * H - 1, 0), Palette(0))) << "a picture of the wrong size";
    EXPECT_EQ(Writer.FrameCount(), 0);
}

TEST_F(MovieWriter, PalettesAndPicturesAreWrittenWhenTheyChangeAndKeyFramesWhenTheRulesSay)
{
    // The player starts from black, so a black first palette needs no record.
    std::vector<Frame> Frames = Clip();
    Frames.insert(Frames.begin(), {Picture(0), KvaPalette{}});
    Written Movie = Write(Frames, KvaBlockRule::QuickWhenSmall);
    EXPECT_EQ(Movie.Stats.nPaletteChanges, 4);
    EXPECT_EQ(Movie.Stats.nHeldFrames, 3);
    ExpectPlaysAsWritten(Movie.File, Frames);

    // Key frames at the interval and at a new scene: a block moving over a still
    // picture keeps the deltas small; after noise a picture's delta is noise too,
    // while the picture itself packs.
    Frames.clear();
    for (int n = 0; n < 7; ++n) {
        Frames.push_back({Picture(0), Palette(0)});
        for (int y = 8; y < 12; ++y)
            std::fill_n(Frames.back().Pixels.begin() + y * W + n * 4, 4, 99);
    }
    Frames.push_back({Noise(3), Palette(0)});
    Frames.push_back({Picture(8), Palette(0)});
    EXPECT_EQ(Write(Frames, KvaBlockRule::Smallest, 100).Stats.nKeyFrames, 2) << "the first and the new scene";
    Movie = Write(Frames, KvaBlockRule::Smallest, 3);
    EXPECT_EQ(Movie.Stats.nKeyFrames, 4) << "and every third frame";
    ExpectPlaysAsWritten(Movie.File, Frames);
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
    EXPECT_EQ(std::vector<uint32_t>({Format.nSampleRate, Format.nBitsPerSample, Format.nChannels, Format.nDataSize}),
              std::vector<uint32_t>({22050, 16, 1, 11025 * 2}));
    Korvid.CloseMovie();
    // The movie holds the track whole, and sox reads it: rate, channels, length and sample size.
    const Bytes File = Writer.Bytes(), Wav = Track.WavImage();
    EXPECT_NE(std::search(File.begin(), File.end(), Wav.begin(), Wav.end()), File.end());
    WriteFileBytes("track.wav", Wav);
    for (auto [szOption, szValue] : {std::pair{"-r", "22050\n"}, {"-c", "1\n"}, {"-s", "11025\n"}, {"-b", "16\n"}})
        EXPECT_EQ(RunProgram("soxi", std::string(szOption) + " track.wav").Out, szValue) << szOption;

    // A movie without a sound track.
    KvaWriter Silent(W, H, 40);
    ASSERT_TRUE(Silent.AddFrame(Picture(0), Palette(0)));
    WriteFileBytes("silent.kva", Silent.Bytes());
    ASSERT_EQ(Korvid.OpenMovie(MOVIE_CHUNKY, "silent.kva", -1), 1);
    EXPECT_EQ(Korvid.MovieSoundId(), -1);
}

class MovieLogos : public MovieEngine {};

TEST_F(MovieLogos, BothLogosAreTheDataSetsShortFadingPalettedMoviesWithSound)
{
    ForgeContext Context{"data", "", "contact"};
    ASSERT_TRUE(ForgeMakeFolders("contact"));
    ASSERT_TRUE(ForgeMovies(Context));
    EXPECT_EQ(ExpectSameAsDataSet("data"), 2u);
    for (const char* szLogo : {"ostra", "velmora"}) {
        SCOPED_TRACE(szLogo);
        const std::string Path = std::string("data/gfx/") + szLogo + ".kva";
        ASSERT_EQ(Korvid.OpenMovie(MOVIE_CHUNKY, Path.c_str(), -1), 1);
        EXPECT_TRUE(Korvid.ChunkyWidth(MOVIE_CHUNKY) <= 640 && Korvid.ChunkyHeight(MOVIE_CHUNKY) <= 480)
            << "the game's movie chunky holds it";
        const int nFrames = Korvid.MovieFrameCount(), nLength = nFrames * Korvid.MovieFrameTime();
        EXPECT_TRUE(nLength >= 2500 && nLength <= 6000) << nLength << " ms";
        EXPECT_EQ(Korvid.MovieSoundId(), 0) << "the sound track decodes into slot 0";
        // The sound lasts as long as the pictures, is audible, unclipped and quiet at its ends.
        std::vector<int16_t> Track = wavtest::MixerSamples(0);
        EXPECT_NEAR((int)(Track.size() * 1000 / 22050), nLength, 50);
        double fEnergy = 0;
        for (int16_t n : Track)
            fEnergy += (double)n * n;
        EXPECT_GT(std::sqrt(fEnergy / Track.size()), 0.05 * 32768);
        EXPECT_LT(*std::max_element(Track.begin(), Track.end()), 32000);
        EXPECT_LT(std::max(std::abs(Track.front()), std::abs(Track.back())), 33);
        Korvid.CloseMovie();

        const std::vector<Frame> Shown = Play(Path);
        ASSERT_EQ((int)Shown.size(), nFrames);
        // Fades in from and out to black through palettes that keep index 0 black, and cycles colours.
        auto Brightest = [](const KvaPalette& P) { return (int)*std::max_element(P.begin(), P.end()); };
        std::set<KvaPalette> Palettes;
        int nPeak = 0;
        for (const Frame& Seen : Shown) {
            Palettes.insert(Seen.Palette);
            nPeak = std::max(nPeak, Brightest(Seen.Palette));
            EXPECT_EQ(Seen.Palette[0] + Seen.Palette[1] + Seen.Palette[2], 0);
        }
        EXPECT_GE((int)Palettes.size(), nFrames / 2);
        EXPECT_GE(nPeak, 200);
        EXPECT_LT(std::max(Brightest(Shown.front().Palette), Brightest(Shown.back().Palette)), nPeak / 4);
        const Bytes& Middle = Shown[Shown.size() / 2].Pixels;
        EXPECT_GT(std::count_if(Middle.begin(), Middle.end(), [](uint8_t n) { return n != 0; }), 20000)
            << "the middle shows a picture, not a black screen";
        EXPECT_TRUE(PathExists(std::string("contact/") + szLogo + "_frame011.png") ||
                    PathExists(std::string("contact/") + szLogo + "_frame012.png"));
    }
}

}  // namespace
