// The field of bricks as it is drawn every frame: animations, the count of
// bricks left and the end of a level, auto-clear and shake, the score panel and
// the computer's serve countdown.
#pragma once
#include <cstdint>

// The screen position of cell (0, 0).
constexpr int32_t FIELD_LEFT_X = 20, FIELD_TOP_Y = 21;
constexpr int32_t FIELD_CLEAR_SECONDS = 50;
constexpr int32_t FIELD_SHAKE_SECONDS = 5;
constexpr int32_t FIELD_FEW_BRICKS = 3;

extern int32_t g_nBricksLeft;
extern bool g_bFewBricksLeft;
extern int32_t g_nFieldClearCountdown;   // seconds, counted while few bricks are left
extern bool g_bAutoClear;
extern bool g_bFieldShake;
extern int32_t g_nFieldShakeSeconds;
extern bool g_bAnimationGate;            // one brick animation step may run

void GameDrawField();
void GameDrawPanel();
void GameDrawCountdown();
