// The game's flow: one change per mode, each with its log line, its screen
// picture and the error number it reports when that picture is missing.
#include "Flow.h"

#include <cstdio>

#include "Balls.h"
#include "BossStage.h"
#include "ComputerPlayer.h"
#include "Editor.h"
#include "ErrorReport.h"
#include "GameState.h"
#include "HighScores.h"
#include "LevelCodes.h"
#include "Levels.h"
#include "Paddles.h"
#include "PlayClock.h"
#include "Resources.h"
#include "Sounds.h"
#include "korvid.h"

namespace {

const char* const MODE_NAMES[] = {"Hauptmenu",       "Spiel_Starten",     "Spiel_Abbrechen",
                                  "Spiel_Veloren",   "Level_Geschafft",   "Level_Zurueck",
                                  "MP_MENU_STARTEN", "MP_MENU_ABBRECHEN", "MP_SPIEL_STARTEN"};
constexpr int32_t MODE_COUNT = sizeof(MODE_NAMES) / sizeof(MODE_NAMES[0]);

constexpr int32_t LAST_LEVEL = 99;          // the last level of a set
constexpr int32_t LAST_MATCH_LEVEL = 99;
constexpr int32_t BOSS_STAGE_EVERY = 10;    // a boss stage before levels 10, 20, ...
constexpr int32_t BOSS_STAGE_LAST = 200;
constexpr int32_t BACKGROUND_PICTURES = 20;
constexpr int BOTH_PLAYERS = 0;   // GameResetLevel resets both sides

// Error numbers of the screen pictures, one per change.
constexpr int32_t ERROR_TITLE = 444;
constexpr int32_t ERROR_START_BACKGROUND = 433;
constexpr int32_t ERROR_ABORT_TITLE = 434;
constexpr int32_t ERROR_NEXT_BACKGROUND = 435;
constexpr int32_t ERROR_MATCH_SCREEN = 436;
constexpr int32_t ERROR_MATCH_SCREEN_BACK = 437;
constexpr int32_t ERROR_MATCH_START_BACKGROUND = 439;
constexpr int32_t ERROR_MATCH_ABORT_TITLE = 440;
constexpr int32_t ERROR_MATCH_NEXT_BACKGROUND = 442;

bool LoadScreenPicture(const char* szFile, int32_t nError)
{
    if (GameLoadPicture(GAME_CHUNKY_BACKGROUND, szFile))
        return true;
    GameReportError(nError);
    return false;
}

bool LoadTitlePicture(int32_t nError)
{
    return LoadScreenPicture(GameTitlePicture(), nError);
}

// The level's own background, or a random one when the level names none.
bool LoadPlayBackground(int32_t nError)
{
    int32_t nPicture = g_nLevelBackground != 0 ? g_nLevelBackground : Korvid.RandomRange(1, BACKGROUND_PICTURES);
    char szFile[32];
    snprintf(szFile, sizeof(szFile), "data/gfx/hg%d.kvp", (int)nPicture);
    return LoadScreenPicture(szFile, nError);
}

// The match plays without flying fragments; the player's own setting is held
// here meanwhile, -1 while nothing is held.
int32_t s_nPlayerFS = -1;

void FragmentsOffForMatch()
{
    if (s_nPlayerFS < 0)
        s_nPlayerFS = g_nFS;
    g_nFS = 0;
}

void RestorePlayerFragments()
{
    if (s_nPlayerFS >= 0)
        g_nFS = s_nPlayerFS;
    s_nPlayerFS = -1;
}

// A match is the only game of two, so it ends whatever Auto says now: the
// option may have been switched off while a match waited on the title screen.
void EndMatch()
{
    RestorePlayerFragments();
    g_bTwoPlayers = false;
    g_nComputerPlayer = 0;
}

// What every new game starts with: the level reset, full lives, no scores.
void StartPlayers()
{
    GameResetLevel(BOTH_PLAYERS, true);
    for (int i = 0; i < GAME_PLAYERS; ++i) {
        g_nLives[i] = GAME_START_LIVES;
        g_nScore[i] = 0;
        g_nTotal[i] = 0;
    }
    g_bInGame = true;
    g_nLastLoser = 0;
    g_bShowCode = 0;   // a banner the last game left up
}

// The screen between two levels of a match; its picture missing is reported
// and the change goes on.
void ShowMatchScreen(int32_t nError)
{
    if (!GameLoadPicture(GAME_CHUNKY_BACKGROUND, "data/gfx/mpm1.kvp"))
        GameReportError(nError);
    GameMusicSwitch(GAME_MUSIC_TITLE);
    g_bInGame = false;
    GameResetLevel(BOTH_PLAYERS, false);
    g_nMenuScreen = GAME_SCREEN_MATCH_WON;
    g_bHalted = 0;
}

bool ChangeToTitle()
{
    if (!LoadTitlePicture(ERROR_TITLE))
        return false;
    g_nMenuScreen = GAME_SCREEN_TITLE;
    return true;
}

// The chosen level with its background and the play music, and the players
// ready for it.
bool PlayCurrentLevel()
{
    Korvid.DebugLog("Loading Level: %d", (int)g_nCurrentLevel);
    GameLoadLevel(g_nCurrentLevel);
    Korvid.DebugLog("NeuSpieler");
    if (!LoadPlayBackground(ERROR_START_BACKGROUND))
        return false;
    GameMusicSwitch(GAME_MUSIC_PLAY);
    Korvid.DebugLog("Loaded GFX");
    GameLoadLevel(g_nCurrentLevel);
    g_bComputerNamePending = true;
    StartPlayers();
    return true;
}

bool StartGame()
{
    g_nCurrentLevel = 0;
    Korvid.DebugLog("CurrentLevel Set To 0 (SPIEL STARTEN)");
    GameFindStartLevel();
    if (g_nChosenStartLevel > 0) {
        g_nCurrentLevel = g_nChosenStartLevel;
        Korvid.DebugLog("Tamborel: Start Level %d Chosen On The Command Line", (int)g_nCurrentLevel + 1);
    }
    if (g_nAuto > 0) {
        g_nComputerPlayer = g_nAuto == 1 ? 1 : 2;
        g_bTwoPlayers = true;
        g_bHost = true;
    }
    return PlayCurrentLevel();
}

bool AbortGame()
{
    EndMatch();
    if (!LoadTitlePicture(ERROR_ABORT_TITLE))
        return false;
    GameMusicSwitch(GAME_MUSIC_TITLE);
    Korvid.DebugLog("CurrentLevel Set To 0 (SPIEL ABBRECHEN)");
    GameLeavePlay();
    return true;
}

// The last life is gone: a match ends first, so GameOver offers player 1's
// score as in a one-player game.
void LoseGame()
{
    if (GameInTestPlay()) {
        GameEndTestPlay();
        return;
    }
    EndMatch();
    GameOver();
    g_nWeather = 0;
}

bool NextLevelAlone()
{
    ++g_nCurrentLevel;
    GameMakeLevelCode(g_nCurrentLevel);
    bool bBossLevel = g_nCurrentLevel % BOSS_STAGE_EVERY == 0 && g_nCurrentLevel <= BOSS_STAGE_LAST;
    if (bBossLevel && !g_bBossStage && g_nEM == 1) {
        // The boss stage is played on the field of the level just cleared.
        --g_nCurrentLevel;
        g_bBossStage = 1;
        GameStartBossStage();
        return true;
    }
    GameLoadLevel(g_nCurrentLevel);
    if (!LoadPlayBackground(ERROR_NEXT_BACKGROUND))
        return false;
    g_bBossStage = 0;
    GameResetLevel(BOTH_PLAYERS, true);
    GameRestartPlayClock();
    return true;
}

void NextLevelOfMatch()
{
    for (int i = 0; i < GAME_PLAYERS; ++i)
        g_nTotal[i] += g_nScore[i];
    ++g_nMatchLevel;
    ShowMatchScreen(ERROR_MATCH_SCREEN);
    if (g_nMatchLevel > LAST_MATCH_LEVEL)
        g_nMenuScreen = GAME_SCREEN_MATCH_LAST;
}

bool LevelDone()
{
    if (g_bTwoPlayers)
        NextLevelOfMatch();
    else if (!NextLevelAlone())
        return false;
    if (g_nCurrentLevel > LAST_LEVEL) {
        g_bHalted = 1;
        g_nScoreEntry = GAME_SCORE_ENTRY_ALL_DONE;
    }
    return true;
}

bool LevelBack()
{
    if (g_bTwoPlayers) {
        if (g_nMatchLevel > 0)
            --g_nMatchLevel;
        ShowMatchScreen(ERROR_MATCH_SCREEN_BACK);
        return true;
    }
    // A test-play has its one level: going back plays it again.
    if (!GameInTestPlay())
        --g_nCurrentLevel;
    if (g_nCurrentLevel < 0) {
        Korvid.DebugLog("CurrentLevel Less Than 0 (%d), Setting To 0 (LEVEL_ZURECK)", (int)g_nCurrentLevel);
        g_nCurrentLevel = 0;
    }
    GameLoadLevel(g_nCurrentLevel);
    GameResetLevel(BOTH_PLAYERS, true);
    return true;
}

// Loads the level the match has reached; both match starts begin with it.
void LoadMatchLevel()
{
    Korvid.DebugLog("MP CurrentLevel Set To %d", (int)g_nMatchLevel);
    g_nCurrentLevel = g_nMatchLevel;
    GameLoadLevel(g_nCurrentLevel);
}

bool StartMatch()
{
    LoadMatchLevel();
    g_bHalted = 0;
    g_bPauseAllowed = true;
    if (!LoadPlayBackground(ERROR_MATCH_START_BACKGROUND))
        return false;
    Korvid.DebugLog("CHANGEGAMEMODE");
    GameMusicSwitch(GAME_MUSIC_PLAY);
    g_bComputerNamePending = true;
    StartPlayers();
    return true;
}

bool LeaveMatchScreen()
{
    RestorePlayerFragments();
    if (!LoadTitlePicture(ERROR_MATCH_ABORT_TITLE))
        return false;
    g_bBossStage = 0;
    g_bInGame = false;
    g_nMenuScreen = GAME_SCREEN_TITLE;
    return true;
}

bool NextMatchLevel()
{
    LoadMatchLevel();
    if (g_nAuto > 0)
        GameMakeLevelCode(g_nCurrentLevel);
    if (!LoadPlayBackground(ERROR_MATCH_NEXT_BACKGROUND))
        return false;
    GameMusicSwitch(GAME_MUSIC_PLAY);
    GameResetLevel(BOTH_PLAYERS, true);
    for (int i = 0; i < GAME_PLAYERS; ++i)
        g_nScore[i] = 0;
    g_nLastLoser = 0;
    g_bInGame = true;
    FragmentsOffForMatch();
    GamePlacePaddles(g_nCurrentLevel, true);
    return true;
}

}  // namespace

bool GameStartOnePlayerGame(int32_t nLevel)
{
    EndMatch();
    g_nCurrentLevel = nLevel;
    return PlayCurrentLevel();
}

void GameLeavePlay()
{
    g_nMatchLevel = 0;
    g_nCurrentLevel = 0;
    g_bBossStage = 0;
    g_bInGame = false;
    g_nMenuScreen = GAME_SCREEN_TITLE;
    g_nWeather = 0;
    g_nScoreEntry = GAME_SCORE_ENTRY_NONE;
    // A game that ended without a high score is left halted with pausing
    // refused; Escape leads out of it, and the title and the next game must
    // not inherit that.
    g_bHalted = 0;
    g_bPauseAllowed = true;
}

bool GameChangeMode(int32_t nMode)
{
    Korvid.DebugLog("Tamborel: GameChangeMode(%d)", (int)nMode);
    g_bLeftClick = false;
    g_bRightClick = false;
    if (nMode < 0 || nMode >= MODE_COUNT) {
        Korvid.DebugLog("Tamborel: GameChangeMode(%d) - Default", (int)nMode);
        return false;
    }
    Korvid.DebugLog("Tamborel: GameChangeMode(%d) - %s", (int)nMode, MODE_NAMES[nMode]);
    if (GameInTestPlay() && (nMode == GAME_MODE_SPIEL_ABBRECHEN || nMode == GAME_MODE_LEVEL_GESCHAFFT)) {
        GameEndTestPlay();
        return true;
    }
    switch ((GameMode)nMode) {
    case GAME_MODE_HAUPTMENU: return ChangeToTitle();
    case GAME_MODE_SPIEL_STARTEN: return StartGame();
    case GAME_MODE_SPIEL_ABBRECHEN: return AbortGame();
    case GAME_MODE_SPIEL_VELOREN: LoseGame(); return true;
    case GAME_MODE_LEVEL_GESCHAFFT: return LevelDone();
    case GAME_MODE_LEVEL_ZURUECK: return LevelBack();
    case GAME_MODE_MP_MENU_STARTEN: return StartMatch();
    case GAME_MODE_MP_MENU_ABBRECHEN: return LeaveMatchScreen();
    case GAME_MODE_MP_SPIEL_STARTEN: return NextMatchLevel();
    }
    return false;
}

void GameOver()
{
    Korvid.DebugLog("Tamborel: GameOver()");
    HSInsert(g_nScore[0]);
    g_bPauseAllowed = false;
    g_bHalted = 1;
    GamePlaySound(GAME_SOUND_KIND_GAMEOVER, 0);
}

void LoseBall(int nPlayer)
{
    if (nPlayer < 1 || nPlayer > GAME_PLAYERS)
        return;
    // The computer has no lives to lose. An enemy that takes its paddle gives the
    // serve to the mouse player, as a ball lost on its half does: left with the
    // mouse player as the last loser, the ball would wait on the computer's paddle
    // with no countdown to launch it.
    if (GameIsComputerPlayer(nPlayer)) {
        g_nLastLoser = (uint8_t)nPlayer;
        return;
    }
    if (g_nLives[nPlayer - 1] > 0) {
        --g_nLives[nPlayer - 1];
        g_nLastLoser = (uint8_t)nPlayer;
        GameKugelStart();
        return;
    }
    g_bPlayerDead[nPlayer - 1] = true;
    Korvid.DebugLog("Tamborel: GameChangeMode(%d)", (int)GAME_MODE_SPIEL_VELOREN);
    Korvid.DebugLog("Tamborel: GameChangeMode(%d) - %s", (int)GAME_MODE_SPIEL_VELOREN,
                    MODE_NAMES[GAME_MODE_SPIEL_VELOREN]);
    LoseGame();
}

void GameKugelStart()
{
    Korvid.DebugLog("Tamborel: GameKugelStart()");
    const int nMouse = LocalPlayer();
    const bool bComputerServes = g_bTwoPlayers && g_nComputerPlayer != 0 && g_nLastLoser == nMouse;
    if (bComputerServes && !g_bComputerLaunchPending && g_nLives[nMouse - 1] >= 0)
        GameArmComputerServe();
}

void GameEnablePlayer2(bool bKeepName)
{
    Korvid.DebugLog("Tamborel: GameEnablePlayer2()");
    Paddle& P = PlayerPaddle(2);
    P.x = P.nStartX;
    P.y = P.nStartY;
    if (!bKeepName)
        g_szPlayerName[1][0] = 0;
}
