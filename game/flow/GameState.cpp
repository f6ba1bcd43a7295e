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
int32_t g_nFocusPause = 1;

bool g_bMusicOn = true;
bool g_bSoundOn = true;
int32_t g_nMusicVolume = 50;

bool g_bGameRunning = true;
bool g_bGameReady = false;
uint32_t g_nGameStartTime = 0;

bool g_bInGame = false;
int32_t g_nMenuScreen = GAME_SCREEN_TITLE;
int32_t g_bHalted = 0;
int32_t g_nScoreEntry = GAME_SCORE_ENTRY_NONE;
int32_t g_nMatchLevel = 0;
int32_t g_bBossStage = 0;
int32_t g_nChosenStartLevel = -1;
bool g_bPauseAllowed = true;
bool g_bKeysArmed = true;
uint32_t g_nKeysHandledAt = 0;
int32_t g_nWeather = 0;

bool g_bLeftClick = false;
bool g_bRightClick = false;
int32_t g_nKeyValue = 0;
int32_t g_nPointerX = 0, g_nPointerY = 0;
int32_t g_nPausePointerX = 0, g_nPausePointerY = 0;

bool g_bTwoPlayers = false;
bool g_bHost = false;
int32_t g_nComputerPlayer = 0;
bool g_bComputerNamePending = false;
char g_szPlayerName[GAME_PLAYERS][GAME_NAME_BYTES] = {};
int32_t g_nLives[GAME_PLAYERS] = {};
int32_t g_nScore[GAME_PLAYERS] = {};
int32_t g_nTotal[GAME_PLAYERS] = {};
bool g_bPlayerDead[GAME_PLAYERS] = {};
uint8_t g_nLastLoser = 0;
PlayTally g_Tally = {};

int32_t g_nSpeedTable[GAME_SPEED_STEPS] = {};

int LocalPlayer()
{
    return g_nComputerPlayer == 1 ? 2 : 1;
}

bool GameIsComputerPlayer(int nPlayer)
{
    // The number stays set between matches (start-up sets 2); it names a
    // computer player only while two players play.
    return g_bTwoPlayers && g_nComputerPlayer != 0 && nPlayer == g_nComputerPlayer;
}

void GameAddLife(int nPlayer)
{
    if (nPlayer < 1 || nPlayer > GAME_PLAYERS || GameIsComputerPlayer(nPlayer))
        return;
    if (g_nLives[nPlayer - 1] < GAME_MAX_LIVES)
        g_nLives[nPlayer - 1]++;
}
