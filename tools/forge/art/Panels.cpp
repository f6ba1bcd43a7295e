// The score panels "panel1" and "panel2": a framed bar with a dark, sunken slot
// where the game prints lives, level and score, a small icon before each slot
// and the player's badge in the space that is left.
#include <cmath>

#include "ArtKit.h"
#include "PlayArt.h"
#include "Picture.h"
#include "sheets.h"

namespace {

constexpr int DIGIT_TOP = Sheets::PANEL_TEXT_Y - Sheets::PANEL_Y;   // digits are 15 high from here
constexpr int SLOT_DIGITS[3] = {2, 3, 7};                           // lives, level, score

struct PanelLayout {
    const SheetSize* pSize;
    int16_t nPanelX;
    const int16_t* pValuesX;   // screen x of lives, level, score
    const char* szBadge;
    Rgba Accent;
};

void PaintSlot(Canvas& Panel, int x, int nDigits)
{
    int nRight = std::min(Panel.Width() - 6, x + nDigits * Sheets::GLYPH_WIDTH + 3);
    Box Area{x - 4, DIGIT_TOP - 4, nRight - x + 8, Sheets::GLYPH_HEIGHT + 8};
    float fLeft = Area.x + 0.5f, fTop = Area.y + 0.5f, fRight = Area.Right() - 0.5f, fBottom = Area.Bottom() - 0.5f;
    // Sunken: shaded along the top and left, lit along the bottom and right.
    Panel.Fill(Area, [&](float px, float py) { return Shape::RoundedBox(px, py, fLeft, fTop, fRight, fBottom, 3); },
               [&](float px, float py) {
                   float fDepth = -Shape::RoundedBox(px, py, fLeft, fTop, fRight, fBottom, 3);
                   if (fDepth < 1.2f)
                       return (py < (fTop + fBottom) / 2 || px < fLeft + 2) ? Hex(0x03050D) : Shade(Style::PANEL_EDGE, 0.1f);
                   return Hex(0x070B1C);
               });
}

void PaintIcon(Canvas& Panel, int nKind, float cx, float cy, const Rgba& Accent)
{
    Box Area{(int)cx - 9, (int)cy - 9, 19, 19};
    ArtKit::Distance Icon;
    Rgba Colour;
    if (nKind == 0) {   // lives: a heart
        Icon = [=](float x, float y) {
            float u = x - cx, v = y - cy;
            std::vector<float> Tip = {-6.5f, -0.6f, 6.5f, -0.6f, 0, 6.8f};
            return std::min({Shape::Circle(u, v, -3.2f, -2.4f, 3.7f), Shape::Circle(u, v, 3.2f, -2.4f, 3.7f), Shape::Polygon(u, v, Tip)});
        };
        Colour = Hex(0xFF4A6A);
    } else if (nKind == 1) {   // level: a small stack of bricks
        Icon = [=](float x, float y) {
            return std::min({Shape::RoundedBox(x, y, cx - 7, cy - 6, cx - 0.5f, cy - 1, 1), Shape::RoundedBox(x, y, cx + 0.5f, cy - 6, cx + 7, cy - 1, 1),
                             Shape::RoundedBox(x, y, cx - 4, cy + 0.5f, cx + 4, cy + 5.5f, 1)});
        };
        Colour = Accent;
    } else {   // score: a star
        std::vector<float> Star = ArtKit::StarPoints(cx, cy + 0.5f, 7.5f, 3.2f);
        Icon = [Star](float x, float y) { return Shape::Polygon(x, y, Star); };
        Colour = Style::GOLD;
    }
    Panel.Fill(Area, [&](float x, float y) { return Icon(x, y) - 1.0f; }, Style::NIGHT);
    Panel.Fill(Area, Icon, [&](float, float y) { return Shade(Colour, 0.3f - (y - cy + 7) / 14.0f * 0.55f); });
}

void PaintBadge(Canvas& Panel, const Box& Space, const char* szBadge, const Rgba& Accent)
{
    Box Area = {Space.x + 4, 9, Space.w - 8, 23};
    float fLeft = Area.x, fRight = Area.Right(), fTop = Area.y, fBottom = Area.Bottom();
    ArtKit::GlowOf(Panel, ArtKit::Inset(Area, -4), 2, WithAlpha(Accent, 0.6f),
                   [&](float x, float y) { return Shape::RoundedBox(x, y, fLeft, fTop, fRight, fBottom, 11.5f); });
    Panel.Fill(Area, [&](float x, float y) { return Shape::RoundedBox(x, y, fLeft, fTop, fRight, fBottom, 11.5f); },
               [&](float, float y) { return Shade(Accent, 0.3f - (y - fTop) / 23.0f * 0.6f); });
    Font Bold(Face::SansBold, 15);
    ArtKit::OutlinedText(Panel, Bold, (fLeft + fRight) * 0.5f, fBottom - 6.5f, szBadge, Style::NIGHT, WithAlpha(Shade(Accent, 0.6f), 0.5f),
                         Align::Centre);
}

Canvas PaintPanel(const PanelLayout& Layout)
{
    Canvas Panel(Layout.pSize->nWidth, Layout.pSize->nHeight);
    Style::FramePanel(Panel, {0, 0, Panel.Width(), Panel.Height()}, 9.0f, 0.93f);
    // A thin accent line under the top edge ties the panel to its player.
    Panel.Fill({8, 2, Panel.Width() - 16, 2}, [&](float x, float y) { return Shape::Capsule(x, y, 12, 3, Panel.Width() - 12.0f, 3, 1.2f); },
               WithAlpha(Layout.Accent, 0.75f));
    int nUsedLeft = Panel.Width(), nUsedRight = 0;
    for (int n = 0; n < 3; ++n) {
        int x = Layout.pValuesX[n] - Layout.nPanelX;
        PaintSlot(Panel, x, SLOT_DIGITS[n]);
        PaintIcon(Panel, n, x - 17.0f, DIGIT_TOP + 7.5f, Layout.Accent);
        nUsedLeft = std::min(nUsedLeft, x - 28);
        nUsedRight = std::max(nUsedRight, std::min(Panel.Width() - 6, x + SLOT_DIGITS[n] * Sheets::GLYPH_WIDTH + 7));
    }
    // The badge goes into the wider free end.
    Box Left{6, 0, nUsedLeft - 6, Panel.Height()}, Right{nUsedRight, 0, Panel.Width() - 6 - nUsedRight, Panel.Height()};
    PaintBadge(Panel, Left.w > Right.w ? Left : Right, Layout.szBadge, Layout.Accent);
    return Panel;
}

}  // namespace

bool ForgePanelSheets(const ForgeContext& Context)
{
    const PanelLayout LAYOUTS[2] = {{&Sheets::PANEL1, Sheets::PANEL1_X, Sheets::PANEL1_VALUES_X, "P1", Style::CYAN},
                                    {&Sheets::PANEL2, Sheets::PANEL2_X, Sheets::PANEL2_VALUES_X, "P2", Style::LIME}};
    for (const PanelLayout& Layout : LAYOUTS)
        if (!SavePicture(Context, Layout.pSize->szName, PaintPanel(Layout), PictureKind::MaskedSheet))
            return false;
    return true;
}
