// Laser shots: the guns in turn, the cooldown, the slots, and how far a shot's
// power carries it through bricks.
#include "game/GameFixture.h"

#include "Shots.h"

namespace {

using namespace gametest;

class PlayShots : public PlayTest {
protected:
    // Moves the shots until none is left (or a frame limit is reached).
    static void FlyAllShots()
    {
        for (int nFrame = 0; nFrame < 400; ++nFrame)
            GameMoveShots();
    }
    static int ActiveShots()
    {
        int n = 0;
        for (const Shot& S : g_Shots)
            n += S.bActive;
        return n;
    }
};

TEST_F(PlayShots, TheGunsFireInTurnAndTheRightOneNeedsACooldown)
{
    Paddle& P = g_Paddles[0];
    GameFire(1);
    EXPECT_EQ(ActiveShots(), 0);   // no laser yet

    P.nLaserLevel = 2;
    GameFire(1);
    EXPECT_EQ(g_Shots[0].x, P.x + 18);
    EXPECT_EQ(g_Shots[0].y, PADDLE_REST_Y - 20);
    EXPECT_EQ(g_Shots[0].nTopRow, 452);
    EXPECT_EQ(g_Shots[0].nBottomRow, 472);
    EXPECT_EQ(g_Guns[0].nCooldown, 0);
    GameFire(1);
    EXPECT_EQ(g_Shots[1].x, P.x + 80 - 42);
    EXPECT_EQ(g_Guns[0].nCooldown, 2);
    GameFire(1);
    EXPECT_EQ(ActiveShots(), 2);

    g_Guns[0].nCooldown = 0;
    P.nLaserLevel = 9;   // more than the strongest shot
    GameFire(1);
    EXPECT_EQ(g_Shots[2].nTopRow, 512);
}

TEST_F(PlayShots, TwentyShotsAtMost)
{
    g_Paddles[0].nLaserLevel = 1;
    for (int n = 0; n < 30; ++n) {
        g_Guns[0].nCooldown = 0;
        GameFire(1);
    }
    EXPECT_EQ(ActiveShots(), GAME_SHOTS);
}

struct PowerCase {
    uint8_t nLevel;
    std::vector<int16_t> Column;   // rows 14, 13, 12, ... upward from the paddle
    std::vector<int16_t> Want;
};

TEST_F(PlayShots, AShotBreaksAsManyBricksAsItsPowerAndStopsAtHardOnes)
{
    const PowerCase Cases[] = {
        {1, {5, 6, 7}, {480, 6, 7}},
        {2, {5, 6, 7}, {480, 480, 7}},
        {5, {5, 200, 7}, {480, 200, 7}},
        {3, {-1, 300, 8}, {-1, 480, 8}},   // three hits step a brick down to nothing
        {2, {400, 9, -1}, {400, 9, -1}},   // a decoration takes power on every frame inside it
    };
    const int nColumn = 9;
    for (const PowerCase& Case : Cases) {
        for (int16_t& nCell : g_LevelCells[0])
            nCell = LEVEL_CELL_EMPTY;
        for (size_t n = 0; n < Case.Column.size(); ++n)
            SetCell(nColumn, 14 - (int)n, Case.Column[n]);
        g_Paddles[0].x = (int16_t)(20 + nColumn * 40 - 18 + 10);   // the shot's tip inside the column
        g_Paddles[0].nLaserLevel = Case.nLevel;
        g_Guns[0] = {};
        GameFire(1);
        FlyAllShots();
        EXPECT_EQ(ActiveShots(), 0) << (int)Case.nLevel;
        for (size_t n = 0; n < Case.Want.size(); ++n)
            EXPECT_EQ(CellCode(nColumn, 14 - (int)n), Case.Want[n]) << (int)Case.nLevel << " row " << 14 - (int)n;
    }
}

TEST_F(PlayShots, AShotLeavesTheFieldAtTheTopAndStandsStillWhileHalted)
{
    g_Paddles[0].nLaserLevel = 1;
    GameFire(1);
    g_bHalted = 1;
    GameMoveShots();
    EXPECT_EQ(g_Shots[0].y, PADDLE_REST_Y - 20);
    g_bHalted = 0;
    GameMoveShots();
    EXPECT_EQ(g_Shots[0].y, PADDLE_REST_Y - 22);
    FlyAllShots();
    EXPECT_FALSE(g_Shots[0].bActive);
    EXPECT_EQ(g_Shots[0].y, -100);
}

}  // namespace
