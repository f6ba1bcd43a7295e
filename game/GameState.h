// The game's global state that lives for the whole run: the settings read at
// start-up, the flags of the game's life cycle and the players' basic records.
#pragma once
#include <cstdint>

// ---- Settings (section "Tamborel2" of "data/tamborel2.ini") ------------------------
extern int32_t g_nNE1;                    // decoration objects of the first kind
extern int32_t g_nNE2;                    // end of the range of the second kind
extern int32_t g_nAllowCPUSwitch;         // 1 exactly when stored as 1
extern int32_t g_nGameOverWennPlayerTot;  // 1 exactly when stored as 1
extern int16_t g_nXART;                   // paddle picture column
extern int16_t g_nYART;                   // paddle picture row
extern uint8_t g_nTileSet;                // paddle sheet number
extern int32_t g_nL;                      // English screens when not 0
extern int32_t g_nPS;                     // paddle end-zone rule
extern int32_t g_nSB;                     // shots release bonuses
extern int32_t g_nEM;                     // boss stages on
extern int32_t g_nTS;                     // tile sheet: 0 "tiles", 1 "tiles2"
extern int32_t g_nUL;                     // user levels
extern int32_t g_nSST;                    // difficulty 0, 1 or 2
extern int32_t g_nFS;                     // flying brick fragments
extern int32_t g_nAuto;                   // game against the computer: 0 none, 1 or 2
extern int32_t g_nWetter;                 // weather setting

extern bool g_bMusicOn;
extern bool g_bSoundOn;
extern int32_t g_nMusicVolume;            // 0..100

// ---- Life cycle ------------------------------------------------------------------------
extern bool g_bGameRunning;   // while false the next frame ends the game
extern bool g_bGameReady;     // set once start-up has loaded everything
extern uint32_t g_nGameStartTime;

// ---- Players ---------------------------------------------------------------------------
constexpr int GAME_NAME_BYTES = 12;
extern bool g_bTwoPlayers;
extern bool g_bHost;
extern int32_t g_nComputerPlayer;
extern char g_szPlayerName[2][GAME_NAME_BYTES];   // players 1 and 2

// Ball speeds by speed step, used by play.
constexpr int GAME_SPEED_STEPS = 11;
extern int32_t g_nSpeedTable[GAME_SPEED_STEPS];
