// Small painting helpers the creature painters share: placing cells, glows and
// outlines, lit ellipses, turned shapes, noise, outlined glyphs and bursts.
#pragma once
#include <string>
#include <vector>

#include "Canvas.h"
#include "Text.h"
#include "sheets.h"

namespace CreaturePaint {

constexpr float PI = 3.14159265f;

// Puts a cell-sized canvas into its rectangle of a sheet, replacing what was there.
void Place(Canvas& Sheet, const Canvas& Cell, const SheetRect& Where);
// The shape with a soft glow of the given colour beneath it.
Canvas WithGlow(const Canvas& Shape, int nRadius, const Rgba& Colour);
// The shape with a dark rim around it (readable over any ground) and a coloured aura.
Canvas Outlined(const Canvas& Shape, const Rgba& Aura, int nAuraRadius = 4);
// Clears every row from nTop down: cuts a shape flat.
void ClearRowsFrom(Canvas& Target, int nTop);
// A mirror image (left and right swapped).
Canvas Mirrored(const Canvas& Source);
// An ellipse shaded like a sphere lit from the upper left.
void ShadedEllipse(Canvas& Target, float cx, float cy, float rx, float ry, const Rgba& Base, float fAngle = 0.0f);
// A filled ellipse turned by fAngle (radians) in one colour.
void TurnedEllipse(Canvas& Target, float cx, float cy, float rx, float ry, float fAngle, const Rgba& Colour);
// Polygon points turned by fAngle around (cx, cy) and moved by (dx, dy).
std::vector<float> Turned(const std::vector<float>& Points, float cx, float cy, float fAngle, float dx = 0, float dy = 0);
// Source turned by fAngle (radians, clockwise on screen) around its point
// (sx, sy), which lands on (dx, dy) of a new canvas of the given size; sampled
// bilinearly so the edges stay soft.
Canvas TurnedCopy(const Canvas& Source, float sx, float sy, float fAngle, float dx, float dy, int nWidth, int nHeight);
// A polygon filled with a vertical gradient from Top to Bottom colour over its bounds.
void GradientPolygon(Canvas& Target, const std::vector<float>& Points, const Rgba& Top, const Rgba& Bottom);
// A thick line with round ends.
void Stroke(Canvas& Target, float x0, float y0, float x1, float y1, float fWidth, const Rgba& Colour);
// A radial blob: Centre colour fading to Edge colour (its opacity included) at fRadius.
void RadialBlob(Canvas& Target, float cx, float cy, float fRadius, const Rgba& Centre, const Rgba& Edge);

// 0 below fLow, 1 above fHigh, a smooth S between.
float SmoothStep(float fLow, float fHigh, float x);
// Smooth value noise in 0..1 and its sum over octaves (fractal noise), seeded.
float Noise(float x, float y, uint32_t nSeed);
float FractalNoise(float x, float y, uint32_t nSeed, int nOctaves);

// One glyph string centred in its cell with a dark outline, coloured by a
// vertical gradient. The ink of capitals is centred vertically.
void OutlinedGlyph(Canvas& Cell, const Font& Font, const std::string& Text, const Rgba& Top, const Rgba& Bottom,
                   const Rgba& Outline);

// An explosion at time t (0 start .. 1 end) centred in a square cell: a flash,
// a ring and sparks in the hot colour, cooling to the cool colour.
void PaintBurst(Canvas& Cell, float t, const Rgba& Hot, const Rgba& Cool, uint64_t nSeed);

}  // namespace CreaturePaint
