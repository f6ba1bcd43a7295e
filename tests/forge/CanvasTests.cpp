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
    Canvas Picture(40, 40);
    Picture.Fill({0, 0, 40, 40}, [](float x, float y) { return Shape::Circle(x, y, 20, 20, 10); }, Hex(0xFF0000));
    Picture.Fill(
        {0, 0, 40, 40}, [](float x, float y) { return Shape::RoundedBox(x, y, 4, 32, 16, 38, 0); }, Hex(0x00FF00));
    // Inside, outside, the circle's edge half covered, the box's corners inside and its neighbours outside.
    EXPECT_EQ(
        std::vector<float>({Picture.Get(20, 20).a, Picture.Get(20, 20).r, Picture.Get(2, 2).a, Picture.Get(4, 32).a,
                            Picture.Get(15, 37).a, Picture.Get(16, 35).a, Picture.Get(3, 35).a}),
        std::vector<float>({1, 1, 0, 1, 1, 0, 0}));
    EXPECT_TRUE(Picture.Get(29, 20).a > 0 && Picture.Get(29, 20).a < 1);

    Canvas Under(2, 1), Over(2, 1);
    Under.Set(0, 0, Hex(0x0000FF));
    Under.Set(1, 0, Hex(0x0000FF));
    Over.Set(0, 0, Hex(0xFF0000, 0.5f));
    Under.Draw(Over, 0, 0);
    EXPECT_NEAR(Under.Get(0, 0).r, 0.5f, 1e-5);
    EXPECT_NEAR(Under.Get(0, 0).b, 0.5f, 1e-5);
    EXPECT_EQ(std::vector<float>({Under.Get(0, 0).a, Under.Get(1, 0).b, Under.Get(1, 0).r}),
              std::vector<float>({1, 1, 0}))
        << "opaque where drawn over; a clear source pixel leaves the destination alone";
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
