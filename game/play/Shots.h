// The laser shots: fired from a paddle's two guns, flying up through bricks
// and losing power at each one.
#pragma once
#include <cstdint>

constexpr int GAME_SHOTS = 20;
constexpr int16_t SHOT_ROW_BASE = 412, SHOT_ROW_STEP = 20;   // top row = base + step * power
constexpr uint8_t SHOT_MAX_POWER = 5;

struct Shot {
    uint8_t bActive;
    int16_t x, y;
    int16_t nTopRow, nBottomRow;
};

struct Gun {
    bool bRightNext;        // the right gun fires next
    int32_t nCooldown;      // seconds until the next shot
};

extern Shot g_Shots[GAME_SHOTS];
extern Gun g_Guns[2];
extern int32_t g_nGunCooldownLength;   // seconds after a right-gun shot

void GameClearShots();
void GameFire(int nPlayer);
// Draws every shot and moves it on, into bricks.
void GameMoveShots();
