// Blit's odd cases (missing masks, unknown modes, self blits, refusals, profiler sections, the
// 8-bit trans table), BlitScale and BlitRotate, and the showcase of every mode, presented.
#include <SDL/SDL.h>
#include <random>
#include <set>

#include "GfxTestSupport.h"
#include "services/ChunkyPng.h"
#include "Showcase.h"

namespace {

constexpr uint16_t kBackground = 0xFFFF;
using Pixels = std::vector<uint16_t>;

class Blits : public GfxTest {
protected:
    explicit Blits(uint8_t nDepth = 16) : GfxTest(32, 24, nDepth, nDepth == 8 ? 9 : kBackground) {}
    static Pixels Row(int y, int nCount)
    {
        const uint16_t* p = Korvid.ExistingChunky(0)->Pixels16() + y * 32;
        return Pixels(p, p + nCount);
    }
};

TEST_F(Blits, OddBlitsDrawWhatTheyShouldOrNothingAndRunInTheirProfilerSections)
{
    MakeChunky<uint16_t>(1, 1, 1, {0x1234});
    Korvid.Blit(1, 0, 0, KOR_BLIT_ALPHA, 0, 50);
    EXPECT_FALSE(LogHas("WARNING: Blit() Chunky 1 has no Alpha Mask **"));
    Korvid.SetTraceMask(KOR_TRACE_VERBOSE);
    Korvid.Blit(1, 1, 0, KOR_BLIT_ALPHA, 0, 50);
    Korvid.BlitArea(1, 0, 0, 1, 1, 2, 0, KOR_BLIT_ALPHA, 0, 100);
    EXPECT_EQ(Row(0, 4), (Pixels{0x1234, 0x1234, 0x1234, kBackground}));
    EXPECT_TRUE(LogHas("WARNING: Blit() Chunky 1 has no Alpha Mask **"));
    // Modes that are not single bits draw nothing; those above the tint are reported.
    for (uint16_t nFlags : {6, 0x20, 0x81})
        Korvid.Blit(1, 5, 3, nFlags, 0, 50);
    EXPECT_FALSE(LogHas("Blit Mode 6 Unsatisfied"));
    ASSERT_EQ(Korvid.InitChunky(2, 8, 8, 8), 1);
    Korvid.Blit(2, 0, 0, KOR_BLIT_NOCOOKIE, 0, 50);
    Korvid.BlitArea(2, 0, 0, 8, 8, 0, 0, KOR_BLIT_NOCOOKIE, 0, 50);
    Korvid.Blit(7, 0, 0, 0, 0, -1);
    Korvid.BlitArea(9999, 0, 0, 4, 4, 0, 0, 0, 0, 50);
    EXPECT_EQ(CountDrawn(kBackground), 3);
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"Blit Mode 32 Unsatisfied", "Blit Mode 128 Unsatisfied",
                        "ERROR: ** Blit() From 2 to 0 - Chunky Depth does not match the Display Depth 16 **",
                        "ERROR: ** BlitArea() From 2 to 0 - Chunky Depth does not match the Display Depth 16 **",
                        "ERROR: Blit() From 7 to 0 ** Source Chunky does not exist **",
                        "ERROR: BlitArea() From 9999 to 0 ** Source Chunky does not exist **"}));
    // A chunky marked cookie-free skips the test: its (stale) cookie pixel is copied.
    MakeChunky<uint16_t>(1, 2, 1, {0x0000, 0x1234});
    Korvid.Blit(1, 0, 5, KOR_BLIT_COOKIE, 0, 50);
    Korvid.ExistingChunky(1)->bHasCookie = 0;
    Korvid.Blit(1, 0, 6, KOR_BLIT_COOKIE, 0, 50);
    EXPECT_EQ(Row(5, 1), Pixels{kBackground});
    EXPECT_EQ(Row(6, 1), Pixels{0x0000});
    // A tint 75 % toward black is a solid-trans blit of the chunky into itself: white x 63 >> 8.
    MakeChunky<uint16_t>(2, 3, 1, {0xFFFF, 0, 0xFFFF});
    Korvid.ChunkyTint(2, 0x0000, 75);
    EXPECT_EQ(Pixels16(2), (Pixels{0x39E7, 0, 0x39E7}));
    EXPECT_EQ(Korvid.GetUsedChunky(), 0u);
    // Blitted onto itself a chunky reads its original pixels.
    MakeChunky<uint16_t>(3, 4, 1, {1, 2, 3, 4});
    Korvid.UseChunky(3);
    Korvid.Blit(3, 1, 0, KOR_BLIT_COOKIE, 0, 50);
    EXPECT_EQ(Pixels16(3), (Pixels{1, 1, 2, 3}));
    // Each blit and each mode runs in its profiler section.
    Korvid.UseChunky(0);
    Korvid.SetProfiling(true);
    for (int n = 0; n < 50; ++n) {
        Korvid.Blit(1, 0, 0, KOR_BLIT_TRANS, 0, 30);
        Korvid.BlitArea(1, 0, 0, 1, 1, 4, 4, KOR_BLIT_SOLIDCOLOUR, 0, 50);
    }
    Korvid.ProfileReport();
    const auto CallsOf = [](const std::string& Section) {
        for (const std::string& Line : LogMessages())
            if (Line.find("> " + Section + " ") != std::string::npos)
                return std::stoi(Line.substr(Line.find("%) ") + 3));
        return 0;
    };
    for (const char* szSection :
         {"KorvidGFX::Blit()", "KorvidGFX::BlitArea()", "KOR_BLIT_TRANS", "KOR_BLIT_SOLIDCOLOUR"})
        EXPECT_EQ(CallsOf(szSection), 50) << szSection;
}

TEST_F(Blits, ScalesAndRotationsAreRefusedOutsideTheirChunkiesAndOtherwiseDrawWorkedOutPixels)
{
    const KorvidRect Rect = {0, 0, 4, 4};
    Korvid.BlitScale(42, Rect, Rect, 0);
    Korvid.BlitRotate(43, 0, 0, 10.0, 0x7FFF, 0x7FFF);
    MakeNumbered(1, 4, 4);
    Korvid.BlitScale(1, KorvidRect{-2, 0, 4, 4}, KorvidRect{0, 0, 8, 8}, 0);
    Korvid.BlitScale(1, KorvidRect{0, 0, 5, 4}, KorvidRect{0, 0, 8, 8}, 0);
    ASSERT_EQ(Korvid.InitChunky(2, 4, 4, 8), 1);
    Korvid.BlitRotate(2, 5, 5, 30.0, 0x7FFF, 0x7FFF);
    Korvid.BlitScale(2, Rect, KorvidRect{0, 0, 8, 8}, 0);
    EXPECT_EQ(CountDrawn(kBackground), 0);
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"ERROR: ** BlitScale(42, ... ) - Invalid Scale Chunky **",
                                 "ERROR: ** BlitRotate(43, ... ) - Invalid Rotate Chunky **",
                                 "ERROR: ** BlitScale(1, ... ) - Source Rect (-2,0 4,4) Outside Chunky (4,4) **",
                                 "ERROR: ** BlitScale(1, ... ) - Source Rect (0,0 5,4) Outside Chunky (4,4) **",
                                 "ERROR: ** BlitRotate() From 2 to 0 - Chunky Depths differ **",
                                 "ERROR: ** BlitScale() From 2 to 0 - Chunky Depths differ **"}));
    // Equal rectangles are a plain blit, with or without the cookie test.
    MakeNumbered(1, 8, 8);
    Korvid.ExistingChunky(1)->Pixels16()[9] = 0;   // (1, 1) is cookie
    const KorvidRect Equal = {1, 1, 3, 3};
    Korvid.BlitScale(1, Equal, Equal, KOR_SCALE_COOKIE);
    EXPECT_EQ(Row(1, 3), (Pixels{kBackground, kBackground, Numbered(2, 1)}));
    Korvid.BlitScale(1, Equal, Equal, 0);
    EXPECT_EQ(Row(1, 3), (Pixels{kBackground, 0, Numbered(2, 1)}));
    // Doubling repeats every source pixel twice each way; halving takes every other pixel.
    Korvid.BlitScale(1, KorvidRect{3, 3, 6, 5}, KorvidRect{10, 5, 16, 9}, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(Pixel16(0, 10 + x, 5 + y), Numbered(3 + x / 2, 3 + y / 2)) << x << "," << y;
    Korvid.BlitScale(1, KorvidRect{2, 4, 6, 8}, KorvidRect{20, 0, 22, 2}, 0);
    EXPECT_EQ(Pixel16(0, 21, 0), Numbered(4, 4));
    EXPECT_EQ(Pixel16(0, 21, 1), Numbered(4, 6));
    EXPECT_EQ(CountDrawn(kBackground), 4 + 24 + 4);
    // Averaged in pairs, red and blue give 124 -> 120 red, 15 blue; the last two blocks stay one pixel wide.
    MakeChunky<uint16_t>(2, 8, 1, {0xF800, 0x001F, 0xF800, 0x001F, 0xF800, 0x001F, 0xF800, 0x001F});
    Korvid.BlitScale(2, KorvidRect{0, 0, 8, 1}, KorvidRect{0, 23, 4, 24}, KOR_SCALE_AVERAGE);
    EXPECT_EQ(Row(23, 5), (Pixels{0x780F, 0x780F, 0xF800, 0xF800, kBackground}));
    // Rotated by no angle a shape is copied with its centre (2, 1) on (10, 10).
    Korvid.ClearChunky(0, kBackground);
    MakeNumbered(1, 5, 3);
    Korvid.ExistingChunky(1)->Pixels16()[7] = 0;   // (2, 1): a cookie hole
    Korvid.BlitRotate(1, 10, 10, 0.0, 0x7FFF, 0x7FFF);
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 5; ++i)
            if (i != 2 || j != 1) {
                ASSERT_EQ(Pixel16(0, 8 + i, 9 + j), Numbered(i, j)) << i << "," << j;
            }
    // Every pixel is written again half a pixel on along x. The engine's angle is not exactly 2 pi, so at 0
    // degrees that rounds up left of the centre: the hole takes its left neighbour, the top row spills on.
    EXPECT_EQ(Pixel16(0, 10, 10), Numbered(1, 1));
    EXPECT_EQ(Pixel16(0, 13, 9), Numbered(4, 0));
    EXPECT_EQ(CountDrawn(kBackground), 16);
    // Rotations near every edge write only inside the used chunky (ASan watches).
    std::mt19937 Random(1495u);
    std::uniform_real_distribution<double> Angle(-720.0, 720.0);
    for (int16_t x : {-8, -3, 0, 2, 20, 29, 31, 35})
        for (int16_t y : {-8, -3, 0, 2, 20, 29, 31, 35})
            Korvid.BlitRotate(1, x, y, Angle(Random), 0x7FFF, 0x7FFF);
    EXPECT_GT(CountDrawn(kBackground), 16);
}

class Blits8 : public Blits {
protected:
    Blits8() : Blits(8) {}
};

// Translucency mixes through the trans table whatever the parameter; alpha blits, with a mask or
// without, and large modes draw nothing.
TEST_F(Blits8, TransMixesThroughTheTableAlphaDrawsNothingAndPaletteChunkiesRotateAsBytes)
{
    for (uint32_t n = 3; n < 256; ++n)
        Korvid.SetPaletteEntry(n, 255, 255, 255);
    Korvid.SetPaletteEntry(1, 200, 0, 0);
    Korvid.SetPaletteEntry(2, 0, 0, 200);
    Korvid.SetPaletteEntry(10, 100, 0, 100);
    MakeChunky<uint8_t>(1, 1, 1, {1});
    ASSERT_EQ(Korvid.CreateAlphaMask(*Korvid.ExistingChunky(1)), 1);
    Korvid.ExistingChunky(1)->pAlpha[0] = 255;
    Korvid.ClearChunky(0, 2);
    Korvid.Blit(1, 2, 2, KOR_BLIT_TRANS, 0, 100);
    MakeChunky<uint8_t>(4, 1, 1, {1});   // the same without a mask
    const uint16_t NothingDrawn[] = {KOR_BLIT_ALPHA, KOR_BLIT_ALPHA | KOR_BLIT_SOLIDCOLOUR, 0x20};
    for (uint16_t nFlags : NothingDrawn)
        for (uint32_t nChunky : {1u, 4u}) {
            Korvid.Blit(nChunky, 3, 2, nFlags, 3, 100);
            Korvid.BlitArea(nChunky, 0, 0, 1, 1, 3, 2, (uint8_t)nFlags, 3, 100);
        }
    EXPECT_EQ(Pixel8(0, 2, 2), 10);
    EXPECT_EQ(Pixel8(0, 3, 2), 2);
    EXPECT_FALSE(LogHas("Blit Mode 32 Unsatisfied"));
    MakeChunky<uint8_t>(2, 3, 3, {1, 2, 3, 4, 0, 6, 7, 8, 9});   // the centre is cookie
    Korvid.BlitRotate(2, 12, 12, 90.0, 1, 1);
    // (i, j) goes to (2 - j, i) around the centre at (11, 11); the cookie centre is never written as 0.
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            if (i != 1 || j != 1) {
                ASSERT_EQ(Pixel8(0, 11 + 2 - j, 11 + i), j * 3 + i + 1) << i << "," << j;
            }
    EXPECT_NE(Pixel8(0, 12, 12), 0);
    EXPECT_EQ(Pixel8(0, 0, 0), 2);
}

TEST(Showcase, EveryBlitModeLeavesItsOwnMarkAndIsPresented)
{
    const std::string Scratch = EnterScratchDirectory();
    VirtualClockPlatform Platform;
    Korvid.SetPlatform(&Platform);
    g_TestApp.Config = [] { Korvid.ChangeDisplayMode(800, 600, 16, KOR_WINDOWED); };
    ASSERT_TRUE(Korvid.Init());
    PrepareShowcase();
    const std::vector<ShowcaseCell> Cells = DrawShowcase();
    Korvid.Flip();
    EXPECT_TRUE(WriteChunkyPng(0, Scratch + "/showcase.png"));   // for people to look at

    const uint16_t* pScreen = Korvid.ExistingChunky(0)->Pixels16();
    SDL_Surface* pSurface = Korvid.Surface();
    ASSERT_TRUE(pSurface && pSurface->format->BitsPerPixel == 16);
    SDL_LockSurface(pSurface);
    // A cross around each sprite's centre and a pixel beside it differ from every other cell's; the surface shows them.
    std::set<std::vector<uint16_t>> Distinct;
    for (const ShowcaseCell& Cell : Cells) {
        std::vector<uint16_t> Sample = {pScreen[(Cell.y - 20) * 800 + Cell.x - 20]};
        for (int d = -12; d <= 12; d += 6)
            Sample.insert(Sample.end(), {pScreen[Cell.y * 800 + Cell.x + d], pScreen[(Cell.y + d) * 800 + Cell.x]});
        EXPECT_TRUE(Distinct.insert(Sample).second) << Cell.Label << " looks like another cell";
        const uint8_t* pRow = (const uint8_t*)pSurface->pixels + Cell.y * pSurface->pitch;
        EXPECT_EQ(((const uint16_t*)pRow)[Cell.x], pScreen[Cell.y * 800 + Cell.x]) << Cell.Label;
    }
    SDL_UnlockSurface(pSurface);
    Korvid.ShutDown();
    Korvid.FinalShutDown();
}

}  // namespace
