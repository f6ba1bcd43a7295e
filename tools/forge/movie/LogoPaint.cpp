// Painting helpers of the logo scenes.
#include "LogoPaint.h"

#include "MoviePalette.h"

namespace Logo {

float FadeInOut(int nFrame, int nFrames, int nFadeIn, int nFadeOut)
{
    float fIn = Progress(nFrame, 0, (float)nFadeIn);
    float fOut = 1.0f - Progress(nFrame, (float)(nFrames - 1 - nFadeOut), (float)(nFrames - 1));
    return EaseInOut(std::min(fIn, fOut));
}

TextLayer::TextLayer(const Font& Face, const std::string& Text, float fTracking, const Rgba& Colour)
{
    // Letters one by one, so the spacing between them can grow; the text is
    // ASCII, one byte a letter.
    const int nPad = 4;
    float fWidth = 0;
    for (char c : Text)
        fWidth += Face.Width(std::string(1, c)) + fTracking;
    fWidth -= fTracking;
    m_nBaseline = Face.Ascent() + nPad;
    m_Picture = Canvas((int)std::ceil(fWidth) + 2 * nPad, Face.LineHeight() + 2 * nPad);
    float x = nPad;
    for (char c : Text)
        x += Face.Draw(m_Picture, std::round(x), (float)m_nBaseline, std::string(1, c), Colour) + fTracking;
}

void TintVertical(Canvas& Layer, const Rgba& Top, const Rgba& Bottom)
{
    for (int y = 0; y < Layer.Height(); ++y) {
        Rgba Colour = Mix(Top, Bottom, Layer.Height() > 1 ? (float)y / (Layer.Height() - 1) : 0.0f);
        for (int x = 0; x < Layer.Width(); ++x) {
            Rgba Pixel = Layer.Get(x, y);
            if (Pixel.a > 0)
                Layer.Set(x, y, WithAlpha(Colour, Pixel.a));
        }
    }
}

void DrawLayer(Canvas& Frame, const Canvas& Layer, int x, int y, const LayerLook& Look)
{
    if (Look.fOpacity <= 0)
        return;
    const float fSlant = 0.45f;   // the light leans right as it rises
    for (int ly = 0; ly < Layer.Height(); ++ly)
        for (int lx = 0; lx < Layer.Width(); ++lx) {
            Rgba Pixel = Layer.Get(lx, ly);
            if (Pixel.a <= 0)
                continue;
            float fShown = std::clamp((Look.fRevealX - lx) / Look.fRevealSoftness + 0.5f, 0.0f, 1.0f);
            if (fShown <= 0)
                continue;
            float fBand = std::fabs(lx + (Layer.Height() - ly) * fSlant - Look.fLightX) / Look.fLightWidth;
            if (fBand < 1)
                Pixel = Mix(Pixel, WithAlpha(Look.Light, Pixel.a), Look.Light.a * EaseInOut(1 - fBand));
            Frame.Blend(x + lx, y + ly, Pixel, Look.fOpacity * fShown);
        }
}

void PaintGlow(Canvas& Frame, float cx, float cy, float fRadius, const Rgba& Colour)
{
    Box Area{(int)(cx - fRadius) - 1, (int)(cy - fRadius) - 1, (int)(2 * fRadius) + 3, (int)(2 * fRadius) + 3};
    Frame.Fill(
        Area, [&](float px, float py) { return Shape::Circle(px, py, cx, cy, fRadius) + 0.5f; },
        [&](float px, float py) {
            float fFall = 1.0f - std::hypot(px - cx, py - cy) / fRadius;
            return WithAlpha(Colour, Colour.a * fFall * fFall);
        });
}

void PutSpark(std::vector<uint8_t>& Pixels, int nWidth, int nHeight, int x, int y, int nSize, uint8_t nIndex)
{
    auto Put = [&](int px, int py, uint8_t nValue) {
        if (px >= 0 && py >= 0 && px < nWidth && py < nHeight)
            Pixels[(size_t)py * nWidth + px] = nValue;
    };
    Put(x, y, nIndex);
    if (nSize < 1)
        return;
    // The arms one cycling slot behind the core: they light up just after it.
    uint8_t nArm = (uint8_t)(nIndex == MOVIE_CYCLE_FIRST ? MOVIE_CYCLE_FIRST + MOVIE_CYCLE_COUNT - 1 : nIndex - 1);
    Put(x - 1, y, nArm), Put(x + 1, y, nArm), Put(x, y - 1, nArm), Put(x, y + 1, nArm);
    if (nSize < 2)
        return;
    Put(x - 2, y, nArm), Put(x + 2, y, nArm), Put(x, y - 2, nArm), Put(x, y + 2, nArm);
}

}  // namespace Logo
