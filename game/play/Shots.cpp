// Laser shots: fired in turn from a paddle's left and right gun, drawn from the
// tile sheet, flying up 2 pixels a frame and losing a power level per brick.
#include "Shots.h"

#include "Bricks.h"
#include "Balls.h"
#include "Enemies.h"
#include "GameState.h"
#include "Levels.h"
#include "Paddles.h"
#include "PlayClock.h"
#include "Sounds.h"
#include "korvid.h"
#include "sheets.h"

Shot g_Shots[GAME_SHOTS] = {};
Gun g_Guns[2] = {};
int32_t g_nGunCooldownLength = 2;

namespace {

constexpr int SHOT_SOUND = 16;
constexpr int16_t SHOT_GONE_Y = -100;
constexpr int16_t SHOT_TOP_Y = 21;            // a shot above this has left the field
constexpr int16_t SHOT_LOWEST_ROW = SHOT_ROW_BASE + SHOT_ROW_STEP;
constexpr int16_t LEFT_GUN_X = 18, RIGHT_GUN_FROM_RIGHT = 42, GUN_Y_ABOVE = 20;
constexpr int16_t SHOT_PROBE_X = 18;

void FreeShot(Shot& S)
{
    S.bActive = 0;
    S.y = SHOT_GONE_Y;
}

void DrawShot(const Shot& S)
{
    Korvid.BlitArea(GameTileSheet(), g_nShotFrame * Sheets::SHOT_SIZE, S.nTopRow, Sheets::SHOT_SIZE,
                    Sheets::SHOT_SIZE, S.x, S.y, KOR_BLIT_COOKIE, 0, 255);
}

// The shot meets the cell under its tip: it breaks what it can and stops at
// indestructible bricks; each brick costs it one power level.
void HitCellUnder(int nShot)
{
    Shot& S = g_Shots[nShot];
    GameCellAt(S.x + SHOT_PROBE_X, S.y);
    const int16_t* pCell = GameCell(g_nCellColumn, g_nCellRow);
    if (!pCell || (uint16_t)*pCell >= BRICK_EXPLOSION)
        return;
    GameBrickHit(nShot, true, BALL_KIND_NORMAL, BRICK_OTHER);
    const bool bIndestructible = LevelCellKindOf(*pCell) == LevelCellKind::Indestructible;
    if (bIndestructible || S.nTopRow <= SHOT_LOWEST_ROW) {
        FreeShot(S);
        return;
    }
    S.nTopRow = (int16_t)(S.nTopRow - SHOT_ROW_STEP);
    S.nBottomRow = (int16_t)(S.nBottomRow - SHOT_ROW_STEP);
}

}  // namespace

void GameClearShots()
{
    for (Shot& S : g_Shots)
        FreeShot(S);
}

void GameFire(int nPlayer)
{
    if (nPlayer < 1 || nPlayer > GAME_PLAYERS)
        return;
    const Paddle& P = PlayerPaddle(nPlayer);
    Gun& G = g_Guns[nPlayer - 1];
    if (P.nLaserLevel == 0 || G.nCooldown != 0)
        return;
    for (Shot& S : g_Shots) {
        if (S.bActive)
            continue;
        const int nPower = P.nLaserLevel > SHOT_MAX_POWER ? SHOT_MAX_POWER : P.nLaserLevel;
        S.bActive = 1;
        S.nTopRow = (int16_t)(SHOT_ROW_BASE + SHOT_ROW_STEP * nPower);
        S.nBottomRow = (int16_t)(S.nTopRow + SHOT_ROW_STEP);
        S.y = (int16_t)(P.y - GUN_Y_ABOVE);
        if (G.bRightNext) {
            S.x = (int16_t)(P.x + P.Width() - RIGHT_GUN_FROM_RIGHT);
            G.nCooldown = g_nGunCooldownLength;
        } else {
            S.x = (int16_t)(P.x + LEFT_GUN_X);
        }
        G.bRightNext = !G.bRightNext;
        GamePlaySound(SHOT_SOUND, nPlayer);
        return;
    }
}

void GameMoveShots()
{
    for (int n = 0; n < GAME_SHOTS; ++n) {
        Shot& S = g_Shots[n];
        if (!S.bActive)
            continue;
        DrawShot(S);
        if (g_bHalted)
            continue;
        if (S.y < SHOT_TOP_Y) {
            FreeShot(S);
            continue;
        }
        S.y = (int16_t)(S.y - 2);
        const int nEnemy = GameEnemyHitByShot(S.x, S.y);
        if (nEnemy >= 0) {
            GameShootEnemy(nEnemy, S.x);
            FreeShot(S);
            continue;
        }
        HitCellUnder(n);
    }
}
