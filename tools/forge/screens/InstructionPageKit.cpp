// The instruction pages' shared ground, heading and small pictures.
#include "InstructionPageKit.h"

#include <cmath>

using namespace ScreenKit;

namespace InstructionPages {

Canvas PageGround(const std::string& Title, int nPage)
{
    Canvas Page(Sheets::PAGE_WIDTH, Sheets::PAGE_HEIGHT);
    PaintEvery(Page, [](int x, int y) {
        Rgba Colour = Mix(Hex(0x17204A), Hex(0x0B1130), y / (float)Sheets::PAGE_HEIGHT);
        // A faint blueprint grid every 20 pixels.
        if (x % 20 == 0 || y % 20 == 0)
            Colour = Mix(Colour, Style::PANEL_EDGE, 0.16f);
        return Colour;
    });
    Font Heading(Face::SansBold, 24);
    LitText(Page, Heading, 18, 36, Title, Style::TEXT, Style::CYAN, Align::Left, 5);
    Font Number(Face::CondensedBold, 15);
    Style::ShadowText(Page, Number, 582, 34, std::to_string(nPage) + " / " + std::to_string(Sheets::INSTRUCTION_PAGES),
                      Style::TEXT_DIM, Align::Right);
    Page.Fill({14, 45, 572, 5}, [](float x, float y) { return Shape::Capsule(x, y, 16, 47, 584, 47, 1.4f); },
              [](float x, float) { return WithAlpha(Style::CYAN, 0.75f * (1.0f - (x - 16) / 600.0f)); });
    return Page;
}

void SectionHeader(Canvas& Page, float x, float fBaseline, const std::string& Text, const Rgba& Glow)
{
    Font Header(Face::SansBold, 16);
    LitText(Page, Header, x, fBaseline, Text, Style::TEXT, Glow, Align::Left, 4);
}

float Body(Canvas& Page, float x, float fBaseline, float fWidth, const std::string& Text, int nSize, const Rgba& Colour,
           float fSpacing)
{
    Font Type(Face::Condensed, nSize);
    return ShadowParagraph(Page, Type, x, fBaseline, fWidth, Text, Colour, fSpacing);
}

float BodyFitted(Canvas& Page, float x, float fBaseline, float fWidth, const std::string& Text, float fBottom,
                 int nLargest, const Rgba& Colour)
{
    const float SPACING = 1.15f;
    int nSize = nLargest;
    for (; nSize > 9; --nSize) {
        Canvas Scratch(1, 1);
        Font Type(Face::Condensed, nSize);
        float fLast = DrawParagraph(Scratch, Type, x, fBaseline, fWidth, Text, Colour, SPACING) - nSize * SPACING;
        if (fLast <= fBottom)
            break;
    }
    return Body(Page, x, fBaseline, fWidth, Text, nSize, Colour, SPACING);
}

void Place(Canvas& Page, const Canvas& Picture, int x, int y)
{
    if (Picture.Width() == 0)
        return;
    Canvas Padded(Picture.Width() + 12, Picture.Height() + 12);
    Padded.Draw(Picture, 6, 6);
    DrawGlowing(Page, Padded, x - 6 + 2, y - 6 + 3, 3, WithAlpha(Hex(0x02030A), 0.7f), 0);
    Page.Draw(Picture, x, y);
}

void NumberBadge(Canvas& Page, float cx, float cy, int nNumber, const Rgba& Colour)
{
    Style::Sphere(Page, cx, cy, 11, Colour);
    Font Digit(Face::SansBold, 14);
    DrawLine(Page, Digit, cx, cy + 5, std::to_string(nNumber), Hex(0x0A1430), Align::Centre);
}

void MouseIcon(Canvas& Page, float x, float y, int nLit)
{
    const float w = 34, h = 50;
    Box Area{(int)x - 2, (int)y - 2, (int)w + 5, (int)h + 5};
    auto Body = [=](float px, float py) { return Shape::RoundedBox(px, py, x, y, x + w, y + h, 15); };
    Page.Fill(Area, Body, [=](float px, float py) {
        float fLit = -((px - x - w / 2) * Style::LIGHT_X + (py - y - h / 2) * Style::LIGHT_Y) / h;
        return Shade(Hex(0x8C97B5), fLit * 0.5f - 0.1f);
    });
    for (int nButton = 0; nButton < 2; ++nButton) {
        float l = nButton == 0 ? x + 2 : x + w / 2 + 1, r = nButton == 0 ? x + w / 2 - 1 : x + w - 2;
        Rgba Colour = nButton == nLit ? Style::GOLD : Hex(0x5A6384);
        Page.Fill(Area, [=](float px, float py) { return std::max(Body(px, py) + 2, py - (y + h * 0.42f)); },
                  [=](float px, float) { return (px >= l && px <= r) ? Colour : WithAlpha(Colour, 0); });
    }
    Page.Fill(Area, [=](float px, float py) { return Shape::Capsule(px, py, x + w / 2, y + 3, x + w / 2, y + h * 0.42f, 1.2f); },
              Hex(0x2A3356));
}

Rgba ToneColour(InstructionTexts::Tone Kind)
{
    switch (Kind) {
    case InstructionTexts::Tone::Good: return Style::LIME;
    case InstructionTexts::Tone::Bad: return Style::MAGENTA;
    case InstructionTexts::Tone::Mixed: return Style::GOLD;
    }
    return Style::TEXT;
}

}  // namespace InstructionPages
