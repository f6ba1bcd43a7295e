// The sheet "interface": the strip that darkens the halted screen, the box
// behind printed text, the energy segments and the life marker, and the big
// digits of the computer's serve countdown.
#include <cmath>

#include "ArtKit.h"
#include "PlayArt.h"
#include "Picture.h"
#include "sheets.h"

namespace {

using ArtKit::BoxOf;

void PaintDarkStrip(Canvas& Sheet)
{
    // Opaque near-black: the game lays it at half opacity over the screen.
    Box Area = BoxOf(Sheets::DARK_STRIP);
    Sheet.Fill(Area, [](float, float) { return -1.0f; }, Hex(0x05081A));
}

void PaintTextBox(Canvas& Sheet)
{
    // The game cuts the box at the text's width from the left, so it only
    // changes from top to bottom: a lit top edge, a dark blue body, a dark foot.
    Box Area = BoxOf(Sheets::TEXT_BOX);
    Sheet.Fill(Area, [](float, float) { return -1.0f; }, [&](float, float y) {
        float fRow = y - Area.y;
        if (fRow < 1)
            return Shade(Style::CYAN, -0.15f);
        if (fRow < 2)
            return Mix(Style::PANEL_EDGE, Style::PANEL, 0.3f);
        if (fRow > Area.h - 1)
            return Hex(0x070A1A);
        return Mix(Style::PANEL, Style::NIGHT, (fRow - 2) / (Area.h - 3.0f) * 0.8f);
    });
}

void PaintSegment(Canvas& Sheet, const SheetRect& Rect, const Rgba& Colour, bool bLit)
{
    Box Area = BoxOf(Rect);
    float fLeft = Area.x + 0.5f, fRight = Area.Right() - 0.5f, fTop = Area.y + 0.5f, fBottom = Area.Bottom() - 0.5f;
    Sheet.Fill(Area, [&](float x, float y) { return Shape::RoundedBox(x, y, fLeft, fTop, fRight, fBottom, 1.5f); },
               Style::NIGHT);
    Sheet.Fill(Area, [&](float x, float y) { return Shape::RoundedBox(x, y, fLeft + 1, fTop + 1, fRight - 1, fBottom - 1, 1); },
               [&](float x, float y) {
                   float t = (y - fTop) / (fBottom - fTop);
                   Rgba Body = Shade(Colour, bLit ? 0.35f - t * 0.6f : -0.1f - t * 0.3f);
                   return x < fLeft + 2.5f && bLit ? Shade(Body, 0.35f) : Body;
               });
}

void PaintLifeMarker(Canvas& Sheet)
{
    Box Area = BoxOf(Sheets::LIFE_MARKER);
    float cx = Area.x + 7.0f, cy = Area.y + 7.0f;
    auto Heart = [&](float x, float y) {
        float u = x - cx, v = y - cy;
        std::vector<float> Tip = {-6.2f, -0.6f, 6.2f, -0.6f, 0, 6.3f};
        return std::min({Shape::Circle(u, v, -3, -2.3f, 3.5f), Shape::Circle(u, v, 3, -2.3f, 3.5f), Shape::Polygon(u, v, Tip)});
    };
    Sheet.Fill(Area, [&](float x, float y) { return Heart(x, y) - 0.8f; }, Style::NIGHT);
    Sheet.Fill(Area, Heart, [&](float, float y) { return Shade(Hex(0xFF4A6A), 0.25f - (y - Area.y) / 14.0f * 0.5f); });
    Sheet.Fill(Area, [&](float x, float y) { return Shape::Ellipse(x, y, cx - 3, cy - 3.2f, 1.4f, 1.0f); }, Hex(0xFFE0E8));
}

// The countdown digit of a second, as tall as its rectangle allows and pressed
// to the rectangle's width, with a dark outline and a glow kept inside it.
void PaintCountdownDigit(Canvas& Sheet, int nSecond)
{
    Box Area = BoxOf(Sheets::COUNTDOWN[nSecond]);
    std::string Text = nSecond == 0 ? "GO" : std::string(1, (char)('0' + nSecond));
    constexpr int GLOW = 4, OUTLINE = 2;
    // Digits stand about 0.73 of the pixel size tall.
    int nHeight = Area.h - 2 * GLOW - 2 * OUTLINE - 2;
    Font Digits(Face::SansBold, (int)(nHeight / 0.73f));
    Rgba Colour = nSecond == 0 ? Style::LIME : Style::GOLD;
    int nNaturalWidth = (int)Digits.Width(Text) + 2 * OUTLINE + 2;
    Canvas Natural(nNaturalWidth, Area.h);
    float fBaseline = Area.h * 0.5f + nHeight * 0.5f;
    ArtKit::OutlinedText(Natural, Digits, nNaturalWidth * 0.5f, fBaseline, Text, Colour, Shade(Colour, -0.7f), Align::Centre, OUTLINE);
    // Light from above: the upper half of the fill a little brighter.
    for (int y = 0; y < Natural.Height() / 2; ++y)
        for (int x = 0; x < Natural.Width(); ++x) {
            Rgba Pixel = Natural.Get(x, y);
            Natural.Set(x, y, WithAlpha(Shade(Pixel, 0.25f * (1.0f - y / (Natural.Height() * 0.5f))), Pixel.a));
        }
    int nWidth = std::min(nNaturalWidth, Area.w - 2 * GLOW);
    Canvas Fitted = Natural.Scaled(nWidth, Area.h);
    ArtKit::WithGlow(Sheet, Area, GLOW, WithAlpha(nSecond == 0 ? Style::LIME : Style::EMBER, 0.9f), [&](Canvas& Layer, int dx, int dy) {
        Layer.Draw(Fitted, Area.x + dx + (Area.w - nWidth) / 2, Area.y + dy);
    });
}

}  // namespace

bool ForgeInterfaceSheet(const ForgeContext& Context)
{
    Canvas Sheet(Sheets::INTERFACE.nWidth, Sheets::INTERFACE.nHeight);
    PaintDarkStrip(Sheet);
    PaintTextBox(Sheet);
    PaintSegment(Sheet, Sheets::ENERGY_PLAYER, Style::CYAN, true);
    PaintSegment(Sheet, Sheets::ENERGY_BOSS, Style::MAGENTA, true);
    PaintSegment(Sheet, Sheets::ENERGY_EMPTY, Style::PANEL, false);
    PaintLifeMarker(Sheet);
    for (int nSecond = 0; nSecond < 6; ++nSecond)
        PaintCountdownDigit(Sheet, nSecond);
    return SavePicture(Context, Sheets::INTERFACE.szName, Sheet, PictureKind::MaskedSheet);
}
