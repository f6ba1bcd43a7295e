// BlitScale (the plain-blit shortcut, nearest and averaging scaling through the
// scale tables, refused rectangles) and BlitRotate (the engine's angle, gap
// filling, cookie pixels and the edges of the used chunky).
#include <random>

#include "GfxTestSupport.h"

namespace {

constexpr uint16_t kBackground = 0xFFFF;

class BlitScaleRotate : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(32, 24, 16);
        Korvid.ClearChunky(0, kBackground);
    }
};

TEST_F(BlitScaleRotate, MissingChunkiesOtherDepthsAndRectanglesOutsideAreRefused)
{
    const KorvidRect Rect = {0, 0, 4, 4};
    Korvid.BlitScale(42, Rect, Rect, 0);
    Korvid.BlitRotate(43, 0, 0, 10.0, 0x7FFF, 0x7FFF);
    MakeNumbered(1, 4, 4);
    Korvid.BlitScale(1, KorvidRect{-2, 0, 4, 4}, KorvidRect{0, 0, 8, 8}, 0);
    Korvid.BlitScale(1, KorvidRect{0, 0, 5, 4}, KorvidRect{0, 0, 8, 8}, 0);
    ASSERT_EQ(Korvid.InitChunky(2, 4, 4, 8), 1);
    memset(Korvid.ChunkyBuffer(2), 9, 16);
    Korvid.BlitRotate(2, 5, 5, 30.0, 0x7FFF, 0x7FFF);
    Korvid.BlitScale(2, Rect, KorvidRect{0, 0, 8, 8}, 0);
    EXPECT_EQ(CountDrawn(kBackground), 0);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** BlitScale(42, ... ) - Invalid Scale Chunky **",
                                                "ERROR: ** BlitRotate(43, ... ) - Invalid Rotate Chunky **",
                                                "ERROR: ** BlitScale(1, ... ) - Source Rect (-2,0 4,4) Outside Chunky (4,4) **",
                                                "ERROR: ** BlitScale(1, ... ) - Source Rect (0,0 5,4) Outside Chunky (4,4) **",
                                                "ERROR: ** BlitRotate() From 2 to 0 - Chunky Depths differ **",
                                                "ERROR: ** BlitScale() From 2 to 0 - Chunky Depths differ **"}));
}

TEST_F(BlitScaleRotate, EqualRectanglesAreAPlainBlitWithOrWithoutTheCookieTest)
{
    MakeNumbered(1, 4, 4);
    Korvid.ExistingChunky(1)->Pixels16()[5] = 0;   // (1, 1) is cookie
    const KorvidRect Rect = {1, 1, 3, 3};
    Korvid.BlitScale(1, Rect, Rect, KOR_SCALE_COOKIE);
    EXPECT_EQ(Pixel16(0, 1, 1), kBackground);
    EXPECT_EQ(Pixel16(0, 2, 2), Numbered(2, 2));
    EXPECT_EQ(CountDrawn(kBackground), 3);
    Korvid.BlitScale(1, Rect, Rect, 0);
    EXPECT_EQ(Pixel16(0, 1, 1), 0);
}

TEST_F(BlitScaleRotate, NearestScalingRepeatsOrSamplesSourcePixels)
{
    MakeNumbered(1, 8, 8);
    Korvid.BlitScale(1, KorvidRect{0, 0, 3, 2}, KorvidRect{10, 5, 16, 9}, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(Pixel16(0, 10 + x, 5 + y), Numbered(x / 2, y / 2)) << x << "," << y;
    EXPECT_EQ(CountDrawn(kBackground), 24);
    // Halving takes every other pixel of the part asked.
    Korvid.BlitScale(1, KorvidRect{2, 4, 6, 8}, KorvidRect{0, 0, 2, 2}, 0);
    EXPECT_EQ(Pixel16(0, 1, 0), Numbered(4, 4));
    EXPECT_EQ(Pixel16(0, 1, 1), Numbered(4, 6));
    EXPECT_EQ(CountDrawn(kBackground), 28);
}

TEST_F(BlitScaleRotate, AveragingMixesTheBlockPerChannel)
{
    // Red and blue columns averaged in pairs: (248 + 0) / 2 = 124 -> 120 red, 15 blue.
    MakeChunky<uint16_t>(1, 8, 1, {0xF800, 0x001F, 0xF800, 0x001F, 0xF800, 0x001F, 0xF800, 0x001F});
    Korvid.BlitScale(1, KorvidRect{0, 0, 8, 1}, KorvidRect{0, 0, 4, 1}, KOR_SCALE_AVERAGE);
    // The blocks of the last two columns are one pixel wide: they keep their red.
    const uint16_t* pRow = Korvid.ExistingChunky(0)->Pixels16();
    EXPECT_EQ(std::vector<uint16_t>(pRow, pRow + 5), (std::vector<uint16_t>{0x780F, 0x780F, 0xF800, 0xF800, kBackground}));
}

TEST_F(BlitScaleRotate, RotatingByNoAngleCopiesTheShapeAndClosesGapsHalfAPixelOn)
{
    MakeNumbered(1, 5, 3);
    Korvid.ExistingChunky(1)->Pixels16()[7] = 0;   // (2, 1): a cookie hole
    Korvid.BlitRotate(1, 10, 10, 0.0, 0x7FFF, 0x7FFF);
    // Centre (2, 1) lands on (10, 10).
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 5; ++i)
            if (i != 2 || j != 1) {
                ASSERT_EQ(Pixel16(0, 8 + i, 9 + j), Numbered(i, j)) << i << "," << j;
            }
    // Every pixel is written again half a pixel along the rotated x axis. The engine's
    // angle is not exactly 2 pi, so at 0 degrees that write rounds up left of the centre:
    // the hole takes its left neighbour, and the top row's last pixel spills one column on.
    EXPECT_EQ(Pixel16(0, 10, 10), Numbered(1, 1));
    EXPECT_EQ(Pixel16(0, 13, 9), Numbered(4, 0));
    EXPECT_EQ(CountDrawn(kBackground), 16);
}

TEST_F(BlitScaleRotate, RotatingANinetyDegreesTurnsTheTopRowIntoTheRightColumn)
{
    MakeNumbered(1, 3, 3);
    Korvid.BlitRotate(1, 10, 10, 90.0, 1, 1);
    // (i, j) goes to (2 - j, i) around the centre (1, 1), placed at (9, 9).
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            ASSERT_EQ(Pixel16(0, 9 + 2 - j, 9 + i), Numbered(i, j)) << i << "," << j;
}

TEST_F(BlitScaleRotate, RotationsAtTheEdgesOnlyWriteInsideTheUsedChunky)
{
    MakeNumbered(1, 9, 7);
    std::mt19937 Random(1495u);
    std::uniform_real_distribution<double> Angle(-720.0, 720.0);
    for (int16_t x : {-8, -3, 0, 2, 20, 29, 31, 35})
        for (int16_t y : {-8, -3, 0, 2, 20, 29, 31, 35})
            Korvid.BlitRotate(1, x, y, Angle(Random), 0x7FFF, 0x7FFF);
    EXPECT_GT(CountDrawn(kBackground), 0);
}

using BlitRotate8 = GfxTest;

TEST_F(BlitRotate8, PaletteChunkiesRotateAsBytes)
{
    OpenDisplay(16, 16, 8);
    Korvid.ClearChunky(0, 9);
    MakeChunky<uint8_t>(1, 3, 3, {1, 2, 3, 4, 0, 6, 7, 8, 9});   // the centre is cookie
    Korvid.BlitRotate(1, 8, 8, 90.0, 1, 1);
    // (i, j) goes to (2 - j, i) around the centre, placed at (7, 7); the cookie centre
    // is filled by its neighbour's half-step write or left alone, never written as 0.
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            if (i != 1 || j != 1) {
                ASSERT_EQ(Pixel8(0, 7 + 2 - j, 7 + i), j * 3 + i + 1) << i << "," << j;
            }
    EXPECT_NE(Pixel8(0, 8, 8), 0);
    EXPECT_EQ(Pixel8(0, 0, 0), 9);
}

}  // namespace
