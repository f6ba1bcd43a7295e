// The screen kit's building blocks and the reader of finished sheets.
#include "Picture.h"
#include "ScreenArtTestsSupport.h"
#include "screens/ScreenKit.h"
#include "screens/SheetReader.h"

using namespace ScreenKit;

TEST(ScreenKit, GlowOverTheShapesBoundsMatchesTheWholeLayerGlow)
{
    // A small shape on a big layer: the cropped glow must look exactly like the full one.
    Canvas Layer(200, 120);
    Layer.Fill({0, 0, 200, 120}, [](float x, float y) { return Shape::Circle(x, y, 150, 40, 8); }, Hex(0xFFFFFF));
    Canvas Cropped(200, 120), Whole(200, 120);
    DrawGlowing(Cropped, Layer, 0, 0, 6, Hex(0x39D4FF));
    Whole.Draw(Layer.Glow(6, Hex(0x39D4FF)), 0, 0);
    Whole.Draw(Layer, 0, 0);
    float fWorst = 0;
    bool bHaloOutsideShape = false;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x) {
            fWorst = std::max(fWorst, std::fabs(Cropped.Get(x, y).a - Whole.Get(x, y).a));
            bHaloOutsideShape |= Layer.Get(x, y).a == 0 && Cropped.Get(x, y).a > 0.05f;
        }
    EXPECT_LT(fWorst, 1e-4f);
    EXPECT_TRUE(bHaloOutsideShape);
    // Halo only: the shape's own pixels are not laid on top at full strength.
    Canvas HaloOnly(200, 120);
    DrawGlowing(HaloOnly, Layer, 0, 0, 6, WithAlpha(Hex(0x39D4FF), 0.5f), 0);
    EXPECT_LT(HaloOnly.Get(150, 40).a, 0.6f);
    // An empty layer draws nothing.
    Canvas Empty(50, 50), Target(50, 50);
    DrawGlowing(Target, Empty, 0, 0, 6, Hex(0xFFFFFF));
    EXPECT_EQ(Target.Get(25, 25).a, 0.0f);
}

TEST(ScreenKit, LabelsFitTheirBoxAndSplitWhenSqueezed)
{
    std::string Long = "Spiel starten";
    int nSize = FittingSize(Face::CondensedBold, Long, 22, 80);
    EXPECT_LE(Font(Face::CondensedBold, nSize).Width(Long), 80.0f);
    EXPECT_GT(Font(Face::CondensedBold, nSize + 1).Width(Long), 80.0f);
    // A narrow, tall box: the two words go on two lines, so both halves carry ink.
    Canvas Target(100, 50);
    CentredLabel(Target, {4, 4, 92, 42}, Long, Face::CondensedBold, 22, Style::TEXT, Style::GOLD, 5);
    int nTop = 0, nBottom = 0, nOutside = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x) {
            bool bInk = Target.Get(x, y).a > 0.9f;
            (y < 25 ? nTop : nBottom) += bInk;
            nOutside += bInk && (x < 4 || x >= 96);
        }
    EXPECT_GT(nTop, 60);
    EXPECT_GT(nBottom, 60);
    EXPECT_EQ(nOutside, 0);
}

TEST(ScreenKit, SoftFieldMatchesItsFunctionAtTheSamplesAndBlendsBetween)
{
    SoftField Field(64, 64, 8, [](float x, float y) { return x * 0.01f + y * 0.1f; });
    EXPECT_NEAR(Field.At(16, 24), 16 * 0.01f + 24 * 0.1f, 1e-5);
    // A linear function is reproduced between the samples too.
    EXPECT_NEAR(Field.At(19, 27), 19 * 0.01f + 27 * 0.1f, 1e-4);
    for (float x : {0.0f, 33.3f, 517.0f}) {
        float fValue = Noise(x, 12.5f, 40, 7);
        EXPECT_GE(fValue, 0.0f);
        EXPECT_LE(fValue, 1.0f);
        EXPECT_EQ(fValue, Noise(x, 12.5f, 40, 7));
    }
    EXPECT_NE(Noise(10, 10, 40, 7), Noise(10, 10, 40, 8));
}

TEST_F(ScreenArtTest, SheetReaderUsesTheMaskAndSaysOnceWhenASheetIsMissing)
{
    testing::internal::CaptureStdout();
    RunInEngine([](const ForgeContext& Context) {
        Canvas Sheet(40, 20);
        Sheet.Fill({0, 0, 20, 20}, [](float, float) { return -1.0f; }, Hex(0xFF8000));
        Sheet.Fill({20, 0, 20, 20}, [](float, float) { return -1.0f; }, Hex(0x2080FF, 0.6f));
        ASSERT_TRUE(SavePicture(Context, "sample", Sheet, PictureKind::MaskedSheet));
        SheetReader Reader(Context);
        Canvas Solid = Reader.Part("sample", {0, 0, 20, 20});
        Canvas Soft = Reader.Part("sample", {20, 0, 20, 20}, 10, 10);
        ASSERT_EQ(Solid.Width(), 20);
        ASSERT_EQ(Soft.Width(), 10);
        EXPECT_GT(Solid.Get(5, 5).a, 0.95f);
        EXPECT_GT(Solid.Get(5, 5).r, 0.9f);
        EXPECT_NEAR(Soft.Get(5, 5).a, 0.6f, 0.08f);
        EXPECT_GT(Soft.Get(5, 5).b, 0.9f);
        // A missing sheet gives empty pictures, however often it is asked for.
        EXPECT_EQ(Reader.Part("absent", {0, 0, 10, 10}).Width(), 0);
        EXPECT_EQ(Reader.Part("absent", {10, 0, 10, 10}).Width(), 0);
        EXPECT_EQ(Reader.Sheet("absent"), nullptr);
    });
    std::string Said = testing::internal::GetCapturedStdout();
    size_t nFirst = Said.find("sheet 'absent'");
    EXPECT_NE(nFirst, std::string::npos);
    EXPECT_EQ(Said.find("sheet 'absent'", nFirst + 1), std::string::npos);
    EXPECT_EQ(Said.find("sheet 'sample'"), std::string::npos);
}
