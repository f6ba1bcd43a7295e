// Start values of the game's global state.
#include "GameState.h"

int32_t g_nNE1 = 12;
int32_t g_nNE2 = 0;
int32_t g_nAllowCPUSwitch = 1;
int32_t g_nGameOverWennPlayerTot = 0;
int16_t g_nXART = 0;
int16_t g_nYART = 0;
uint8_t g_nTileSet = 0;
int32_t g_nL = 0;
int32_t g_nPS = 1;
int32_t g_nSB = 1;
int32_t g_nEM = 1;
int32_t g_nTS = 0;
int32_t g_nUL = 0;
int32_t g_nSST = 1;
int32_t g_nFS = 1;
int32_t g_nAuto = 0;
int32_t g_nWetter = 0;

bool g_bMusicOn = true;
bool g_bSoundOn = true;
int32_t g_nMusicVolume = 50;

bool g_bGameRunning = true;
bool g_bGameReady = false;
uint32_t g_nGameStartTime = 0;

bool g_bTwoPlayers = false;
bool g_bHost = false;
int32_t g_nComputerPlayer = 0;
char g_szPlayerName[2][GAME_NAME_BYTES] = {};

int32_t g_nSpeedTable[GAME_SPEED_STEPS] = {};
