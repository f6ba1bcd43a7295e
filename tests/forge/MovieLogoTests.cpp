// The forge step "movies": the two logo movies exist, fit the game's 640 x 480
// chunky, last a few seconds, fade in and out through their palettes, cycle
// colours, use all three block kinds, carry a sound track, play through the
// engine's player to the end, and come out byte for byte the same every run.
#include <algorithm>
#include <set>

#include "MovieTestSupport.h"
#include "movie/MovieStep.h"

namespace {

using namespace movietest;

const char* const LOGOS[] = {"ostra", "velmora"};

// The brightest palette component a frame shows.
int Brightest(const KvaPalette& Palette) { return *std::max_element(Palette.begin(), Palette.end()); }

class MovieLogos : public MovieEngine {};

TEST_F(MovieLogos, BothLogosPlayAsShortFadingPalettedMoviesWithSound)
{
    ForgeContext Context{"data", "", "contact"};
    ASSERT_TRUE(ForgeMakeFolders("contact"));
    ASSERT_TRUE(ForgeMovies(Context));
    for (const char* szLogo : LOGOS) {
        SCOPED_TRACE(szLogo);
        const std::string Path = std::string("data/gfx/") + szLogo + ".kva";
        const KvaLayout Layout = ReadLayout(ReadFileBytes(Path));
        ASSERT_TRUE(Layout.bWhole);
        EXPECT_LE(Layout.nWidth, 640);
        EXPECT_LE(Layout.nHeight, 480);
        const int nLength = Layout.nFrames * Layout.nFrameTime;
        EXPECT_GE(nLength, 2500);
        EXPECT_LE(nLength, 6000);
        std::set<int> Blocks;
        for (int nType : Layout.Types)
            if (nType >= 0)
                Blocks.insert(nType & ~1);
        EXPECT_EQ(Blocks, (std::set<int>{2, 4, 6})) << "Z, RLE and X blocks";

        ASSERT_EQ(Korvid.OpenMovie(MOVIE_CHUNKY, Path.c_str(), -1), 1);
        EXPECT_EQ(Korvid.MovieSoundId(), 0) << "the sound track decodes into slot 0";
        const uint32_t nTrackMs = Korvid.SoundSlot(0)->Format.nDataSize * 1000 / (22050 * 2);
        EXPECT_NEAR((int)nTrackMs, nLength, 50) << "the sound lasts as long as the pictures";
        Korvid.CloseMovie();

        const std::vector<ShownFrame> Shown = Play(Path);
        ASSERT_EQ((int)Shown.size(), Layout.nFrames);
        std::set<KvaPalette> Palettes;
        int nPeak = 0;
        for (const ShownFrame& Frame : Shown) {
            Palettes.insert(Frame.Palette);
            nPeak = std::max(nPeak, Brightest(Frame.Palette));
            EXPECT_EQ(Frame.Palette[0] + Frame.Palette[1] + Frame.Palette[2], 0) << "index 0 stays black";
        }
        EXPECT_GE((int)Palettes.size(), Layout.nFrames / 2) << "fades and cycling change the palette";
        EXPECT_GE(nPeak, 200);
        EXPECT_LT(Brightest(Shown.front().Palette), nPeak / 4) << "fades in";
        EXPECT_LT(Brightest(Shown.back().Palette), nPeak / 4) << "fades out";
        // The middle of the movie shows a picture, not a black screen.
        const Bytes& Middle = Shown[Shown.size() / 2].Pixels;
        EXPECT_GT(std::count_if(Middle.begin(), Middle.end(), [](uint8_t n) { return n != 0; }), 20000);
        EXPECT_TRUE(PathExists(std::string("contact/") + szLogo + "_frame011.png") ||
                    PathExists(std::string("contact/") + szLogo + "_frame012.png"));
    }
}

}  // namespace
