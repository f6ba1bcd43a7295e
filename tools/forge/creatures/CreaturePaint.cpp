// The shared painting helpers of the creature sheets.
#include "CreaturePaint.h"

#include "Style.h"

namespace CreaturePaint {

void Place(Canvas& Sheet, const Canvas& Cell, const SheetRect& Where)
{
    Sheet.Copy(Cell, {0, 0, Where.w, Where.h}, Where.x, Where.y);
}

Canvas WithGlow(const Canvas& Shape, int nRadius, const Rgba& Colour)
{
    Canvas Result = Shape.Glow(nRadius, Colour);
    Result.Draw(Shape, 0, 0);
    return Result;
}

Canvas Outlined(const Canvas& Shape, const Rgba& Aura, int nAuraRadius)
{
    Canvas Result = Shape.Glow(nAuraRadius, Aura);
    // The rim: a tight, strong copy of the shape's opacity in the night colour.
    Canvas Rim = Shape.Glow(1, Style::NIGHT);
    Rim.Fade(2.2f);
    Result.Draw(Rim, 0, 0);
    Result.Draw(Shape, 0, 0);
    return Result;
}

void ClearRowsFrom(Canvas& Target, int nTop)
{
    for (int y = std::max(0, nTop); y < Target.Height(); ++y)
        for (int x = 0; x < Target.Width(); ++x)
            Target.Set(x, y, Rgba{});
}

Canvas Mirrored(const Canvas& Source)
{
    Canvas Result(Source.Width(), Source.Height());
    for (int y = 0; y < Source.Height(); ++y)
        for (int x = 0; x < Source.Width(); ++x)
            Result.Set(Source.Width() - 1 - x, y, Source.Get(x, y));
    return Result;
}

namespace {

// Point (x, y) in the frame of an ellipse turned by fAngle around (cx, cy).
void ToLocal(float x, float y, float cx, float cy, float fAngle, float& lx, float& ly)
{
    float c = std::cos(fAngle), s = std::sin(fAngle);
    lx = (x - cx) * c + (y - cy) * s;
    ly = -(x - cx) * s + (y - cy) * c;
}

Box BoundsOf(float cx, float cy, float fRadius)
{
    return {(int)std::floor(cx - fRadius - 2), (int)std::floor(cy - fRadius - 2), (int)(2 * fRadius + 5),
            (int)(2 * fRadius + 5)};
}

}  // namespace

void ShadedEllipse(Canvas& Target, float cx, float cy, float rx, float ry, const Rgba& Base, float fAngle)
{
    Target.Fill(BoundsOf(cx, cy, std::max(rx, ry)),
                [=](float x, float y) {
                    float lx, ly;
                    ToLocal(x, y, cx, cy, fAngle, lx, ly);
                    return Shape::Ellipse(lx, ly, 0, 0, rx, ry);
                },
                [&](float x, float y) {
                    float nx = (x - cx) / rx, ny = (y - cy) / ry;
                    float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
                    float fDiffuse = std::max(0.0f, -(nx * Style::LIGHT_X + ny * Style::LIGHT_Y) * 0.7f + nz * 0.6f);
                    float fSpecular =
                        std::pow(std::max(0.0f, -(nx * Style::LIGHT_X + ny * Style::LIGHT_Y) * 0.6f + nz * 0.5f), 10.0f);
                    Rgba Colour = Shade(Base, (fDiffuse - 0.5f) * 0.8f);
                    return Mix(Colour, Hex(0xFFFFFF), std::min(0.8f, fSpecular * 0.7f));
                });
}

void TurnedEllipse(Canvas& Target, float cx, float cy, float rx, float ry, float fAngle, const Rgba& Colour)
{
    Target.Fill(BoundsOf(cx, cy, std::max(rx, ry)),
                [=](float x, float y) {
                    float lx, ly;
                    ToLocal(x, y, cx, cy, fAngle, lx, ly);
                    return Shape::Ellipse(lx, ly, 0, 0, rx, ry);
                },
                Colour);
}

std::vector<float> Turned(const std::vector<float>& Points, float cx, float cy, float fAngle, float dx, float dy)
{
    std::vector<float> Result(Points.size());
    float c = std::cos(fAngle), s = std::sin(fAngle);
    for (size_t n = 0; n + 1 < Points.size(); n += 2) {
        float x = Points[n] - cx, y = Points[n + 1] - cy;
        Result[n] = cx + x * c - y * s + dx;
        Result[n + 1] = cy + x * s + y * c + dy;
    }
    return Result;
}

void GradientPolygon(Canvas& Target, const std::vector<float>& Points, const Rgba& Top, const Rgba& Bottom)
{
    float fLeft = 1e9f, fTop = 1e9f, fRight = -1e9f, fBottom = -1e9f;
    for (size_t n = 0; n + 1 < Points.size(); n += 2) {
        fLeft = std::min(fLeft, Points[n]), fRight = std::max(fRight, Points[n]);
        fTop = std::min(fTop, Points[n + 1]), fBottom = std::max(fBottom, Points[n + 1]);
    }
    Box Area{(int)fLeft - 1, (int)fTop - 1, (int)(fRight - fLeft) + 3, (int)(fBottom - fTop) + 3};
    float fSpan = std::max(1.0f, fBottom - fTop);
    Target.Fill(Area, [&](float x, float y) { return Shape::Polygon(x, y, Points); },
                [&](float, float y) { return Mix(Top, Bottom, std::clamp((y - fTop) / fSpan, 0.0f, 1.0f)); });
}

void Stroke(Canvas& Target, float x0, float y0, float x1, float y1, float fWidth, const Rgba& Colour)
{
    Box Area{(int)(std::min(x0, x1) - fWidth - 2), (int)(std::min(y0, y1) - fWidth - 2),
             (int)(std::fabs(x1 - x0) + 2 * fWidth + 5), (int)(std::fabs(y1 - y0) + 2 * fWidth + 5)};
    Target.Fill(Area, [=](float x, float y) { return Shape::Capsule(x, y, x0, y0, x1, y1, fWidth); }, Colour);
}

void RadialBlob(Canvas& Target, float cx, float cy, float fRadius, const Rgba& Centre, const Rgba& Edge)
{
    Target.Fill(BoundsOf(cx, cy, fRadius), [=](float x, float y) { return Shape::Circle(x, y, cx, cy, fRadius); },
                [&](float x, float y) {
                    float t = std::clamp(std::hypot(x - cx, y - cy) / fRadius, 0.0f, 1.0f);
                    return Mix(Centre, Edge, t * t);
                });
}

namespace {

float Lattice(int x, int y, uint32_t nSeed)
{
    uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + nSeed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777215.0f;
}

float Smooth(float t) { return t * t * (3 - 2 * t); }

}  // namespace

float SmoothStep(float fLow, float fHigh, float x)
{
    float t = std::clamp((x - fLow) / (fHigh - fLow), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

float Noise(float x, float y, uint32_t nSeed)
{
    int ix = (int)std::floor(x), iy = (int)std::floor(y);
    float fx = Smooth(x - ix), fy = Smooth(y - iy);
    float a = Lattice(ix, iy, nSeed), b = Lattice(ix + 1, iy, nSeed);
    float c = Lattice(ix, iy + 1, nSeed), d = Lattice(ix + 1, iy + 1, nSeed);
    return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy;
}

float FractalNoise(float x, float y, uint32_t nSeed, int nOctaves)
{
    float fSum = 0, fWeight = 0.5f, fTotal = 0;
    for (int n = 0; n < nOctaves; ++n) {
        fSum += Noise(x, y, nSeed + n * 101u) * fWeight;
        fTotal += fWeight;
        x *= 2.03f, y *= 2.03f, fWeight *= 0.5f;
    }
    return fSum / fTotal;
}

namespace {

// The ink of Text on a canvas of the cell's size: centred by its own extent,
// and squeezed sideways when it would not fit between the cell's side columns.
Canvas GlyphInk(const Font& Font, const std::string& Text, int nWidth, int nHeight, float fBaseline)
{
    int nWide = nWidth * 3;
    Canvas Wide(nWide, nHeight);
    DrawLine(Wide, Font, nWide * 0.5f, fBaseline, Text, Hex(0xFFFFFF), Align::Centre);
    int nLeft = nWide, nRight = -1;
    for (int x = 0; x < nWide; ++x)
        for (int y = 0; y < nHeight; ++y)
            if (Wide.Get(x, y).a > 0.02f) {
                nLeft = std::min(nLeft, x), nRight = std::max(nRight, x);
                break;
            }
    Canvas Ink(nWidth, nHeight);
    if (nRight < nLeft)
        return Ink;
    Canvas Part = Wide.Crop({nLeft, 0, nRight - nLeft + 1, nHeight});
    int nRoom = nWidth - 2;
    if (Part.Width() > nRoom)
        Part = Part.Scaled(nRoom, nHeight);
    Ink.Draw(Part, (nWidth - Part.Width() + 1) / 2, 0);
    return Ink;
}

}  // namespace

void OutlinedGlyph(Canvas& Cell, const Font& Font, const std::string& Text, const Rgba& Top, const Rgba& Bottom,
                   const Rgba& Outline)
{
    // Capitals' ink spans the font's cap height above the baseline: centre that.
    float fCapHeight = Font.PixelSize() * 0.73f;
    float fBaseline = std::round((Cell.Height() + fCapHeight) * 0.5f);
    Canvas Ink = GlyphInk(Font, Text, Cell.Width(), Cell.Height(), fBaseline);
    float fTop = fBaseline - fCapHeight;
    for (int y = 0; y < Cell.Height(); ++y)
        for (int x = 0; x < Cell.Width(); ++x) {
            float fAlpha = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    fAlpha = std::max(fAlpha, Ink.Get(x + dx, y + dy).a);
            Cell.Blend(x, y, Outline, fAlpha);
        }
    for (int y = 0; y < Cell.Height(); ++y)
        for (int x = 0; x < Cell.Width(); ++x) {
            float t = std::clamp((y - fTop) / std::max(1.0f, fCapHeight), 0.0f, 1.0f);
            Cell.Blend(x, y, Mix(Top, Bottom, t), Ink.Get(x, y).a);
        }
}

void PaintBurst(Canvas& Cell, float t, const Rgba& Hot, const Rgba& Cool, uint64_t nSeed)
{
    float fSize = (float)std::min(Cell.Width(), Cell.Height());
    float c = fSize * 0.5f, fReach = fSize * 0.47f;
    ForgeRandom Random(nSeed);
    // Smoke puffs that linger and cool.
    for (int n = 0; n < 7; ++n) {
        float fAngle = Random.Range(0, 2 * PI), fDistance = Random.Range(0.15f, 0.55f) * fReach * (0.5f + t);
        float fRadius = fReach * (0.18f + 0.22f * t) * Random.Range(0.7f, 1.1f);
        if (t > 0.2f)
            RadialBlob(Cell, c + std::cos(fAngle) * fDistance, c + std::sin(fAngle) * fDistance, fRadius,
                       WithAlpha(Mix(Cool, Hex(0x2A2140), t), 0.95f - 0.4f * t), WithAlpha(Cool, 0.0f));
    }
    // The fireball: large and white-hot at first, shrinking and cooling.
    float fBall = fReach * (t < 0.3f ? 0.35f + 2.0f * t : std::max(0.0f, 0.95f - 1.05f * (t - 0.3f) / 0.7f));
    if (fBall > 1.0f) {
        // Turbulent: the noise pushes the hot layers in and out.
        uint32_t nNoiseSeed = (uint32_t)nSeed;
        float fScale = 6.0f / fSize;
        Cell.Fill({0, 0, Cell.Width(), Cell.Height()},
                  [=](float x, float y) {
                      float fWobble = (FractalNoise(x * fScale, y * fScale, nNoiseSeed, 3) - 0.5f) * fBall * 0.5f;
                      return Shape::Circle(x, y, c, c, fBall) - fWobble;
                  },
                  [&](float x, float y) {
                      float fHeat = 1 - std::hypot(x - c, y - c) / fBall;
                      fHeat += (FractalNoise(x * fScale * 1.7f, y * fScale * 1.7f, nNoiseSeed + 9, 3) - 0.5f) * 0.6f;
                      fHeat = std::clamp(fHeat + 0.3f - t * 0.6f, 0.0f, 1.0f);
                      Rgba Colour = fHeat > 0.6f ? Mix(Hot, Hex(0xFFF6D8), (fHeat - 0.6f) / 0.4f)
                                                 : Mix(Mix(Cool, Hex(0x2A2140), t * 0.6f), Hot, fHeat / 0.6f);
                      return Colour;
                  });
    }
    // The shock ring, once it has left the fireball.
    float fRing = fReach * (0.25f + 0.75f * std::sqrt(t)), fThickness = std::max(0.8f, fSize * 0.09f * (1.0f - t));
    if (t > 0.2f && t < 0.85f)
        Cell.Fill({0, 0, Cell.Width(), Cell.Height()},
                  [=](float x, float y) { return std::fabs(Shape::Circle(x, y, c, c, fRing)) - fThickness * 0.5f; },
                  WithAlpha(Mix(Hot, Hex(0xFFFFFF), 0.3f), 1.0f - 0.5f * t));
    // Sparks flying out.
    for (int n = 0; n < 12; ++n) {
        float fAngle = n * 2 * PI / 12 + Random.Range(-0.2f, 0.2f), fSpeed = Random.Range(0.6f, 1.0f);
        float fDistance = fReach * (0.2f + 0.8f * t * fSpeed);
        float fRadius = std::max(0.6f, fSize * 0.035f * (1.0f - t) + 0.4f);
        float x = c + std::cos(fAngle) * fDistance, y = c + std::sin(fAngle) * fDistance;
        Stroke(Cell, x, y, x - std::cos(fAngle) * fSize * 0.06f, y - std::sin(fAngle) * fSize * 0.06f, fRadius * 2,
               Mix(Hex(0xFFF0B0), Hot, t));
    }
}

Canvas TurnedCopy(const Canvas& Source, float sx, float sy, float fAngle, float dx, float dy, int nWidth, int nHeight)
{
    Canvas Result(nWidth, nHeight);
    float c = std::cos(fAngle), s = std::sin(fAngle);
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x) {
            // Back from the result to the source: turn the other way.
            float rx = x + 0.5f - dx, ry = y + 0.5f - dy;
            float fx = sx + rx * c + ry * s - 0.5f, fy = sy - rx * s + ry * c - 0.5f;
            int ix = (int)std::floor(fx), iy = (int)std::floor(fy);
            float tx = fx - ix, ty = fy - iy;
            Rgba Sum;
            const float WEIGHTS[4] = {(1 - tx) * (1 - ty), tx * (1 - ty), (1 - tx) * ty, tx * ty};
            for (int n = 0; n < 4; ++n) {
                Rgba Pixel = Source.Get(ix + n % 2, iy + n / 2);
                float w = WEIGHTS[n] * Pixel.a;
                Sum.r += Pixel.r * w, Sum.g += Pixel.g * w, Sum.b += Pixel.b * w, Sum.a += w;
            }
            if (Sum.a > 0)
                Result.Set(x, y, {Sum.r / Sum.a, Sum.g / Sum.a, Sum.b / Sum.a, Sum.a});
        }
    return Result;
}

}  // namespace CreaturePaint
