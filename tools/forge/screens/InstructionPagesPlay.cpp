// Instruction pages 1 to 4: aim and controls, the bricks, the bonuses.
#include "InstructionPageKit.h"

using namespace ScreenKit;
using namespace InstructionTexts;

namespace InstructionPages {

void AimAndControls(Canvas& Page, SheetReader& Reader, Language Which)
{
    Body(Page, 18, 78, 372, AIM.In(Which), 14, Style::TEXT, 1.3f);
    // The paddle with the ball waiting on it, as at the start of a level.
    Canvas Halo(200, 120);
    Halo.Fill({0, 0, 200, 120}, [](float x, float y) { return Shape::Ellipse(x, y, 100, 60, 70, 34); }, Style::CYAN);
    DrawGlowing(Page, Halo, 390, 62, 18, WithAlpha(Style::CYAN, 0.25f), 0);
    Place(Page, Reader.Part("schlaeger0", Sheets::Paddle(1, 0, 0)), 430, 138);
    Place(Page, Reader.Part("kugel", Sheets::Ball(Sheets::BALL_NORMAL, Sheets::BALL_ROWS_NORMAL[0], 0)), 481, 118);
    for (int n = 1; n <= 5; ++n) {   // the launch direction
        float x = 490 + n * 9.0f, y = 114 - n * 9.0f;
        Page.Fill({(int)x - 3, (int)y - 3, 7, 7}, [=](float px, float py) { return Shape::Circle(px, py, x, y, 1.7f); },
                  WithAlpha(Style::GOLD, 0.9f - n * 0.13f));
    }

    Font Key(Face::CondensedBold, 15);
    for (int n = 0; n < 3; ++n) {
        MouseIcon(Page, 26, 210 + n * 60.0f, n - 1);
        float y = 232 + n * 60.0f;
        Style::ShadowText(Page, Key, 74, y, MOUSE_CONTROLS[n].Key.In(Which), Style::GOLD);
        Body(Page, 136, y, 170, MOUSE_CONTROLS[n].Text.In(Which), 14);
    }
    for (int n = 0; n < 5; ++n) {
        int y = 206 + n * 37;
        KeyCap(Page, {326, y, 50, 28}, KEY_CONTROLS[n].Key.In(Which));
        Body(Page, 388, y + 19.0f, 200, KEY_CONTROLS[n].Text.In(Which), 14);
    }
}

void Bricks(Canvas& Page, SheetReader& Reader, Language Which)
{
    for (int n = 0; n < 8; ++n) {
        const BrickEntry& Brick = BRICKS[n];
        int x = n < 4 ? 16 : 306, y = 60 + (n % 4) * 78;
        for (int k = 0; k < 4 && Brick.Codes[k] >= 0; ++k)
            Place(Page, Reader.Part("tiles", Sheets::Tile(Brick.Codes[k])), x + (k % 2) * 43, y + 4 + (k / 2) * 27);
        Font Name(Face::CondensedBold, 15);
        Style::ShadowText(Page, Name, x + 94.0f, y + 15.0f, Brick.What.Name.In(Which), Style::GOLD);
        Body(Page, x + 94.0f, y + 32.0f, 184, Brick.What.Text.In(Which), 12, Style::TEXT, 1.15f);
    }
    Body(Page, 18, 388, 564, BRICK_NOTE.In(Which), 13, Style::TEXT_DIM);
}

namespace {

// One bonus: its picture, its name in the colour of its tone, and what it does.
void BonusRow(Canvas& Page, SheetReader& Reader, const BonusWords::Line& Line, int x, int y, Language Which)
{
    auto In = [Which](const BonusWords::Text& Text) { return Which == Language::English ? Text.szEnglish : Text.szGerman; };
    Place(Page, Reader.Part("boni", Sheets::Bonus(Line.nCode, 0), 30, 30), x, y);
    Font Name(Face::CondensedBold, 14);
    Style::ShadowText(Page, Name, x + 38.0f, y + 12.0f, In(Line.Name), ToneColour(Line.Kind));
    Font Detail(Face::Condensed, 12);
    Style::ShadowText(Page, Detail, x + 38.0f, y + 27.0f, In(Line.Detail), Style::TEXT_DIM);
}

void BonusLegend(Canvas& Page, Language Which)
{
    const Tone TONES[3] = {Tone::Good, Tone::Bad, Tone::Mixed};
    Font Type(Face::Condensed, 13);
    float x = 318;
    for (int n = 0; n < 3; ++n) {
        Style::Sphere(Page, x, 30, 5, ToneColour(TONES[n]));
        Style::ShadowText(Page, Type, x + 9, 35, BONUS_LEGEND[n].In(Which), Style::TEXT_DIM);
        x += 22 + Type.Width(BONUS_LEGEND[n].In(Which));
    }
}

}  // namespace

void BonusesFirst(Canvas& Page, SheetReader& Reader, Language Which)
{
    BonusLegend(Page, Which);
    for (int n = 0; n < 20; ++n)
        BonusRow(Page, Reader, BonusWords::FIRST_ROW[n], n < 10 ? 18 : 308, 60 + (n % 10) * 33, Which);
}

void BonusesSecond(Canvas& Page, SheetReader& Reader, Language Which)
{
    BonusLegend(Page, Which);
    for (int n = 0; n < 15; ++n)
        BonusRow(Page, Reader, BonusWords::SECOND_ROW[n], n < 8 ? 18 : 308, 60 + (n % 8) * 36, Which);
    Body(Page, 18, 362, 564, BONUS_NOTE.In(Which), 13, Style::TEXT_DIM);
}

}  // namespace InstructionPages
