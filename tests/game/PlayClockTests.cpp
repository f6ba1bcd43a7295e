// The play clock's periods on the virtual clock: animation frames, the one-second
// countdowns, the ball step, the pulse, the keys, and nothing while halted.
#include "game/GameFixture.h"

#include <algorithm>

#include "Field.h"
#include "PlayClock.h"
#include "Shots.h"

namespace {

using namespace gametest;

class PlayClock : public PlayTest {
protected:
    void SetUp() override
    {
        PlayTest::SetUp();
        GameRestartPlayClock();
    }
};

TEST_F(PlayClock, ThePulseSwingsAnimationsStepEvery35MillisecondsAndTheGateOpensEvery25)
{
    std::vector<int32_t> Seen;
    for (int n = 0; n < 60; ++n) {
        RunClock(50);
        Seen.push_back(g_nPulse);
    }
    EXPECT_EQ(Seen[0], 5);
    EXPECT_EQ(Seen[50], 255);
    EXPECT_EQ(Seen[51], 250);
    EXPECT_EQ(*std::max_element(Seen.begin(), Seen.end()), 255);

    GameRestartPlayClock();
    g_bAnimationGate = false;   // the field takes it when drawn
    const int nFrame = g_nBallFrame, nBonusFrame = g_nBonusFrame;
    RunClock(24);
    EXPECT_FALSE(g_bAnimationGate);
    RunClock(1);
    EXPECT_TRUE(g_bAnimationGate);
    RunClock(9);
    EXPECT_EQ(g_nBallFrame, nFrame);
    RunClock(1);
    const int nNext = (nFrame + 1) % 10;
    EXPECT_EQ((std::array<int, 3>{g_nBallFrame, g_nPaddleFrame, g_nShotFrame}), (std::array<int, 3>{nNext, nNext, nNext}));
    for (int n = 0; n < 9; ++n)
        RunClock(35);
    EXPECT_EQ(g_nBallFrame, nFrame);   // 0..9 round
    EXPECT_EQ(g_nBonusFrame, (nBonusFrame + 3) % 7);   // 350 ms: three steps of 100
}

TEST_F(PlayClock, EachSecondCountsDownTimersAndCooldowns)
{
    g_nTeleporterCooldown = 2;
    g_Guns[0].nCooldown = 1;
    g_Paddles[0].nBonusTimers[31] = 2;
    g_Paddles[1].nBonusTimers[23] = 5;
    g_nComputerPlayer = 2;   // the computer's own steering never runs out
    g_Paddles[0].nBonusTimers[23] = 5;
    g_nFieldClearCountdown = 10;   // counted only while few bricks are left
    RunClock(999);
    EXPECT_EQ(g_nTeleporterCooldown, 2);
    RunClock(1);
    EXPECT_EQ((std::array<int, 6>{g_nTeleporterCooldown, g_Guns[0].nCooldown, g_Paddles[0].nBonusTimers[31],
                                  g_Paddles[0].nBonusTimers[23], g_Paddles[1].nBonusTimers[23], g_nFieldClearCountdown}),
              (std::array<int, 6>{1, 0, 1, 4, 5, 10}));
    g_bFewBricksLeft = true;
    RunClock(1000);
    RunClock(1000);
    EXPECT_EQ((std::array<int, 3>{g_nTeleporterCooldown, g_Paddles[0].nBonusTimers[31], g_nFieldClearCountdown}),
              (std::array<int, 3>{0, 0, 8}));
}

TEST_F(PlayClock, OneBallStepPerFrameOnlyInGameAndNothingRunsOrCatchesUpWhileHalted)
{
    Fly(0, 300, 200, 2, -2);
    RunClock(1);
    EXPECT_EQ(g_Balls[0].x, 300);   // not more than 1 ms yet
    RunClock(1);
    EXPECT_EQ(g_Balls[0].x, 302);
    RunClock(19);
    EXPECT_EQ(g_Balls[0].x, 304);
    g_bInGame = false;
    RunClock(19);
    EXPECT_EQ(g_Balls[0].x, 304);
    g_bInGame = true;

    GameRestartPlayClock();
    const int32_t nBallFrame = g_nBallFrame;
    g_nTeleporterCooldown = 3;
    g_bHalted = 1;
    for (int n = 0; n < 300; ++n) {   // six seconds of paused frames, as the frame runs them
        m_Platform.Advance(20);
        GameRestartPlayClock();
        GamePlayClock();
    }
    EXPECT_EQ(g_Balls[0].x, 304);
    EXPECT_EQ(g_nTeleporterCooldown, 3);
    EXPECT_EQ(g_nBallFrame, nBallFrame);
    g_bHalted = 0;
    RunClock(20);
    EXPECT_EQ(g_Balls[0].x, 306);   // one ball step
    EXPECT_EQ(g_nTeleporterCooldown, 3);
    EXPECT_EQ(g_nBallFrame, nBallFrame);
}

TEST_F(PlayClock, KeysAreArmedAgainAfter120MillisecondsAndTheNameEntryBlinksWhileHalted)
{
    g_bHalted = 1;
    g_bKeysArmed = false;
    g_nKeysHandledAt = Korvid.Timer();
    RunClock(119);
    EXPECT_FALSE(g_bKeysArmed);
    RunClock(1);
    EXPECT_TRUE(g_bKeysArmed);

    GameRestartPlayClock();
    g_nScoreEntry = GAME_SCORE_ENTRY_NAME;
    RunClock(199);
    EXPECT_FALSE(g_bBlink);
    RunClock(1);
    EXPECT_TRUE(g_bBlink);
    g_nScoreEntry = GAME_SCORE_ENTRY_NONE;
    RunClock(400);
    EXPECT_TRUE(g_bBlink);
}

}  // namespace
