// What must hold before the engine opens a window, and the word after a start
// that failed: each is told to the person who started the game, in one line
// on stderr, with a status that is not 0.
#pragma once
#include "CommandLine.h"
#include "korvid.h"

constexpr int GAME_EXIT_START_FAILED = 1;

// Finds the data set the run will use: the folder given with --data, else the
// engine's search (TAMBOREL_DATA, beside the program, the installed folder
// beside it, the working directory). Sets the engine's read directory.
KorvidDataPlace GameLocateData(const GameCommandLine& Line);
// True when the game can start: a data set is found and there is a display to
// open (SDL 1.2 without one would draw the game as text in the terminal).
bool GameReadyToStart(const GameCommandLine& Line);
// Says that the start failed and where the debug log tells why.
void GameTellFailedStart();
