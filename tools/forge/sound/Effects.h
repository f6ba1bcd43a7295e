// The game's sound effects, made from code: bricks (one timbre per brick kind,
// pitched by the brick's row), bonuses (bright and rising for the good ones,
// sour and falling for the bad ones), explosions, shots, wall bounces and the
// jingles. Each effect belongs to a loudness group that the sound step
// balances as a whole.
#pragma once
#include "ForgedSound.h"

constexpr int BRICK_VARIANTS = 19;   // one per brick row
constexpr int BONUS_VARIANTS = 35;

enum class BrickKind { Normal, Bonus, Indestructible, MultiHit, FourHit, Sliding };
struct BrickKindName {
    BrickKind Kind;
    const char* szPrefix;   // file name = prefix + variant + ".wav"
};
extern const BrickKindName BRICK_KINDS[6];

// Row variants 1..19 climb a major pentatonic scale.
float BrickFrequency(int nVariant);
Signal BrickSound(BrickKind Kind, int nVariant);

enum class BonusMood { Good, Bad, Mystery };
BonusMood BonusVariantMood(int nVariant);   // variant = code - 19 (codes 20..39) or code - 39 (60..74)
Signal BonusSound(int nVariant);

// Every effect of the game's sound table, in table order.
std::vector<ForgedSound> ForgeEffects();
