// The shared building blocks of the screen pictures.
#include "ScreenKit.h"

#include <cmath>

namespace ScreenKit {

const char* Suffix(Language Which)
{
    return Which == Language::English ? "_en" : "";
}

// ---- Glow ----------------------------------------------------------------------------

void DrawGlowing(Canvas& Target, const Canvas& Layer, int x, int y, int nRadius, const Rgba& Glow, float fLayerOpacity)
{
    int nLeft = Layer.Width(), nTop = Layer.Height(), nRight = -1, nBottom = -1;
    for (int ly = 0; ly < Layer.Height(); ++ly)
        for (int lx = 0; lx < Layer.Width(); ++lx)
            if (Layer.Get(lx, ly).a > 0) {
                nLeft = std::min(nLeft, lx), nRight = std::max(nRight, lx);
                nTop = std::min(nTop, ly), nBottom = std::max(nBottom, ly);
            }
    if (nRight < 0)
        return;
    // Three box passes of half the radius reach one and a half radii beyond the shapes.
    int nMargin = 2 * nRadius + 2;
    Box Shapes{nLeft, nTop, nRight - nLeft + 1, nBottom - nTop + 1};
    Box Around = Inset(Shapes, -nMargin);
    Target.Draw(Layer.Crop(Around).Glow(nRadius, Glow), x + Around.x, y + Around.y);
    if (fLayerOpacity > 0)
        Target.Draw(Layer.Crop(Shapes), x + Shapes.x, y + Shapes.y, fLayerOpacity);
}

// ---- Text ----------------------------------------------------------------------------

int FittingSize(Face Which, const std::string& Text, int nPreferred, float fWidth, int nSmallest)
{
    for (int nSize = nPreferred; nSize > nSmallest; --nSize)
        if (Font(Which, nSize).Width(Text) <= fWidth)
            return nSize;
    return nSmallest;
}

void LitText(Canvas& Target, const Font& Font, float x, float fBaseline, const std::string& Text, const Rgba& Colour,
             const Rgba& GlowColour, Align Where, int nGlowRadius)
{
    // The glow is blurred over a layer just big enough for the text and its halo.
    float fWidth = Font.Width(Text);
    float fLeft = std::round(Where == Align::Left ? x : Where == Align::Centre ? x - fWidth / 2 : x - fWidth);
    int nMargin = 2 * nGlowRadius + 4;
    int nLayerX = (int)fLeft - nMargin, nLayerY = (int)fBaseline - Font.Ascent() - nMargin;
    Canvas Layer((int)fWidth + 2 * nMargin, Font.LineHeight() + 2 * nMargin);
    DrawLine(Layer, Font, fLeft - nLayerX, fBaseline - nLayerY, Text, Colour);
    DrawGlowing(Target, Layer, nLayerX, nLayerY, nGlowRadius, GlowColour);
}

void CentredLabel(Canvas& Target, const Box& Area, const std::string& Text, Face Which, int nPreferred,
                  const Rgba& Colour, const Rgba& GlowColour, int nPadding)
{
    float fRoom = (float)(Area.w - 2 * nPadding);
    int nSize = FittingSize(Which, Text, nPreferred, fRoom);
    // A label squeezed too small in one line reads better as two lines, when the box is tall enough.
    size_t nSpace = Text.find(' ');
    if (nSize < nPreferred * 0.8f && nSpace != std::string::npos && Area.h >= 34) {
        std::string First = Text.substr(0, nSpace), Second = Text.substr(nSpace + 1);
        int nTwoLines = std::min(FittingSize(Which, First, nPreferred, fRoom), FittingSize(Which, Second, nPreferred, fRoom));
        nTwoLines = std::min(nTwoLines, (int)(Area.h / 2.3f));
        if (nTwoLines > nSize) {
            Font Label(Which, nTwoLines);
            float fMiddle = Area.y + Area.h / 2.0f, fCentre = Area.x + Area.w / 2.0f;
            LitText(Target, Label, fCentre, fMiddle - 2, First, Colour, GlowColour, Align::Centre, 4);
            LitText(Target, Label, fCentre, fMiddle + nTwoLines * 0.85f, Second, Colour, GlowColour, Align::Centre, 4);
            return;
        }
    }
    Font Label(Which, nSize);
    // Capitals stand about 0.73 of the pixel size high: centre them on the box.
    float fBaseline = Area.y + Area.h / 2.0f + nSize * 0.36f;
    LitText(Target, Label, Area.x + Area.w / 2.0f, fBaseline, Text, Colour, GlowColour, Align::Centre, 4);
}

void ScreenTitle(Canvas& Target, const std::string& Text, float fBaseline, const Rgba& GlowColour)
{
    Font Title(Face::SansBold, 42);
    LitText(Target, Title, 400, fBaseline, Text, Style::TEXT, WithAlpha(GlowColour, 0.9f), Align::Centre, 8);
    float fHalf = Title.Width(Text) / 2 + 60;
    float fRule = fBaseline + 14;
    Target.Fill({(int)(400 - fHalf), (int)fRule - 3, (int)(2 * fHalf), 7},
                [=](float x, float y) { return Shape::Capsule(x, y, 400 - fHalf, fRule, 400 + fHalf, fRule, 2); },
                [=](float x, float) {
                    float fEdge = 1.0f - std::fabs(x - 400) / fHalf;
                    return WithAlpha(Mix(GlowColour, Style::TEXT, fEdge * 0.5f), std::clamp(fEdge * 1.6f, 0.0f, 1.0f));
                });
}

namespace {

// One word of the logo: extruded towards the lower right, filled with a vertical
// gradient from Top to Bottom, haloed in Glow.
void LogoWord(Canvas& Target, const Font& Type, float fLeft, float fBaseline, const std::string& Word, const Rgba& Top,
              const Rgba& Bottom, const Rgba& Glow)
{
    int nMargin = 24;
    int nLayerX = (int)fLeft - nMargin, nLayerY = (int)fBaseline - Type.Ascent() - nMargin;
    Canvas Shape((int)Type.Width(Word) + 2 * nMargin, Type.LineHeight() + 2 * nMargin);
    DrawLine(Shape, Type, fLeft - nLayerX, fBaseline - nLayerY, Word, Hex(0xFFFFFF));
    float fTop = (float)nMargin + Type.Ascent() * 0.12f, fHeight = Type.Ascent() * 0.9f;
    Canvas Filled(Shape.Width(), Shape.Height()), Extrusion(Shape.Width(), Shape.Height());
    for (int y = 0; y < Shape.Height(); ++y)
        for (int x = 0; x < Shape.Width(); ++x) {
            float a = Shape.Get(x, y).a;
            if (a <= 0)
                continue;
            float t = std::clamp((y - fTop) / fHeight, 0.0f, 1.0f);
            Rgba Colour = Mix(Top, Bottom, t);
            if (std::fabs(t - 0.5f) < 0.03f)   // a bright chrome line across the middle
                Colour = Mix(Colour, Hex(0xFFFFFF), 0.45f);
            Filled.Set(x, y, WithAlpha(Colour, a));
            Extrusion.Set(x, y, WithAlpha(Shade(Bottom, -0.72f), a));
        }
    DrawGlowing(Target, Shape, nLayerX, nLayerY, 14, WithAlpha(Glow, 0.85f), 0);
    for (int n = 5; n >= 1; --n)
        Target.Draw(Extrusion, nLayerX + n, nLayerY + n);
    Target.Draw(Filled, nLayerX, nLayerY);
}

}  // namespace

void GameLogo(Canvas& Target, float x, float fBaseline, int nSize)
{
    Font Name(Face::SansBold, nSize), Number(Face::SansBold, (int)(nSize * 1.2f));
    const std::string Word = "TAMBOREL", Two = "2";
    float fGap = nSize * 0.18f, fWidth = Name.Width(Word) + fGap + Number.Width(Two);
    float fLeft = x - fWidth / 2;
    LogoWord(Target, Name, fLeft, fBaseline, Word, Hex(0xE8FBFF), Hex(0x1E7FD0), Style::CYAN);
    LogoWord(Target, Number, fLeft + Name.Width(Word) + fGap, fBaseline + nSize * 0.06f, Two, Hex(0xFFF3C4),
             Hex(0xE0661E), Style::GOLD);
}

float ShadowParagraph(Canvas& Target, const Font& Font, float x, float fBaseline, float fWidth, const std::string& Text,
                      const Rgba& Colour, float fLineSpacing)
{
    DrawParagraph(Target, Font, x + 1, fBaseline + 1, fWidth, Text, WithAlpha(Style::NIGHT, 0.8f), fLineSpacing);
    return DrawParagraph(Target, Font, x, fBaseline, fWidth, Text, Colour, fLineSpacing);
}

// ---- Controls ------------------------------------------------------------------------

void ButtonPlate(Canvas& Target, const Box& Area, const Rgba& Accent)
{
    float fLeft = (float)Area.x, fTop = (float)Area.y, fRight = (float)Area.Right(), fBottom = (float)Area.Bottom();
    float fRadius = std::min(9.0f, Area.h * 0.3f);
    auto Outline = [=](float x, float y) { return Shape::RoundedBox(x, y, fLeft, fTop, fRight, fBottom, fRadius); };
    Box Halo = Inset(Area, -4);
    // A faint halo of the accent around the plate.
    Target.Fill(Halo, [=](float x, float y) { return std::fabs(Outline(x, y) - 1.5f) - 1.5f; },
                WithAlpha(Accent, 0.18f));
    Target.Fill(Area, Outline, [=](float, float y) {
        float t = (y - fTop) / std::max(1.0f, fBottom - fTop);
        Rgba Glass = Mix(Mix(Style::PANEL, Accent, 0.10f), Style::NIGHT, t * 0.8f);
        if (t < 0.45f)   // the sheen of the upper half
            Glass = Mix(Glass, Style::TEXT, 0.10f * (1.0f - t / 0.45f));
        return WithAlpha(Glass, 0.94f);
    });
    Target.Fill(Area, [=](float x, float y) { return std::fabs(Outline(x, y) + 1.0f) - 0.8f; },
                [=](float, float y) {
                    float t = (y - fTop) / std::max(1.0f, fBottom - fTop);
                    return WithAlpha(Shade(Accent, 0.35f - 0.5f * t), 0.95f - 0.4f * t);
                });
}

void Arrow(Canvas& Target, float cx, float cy, float fSize, int nDirection, const Rgba& Colour)
{
    float d = nDirection < 0 ? -1.0f : 1.0f, s = fSize;
    std::vector<float> Points = {cx + d * s,           cy,
                                 cx + d * s * 0.05f,   cy - s * 0.8f,
                                 cx + d * s * 0.05f,   cy - s * 0.32f,
                                 cx - d * s,           cy - s * 0.32f,
                                 cx - d * s,           cy + s * 0.32f,
                                 cx + d * s * 0.05f,   cy + s * 0.32f,
                                 cx + d * s * 0.05f,   cy + s * 0.8f};
    Box Area{(int)(cx - s - 3), (int)(cy - s - 3), (int)(2 * s + 7), (int)(2 * s + 7)};
    Canvas Layer(Area.w, Area.h);
    for (size_t n = 0; n < Points.size(); n += 2) {
        Points[n] -= Area.x;
        Points[n + 1] -= Area.y;
    }
    Layer.Fill({0, 0, Area.w, Area.h}, [&](float x, float y) { return Shape::Polygon(x, y, Points); },
               [&](float, float y) { return Shade(Colour, 0.3f - 0.5f * y / Area.h); });
    DrawGlowing(Target, Layer, Area.x, Area.y, 3, WithAlpha(Colour, 0.8f));
}

void BackButton(Canvas& Target)
{
    Box Area = AreaBox(Sheets::BACK);
    ButtonPlate(Target, Area, Style::CYAN);
    Arrow(Target, Area.x + Area.w / 2.0f, Area.y + Area.h / 2.0f, 9, -1, Style::CYAN);
}

void Recess(Canvas& Target, const Box& Area, float fRadius)
{
    float fLeft = (float)Area.x, fTop = (float)Area.y, fRight = (float)Area.Right(), fBottom = (float)Area.Bottom();
    auto Outline = [=](float x, float y) { return Shape::RoundedBox(x, y, fLeft, fTop, fRight, fBottom, fRadius); };
    Target.Fill(Inset(Area, -1), Outline, [=](float x, float y) {
        // Sunken: the top and left inner edges lie in shadow, the lower right catches light.
        float fDepth = -Outline(x, y);
        Rgba Colour = Hex(0x070B1C);
        if (fDepth < 2.0f) {
            bool bShadowSide = (y - fTop) < (fBottom - y) * 0.5f || (x - fLeft) < 2.0f;
            Colour = bShadowSide ? Hex(0x03050D) : Shade(Style::PANEL_EDGE, -0.1f);
        }
        return Colour;
    });
}

void KeyCap(Canvas& Target, const Box& Area, const std::string& Label)
{
    Style::BevelBox(Target, Area, Hex(0x3B4678), 5.0f, 2.0f);
    int nSize = FittingSize(Face::CondensedBold, Label, 14, Area.w - 6.0f);
    Font Cap(Face::CondensedBold, nSize);
    DrawLine(Target, Cap, Area.x + Area.w / 2.0f, Area.y + Area.h / 2.0f + nSize * 0.36f, Label, Style::TEXT,
             Align::Centre);
}

// ---- Grounds -------------------------------------------------------------------------

namespace {

float Lattice(int x, int y, uint32_t nSeed)
{
    uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + nSeed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFFFF) / 16777215.0f;
}

float Smooth(float t) { return t * t * (3 - 2 * t); }

float ValueNoise(float x, float y, uint32_t nSeed)
{
    int ix = (int)std::floor(x), iy = (int)std::floor(y);
    float fx = Smooth(x - ix), fy = Smooth(y - iy);
    float a = Lattice(ix, iy, nSeed), b = Lattice(ix + 1, iy, nSeed);
    float c = Lattice(ix, iy + 1, nSeed), d = Lattice(ix + 1, iy + 1, nSeed);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

}  // namespace

float Noise(float x, float y, float fScale, uint32_t nSeed, int nOctaves)
{
    float fSum = 0, fAmplitude = 1, fTotal = 0, fFrequency = 1.0f / fScale;
    for (int n = 0; n < nOctaves; ++n) {
        fSum += ValueNoise(x * fFrequency, y * fFrequency, nSeed + 101u * n) * fAmplitude;
        fTotal += fAmplitude;
        fAmplitude *= 0.5f;
        fFrequency *= 2.0f;
    }
    return fSum / fTotal;
}

SoftField::SoftField(int nWidth, int nHeight, int nStep, const std::function<float(float, float)>& Value)
    : m_nColumns(nWidth / nStep + 2), m_nRows(nHeight / nStep + 2), m_nStep(nStep),
      m_Samples((size_t)m_nColumns * m_nRows)
{
    for (int r = 0; r < m_nRows; ++r)
        for (int c = 0; c < m_nColumns; ++c)
            m_Samples[(size_t)r * m_nColumns + c] = Value((float)(c * nStep), (float)(r * nStep));
}

float SoftField::At(int x, int y) const
{
    float fx = (float)x / m_nStep, fy = (float)y / m_nStep;
    int c = std::clamp((int)fx, 0, m_nColumns - 2), r = std::clamp((int)fy, 0, m_nRows - 2);
    float tx = std::clamp(fx - c, 0.0f, 1.0f), ty = std::clamp(fy - r, 0.0f, 1.0f);
    const float* pRow = &m_Samples[(size_t)r * m_nColumns + c];
    float fTop = pRow[0] + (pRow[1] - pRow[0]) * tx;
    float fBottom = pRow[m_nColumns] + (pRow[m_nColumns + 1] - pRow[m_nColumns]) * tx;
    return fTop + (fBottom - fTop) * ty;
}

void Stars(Canvas& Target, const Box& Area, int nCount, uint64_t nSeed, float fBrightness)
{
    ForgeRandom Random(nSeed);
    for (int n = 0; n < nCount; ++n) {
        float x = Area.x + Random.Unit() * Area.w, y = Area.y + Random.Unit() * Area.h;
        float fLight = std::pow(Random.Unit(), 3.0f) * fBrightness;
        Rgba Colour = Mix(Hex(0xBFD4FF), Random.Unit() < 0.2f ? Hex(0xFFE2B0) : Hex(0xFFFFFF), Random.Unit());
        if (fLight < 0.55f) {
            Target.Blend((int)x, (int)y, Colour, 0.25f + fLight);
            continue;
        }
        float fRadius = 0.7f + fLight * 0.8f;
        Target.Fill({(int)x - 3, (int)y - 3, 7, 7}, [=](float px, float py) { return Shape::Circle(px, py, x, y, fRadius); },
                    WithAlpha(Colour, std::min(1.0f, fLight + 0.2f)));
        if (fLight > 0.8f) {   // the brightest get a small cross glint
            float fLength = 3 + fLight * 4;
            Box Glint{(int)(x - fLength - 1), (int)(y - fLength - 1), (int)(2 * fLength + 3), (int)(2 * fLength + 3)};
            Target.Fill(Glint, [=](float px, float py) { return Shape::Capsule(px, py, x - fLength, y, x + fLength, y, 0.7f); },
                        WithAlpha(Colour, 0.35f));
            Target.Fill(Glint, [=](float px, float py) { return Shape::Capsule(px, py, x, y - fLength, x, y + fLength, 0.7f); },
                        WithAlpha(Colour, 0.35f));
        }
    }
}

Canvas MenuGround(uint64_t nSeed, const Rgba& NebulaA, const Rgba& NebulaB)
{
    Canvas Ground(Sheets::SCREEN_WIDTH, Sheets::SCREEN_HEIGHT);
    uint32_t nNoise = (uint32_t)nSeed;
    SoftField CloudA(Ground.Width(), Ground.Height(), 8, [=](float x, float y) { return Noise(x, y, 190, nNoise, 5); });
    SoftField CloudB(Ground.Width(), Ground.Height(), 8,
                     [=](float x, float y) { return Noise(x + 500, y, 130, nNoise + 7, 5); });
    PaintEvery(Ground, [&](int x, int y) {
        float t = y / 600.0f;
        Rgba Colour = Mix(Style::DEEP, Style::NIGHT, 0.35f + 0.65f * t);
        float a = std::max(0.0f, CloudA.At(x, y) - 0.45f) * 2.2f, b = std::max(0.0f, CloudB.At(x, y) - 0.5f) * 2.4f;
        Colour = Mix(Colour, NebulaA, std::min(0.45f, a * a * 0.9f));
        Colour = Mix(Colour, NebulaB, std::min(0.35f, b * b * 0.8f));
        // A gentle vignette keeps the edges quiet.
        float dx = (x - 400) / 400.0f, dy = (y - 300) / 300.0f;
        return Shade(Colour, -0.35f * std::min(1.0f, (dx * dx + dy * dy) * 0.5f));
    });
    Stars(Ground, {0, 0, Ground.Width(), Ground.Height()}, 320, nSeed + 11);
    return Ground;
}

}  // namespace ScreenKit
