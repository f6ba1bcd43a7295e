// Bricks, shots and the play clock headless: every kind of cell hit, sliding bricks,
// teleporters, the trap, fragments, laser shots, and the clock's periods and pauses.
#include "game/GameFixture.h"

#include "Field.h"
#include "Fragments.h"
#include "Shots.h"

namespace {

using namespace gametest;

constexpr int COLUMN = 5, ROW = 5;   // where HitWith hits

TEST_F(PlayTest, EveryKindOfCellReactsToAHitWithItsPointsAndScoresGoToWhoTouchedTheBall)
{
    const int N = BALL_KIND_NORMAL, S = BALL_KIND_SMALL, B = BALL_KIND_BIG;
    // Cell, ball kind, by a shot, the cell after, the points.
    const std::tuple<int16_t, int, bool, int16_t, int32_t> Cases[] = {
        {0, N, false, 480, 1},   {19, S, false, 480, 1},  {45, B, false, 480, 1},  {80, N, true, 480, 1},
        {179, N, false, 480, 1}, {265, N, false, 480, 1}, {320, N, false, 480, 1}, {352, N, false, 480, 1},
        {20, N, false, 485, 2},  {39, N, true, 485, 2},   {60, S, false, 485, 2},  {79, N, true, 485, 2},
        {240, N, false, 300, 5}, {259, N, true, 319, 5},  {240, B, false, 490, 5}, {240, S, false, 240, 5},
        {300, N, false, 280, 2}, {280, N, false, 260, 2}, {319, B, false, 490, 2}, {300, S, false, 300, 2},
        {180, N, false, 180, 0}, {239, B, true, 239, 0},  {353, N, false, 353, 0}, {479, N, false, 479, 0},
        {482, N, false, 482, 0}, {-1, N, false, -1, 0}};
    for (const auto& Case : Cases) {
        g_nScore[0] = 0;
        const int16_t nCode = std::get<0>(Case);
        EXPECT_EQ(HitWith(nCode, std::get<1>(Case), std::get<2>(Case)), std::get<3>(Case)) << nCode;
        EXPECT_EQ(g_nScore[0], std::get<4>(Case)) << nCode << "/" << std::get<1>(Case);
        EXPECT_TRUE(g_Balls[0].bActive) << nCode;
    }
    g_nScore[0] = 0;   // a four-hit brick steps down under normal balls
    int16_t nCode = 240;
    for (const Pair& Step : {Pair(300, 5), {280, 7}, {260, 9}, {480, 10}}) {
        nCode = HitWith(nCode);
        EXPECT_EQ(Pair(nCode, g_nScore[0]), Step);
    }
    // Scores grow by the multiplier of the player who touched the ball last.
    g_nScore[0] = 0;
    g_Paddles[0].nMultiplier = 2;
    HitWith(0);
    g_Paddles[0].nMultiplier = 4;
    HitWith(240);
    EXPECT_EQ(g_nScore[0], 2 * 1 + 4 * 5);
    g_bTwoPlayers = true;
    g_nScoringPlayer = 2;
    HitWith(0);
    GameAddScore(3, 1);
    EXPECT_EQ(Pair(g_nScore[0], g_nScore[1]), Pair(22 + 4 * 3, 1));
    // The trap takes the ball; a carried ball hits nothing.
    EXPECT_EQ(HitWith(BRICK_TRAP), BRICK_TRAP);
    EXPECT_FALSE(g_Balls[0].bActive);
    EXPECT_EQ(g_nScore[1], 1);
    g_Balls[0].bActive = 1;
    g_Balls[0].nCarried = 1;
    EXPECT_EQ(HitWith(0), 0);
    EXPECT_EQ(HitWith(BRICK_TRAP), BRICK_TRAP);
    EXPECT_TRUE(g_Balls[0].bActive);
}

TEST_F(PlayTest, ASlidingBrickLeavesACopyInTheFirstFreeNeighbourOnTheGrid)
{
    // The push, the neighbours holding brick 10, where the copy lands (0, 0 for nowhere): down below, then
    // left, then right, or nowhere; up above, then left; right, then above, then below; left likewise.
    const std::tuple<int, std::vector<Pair>, Pair> Cases[] = {
        {BRICK_DOWN, {}, {0, 1}},   {BRICK_DOWN, {{0, 1}}, {-1, 0}}, {BRICK_DOWN, {{0, 1}, {-1, 0}}, {1, 0}},
        {BRICK_DOWN, {{0, 1}, {-1, 0}, {1, 0}}, {0, 0}},            {BRICK_UP, {}, {0, -1}},
        {BRICK_UP, {{0, -1}}, {-1, 0}},   {BRICK_RIGHT, {}, {1, 0}}, {BRICK_RIGHT, {{1, 0}}, {0, -1}},
        {BRICK_RIGHT, {{1, 0}, {0, -1}}, {0, 1}}, {BRICK_LEFT, {}, {-1, 0}}, {BRICK_LEFT, {{-1, 0}}, {0, -1}},
        {BRICK_LEFT, {{-1, 0}, {0, -1}}, {0, 1}}};
    for (const auto& Case : Cases) {
        ClearLevel();
        for (const Pair& Offset : std::get<1>(Case))
            SetCell(COLUMN + Offset.first, ROW + Offset.second, 10);
        g_nScore[0] = 0;
        EXPECT_EQ(HitWith(341, BALL_KIND_NORMAL, false, std::get<0>(Case)), 341) << &Case - Cases;
        EXPECT_EQ(g_nScore[0], 1);
        const Pair Step = std::get<2>(Case);
        EXPECT_EQ(std::count(g_LevelCells[0], g_LevelCells[0] + LEVEL_CELLS, 341), Step == Pair(0, 0) ? 1 : 2);
        EXPECT_EQ(CellCode(COLUMN + Step.first, ROW + Step.second), 341) << &Case - Cases;
    }
    // It covers code 0; at the left edge a push to the left goes above instead; shots and big balls break it.
    SetCell(COLUMN, ROW + 1, 0);
    HitWith(340, BALL_KIND_NORMAL, false, BRICK_DOWN);
    EXPECT_EQ(CellCode(COLUMN, ROW + 1), 340);
    HitWith(342, BALL_KIND_NORMAL, false, BRICK_LEFT, 0, 3);
    EXPECT_EQ(CellCode(0, 2), 342);
    EXPECT_EQ(HitWith(340, BALL_KIND_BIG, false, BRICK_DOWN), BRICK_EXPLOSION);
    EXPECT_EQ(HitWith(340, BALL_KIND_NORMAL, true, BRICK_OTHER), BRICK_EXPLOSION);
}

TEST_F(PlayTest, TeleportersSendTheBallAcrossAndCoolDownForFourSeconds)
{
    std::tie(g_nBeamAX, g_nBeamAY, g_nBeamBX, g_nBeamBY) = std::make_tuple(80, 48, 600, 240);
    EXPECT_EQ(HitWith(BRICK_BEAM_A), BRICK_BEAM_A_USED);
    EXPECT_EQ(Pair(g_Balls[0].x, g_Balls[0].y), Pair(600, 240));
    EXPECT_EQ(g_nTeleporterCooldown, 4);
    EXPECT_FALSE(GameCellIsSolid(BRICK_BEAM_A_USED));
    EXPECT_EQ(HitWith(BRICK_BEAM_B), BRICK_BEAM_B_USED);
    EXPECT_EQ(Pair(g_Balls[0].x, g_Balls[0].y), Pair(80, 48));
    g_nBeamBX = g_nBeamBY = -1;   // a level without the other teleporter has nowhere to send the ball
    HitWith(BRICK_BEAM_A);
    EXPECT_EQ(g_Balls[0].x, 80);
}

TEST_F(PlayTest, DestroyedBricksThrowFragmentsOnlyAloneAndWithTheSetting)
{
    Ball& B = Fly(0, 300, 200, 3, -2);
    g_nFS = 1;
    HitWith(7);
    const Fragment& F = g_Fragments[0];
    EXPECT_EQ((std::array<int, 5>{F.nCode, F.x, F.y, F.vx, F.vy}), (std::array<int, 5>{7, 300, 200, 5, -4}));
    B.dx = -1;
    HitWith(25);
    EXPECT_EQ(Pair(g_Fragments[1].nCode, g_Fragments[1].vx), Pair(25, -3));
    HitWith(8, BALL_KIND_NORMAL, true);   // none for a shot, in a match, or with the setting off
    g_bTwoPlayers = true;
    HitWith(9);
    g_bTwoPlayers = false;
    g_nFS = 0;
    HitWith(10);
    EXPECT_EQ(g_Fragments[2].nCode, -1);
}

int ActiveShots()
{
    return (int)std::count_if(std::begin(g_Shots), std::end(g_Shots), [](const Shot& S) { return S.bActive; });
}

TEST_F(PlayTest, TheGunsFireInTurnTheRightOneNeedsACooldownAndTwentyShotsAtMost)
{
    Paddle& P = g_Paddles[0];
    GameFire(1);
    EXPECT_EQ(ActiveShots(), 0);   // no laser yet
    P.nLaserLevel = 2;
    GameFire(1);
    const Shot& S = g_Shots[0];
    EXPECT_EQ((std::array<int, 5>{S.x, S.y, S.nTopRow, S.nBottomRow, g_Guns[0].nCooldown}),
              (std::array<int, 5>{P.x + 18, PADDLE_REST_Y - 20, 452, 472, 0}));
    GameFire(1);
    EXPECT_EQ(Pair(g_Shots[1].x, g_Guns[0].nCooldown), Pair(P.x + 80 - 42, 2));
    GameFire(1);
    EXPECT_EQ(ActiveShots(), 2);
    g_Guns[0].nCooldown = 0;
    P.nLaserLevel = 9;   // more than the strongest shot
    GameFire(1);
    EXPECT_EQ(g_Shots[2].nTopRow, 512);
    for (int n = 0; n < 30; ++n) {
        g_Guns[0].nCooldown = 0;
        GameFire(1);
    }
    EXPECT_EQ(ActiveShots(), GAME_SHOTS);
}

TEST_F(PlayTest, AShotBreaksAsManyBricksAsItsPowerStopsAtHardOnesAndLeavesAtTheTop)
{
    // The laser level, rows 14, 13 and 12 of column 9 upward from the paddle, and after. Three hits step a
    // brick down to nothing; a decoration takes power on every frame inside it.
    const std::tuple<uint8_t, std::array<int16_t, 3>, std::array<int16_t, 3>> Cases[] = {
        {1, {5, 6, 7}, {480, 6, 7}},     {2, {5, 6, 7}, {480, 480, 7}}, {5, {5, 200, 7}, {480, 200, 7}},
        {3, {-1, 300, 8}, {-1, 480, 8}}, {2, {400, 9, -1}, {400, 9, -1}}};
    auto FlyAllShots = [] {
        for (int nFrame = 0; nFrame < 400 && ActiveShots() > 0; ++nFrame)
            GameMoveShots();
    };
    for (const auto& Case : Cases) {
        ClearLevel();
        for (int n = 0; n < 3; ++n)
            SetCell(9, 14 - n, std::get<1>(Case)[n]);
        g_Paddles[0].x = (int16_t)(20 + 9 * 40 - 18 + 10);   // the shot's tip inside the column
        g_Paddles[0].nLaserLevel = std::get<0>(Case);
        g_Guns[0] = {};
        GameFire(1);
        FlyAllShots();
        EXPECT_EQ(ActiveShots(), 0);
        EXPECT_EQ((std::array<int16_t, 3>{CellCode(9, 14), CellCode(9, 13), CellCode(9, 12)}), std::get<2>(Case))
            << (int)std::get<0>(Case);
    }
    // A shot stands still while halted and leaves the field at the top.
    ClearLevel();
    g_Paddles[0].nLaserLevel = 1;
    g_Guns[0] = {};
    GameFire(1);
    const Shot& S = g_Shots[0];
    ASSERT_TRUE(S.bActive);
    g_bHalted = 1;
    GameMoveShots();
    EXPECT_EQ(S.y, PADDLE_REST_Y - 20);
    g_bHalted = 0;
    GameMoveShots();
    EXPECT_EQ(S.y, PADDLE_REST_Y - 22);
    FlyAllShots();
    EXPECT_FALSE(S.bActive);
    EXPECT_EQ(S.y, -100);
}


TEST_F(PlayTest, TheClocksPulseSwingsAnimationsStepTheGateOpensKeysAreArmedAgainAndTheNameEntryBlinks)
{
    GameRestartPlayClock();
    std::vector<int32_t> Seen;   // the pulse swings between 0 and 255 by 5 every 50 ms
    for (int n = 0; n < 60; ++n, Seen.push_back(g_nPulse))
        RunClock(50);
    EXPECT_EQ((std::array<int, 4>{Seen[0], Seen[50], Seen[51], *std::max_element(Seen.begin(), Seen.end())}),
              (std::array<int, 4>{5, 255, 250, 255}));
    // Animation frames step every 35 ms, the bonus frame every 100, the brick animation gate opens every 25.
    GameRestartPlayClock();
    g_bAnimationGate = false;   // the field takes it when drawn
    const int nFrame = g_nBallFrame, nBonusFrame = g_nBonusFrame, nNext = (nFrame + 1) % 10;
    RunClock(24);
    EXPECT_FALSE(g_bAnimationGate);
    RunClock(1);
    EXPECT_TRUE(g_bAnimationGate);
    RunClock(9);
    EXPECT_EQ(g_nBallFrame, nFrame);
    RunClock(1);
    EXPECT_EQ((std::array<int, 3>{g_nBallFrame, g_nPaddleFrame, g_nShotFrame}),
              (std::array<int, 3>{nNext, nNext, nNext}));
    for (int n = 0; n < 9; ++n)
        RunClock(35);
    EXPECT_EQ(g_nBallFrame, nFrame);                    // 0..9 round
    EXPECT_EQ(g_nBonusFrame, (nBonusFrame + 3) % 7);   // 350 ms: three steps
    // Enter and Escape arm the keys again after 120 ms, even while halted; the name entry blinks.
    g_bHalted = 1;
    g_bKeysArmed = false;
    g_nKeysHandledAt = Korvid.Timer();
    RunClock(119);
    const bool bArmedEarly = g_bKeysArmed;
    RunClock(1);
    EXPECT_TRUE(!bArmedEarly && g_bKeysArmed);
    GameRestartPlayClock();
    g_nScoreEntry = GAME_SCORE_ENTRY_NAME;
    RunClock(199);
    const bool bBlinkEarly = g_bBlink;
    RunClock(1);
    EXPECT_TRUE(!bBlinkEarly && g_bBlink);
    g_nScoreEntry = GAME_SCORE_ENTRY_NONE;
    RunClock(400);
    EXPECT_TRUE(g_bBlink);
}

TEST_F(PlayTest, EachSecondCountsDownAndBallsStepOncePerFrameButNothingRunsOrCatchesUpWhileHalted)
{
    GameRestartPlayClock();
    g_nTeleporterCooldown = 2;
    g_Guns[0].nCooldown = 1;
    g_Paddles[0].nBonusTimers[31] = 2;
    g_Paddles[0].nBonusTimers[23] = g_Paddles[1].nBonusTimers[23] = 5;
    g_bTwoPlayers = true;
    g_nComputerPlayer = 2;          // in a match the computer's own steering never runs out
    g_nFieldClearCountdown = 10;   // counted only while few bricks are left
    auto Counters = [] {
        const Paddle* P = g_Paddles;
        return std::array<int, 6>{g_nTeleporterCooldown,  g_Guns[0].nCooldown,     P[0].nBonusTimers[31],
                                  P[0].nBonusTimers[23], P[1].nBonusTimers[23], g_nFieldClearCountdown};
    };
    RunClock(999);
    EXPECT_EQ(Counters(), (std::array<int, 6>{2, 1, 2, 5, 5, 10}));
    RunClock(1);
    EXPECT_EQ(Counters(), (std::array<int, 6>{1, 0, 1, 4, 5, 10}));
    g_bFewBricksLeft = true;
    RunClock(1000);
    RunClock(1000);
    EXPECT_EQ(Counters(), (std::array<int, 6>{0, 0, 0, 2, 5, 8}));

    Fly(0, 300, 200, 2, -2);
    for (const Pair& Step : {Pair(20, 302), {1, 302}, {19, 304}}) {   // not before a frame's time has passed
        RunClock(Step.first);
        EXPECT_EQ(g_Balls[0].x, Step.second);
    }
    g_bInGame = false;
    RunClock(19);
    EXPECT_EQ(g_Balls[0].x, 304);
    g_bInGame = true;
    const int32_t nBallFrame = g_nBallFrame;
    g_nTeleporterCooldown = 3;
    g_bHalted = 1;
    for (int n = 0; n < 300; ++n) {   // six seconds of paused frames, as the frame runs them
        m_Platform.Advance(20);
        GameRestartPlayClock();
        GamePlayClock();
    }
    auto State = [] { return std::array<int, 3>{g_Balls[0].x, g_nTeleporterCooldown, g_nBallFrame}; };
    EXPECT_EQ(State(), (std::array<int, 3>{304, 3, nBallFrame}));
    g_bHalted = 0;
    RunClock(20);
    EXPECT_EQ(State(), (std::array<int, 3>{306, 3, nBallFrame}));   // one ball step
}

}  // namespace
