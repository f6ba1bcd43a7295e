// The moving and special cells of the tile sheets: the three bursts a brick
// goes through when it is destroyed, the teleporters, the ball trap and the
// laser shots. The sheet is keyed on black (no soft edges in play), so every
// glow here is painted as opaque, darker rings rather than faint haze.
#include <cmath>

#include "ArtKit.h"
#include "TileArt.h"

namespace {

struct BurstColours {
    Rgba Flash, Shard, Spark, Smoke;
};

BurstColours ColoursOf(BurstKind Kind, TileLook Look)
{
    bool bGlass = Look == TileLook::Glass;
    switch (Kind) {
    case BurstKind::Bonus:
        return {Hex(0xFFF4C0), Style::GOLD, Hex(0xFFFFFF), Shade(Style::GOLD, -0.45f)};
    case BurstKind::Smashed:
        return {Hex(0xDDE6FF), bGlass ? Style::STEEL : Hex(0x7A7066), Hex(0xC8D4F0), Hex(0x4A4E60)};
    default:
        return {Hex(0xFFF0B0), bGlass ? Style::EMBER : Hex(0x9A7A60), Style::GOLD, Hex(0x3C3A48)};
    }
}

// A shard: a small triangle turned by fAngle.
void PaintShard(Canvas& Sheet, const Box& Cell, float cx, float cy, float fSize, float fAngle, const Rgba& Colour)
{
    std::vector<float> Points;
    for (int n = 0; n < 3; ++n) {
        float a = fAngle + n * 2.2f;
        float r = fSize * (n == 0 ? 1.0f : 0.6f);
        Points.push_back(cx + std::cos(a) * r);
        Points.push_back(cy + std::sin(a) * r);
    }
    Sheet.Fill(Cell, [&](float x, float y) { return Shape::Polygon(x, y, Points); },
               [&](float x, float y) { return Shade(Colour, (x < cx && y < cy) ? 0.35f : -0.15f); });
}

void PaintSparkle(Canvas& Sheet, const Box& Cell, float cx, float cy, float fSize, const Rgba& Colour)
{
    std::vector<float> Star = ArtKit::StarPoints(cx, cy, fSize, fSize * 0.3f, 4);
    Sheet.Fill(Cell, [&](float x, float y) { return Shape::Polygon(x, y, Star); }, Colour);
}

// Frame 0: the brick itself, lit up from inside and breaking.
void PaintBreakingBrick(Canvas& Sheet, const Box& Cell, const BurstColours& Colours, BurstKind Kind)
{
    Box Body = ArtKit::Inset(Cell, 1);
    Style::BevelBox(Sheet, Body, Mix(Colours.Shard, Colours.Flash, 0.35f), 3.0f, 2.0f);
    ForgeRandom Random(Cell.x * 31u + Cell.y * 977u + (uint32_t)Kind);
    float cx = Cell.x + 20.0f, cy = Cell.y + 12.0f;
    for (int n = 0; n < 6; ++n) {
        float fAngle = n * (float)M_PI / 3 + Random.Range(-0.3f, 0.3f);
        float x1 = cx + std::cos(fAngle) * 22, y1 = cy + std::sin(fAngle) * 14;
        Sheet.Fill(Body, [&](float x, float y) { return Shape::Capsule(x, y, cx, cy, x1, y1, 1.6f); }, Colours.Flash);
    }
    Sheet.Fill(Body, [&](float x, float y) { return Shape::Ellipse(x, y, cx, cy, 6, 4); }, Hex(0xFFFFFF));
}

}  // namespace

void PaintBurst(Canvas& Sheet, const Box& Cell, TileLook Look, BurstKind Kind, int nFrame)
{
    BurstColours Colours = ColoursOf(Kind, Look);
    if (nFrame == 0) {
        PaintBreakingBrick(Sheet, Cell, Colours, Kind);
        return;
    }
    float cx = Cell.x + 20.0f, cy = Cell.y + 12.0f;
    ForgeRandom Random(1234u + (uint32_t)Kind * 7u);
    // The flash shrinks and darkens, the pieces fly outward and get smaller.
    float fFlash = std::max(0.0f, 9.0f - nFrame * 2.5f);
    if (fFlash > 0) {
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Ellipse(x, y, cx, cy, fFlash * 1.5f + 2, fFlash + 1); },
                   WithAlpha(Colours.Shard, 0.85f));
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Ellipse(x, y, cx, cy, fFlash * 1.5f, fFlash); }, Colours.Flash);
    }
    if (nFrame >= 2) {
        // Smoke puffs where the brick was.
        for (int n = 0; n < 4; ++n) {
            float x = cx + Random.Range(-12, 12), y = cy + Random.Range(-5, 5);
            float r = (2.0f + nFrame) * (1.0f - 0.15f * (nFrame - 2)) * Random.Range(0.6f, 1.0f);
            Sheet.Fill(Cell, [&](float px, float py) { return Shape::Circle(px, py, x, y, r); },
                       WithAlpha(Shade(Colours.Smoke, 0.1f * n), nFrame == 4 ? 0.6f : 0.85f));
        }
    }
    int nPieces = 10 - nFrame;
    for (int n = 0; n < nPieces; ++n) {
        float fAngle = n * 2 * (float)M_PI / nPieces + Random.Range(-0.3f, 0.3f);
        float fReach = 5.0f + nFrame * 4.0f * Random.Range(0.8f, 1.2f);
        float x = cx + std::cos(fAngle) * fReach * 1.5f, y = cy + std::sin(fAngle) * fReach * 0.9f;
        float fSize = std::max(1.4f, 5.0f - nFrame * 0.9f);
        if (Kind == BurstKind::Bonus)
            PaintSparkle(Sheet, Cell, x, y, fSize + 1.5f, n % 2 ? Colours.Spark : Colours.Shard);
        else
            PaintShard(Sheet, Cell, x, y, fSize, fAngle + nFrame, n % 3 ? Colours.Shard : Colours.Spark);
    }
}

void PaintTeleporter(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Colour, bool bUsed)
{
    float cx = Cell.x + 20.0f, cy = Cell.y + 12.0f;
    Rgba Glow = bUsed ? Shade(Mix(Colour, Style::STEEL, 0.6f), -0.45f) : Colour;
    if (Look == TileLook::Stone) {
        // A carved stone ring holds the portal.
        Sheet.Fill(Cell, [&](float x, float y) { return std::fabs(Shape::Ellipse(x, y, cx, cy, 17, 10.5f)) - 2.0f; },
                   [&](float x, float y) { return Shade(Hex(0x7A746E), (x < cx && y < cy) ? 0.3f : -0.25f); });
    }
    // The swirl: colour bands that wind inward, darker towards the middle.
    Sheet.Fill(Cell, [&](float x, float y) { return Shape::Ellipse(x, y, cx, cy, 15.5f, 9.5f); }, [&](float x, float y) {
        float nx = (x - cx) / 15.5f, ny = (y - cy) / 9.5f;
        float r = std::max(0.05f, std::hypot(nx, ny));
        float fArm = 0.5f + 0.5f * std::sin(std::atan2(ny, nx) * 3 + std::log(r) * 6.0f);
        Rgba Swirl = Mix(Shade(Glow, -0.75f), Shade(Glow, 0.25f), fArm * r + 0.15f);
        return r > 0.85f ? Shade(Glow, 0.45f * (bUsed ? 0.3f : 1.0f)) : Swirl;
    });
    if (!bUsed)
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Circle(x, y, cx, cy, 2.2f); }, Hex(0xFFFFFF));
}

void PaintBallTrap(Canvas& Sheet, const Box& Cell, TileLook Look)
{
    float cx = Cell.x + 20.0f, cy = Cell.y + 12.0f;
    Rgba Rim = Look == TileLook::Glass ? Style::MAGENTA : Hex(0xC0402A);
    // A dark vortex.
    Sheet.Fill(Cell, [&](float x, float y) { return Shape::Ellipse(x, y, cx, cy, 17, 10.5f); }, [&](float x, float y) {
        float nx = (x - cx) / 17, ny = (y - cy) / 10.5f;
        float r = std::max(0.05f, std::hypot(nx, ny));
        float fArm = 0.5f + 0.5f * std::sin(std::atan2(ny, nx) * 2 - std::log(r) * 5.0f);
        return Mix(Hex(0x07040C), Shade(Rim, -0.55f), fArm * r * r);
    });
    // Teeth round the rim, pointing in: a jaw.
    for (int n = 0; n < 10; ++n) {
        float a = n * 2 * (float)M_PI / 10;
        float ox = cx + std::cos(a) * 16.5f, oy = cy + std::sin(a) * 10.0f;
        float ix = cx + std::cos(a) * 10.0f, iy = cy + std::sin(a) * 5.5f;
        float sx = -std::sin(a) * 2.4f, sy = std::cos(a) * 1.6f;
        std::vector<float> Tooth = {ox + sx, oy + sy, ox - sx, oy - sy, ix, iy};
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Polygon(x, y, Tooth); },
                   [&](float, float y) { return Shade(Hex(0xE8E0D0), y < cy ? 0.1f : -0.3f); });
    }
    Sheet.Fill(Cell, [&](float x, float y) { return std::fabs(Shape::Ellipse(x, y, cx, cy, 17, 10.5f)) - 1.0f; }, Rim);
    // Two glints of an eye in the deep.
    for (float ex : {cx - 3.0f, cx + 3.0f})
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Ellipse(x, y, ex, cy, 1.4f, 0.9f); }, Shade(Rim, 0.4f));
}

void PaintShot(Canvas& Sheet, const Box& Area, int nLevel, int nFrame)
{
    static const uint32_t LEVEL_COLOURS[5] = {0x39B8FF, 0x39D4FF, 0x7CF25B, 0xFFC53D, 0xFF6AD0};
    nLevel = std::clamp(nLevel, 1, 5);
    Rgba Colour = Hex(LEVEL_COLOURS[nLevel - 1]);
    float fTurn = nFrame * 2 * (float)M_PI / 10;
    // A bright head flying up with a flickering tail below it.
    float cx = Area.x + 10.0f, fHead = 2.2f + nLevel * 0.55f;
    float fHeadY = Area.y + fHead + 1.5f;
    float fTail = std::min(Area.Bottom() - 1.5f, fHeadY + 6.0f + nLevel * 1.4f + std::sin(fTurn) * 1.5f);
    float fTailX = cx + std::sin(fTurn * 2) * 0.8f;
    auto Bolt = [&](float x, float y) {
        std::vector<float> Tail = {cx - fHead * 0.9f, fHeadY, cx + fHead * 0.9f, fHeadY, fTailX, fTail};
        return std::min(Shape::Circle(x, y, cx, fHeadY, fHead), Shape::Polygon(x, y, Tail));
    };
    Sheet.Fill(Area, [&](float x, float y) { return Bolt(x, y) - 1.5f; }, WithAlpha(Shade(Colour, -0.45f), 0.85f));
    Sheet.Fill(Area, Bolt, [&](float, float y) { return Shade(Colour, 0.3f - (y - fHeadY) / (fTail - fHeadY + 1) * 0.4f); });
    Sheet.Fill(Area, [&](float x, float y) { return Shape::Circle(x, y, cx, fHeadY - 0.3f, fHead * 0.55f); }, Hex(0xFFFFFF));
    // Stronger shots carry sparks circling the head.
    for (int n = 0; n < nLevel - 2; ++n) {
        float a = fTurn + n * 2 * (float)M_PI / (nLevel - 2);
        float sx = cx + std::cos(a) * (fHead + 3.0f), sy = fHeadY + 2.0f + std::sin(a) * 2.0f;
        Sheet.Fill(Area, [&](float x, float y) { return Shape::Circle(x, y, sx, sy, 1.2f); }, Shade(Colour, 0.55f));
    }
}
