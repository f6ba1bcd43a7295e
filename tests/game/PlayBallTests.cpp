// Balls and paddles headless: walls, the paddle's range, the two bounce rules,
// speed limits, the slow-down, the launch, new balls, the probing of bricks and
// the loss of balls.
#include "game/GameFixture.h"

#include <algorithm>

#include "PlayClock.h"

namespace {

using namespace gametest;

TEST_F(PlayTest, BallsTurnAtTheWallsAndNeverStandStillOnAnAxis)
{
    const Motion Waiting = MotionOf(g_Balls[0]);
    GameMoveBalls();
    EXPECT_EQ(MotionOf(g_Balls[0]), Waiting);   // not launched yet

    struct {
        const char* szName;
        int16_t nTopRow, x, y, dx, dy;
        Motion Want;
    } const Cases[] = {
        {"left wall", 36, 22, 200, -3, 2, {25, 202, 3, 2}},
        {"just inside the left wall", 36, 23, 200, -3, 2, {20, 202, -3, 2}},
        {"right wall", 36, 758, 200, 3, 2, {755, 202, -3, 2}},
        {"normal ball short of 760", 36, 748, 200, 3, 2, {751, 202, 3, 2}},
        {"big ball turns beyond 750", 90, 748, 200, 3, 2, {745, 202, -3, 2}},
        {"top wall", 36, 300, 21, 2, -2, {302, 23, 2, 2}},
        {"dx 0 becomes 1", 36, 300, 200, 0, -2, {300, 198, 1, -2}},
        {"dy 0 becomes 1", 36, 300, 200, 2, 0, {302, 200, 2, 1}},
    };
    for (const auto& Case : Cases) {
        Ball& B = Fly(0, Case.x, Case.y, Case.dx, Case.dy);
        B.nTopRow = Case.nTopRow;
        GameMoveBalls();
        EXPECT_EQ(MotionOf(B), Case.Want) << Case.szName;
    }
}

TEST_F(PlayTest, ThePointerMovesThePaddleWithinItsRangeMirroredFrozenOrFree)
{
    struct {
        const char* szName;
        int nComputerPlayer;   // 0: one player
        int nSizeClass;
        int32_t nPointerX;
        int16_t nWantX;
    } const Cases[] = {
        {"pointer 0", 0, 0, 0, 17},
        {"pointer 790", 0, 0, 790, 700},
        {"middle", 0, 0, 400, 400},
        {"widest paddle", 0, 4, 790, 540},
        {"player 1 keeps to the left half", 2, 0, 390, 320},
        {"player 1 at the left wall", 2, 0, 0, 17},
        {"player 2 keeps to the right half", 1, 0, 100, 400},
        {"player 2 at the right wall", 1, 0, 790, 700},
    };
    for (const auto& Case : Cases) {
        g_bTwoPlayers = Case.nComputerPlayer > 0;
        g_nComputerPlayer = Case.nComputerPlayer;
        Paddle& P = PlayerPaddle(LocalPlayer());
        GameSetPaddleSize(P, Case.nSizeClass);
        g_nPointerX = Case.nPointerX;
        GameMovePaddles();
        EXPECT_EQ(PlaceOf(P), std::make_pair((int)Case.nWantX, (int)PADDLE_REST_Y)) << Case.szName;
    }

    g_bTwoPlayers = false;
    g_nComputerPlayer = 0;
    Paddle& P = g_Paddles[0];
    GameSetPaddleSize(P, 0);
    P.bMirrored = true;
    const std::vector<std::pair<int32_t, int32_t>> Mirrored = {{0, 100}, {300, 600}};
    const std::vector<std::pair<int, int>> WantMirrored = {{700, 420}, {420, 17}};   // 800 - 80 - x, in the field
    for (size_t n = 0; n < Mirrored.size(); ++n) {
        g_nPointerX = Mirrored[n].first;
        g_nPointerY = Mirrored[n].second;
        GameMovePaddles();
        EXPECT_EQ(PlaceOf(P), WantMirrored[n]);
    }
    P.bMirrored = false;
    P.bFrozen = true;
    g_nPointerX = 100;
    GameMovePaddles();
    EXPECT_EQ(P.x, 420);
    P.bFrozen = false;
    P.bFreeVertical = true;
    g_nPointerY = 300;
    GameMovePaddles();
    EXPECT_EQ(P.y, PADDLE_REST_Y);   // not before the launch
    g_bBallsLaunched = 1;
    GameMovePaddles();
    EXPECT_EQ(PlaceOf(P), std::make_pair(100, 300));
    g_nPointerY = 5;
    GameMovePaddles();
    EXPECT_EQ(P.y, 17);
    g_bHalted = 1;
    g_nPointerX = 500;
    GameMovePaddles();
    EXPECT_EQ(P.x, 100);
}

TEST_F(PlayTest, ClassicEndZonesSendTheBallBackTheWayItCame)
{
    // Paddle 300..380 at 519; the ball falls from y 502 by 3 onto it; the mouse stands still.
    struct {
        const char* szName;
        int nPS;
        int16_t x, dx, nWantDX;
    } const Cases[] = {
        {"left end zone toward the middle", 1, 292, 3, -3}, {"left end zone flying away", 1, 298, -3, -3},
        {"right end zone toward the middle", 1, 378, -3, 3}, {"middle", 1, 327, 3, 3},
        {"end zones off", 0, 292, 3, 3},
    };
    for (const auto& Case : Cases) {
        g_nPS = Case.nPS;
        g_Paddles[0].x = 300;
        Ball& B = Fly(0, Case.x, 502, Case.dx, 3);
        GameMoveBalls();
        EXPECT_EQ(std::make_pair(B.dx, B.dy), std::make_pair(Case.nWantDX, (int16_t)-3)) << Case.szName;
        EXPECT_EQ(B.nSlowDown, 2) << Case.szName;
    }
}

TEST_F(PlayTest, TheMomentumRuleAddsThePaddlesMovementToTheBallWithinTheDifficultysLimits)
{
    struct Move {
        int32_t x, y;
    };
    struct {
        const char* szName;
        std::vector<Move> Moves;   // 10 ms apart, after the pointer stood at (400, 300)
        int16_t dx, dy, nWantDX, nWantDY;
    } const Cases[] = {
        {"still mouse: straight bounce", {}, 3, 3, 3, -3},
        {"moving left: speed + dx + hdelta, limited", {{380, 300}}, 3, 3, -8, -3},
        {"moving left slowly", {{399, 300}}, 2, 3, -3, -3},
        {"moving right: dx = -hdelta", {{403, 300}}, -2, 3, 3, -3},
        {"moving up: speed + dy + vdelta", {{400, 298}}, 2, 2, 2, -4},
        {"moving up fast: the largest dy", {{400, 290}}, 2, 3, 2, -5},
        {"moving down: plain bounce", {{400, 310}}, 2, 3, 2, -3},
        {"stopped after moving left: dx 0 becomes 1", {{395, 300}, {395, 300}}, 3, 3, 1, -3},
        {"the same step twice counts as standing", {{390, 300}, {380, 300}}, 3, 3, 3, -3},
    };
    g_nPS = 0;
    for (const auto& Case : Cases) {
        PointerAt(400, 300);
        PointerAt(400, 300);
        for (const Move& Each : Case.Moves)
            PointerAt(Each.x, Each.y, 10);
        g_Paddles[0].x = 300;
        Ball& B = Fly(0, 335, (int16_t)(505 - Case.dy), Case.dx, Case.dy);
        GameMoveBalls();
        EXPECT_EQ(std::make_pair(B.dx, B.dy), std::make_pair(Case.nWantDX, Case.nWantDY)) << Case.szName;
        EXPECT_EQ(g_nScoringPlayer, 1) << Case.szName;
    }

    // The difficulty sets the limits; a wild swing up and to the left stays within them.
    struct {
        int nSST, nEMBefore;
        int16_t nMaxDX, nMaxDY;
        int nEM, nEnemyKinds;
    } const Limits[] = {{0, 1, 4, 3, 0, 0}, {1, 0, 8, 5, 0, 4}, {1, 1, 8, 5, 1, 4}, {2, 0, 9, 6, 1, 2}};
    for (const auto& Case : Limits) {
        g_nSST = Case.nSST;
        g_nEM = Case.nEMBefore;
        g_bInGame = false;
        GameResetLevel(0, false);
        EXPECT_EQ((std::array<int, 4>{g_nMaxDX, g_nMaxDY, g_nEM, g_nEnemyKindLimit}),
                  (std::array<int, 4>{Case.nMaxDX, Case.nMaxDY, Case.nEM, Case.nEnemyKinds}))
            << Case.nSST;
        PointerAt(400, 300);
        PointerAt(300, 200, 5);
        Ball& B = Fly(0, 400, 502, 3, 3);
        GameMoveBalls();
        EXPECT_EQ(std::make_pair(B.dx, B.dy), std::make_pair((int16_t)-Case.nMaxDX, (int16_t)-Case.nMaxDY))
            << Case.nSST;
    }
}

TEST_F(PlayTest, EveryTwentySecondsTheFirstTenBallsSlowDown)
{
    g_bInGame = false;   // the slow-down alone, no ball steps
    GameRestartPlayClock();
    Ball& Bounced = Fly(0, 300, 200, 5, -4);
    Bounced.nSlowDown = 2;
    Ball& Slow = Fly(3, 300, 200, 1, -2);
    Slow.nSlowDown = 0;
    Ball& Eleventh = Fly(10, 300, 200, 5, -4);
    Eleventh.nSlowDown = 0;

    RunClock(19999);
    EXPECT_EQ(Slow.dy, -2);
    RunClock(1);
    EXPECT_EQ(MotionOf(Slow), (Motion{300, 200, 1, -1}));   // 1 is already the slowest
    EXPECT_EQ(Slow.nSlowDown, 1);
    EXPECT_EQ(Bounced.nSlowDown, 1);
    EXPECT_EQ(Bounced.dx, 5);
    RunClock(20000);
    EXPECT_EQ(Bounced.nSlowDown, 0);
    EXPECT_EQ(Bounced.dx, 5);
    RunClock(20000);
    EXPECT_EQ(MotionOf(Bounced), (Motion{300, 200, 4, -3}));
    EXPECT_EQ(MotionOf(Eleventh), (Motion{300, 200, 5, -4}));
}

TEST_F(PlayTest, AClickLaunchesTheWaitingBallsOrLetsGoOfTheStickyOnesAndTheLoserDoesNotServe)
{
    g_bHalted = 1;
    GameLaunchBalls();
    EXPECT_FALSE(g_bBallsLaunched);
    EXPECT_FALSE(HasLine("Tamborel: Checking BallStart"));
    g_bHalted = 0;
    GameLaunchBalls();
    EXPECT_TRUE(g_bBallsLaunched);
    EXPECT_EQ(g_Balls[0].nSlowDown, 2);
    EXPECT_TRUE(HasLine("Tamborel: Checking BallStart"));
    g_Balls[0].nHeldBy = 1;
    g_Balls[1].nHeldBy = 2;
    GameLaunchBalls();
    EXPECT_EQ(g_Balls[0].nHeldBy, 0);
    EXPECT_EQ(g_Balls[1].nHeldBy, 2);

    // In a match the loser of the last ball does not serve.
    g_bBallsLaunched = 0;
    g_bTwoPlayers = true;
    g_nComputerPlayer = 2;
    g_nLastLoser = 1;
    g_nPointerX = 100;
    GameMovePaddles();
    EXPECT_EQ(GameServingPlayer(), 2);
    EXPECT_EQ(g_Balls[0].x, g_Paddles[1].x + 40 - 6);   // waiting on the computer's paddle
    GameLaunchBalls();
    EXPECT_FALSE(g_bBallsLaunched);
    g_nLastLoser = 2;
    GameMovePaddles();
    EXPECT_EQ(std::make_pair(g_Balls[0].x, g_Balls[0].y), std::make_pair((int16_t)(100 + 40 - 6), (int16_t)(PADDLE_REST_Y - 15)));
    GameLaunchBalls();
    EXPECT_TRUE(g_bBallsLaunched);
}

TEST_F(PlayTest, AStickyPaddleHoldsTheBallItSendsBackAndNewBallsStartAtItsRightEnd)
{
    g_Paddles[0].x = 300;
    g_Paddles[0].bSticky = true;
    Ball& B = Fly(0, 335, 502, 2, 3);
    GameMoveBalls();
    EXPECT_EQ(B.nHeldBy, 1);
    g_nPointerX = 200;
    GameMovePaddles();
    GameMoveBalls();
    EXPECT_EQ(std::make_pair(B.x, B.y), std::make_pair((int16_t)(200 + 40 - 6), (int16_t)(PADDLE_REST_Y - 15)));

    for (int16_t nPaddleX : {300, 400}) {
        g_Paddles[0].x = nPaddleX;
        GameAddBall(1);
        const Ball& New = g_Balls[nPaddleX == 300 ? 1 : 2];   // slot 0 is taken
        EXPECT_TRUE(New.bActive);
        EXPECT_EQ(MotionOf(New), (Motion{nPaddleX + 60, PADDLE_REST_Y - 32, nPaddleX == 300 ? 2 : -2, -2}));
        EXPECT_EQ(std::make_pair(New.nTopRow, New.nBottomRow), std::make_pair((int16_t)36, (int16_t)54));
    }
}

TEST_F(PlayTest, BallsProbeTheCellsAroundThemInOrderWithOneHitPerBallAndFrame)
{
    const std::pair<std::array<int32_t, 2>, std::array<int, 2>> Points[] = {
        {{20, 21}, {0, 0}},      {{59, 40}, {0, 0}},     {{60, 41}, {1, 1}},   {{99, 64}, {1, 1}},
        {{100, 65}, {2, 2}},     {{0, 0}, {0, 0}},       {{779, 452}, {18, 18}}, {{759, 448}, {18, 17}},
        {{900, 700}, {18, 20}},  {{-40, -30}, {0, 0}}};
    for (const auto& Point : Points) {
        GameCellAt(Point.first[0], Point.first[1]);
        EXPECT_EQ((std::array<int, 2>{g_nCellColumn, g_nCellRow}), Point.second) << Point.first[0] << "," << Point.first[1];
    }

    struct {
        const char* szName;
        int16_t nTopRow, x, y, dx, dy;
        int nColumn, nRow;   // the one brick
        int16_t nWantDX, nWantDY;
    } const Cases[] = {
        {"rising: the cell above", 36, 106, 70, 2, -2, 2, 1, 2, 2},
        {"moving left: the cell to the left", 36, 150, 100, -2, 2, 3, 3, 2, 2},
        {"falling: the cell below", 36, 200, 100, 2, 3, 4, 4, 2, -3},
        {"moving right: the cell to the right", 36, 241, 100, 4, 2, 6, 3, -4, 2},
        {"the ball's own cell: both turn", 36, 106, 70, 2, -2, 2, 2, -2, 2},
        {"a normal ball finds the lower cell by its foot", 36, 100, 55, 2, 2, 2, 2, 2, -2},
        {"a big ball reaches it with its middle", 90, 100, 55, 2, 2, 2, 2, -2, -2},
        {"a small ball finds it by its foot", 0, 106, 61, 2, 2, 2, 2, 2, -2},
        {"a normal ball there finds it with its middle", 36, 106, 61, 2, 2, 2, 2, -2, -2},
    };
    for (const auto& Case : Cases) {
        ClearLevel();
        SetCell(Case.nColumn, Case.nRow, 5);
        Ball& B = Fly(0, Case.x, Case.y, Case.dx, Case.dy);
        B.nTopRow = Case.nTopRow;
        GameBallsAgainstBricks();
        EXPECT_EQ(CellCode(Case.nColumn, Case.nRow), BRICK_EXPLOSION) << Case.szName;
        EXPECT_EQ(std::make_pair(B.dx, B.dy), std::make_pair(Case.nWantDX, Case.nWantDY)) << Case.szName;
    }

    // One hit per ball and frame; piercing and passing balls.
    ClearLevel();
    g_nScore[0] = 0;
    SetCell(2, 1, 5);   // above the ball
    SetCell(2, 2, 6);   // its own cell
    Ball& B = Fly(0, 106, 70, 2, -2);
    B.nTopRow = 36;
    GameBallsAgainstBricks();
    EXPECT_EQ(CellCode(2, 1), BRICK_EXPLOSION);
    EXPECT_EQ(CellCode(2, 2), 6);
    EXPECT_EQ(g_nScore[0], 1);
    B = Fly(0, 106, 70, 2, -2);
    B.nSpecial = BALL_PIERCING;
    GameBallsAgainstBricks();
    EXPECT_EQ(CellCode(2, 2), BRICK_EXPLOSION);
    EXPECT_EQ(std::make_pair(B.dx, B.dy), std::make_pair((int16_t)2, (int16_t)-2));
    SetCell(2, 2, 7);
    B.nSpecial = BALL_PASSING;
    GameBallsAgainstBricks();
    EXPECT_EQ(CellCode(2, 2), 7);
    EXPECT_EQ(B.dy, -2);
    B.nSpecial = BALL_PLAIN;
    B.y = 470;   // below the probed band
    SetCell(2, 18, 8);
    GameBallsAgainstBricks();
    EXPECT_EQ(CellCode(2, 18), 8);
    EXPECT_EQ(g_nScore[0], 2);
}

TEST_F(PlayTest, ALostMainBallIsReplacedByAnotherInFlightOrTheTrapsNext)
{
    Fly(0, 300, 519, 2, 3);
    Ball& Other = Fly(5, 200, 300, -2, -3);
    Other.nTopRow = 54;
    Other.nBottomRow = 72;
    Other.nSpecial = BALL_PIERCING;
    GameMoveBalls();   // ball 0 drops below 520
    GameLoseFallenBalls();
    const Ball& Main = g_Balls[0];
    EXPECT_TRUE(Main.bActive);
    EXPECT_EQ(MotionOf(Main), (Motion{198, 297, -2, -3}));
    EXPECT_EQ(std::make_pair(Main.nTopRow, Main.nBottomRow), std::make_pair((int16_t)54, (int16_t)72));
    EXPECT_EQ(Main.nSpecial, BALL_PIERCING);
    EXPECT_FALSE(g_Balls[5].bActive);
    EXPECT_EQ(std::make_pair(g_Balls[5].nTopRow, g_Balls[5].nBottomRow), std::make_pair((int16_t)36, (int16_t)54));
    EXPECT_EQ(g_nLives[0], 3);
    EXPECT_TRUE(g_bBallsLaunched);
    EXPECT_FALSE(HasLine("Tamborel: GameKugelStart()"));

    // A main ball taken by the trap is replaced too.
    SetCell(5, 5, BRICK_TRAP);
    Fly(7, 100, 100, 2, 3);
    g_nCellColumn = 5;
    g_nCellRow = 5;
    GameBrickHit(0, false, BALL_KIND_NORMAL, BRICK_DOWN);
    GameLoseFallenBalls();
    EXPECT_TRUE(g_Balls[0].bActive);
    EXPECT_EQ(g_Balls[0].x, 100);
    EXPECT_EQ(g_nLives[0], 3);
}

TEST_F(PlayTest, LosingTheLastBallCostsALifeUnlessHaltedAndTheLastLifeEndsTheGame)
{
    Fly(0, 300, 521, 2, 3);
    g_nPointerX = 200;
    GameLoseFallenBalls();
    EXPECT_EQ(g_nLives[0], 2);
    EXPECT_TRUE(HasLine("Tamborel: GameKugelStart()"));
    EXPECT_FALSE(g_bBallsLaunched);
    EXPECT_TRUE(g_Balls[0].bActive);
    EXPECT_EQ(std::make_pair(g_Balls[0].x, g_Balls[0].y),
              std::make_pair((int16_t)(g_Paddles[0].x + 40 - 6), (int16_t)(PADDLE_REST_Y - 15)));

    // Halted, or not in game, nobody loses anything.
    for (int nCase = 0; nCase < 2; ++nCase) {
        g_bHalted = nCase == 0;
        g_bInGame = nCase == 0;
        Fly(0, 300, 521, 2, 3);
        GameLoseFallenBalls();
        EXPECT_FALSE(g_Balls[0].bActive) << nCase;
        EXPECT_EQ(g_nLives[0], 2) << nCase;
    }
    g_bHalted = 0;
    g_bInGame = true;
    g_nLives[0] = 0;
    Fly(0, 300, 521, 2, 3);
    GameLoseFallenBalls();
    EXPECT_TRUE(g_bPlayerDead[0]);
    EXPECT_TRUE(HasLine("Tamborel: GameChangeMode(3) - Spiel_Veloren"));
}

TEST_F(PlayTest, InAMatchTheHalfWhereTheBallFellDecidesWhoLostIt)
{
    g_bTwoPlayers = true;
    g_nComputerPlayer = 2;
    g_bInGame = false;
    GameResetLevel(0, false);
    g_bInGame = true;
    // The computer's half costs nothing and gives the serve to the mouse player.
    const std::array<int, 4> Cases[] = {{500, 2, 3, 1}, {100, 1, 2, 2}};   // x, loser, lives, server
    for (const auto& Case : Cases) {
        Fly(0, (int16_t)Case[0], 521, 2, 3);
        GameLoseFallenBalls();
        EXPECT_EQ((std::array<int, 4>{Case[0], g_nLastLoser, g_nLives[0], GameServingPlayer()}), Case);
        EXPECT_EQ(g_nLives[1], 3) << Case[0];
        EXPECT_TRUE(g_Balls[0].bActive) << Case[0];
    }
}

}  // namespace
