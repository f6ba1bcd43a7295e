// The enemy sheets: eight kinds of flyers, ten frames each. The same eight
// bodies come in three moods: bright and cute ("enemy1"), even friendlier
// ("enemy2") and menacing ("enemy3", whose kinds 4..7 grab balls with claws and
// tentacles).
#include "CreatureArt.h"
#include "CreaturePaint.h"
#include "Style.h"

using namespace CreaturePaint;

namespace {

struct EnemyLook {
    EnemyMood Mood;
    Rgba Body, Accent;
    float fPhase;   // 0 .. 2 pi over the ten frames
    int nFrame;
    bool Menacing() const { return Mood == EnemyMood::Menacing; }
};

Rgba BodyColour(EnemyMood Mood, int nKind)
{
    static const uint32_t BRIGHT[8] = {0x39D4FF, 0x7CF25B, 0xFFC53D, 0xFF9F40, 0x2DBE8A, 0x5AA8FF, 0x9A7BFF, 0x40E0D0};
    static const uint32_t FRIENDLY[8] = {0xFFB3D1, 0xA8F0C0, 0xFFE680, 0xFFC09A, 0xC9B3FF, 0xA6D8FF, 0xFFD6A0, 0xB8F0F0};
    static const uint32_t MENACING[8] = {0xFF4FA8, 0xE0304A, 0x9A2FD0, 0xFF5030, 0xD0308A, 0xC02030, 0x8A2BE2, 0xFF3F7F};
    const uint32_t* pTable = Mood == EnemyMood::Bright ? BRIGHT : Mood == EnemyMood::Friendly ? FRIENDLY : MENACING;
    return Hex(pTable[nKind]);
}

// Eyes and mouth. Friendly faces have big round eyes and a smile; menacing ones
// narrow glowing eyes and fangs.
void PaintFace(Canvas& Cell, const EnemyLook& Look, float cx, float cy, float s)
{
    bool bBlink = !Look.Menacing() && Look.nFrame == 7;
    float fGap = 6.0f * s;
    if (Look.Menacing()) {
        for (float fSide : {-1.0f, 1.0f}) {
            float ex = cx + fSide * fGap;
            // Angry eyes: the inner corners sit low, under brows slanting to the nose.
            std::vector<float> Eye = {ex - fSide * 4.5f * s, cy - 0.5f * s, ex + fSide * 4.5f * s, cy - 3.5f * s,
                                      ex + fSide * 3.5f * s, cy + 2.0f * s, ex - fSide * 3.0f * s, cy + 2.5f * s};
            GradientPolygon(Cell, Eye, Hex(0xFFF27A), Hex(0xFF5A1A));
            RadialBlob(Cell, ex, cy + 0.5f * s, 1.3f * s, Hex(0x3A0010), Hex(0x7A0018));
            Stroke(Cell, ex - fSide * 5 * s, cy - 2.0f * s, ex + fSide * 4.5f * s, cy - 6.0f * s, 1.8f * s, Hex(0x1A0818));
        }
        std::vector<float> Mouth = {cx - 7 * s, cy + 6 * s, cx + 7 * s, cy + 6 * s, cx + 4 * s, cy + 10 * s,
                                    cx - 4 * s, cy + 10 * s};
        GradientPolygon(Cell, Mouth, Hex(0x2A0512), Hex(0x5A0A20));
        for (int n = 0; n < 4; ++n) {
            float fx = cx - 5.2f * s + n * 3.5f * s;
            GradientPolygon(Cell, {fx - 1.3f * s, cy + 6 * s, fx + 1.3f * s, cy + 6 * s, fx, cy + 9 * s},
                            Hex(0xFFFFFF), Hex(0xD8D0E0));
        }
        return;
    }
    float fEye = Look.Mood == EnemyMood::Friendly ? 1.25f : 1.0f;
    for (float fSide : {-1.0f, 1.0f}) {
        float ex = cx + fSide * fGap;
        if (bBlink) {
            Stroke(Cell, ex - 3.5f * s * fEye, cy + 0.5f * s, ex + 3.5f * s * fEye, cy + 0.5f * s, 1.5f * s, Hex(0x1A1430));
            continue;
        }
        TurnedEllipse(Cell, ex, cy, 3.8f * s * fEye, 4.6f * s * fEye, 0, Hex(0xFFFFFF));
        float fLook = std::sin(Look.fPhase) * 0.8f * s;
        TurnedEllipse(Cell, ex + fLook, cy + 0.6f * s, 2.3f * s * fEye, 2.9f * s * fEye, 0, Hex(0x1A1430));
        RadialBlob(Cell, ex + fLook - 0.9f * s, cy - 0.8f * s, 1.0f * s * fEye, Hex(0xFFFFFF), Hex(0xE0E8FF));
    }
    if (Look.Mood == EnemyMood::Friendly)
        for (float fSide : {-1.0f, 1.0f})
            RadialBlob(Cell, cx + fSide * 10.5f * s, cy + 5 * s, 2.6f * s, WithAlpha(Hex(0xFF7FA8), 0.8f),
                       WithAlpha(Hex(0xFF9FC0), 0.1f));
    // The smile: a short arc.
    for (int n = 0; n < 6; ++n) {
        float a0 = 0.45f + n * 0.375f, a1 = a0 + 0.375f, r = 4.2f * s;
        Stroke(Cell, cx + std::cos(a0) * r, cy + 3.2f * s + std::sin(a0) * r * 0.8f, cx + std::cos(a1) * r,
               cy + 3.2f * s + std::sin(a1) * r * 0.8f, 1.3f * s, Hex(0x2A1430));
    }
}

// Kind 0: a round flyer with two flapping wings.
void PaintWingedOrb(Canvas& Cell, const EnemyLook& Look)
{
    float fFlap = std::sin(Look.fPhase), fBob = std::cos(Look.fPhase) * 2;
    for (float fSide : {-1.0f, 1.0f}) {
        float fAngle = fSide * (0.35f + 0.45f * fFlap);
        if (Look.Menacing()) {
            std::vector<float> Wing = {40 + fSide * 8, 38, 40 + fSide * 34, 26, 40 + fSide * 30, 36, 40 + fSide * 35,
                                       44, 40 + fSide * 26, 44, 40 + fSide * 12, 48};
            GradientPolygon(Cell, Turned(Wing, 40 + fSide * 10, 42, -fAngle * 0.8f, 0, fBob), Hex(0x5A1A6A),
                            Hex(0x2A0A3A));
        } else {
            TurnedEllipse(Cell, 40 + fSide * 21, 36 + fBob - fFlap * 4, 15, 7, fAngle, WithAlpha(Hex(0xF0FAFF), 0.9f));
            TurnedEllipse(Cell, 40 + fSide * 20, 37 + fBob - fFlap * 4, 10, 3.5f, fAngle, WithAlpha(Look.Accent, 0.8f));
        }
    }
    Style::Sphere(Cell, 40, 44 + fBob, 17, Look.Body);
    PaintFace(Cell, Look, 40, 44 + fBob, 1.0f);
}

// Kind 1: a saucer with a glass dome and lights running round its rim.
void PaintSaucer(Canvas& Cell, const EnemyLook& Look)
{
    float fBob = std::sin(Look.fPhase) * 2;
    ShadedEllipse(Cell, 40, 34 + fBob, 15, 13, Mix(Look.Body, Hex(0xFFFFFF), 0.35f));
    ShadedEllipse(Cell, 40, 47 + fBob, 33, 9, Look.Body);
    Stroke(Cell, 12, 48 + fBob, 68, 48 + fBob, 1.2f, Shade(Look.Body, -0.4f));
    for (int n = 0; n < 6; ++n) {
        float a = n * PI / 3 + Look.nFrame * (PI / 3) / 10;
        if (std::sin(a) < -0.1f)
            continue;
        float x = 40 + std::cos(a) * 27, y = 48 + fBob + std::sin(a) * 4;
        RadialBlob(Cell, x, y, 2.6f, Hex(0xFFFFF0), Look.Accent);
    }
    if (Look.Menacing())
        for (float fSide : {-1.0f, 1.0f})
            GradientPolygon(Cell, {40 + fSide * 30, 50 + fBob, 40 + fSide * 38, 60 + fBob, 40 + fSide * 24, 54 + fBob},
                            Style::STEEL, Hex(0x40304A));
    PaintFace(Cell, Look, 40, 33 + fBob, 0.8f);
}

// Kind 2: a jelly bell that pulses, its frills trailing below.
void PaintJelly(Canvas& Cell, const EnemyLook& Look)
{
    float fPulse = std::sin(Look.fPhase);
    float fLength = Look.Menacing() ? 26 : 16;
    for (int n = 0; n < 5; ++n) {
        float x0 = 28 + n * 6;
        float fPrevX = x0, fPrevY = 44.0f;
        for (int k = 1; k <= 5; ++k) {
            float y = 44 + k * fLength / 5;
            float x = x0 + std::sin(Look.fPhase + n + k * 0.9f) * 2.5f;
            Stroke(Cell, fPrevX, fPrevY, x, y, 3.0f - k * 0.3f, Mix(Look.Body, Look.Accent, k / 5.0f));
            fPrevX = x, fPrevY = y;
        }
    }
    float rx = 21 * (1 + 0.08f * fPulse), ry = 18 * (1 - 0.08f * fPulse);
    Canvas Bell(80, 80);
    ShadedEllipse(Bell, 40, 38, rx, ry, Look.Body);
    ClearRowsFrom(Bell, 47);   // the bell is flat below its rim
    Cell.Draw(Bell, 0, 0);
    Stroke(Cell, 40 - rx + 2, 46.5f, 40 + rx - 2, 46.5f, 2.5f, Shade(Look.Body, -0.3f));
    PaintFace(Cell, Look, 40, 34, 0.9f);
}

// Kind 3: a spinning star with a face at its hub.
void PaintStarSpinner(Canvas& Cell, const EnemyLook& Look)
{
    float fTurn = Look.nFrame * (2 * PI / 5) / 10;
    std::vector<float> Star;
    for (int n = 0; n < 10; ++n) {
        float a = fTurn + n * PI / 5 - PI / 2, r = n % 2 ? (Look.Menacing() ? 11.0f : 15.0f) : 33.0f;
        Star.push_back(40 + std::cos(a) * r);
        Star.push_back(40 + std::sin(a) * r);
    }
    GradientPolygon(Cell, Star, Shade(Look.Body, 0.35f), Shade(Look.Body, -0.35f));
    for (int n = 0; n < 5; ++n) {
        float a = fTurn + n * 2 * PI / 5 - PI / 2;
        Stroke(Cell, 40, 40, 40 + std::cos(a) * 26, 40 + std::sin(a) * 26, 1.4f, WithAlpha(Shade(Look.Body, 0.6f), 0.8f));
    }
    Style::Sphere(Cell, 40, 40, 13, Mix(Look.Body, Look.Accent, 0.5f));
    PaintFace(Cell, Look, 40, 39, 0.75f);
}

// A crab's claw: a palm at the hinge and two curved jaws, opening by fOpen
// (radians) around the direction fAngle.
void PaintClaw(Canvas& Cell, float x, float y, float fAngle, float fOpen, float fSize, const Rgba& Colour)
{
    // Each jaw bows out from the axis and comes back to meet the other at the tip.
    float dx = std::cos(fAngle), dy = std::sin(fAngle), fLength = fSize * 1.1f, fBow = fSize * (0.2f + 0.5f * fOpen);
    for (float fSide : {-1.0f, 1.0f}) {
        float px = x, py = y;
        for (int k = 1; k <= 6; ++k) {
            float t = k / 6.0f, fOut = fSide * std::sin(t * PI * 0.9f) * fBow;
            float nx = x + dx * t * fLength - dy * fOut, ny = y + dy * t * fLength + dx * fOut;
            Stroke(Cell, px, py, nx, ny, fSize * (0.4f - 0.3f * t) * (fSide < 0 ? 1.2f : 0.9f),
                   Mix(Shade(Colour, 0.1f), Hex(0xFFE0EC), t * t * 0.8f));
            px = nx, py = ny;
        }
    }
    ShadedEllipse(Cell, x, y, fSize * 0.38f, fSize * 0.3f, Colour, fAngle);
}

// Kind 4: a shelled crawler with arms: waving mittens, or snapping pincers.
void PaintCrab(Canvas& Cell, const EnemyLook& Look)
{
    float fWave = std::sin(Look.fPhase);
    for (float fSide : {-1.0f, 1.0f}) {
        float hx = 40 + fSide * (Look.Menacing() ? 24 : 30), hy = (Look.Menacing() ? 30 : 34) - fWave * fSide * 5;
        Stroke(Cell, 40 + fSide * 16, 46, hx, hy, 4.5f, Shade(Look.Body, -0.25f));
        if (Look.Menacing())
            PaintClaw(Cell, hx, hy, fSide > 0 ? -1.25f : PI + 1.25f, 0.15f + 0.35f * (0.5f + 0.5f * fWave * fSide), 13,
                      Hex(0xB02050));
        else
            Style::Sphere(Cell, hx, hy, 5.5f, Look.Accent);
    }
    for (float fSide : {-1.0f, 1.0f})
        for (int n = 0; n < 3; ++n)
            Stroke(Cell, 40 + fSide * (8 + n * 6), 56, 40 + fSide * (12 + n * 7), 64 + std::sin(Look.fPhase + n) * 2, 2.5f,
                   Shade(Look.Body, -0.4f));
    ShadedEllipse(Cell, 40, 48, 22, 15, Look.Body);
    Stroke(Cell, 40, 36, 40, 60, 1.2f, WithAlpha(Shade(Look.Body, -0.5f), 0.7f));
    PaintFace(Cell, Look, 40, 45, 0.9f);
}

// Kind 5: a squid: a mantle over waving tentacles (long and hooked when menacing).
void PaintSquid(Canvas& Cell, const EnemyLook& Look)
{
    float fLength = Look.Menacing() ? 27 : 16;
    for (int n = 0; n < 6; ++n) {
        float x0 = 27 + n * 5.2f, fPrevX = x0, fPrevY = 42.0f;
        float fSpread = (n - 2.5f) * (Look.Menacing() ? 1.8f : 1.0f);
        for (int k = 1; k <= 6; ++k) {
            float y = 42 + k * fLength / 6;
            float x = x0 + fSpread * k * 0.6f + std::sin(Look.fPhase + n * 1.1f + k * 0.8f) * (1 + k * 0.5f);
            Stroke(Cell, fPrevX, fPrevY, x, y, 4.2f - k * 0.45f, Mix(Look.Body, Look.Accent, k / 8.0f));
            if (Look.Menacing() && k % 2 == 0)
                RadialBlob(Cell, x, y, 0.9f, Hex(0xFFD0E0), Hex(0xE070A0));
            fPrevX = x, fPrevY = y;
        }
        if (Look.Menacing()) {
            float fCurl = (n < 3 ? -1.0f : 1.0f);
            Stroke(Cell, fPrevX, fPrevY, fPrevX + fCurl * 3, fPrevY - 3, 1.5f, Hex(0xF0E0F0));
        }
    }
    ShadedEllipse(Cell, 40, 28, 18, 20, Look.Body);
    PaintFace(Cell, Look, 40, 31, 0.9f);
}

// Kind 6: a bat-winged flyer; the menacing one hangs hooked claws below.
void PaintBat(Canvas& Cell, const EnemyLook& Look)
{
    float fFlap = std::sin(Look.fPhase);
    for (float fSide : {-1.0f, 1.0f}) {
        std::vector<float> Wing = {40 + fSide * 10, 34, 40 + fSide * 34, 20 + fFlap * 10, 40 + fSide * 30, 34,
                                   40 + fSide * 35, 44 + fFlap * 4, 40 + fSide * 24, 42, 40 + fSide * 12, 48};
        GradientPolygon(Cell, Wing, Shade(Look.Body, -0.2f), Shade(Look.Body, -0.55f));
        Stroke(Cell, 40 + fSide * 10, 34, 40 + fSide * 34, 20 + fFlap * 10, 1.5f, Shade(Look.Body, 0.3f));
        // Ears or horns.
        GradientPolygon(Cell, {40 + fSide * 5, 28, 40 + fSide * 13, 14, 40 + fSide * 13, 30}, Shade(Look.Body, 0.2f),
                        Look.Body);
    }
    if (Look.Menacing())
        for (float fSide : {-1.0f, 1.0f}) {
            float fReach = 3 + 3 * fFlap;
            Stroke(Cell, 40 + fSide * 6, 50, 40 + fSide * 9, 60 + fReach, 3, Hex(0x601830));
            PaintClaw(Cell, 40 + fSide * 9, 60 + fReach, PI / 2, 0.35f + 0.25f * fFlap, 11, Hex(0xD04070));
        }
    Style::Sphere(Cell, 40, 38, 15, Look.Body);
    PaintFace(Cell, Look, 40, 38, 0.85f);
}

// Kind 7: a pod with one great eye in a turning ring of petals; the menacing
// one reaches out with three jointed grabbing arms.
void PaintEyePod(Canvas& Cell, const EnemyLook& Look)
{
    float fTurn = Look.nFrame * (PI / 4) / 10;
    if (Look.Menacing())
        for (int n = 0; n < 3; ++n) {
            float fBase = PI / 2 + (n - 1) * 0.75f, fSwing = std::sin(Look.fPhase + n * 2.1f) * 0.25f;
            float x1 = 40 + std::cos(fBase + fSwing) * 26, y1 = 40 + std::sin(fBase + fSwing) * 26;
            float x2 = x1 + std::cos(fBase - fSwing * 2) * 10, y2 = y1 + std::sin(fBase - fSwing * 2) * 10;
            Stroke(Cell, 40, 40, x1, y1, 4, Hex(0x5A1848));
            Stroke(Cell, x1, y1, x2, y2, 3, Hex(0x7A2060));
            PaintClaw(Cell, x2, y2, fBase - fSwing * 2, 0.3f + 0.3f * std::fabs(std::sin(Look.fPhase)), 9,
                      Hex(0xE04880));
        }
    for (int n = 0; n < 8; ++n) {
        float a = fTurn + n * PI / 4;
        float px = 40 + std::cos(a) * 21, py = 38 + std::sin(a) * 21;
        ShadedEllipse(Cell, px, py, 8, 4.5f, n % 2 ? Look.Body : Look.Accent, a);
    }
    Style::Sphere(Cell, 40, 38, 16, Hex(0xF4F4FA));
    float fLook = std::sin(Look.fPhase) * 3;
    Rgba Iris = Look.Menacing() ? Hex(0xFF3030) : Look.Body;
    RadialBlob(Cell, 40 + fLook, 39, 8, Shade(Iris, 0.3f), Shade(Iris, -0.3f));
    if (Look.Menacing())
        TurnedEllipse(Cell, 40 + fLook, 39, 1.6f, 6, 0, Hex(0x100008));
    else if (Look.nFrame != 7)
        RadialBlob(Cell, 40 + fLook, 39, 4, Hex(0x1A1430), Hex(0x2A2040));
    RadialBlob(Cell, 37 + fLook, 35.5f, 2.2f, Hex(0xFFFFFF), WithAlpha(Hex(0xFFFFFF), 0.6f));
    if (!Look.Menacing() && Look.nFrame == 7) {
        // A blink: the lid comes down over the upper half of the eye.
        Canvas Lid(80, 80);
        ShadedEllipse(Lid, 40, 38, 16.5f, 16.5f, Look.Body);
        ClearRowsFrom(Lid, 40);
        Cell.Draw(Lid, 0, 0);
        Stroke(Cell, 24.5f, 40, 55.5f, 40, 1.6f, Shade(Look.Body, -0.5f));
    }
}

Canvas PaintEnemy(EnemyMood Mood, int nKind, int nFrame)
{
    Canvas Cell(Sheets::ENEMY_SIZE, Sheets::ENEMY_SIZE);
    Rgba Body = BodyColour(Mood, nKind);
    // Half a step of phase keeps frames mirrored around a sine's peak apart.
    EnemyLook Look{Mood, Body, Mix(Body, Hex(0xFFFFFF), 0.5f), (nFrame + 0.5f) * 2 * PI / Sheets::ENEMY_FRAMES, nFrame};
    if (Mood == EnemyMood::Menacing)
        Look.Accent = Hex(0xFFB03A);
    using Painter = void (*)(Canvas&, const EnemyLook&);
    const Painter PAINTERS[8] = {PaintWingedOrb, PaintSaucer, PaintJelly, PaintStarSpinner,
                                 PaintCrab,      PaintSquid,  PaintBat,   PaintEyePod};
    PAINTERS[nKind](Cell, Look);
    Rgba Aura = Mood == EnemyMood::Menacing ? WithAlpha(Style::MAGENTA, 0.75f)
                                            : WithAlpha(Mix(Body, Hex(0xFFFFFF), 0.4f), 0.45f);
    return Outlined(Cell, Aura, 4);
}

}  // namespace

Canvas PaintEnemySheet(EnemyMood Mood)
{
    Canvas Sheet(Sheets::ENEMIES[0].nWidth, Sheets::ENEMIES[0].nHeight);
    for (int nKind = 0; nKind < Sheets::ENEMY_KINDS; ++nKind)
        for (int nFrame = 0; nFrame < Sheets::ENEMY_FRAMES; ++nFrame)
            Place(Sheet, PaintEnemy(Mood, nKind, nFrame), Sheets::Enemy(nKind, nFrame));
    return Sheet;
}
