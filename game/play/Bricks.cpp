// The brick hit: what a ball or shot does to the current cell, in a fixed order
// of rules on the cell's code, with the points and sounds of each; and scoring.
#include "Bricks.h"

#include "Balls.h"
#include "Bonuses.h"
#include "Field.h"
#include "Fragments.h"
#include "GameState.h"
#include "Levels.h"
#include "Paddles.h"
#include "Sounds.h"
#include "sheets.h"

int32_t g_nCellColumn = 0, g_nCellRow = 0;
int32_t g_nScoringPlayer = 1;
uint8_t g_nTeleporterCooldown = 0;

namespace {

// Sound kinds of the brick rules.
constexpr int SOUND_BRICK = 6, SOUND_BONUS_BRICK = 7, SOUND_HARD = 8, SOUND_MULTI_HIT = 12, SOUND_FOUR_HIT = 13,
              SOUND_SLIDING = 14;

struct Neighbour {
    int nColumnStep, nRowStep;
};
constexpr Neighbour BELOW = {0, 1}, ABOVE = {0, -1}, LEFT = {-1, 0}, RIGHT = {1, 0};

// The neighbours a sliding brick tries, by the direction it was pushed in.
const Neighbour* SlideOrder(int nDirection)
{
    static const Neighbour Down[3] = {BELOW, LEFT, RIGHT};
    static const Neighbour Up[3] = {ABOVE, LEFT, RIGHT};
    static const Neighbour Right[3] = {RIGHT, ABOVE, BELOW};
    static const Neighbour Left[3] = {LEFT, ABOVE, BELOW};
    switch (nDirection) {
    case BRICK_DOWN:
        return Down;
    case BRICK_UP:
        return Up;
    case BRICK_RIGHT:
        return Right;
    case BRICK_LEFT:
        return Left;
    default:
        return nullptr;
    }
}

// The brick leaves a copy of itself in the first free (or code 0) neighbour.
void SlideBrick(int16_t nCode, int nDirection)
{
    const Neighbour* pOrder = SlideOrder(nDirection);
    if (!pOrder)
        return;
    for (int n = 0; n < 3; ++n) {
        int16_t* pTarget = GameCell(g_nCellColumn + pOrder[n].nColumnStep, g_nCellRow + pOrder[n].nRowStep);
        if (pTarget && *pTarget < 1) {
            *pTarget = nCode;
            return;
        }
    }
}

void HitSliding(int16_t& nCell, const Ball* pBall, int nDirection)
{
    GameAddScore(1, 0);
    GamePlaySound(SOUND_SLIDING, g_nCellRow);
    if (pBall && GameBallKind(*pBall) != BALL_KIND_BIG)
        SlideBrick(nCell, nDirection);
    else
        nCell = BRICK_EXPLOSION;
}

void Teleport(int16_t& nCell, Ball* pBall)
{
    const bool bA = nCell == BRICK_BEAM_A;
    const int32_t nToX = bA ? g_nBeamBX : g_nBeamAX, nToY = bA ? g_nBeamBY : g_nBeamAY;
    GamePlaySound(SOUND_BRICK, g_nCellRow);
    // A level without the other teleporter has nowhere to send the ball.
    if (pBall && nToX >= 0 && nToY >= 0) {
        pBall->x = (int16_t)nToX;
        pBall->y = (int16_t)nToY;
    }
    nCell = bA ? BRICK_BEAM_A_USED : BRICK_BEAM_B_USED;
    g_nTeleporterCooldown = TELEPORTER_COOLDOWN;
}

void ThrowFragment(int16_t nCode, const Ball* pBall)
{
    if (pBall && !g_bTwoPlayers && g_nFS == 1)
        GameAddFragment(nCode, pBall->x, pBall->y, pBall->dx, pBall->dy);
}

// A multi-hit brick steps by nStep for a normal ball, breaks for a big one and
// shrugs off a small one.
void HitMultiple(int16_t& nCell, int nKind, int nStep)
{
    if (nKind == BALL_KIND_NORMAL)
        nCell = (int16_t)(nCell + nStep);
    else if (nKind == BALL_KIND_BIG)
        nCell = BRICK_SMASHED;
}

// Steps 5 to 8: at most one of them treats a code.
void HitBreakable(int16_t& nCell, const Ball* pBall, int nKind)
{
    const int16_t nCode = nCell;
    switch (LevelCellKindOf(nCode)) {
    case LevelCellKind::Brick:
    case LevelCellKind::LastHit:
        GamePlaySound(SOUND_BRICK, g_nCellRow);
        ThrowFragment(nCode, pBall);
        nCell = BRICK_EXPLOSION;
        GameAddScore(1, 0);
        break;
    case LevelCellKind::MiddleHit:
        GamePlaySound(SOUND_MULTI_HIT, g_nCellRow);
        HitMultiple(nCell, nKind, -20);
        GameAddScore(2, 0);
        break;
    case LevelCellKind::FourHit:
        GamePlaySound(SOUND_FOUR_HIT, g_nCellRow);
        HitMultiple(nCell, nKind, 60);
        GameAddScore(5, 0);
        break;
    case LevelCellKind::BonusBrick:
        ThrowFragment(nCode, pBall);
        if (pBall || g_nSB == 1)
            GameSpawnBonus(nCode, FIELD_LEFT_X + g_nCellColumn * Sheets::TILE_WIDTH,
                           FIELD_TOP_Y + g_nCellRow * Sheets::TILE_HEIGHT);
        nCell = BRICK_BONUS_GONE;
        GamePlaySound(SOUND_BONUS_BRICK, g_nCellRow);
        GameAddScore(2, 0);
        break;
    default:
        break;
    }
}

}  // namespace

int16_t* GameCell(int nColumn, int nRow)
{
    if (nColumn < 0 || nColumn >= LEVEL_COLUMNS || nRow < 0 || nRow >= LEVEL_ROWS)
        return nullptr;
    if (g_nCurrentLevel < 0 || g_nCurrentLevel >= GAME_LEVEL_SLOTS)
        return nullptr;
    return &g_LevelCells[g_nCurrentLevel][LevelCellIndex(nColumn, nRow)];
}

bool GameCellIsSolid(int16_t nCode)
{
    switch (LevelCellKindOf(nCode)) {
    case LevelCellKind::Empty:
    case LevelCellKind::Animation:
    case LevelCellKind::TeleporterUsed:
    case LevelCellKind::Invalid:
        return false;
    default:
        return true;
    }
}

void GameBrickHit(int nNumber, bool bShot, int nKind, int nDirection)
{
    int16_t* pCell = GameCell(g_nCellColumn, g_nCellRow);
    if (!pCell)
        return;
    Ball* pBall = nullptr;
    if (!bShot) {
        if (nNumber < 0 || nNumber >= GAME_BALLS)
            return;
        pBall = &g_Balls[nNumber];
        if (pBall->nCarried != -1)
            return;
    }
    int16_t& nCell = *pCell;
    if (nCell == BRICK_TRAP && pBall) {
        GamePlaySound(SOUND_BRICK, g_nCellRow);
        pBall->bActive = 0;
        return;
    }
    if (LevelCellKindOf(nCell) == LevelCellKind::Sliding)
        HitSliding(nCell, pBall, nDirection);
    if (nCell == BRICK_BEAM_A || nCell == BRICK_BEAM_B)
        Teleport(nCell, pBall);
    HitBreakable(nCell, pBall, nKind);
    if (LevelCellKindOf(nCell) == LevelCellKind::Indestructible)
        GamePlaySound(SOUND_HARD, g_nCellRow);
}

void GameAddScore(int32_t nPoints, int nPlayer)
{
    if (nPlayer == 0)
        nPlayer = g_bTwoPlayers ? g_nScoringPlayer : 1;
    if (nPlayer < 1 || nPlayer > GAME_PLAYERS)
        return;
    g_nScore[nPlayer - 1] += nPoints * PlayerPaddle(nPlayer).nMultiplier;
}
