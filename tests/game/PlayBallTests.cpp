// Balls and paddles headless: walls, the paddle's range, the bounce rules and speed
// limits, the slow-down, the launch, new balls, the probing of bricks, lost balls.
#include "game/GameFixture.h"

#include "PlayClock.h"

namespace {

using namespace gametest;

TEST_F(PlayTest, BallsTurnAtTheWallsAndNeverStandStillOnAnAxis)
{
    const Motion Waiting = MotionOf(g_Balls[0]);
    GameMoveBalls();
    EXPECT_EQ(MotionOf(g_Balls[0]), Waiting);   // not launched yet
    // Top row (36 normal, 90 big), the ball's motion, and after one step. Left wall, just inside it, right
    // wall, a normal ball short of 760, a big one turning beyond 750, top wall, dx 0 and dy 0 becoming 1.
    const std::pair<std::array<int16_t, 5>, Motion> Cases[] = {
        {{36, 22, 200, -3, 2}, {25, 202, 3, 2}},   {{36, 23, 200, -3, 2}, {20, 202, -3, 2}},
        {{36, 758, 200, 3, 2}, {755, 202, -3, 2}}, {{36, 748, 200, 3, 2}, {751, 202, 3, 2}},
        {{90, 748, 200, 3, 2}, {745, 202, -3, 2}}, {{36, 300, 21, 2, -2}, {302, 23, 2, 2}},
        {{36, 300, 200, 0, -2}, {300, 198, 1, -2}}, {{36, 300, 200, 2, 0}, {302, 200, 2, 1}}};
    for (const auto& Case : Cases) {
        const auto& In = Case.first;
        Ball& B = Fly(0, In[1], In[2], In[3], In[4]);
        B.nTopRow = In[0];
        GameMoveBalls();
        EXPECT_EQ(MotionOf(B), Case.second) << &Case - Cases;
    }
}

TEST_F(PlayTest, ThePointerMovesThePaddleWithinItsRangeMirroredFrozenOrFree)
{
    // Computer player (0: none), size class, pointer x, the paddle's x. In a match
    // player 1 keeps to the left half and player 2 to the right.
    const std::array<int, 4> Cases[] = {{0, 0, 0, 17}, {0, 0, 790, 700}, {0, 0, 400, 400}, {0, 4, 790, 540},
                                        {2, 0, 390, 320}, {2, 0, 0, 17}, {1, 0, 100, 400}, {1, 0, 790, 700}};
    for (const auto& Case : Cases) {
        g_bTwoPlayers = Case[0] > 0;
        g_nComputerPlayer = Case[0];
        Paddle& P = PlayerPaddle(LocalPlayer());
        GameSetPaddleSize(P, Case[1]);
        g_nPointerX = Case[2];
        GameMovePaddles();
        EXPECT_EQ(PlaceOf(P), Pair(Case[3], PADDLE_REST_Y)) << &Case - Cases;
    }

    g_bTwoPlayers = false;
    g_nComputerPlayer = 0;
    Paddle& P = g_Paddles[0];
    auto MoveTo = [&](int32_t x, int32_t y) {
        g_nPointerX = x;
        g_nPointerY = y;
        GameMovePaddles();
        return PlaceOf(P);
    };
    P.bMirrored = true;
    EXPECT_EQ(MoveTo(0, 100), Pair(700, 420));   // 800 - 80 - x, within the field
    EXPECT_EQ(MoveTo(300, 600), Pair(420, 17));
    P.bMirrored = false;
    P.bFrozen = true;
    EXPECT_EQ(MoveTo(100, 600).first, 420);
    P.bFrozen = false;
    P.bFreeVertical = true;
    EXPECT_EQ(MoveTo(100, 300).second, PADDLE_REST_Y);   // not before the launch
    g_bBallsLaunched = 1;
    EXPECT_EQ(MoveTo(100, 300), Pair(100, 300));
    EXPECT_EQ(MoveTo(100, 5).second, 17);
    g_bHalted = 1;
    EXPECT_EQ(MoveTo(500, 5).first, 100);
}

TEST_F(PlayTest, TheBounceRulesEndZonesOrMomentumWithinTheDifficultysLimits)
{
    // Classic end zones: paddle 300..380 at 519, the ball falls from y 502 by 3, the
    // mouse stands still. The ball's x and dx, the dx after; zones on, then off.
    const std::array<int16_t, 3> Zones[] = {{292, 3, -3}, {298, -3, -3}, {378, -3, 3}, {327, 3, 3}};
    for (int nPS : {1, 0})
        for (const auto& Case : Zones) {
            g_nPS = nPS;
            g_Paddles[0].x = 300;
            Ball& B = Fly(0, Case[0], 502, Case[1], 3);
            GameMoveBalls();
            EXPECT_EQ(Pair(B.dx, B.dy), Pair(nPS ? Case[2] : Case[1], -3)) << nPS << " " << Case[0];
            EXPECT_EQ(B.nSlowDown, 2);
        }
    // Momentum: the pointer's moves 10 ms apart after it stood at (400, 300), the ball's dx and dy, and after.
    // Still; left (limited); left slowly; right (dx = -hdelta); up (speed + dy + vdelta); up fast; down;
    // stopped after moving left (dx 0 becomes 1); the same step twice counts as standing.
    const std::pair<std::vector<Pair>, std::array<int16_t, 4>> Moves[] = {
        {{}, {3, 3, 3, -3}},           {{{380, 300}}, {3, 3, -8, -3}}, {{{399, 300}}, {2, 3, -3, -3}},
        {{{403, 300}}, {-2, 3, 3, -3}}, {{{400, 298}}, {2, 2, 2, -4}},  {{{400, 290}}, {2, 3, 2, -5}},
        {{{400, 310}}, {2, 3, 2, -3}},  {{{395, 300}, {395, 300}}, {3, 3, 1, -3}},
        {{{390, 300}, {380, 300}}, {3, 3, 3, -3}}};
    for (const auto& Case : Moves) {
        PointerAt(400, 300);
        PointerAt(400, 300);
        for (const Pair& Move : Case.first)
            PointerAt(Move.first, Move.second, 10);
        g_Paddles[0].x = 300;
        const auto& D = Case.second;
        Ball& B = Fly(0, 335, (int16_t)(505 - D[1]), D[0], D[1]);
        GameMoveBalls();
        EXPECT_EQ(Pair(B.dx, B.dy), Pair(D[2], D[3])) << &Case - Moves;
        EXPECT_EQ(g_nScoringPlayer, 1);
    }
    // SST and EM before, the limits of dx and dy, EM and the enemy kinds after; a
    // wild swing of the mouse up and to the left stays within the limits.
    const std::array<int, 6> Caps[] = {{0, 1, 4, 3, 0, 0}, {1, 0, 8, 5, 0, 4}, {1, 1, 8, 5, 1, 4}, {2, 0, 9, 6, 1, 2}};
    for (const auto& Case : Caps) {
        g_nSST = Case[0];
        g_nEM = Case[1];
        g_bInGame = false;
        GameResetLevel(0, false);
        EXPECT_EQ((std::array<int, 4>{g_nMaxDX, g_nMaxDY, g_nEM, g_nEnemyKindLimit}),
                  (std::array<int, 4>{Case[2], Case[3], Case[4], Case[5]}));
        PointerAt(400, 300);
        PointerAt(300, 200, 5);
        Ball& B = Fly(0, 400, 502, 3, 3);
        GameMoveBalls();
        EXPECT_EQ(Pair(B.dx, B.dy), Pair(-Case[2], -Case[3])) << Case[0];
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
    EXPECT_EQ(Pair(Slow.nSlowDown, Bounced.nSlowDown), Pair(1, 1));
    EXPECT_EQ(Bounced.dx, 5);
    RunClock(20000);
    EXPECT_EQ(Pair(Bounced.nSlowDown, Bounced.dx), Pair(0, 5));
    RunClock(20000);
    EXPECT_EQ(MotionOf(Bounced), (Motion{300, 200, 4, -3}));
    EXPECT_EQ(MotionOf(Eleventh), (Motion{300, 200, 5, -4}));
}

TEST_F(PlayTest, AClickLaunchesWaitingBallsOrLetsGoOfStickyOnesTheLoserDoesNotServeAndNewBallsStartOnThePaddle)
{
    g_bHalted = 1;
    GameLaunchBalls();
    EXPECT_FALSE(g_bBallsLaunched);
    g_bHalted = 0;
    GameLaunchBalls();
    EXPECT_TRUE(g_bBallsLaunched);
    EXPECT_EQ(g_Balls[0].nSlowDown, 2);
    g_Balls[0].nHeldBy = 1;
    g_Balls[1].nHeldBy = 2;
    GameLaunchBalls();
    EXPECT_EQ(Pair(g_Balls[0].nHeldBy, g_Balls[1].nHeldBy), Pair(0, 2));
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
    EXPECT_EQ(Pair(g_Balls[0].x, g_Balls[0].y), Pair(100 + 40 - 6, PADDLE_REST_Y - 15));
    GameLaunchBalls();
    EXPECT_TRUE(g_bBallsLaunched);
    // A sticky paddle holds the ball it sends back; new balls start at its right end.
    g_bTwoPlayers = false;
    g_nComputerPlayer = 0;
    g_Paddles[0].x = 300;
    g_Paddles[0].bSticky = true;
    Ball& B = Fly(0, 335, 502, 2, 3);
    GameMoveBalls();
    EXPECT_EQ(B.nHeldBy, 1);
    g_nPointerX = 200;
    GameMovePaddles();
    GameMoveBalls();
    EXPECT_EQ(Pair(B.x, B.y), Pair(200 + 40 - 6, PADDLE_REST_Y - 15));
    for (int16_t nPaddleX : {300, 400}) {
        g_Paddles[0].x = nPaddleX;
        GameAddBall(1);
        const Ball& New = g_Balls[nPaddleX == 300 ? 1 : 2];   // slot 0 is taken
        EXPECT_EQ(MotionOf(New), (Motion{nPaddleX + 60, PADDLE_REST_Y - 32, nPaddleX == 300 ? 2 : -2, -2}));
        EXPECT_EQ((std::array<int, 3>{New.bActive, New.nTopRow, New.nBottomRow}), (std::array<int, 3>{1, 36, 54}));
    }
}

TEST_F(PlayTest, BallsProbeTheCellsAroundThemInOrderWithOneHitPerBallAndFrame)
{
    // Top row, the ball's motion, its one brick's column and row, the dx and dy after. Rising: the cell above;
    // moving left: the cell to the left; falling: below; moving right: to the right; the ball's own cell: both
    // turn; a normal ball finds the lower cell by its foot, a big one with its middle; a small ball by its
    // foot, a normal one at the same place with its middle.
    const std::array<int16_t, 9> Probes[] = {
        {36, 106, 70, 2, -2, 2, 1, 2, 2}, {36, 150, 100, -2, 2, 3, 3, 2, 2}, {36, 200, 100, 2, 3, 4, 4, 2, -3},
        {36, 241, 100, 4, 2, 6, 3, -4, 2}, {36, 106, 70, 2, -2, 2, 2, -2, 2}, {36, 100, 55, 2, 2, 2, 2, 2, -2},
        {90, 100, 55, 2, 2, 2, 2, -2, -2}, {0, 106, 61, 2, 2, 2, 2, 2, -2},   {36, 106, 61, 2, 2, 2, 2, -2, -2}};
    for (const auto& P : Probes) {
        ClearLevel();
        SetCell(P[5], P[6], 5);
        Ball& B = Fly(0, P[1], P[2], P[3], P[4]);
        B.nTopRow = P[0];
        GameBallsAgainstBricks();
        EXPECT_EQ(CellCode(P[5], P[6]), BRICK_EXPLOSION) << &P - Probes;
        EXPECT_EQ(Pair(B.dx, B.dy), Pair(P[7], P[8])) << &P - Probes;
    }
    // One hit per ball and frame; piercing and passing balls.
    ClearLevel();
    g_nScore[0] = 0;
    SetCell(2, 1, 5);   // above the ball
    SetCell(2, 2, 6);   // its own cell
    Ball& B = Fly(0, 106, 70, 2, -2);
    B.nTopRow = 36;
    GameBallsAgainstBricks();
    EXPECT_EQ((std::array<int, 3>{CellCode(2, 1), CellCode(2, 2), g_nScore[0]}), (std::array<int, 3>{480, 6, 1}));
    B = Fly(0, 106, 70, 2, -2);
    B.nSpecial = BALL_PIERCING;
    GameBallsAgainstBricks();
    EXPECT_EQ((std::array<int, 3>{CellCode(2, 2), B.dx, B.dy}), (std::array<int, 3>{480, 2, -2}));
    SetCell(2, 2, 7);
    B.nSpecial = BALL_PASSING;
    GameBallsAgainstBricks();
    EXPECT_EQ(Pair(CellCode(2, 2), B.dy), Pair(7, -2));
    B.nSpecial = BALL_PLAIN;
    B.y = 470;   // below the probed band
    SetCell(2, 18, 8);
    GameBallsAgainstBricks();
    EXPECT_EQ(Pair(CellCode(2, 18), g_nScore[0]), Pair(8, 2));
}

TEST_F(PlayTest, LostBallsAreReplacedCostALifeOrTheGameAndInAMatchTheHalfWhereTheyFellDecidesWhoLostThem)
{
    Fly(0, 300, 519, 2, 3);
    Ball& Other = Fly(5, 200, 300, -2, -3);
    std::tie(Other.nTopRow, Other.nBottomRow, Other.nSpecial) = std::make_tuple(54, 72, BALL_PIERCING);
    GameMoveBalls();   // ball 0 drops below 520
    GameLoseFallenBalls();
    const Ball& Main = g_Balls[0];
    EXPECT_TRUE(Main.bActive && !g_Balls[5].bActive);
    EXPECT_EQ(MotionOf(Main), (Motion{198, 297, -2, -3}));
    EXPECT_EQ((std::array<int, 3>{Main.nTopRow, Main.nBottomRow, Main.nSpecial}), (std::array<int, 3>{54, 72, 1}));
    EXPECT_EQ(Pair(g_Balls[5].nTopRow, g_Balls[5].nBottomRow), Pair(36, 54));
    EXPECT_TRUE(g_nLives[0] == 3 && g_bBallsLaunched && !LogHas("Tamborel: GameKugelStart()"));

    Fly(7, 100, 100, 2, 3);   // the main ball taken by the trap is replaced too
    HitWith(BRICK_TRAP, BALL_KIND_NORMAL, false, BRICK_DOWN);
    GameLoseFallenBalls();
    EXPECT_TRUE(g_Balls[0].bActive);
    EXPECT_EQ(Pair(g_Balls[0].x, g_nLives[0]), Pair(100, 3));
    // Losing the last ball costs a life and puts a new one on the paddle, unless halted or out of the game.
    Fly(0, 300, 521, 2, 3);
    g_nPointerX = 200;
    GameLoseFallenBalls();
    EXPECT_EQ(g_nLives[0], 2);
    EXPECT_TRUE(LogHas("Tamborel: GameKugelStart()") && g_Balls[0].bActive && !g_bBallsLaunched);
    EXPECT_EQ(Pair(g_Balls[0].x, g_Balls[0].y), Pair(g_Paddles[0].x + 40 - 6, PADDLE_REST_Y - 15));
    for (int nCase = 0; nCase < 2; ++nCase) {   // halted, or not in game: nobody loses anything
        g_bHalted = g_bInGame = nCase == 0;
        Fly(0, 300, 521, 2, 3);
        GameLoseFallenBalls();
        EXPECT_EQ(Pair(g_Balls[0].bActive, g_nLives[0]), Pair(0, 2)) << nCase;
    }
    g_bHalted = 0;
    g_bInGame = true;
    g_nLives[0] = 0;
    Fly(0, 300, 521, 2, 3);
    GameLoseFallenBalls();
    EXPECT_TRUE(g_bPlayerDead[0]);
    EXPECT_TRUE(LogHas("Tamborel: GameChangeMode(3) - Spiel_Veloren"));

    g_nLives[0] = 3;   // a new game, a match against the computer
    g_bPlayerDead[0] = false;
    g_bHalted = 0;
    g_bTwoPlayers = true;
    g_nComputerPlayer = 2;
    g_bInGame = false;
    GameResetLevel(0, false);
    g_bInGame = true;
    // x, the loser, lives, the server: the computer's half costs nothing and gives the serve to the mouse player.
    for (const std::array<int, 4>& Case : {std::array<int, 4>{500, 2, 3, 1}, {100, 1, 2, 2}}) {
        Fly(0, (int16_t)Case[0], 521, 2, 3);
        GameLoseFallenBalls();
        EXPECT_EQ((std::array<int, 4>{Case[0], g_nLastLoser, g_nLives[0], GameServingPlayer()}), Case);
        EXPECT_EQ(g_nLives[1], 3);
        EXPECT_TRUE(g_Balls[0].bActive);
    }
}

}  // namespace
