// The options page "m4" / "m4_en": every option's label left of its switch slot
// (the game draws the switch picture there), a "?" at each help area, and the
// recessed level-code field.
#include "OptionTexts.h"
#include "Picture.h"
#include "ScreenFamilies.h"

using namespace ScreenKit;

namespace {

constexpr int LEFT_LABEL_RIGHT = 333, RIGHT_LABEL_RIGHT = 584;
constexpr int LEFT_LABEL_LEFT = 96, RIGHT_LABEL_LEFT = 440;

// The "?" badge of a help area, centred in it.
void HelpMarker(Canvas& Screen, int nLeft, const ScreenArea& Row)
{
    float cx = nLeft + Sheets::HELP_AREA_WIDTH / 2.0f, cy = (Row.nTop + Row.nBottom + 1) / 2.0f;
    Canvas Badge(30, 30);
    Badge.Fill({0, 0, 30, 30}, [](float x, float y) { return Shape::Circle(x, y, 15, 15, 7.5f); }, Style::CYAN);
    DrawGlowing(Screen, Badge, (int)cx - 15, (int)cy - 15, 4, WithAlpha(Style::CYAN, 0.6f), 0);
    Style::Sphere(Screen, cx, cy, 7.5f, Shade(Style::CYAN, -0.25f));
    Font Mark(Face::SansBold, 12);
    DrawLine(Screen, Mark, cx + 0.5f, cy + 4.5f, "?", Hex(0x0A1430), Align::Centre);
}

// One option's row: label, recessed switch slot and help marker.
void OptionRow(Canvas& Screen, const Sheets::OptionArea& Option, const std::string& Label)
{
    const ScreenArea& Area = Option.Switch;
    bool bLeft = Option.nHelpLeft == Sheets::HELP_LEFT_COLUMN;
    int nRight = bLeft ? LEFT_LABEL_RIGHT : RIGHT_LABEL_RIGHT, nLeft = bLeft ? LEFT_LABEL_LEFT : RIGHT_LABEL_LEFT;
    int nSize = FittingSize(Face::Condensed, Label, 17, (float)(nRight - nLeft));
    Font Type(Face::Condensed, nSize);
    float fBaseline = Area.nTop + Sheets::SWITCH_HEIGHT / 2.0f + nSize * 0.36f;
    Style::ShadowText(Screen, Type, (float)nRight, fBaseline, Label, Style::TEXT, Align::Right);
    Recess(Screen, {Area.nLeft - 2, Area.nTop - 2, Sheets::SWITCH_WIDTH + 4, Sheets::SWITCH_HEIGHT + 4}, 6);
    HelpMarker(Screen, Option.nHelpLeft, Area);
}

void CodeField(Canvas& Screen, Language Which)
{
    Box Field = AreaBox(Sheets::CODE_FIELD);
    Recess(Screen, Inset(Field, -2), 4);
    // Faint dividers between the six digit places.
    for (int i = 1; i < 6; ++i) {
        float x = Sheets::CODE_DIGIT_X + Sheets::CODE_DIGIT_STEP * i - 0.5f;
        Screen.Fill({(int)x - 1, Field.y + 3, 3, Field.h - 6},
                    [=](float px, float py) { return Shape::Capsule(px, py, x, Field.y + 4.0f, x, Field.Bottom() - 4.0f, 0.6f); },
                    WithAlpha(Style::PANEL_EDGE, 0.6f));
    }
    Font Type(Face::CondensedBold, 17);
    float fBaseline = Field.y + Field.h / 2.0f + 6;
    Style::ShadowText(Screen, Type, LEFT_LABEL_RIGHT, fBaseline, OptionTexts::CODE_LABEL.In(Which), Style::GOLD, Align::Right);
}

void PaintOptions(Canvas& Screen, Language Which)
{
    ScreenTitle(Screen, OptionTexts::TITLE.In(Which), 80);
    Style::FramePanel(Screen, {70, 118, 660, 336}, 14, 0.86f);
    // A faint divider between the two columns.
    Screen.Fill({432, 130, 5, 310}, [](float x, float y) { return Shape::Capsule(x, y, 434, 134, 434, 436, 0.8f); },
                WithAlpha(Style::PANEL_EDGE, 0.5f));
    Font Header(Face::SansBold, 17);
    LitText(Screen, Header, LEFT_LABEL_LEFT, 148, OptionTexts::LEFT_HEADER.In(Which), Style::TEXT, Style::CYAN);
    LitText(Screen, Header, RIGHT_LABEL_LEFT + 20, 148, OptionTexts::RIGHT_HEADER.In(Which), Style::TEXT, Style::CYAN);
    for (int n = 0; n < Sheets::OPTION_COUNT; ++n)
        OptionRow(Screen, Sheets::OPTIONS[n], OptionTexts::OPTIONS[n].Label.In(Which));
    CodeField(Screen, Which);
    Font Hint(Face::Condensed, 14);
    Style::ShadowText(Screen, Hint, 400, 474, OptionTexts::HELP_HINT.In(Which), Style::TEXT_DIM, Align::Centre);
    Style::ShadowText(Screen, Hint, 400, 494, OptionTexts::CODE_LABEL.In(Which) + ": " + OptionTexts::CODE_HINT.In(Which),
                      Style::TEXT_DIM, Align::Centre);
    BackButton(Screen);
}

}  // namespace

bool PaintOptionScreens(const ForgeContext& Context)
{
    Canvas Ground = MenuGround(4, Hex(0x1F5A8A), Hex(0x3A2C8F));
    for (Language Which : LANGUAGES) {
        Canvas Screen = Ground;
        PaintOptions(Screen, Which);
        if (!SavePicture(Context, std::string("m4") + Suffix(Which), Screen, PictureKind::Screen))
            return false;
    }
    return true;
}
