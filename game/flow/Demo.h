// The unattended demo: the computer plays the mouse player's side from the
// title screen on (in a match, against the game's own computer player), through
// levels and lost games, for a set time of game time, then the game ends
// through its normal shutdown and prints one summary line.
#pragma once

#include "CommandLine.h"

// Before the engine starts: remembers the options and, for --fast, installs the
// virtual clock.
void DemoPrepare(const GameCommandLine& Line);
bool DemoRunning();
// Around the frame's own work: input for the computer player before, the
// statistics, screenshots and the end of the demo after.
void DemoBeforeFrame();
void DemoAfterFrame();
// After the engine has ended: the summary line on stdout (after the line that
// says where a stuck game stood).
void DemoPrintSummary();
// The program's exit status: the engine's, or 3 when the demo found the game stuck.
int DemoExitStatus(int nStatus);
