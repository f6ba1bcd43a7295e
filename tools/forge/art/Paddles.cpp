// The paddle sheets "schlaeger0".."schlaeger3": eight looks (two per sheet),
// five widths each, ten frames of animation per look. Every paddle is a bar
// with steel end caps and a lit core between them; the look changes the core
// and adds its own parts (goo, thrusters, guns, ice, a scanner, an aura, a
// force field). The bar stands in the upper part of the 30-pixel row, where
// the ball rests on it; the lower part holds what hangs below (drips,
// flames, icicles).
#include <cmath>

#include "ArtKit.h"
#include "PlayArt.h"
#include "Picture.h"
#include "sheets.h"

namespace {

enum class Look { Normal, Sticky, Thrusters, Laser, Frozen, Autopilot, Protection, Shield };

// The bar of one paddle picture, in sheet pixels.
struct Bar {
    float fLeft, fTop, fRight, fBottom;
    float Middle() const { return (fTop + fBottom) * 0.5f; }
    float Distance(float x, float y) const { return Shape::RoundedBox(x, y, fLeft, fTop, fRight, fBottom, (fBottom - fTop) * 0.5f); }
};

constexpr float BAR_TOP = 4, BAR_BOTTOM = 19, CAP_WIDTH = 14;

float Phase(int nFrame) { return nFrame / (float)Sheets::PADDLE_FRAMES; }

Rgba CoreColour(Look Which)
{
    switch (Which) {
    case Look::Sticky: return Hex(0x5FD83A);
    case Look::Thrusters: return Hex(0x9A7BFF);
    case Look::Laser: return Hex(0xFF3A3A);
    case Look::Frozen: return Hex(0xBFEFFF);
    case Look::Autopilot: return Style::MAGENTA;
    case Look::Protection: return Style::GOLD;
    case Look::Shield: return Style::CYAN;
    default: return Style::CYAN;
    }
}

Rgba CapMetal(Look Which)
{
    switch (Which) {
    case Look::Frozen: return Hex(0xD8F2FF);
    case Look::Autopilot: return Hex(0x5A5470);
    case Look::Protection: return Shade(Style::GOLD, -0.2f);
    default: return Style::STEEL;
    }
}

// The lit core: a vertical gradient of the colour with a pulse of light that
// runs along the bar from frame to frame.
void PaintCore(Canvas& Sheet, const Box& Area, const Bar& B, Look Which, int nFrame)
{
    Rgba Colour = CoreColour(Which);
    float fCoreLeft = B.fLeft + CAP_WIDTH - 4, fCoreRight = B.fRight - CAP_WIDTH + 4;
    float fPulse = fCoreLeft + (fCoreRight - fCoreLeft) * Phase(nFrame);
    Sheet.Fill(Area, [&](float x, float y) { return Shape::RoundedBox(x, y, fCoreLeft, B.fTop + 2, fCoreRight, B.fBottom - 2, 4); },
               [&](float x, float y) {
                   float t = (y - B.fTop - 2) / (B.fBottom - B.fTop - 4);
                   float fLight = 0.35f - std::fabs(t - 0.35f) * 1.1f;
                   float fNear = std::exp(-(x - fPulse) * (x - fPulse) / 60.0f);
                   if (Which == Look::Frozen)   // ice: cracks of light instead of a smooth glow
                       fLight += (ArtKit::ValueNoise(11, x / 3.0f, y / 2.0f) - 0.5f) * 0.5f;
                   return Shade(Colour, std::clamp(fLight + fNear * 0.6f, -0.8f, 0.9f));
               });
}

void PaintCaps(Canvas& Sheet, const Box& Area, const Bar& B, Look Which)
{
    Rgba Metal = CapMetal(Which);
    for (int nSide = 0; nSide < 2; ++nSide) {
        float fLeft = nSide ? B.fRight - CAP_WIDTH : B.fLeft, fRight = nSide ? B.fRight : B.fLeft + CAP_WIDTH;
        Sheet.Fill(Area, [&](float x, float y) {
            return std::max(B.Distance(x, y), Shape::RoundedBox(x, y, fLeft, B.fTop - 1, fRight, B.fBottom + 1, 0));
        }, [&](float, float y) {
            float t = (y - B.fTop) / (B.fBottom - B.fTop);
            return Shade(Metal, 0.45f - t * 0.9f);
        });
        // A groove between cap and core.
        float fGroove = nSide ? fLeft + 1.0f : fRight - 1.0f;
        Sheet.Fill(Area, [&](float x, float y) { return std::max(std::fabs(x - fGroove) - 0.7f, B.Distance(x, y) + 1); },
                   Shade(Metal, -0.6f));
    }
}

// The bar's outline: dark below, lit along the top, so it reads over any ground.
void PaintRim(Canvas& Sheet, const Box& Area, const Bar& B)
{
    Sheet.Fill(Area, [&](float x, float y) { return std::fabs(B.Distance(x, y) + 0.5f) - 0.6f; }, [&](float, float y) {
        return y < B.Middle() ? WithAlpha(Hex(0xFFFFFF), 0.55f) : WithAlpha(Style::NIGHT, 0.9f);
    });
}

void PaintStickyGoo(Canvas& Sheet, const Box& Area, const Bar& B, int nFrame)
{
    Rgba Goo = Hex(0x5FD83A);
    int nDrips = std::max(2, (int)((B.fRight - B.fLeft) / 40));
    for (int n = 0; n < nDrips; ++n) {
        float x = B.fLeft + (B.fRight - B.fLeft) * (n + 0.5f) / nDrips + (n % 2 ? 5.0f : -3.0f);
        // Each drip stretches and snaps back at its own pace.
        float fStretch = std::fmod(Phase(nFrame) + n * 0.37f, 1.0f);
        float fBottom = B.fBottom + 2 + fStretch * 4;
        auto Drip = [&](float px, float py) {
            return std::min(Shape::Capsule(px, py, x, B.fBottom - 2, x, fBottom, 5.0f - fStretch * 2), Shape::Circle(px, py, x, fBottom, 3.2f));
        };
        Sheet.Fill(Area, [&](float px, float py) { return Drip(px, py) - 1.0f; }, Shade(Goo, -0.65f));
        Sheet.Fill(Area, Drip, [&](float px, float) { return Shade(Goo, px < x ? 0.15f : -0.15f); });
        Sheet.Fill(Area, [&](float px, float py) { return Shape::Circle(px, py, x - 1.0f, fBottom - 1.0f, 1.0f); }, Hex(0xE8FFE0));
    }
}

// Goo spread over the top of the bar, lumpy, with bubbles that drift along.
void PaintGooCoat(Canvas& Sheet, const Box& Area, const Bar& B, int nFrame)
{
    Rgba Goo = Hex(0x5FD83A);
    float fPhase = Phase(nFrame) * 2 * (float)M_PI;
    // The coat hangs over the upper half of the bar with a wavy lower edge.
    auto Lower = [&](float x) { return B.Middle() + std::sin(x * 0.35f + fPhase) * 1.8f + std::sin(x * 0.13f) * 1.2f; };
    Sheet.Fill(Area, [&](float x, float y) { return std::max(y - Lower(x), B.Distance(x, y) + 0.5f); },
               [&](float, float y) { return Shade(Goo, 0.4f - (y - B.fTop) * 0.05f); });
    Sheet.Fill(Area, [&](float x, float y) { return std::max(std::fabs(y - Lower(x) - 0.5f) - 0.6f, B.Distance(x, y) + 0.5f); },
               Shade(Goo, -0.55f));
    int nBubbles = std::max(2, (int)((B.fRight - B.fLeft) / 30));
    for (int n = 0; n < nBubbles; ++n) {
        float x = B.fLeft + 6 + (B.fRight - B.fLeft - 12) * std::fmod(n / (float)nBubbles + Phase(nFrame) * 0.25f, 1.0f);
        Sheet.Fill(Area, [&](float px, float py) { return std::fabs(Shape::Circle(px, py, x, B.fTop + 3.5f, 1.8f)) - 0.5f; },
                   Hex(0xE8FFE0));
    }
}

void PaintThrusters(Canvas& Sheet, const Box& Area, const Bar& B, int nFrame)
{
    for (float x : {B.fLeft + CAP_WIDTH * 0.6f, B.fRight - CAP_WIDTH * 0.6f}) {
        Sheet.Fill(Area, [&](float px, float py) { return Shape::RoundedBox(px, py, x - 4, B.fBottom - 2, x + 4, B.fBottom + 3, 1); },
                   [&](float px, float) { return Shade(Style::STEEL, px < x ? 0.1f : -0.4f); });
        float fFlicker = 0.5f + 0.5f * std::sin(nFrame * 2.3f + x);
        float fTip = std::min(Area.Bottom() - 1.0f, B.fBottom + 7 + fFlicker * 3.5f);
        Sheet.Fill(Area, [&](float px, float py) { return Shape::Capsule(px, py, x, B.fBottom + 3.5f, x, fTip - 3.5f, 7.0f); }, Style::EMBER);
        Sheet.Fill(Area, [&](float px, float py) { return Shape::Capsule(px, py, x, B.fBottom + 3.5f, x, fTip - 5.5f, 3.5f); }, Hex(0xFFF0A0));
    }
}

void PaintGuns(Canvas& Sheet, const Box& Area, const Bar& B, int nFrame)
{
    // Shots leave at paddle x + 18 and x + width - 42, each 20 wide: the muzzles sit at their middles.
    float afMuzzle[2] = {Area.x + 28.0f, Area.Right() - 32.0f};
    for (float x : afMuzzle) {
        auto Mount = [&](float px, float py) { return Shape::RoundedBox(px, py, x - 6, B.fTop - 1, x + 6, B.fBottom - 3, 2); };
        auto Barrel = [&](float px, float py) { return Shape::RoundedBox(px, py, x - 2.5f, Area.y + 0.5f, x + 2.5f, B.fTop + 2, 1); };
        for (auto Part : {ArtKit::Distance(Mount), ArtKit::Distance(Barrel)}) {
            Sheet.Fill(Area, [&](float px, float py) { return Part(px, py) - 0.8f; }, Style::NIGHT);
            Sheet.Fill(Area, Part, [&](float px, float py) { return Shade(Hex(0x6A7390), (px < x ? 0.3f : -0.2f) - (py - Area.y) * 0.02f); });
        }
        Sheet.Fill(Area, [&](float px, float py) { return Shape::Circle(px, py, x, B.Middle() + 1, 2.0f); }, Hex(0xFF3A3A));
        float fGlow = 0.5f + 0.5f * std::cos(Phase(nFrame) * 2 * (float)M_PI);
        Sheet.Fill(Area, [&](float px, float py) { return Shape::Circle(px, py, x, Area.y + 1.5f, 1.6f + fGlow); },
                   Mix(Hex(0xFF3A3A), Hex(0xFFE0A0), fGlow));
    }
}

void PaintFrost(Canvas& Sheet, const Box& Area, const Bar& B, int nFrame)
{
    ForgeRandom Random(4242u + (uint32_t)Area.w);
    float fWidth = B.fRight - B.fLeft;
    int nIcicles = (int)(fWidth / 14);
    for (int n = 0; n < nIcicles; ++n) {
        float x = B.fLeft + 6 + (fWidth - 12) * (n + Random.Range(0.2f, 0.8f)) / nIcicles;
        float fLength = Random.Range(3, 9);
        std::vector<float> Icicle = {x - 2.2f, B.fBottom - 1, x + 2.2f, B.fBottom - 1, x, B.fBottom + fLength};
        Sheet.Fill(Area, [&](float px, float py) { return Shape::Polygon(px, py, Icicle); },
                   [&](float px, float) { return Shade(Hex(0xBFEFFF), px < x ? 0.35f : -0.1f); });
    }
    // Frost crystals on the top edge.
    for (int n = 0; n < nIcicles; ++n) {
        float x = B.fLeft + 8 + (fWidth - 16) * Random.Unit();
        std::vector<float> Star = ArtKit::StarPoints(x, B.fTop + 1, 3.0f, 0.9f, 3, Random.Range(0, 2));
        Sheet.Fill(Area, [&](float px, float py) { return Shape::Polygon(px, py, Star); }, Hex(0xF0FCFF));
    }
    // A glint that travels along the ice.
    float gx = B.fLeft + fWidth * Phase(nFrame);
    std::vector<float> Glint = ArtKit::StarPoints(gx, B.fTop + 4, 4.5f, 0.8f, 4);
    Sheet.Fill(Area, [&](float px, float py) { return Shape::Polygon(px, py, Glint); }, Hex(0xFFFFFF));
}

void PaintScanner(Canvas& Sheet, const Box& Area, const Bar& B, int nFrame)
{
    float fLeft = B.fLeft + CAP_WIDTH, fRight = B.fRight - CAP_WIDTH;
    // Circuit traces on a dark panel, and an eye sweeping back and forth.
    Sheet.Fill(Area, [&](float x, float y) { return Shape::RoundedBox(x, y, fLeft, B.fTop + 3, fRight, B.fBottom - 3, 2); },
               Hex(0x1A1028));
    for (float y : {B.fTop + 5.0f, B.fBottom - 5.0f})
        Sheet.Fill(Area, [&](float px, float py) { return std::max(std::fabs(py - y) - 0.5f, Shape::RoundedBox(px, py, fLeft + 2, y - 2, fRight - 2, y + 2, 0)); },
                   WithAlpha(Style::MAGENTA, 0.6f));
    float fSweep = 0.5f - 0.5f * std::cos(Phase(nFrame) * 2 * (float)M_PI);
    float ex = fLeft + 5 + (fRight - fLeft - 10) * fSweep;
    Sheet.Fill(Area, [&](float x, float y) { return Shape::Ellipse(x, y, ex, B.Middle(), 7, 3.5f); }, WithAlpha(Style::MAGENTA, 0.85f));
    Sheet.Fill(Area, [&](float x, float y) { return Shape::Ellipse(x, y, ex, B.Middle(), 3, 2); }, Hex(0xFFD0F0));
}

// A band round the bar: the protection's gold aura or the shield's force field.
void PaintAura(Canvas& Sheet, const Box& Area, const Bar& B, int nFrame, bool bShield)
{
    float fBreath = 1.0f + 0.8f * std::sin(Phase(nFrame) * 2 * (float)M_PI);
    Rgba Colour = bShield ? Style::CYAN : Style::GOLD;
    Sheet.Fill(Area, [&](float x, float y) { return std::fabs(B.Distance(x, y) - 2.5f - fBreath) - 1.0f; },
               WithAlpha(Shade(Colour, 0.25f), 0.8f));
    if (bShield) {
        // Hexagon shimmer over the core, drifting with the frame.
        float fShift = Phase(nFrame) * 8;
        Sheet.Fill(Area, [&](float x, float y) {
            float u = std::fmod(x - Area.x + fShift + 800, 8.0f) - 4, v = std::fmod(y - Area.y + 800, 7.0f) - 3.5f;
            float fHex = std::max(std::fabs(u) * 0.87f + std::fabs(v) * 0.5f, std::fabs(v)) - 2.6f;
            return std::max(std::fabs(fHex) - 0.45f, B.Distance(x, y) + 2);
        }, WithAlpha(Hex(0xE0FAFF), 0.55f));
        return;
    }
    // Little stars circling the paddle.
    for (int n = 0; n < 3; ++n) {
        float a = (Phase(nFrame) + n / 3.0f) * 2 * (float)M_PI;
        float sx = (B.fLeft + B.fRight) * 0.5f + std::cos(a) * ((B.fRight - B.fLeft) * 0.5f + 1), sy = B.Middle() + std::sin(a) * 8;
        std::vector<float> Star = ArtKit::StarPoints(sx, sy, 3.2f, 1.2f, 4);
        Sheet.Fill(Area, [&](float x, float y) { return Shape::Polygon(x, y, Star); }, Hex(0xFFF4C0));
    }
}

void PaintPaddle(Canvas& Sheet, const Box& Area, Look Which, int nFrame)
{
    Bar B{Area.x + 2.0f, Area.y + BAR_TOP, Area.Right() - 2.0f, Area.y + BAR_BOTTOM};
    // A soft glow of the core's colour under everything.
    if (Which != Look::Protection && Which != Look::Shield)
        ArtKit::GlowOf(Sheet, Area, 3, WithAlpha(CoreColour(Which), 0.6f), [&](float x, float y) { return B.Distance(x, y); });
    if (Which == Look::Thrusters)
        PaintThrusters(Sheet, Area, B, nFrame);
    if (Which == Look::Sticky)
        PaintStickyGoo(Sheet, Area, B, nFrame);
    Sheet.Fill(Area, [&](float x, float y) { return B.Distance(x, y); }, Shade(CapMetal(Which), -0.5f));
    PaintCore(Sheet, Area, B, Which, nFrame);
    if (Which == Look::Autopilot)
        PaintScanner(Sheet, Area, B, nFrame);
    PaintCaps(Sheet, Area, B, Which);
    PaintRim(Sheet, Area, B);
    if (Which == Look::Sticky)
        PaintGooCoat(Sheet, Area, B, nFrame);
    if (Which == Look::Laser)
        PaintGuns(Sheet, Area, B, nFrame);
    if (Which == Look::Frozen)
        PaintFrost(Sheet, Area, B, nFrame);
    if (Which == Look::Protection || Which == Look::Shield)
        PaintAura(Sheet, Area, B, nFrame, Which == Look::Shield);
}

}  // namespace

bool ForgePaddleSheets(const ForgeContext& Context)
{
    // (sheet, row) -> look, as the game picks them.
    const Look LOOKS[Sheets::PADDLE_SHEETS][2] = {{Look::Normal, Look::Sticky},
                                                  {Look::Thrusters, Look::Laser},
                                                  {Look::Frozen, Look::Autopilot},
                                                  {Look::Protection, Look::Shield}};
    for (int nSheet = 0; nSheet < Sheets::PADDLE_SHEETS; ++nSheet) {
        const SheetSize& Size = Sheets::PADDLES[nSheet];
        Canvas Sheet(Size.nWidth, Size.nHeight);
        for (int nRow = 0; nRow < 2; ++nRow)
            for (int nClass = 0; nClass < 5; ++nClass)
                for (int nFrame = 0; nFrame < Sheets::PADDLE_FRAMES; ++nFrame)
                    PaintPaddle(Sheet, ArtKit::BoxOf(Sheets::Paddle(nClass, Sheets::PADDLE_LOOK_ROWS[nRow], nFrame)),
                                LOOKS[nSheet][nRow], nFrame);
        if (!SavePicture(Context, Size.szName, Sheet, PictureKind::MaskedSheet))
            return false;
    }
    return true;
}
