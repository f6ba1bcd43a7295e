// Recording a game to a file and playing one back. The recording keeps every
// frame's input and length with checkpoints of the play state; the replay puts
// that input back where the engine's events arrive, frame by frame, and checks
// each checkpoint.
#pragma once
#include "CommandLine.h"

// Before the engine starts (after the demo's own preparation): installs the
// replay clock and, for --replay, reads the file. -1 to go on, else the exit
// status after a one-line reason on stderr.
int ReplayPrepare(const GameCommandLine& Line);
// At the end of reading the settings: a replay puts the recorded game's
// settings in place; a recording notes them.
void GameReplaySettings();
// At the start of the frame, before the game reads its input, and at its end.
void ReplayBeforeInput();
void ReplayAfterFrame();
// After the engine has ended: a recording is saved, a replay says how it went.
void ReplayFinish();
int ReplayExitStatus(int nStatus);
// Where the last game is kept when the settings ask for it (a file-layer name).
std::string ReplayLastGameFile();
