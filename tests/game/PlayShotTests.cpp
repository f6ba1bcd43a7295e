// Laser shots: the guns in turn, the cooldown, the slots, and how far a shot's
// power carries it through bricks.
#include "game/GameFixture.h"

#include "Shots.h"

namespace {

using namespace gametest;

int ActiveShots()
{
    return (int)std::count_if(std::begin(g_Shots), std::end(g_Shots), [](const Shot& S) { return S.bActive; });
}
// Moves the shots until none is left (or a frame limit is reached).
void FlyAllShots()
{
    for (int nFrame = 0; nFrame < 400 && ActiveShots() > 0; ++nFrame)
        GameMoveShots();
}

TEST_F(PlayTest, TheGunsFireInTurnTheRightOneNeedsACooldownAndTwentyShotsAtMost)
{
    Paddle& P = g_Paddles[0];
    GameFire(1);
    EXPECT_EQ(ActiveShots(), 0);   // no laser yet
    P.nLaserLevel = 2;
    GameFire(1);
    EXPECT_EQ((std::array<int, 4>{g_Shots[0].x, g_Shots[0].y, g_Shots[0].nTopRow, g_Shots[0].nBottomRow}),
              (std::array<int, 4>{P.x + 18, PADDLE_REST_Y - 20, 452, 472}));
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

    for (int n = 0; n < 30; ++n) {
        g_Guns[0].nCooldown = 0;
        GameFire(1);
    }
    EXPECT_EQ(ActiveShots(), GAME_SHOTS);
}

TEST_F(PlayTest, AShotBreaksAsManyBricksAsItsPowerStopsAtHardOnesAndLeavesAtTheTop)
{
    struct {
        uint8_t nLevel;
        std::vector<int16_t> Column, Want;   // rows 14, 13, 12, ... upward from the paddle
    } const Cases[] = {
        {1, {5, 6, 7}, {480, 6, 7}},
        {2, {5, 6, 7}, {480, 480, 7}},
        {5, {5, 200, 7}, {480, 200, 7}},
        {3, {-1, 300, 8}, {-1, 480, 8}},   // three hits step a brick down to nothing
        {2, {400, 9, -1}, {400, 9, -1}},   // a decoration takes power on every frame inside it
    };
    const int nColumn = 9;
    for (const auto& Case : Cases) {
        ClearLevel();
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

}  // namespace
