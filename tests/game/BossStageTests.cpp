// The boss stage: its hit rules and the ship's reach, a stage won and one lost
// through the real frame, and what a boss-stage frame draws.
#include "game/GameFixture.h"

#include "BossStage.h"
#include "Flow.h"
#include "Keys.h"
#include "Resources.h"
#include "sheets.h"

namespace {

using namespace gametest;

TEST_F(PlayTest, BossHitsFollowTheEnergyAndLivesRulesAndTheShipStaysOnScreen)
{
    g_bBossStage = 1;
    struct Case {
        int32_t nEnergy, nLives;
        bool bJaw;   // at the open jaw, else at the head
        int32_t nEnergyAfter, nLivesAfter;
    };
    const std::vector<Case> Cases = {{100, 5, true, 100, 5}, {30, 5, true, 30, 5},  {25, 5, true, 25, 4},
                                     {25, 0, true, 25, 0},   {30, 5, false, 25, 5}, {25, 5, false, 25, 5},
                                     {25, 0, false, 20, 0}};
    for (const Case& C : Cases) {
        GameStartBossStage();
        std::tie(g_Boss.nBossEnergy, g_Boss.nBossLives) = std::make_tuple(C.nEnergy, C.nLives);
        // One frame short of the zone, the jaw's mouth halfway down (jaw y + 31 .. + 69).
        g_Boss.PlayerShots[0] = {1, (int16_t)(C.bJaw ? 662 : 583), (int16_t)(C.bJaw ? g_Boss.nJawY + 50 : 90), 0,
                                 BOSS_SHOT_SHIP};
        GamePlayBossStage();
        EXPECT_EQ((std::array<int, 3>{g_Boss.nBossEnergy, g_Boss.nBossLives, g_Boss.PlayerShots[0].bActive}),
                  (std::array<int, 3>{C.nEnergyAfter, C.nLivesAfter, 0}))
            << C.nEnergy << " " << C.nLives << " " << C.bJaw;
    }
    // A hit with every explosion still burning shows none more, and nothing else changes.
    for (BossExplosion& E : g_Boss.Explosions)
        E = {1, true, 0, 0, 0};
    g_Boss.PlayerShots[0] = {1, 583, 90, 0, BOSS_SHOT_SHIP};
    GamePlayBossStage();
    EXPECT_EQ(g_Boss.nBossEnergy, 15);
    for (const Pair& Pointer : {Pair(0, 2), {300, 300}, {599, 470}}) {
        g_nPointerY = Pointer.first;
        GamePlayBossStage();
        EXPECT_EQ(g_Boss.nShipY, Pointer.second);
    }
}

class BossFrames : public GameStart {
protected:
    // Started, in play, and the ninth level cleared with boss stages on.
    void EnterStage()
    {
        StartPlay();
        g_nEM = 1;
        g_nCurrentLevel = 9;
        ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
        ASSERT_TRUE(g_bBossStage);
    }
    void PointAt(int nY) { Korvid.SetMousePosition(100, nY, false, false); }
    // One right click from ship height nY and a second or more of frames; the ship kept in health.
    void FireFrom(int nY, int nFrames = 50)
    {
        PointAt(nY);
        Korvid.SimulateClick(KOR_BUTTON_RIGHT, 100, (uint16_t)nY);
        Frames(nFrames);
        g_Boss.nPlayerEnergy = 100;
    }
    Pair Boss() const { return {g_Boss.nBossEnergy, g_Boss.nBossLives}; }
};

TEST_F(BossFrames, AStageIsWonByWearingTheBossDownTakingHisLivesAtTheJawAndFinishingHim)
{
    EnterStage();
    EXPECT_EQ((std::array<int, 4>{g_nCurrentLevel, g_Boss.nPlayerEnergy, g_Boss.nPlayerLives, g_Boss.nJawY}),
              (std::array<int, 4>{9, 100, 5, 212}));
    EXPECT_EQ(Boss(), Pair(100, 5));
    for (int n = 0; n < 17; ++n)   // two more than needed: the armour holds at a quarter
        FireFrom(50);
    Frames(130);
    EXPECT_EQ(Boss(), Pair(25, 5));
    // The jaw opens at the same time in each second: shots a little more than a second apart meet it.
    for (int n = 0; n < 60 && g_Boss.nBossLives > 0; ++n)
        FireFrom(210, 57);
    Frames(150);
    EXPECT_EQ(Boss(), Pair(25, 0));
    for (int n = 0; n < 4; ++n)
        FireFrom(50);
    Frames(130);
    EXPECT_EQ(Boss(), Pair(5, 0));
    EXPECT_TRUE(g_bBossStage);
    FireFrom(50);
    Frames(130);
    EXPECT_TRUE(g_bInGame && !g_bBossStage && g_nCurrentLevel == 10 && LogHas("Tamborel: GameLoadLevel(10)"));
}

TEST_F(BossFrames, AStageLostToTheBossEndsTheGameAndEscapeLeavesIt)
{
    EnterStage();
    PointAt(430);   // in the path of the lowest gun
    Fly(0, 300, 300, 2, -2);   // a ball of the cleared level waits through the stage
    for (int n = 0; n < 5000 && !g_bHalted; ++n)
        Frames(1);
    EXPECT_EQ(MotionOf(g_Balls[0]), (Motion{300, 300, 2, -2}));
    EXPECT_TRUE(g_Boss.nPlayerEnergy < 1 && g_Boss.nPlayerLives < 1 && g_nLives[0] == 0);
    EXPECT_TRUE(LogHas("Tamborel: GameOver()"));
    Press(GAME_KEY_ESCAPE);
    EXPECT_FALSE(g_bBossStage || g_bInGame);
}

TEST_F(BossFrames, AFrameDrawsTheSkyTheBossAndBothBarsAndPauseHaltsIt)
{
    EnterStage();
    Frames(1);
    const uint16_t* pSky = (const uint16_t*)Korvid.ChunkyBuffer(GAME_CHUNKY_SPACEBACK);
    // Left of the boss the sky shows but for a few stars; over it the head covers it.
    auto SkyShows = [&](int x0, int y0, int nSize) {
        int nSame = 0;
        for (int y = y0; y < y0 + nSize; ++y)
            for (int x = x0; x < x0 + nSize; ++x)
                nSame += Pixel(x, y) == pSky[y * Sheets::SPACEBACK.nWidth + x];
        return nSame * 100 / (nSize * nSize);
    };
    EXPECT_GT(SkyShows(200, 150, 40), 90);
    EXPECT_LT(SkyShows(Sheets::BOSS_HEAD_X + 40, Sheets::BOSS_HEAD_Y + 30, 40), 50);
    // A bar fills one segment per 5 energy: at 50 its first half is as full, its second not.
    const int nHalf = Sheets::ENERGY_STEP * 10, nBarY = Sheets::ENERGY_Y + Sheets::ENERGY_PLAYER.h / 2;
    auto Halves = [&](int x) { return std::make_pair(Pixels(x, nBarY, nHalf, 1), Pixels(x + nHalf, nBarY, nHalf, 1)); };
    const auto PlayerFull = Halves(Sheets::ENERGY_PLAYER_X), BossFull = Halves(Sheets::ENERGY_BOSS_X);
    std::tie(g_Boss.nPlayerEnergy, g_Boss.nBossEnergy) = std::make_tuple(50, 0);
    Frames(1);
    const auto PlayerHalf = Halves(Sheets::ENERGY_PLAYER_X);
    EXPECT_TRUE(PlayerHalf.first == PlayerFull.first && PlayerHalf.second != PlayerFull.second);
    EXPECT_NE(Halves(Sheets::ENERGY_BOSS_X).first, BossFull.first);
    // P halts the stage under the overlay, and again lets it go on.
    Press(GAME_KEY_P);
    ASSERT_TRUE(g_bHalted);
    const int32_t nJawY = g_Boss.nJawY;
    Frames(10);
    EXPECT_EQ(g_Boss.nJawY, nJawY);
    EXPECT_LT(SkyShows(200, 150, 40), 10);   // darkened
    Press(GAME_KEY_P);
    Frames(2);
    EXPECT_NE(g_Boss.nJawY, nJawY);
}

}  // namespace
