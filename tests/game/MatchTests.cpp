// A match against the computer: the serve, the score screens, what a match
// leaves to the next game, and the demo playing one.
#include "game/GameFixture.h"

#include <map>

#include "Enemies.h"
#include "Flow.h"
#include "Fragments.h"
#include "Keys.h"
#include "MatchScores.h"
#include "Text.h"

namespace {

using namespace gametest;

TEST_F(GameStart, OnlyTheMousePlayersLostBallCostsALifeAndThenTheComputerServes)
{
    Start("[Tamborel2]\nAuto=1\n");
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    auto LoseAtThenClick = [&](int16_t x) {
        Fly(0, x, 530, 2, 4);
        Frames(2);
        Korvid.SimulateClick(KOR_BUTTON_LEFT, 0, 0);
        Frames(2);
    };
    const int16_t nServeX = g_Paddles[0].x;
    Frames(30);
    EXPECT_EQ(g_Paddles[0].x, nServeX);   // the computer's paddle stays put while the ball waits on it
    Korvid.SetMousePosition(100, 300, false, false);   // the mouse steers the right paddle
    LoseAtThenClick(100);                               // on the computer's half
    EXPECT_TRUE(g_Paddles[1].x == 400 && g_bBallsLaunched && g_nLives[1] == 3);
    EXPECT_EQ(g_Balls[0].nSlowDown, -1);   // a launch puts the slow-down off for a player alone only
    LoseAtThenClick(600);
    EXPECT_TRUE(!g_bBallsLaunched && g_nLives[1] == 2);
    std::map<int, bool> GoHeardBy;   // countdown -> "go" played by then
    for (int n = 0; n < 500 && !g_bBallsLaunched; ++n) {
        Frames(1);
        GoHeardBy[g_nComputerCountdown] = WasPlayed(10, 0);
    }
    EXPECT_TRUE(g_bBallsLaunched && WasPlayed(8, 15));
    EXPECT_EQ(GoHeardBy, (std::map<int, bool>{{0, true}, {1, false}, {2, false}, {3, false}, {4, false}, {5, false},
                                             {6, false}}));
    // An enemy that takes the computer's paddle, before the ball falls, hands the mouse player the serve.
    g_Enemies[0] = Enemy{1, 0, 0, 0, 0, g_Paddles[0].x, (int16_t)(g_Paddles[0].y - 20), 0, 0, 0};
    LoseAtThenClick(600);
    EXPECT_TRUE(g_bBallsLaunched && g_nLives[1] == 2);
}

TEST_F(GameStart, TheScoreScreensPutTheBetterFirstAndEveryEndOfAMatchGivesBackTheFragments)
{
    Start("[Tamborel2]\nAuto=2\n");
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN) && GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
    // Screen, level scores and totals, then the lines at y 200, 248, 272, 296, 344, 368, 392 and 450.
    using Case = std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, std::array<const char*, 8>>;
    for (const Case& C : {Case{13, 1, 5, 7, 7, {"-={ Highscore }=-", "- Level -", "Computer: 5 Punkte", "Spieler: 1 Punkt",
                                                "- Gesamtwertung -", "Spieler: 7 Punkte", "Computer: 7 Punkte",
                                                "Dr\xfc" "cken Sie die Eingabetaste, um das Spiel fortzusetzen!"}},
                          Case{14, 2, 1, 4, 4, {"-={ Finalwertung }=-", "- Level -", "Spieler: 2 Punkte", "Computer: 1 Punkt",
                                                "- Gesamtwertung -", "Spieler: 4 Punkte", "Computer: 4 Punkte",
                                                "-> Es herrscht Punkte-Gleichstand! <-"}}}) {
        std::tie(g_nMenuScreen, g_nScore[0], g_nScore[1], g_nTotal[0], g_nTotal[1], std::ignore) = C;
        Korvid.ClearChunky(0, 0);
        GameDrawMatchScores();
        const std::vector<uint16_t> Shown = Pixels(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
        Korvid.ClearChunky(0, 0);
        for (int n = 0; n < 8; ++n)
            GamePrintText(-1, std::array<int, 8>{200, 248, 272, 296, 344, 368, 392, 450}[n], std::get<5>(C)[n], 255, false);
        EXPECT_TRUE(Shown == Pixels(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT)) << g_nMenuScreen;
    }
    Press(GAME_KEY_RETURN);   // nothing on the last screen
    Frames(10);
    Press(GAME_KEY_ESCAPE);
    EXPECT_EQ(Pair(g_bInGame, g_nMenuScreen), Pair(false, GAME_SCREEN_TITLE));
    for (GameMode eEnd : {GAME_MODE_MP_MENU_ABBRECHEN, GAME_MODE_SPIEL_ABBRECHEN, GAME_MODE_SPIEL_VELOREN}) {
        ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN) && GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT) &&
                    GameChangeMode(GAME_MODE_MP_SPIEL_STARTEN) && GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
        GameChangeMode(eEnd);
        EXPECT_EQ(g_nFS, 1) << eEnd;
    }
    Fly(0, 300, 200, 3, -2);   // alone again
    HitWith(7);
    EXPECT_EQ(g_Fragments[0].nCode, 7);
}

TEST_F(GameStart, AMatchResumedFromTheTitleEndsWithItsGameEvenWithTheOptionSwitchedOffMeanwhile)
{
    Start("[Tamborel2]\nAuto=1\n");
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN) && GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT) &&
                GameChangeMode(GAME_MODE_MP_MENU_ABBRECHEN));
    g_nAuto = 0;
    ASSERT_TRUE(g_bTwoPlayers && GameChangeMode(GAME_MODE_MP_MENU_STARTEN));
    GameChangeMode(GAME_MODE_SPIEL_VELOREN);
    EXPECT_TRUE(!g_bTwoPlayers && g_nComputerPlayer == 0);
}

TEST_F(GameStart, TheDemoPlaysAMatchOnThroughLostBallsAndScoreScreens)
{
    Level Short = MakeLevel(1, {{3, 17, 0}, {12, 17, 0}});   // two bricks under a row of hard ones
    for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn)
        Short.Cells[LevelCellIndex(nColumn, 16)] = 180;
    LevelFileData File;
    File.Levels.assign(LEVELS_PER_FILE, Short);
    Bytes LevelBytes, ParamBytes;
    LevelEncodeFile(File, LevelBytes, ParamBytes);
    WriteGameFile("data/levels/lv1.dat", LevelBytes);
    WriteGameFile("data/levels/lv1p.dat", ParamBytes);
    WriteSettings("[Tamborel2]\nAuto=1\n");
    RunResult Run = RunGame("TAMBOREL_DATA='" + m_GameDir + "'", "--windowed --demo=60 --fast --seed=4");
    int nLevels = -1, nLost = -1;
    sscanf(Run.Out.c_str(), "demo: frames=%*d seconds=60 levels=%d score=%*d lost=%d", &nLevels, &nLost);
    EXPECT_TRUE(Run.nStatus == 0 && nLevels >= 1 && nLost >= 1) << Run.Out << Run.Err;
    // The computer served ("go"), and Enter on a score screen led on to a next level.
    const std::string Log = ReadFileText("debug.log");
    EXPECT_NE(Log.find("Sound: " + std::to_string(GameSoundNumber(10, 0)) + " "), std::string::npos);
    EXPECT_NE(Log.find("Tamborel: GameChangeMode(8) - MP_SPIEL_STARTEN"), std::string::npos);
}

}  // namespace
