// Drawing primitives against pixels drawn by hand: plots, lines, boxes, translucent fills and
// ellipses, in 16 bits and through the trans table in 8 bits.
#include <set>
#include <utility>

#include "GfxTestSupport.h"

namespace {

using PixelSet = std::set<std::pair<int, int>>;

constexpr uint16_t kBackground = 0xFFFF, kInk = 0x1234;
constexpr int kWidth = 24, kHeight = 16;

class Primitives : public GfxTest {
protected:
    Primitives() : GfxTest(kWidth, kHeight, 16, kBackground) {}
    // The pixels drawn since the last call, which clears the back buffer again.
    static PixelSet Drawn()
    {
        PixelSet Pixels;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (Pixel16(0, x, y) != kBackground)
                    Pixels.insert({x, y});
        Korvid.ClearChunky(0, kBackground);
        return Pixels;
    }
    static PixelSet Rectangle(int x1, int y1, int x2, int y2)
    {
        PixelSet Pixels;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                Pixels.insert({x, y});
        return Pixels;
    }
};

TEST_F(Primitives, EveryShapeStaysOnTheChunkyAndDrawsThePixelsWorkedOutByHand)
{
    Korvid.Plot(3, 4, kInk);
    Korvid.Plot((uint16_t)-1, 0, kInk);
    Korvid.Plot(kWidth, 0, kInk);
    Korvid.Plot(0, kHeight, kInk);
    uint16_t nColour = 7;
    EXPECT_EQ(Korvid.Point(nColour, 3, 4), kInk);
    EXPECT_EQ(nColour, kInk);
    EXPECT_EQ(Korvid.Point(nColour, kWidth, 0), 0);
    EXPECT_EQ(nColour, 0);
    EXPECT_EQ(Drawn(), (PixelSet{{3, 4}}));
    const std::pair<std::array<int16_t, 4>, PixelSet> Cases[] = {
        {{0, 0, 3, 1}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},  {{3, 1, 0, 0}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {{0, 0, 1, 3}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},  {{5, 5, 5, 5}, {{5, 5}}},
        {{2, 7, 2, 4}, {{2, 4}, {2, 5}, {2, 6}, {2, 7}}},  {{4, 4, 1, 1}, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
        {{-3, 2, 2, 2}, {{0, 2}, {1, 2}, {2, 2}}},         {{22, 15, 26, 15}, {{22, 15}, {23, 15}}},
    };
    for (const auto& [End, Expected] : Cases) {
        Korvid.Line(End[0], End[1], End[2], End[3], kInk, KOR_DRAW_SOLID);
        EXPECT_EQ(Drawn(), Expected) << End[0] << "," << End[1] << " - " << End[2] << "," << End[3];
    }
    Korvid.Box(2, 2, 6, 5, kInk, KOR_DRAW_SOLID);
    PixelSet Expected = Rectangle(2, 2, 6, 5);
    for (const auto& Inner : Rectangle(3, 3, 5, 4))
        Expected.erase(Inner);
    EXPECT_EQ(Drawn(), Expected);
    Korvid.BoxFill(6, 5, 2, 3, kInk, KOR_DRAW_SOLID, 0);
    EXPECT_EQ(Drawn(), Rectangle(2, 3, 6, 5));
    Korvid.BoxFill(-5, 10, 30, 40, kInk, KOR_DRAW_SOLID, 0);
    EXPECT_EQ(Drawn(), Rectangle(0, 10, kWidth - 1, kHeight - 1));
    // Wholly outside: nothing, rather than a stripe along the clamped edge; mode 8 draws nothing.
    Korvid.BoxFill(-9, 2, -2, 6, kInk, KOR_DRAW_SOLID, 0);
    Korvid.BoxFill(3, kHeight, 8, kHeight + 4, kInk, KOR_DRAW_SOLID, 0);
    Korvid.BoxFill(3, 3, 8, 8, kInk, 8, 0);
    EXPECT_TRUE(Drawn().empty());
    // Param 30: a = 76, so green x 76 + red x 179: red (248 x 179) >> 8 = 173 -> 168,
    // green (252 x 76) >> 8 = 74 -> 72. 48..52 take the halving path.
    Korvid.ClearChunky(0, 0x07E0);
    Korvid.BoxFill(1, 1, 2, 2, 0xF800, KOR_DRAW_HALF, 30);
    Korvid.BoxFill(5, 5, 5, 5, 0xF800, KOR_DRAW_HALF, 50);
    EXPECT_EQ(Pixel16(0, 1, 1), 0xAA40);
    EXPECT_EQ(Pixel16(0, 2, 2), 0xAA40);
    EXPECT_EQ(Pixel16(0, 3, 2), 0x07E0);
    EXPECT_EQ(Pixel16(0, 5, 5), 0x03E0 + 0x7800);
    // Parameters past 0..100 weigh as 0 or 255 instead of wrapping: over white, 255 keeps
    // (248 x 255) >> 8 = 247 -> 240 red; 0 gives the red alone, 247 -> 240.
    Korvid.ClearChunky(0, kBackground);
    Korvid.BoxFill(0, 0, 0, 0, 0xF800, KOR_DRAW_HALF, 200);
    Korvid.BoxFill(1, 0, 1, 0, 0xF800, KOR_DRAW_HALF, -50);
    EXPECT_EQ(Pixel16(0, 0, 0), 0xF7DE);
    EXPECT_EQ(Pixel16(0, 1, 0), 0xF000);
    Korvid.Line(0, 0, 3, 0, 0x0000, KOR_DRAW_HALF);
    EXPECT_EQ(Pixel16(0, 2, 0), 0x7BEF);   // ((0xFFFF >> 1) & 0x7BEF) + 0
    Korvid.Line(0, 0, 3, 0, 0x0000, KOR_DRAW_HALF);
    EXPECT_EQ(Pixel16(0, 2, 0), 0x39E7);   // halved again
    Korvid.Line(0, 5, 3, 5, kInk, 3);
    EXPECT_EQ(Drawn(), Rectangle(0, 0, 3, 0));
    // Byte-swapped RGB565 cannot halve by shift and mask; black over white at a = 127:
    // (248 x 127) >> 8 = 123 -> 120, (252 x 127) >> 8 = 125 -> 124: 0x7BEF, stored 0xEF7B.
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB16PC);
    Korvid.Line(0, 0, 1, 0, 0x0000, KOR_DRAW_HALF);
    EXPECT_EQ(Pixel16(0, 1, 0), 0xEF7B);
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB16);
    Korvid.ClearChunky(0, kBackground);
    // Radii 2 and 1: top and bottom, then (+-1, +-1) and (+-2, 0).
    Korvid.DrawCircle(10, 8, 2, 1, kInk);
    EXPECT_EQ(Drawn(), (PixelSet{{10, 7}, {10, 9}, {9, 7}, {11, 7}, {9, 9}, {11, 9}, {8, 8}, {12, 8}}));
    // A circle of radius 3 is two or three pixels wide at its top, bottom and sides.
    Korvid.DrawCircle(10, 8, 3, 3, kInk);
    PixelSet Circle;
    for (const auto& [x, y] : PixelSet{{0, 3}, {1, 3}, {2, 2}, {3, 1}, {3, 0}})
        for (int sx : {-1, 1})
            for (int sy : {-1, 1})
                Circle.insert({10 + sx * x, 8 + sy * y});
    EXPECT_EQ(Drawn(), Circle);
    // A flat ellipse is a line as wide as its radius says.
    Korvid.DrawCircle(10, 8, 4, 0, kInk);
    EXPECT_EQ(Drawn(), Rectangle(6, 8, 14, 8));
    // Arcs past 65535 (65533 + 6 would be 3 in 16 bits) must not come back at the left or top edge.
    Korvid.DrawCircle(65533, 8, 6, 6, kInk);
    Korvid.DrawCircle(3, 65533, 6, 6, kInk);
    EXPECT_TRUE(Drawn().empty());
}

using Primitives8 = GfxTest;

TEST_F(Primitives8, HalfModesGoThroughTheTransTable)
{
    OpenDisplay(kWidth, kHeight, 8);
    Korvid.SetPaletteEntry(1, 200, 0, 0);
    Korvid.SetPaletteEntry(2, 0, 0, 200);
    Korvid.SetPaletteEntry(10, 100, 0, 100);
    for (uint32_t n = 11; n < 256; ++n)
        Korvid.SetPaletteEntry(n, 255, 255, 255);
    Korvid.ClearChunky(0, 2);
    Korvid.BoxFill(0, 0, 1, 1, 1, KOR_DRAW_HALF, 90);   // the parameter plays no part
    Korvid.Line(4, 4, 6, 4, 1, KOR_DRAW_HALF);
    Korvid.Plot(8, 8, 0x0301);   // only the low byte is written
    Korvid.BoxFill(0, 3, 0, 3, 1, KOR_DRAW_SOLID, 0);
    EXPECT_EQ(Pixel8(0, 1, 1), 10);
    EXPECT_EQ(Pixel8(0, 5, 4), 10);
    EXPECT_EQ(Pixel8(0, 8, 8), 1);
    EXPECT_EQ(Pixel8(0, 0, 3), 1);
    EXPECT_EQ(Pixel8(0, 2, 2), 2);
}

}  // namespace
