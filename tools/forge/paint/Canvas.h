// The forge's painting surface: straight-alpha float RGBA pixels, shapes painted
// from signed distance functions (so every edge is anti-aliased the same way),
// and compositing. Pictures become engine chunkies only when they are saved.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;   // 0..1, not premultiplied
};

// 0xRRGGBB with an opacity.
inline Rgba Hex(uint32_t nRgb, float fAlpha = 1.0f)
{
    return {((nRgb >> 16) & 0xFF) / 255.0f, ((nRgb >> 8) & 0xFF) / 255.0f, (nRgb & 0xFF) / 255.0f, fAlpha};
}
inline Rgba Mix(const Rgba& A, const Rgba& B, float t)
{
    return {A.r + (B.r - A.r) * t, A.g + (B.g - A.g) * t, A.b + (B.b - A.b) * t, A.a + (B.a - A.a) * t};
}
// The colour scaled towards white (fAmount > 0) or black (fAmount < 0), opacity kept.
Rgba Shade(const Rgba& Colour, float fAmount);
inline Rgba WithAlpha(Rgba Colour, float fAlpha)
{
    Colour.a = fAlpha;
    return Colour;
}

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
};

class Canvas {
public:
    Canvas() = default;
    Canvas(int nWidth, int nHeight);   // fully transparent

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }
    Rgba Get(int x, int y) const { return Inside(x, y) ? m_Pixels[(size_t)y * m_nWidth + x] : Rgba{}; }
    void Set(int x, int y, const Rgba& Colour)
    {
        if (Inside(x, y))
            m_Pixels[(size_t)y * m_nWidth + x] = Colour;
    }

    // Source-over of Colour, its opacity scaled by fCoverage (0..1).
    void Blend(int x, int y, const Rgba& Colour, float fCoverage = 1.0f);

    // Paints a shape over the pixels of Area. Distance(x, y) is the signed distance
    // in pixels from the pixel centre (x + 0.5, y + 0.5) to the shape's edge,
    // negative inside; the edge gets one pixel of anti-aliasing. Paint(x, y) gives
    // the colour at that centre.
    template <class DistanceFn, class PaintFn>
    void Fill(const Box& Area, DistanceFn Distance, PaintFn Paint)
    {
        int nLeft = std::max(0, Area.x), nTop = std::max(0, Area.y);
        int nRight = std::min(m_nWidth, Area.Right()), nBottom = std::min(m_nHeight, Area.Bottom());
        for (int y = nTop; y < nBottom; ++y)
            for (int x = nLeft; x < nRight; ++x) {
                float fx = x + 0.5f, fy = y + 0.5f;
                float fCoverage = std::clamp(0.5f - Distance(fx, fy), 0.0f, 1.0f);
                if (fCoverage > 0.0f)
                    Blend(x, y, Paint(fx, fy), fCoverage);
            }
    }
    template <class DistanceFn>
    void Fill(const Box& Area, DistanceFn Distance, const Rgba& Colour)
    {
        Fill(Area, Distance, [&](float, float) { return Colour; });
    }

    // Composites Source over this canvas with its top-left at (x, y).
    void Draw(const Canvas& Source, int x, int y, float fOpacity = 1.0f);
    // Replaces the pixels of Area (in Source) at (x, y), transparency included.
    void Copy(const Canvas& Source, const Box& Area, int x, int y);
    // A part of the canvas as a canvas of its own.
    Canvas Crop(const Box& Area) const;
    // Every pixel's opacity multiplied by fFactor.
    void Fade(float fFactor);
    // A soft copy of the opacity (a box blur of the given radius, three passes),
    // painted in one colour: the base for glows and drop shadows.
    Canvas Glow(int nRadius, const Rgba& Colour) const;
    // A nearest-free, averaging scale to the given size.
    Canvas Scaled(int nWidth, int nHeight) const;

private:
    int m_nWidth = 0, m_nHeight = 0;
    std::vector<Rgba> m_Pixels;
};

// Signed distance functions for Canvas::Fill (negative inside, in pixels).
namespace Shape {
inline float Circle(float x, float y, float cx, float cy, float fRadius)
{
    return std::hypot(x - cx, y - cy) - fRadius;
}
// An axis-aligned box with rounded corners (fRadius 0 gives sharp corners).
float RoundedBox(float x, float y, float fLeft, float fTop, float fRight, float fBottom, float fRadius);
// An ellipse (a close approximation of the true distance).
float Ellipse(float x, float y, float cx, float cy, float rx, float ry);
// A line from (x0, y0) to (x1, y1) with round ends, fWidth thick.
float Capsule(float x, float y, float x0, float y0, float x1, float y1, float fWidth);
// A convex or concave polygon (even-odd rule) given as x, y pairs.
float Polygon(float x, float y, const std::vector<float>& Points);
}  // namespace Shape

// A pseudo-random number generator for the forge: fixed seeds give the same
// pictures and sounds on every run and every machine.
class ForgeRandom {
public:
    explicit ForgeRandom(uint64_t nSeed) : m_nState(nSeed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint32_t Next();
    float Unit() { return (Next() >> 8) * (1.0f / 16777216.0f); }   // 0 <= n < 1
    float Range(float fLow, float fHigh) { return fLow + (fHigh - fLow) * Unit(); }
    int Int(int nLow, int nHigh) { return nLow + (int)(Next() % (uint32_t)(nHigh - nLow + 1)); }   // both ends

private:
    uint64_t m_nState;
};
