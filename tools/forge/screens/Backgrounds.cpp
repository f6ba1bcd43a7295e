// The play backgrounds "hg1".."hg20": ten kinds of scene, each in two looks,
// inside the arena's steel rails (the ball turns at x 20, x 778 and y 20), with a
// bay at the foot for the score panels.
#include <cmath>

#include "BackgroundScenes.h"
#include "Picture.h"
#include "ScreenFamilies.h"
#include "ScreenKit.h"

using namespace BackgroundScenes;

namespace {

using ScenePainter = void (*)(Canvas&, const Theme&);
struct Background {
    ScenePainter Paint;
    Theme Look;
};

// hg1..hg20 in order: the ten kinds, then each kind again in other colours.
const Background BACKGROUNDS[Sheets::BACKGROUND_COUNT] = {
    {Nebula, {Hex(0x8A4FE0), Hex(0x27C2C4), 1, false}},
    {Aurora, {Hex(0x52E08A), Hex(0xC94FD6), 2, false}},
    {NeonCity, {Style::CYAN, Style::MAGENTA, 3, false}},
    {CrystalCave, {Hex(0x6AD8FF), Hex(0x9A4FE0), 4, false}},
    {DeepSea, {Hex(0x2E9EE8), Hex(0x2DBE8A), 5, false}},
    {CircuitBoard, {Hex(0x2DBE8A), Style::CYAN, 6, false}},
    {DesertNight, {Hex(0xFFE2B0), Hex(0x9A4FE0), 7, false}},
    {Storm, {Hex(0x9FB8FF), Hex(0x6A54E0), 8, false}},
    {Starfield, {Hex(0x3F6FE8), Hex(0xE8A25A), 9, false}},
    {GridHorizon, {Style::MAGENTA, Hex(0xE84FA6), 10, false}},
    {Nebula, {Hex(0xE8413C), Hex(0xF5B82E), 11, true}},
    {Aurora, {Hex(0x27C2C4), Hex(0x3F6FE8), 12, true}},
    {NeonCity, {Hex(0x7CF25B), Style::GOLD, 13, true}},
    {CrystalCave, {Hex(0x7CF25B), Hex(0x27C2C4), 14, true}},
    {DeepSea, {Hex(0x3F6FE8), Hex(0x6A54E0), 15, true}},
    {CircuitBoard, {Hex(0x3F6FE8), Style::GOLD, 16, true}},
    {DesertNight, {Hex(0xBFD4FF), Hex(0xE8577A), 17, true}},
    {Storm, {Hex(0xC94FD6), Hex(0x3F6FE8), 18, true}},
    {Starfield, {Hex(0xC94FD6), Hex(0x27C2C4), 19, true}},
    {GridHorizon, {Style::CYAN, Hex(0x6A54E0), 20, true}},
};

// Lit things in a scene must not outshine the play: light above a limit is
// compressed, so even a moon or a bolt stays behind the bricks and balls.
void TameHighlights(Canvas& Screen)
{
    const float LIMIT = 0.42f, KEEP = 0.35f;
    for (int y = 0; y < Screen.Height(); ++y)
        for (int x = 0; x < Screen.Width(); ++x) {
            Rgba Pixel = Screen.Get(x, y);
            float fLight = 0.3f * Pixel.r + 0.59f * Pixel.g + 0.11f * Pixel.b;
            if (fLight <= LIMIT)
                continue;
            float fScale = (LIMIT + (fLight - LIMIT) * KEEP) / fLight;
            Screen.Set(x, y, {Pixel.r * fScale, Pixel.g * fScale, Pixel.b * fScale, 1.0f});
        }
}

// The arena: steel rails left, right and at the top where the ball turns, with
// a thin line of light on their inner edge, and the bay of the score panels.
void ArenaFrame(Canvas& Screen, const Rgba& Light)
{
    const Rgba STEEL = Hex(0x262E4E);
    Box Rails[3] = {{-6, 0, 26, 556}, {780, 0, 26, 556}, {-6, -6, 812, 26}};
    for (const Box& Rail : Rails)
        Style::BevelBox(Screen, Rail, STEEL, 4, 2);
    float Lines[3][4] = {{20.5f, 20.5f, 20.5f, 552}, {779.5f, 20.5f, 779.5f, 552}, {20.5f, 20.5f, 779.5f, 20.5f}};
    for (const auto& Line : Lines)
        Screen.Fill({(int)Line[0] - 2, (int)Line[1] - 2, (int)(Line[2] - Line[0]) + 5, (int)(Line[3] - Line[1]) + 5},
                    [&](float x, float y) { return Shape::Capsule(x, y, Line[0], Line[1], Line[2], Line[3], 1.2f); },
                    WithAlpha(Light, 0.55f));
    // Rivets along the rails.
    for (int y = 60; y < 540; y += 80)
        for (float x : {9.0f, 790.0f})
            Style::Sphere(Screen, x, (float)y, 3, Hex(0x6A7698));
    for (int x = 80; x < 760; x += 80)
        Style::Sphere(Screen, (float)x, 9, 3, Hex(0x6A7698));
    // The bay at the foot, where the game lays its score panels.
    Style::BevelBox(Screen, {-6, 552, 812, 60}, Hex(0x141A34), 6, 2);
    Screen.Fill({0, 550, 800, 5}, [](float x, float y) { return Shape::Capsule(x, y, 0, 552.5f, 800, 552.5f, 1.0f); },
                WithAlpha(Light, 0.4f));
}

}  // namespace

bool PaintPlayBackgrounds(const ForgeContext& Context)
{
    // One canvas for all: every scene paints each of its pixels first.
    Canvas Screen(Sheets::SCREEN_WIDTH, Sheets::SCREEN_HEIGHT);
    for (int n = 0; n < Sheets::BACKGROUND_COUNT; ++n) {
        const Background& Scene = BACKGROUNDS[n];
        Scene.Paint(Screen, Scene.Look);
        TameHighlights(Screen);
        ArenaFrame(Screen, Scene.Look.Main);
        if (!SavePicture(Context, "hg" + std::to_string(n + 1), Screen, PictureKind::Screen))
            return false;
    }
    return true;
}
