// Playing without a mouse: the arrow keys (and A/D) steer, Space launches, Left
// Ctrl fires; a gamepad arrives here as the same keys (the engine's platform).
#pragma once
#include "korvid.h"

// Once per frame after the frame's input was read (Key: the key event the frame
// took, press or release): moves the engine's pointer
// for held steering keys (so paddle, ship and momentum follow as from the
// mouse), turns Space and Left Ctrl into the left and right click of play, and
// on the title screen looks for newly plugged gamepads now and then. Depends
// only on the key events and the engine's clock.
void GameKeyPlay(const KorvidEvent& Key);
