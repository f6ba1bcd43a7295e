// The "devil" sheet: the two little horned twins of the title screen. The left
// one waves, the right one juggles a glowing ball; both blink. Each is painted
// facing right, towards the logo, and the right twin is mirrored.
#include "CreatureArt.h"
#include "CreaturePaint.h"
#include "Style.h"

using namespace CreaturePaint;

namespace {

struct Twin {
    Rgba Body, Belly, Horn;
    bool bJuggles;
    int nBlinkFrame;
};

void PaintHorn(Canvas& Cell, float x, float y, float fSide, const Rgba& Colour)
{
    // A curved horn: a fan of shrinking strokes bending outwards.
    float fPrevX = x, fPrevY = y;
    for (int k = 1; k <= 6; ++k) {
        float t = k / 6.0f;
        float hx = x + fSide * (6 * t + 7 * t * t), hy = y - 20 * t + 6 * t * t * t;
        Stroke(Cell, fPrevX, fPrevY, hx, hy, 7.5f * (1.1f - t), Mix(Colour, Shade(Colour, 0.5f), t));
        fPrevX = hx, fPrevY = hy;
    }
}

void PaintArm(Canvas& Cell, float sx, float sy, float hx, float hy, const Twin& Who)
{
    float ex = (sx + hx) * 0.5f + (hy - sy) * 0.15f, ey = (sy + hy) * 0.5f + 3;
    Stroke(Cell, sx, sy, ex, ey, 8, Shade(Who.Body, -0.15f));
    Stroke(Cell, ex, ey, hx, hy, 7, Shade(Who.Body, -0.05f));
    Style::Sphere(Cell, hx, hy, 5.5f, Who.Body);
}

Canvas PaintTwin(const Twin& Who, int nFrame)
{
    Canvas Cell(Sheets::FIGURE_SIZE, Sheets::FIGURE_SIZE);
    float u = nFrame / 10.0f, fPhase = u * 2 * PI;
    float fBob = -std::fabs(std::sin(fPhase)) * 3;
    // Shadow on the ground.
    TurnedEllipse(Cell, 71, 134, 30 - fBob, 5, 0, WithAlpha(Hex(0x05060F), 0.6f));
    // Tail: a swinging curve with an arrow tip.
    float fSwing = std::sin(fPhase) * 6, tx = 50, ty = 114;
    for (int k = 1; k <= 8; ++k) {
        float t = k / 8.0f;
        float x = 50 - 22 * t - 6 * std::sin(t * PI), y = 114 - 30 * t * t + fSwing * t * t;
        Stroke(Cell, tx, ty, x, y, 4.5f - 1.5f * t, Shade(Who.Body, -0.2f));
        tx = x, ty = y;
    }
    GradientPolygon(Cell, {tx - 7, ty - 2, tx + 2, ty - 9, tx + 3, ty + 3}, Shade(Who.Horn, 0.2f), Who.Horn);
    // Legs and feet.
    for (float fSide : {-1.0f, 1.0f}) {
        Stroke(Cell, 71 + fSide * 10, 114 + fBob, 71 + fSide * 12, 129, 9, Shade(Who.Body, -0.25f));
        ShadedEllipse(Cell, 71 + fSide * 12 + 3, 131, 10, 5, Shade(Who.Body, -0.1f));
    }
    // Body with a lighter belly.
    ShadedEllipse(Cell, 71, 100 + fBob, 24, 23, Who.Body);
    ShadedEllipse(Cell, 73, 104 + fBob, 14, 14, Who.Belly);
    // Arms: the waver raises the arm towards the logo; the juggler keeps both
    // hands in front, tossing the ball from one to the other.
    float fBallX = 0, fBallY = 0;
    if (Who.bJuggles) {
        // Arms spread wide so the ball arcs over the head, clear of the face.
        float fToss = std::cos(fPhase);
        float ly = 84 + fBob - 5 * std::max(0.0f, fToss), ry = 84 + fBob - 5 * std::max(0.0f, -fToss);
        PaintArm(Cell, 52, 90 + fBob, 32, ly, Who);
        PaintArm(Cell, 90, 90 + fBob, 110, ry, Who);
        fBallX = 71 - 39 * fToss;
        fBallY = 76 + fBob - 66 * std::fabs(std::sin(fPhase));
    } else {
        float fWave = std::sin(fPhase * 2) * 0.45f * (1 - u * u);
        float a = -PI / 2 + 0.45f + fWave;
        PaintArm(Cell, 90, 90 + fBob, 90 + std::cos(a) * 30, 88 + fBob + std::sin(a) * 30, Who);
        PaintArm(Cell, 52, 90 + fBob, 46, 108 + fBob, Who);
    }
    // Head, horns, face.
    float hy = 54 + fBob;
    PaintHorn(Cell, 56, hy - 16, -1, Who.Horn);
    PaintHorn(Cell, 86, hy - 16, 1, Who.Horn);
    Style::Sphere(Cell, 71, hy, 26, Who.Body);
    for (float fSide : {-1.0f, 1.0f}) {
        float ex = 73 + fSide * 10, ey = hy - 2;
        if (nFrame == Who.nBlinkFrame) {
            Stroke(Cell, ex - 5, ey + 1, ex + 5, ey + 1, 2.2f, Hex(0x1A1020));
            continue;
        }
        TurnedEllipse(Cell, ex, ey, 6.5f, 8, 0, Hex(0xFFFFFF));
        float fLookX = Who.bJuggles ? (fBallX - 73) * 0.08f : 2.0f, fLookY = Who.bJuggles ? (fBallY - ey) * 0.04f : 0;
        TurnedEllipse(Cell, ex + 1.5f + fLookX, ey + 1 + fLookY, 3.6f, 4.6f, 0, Hex(0x1A1020));
        RadialBlob(Cell, ex + fLookX, ey - 1.5f + fLookY, 1.6f, Hex(0xFFFFFF), Hex(0xF0F0FF));
    }
    // A wide grin with one little fang.
    GradientPolygon(Cell, {60, hy + 10, 88, hy + 10, 82, hy + 17, 66, hy + 17}, Hex(0x4A0A20), Hex(0x8A1A3A));
    GradientPolygon(Cell, {79, hy + 10, 84, hy + 10, 81.5f, hy + 14}, Hex(0xFFFFFF), Hex(0xE0E0F0));
    for (float fSide : {-1.0f, 1.0f})
        RadialBlob(Cell, 73 + fSide * 17, hy + 8, 4, WithAlpha(Hex(0xFF90B0), 0.7f), WithAlpha(Hex(0xFF90B0), 0.0f));
    if (Who.bJuggles) {
        Canvas Ball(Sheets::FIGURE_SIZE, Sheets::FIGURE_SIZE);
        Style::Sphere(Ball, fBallX, fBallY, 8, Style::GOLD);
        Cell.Draw(WithGlow(Ball, 5, WithAlpha(Style::GOLD, 0.9f)), 0, 0);
    }
    return Outlined(Cell, WithAlpha(Mix(Who.Body, Hex(0xFFFFFF), 0.3f), 0.5f), 5);
}

}  // namespace

Canvas PaintFigureSheet()
{
    Canvas Sheet(Sheets::DEVIL.nWidth, Sheets::DEVIL.nHeight);
    const Twin LEFT = {Hex(0xE8386A), Hex(0xFFB0C4), Hex(0xFFE2A0), false, 6};
    const Twin RIGHT = {Hex(0x2E8EE8), Hex(0xB0E4FF), Hex(0xE8EEF8), true, 3};
    // Frames 0..9; the eleventh step of the animation shows frame 9 again.
    for (int nFrame = 0; nFrame < 10; ++nFrame) {
        Place(Sheet, PaintTwin(LEFT, nFrame), Sheets::Figure(0, nFrame));
        Place(Sheet, Mirrored(PaintTwin(RIGHT, nFrame)), Sheets::Figure(1, nFrame));
    }
    return Sheet;
}
