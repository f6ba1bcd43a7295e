// The ten kinds of play-background scenes.
#include "BackgroundScenes.h"

#include <cmath>
#include <vector>

#include "ScreenKit.h"

using namespace ScreenKit;

namespace BackgroundScenes {

namespace {

constexpr int W = Sheets::SCREEN_WIDTH, H = Sheets::SCREEN_HEIGHT;
const Box WHOLE = {0, 0, W, H};

float Ramp(float fLow, float fHigh, float v)
{
    float t = std::clamp((v - fLow) / (fHigh - fLow), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// The x of a composition point, flipped for mirrored themes.
float Across(const Theme& Look, float x)
{
    return Look.bMirrored ? W - 1 - x : x;
}

uint32_t Seed(const Theme& Look, uint32_t nSalt)
{
    return (uint32_t)Look.nSeed * 7919u + nSalt;
}

// A ridge line across the screen: base height plus smooth noise, one value per column.
std::vector<float> Ridge(float fBase, float fAmplitude, float fScale, uint32_t nSeed)
{
    std::vector<float> Heights(W);
    for (int x = 0; x < W; ++x)
        Heights[x] = fBase + (Noise((float)x, 0.0f, fScale, nSeed, 4) - 0.5f) * 2.0f * fAmplitude;
    return Heights;
}

// A handful of bright stars with a soft halo.
void GlowingStars(Canvas& Screen, const Box& Area, int nCount, uint64_t nSeed, const Rgba& Tint)
{
    ForgeRandom Random(nSeed);
    for (int n = 0; n < nCount; ++n) {
        float x = Area.x + Random.Unit() * Area.w, y = Area.y + Random.Unit() * Area.h;
        Canvas Core(40, 40);
        Core.Fill({0, 0, 40, 40}, [](float px, float py) { return Shape::Circle(px, py, 20, 20, 2.2f); }, Hex(0xFFFFFF));
        DrawGlowing(Screen, Core, (int)x - 20, (int)y - 20, 9, WithAlpha(Mix(Tint, Hex(0xFFFFFF), 0.3f), 0.7f), 0.9f);
    }
}

}  // namespace

void Nebula(Canvas& Screen, const Theme& Look)
{
    uint32_t s = Seed(Look, 1);
    SoftField CloudA(W, H, 8, [=](float x, float y) { return Noise(x, y, 230, s, 5); });
    SoftField CloudB(W, H, 8, [=](float x, float y) { return Noise(x + 300, y + 100, 150, s + 3, 5); });
    SoftField Dust(W, H, 6, [=](float x, float y) { return Noise(x, y, 60, s + 9, 4); });
    Rgba Main = Shade(Look.Main, -0.45f), Second = Shade(Look.Second, -0.4f);
    PaintEvery(Screen, [&](int x, int y) {
        float a = Ramp(0.42f, 0.8f, CloudA.At(x, y)), b = Ramp(0.5f, 0.85f, CloudB.At(x, y));
        float fDust = Ramp(0.45f, 0.72f, Dust.At(x, y));
        Rgba Colour = Mix(Style::NIGHT, Hex(0x05060F), y / (float)H * 0.6f);
        Colour = Mix(Colour, Main, a * 0.6f);
        Colour = Mix(Colour, Second, b * 0.5f);
        return Shade(Colour, -0.55f * fDust * std::min(1.0f, a + b));
    });
    Stars(Screen, WHOLE, 420, Look.nSeed + 1);
    GlowingStars(Screen, WHOLE, 4, Look.nSeed + 2, Look.Main);
}

void Aurora(Canvas& Screen, const Theme& Look)
{
    uint32_t s = Seed(Look, 2);
    std::vector<float> Curtain(W), Rays(W), Mountains = Ridge(468, 46, 150, s + 5), Near = Ridge(520, 30, 90, s + 6);
    for (int x = 0; x < W; ++x) {
        float u = Across(Look, (float)x);
        // A long sweep folded into smaller pleats, as a curtain of light hangs.
        Curtain[x] = 240 + 50 * std::sin(u * 0.007f + 0.8f) + 22 * std::sin(u * 0.031f + 2.0f) +
                     40 * (Noise(u, 0, 160, s, 3) - 0.5f);
        Rays[x] = 0.35f + 0.65f * Noise(u, 7, 9, s + 1, 2);
    }
    PaintEvery(Screen, [&](int x, int y) {
        Rgba Colour = Mix(Hex(0x0A1030), Hex(0x04060F), y / (float)H);
        if (y > Near[x])
            return Hex(0x03050B);
        if (y > Mountains[x]) {
            float fRim = std::exp(-(y - Mountains[x]) / 3.0f);
            return Mix(Hex(0x070A18), Shade(Look.Main, -0.3f), fRim * 0.5f);
        }
        // The curtain's lower hem is brightest and its rays fade upwards; below
        // the hem the sky stays dark.
        float c = Curtain[x], fLight;
        if (y > c)
            fLight = std::exp(-((y - c) / 10.0f) * ((y - c) / 10.0f)) * Rays[x];
        else
            fLight = std::exp(-(c - y) / 100.0f) * Rays[x] * 0.8f;
        float fUpper = std::clamp((c - y) / 170.0f, 0.0f, 1.0f);
        Rgba Light = Mix(Look.Main, Look.Second, fUpper);
        return Mix(Colour, Shade(Light, -0.2f), fLight * 0.5f);
    });
    Stars(Screen, {0, 0, W, 400}, 260, Look.nSeed + 3, 0.8f);
}

void NeonCity(Canvas& Screen, const Theme& Look)
{
    Rgba Haze = Shade(Look.Second, -0.62f);
    PaintEvery(Screen, [&](int, int y) {
        float t = std::clamp(y / 470.0f, 0.0f, 1.0f);
        return Mix(Hex(0x070A1C), Haze, t * t);
    });
    Stars(Screen, {0, 0, W, 260}, 140, Look.nSeed + 1, 0.6f);
    ForgeRandom Random(Look.nSeed + 2);
    Canvas Signs(W, H);
    for (int nLayer = 0; nLayer < 2; ++nLayer) {
        Rgba Wall = nLayer == 0 ? Hex(0x151A3C) : Hex(0x090C1E);
        for (int x = -10; x < W;) {
            int nWidth = Random.Int(34, nLayer == 0 ? 70 : 100);
            int nTop = nLayer == 0 ? Random.Int(230, 380) : Random.Int(300, 470);
            Box Tower{x, nTop, nWidth, H - nTop};
            Screen.Fill(Tower, [](float, float) { return -1.0f; }, Wall);
            // Lit windows, more of them in the near layer.
            float fLit = nLayer == 0 ? 0.18f : 0.3f;
            for (int wy = nTop + 8; wy < 552; wy += 11)
                for (int wx = x + 5; wx + 4 < x + nWidth - 3; wx += 8)
                    if (Random.Unit() < fLit) {
                        Rgba Light = Random.Unit() < 0.7f ? Style::GOLD : Look.Main;
                        Screen.Fill({wx, wy, 4, 5}, [](float, float) { return -1.0f; },
                                    WithAlpha(Light, nLayer == 0 ? 0.22f : 0.4f));
                    }
            if (nLayer == 1 && Random.Unit() < 0.35f) {   // a neon sign down the front
                float sx = x + nWidth * 0.5f, sy = nTop + 20.0f, fLength = Random.Range(40, 90);
                Rgba Neon = Random.Unit() < 0.5f ? Look.Main : Look.Second;
                Signs.Fill({(int)sx - 4, (int)sy - 4, 9, (int)fLength + 9},
                           [=](float px, float py) { return Shape::Capsule(px, py, sx, sy, sx, sy + fLength, 3.0f); }, Neon);
            }
            x += nWidth + (nLayer == 0 ? Random.Int(-8, 6) : Random.Int(2, 14));
        }
    }
    DrawGlowing(Screen, Signs, 0, 0, 8, WithAlpha(Look.Main, 0.6f), 0.75f);
}

void CrystalCave(Canvas& Screen, const Theme& Look)
{
    uint32_t s = Seed(Look, 4);
    SoftField Rock(W, H, 4, [=](float x, float y) { return Noise(x, y, 40, s, 5); });
    PaintEvery(Screen, [&](int x, int y) {
        float dx = (x - 400) / 420.0f, dy = (y - 280) / 340.0f;
        float fOpen = std::clamp(1.0f - (dx * dx + dy * dy), 0.0f, 1.0f);
        Rgba Colour = Mix(Hex(0x07050F), Hex(0x1A1236), Rock.At(x, y) * 0.8f);
        return Mix(Colour, Shade(Look.Second, -0.7f), fOpen * 0.5f);
    });
    ForgeRandom Random(Look.nSeed + 4);
    Canvas Crystals(W, H);
    for (int n = 0; n < 26; ++n) {
        bool bFloor = n < 17;
        float x = Random.Range(-20, W + 20), fLength = Random.Range(bFloor ? 90 : 60, bFloor ? 250 : 150);
        float fWidth = Random.Range(14, 36), fAngle = Random.Range(-0.45f, 0.45f);
        float y = bFloor ? H + 10.0f : -10.0f, fDirection = bFloor ? -1.0f : 1.0f;
        float ax = std::sin(fAngle), ay = std::cos(fAngle) * fDirection;   // the crystal's axis
        float nx = -ay, ny = ax;                                            // across it
        float tx = x + ax * fLength, ty = y + ay * fLength;
        float sx = x + ax * fLength * 0.78f, sy = y + ay * fLength * 0.78f;
        std::vector<float> Points = {x + nx * fWidth / 2,  y + ny * fWidth / 2,  sx + nx * fWidth / 2, sy + ny * fWidth / 2,
                                     tx,                   ty,                   sx - nx * fWidth / 2, sy - ny * fWidth / 2,
                                     x - nx * fWidth / 2,  y - ny * fWidth / 2};
        Rgba Body = Mix(Look.Main, Look.Second, Random.Unit());
        float fBright = Random.Range(0.35f, 0.7f);
        Box Area{(int)(std::min(x, tx) - fWidth - 2), (int)(std::min(y, ty) - fWidth - 2),
                 (int)(std::fabs(tx - x) + 2 * fWidth + 4), (int)(std::fabs(ty - y) + 2 * fWidth + 4)};
        Crystals.Fill(Area, [&](float px, float py) { return Shape::Polygon(px, py, Points); }, [=](float px, float py) {
            // Two facets: the one turned to the upper-left light is brighter.
            float fSide = (px - x) * nx + (py - y) * ny;
            float fFacing = (fSide < 0 ? -1.0f : 1.0f) * (nx * Style::LIGHT_X + ny * Style::LIGHT_Y);
            float fAlong = ((px - x) * ax + (py - y) * ay) / fLength;
            Rgba Colour = Shade(Body, -0.84f + fBright * 0.45f + (fFacing < 0 ? 0.18f : 0.0f) + fAlong * 0.16f);
            return WithAlpha(Colour, 0.92f);
        });
    }
    DrawGlowing(Screen, Crystals, 0, 0, 10, WithAlpha(Look.Main, 0.35f));
    Stars(Screen, WHOLE, 60, Look.nSeed + 5, 0.7f);   // glints in the rock
}

void DeepSea(Canvas& Screen, const Theme& Look)
{
    uint32_t s = Seed(Look, 5);
    float RayX[5];
    ForgeRandom Random(Look.nSeed + 5);
    for (float& x : RayX)
        x = Random.Range(60, 740);
    SoftField Caustic(W, H, 4, [=](float x, float y) { return Noise(x, y * 2.0f, 45, s, 3); });
    std::vector<float> Floor = Ridge(540, 26, 110, s + 2);
    Rgba Top = Shade(Look.Main, -0.62f);
    PaintEvery(Screen, [&](int x, int y) {
        float t = y / (float)H;
        Rgba Colour = Mix(Top, Hex(0x020712), std::sqrt(t));
        float fRays = 0;
        for (float x0 : RayX) {
            float u = (x - x0 - (y - 0) * 0.32f) / 26.0f;
            fRays += std::exp(-u * u);
        }
        Colour = Mix(Colour, Shade(Look.Main, -0.2f), std::min(0.35f, fRays * 0.16f * (1.0f - t)));
        if (y < 200)
            Colour = Mix(Colour, Shade(Look.Main, -0.1f), Ramp(0.6f, 0.8f, Caustic.At(x, y)) * 0.22f * (1 - y / 200.0f));
        if (y > Floor[x])
            Colour = Mix(Hex(0x040A14), Hex(0x0A1622), Ramp(0, 16, y - Floor[x]) * 0.4f);
        return Colour;
    });
    // Swaying weed rising from the floor.
    for (int n = 0; n < 14; ++n) {
        float x = Random.Range(10, 790), fHeight = Random.Range(70, 170), fPhase = Random.Range(0, 6.28f);
        float xPrev = x, yPrev = (float)H;
        Rgba Weed = Mix(Hex(0x0B2E2A), Shade(Look.Second, -0.6f), Random.Unit());
        for (int k = 1; k <= 12; ++k) {
            float yk = H - fHeight * k / 12.0f, xk = x + std::sin(fPhase + k * 0.5f) * 10.0f * k / 12.0f;
            float fWidth = 7.0f * (1.0f - k / 14.0f);
            Screen.Fill({(int)std::min(xPrev, xk) - 6, (int)yk - 6, (int)std::fabs(xk - xPrev) + 13, (int)(yPrev - yk) + 13},
                        [=](float px, float py) { return Shape::Capsule(px, py, xPrev, yPrev, xk, yk, fWidth); }, Weed);
            xPrev = xk, yPrev = yk;
        }
    }
    // Rising bubbles: thin rings with a glint.
    for (int n = 0; n < 46; ++n) {
        float x = Random.Range(30, 770), y = Random.Range(40, 540), r = Random.Range(1.5f, 5.5f);
        Screen.Fill({(int)(x - r - 2), (int)(y - r - 2), (int)(2 * r + 5), (int)(2 * r + 5)},
                    [=](float px, float py) { return std::fabs(Shape::Circle(px, py, x, y, r)) - 0.55f; },
                    WithAlpha(Hex(0xBFEFFF), 0.35f));
    }
    Stars(Screen, WHOLE, 220, Look.nSeed + 6, 0.35f);   // drifting specks
}

void CircuitBoard(Canvas& Screen, const Theme& Look)
{
    uint32_t s = Seed(Look, 6);
    SoftField Grain(W, H, 3, [=](float x, float y) { return Noise(x, y, 18, s, 3); });
    Rgba Board = Mix(Style::NIGHT, Shade(Look.Main, -0.85f), 0.6f);
    PaintEvery(Screen, [&](int x, int y) { return Shade(Board, (Grain.At(x, y) - 0.5f) * 0.25f); });
    ForgeRandom Random(Look.nSeed + 6);
    // Chips first, traces run between and past them.
    for (int n = 0; n < 7; ++n) {
        Box Chip{Random.Int(2, 34) * 20 + 4, Random.Int(2, 24) * 20 + 4, Random.Int(3, 6) * 20 - 8, Random.Int(2, 4) * 20 - 8};
        for (int px = Chip.x + 6; px < Chip.Right() - 4; px += 8) {
            Screen.Fill({px, Chip.y - 5, 3, 5}, [](float, float) { return -1.0f; }, Hex(0x6A7088));
            Screen.Fill({px, Chip.Bottom(), 3, 5}, [](float, float) { return -1.0f; }, Hex(0x6A7088));
        }
        Style::BevelBox(Screen, Chip, Hex(0x161A2A), 3, 2);
    }
    Canvas Lit(W, H);
    static const int STEPS[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    for (int n = 0; n < 70; ++n) {
        float x = Random.Int(0, 40) * 20.0f, y = Random.Int(0, 30) * 20.0f;
        int nDirection = Random.Int(0, 3) * 2;
        bool bLit = Random.Unit() < 0.16f;
        Rgba Trace = bLit ? Look.Second : Shade(Look.Main, -0.5f);
        Canvas& Target = bLit ? Lit : Screen;
        auto Pad = [&](float px, float py) {
            Target.Fill({(int)px - 5, (int)py - 5, 11, 11},
                        [=](float qx, float qy) { return std::fabs(Shape::Circle(qx, qy, px, py, 3.2f)) - 1.0f; }, Trace);
        };
        Pad(x, y);
        for (int k = Random.Int(4, 14); k > 0; --k) {
            if (Random.Unit() < 0.3f)
                nDirection = (nDirection + (Random.Unit() < 0.5f ? 1 : 7)) % 8;
            float nx = x + STEPS[nDirection][0] * 20.0f, ny = y + STEPS[nDirection][1] * 20.0f;
            Target.Fill({(int)std::min(x, nx) - 3, (int)std::min(y, ny) - 3, 27, 27},
                        [=](float px, float py) { return Shape::Capsule(px, py, x, y, nx, ny, 2.2f); },
                        WithAlpha(Trace, 0.9f));
            x = nx, y = ny;
        }
        Pad(x, y);
    }
    DrawGlowing(Screen, Lit, 0, 0, 6, WithAlpha(Look.Second, 0.6f), 0.7f);
}

void DesertNight(Canvas& Screen, const Theme& Look)
{
    uint32_t s = Seed(Look, 7);
    std::vector<float> Dunes[3] = {Ridge(420, 40, 260, s), Ridge(470, 35, 200, s + 1), Ridge(525, 25, 150, s + 2)};
    const Rgba Sand[3] = {Hex(0x1A1530), Hex(0x120E22), Hex(0x0A0816)};
    float fMoonX = Across(Look, 610), fMoonY = 140;
    PaintEvery(Screen, [&](int x, int y) {
        for (int k = 2; k >= 0; --k) {
            if (y < Dunes[k][x])
                continue;
            // The crest catches the moonlight on the side turned to the moon.
            float fSlope = Dunes[k][std::min(W - 1, x + 1)] - Dunes[k][std::max(0, x - 1)];
            float fToMoon = (fMoonX > x ? -1.0f : 1.0f) * fSlope;
            float fCrest = std::exp(-(y - Dunes[k][x]) / 10.0f);
            return Mix(Sand[k], Shade(Look.Second, -0.35f), std::clamp(fCrest * (0.25f + fToMoon * 0.3f), 0.0f, 0.5f));
        }
        float t = std::clamp(y / 430.0f, 0.0f, 1.0f);
        return Mix(Hex(0x060A1E), Shade(Look.Second, -0.55f), t * t);
    });
    Stars(Screen, {0, 0, W, 380}, 380, Look.nSeed + 7);
    Canvas Moon(200, 200);
    Moon.Fill({0, 0, 200, 200}, [](float x, float y) { return Shape::Circle(x, y, 100, 100, 42); }, Hex(0xFFFFFF));
    DrawGlowing(Screen, Moon, (int)fMoonX - 100, (int)fMoonY - 100, 26, WithAlpha(Look.Main, 0.45f), 0);
    Screen.Fill({(int)fMoonX - 45, (int)fMoonY - 45, 91, 91},
                [=](float x, float y) { return Shape::Circle(x, y, fMoonX, fMoonY, 42); }, [=](float x, float y) {
                    float fMare = Noise(x * 1.0f, y * 1.0f, 14, s + 9, 3);
                    float fShade = -((x - fMoonX) * Style::LIGHT_X + (y - fMoonY) * Style::LIGHT_Y) / 42.0f;
                    return Shade(Mix(Hex(0xE6E0C8), Hex(0xB0AA96), Ramp(0.45f, 0.75f, fMare)), -0.3f + fShade * 0.2f);
                });
}

void Storm(Canvas& Screen, const Theme& Look)
{
    uint32_t s = Seed(Look, 8);
    ForgeRandom Random(Look.nSeed + 8);
    // The bolt's path: jagged steps from the clouds down to the field's foot.
    std::vector<float> Bolt;
    float x = Across(Look, 560), y = 30;
    Bolt.push_back(x), Bolt.push_back(y);
    while (y < 430) {
        x += Random.Range(-30, 30);
        y += Random.Range(20, 40);
        Bolt.push_back(x), Bolt.push_back(y);
    }
    float fFlashX = Bolt[0], fFlashY = 60;
    SoftField Cloud(W, H, 8, [=](float px, float py) { return Noise(px, py * 1.6f, 170, s, 6); });
    PaintEvery(Screen, [&](int px, int py) {
        float c = Cloud.At(px, py), t = py / (float)H;
        Rgba Colour = Mix(Hex(0x0B0F1C), Hex(0x2C3450), Ramp(0.35f, 0.75f, c) * (1.0f - 0.6f * t));
        float d = std::hypot(px - fFlashX, (py - fFlashY) * 1.4f);
        Colour = Mix(Colour, Shade(Look.Main, -0.2f), 0.35f * std::exp(-d / 140.0f) * Ramp(0.3f, 0.7f, c));
        return Shade(Colour, -0.4f * t);
    });
    // Rain: faint slanted streaks.
    for (int n = 0; n < 420; ++n) {
        float rx = Random.Range(0, W), ry = Random.Range(0, H), fLength = Random.Range(8, 18);
        Screen.Fill({(int)rx - 6, (int)ry - 2, 12, (int)fLength + 4},
                    [=](float px, float py) { return Shape::Capsule(px, py, rx, ry, rx - fLength * 0.3f, ry + fLength, 0.8f); },
                    WithAlpha(Hex(0x9FB8E0), 0.12f));
    }
    Canvas Flash(W, H);
    auto Strike = [&](const std::vector<float>& Path, float fWidth) {
        for (size_t n = 2; n + 1 < Path.size(); n += 2) {
            float x0 = Path[n - 2], y0 = Path[n - 1], x1 = Path[n], y1 = Path[n + 1];
            Flash.Fill({(int)std::min(x0, x1) - 4, (int)y0 - 4, (int)std::fabs(x1 - x0) + 9, (int)(y1 - y0) + 9},
                       [=](float px, float py) { return Shape::Capsule(px, py, x0, y0, x1, y1, fWidth); }, Hex(0xF0F4FF));
        }
    };
    Strike(Bolt, 2.6f);
    std::vector<float> Branch = {Bolt[6], Bolt[7]};
    for (int k = 0; k < 5; ++k)
        Branch.push_back(Branch[Branch.size() - 2] + Random.Range(10, 30) * (Look.bMirrored ? 1 : -1)),
            Branch.push_back(Branch[Branch.size() - 2] + Random.Range(14, 28));
    Strike(Branch, 1.4f);
    DrawGlowing(Screen, Flash, 0, 0, 12, WithAlpha(Look.Main, 0.7f), 0.85f);
}

void Starfield(Canvas& Screen, const Theme& Look)
{
    uint32_t s = Seed(Look, 9);
    float fDx = 0.82f, fDy = Look.bMirrored ? 0.57f : -0.57f;   // the band's direction
    SoftField Band(W, H, 6, [=](float x, float y) { return Noise(x, y, 90, s, 5); });
    SoftField Lane(W, H, 6, [=](float x, float y) { return Noise(x + 90, y, 45, s + 1, 4); });
    PaintEvery(Screen, [&](int x, int y) {
        float d = std::fabs((x - 400) * fDy - (y - 300) * fDx);
        float fBand = std::exp(-(d / 120.0f) * (d / 120.0f)) * (0.5f + 0.7f * Band.At(x, y));
        float fLane = std::exp(-(d / 26.0f) * (d / 26.0f)) * Ramp(0.4f, 0.7f, Lane.At(x, y));
        Rgba Glow = Mix(Shade(Look.Main, -0.4f), Shade(Look.Second, -0.45f), Band.At(x, y));
        Rgba Colour = Mix(Hex(0x05071A), Glow, std::min(0.55f, fBand * 0.55f));
        return Shade(Colour, -0.6f * fLane);
    });
    Stars(Screen, WHOLE, 1300, Look.nSeed + 9, 0.9f);
    GlowingStars(Screen, WHOLE, 6, Look.nSeed + 10, Look.Second);
}

void GridHorizon(Canvas& Screen, const Theme& Look)
{
    uint32_t s = Seed(Look, 10);
    const float fHorizon = 330, fDepth = 270;
    std::vector<float> Far = Ridge(292, 30, 110, s), Near = Ridge(316, 14, 60, s + 1);
    float fSunX = Across(Look, 400), fSunY = 282, fSunR = 110;
    PaintEvery(Screen, [&](int x, int y) {
        if (y >= fHorizon) {
            // The floor: a perspective grid worked out per pixel, so every line is one pixel sharp.
            float z = y - fHorizon + 0.5f;
            float fWorldX = (x - 400) * fDepth / z;
            float fAcross = std::fabs(fWorldX - std::round(fWorldX / 60) * 60) * z / fDepth;
            float fDistance = 1600.0f / z, fStep = 1600.0f / (z * z);
            float fAlong = std::fabs(fDistance - std::round(fDistance)) / std::max(fStep, 1e-3f);
            float fLine = std::max(std::clamp(1.1f - fAcross, 0.0f, 1.0f), std::clamp(1.1f - fAlong, 0.0f, 1.0f));
            float fNear = std::min(1.0f, z / fDepth * 1.4f);
            Rgba Floor = Mix(Hex(0x0A0620), Hex(0x05030F), fNear);
            return Mix(Floor, Look.Main, fLine * (0.15f + 0.45f * fNear));
        }
        if (y > Near[x])
            return Hex(0x080614);
        if (y > Far[x])
            return Mix(Hex(0x120C2A), Shade(Look.Second, -0.5f), std::exp(-(y - Far[x]) / 4.0f) * 0.6f);
        float t = y / fHorizon;
        Rgba Sky = Mix(Hex(0x070A1E), Shade(Look.Second, -0.55f), t * t);
        float d = std::hypot(x - fSunX, y - fSunY);
        if (d < fSunR) {
            // The sun: a dim gradient disc, cut by bands that widen towards the horizon.
            float fBand = (y - (fSunY - 20)) / 8.0f;
            bool bGap = y > fSunY - 20 && std::fmod(fBand, 2.0f) < std::min(1.6f, 0.2f + (y - fSunY + 20) / 90.0f);
            if (!bGap)
                return Shade(Mix(Style::GOLD, Look.Second, std::clamp((y - fSunY + fSunR) / (2 * fSunR), 0.0f, 1.0f)), -0.56f);
        }
        return Mix(Sky, Shade(Look.Second, -0.4f), 0.5f * std::exp(-std::max(0.0f, d - fSunR) / 40.0f));
    });
    Stars(Screen, {0, 0, W, 250}, 180, Look.nSeed + 11, 0.7f);
}

}  // namespace BackgroundScenes
