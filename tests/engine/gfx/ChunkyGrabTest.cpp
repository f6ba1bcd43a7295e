// GrabChunky: trimming to the shape with a hot spot that keeps the image in
// place, the untrimmed grab, failures, and the brightness and feathered alpha
// masks checked against values worked out by hand from their formulas.
#include <cstring>

#include "GfxTestSupport.h"

namespace {

class ChunkyGrab : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(64, 48, 16);   // RGB565 on the dummy driver, cookie colour 0
        ASSERT_EQ(Korvid.PixelFormat().nId, KOR_PIXFMT_RGB16);
    }
    static void Put(uint32_t nChunky, int x, int y, uint16_t nPixel)
    {
        Korvid.ExistingChunky(nChunky)->Pixels16()[y * Korvid.ChunkyWidth(nChunky) + x] = nPixel;
    }
    static uint8_t Alpha(uint32_t nChunky, int x, int y)
    {
        return Korvid.ExistingChunky(nChunky)->pAlpha[y * Korvid.ChunkyWidth(nChunky) + x];
    }
};

TEST_F(ChunkyGrab, TrimsToTheShapeAndKeepsItInPlaceThroughTheHotSpot)
{
    ASSERT_EQ(Korvid.InitChunky(1, 200, 100, 16), 1);
    // A diamond whose extreme pixels span (105, 58) to (114, 69).
    Put(1, 105, 63, 0x1111);
    Put(1, 114, 64, 0x2222);
    Put(1, 110, 58, 0x3333);
    Put(1, 109, 69, 0x4444);
    Put(1, 110, 64, 0x5555);
    Put(1, 125, 64, 0x6666);   // outside the grab rectangle
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 100, 50, 20, 20, 0, 10, 0), 1);
    const ChunkyObject& Grabbed = *Korvid.ExistingChunky(2);
    EXPECT_EQ(Grabbed.nWidth, 10);
    EXPECT_EQ(Grabbed.nHeight, 12);
    EXPECT_EQ(Grabbed.nHotX, -5);
    EXPECT_EQ(Grabbed.nHotY, -8);
    EXPECT_EQ(Grabbed.bHasCookie, 1);
    // Placed at (100, 50) less the hot spot, every pixel lands on its source pixel.
    int nLeft = 100 - Grabbed.nHotX, nTop = 50 - Grabbed.nHotY;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(Pixel16(2, x, y), Pixel16(1, nLeft + x, nTop + y)) << x << "," << y;
}

TEST_F(ChunkyGrab, AnAllCookieRectangleShrinksToItsBottomRightPixel)
{
    Korvid.SetCookieColour(0x1234);
    ASSERT_EQ(Korvid.InitChunky(1, 40, 40, 16), 1);
    Korvid.ClearChunky(1, 0x1234);
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 10, 5, 20, 20, 0, 10, 0), 1);
    EXPECT_EQ(Korvid.ChunkyWidth(2), 1);
    EXPECT_EQ(Korvid.ChunkyHeight(2), 1);
    EXPECT_EQ(Pixel16(2, 0, 0), 0x1234);
    EXPECT_EQ(Korvid.ExistingChunky(2)->nHotX, -19);
    EXPECT_EQ(Korvid.ExistingChunky(2)->nHotY, -19);
}

TEST_F(ChunkyGrab, NoTrimKeepsTheRectangleAndTrimmingStopsAtRowOne)
{
    ASSERT_EQ(Korvid.InitChunky(1, 30, 30, 16), 1);
    for (int x = 4; x < 9; ++x)
        Put(1, x, 7, (uint16_t)(0x100 + x));
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 2, 3, 10, 10, KOR_GRAB_NOTRIM, 10, 0), 1);
    EXPECT_EQ(Korvid.ChunkyWidth(2), 10);
    EXPECT_EQ(Korvid.ChunkyHeight(2), 10);
    EXPECT_EQ(Korvid.ExistingChunky(2)->nHotX, 0);
    EXPECT_EQ(Korvid.ExistingChunky(2)->nHotY, 0);
    EXPECT_EQ(Pixel16(2, 2, 4), 0x104);

    // The bottom scan never goes above row 1, so a one-row shape keeps the cookie row below it.
    ASSERT_EQ(Korvid.GrabChunky(3, 1, 2, 3, 10, 10, 0, 10, 0), 1);
    EXPECT_EQ(Korvid.ChunkyWidth(3), 5);
    EXPECT_EQ(Korvid.ChunkyHeight(3), 2);
    EXPECT_EQ(Pixel16(3, 0, 0), 0x104);
    EXPECT_EQ(Pixel16(3, 4, 0), 0x108);
    EXPECT_EQ(Pixel16(3, 4, 1), 0);
    EXPECT_EQ(Korvid.ExistingChunky(3)->nHotY, -4);
}

TEST_F(ChunkyGrab, AnUntrimmedRectangleReachingPastTheSourceCopiesOnlyWhatExists)
{
    MakeChunky<uint16_t>(1, 2, 2, {1, 2, 3, 4});
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 1, 1, 3, 3, KOR_GRAB_NOTRIM, 10, 0), 1);
    EXPECT_EQ(Pixel16(2, 0, 0), 4);
    for (int n = 1; n < 9; ++n)
        EXPECT_EQ(Korvid.ExistingChunky(2)->Pixels16()[n], 0) << n;
}

TEST_F(ChunkyGrab, FailuresAreLoggedAndReturnZero)
{
    ASSERT_EQ(Korvid.InitChunky(1, 200, 100, 16), 1);
    EXPECT_EQ(Korvid.GrabChunky(2, 44, 0, 0, 4, 4), 0);
    EXPECT_EQ(Korvid.GrabChunky(500, 1, 0, 0, 4, 4), 0);
    EXPECT_EQ(Korvid.GrabChunky(2, 1, 190, 90, 20, 20), 0);
    EXPECT_EQ(Korvid.GrabChunky(2, 1, 10, 10, 0, 5), 0);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** GrabChunky(2, 44) - Invalid Source Chunky **",
                                                "ERROR: ** GrabChunky(500) - Invalid Destination Chunky **",
                                                "ERROR: ** Grab Rect (190,90 210,110) Outside Chunky (200,100) **",
                                                "ERROR: ** GrabChunky(2) - Failed to Clip **"}));
    EXPECT_FALSE(Korvid.ChunkyExists(2));
}

TEST_F(ChunkyGrab, GrabbingAChunkyOutOfItselfTrimsItInPlace)
{
    ASSERT_EQ(Korvid.InitChunky(1, 16, 16, 16), 1);
    Put(1, 5, 6, 0x0F0F);
    Put(1, 7, 9, 0xF0F0);
    ASSERT_EQ(Korvid.GrabChunky(1, 1, 0, 0, 16, 16), 1);
    EXPECT_EQ(Korvid.ChunkyWidth(1), 3);
    EXPECT_EQ(Korvid.ChunkyHeight(1), 4);
    EXPECT_EQ(Pixel16(1, 0, 0), 0x0F0F);
    EXPECT_EQ(Pixel16(1, 2, 3), 0xF0F0);
}

TEST_F(ChunkyGrab, BrightnessAlphaFollowsTheUnpackedComponents)
{
    // White unpacks to 248+252+248 = 748 -> 257, clamped; (48, 20, 48) gives exactly 116 / 2.9 = 40.
    MakeChunky<uint16_t>(1, 5, 1, {0xFFFF, 0x0000, KorvidConvert::Pack565(100, 50, 20), 0x0841, 0x30A6});
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 0, 0, 5, 1, KOR_GRAB_NOTRIM | KOR_GRAB_ALPHAONLY, 0, 0), 1);
    ASSERT_TRUE(Korvid.ChunkyHasAlpha(2));
    const uint8_t Expected[5] = {255, 0, 160 * 10 / 29, 24 * 10 / 29, 40};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(Alpha(2, x, 0), Expected[x]) << x;
    // Without pixels copied the new chunky holds 8-bit pixels of the same size.
    EXPECT_EQ(Korvid.ChunkyDepth(2), 8);
}

TEST_F(ChunkyGrab, BrightnessAlphaOfAnIndexedChunkyReadsThePalette)
{
    Korvid.SetPaletteEntry(5, 90, 90, 110);
    MakeChunky<uint8_t>(1, 2, 1, {5, 0});
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 0, 0, 2, 1, KOR_GRAB_NOTRIM | KOR_GRAB_ALPHAONLY, 0, 0), 1);
    EXPECT_EQ(Alpha(2, 0, 0), 100);
    EXPECT_EQ(Alpha(2, 1, 0), 0);
}

TEST_F(ChunkyGrab, AnAlphaRectangleOfAnotherSizeThanTheChunkyIsRefused)
{
    ASSERT_EQ(Korvid.InitChunky(1, 8, 8, 16), 1);
    Korvid.ClearChunky(1, 0xFFFF);
    ASSERT_EQ(Korvid.InitChunky(2, 3, 3, 16), 1);
    EXPECT_EQ(Korvid.GrabChunky(2, 1, 0, 0, 4, 4, KOR_GRAB_NOTRIM | KOR_GRAB_ALPHAONLY, 0, 0), 0);
    EXPECT_TRUE(Logged("ERROR: ** Chunky 2 Alpha Size (4x4) not same as Chunky (3x3) **"));
    EXPECT_FALSE(Korvid.ChunkyHasAlpha(2));
}

TEST_F(ChunkyGrab, FeatheredAlphaOfASquareMatchesTheKernelByHand)
{
    // Radius 10: n = 1, bonus = 6/11, base = 2; weights 2 in the middle and 1 around,
    // total = 10 + 4 bonus. A 3 x 3 square in the middle of a 5 x 5 rectangle:
    //   middle: everything counts      -> over 256, clamped to 255
    //   edge:   6 weights (7) + 4 bonus -> 256 / total x (7 + 4 bonus)
    //   corner: 4 weights (5) + 3 bonus -> 256 / total x (5 + 3 bonus)
    ASSERT_EQ(Korvid.InitChunky(1, 5, 5, 16), 1);
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 4; ++x)
            Put(1, x, y, 0xFFFF);
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 0, 0, 5, 5, KOR_GRAB_NOTRIM | KOR_GRAB_FEATHER, 10, 0), 1);
    float fBonus = 6.0f / 11;
    float fTotal = 10 + 4 * fBonus;
    uint8_t nEdge = (uint8_t)(256 / fTotal * (7 + 4 * fBonus));
    uint8_t nCorner = (uint8_t)(256 / fTotal * (5 + 3 * fBonus));
    EXPECT_EQ(nEdge, 192);
    EXPECT_EQ(nCorner, 139);
    const uint8_t Expected[5][5] = {{0, 0, 0, 0, 0},
                                    {0, nCorner, nEdge, nCorner, 0},
                                    {0, nEdge, 255, nEdge, 0},
                                    {0, nCorner, nEdge, nCorner, 0},
                                    {0, 0, 0, 0, 0}};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(Alpha(2, x, y), Expected[y][x]) << x << "," << y;
    // The pixels themselves are a plain copy.
    EXPECT_EQ(Pixel16(2, 2, 2), 0xFFFF);
    EXPECT_EQ(Pixel16(2, 0, 0), 0);
}

TEST_F(ChunkyGrab, ColourFeatherWidensTheMaskAndBlendsTheColourIntoTheSoftEdge)
{
    const uint16_t nColour = KorvidConvert::Pack565(0, 0, 248);
    const uint16_t nShape = KorvidConvert::Pack565(248, 0, 0);
    ASSERT_EQ(Korvid.InitChunky(1, 12, 12, 16), 1);
    for (int y = 3; y < 9; ++y)
        for (int x = 3; x < 9; ++x)
            Put(1, x, y, nShape);
    // Flag 0x10 implies no trimming, so the chunky keeps the rectangle.
    ASSERT_EQ(Korvid.GrabChunky(2, 1, 0, 0, 12, 12, KOR_GRAB_FEATHERCOLOUR, 10, nColour), 1);
    ASSERT_EQ(Korvid.ChunkyWidth(2), 12);
    int nSoftCookie = 0, nSoftShape = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            uint8_t a = Alpha(2, x, y);
            uint16_t nSource = Pixel16(1, x, y), nResult = Pixel16(2, x, y);
            if (a == 0 || a == 255) {
                EXPECT_EQ(nResult, nSource) << x << "," << y;
            } else if (nSource == 0) {
                ++nSoftCookie;
                EXPECT_EQ(nResult, nColour) << x << "," << y;
            } else {
                ++nSoftShape;
                // red 248 fades out, blue 248 fades in: (248 x (255 - a)) >> 8 blue, (248 x a) >> 8 red
                EXPECT_EQ(nResult, KorvidConvert::Pack565((uint8_t)((248 * a) >> 8), 0,
                                                          (uint8_t)((248 * (255 - a)) >> 8)))
                    << x << "," << y;
            }
        }
    // The wider radius (16: a 5 x 5 kernel) reaches two pixels beyond the shape and into it.
    EXPECT_GT(Alpha(2, 1, 5), 0);
    EXPECT_EQ(Alpha(2, 0, 0), 0);
    EXPECT_GT(nSoftCookie, 0);
    EXPECT_GT(nSoftShape, 0);
}

}  // namespace
