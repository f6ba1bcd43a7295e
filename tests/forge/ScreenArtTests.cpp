// The painting surface and the "art-screens" step: shapes, compositing, the
// pixels a picture becomes, the screen kit, the reader of finished sheets, and the
// pictures the game shows, painted once.
#include "ForgeTest.h"
#include "Picture.h"
#include "screens/ScreenArt.h"
#include "screens/ScreenFamilies.h"
#include "screens/ScreenKit.h"
#include "screens/SheetReader.h"

#include <set>

namespace {

using namespace ScreenKit;

SheetRect Rect(const ScreenArea& Area) { return {Area.nLeft, Area.nTop, Area.Width(), Area.Height()}; }

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

TEST(ScreenKit, LabelsFitTheirBoxAndSplitWhenSqueezed)
{
    std::string Long = "Spiel starten";
    int nSize = FittingSize(Face::CondensedBold, Long, 22, 80);
    EXPECT_LE(Font(Face::CondensedBold, nSize).Width(Long), 80.0f);
    EXPECT_GT(Font(Face::CondensedBold, nSize + 1).Width(Long), 80.0f);
    EXPECT_GT(Font(Face::CondensedBold, 22).Width("\xc3\x9c"), Font(Face::CondensedBold, 22).Width(".")) << "UTF-8";
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

class ScreenArt : public ForgeTest {};

TEST_F(ScreenArt, SheetReaderUsesTheMaskAndSaysOnceWhenASheetIsMissing)
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
        EXPECT_EQ(Reader.Part("absent", {0, 0, 10, 10}).Width(), 0);
        EXPECT_EQ(Reader.Part("absent", {10, 0, 10, 10}).Width(), 0);
        EXPECT_EQ(Reader.Sheet("absent"), nullptr);
    });
    std::string Said = testing::internal::GetCapturedStdout();
    const std::string LINE = "sheet 'absent' is not in the data set yet";
    EXPECT_NE(Said.find(LINE), std::string::npos) << Said;
    EXPECT_EQ(Said.find(LINE, Said.find(LINE) + 1), std::string::npos) << "said once";
    EXPECT_EQ(Said.find("sheet 'sample'"), std::string::npos);
}

// The play backgrounds are dark behind the field and twenty different pictures.
void ExpectDarkDistinctBackgrounds()
{
    const SheetRect FIELD = {20, 21, 760, 432};
    std::vector<Picture16> Screens;
    for (int n = 1; n <= Sheets::BACKGROUND_COUNT; ++n) {
        Screens.push_back(LoadPicture("hg" + std::to_string(n)));
        AreaStats Field = Measure(Screens.back(), FIELD, 0.35f);
        EXPECT_LT(Field.fMeanLight, 0.22f) << "hg" << n;
        EXPECT_LT(Field.nBright, Field.nPixels / 25) << "hg" << n << ": too much of it is bright";
        for (int m = 1; m < n; ++m)
            EXPECT_GT(Differences(Screens[m - 1], FIELD, Screens.back(), FIELD), 760 * 432 / 2)
                << "hg" << m << " and hg" << n;
    }
}

// The title's menu entries are lit labels in the language's words; the rest is the same in both.
void ExpectTitleMenu()
{
    Picture16 German = LoadPicture("m1"), English = LoadPicture("m1_en");
    for (const ScreenArea& Area : {Sheets::MENU_START, Sheets::MENU_OPTIONS, Sheets::MENU_INSTRUCTIONS,
                                   Sheets::MENU_HIGHSCORES, Sheets::MENU_INFO, Sheets::MENU_QUIT, Sheets::MENU_EDITOR}) {
        EXPECT_GT(std::min(Measure(German, Rect(Area), 0.7f).nBright, Measure(English, Rect(Area), 0.7f).nBright), 40)
            << "entry at " << Area.nLeft << "," << Area.nTop;
        EXPECT_GT(Differences(German, Rect(Area), English, Rect(Area)), 50) << "entry at " << Area.nLeft;
    }
    EXPECT_EQ(Differences(German, {0, 0, 800, 300}, English, {0, 0, 800, 300}), 0);
    EXPECT_GT(Measure(German, {100, 20, 600, 110}, 0.7f).nBright, 3000) << "the logo is lit";
}

// Every switch of the options page has a dark slot, a label in the language's
// words and a help marker; the options sheets hold every picture the page shows.
void ExpectOptions()
{
    Picture16 German = LoadPicture("m4"), English = LoadPicture("m4_en");
    for (const Sheets::OptionArea& Option : Sheets::OPTIONS) {
        const ScreenArea& Switch = Option.Switch;
        int16_t nLabelLeft = Switch.nLeft < 500 ? 96 : 436;
        SheetRect Label = {nLabelLeft, Switch.nTop, (int16_t)(Switch.nLeft - 8 - nLabelLeft), Switch.Height()};
        EXPECT_LT(Measure(German, {Switch.nLeft, Switch.nTop, Sheets::SWITCH_WIDTH, Sheets::SWITCH_HEIGHT}).fMeanLight,
                  0.12f) << Option.szKey;
        EXPECT_GT(Measure(German, Label, 0.6f).nBright, 15) << Option.szKey;
        EXPECT_GT(Differences(German, Label, English, Label), 20) << Option.szKey;
        EXPECT_GT(
            Measure(German, {Option.nHelpLeft, Switch.nTop, Sheets::HELP_AREA_WIDTH, Switch.Height()}, 0.35f).nBright,
            20)
            << Option.szKey;
    }
    EXPECT_LT(Measure(German, Rect(Sheets::CODE_FIELD)).fMeanLight, 0.12f);

    Picture16 Quest = LoadPicture("quest"), QuestEn = LoadPicture("quest_en");
    for (int n = 0; n < Sheets::OPTION_COUNT; ++n) {
        EXPECT_GT(Measure(Quest, Sheets::Help(n)).nOpaque, Sheets::Help(n).w * Sheets::Help(n).h * 9 / 10)
            << "help " << n;
        EXPECT_GT(Differences(Quest, Sheets::Help(n), QuestEn, Sheets::Help(n)), 200) << "help " << n;
    }
    std::vector<SheetRect> Switches = {Sheets::SWITCH_OFF, Sheets::SWITCH_ON, Sheets::SwitchLanguage(0),
                                       Sheets::SwitchLanguage(1)};
    for (int n = 0; n < 3; ++n)
        Switches.push_back(Sheets::SwitchAuto(n)), Switches.push_back(Sheets::SwitchDifficulty(n));
    for (const SheetRect& Switch : Switches)
        EXPECT_GT(Measure(Quest, Switch).nOpaque, Switch.w * Switch.h * 8 / 10) << "switch at " << Switch.y;
    // Ten different lit digits, opaque over the whole cell.
    for (int d = 0; d < 10; ++d) {
        AreaStats Digit = Measure(Quest, Sheets::EntryDigit(d), 0.5f);
        EXPECT_EQ(Digit.nOpaque, Digit.nPixels) << d;
        EXPECT_GT(Digit.nBright, 8) << d;
        EXPECT_TRUE(!d || Differences(Quest, Sheets::EntryDigit(d - 1), Quest, Sheets::EntryDigit(d)) > 10) << d;
    }
    // The words of the on/off switches follow the language; the language names do not.
    EXPECT_GT(Differences(Quest, Sheets::SWITCH_OFF, QuestEn, Sheets::SWITCH_OFF), 20);
    EXPECT_EQ(Differences(Quest, Sheets::SwitchLanguage(0), QuestEn, Sheets::SwitchLanguage(0)), 0);
}

// The high-score, match and about screens keep the places the game prints on
// dark and even, and show their back button lit.
void ExpectCalmPrintingPlaces()
{
    Picture16 Scores = LoadPicture("m2"), Match = LoadPicture("mpm1"), About = LoadPicture("m5");
    for (int16_t y = 175; y < 175 + 5 * 50; y += 50) {
        // Names: 8 letters of 18 pixels; scores: 6 digits of 20.
        for (SheetRect Slot : {SheetRect{200, y, 8 * 18, 24}, SheetRect{492, y, 6 * 20, 24}}) {
            AreaStats Stats = Measure(Scores, Slot, 0.2f);
            EXPECT_EQ(Stats.nBright, 0) << "row at " << y;
            EXPECT_LT(Stats.fMeanLight, 0.1f) << "row at " << y;
        }
    }
    AreaStats Band = Measure(Match, {160, 196, 480, 280}, 0.3f);   // the match scores' centred lines
    EXPECT_LT(Band.fMeanLight, 0.15f);
    EXPECT_LT(Band.nBright, 40);
    for (const Picture16* pScreen : {&Scores, &Match, &About})
        EXPECT_GT(Measure(*pScreen, Rect(Sheets::BACK), 0.45f).nBright, 30);
}

TEST_F(ScreenArt, TheWholeStepWritesTheDataSetsScreensAndTheyLeaveRoomForTheGame)
{
    // The instruction pages show sheets of the earlier steps: copies of the build's.
    std::filesystem::create_directory("gfx");
    for (std::string Sheet :
         {"tiles", "boni", "kugel", "enemy1", "enemy2", "enemy3", "wetter", "big_enemy01", "schlaeger0"})
        for (std::string File : {Sheet + ".kvp", Sheet + "_a.kvp"})
            if (File != "tiles_a.kvp")
                std::filesystem::copy_file(TAMBOREL_DATA_SET "/gfx/" + File, "gfx/" + File);
    RunInEngine([](const ForgeContext& Context) {
        ASSERT_TRUE(ForgeArtScreens(Context));
        // The 17 sheets, nine screens, the pages in two languages, the backgrounds, two option sheets with masks.
        EXPECT_EQ(ExpectSameAsDataSet(), 17u + 9 + 2 * Sheets::INSTRUCTION_PAGES + Sheets::BACKGROUND_COUNT + 4);
        ExpectDarkDistinctBackgrounds();
        ExpectTitleMenu();
        ExpectOptions();
        ExpectCalmPrintingPlaces();
    });
}

// Pixels of a page close to a pure primary (0 red, 1 green, 2 blue).
int CountPrimary(const Picture16& Page, int nChannel)
{
    return (int)std::count_if(Page.Pixels.begin(), Page.Pixels.end(), [&](uint16_t nPixel) {
        KorvidRGB c = KorvidConvert::Unpack565(nPixel);
        int Channels[3] = {c.r, c.g, c.b};
        return Channels[nChannel] > 200 && Channels[(nChannel + 1) % 3] < 50 && Channels[(nChannel + 2) % 3] < 50;
    });
}

TEST_F(ScreenArt, PagesShowTheSheetsThereAreAndArePaintedWithoutTheOthers)
{
    RunInEngine([](const ForgeContext& Context) {
        // Tiles all green, bonuses all blue; the ball and enemy sheets are not there yet.
        for (auto [Size, nColour] : {std::pair{Sheets::TILES, 0x00FF00u}, {Sheets::BONI, 0x0000FFu}}) {
            Canvas Sheet(Size.nWidth, Size.nHeight);
            Sheet.Fill({0, 0, Size.nWidth, Size.nHeight}, [](float, float) { return -1.0f; }, Hex(nColour));
            ASSERT_TRUE(
                SavePicture(Context, Size.szName, Sheet, Size.bMask ? PictureKind::MaskedSheet : PictureKind::Sheet));
        }
        ASSERT_TRUE(PaintInstructionScreens(Context));
        // 22 tiles of 40 x 24 on the brick page, 20 bonuses of 30 x 30 on the first bonus page, neither on the
        // controls.
        Picture16 Controls = LoadPicture("m3_1"), Bricks = LoadPicture("m3_2"), Bonuses = LoadPicture("m3_3");
        EXPECT_GT(CountPrimary(Bricks, 1), 22 * 40 * 24 * 8 / 10);
        EXPECT_GT(CountPrimary(Bonuses, 2), 20 * 30 * 30 * 8 / 10);
        EXPECT_LT(std::max(CountPrimary(Controls, 1), CountPrimary(Controls, 2)), 50);
        // Texts fill every page, in different words per language; so does the frame's title.
        for (int n = 1; n <= Sheets::INSTRUCTION_PAGES; ++n) {
            Picture16 German = LoadPicture("m3_" + std::to_string(n)),
                      English = LoadPicture("m3_" + std::to_string(n) + "_en");
            EXPECT_GT(Measure(German, {0, 50, 600, 350}, 0.6f).nBright, 1500) << "page " << n;
            EXPECT_GT(Differences(German, {0, 0, 600, 400}, English, {0, 0, 600, 400}), 3000) << "page " << n;
        }
        EXPECT_GT(Differences(LoadPicture("m3"), {0, 0, 800, 90}, LoadPicture("m3_en"), {0, 0, 800, 90}), 500);
    });
}

}  // namespace
