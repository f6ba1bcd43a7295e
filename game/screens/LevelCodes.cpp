#include "LevelCodes.h"

int32_t g_nCodeDigit[CODE_DIGITS] = {};
int32_t g_nEnteredCode = 0, g_nShownCode = 0, g_bCodeKnown = 0, g_bShowCode = 0;

void GameMakeLevelCode(int32_t) {}
void GameFindStartLevel() {}
void GameDrawLevelCode() {}
void GameDrawCodeEntry() {}
bool GameClickCodeEntry(int32_t, int32_t) { return false; }
