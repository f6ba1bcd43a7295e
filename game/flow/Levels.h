// The level store and the loading of levels from the level files: the cells of
// every level slot, the teleporter targets and the background number of the
// level loaded last.
#pragma once
#include <cstdint>

#include "LevelFormat.h"

constexpr int GAME_LEVEL_SLOTS = 200;   // level numbers 0..199

// Cell (column c, row r) of level n is g_LevelCells[n][c * 21 + r]; -1 is empty.
extern int16_t g_LevelCells[GAME_LEVEL_SLOTS][LEVEL_CELLS];
extern int32_t g_nCurrentLevel;
extern int32_t g_nLevelBackground;   // 0..20, 0 = a random picture
// Teleporter positions (column * 40, row * 24) of the codes 497 (A) and 498 (B); -1 when absent.
extern int32_t g_nBeamAX, g_nBeamAY, g_nBeamBX, g_nBeamBY;

void GameClearLevel(int32_t nLevel);
// While set, every level loaded is this one instead of its file's: the level
// editor's test-play. Null goes back to the files.
void GameSetLevelOverride(const Level* pLevel);
bool GameLoadLevel(int32_t nLevel);
bool GameLoadLevelParams(int32_t nLevel, uint8_t nFlag);

// The chunky of the tile sheet the setting TS chooses.
uint32_t GameTileSheet();
// Draws the tile of a cell code with its top left corner at (x, y), as the
// field shows it; a code without a tile draws nothing.
void GameDrawTile(int nCode, int32_t x, int32_t y);
// Draws one cell of the current level at its place on the field.
void GameDrawCell(int nColumn, int nRow);
