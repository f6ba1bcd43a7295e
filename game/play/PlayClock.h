// The play clock: the timed parts of play, each run at its own period on the
// engine's millisecond clock, once per frame before the ball step.
#pragma once
#include <cstdint>

extern int32_t g_nBallFrame, g_nPaddleFrame, g_nShotFrame;   // animation frames 0..9
extern int32_t g_nBonusFrame;   // 0..6; drawn by the falling bonuses still to come
extern int32_t g_nPulse;        // 0..255; for the blinking texts of the screens still to come
extern bool g_bBlink;                                        // flips while a name is typed

void GamePlayClock();
// Every period starts again from now: no period catches up after a pause.
void GameRestartPlayClock();
