// Brick fragments flying off the field (setting FS).
#pragma once
#include <array>
#include <cstdint>

constexpr int GAME_FRAGMENTS = 50;

struct Fragment {
    int32_t nCode;   // the brick's code, -1 when the slot is free
    int32_t x, y, vx, vy;
};

extern std::array<Fragment, GAME_FRAGMENTS> g_Fragments;

void GameClearFragments();
// A fragment of brick nCode from (x, y), thrown 2 faster than (vx, vy) on each axis.
void GameAddFragment(int32_t nCode, int32_t x, int32_t y, int32_t vx, int32_t vy);
void GameDrawFragments();
