// The brick hit for every kind of cell, its points, sliding bricks, teleporters,
// the trap, fragments and scoring.
#include "game/GameFixture.h"

#include "Fragments.h"
#include "PlayClock.h"

namespace {

using namespace gametest;

constexpr int COLUMN = 5, ROW = 5;

// Ball 0 of the given kind hits the cell (COLUMN, ROW) holding nCode.
int16_t HitWith(int16_t nCode, int nKind, bool bShot, int nDirection = BRICK_UP)
{
    *GameCell(COLUMN, ROW) = nCode;
    g_nCellColumn = COLUMN;
    g_nCellRow = ROW;
    g_Balls[0].nTopRow = nKind == BALL_KIND_SMALL ? 0 : nKind == BALL_KIND_BIG ? 90 : 36;
    GameBrickHit(0, bShot, nKind, nDirection);
    return *GameCell(COLUMN, ROW);
}

struct HitCase {
    int16_t nCode;
    int nKind;
    bool bShot;
    int16_t nWantCode;
    int32_t nWantPoints;
};

TEST_F(PlayTest, EveryKindOfCellReactsToAHitWithItsPoints)
{
    const HitCase Cases[] = {
        {0, BALL_KIND_NORMAL, false, 480, 1},   {19, BALL_KIND_SMALL, false, 480, 1},
        {45, BALL_KIND_BIG, false, 480, 1},     {80, BALL_KIND_NORMAL, true, 480, 1},
        {179, BALL_KIND_NORMAL, false, 480, 1}, {265, BALL_KIND_NORMAL, false, 480, 1},
        {320, BALL_KIND_NORMAL, false, 480, 1}, {352, BALL_KIND_NORMAL, false, 480, 1},
        {20, BALL_KIND_NORMAL, false, 485, 2},  {39, BALL_KIND_NORMAL, true, 485, 2},
        {60, BALL_KIND_SMALL, false, 485, 2},   {79, BALL_KIND_NORMAL, true, 485, 2},
        {240, BALL_KIND_NORMAL, false, 300, 5}, {259, BALL_KIND_NORMAL, true, 319, 5},
        {240, BALL_KIND_BIG, false, 490, 5},    {240, BALL_KIND_SMALL, false, 240, 5},
        {300, BALL_KIND_NORMAL, false, 280, 2}, {280, BALL_KIND_NORMAL, false, 260, 2},
        {319, BALL_KIND_BIG, false, 490, 2},    {300, BALL_KIND_SMALL, false, 300, 2},
        {180, BALL_KIND_NORMAL, false, 180, 0}, {239, BALL_KIND_BIG, true, 239, 0},
        {353, BALL_KIND_NORMAL, false, 353, 0}, {479, BALL_KIND_NORMAL, false, 479, 0},
        {482, BALL_KIND_NORMAL, false, 482, 0}, {-1, BALL_KIND_NORMAL, false, -1, 0},
    };
    for (const HitCase& Case : Cases) {
        g_nScore[0] = 0;
        EXPECT_EQ(HitWith(Case.nCode, Case.nKind, Case.bShot), Case.nWantCode) << Case.nCode << "/" << Case.nKind;
        EXPECT_EQ(g_nScore[0], Case.nWantPoints) << Case.nCode << "/" << Case.nKind;
        EXPECT_TRUE(g_Balls[0].bActive) << Case.nCode;
    }
}

TEST_F(PlayTest, AFourHitBrickStepsDownUnderNormalBalls)
{
    struct Step {
        int16_t nWantCode;
        int32_t nWantScore;
    };
    const Step Steps[] = {{300, 5}, {280, 7}, {260, 9}, {480, 10}};
    int16_t nCode = 240;
    for (const Step& Each : Steps) {
        nCode = HitWith(nCode, BALL_KIND_NORMAL, false);
        EXPECT_EQ(nCode, Each.nWantCode);
        EXPECT_EQ(g_nScore[0], Each.nWantScore);
    }
}

TEST_F(PlayTest, ScoresGrowByTheMultiplierOfThePlayerWhoTouchedTheBallLast)
{
    g_Paddles[0].nMultiplier = 2;
    HitWith(0, BALL_KIND_NORMAL, false);
    EXPECT_EQ(g_nScore[0], 2);
    g_Paddles[0].nMultiplier = 4;
    HitWith(240, BALL_KIND_NORMAL, false);
    EXPECT_EQ(g_nScore[0], 22);

    g_bTwoPlayers = true;
    g_nScoringPlayer = 2;
    HitWith(0, BALL_KIND_NORMAL, false);
    EXPECT_EQ(g_nScore[0], 22);
    EXPECT_EQ(g_nScore[1], 1);
    GameAddScore(3, 1);
    EXPECT_EQ(g_nScore[0], 34);
}

TEST_F(PlayTest, TheTrapTakesTheBallAndACarriedBallHitsNothing)
{
    HitWith(BRICK_TRAP, BALL_KIND_NORMAL, false);
    EXPECT_FALSE(g_Balls[0].bActive);
    EXPECT_EQ(*GameCell(COLUMN, ROW), BRICK_TRAP);
    EXPECT_EQ(g_nScore[0], 0);

    g_Balls[0].bActive = 1;
    g_Balls[0].nCarried = 1;
    EXPECT_EQ(HitWith(0, BALL_KIND_NORMAL, false), 0);
    EXPECT_EQ(HitWith(BRICK_TRAP, BALL_KIND_NORMAL, false), BRICK_TRAP);
    EXPECT_TRUE(g_Balls[0].bActive);
}

struct SlideCase {
    const char* szName;
    int nDirection;
    std::vector<std::pair<int, int>> Blocked;   // neighbour offsets holding brick 10
    int nColumnStep, nRowStep;                  // where the copy lands; 0, 0 for nowhere
};

TEST_F(PlayTest, ASlidingBrickLeavesACopyInTheFirstFreeNeighbour)
{
    const SlideCase Cases[] = {
        {"down: below", BRICK_DOWN, {}, 0, 1},
        {"down: then left", BRICK_DOWN, {{0, 1}}, -1, 0},
        {"down: then right", BRICK_DOWN, {{0, 1}, {-1, 0}}, 1, 0},
        {"down: nowhere", BRICK_DOWN, {{0, 1}, {-1, 0}, {1, 0}}, 0, 0},
        {"up: above", BRICK_UP, {}, 0, -1},
        {"up: then left", BRICK_UP, {{0, -1}}, -1, 0},
        {"right: right", BRICK_RIGHT, {}, 1, 0},
        {"right: then above", BRICK_RIGHT, {{1, 0}}, 0, -1},
        {"right: then below", BRICK_RIGHT, {{1, 0}, {0, -1}}, 0, 1},
        {"left: left", BRICK_LEFT, {}, -1, 0},
        {"left: then above", BRICK_LEFT, {{-1, 0}}, 0, -1},
        {"left: then below", BRICK_LEFT, {{-1, 0}, {0, -1}}, 0, 1},
    };
    for (const SlideCase& Case : Cases) {
        for (int16_t& nCell : g_LevelCells[0])
            nCell = LEVEL_CELL_EMPTY;
        for (const auto& Offset : Case.Blocked)
            SetCell(COLUMN + Offset.first, ROW + Offset.second, 10);
        g_nScore[0] = 0;
        EXPECT_EQ(HitWith(341, BALL_KIND_NORMAL, false, Case.nDirection), 341) << Case.szName;
        EXPECT_EQ(g_nScore[0], 1) << Case.szName;
        int nCopies = 0;
        for (int16_t nCell : g_LevelCells[0])
            nCopies += nCell == 341;
        const bool bMoved = Case.nColumnStep != 0 || Case.nRowStep != 0;
        EXPECT_EQ(nCopies, bMoved ? 2 : 1) << Case.szName;
        if (bMoved) {
            EXPECT_EQ(CellCode(COLUMN + Case.nColumnStep, ROW + Case.nRowStep), 341) << Case.szName;
        }
    }
}

TEST_F(PlayTest, ASlidingBrickCoversCodeZeroStaysOnTheGridAndBreaksUnderShotsAndBigBalls)
{
    SetCell(COLUMN, ROW + 1, 0);
    HitWith(340, BALL_KIND_NORMAL, false, BRICK_DOWN);
    EXPECT_EQ(CellCode(COLUMN, ROW + 1), 340);

    // At the left edge a push to the left goes above instead.
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
    EXPECT_EQ(HitWith(BRICK_BEAM_A, BALL_KIND_NORMAL, false), BRICK_BEAM_A_USED);
    EXPECT_EQ(g_Balls[0].x, 600);
    EXPECT_EQ(g_Balls[0].y, 240);
    EXPECT_EQ(g_nTeleporterCooldown, 4);
    EXPECT_FALSE(GameCellIsSolid(BRICK_BEAM_A_USED));
    EXPECT_EQ(HitWith(BRICK_BEAM_B, BALL_KIND_NORMAL, false), BRICK_BEAM_B_USED);
    EXPECT_EQ(g_Balls[0].x, 80);
    EXPECT_EQ(g_Balls[0].y, 48);

    // A level without the other teleporter has nowhere to send the ball.
    g_nBeamBX = g_nBeamBY = -1;
    HitWith(BRICK_BEAM_A, BALL_KIND_NORMAL, false);
    EXPECT_EQ(g_Balls[0].x, 80);

    GameRestartPlayClock();
    for (int nSecond = 3; nSecond >= 0; --nSecond) {
        m_Platform.Advance(1000);
        GamePlayClock();
        EXPECT_EQ(g_nTeleporterCooldown, nSecond);
    }
}

TEST_F(PlayTest, DestroyedBricksThrowFragmentsOnlyAloneAndWithTheSetting)
{
    Ball& B = Fly(0, 300, 200, 3, -2);
    g_nFS = 1;
    HitWith(7, BALL_KIND_NORMAL, false);
    EXPECT_EQ(g_Fragments[0].nCode, 7);
    EXPECT_EQ(g_Fragments[0].x, 300);
    EXPECT_EQ(g_Fragments[0].y, 200);
    EXPECT_EQ(g_Fragments[0].vx, 5);
    EXPECT_EQ(g_Fragments[0].vy, -4);
    B.dx = -1;
    HitWith(25, BALL_KIND_NORMAL, false);
    EXPECT_EQ(g_Fragments[1].nCode, 25);
    EXPECT_EQ(g_Fragments[1].vx, -3);

    HitWith(8, BALL_KIND_NORMAL, true);   // a shot
    g_bTwoPlayers = true;
    HitWith(9, BALL_KIND_NORMAL, false);
    g_bTwoPlayers = false;
    g_nFS = 0;
    HitWith(10, BALL_KIND_NORMAL, false);
    EXPECT_EQ(g_Fragments[2].nCode, -1);
}

}  // namespace
