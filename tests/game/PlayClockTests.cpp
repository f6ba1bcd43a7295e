// The play clock's periods on the virtual clock: animation frames, the one-second
// countdowns, the ball step, the pulse, the keys, and nothing while halted.
#include "game/GameFixture.h"

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
    void Run(uint32_t nMilliseconds)
    {
        m_Platform.Advance(nMilliseconds);
        GamePlayClock();
    }
};

TEST_F(PlayClock, AnimationFramesStepEveryThirtyFiveMilliseconds)
{
    Run(34);
    EXPECT_EQ(g_nBallFrame, 0);
    Run(1);
    EXPECT_EQ(g_nBallFrame, 1);
    EXPECT_EQ(g_nPaddleFrame, 1);
    EXPECT_EQ(g_nShotFrame, 1);
    for (int n = 0; n < 9; ++n)
        Run(35);
    EXPECT_EQ(g_nBallFrame, 0);   // 0..9 round
    EXPECT_EQ(g_nBonusFrame, 3);  // 350 ms: three steps of 100
}

TEST_F(PlayClock, EachSecondCountsDownTimersAndCooldowns)
{
    g_nTeleporterCooldown = 2;
    g_Guns[0].nCooldown = 1;
    g_Paddles[0].nBonusTimers[31] = 2;
    g_Paddles[1].nBonusTimers[23] = 5;
    g_nComputerPlayer = 2;       // the computer's own steering never runs out
    g_Paddles[0].nBonusTimers[23] = 5;
    g_nFieldClearCountdown = 10;   // counted only while few bricks are left
    Run(999);
    EXPECT_EQ(g_nTeleporterCooldown, 2);
    Run(1);
    EXPECT_EQ(g_nTeleporterCooldown, 1);
    EXPECT_EQ(g_Guns[0].nCooldown, 0);
    EXPECT_EQ(g_Paddles[0].nBonusTimers[31], 1);
    EXPECT_EQ(g_Paddles[0].nBonusTimers[23], 4);
    EXPECT_EQ(g_Paddles[1].nBonusTimers[23], 5);
    EXPECT_EQ(g_nFieldClearCountdown, 10);
    g_bFewBricksLeft = true;
    Run(1000);
    Run(1000);
    EXPECT_EQ(g_nTeleporterCooldown, 0);
    EXPECT_EQ(g_Paddles[0].nBonusTimers[31], 0);
    EXPECT_EQ(g_nFieldClearCountdown, 8);
}

TEST_F(PlayClock, NothingRunsWhileHaltedAndNothingCatchesUpAfterwards)
{
    Fly(0, 300, 200, 2, -2);
    g_nTeleporterCooldown = 3;
    g_bHalted = 1;
    for (int n = 0; n < 300; ++n) {   // six seconds of paused frames, as the frame runs them
        m_Platform.Advance(20);
        GameRestartPlayClock();
        GamePlayClock();
    }
    EXPECT_EQ(g_Balls[0].x, 300);
    EXPECT_EQ(g_nTeleporterCooldown, 3);
    EXPECT_EQ(g_nBallFrame, 0);
    g_bHalted = 0;
    Run(20);
    EXPECT_EQ(g_Balls[0].x, 302);   // one ball step
    EXPECT_EQ(g_nTeleporterCooldown, 3);
    EXPECT_EQ(g_nBallFrame, 0);
}

TEST_F(PlayClock, OneBallStepPerFrameAndOnlyInGame)
{
    Fly(0, 300, 200, 2, -2);
    Run(1);
    EXPECT_EQ(g_Balls[0].x, 300);   // not more than 1 ms yet
    Run(1);
    EXPECT_EQ(g_Balls[0].x, 302);
    Run(19);
    EXPECT_EQ(g_Balls[0].x, 304);
    g_bInGame = false;
    Run(19);
    EXPECT_EQ(g_Balls[0].x, 304);
}

TEST_F(PlayClock, TheBrickAnimationGateOpensEveryTwentyFiveMilliseconds)
{
    Run(24);
    EXPECT_FALSE(g_bAnimationGate);
    Run(1);
    EXPECT_TRUE(g_bAnimationGate);
}

TEST_F(PlayClock, ThePulseSwingsBetweenZeroAnd255)
{
    std::vector<int32_t> Seen;
    for (int n = 0; n < 60; ++n) {
        Run(50);
        Seen.push_back(g_nPulse);
    }
    EXPECT_EQ(Seen[0], 5);
    EXPECT_EQ(Seen[50], 255);
    EXPECT_EQ(Seen[51], 250);
    EXPECT_EQ(*std::max_element(Seen.begin(), Seen.end()), 255);
}

TEST_F(PlayClock, KeysAreArmedAgain120MillisecondsAfterEnterOrEscapeEvenWhileHalted)
{
    g_bHalted = 1;
    g_bKeysArmed = false;
    g_nKeysHandledAt = Korvid.Timer();
    Run(119);
    EXPECT_FALSE(g_bKeysArmed);
    Run(1);
    EXPECT_TRUE(g_bKeysArmed);
}

TEST_F(PlayClock, TheNameEntryBlinksWhileHalted)
{
    g_bHalted = 1;
    g_nScoreEntry = GAME_SCORE_ENTRY_NAME;
    Run(199);
    EXPECT_FALSE(g_bBlink);
    Run(1);
    EXPECT_TRUE(g_bBlink);
    g_nScoreEntry = GAME_SCORE_ENTRY_NONE;
    Run(400);
    EXPECT_TRUE(g_bBlink);
}

}  // namespace
