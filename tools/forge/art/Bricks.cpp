// Brick bodies of the tile sheets. A glass brick is a glossy, lit block of
// coloured glass with a neon pattern inside; a stone brick is a rough, chiselled
// block with the same pattern carved into it. Kinds are told apart by what is
// laid on the body: a gold rim and a gem (bonus), steel and rivets
// (indestructible), a steel frame and cracks (multi-hit), rails and arrows
// (sliding).
#include <cmath>

#include "ArtKit.h"
#include "TileArt.h"

namespace {

using ArtKit::FractalNoise;

// The brick's outline inside its cell: one pixel of seam all round.
struct BrickFrame {
    float fLeft, fTop, fRight, fBottom, fRadius;
    float Distance(float x, float y) const { return Shape::RoundedBox(x, y, fLeft, fTop, fRight, fBottom, fRadius); }
    float Depth(float x, float y) const { return -Distance(x, y); }
};

BrickFrame FrameOf(const Box& Cell, TileLook Look)
{
    return {Cell.x + 1.0f, Cell.y + 1.0f, Cell.Right() - 1.0f, Cell.Bottom() - 1.0f, Look == TileLook::Glass ? 4.0f : 2.5f};
}

// How much an edge point faces the light (upper left): 1 lit, -1 in shade.
float Facing(const BrickFrame& Frame, float x, float y)
{
    float nx = (x - (Frame.fLeft + Frame.fRight) / 2) / ((Frame.fRight - Frame.fLeft) / 2);
    float ny = (y - (Frame.fTop + Frame.fBottom) / 2) / ((Frame.fBottom - Frame.fTop) / 2);
    return std::clamp(-(nx * Style::LIGHT_X + ny * Style::LIGHT_Y) * 1.4f, -1.0f, 1.0f);
}

uint32_t SeedOf(const Box& Cell) { return (uint32_t)(Cell.x * 7919 + Cell.y * 104729 + 17); }

void PaintGlassBody(Canvas& Sheet, const Box& Cell, const Rgba& Hue)
{
    BrickFrame Frame = FrameOf(Cell, TileLook::Glass);
    float fHeight = Frame.fBottom - Frame.fTop;
    Sheet.Fill(Cell, [&](float x, float y) { return Frame.Distance(x, y); }, [&](float x, float y) {
        float t = (y - Frame.fTop) / fHeight;
        float fDepth = Frame.Depth(x, y);
        Rgba Colour = Shade(Hue, 0.12f - 0.5f * t);
        // Glass: the middle glows a little, the edge darkens before the lit rim.
        float fCore = 1.0f - std::fabs(t - 0.55f) * 1.6f;
        Colour = Shade(Colour, std::max(0.0f, fCore) * 0.12f);
        if (fDepth < 1.6f)
            Colour = Shade(Colour, Facing(Frame, x, y) * 0.6f);
        else if (fDepth < 3.0f)
            Colour = Shade(Colour, -0.28f);
        return Colour;
    });
    // The gloss: a soft white band over the upper half, brightest at the top left.
    Sheet.Fill(Cell, [&](float x, float y) {
        return std::max(Shape::RoundedBox(x, y, Frame.fLeft + 3, Frame.fTop + 2, Frame.fRight - 3, Frame.fTop + 9, 3.5f),
                        Frame.Distance(x, y) + 2);
    }, [&](float x, float y) {
        float fFade = 1.0f - (y - Frame.fTop - 2) / 8.0f;
        float fSide = 1.0f - (x - Frame.fLeft) / (Frame.fRight - Frame.fLeft) * 0.6f;
        return WithAlpha(Hex(0xFFFFFF), std::clamp(fFade * fSide * 0.5f, 0.0f, 1.0f));
    });
    Sheet.Fill(Cell, [&](float x, float y) { return Shape::Ellipse(x, y, Frame.fLeft + 6, Frame.fTop + 4, 2.6f, 1.3f); },
               WithAlpha(Hex(0xFFFFFF), 0.9f));
}

void PaintStoneBody(Canvas& Sheet, const Box& Cell, const Rgba& Hue)
{
    BrickFrame Frame = FrameOf(Cell, TileLook::Stone);
    uint32_t nSeed = SeedOf(Cell);
    Rgba Base = Shade(Mix(Hue, Hex(0x7A746E), 0.42f), -0.12f);
    Sheet.Fill(Cell, [&](float x, float y) { return Frame.Distance(x, y); }, [&](float x, float y) {
        float fGrain = FractalNoise(nSeed, x / 3.0f, y / 3.0f, 3) - 0.5f;
        float fSpeck = ArtKit::ValueNoise(nSeed + 9, x * 1.3f, y * 1.3f);
        float fDepth = Frame.Depth(x, y);
        float t = (y - Frame.fTop) / (Frame.fBottom - Frame.fTop);
        Rgba Colour = Shade(Base, fGrain * 0.45f + 0.08f - 0.2f * t);
        if (fSpeck > 0.86f)
            Colour = Shade(Colour, -0.25f);
        // A chiselled bevel three pixels wide: lit top and left, shaded bottom and right.
        if (fDepth < 3.0f)
            Colour = Shade(Colour, Facing(Frame, x, y) * (0.5f - fDepth * 0.1f));
        return Colour;
    });
}

void PaintBody(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Hue)
{
    if (Look == TileLook::Glass)
        PaintGlassBody(Sheet, Cell, Hue);
    else
        PaintStoneBody(Sheet, Cell, Hue);
}

// The patterns set into a brick, as distance functions over the inner area
// (u 0..32, v 0..16).
float PatternDistance(int nFinish, float u, float v)
{
    auto Inside = [&](float d) { return std::max(d, Shape::RoundedBox(u, v, 0, 0, 32, 16, 2)); };
    switch (nFinish) {
    case 1:
        return Shape::Capsule(u, v, 4, 8, 28, 8, 2.4f);
    case 2:
        return std::min({Shape::Circle(u, v, 8, 8, 2.5f), Shape::Circle(u, v, 16, 8, 2.5f), Shape::Circle(u, v, 24, 8, 2.5f)});
    case 3: {
        float fStripe = std::fabs(std::fmod(u + v + 64.0f, 8.0f) - 4.0f) - 1.3f;
        return Inside(fStripe);
    }
    case 4: {
        float fBest = 1e9f;
        for (int k = 0; k < 3; ++k) {
            float x0 = 7.0f + k * 8;
            fBest = std::min({fBest, Shape::Capsule(u, v, x0, 3, x0 + 5, 8, 2), Shape::Capsule(u, v, x0 + 5, 8, x0, 13, 2)});
        }
        return fBest;
    }
    case 5:
        return std::fabs(std::fabs(u - 16) / 1.7f + std::fabs(v - 8) - 6.0f) - 1.1f;
    case 6:
        return std::fabs(Shape::RoundedBox(u, v, 2, 2, 30, 14, 3)) - 1.0f;
    case 7:   // a rune: a staff with two branches
        return std::min({Shape::Capsule(u, v, 16, 2, 16, 14, 2), Shape::Capsule(u, v, 16, 5, 22, 2, 2),
                         Shape::Capsule(u, v, 16, 9, 22, 6, 2), Shape::Capsule(u, v, 10, 14, 16, 10, 2)});
    case 8:   // a ring with a bar through it
        return std::min(std::fabs(Shape::Circle(u, v, 16, 8, 5)) - 1.1f, Shape::Capsule(u, v, 5, 8, 27, 8, 1.8f));
    default:
        return 1e9f;
    }
}

// Lays the pattern onto the brick: glowing lines in the glass, a groove in the stone.
void PaintPattern(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Hue, int nFinish)
{
    if (nFinish <= 0)
        return;
    float u0 = Cell.x + 4.0f, v0 = Cell.y + 4.0f;
    Box Area = ArtKit::Inset(Cell, 2);
    if (Look == TileLook::Glass) {
        Rgba Line = WithAlpha(Shade(Hue, 0.55f), nFinish == 3 ? 0.35f : 0.8f);
        Sheet.Fill(Area, [&](float x, float y) { return PatternDistance(nFinish, x - u0, y - v0); }, Line);
        return;
    }
    // Carved: the lower right wall of the groove catches the light.
    Rgba Base = Shade(Mix(Hue, Hex(0x7A746E), 0.42f), -0.12f);
    Sheet.Fill(Area, [&](float x, float y) { return PatternDistance(nFinish, x - u0 - 1, y - v0 - 1); },
               WithAlpha(Shade(Base, 0.45f), 0.8f));
    Sheet.Fill(Area, [&](float x, float y) { return PatternDistance(nFinish, x - u0, y - v0); }, Shade(Base, -0.55f));
}

// Round rivet heads lit from the upper left.
void PaintRivets(Canvas& Sheet, const Box& Cell, const Rgba& Metal, float fInset, float fRadius)
{
    float afX[2] = {Cell.x + fInset, Cell.Right() - fInset}, afY[2] = {Cell.y + fInset * 0.8f, Cell.Bottom() - fInset * 0.8f};
    for (float x : afX)
        for (float y : afY) {
            Sheet.Fill({(int)x - 4, (int)y - 4, 9, 9}, [&](float px, float py) { return Shape::Circle(px, py, x + 0.6f, y + 0.6f, fRadius); },
                       WithAlpha(Hex(0x05070F), 0.7f));
            Style::Sphere(Sheet, x, y, fRadius, Metal);
        }
}

}  // namespace

void PaintNormalBrick(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Hue, int nFinish)
{
    PaintBody(Sheet, Cell, Look, Hue);
    PaintPattern(Sheet, Cell, Look, Hue, nFinish);
}

void PaintBonusBrick(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Hue, bool bStar)
{
    PaintBody(Sheet, Cell, Look, Shade(Hue, -0.15f));
    // The gold rim, lit along the top.
    BrickFrame Frame = FrameOf(Cell, Look);
    Sheet.Fill(Cell, [&](float x, float y) { return std::fabs(Frame.Distance(x, y) + 1.6f) - 1.1f; }, [&](float x, float y) {
        return Shade(Style::GOLD, Facing(Frame, x, y) * 0.45f);
    });
    float cx = Cell.x + 20.0f, cy = Cell.y + 12.0f;
    // A dark socket for the inset so it stands out on every hue.
    Sheet.Fill(Cell, [&](float x, float y) { return Shape::Ellipse(x, y, cx, cy, 9.5f, 7.5f); },
               WithAlpha(Shade(Hue, -0.6f), 0.85f));
    if (bStar) {
        std::vector<float> Star = ArtKit::StarPoints(cx, cy + 0.5f, 7.5f, 3.2f);
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Polygon(x, y, Star); }, [&](float x, float y) {
            return Shade(Style::GOLD, 0.35f - (y - cy + 7) / 14.0f * 0.6f + (x < cx ? 0.1f : -0.05f));
        });
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Circle(x, y, cx - 1.5f, cy - 1.5f, 1.3f); },
                   WithAlpha(Hex(0xFFFFFF), 0.9f));
    } else {
        // A cut gem: an octagon with a lit table and darker facets.
        std::vector<float> Gem;
        for (int n = 0; n < 8; ++n) {
            float a = (float)M_PI / 8 + n * (float)M_PI / 4;
            Gem.push_back(cx + std::cos(a) * 7.5f);
            Gem.push_back(cy + std::sin(a) * 6.0f);
        }
        Rgba Stone = Shade(Style::CYAN, 0.1f);
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Polygon(x, y, Gem); }, [&](float x, float y) {
            float fTable = std::max(std::fabs(x - cx) / 4.0f, std::fabs(y - cy) / 3.0f);
            return fTable < 1 ? Shade(Stone, 0.45f) : Shade(Stone, (x < cx || y < cy) ? 0.05f : -0.35f);
        });
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Circle(x, y, cx - 2, cy - 1.5f, 1.2f); }, Hex(0xFFFFFF));
    }
}

void PaintSteelBrick(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Hue, int nVariant)
{
    BrickFrame Frame = FrameOf(Cell, Look);
    uint32_t nSeed = SeedOf(Cell);
    bool bGlass = Look == TileLook::Glass;
    Rgba Metal = bGlass ? Mix(Style::STEEL, Hue, 0.12f) : Mix(Hex(0x5A5F6E), Hex(0x8A4A2A), 0.15f);
    Sheet.Fill(Cell, [&](float x, float y) { return Frame.Distance(x, y); }, [&](float x, float y) {
        // Brushed metal: long horizontal streaks; iron: blotches of rust.
        float fStreak = bGlass ? ArtKit::ValueNoise(nSeed, x / 14.0f, y * 1.2f) - 0.5f
                               : FractalNoise(nSeed, x / 4.0f, y / 4.0f, 3) - 0.5f;
        float t = (y - Frame.fTop) / (Frame.fBottom - Frame.fTop);
        Rgba Colour = Shade(Metal, 0.25f - 0.5f * t + fStreak * 0.3f);
        if (!bGlass && fStreak > 0.12f)
            Colour = Mix(Colour, Hex(0x8A4A22), 0.35f);
        float fDepth = Frame.Depth(x, y);
        if (fDepth < 2.2f)
            Colour = Shade(Colour, Facing(Frame, x, y) * 0.65f);
        return Colour;
    });
    Box Inner = ArtKit::Inset(Cell, 4);
    float cx = Cell.x + 20.0f, cy = Cell.y + 12.0f;
    if (nVariant == 1) {
        // Cross bracing pressed into the plate.
        auto Brace = [&](float x, float y) {
            return std::min(Shape::Capsule(x, y, Cell.x + 8, Cell.y + 6, Cell.x + 32, Cell.y + 18, 2.4f),
                            Shape::Capsule(x, y, Cell.x + 8, Cell.y + 18, Cell.x + 32, Cell.y + 6, 2.4f));
        };
        Sheet.Fill(Inner, [&](float x, float y) { return Brace(x - 1, y - 1); }, Shade(Metal, 0.5f));
        Sheet.Fill(Inner, Brace, Shade(Metal, -0.35f));
    } else if (nVariant == 2) {
        // Tread plate: short raised ribs in alternating directions.
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 4; ++col) {
                float x = Cell.x + 9.0f + col * 7.5f, y = Cell.y + 8.0f + row * 8;
                float d = ((row + col) % 2) ? 2.0f : -2.0f;
                Sheet.Fill(Inner, [&](float px, float py) { return Shape::Capsule(px, py, x - 2, y - d, x + 2, y + d, 2.2f); },
                           [&](float, float py) { return Shade(Metal, py < y ? 0.45f : -0.2f); });
            }
    } else {
        // A plain plate with a sunken panel line.
        Sheet.Fill(Inner, [&](float x, float y) {
            return std::fabs(Shape::RoundedBox(x, y, cx - 11, cy - 5, cx + 11, cy + 5, 2)) - 0.7f;
        }, [&](float, float y) { return Shade(Metal, y < cy ? -0.4f : 0.35f); });
    }
    PaintRivets(Sheet, Cell, bGlass ? Shade(Style::STEEL, 0.2f) : Hex(0x9A8A70), 4.5f, bGlass ? 1.7f : 2.0f);
}

void PaintMultiHitBrick(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Hue, int nStage, uint32_t nSeed)
{
    // Each stage is a little darker: the brick is losing its strength.
    PaintBody(Sheet, Cell, Look, Shade(Hue, -0.08f * nStage));
    BrickFrame Frame = FrameOf(Cell, Look);
    Rgba Metal = Look == TileLook::Glass ? Style::STEEL : Hex(0x6A6560);
    // The reinforcing frame: a steel band round the edge and two straps.
    Sheet.Fill(Cell, [&](float x, float y) { return std::fabs(Frame.Distance(x, y) + 1.5f) - 1.5f; }, [&](float x, float y) {
        return Shade(Metal, Facing(Frame, x, y) * 0.5f - 0.05f);
    });
    for (float fStrap : {Cell.x + 11.0f, Cell.x + 29.0f})
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::RoundedBox(x, y, fStrap - 1.5f, Cell.y + 2.0f, fStrap + 1.5f, Cell.Bottom() - 2.0f, 0.5f); },
                   [&](float x, float) { return Shade(Metal, x < fStrap ? 0.3f : -0.3f); });
    PaintRivets(Sheet, Cell, Shade(Metal, 0.1f), 4.0f, 1.4f);
    // Cracks: the same six for every stage of a column, more of them shown as the stage rises.
    static const int CRACKS_SHOWN[4] = {0, 1, 3, 6};
    ForgeRandom Random(nSeed);
    for (int nCrack = 0; nCrack < 6; ++nCrack) {
        float x = Cell.x + Random.Range(8, 32), y = Cell.y + Random.Range(5, 19);
        float fAngle = Random.Range(0, 2 * (float)M_PI);
        int nSteps = Random.Int(3, 5);
        std::vector<float> Path = {x, y};
        for (int n = 0; n < nSteps; ++n) {
            fAngle += Random.Range(-0.9f, 0.9f);
            x = std::clamp(x + std::cos(fAngle) * Random.Range(3, 6), Cell.x + 3.0f, Cell.Right() - 3.0f);
            y = std::clamp(y + std::sin(fAngle) * Random.Range(2, 4), Cell.y + 3.0f, Cell.Bottom() - 3.0f);
            Path.push_back(x);
            Path.push_back(y);
        }
        if (nCrack >= CRACKS_SHOWN[nStage])
            continue;
        // Cracks stay inside the brick: the seam round it is kept clear.
        Box Inside = ArtKit::Inset(Cell, 1);
        for (size_t n = 0; n + 3 < Path.size(); n += 2) {
            float fWidth = 1.7f - n * 0.15f;
            auto Segment = [&](float px, float py) { return Shape::Capsule(px, py, Path[n], Path[n + 1], Path[n + 2], Path[n + 3], fWidth); };
            Sheet.Fill(Inside, [&](float px, float py) { return Segment(px, py - 1); }, WithAlpha(Shade(Hue, 0.5f), 0.6f));
            Sheet.Fill(Inside, Segment, WithAlpha(Hex(0x06080F), 0.95f));
        }
    }
    if (nStage == 3) {
        // Chips broken out of the corners.
        for (int n = 0; n < 3; ++n) {
            float x = Cell.x + Random.Range(6, 34), y = Cell.y + (n % 2 ? 20.5f : 3.5f);
            float rx = Random.Range(2, 3.5f);
            Sheet.Fill(ArtKit::Inset(Cell, 1), [&](float px, float py) { return Shape::Ellipse(px, py, x, y, rx, 1.8f); },
                       WithAlpha(Hex(0x0A0D18), 0.9f));
        }
    }
}

void PaintSlidingBrick(Canvas& Sheet, const Box& Cell, TileLook Look, const Rgba& Accent)
{
    PaintBody(Sheet, Cell, Look, Look == TileLook::Glass ? Mix(Style::PANEL, Accent, 0.25f) : Hex(0x4A4E5A));
    // Two rails along the brick and a double arrow between them.
    for (float fRail : {Cell.y + 4.5f, Cell.Bottom() - 4.5f})
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Capsule(x, y, Cell.x + 5.0f, fRail, Cell.Right() - 5.0f, fRail, 1.6f); },
                   Shade(Style::STEEL, 0.25f));
    float cy = Cell.y + 12.0f;
    ArtKit::WithGlow(Sheet, Cell, 2, WithAlpha(Accent, 0.8f), [&](Canvas& Layer, int dx, int dy) {
        Layer.Fill({0, 0, Layer.Width(), Layer.Height()}, [&](float x, float y) {
            float lx = x - dx, ly = y - dy;
            return std::min(ArtKit::ArrowDistance(lx, ly, Cell.x + 20.0f, cy, Cell.x + 6.0f, cy, 2.4f, 5.5f),
                            ArtKit::ArrowDistance(lx, ly, Cell.x + 20.0f, cy, Cell.x + 34.0f, cy, 2.4f, 5.5f));
        }, Shade(Accent, 0.3f));
    });
}
