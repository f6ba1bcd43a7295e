// Enemies: sent over the field every 20 seconds, harmless or harmful by the
// difficulty; they kill paddles without a shield, catch and carry balls, and die
// by balls, laser shots and bonus 33.
#pragma once
#include <cstdint>

constexpr int GAME_ENEMIES = 10;

struct Enemy {
    uint8_t bActive;
    uint8_t bDying;
    uint8_t nFrame;       // 0..9; a dying enemy is freed when it reaches 10
    uint8_t bHarmless;
    uint8_t nKind;        // 0..7, the row of its picture
    int16_t x, y, vx, vy;
    int32_t nCarrying;    // 1 while it carries a ball
};

extern Enemy g_Enemies[GAME_ENEMIES];
// Bonus 65: enemies no longer catch balls (cleared by the level reset).
extern uint8_t g_bEnemyCatchLock;

void GameClearEnemies();
// The 20-second tick: the first free slot gets a new enemy.
void GameSendEnemy();
// The 100 ms tick: animation frames; dying enemies end.
void GameAnimateEnemies();
// Every frame in game: draws the enemies and moves them unless halted.
void GameMoveEnemies();
// The ball step: harmful enemies touching a paddle (before any ball moves).
void GameEnemiesAgainstPaddles();
// The ball step for one launched ball: carried along, caught, released or an enemy destroyed.
void GameEnemiesAgainstBall(int nBall);
// The enemy a laser shot at (x, y) hits (a living one carrying no ball), or -1.
int GameEnemyHitByShot(int16_t x, int16_t y);
// A laser shot at x hit the enemy: it dies, and 2 points go to player 1, in a
// match to the player on whose half the shot flies.
void GameShootEnemy(int nEnemy, int16_t nShotX);
// Starts the enemy's dying animation with explosion sound variant nSoundVariant;
// the balls it carried go free.
void GameDestroyEnemy(int nEnemy, int nSoundVariant);
// Bonus 33: every enemy destroyed and every carried ball released.
void GameDestroyAllEnemies();
