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
    void Frame(int nCount = 1) { for (int n = 0; n < nCount; ++n) PumpAllEvents(), Frames(1); }
    void Button(bool bDown) { InjectMouseButton(SDL_BUTTON_LEFT, bDown, 0, 0), Frame(); }
    void MoveTo(int x, int y) { InjectMouseMove((Uint16)x, (Uint16)y), Frame(); }
    void Click(const ScreenArea& A) { MoveTo((A.nLeft + A.nRight) / 2, (A.nTop + A.nBottom) / 2), Button(1), Button(0); }
    static Shot Shown(const ScreenArea& A) { return Pixels(A.nLeft, A.nTop, A.Width(), A.Height()); }
};

// Where a glyph of the high-score list is bright (the slots under the glyphs are dark).
std::vector<bool> BrightAt(int x, int y)
{
    std::vector<bool> Bright;
    for (uint16_t nPixel : Pixels(x, y, 18, 24))
        Bright.push_back(Korvid.Unpack(nPixel).r + Korvid.Unpack(nPixel).g + Korvid.Unpack(nPixel).b > 360);
    return Bright;
}

TEST_F(Menus, EveryEntryIsHighlightedOpensItsScreenAndBackLeadsOutUntilQuitEndsTheRun)
{
    Start();
    for (auto [Area, nScreen, szPicture] : {std::tuple{Sheets::MENU_OPTIONS, 4, "m4"}, {Sheets::MENU_INSTRUCTIONS, 3, "m3"},
                                            {Sheets::MENU_HIGHSCORES, 5, "m2"}, {Sheets::MENU_INFO, 2, "m5"}}) {
        MoveTo(700, 20);
        const uint16_t* pBackground = (const uint16_t*)Korvid.ChunkyBuffer(GAME_CHUNKY_BACKGROUND);
        EXPECT_NE(Pixel(702, 26), pBackground[26 * SCREEN_WIDTH + 702]);   // the menus' own pointer
        const Shot Plain = Shown(Area);
        MoveTo(Area.nLeft + 2, Area.nBottom - 2);
        EXPECT_NE(Shown(Area), Plain) << szPicture;
        Click(Area);
        EXPECT_TRUE(g_nMenuScreen == nScreen && ChunkyShows(GAME_CHUNKY_BACKGROUND, szPicture)) << szPicture;
        Click(Sheets::BACK);
        EXPECT_TRUE(g_nMenuScreen == GAME_SCREEN_TITLE && ChunkyShows(GAME_CHUNKY_BACKGROUND, "m1")) << szPicture;
    }
    g_nMenuScreen = GAME_SCREEN_MATCH_WON;   // a match's screens go back through their own change
    Click(Sheets::BACK);
    EXPECT_TRUE(LogHas("Tamborel: GameChangeMode(7) - MP_MENU_ABBRECHEN"));
    Click(Sheets::MENU_START);
    EXPECT_TRUE(g_bInGame && !g_bBallsLaunched);   // the click that started the game launches nothing
    Press(GAME_KEY_ESCAPE);
    Click(Sheets::MENU_QUIT);
    Frame();
    EXPECT_FALSE(Korvid.Running());
}

TEST_F(Menus, PagesTurnRoundTheRingOnceAClickEvenWhenHeldAndTheLanguageSwitchReloadsThem)
{
    Start();
    Click(Sheets::MENU_INSTRUCTIONS);
    MoveTo(750, 20);   // the pointer off the page
    const uint16_t* pPage = (const uint16_t*)Korvid.ChunkyBuffer(GAME_CHUNKY_PAGE);
    EXPECT_EQ(Pixels(100, 100, 600, 400), Shot(pPage, pPage + 600 * 400));
    for (auto [Turn, szPage] : {std::pair{Sheets::PAGE_NEXT, "m3_2"}, {Sheets::PAGE_PREVIOUS, "m3_1"},
                                {Sheets::PAGE_PREVIOUS, "m3_9"}, {Sheets::PAGE_NEXT, "m3_1"}}) {
        Click(Turn);
        EXPECT_TRUE(ChunkyShows(GAME_CHUNKY_PAGE, szPage)) << szPage;
    }
    Button(true);   // held down a second over "next", then let go: one page on
    Frame(50);
    Button(false);
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
    for (int n = 0; n < Sheets::OPTION_COUNT; ++n)
        for (int nValue : {AFTER[n].first, AFTER[n].second}) {
            const Sheets::OptionArea& Option = Sheets::OPTIONS[n];
            const Shot Before = Shown(Option.Switch);
            Click(Option.Switch);
            EXPECT_EQ(Pair(VALUES[n](), Korvid.IniGetInt(Option.szKey, -1)), Pair(nValue, nValue)) << Option.szKey;
            EXPECT_NE(Shown(Option.Switch), Before) << Option.szKey;
        }
    // The stored 7 counted as hard; easy switched the boss stages off, and hard on again.
    EXPECT_TRUE(LogStartsWith("** WARNING ** Tamborel: Option 'SST' Held 7, Outside 0..2"));
    Click(Sheets::OPTIONS[12].Switch);
    EXPECT_EQ((std::array<int, 4>{g_nSST, g_nEM, Korvid.IniGetInt("SST", -1), Korvid.IniGetInt("EM", -1)}),
              (std::array<int, 4>{2, 1, 2, 1}));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Music stopped at user request",
                                                "Requested Load Of Sound File 'intro_96.wav'",
                                                "Music Played At User Request"}));
    const ScreenArea Help = {444, 234, 663, 344};   // hanging from the "?" of the computer opponent
    const Shot Plain = Shown(Help);
    MoveTo(Help.nRight + 1, Help.nBottom + 1);
    EXPECT_NE(Shown(Help), Plain);
}

TEST_F(Menus, ATypedNameAndTheScoresShowOnTheList)
{
    WriteGameFile(HS_FILE, Bytes(HS_FILE_BYTES, HS_NAME_END));   // the scores are read beside their names
    Start("[Tamborel2]\nH1=5000\nH2=4000\nH3=3000\nH4=2000\nH5=1000\n");
    ASSERT_TRUE(HSInsert(4500));
    for (int nKey : {GAME_KEY_A, GAME_KEY_A + 1, GAME_KEY_RETURN})
        Press(nKey), Frame(7);
    Click(Sheets::MENU_HIGHSCORES);
    const int y = 175 + 50;   // the second entry: AB, 004500
    EXPECT_NE(BrightAt(200, y), BrightAt(218, y));
    EXPECT_EQ(BrightAt(236, y), std::vector<bool>(18 * 24, false));
    EXPECT_EQ(BrightAt(492, y), BrightAt(512, y));
    EXPECT_NE(BrightAt(532, y), BrightAt(552, y));
    EXPECT_EQ(BrightAt(572, y), BrightAt(492, y));
    EXPECT_EQ(BrightAt(532, y - 50), BrightAt(552, y));   // the 5 of 005000
}

}  // namespace
