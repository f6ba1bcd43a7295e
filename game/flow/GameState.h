// The game's global state that lives for the whole run: the settings read at
// start-up, the flags of the game's life cycle and the players' basic records.
#pragma once
#include <cstdint>

// ---- Settings (section "Tamborel2" of "data/tamborel2.ini") ------------------------
extern int32_t g_nAllowCPUSwitch;         // 1 exactly when stored as 1
extern int32_t g_nGameOverWennPlayerTot;  // 1 exactly when stored as 1
extern int32_t g_nL;                      // English screens when not 0
extern int32_t g_nPS;                     // paddle end-zone rule
extern int32_t g_nEM;                     // boss stages on
extern int32_t g_nTS;                     // tile sheet: 0 "tiles", 1 "tiles2"
extern int32_t g_nUL;                     // user levels
extern int32_t g_nSST;                    // difficulty 0, 1 or 2
extern int32_t g_nFS;                     // flying brick fragments
extern int32_t g_nAuto;                   // game against the computer: 0 none, 1 or 2
extern int32_t g_nWetter;                 // the weather bonuses work
extern int32_t g_nNE1;                    // large weather banks
extern int32_t g_nNE2;                    // end of the range of small weather banks
extern int32_t g_nSB;                     // laser shots release bonuses
extern int32_t g_nFocusPause;             // losing the window pauses play (FocusPause, on by default)

extern bool g_bMusicOn;
extern bool g_bSoundOn;
extern int32_t g_nMusicVolume;            // 0..100

// ---- Life cycle ------------------------------------------------------------------------
extern bool g_bGameRunning;   // while false the next frame ends the game

// ---- Game flow -------------------------------------------------------------------------
extern bool g_bInGame;           // a level is being played (also while paused)
extern int32_t g_nMenuScreen;    // screen shown when not in game (GAME_SCREEN_*)
extern int32_t g_bHalted;        // play frozen: pause, end of game, waiting for Enter
extern int32_t g_nScoreEntry;    // GAME_SCORE_ENTRY_*
extern int32_t g_nMatchLevel;    // level reached in a game against the computer
extern int32_t g_bBossStage;     // a boss stage is played instead of a brick level
extern int32_t g_nWeather;       // the weather running: 0 none, 1 snow, 2 fog, 3 cloud banks
extern int32_t g_nChosenStartLevel;   // from the command line: where one-player games start, -1 as usual
extern bool g_bPauseAllowed;
extern bool g_bKeysArmed;        // Enter and Escape are handled only while armed
extern uint32_t g_nKeysHandledAt;  // when Enter or Escape was handled last

constexpr int32_t GAME_SCREEN_TITLE = 0;
constexpr int32_t GAME_SCREEN_INSTRUCTIONS = 3;
constexpr int32_t GAME_SCREEN_OPTIONS = 4;
constexpr int32_t GAME_SCREEN_MATCH_FIRST = 10;   // 10..14: between levels of a match
constexpr int32_t GAME_SCREEN_MATCH_WON = 13;     // 13 and 14 follow a won level
constexpr int32_t GAME_SCREEN_MATCH_LAST = 14;

constexpr int32_t GAME_SCORE_ENTRY_NONE = 0;
constexpr int32_t GAME_SCORE_ENTRY_NAME = 1;      // a name is typed for the list
constexpr int32_t GAME_SCORE_ENTRY_ALL_DONE = 100;

// ---- The frame's input ----------------------------------------------------------------
extern bool g_bLeftClick;        // left button pressed this frame
extern bool g_bRightClick;       // right button pressed this frame
extern int32_t g_nKeyValue;      // engine key number taken this frame, 0 for none
extern int32_t g_nPointerX, g_nPointerY;             // the game's pointer position
extern int32_t g_nPausePointerX, g_nPausePointerY;   // held while halted

// ---- Players ---------------------------------------------------------------------------
// Per-player records are indexed by player number - 1 (player 1 at 0, player 2 at 1).
constexpr int GAME_PLAYERS = 2;
constexpr int GAME_NAME_BYTES = 12;
constexpr int32_t GAME_START_LIVES = 3;
constexpr int32_t GAME_MAX_LIVES = 20;
extern bool g_bTwoPlayers;
extern int32_t g_nComputerPlayer;      // the player the computer steers in a match (0 none)
extern bool g_bComputerNamePending;    // a match began: the level reset names the computer
extern char g_szPlayerName[GAME_PLAYERS][GAME_NAME_BYTES];
extern int32_t g_nLives[GAME_PLAYERS];
extern int32_t g_nScore[GAME_PLAYERS];
extern int32_t g_nTotal[GAME_PLAYERS];  // match total: the sum of the level scores
extern bool g_bPlayerDead[GAME_PLAYERS];
extern uint8_t g_nLastLoser;           // player whose ball was lost last, 0 in a one-player game

// What play has achieved in this run, for the demo's summary: player 1's
// bonuses, the enemies destroyed, the boss stages reached and won.
struct PlayTally {
    int32_t nBonusesCaught, nEnemiesDestroyed, nBossStagesReached, nBossStagesWon;
};
extern PlayTally g_Tally;

// The player steered by the mouse: 2 when the computer steers player 1, else 1.
int LocalPlayer();
// True for the player the computer steers in a match against it.
bool GameIsComputerPlayer(int nPlayer);
// One more life for a player (a bonus): up to GAME_MAX_LIVES, never for the computer.
void GameAddLife(int nPlayer);

// ---- Waiting for the parts of the game still to be built ----------------------------
// Start-up and the flow keep these as the finished game does, but nothing reads
// them yet: the options page's paddle picture (XART, YART, TileSet), the match's
// computer player and the table of ball speeds.
extern int16_t g_nXART;                   // paddle picture column
extern int16_t g_nYART;                   // paddle picture row
extern uint8_t g_nTileSet;                // paddle sheet number
extern bool g_bHost;
extern bool g_bGameReady;                 // set once start-up has loaded everything
extern uint32_t g_nGameStartTime;
constexpr int GAME_SPEED_STEPS = 11;
extern int32_t g_nSpeedTable[GAME_SPEED_STEPS];   // ball speeds by speed step
