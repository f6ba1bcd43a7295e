// Falling bonuses and their effects. A bonus's type is the code of the brick
// that released it; the table below says what catching it does, what it is worth,
// whether the protection bonus absorbs it and whether the computer gets it too.
#include "Bonuses.h"

#include <algorithm>
#include <cstdlib>

#include "Balls.h"
#include "Bricks.h"
#include "Enemies.h"
#include "Field.h"
#include "Flow.h"
#include "GameState.h"
#include "LevelFormat.h"
#include "Paddles.h"
#include "PlayClock.h"
#include "Resources.h"
#include "Sounds.h"
#include "Weather.h"
#include "korvid.h"
#include "sheets.h"

FallingBonus g_Bonuses[GAME_BONUS_SLOTS] = {};

namespace {

constexpr int16_t FALL_STEP = 2, GONE_Y = 500;   // a bonus this low has fallen past the paddles
constexpr int16_t CATCH_REACH_LEFT = 9, CATCH_BELOW = 20, CATCH_DEPTH = 30;
constexpr int RANDOM_BONUS = 37, RANDOM_FIRST = 20, RANDOM_LAST = 37;
constexpr uint8_t MAX_SIZE_CLASS = PADDLE_SIZE_CLASSES - 1, MAX_LASER = 5;
constexpr int32_t AUTOPILOT_SECONDS = 20, PIERCING_SECONDS = 40, SHAKE_SECONDS = 2;
constexpr int16_t FAST_LIMIT = 8;   // speed bonuses change velocities of 1..8 only

// Bonus timers by code.
enum Timer : int {
    TIMER_AUTOPILOT = 23, TIMER_PIERCING = 28, TIMER_FROZEN = 31, TIMER_MIRRORED = 32,
    TIMER_SHAKE = 33, TIMER_PASSING = 34, TIMER_INVISIBLE = 61, TIMER_INVISIBLE_BRICKS = 62
};

// Seconds of the timed bad bonuses on difficulties 0, 1 and 2.
constexpr int32_t FROZEN_SECONDS[3] = {1, 2, 3}, MIRRORED_SECONDS[3] = {10, 20, 30};
constexpr int32_t PASSING_SECONDS[3] = {30, 40, 50};
constexpr int32_t INVISIBLE_SECONDS[3] = {3, 5, 8}, INVISIBLE_BRICKS_SECONDS[3] = {3, 5, 10};

// Paddle looks: (sheet, row).
struct Look {
    uint8_t nSheet;
    int16_t nRow;
};
constexpr Look PLAIN = {0, 0}, AUTOPILOT_LOOK = {2, 300}, FREE_VERTICAL_LOOK = {1, 0}, STICKY_LOOK = {0, 300},
               LASER_LOOK = {1, 300}, FROZEN_LOOK = {2, 0}, SHIELD_LOOK = {3, 300}, PROTECTION_LOOK = {3, 0};

void SetLook(Paddle& P, Look L)
{
    P.nSheet = L.nSheet;
    P.nLookRow = L.nRow;
}

// The paddle's modes exclude each other: taking one ends the others and the laser.
void TakeMode(Paddle& P, bool Paddle::*pMode, Look L)
{
    P.bSticky = P.bAutopilot = P.bFrozen = P.bShield = P.bProtection = P.bFreeVertical = false;
    P.nLaserLevel = 0;
    if (pMode)
        P.*pMode = true;
    SetLook(P, L);
}

// ---- Ball looks --------------------------------------------------------------------
void SetEveryBallSpecial(BallSpecial eSpecial)
{
    for (Ball& B : g_Balls) {
        if (!B.bActive)
            continue;
        GameSetBallRows(B, GameBallKind(B), eSpecial);
        B.nSpecial = eSpecial;
    }
}

void ResizeEveryBall(int nStep)
{
    for (Ball& B : g_Balls) {
        if (!B.bActive)
            continue;
        constexpr BallKind BY_SIZE[] = {BALL_KIND_SMALL, BALL_KIND_NORMAL, BALL_KIND_BIG};
        const int nAt = (int)(std::find(std::begin(BY_SIZE), std::end(BY_SIZE), GameBallKind(B)) - BY_SIZE);
        GameSetBallRows(B, BY_SIZE[std::clamp(nAt + nStep, 0, 2)], GameBallLook(B));
    }
}

int16_t ChangeSpeed(int16_t v, int nStep)
{
    if (std::abs(v) < 1 || std::abs(v) > FAST_LIMIT)
        return v;
    return (int16_t)(v + (v > 0 ? nStep : -nStep));
}

void ChangeEveryBallSpeed(int nStep)
{
    for (Ball& B : g_Balls) {
        B.dx = ChangeSpeed(B.dx, nStep);
        B.dy = ChangeSpeed(B.dy, nStep);
    }
}

// Piercing and passing balls cannot be seen through snow or fog.
bool ClearSkies() { return g_nWeather == WEATHER_NONE || g_nWeather == WEATHER_BANKS_DRIFT; }

void StartWeather(int nWeather)
{
    if (!g_bTwoPlayers && g_nWetter == 1)
        g_nWeather = nWeather;
}

void EndWeather(int nWeather)
{
    if (g_nWeather != nWeather)
        return;
    if (nWeather == WEATHER_FOG)
        Korvid.DebugLog("FOG2");
    g_nWeather = WEATHER_NONE;
}

// A level change from a bonus that cannot load its level ends the game.
void ChangeLevel(GameMode eMode)
{
    if (!GameChangeMode(eMode))
        g_bGameRunning = false;
}

// ---- The effects -------------------------------------------------------------------
using Effect = void (*)(int nPlayer, Paddle& P);

struct BonusRule {
    int nCode;
    int32_t nPoints;
    bool bProtected;      // the protection bonus absorbs it
    bool bForComputer;    // the computer player gets it too
    Effect Apply;
};

const BonusRule RULES[] = {
    {20, 1, false, false, [](int, Paddle& P) { GameSetPaddleSize(P, std::min<int>(P.nSizeClass + 1, MAX_SIZE_CLASS)); }},
    {21, 2, false, false, [](int, Paddle& P) { GameSetPaddleSize(P, std::max(P.nSizeClass - 1, 0)); }},
    {22, 5, false, true, [](int nPlayer, Paddle&) { GameAddBall(nPlayer); }},
    {23, 2, false, false,
     [](int, Paddle& P) {
         TakeMode(P, &Paddle::bAutopilot, AUTOPILOT_LOOK);
         P.nBonusTimers[TIMER_AUTOPILOT] = AUTOPILOT_SECONDS;
     }},
    {24, 2, false, false, [](int, Paddle& P) { TakeMode(P, &Paddle::bFreeVertical, FREE_VERTICAL_LOOK); }},
    {25, 2, false, false, [](int, Paddle& P) { P.nMultiplier = 2; }},
    {26, 4, false, false, [](int, Paddle& P) { P.nMultiplier = 4; }},
    {27, 5, false, false, [](int, Paddle& P) { TakeMode(P, &Paddle::bSticky, STICKY_LOOK); }},
    {28, 1, false, true,
     [](int, Paddle& P) {
         if (!ClearSkies())
             return;
         P.nBonusTimers[TIMER_PIERCING] = PIERCING_SECONDS;
         SetEveryBallSpecial(BALL_PIERCING);
     }},
    {29, 2, false, false,
     [](int, Paddle& P) {
         const uint8_t nLevel = P.nLaserLevel;
         TakeMode(P, nullptr, LASER_LOOK);
         P.nLaserLevel = (uint8_t)std::min<int>(nLevel + 1, MAX_LASER);
     }},
    {30, 10, false, false, [](int nPlayer, Paddle&) { GameAddLife(nPlayer); }},
    {31, 0, true, false,
     [](int, Paddle& P) {
         const bool bShield = P.bShield;
         TakeMode(P, &Paddle::bFrozen, FROZEN_LOOK);
         P.bShield = bShield;
         P.nBonusTimers[TIMER_FROZEN] = FROZEN_SECONDS[GameDifficulty()];
     }},
    {32, 1, true, false,
     [](int, Paddle& P) {
         P.bMirrored = true;
         P.nBonusTimers[TIMER_MIRRORED] = MIRRORED_SECONDS[GameDifficulty()];
     }},
    {33, 2, false, true,
     [](int, Paddle& P) {
         GameDestroyAllEnemies();
         // The field's own shake runs the seconds, so a shake already running
         // (the auto-clear's) is not cut short.
         P.nBonusTimers[TIMER_SHAKE] = SHAKE_SECONDS;
         g_bFieldShake = true;
         g_nFieldShakeSeconds = std::max(g_nFieldShakeSeconds, SHAKE_SECONDS);
     }},
    {34, 0, true, true,
     [](int, Paddle& P) {
         if (!ClearSkies())
             return;
         P.nBonusTimers[TIMER_PASSING] = PASSING_SECONDS[GameDifficulty()];
         SetEveryBallSpecial(BALL_PASSING);
     }},
    {35, 2, false, false, [](int, Paddle&) { ChangeEveryBallSpeed(1); }},
    {36, 1, false, false, [](int, Paddle&) { ChangeEveryBallSpeed(-1); }},
    {38, 10, false, true, [](int, Paddle&) { ChangeLevel(GAME_MODE_LEVEL_GESCHAFFT); }},
    {39, 0, true, false, [](int nPlayer, Paddle&) { LoseBall(nPlayer); }},
    {60, 1, true, false, [](int, Paddle&) { ChangeLevel(GAME_MODE_LEVEL_ZURUECK); }},
    {61, 15, true, false,
     [](int, Paddle& P) {
         P.bInvisible = true;
         P.bInvisibleBricks = false;
         P.nBonusTimers[TIMER_INVISIBLE] = INVISIBLE_SECONDS[GameDifficulty()];
     }},
    {62, 10, true, false,
     [](int, Paddle& P) {
         P.bInvisibleBricks = true;
         P.bInvisible = false;
         P.nBonusTimers[TIMER_INVISIBLE_BRICKS] = INVISIBLE_BRICKS_SECONDS[GameDifficulty()];
     }},
    {63, 0, true, false, [](int, Paddle&) { ResizeEveryBall(-1); }},
    {64, 0, false, false, [](int, Paddle&) { ResizeEveryBall(1); }},
    {65, 10, false, false, [](int, Paddle&) { g_bEnemyCatchLock = 1; }},
    {66, 2, false, false, [](int, Paddle& P) { TakeMode(P, &Paddle::bShield, SHIELD_LOOK); }},
    {67, 1, false, false, [](int, Paddle& P) { TakeMode(P, &Paddle::bProtection, PROTECTION_LOOK); }},
    {68, 6, false, false,
     [](int, Paddle& P) {
         if (g_bTwoPlayers)
             return;
         g_bSecondPaddle = true;
         g_nSecondPaddleX = P.x;
         g_nSecondPaddleY = P.y;
     }},
    {69, 6, false, false, [](int, Paddle&) { StartWeather(WEATHER_FOG); }},
    {70, 6, false, false, [](int, Paddle&) { StartWeather(WEATHER_SNOW); }},
    {71, 6, false, false, [](int, Paddle&) { StartWeather(WEATHER_BANKS_DRIFT); }},
    {72, 6, false, false, [](int, Paddle&) { EndWeather(WEATHER_FOG); }},
    {73, 6, false, false, [](int, Paddle&) { EndWeather(WEATHER_SNOW); }},
    {74, 6, false, false, [](int, Paddle&) { EndWeather(WEATHER_BANKS_DRIFT); }},
};

const BonusRule* RuleOf(int nCode)
{
    for (const BonusRule& Rule : RULES)
        if (Rule.nCode == nCode)
            return &Rule;
    return nullptr;
}

int SoundVariantOf(int nCode) { return nCode >= 60 ? nCode - 39 : nCode - 19; }

// ---- Catching and expiry -----------------------------------------------------------
bool CaughtBy(const FallingBonus& Bonus, const Paddle& P)
{
    return Bonus.x > P.x - CATCH_REACH_LEFT && Bonus.x < P.x + P.Width() && Bonus.y + CATCH_BELOW > P.y &&
           Bonus.y < P.y + CATCH_DEPTH;
}

// The player whose paddle catches the bonus, or 0.
int CatchingPlayer(const FallingBonus& Bonus)
{
    if (CaughtBy(Bonus, g_Paddles[0]))
        return 1;
    if (g_bTwoPlayers && CaughtBy(Bonus, g_Paddles[1]))
        return 2;
    return 0;
}

void ExpireAutopilot(Paddle& P)
{
    if (!P.bAutopilot)
        return;
    switch (P.nBonusTimers[TIMER_AUTOPILOT]) {
    case 4:
    case 2: SetLook(P, PLAIN); break;
    case 3:
    case 1: SetLook(P, AUTOPILOT_LOOK); break;
    case 0:
        P.bAutopilot = false;
        SetLook(P, PLAIN);
        break;
    default: break;
    }
}

void ExpireBonuses(int nPlayer)
{
    Paddle& P = PlayerPaddle(nPlayer);
    ExpireAutopilot(P);
    if (P.bFrozen && P.nBonusTimers[TIMER_FROZEN] == 0) {
        P.bFrozen = P.bSticky = P.bAutopilot = false;
        SetLook(P, PLAIN);
    }
    if (P.nBonusTimers[TIMER_INVISIBLE] == 0)
        P.bInvisible = false;
    if (P.nBonusTimers[TIMER_INVISIBLE_BRICKS] == 0)
        P.bInvisibleBricks = false;
    if (P.nBonusTimers[TIMER_MIRRORED] == 0)
        P.bMirrored = false;
    // The mirrored steering sets its own height: sent back down here, the paddle
    // would be drawn at one height and meet the balls at another.
    if (!P.bFreeVertical && !P.bMirrored && P.y != PADDLE_REST_Y)
        P.y = PADDLE_REST_Y;
}

void DrawBonus(const FallingBonus& Bonus)
{
    const SheetRect Source = Sheets::Bonus(Bonus.nType, g_nBonusFrame);
    Korvid.BlitArea(GAME_CHUNKY_BONI, Source.x, Source.y, Source.w, Source.h, Bonus.x, Bonus.y, KOR_BLIT_ALPHA, 0,
                    KOR_ALPHA_FULL);
}

}  // namespace

void GameClearBonuses()
{
    for (FallingBonus& Bonus : g_Bonuses)
        Bonus = FallingBonus{};
}

void GameSpawnBonus(int nCode, int x, int y)
{
    if (LevelCellKindOf(nCode) != LevelCellKind::BonusBrick)
        return;
    for (FallingBonus& Bonus : g_Bonuses) {
        if (Bonus.bActive)
            continue;
        Bonus.bActive = 1;
        Bonus.nType = (uint8_t)nCode;
        Bonus.x = (int16_t)x;
        Bonus.y = (int16_t)y;
        return;
    }
}

void GameMoveBonuses()
{
    for (int n = 0; n < GAME_BONUS_SLOTS; ++n) {
        FallingBonus& Bonus = g_Bonuses[n];
        if (!Bonus.bActive)
            continue;
        DrawBonus(Bonus);
        // A paused game neither moves nor hands out its bonuses.
        if (g_bHalted)
            continue;
        Bonus.y = (int16_t)(Bonus.y + FALL_STEP);
        // A bonus is gone once it passes y 500, but it still meets the paddles
        // in that step: a paddle at rest (y 519) only ever catches it there.
        if (Bonus.y >= GONE_Y)
            Bonus.bActive = 0;
        if (const int nPlayer = CatchingPlayer(Bonus)) {
            Bonus.bActive = 0;
            GameCatchBonus(n, nPlayer);
        }
    }
    ExpireBonuses(1);
    if (g_bTwoPlayers)
        ExpireBonuses(2);
}

void GameCatchBonus(int nSlot, int nPlayer)
{
    if (nSlot < 0 || nSlot >= GAME_BONUS_SLOTS || nPlayer < 1 || nPlayer > GAME_PLAYERS)
        return;
    int nCode = g_Bonuses[nSlot].nType;
    if (nPlayer == 1) {
        g_Tally.nBonusesCaught++;
        Korvid.DebugLog("BonusGefangen: %d  BonType: %d   CPU: %d   Wetter1: %d", nSlot, nCode,
                        (int)g_nComputerPlayer, (int)g_nWetter);
    }
    GamePlaySound(GAME_BONUS_SOUND_KIND, SoundVariantOf(nCode));
    const bool bComputer = GameIsComputerPlayer(nPlayer);
    if (nCode == RANDOM_BONUS && !bComputer)
        nCode = Korvid.RandomRange(RANDOM_FIRST, RANDOM_LAST);
    // Drawn again, the random bonus is worth its own points and nothing more.
    if (nCode == RANDOM_BONUS) {
        if (!bComputer)
            GameAddScore(2, nPlayer);
        return;
    }
    const BonusRule* pRule = RuleOf(nCode);
    if (!pRule || (bComputer && !pRule->bForComputer))
        return;
    Paddle& P = PlayerPaddle(nPlayer);
    GameAddScore(pRule->nPoints, nPlayer);
    if (pRule->bProtected && P.bProtection) {
        P.bProtection = false;
        SetLook(P, PLAIN);
        return;
    }
    pRule->Apply(nPlayer, P);
}
