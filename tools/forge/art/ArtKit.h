// Small painting helpers shared by the play sheets: rectangles of sheets.h as
// canvas boxes, seeded value noise for surfaces, arrows, outlined and glowing
// shapes painted on a layer of their own.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Style.h"
#include "Text.h"
#include "sheets.h"

namespace ArtKit {

inline Box BoxOf(const SheetRect& Rect) { return {Rect.x, Rect.y, Rect.w, Rect.h}; }
inline Box Inset(const Box& Area, int n) { return {Area.x + n, Area.y + n, Area.w - 2 * n, Area.h - 2 * n}; }

// Smooth value noise in 0..1 with one lattice point per pixel unit, the same
// for the same seed and position on every run.
float ValueNoise(uint32_t nSeed, float x, float y);
// Noise of several octaves (each half the size and weight of the one before), 0..1.
float FractalNoise(uint32_t nSeed, float x, float y, int nOctaves);

// A signed distance function: negative inside, in pixels.
using Distance = std::function<float(float, float)>;

// An arrow from (x0, y0) to (x1, y1): a shaft fWidth thick and a head of fHead.
float ArrowDistance(float x, float y, float x0, float y0, float x1, float y1, float fWidth, float fHead);

// Paints with Painter onto a transparent layer over Area, then lays a glow of the
// layer's shape (radius, colour) and the layer itself onto Target.
void WithGlow(Canvas& Target, const Box& Area, int nRadius, const Rgba& GlowColour,
              const std::function<void(Canvas& Layer, int nOffsetX, int nOffsetY)>& Painter);

// Only the glow of a shape (radius, colour), painted inside Area.
void GlowOf(Canvas& Target, const Box& Area, int nRadius, const Rgba& Colour, const Distance& Shape);

// One line of text with a dark outline of nOutline pixels around every stroke.
void OutlinedText(Canvas& Target, const Font& Font, float x, float fBaseline, const std::string& Text,
                  const Rgba& Colour, const Rgba& Outline, Align Where = Align::Left, int nOutline = 1);

// The corners of a star centred at (cx, cy), for Shape::Polygon; the first
// point looks up, turned by fTurn radians.
std::vector<float> StarPoints(float cx, float cy, float fOuter, float fInner, int nPoints = 5, float fTurn = 0.0f);

}  // namespace ArtKit
