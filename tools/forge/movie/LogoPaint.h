// Painting helpers shared by the logo scenes: timing curves, letter-spaced text
// layers, layers drawn with a reveal wipe and a passing light, soft glows and
// the sparks drawn straight into the colour-cycling indices.
#pragma once
#include <string>
#include <vector>

#include "Canvas.h"
#include "Text.h"

namespace Logo {

constexpr float PI = 3.14159265358979f;

// 0..1 as nFrame goes from fStart to fEnd.
inline float Progress(int nFrame, float fStart, float fEnd)
{
    return std::clamp((nFrame - fStart) / (fEnd - fStart), 0.0f, 1.0f);
}
inline float EaseInOut(float t) { return t * t * (3 - 2 * t); }
inline float EaseOut(float t) { return 1 - (1 - t) * (1 - t) * (1 - t); }
// Overshoots a little past 1 before settling.
inline float EaseOutBack(float t)
{
    const float s = 1.7f;
    float u = t - 1;
    return 1 + u * u * ((s + 1) * u + s);
}
// The palette brightness of a movie that fades in over the first frames and out
// over the last ones.
float FadeInOut(int nFrame, int nFrames, int nFadeIn, int nFadeOut);

// A text line with fTracking extra pixels between letters, on a clear canvas
// just big enough; Baseline() says where its baseline lies.
class TextLayer {
public:
    TextLayer(const Font& Face, const std::string& Text, float fTracking, const Rgba& Colour);
    const Canvas& Picture() const { return m_Picture; }
    Canvas& Picture() { return m_Picture; }
    int Baseline() const { return m_nBaseline; }
    // Top-left corner that centres the text on cx with its baseline at fBaseline.
    int Left(float cx) const { return (int)std::lround(cx - m_Picture.Width() / 2.0f); }
    int Top(float fBaseline) const { return (int)std::lround(fBaseline) - m_nBaseline; }

private:
    Canvas m_Picture;
    int m_nBaseline = 0;
};

// Every opaque pixel of the layer recoloured from Top to Bottom down its height.
void TintVertical(Canvas& Layer, const Rgba& Top, const Rgba& Bottom);

// How a layer is drawn in one frame.
struct LayerLook {
    float fOpacity = 1.0f;
    float fRevealX = 1e9f;        // layer columns left of this are shown ...
    float fRevealSoftness = 1.0f; // ... fading out over this many pixels
    float fLightX = -1e9f;        // centre of a slanted band of light crossing the layer
    float fLightWidth = 30.0f;
    Rgba Light = {1, 1, 1, 0.8f};
};
void DrawLayer(Canvas& Frame, const Canvas& Layer, int x, int y, const LayerLook& Look);

// A soft round glow of Colour, strongest at its centre, clear at fRadius.
void PaintGlow(Canvas& Frame, float cx, float cy, float fRadius, const Rgba& Colour);

// A spark in the colour-cycling indices: a dot (nSize 0), a plus (1) or a
// plus with a bright core (2). Pixels outside the picture are left alone.
void PutSpark(std::vector<uint8_t>& Pixels, int nWidth, int nHeight, int x, int y, int nSize, uint8_t nIndex);

}  // namespace Logo
