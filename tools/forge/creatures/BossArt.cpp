// The boss stage's fixed pictures: the sky "spaceback" and "big_enemy", the
// boss's great armoured body on the right and the console strip at the bottom
// where the game draws the energy bars.
#include "CreatureArt.h"
#include "CreaturePaint.h"
#include "Style.h"

using namespace CreaturePaint;

namespace {

void PaintStarDust(Canvas& Sky)
{
    ForgeRandom Random(515);
    for (int n = 0; n < 420; ++n) {
        int x = Random.Int(0, Sky.Width() - 1), y = Random.Int(0, Sky.Height() - 1);
        float fBright = Random.Range(0.25f, 0.8f);
        Sky.Blend(x, y, Mix(Hex(0xA8B8FF), Hex(0xFFFFFF), Random.Unit()), fBright);
    }
    for (int n = 0; n < 40; ++n) {
        float x = Random.Range(0, (float)Sky.Width()), y = Random.Range(0, (float)Sky.Height());
        Rgba Tint = n % 3 == 0 ? Hex(0xFFE0C0) : n % 3 == 1 ? Hex(0xC0E0FF) : Hex(0xFFFFFF);
        RadialBlob(Sky, x, y, Random.Range(1.5f, 3.0f), Tint, WithAlpha(Tint, 0.0f));
    }
    // A few bright stars with rays.
    for (int n = 0; n < 6; ++n) {
        float x = Random.Range(30, Sky.Width() - 30.0f), y = Random.Range(30, Sky.Height() - 30.0f);
        float fRay = Random.Range(6, 12);
        RadialBlob(Sky, x, y, 5, Hex(0xFFFFFF), WithAlpha(Hex(0xB0D8FF), 0.0f));
        Stroke(Sky, x - fRay, y, x + fRay, y, 1.0f, WithAlpha(Hex(0xD8ECFF), 0.7f));
        Stroke(Sky, x, y - fRay, x, y + fRay, 1.0f, WithAlpha(Hex(0xD8ECFF), 0.7f));
    }
}

// A far planet low on the left, lit from the upper left, with a thin ring.
void PaintPlanet(Canvas& Sky)
{
    float cx = 92, cy = 478, r = 64;
    Sky.Fill({(int)(cx - r - 2), (int)(cy - r - 2), (int)(2 * r + 5), (int)(2 * r + 5)},
             [=](float x, float y) { return Shape::Circle(x, y, cx, cy, r); }, [&](float x, float y) {
                 float nx = (x - cx) / r, ny = (y - cy) / r;
                 float fLight = std::clamp(-(nx * Style::LIGHT_X + ny * Style::LIGHT_Y) * 0.9f + 0.2f, 0.0f, 1.0f);
                 float fBands = FractalNoise(x * 0.02f, y * 0.12f, 77, 3);
                 Rgba Ground = Mix(Hex(0x3A2A6A), Hex(0x6A4AA0), fBands);
                 return Mix(Hex(0x0C0A1E), Ground, fLight);
             });
    Sky.Fill({(int)(cx - 2 * r), (int)(cy - r), (int)(4 * r), (int)(2 * r)},
             [=](float x, float y) {
                 float fRing = std::fabs(Shape::Ellipse(x, y, cx, cy, r * 1.7f, r * 0.32f)) - 1.8f;
                 // The ring passes behind the planet above its middle.
                 bool bHidden = y < cy && Shape::Circle(x, y, cx, cy, r) < 0;
                 return bHidden ? 1.0f : fRing;
             },
             WithAlpha(Hex(0xB8A8E8), 0.75f));
}

// A hard-edged silhouette of the body's outline with spikes along its back.
std::vector<float> BodyOutline()
{
    return {622, 0,   800, 0,   800, 556, 616, 556, 604, 520, 590, 505, 604, 490, 600, 392, 572, 372, 574, 300,
            556, 288, 574, 272, 576, 162, 598, 150, 596, 118, 578, 104, 598, 92,  604, 40,  590, 26,  610, 20};
}

void PaintBody(Canvas& Scene)
{
    std::vector<float> Outline = BodyOutline();
    Box Area{550, 0, 250, 560};
    // Between the ribs: dark hide with an organic grain and veins that glow in patches.
    Scene.Fill(Area, [&](float x, float y) { return Shape::Polygon(x, y, Outline); }, [&](float x, float y) {
        float fGrain = FractalNoise(x * 0.035f, y * 0.035f, 31, 4);
        float fVein = std::fabs(FractalNoise(x * 0.014f, y * 0.014f, 57, 3) - 0.5f);
        float fPatch = SmoothStep(0.42f, 0.62f, FractalNoise(x * 0.008f, y * 0.008f, 63, 2));
        Rgba Colour = Mix(Hex(0x2E2450), Hex(0x120E24), std::clamp(fGrain * 1.2f - 0.1f, 0.0f, 1.0f));
        float fGlow = (1 - SmoothStep(0.0f, 0.022f, fVein)) * fPatch;
        return Mix(Colour, Style::MAGENTA, fGlow * 0.85f);
    });
    // Ribs of armour sweeping from the front edge to the back, lit along the top.
    for (int n = 0; n < 12; ++n) {
        float y0 = 18 + n * 46.0f;
        auto Rib = [=](float x, float y) {
            float fCentre = y0 + (x - 560) * 0.12f + std::sin((x - 560) * 0.02f) * 6;
            float fHalf = 5.0f + (x - 560) * 0.025f;   // thicker towards the back
            return std::max(std::fabs(y - fCentre) - fHalf, Shape::Polygon(x, y, Outline) + 2.0f);
        };
        Scene.Fill({556, (int)y0 - 14, 244, 60}, Rib, [=](float x, float y) {
            float fCentre = y0 + (x - 560) * 0.12f + std::sin((x - 560) * 0.02f) * 6;
            float fHalf = 5.0f + (x - 560) * 0.025f;
            float t = (y - fCentre + fHalf) / (2 * fHalf);
            Rgba Plate = Mix(Hex(0x6E62A0), Hex(0x1E1836), std::clamp(t, 0.0f, 1.0f));
            return Shade(Plate, t < 0.12f ? 0.3f : 0.0f);
        });
        for (int k = 0; k < 4; ++k) {
            float x = 640 + k * 44.0f, y = y0 + (x - 560) * 0.12f + std::sin((x - 560) * 0.02f) * 6;
            if (Shape::Polygon(x, y, Outline) < -6)
                RadialBlob(Scene, x, y, 2.2f, Hex(0xD8D0F0), Hex(0x3A3058));
        }
    }
    // A lit rim along the front edge.
    Scene.Fill(Area, [&](float x, float y) { return std::fabs(Shape::Polygon(x, y, Outline) + 2.0f) - 1.5f; },
               WithAlpha(Hex(0xC8B8FF), 0.8f));
}

// The throat the jaw uncovers as it drops, with the upper fangs above it, and
// the dark track the jaw slides in below.
void PaintThroat(Canvas& Scene)
{
    // The jaw's bed: the scaled underside of the neck, ridged across.
    auto Track = [](float x, float y) { return Shape::RoundedBox(x, y, 590, 200, 746, 376, 18); };
    Scene.Fill({584, 194, 168, 188}, Track, [&](float x, float y) {
        float fBow = (x - 668) * (x - 668) * 0.002f;
        float fRidge = std::fmod(y - fBow + 400, 16.0f) / 16.0f;
        float fSide = std::fabs(x - 668) / 78;
        return Shade(Mix(Hex(0x3A2A52), Hex(0x140E24), fRidge), -0.5f * fSide * fSide);
    });
    auto Throat = [](float x, float y) { return Shape::Ellipse(x, y, 668, 212, 84, 66); };
    Scene.Fill({580, 142, 176, 142}, Throat, [&](float x, float y) {
        float fDepth = std::clamp(-Throat(x, y) / 40.0f, 0.0f, 1.0f);
        float fRib = 0.5f + 0.5f * std::sin(std::hypot((x - 668) * 0.8f, y - 190) * 0.3f);
        Rgba Flesh = Mix(Hex(0x3A0A20), Hex(0x9A1A40), fDepth * (0.6f + 0.4f * fRib));
        return Mix(Flesh, Style::EMBER, fDepth * fDepth * 0.45f);
    });
    // The upper lip, curving down over the fangs.
    GradientPolygon(Scene, {576, 120, 700, 112, 768, 118, 770, 148, 744, 160, 600, 160, 578, 148}, Hex(0x7A6EAE),
                    Hex(0x2A2048));
    for (int n = 0; n < 3; ++n)
        Stroke(Scene, 700 + n * 14.0f, 126, 708 + n * 14.0f, 122, 2, Hex(0x140E24));
    for (int n = 0; n < 8; ++n) {
        float x = 596 + n * 20.0f;
        GradientPolygon(Scene, {x, 156, x + 12, 156, x + 6, 156 + 14.0f + (n % 2) * 5}, Hex(0xFFF4E8), Hex(0xC8B8C0));
    }
}

// The sockets the guns sit in and the glowing core below them.
void PaintGunSocketsAndCore(Canvas& Scene)
{
    const float SOCKET_Y[3] = {413, 438, 468}, SOCKET_X[3] = {662, 660, 662};
    for (int n = 0; n < 3; ++n) {
        ShadedEllipse(Scene, SOCKET_X[n], SOCKET_Y[n], 16, 13, Style::STEEL);
        RadialBlob(Scene, SOCKET_X[n], SOCKET_Y[n], 9, Hex(0x0A0614), Hex(0x2A1A40));
    }
    // The core (the lower hit zone x 679..724, y 451..490): a hot eye in a ring.
    ShadedEllipse(Scene, 702, 470, 29, 27, Hex(0x6A5A98));
    RadialBlob(Scene, 702, 470, 22, Hex(0x140E24), Hex(0x2A1A40));
    Canvas Core(60, 60);
    RadialBlob(Core, 30, 30, 18, Hex(0xFFF4D8), Style::MAGENTA);
    Scene.Draw(WithGlow(Core, 4, Style::MAGENTA), 672, 440);
    TurnedEllipse(Scene, 702, 470, 3.5f, 13, 0, Hex(0x3A0A28));
    for (int n = 0; n < 6; ++n) {
        float a = n * PI / 3;
        RadialBlob(Scene, 702 + std::cos(a) * 25, 470 + std::sin(a) * 24, 2.4f, Hex(0xE8E0FF), Hex(0x4A4070));
    }
}

// The console strip at the bottom: two slots where the game draws the energy
// bars (player from x 50, boss from x 350, at y 572) and their life markers.
void PaintConsole(Canvas& Scene)
{
    // A solid ground first: the bevel's rounded corners must not open holes.
    Scene.Fill({0, 548, 800, 52}, [](float, float) { return -1.0f; }, Style::NIGHT);
    Style::BevelBox(Scene, {0, 548, 800, 52}, Hex(0x3A4670), 6, 3);
    for (int n = 0; n < 2; ++n) {
        float fLeft = n ? 340.0f : 40.0f;
        Scene.Fill({(int)fLeft - 4, 562, 270, 36},
                   [=](float x, float y) { return Shape::RoundedBox(x, y, fLeft, 566, fLeft + 258, 592, 6); },
                   [&](float, float y) { return Mix(Hex(0x080C1E), Hex(0x141C3A), (y - 566) / 26); });
        Scene.Fill({(int)fLeft - 4, 562, 270, 36},
                   [=](float x, float y) {
                       return std::fabs(Shape::RoundedBox(x, y, fLeft, 566, fLeft + 258, 592, 6)) - 0.7f;
                   },
                   n ? Style::MAGENTA : Style::CYAN);
    }
    // Emblems beside the slots: the player's ship and the boss's eye.
    GradientPolygon(Scene, {14, 572, 34, 579, 14, 586, 18, 579}, Hex(0xE0F6FF), Style::CYAN);
    TurnedEllipse(Scene, 322, 579, 11, 6, 0, Hex(0xFFD0E8));
    RadialBlob(Scene, 322, 579, 4.5f, Hex(0xFFF0A0), Style::MAGENTA);
    // Vents and lights on the right.
    for (int n = 0; n < 9; ++n)
        Stroke(Scene, 622 + n * 9.0f, 566, 622 + n * 9.0f, 590, 3, Hex(0x1A2040));
    for (int n = 0; n < 3; ++n)
        RadialBlob(Scene, 722 + n * 22.0f, 579, 5, Hex(0xFFFFFF), n == 0 ? Style::LIME : n == 1 ? Style::GOLD : Style::EMBER);
}

}  // namespace

Canvas PaintSpaceBack()
{
    const SheetSize& Size = Sheets::SPACEBACK;
    Canvas Sky(Size.nWidth, Size.nHeight);
    Sky.Fill({0, 0, Size.nWidth, Size.nHeight}, [](float, float) { return -1.0f; }, [&](float x, float y) {
        Rgba Ground = Mix(Style::NIGHT, Hex(0x15103A), std::clamp((x + y) / 1200.0f, 0.0f, 1.0f));
        float fVeil = SmoothStep(0.45f, 0.8f, FractalNoise(x * 0.006f, y * 0.008f, 11, 5));
        float fWisp = SmoothStep(0.55f, 0.85f, FractalNoise(x * 0.01f + 7, y * 0.006f, 23, 5));
        Rgba Colour = Mix(Ground, Hex(0x7A2A8A), fVeil * 0.55f);
        Colour = Mix(Colour, Hex(0x1E7AA8), fWisp * 0.4f);
        return Mix(Colour, Hex(0xFF7ACC), fVeil * fVeil * fVeil * 0.3f);
    });
    PaintStarDust(Sky);
    PaintPlanet(Sky);
    return Sky;
}

Canvas PaintBossScene()
{
    Canvas Scene(Sheets::BIG_ENEMY.nWidth, Sheets::BIG_ENEMY.nHeight);
    Canvas Body(Scene.Width(), Scene.Height());
    PaintBody(Body);
    Scene.Draw(Body.Glow(8, WithAlpha(Style::MAGENTA, 0.6f)), 0, 0);
    Scene.Draw(Body, 0, 0);
    PaintThroat(Scene);
    PaintGunSocketsAndCore(Scene);
    PaintConsole(Scene);
    return Scene;
}
