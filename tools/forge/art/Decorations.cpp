// Decoration cells of the tile sheets: open shapes with the background showing
// through (glyphs, pipes, plants, lights, chains and grates, crystals), so they
// never read as bricks. A family per sheet row; the column picks the variant.
#include <cmath>

#include "ArtKit.h"
#include "TileArt.h"
#include "sheets.h"

namespace {

// A stroke with a dark rim one pixel wide, so thin shapes read on any ground.
void PaintStroke(Canvas& Sheet, const Box& Cell, const ArtKit::Distance& Shape, const Rgba& Colour)
{
    Sheet.Fill(Cell, [&](float x, float y) { return Shape(x, y) - 1.0f; }, WithAlpha(Style::NIGHT, 0.85f));
    Sheet.Fill(Cell, Shape, Colour);
}

// A glyph of three or four strokes between the points of a 3 x 3 grid.
void PaintGlyph(Canvas& Sheet, const Box& Cell, TileLook Look, int nVariant, const Rgba& Colour)
{
    ForgeRandom Random(500u + (uint32_t)nVariant * 37u);
    float x0 = Cell.x + 13.0f, y0 = Cell.y + 4.0f, fStep = 7.5f;
    std::vector<float> Lines;
    int nStrokes = Random.Int(3, 4);
    int nFrom = Random.Int(0, 8);
    for (int n = 0; n < nStrokes; ++n) {
        int nTo = Random.Int(0, 8);
        if (nTo == nFrom)
            nTo = (nTo + 4) % 9;
        Lines.insert(Lines.end(), {x0 + nFrom % 3 * fStep, y0 + nFrom / 3 * fStep, x0 + nTo % 3 * fStep, y0 + nTo / 3 * fStep});
        nFrom = Random.Int(0, 2) ? nTo : Random.Int(0, 8);
    }
    auto Glyph = [&](float x, float y) {
        float d = 1e9f;
        for (size_t n = 0; n < Lines.size(); n += 4)
            d = std::min(d, Shape::Capsule(x, y, Lines[n], Lines[n + 1], Lines[n + 2], Lines[n + 3], 2.2f));
        return d;
    };
    PaintStroke(Sheet, Cell, Glyph, Look == TileLook::Glass ? Colour : Shade(Style::GOLD, -0.1f));
    Sheet.Fill(Cell, [&](float x, float y) { return Glyph(x, y) + 0.6f; }, WithAlpha(Shade(Colour, 0.6f), 0.7f));
}

// Pipes: each variant joins the middle to a set of the four edges (left,
// right, top, bottom as bits 1, 2, 4, 8), so neighbouring pipe cells connect.
void PaintPipe(Canvas& Sheet, const Box& Cell, TileLook Look, int nVariant)
{
    int nArms = nVariant % 15 + 1;
    float cx = Cell.x + 20.0f, cy = Cell.y + 12.0f, fRadius = 3.5f;
    Rgba Metal = Look == TileLook::Glass ? Mix(Style::STEEL, Style::CYAN, 0.25f) : Hex(0xB07A4A);
    struct Arm { int nBit; float x1, y1; };
    const Arm ARMS[4] = {{1, (float)Cell.x, cy}, {2, (float)Cell.Right(), cy}, {4, cx, (float)Cell.y}, {8, cx, (float)Cell.Bottom()}};
    for (const Arm& A : ARMS) {
        if (!(nArms & A.nBit))
            continue;
        bool bAcross = A.y1 == cy;
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Capsule(x, y, cx, cy, A.x1, A.y1, fRadius * 2); }, [&](float x, float y) {
            // Round tube: lit on the upper or left side of its axis.
            float fSide = bAcross ? (y - cy) / fRadius : (x - cx) / fRadius;
            return Shade(Metal, 0.35f - std::fabs(fSide + 0.4f) * 0.55f);
        });
        // A flange where the pipe meets the next cell.
        float fx = bAcross ? (A.x1 < cx ? A.x1 + 2 : A.x1 - 2) : cx, fy = bAcross ? cy : (A.y1 < cy ? A.y1 + 2 : A.y1 - 2);
        Sheet.Fill(Cell, [&](float x, float y) {
            return bAcross ? Shape::RoundedBox(x, y, fx - 1.5f, cy - 5, fx + 1.5f, cy + 5, 1)
                           : Shape::RoundedBox(x, y, cx - 5, fy - 1.5f, cx + 5, fy + 1.5f, 1);
        }, Shade(Metal, -0.15f));
    }
    // A joint or valve in the middle; a lone arm ends in a valve wheel.
    bool bEnd = nArms == 1 || nArms == 2 || nArms == 4 || nArms == 8;
    Style::Sphere(Sheet, cx, cy, bEnd ? 4.5f : 4.0f, bEnd ? Style::MAGENTA : Shade(Metal, 0.1f));
    if (Look == TileLook::Glass)
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Circle(x, y, cx, cy, 1.3f); }, Style::CYAN);
}

void PaintPlant(Canvas& Sheet, const Box& Cell, TileLook Look, int nVariant)
{
    ForgeRandom Random(900u + (uint32_t)nVariant * 13u);
    Rgba Leaf = Look == TileLook::Glass ? Style::LIME : Hex(0x5E9A3A);
    Rgba Stem = Shade(Leaf, -0.4f);
    int nKind = nVariant % 3;
    float cx = Cell.x + 20.0f;
    auto PaintLeaf = [&](float x, float y, float fAngle) {
        float dx = std::cos(fAngle) * 3.0f, dy = std::sin(fAngle) * 3.0f;
        Sheet.Fill(Cell, [&](float px, float py) { return Shape::Capsule(px, py, x, y, x + dx, y + dy, 3.4f); },
                   [&](float, float py) { return Shade(Leaf, py < y ? 0.2f : -0.15f); });
    };
    if (nKind == 0) {
        // A vine hanging from the top edge.
        for (int nStrand = 0; nStrand < 2; ++nStrand) {
            float x = Cell.x + 10.0f + nStrand * 18 + Random.Range(-3, 3), fLength = Random.Range(12, 21);
            Sheet.Fill(Cell, [&](float px, float py) {
                return Shape::Capsule(px, py, x, Cell.y, x + std::sin(py * 0.4f) * 1.5f, Cell.y + fLength, 1.4f);
            }, Stem);
            for (float y = Cell.y + 4.0f; y < Cell.y + fLength; y += 5)
                PaintLeaf(x, y, Random.Int(0, 1) ? 0.5f : 2.6f);
        }
    } else if (nKind == 1) {
        // A tuft of blades growing from the bottom edge.
        for (int n = 0; n < 7; ++n) {
            float x = cx + (n - 3) * 3.5f, fTip = Random.Range(6, 15), fLean = Random.Range(-4, 4);
            Sheet.Fill(Cell, [&](float px, float py) {
                return Shape::Capsule(px, py, x, Cell.Bottom() - 0.5f, x + fLean, Cell.y + fTip, 1.8f);
            }, [&](float, float py) { return Mix(Stem, Shade(Leaf, 0.2f), (Cell.Bottom() - py) / 20.0f); });
        }
    } else {
        // A flower on a stem, in the column's hue.
        Rgba Bloom = Style::BrickHue(nVariant * 7);
        float fTop = Cell.y + 8.0f;
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Capsule(x, y, cx, Cell.Bottom() - 0.5f, cx, fTop, 1.6f); }, Stem);
        PaintLeaf(cx, Cell.y + 17.0f, 3.4f);
        PaintLeaf(cx, Cell.y + 14.0f, -0.3f);
        for (int n = 0; n < 5; ++n) {
            float a = n * 2 * (float)M_PI / 5;
            Style::Sphere(Sheet, cx + std::cos(a) * 3.5f, fTop + std::sin(a) * 3.0f, 2.6f, Bloom);
        }
        Style::Sphere(Sheet, cx, fTop, 1.8f, Style::GOLD);
    }
}

void PaintLight(Canvas& Sheet, const Box& Cell, TileLook Look, int nVariant)
{
    Rgba Colour = Style::BrickHue(nVariant * 3 + 1);
    int nKind = nVariant % 3;
    float cx = Cell.x + 20.0f;
    Rgba Wire = Look == TileLook::Glass ? Style::STEEL : Hex(0x6A5A48);
    if (nKind == 0) {
        // A lamp hanging on its cord.
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Capsule(x, y, cx, Cell.y, cx, Cell.y + 9.0f, 1.2f); }, Wire);
        std::vector<float> Hood = {cx - 7, Cell.y + 14.0f, cx + 7, Cell.y + 14.0f, cx + 3, Cell.y + 8.0f, cx - 3, Cell.y + 8.0f};
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Polygon(x, y, Hood); }, [&](float x, float) {
            return Shade(Wire, x < cx ? 0.2f : -0.3f);
        });
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Ellipse(x, y, cx, Cell.y + 15.5f, 5.5f, 3.5f); },
                   WithAlpha(Shade(Colour, -0.2f), 0.75f));
        Style::Sphere(Sheet, cx, Cell.y + 15.0f, 3.0f, Shade(Colour, 0.4f));
    } else if (nKind == 1) {
        // A neon tube with its brackets.
        float cy = Cell.y + 12.0f;
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Capsule(x, y, Cell.x + 4.0f, cy, Cell.Right() - 4.0f, cy, 7.0f); },
                   WithAlpha(Shade(Colour, -0.35f), 0.8f));
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Capsule(x, y, Cell.x + 5.0f, cy, Cell.Right() - 5.0f, cy, 3.4f); }, Colour);
        Sheet.Fill(Cell, [&](float x, float y) { return Shape::Capsule(x, y, Cell.x + 6.0f, cy - 0.5f, Cell.Right() - 6.0f, cy - 0.5f, 1.2f); },
                   Hex(0xFFFFFF));
        for (float bx : {Cell.x + 9.0f, Cell.Right() - 9.0f})
            Sheet.Fill(Cell, [&](float x, float y) { return Shape::RoundedBox(x, y, bx - 1.5f, cy - 5, bx + 1.5f, cy + 5, 0.5f); }, Wire);
    } else {
        // A string of small bulbs sagging between the cell's edges.
        auto Sag = [&](float x) { return Cell.y + 6.0f + 6.0f * std::sin((x - Cell.x) / 40.0f * (float)M_PI); };
        Sheet.Fill(Cell, [&](float x, float y) { return std::fabs(y - Sag(x)) - 0.6f; }, Wire);
        for (int n = 0; n < 4; ++n) {
            float x = Cell.x + 6.0f + n * 9.5f;
            Style::Sphere(Sheet, x, Sag(x) + 3.0f, 2.4f, Style::BrickHue(nVariant * 3 + n * 5));
        }
    }
}

void PaintChainOrGrate(Canvas& Sheet, const Box& Cell, TileLook Look, int nVariant)
{
    Rgba Metal = Look == TileLook::Glass ? Style::STEEL : Hex(0x7A6A5A);
    int nKind = nVariant % 3;
    if (nKind < 2) {
        // Chain links, across or down the cell, alternately face-on and edge-on.
        bool bAcross = nKind == 0;
        int nLinks = bAcross ? 5 : 3;
        for (int n = 0; n < nLinks; ++n) {
            float t = (n + 0.5f) / nLinks;
            float x = bAcross ? Cell.x + t * 40 : Cell.x + 20.0f, y = bAcross ? Cell.y + 12.0f : Cell.y + t * 24;
            float rx = bAcross ? 5.0f : 3.2f, ry = bAcross ? 3.2f : 5.0f;
            if (n % 2)
                Sheet.Fill(Cell, [&](float px, float py) {
                    return bAcross ? Shape::Capsule(px, py, x - 4.5f, y, x + 4.5f, y, 2.2f) : Shape::Capsule(px, py, x, y - 4.5f, x, y + 4.5f, 2.2f);
                }, Shade(Metal, 0.15f));
            else
                PaintStroke(Sheet, Cell, [&](float px, float py) { return std::fabs(Shape::Ellipse(px, py, x, y, rx, ry)) - 1.1f; },
                            Shade(Metal, -0.05f));
        }
        return;
    }
    // A grate: crossed bars in a frame, the holes left open.
    Box Frame = ArtKit::Inset(Cell, 2);
    auto Bars = [&](float x, float y) {
        float fGrid = std::min(std::fabs(std::fmod(x - Cell.x + 400.0f, 6.0f) - 3.0f), std::fabs(std::fmod(y - Cell.y + 400.0f, 6.0f) - 3.0f));
        float fFrame = std::fabs(Shape::RoundedBox(x, y, Frame.x, Frame.y, Frame.Right(), Frame.Bottom(), 2)) - 1.2f;
        return std::max(std::min(fGrid - 0.8f, fFrame), Shape::RoundedBox(x, y, Frame.x - 1.0f, Frame.y - 1.0f, Frame.Right() + 1.0f, Frame.Bottom() + 1.0f, 2));
    };
    Sheet.Fill(Cell, Bars, [&](float, float y) { return Shade(Metal, 0.2f - (y - Cell.y) / 24.0f * 0.4f); });
}

void PaintCrystal(Canvas& Sheet, const Box& Cell, TileLook Look, int nVariant)
{
    Rgba Colour = Look == TileLook::Glass ? Style::BrickHue(nVariant * 3 + 7) : Shade(Style::BrickHue(nVariant * 3 + 7), -0.2f);
    float cx = Cell.x + 20.0f, cy = Cell.y + 12.0f;
    int nKind = nVariant % 3;
    if (nKind == 0) {
        // Sparkles of three sizes.
        ForgeRandom Random(300u + (uint32_t)nVariant);
        for (int n = 0; n < 3; ++n) {
            float x = Cell.x + Random.Range(8, 32), y = Cell.y + Random.Range(6, 18), r = 7.0f - n * 2;
            std::vector<float> Star = ArtKit::StarPoints(x, y, r, r * 0.28f, 4);
            PaintStroke(Sheet, Cell, [&](float px, float py) { return Shape::Polygon(px, py, Star); }, Shade(Colour, 0.4f));
        }
    } else if (nKind == 1) {
        // A cluster of crystal shards.
        const float SHARDS[3][3] = {{-6, 9, -0.35f}, {0, 12, 0.0f}, {6, 8, 0.4f}};
        for (const auto& S : SHARDS) {
            float bx = cx + S[0], by = Cell.Bottom() - 2.0f, tx = bx + S[2] * 8, ty = by - S[1] * 1.6f;
            std::vector<float> Shard = {bx - 3, by, bx + 3, by, tx + 1.5f, ty + 3, tx, ty, tx - 1.5f, ty + 3};
            PaintStroke(Sheet, Cell, [&](float x, float y) { return Shape::Polygon(x, y, Shard); }, Colour);
            Sheet.Fill(Cell, [&](float x, float y) { return Shape::Capsule(x, y, bx - 1, by - 1, tx - 0.5f, ty + 2, 1.0f); },
                       Shade(Colour, 0.6f));
        }
    } else {
        // A small planet with its ring.
        PaintStroke(Sheet, Cell, [&](float x, float y) { return std::fabs(Shape::Ellipse(x, y, cx, cy + 1, 15, 4)) - 1.0f; }, Style::GOLD);
        Style::Sphere(Sheet, cx, cy, 6.5f, Colour);
        Sheet.Fill(Cell, [&](float x, float y) {
            return std::max(std::fabs(Shape::Ellipse(x, y, cx, cy + 1, 15, 4)) - 1.0f, cy + 1 - y);
        }, Style::GOLD);
    }
}

}  // namespace

void PaintDecoration(Canvas& Sheet, const Box& Cell, TileLook Look, int nCode)
{
    int nRow = nCode / Sheets::TILES_PER_ROW, nColumn = nCode % Sheets::TILES_PER_ROW;
    switch (nRow) {
    case 17:
        PaintGlyph(Sheet, Cell, Look, nColumn, Style::CYAN);
        break;
    case 18:
        PaintPipe(Sheet, Cell, Look, nColumn - 5);
        break;
    case 19:
        PaintPlant(Sheet, Cell, Look, nColumn);
        break;
    case 20:
        PaintLight(Sheet, Cell, Look, nColumn);
        break;
    case 21:
        PaintChainOrGrate(Sheet, Cell, Look, nColumn);
        break;
    case 22:
        PaintCrystal(Sheet, Cell, Look, nColumn);
        break;
    default:
        PaintGlyph(Sheet, Cell, Look, 40 + nColumn, nColumn % 2 ? Style::MAGENTA : Style::GOLD);
        break;
    }
}
