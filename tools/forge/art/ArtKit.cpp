// Painting helpers shared by the play sheets.
#include "ArtKit.h"

#include <cmath>

namespace ArtKit {

namespace {

float Lattice(uint32_t nSeed, int x, int y)
{
    uint32_t h = nSeed * 0x9E3779B1u ^ (uint32_t)x * 0x85EBCA77u ^ (uint32_t)y * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / 16777215.0f;
}

float Smooth(float t) { return t * t * (3 - 2 * t); }

}  // namespace

float ValueNoise(uint32_t nSeed, float x, float y)
{
    int x0 = (int)std::floor(x), y0 = (int)std::floor(y);
    float tx = Smooth(x - x0), ty = Smooth(y - y0);
    float fTop = Lattice(nSeed, x0, y0) + (Lattice(nSeed, x0 + 1, y0) - Lattice(nSeed, x0, y0)) * tx;
    float fBottom = Lattice(nSeed, x0, y0 + 1) + (Lattice(nSeed, x0 + 1, y0 + 1) - Lattice(nSeed, x0, y0 + 1)) * tx;
    return fTop + (fBottom - fTop) * ty;
}

float FractalNoise(uint32_t nSeed, float x, float y, int nOctaves)
{
    float fSum = 0, fWeight = 1, fTotal = 0, fScale = 1;
    for (int n = 0; n < nOctaves; ++n) {
        fSum += ValueNoise(nSeed + (uint32_t)n * 131u, x * fScale, y * fScale) * fWeight;
        fTotal += fWeight;
        fWeight *= 0.5f;
        fScale *= 2.0f;
    }
    return fSum / fTotal;
}

float ArrowDistance(float x, float y, float x0, float y0, float x1, float y1, float fWidth, float fHead)
{
    float dx = x1 - x0, dy = y1 - y0, fLength = std::hypot(dx, dy);
    if (fLength <= 0)
        return Shape::Circle(x, y, x0, y0, fWidth * 0.5f);
    float ux = dx / fLength, uy = dy / fLength;
    // The shaft stops where the head begins; the head is a triangle on the tip.
    float bx = x1 - ux * fHead, by = y1 - uy * fHead;
    float fShaft = Shape::Capsule(x, y, x0, y0, bx, by, fWidth);
    float fHalf = fHead * 0.75f;
    std::vector<float> Head = {x1, y1, bx - uy * fHalf, by + ux * fHalf, bx + uy * fHalf, by - ux * fHalf};
    return std::min(fShaft, Shape::Polygon(x, y, Head));
}

void WithGlow(Canvas& Target, const Box& Area, int nRadius, const Rgba& GlowColour,
              const std::function<void(Canvas& Layer, int nOffsetX, int nOffsetY)>& Painter)
{
    // The layer reaches past the area by the glow's radius so the glow is not cut.
    int nMargin = nRadius * 2;
    Canvas Layer(Area.w + 2 * nMargin, Area.h + 2 * nMargin);
    Painter(Layer, nMargin - Area.x, nMargin - Area.y);
    Target.Draw(Layer.Glow(nRadius, GlowColour), Area.x - nMargin, Area.y - nMargin);
    Target.Draw(Layer, Area.x - nMargin, Area.y - nMargin);
}

void GlowOf(Canvas& Target, const Box& Area, int nRadius, const Rgba& Colour, const Distance& Shape)
{
    Canvas Layer(Area.w, Area.h);
    Layer.Fill({0, 0, Area.w, Area.h}, [&](float x, float y) { return Shape(x + Area.x, y + Area.y); }, Hex(0xFFFFFF));
    Target.Draw(Layer.Glow(nRadius, Colour), Area.x, Area.y);
}

void OutlinedText(Canvas& Target, const Font& Font, float x, float fBaseline, const std::string& Text,
                  const Rgba& Colour, const Rgba& Outline, Align Where, int nOutline)
{
    for (int dy = -nOutline; dy <= nOutline; ++dy)
        for (int dx = -nOutline; dx <= nOutline; ++dx)
            if (dx || dy)
                DrawLine(Target, Font, x + dx, fBaseline + dy, Text, Outline, Where);
    DrawLine(Target, Font, x, fBaseline, Text, Colour, Where);
}

std::vector<float> StarPoints(float cx, float cy, float fOuter, float fInner, int nPoints, float fTurn)
{
    std::vector<float> Points;
    for (int n = 0; n < nPoints * 2; ++n) {
        float fAngle = fTurn + (float)M_PI * n / nPoints - (float)M_PI / 2;
        float fRadius = n % 2 ? fInner : fOuter;
        Points.push_back(cx + std::cos(fAngle) * fRadius);
        Points.push_back(cy + std::sin(fAngle) * fRadius);
    }
    return Points;
}

}  // namespace ArtKit
