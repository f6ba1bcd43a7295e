// The play clock: each period keeps the time of its last run and runs its work
// when more than its length has passed on the engine's millisecond clock.
#include "PlayClock.h"

#include "Balls.h"
#include "BossStage.h"
#include "Bricks.h"
#include "ComputerPlayer.h"
#include "Enemies.h"
#include "Field.h"
#include "GameState.h"
#include "Paddles.h"
#include "Shots.h"
#include "Menu.h"
#include "korvid.h"

int32_t g_nBallFrame = 0, g_nPaddleFrame = 0, g_nShotFrame = 0;
int32_t g_nBonusFrame = 0;
int32_t g_nPulse = 0;
bool g_bBlink = false;

namespace {

enum Period { ANIMATION, SLOW_ANIMATION, SECOND, SLOW_DOWN, BRICK_STEP, BALL_STEP, PULSE, BLINK, PERIODS };

// Period lengths: the work runs when more than this has passed (the slow-down
// also at exactly its length).
constexpr uint32_t PERIOD_LENGTH[PERIODS] = {34, 99, 999, 19999, 24, 1, 49, 199};
constexpr uint32_t KEYS_ARM_DELAY = 120;
constexpr int ANIMATION_FRAMES = 10, BONUS_FRAMES = 7;
constexpr int PULSE_STEP = 5, PULSE_MAX = 255;
constexpr int AUTOPILOT_TIMER = 23;

uint32_t s_nLastRun[PERIODS] = {};
int s_nPulseStep = PULSE_STEP;

// True (and the period restarted) when the period is due.
bool Due(Period ePeriod, uint32_t nNow)
{
    if (nNow - s_nLastRun[ePeriod] <= PERIOD_LENGTH[ePeriod])
        return false;
    s_nLastRun[ePeriod] = nNow;
    return true;
}

void CountDown(int32_t& nSeconds)
{
    if (nSeconds > 0)
        nSeconds--;
}

void AdvanceAnimations()
{
    g_nBallFrame = (g_nBallFrame + 1) % ANIMATION_FRAMES;
    g_nPaddleFrame = (g_nPaddleFrame + 1) % ANIMATION_FRAMES;
    g_nShotFrame = (g_nShotFrame + 1) % ANIMATION_FRAMES;
}

void CountDownBonusTimers()
{
    for (int nPlayer = 1; nPlayer <= GAME_PLAYERS; ++nPlayer) {
        Paddle& P = PlayerPaddle(nPlayer);
        for (int n = 0; n < GAME_BONUS_TIMERS; ++n)
            // The computer's own steering never runs out.
            if (!(n == AUTOPILOT_TIMER && GameIsComputerPlayer(nPlayer)))
                CountDown(P.nBonusTimers[n]);
    }
}

void OneSecondTick()
{
    for (Ball& B : g_Balls)
        CountDown(B.nHoldSeconds);
    CountDownBonusTimers();
    if (g_nTeleporterCooldown > 0)
        g_nTeleporterCooldown--;
    for (Gun& G : g_Guns)
        CountDown(G.nCooldown);
    if (g_bFewBricksLeft)
        CountDown(g_nFieldClearCountdown);
    if (g_bFieldShake) {
        CountDown(g_nFieldShakeSeconds);
        g_bFieldShake = g_nFieldShakeSeconds > 0;
    }
}

void MovePulse()
{
    if (g_nPulse + s_nPulseStep > PULSE_MAX || g_nPulse + s_nPulseStep < 0)
        s_nPulseStep = -s_nPulseStep;
    g_nPulse += s_nPulseStep;
}

void ArmKeys(uint32_t nNow)
{
    if (!g_bKeysArmed && nNow - g_nKeysHandledAt >= KEYS_ARM_DELAY)
        g_bKeysArmed = true;
}

}  // namespace

void GamePlayClock()
{
    const uint32_t nNow = Korvid.Timer();
    ArmKeys(nNow);
    // The name entry halts play but still blinks its cursor.
    if (g_nScoreEntry == GAME_SCORE_ENTRY_NAME && Due(BLINK, nNow))
        g_bBlink = !g_bBlink;
    if (g_bHalted)
        return;
    if (Due(ANIMATION, nNow))
        AdvanceAnimations();
    if (Due(SLOW_ANIMATION, nNow)) {
        g_nBonusFrame = (g_nBonusFrame + 1) % BONUS_FRAMES;
        GameAnimateTitle();
        GameAnimateEnemies();
        if (g_bBossStage)
            GameBossAnimationTick();
    }
    if (Due(SECOND, nNow)) {
        OneSecondTick();
        GameComputerServeTick();
        if (g_bBossStage)
            GameBossSecondTick();
    }
    if (Due(SLOW_DOWN, nNow)) {
        GameSlowDownBalls();
        if (!g_bInGame)
            GameRestartTitleAnimation();
        if (g_bInGame && !g_bBossStage)
            GameSendEnemy();
    }
    if (Due(BRICK_STEP, nNow))
        g_bAnimationGate = true;
    // The balls of the level before a boss stage wait through it.
    if (Due(BALL_STEP, nNow) && g_bInGame && !g_bBossStage)
        GameMoveBalls();
    if (Due(PULSE, nNow))
        MovePulse();
}

void GameRestartPlayClock()
{
    const uint32_t nNow = Korvid.Timer();
    for (uint32_t& nLast : s_nLastRun)
        nLast = nNow;
}
