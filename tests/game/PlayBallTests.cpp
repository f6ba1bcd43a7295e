// Balls and paddles headless: walls, the paddle's range, the two bounce rules,
// speed limits, the slow-down, the launch, new balls and the probing of bricks.
#include "game/GameFixture.h"

#include <algorithm>

#include "PlayClock.h"

namespace {

using namespace gametest;

struct FlightCase {
    const char* szName;
    int16_t nTopRow;
    int16_t x, y, dx, dy;
    int16_t nWantX, nWantY, nWantDX, nWantDY;
};

TEST_F(PlayTest, BallsTurnAtTheWallsAndNeverStandStillOnAnAxis)
{
    const FlightCase Cases[] = {
        {"left wall", 36, 22, 200, -3, 2, 25, 202, 3, 2},
        {"just inside the left wall", 36, 23, 200, -3, 2, 20, 202, -3, 2},
        {"right wall", 36, 758, 200, 3, 2, 755, 202, -3, 2},
        {"normal ball short of 760", 36, 748, 200, 3, 2, 751, 202, 3, 2},
        {"big ball turns beyond 750", 90, 748, 200, 3, 2, 745, 202, -3, 2},
        {"top wall", 36, 300, 21, 2, -2, 302, 23, 2, 2},
        {"dx 0 becomes 1", 36, 300, 200, 0, -2, 300, 198, 1, -2},
        {"dy 0 becomes 1", 36, 300, 200, 2, 0, 302, 200, 2, 1},
    };
    for (const FlightCase& Case : Cases) {
        Ball& B = Fly(0, Case.x, Case.y, Case.dx, Case.dy);
        B.nTopRow = Case.nTopRow;
        GameMoveBalls();
        EXPECT_EQ(B.x, Case.nWantX) << Case.szName;
        EXPECT_EQ(B.y, Case.nWantY) << Case.szName;
        EXPECT_EQ(B.dx, Case.nWantDX) << Case.szName;
        EXPECT_EQ(B.dy, Case.nWantDY) << Case.szName;
    }
}

TEST_F(PlayTest, WaitingBallsDoNotMove)
{
    Ball& B = g_Balls[0];
    const int16_t x = B.x, y = B.y;
    ASSERT_FALSE(g_bBallsLaunched);
    GameMoveBalls();
    EXPECT_EQ(B.x, x);
    EXPECT_EQ(B.y, y);
}

struct SteerCase {
    const char* szName;
    int nComputerPlayer;   // -1: one player
    int nSizeClass;
    int32_t nPointerX;
    int16_t nWantX;
};

TEST_F(PlayTest, ThePointerMovesThePaddleWithinItsRange)
{
    const SteerCase Cases[] = {
        {"pointer 0", -1, 0, 0, 17},
        {"pointer 790", -1, 0, 790, 700},
        {"middle", -1, 0, 400, 400},
        {"widest paddle", -1, 4, 790, 540},
        {"player 1 keeps to the left half", 2, 0, 390, 320},
        {"player 1 at the left wall", 2, 0, 0, 17},
        {"player 2 keeps to the right half", 1, 0, 100, 400},
        {"player 2 at the right wall", 1, 0, 790, 700},
    };
    for (const SteerCase& Case : Cases) {
        g_bTwoPlayers = Case.nComputerPlayer > 0;
        g_nComputerPlayer = Case.nComputerPlayer > 0 ? Case.nComputerPlayer : 0;
        Paddle& P = PlayerPaddle(LocalPlayer());
        GameSetPaddleSize(P, Case.nSizeClass);
        g_nPointerX = Case.nPointerX;
        GameMovePaddles();
        EXPECT_EQ(P.x, Case.nWantX) << Case.szName;
        EXPECT_EQ(P.y, PADDLE_REST_Y) << Case.szName;
    }
}

TEST_F(PlayTest, MirroredFrozenAndFreeVerticalPaddles)
{
    Paddle& P = g_Paddles[0];
    P.bMirrored = true;
    g_nPointerX = 0;
    g_nPointerY = 100;
    GameMovePaddles();
    EXPECT_EQ(P.x, 700);   // 800 - 80 - 0, kept within the field
    EXPECT_EQ(P.y, 420);
    g_nPointerX = 300;
    g_nPointerY = 600;
    GameMovePaddles();
    EXPECT_EQ(P.x, 420);
    EXPECT_EQ(P.y, 17);

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
    EXPECT_EQ(P.x, 100);
    EXPECT_EQ(P.y, 300);
    g_nPointerY = 5;
    GameMovePaddles();
    EXPECT_EQ(P.y, 17);

    g_bHalted = 1;
    g_nPointerX = 500;
    GameMovePaddles();
    EXPECT_EQ(P.x, 100);
}

struct ZoneCase {
    const char* szName;
    int nPS;
    int16_t x, dx;
    int16_t nWantDX, nWantDY;
};

TEST_F(PlayTest, ClassicEndZonesSendTheBallBackTheWayItCame)
{
    // Paddle 300..380 at 519; the ball falls from y 502 by 3 onto it; the mouse stands still.
    const ZoneCase Cases[] = {
        {"left end zone toward the middle", 1, 292, 3, -3, -3},
        {"left end zone flying away", 1, 298, -3, -3, -3},
        {"right end zone toward the middle", 1, 378, -3, 3, -3},
        {"middle", 1, 327, 3, 3, -3},
        {"end zones off", 0, 292, 3, 3, -3},
    };
    for (const ZoneCase& Case : Cases) {
        g_nPS = Case.nPS;
        g_Paddles[0].x = 300;
        Ball& B = Fly(0, Case.x, 502, Case.dx, 3);
        GameMoveBalls();
        EXPECT_EQ(B.dx, Case.nWantDX) << Case.szName;
        EXPECT_EQ(B.dy, Case.nWantDY) << Case.szName;
        EXPECT_EQ(B.nSlowDown, 2) << Case.szName;
    }
}

struct PointerMove {
    int32_t x, y;
    uint32_t nMilliseconds;
};
struct MomentumCase {
    const char* szName;
    std::vector<PointerMove> Moves;   // after the pointer stood at (400, 300)
    int16_t dx, dy;
    int16_t nWantDX, nWantDY;
};

TEST_F(PlayTest, TheMomentumRuleAddsThePaddlesMovementToTheBall)
{
    const MomentumCase Cases[] = {
        {"still mouse: straight bounce", {}, 3, 3, 3, -3},
        {"moving left: speed + dx + hdelta, limited", {{380, 300, 10}}, 3, 3, -8, -3},
        {"moving left slowly", {{399, 300, 10}}, 2, 3, -3, -3},
        {"moving right: dx = -hdelta", {{403, 300, 10}}, -2, 3, 3, -3},
        {"moving up: speed + dy + vdelta", {{400, 298, 10}}, 2, 2, 2, -4},
        {"moving up fast: the largest dy", {{400, 290, 10}}, 2, 3, 2, -5},
        {"moving down: plain bounce", {{400, 310, 10}}, 2, 3, 2, -3},
        {"stopped after moving left: dx 0 becomes 1", {{395, 300, 10}, {395, 300, 10}}, 3, 3, 1, -3},
        {"the same step twice counts as standing", {{390, 300, 10}, {380, 300, 10}}, 3, 3, 3, -3},
    };
    g_nPS = 0;
    for (const MomentumCase& Case : Cases) {
        PointerAt(400, 300);
        PointerAt(400, 300);
        for (const PointerMove& Move : Case.Moves)
            PointerAt(Move.x, Move.y, Move.nMilliseconds);
        g_Paddles[0].x = 300;
        Ball& B = Fly(0, 335, 502, Case.dx, Case.dy);
        B.y = (int16_t)(505 - Case.dy);
        GameMoveBalls();
        EXPECT_EQ(B.dx, Case.nWantDX) << Case.szName;
        EXPECT_EQ(B.dy, Case.nWantDY) << Case.szName;
        EXPECT_EQ(g_nScoringPlayer, 1) << Case.szName;
    }
}

TEST_F(PlayTest, SpeedLimitsFollowTheDifficulty)
{
    struct Limits {
        int nSST, nEMBefore;
        int16_t nMaxDX, nMaxDY;
        int nEM, nEnemyKinds;
    };
    const Limits Cases[] = {{0, 1, 4, 3, 0, 0}, {1, 0, 8, 5, 0, 4}, {1, 1, 8, 5, 1, 4}, {2, 0, 9, 6, 1, 2}};
    g_nPS = 0;
    for (const Limits& Case : Cases) {
        g_nSST = Case.nSST;
        g_nEM = Case.nEMBefore;
        g_bInGame = false;
        GameResetLevel(0, false);
        EXPECT_EQ(g_nMaxDX, Case.nMaxDX) << Case.nSST;
        EXPECT_EQ(g_nMaxDY, Case.nMaxDY) << Case.nSST;
        EXPECT_EQ(g_nEM, Case.nEM) << Case.nSST;
        EXPECT_EQ(g_nEnemyKindLimit, Case.nEnemyKinds) << Case.nSST;
        // A wild swing of the mouse up and to the left still stays within the limits.
        PointerAt(400, 300);
        PointerAt(300, 200, 5);
        Ball& B = Fly(0, 400, 502, 3, 3);
        GameMoveBalls();
        EXPECT_EQ(B.dx, -Case.nMaxDX) << Case.nSST;
        EXPECT_EQ(B.dy, -Case.nMaxDY) << Case.nSST;
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

    m_Platform.Advance(19999);
    GamePlayClock();
    EXPECT_EQ(Slow.dy, -2);
    m_Platform.Advance(1);
    GamePlayClock();
    EXPECT_EQ(Slow.dx, 1);   // 1 is already the slowest
    EXPECT_EQ(Slow.dy, -1);
    EXPECT_EQ(Slow.nSlowDown, 1);
    EXPECT_EQ(Bounced.nSlowDown, 1);
    EXPECT_EQ(Bounced.dx, 5);
    m_Platform.Advance(20000);
    GamePlayClock();
    EXPECT_EQ(Bounced.nSlowDown, 0);
    EXPECT_EQ(Bounced.dx, 5);
    m_Platform.Advance(20000);
    GamePlayClock();
    EXPECT_EQ(Bounced.dx, 4);
    EXPECT_EQ(Bounced.dy, -3);
    EXPECT_EQ(Eleventh.dx, 5);
    EXPECT_EQ(Eleventh.dy, -4);
}

TEST_F(PlayTest, AClickLaunchesTheWaitingBallsOrLetsGoOfTheStickyOnes)
{
    g_bHalted = 1;
    GameLaunchBalls();
    EXPECT_FALSE(g_bBallsLaunched);
    EXPECT_EQ(IndexOf(LogMessages(), "Tamborel: Checking BallStart"), -1);

    g_bHalted = 0;
    GameLaunchBalls();
    EXPECT_TRUE(g_bBallsLaunched);
    EXPECT_EQ(g_Balls[0].nSlowDown, 2);
    EXPECT_NE(IndexOf(LogMessages(), "Tamborel: Checking BallStart"), -1);

    g_Balls[0].nHeldBy = 1;
    g_Balls[1].nHeldBy = 2;
    GameLaunchBalls();
    EXPECT_EQ(g_Balls[0].nHeldBy, 0);
    EXPECT_EQ(g_Balls[1].nHeldBy, 2);
}

TEST_F(PlayTest, InAMatchTheLoserOfTheLastBallDoesNotServe)
{
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
    EXPECT_EQ(g_Balls[0].x, 100 + 40 - 6);
    EXPECT_EQ(g_Balls[0].y, PADDLE_REST_Y - 15);
    GameLaunchBalls();
    EXPECT_TRUE(g_bBallsLaunched);
}

TEST_F(PlayTest, AStickyPaddleHoldsTheBallItSendsBack)
{
    g_Paddles[0].x = 300;
    g_Paddles[0].bSticky = true;
    Ball& B = Fly(0, 335, 502, 2, 3);
    GameMoveBalls();
    EXPECT_EQ(B.nHeldBy, 1);
    g_nPointerX = 200;
    GameMovePaddles();
    GameMoveBalls();
    EXPECT_EQ(B.x, 200 + 40 - 6);
    EXPECT_EQ(B.y, PADDLE_REST_Y - 15);
}

TEST_F(PlayTest, ANewBallStartsAtThePaddlesRightEnd)
{
    struct AddCase {
        int16_t nPaddleX;
        int16_t nWantX, nWantDX;
    };
    for (const AddCase& Case : {AddCase{300, 360, 2}, AddCase{400, 460, -2}}) {
        g_Paddles[0].x = Case.nPaddleX;
        GameAddBall(1);
        const Ball& B = g_Balls[Case.nPaddleX == 300 ? 1 : 2];   // slot 0 is taken
        EXPECT_TRUE(B.bActive);
        EXPECT_EQ(B.x, Case.nWantX);
        EXPECT_EQ(B.y, PADDLE_REST_Y - 32);
        EXPECT_EQ(B.dx, Case.nWantDX);
        EXPECT_EQ(B.dy, -2);
        EXPECT_EQ(B.nTopRow, 36);
        EXPECT_EQ(B.nBottomRow, 54);
    }
}

TEST_F(PlayTest, TheCellUnderAPoint)
{
    struct CellCase {
        int32_t x, y, nColumn, nRow;
    };
    const CellCase Cases[] = {{20, 21, 0, 0},     {59, 40, 0, 0},   {60, 41, 1, 1},   {99, 64, 1, 1},
                              {100, 65, 2, 2},    {0, 0, 0, 0},     {779, 452, 18, 18}, {759, 448, 18, 17},
                              {900, 700, 18, 20}, {-40, -30, 0, 0}};
    for (const CellCase& Case : Cases) {
        GameCellAt(Case.x, Case.y);
        EXPECT_EQ(g_nCellColumn, Case.nColumn) << Case.x << "," << Case.y;
        EXPECT_EQ(g_nCellRow, Case.nRow) << Case.x << "," << Case.y;
    }
}

struct ProbeCase {
    const char* szName;
    int16_t nTopRow;
    int16_t x, y, dx, dy;
    int nColumn, nRow;   // the one brick
    int16_t nWantDX, nWantDY;
};

TEST_F(PlayTest, BallsProbeTheCellsAroundThemInOrder)
{
    const ProbeCase Cases[] = {
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
    for (const ProbeCase& Case : Cases) {
        for (int16_t& nCell : g_LevelCells[0])
            nCell = LEVEL_CELL_EMPTY;
        SetCell(Case.nColumn, Case.nRow, 5);
        Ball& B = Fly(0, Case.x, Case.y, Case.dx, Case.dy);
        B.nTopRow = Case.nTopRow;
        GameBallsAgainstBricks();
        EXPECT_EQ(CellCode(Case.nColumn, Case.nRow), BRICK_EXPLOSION) << Case.szName;
        EXPECT_EQ(B.dx, Case.nWantDX) << Case.szName;
        EXPECT_EQ(B.dy, Case.nWantDY) << Case.szName;
    }
}

TEST_F(PlayTest, OneHitPerBallAndFramePiercingAndPassingBalls)
{
    SetCell(2, 1, 5);   // above the ball
    SetCell(2, 2, 6);   // its own cell
    Ball& B = Fly(0, 106, 70, 2, -2);
    GameBallsAgainstBricks();
    EXPECT_EQ(CellCode(2, 1), BRICK_EXPLOSION);
    EXPECT_EQ(CellCode(2, 2), 6);
    EXPECT_EQ(g_nScore[0], 1);

    B = Fly(0, 106, 70, 2, -2);
    B.nSpecial = BALL_PIERCING;
    GameBallsAgainstBricks();
    EXPECT_EQ(CellCode(2, 2), BRICK_EXPLOSION);
    EXPECT_EQ(B.dx, 2);
    EXPECT_EQ(B.dy, -2);

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

}  // namespace

namespace {

using namespace gametest;

int CountOf(const std::vector<std::string>& Log, const std::string& Line)
{
    return (int)std::count(Log.begin(), Log.end(), Line);
}

TEST_F(PlayTest, LosingTheMainBallWhileAnotherFliesMovesThatOneIntoSlotZero)
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
    EXPECT_EQ(Main.x, 198);
    EXPECT_EQ(Main.y, 297);
    EXPECT_EQ(Main.dx, -2);
    EXPECT_EQ(Main.nTopRow, 54);
    EXPECT_EQ(Main.nBottomRow, 72);
    EXPECT_EQ(Main.nSpecial, BALL_PIERCING);
    EXPECT_FALSE(g_Balls[5].bActive);
    EXPECT_EQ(g_Balls[5].nTopRow, 36);
    EXPECT_EQ(g_Balls[5].nBottomRow, 54);
    EXPECT_EQ(g_nLives[0], 3);
    EXPECT_TRUE(g_bBallsLaunched);
    EXPECT_EQ(CountOf(LogMessages(), "Tamborel: GameKugelStart()"), 0);
}

TEST_F(PlayTest, AMainBallTakenByTheTrapIsReplacedToo)
{
    SetCell(5, 5, BRICK_TRAP);
    Fly(0, 300, 200, 2, 3);
    Fly(7, 100, 100, 2, 3);
    g_nCellColumn = 5;
    g_nCellRow = 5;
    GameBrickHit(0, false, BALL_KIND_NORMAL, BRICK_DOWN);
    GameLoseFallenBalls();
    EXPECT_TRUE(g_Balls[0].bActive);
    EXPECT_EQ(g_Balls[0].x, 100);
    EXPECT_EQ(g_nLives[0], 3);
}

TEST_F(PlayTest, LosingTheLastBallCostsALifeAndPutsANewBallOnThePaddle)
{
    Fly(0, 300, 521, 2, 3);
    g_nPointerX = 200;
    GameLoseFallenBalls();
    EXPECT_EQ(g_nLives[0], 2);
    EXPECT_EQ(CountOf(LogMessages(), "Tamborel: GameKugelStart()"), 1);
    EXPECT_FALSE(g_bBallsLaunched);
    EXPECT_TRUE(g_Balls[0].bActive);
    EXPECT_EQ(g_Balls[0].x, g_Paddles[0].x + 40 - 6);
    EXPECT_EQ(g_Balls[0].y, PADDLE_REST_Y - 15);

    // Halted, or not in game, nobody loses anything.
    for (int nCase = 0; nCase < 2; ++nCase) {
        g_bHalted = nCase == 0;
        g_bInGame = nCase == 1 ? false : true;
        Fly(0, 300, 521, 2, 3);
        GameLoseFallenBalls();
        EXPECT_FALSE(g_Balls[0].bActive) << nCase;
        EXPECT_EQ(g_nLives[0], 2) << nCase;
    }
}

TEST_F(PlayTest, TheLastBallOfTheLastLifeEndsTheGame)
{
    g_nLives[0] = 0;
    Fly(0, 300, 521, 2, 3);
    GameLoseFallenBalls();
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Tamborel: GameChangeMode(3)",
                                                "Tamborel: GameChangeMode(3) - Spiel_Veloren",
                                                "Tamborel: GameOver()"}));
    EXPECT_TRUE(g_bPlayerDead[0]);
}

TEST_F(PlayTest, InAMatchTheHalfWhereTheBallFellDecidesWhoLostIt)
{
    g_bTwoPlayers = true;
    g_nComputerPlayer = 2;
    g_bInGame = false;
    GameResetLevel(0, false);
    g_bInGame = true;
    struct FallCase {
        int16_t x;
        uint8_t nWantLoser;
        int32_t nWantLives;
        int nWantServer;
    };
    // The computer's half costs nothing and gives the serve to the mouse player.
    for (const FallCase& Case : {FallCase{500, 2, 3, 1}, FallCase{100, 1, 2, 2}}) {
        Fly(0, Case.x, 521, 2, 3);
        GameLoseFallenBalls();
        EXPECT_EQ(g_nLastLoser, Case.nWantLoser) << Case.x;
        EXPECT_EQ(g_nLives[0], Case.nWantLives) << Case.x;
        EXPECT_EQ(g_nLives[1], 3) << Case.x;
        EXPECT_EQ(GameServingPlayer(), Case.nWantServer) << Case.x;
        EXPECT_TRUE(g_Balls[0].bActive) << Case.x;
    }
}

}  // namespace
