// The shared painting idioms of the game's look.
#include "Style.h"

namespace Style {

Rgba BrickHue(int nIndex)
{
    static const uint32_t HUES[20] = {0xE8413C, 0xF27A2E, 0xF5B82E, 0xE8E04A, 0xA6DE3C, 0x52C94A, 0x2DBE8A,
                                      0x27C2C4, 0x2E9EE8, 0x3F6FE8, 0x6A54E0, 0x9A4FE0, 0xC94FD6, 0xE84FA6,
                                      0xE8577A, 0xB8865A, 0x9AA7B8, 0xE8E0D0, 0x5A8A6A, 0x6A7AA8};
    return Hex(HUES[((nIndex % 20) + 20) % 20]);
}

void BevelBox(Canvas& Target, const Box& Area, const Rgba& Base, float fRadius, float fBevel)
{
    float fLeft = (float)Area.x, fTop = (float)Area.y, fRight = (float)Area.Right(), fBottom = (float)Area.Bottom();
    auto Outline = [=](float x, float y) { return Shape::RoundedBox(x, y, fLeft, fTop, fRight, fBottom, fRadius); };
    Target.Fill(Area, Outline, [&](float x, float y) {
        float fDepth = -Outline(x, y);   // distance inside the edge
        float t = (y - fTop) / std::max(1.0f, fBottom - fTop);
        Rgba Colour = Shade(Base, 0.18f - 0.36f * t);
        if (fDepth < fBevel) {
            // Which rim: the edge's outward direction against the light.
            float nx = (x - (fLeft + fRight) / 2) / std::max(1.0f, (fRight - fLeft) / 2);
            float ny = (y - (fTop + fBottom) / 2) / std::max(1.0f, (fBottom - fTop) / 2);
            float fFacing = -(nx * LIGHT_X + ny * LIGHT_Y);
            Colour = Shade(Colour, std::clamp(fFacing, -1.0f, 1.0f) * 0.45f);
        }
        return Colour;
    });
}

void FramePanel(Canvas& Target, const Box& Area, float fRadius, float fOpacity)
{
    float fLeft = (float)Area.x, fTop = (float)Area.y, fRight = (float)Area.Right(), fBottom = (float)Area.Bottom();
    auto Outline = [=](float x, float y) { return Shape::RoundedBox(x, y, fLeft, fTop, fRight, fBottom, fRadius); };
    Target.Fill(Area, Outline, [&](float, float y) {
        float t = (y - fTop) / std::max(1.0f, fBottom - fTop);
        return WithAlpha(Mix(PANEL, NIGHT, t * 0.7f), fOpacity);
    });
    // A thin frame line, brighter along the top.
    Target.Fill(Area, [=](float x, float y) { return std::fabs(Outline(x, y) + 1.5f) - 0.75f; },
                [&](float, float y) { return Mix(Shade(PANEL_EDGE, 0.35f), PANEL_EDGE, (y - fTop) / std::max(1.0f, fBottom - fTop)); });
}

void Sphere(Canvas& Target, float cx, float cy, float fRadius, const Rgba& Base)
{
    Box Area{(int)(cx - fRadius - 2), (int)(cy - fRadius - 2), (int)(2 * fRadius + 5), (int)(2 * fRadius + 5)};
    Target.Fill(Area, [=](float x, float y) { return Shape::Circle(x, y, cx, cy, fRadius); }, [&](float x, float y) {
        float nx = (x - cx) / fRadius, ny = (y - cy) / fRadius;
        float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
        float fDiffuse = std::max(0.0f, -(nx * LIGHT_X + ny * LIGHT_Y) * 0.8f + nz * 0.6f);
        float fSpecular = std::pow(std::max(0.0f, -(nx * LIGHT_X * 0.7f + ny * LIGHT_Y * 0.7f) + nz * 0.5f), 12.0f);
        Rgba Colour = Shade(Base, (fDiffuse - 0.55f) * 0.9f);
        return Mix(Colour, Hex(0xFFFFFF), std::min(1.0f, fSpecular * 0.9f));
    });
}

void GlowText(Canvas& Target, const Font& Font, float x, float fBaseline, const std::string& Text, const Rgba& Colour,
              const Rgba& GlowColour, Align Where, int nGlowRadius)
{
    Canvas Layer(Target.Width(), Target.Height());
    DrawLine(Layer, Font, x, fBaseline, Text, Colour, Where);
    Target.Draw(Layer.Glow(nGlowRadius, GlowColour), 0, 0);
    Target.Draw(Layer, 0, 0);
}

void ShadowText(Canvas& Target, const Font& Font, float x, float fBaseline, const std::string& Text, const Rgba& Colour,
                Align Where)
{
    DrawLine(Target, Font, x + 1, fBaseline + 1, Text, WithAlpha(NIGHT, 0.85f), Where);
    DrawLine(Target, Font, x, fBaseline, Text, Colour, Where);
}

}  // namespace Style
