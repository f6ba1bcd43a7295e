// The back buffer presented into larger surfaces: where the picture goes, the way
// back for the pointer, and the scaled pixels against the plain presentation
// repeated by a plain loop.
#include <random>

#include "GfxTestSupport.h"
#include "gfx/ScaledView.h"

namespace {

using ScaledPresentation = GfxTest;
using Pair = std::pair<int, int>;

TEST_F(ScaledPresentation, PicturesFitByWholeScalesOrFilteredAndPointersMapBackClampedToTheDisplay)
{
    struct Case {
        int nSurfaceWidth, nSurfaceHeight;
        bool bSmooth;
        KorvidScaledView View;
        std::vector<std::array<int, 4>> Points;   // surface x, y -> display x, y
    };
    const std::vector<Case> Cases = {
        {800, 600, false, {1, 0, 0, 800, 600}, {{0, 0, 0, 0}, {799, 599, 799, 599}, {900, -5, 799, 0}}},
        {1600, 1200, false, {2, 0, 0, 1600, 1200}, {{1, 1, 0, 0}, {2, 3, 1, 1}, {1599, 1199, 799, 599}}},
        {2400, 1800, false, {3, 0, 0, 2400, 1800}, {{5, 8, 1, 2}, {2399, 0, 799, 0}}},
        {3200, 2400, false, {4, 0, 0, 3200, 2400}, {{7, 4, 1, 1}, {3199, 2399, 799, 599}}},
        // Full screen: the bars give the nearest edge.
        {2560, 1440, false, {2, 480, 120, 1600, 1200},
         {{480, 120, 0, 0}, {2079, 1319, 799, 599}, {0, 0, 0, 0}, {2559, 700, 799, 290}, {1000, 1439, 260, 599}}},
        {1920, 1080, false, {1, 560, 240, 800, 600}, {{560, 240, 0, 0}, {1359, 839, 799, 599}, {100, 500, 0, 260}}},
        {2560, 1440, true, {0, 320, 0, 1920, 1440}, {{320, 0, 0, 0}, {2239, 1439, 799, 599}, {1280, 720, 400, 300}}},
        // A window smaller than the display is stretched, shape kept.
        {400, 600, false, {0, 0, 150, 400, 300}, {{200, 300, 400, 300}, {0, 0, 0, 0}}},
    };
    for (const Case& c : Cases) {
        const KorvidScaledView View = KorvidFitView(800, 600, c.nSurfaceWidth, c.nSurfaceHeight, c.bSmooth);
        EXPECT_EQ((std::array<int, 5>{View.nScale, View.nLeft, View.nTop, View.nWidth, View.nHeight}),
                  (std::array<int, 5>{c.View.nScale, c.View.nLeft, c.View.nTop, c.View.nWidth, c.View.nHeight}))
            << c.nSurfaceWidth << "x" << c.nSurfaceHeight;
        for (const auto& Point : c.Points) {
            int32_t x = Point[0], y = Point[1];
            KorvidSurfaceToDisplay(View, 800, 600, x, y);
            EXPECT_EQ(Pair(x, y), Pair(Point[2], Point[3])) << c.nSurfaceWidth << ": " << Point[0] << "," << Point[1];
        }
    }
}

constexpr int kWidth = 37, kHeight = 5;   // an odd width: no scale lines up with vector widths

// Every format the screen may have, from both internal depths: the scaled frame is
// the plain presentation with each pixel repeated, centred, on black.
TEST_F(ScaledPresentation, WholeScalesRepeatThePlainPresentationsPixelsAndBlackTheBars)
{
    struct Format {
        uint8_t nDepth, nFormat;
        int nBytes;
    };
    std::mt19937 Random(2024u);
    for (Format f : {Format{16, KOR_PIXFMT_RGB16, 2}, Format{16, KOR_PIXFMT_RGB24, 3}, Format{16, KOR_PIXFMT_ARGB32, 4},
                     Format{8, KOR_PIXFMT_LUT8, 1}, Format{8, KOR_PIXFMT_ARGB32, 4}}) {
        if (!Korvid.DisplayOpen())
            OpenDisplay(kWidth, kHeight, f.nDepth);
        Korvid.ChangeDisplayMode(kWidth, kHeight, f.nDepth, 0);
        Korvid.SetPixelFormat(f.nFormat);
        for (uint32_t n = 0; n < Korvid.ExistingChunky(0)->nSize; ++n)
            Korvid.ChunkyBuffer(0)[n] = (uint8_t)Random();
        const int nRow = kWidth * f.nBytes;
        std::vector<uint8_t> Plain((size_t)nRow * kHeight);
        Korvid.SetFullUpdate();
        Korvid.DumpChunkyBuffer(Korvid.ChunkyRecord(0), Plain.data(), nRow);
        for (auto [nSurfaceWidth, nSurfaceHeight] : std::vector<Pair>{{74, 10}, {111, 17}, {150, 20}, {200, 33}, {500, 26}}) {
            const KorvidScaledView View = KorvidFitView(kWidth, kHeight, nSurfaceWidth, nSurfaceHeight, false);
            const int nPitch = nSurfaceWidth * f.nBytes + 5;
            std::vector<uint8_t> Expected((size_t)nPitch * nSurfaceHeight, 0xEE), Screen = Expected;
            for (int y = 0; y < nSurfaceHeight; ++y)
                for (int x = 0; x < nSurfaceWidth; ++x) {
                    const int sx = x - View.nLeft, sy = y - View.nTop;
                    const bool bInside = sx >= 0 && sy >= 0 && sx < View.nWidth && sy < View.nHeight;
                    for (int k = 0; k < f.nBytes; ++k)
                        Expected[(size_t)y * nPitch + x * f.nBytes + k] =
                            bInside ? Plain[(size_t)(sy / View.nScale) * nRow + (sx / View.nScale) * f.nBytes + k] : 0;
                }
            Korvid.SetFullUpdate();
            ASSERT_TRUE(Korvid.PresentScaled(Korvid.ChunkyRecord(0), Screen.data(), nPitch, nSurfaceWidth,
                                             nSurfaceHeight, false));
            ASSERT_EQ(Screen, Expected) << (int)f.nFormat << " into " << nSurfaceWidth << "x" << nSurfaceHeight;
            // Later frames leave the bars alone.
            std::fill(Screen.begin(), Screen.end(), 0xEE);
            Korvid.PresentScaled(Korvid.ChunkyRecord(0), Screen.data(), nPitch, nSurfaceWidth, nSurfaceHeight, false);
            EXPECT_EQ(Screen[0], View.nLeft || View.nTop ? 0xEE : Expected[0]);
        }
    }
    std::vector<uint8_t> Small(16);
    EXPECT_FALSE(Korvid.PresentScaled(Korvid.ChunkyRecord(0), Small.data(), 4, 80, 10, false));
    EXPECT_TRUE(LogHas("ERROR: ** PresentScaled() - Chunky 37x5 cannot go to a 80x10 8bit surface with pitch 4 **"));
}

// The filtered stretch mixes neighbours only: a flat picture stays flat, and
// the bars beside it stay black.
TEST_F(ScaledPresentation, TheFilteredStretchKeepsAFlatColourAndItsBars)
{
    OpenDisplay(kWidth, kHeight, 16);
    Korvid.SetPixelFormat(KOR_PIXFMT_ARGB32);
    Korvid.ClearChunky(0, Korvid.Pack(200, 100, 50));
    const int nSurfaceWidth = 300, nSurfaceHeight = 20;
    std::vector<uint32_t> Screen((size_t)nSurfaceWidth * nSurfaceHeight, 0xEEEEEEEE);
    Korvid.SetFullUpdate();
    ASSERT_TRUE(Korvid.PresentScaled(Korvid.ChunkyRecord(0), Screen.data(), nSurfaceWidth * 4, nSurfaceWidth,
                                     nSurfaceHeight, true));
    const KorvidScaledView View = KorvidFitView(kWidth, kHeight, nSurfaceWidth, nSurfaceHeight, true);
    ASSERT_EQ(View.nWidth, 148);
    const uint32_t nColour = Korvid.To32(Korvid.Pack(200, 100, 50));
    for (int y = 0; y < nSurfaceHeight; ++y)
        for (int x = 0; x < nSurfaceWidth; ++x)
            ASSERT_EQ(Screen[(size_t)y * nSurfaceWidth + x], x >= View.nLeft && x < View.nLeft + View.nWidth ? nColour : 0u)
                << x << "," << y;
}

}  // namespace
