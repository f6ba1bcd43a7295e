// The boss stage. The ship on the left fires right at the boss, whose head, jaw
// and three guns fire back in cycles. Hits on the armour wear the boss down to a
// quarter of his energy; then the open jaw is where his five lives are taken;
// then the armour again until his energy is gone.
#include "BossStage.h"

#include <algorithm>

#include "Flow.h"
#include "GameState.h"
#include "PlayClock.h"
#include "Resources.h"
#include "Sounds.h"
#include "Weather.h"
#include "korvid.h"
#include "sheets.h"

BossStage g_Boss = {};

namespace {

constexpr int32_t START_ENERGY = 100, START_LIVES = 5, ENERGY_PER_SEGMENT = 5, BAR_SEGMENTS = 20;
constexpr int32_t JAW_START_Y = 212;
constexpr int16_t SHOT_SPEED = 4, SHOT_HEIGHT = 20;
constexpr int16_t SHIP_SHOT_X = 90, SHIP_SHOT_BELOW_SHIP = 40, SHIP_SHOT_GONE_X = 800;
constexpr int16_t BOSS_SHOT_GONE_BELOW_X = -49;
constexpr int32_t SHIP_COOLDOWN = 2;
// The ship's gun cools twice as fast as a paddle's: a new shot after one second.
constexpr int32_t SHIP_COOLING_PER_SECOND = 2;
constexpr int32_t SOURCE_COOLDOWN = 1;
constexpr int ATTACK_STEPS = 4, ATTACK_PHASES = 4;
constexpr int GUN_COUNT = BOSS_SOURCES - BOSS_SOURCE_GUN1;
constexpr int32_t SOURCE_REST_SECONDS[BOSS_SOURCES] = {2, 1, 3, 2, 1};
constexpr int BIG_EXPLOSION_FRAMES = 9, SMALL_EXPLOSION_FRAMES = 3;

// Energy rules: the armour takes hits down to WORN_DOWN while the boss has lives;
// the jaw only hurts below JAW_HURTS_BELOW; a ship below SHIP_WEAK_BELOW loses a life a hit.
constexpr int32_t HIT = 5, HARD_HIT = 10;
constexpr int32_t WORN_DOWN = 25, JAW_HURTS_BELOW = 30, SHIP_WEAK_BELOW = 26;

constexpr int SOUND_SHOT = 16, SOUND_EXPLOSION = 1;
constexpr int VARIANT_SHIP_SHOT = 1, VARIANT_HEAD_SHOT = 2, VARIANT_JAW_SHOT = 3;
constexpr int VARIANT_ARMOUR_HIT = 2, VARIANT_JAW_HIT = 3, VARIANT_SHIP_HIT = 5;

// Where the sources fire from: the head by its phase, the jaw below its top
// with a random slant, the guns from their muzzles.
constexpr int16_t HEAD_SHOT_X[ATTACK_PHASES] = {520, 525, 530, 535}, HEAD_SHOT_Y[ATTACK_PHASES] = {75, 95, 110, 120};
constexpr int16_t JAW_SHOT_X = 610, JAW_SHOT_BELOW_JAW = 35, JAW_SHOT_SLANT = 2;
struct Muzzle {
    int16_t x, y, nStepY;
    int nVariant;
};
constexpr Muzzle GUN_MUZZLES[GUN_COUNT] = {{550, 400, -2, 4}, {530, 430, -1, 5}, {530, 465, 0, 4}};

// Hit zones: a shot's x within left..right, its 20 rows overlapping top..bottom.
struct Zone {
    int16_t nLeft, nRight, nTop, nBottom;
};
constexpr Zone HEAD_ZONE = {586, 657, 65, 132}, LOWER_ZONE = {679, 724, 451, 490};
constexpr int16_t JAW_ZONE_LEFT = 665, JAW_ZONE_RIGHT = 718, JAW_ZONE_TOP = 50, JAW_ZONE_BOTTOM = 70;
constexpr int16_t SHIP_ZONE_LEFT = 11, SHIP_ZONE_RIGHT = 44, SHIP_ZONE_HEIGHT = 65;

constexpr int16_t LIFE_MARKERS_GAP = 6, LIFE_MARKER_STEP = Sheets::LIFE_MARKER.w + 2;

bool InZone(const BossShot& S, const Zone& Z)
{
    return S.x >= Z.nLeft && S.x <= Z.nRight && S.y + SHOT_HEIGHT > Z.nTop && S.y < Z.nBottom;
}

Zone JawZone()
{
    return {JAW_ZONE_LEFT, JAW_ZONE_RIGHT, (int16_t)(g_Boss.nJawY + JAW_ZONE_TOP),
            (int16_t)(g_Boss.nJawY + JAW_ZONE_BOTTOM)};
}

Zone ShipZone()
{
    return {SHIP_ZONE_LEFT, SHIP_ZONE_RIGHT, (int16_t)g_Boss.nShipY, (int16_t)(g_Boss.nShipY + SHIP_ZONE_HEIGHT)};
}

// The jaw's attack runs, mouth open, while the jaw is not resting.
bool JawOpen() { return g_Boss.Sources[BOSS_SOURCE_JAW].nBusy == 0; }

void CountDown(int32_t& nSeconds)
{
    if (nSeconds > 0)
        nSeconds--;
}

// The first free slot takes the shot; false when all are flying.
bool AddShot(BossShot (&Slots)[BOSS_SHOTS], int16_t x, int16_t y, int16_t nStepY, uint8_t nKind)
{
    for (BossShot& S : Slots) {
        if (S.bActive)
            continue;
        S = {1, x, y, nStepY, nKind};
        return true;
    }
    return false;
}

// A hit that takes a life shows the big explosion, any other the small one.
void Explode(int16_t x, int16_t y, bool bBig, int nVariant)
{
    GamePlaySound(SOUND_EXPLOSION, nVariant);
    for (BossExplosion& E : g_Boss.Explosions) {
        if (E.bActive)
            continue;
        E = {1, bBig, x, y, 0};
        return;
    }
}

void MoveJaw()
{
    g_Boss.nJawY += g_Boss.nJawDirection;
    if (g_Boss.nJawY <= BOSS_JAW_TOP_Y)
        g_Boss.nJawDirection = 1;
    else if (g_Boss.nJawY >= BOSS_JAW_BOTTOM_Y)
        g_Boss.nJawDirection = -1;
}

void FireShip()
{
    if (g_Boss.nShipCooldown != 0 ||
        !AddShot(g_Boss.PlayerShots, SHIP_SHOT_X, (int16_t)(g_Boss.nShipY + SHIP_SHOT_BELOW_SHIP), 0, BOSS_SHOT_SHIP))
        return;
    GamePlaySound(SOUND_SHOT, VARIANT_SHIP_SHOT);
    g_Boss.nShipCooldown = SHIP_COOLDOWN;
}

void FireSource(int nSource)
{
    const BossAttack& A = g_Boss.Sources[nSource];
    bool bFired = false;
    int nVariant = VARIANT_HEAD_SHOT;
    if (nSource == BOSS_SOURCE_HEAD) {
        bFired = AddShot(g_Boss.BossShots, HEAD_SHOT_X[A.nPhase], HEAD_SHOT_Y[A.nPhase], (int16_t)A.nPhase,
                         BOSS_SHOT_HEAD);
    } else if (nSource == BOSS_SOURCE_JAW) {
        nVariant = VARIANT_JAW_SHOT;
        bFired = AddShot(g_Boss.BossShots, JAW_SHOT_X, (int16_t)(g_Boss.nJawY + JAW_SHOT_BELOW_JAW),
                         (int16_t)Korvid.RandomRange(-JAW_SHOT_SLANT, JAW_SHOT_SLANT), BOSS_SHOT_JAW);
    } else {
        const Muzzle& M = GUN_MUZZLES[nSource - BOSS_SOURCE_GUN1];
        nVariant = M.nVariant;
        bFired = AddShot(g_Boss.BossShots, M.x, M.y, M.nStepY, BOSS_SHOT_GUN);
    }
    if (bFired)
        GamePlaySound(SOUND_SHOT, nVariant);
}

void FireSources()
{
    for (int n = 0; n < BOSS_SOURCES; ++n) {
        BossAttack& A = g_Boss.Sources[n];
        if (A.nCooldown != 0 || A.nBusy != 0)
            continue;
        FireSource(n);
        A.nCooldown = SOURCE_COOLDOWN;
    }
}

// The ship's shots explode at their tip.
void ExplodeAtTip(const BossShot& S, bool bBig, int nVariant)
{
    Explode((int16_t)(S.x + Sheets::BOSS_PLAYER_SHOT.w), (int16_t)(S.y + SHOT_HEIGHT / 2), bBig, nVariant);
}

void WinStage()
{
    g_Tally.nBossStagesWon++;
    if (!GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT))
        g_bGameRunning = false;
}

// The armour gives way while the boss is strong, and again once his lives are
// gone. The hit that empties his energy then wins at once: the bar shows nothing
// left, and a player expects no further hit to be needed.
bool HitArmour(const BossShot& S)
{
    const bool bLivesGone = g_Boss.nBossLives < 1;
    if (g_Boss.nBossEnergy > WORN_DOWN || (bLivesGone && g_Boss.nBossEnergy > 0))
        g_Boss.nBossEnergy -= HIT;
    ExplodeAtTip(S, false, VARIANT_ARMOUR_HIT);
    if (!bLivesGone || g_Boss.nBossEnergy > 0)
        return false;
    WinStage();
    return true;
}

void HitJaw(const BossShot& S)
{
    const bool bTakesLife = g_Boss.nBossEnergy < JAW_HURTS_BELOW && g_Boss.nBossLives > 0;
    if (bTakesLife)
        g_Boss.nBossLives--;
    ExplodeAtTip(S, bTakesLife, VARIANT_JAW_HIT);
}

// Moves the ship's shots into the boss; true when the stage was won.
bool MoveShipShots()
{
    for (BossShot& S : g_Boss.PlayerShots) {
        if (!S.bActive)
            continue;
        S.x = (int16_t)(S.x + SHOT_SPEED);
        if (S.x >= SHIP_SHOT_GONE_X) {
            S.bActive = 0;
        } else if (InZone(S, HEAD_ZONE) || InZone(S, LOWER_ZONE)) {
            S.bActive = 0;
            if (HitArmour(S))
                return true;
        } else if (JawOpen() && InZone(S, JawZone())) {
            S.bActive = 0;
            HitJaw(S);
        }
    }
    return false;
}

void LoseStage()
{
    g_nLives[0] = 0;
    GameOver();
}

// A weak ship loses a life with each hit; a strong one only energy, less from the jaw.
bool HitShip(const BossShot& S)
{
    const bool bWeak = g_Boss.nPlayerEnergy < SHIP_WEAK_BELOW;
    g_Boss.nPlayerEnergy -= bWeak || S.nKind == BOSS_SHOT_JAW ? HIT : HARD_HIT;
    if (bWeak)
        g_Boss.nPlayerLives--;
    Explode(S.x, (int16_t)(S.y + SHOT_HEIGHT / 2), bWeak, VARIANT_SHIP_HIT);
    if (g_Boss.nPlayerEnergy >= 1 || g_Boss.nPlayerLives >= 1)
        return false;
    LoseStage();
    return true;
}

// Moves the boss's shots into the ship; true when the stage was lost.
bool MoveBossShots()
{
    for (BossShot& S : g_Boss.BossShots) {
        if (!S.bActive)
            continue;
        S.x = (int16_t)(S.x - SHOT_SPEED);
        S.y = (int16_t)(S.y + S.nStepY);
        if (S.x < BOSS_SHOT_GONE_BELOW_X) {
            S.bActive = 0;
        } else if (InZone(S, ShipZone())) {
            S.bActive = 0;
            if (HitShip(S))
                return true;
        }
    }
    return false;
}

void DrawFrom(uint32_t nChunky, const SheetRect& Source, int32_t x, int32_t y)
{
    Korvid.BlitArea(nChunky, Source.x, Source.y, Source.w, Source.h, x, y, KOR_BLIT_ALPHA, 0, KOR_ALPHA_FULL);
}

void DrawBoss()
{
    DrawFrom(GAME_CHUNKY_BIG_ENEMY, {0, 0, Sheets::BIG_ENEMY.nWidth, Sheets::BIG_ENEMY.nHeight}, 0, 0);
    const BossAttack& Head = g_Boss.Sources[BOSS_SOURCE_HEAD];
    DrawFrom(GAME_CHUNKY_BIG_ENEMY01, Sheets::BossHead(Head.nPhase, Head.nStep), Sheets::BOSS_HEAD_X,
             Sheets::BOSS_HEAD_Y);
    DrawFrom(GAME_CHUNKY_BIG_ENEMY01, Sheets::BOSS_JAW, Sheets::BOSS_JAW_X, g_Boss.nJawY);
    for (int n = 0; n < GUN_COUNT; ++n)
        DrawFrom(GAME_CHUNKY_BIG_ENEMY01, Sheets::BOSS_GUNS[n], Sheets::BOSS_GUN_X[n], Sheets::BOSS_GUN_Y[n]);
}

void DrawShots(const BossShot (&Slots)[BOSS_SHOTS])
{
    for (const BossShot& S : Slots)
        if (S.bActive)
            DrawFrom(GAME_CHUNKY_BIG_ENEMY01,
                     S.nKind == BOSS_SHOT_SHIP ? Sheets::BOSS_PLAYER_SHOT : Sheets::BossShot(S.nKind), S.x, S.y);
}

void DrawExplosions()
{
    for (const BossExplosion& E : g_Boss.Explosions) {
        if (!E.bActive)
            continue;
        const SheetRect Source = E.bBig ? Sheets::BigExplosion(E.nFrame) : Sheets::SmallExplosion(E.nFrame);
        DrawFrom(GAME_CHUNKY_BIG_ENEMY01, Source, E.x - Source.w / 2, E.y - Source.h / 2);
    }
}

// Twenty segments, one per 5 energy, then a marker for each life left.
void DrawBar(int16_t x, int32_t nEnergy, int32_t nLives, const SheetRect& Filled)
{
    const int32_t nFilled = Korvid.Clamp(nEnergy / ENERGY_PER_SEGMENT, 0, BAR_SEGMENTS);
    for (int n = 0; n < BAR_SEGMENTS; ++n)
        DrawFrom(GAME_CHUNKY_INTERFACE, n < nFilled ? Filled : Sheets::ENERGY_EMPTY, x + n * Sheets::ENERGY_STEP,
                 Sheets::ENERGY_Y);
    const int32_t nMarkers = Korvid.Clamp(nLives, 0, START_LIVES);
    const int32_t nMarkersX = x + BAR_SEGMENTS * Sheets::ENERGY_STEP + LIFE_MARKERS_GAP;
    for (int n = 0; n < nMarkers; ++n)
        DrawFrom(GAME_CHUNKY_INTERFACE, Sheets::LIFE_MARKER, nMarkersX + n * LIFE_MARKER_STEP,
                 Sheets::ENERGY_Y);
}

}  // namespace

void GameClearBossStage()
{
    for (BossShot& S : g_Boss.PlayerShots)
        S.bActive = 0;
    for (BossShot& S : g_Boss.BossShots)
        S.bActive = 0;
    for (BossExplosion& E : g_Boss.Explosions)
        E.bActive = 0;
}

void GameStartBossStage()
{
    g_Tally.nBossStagesReached++;
    g_Boss.nPlayerEnergy = g_Boss.nBossEnergy = START_ENERGY;
    g_Boss.nPlayerLives = g_Boss.nBossLives = START_LIVES;
    g_Boss.nJawY = JAW_START_Y;
    g_Boss.nJawDirection = -1;
    g_Boss.nShipCooldown = 0;
    for (BossAttack& A : g_Boss.Sources)
        A = {};
    GameClearBossStage();
}

void GameDrawBossStage()
{
    Korvid.Blit(GAME_CHUNKY_SPACEBACK, 0, 0, KOR_BLIT_NOCOOKIE, 0, 0);
    GameDrawStarField();
    DrawBoss();
    DrawShots(g_Boss.PlayerShots);
    DrawShots(g_Boss.BossShots);
    DrawExplosions();
    DrawFrom(GAME_CHUNKY_KUGEL, Sheets::Ship(g_nPaddleFrame), BOSS_SHIP_X, g_Boss.nShipY);
    DrawBar(Sheets::ENERGY_PLAYER_X, g_Boss.nPlayerEnergy, g_Boss.nPlayerLives, Sheets::ENERGY_PLAYER);
    DrawBar(Sheets::ENERGY_BOSS_X, g_Boss.nBossEnergy, g_Boss.nBossLives, Sheets::ENERGY_BOSS);
}

void GamePlayBossStage()
{
    g_Boss.nShipY = Korvid.Clamp(g_nPointerY, BOSS_SHIP_TOP_Y, BOSS_SHIP_BOTTOM_Y);
    if (g_bHalted)
        return;
    MoveJaw();
    if (g_bRightClick)
        FireShip();
    FireSources();
    if (!MoveBossShots())
        MoveShipShots();
}

void GameBossAnimationTick()
{
    for (int n = 0; n < BOSS_SOURCES; ++n) {
        BossAttack& A = g_Boss.Sources[n];
        if (A.nBusy != 0)
            continue;
        if (++A.nStep < ATTACK_STEPS)
            continue;
        A.nStep = 0;
        A.nPhase = (A.nPhase + 1) % ATTACK_PHASES;
        A.nBusy = SOURCE_REST_SECONDS[n];
    }
    for (BossExplosion& E : g_Boss.Explosions)
        if (E.bActive && ++E.nFrame >= (E.bBig ? BIG_EXPLOSION_FRAMES : SMALL_EXPLOSION_FRAMES))
            E.bActive = 0;
}

void GameBossSecondTick()
{
    for (BossAttack& A : g_Boss.Sources) {
        CountDown(A.nCooldown);
        CountDown(A.nBusy);
    }
    g_Boss.nShipCooldown = std::max(0, g_Boss.nShipCooldown - SHIP_COOLING_PER_SECOND);
}
