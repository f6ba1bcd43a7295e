// The menus worked as a player works them: pointer moves and the left button as
// SDL events, pumped before every frame as the message loop does.
#include "game/GameFixture.h"

#include <functional>

#include "HighScores.h"
#include "Keys.h"
#include "sheets.h"
#include "support/TestInput.h"

namespace {

using namespace gametest;
using Shot = std::vector<uint16_t>;

class Menus : public GameStart {
protected:
    void Frame(int nCount = 1)
    {
        for (int n = 0; n < nCount; ++n) {
            PumpAllEvents();
            Frames(1);
        }
    }
    void Button(bool bDown, int x, int y)
    {
        InjectMouseButton(SDL_BUTTON_LEFT, bDown, (Uint16)x, (Uint16)y);
        Frame();
    }
    void MoveTo(int x, int y)
    {
        InjectMouseMove((Uint16)x, (Uint16)y);
        Frame();
    }
    void Click(const ScreenArea& Area)
    {
        const int x = (Area.nLeft + Area.nRight) / 2, y = (Area.nTop + Area.nBottom) / 2;
        MoveTo(x, y);
        Button(true, x, y);
        Button(false, x, y);
    }
    static Shot Shown(int x, int y, int nWidth, int nHeight) { return Pixels(x, y, nWidth, nHeight); }
    static Shot Shown(const ScreenArea& A) { return Pixels(A.nLeft, A.nTop, A.Width(), A.Height()); }
};

// Where a glyph of the high-score list is bright: the slots under it are dark.
std::vector<bool> BrightAt(int x, int y)
{
    std::vector<bool> Bright;
    for (uint16_t nPixel : Pixels(x, y, 18, 24)) {
        const KorvidRGB Rgb = Korvid.Unpack(nPixel);
        Bright.push_back(Rgb.r + Rgb.g + Rgb.b > 360);
    }
    return Bright;
}

TEST_F(Menus, EveryEntryIsHighlightedOpensItsScreenAndBackLeadsOutUntilQuitEndsTheRun)
{
    Start();
    struct Entry {
        ScreenArea Area;
        int32_t nScreen;
        const char* szPicture;
    };
    for (const Entry& Each : {Entry{Sheets::MENU_OPTIONS, 4, "m4"}, Entry{Sheets::MENU_INSTRUCTIONS, 3, "m3"},
                              Entry{Sheets::MENU_HIGHSCORES, 5, "m2"}, Entry{Sheets::MENU_INFO, 2, "m5"}}) {
        MoveTo(700, 20);
        const Shot Plain = Shown(Each.Area);
        MoveTo(Each.Area.nLeft + 2, Each.Area.nBottom - 2);
        EXPECT_NE(Shown(Each.Area), Plain) << Each.szPicture;
        Click(Each.Area);
        EXPECT_EQ(g_nMenuScreen, Each.nScreen);
        EXPECT_TRUE(ChunkyShows(GAME_CHUNKY_BACKGROUND, Each.szPicture));
        Click(Sheets::BACK);
        EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);
        EXPECT_TRUE(ChunkyShows(GAME_CHUNKY_BACKGROUND, "m1"));
    }
    g_nMenuScreen = GAME_SCREEN_MATCH_WON;   // a match's screens go back through their own change
    Click(Sheets::BACK);
    EXPECT_TRUE(LogHas("Tamborel: GameChangeMode(7) - MP_MENU_ABBRECHEN"));
    Click(Sheets::MENU_START);
    EXPECT_TRUE(g_bInGame && !g_bBallsLaunched);   // the click that started the game launches nothing
    Press(GAME_KEY_ESCAPE);
    ASSERT_FALSE(g_bInGame);
    Click(Sheets::MENU_QUIT);
    Frame();
    EXPECT_FALSE(Korvid.Running());
}

TEST_F(Menus, PagesTurnRoundTheRingOnceAClickEvenWhenHeldAndTheLanguageSwitchReloadsThem)
{
    Start();
    Click(Sheets::MENU_INSTRUCTIONS);
    EXPECT_TRUE(ChunkyShows(GAME_CHUNKY_PAGE, "m3_1"));
    MoveTo(750, 20);   // the pointer off the page
    const uint16_t* pPage = (const uint16_t*)Korvid.ChunkyBuffer(GAME_CHUNKY_PAGE);
    EXPECT_EQ(Shown(100, 100, 600, 400), Shot(pPage, pPage + 600 * 400));
    Click(Sheets::PAGE_PREVIOUS);
    EXPECT_TRUE(ChunkyShows(GAME_CHUNKY_PAGE, "m3_9"));
    Click(Sheets::PAGE_NEXT);
    EXPECT_TRUE(ChunkyShows(GAME_CHUNKY_PAGE, "m3_1"));
    // Held down a second over "next", then let go: one page on.
    Button(true, 250, 530);
    Frame(50);
    Button(false, 250, 530);
    Frame(5);
    EXPECT_TRUE(ChunkyShows(GAME_CHUNKY_PAGE, "m3_2"));
    Click(Sheets::BACK);
    Click(Sheets::MENU_OPTIONS);
    Click(Sheets::OPTIONS[6].Switch);   // the language
    for (auto [nChunky, szName] : {std::pair{GAME_CHUNKY_BACKGROUND, "m4_en"}, {GAME_CHUNKY_PAGE, "m3_2_en"},
                                   {GAME_CHUNKY_KUGEL, "kugel_en"}, {GAME_CHUNKY_QUEST, "quest_en"}})
        EXPECT_TRUE(ChunkyShows(nChunky, szName)) << szName;
    Click(Sheets::BACK);
    EXPECT_TRUE(ChunkyShows(GAME_CHUNKY_BACKGROUND, "m1_en"));
}

TEST_F(Menus, EverySwitchTogglesIsAppliedAndSavedAtOnceAndItsHelpHangsFromThePointer)
{
    Start("[Tamborel2]\nAuto=0\nPlayMusic=1\nWetter=0\nAllowCPUSwitch=1\nL=0\nPS=1\nSB=1\nEM=1\nTS=0\nUL=0\n"
          "SST=7\nFS=1\nGameOverWennPlayerTot=0\n");
    Click(Sheets::MENU_OPTIONS);
    // Per option, in the page's order: the value the game uses, after one click and after two.
    const std::function<int()> VALUES[Sheets::OPTION_COUNT] = {
        [] { return g_nAuto; }, [] { return (int)g_bMusicOn; }, [] { return (int)g_bSoundOn; },
        [] { return g_nGameOverWennPlayerTot; }, [] { return g_nWetter; }, [] { return g_nAllowCPUSwitch; },
        [] { return g_nL; }, [] { return g_nPS; }, [] { return g_nSB; }, [] { return g_nEM; }, [] { return g_nTS; },
        [] { return g_nUL; }, [] { return g_nSST; }, [] { return g_nFS; }};
    const Pair AFTER[Sheets::OPTION_COUNT] = {{1, 2}, {0, 1}, {0, 1}, {1, 0}, {1, 0}, {0, 1}, {1, 0},
                                              {0, 1}, {0, 1}, {0, 1}, {1, 0}, {1, 0}, {0, 1}, {0, 1}};
    for (int n = 0; n < Sheets::OPTION_COUNT; ++n) {
        const Sheets::OptionArea& Option = Sheets::OPTIONS[n];
        for (int nValue : {AFTER[n].first, AFTER[n].second}) {
            const Shot Before = Shown(Option.Switch);
            Click(Option.Switch);
            EXPECT_EQ(Pair(VALUES[n](), Korvid.IniGetInt(Option.szKey, -1)), Pair(nValue, nValue)) << Option.szKey;
            EXPECT_NE(Shown(Option.Switch), Before) << Option.szKey;
        }
    }
    // The stored 7 counted as hard; easy switched the boss stages off, and hard on again.
    EXPECT_TRUE(LogStartsWith("** WARNING ** Tamborel: Option 'SST' Held 7, Outside 0..2"));
    Click(Sheets::OPTIONS[12].Switch);
    EXPECT_EQ((std::array<int, 4>{g_nSST, g_nEM, Korvid.IniGetInt("SST", -1), Korvid.IniGetInt("EM", -1)}),
              (std::array<int, 4>{2, 1, 2, 1}));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Music stopped at user request",
                                                "Requested Load Of Sound File 'intro_96.wav'",
                                                "Music Played At User Request"}));
    const ScreenArea& Auto = Sheets::OPTIONS[0].Switch;
    const Shot Plain = Shown(Auto.nRight + 16 - 220, Auto.nTop + 4 - 111, 220, 111);
    MoveTo(Auto.nRight + 16, Auto.nTop + 4);
    EXPECT_NE(Shown(Auto.nRight + 16 - 220, Auto.nTop + 4 - 111, 220, 111), Plain);
}

TEST_F(Menus, ATypedNameAndTheScoresShowOnTheListAndTheFiguresWaveAgainAfterTheirRest)
{
    WriteGameFile(HS_FILE, Bytes(HS_FILE_BYTES, HS_NAME_END));   // the scores are read beside their names
    Start("[Tamborel2]\nH1=5000\nH2=4000\nH3=3000\nH4=2000\nH5=1000\n");
    ASSERT_TRUE(HSInsert(4500));
    for (int nKey : {GAME_KEY_A, GAME_KEY_A + 1, GAME_KEY_RETURN}) {
        Press(nKey);
        Frame(7);
    }
    Click(Sheets::MENU_HIGHSCORES);
    ASSERT_EQ(g_nMenuScreen, 5);
    const int y = 175 + 50;   // the second entry: AB, 004500
    EXPECT_NE(BrightAt(200, y), BrightAt(218, y));
    EXPECT_EQ(BrightAt(236, y), std::vector<bool>(18 * 24, false));
    EXPECT_EQ(BrightAt(492, y), BrightAt(512, y));
    EXPECT_NE(BrightAt(532, y), BrightAt(552, y));
    EXPECT_EQ(BrightAt(572, y), BrightAt(492, y));
    EXPECT_EQ(BrightAt(532, y - 50), BrightAt(552, y));   // the 5 of 005000
    Click(Sheets::BACK);
    // After a second the figures rest; within twenty they wave again, and rest again.
    Frame(60);
    const Shot Resting = Shown(169, 144, 453, 142);
    int nFrames = 0;
    while (Shown(169, 144, 453, 142) == Resting && nFrames++ < 1100)
        Frame();
    EXPECT_LT(nFrames, 1100);
    Frame(60);
    EXPECT_EQ(Shown(169, 144, 453, 142), Resting);
}

}  // namespace
