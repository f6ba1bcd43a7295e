// The options sheets "quest" / "quest_en": a help picture per option, the switch
// pictures the game draws over the page's switch slots, and the lit digits of
// the level-code field.
#include "OptionTexts.h"
#include "Picture.h"
#include "ScreenFamilies.h"

using namespace ScreenKit;

namespace {

// The recess colour of the options page: the digit cells are painted opaque on it,
// so they look the same whether the game blits them with or without their mask.
const Rgba FIELD = Hex(0x070B1C);

// The largest body size at which the help text ends above fBottom.
int HelpTextSize(const std::string& Text, float fTop, float fWidth, float fBottom)
{
    for (int nSize = 13; nSize > 9; --nSize) {
        Font Body(Face::Condensed, nSize);
        Canvas Scratch(1, 1);
        float fNext = DrawParagraph(Scratch, Body, 0, fTop + nSize, fWidth, Text, Style::TEXT, 1.18f);
        if (fNext - nSize * 1.18f + 3 <= fBottom)
            return nSize;
    }
    return 9;
}

void HelpPicture(Canvas& Sheet, const SheetRect& Area, const OptionTexts::Option& Text, Language Which)
{
    Box Panel{Area.x, Area.y, Area.w, Area.h};
    Style::FramePanel(Sheet, Panel, 9, 1.0f);
    // A lit edge in the accent so the picture stands out over the page.
    float l = Panel.x + 0.5f, t = Panel.y + 0.5f, r = Panel.Right() - 0.5f, b = Panel.Bottom() - 0.5f;
    Sheet.Fill(Panel, [=](float x, float y) { return std::fabs(Shape::RoundedBox(x, y, l, t, r, b, 9) + 1.0f) - 1.0f; },
               WithAlpha(Style::CYAN, 0.85f));
    Style::Sphere(Sheet, Panel.Right() - 17.0f, Panel.y + 16.0f, 8, Shade(Style::CYAN, -0.25f));
    Font Mark(Face::SansBold, 12);
    DrawLine(Sheet, Mark, Panel.Right() - 16.5f, Panel.y + 20.5f, "?", Hex(0x0A1430), Align::Centre);
    std::string Heading = Text.Label.In(Which);
    Font Title(Face::CondensedBold, FittingSize(Face::CondensedBold, Heading, 16, Panel.w - 44.0f));
    DrawLine(Sheet, Title, Panel.x + 10.0f, Panel.y + 22.0f, Heading, Style::GOLD);
    Sheet.Fill({Panel.x + 8, Panel.y + 28, Panel.w - 16, 3},
               [=](float x, float y) { return Shape::Capsule(x, y, l + 10, t + 29, r - 10, t + 29, 1.0f); },
               WithAlpha(Style::PANEL_EDGE, 0.9f));
    std::string Body = Text.Help.In(Which);
    float fTop = Panel.y + 33.0f, fWidth = Panel.w - 20.0f;
    int nSize = HelpTextSize(Body, fTop, fWidth, Panel.Bottom() - 6.0f);
    Font Type(Face::Condensed, nSize);
    DrawParagraph(Sheet, Type, Panel.x + 10.0f, fTop + nSize, fWidth, Body, Style::TEXT, 1.18f);
}

// A switch picture: a lit pill with its word; nKnob puts a toggle's knob at the
// left (-1) or right (+1) end, 0 leaves the pill to the word.
void SwitchPicture(Canvas& Sheet, const SheetRect& Area, const std::string& Word, const Rgba& Body, const Rgba& Ink,
                   int nKnob)
{
    Box Pill{Area.x, Area.y, Area.w, Area.h};
    Sheet.Fill(Pill, [](float, float) { return -1.0f; }, FIELD);
    Style::BevelBox(Sheet, Pill, Body, 7, 2);
    int nTextLeft = Pill.x + 3, nTextRight = Pill.Right() - 3;
    if (nKnob != 0) {
        float cx = nKnob > 0 ? Pill.Right() - 10.0f : Pill.x + 10.0f, cy = Pill.y + Pill.h / 2.0f;
        Style::Sphere(Sheet, cx, cy, 7, Hex(0xC9D3E8));
        (nKnob > 0 ? nTextRight : nTextLeft) = (int)(nKnob > 0 ? cx - 9 : cx + 9);
    }
    Box Room{nTextLeft, Pill.y, nTextRight - nTextLeft, Pill.h};
    int nSize = FittingSize(Face::CondensedBold, Word, 13, (float)Room.w - 2);
    Font Type(Face::CondensedBold, nSize);
    DrawLine(Sheet, Type, Room.x + Room.w / 2.0f, Pill.y + Pill.h / 2.0f + nSize * 0.36f, Word, Ink, Align::Centre);
}

void Switches(Canvas& Sheet, Language Which)
{
    const Rgba DARK_INK = Hex(0x0A1430);
    SwitchPicture(Sheet, Sheets::SWITCH_OFF, OptionTexts::SWITCH_OFF.In(Which), Hex(0x5A3350), Style::TEXT_DIM, -1);
    SwitchPicture(Sheet, Sheets::SWITCH_ON, OptionTexts::SWITCH_ON.In(Which), Style::LIME, DARK_INK, +1);
    const Rgba AUTO[3] = {Hex(0x5A6384), Style::CYAN, Style::MAGENTA};
    const Rgba DIFFICULTY[3] = {Style::LIME, Style::GOLD, Style::EMBER};
    const Rgba LANGUAGE[2] = {Style::GOLD, Style::CYAN};
    for (int n = 0; n < 3; ++n) {
        SwitchPicture(Sheet, Sheets::SwitchAuto(n), OptionTexts::SWITCH_AUTO[n].In(Which), AUTO[n],
                      n == 0 ? Style::TEXT : DARK_INK, 0);
        SwitchPicture(Sheet, Sheets::SwitchDifficulty(n), OptionTexts::SWITCH_DIFFICULTY[n].In(Which), DIFFICULTY[n],
                      DARK_INK, 0);
    }
    for (int n = 0; n < 2; ++n)
        SwitchPicture(Sheet, Sheets::SwitchLanguage(n), OptionTexts::SWITCH_LANGUAGE[n], LANGUAGE[n], DARK_INK, 0);
}

void EntryDigits(Canvas& Sheet)
{
    Font Type(Face::CondensedBold, 16);
    for (int d = 0; d < 10; ++d) {
        SheetRect Cell = Sheets::EntryDigit(d);
        Canvas Digit(Cell.w, Cell.h);
        Digit.Fill({0, 0, Cell.w, Cell.h}, [](float, float) { return -1.0f; }, FIELD);
        Canvas Ink(Cell.w, Cell.h);
        DrawLine(Ink, Type, Cell.w / 2.0f, 14.0f, std::to_string(d), Hex(0xD8F6FF), Align::Centre);
        DrawGlowing(Digit, Ink, 0, 0, 2, WithAlpha(Style::CYAN, 0.9f));
        Sheet.Copy(Digit, {0, 0, Cell.w, Cell.h}, Cell.x, Cell.y);
    }
}

}  // namespace

bool PaintOptionSheets(const ForgeContext& Context)
{
    for (Language Which : LANGUAGES) {
        Canvas Sheet(Sheets::QUEST.nWidth, Sheets::QUEST.nHeight);
        for (int n = 0; n < Sheets::OPTION_COUNT; ++n)
            HelpPicture(Sheet, Sheets::Help(n), OptionTexts::OPTIONS[n], Which);
        Switches(Sheet, Which);
        EntryDigits(Sheet);
        const SheetSize& Size = Which == Language::English ? Sheets::QUEST_EN : Sheets::QUEST;
        if (!SavePicture(Context, Size.szName, Sheet, PictureKind::MaskedSheet))
            return false;
    }
    return true;
}
