// The play clock's periods on the virtual clock: animation frames, the one-second
// countdowns, the ball step, the pulse, the keys, and nothing while halted.
#include "game/GameFixture.h"

#include "Field.h"
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
    EXPECT_EQ((std::array<int, 3>{Seen[0], Seen[50], Seen[51]}), (std::array<int, 3>{5, 255, 250}));
    EXPECT_EQ(*std::max_element(Seen.begin(), Seen.end()), 255);

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
    EXPECT_EQ(g_nBonusFrame, (nBonusFrame + 3) % 7);   // 350 ms: three steps of 100
}

TEST_F(PlayClock, EachSecondCountsDownTimersAndCooldowns)
{
    g_nTeleporterCooldown = 2;
    g_Guns[0].nCooldown = 1;
    g_Paddles[0].nBonusTimers[31] = 2;
    g_Paddles[0].nBonusTimers[23] = g_Paddles[1].nBonusTimers[23] = 5;
    g_nComputerPlayer = 2;          // the computer's own steering never runs out
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
}

TEST_F(PlayClock, OneBallStepPerFrameOnlyInGameAndNothingRunsOrCatchesUpWhileHalted)
{
    Fly(0, 300, 200, 2, -2);
    for (const Pair& Step : {Pair(1, 300), {1, 302}, {19, 304}}) {   // not more than 1 ms yet, then a frame's step
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
