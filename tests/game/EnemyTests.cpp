// Enemies headless: who is sent, where they fly, paddles killed or shielded, balls
// caught, carried and let go, enemies destroyed by balls, shots and bonus 33.
#include "game/GameFixture.h"

#include "Enemies.h"
#include "Shots.h"

namespace {

using namespace gametest;

Enemy& Put(int n, int x, int y, bool bHarmful, int nKind, int vx = 1, int vy = 1)
{
    g_Enemies[n] = {1, 0, 0, (uint8_t)!bHarmful, (uint8_t)nKind, (int16_t)x, (int16_t)y, (int16_t)vx, (int16_t)vy, 0};
    return g_Enemies[n];
}

TEST_F(PlayTest, EnemiesAreSentEveryTwentySecondsHarmfulOnlyAboveTheEasiestDifficultyAndStayInTheField)
{
    // The clock sends one into the first free slot, but not in a boss stage.
    RunClock(20000);
    g_bBossStage = 1;
    RunClock(20000);
    EXPECT_EQ(Pair(g_Enemies[0].bActive, g_Enemies[1].bActive), Pair(1, 0));
    // Difficulty, the largest harmful kind seen in 300 sends (-1: none harmful).
    for (const Pair& Case : {Pair(0, -1), Pair(1, 4), Pair(2, 7)}) {
        g_nSST = Case.first;
        GameResetLevel(0, false);
        int nLargestKind = -1;
        for (int nSend = 0; nSend < 300; ++nSend) {
            GameClearEnemies();
            GameSendEnemy();
            const Enemy& E = g_Enemies[0];
            EXPECT_TRUE(E.x == 350 && E.y == 20 && E.vx >= 1 && E.vx <= 5 && E.vy >= -5 && E.vy <= -1);
            nLargestKind = E.bHarmless ? nLargestKind : std::max(nLargestKind, (int)E.nKind);
        }
        EXPECT_EQ(nLargestKind, Case.second) << Case.first;
    }
    const std::array<int, 4> Starts[] = {{21, 300, -5, 3}, {699, 30, 5, -5}, {350, 469, 4, 5}, {100, 21, -1, -1}};
    for (int n = 0; n < 4; ++n)
        Put(n, Starts[n][0], Starts[n][1], true, n, Starts[n][2], Starts[n][3]);
    for (int nFrame = 0; nFrame < 400; ++nFrame) {
        GameMoveEnemies();
        for (const Enemy& E : g_Enemies)
            ASSERT_TRUE(!E.bActive || (E.x >= 20 && E.x <= 700 && E.y >= 20 && E.y <= 470)) << nFrame;
    }
}

TEST_F(PlayTest, AHarmfulEnemyCostsALifeUnlessAShieldTakesTheTouchOnce)
{
    // Harmful, dying, shield; then lives, the shield, whether the enemy is still there, the look's sheet.
    const std::pair<std::array<bool, 3>, std::array<int, 4>> Cases[] = {
        {{false, false, false}, {3, 0, 1, 3}},
        {{true, true, false}, {3, 0, 1, 3}},
        {{true, false, true}, {3, 0, 0, 0}}};
    Paddle& P = g_Paddles[0];
    for (const auto& Case : Cases) {
        P.bShield = Case.first[2];
        P.nSheet = 3;
        Put(0, P.x, P.y - 70, Case.first[0], 0).bDying = Case.first[1];
        GameMoveBalls();   // the balls wait on the paddle, the paddle is tested all the same
        EXPECT_EQ((std::array<int, 4>{g_nLives[0], P.bShield, g_Enemies[0].bActive, P.nSheet}), Case.second);
    }
    // The reset takes the balls in flight, the enemies and the lock with it.
    g_bEnemyCatchLock = 1;
    Fly(0, 300, 200, 3, -3);
    Put(4, P.x + 50, P.y, true, 6);
    GameMoveBalls();
    EXPECT_EQ(Pair(g_nLives[0], g_Enemies[4].bActive), Pair(2, 0));
    EXPECT_EQ(MotionOf(g_Balls[0]), (Motion{P.x + 34, PADDLE_REST_Y - 15, 2, -2}));
    EXPECT_TRUE(!g_bBallsLaunched && !g_bEnemyCatchLock);
}

TEST_F(PlayTest, ACatcherCarriesABallForItsHoldThenDiesTheBallIsSafeForThirtySecondsAndBonus33FreesEveryBall)
{
    GameRestartPlayClock();
    Enemy& Catcher = Put(0, 100, 200, true, 5);
    Ball& B = Fly(0, 120, 230, 3, -2);
    GameMoveBalls();
    const int32_t nHold = B.nHoldSeconds;
    ASSERT_EQ(Pair(B.nCarried, B.nCarrier), Pair(1, 0));
    EXPECT_TRUE(nHold >= 5 && nHold <= 20 && Catcher.nCarrying && B.nTopRow == 72 && B.nSpecial == BALL_PASSING);
    Catcher.x = 300;
    GameMoveBalls();
    EXPECT_EQ(Pair(B.x, B.y), Pair(300 + 30 + 3, 200 + 30 - 2));
    EXPECT_EQ(GameEnemyHitByShot(320, 240), -1);   // a carrier is not shot
    int nSeconds = 0;
    for (; B.nCarried == 1 && nSeconds < 30; ++nSeconds)
        RunClock(1000);
    EXPECT_EQ(Pair(nSeconds, (int)Catcher.bDying), Pair(nHold, 1));
    EXPECT_EQ(Pair(B.nCarried, B.nHoldSeconds), Pair(-1, 30));
    B.dx = B.dy = 1;
    for (nSeconds = 0; B.nCarried == -1 && nSeconds < 40; ++nSeconds) {
        Put(9, B.x - 30, B.y - 30, true, 7);
        RunClock(1000);
    }
    EXPECT_EQ(Pair(nSeconds, B.nCarrier), Pair(30, 9));
    // Bonus 33 frees every carried ball.
    Put(8, 500, 100, true, 6);
    Ball& Other = Fly(1, 520, 120, 2, 2);
    GameMoveBalls();
    ASSERT_EQ(Other.nCarrier, 8);
    GameDestroyAllEnemies();
    EXPECT_TRUE(B.nCarried == -1 && Other.nCarried == -1 && g_Enemies[8].bDying && g_Enemies[9].bDying);
    // Under the lock a catcher is destroyed like any other, and the ball it carried goes free.
    B.nHoldSeconds = Other.nHoldSeconds = 0;
    Put(7, Other.x - 30, Other.y - 30, true, 4);
    GameMoveBalls();
    g_bEnemyCatchLock = 1;
    GameMoveBalls();
    EXPECT_EQ(Pair(Other.nCarried, (int)g_Enemies[7].bDying), Pair(-1, 1));
}

TEST_F(PlayTest, BallsAndShotsDestroyEnemiesBallsReboundAndShotsScore)
{
    // Big ball, harmful: a normal ball rebounds at a new speed within the limits, a big one keeps its own.
    for (const Pair& Case : {Pair(0, 0), Pair(0, 1), Pair(1, 0)}) {
        Ball& B = Fly(0, 300, 300, 3, -2);
        B.nTopRow = Case.first ? 90 : 36;
        Put(0, 290, 290, Case.second, 2);
        GameEnemiesAgainstBall(0);
        GameEnemiesAgainstBall(0);   // a dying enemy is not hit again
        const bool bRebound = B.dx >= -g_nMaxDX && B.dx <= -1 && B.dy >= 1 && B.dy <= g_nMaxDY;
        EXPECT_EQ(Pair(bRebound, g_Enemies[0].bDying), Pair(!Case.first, 1)) << B.dx << " " << B.dy;
        EXPECT_EQ(Pair(B.dx, B.dy) == Pair(3, -2), Case.first == 1);
    }
    // Two players, the shot's x; the scores after, player 2's multiplier being 3.
    g_Paddles[1].nMultiplier = 3;
    const std::pair<Pair, Pair> Shots[] = {{{0, 600}, {2, 0}}, {{1, 400}, {2, 0}}, {{1, 401}, {0, 6}}};
    for (const auto& Case : Shots) {
        g_bTwoPlayers = Case.first.first;
        g_nScore[0] = g_nScore[1] = 0;
        Put(0, Case.first.second - 40, 150, false, 0);
        g_Shots[0] = {1, (int16_t)Case.first.second, 180, 432, 452};
        GameMoveShots();
        EXPECT_EQ(Pair(g_nScore[0], g_nScore[1]), Case.second) << Case.first.second;
        EXPECT_TRUE(!g_Shots[0].bActive && g_Enemies[0].bDying);
    }
}

}  // namespace
