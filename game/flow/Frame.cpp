// KorvidMain: the game's frame. It takes this frame's input, then does its work
// in a fixed order: shutdown, pointer, clicks, Escape, the picture and the play
// clock, music, play, and the keys.
#include "Balls.h"
#include "BossStage.h"
#include "Demo.h"
#include "Editor.h"
#include "Field.h"
#include "Flow.h"
#include "GameState.h"
#include "HighScores.h"
#include "KeyPlay.h"
#include "Keys.h"
#include "LevelCodes.h"
#include "Menu.h"
#include "Overlay.h"
#include "Paddles.h"
#include "PlayClock.h"
#include "Replay.h"
#include "Resources.h"
#include "Screenshot.h"
#include "Settings.h"
#include "Shots.h"
#include "Sounds.h"
#include "korvid.h"

namespace {

constexpr int32_t POINTER_RIGHT = 799, POINTER_BOTTOM = 599;

uint32_t g_nLastRedraw = 0;
bool g_bFocusLost = false;   // the window lost the input focus, or was minimised, this frame

struct FrameInput {
    KorvidEvent Mouse, Key;   // press or release, KOR_EVENT_NONE without
};

// One mouse event and one key event are taken each frame; clicks and keys act
// on the release. Answers both events taken, for the level editor.
FrameInput ReadFrameInput()
{
    KorvidEvent Mouse = Korvid.GetMouseEvent();
    const bool bMouseRelease = Mouse.nType == KOR_EVENT_RELEASE;
    g_bLeftClick = bMouseRelease && Mouse.nCode == KOR_BUTTON_LEFT;
    g_bRightClick = bMouseRelease && Mouse.nCode == KOR_BUTTON_RIGHT;
    g_bFocusLost = Mouse.nType == KOR_EVENT_FOCUS_LOST;

    KorvidEvent Key = Korvid.GetKeyEvent();
    g_nKeyValue = 0;
    if (Key.nType == KOR_EVENT_RELEASE) {
        g_nKeyValue = (int32_t)Key.nCode;
        Korvid.DebugLog("Key Value: %d", (int)g_nKeyValue);
    }
    return {Mouse, Key};
}

bool InEditor() { return !g_bInGame && g_nMenuScreen == GAME_SCREEN_EDITOR; }

void ShutDown()
{
    GameFreeResources();
    GameSaveSwitches();
    Korvid.Quit();
}

// While halted the pointer stays where it was when the pause began, and the
// play clock starts its periods again each frame, so none catches up afterwards.
void FollowPointer()
{
    g_nPointerX = Korvid.MouseX();
    g_nPointerY = Korvid.MouseY();
    if (g_bHalted) {
        g_nPointerX = g_nPausePointerX;
        g_nPointerY = g_nPausePointerY;
        if (g_nScoreEntry != GAME_SCORE_ENTRY_NAME)
            GameRestartPlayClock();
    }
}

// The paddle's momentum comes from the pointer; in a match the mouse steers
// player 2 through paddle 2's own position.
void MeasurePointer()
{
    if (g_bTwoPlayers && LocalPlayer() == 2) {
        const Paddle& P = PlayerPaddle(2);
        GameTrackPointer(P.x, P.y);
    } else {
        GameTrackPointer(g_nPointerX, g_nPointerY);
    }
}

void ClampPointer()
{
    g_nPointerX = Korvid.Clamp(g_nPointerX, 0, POINTER_RIGHT);
    g_nPointerY = Korvid.Clamp(g_nPointerY, 0, POINTER_BOTTOM);
}

bool IsEnterKey(int32_t nKey)
{
    return nKey == GAME_KEY_RETURN || nKey == GAME_KEY_KEYPAD_ENTER;
}

// Enter and Escape act once, then wait until the keys are armed again.
bool TakeArmedKey()
{
    if (!g_bKeysArmed)
        return false;
    g_nKeysHandledAt = Korvid.Timer();
    g_bKeysArmed = false;
    return true;
}

void HandleEscape()
{
    if (g_nKeyValue != GAME_KEY_ESCAPE || !TakeArmedKey())
        return;
    if (g_nScoreEntry == GAME_SCORE_ENTRY_NAME || g_nScoreEntry == GAME_SCORE_ENTRY_ALL_DONE) {
        g_nScoreEntry = GAME_SCORE_ENTRY_NONE;
        g_bPauseAllowed = true;
        g_bHalted = 0;
    }
    if (g_bInGame) {
        if (g_bHalted && g_bPauseAllowed)
            g_bHalted = 0;
        else
            GameChangeMode(GAME_MODE_SPIEL_ABBRECHEN);
    } else if (InEditor()) {
        GameEditorEscape();
    } else if (g_nMenuScreen >= GAME_SCREEN_MATCH_FIRST && g_nMenuScreen <= GAME_SCREEN_MATCH_LAST) {
        GameChangeMode(GAME_MODE_MP_MENU_ABBRECHEN);
    } else if (g_nMenuScreen != GAME_SCREEN_TITLE) {
        GameChangeMode(GAME_MODE_HAUPTMENU);
    }
}

void Redraw()
{
    const uint32_t nNow = Korvid.Timer();
    if (nNow == g_nLastRedraw)
        return;
    g_nLastRedraw = nNow;
    Korvid.UseChunky(0);
    Korvid.Blit(GAME_CHUNKY_BACKGROUND, 0, 0, KOR_BLIT_NOCOOKIE, 0, 0);
    if (g_bInGame && g_bBossStage)
        GameDrawBossStage();
    else if (g_bInGame)
        GameDrawField();
    if (g_bInGame && g_bShowCode)
        GameDrawLevelCode();
    if (GameOverlayShown())
        GameDrawHaltedOverlay();
    if (!g_bInGame)
        GameMenuDraw();
    GameDrawScreenshotNote();
    Korvid.Flip();
}

// Paddles, balls against bricks, and the balls that fell; or the boss stage.
void Play()
{
    if (!g_bInGame)
        return;
    if (g_bBossStage) {
        GamePlayBossStage();
        return;
    }
    GameMovePaddles();
    GameBallsAgainstBricks();
    GameLoseFallenBalls();
}

void TogglePause()
{
    if (!g_bPauseAllowed || !g_bInGame)
        return;
    g_bHalted = !g_bHalted;
    if (g_bHalted) {
        g_nPausePointerX = g_nPointerX;
        g_nPausePointerY = g_nPointerY;
    }
}

void ToggleMusic()
{
    g_bMusicOn = !g_bMusicOn;
    GameMusicStop();
    if (g_bMusicOn)
        GameMusicPlay();
}

// A game left running behind another window pauses as with P; a name being
// typed waits anyway, and the settings can turn this off.
void PauseOnFocusLoss()
{
    if (g_bFocusLost && g_nFocusPause && !g_bHalted && g_nScoreEntry == GAME_SCORE_ENTRY_NONE)
        TogglePause();
}

void HandleFrameKeys()
{
    PauseOnFocusLoss();
    if (g_nScoreEntry == GAME_SCORE_ENTRY_NAME && g_bKeysArmed && HSNameEntryKey(g_nKeyValue))
        TakeArmedKey();
    switch (g_nKeyValue) {
    case GAME_KEY_F7: g_bSoundOn = !g_bSoundOn; break;
    case GAME_KEY_F9: ToggleMusic(); break;
    case GAME_KEY_P: TogglePause(); break;
    case GAME_KEY_F12: GameSaveScreenshot(); break;
    case GAME_KEY_F11:
        if (!g_bInGame && g_nMenuScreen == GAME_SCREEN_TITLE)
            GameChangeMode(g_bTwoPlayers ? GAME_MODE_MP_MENU_STARTEN : GAME_MODE_SPIEL_STARTEN);
        break;
    case GAME_KEY_E:
        if (!g_bInGame && g_nMenuScreen == GAME_SCREEN_TITLE)
            GameOpenEditor(0);
        break;
    default:
        if (IsEnterKey(g_nKeyValue) && g_nMenuScreen == GAME_SCREEN_MATCH_WON && !g_bInGame && TakeArmedKey())
            GameChangeMode(GAME_MODE_MP_SPIEL_STARTEN);
        else if (IsEnterKey(g_nKeyValue) && g_bInGame && g_bShowCode && TakeArmedKey())
            g_bShowCode = 0;
        break;
    }
}

}  // namespace

void KorvidMain()
{
    DemoBeforeFrame();
    ReplayBeforeInput();
    const FrameInput Input = ReadFrameInput();
    if (!g_bGameRunning) {
        ShutDown();
        return;
    }
    // The editor has the arrow keys and the clicks for itself.
    const bool bEditor = InEditor();
    if (!bEditor)
        GameKeyPlay(Input.Key);
    FollowPointer();
    MeasurePointer();
    if (g_bLeftClick && g_bInGame)
        GameLaunchBalls();
    ClampPointer();
    if (bEditor)
        GameEditorFrame(Input.Mouse, Input.Key);
    else if (!g_bInGame)
        GameMenuClick();
    // In a boss stage the ship fires instead, in its play.
    if (g_bRightClick && g_bInGame && !g_bHalted && !g_bBossStage)
        GameFire(LocalPlayer());
    HandleEscape();
    Redraw();
    GamePlayClock();
    if (g_bMusicOn)
        GameMusicKeepAlive();
    Play();
    HandleFrameKeys();
    DemoAfterFrame();
    ReplayAfterFrame();
}
