// The forge's painting surface: anti-aliased shapes, compositing, text, and the
// pixels a picture becomes.
#include "ForgeTest.h"

#include <set>

#include "Canvas.h"
#include "Picture.h"
#include "Text.h"

namespace {

TEST(Canvas, ShapesCoverTheirInsideSoftenTheEdgeAndCompositeByOpacity)
{
    Canvas Round(40, 40);
    Round.Fill({0, 0, 40, 40}, [](float x, float y) { return Shape::Circle(x, y, 20, 20, 10); }, Hex(0xFF0000));
    EXPECT_FLOAT_EQ(Round.Get(20, 20).a, 1.0f);
    EXPECT_FLOAT_EQ(Round.Get(20, 20).r, 1.0f);
    EXPECT_FLOAT_EQ(Round.Get(2, 2).a, 0.0f);
    float fEdge = Round.Get(29, 20).a;   // the circle's edge passes through this pixel
    EXPECT_GT(fEdge, 0.0f);
    EXPECT_LT(fEdge, 1.0f);
    Canvas Boxed(20, 20);
    Boxed.Fill(
        {0, 0, 20, 20}, [](float x, float y) { return Shape::RoundedBox(x, y, 4, 4, 16, 16, 0); }, Hex(0x00FF00));
    EXPECT_EQ(Boxed.Get(4, 4).a + Boxed.Get(15, 15).a, 2.0f) << "the box's corner pixels are inside";
    EXPECT_EQ(Boxed.Get(16, 10).a + Boxed.Get(3, 10).a, 0.0f) << "its neighbours outside";

    Canvas Under(2, 1), Over(2, 1);
    Under.Set(0, 0, Hex(0x0000FF));
    Under.Set(1, 0, Hex(0x0000FF));
    Over.Set(0, 0, Hex(0xFF0000, 0.5f));
    Under.Draw(Over, 0, 0);
    EXPECT_NEAR(Under.Get(0, 0).r, 0.5f, 1e-5);
    EXPECT_NEAR(Under.Get(0, 0).b, 0.5f, 1e-5);
    EXPECT_FLOAT_EQ(Under.Get(0, 0).a, 1.0f);
    EXPECT_FLOAT_EQ(Under.Get(1, 0).b, 1.0f) << "a clear source pixel leaves the destination alone";
    EXPECT_FLOAT_EQ(Under.Get(1, 0).r, 0.0f);
}

TEST(Text, GlyphsLandWhereTheBaselineSays)
{
    Font Bold(Face::SansBold, 24);
    ASSERT_TRUE(Bold.Loaded());
    Canvas Line(200, 40);
    DrawLine(Line, Bold, 100, 30, "Tamborel", Hex(0xFFFFFF), Align::Centre);
    int nLeft = 200, nRight = -1, nTop = 40, nBottom = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (Line.Get(x, y).a > 0.5f) {
                nLeft = std::min(nLeft, x), nRight = std::max(nRight, x);
                nTop = std::min(nTop, y), nBottom = std::max(nBottom, y);
            }
    // Centred around x 100, standing on the baseline at y 30, capital height ~ 17 pixels.
    EXPECT_NEAR((nLeft + nRight) / 2.0, 100.0, 3.0);
    EXPECT_LE(nBottom, 30);
    EXPECT_GE(nBottom, 28);
    EXPECT_NEAR(30 - nTop, 17, 3);
    EXPECT_NEAR(nRight - nLeft, Bold.Width("Tamborel"), 4.0);
    EXPECT_GT(Bold.Width("\xc3\x9c"), Bold.Width(".")) << "umlauts come through UTF-8";
}

class PictureTest : public ForgeTest {};

TEST_F(PictureTest, SheetsKeyOnlyTheFaintPartsAndGradientsAreDitheredNotBanded)
{
    RunInEngine([](const ForgeContext& Context) {
        Canvas Sheet(4, 1);
        Sheet.Set(0, 0, Hex(0x000000));          // opaque black must stay visible
        Sheet.Set(1, 0, Hex(0xFF8000));
        Sheet.Set(2, 0, Hex(0xFFFFFF, 0.25f));   // faint: transparent in the keyed sheet, kept in the mask
        ASSERT_TRUE(SavePicture(Context, "sheet", Sheet, PictureKind::MaskedSheet));
        Picture16 Saved = LoadPicture("sheet", true);
        ASSERT_EQ(Saved.Opacity.size(), 4u);
        EXPECT_NE(Saved.At(0, 0), 0);
        EXPECT_NE(Saved.At(1, 0), 0);
        EXPECT_NE(Saved.At(2, 0), 0);
        EXPECT_EQ(Saved.At(3, 0), 0);
        EXPECT_GE(Saved.Opacity[0], 250);
        EXPECT_NEAR(Saved.Opacity[2], 64, 8);
        EXPECT_EQ(Saved.Opacity[3], 0);

        // A slow ramp spans only a few RGB565 red levels: dithering mixes
        // neighbouring levels inside a step instead of one hard edge.
        int nMixedRows = 0;
        for (int y = 0; y < 4; ++y) {
            std::set<uint16_t> Levels;
            for (int x = 20; x < 28; ++x)
                Levels.insert(PicturePixel(Hex(0x400000 + ((x * 32 / 64) << 16)), x, y));
            nMixedRows += Levels.size() > 1;
        }
        EXPECT_GT(nMixedRows, 0);
    });
}

}  // namespace
