// What a ball or a shot does to the cell it reaches, and the score it earns.
#pragma once
#include <cstdint>

enum BrickDirection : int {
    BRICK_DOWN = 1, BRICK_LEFT = 2, BRICK_UP = 3, BRICK_RIGHT = 4, BRICK_OTHER = 5
};

// Brick codes with a rule of their own (the kinds of all codes: LevelCellKindOf).
constexpr int16_t BRICK_EXPLOSION = 480, BRICK_EXPLOSION_END = 484;
constexpr int16_t BRICK_BONUS_GONE = 485, BRICK_BONUS_GONE_END = 489;
constexpr int16_t BRICK_SMASHED = 490, BRICK_SMASHED_END = 494;
constexpr int16_t BRICK_BEAM_A_USED = 495, BRICK_BEAM_B_USED = 496;
constexpr int16_t BRICK_BEAM_A = 497, BRICK_BEAM_B = 498, BRICK_TRAP = 499;
constexpr int32_t TELEPORTER_COOLDOWN = 4;   // seconds

// The current cell, set by GameCellAt.
extern int32_t g_nCellColumn, g_nCellRow;
// The player whose paddle touched a ball last (1 or 2).
extern int32_t g_nScoringPlayer;
extern uint8_t g_nTeleporterCooldown;   // seconds

// The current level's cell at (column, row), or null outside the grid.
int16_t* GameCell(int nColumn, int nRow);
// A cell a ball or shot stops at: below 480 (so not empty), or a teleporter or the trap.
bool GameCellIsSolid(int16_t nCode);

void GameBrickHit(int nNumber, bool bShot, int nKind, int nDirection);
void GameAddScore(int32_t nPoints, int nPlayer);
