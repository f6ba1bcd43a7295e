// Playing without a mouse: the arrow keys (and A/D) steer, Space launches, Left
// Ctrl fires; a gamepad arrives here as the same keys (the engine's platform).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "korvid.h"

// The keys that steer, in this order: Left, Right, A, D, Up, Down.
constexpr size_t GAME_STEER_KEY_COUNT = 6;
// For each steering key the engine's time it went down, 0 when it is not held.
using GameSteerKeys = std::array<uint32_t, GAME_STEER_KEY_COUNT>;

// Once per frame after the frame's input was read (Key: the key event the frame
// took, press or release): moves the engine's pointer
// for held steering keys (so paddle, ship and momentum follow as from the
// mouse), turns Space and Left Ctrl into the left and right click of play, and
// on the title screen looks for newly plugged gamepads now and then. Depends
// only on the key events and the engine's clock.
void GameKeyPlay(const KorvidEvent& Key);

// The steering keys as the engine holds them now.
GameSteerKeys GameEngineSteerKeys();
// A replay steers with the recorded keys instead of the engine's (whose keys are
// the watcher's); nullptr gives the engine's back.
void GameReplaySteerKeys(const GameSteerKeys* pKeys);
