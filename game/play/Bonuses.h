// Falling bonuses: released by bonus bricks, drawn and moved every frame, caught
// by a paddle; the effect of every bonus code, and the per-player bonus timers'
// expiry.
#pragma once
#include <cstdint>

constexpr int GAME_BONUS_SLOTS = 50;

struct FallingBonus {
    uint8_t bActive;
    int16_t x, y;
    uint8_t nType;      // the brick code that released it; it chooses the picture
};

extern FallingBonus g_Bonuses[GAME_BONUS_SLOTS];

void GameClearBonuses();
// A bonus of the brick code starts falling at (x, y); no free slot: none.
void GameSpawnBonus(int nCode, int x, int y);
// Every frame in game: draws, moves and catches the bonuses, then the expiry checks.
void GameMoveBonuses();
// Player nPlayer's paddle caught the bonus of slot nSlot: its effect.
void GameCatchBonus(int nSlot, int nPlayer);
