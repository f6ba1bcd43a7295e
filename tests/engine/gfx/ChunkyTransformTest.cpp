// Copying, mirroring and scaling chunkies: hot spots, sizes, the scale tables
// and the averaging scalers, worked out by hand.
#include <cmath>

#include "GfxTestSupport.h"

namespace {

class ChunkyTransform : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(64, 48, 16);
    }
    static void SetHotSpot(uint32_t nChunky, int16_t x, int16_t y)
    {
        Korvid.ExistingChunky(nChunky)->nHotX = x;
        Korvid.ExistingChunky(nChunky)->nHotY = y;
    }
    static int16_t HotX(uint32_t nChunky) { return Korvid.ExistingChunky(nChunky)->nHotX; }
    static int16_t HotY(uint32_t nChunky) { return Korvid.ExistingChunky(nChunky)->nHotY; }
};

TEST_F(ChunkyTransform, CopyIntoAWideEnoughChunkyCopiesRowsAndTheHotSpot)
{
    MakeChunky<uint16_t>(1, 2, 3, {1, 2, 3, 4, 5, 6});
    SetHotSpot(1, 7, -3);
    MakeChunky<uint16_t>(2, 2, 4, {9, 9, 9, 9, 9, 9, 9, 9});
    Korvid.ChunkyCopy(1, 2, 2);
    const uint16_t Expected[8] = {1, 2, 3, 4, 9, 9, 9, 9};
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(Korvid.ExistingChunky(2)->Pixels16()[n], Expected[n]) << n;
    EXPECT_EQ(Korvid.ChunkyHeight(2), 4);
    EXPECT_EQ(HotX(2), 7);
    EXPECT_EQ(HotY(2), -3);
    EXPECT_EQ(Korvid.ExistingChunky(2)->bHasCookie, 0);
}

TEST_F(ChunkyTransform, CopyIntoASmallerChunkyGrabsAndTrimsButBlitsWhereTheSourceDoes)
{
    ASSERT_EQ(Korvid.InitChunky(1, 6, 6, 16), 1);
    for (int y = 2; y < 5; ++y)
        for (int x = 1; x < 4; ++x)
            Korvid.ExistingChunky(1)->Pixels16()[y * 6 + x] = (uint16_t)(10 * y + x);
    SetHotSpot(1, 2, 1);
    ASSERT_EQ(Korvid.InitChunky(2, 6, 2, 16), 1);
    Korvid.ChunkyCopy(1, 2);
    ASSERT_EQ(Korvid.ChunkyWidth(2), 3);
    ASSERT_EQ(Korvid.ChunkyHeight(2), 3);
    EXPECT_EQ(Pixel16(2, 0, 0), 21);
    // Source pixel (1, 2) sits at position - (2, 1) + (1, 2); the copy's pixel (0, 0) at position - its hot spot.
    EXPECT_EQ(HotX(2), 2 - 1);
    EXPECT_EQ(HotY(2), 1 - 2);
}

TEST_F(ChunkyTransform, CopyRefusesItselfAndAMissingSource)
{
    MakeChunky<uint16_t>(1, 1, 1, {5});
    Korvid.ChunkyCopy(1, 1);
    Korvid.ChunkyCopy(3, 1);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"WARNING: ChunkyCopy(1,1) - Source and Destination the same!",
                                                "ERROR: ChunkyCopy(3,1) - Source Doesn't Exist"}));
    EXPECT_EQ(Pixel16(1, 0, 0), 5);
}

TEST_F(ChunkyTransform, FlipMirrorsPixelsAndHotSpot)
{
    MakeChunky<uint16_t>(1, 4, 2, {1, 2, 3, 4, 5, 6, 7, 8});
    SetHotSpot(1, 1, 0);
    Korvid.ChunkyFlip(1, KOR_FLIP_LEFTRIGHT | KOR_FLIP_TOPBOTTOM);
    const uint16_t Both[8] = {8, 7, 6, 5, 4, 3, 2, 1};
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(Korvid.ExistingChunky(1)->Pixels16()[n], Both[n]) << n;
    EXPECT_EQ(HotX(1), 3);
    EXPECT_EQ(HotY(1), 2);

    MakeChunky<uint8_t>(2, 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    Korvid.ChunkyFlip(2, KOR_FLIP_LEFTRIGHT);
    const uint8_t LeftRight[9] = {3, 2, 1, 6, 5, 4, 9, 8, 7};
    for (int n = 0; n < 9; ++n)
        EXPECT_EQ(Korvid.ChunkyBuffer(2)[n], LeftRight[n]) << n;
    Korvid.ChunkyFlip(2, KOR_FLIP_TOPBOTTOM);
    EXPECT_EQ(Pixel8(2, 0, 0), 9);
    EXPECT_EQ(Pixel8(2, 2, 2), 1);
    EXPECT_EQ(HotX(2), 3);
    EXPECT_EQ(HotY(2), 3);
}

TEST_F(ChunkyTransform, ScaledSizesKeepTheAspectRatio)
{
    ASSERT_EQ(Korvid.InitChunky(1, 100, 50, 16), 1);
    EXPECT_EQ(Korvid.ChunkyScaledWidth(1, 25), 50);
    EXPECT_EQ(Korvid.ChunkyScaledWidth(1, 50), 100);
    EXPECT_EQ(Korvid.ChunkyScaledWidth(1, 30), 60);
    EXPECT_EQ(Korvid.ChunkyScaledHeight(1, 40), 20);
    EXPECT_EQ(Korvid.ChunkyScaledHeight(1, 300), 50);
    EXPECT_EQ(Korvid.ChunkyScaledWidth(1, 0), 0);
}

TEST_F(ChunkyTransform, ScaleTablesHoldTruncatedRunningSums)
{
    ASSERT_EQ(Korvid.UpdateScaleTables(4, 3, 1.5f, 2.0f), 1);
    const uint16_t X[4] = {0, 1, 3, 4}, Y[3] = {0, 2, 4};
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(Korvid.ScaleTableX()[n], X[n]);
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(Korvid.ScaleTableY()[n], Y[n]);
    // A new factor rebuilds; a smaller count keeps the grown table.
    const uint16_t* pX = Korvid.ScaleTableX();
    ASSERT_EQ(Korvid.UpdateScaleTables(3, 3, 0.5f, 2.0f), 1);
    EXPECT_EQ(Korvid.ScaleTableX(), pX);
    EXPECT_EQ(Korvid.ScaleTableX()[1], 0);
    EXPECT_EQ(Korvid.ScaleTableX()[2], 1);
    // The running sum is kept in extended precision: no drift over a long table.
    ASSERT_EQ(Korvid.UpdateScaleTables(3000, 1, 0.1f, 1.0f), 1);
    for (int n = 0; n < 3000; ++n) {
        long double fExpected = 0.0L;
        for (int k = 0; k < n; ++k)
            fExpected += 0.1f;
        ASSERT_EQ(Korvid.ScaleTableX()[n], (uint16_t)fExpected) << n;
    }
}

TEST_F(ChunkyTransform, ScaleToAWidthKeepsTheAspectAndScalesTheHotSpot)
{
    ASSERT_EQ(Korvid.InitChunky(1, 100, 50, 16), 1);
    for (int n = 0; n < 100 * 50; ++n)
        Korvid.ExistingChunky(1)->Pixels16()[n] = (uint16_t)(n % 100 + 1);
    SetHotSpot(1, 20, 10);
    Korvid.ChunkyScale(1, 2, 50, 0, 0);
    ASSERT_EQ(Korvid.ChunkyWidth(2), 50);
    ASSERT_EQ(Korvid.ChunkyHeight(2), 25);
    EXPECT_EQ(HotX(2), 10);
    EXPECT_EQ(HotY(2), 5);
    EXPECT_EQ(Pixel16(2, 7, 3), 15);   // nearest: source column 14

    Korvid.ChunkyScale(1, 3, 0, 10, 0);
    EXPECT_EQ(Korvid.ChunkyWidth(3), 20);
    EXPECT_EQ(Korvid.ChunkyHeight(3), 10);
}

TEST_F(ChunkyTransform, ScaleToTheSameSizeIsAPlainCopy)
{
    MakeChunky<uint16_t>(1, 2, 2, {1, 2, 3, 4});
    Korvid.ChunkyScale(1, 2, 2, 2, 0);
    EXPECT_EQ(Korvid.ScaleTableX(), nullptr);
    EXPECT_EQ(Pixel16(2, 1, 1), 4);
}

TEST_F(ChunkyTransform, ScaleRefusesAMissingSourceAndAnEmptySize)
{
    MakeChunky<uint16_t>(1, 2, 2, {1, 2, 3, 4});
    Korvid.ChunkyScale(8, 2, 4, 4, 0);
    Korvid.ChunkyScale(1, 2, 0, 0, 0);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** Invalid Scale Chunky (8) **",
                                                "ERROR: ** ChunkyScale(1, 2, 0, 0, ...) Illegal Scale - Width & Height Both NULL **"}));
    EXPECT_FALSE(Korvid.ChunkyExists(2));
}

TEST_F(ChunkyTransform, ScaleIntoAnExistingChunkyCentresTheImage)
{
    MakeChunky<uint16_t>(1, 2, 2, {1, 2, 3, 4});
    ASSERT_EQ(Korvid.InitChunky(2, 6, 6, 16), 1);
    Korvid.ClearChunky(2, 0x7777);
    Korvid.ChunkyScale(1, 2, 4, 4, 0);
    EXPECT_EQ(Korvid.ChunkyWidth(2), 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            bool bInside = x >= 1 && x < 5 && y >= 1 && y < 5;
            uint16_t nExpected = bInside ? (uint16_t)(1 + (x - 1) / 2 + 2 * ((y - 1) / 2)) : 0;
            EXPECT_EQ(Pixel16(2, x, y), nExpected) << x << "," << y;
        }
    // Flag 0x08 releases the destination first, so it takes the scaled size.
    Korvid.ChunkyScale(1, 2, 4, 4, KOR_SCALE_FREEDEST);
    EXPECT_EQ(Korvid.ChunkyWidth(2), 4);
}

TEST_F(ChunkyTransform, AveragingScaleOf16BitPixelsSkipsCookiePixels)
{
    using KorvidConvert::Pack565;
    ASSERT_EQ(Korvid.InitChunky(1, 8, 8, 16), 1);
    uint16_t* pPixels = Korvid.ExistingChunky(1)->Pixels16();
    pPixels[0] = Pack565(248, 0, 0);
    pPixels[1] = Pack565(0, 252, 0);
    pPixels[8] = Pack565(0, 0, 248);   // (1, 1) stays cookie
    pPixels[4 * 8 + 4] = 0x1234;
    Korvid.ChunkyScale(1, 2, 4, 4, KOR_SCALE_AVERAGE);
    // Blocks are 2 x 2 except in the last two columns and rows, which take single pixels.
    EXPECT_EQ(Pixel16(2, 0, 0), Pack565(248 / 3, 252 / 3, 248 / 3));
    EXPECT_EQ(Pixel16(2, 1, 0), 0);
    EXPECT_EQ(Pixel16(2, 2, 2), 0x1234);
}

TEST_F(ChunkyTransform, AveragingScaleOf8BitPixelsCarriesTheErrorAlongTheRow)
{
    // Reds 100 (1), 120 (2), 128 (4); everything else black. Through the close table
    // a wanted red of 104..111 finds entry 1 and 112..119 entry 2.
    Korvid.SetPaletteEntry(1, 100, 0, 0);
    Korvid.SetPaletteEntry(2, 120, 0, 0);
    Korvid.SetPaletteEntry(4, 128, 0, 0);
    MakeChunky<uint8_t>(1, 8, 1, {1, 2, 1, 2, 1, 9, 4, 9});
    Korvid.ChunkyScale(1, 2, 4, 1, KOR_SCALE_AVERAGE);
    // Block 0 wants 110 -> entry 1, leaving +10, halved to 5. Block 1 wants 110 + 5 -> entry 2.
    const uint8_t Expected[4] = {1, 2, 1, 4};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(Pixel8(2, x, 0), Expected[x]) << x;
}

TEST_F(ChunkyTransform, ScalingAChunkyIntoItselfReadsTheOriginal)
{
    MakeChunky<uint16_t>(1, 2, 2, {1, 2, 3, 4});
    Korvid.ChunkyScale(1, 1, 4, 4, KOR_SCALE_FREEDEST);
    ASSERT_EQ(Korvid.ChunkyWidth(1), 4);
    EXPECT_EQ(Pixel16(1, 0, 0), 1);
    EXPECT_EQ(Pixel16(1, 3, 3), 4);
}

}  // namespace
