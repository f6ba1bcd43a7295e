// The bonus sheet "boni": a falling token per bonus code, seven frames of a
// glint sweeping across it and a light running round its ring. The ring's
// colour tells good news (lime, cyan, gold) from bad (magenta, red); the icon
// in the middle says what the bonus does.
#include <cmath>

#include "ArtKit.h"
#include "PlayArt.h"
#include "Picture.h"
#include "sheets.h"

namespace {

using ArtKit::ArrowDistance;
using Shape::Capsule;
using Shape::Circle;

constexpr float TOKEN_RADIUS = 17.5f, FACE_RADIUS = 13.0f;

enum class Mood { Good, Reward, Cyan, Bad, Neutral };

Rgba RingColour(Mood Kind)
{
    switch (Kind) {
    case Mood::Good: return Style::LIME;
    case Mood::Reward: return Style::GOLD;
    case Mood::Cyan: return Style::CYAN;
    case Mood::Bad: return Hex(0xFF3D6E);
    default: return Style::STEEL;
    }
}

Mood MoodOf(int nCode)
{
    switch (nCode) {
    case 20: case 22: case 24: case 27: case 28: case 29: case 64: case 68: case 72: case 73: case 74:
        return Mood::Good;
    case 25: case 26: case 30: case 33: case 37: case 38: case 67:
        return Mood::Reward;
    case 23: case 36: case 65: case 66:
        return Mood::Cyan;
    case 21: case 31: case 32: case 34: case 35: case 39: case 60: case 61: case 62: case 63: case 69: case 70: case 71:
        return Mood::Bad;
    default:
        return Mood::Neutral;
    }
}

// Shapes of the icons, in pixels around the token's middle (u, v).
float Heart(float u, float v)
{
    float fLobes = std::min(Circle(u, v, -3.6f, -3, 4.4f), Circle(u, v, 3.6f, -3, 4.4f));
    std::vector<float> Tip = {-7.6f, -1.5f, 7.6f, -1.5f, 0, 8.5f};
    return std::min(fLobes, Shape::Polygon(u, v, Tip));
}

float Cloud(float u, float v, float cx, float cy, float fScale)
{
    u = (u - cx) / fScale, v = (v - cy) / fScale;
    float d = std::min({Circle(u, v, -4, 1, 4), Circle(u, v, 1.5f, -1.5f, 5), Circle(u, v, 6, 1.5f, 3.5f),
                        Shape::RoundedBox(u, v, -7, 1, 9, 5, 2)});
    return d * fScale;
}

float Waves(float u, float v)
{
    float d = 1e9f;
    for (int n = 0; n < 3; ++n) {
        float y = -6.0f + n * 6, fWave = v - y - std::sin(u * 0.6f + n) * 1.5f;
        d = std::min(d, std::max(std::fabs(fWave) - 1.2f, std::fabs(u) - 9.0f));
    }
    return d;
}

float Snowflake(float u, float v)
{
    float d = 1e9f;
    for (int n = 0; n < 3; ++n) {
        float a = n * (float)M_PI / 3, c = std::cos(a), s = std::sin(a);
        d = std::min(d, Capsule(u, v, -c * 10, -s * 10, c * 10, s * 10, 2.2f));
        for (float fSide : {-1.0f, 1.0f}) {
            float bx = c * 6 * fSide, by = s * 6 * fSide;
            float b1 = a + 0.8f * fSide, b2 = a - 0.8f * fSide;
            d = std::min({d, Capsule(u, v, bx, by, bx + std::cos(b1) * 3.5f * fSide, by + std::sin(b1) * 3.5f * fSide, 1.6f),
                          Capsule(u, v, bx, by, bx + std::cos(b2) * 3.5f * fSide, by + std::sin(b2) * 3.5f * fSide, 1.6f)});
        }
    }
    return d;
}

float Skull(float u, float v)
{
    float fHead = std::min(Circle(u, v, 0, -2, 8), Shape::RoundedBox(u, v, -5, 2, 5, 9, 2));
    // Eye holes, nose and the gaps between the teeth are cut out.
    float fHoles = std::min({Circle(u, v, -3.2f, -2, 2.4f), Circle(u, v, 3.2f, -2, 2.4f),
                             Shape::Polygon(u, v, {0, 1.5f, -1.3f, 4, 1.3f, 4}),
                             Shape::RoundedBox(u, v, -2.2f, 6, -1.2f, 9.5f, 0), Shape::RoundedBox(u, v, 1.2f, 6, 2.2f, 9.5f, 0)});
    return std::max(fHead, -fHoles);
}

float Paddle(float u, float v, float fHalf, float fY) { return Capsule(u, v, -fHalf, fY, fHalf, fY, 4.5f); }

// Dashes along an outline: the outline kept only where the dash pattern is on.
float Dashed(float fOutline, float fAlong, float fPeriod)
{
    return std::max(fOutline, std::fabs(std::fmod(fAlong + 100 * fPeriod, fPeriod) - fPeriod / 2) - fPeriod / 4);
}

// A line struck through an icon: "ends".
float Strike(float u, float v) { return Capsule(u, v, -9, 9, 9, -9, 2.4f); }

// The icon of a code as one distance function; an empty function: text icon.
float IconDistance(int nCode, float u, float v)
{
    switch (nCode) {
    case 20:
        return std::min({Paddle(u, v, 8, 5), ArrowDistance(u, v, -2, -3, -11, -3, 2.4f, 5), ArrowDistance(u, v, 2, -3, 11, -3, 2.4f, 5)});
    case 21:
        return std::min({Paddle(u, v, 4, 5), ArrowDistance(u, v, -11, -3, -3, -3, 2.4f, 5), ArrowDistance(u, v, 11, -3, 3, -3, 2.4f, 5)});
    case 22:
        return std::min({Circle(u, v, 3.5f, 2, 5.5f), Capsule(u, v, -10, -4, -4, -4, 2.4f), Capsule(u, v, -7, -7, -7, -1, 2.4f)});
    case 23: {
        float fHead = Shape::RoundedBox(u, v, -8, -4, 8, 8, 3);
        float fEyes = std::min(Circle(u, v, -3.5f, 1.5f, 2), Circle(u, v, 3.5f, 1.5f, 2));
        return std::min({std::max(fHead, -fEyes), Capsule(u, v, 0, -4, 0, -8, 1.6f), Circle(u, v, 0, -9, 2)});
    }
    case 24:
        return std::min({Paddle(u, v, 8, 0), ArrowDistance(u, v, 0, -3, 0, -11, 2.4f, 5), ArrowDistance(u, v, 0, 3, 0, 11, 2.4f, 5)});
    case 27: {
        std::vector<float> Drop = {0, -11, -4.6f, -3, 4.6f, -3};
        return std::min({Paddle(u, v, 8, 7), Circle(u, v, 0, -2, 4.8f), Shape::Polygon(u, v, Drop)});
    }
    case 28:
        return std::min(std::fabs(Circle(u, v, 0, 0, 5.5f)) - 1.4f, ArrowDistance(u, v, -10, 7, 10, -7, 2.4f, 5.5f));
    case 29:
        return std::min({Paddle(u, v, 8, 7), Capsule(u, v, -4.5f, -10, -4.5f, 3, 2.6f), Capsule(u, v, 4.5f, -10, 4.5f, 3, 2.6f)});
    case 30:
        return Heart(u, v);
    case 31:
        return Snowflake(u, v);
    case 32:
        return std::min(ArrowDistance(u, v, -10, -4, 10, -4, 2.4f, 5), ArrowDistance(u, v, 10, 4, -10, 4, 2.4f, 5));
    case 33:
        return Shape::Polygon(u, v, ArtKit::StarPoints(0, 0, 11, 4.5f, 8, 0.2f));
    case 34:
        return Dashed(std::fabs(Circle(u, v, 0, 0, 7)) - 1.4f, std::atan2(v, u) * 7, 5.5f);
    case 35:
        return std::min({Circle(u, v, 4, 0, 5.5f), Capsule(u, v, -11, -4, -4, -4, 1.8f), Capsule(u, v, -12, 0, -3, 0, 1.8f),
                         Capsule(u, v, -11, 4, -4, 4, 1.8f)});
    case 36: {
        std::vector<float> Glass = {-6, -9, 6, -9, 0.8f, 0, 6, 9, -6, 9, -0.8f, 0};
        return std::min({Shape::Polygon(u, v, Glass), Capsule(u, v, -7, -10, 7, -10, 2), Capsule(u, v, -7, 10, 7, 10, 2)});
    }
    case 38: {
        std::vector<float> Flag = {-4, -10, 9, -6, -4, -1};
        return std::min({Capsule(u, v, -5, -10, -5, 10, 2.2f), Shape::Polygon(u, v, Flag), Capsule(u, v, -9, 10, 0, 10, 2)});
    }
    case 39:
        return Skull(u, v);
    case 60:
        return std::min(Capsule(u, v, 8, 9, 8, -3, 2.6f), ArrowDistance(u, v, 8, -3, -10, -3, 2.6f, 6));
    case 61:
        return Dashed(std::fabs(Shape::RoundedBox(u, v, -10, -3, 10, 4, 3.5f)) - 1.0f, u + v, 4.0f);
    case 62:
        return std::min(Dashed(std::fabs(Shape::RoundedBox(u, v, -10, -9, 2, -1, 1.5f)) - 1.0f, u + v, 4.0f),
                        Dashed(std::fabs(Shape::RoundedBox(u, v, -2, 1, 10, 9, 1.5f)) - 1.0f, u - v, 4.0f));
    case 63:
        return std::min({Circle(u, v, 0, 0, 3), ArrowDistance(u, v, -10, -8, -5, -4, 2, 4), ArrowDistance(u, v, 10, -8, 5, -4, 2, 4),
                         ArrowDistance(u, v, -10, 8, -5, 4, 2, 4), ArrowDistance(u, v, 10, 8, 5, 4, 2, 4)});
    case 64:
        return std::min({Circle(u, v, 0, 0, 6), ArrowDistance(u, v, -6, -5, -11, -9, 2, 4), ArrowDistance(u, v, 6, -5, 11, -9, 2, 4),
                         ArrowDistance(u, v, -6, 5, -11, 9, 2, 4), ArrowDistance(u, v, 6, 5, 11, 9, 2, 4)});
    case 65: {
        float fShackle = std::max(std::fabs(Circle(u, v, 0, -3, 5.5f)) - 1.6f, v - (-2.0f));
        float fBody = std::max(Shape::RoundedBox(u, v, -7.5f, -2, 7.5f, 9, 2), -Capsule(u, v, 0, 2, 0, 5, 2.2f));
        return std::min(fShackle, fBody);
    }
    case 66:
        return std::min(Paddle(u, v, 9, 7), std::max(std::fabs(Shape::Ellipse(u, v, 0, 5, 11, 12)) - 1.5f, v - 3.0f));
    case 67: {
        std::vector<float> Crest = {-8, -9, 8, -9, 8, 0, 0, 10, -8, 0};
        float fCross = std::min(Capsule(u, v, 0, -6, 0, 4, 2), Capsule(u, v, -4.5f, -2, 4.5f, -2, 2));
        return std::max(Shape::Polygon(u, v, Crest), -fCross);
    }
    case 68:
        return std::min(Paddle(u, v, 8, -4), Paddle(u, v, 8, 5));
    case 69:
    case 72:
        return nCode == 72 ? std::min(Waves(u, v), Strike(u, v)) : Waves(u, v);
    case 70:
    case 73: {
        float fRain = std::min({Capsule(u, v, -5, 5, -6.5f, 9, 1.8f), Capsule(u, v, 0, 5, -1.5f, 9, 1.8f), Capsule(u, v, 5, 5, 3.5f, 9, 1.8f)});
        float fIcon = std::min(Cloud(u, v, -1, -3, 1.0f), fRain);
        return nCode == 73 ? std::min(fIcon, Strike(u, v)) : fIcon;
    }
    case 71:
    case 74: {
        float fIcon = std::min(Cloud(u, v, -3, -4, 0.75f), Cloud(u, v, 2, 4, 0.85f));
        return nCode == 74 ? std::min(fIcon, Strike(u, v)) : fIcon;
    }
    default:
        return 1e9f;
    }
}

const char* IconText(int nCode)
{
    switch (nCode) {
    case 25: return "x2";
    case 26: return "x4";
    case 37: return "?";
    default: return nullptr;
    }
}

// The disc: a bevelled ring in the mood's colour with a light running round it,
// and a dark face.
void PaintToken(Canvas& Sheet, const Box& Cell, Mood Kind, int nFrame)
{
    float cx = Cell.x + 20.0f, cy = Cell.y + 20.0f;
    Rgba Ring = RingColour(Kind);
    float fSpot = nFrame * 2 * (float)M_PI / Sheets::BONUS_FRAMES;
    // A soft glow of the ring colour close round the token.
    ArtKit::GlowOf(Sheet, Cell, 3, WithAlpha(Ring, 0.7f), [&](float x, float y) { return Circle(x, y, cx, cy, TOKEN_RADIUS - 1); });
    Sheet.Fill(Cell, [&](float x, float y) { return Circle(x, y, cx, cy, TOKEN_RADIUS); }, [&](float x, float y) {
        float nx = (x - cx) / TOKEN_RADIUS, ny = (y - cy) / TOKEN_RADIUS;
        float fLit = -(nx * Style::LIGHT_X + ny * Style::LIGHT_Y) * 0.45f;
        float fAngle = std::atan2(ny, nx);
        float fRun = std::cos(fAngle - fSpot);
        fLit += std::max(0.0f, fRun) * std::max(0.0f, fRun) * 0.5f;
        return Shade(Ring, std::clamp(fLit - 0.05f, -0.7f, 0.8f));
    });
    Sheet.Fill(Cell, [&](float x, float y) { return Circle(x, y, cx, cy, FACE_RADIUS + 1.2f); }, Shade(Ring, -0.6f));
    Sheet.Fill(Cell, [&](float x, float y) { return Circle(x, y, cx, cy, FACE_RADIUS); }, [&](float, float y) {
        return Mix(Style::PANEL, Style::NIGHT, (y - cy + FACE_RADIUS) / (2 * FACE_RADIUS));
    });
}

void PaintIcon(Canvas& Sheet, const Box& Cell, int nCode, Mood Kind)
{
    float cx = Cell.x + 20.0f, cy = Cell.y + 20.0f;
    Rgba Ink = Kind == Mood::Neutral ? Style::TEXT_DIM : Shade(RingColour(Kind), 0.55f);
    if (nCode == 30)
        Ink = Hex(0xFF5A7A);
    if (nCode == 31)
        Ink = Hex(0xD8F6FF);
    if (const char* szText = IconText(nCode)) {
        const Font Bold(Face::SansBold, nCode == 37 ? 22 : 17);
        ArtKit::OutlinedText(Sheet, Bold, cx, cy + (nCode == 37 ? 8.0f : 6.5f), szText, Ink, Style::NIGHT, Align::Centre);
        return;
    }
    if (Kind == Mood::Neutral) {
        // An empty capsule: only a faint mark in its middle.
        Sheet.Fill(Cell, [&](float x, float y) { return std::fabs(Circle(x, y, cx, cy, 5)) - 0.8f; }, WithAlpha(Ink, 0.8f));
        return;
    }
    auto Icon = [&](float x, float y) { return IconDistance(nCode, x - cx, y - cy); };
    Sheet.Fill(Cell, [&](float x, float y) { return Icon(x, y) - 1.0f; }, Style::NIGHT);
    Sheet.Fill(Cell, Icon, [&](float, float y) { return Shade(Ink, 0.25f - (y - cy + 10) / 20.0f * 0.4f); });
}

// A glint sweeping across the face, one step per frame.
void PaintGlint(Canvas& Sheet, const Box& Cell, int nFrame)
{
    float cx = Cell.x + 20.0f, cy = Cell.y + 20.0f;
    float fPosition = -22.0f + nFrame * 44.0f / (Sheets::BONUS_FRAMES - 1);
    Sheet.Fill(Cell, [&](float x, float y) {
        float fBand = std::fabs((x - cx) + (y - cy) - fPosition) / 1.414f - 2.5f;
        return std::max(fBand, Circle(x, y, cx, cy, TOKEN_RADIUS - 0.5f));
    }, WithAlpha(Hex(0xFFFFFF), 0.45f));
}

}  // namespace

bool ForgeBonusSheet(const ForgeContext& Context)
{
    Canvas Sheet(Sheets::BONI.nWidth, Sheets::BONI.nHeight);
    for (int nFirst : {20, 60})
        for (int nCode = nFirst; nCode < nFirst + 20; ++nCode) {
            Mood Kind = MoodOf(nCode);
            for (int nFrame = 0; nFrame < Sheets::BONUS_FRAMES; ++nFrame) {
                Box Cell = ArtKit::BoxOf(Sheets::Bonus(nCode, nFrame));
                PaintToken(Sheet, Cell, Kind, nFrame);
                PaintIcon(Sheet, Cell, nCode, Kind);
                PaintGlint(Sheet, Cell, nFrame);
            }
        }
    return SavePicture(Context, Sheets::BONI.szName, Sheet, PictureKind::MaskedSheet);
}
