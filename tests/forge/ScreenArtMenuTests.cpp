// The menu screens and the options sheets: every place the game draws into or
// points at is painted for it, and the two languages really differ.
#include "ScreenArtTestsSupport.h"
#include "screens/ScreenFamilies.h"

namespace {

SheetRect Rect(const ScreenArea& Area)
{
    return {Area.nLeft, Area.nTop, Area.Width(), Area.Height()};
}

}  // namespace

TEST_F(ScreenArtTest, TitleMenuEntriesAreLitLabelsThatFollowTheLanguage)
{
    RunInEngine([](const ForgeContext& Context) {
        ASSERT_TRUE(PaintTitleScreens(Context));
        LoadedPicture German = LoadPicture("m1"), English = LoadPicture("m1_en");
        ASSERT_TRUE(German.Loaded() && English.Loaded());
        const ScreenArea MENU[] = {Sheets::MENU_START, Sheets::MENU_OPTIONS, Sheets::MENU_INSTRUCTIONS,
                                   Sheets::MENU_HIGHSCORES, Sheets::MENU_INFO, Sheets::MENU_QUIT};
        for (const ScreenArea& Area : MENU) {
            SheetRect Box = Rect(Area);
            // A label is bright lettering on the entry's plate.
            EXPECT_GT(Measure(German, Box, 0.7f).nBright, 40) << "entry at " << Area.nLeft << "," << Area.nTop;
            EXPECT_GT(Measure(English, Box, 0.7f).nBright, 40) << "entry at " << Area.nLeft << "," << Area.nTop;
            EXPECT_GT(CountDifferences(German, English, Box.x, Box.y, Box.w, Box.h), 50);
        }
        // The logo and the figures' places are the same in both languages.
        EXPECT_EQ(CountDifferences(German, English, 0, 0, 800, 300), 0);
        // The logo is lit.
        EXPECT_GT(Measure(German, 100, 20, 600, 110, 0.7f).nBright, 3000);
    });
}

TEST_F(ScreenArtTest, OptionsPageGivesEverySwitchADarkSlotAndALabel)
{
    RunInEngine([](const ForgeContext& Context) {
        ASSERT_TRUE(PaintOptionScreens(Context));
        LoadedPicture German = LoadPicture("m4"), English = LoadPicture("m4_en");
        ASSERT_TRUE(German.Loaded() && English.Loaded());
        for (const Sheets::OptionArea& Option : Sheets::OPTIONS) {
            const ScreenArea& Switch = Option.Switch;
            // The slot under the switch picture stays dark and quiet.
            AreaStats Slot = Measure(German, Switch.nLeft, Switch.nTop, Sheets::SWITCH_WIDTH, Sheets::SWITCH_HEIGHT);
            EXPECT_LT(Slot.fMeanLight, 0.12f) << Option.szKey;
            // Text to its left, in a different wording per language.
            int nLabelLeft = Switch.nLeft < 500 ? 96 : 436;
            SheetRect Label = {(int16_t)nLabelLeft, Switch.nTop, (int16_t)(Switch.nLeft - 8 - nLabelLeft), Switch.Height()};
            EXPECT_GT(Measure(German, Label, 0.6f).nBright, 15) << Option.szKey;
            EXPECT_GT(CountDifferences(German, English, Label.x, Label.y, Label.w, Label.h), 20) << Option.szKey;
            // A help marker sits in the help area.
            AreaStats Help = Measure(German, Option.nHelpLeft, Switch.nTop, Sheets::HELP_AREA_WIDTH, Switch.Height(), 0.35f);
            EXPECT_GT(Help.nBright, 20) << Option.szKey;
        }
        EXPECT_LT(Measure(German, Rect(Sheets::CODE_FIELD)).fMeanLight, 0.12f);
    });
}

TEST_F(ScreenArtTest, OptionSheetsHoldEveryPictureInTheirLanguage)
{
    RunInEngine([](const ForgeContext& Context) {
        ASSERT_TRUE(PaintOptionSheets(Context));
        LoadedPicture German = LoadPicture("quest"), English = LoadPicture("quest_en");
        ASSERT_TRUE(German.Loaded() && English.Loaded());
        EXPECT_EQ(German.nWidth, Sheets::QUEST.nWidth);
        EXPECT_EQ(German.nHeight, Sheets::QUEST.nHeight);
        for (int n = 0; n < Sheets::OPTION_COUNT; ++n) {
            SheetRect Help = Sheets::Help(n);
            EXPECT_GT(Measure(German, Help).nOpaque, Help.w * Help.h * 9 / 10) << "help " << n;
            EXPECT_GT(CountDifferences(German, English, Help.x, Help.y, Help.w, Help.h), 200) << "help " << n;
        }
        std::vector<SheetRect> Switches = {Sheets::SWITCH_OFF, Sheets::SWITCH_ON};
        for (int n = 0; n < 3; ++n)
            Switches.push_back(Sheets::SwitchAuto(n)), Switches.push_back(Sheets::SwitchDifficulty(n));
        Switches.push_back(Sheets::SwitchLanguage(0));
        Switches.push_back(Sheets::SwitchLanguage(1));
        for (size_t a = 0; a < Switches.size(); ++a) {
            EXPECT_GT(Measure(German, Switches[a]).nOpaque, Switches[a].w * Switches[a].h * 8 / 10) << "switch " << a;
            for (size_t b = a + 1; b < Switches.size(); ++b) {
                int nDiffering = 0;
                for (int y = 0; y < Sheets::SWITCH_HEIGHT; ++y)
                    for (int x = 0; x < Sheets::SWITCH_WIDTH; ++x)
                        nDiffering += German.At(Switches[a].x + x, Switches[a].y + y) !=
                                      German.At(Switches[b].x + x, Switches[b].y + y);
                EXPECT_GT(nDiffering, 30) << "switches " << a << " and " << b << " look alike";
            }
        }
        // The words of the on/off switches follow the language; the language names do not.
        EXPECT_GT(CountDifferences(German, English, Sheets::SWITCH_OFF.x, Sheets::SWITCH_OFF.y, 56, 20), 20);
        for (int n = 0; n < 2; ++n) {
            SheetRect Language = Sheets::SwitchLanguage(n);
            EXPECT_EQ(CountDifferences(German, English, Language.x, Language.y, Language.w, Language.h), 0);
        }
        // Ten different lit digits, opaque over the whole cell.
        for (int d = 0; d < 10; ++d) {
            SheetRect Digit = Sheets::EntryDigit(d);
            AreaStats Stats = Measure(German, Digit, 0.5f);
            EXPECT_EQ(Stats.nOpaque, Digit.w * Digit.h) << d;
            EXPECT_GT(Stats.nBright, 8) << d;
        }
        for (int d = 1; d < 10; ++d) {
            int nDiffering = 0;
            for (int y = 0; y < 17; ++y)
                for (int x = 0; x < 10; ++x)
                    nDiffering += German.At(Sheets::EntryDigit(d).x + x, Sheets::EntryDigit(d).y + y) !=
                                  German.At(Sheets::EntryDigit(d - 1).x + x, Sheets::EntryDigit(d - 1).y + y);
            EXPECT_GT(nDiffering, 10) << "digits " << d - 1 << " and " << d;
        }
    });
}

TEST_F(ScreenArtTest, ScreensKeepThePlacesTheGamePrintsOnCalm)
{
    RunInEngine([](const ForgeContext& Context) {
        ASSERT_TRUE(PaintHighScoreScreen(Context));
        ASSERT_TRUE(PaintMatchScreen(Context));
        ASSERT_TRUE(PaintAboutScreen(Context));
        LoadedPicture Scores = LoadPicture("m2"), Match = LoadPicture("mpm1"), About = LoadPicture("m5");
        ASSERT_TRUE(Scores.Loaded() && Match.Loaded() && About.Loaded());
        for (int i = 0; i < 5; ++i) {
            int y = 175 + 50 * i;
            // Names (8 letters of 18) and scores (6 digits of 20) are printed onto dark, even slots.
            AreaStats Name = Measure(Scores, 200, y, 8 * 18, 24, 0.2f), Score = Measure(Scores, 492, y, 6 * 20, 24, 0.2f);
            EXPECT_EQ(Name.nBright, 0) << "row " << i;
            EXPECT_EQ(Score.nBright, 0) << "row " << i;
            EXPECT_LT(Name.fMeanLight, 0.1f);
            EXPECT_LT(Score.fMeanLight, 0.1f);
        }
        // The match scores are centred lines between y 200 and 474.
        AreaStats Band = Measure(Match, 160, 196, 480, 280, 0.3f);
        EXPECT_LT(Band.fMeanLight, 0.15f);
        EXPECT_LT(Band.nBright, 40);
        // Every screen but the title has its back button, lit, at the back area.
        for (const LoadedPicture* pScreen : {&Scores, &Match, &About})
            EXPECT_GT(Measure(*pScreen, Rect(Sheets::BACK), 0.45f).nBright, 30);
    });
}
