// The level editor as the rest of the game sees it: a screen reached from the
// title (the E key or its entry) or with --edit, which test-plays the level it
// shows as a one-player game and comes back when that game ends.
#pragma once
#include <cstdint>

#include "korvid.h"

constexpr int32_t GAME_SCREEN_EDITOR = 6;

// ---- The flow (EditorFlow.cpp) ------------------------------------------------------
// Opens the editor on level nLevel (0..99) of the user set: the user set is read
// again unless the editor still holds unsaved changes. A level picture that
// cannot be loaded is logged; the editor works on without it.
void GameOpenEditor(int32_t nLevel);
// Back to the title screen; the editor's unsaved changes stay for its next opening.
void GameLeaveEditor();
// Plays the level the editor shows in a one-player game with the usual lives
// and no high-score list; the game's end (Escape, the level cleared, the last
// life lost) comes back to the editor with the level as it was.
bool GameEditorTestPlay();
// True while a test-play runs; the flow then ends games with GameEndTestPlay.
bool GameInTestPlay();
void GameEndTestPlay();

// ---- The screen (EditorScreen.cpp and its neighbours) ------------------------------
// Called when the editor opens or comes back from a test-play: the tools are
// reset, and the level's background is loaded for drawing.
void GameEditorEnter();
// One frame of the editor: this frame's mouse and key events (press or release,
// KOR_EVENT_NONE without) and the pointer in g_nPointerX/Y.
void GameEditorFrame(const KorvidEvent& Mouse, const KorvidEvent& Key);
void GameEditorDraw();
// Escape: leaves at once without unsaved changes, else asks first.
void GameEditorEscape();
// True while "discard unsaved changes?" waits for its answer.
bool GameEditorAsking();
