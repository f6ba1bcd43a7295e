// The boss stage: a duel on its own screen between the player's ship, steered by
// the pointer, and a boss with head, jaw and three guns. It replaces paddles,
// balls and bricks while g_bBossStage is set.
#pragma once
#include <cstdint>

// Both energies 100 and both lives 5: a boss stage begins.
void GameStartBossStage();
// Clears shots and explosions (the level reset).
void GameClearBossStage();
// Drawing: sky, stars, boss, shots, explosions, ship and bars.
void GameDrawBossStage();
// The frame's play: ship, jaw, firing, shots, hits, winning and losing.
void GamePlayBossStage();
// The play clock's 100 ms tick (attack cycles, explosions) and 1-second tick (cooldowns).
void GameBossAnimationTick();
void GameBossSecondTick();
