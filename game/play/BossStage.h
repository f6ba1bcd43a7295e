// The boss stage: a duel on its own screen between the player's ship, steered by
// the pointer, and a boss with head, jaw and three guns. It replaces paddles,
// balls and bricks while g_bBossStage is set.
#pragma once
#include <cstdint>

constexpr int BOSS_SOURCES = 5;        // head, jaw, guns 1..3
constexpr int BOSS_SHOTS = 20;         // each side's shots
constexpr int BOSS_EXPLOSIONS = 20;
constexpr int32_t BOSS_SHIP_X = 10;
constexpr int32_t BOSS_SHIP_TOP_Y = 2, BOSS_SHIP_BOTTOM_Y = 470;
constexpr int32_t BOSS_JAW_TOP_Y = 161, BOSS_JAW_BOTTOM_Y = 262;

enum BossSource : int { BOSS_SOURCE_HEAD = 0, BOSS_SOURCE_JAW = 1, BOSS_SOURCE_GUN1 = 2 };
enum BossShotKind : uint8_t { BOSS_SHOT_HEAD = 0, BOSS_SHOT_JAW = 1, BOSS_SHOT_GUN = 2, BOSS_SHOT_SHIP = 3 };

// One attack source: it steps its animation every 100 ms while not resting;
// every fourth step moves it to its next phase and rests it.
struct BossAttack {
    int32_t nCooldown;   // seconds until it may fire again
    int32_t nBusy;       // seconds of rest left
    int32_t nStep;       // 0..3
    int32_t nPhase;      // 0..3
};

struct BossShot {
    uint8_t bActive;
    int16_t x, y;
    int16_t nStepY;      // pixels down (negative: up) per frame
    uint8_t nKind;       // BossShotKind
};

struct BossExplosion {
    uint8_t bActive;
    bool bBig;           // nine frames of 64 x 64, else three of 32 x 32
    int16_t x, y;        // its centre
    int32_t nFrame;
};

struct BossStage {
    int32_t nPlayerEnergy, nPlayerLives;
    int32_t nBossEnergy, nBossLives;
    int32_t nJawY, nJawDirection;   // direction +1 down, -1 up
    int32_t nShipY;
    int32_t nShipCooldown;          // seconds until the ship may fire again
    BossAttack Sources[BOSS_SOURCES];
    BossShot PlayerShots[BOSS_SHOTS];
    BossShot BossShots[BOSS_SHOTS];
    BossExplosion Explosions[BOSS_EXPLOSIONS];
};

extern BossStage g_Boss;

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
