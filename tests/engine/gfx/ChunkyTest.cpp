// Chunkies: the table and its limits, GrabChunky with its hot spots and alpha masks, copy,
// mirror and scaling, against values worked out by hand.
#include <cstdio>

#include "GfxTestSupport.h"

namespace {

using Pixels = std::vector<uint16_t>;
using Shape4 = std::array<int, 4>;

class Chunkies : public GfxTest {
protected:
    Chunkies() : GfxTest(64, 48) {}   // RGB565 on the dummy driver, cookie colour 0
    static void Fill(uint32_t nChunky, int x1, int y1, int x2, int y2, uint16_t nPixel)
    {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                Korvid.ExistingChunky(nChunky)->Pixels16()[y * Korvid.ChunkyWidth(nChunky) + x] = nPixel;
    }
    static Bytes Alpha(uint32_t nChunky)
    {
        const ChunkyObject& c = *Korvid.ExistingChunky(nChunky);
        return Bytes(c.pAlpha, c.pAlpha + c.nWidth * c.nHeight);
    }
    static void SetHotSpot(uint32_t nChunky, int16_t x, int16_t y)
    {
        Korvid.ExistingChunky(nChunky)->nHotX = x;
        Korvid.ExistingChunky(nChunky)->nHotY = y;
    }
};

TEST_F(Chunkies, ChunkiesAreSizedForEveryDepthClearedByRowsFreedAndUsedOnlyWhenTheyExist)
{
    const std::array<int, 3> Depths[] = {{8, 1, 8}, {15, 2, 16}, {16, 2, 16}, {24, 3, 24}, {32, 4, 32}};
    for (auto [nDepth, nBytes, nReported] : Depths) {
        ASSERT_EQ(Korvid.InitChunky(7, 5, 3, (uint8_t)nDepth), 1);
        const ChunkyObject& Chunky = *Korvid.ExistingChunky(7);
        EXPECT_EQ((std::array<int, 3>{Chunky.nBytesPerPixel, Korvid.ChunkyDepth(7), (int)Chunky.nSize}),
                  (std::array<int, 3>{nBytes, nReported, 15 * nBytes}));
        EXPECT_EQ(Shape(7), (Shape4{5, 3, 0, 0}));
        EXPECT_TRUE(Chunky.bHasCookie && !Korvid.ChunkyHasAlpha(7));
        EXPECT_EQ(ChunkyBytes(7), Bytes(Chunky.nSize, 0));
    }
    EXPECT_EQ(Korvid.InitChunky(500, 4, 4, 16), 0);
    EXPECT_EQ(Korvid.InitChunky(0xFFFFFFFF, 4, 4, 16), 0);
    EXPECT_TRUE(LogHas("ERROR: ** InitChunky(500, 4, 4, 16) - Chunky id out of Range **"));
    // Zero pixels, a depth below one byte and a buffer past 4 GB all fail; the old pixels are gone.
    const std::array<int, 3> Bad[] = {{0, 4, 16}, {4, 4, 6}, {65535, 65535, 32}};
    for (auto [w, h, nDepth] : Bad) {
        ASSERT_EQ(Korvid.InitChunky(3, 4, 4, 16), 1);
        EXPECT_EQ(Korvid.InitChunky(3, (uint16_t)w, (uint16_t)h, (uint8_t)nDepth), 0);
        EXPECT_FALSE(Korvid.ChunkyExists(3));
    }
    EXPECT_TRUE(LogHas("ERROR: ** InitChunky(3, 65535, 65535, 32) - Failed to Initialize Chunky **"));
    Korvid.FreeChunky(0);
    EXPECT_TRUE(LogHas("WARNING: ** Attempted to Free Chunky 0 **"));
    ASSERT_EQ(Korvid.InitChunky(4, 3, 3, 16), 1);
    ChunkyObject& Chunky = *Korvid.ChunkyRecord(4);
    ASSERT_EQ(Korvid.CreateAlphaMask(Chunky), 1);
    Korvid.FreeChunky(4);
    EXPECT_TRUE(Korvid.ChunkyExists(0) && !Korvid.ChunkyExists(4));
    EXPECT_EQ(Chunky.nSize, 0u);
    EXPECT_NE(Chunky.pAlpha, nullptr);
    EXPECT_EQ(Chunky.nAlphaSize, 9u);
    const size_t nLines = LogMessages().size();
    Korvid.FreeChunky(4);     // no longer exists
    Korvid.FreeChunky(500);   // beyond the table
    EXPECT_EQ(LogMessages().size(), nLines);
    // A record whose size does not match its shape is not released.
    ASSERT_EQ(Korvid.InitChunky(9, 4, 4, 16), 1);
    ChunkyObject& Dodgy = *Korvid.ChunkyRecord(9);
    Dodgy.nSize = 99;
    Korvid.FreeChunky(9);
    char szExpected[128];
    snprintf(szExpected, sizeof(szExpected), "DodgyChunky!! (0x%lx) Shape 4x4 Size 99",
             (unsigned long)(uintptr_t)&Dodgy);
    EXPECT_TRUE(LogHas(szExpected));
    EXPECT_TRUE(Korvid.ChunkyExists(9));
    Dodgy.nSize = 32;   // its shape again, so that shutting down frees it
    // Clearing fills the rows asked for; only existing chunkies are used; missing ones answer neutrally.
    ASSERT_EQ(Korvid.InitChunky(5, 2, 3, 16), 1);
    Korvid.ClearChunky(5, 0xABCD, 2);
    EXPECT_EQ(Pixels16(5), (Pixels{0xABCD, 0xABCD, 0xABCD, 0xABCD, 0, 0}));
    MakeChunky<uint8_t>(6, 4, 2, Bytes(8, 1));
    Korvid.ClearChunky(6, 0x3377, 200);
    EXPECT_EQ(ChunkyBytes(6), Bytes(8, 0x77));
    Korvid.UseChunky(5);
    Korvid.UseChunky(13);
    Korvid.UseChunky(100000);
    EXPECT_EQ(Korvid.GetUsedChunky(), 5u);
    EXPECT_EQ(Korvid.UsedChunkyRecord(), Korvid.ExistingChunky(5));
    for (uint32_t nChunky : {17u, 500u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(Korvid.ChunkyExists(nChunky) || Korvid.ChunkyHasAlpha(nChunky) || Korvid.ChunkyBuffer(nChunky));
        EXPECT_EQ(Korvid.ChunkyWidth(nChunky) + Korvid.ChunkyHeight(nChunky) + Korvid.ChunkyDepth(nChunky) +
                      Korvid.ChunkyScaledWidth(nChunky, 10),
                  0);
        Korvid.ClearChunky(nChunky, 1);
        Korvid.ChunkyFlip(nChunky, 3);
    }
}

using ChunkyTable = GfxTest;

TEST_F(ChunkyTable, WithoutATableTheUsedChunkyIsZeroAndTheLimitIsSetBeforeGraphicsStart)
{
    EXPECT_EQ(Korvid.GetUsedChunky(), 0u);
    EXPECT_TRUE(LogHas("WARNING: ** There was no Used Chunky! Assigning Chunky 0 **"));
    Korvid.SetMaxChunkies(1000);
    OpenDisplay();
    EXPECT_EQ(Korvid.InitChunky(999, 1, 1, 16), 1);
    Korvid.SetMaxChunkies(2000);
    EXPECT_TRUE(LogHas("ERROR: ** Too Late To SetMaxChunkies() - Must be done in KorvidConfig **"));
    EXPECT_EQ(Korvid.ChunkyTableSize(), 1000u);
    // Shutting down releases the table, the scale tables and the display.
    ASSERT_EQ(Korvid.UpdateScaleTables(4, 4, 1.0f, 1.0f), 1);
    Korvid.GFXShutDown();
    EXPECT_EQ(Korvid.ScaleTableX(), nullptr);
    EXPECT_FALSE(Korvid.DirtyListOn() || Korvid.ChunkyExists(0) || Korvid.DisplayOpen());
    EXPECT_EQ(Korvid.ChunkyTableSize() + Korvid.FontBankCount(), 0u);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"GFXShutDown()", "CloseDisplay()", "ReleaseDisplay()"}));
}

TEST_F(Chunkies, GrabTrimsToTheShapeKeepingItInPlaceOrKeepsTheRectangleAndLogsItsFailures)
{
    ASSERT_EQ(Korvid.InitChunky(1, 200, 100, 16), 1);
    // A diamond whose extreme pixels span (105, 58) to (114, 69), and a pixel outside the rectangle.
    const std::pair<int, int> Diamond[] = {{105, 63}, {114, 64}, {110, 58}, {109, 69}, {125, 64}};
    for (auto [x, y] : Diamond)
        Fill(1, x, y, x, y, (uint16_t)(x * y));
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 100, 50, 20, 20, 0, 10, 0), 1);
    EXPECT_EQ(Shape(2), (Shape4{10, 12, -5, -8}));
    EXPECT_EQ(Korvid.ExistingChunky(2)->bHasCookie, 1);
    // Placed at (100, 50) less the hot spot, every pixel lands on its source pixel.
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(Pixel16(2, x, y), Pixel16(1, 105 + x, 58 + y)) << x << "," << y;
    // An all-cookie rectangle shrinks to its bottom-right pixel.
    Korvid.SetCookieColour(0x1234);
    Korvid.ClearChunky(1, 0x1234);
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 10, 5, 20, 20, 0, 10, 0), 1);
    EXPECT_EQ(Shape(2), (Shape4{1, 1, -19, -19}));
    // Untrimmed the rectangle is kept.
    Korvid.SetCookieColour(0);
    ASSERT_EQ(Korvid.InitChunky(1, 30, 30, 16), 1);
    for (int x = 4; x < 9; ++x)
        Fill(1, x, 7, x, 7, (uint16_t)(0x100 + x));
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 2, 3, 10, 10, KOR_GRAB_NOTRIM, 10, 0), 1);
    EXPECT_EQ(Shape(2), (Shape4{10, 10, 0, 0}));
    EXPECT_EQ(Pixel16(2, 2, 4), 0x104);
    // The bottom scan never goes above row 1, so a one-row shape keeps the cookie row below it.
    ASSERT_EQ(Korvid.GrabChunky(3, 1, 2, 3, 10, 10, 0, 10, 0), 1);
    EXPECT_EQ(Pixels16(3), (Pixels{0x104, 0x105, 0x106, 0x107, 0x108, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Shape(3), (Shape4{5, 2, -2, -4}));
    // Untrimmed past the source only what exists is copied; grabbed out of itself a chunky is trimmed in place.
    MakeChunky<uint16_t>(4, 2, 2, {1, 2, 3, 4});
    ASSERT_EQ(Korvid.GrabChunky(5, 4, 1, 1, 3, 3, KOR_GRAB_NOTRIM, 10, 0), 1);
    EXPECT_EQ(Pixels16(5), (Pixels{4, 0, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_EQ(Korvid.GrabChunky(1, 1, 0, 0, 30, 30), 1);
    EXPECT_EQ(Pixels16(1), Pixels16(3));
    // Failures are logged and return zero.
    ASSERT_EQ(Korvid.InitChunky(1, 200, 100, 16), 1);
    EXPECT_EQ(Korvid.GrabChunky(6, 44, 0, 0, 4, 4), 0);
    EXPECT_EQ(Korvid.GrabChunky(500, 1, 0, 0, 4, 4), 0);
    EXPECT_EQ(Korvid.GrabChunky(6, 1, 190, 90, 20, 20), 0);
    EXPECT_EQ(Korvid.GrabChunky(6, 1, 10, 10, 0, 5), 0);
    EXPECT_FALSE(Korvid.ChunkyExists(6));
    ASSERT_EQ(Korvid.InitChunky(6, 3, 3, 16), 1);
    EXPECT_EQ(Korvid.GrabChunky(6, 1, 0, 0, 4, 4, KOR_GRAB_NOTRIM | KOR_GRAB_ALPHAONLY, 0, 0), 0);
    EXPECT_FALSE(Korvid.ChunkyHasAlpha(6));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** GrabChunky(6, 44) - Invalid Source Chunky **",
                                                "ERROR: ** GrabChunky(500) - Invalid Destination Chunky **",
                                                "ERROR: ** Grab Rect (190,90 210,110) Outside Chunky (200,100) **",
                                                "ERROR: ** GrabChunky(6) - Failed to Clip **",
                                                "ERROR: ** Chunky 6 Alpha Size (4x4) not same as Chunky (3x3) **"}));
}

TEST_F(Chunkies, AlphaMasksFollowBrightnessOrFeatherAndCopiesKeepTheHotSpotOrGrabIntoSmallerChunkies)
{
    // White unpacks to 248+252+248 = 748 -> 257, clamped; (48, 20, 48) gives exactly 116 / 2.9 = 40.
    MakeChunky<uint16_t>(1, 5, 1, {0xFFFF, 0x0000, KorvidConvert::Pack565(100, 50, 20), 0x0841, 0x30A6});
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 0, 0, 5, 1, KOR_GRAB_NOTRIM | KOR_GRAB_ALPHAONLY, 0, 0), 1);
    EXPECT_EQ(Alpha(2), (Bytes{255, 0, 160 * 10 / 29, 24 * 10 / 29, 40}));
    EXPECT_EQ(Korvid.ChunkyDepth(2), 8) << "without pixels copied the chunky holds 8-bit pixels";
    Korvid.SetPaletteEntry(5, 90, 90, 110);
    MakeChunky<uint8_t>(3, 2, 1, {5, 0});
    ASSERT_EQ(Korvid.GrabChunky(4, 3, 0, 0, 2, 1, KOR_GRAB_NOTRIM | KOR_GRAB_ALPHAONLY, 0, 0), 1);
    EXPECT_EQ(Alpha(4), (Bytes{100, 0}));
    // Radius 10: n = 1, bonus = 6/11, base = 2; weights 2 in the middle and 1 around,
    // total = 10 + 4 bonus. A 3 x 3 square in the middle of a 5 x 5 rectangle:
    //   middle: everything counts      -> over 256, clamped to 255
    //   edge:   6 weights (7) + 4 bonus -> 256 / total x (7 + 4 bonus) = 192
    //   corner: 4 weights (5) + 3 bonus -> 256 / total x (5 + 3 bonus) = 139
    ASSERT_EQ(Korvid.InitChunky(1, 5, 5, 16), 1);
    Fill(1, 1, 1, 3, 3, 0xFFFF);
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 0, 0, 5, 5, KOR_GRAB_NOTRIM | KOR_GRAB_FEATHER, 10, 0), 1);
    EXPECT_EQ(Alpha(2), (Bytes{0, 0,   0,   0,   0, 0, 139, 192, 139, 0, 0, 192, 255,
                               192, 0, 0, 139, 192, 139, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Pixels16(2), Pixels16(1)) << "the pixels themselves are a plain copy";
    // With a colour the radius widens (16: a 5 x 5 kernel) and the rectangle stays untrimmed; soft
    // cookie pixels take the colour, soft shape pixels fade red out and blue in.
    const uint16_t nBlue = KorvidConvert::Pack565(0, 0, 248);
    ASSERT_EQ(Korvid.InitChunky(1, 12, 12, 16), 1);
    Fill(1, 3, 3, 8, 8, 0xF800);
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 0, 0, 12, 12, KOR_GRAB_FEATHERCOLOUR, 10, nBlue), 1);
    const Bytes Mask = Alpha(2);
    int nSoft[2] = {0, 0};
    for (int n = 0; n < 144; ++n) {
        const uint8_t a = Mask[n];
        const uint16_t nSource = Korvid.ExistingChunky(1)->Pixels16()[n];
        const bool bSoft = a != 0 && a != 255;
        nSoft[nSource != 0] += bSoft;
        const uint16_t nFaded = KorvidConvert::Pack565((248 * a) >> 8, 0, (248 * (255 - a)) >> 8);
        EXPECT_EQ(Korvid.ExistingChunky(2)->Pixels16()[n], !bSoft ? nSource : (nSource ? nFaded : nBlue)) << n;
    }
    EXPECT_TRUE(Mask[5 * 12 + 1] > 0 && Mask[0] == 0 && nSoft[0] > 0 && nSoft[1] > 0);
    // A copy takes the rows and the hot spot.
    MakeChunky<uint16_t>(1, 2, 3, {1, 2, 3, 4, 5, 6});
    SetHotSpot(1, 7, -3);
    MakeChunky<uint16_t>(2, 2, 4, Pixels(8, 9));
    Korvid.ChunkyCopy(1, 2, 2);
    EXPECT_EQ(Pixels16(2), (Pixels{1, 2, 3, 4, 9, 9, 9, 9}));
    EXPECT_EQ(Shape(2), (Shape4{2, 4, 7, -3}));
    EXPECT_EQ(Korvid.ExistingChunky(2)->bHasCookie, 0);
    // Into a smaller chunky the copy is grabbed and trimmed, but blits where the source does:
    // source pixel (1, 2) sits at position - (2, 1) + (1, 2); the copy's (0, 0) at position - its hot spot.
    ASSERT_EQ(Korvid.InitChunky(3, 6, 6, 16), 1);
    for (int y = 2; y < 5; ++y)
        Fill(3, 1, y, 3, y, (uint16_t)(10 * y + 1));
    SetHotSpot(3, 2, 1);
    ASSERT_EQ(Korvid.InitChunky(4, 6, 2, 16), 1);
    Korvid.ChunkyCopy(3, 4);
    EXPECT_EQ(Shape(4), (Shape4{3, 3, 2 - 1, 1 - 2}));
    EXPECT_EQ(Pixels16(4), (Pixels{21, 21, 21, 31, 31, 31, 41, 41, 41}));
    // Copies and scales refuse themselves, missing sources and empty sizes.
    MakeChunky<uint16_t>(5, 1, 1, {5});
    Korvid.ChunkyCopy(5, 5);
    Korvid.ChunkyCopy(6, 5);
    Korvid.ChunkyScale(8, 2, 4, 4, 0);
    Korvid.ChunkyScale(5, 6, 0, 0, 0);
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"WARNING: ChunkyCopy(5,5) - Source and Destination the same!",
                        "ERROR: ChunkyCopy(6,5) - Source Doesn't Exist", "ERROR: ** Invalid Scale Chunky (8) **",
                        "ERROR: ** ChunkyScale(5, 6, 0, 0, ...) Illegal Scale - Width & Height Both NULL **"}));
    EXPECT_EQ(Pixel16(5, 0, 0), 5);
    EXPECT_FALSE(Korvid.ChunkyExists(6));
}

TEST_F(Chunkies, FlipsMirrorAndScalesKeepTheAspectThroughRunningSumsCentringOrAveraging)
{
    MakeChunky<uint16_t>(1, 4, 2, {1, 2, 3, 4, 5, 6, 7, 8});
    SetHotSpot(1, 1, 0);
    Korvid.ChunkyFlip(1, KOR_FLIP_LEFTRIGHT | KOR_FLIP_TOPBOTTOM);
    EXPECT_EQ(Pixels16(1), (Pixels{8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(Shape(1), (Shape4{4, 2, 3, 2}));
    MakeChunky<uint8_t>(2, 3, 2, {1, 2, 3, 4, 5, 6});
    Korvid.ChunkyFlip(2, KOR_FLIP_LEFTRIGHT);
    EXPECT_EQ(ChunkyBytes(2), (Bytes{3, 2, 1, 6, 5, 4}));
    Korvid.ChunkyFlip(2, KOR_FLIP_TOPBOTTOM);
    EXPECT_EQ(ChunkyBytes(2), (Bytes{6, 5, 4, 3, 2, 1}));
    ASSERT_EQ(Korvid.UpdateScaleTables(4, 3, 1.5f, 2.0f), 1);
    EXPECT_EQ(Pixels(Korvid.ScaleTableX(), Korvid.ScaleTableX() + 4), (Pixels{0, 1, 3, 4}));
    EXPECT_EQ(Pixels(Korvid.ScaleTableY(), Korvid.ScaleTableY() + 3), (Pixels{0, 2, 4}));
    // A new factor rebuilds; a smaller count keeps the grown table.
    const uint16_t* pX = Korvid.ScaleTableX();
    ASSERT_EQ(Korvid.UpdateScaleTables(3, 3, 0.5f, 2.0f), 1);
    EXPECT_EQ(Korvid.ScaleTableX(), pX);
    EXPECT_EQ(Pixels(pX, pX + 3), (Pixels{0, 0, 1}));
    // The running sum is kept in extended precision: no drift over a long table.
    ASSERT_EQ(Korvid.UpdateScaleTables(3000, 1, 0.1f, 1.0f), 1);
    long double fExpected = 0.0L;
    for (int n = 0; n < 3000; ++n, fExpected += 0.1f)
        ASSERT_EQ(Korvid.ScaleTableX()[n], (uint16_t)fExpected) << n;
    ASSERT_EQ(Korvid.InitChunky(1, 100, 50, 16), 1);
    EXPECT_EQ((std::array<int, 5>{Korvid.ChunkyScaledWidth(1, 25), Korvid.ChunkyScaledWidth(1, 30),
                                  Korvid.ChunkyScaledWidth(1, 0), Korvid.ChunkyScaledHeight(1, 40),
                                  Korvid.ChunkyScaledHeight(1, 300)}),
              (std::array<int, 5>{50, 60, 0, 20, 50}));
    Korvid.FreeChunky(2);
    for (int n = 0; n < 100 * 50; ++n)
        Korvid.ExistingChunky(1)->Pixels16()[n] = (uint16_t)(n % 100 + 1);
    SetHotSpot(1, 20, 10);
    Korvid.ChunkyScale(1, 2, 50, 0, 0);
    EXPECT_EQ(Shape(2), (Shape4{50, 25, 10, 5}));
    EXPECT_EQ(Pixel16(2, 7, 3), 15);   // nearest: source column 14
    Korvid.ChunkyScale(1, 3, 0, 10, 0);
    EXPECT_EQ(Shape(3), (Shape4{20, 10, 4, 2}));
    // Scaled into an existing chunky the picture is centred.
    MakeChunky<uint16_t>(1, 2, 2, {1, 2, 3, 4});
    ASSERT_EQ(Korvid.InitChunky(2, 6, 4, 16), 1);
    Korvid.ClearChunky(2, 0x7777);
    Korvid.ChunkyScale(1, 2, 4, 2, 0);
    EXPECT_EQ(Pixels16(2), (Pixels{0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 2, 0, 0, 3, 3, 4, 4, 0, 0, 0, 0, 0, 0, 0}));
    // Freed first the destination takes the scaled size; scaled into itself a chunky reads its original.
    Korvid.ChunkyScale(1, 2, 4, 4, KOR_SCALE_FREEDEST);
    EXPECT_EQ(Korvid.ChunkyWidth(2), 4);
    Korvid.ChunkyScale(1, 3, 2, 2, 0);
    EXPECT_EQ(Pixels16(3), (Pixels{1, 2, 3, 4}));
    Korvid.ChunkyScale(1, 1, 4, 4, KOR_SCALE_FREEDEST);
    EXPECT_EQ(Pixels16(1), Pixels16(2));
    // Averaging skips cookie pixels.
    ASSERT_EQ(Korvid.InitChunky(1, 8, 8, 16), 1);
    Fill(1, 0, 0, 0, 0, KorvidConvert::Pack565(248, 0, 0));
    Fill(1, 1, 0, 1, 0, KorvidConvert::Pack565(0, 252, 0));
    Fill(1, 0, 1, 0, 1, KorvidConvert::Pack565(0, 0, 248));   // (1, 1) stays cookie
    Fill(1, 4, 4, 4, 4, 0x1234);
    Korvid.ChunkyScale(1, 2, 4, 4, KOR_SCALE_AVERAGE);
    // Blocks are 2 x 2 except in the last two columns and rows, which take single pixels.
    EXPECT_EQ(Pixel16(2, 0, 0), KorvidConvert::Pack565(248 / 3, 252 / 3, 248 / 3));
    EXPECT_EQ(Pixel16(2, 1, 0), 0);
    EXPECT_EQ(Pixel16(2, 2, 2), 0x1234);
    // Reds 100 (1), 120 (2), 128 (4), the rest black: through the close table 104..111 finds 1 and
    // 112..119 finds 2. Block 0 wants 110 -> 1, leaving +10, halved to 5; block 1 wants 115 -> 2.
    Korvid.SetPaletteEntry(1, 100, 0, 0);
    Korvid.SetPaletteEntry(2, 120, 0, 0);
    Korvid.SetPaletteEntry(4, 128, 0, 0);
    MakeChunky<uint8_t>(3, 8, 1, {1, 2, 1, 2, 1, 9, 4, 9});
    Korvid.ChunkyScale(3, 4, 4, 1, KOR_SCALE_AVERAGE);
    EXPECT_EQ(ChunkyBytes(4), (Bytes{1, 2, 1, 4}));
}

}  // namespace
