// Canvas pixels, compositing and the distance functions of the shapes.
#include "Canvas.h"

Rgba Shade(const Rgba& Colour, float fAmount)
{
    Rgba Target = fAmount >= 0 ? Rgba{1, 1, 1, Colour.a} : Rgba{0, 0, 0, Colour.a};
    return Mix(Colour, Target, std::fabs(fAmount));
}

Canvas::Canvas(int nWidth, int nHeight)
    : m_nWidth(std::max(0, nWidth)), m_nHeight(std::max(0, nHeight)), m_Pixels((size_t)m_nWidth * m_nHeight)
{
}

void Canvas::Blend(int x, int y, const Rgba& Colour, float fCoverage)
{
    if (!Inside(x, y))
        return;
    Rgba& Pixel = m_Pixels[(size_t)y * m_nWidth + x];
    float fSource = std::clamp(Colour.a * fCoverage, 0.0f, 1.0f);
    float fOut = fSource + Pixel.a * (1.0f - fSource);
    if (fOut <= 0.0f) {
        Pixel = Rgba{};
        return;
    }
    float fKeep = Pixel.a * (1.0f - fSource);
    Pixel.r = (Colour.r * fSource + Pixel.r * fKeep) / fOut;
    Pixel.g = (Colour.g * fSource + Pixel.g * fKeep) / fOut;
    Pixel.b = (Colour.b * fSource + Pixel.b * fKeep) / fOut;
    Pixel.a = fOut;
}

void Canvas::Draw(const Canvas& Source, int x, int y, float fOpacity)
{
    for (int sy = 0; sy < Source.m_nHeight; ++sy)
        for (int sx = 0; sx < Source.m_nWidth; ++sx)
            Blend(x + sx, y + sy, Source.Get(sx, sy), fOpacity);
}

void Canvas::Copy(const Canvas& Source, const Box& Area, int x, int y)
{
    for (int sy = 0; sy < Area.h; ++sy)
        for (int sx = 0; sx < Area.w; ++sx)
            Set(x + sx, y + sy, Source.Get(Area.x + sx, Area.y + sy));
}

Canvas Canvas::Crop(const Box& Area) const
{
    Canvas Part(Area.w, Area.h);
    Part.Copy(*this, Area, 0, 0);
    return Part;
}

void Canvas::Fade(float fFactor)
{
    for (Rgba& Pixel : m_Pixels)
        Pixel.a = std::clamp(Pixel.a * fFactor, 0.0f, 1.0f);
}

namespace {

// One box-blur pass of the opacity along rows (bRows) or columns.
void BlurPass(std::vector<float>& Values, int nWidth, int nHeight, int nRadius, bool bRows)
{
    int nLines = bRows ? nHeight : nWidth, nLength = bRows ? nWidth : nHeight;
    std::vector<float> Line(nLength);
    for (int nLine = 0; nLine < nLines; ++nLine) {
        auto At = [&](int n) -> float& {
            return bRows ? Values[(size_t)nLine * nWidth + n] : Values[(size_t)n * nWidth + nLine];
        };
        float fSum = 0;
        for (int n = -nRadius; n <= nRadius; ++n)
            fSum += (n >= 0 && n < nLength) ? At(n) : 0.0f;
        for (int n = 0; n < nLength; ++n) {
            Line[n] = fSum / (2 * nRadius + 1);
            int nOut = n - nRadius, nIn = n + nRadius + 1;
            fSum -= (nOut >= 0 && nOut < nLength) ? At(nOut) : 0.0f;
            fSum += (nIn >= 0 && nIn < nLength) ? At(nIn) : 0.0f;
        }
        for (int n = 0; n < nLength; ++n)
            At(n) = Line[n];
    }
}

}  // namespace

Canvas Canvas::Glow(int nRadius, const Rgba& Colour) const
{
    std::vector<float> Alpha(m_Pixels.size());
    for (size_t n = 0; n < m_Pixels.size(); ++n)
        Alpha[n] = m_Pixels[n].a;
    int nPassRadius = std::max(1, nRadius / 2);
    for (int nPass = 0; nPass < 3; ++nPass) {
        BlurPass(Alpha, m_nWidth, m_nHeight, nPassRadius, true);
        BlurPass(Alpha, m_nWidth, m_nHeight, nPassRadius, false);
    }
    Canvas Soft(m_nWidth, m_nHeight);
    for (size_t n = 0; n < m_Pixels.size(); ++n)
        Soft.m_Pixels[n] = WithAlpha(Colour, Colour.a * Alpha[n]);
    return Soft;
}

Canvas Canvas::Scaled(int nWidth, int nHeight) const
{
    Canvas Result(nWidth, nHeight);
    if (m_nWidth == 0 || m_nHeight == 0)
        return Result;
    float fStepX = (float)m_nWidth / nWidth, fStepY = (float)m_nHeight / nHeight;
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x) {
            // Average the covered source pixels, weighting colour by opacity.
            int x0 = (int)(x * fStepX), x1 = std::max(x0 + 1, (int)((x + 1) * fStepX));
            int y0 = (int)(y * fStepY), y1 = std::max(y0 + 1, (int)((y + 1) * fStepY));
            Rgba Sum;
            int nCount = 0;
            for (int sy = y0; sy < y1 && sy < m_nHeight; ++sy)
                for (int sx = x0; sx < x1 && sx < m_nWidth; ++sx, ++nCount) {
                    Rgba Pixel = Get(sx, sy);
                    Sum.r += Pixel.r * Pixel.a;
                    Sum.g += Pixel.g * Pixel.a;
                    Sum.b += Pixel.b * Pixel.a;
                    Sum.a += Pixel.a;
                }
            if (Sum.a > 0)
                Result.Set(x, y, {Sum.r / Sum.a, Sum.g / Sum.a, Sum.b / Sum.a, Sum.a / nCount});
        }
    return Result;
}

namespace Shape {

float RoundedBox(float x, float y, float fLeft, float fTop, float fRight, float fBottom, float fRadius)
{
    float cx = (fLeft + fRight) * 0.5f, cy = (fTop + fBottom) * 0.5f;
    float hx = (fRight - fLeft) * 0.5f - fRadius, hy = (fBottom - fTop) * 0.5f - fRadius;
    float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
    float fOutside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return fOutside + std::min(std::max(qx, qy), 0.0f) - fRadius;
}

float Ellipse(float x, float y, float cx, float cy, float rx, float ry)
{
    float nx = (x - cx) / rx, ny = (y - cy) / ry;
    float fLength = std::hypot(nx, ny);
    // Scale the normalised distance by the local radius.
    float fGradient = std::hypot(nx / rx, ny / ry);
    return fGradient > 0 ? (fLength - 1.0f) * fLength / fGradient : -std::min(rx, ry);
}

float Capsule(float x, float y, float x0, float y0, float x1, float y1, float fWidth)
{
    float dx = x1 - x0, dy = y1 - y0;
    float fLength2 = dx * dx + dy * dy;
    float t = fLength2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / fLength2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - fWidth * 0.5f;
}

float Polygon(float x, float y, const std::vector<float>& Points)
{
    size_t nCount = Points.size() / 2;
    if (nCount < 3)
        return 1e9f;
    float fBest = 1e30f;
    bool bInside = false;
    for (size_t i = 0, j = nCount - 1; i < nCount; j = i++) {
        float xi = Points[2 * i], yi = Points[2 * i + 1], xj = Points[2 * j], yj = Points[2 * j + 1];
        float ex = xj - xi, ey = yj - yi, wx = x - xi, wy = y - yi;
        float fLength2 = ex * ex + ey * ey;
        float t = fLength2 > 0 ? std::clamp((wx * ex + wy * ey) / fLength2, 0.0f, 1.0f) : 0.0f;
        fBest = std::min(fBest, std::hypot(wx - ex * t, wy - ey * t));
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            bInside = !bInside;
    }
    return bInside ? -fBest : fBest;
}

}  // namespace Shape

uint32_t ForgeRandom::Next()
{
    // SplitMix64: small, fast and the same everywhere.
    uint64_t z = (m_nState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return (uint32_t)((z ^ (z >> 31)) >> 32);
}
