// "big_enemy01": the boss's moving parts (the head in four aims and four
// charging steps, the sliding jaw, three guns), the shots of both sides and the
// explosions.
#include "CreatureArt.h"
#include "CreaturePaint.h"
#include "Style.h"

using namespace CreaturePaint;

namespace {

const Rgba ARMOUR = Hex(0x5A4A8A), ARMOUR_DARK = Hex(0x221A40);

// The head, snout to the left, unturned, on a canvas larger than its frame;
// its pivot is (PIVOT_X, PIVOT_Y). The step (0..3) charges it: the mouth opens
// and the eye heats from magenta to white.
constexpr float PIVOT_X = 120, PIVOT_Y = 70;

Canvas PaintUnturnedHead(int nStep)
{
    Canvas Head(180, 140);
    float fOpen = nStep * 0.07f, fHeat = nStep / 3.0f;
    // Fins along the back of the skull.
    for (int n = 0; n < 3; ++n)
        GradientPolygon(Head, {106.0f + n * 12, 48, 130.0f + n * 10, 24.0f + n * 7, 120.0f + n * 12, 54}, Hex(0x8A7AC0),
                        ARMOUR_DARK);
    // Lower mandible, swinging open around the hinge.
    GradientPolygon(Head, Turned({36, 76, 104, 72, 108, 92, 48, 94, 28, 84}, 104, 80, -fOpen), ARMOUR, ARMOUR_DARK);
    for (int n = 0; n < 5; ++n) {
        std::vector<float> Tooth = {40.0f + n * 12, 77, 46.0f + n * 12, 77, 43.0f + n * 12, 70};
        GradientPolygon(Head, Turned(Tooth, 104, 80, -fOpen), Hex(0xFFF4E8), Hex(0xC8B8C0));
    }
    // The glow in the mouth grows as the head charges.
    if (nStep > 0)
        RadialBlob(Head, 40, 76, 6 + 4 * fHeat, Mix(Style::MAGENTA, Hex(0xFFF0F8), fHeat), WithAlpha(Style::MAGENTA, 0.3f));
    // Cranium and snout.
    ShadedEllipse(Head, 108, 60, 38, 27, ARMOUR);
    GradientPolygon(Head, {24, 64, 40, 48, 84, 38, 110, 46, 108, 76, 40, 76}, Shade(ARMOUR, 0.25f), ARMOUR_DARK);
    for (int n = 0; n < 5; ++n) {
        std::vector<float> Fang = {38.0f + n * 12, 74, 44.0f + n * 12, 74, 41.0f + n * 12, 81};
        GradientPolygon(Head, Fang, Hex(0xFFF4E8), Hex(0xC8B8C0));
    }
    // Plate lines and a ridge over the eye.
    Stroke(Head, 48, 52, 100, 42, 1.4f, Hex(0x140E28));
    Stroke(Head, 96, 76, 140, 80, 1.4f, Hex(0x140E28));
    GradientPolygon(Head, {70, 44, 100, 36, 112, 44, 84, 50}, Hex(0x9A8AD0), ARMOUR);
    // The eye.
    Rgba EyeColour = Mix(Style::MAGENTA, Hex(0xFFF4D0), fHeat);
    Canvas Eye(180, 140);
    RadialBlob(Eye, 92, 54, 8, Hex(0xFFFFFF), EyeColour);
    Head.Draw(WithGlow(Eye, 3 + nStep, WithAlpha(EyeColour, 0.9f)), 0, 0);
    // Nostril vents.
    for (int n = 0; n < 3; ++n)
        Stroke(Head, 34.0f + n * 6, 58, 38.0f + n * 6, 55, 1.5f, Hex(0x140E28));
    return Head;
}

void PaintHeads(Canvas& Sheet)
{
    for (int nStep = 0; nStep < 4; ++nStep) {
        Canvas Head = PaintUnturnedHead(nStep);
        for (int nPhase = 0; nPhase < 4; ++nPhase) {
            // Each phase aims the snout lower, towards where its shot starts.
            float fAngle = 0.31f - nPhase * 0.15f;
            Canvas Frame = TurnedCopy(Head, PIVOT_X, PIVOT_Y, fAngle, 98, 50, 138, 98);
            Place(Sheet, Outlined(Frame, WithAlpha(Style::MAGENTA, 0.5f), 3), Sheets::BossHead(nPhase, nStep));
        }
    }
}

// The jaw: a heavy lower plate with teeth along its top and a glowing maw (the
// hit zone at x 104..157, y 50..70).
void PaintJaw(Canvas& Sheet)
{
    const SheetRect& Where = Sheets::BOSS_JAW;
    Canvas Jaw(Where.w, Where.h);
    std::vector<float> Plate = {4, 22, 60, 12, 166, 12, 168, 70, 150, 94, 60, 96, 16, 72};
    Jaw.Fill({0, 0, Where.w, Where.h}, [&](float x, float y) { return Shape::Polygon(x, y, Plate); },
             [&](float x, float y) {
                 float fGrain = FractalNoise(x * 0.06f, y * 0.06f, 91, 3);
                 return Mix(Shade(ARMOUR, 0.2f), ARMOUR_DARK, std::clamp(y / 100.0f + fGrain * 0.4f - 0.2f, 0.0f, 1.0f));
             });
    for (int n = 0; n < 8; ++n) {
        float x = 14 + n * 19.0f, fHeight = n % 2 ? 12.0f : 17.0f;
        GradientPolygon(Jaw, {x, 16, x + 11, 14, x + 5, 14 - fHeight}, Hex(0xFFF4E8), Hex(0xC8B8C0));
    }
    Stroke(Jaw, 20, 40, 96, 34, 1.5f, Hex(0x140E28));
    Stroke(Jaw, 30, 80, 96, 86, 1.5f, Hex(0x140E28));
    // The maw: a hot opening behind a grate.
    auto Maw = [](float x, float y) { return Shape::RoundedBox(x, y, 102, 48, 159, 72, 7); };
    Jaw.Fill({96, 42, 70, 36}, [&](float x, float y) { return Maw(x, y) - 2.5f; }, Hex(0x6A6090));
    Jaw.Fill({96, 42, 70, 36}, Maw, [&](float x, float y) {
        float t = std::clamp(std::hypot((x - 130) / 28, (y - 60) / 12), 0.0f, 1.0f);
        return Mix(Hex(0xFFF2C0), Style::EMBER, t);
    });
    for (int n = 0; n < 4; ++n)
        Stroke(Jaw, 113 + n * 11.0f, 49, 113 + n * 11.0f, 71, 2, Hex(0x3A1A20));
    for (int n = 0; n < 6; ++n)
        RadialBlob(Jaw, 24 + n * 24.0f, 62 + (n % 2) * 10, 2.2f, Hex(0xB8B0D8), Hex(0x3A3058));
    Place(Sheet, Outlined(Jaw, WithAlpha(Style::EMBER, 0.5f), 3), Where);
}

// A gun: a housing on the right, a long barrel to the left, a glowing muzzle.
void PaintGun(Canvas& Sheet, const SheetRect& Where, int nGun)
{
    Canvas Gun(Where.w, Where.h);
    float w = Where.w;
    Style::BevelBox(Gun, {(int)w - 36, 1, 34, 24}, Style::STEEL, 6, 2);
    Gun.Fill({0, 0, Where.w, Where.h}, [=](float x, float y) { return Shape::RoundedBox(x, y, 10, 8, w - 34, 18, 3); },
             [&](float, float y) {
                 float t = (y - 8) / 10;
                 return Shade(Hex(0x7884A8), 0.45f - 0.9f * t);
             });
    for (int n = 0; n < 3 + nGun; ++n) {
        float x = w - 50 - n * 14.0f;
        Gun.Fill({(int)x - 2, 4, 8, 18}, [=](float px, float py) { return Shape::RoundedBox(px, py, x, 6, x + 4, 20, 1.5f); },
                 Hex(0x48527A));
    }
    Style::BevelBox(Gun, {2, 4, 12, 18}, Hex(0x9AA4C8), 3, 1.5f);
    RadialBlob(Gun, 5, 13, 4.5f, Hex(0xFFE0F0), Style::MAGENTA);
    RadialBlob(Gun, w - 19, 13, 3.5f, Hex(0xFFFFFF), Style::MAGENTA);
    Place(Sheet, Outlined(Gun, WithAlpha(Style::MAGENTA, 0.4f), 2), Where);
}

// A bolt: a bright core in a coloured glow, its tail behind (bTailRight: the
// shot flies left).
Canvas PaintBolt(int nWidth, int nHeight, float fLength, float fThickness, const Rgba& Colour, bool bTailRight)
{
    Canvas Bolt(nWidth, nHeight);
    float cy = nHeight * 0.5f, fHead = bTailRight ? 6.0f : nWidth - 6.0f, fTail = bTailRight ? fHead + fLength : fHead - fLength;
    Stroke(Bolt, fTail, cy, fHead, cy, fThickness, Colour);
    Stroke(Bolt, (fTail + fHead * 2) / 3, cy, fHead, cy, fThickness * 0.45f, Hex(0xFFFFFF));
    return WithGlow(Bolt, 3, WithAlpha(Colour, 0.85f));
}

void PaintShots(Canvas& Sheet)
{
    const SheetRect& Player = Sheets::BOSS_PLAYER_SHOT;
    Place(Sheet, PaintBolt(Player.w, Player.h, 28, 6, Style::CYAN, false), Player);
    // The head spits a plasma orb, the jaw a fireball, the guns tracers.
    SheetRect Head = Sheets::BossShot(0);
    Canvas Orb(Head.w, Head.h);
    for (int n = 0; n < 3; ++n)
        RadialBlob(Orb, 16 + n * 5.0f, 10, 5.0f - n * 1.2f, WithAlpha(Style::MAGENTA, 0.9f - n * 0.2f), WithAlpha(Style::MAGENTA, 0.5f));
    RadialBlob(Orb, 10, 10, 7, Hex(0xFFF0FA), Style::MAGENTA);
    Place(Sheet, WithGlow(Orb, 3, WithAlpha(Style::MAGENTA, 0.8f)), Head);
    SheetRect Jaw = Sheets::BossShot(1);
    Canvas Fire(Jaw.w, Jaw.h);
    TurnedEllipse(Fire, 18, 10, 12, 5, 0, WithAlpha(Style::EMBER, 0.9f));
    RadialBlob(Fire, 11, 10, 7, Hex(0xFFF4C0), Style::EMBER);
    Place(Sheet, WithGlow(Fire, 3, WithAlpha(Style::EMBER, 0.8f)), Jaw);
    Place(Sheet, PaintBolt(Sheets::BossShot(2).w, Sheets::BossShot(2).h, 18, 5, Hex(0xFF3A3A), true), Sheets::BossShot(2));
}

void PaintExplosions(Canvas& Sheet)
{
    for (int nFrame = 0; nFrame < 9; ++nFrame) {
        Canvas Cell(64, 64);
        PaintBurst(Cell, (nFrame + 0.5f) / 9.0f, Style::EMBER, Hex(0x8A3A2A), 9090);
        Place(Sheet, Cell, Sheets::BigExplosion(nFrame));
    }
    for (int nFrame = 0; nFrame < 3; ++nFrame) {
        Canvas Cell(32, 32);
        PaintBurst(Cell, (nFrame + 0.5f) / 3.0f, Style::GOLD, Style::EMBER, 3030);
        Place(Sheet, Cell, Sheets::SmallExplosion(nFrame));
    }
}

}  // namespace

Canvas PaintBossParts()
{
    Canvas Sheet(Sheets::BIG_ENEMY01.nWidth, Sheets::BIG_ENEMY01.nHeight);
    PaintHeads(Sheet);
    PaintJaw(Sheet);
    for (int n = 0; n < 3; ++n)
        PaintGun(Sheet, Sheets::BOSS_GUNS[n], n);
    PaintShots(Sheet);
    PaintExplosions(Sheet);
    return Sheet;
}
