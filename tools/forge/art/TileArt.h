// The painters of the two tile sheets: one cell of 40 x 24 at a time, in either
// of the two looks (glossy neon glass or carved stone and iron).
#pragma once
#include <cstdint>

#include "Canvas.h"

enum class TileLook { Glass, Stone };

// Bricks (Bricks.cpp). Every brick leaves a one-pixel transparent seam around
// itself so neighbours read as separate bricks.
void PaintNormalBrick(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Hue, int nFinish);
void PaintBonusBrick(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Hue, bool bStar);
void PaintSteelBrick(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Hue, int nVariant);
// nStage 0 is the whole four-hit brick, 3 the last, badly cracked stage.
void PaintMultiHitBrick(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Hue, int nStage, uint32_t nSeed);
void PaintSlidingBrick(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Accent);
constexpr int BRICK_FINISHES = 9;

// Decoration cells (Decorations.cpp): light, open shapes that do not look solid.
void PaintDecoration(Canvas& Sheet, const Box& Cell, TileLook Look, int nCode);

// Animations and special cells (TileEffects.cpp).
enum class BurstKind { Brick, Bonus, Smashed };
void PaintBurst(Canvas& Sheet, const Box& Cell, TileLook Look, BurstKind Kind, int nFrame);
void PaintTeleporter(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Colour, bool bUsed);
void PaintBallTrap(Canvas& Sheet, const Box& Cell, TileLook Look);
// A laser shot of power level 1..5, animation frame 0..9, in a 20 x 20 box.
void PaintShot(Canvas& Sheet, const Box& Area, int nLevel, int nFrame);

// The whole sheet of 20 x 25 cells (Tiles.cpp).
Canvas PaintTileSheet(TileLook Look);
