// The brick hit for every kind of cell, its points, sliding bricks, teleporters,
// the trap, fragments and scoring.
#include "game/GameFixture.h"

#include "Fragments.h"
#include "PlayClock.h"

namespace {

using namespace gametest;

constexpr int COLUMN = 5, ROW = 5;

// Ball 0 of the given kind hits the cell (COLUMN, ROW) holding nCode.
int16_t HitWith(int16_t nCode, int nKind = BALL_KIND_NORMAL, bool bShot = false, int nDirection = BRICK_UP)
{
    SetCell(COLUMN, ROW, nCode);
    g_nCellColumn = COLUMN;
    g_nCellRow = ROW;
    g_Balls[0].nTopRow = nKind == BALL_KIND_SMALL ? 0 : nKind == BALL_KIND_BIG ? 90 : 36;
    GameBrickHit(0, bShot, nKind, nDirection);
    return CellCode(COLUMN, ROW);
}

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
        {482, N, false, 482, 0}, {-1, N, false, -1, 0},
    };
    for (const auto& Case : Cases) {
        g_nScore[0] = 0;
        const int16_t nCode = std::get<0>(Case);
        EXPECT_EQ(HitWith(nCode, std::get<1>(Case), std::get<2>(Case)), std::get<3>(Case)) << nCode;
        EXPECT_EQ(g_nScore[0], std::get<4>(Case)) << nCode << "/" << std::get<1>(Case);
        EXPECT_TRUE(g_Balls[0].bActive) << nCode;
    }

    // A four-hit brick steps down under normal balls.
    g_nScore[0] = 0;
    int16_t nCode = 240;
    for (const auto& Step : {std::make_pair(300, 5), {280, 7}, {260, 9}, {480, 10}}) {
        nCode = HitWith(nCode);
        EXPECT_EQ(std::make_pair((int)nCode, g_nScore[0]), Step);
    }

    // Scores grow by the multiplier of the player who touched the ball last.
    g_nScore[0] = 0;
    g_Paddles[0].nMultiplier = 2;
    HitWith(0);
    EXPECT_EQ(g_nScore[0], 2);
    g_Paddles[0].nMultiplier = 4;
    HitWith(240);
    EXPECT_EQ(g_nScore[0], 22);
    g_bTwoPlayers = true;
    g_nScoringPlayer = 2;
    HitWith(0);
    EXPECT_EQ(std::make_pair(g_nScore[0], g_nScore[1]), std::make_pair(22, 1));
    GameAddScore(3, 1);
    EXPECT_EQ(g_nScore[0], 34);
}

TEST_F(PlayTest, TheTrapTakesTheBallAndACarriedBallHitsNothing)
{
    HitWith(BRICK_TRAP);
    EXPECT_FALSE(g_Balls[0].bActive);
    EXPECT_EQ(CellCode(COLUMN, ROW), BRICK_TRAP);
    EXPECT_EQ(g_nScore[0], 0);
    g_Balls[0].bActive = 1;
    g_Balls[0].nCarried = 1;
    EXPECT_EQ(HitWith(0), 0);
    EXPECT_EQ(HitWith(BRICK_TRAP), BRICK_TRAP);
    EXPECT_TRUE(g_Balls[0].bActive);
}

TEST_F(PlayTest, ASlidingBrickLeavesACopyInTheFirstFreeNeighbourOnTheGrid)
{
    struct {
        const char* szName;
        int nDirection;
        std::vector<std::pair<int, int>> Blocked;   // neighbour offsets holding brick 10
        std::pair<int, int> Step;                   // where the copy lands; 0, 0 for nowhere
    } const Cases[] = {
        {"down: below", BRICK_DOWN, {}, {0, 1}},
        {"down: then left", BRICK_DOWN, {{0, 1}}, {-1, 0}},
        {"down: then right", BRICK_DOWN, {{0, 1}, {-1, 0}}, {1, 0}},
        {"down: nowhere", BRICK_DOWN, {{0, 1}, {-1, 0}, {1, 0}}, {0, 0}},
        {"up: above", BRICK_UP, {}, {0, -1}},
        {"up: then left", BRICK_UP, {{0, -1}}, {-1, 0}},
        {"right: right", BRICK_RIGHT, {}, {1, 0}},
        {"right: then above", BRICK_RIGHT, {{1, 0}}, {0, -1}},
        {"right: then below", BRICK_RIGHT, {{1, 0}, {0, -1}}, {0, 1}},
        {"left: left", BRICK_LEFT, {}, {-1, 0}},
        {"left: then above", BRICK_LEFT, {{-1, 0}}, {0, -1}},
        {"left: then below", BRICK_LEFT, {{-1, 0}, {0, -1}}, {0, 1}},
    };
    for (const auto& Case : Cases) {
        ClearLevel();
        for (const auto& Offset : Case.Blocked)
            SetCell(COLUMN + Offset.first, ROW + Offset.second, 10);
        g_nScore[0] = 0;
        EXPECT_EQ(HitWith(341, BALL_KIND_NORMAL, false, Case.nDirection), 341) << Case.szName;
        EXPECT_EQ(g_nScore[0], 1) << Case.szName;
        const bool bMoved = Case.Step != std::make_pair(0, 0);
        EXPECT_EQ(std::count(g_LevelCells[0], g_LevelCells[0] + LEVEL_CELLS, 341), bMoved ? 2 : 1) << Case.szName;
        EXPECT_EQ(CellCode(COLUMN + Case.Step.first, ROW + Case.Step.second), 341) << Case.szName;
    }

    // It covers code 0; at the left edge a push to the left goes above instead;
    // shots and big balls break it.
    SetCell(COLUMN, ROW + 1, 0);
    HitWith(340, BALL_KIND_NORMAL, false, BRICK_DOWN);
    EXPECT_EQ(CellCode(COLUMN, ROW + 1), 340);
    SetCell(0, 3, 342);
    g_nCellColumn = 0;
    g_nCellRow = 3;
    GameBrickHit(0, false, BALL_KIND_NORMAL, BRICK_LEFT);
    EXPECT_EQ(CellCode(0, 2), 342);
    EXPECT_EQ(HitWith(340, BALL_KIND_BIG, false, BRICK_DOWN), BRICK_EXPLOSION);
    EXPECT_EQ(HitWith(340, BALL_KIND_NORMAL, true, BRICK_OTHER), BRICK_EXPLOSION);
}

TEST_F(PlayTest, TeleportersSendTheBallAcrossAndCoolDownForFourSeconds)
{
    g_nBeamAX = 80;
    g_nBeamAY = 48;
    g_nBeamBX = 600;
    g_nBeamBY = 240;
    EXPECT_EQ(HitWith(BRICK_BEAM_A), BRICK_BEAM_A_USED);
    EXPECT_EQ(std::make_pair(g_Balls[0].x, g_Balls[0].y), std::make_pair((int16_t)600, (int16_t)240));
    EXPECT_EQ(g_nTeleporterCooldown, 4);
    EXPECT_FALSE(GameCellIsSolid(BRICK_BEAM_A_USED));
    EXPECT_EQ(HitWith(BRICK_BEAM_B), BRICK_BEAM_B_USED);
    EXPECT_EQ(std::make_pair(g_Balls[0].x, g_Balls[0].y), std::make_pair((int16_t)80, (int16_t)48));
    // A level without the other teleporter has nowhere to send the ball.
    g_nBeamBX = g_nBeamBY = -1;
    HitWith(BRICK_BEAM_A);
    EXPECT_EQ(g_Balls[0].x, 80);

    GameRestartPlayClock();
    for (int nSecond = 3; nSecond >= 0; --nSecond) {
        RunClock(1000);
        EXPECT_EQ(g_nTeleporterCooldown, nSecond);
    }
}

TEST_F(PlayTest, DestroyedBricksThrowFragmentsOnlyAloneAndWithTheSetting)
{
    Ball& B = Fly(0, 300, 200, 3, -2);
    g_nFS = 1;
    HitWith(7);
    const Fragment& First = g_Fragments[0];
    EXPECT_EQ((std::array<int, 5>{First.nCode, First.x, First.y, First.vx, First.vy}),
              (std::array<int, 5>{7, 300, 200, 5, -4}));
    B.dx = -1;
    HitWith(25);
    EXPECT_EQ(std::make_pair((int)g_Fragments[1].nCode, (int)g_Fragments[1].vx), std::make_pair(25, -3));
    // None for a shot, in a match, or with the setting off.
    HitWith(8, BALL_KIND_NORMAL, true);
    g_bTwoPlayers = true;
    HitWith(9);
    g_bTwoPlayers = false;
    g_nFS = 0;
    HitWith(10);
    EXPECT_EQ(g_Fragments[2].nCode, -1);
}

}  // namespace
