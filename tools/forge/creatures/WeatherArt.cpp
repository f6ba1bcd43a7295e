// The "wetter" sheet: cloud banks, snow and fog particles, and the banner that
// shows a new level code.
#include "CreatureArt.h"
#include "CreaturePaint.h"
#include "Style.h"

using namespace CreaturePaint;

namespace {

// At most this opaque: banks drift over the field in numbers, and the ball and
// the paddle must still show through them.
constexpr float CLOUD_OPACITY = 0.7f;

// Clouds: soft puffs summed into one density, so they merge without seams, lit
// from above (bright where the density grows downwards) and kept inside their
// box so banks painted side by side never touch. The box holds nClusters
// clouds stacked from top to bottom.
void PaintClouds(Canvas& Sheet, const Box& Area, uint64_t nSeed, int nClusters)
{
    ForgeRandom Random(nSeed);
    const float MARGIN = 6;
    std::vector<float> Density((size_t)Area.w * Area.h, 0.0f);
    auto Puff = [&](float cx, float cy, float fRadius) {
        cx = std::clamp(cx, MARGIN + fRadius, Area.w - MARGIN - fRadius);
        cy = std::clamp(cy, MARGIN + fRadius, Area.h - MARGIN - fRadius);
        for (int y = std::max(0, (int)(cy - fRadius)); y < std::min(Area.h, (int)(cy + fRadius) + 1); ++y)
            for (int x = std::max(0, (int)(cx - fRadius)); x < std::min(Area.w, (int)(cx + fRadius) + 1); ++x) {
                float d = 1 - ((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy)) / (fRadius * fRadius);
                if (d > 0)
                    Density[(size_t)y * Area.w + x] += d * std::sqrt(d);
            }
    };
    float fBand = (float)Area.h / nClusters;
    for (int nCluster = 0; nCluster < nClusters; ++nCluster) {
        float fTop = nCluster * fBand, fHeight = std::min(100.0f, fBand * 1.15f);
        float fWidth = Area.w * Random.Range(0.8f, 1.0f), fLeft = (Area.w - fWidth) * Random.Unit();
        // A crown of big puffs, a row of smaller ones along the flat bottom.
        int nCrown = 2 + (int)fWidth / 60, nBase = 3 + (int)fWidth / 40;
        for (int n = 0; n < nCrown; ++n) {
            float t = (n + 0.5f) / nCrown;
            float fRadius = Random.Range(0.3f, 0.4f) * fHeight * (1.0f - 0.5f * std::fabs(t - 0.5f));
            Puff(fLeft + fWidth * (0.2f + 0.6f * t), fTop + fHeight * 0.45f + Random.Range(-4, 4), fRadius);
        }
        for (int n = 0; n < nBase; ++n) {
            float t = (n + 0.5f) / nBase, fRadius = Random.Range(0.2f, 0.27f) * fHeight;
            Puff(fLeft + fWidth * t, fTop + fHeight - MARGIN - fRadius - Random.Range(0, 3), fRadius);
        }
    }
    auto At = [&](int x, int y) {
        return x < 0 || y < 0 || x >= Area.w || y >= Area.h ? 0.0f : Density[(size_t)y * Area.w + x];
    };
    for (int y = 0; y < Area.h; ++y)
        for (int x = 0; x < Area.w; ++x) {
            float fDensity = At(x, y);
            float fAlpha = SmoothStep(0.05f, 0.45f, fDensity) * CLOUD_OPACITY;
            if (fAlpha <= 0)
                continue;
            float fLit = std::clamp((At(x, y + 9) - At(x, y - 9)) * 0.7f + (At(x + 5, y) - At(x - 5, y)) * 0.2f, -1.0f, 1.0f);
            float fGrain = FractalNoise(x * 0.07f, y * 0.07f, (uint32_t)nSeed, 3) - 0.5f;
            float fLight = std::clamp(0.45f + fLit * 0.9f + fGrain * 0.25f, 0.0f, 1.0f);
            Sheet.Blend(Area.x + x, Area.y + y, Mix(Hex(0x5A6898), Hex(0xE8F0FC), fLight), fAlpha);
        }
}

// The large bank: a loose group of clouds with gaps to see through; its middle
// column is the four small banks, each whole within its 160 x 100 slice.
void PaintBanks(Canvas& Sheet)
{
    for (int n = 0; n < Sheets::SMALL_BANKS; ++n) {
        SheetRect Slice = Sheets::SmallBank(n);
        PaintClouds(Sheet, {Slice.x, Slice.y, Slice.w, Slice.h}, 700 + n, 1);
    }
    PaintClouds(Sheet, {0, 40, 158, 200}, 720, 2);
    PaintClouds(Sheet, {322, 90, 178, 200}, 730, 2);
}

// Weather 1: snow. The first variant is a six-armed crystal turning through its
// frames, the second a soft flake that twinkles.
Canvas PaintFlake(float fRadius, int nVariant, int nFrame)
{
    Canvas Cell(Sheets::PARTICLE_SIZE, Sheets::PARTICLE_SIZE);
    float c = Sheets::PARTICLE_SIZE * 0.5f, fPhase = nFrame * 2 * PI / 10;
    float fWidth = std::max(1.1f, fRadius * 0.22f);
    if (nVariant == 0) {
        float fTurn = nFrame * (PI / 3) / 10;
        for (int nArm = 0; nArm < 6; ++nArm) {
            float a = fTurn + nArm * PI / 3, ca = std::cos(a), sa = std::sin(a);
            Stroke(Cell, c, c, c + ca * fRadius, c + sa * fRadius, fWidth, Hex(0xF4F9FF));
            if (fRadius > 5) {
                float bx = c + ca * fRadius * 0.55f, by = c + sa * fRadius * 0.55f, fTwig = fRadius * 0.35f;
                for (float fSide : {-0.8f, 0.8f})
                    Stroke(Cell, bx, by, bx + std::cos(a + fSide) * fTwig, by + std::sin(a + fSide) * fTwig,
                           fWidth * 0.8f, Hex(0xDCEBFF));
            }
        }
        RadialBlob(Cell, c, c, fWidth * 1.3f, Hex(0xFFFFFF), Hex(0xCFE2FF));
    } else {
        RadialBlob(Cell, c, c, fRadius * 0.55f, Hex(0xFFFFFF), WithAlpha(Hex(0xC8DCFF), 0.55f));
        // A four-pointed sparkle that swells and shrinks while it turns a quarter.
        float fSparkle = fRadius * (1.0f + 0.35f * std::sin(fPhase + PI / 10));
        float fTurn = nFrame * (PI / 2) / 10;
        for (float fArm : {0.0f, PI / 2}) {
            float dx = std::cos(fTurn + fArm) * fSparkle, dy = std::sin(fTurn + fArm) * fSparkle;
            Stroke(Cell, c - dx, c - dy, c + dx, c + dy, std::max(1.0f, fWidth * 0.7f), WithAlpha(Hex(0xFFFFFF), 0.9f));
        }
    }
    return WithGlow(Cell, 2, WithAlpha(Hex(0x9CC4FF), 0.6f));
}

void PaintParticles(Canvas& Sheet)
{
    const float RADII[3] = {3.5f, 6.5f, 10.5f};   // far, middle, near layer
    for (int nLayer = 0; nLayer < 3; ++nLayer)
        for (int nVariant = 0; nVariant < 2; ++nVariant)
            for (int nFrame = 0; nFrame < 10; ++nFrame)
                Place(Sheet, PaintFlake(RADII[nLayer], nVariant, nFrame),
                      Sheets::Particle(nLayer, nVariant * Sheets::PARTICLE_SIZE, nFrame));
    // Weather 2: fog puffs, larger for the nearer layers.
    const float FOG_RADII[3] = {5.0f, 7.0f, 9.4f};
    for (int nLayer = 0; nLayer < 3; ++nLayer) {
        Canvas Puff(20, 20);
        RadialBlob(Puff, 10, 10, FOG_RADII[nLayer], WithAlpha(Hex(0xC8D2E8), 0.8f), WithAlpha(Hex(0x8C9AC0), 0.2f));
        Place(Sheet, Puff, Sheets::FOG_PARTICLES[nLayer]);
    }
}

// The banner of a new level code: a title and a sunken slot for the six digits.
void PaintCodeBanner(Canvas& Sheet)
{
    const SheetRect& Where = Sheets::CODE_BANNER;
    Canvas Banner(Where.w, Where.h);
    Box Plate{6, 6, Where.w - 12, Where.h - 12};
    Canvas Shadow(Where.w, Where.h);
    Shadow.Fill({0, 0, Where.w, Where.h},
                [&](float x, float y) { return Shape::RoundedBox(x, y, 4, 4, Where.w - 4.0f, Where.h - 4.0f, 18); },
                WithAlpha(Style::CYAN, 0.8f));
    Banner.Draw(Shadow.Glow(4, WithAlpha(Style::CYAN, 0.7f)), 0, 0);
    Style::BevelBox(Banner, Plate, Style::PANEL_EDGE, 16, 3);
    Style::FramePanel(Banner, {14, 14, Where.w - 28, Where.h - 28}, 12, 1.0f);
    Font Title(Face::SansBold, 30);
    Style::GlowText(Banner, Title, Where.w * 0.5f, 66, "LEVEL-CODE", Hex(0xFFF4C8), WithAlpha(Style::GOLD, 0.9f),
                    Align::Centre, 6);
    Stroke(Banner, 60, 80, Where.w - 60.0f, 80, 2, WithAlpha(Style::GOLD, 0.7f));
    // The digit slot (digits land at x 134..224, y 101..123 of the banner).
    Style::BevelBox(Banner, {124, 93, 110, 38}, Hex(0x55669C), 7, 2);
    Banner.Fill({0, 0, Where.w, Where.h}, [](float x, float y) { return Shape::RoundedBox(x, y, 128, 97, 230, 127, 5); },
                Hex(0x0C1230));
    for (int n = 0; n < 6; ++n)
        Stroke(Banner, 136 + 15 * n, 125, 146 + 15 * n, 125, 1, WithAlpha(Style::CYAN, 0.8f));
    // Small lit keys on either side of the slot: a code unlocks.
    for (float fSide : {92.0f, 266.0f}) {
        RadialBlob(Banner, fSide, 112, 8, Hex(0xFFF0C0), Style::GOLD);
        Stroke(Banner, fSide, 112, fSide, 146, 4, Style::GOLD);
        Stroke(Banner, fSide, 138, fSide + 7, 138, 3, Style::GOLD);
        Stroke(Banner, fSide, 145, fSide + 5, 145, 3, Style::GOLD);
        RadialBlob(Banner, fSide, 112, 3, Style::PANEL, Style::NIGHT);
    }
    // Rows of lights along the bottom.
    for (int n = 0; n < 13; ++n) {
        float x = 48 + n * 19.9f;
        RadialBlob(Banner, x, 185, 3.2f, n % 2 ? Hex(0xE0FAFF) : Hex(0xFFE8F4), n % 2 ? Style::CYAN : Style::MAGENTA);
    }
    Place(Sheet, Banner, Where);
}

}  // namespace

Canvas PaintWeatherSheet()
{
    Canvas Sheet(Sheets::WETTER.nWidth, Sheets::WETTER.nHeight);
    PaintBanks(Sheet);
    PaintParticles(Sheet);
    PaintCodeBanner(Sheet);
    return Sheet;
}
