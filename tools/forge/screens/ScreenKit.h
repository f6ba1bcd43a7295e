// The building blocks the screen pictures share: the two languages, pointer
// areas as boxes, lit text, buttons, the back button, soft noise grounds.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Style.h"
#include "Text.h"
#include "sheets.h"

namespace ScreenKit {

// ---- Languages ---------------------------------------------------------------------
enum class Language { German, English };
constexpr Language LANGUAGES[2] = {Language::German, Language::English};
// "" for German, "_en" for English: the file-name suffix of a picture.
const char* Suffix(Language Which);

// One text in both languages (UTF-8).
struct Words {
    const char* szGerman;
    const char* szEnglish;
    std::string In(Language Which) const { return Which == Language::English ? szEnglish : szGerman; }
};

// ---- Geometry ------------------------------------------------------------------------
// A pointer area (both ends inclusive) as a box.
inline Box AreaBox(const ScreenArea& Area) { return {Area.nLeft, Area.nTop, Area.Width(), Area.Height()}; }
inline Box Inset(const Box& Area, int n) { return {Area.x + n, Area.y + n, Area.w - 2 * n, Area.h - 2 * n}; }

// ---- Glow ----------------------------------------------------------------------------
// Draws the soft glow of a layer's shapes and then, at fLayerOpacity (0: halo only),
// the layer itself, its top-left at (x, y). The glow is worked out over the bounds
// of the shapes only, so a sparse full-screen layer costs little.
void DrawGlowing(Canvas& Target, const Canvas& Layer, int x, int y, int nRadius, const Rgba& Glow,
                 float fLayerOpacity = 1.0f);

// ---- Text ----------------------------------------------------------------------------
// The largest size up to nPreferred at which Text fits into fWidth pixels (at least nSmallest).
int FittingSize(Face Which, const std::string& Text, int nPreferred, float fWidth, int nSmallest = 8);
// Text with a glow, computed over the text's own bounds only (cheap on big canvases).
void LitText(Canvas& Target, const Font& Font, float x, float fBaseline, const std::string& Text, const Rgba& Colour,
             const Rgba& GlowColour, Align Where = Align::Left, int nGlowRadius = 6);
// Text centred in a box, its size fitted to the box's width minus padding.
void CentredLabel(Canvas& Target, const Box& Area, const std::string& Text, Face Which, int nPreferred,
                  const Rgba& Colour, const Rgba& GlowColour, int nPadding = 6);
// A screen's title: large lit text centred at x 400 with a fading rule below it.
void ScreenTitle(Canvas& Target, const std::string& Text, float fBaseline, const Rgba& GlowColour = Style::CYAN);
// The game's name as a glowing logo: "TAMBOREL" in lit cyan steel and a golden "2",
// centred at x, nSize pixels high type.
void GameLogo(Canvas& Target, float x, float fBaseline, int nSize);
// Paragraph height helper: draws flowed text with a dark shadow; returns the next baseline.
float ShadowParagraph(Canvas& Target, const Font& Font, float x, float fBaseline, float fWidth,
                      const std::string& Text, const Rgba& Colour, float fLineSpacing = 1.25f);

// ---- Controls ------------------------------------------------------------------------
// A lit button plate filling a pointer area: glass, a rim of the accent colour.
void ButtonPlate(Canvas& Target, const Box& Area, const Rgba& Accent);
// Arrow icons: direction -1 left, +1 right.
void Arrow(Canvas& Target, float cx, float cy, float fSize, int nDirection, const Rgba& Colour);
// The back button of every screen but the title, at Sheets::BACK.
void BackButton(Canvas& Target);
// A recessed slot (where the game draws switches, digits, names).
void Recess(Canvas& Target, const Box& Area, float fRadius = 3.0f);
// A keyboard key cap with its label.
void KeyCap(Canvas& Target, const Box& Area, const std::string& Label);

// ---- Grounds -------------------------------------------------------------------------
// Smooth value noise in 0..1 with several octaves; cells of fScale pixels.
float Noise(float x, float y, float fScale, uint32_t nSeed, int nOctaves = 4);
// A smooth function of the pixel position sampled on a coarse grid (every nStep
// pixels) and read back bilinearly: soft clouds for the price of a few samples.
class SoftField {
public:
    SoftField(int nWidth, int nHeight, int nStep, const std::function<float(float, float)>& Value);
    float At(int x, int y) const;

private:
    int m_nColumns, m_nRows, m_nStep;
    std::vector<float> m_Samples;
};
// Every pixel of the canvas painted opaque by Colour(x, y).
template <class ColourFn>
void PaintEvery(Canvas& Target, ColourFn Colour)
{
    for (int y = 0; y < Target.Height(); ++y)
        for (int x = 0; x < Target.Width(); ++x)
            Target.Set(x, y, WithAlpha(Colour(x, y), 1.0f));
}
// Scattered stars: small bright points, a few with a cross glint.
void Stars(Canvas& Target, const Box& Area, int nCount, uint64_t nSeed, float fBrightness = 1.0f);
// The night ground of the menu screens: a deep gradient with a faint nebula and stars.
Canvas MenuGround(uint64_t nSeed, const Rgba& NebulaA, const Rgba& NebulaB);

}  // namespace ScreenKit
