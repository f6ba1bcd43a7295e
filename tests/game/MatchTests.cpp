// A match against the computer: the serve.
#include "game/GameFixture.h"

#include <map>

#include "Enemies.h"
#include "Flow.h"

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

}  // namespace
