// The "kugel" sheet's pictures: the balls in three sizes and three looks, the
// menu highlights, the star dots, the dying enemies and the boss-stage ship.
// Its glyph rows are painted in KugelGlyphs.cpp.
#include "CreatureArt.h"
#include "CreaturePaint.h"
#include "Style.h"

using namespace CreaturePaint;

namespace {

enum class BallLook { Normal, Piercing, Passing };

// One ball frame: a lit sphere with a spark orbiting it (the ball's spin) and a
// look-specific skin.
Canvas PaintBall(int nSize, BallLook Look, int nFrame)
{
    Canvas Cell(nSize, nSize);
    float c = nSize * 0.5f, r = nSize * 0.5f - (nSize > 12 ? 1.6f : 1.0f);
    float fPhase = nFrame * 2 * PI / Sheets::BALL_FRAMES;
    float fPulse = 0.5f + 0.5f * std::sin(fPhase);
    Canvas Ball(nSize, nSize);
    if (Look == BallLook::Normal) {
        Style::Sphere(Ball, c, c, r, Hex(0xB8E6FF));
        // A darker band around the ball, turning with the spin.
        float fBand = std::cos(fPhase) * r * 0.6f;
        Ball.Fill({0, 0, nSize, nSize},
                  [=](float x, float y) {
                      return std::max(Shape::Circle(x, y, c, c, r - 0.5f),
                                      std::fabs((x - c) * 0.8f + (y - c) * 0.6f - fBand) - std::max(0.7f, r * 0.16f));
                  },
                  WithAlpha(Style::CYAN, 0.55f));
    } else if (Look == BallLook::Piercing) {
        RadialBlob(Ball, c, c, r, Hex(0xFFF3C0), Hex(0xE8401A));
        // Flame tongues licking around the rim.
        for (int n = 0; n < 3; ++n) {
            float a = fPhase + n * 2 * PI / 3;
            Stroke(Ball, c + std::cos(a) * r * 0.35f, c + std::sin(a) * r * 0.35f, c + std::cos(a + 0.6f) * r * 0.8f,
                   c + std::sin(a + 0.6f) * r * 0.8f, std::max(1.0f, r * 0.3f), WithAlpha(Style::GOLD, 0.8f));
        }
    } else {
        // A pale, half-transparent ghost inside a dashed ring that turns.
        RadialBlob(Ball, c, c, r, WithAlpha(Hex(0xC8FAFF), 0.62f), WithAlpha(Style::CYAN, 0.55f));
        Ball.Fill({0, 0, nSize, nSize},
                  [=](float x, float y) {
                      float fDash = std::sin(std::atan2(y - c, x - c) * 4 - fPhase);
                      return std::max(std::fabs(Shape::Circle(x, y, c, c, r - 0.7f)) - 0.7f, -fDash * 2.0f);
                  },
                  WithAlpha(Hex(0xFFFFFF), 0.95f));
    }
    // The orbiting spark.
    float sx = c + std::cos(fPhase) * r * 0.55f, sy = c + std::sin(fPhase) * r * 0.55f * 0.6f - r * 0.25f;
    RadialBlob(Ball, sx, sy, std::max(1.2f, r * 0.32f), Hex(0xFFFFFF), WithAlpha(Hex(0xFFFFFF), 0.0f));
    Rgba GlowColour = Look == BallLook::Piercing ? Style::EMBER : Style::CYAN;
    // The ghost's glow stays faint: under its see-through body it would fill it in.
    float fGlow = Look == BallLook::Passing ? 0.25f : 0.7f + 0.3f * fPulse;
    Cell.Draw(Ball.Glow(nSize > 12 ? 2 : 1, WithAlpha(GlowColour, fGlow)), 0, 0);
    Cell.Draw(Ball, 0, 0);
    return Cell;
}

void PaintBalls(Canvas& Sheet)
{
    struct SizeRows {
        int16_t nSize;
        const int16_t* pRows;
    };
    const SizeRows SIZES[3] = {{Sheets::BALL_SMALL, Sheets::BALL_ROWS_SMALL},
                               {Sheets::BALL_NORMAL, Sheets::BALL_ROWS_NORMAL},
                               {Sheets::BALL_BIG, Sheets::BALL_ROWS_BIG}};
    const BallLook LOOKS[3] = {BallLook::Normal, BallLook::Piercing, BallLook::Passing};
    for (const SizeRows& Size : SIZES)
        for (int nLook = 0; nLook < 3; ++nLook)
            for (int nFrame = 0; nFrame < Sheets::BALL_FRAMES; ++nFrame)
                Place(Sheet, PaintBall(Size.nSize, LOOKS[nLook], nFrame),
                      Sheets::Ball(Size.nSize, Size.pRows[nLook], nFrame));
}

// A lit plate over a hovered menu entry: a soft gold frame around a faint fill.
Canvas PaintHighlight(int nWidth, int nHeight)
{
    Canvas Cell(nWidth, nHeight);
    float fRadius = std::min(8.0f, nHeight * 0.3f);
    auto Outline = [=](float x, float y) { return Shape::RoundedBox(x, y, 1.5f, 1.5f, nWidth - 1.5f, nHeight - 1.5f, fRadius); };
    Cell.Fill({0, 0, nWidth, nHeight}, Outline, [&](float, float y) {
        return WithAlpha(Mix(Hex(0xFFD870), Style::GOLD, y / nHeight), 0.22f);
    });
    Canvas Rim(nWidth, nHeight);
    Rim.Fill({0, 0, nWidth, nHeight}, [=](float x, float y) { return std::fabs(Outline(x, y) + 1.0f) - 0.9f; },
             [&](float x, float y) { return Mix(Hex(0xFFF4C8), Style::GOLD, std::clamp((x + y) / (nWidth + nHeight), 0.0f, 1.0f)); });
    Canvas Halo = Rim.Glow(6, Style::GOLD);
    Halo.Fade(1.6f);
    // Keep the halo inside the plate: it lights the entry, not its neighbours.
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
            if (Outline(x + 0.5f, y + 0.5f) > 0.5f)
                Halo.Set(x, y, Rgba{});
    // Twice: a warm light spilling in from the frame.
    Cell.Draw(Halo, 0, 0);
    Cell.Draw(Halo, 0, 0);
    Cell.Draw(Rim, 0, 0);
    return Cell;
}

void PaintHighlights(Canvas& Sheet)
{
    for (const SheetRect& Where : {Sheets::HIGHLIGHT_OPTIONS, Sheets::HIGHLIGHT_HIGHSCORES, Sheets::HIGHLIGHT_START,
                                   Sheets::HIGHLIGHT_INFO, Sheets::HIGHLIGHT_INSTRUCTIONS, Sheets::HIGHLIGHT_QUIT,
                                   Sheets::HIGHLIGHT_BACK, Sheets::HIGHLIGHT_PREVIOUS, Sheets::HIGHLIGHT_NEXT,
                                   Sheets::HIGHLIGHT_EDITOR})
        Place(Sheet, PaintHighlight(Where.w, Where.h), Where);
}

// The star dots: far ones dim and blue, near ones bright.
void PaintStars(Canvas& Sheet)
{
    const uint32_t CORES[3] = {0x6F7FB0, 0xB8C8F0, 0xFFFFFF}, EDGES[3] = {0x4A5888, 0x8494C8, 0xCFE6FF};
    for (int nLayer = 0; nLayer < 3; ++nLayer) {
        SheetRect Dot = Sheets::Star(nLayer);
        for (int n = 0; n < 4; ++n)
            Sheet.Set(Dot.x + n % 2, Dot.y + n / 2, Hex(n == 0 ? CORES[nLayer] : EDGES[nLayer]));
    }
}

void PaintDyingEnemies(Canvas& Sheet)
{
    for (int nFrame = 0; nFrame < 10; ++nFrame) {
        Canvas Cell(80, 80);
        PaintBurst(Cell, (nFrame + 0.5f) / 10.0f, Style::MAGENTA, Hex(0x7A3CC8), 4242);
        Place(Sheet, Cell, Sheets::DyingEnemy(nFrame));
    }
}

// The player's fighter, nose to the right at the cell's middle height, with its
// engine flame flickering over the ten frames.
Canvas PaintShip(int nFrame)
{
    Canvas Ship(80, 80);
    float fFlicker = 0.5f + 0.5f * std::sin(nFrame * 2 * PI / 10) * std::cos(nFrame * 4 * PI / 10 + 0.7f);
    float fFlame = 11 + 8 * fFlicker;
    // Engine flame behind the nozzle.
    Canvas Flame(80, 80);
    TurnedEllipse(Flame, 17 - fFlame * 0.5f, 40, fFlame * 0.6f, 5.5f, 0, WithAlpha(Style::EMBER, 0.9f));
    TurnedEllipse(Flame, 17 - fFlame * 0.35f, 40, fFlame * 0.4f, 3.2f, 0, Style::GOLD);
    TurnedEllipse(Flame, 16 - fFlame * 0.15f, 40, fFlame * 0.2f, 1.8f, 0, Hex(0xFFF8E0));
    Ship.Draw(WithGlow(Flame, 3, WithAlpha(Style::EMBER, 0.8f)), 0, 0);
    // Wings, back to front.
    const Rgba WING_TOP = Hex(0x4A6FD8), WING_BOTTOM = Hex(0x1E2F78);
    GradientPolygon(Ship, {28, 34, 46, 33, 34, 12, 26, 11}, Shade(WING_TOP, 0.2f), WING_TOP);
    GradientPolygon(Ship, {28, 46, 46, 47, 34, 68, 26, 69}, WING_TOP, WING_BOTTOM);
    Stroke(Ship, 27, 12, 34, 12, 2.0f, Style::CYAN);
    Stroke(Ship, 27, 68, 34, 68, 2.0f, Style::CYAN);
    // Fuselage: steel, lit from above.
    GradientPolygon(Ship, {77, 40, 62, 33, 38, 30, 22, 33, 17, 36, 17, 44, 22, 47, 38, 50, 62, 47},
                    Hex(0xE6EEFA), Hex(0x56648C));
    Stroke(Ship, 26, 40, 66, 40, 1.0f, WithAlpha(Style::CYAN, 0.9f));
    // Nozzle and cockpit.
    GradientPolygon(Ship, {18, 34, 18, 46, 13, 44, 13, 36}, Style::STEEL, Hex(0x3A4260));
    ShadedEllipse(Ship, 53, 36.5f, 8.5f, 3.8f, Hex(0x39C8FF));
    TurnedEllipse(Ship, 50.5f, 35.2f, 3.0f, 1.0f, -0.1f, WithAlpha(Hex(0xFFFFFF), 0.85f));
    // Magenta tips: the lights of the wings.
    RadialBlob(Ship, 30, 12, 2.2f, Hex(0xFFD0EC), Style::MAGENTA);
    RadialBlob(Ship, 30, 68, 2.2f, Hex(0xFFD0EC), Style::MAGENTA);
    return Outlined(Ship, WithAlpha(Style::CYAN, 0.35f), 3);
}

void PaintShips(Canvas& Sheet)
{
    for (int nFrame = 0; nFrame < 10; ++nFrame)
        Place(Sheet, PaintShip(nFrame), Sheets::Ship(nFrame));
}

}  // namespace

Canvas PaintKugelSheet()
{
    Canvas Sheet(Sheets::KUGEL.nWidth, Sheets::KUGEL.nHeight);
    PaintBalls(Sheet);
    PaintHighlights(Sheet);
    PaintKugelGlyphs(Sheet);
    PaintStars(Sheet);
    PaintDyingEnemies(Sheet);
    PaintShips(Sheet);
    return Sheet;
}
