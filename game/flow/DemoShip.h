// The demo's pilot in a boss stage: it flies the ship out of the boss's fire,
// lines it up with the part of the boss that can be hurt now and shoots.
#pragma once
#include <cstdint>

// How often the demo clicks to fire, laser or ship: a click takes two frames'
// events, and the guns cool for a second or more anyway.
constexpr uint64_t DEMO_FIRE_EVERY_FRAMES = 10;

// Once a frame of a boss stage; nFrame counts the demo's frames.
void DemoFlyShip(uint64_t nFrame);
