// Clipping of Blit and BlitArea at all four edges, hot spots, areas beyond the
// source, the log lines and the silent cases; and a seeded sweep of positions and
// sizes, wild ones included, checked against a per-pixel model of where every
// source pixel must land (ASan watches that nothing outside a buffer is touched).
#include <climits>
#include <random>

#include "GfxTestSupport.h"

namespace {

constexpr uint16_t kBackground = 0xFFFF;
constexpr int kScreenWidth = 40, kScreenHeight = 30;

class BlitClip : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(kScreenWidth, kScreenHeight, 16);
        Korvid.ClearChunky(0, kBackground);
    }
};

TEST_F(BlitClip, NegativePositionsShowTheBottomRightPart)
{
    MakeNumbered(1);
    Korvid.Blit(1, -5, -5, KOR_BLIT_COOKIE, 0, -1);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(Pixel16(0, x, y), Numbered(x + 5, y + 5)) << x << "," << y;
    EXPECT_EQ(CountDrawn(kBackground), 25);
}

TEST_F(BlitClip, TheRightAndBottomEdgesCutWithoutWrapping)
{
    MakeNumbered(1);
    Korvid.Blit(1, kScreenWidth - 4, kScreenHeight - 3, KOR_BLIT_NOCOOKIE, 0, -1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(Pixel16(0, kScreenWidth - 4 + x, kScreenHeight - 3 + y), Numbered(x, y));
    EXPECT_EQ(CountDrawn(kBackground), 12);
}

TEST_F(BlitClip, BlitsWhollyOutsideDrawNothingAndSayNothing)
{
    MakeNumbered(1);
    const int Positions[][2] = {{kScreenWidth, 0}, {0, kScreenHeight}, {-10, 0}, {0, -10},
                                {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MIN, 0}, {0, INT_MAX}};
    const size_t nLogLines = LogMessages().size();
    for (const auto& Position : Positions) {
        Korvid.Blit(1, Position[0], Position[1], KOR_BLIT_NOCOOKIE, 0, -1);
        Korvid.BlitArea(1, 0, 0, 10, 10, Position[0], Position[1], KOR_BLIT_NOCOOKIE, 0, 50);
    }
    EXPECT_EQ(CountDrawn(kBackground), 0);
    EXPECT_EQ(LogMessages().size(), nLogLines);
}

TEST_F(BlitClip, TheHotSpotIsSubtractedFromThePosition)
{
    MakeNumbered(1, 2, 2);
    Korvid.ExistingChunky(1)->nHotX = 4;
    Korvid.ExistingChunky(1)->nHotY = 4;
    Korvid.Blit(1, 10, 10, KOR_BLIT_COOKIE, 0, -1);
    EXPECT_EQ(Pixel16(0, 6, 6), Numbered(0, 0));
    EXPECT_EQ(Pixel16(0, 7, 7), Numbered(1, 1));
    EXPECT_EQ(CountDrawn(kBackground), 4);
}

TEST_F(BlitClip, BlitAreaCutsAnAreaBeyondTheSourceAndSaysWhichSide)
{
    MakeNumbered(1);
    Korvid.BlitArea(1, 7, 8, 6, 5, 20, 10, KOR_BLIT_COOKIE, 0, 50);
    // Only columns 7..9 and rows 8..9 exist: a 3 x 2 area at (20, 10).
    EXPECT_EQ(Pixel16(0, 20, 10), Numbered(7, 8));
    EXPECT_EQ(Pixel16(0, 22, 11), Numbered(9, 9));
    EXPECT_EQ(CountDrawn(kBackground), 6);
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(),
        {"WARNING: ** BlitArea(c:1, x:7, y:8, *w:6*, h:5, dx:20, dy:10) - Source Area Outside Chunky **",
         "WARNING: ** BlitArea(c:1, x:7, y:8, w:6, *h:5*, dx:20, dy:10) - Source Area Outside Chunky **"}));
}

TEST_F(BlitClip, BlitAreaAtNegativeDestinationsShowsTheAreasFarPart)
{
    MakeNumbered(1);
    Korvid.BlitArea(1, 2, 3, 5, 4, -3, -1, KOR_BLIT_COOKIE, 0, 50);
    // Source (i, j) lands on (i - 5, j - 4): columns 5..6 and rows 4..6 remain.
    EXPECT_EQ(Pixel16(0, 0, 0), Numbered(5, 4));
    EXPECT_EQ(Pixel16(0, 1, 2), Numbered(6, 6));
    EXPECT_EQ(CountDrawn(kBackground), 6);
}

TEST_F(BlitClip, MissingChunkiesAreReportedWithTheUsedChunky)
{
    Korvid.Blit(7, 0, 0, 0, 0, -1);
    Korvid.BlitArea(9999, 0, 0, 4, 4, 0, 0, 0, 0, 50);
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"ERROR: Blit() From 7 to 0 ** Source Chunky does not exist **",
                                 "ERROR: BlitArea() From 9999 to 0 ** Source Chunky does not exist **"}));
    EXPECT_EQ(CountDrawn(kBackground), 0);
}

// Where each source pixel must land, worked out pixel by pixel.
std::vector<uint16_t> ModelBlitArea(int nSourceWidth, int nSourceHeight, int64_t sx, int64_t sy, int64_t w,
                                    int64_t h, int64_t dx, int64_t dy)
{
    std::vector<uint16_t> Screen(kScreenWidth * kScreenHeight, kBackground);
    for (int j = 0; j < nSourceHeight; ++j)
        for (int i = 0; i < nSourceWidth; ++i) {
            if (i < sx || i >= sx + w || j < sy || j >= sy + h)
                continue;
            const int64_t x = i + dx - sx, y = j + dy - sy;
            if (x >= 0 && y >= 0 && x < kScreenWidth && y < kScreenHeight)
                Screen[y * kScreenWidth + x] = (uint16_t)(1 + i + 16 * j);
        }
    return Screen;
}

std::vector<uint16_t> Screen()
{
    const uint16_t* pPixels = Korvid.ExistingChunky(0)->Pixels16();
    return std::vector<uint16_t>(pPixels, pPixels + kScreenWidth * kScreenHeight);
}

TEST_F(BlitClip, RandomAreasLandExactlyWhereTheModelPutsThem)
{
    MakeNumbered(1, 13, 11);
    std::mt19937 Random(1354u);
    std::uniform_int_distribution<int> Near(-20, 50), Size(-3, 30), Wild(0, 15);
    const int32_t Extremes[] = {INT_MIN, INT_MIN + 1, -65536, 65535, INT_MAX - 1, INT_MAX};
    const auto Pick = [&](std::uniform_int_distribution<int>& Usual) {
        return Wild(Random) == 0 ? Extremes[Random() % 6] : Usual(Random);
    };
    for (int n = 0; n < 3000; ++n) {
        const int32_t sx = Pick(Near), sy = Pick(Near), w = Pick(Size), h = Pick(Size);
        const int32_t dx = Pick(Near), dy = Pick(Near);
        Korvid.ClearChunky(0, kBackground);
        Korvid.BlitArea(1, sx, sy, w, h, dx, dy, KOR_BLIT_NOCOOKIE, 0, 50);
        ASSERT_EQ(Screen(), ModelBlitArea(13, 11, sx, sy, w, h, dx, dy))
            << "BlitArea(" << sx << ", " << sy << ", " << w << ", " << h << ", " << dx << ", " << dy << ")";
    }
}

TEST_F(BlitClip, RandomBlitsWithHotSpotsLandExactlyWhereTheModelPutsThem)
{
    MakeNumbered(1, 13, 11);
    std::mt19937 Random(1409u);
    std::uniform_int_distribution<int> Near(-20, 50), Hot(-8, 8);
    for (int n = 0; n < 2000; ++n) {
        const int32_t x = Near(Random), y = Near(Random);
        Korvid.ExistingChunky(1)->nHotX = (int16_t)Hot(Random);
        Korvid.ExistingChunky(1)->nHotY = (int16_t)Hot(Random);
        Korvid.ClearChunky(0, kBackground);
        Korvid.Blit(1, x, y, n % 2 ? KOR_BLIT_COOKIE : KOR_BLIT_NOCOOKIE, 0, -1);
        const ChunkyObject& Chunky = *Korvid.ExistingChunky(1);
        ASSERT_EQ(Screen(), ModelBlitArea(13, 11, 0, 0, 13, 11, x - Chunky.nHotX, y - Chunky.nHotY))
            << "Blit at " << x << "," << y << " hot " << Chunky.nHotX << "," << Chunky.nHotY;
    }
}

TEST_F(BlitClip, EveryModeStaysInsideItsBuffersAtEveryEdge)
{
    // Small chunkies at every edge in every mode: ASan reports any stray access.
    MakeNumbered(1, 5, 4);
    ASSERT_EQ(Korvid.CreateAlphaMask(*Korvid.ExistingChunky(1)), 1);
    memset(Korvid.ExistingChunky(1)->pAlpha, 200, 20);
    const uint16_t Flags[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x08, 0x09, 0x10, 0x11, 0x40, 0x42};
    const int Offsets[] = {-6, -5, -4, -1, 0, 1, 34, 35, 36, 39, 40, 41};
    int nCalls = 0;
    for (uint16_t nFlags : Flags)
        for (int x : Offsets)
            for (int y : Offsets) {
                Korvid.Blit(1, x, y, nFlags, 0x1234, 30);
                Korvid.BlitArea(1, -2, -2, 9, 9, x, y, (uint8_t)nFlags, 0x1234, 30);
                ++nCalls;
            }
    EXPECT_EQ(nCalls, 12 * 12 * 12);
    // Something was drawn in the middle of the edge sweep: the (0, 0) blits.
    EXPECT_NE(Pixel16(0, 0, 0), kBackground);
}

}  // namespace
