// Instruction pages 5 to 9: enemies and weather, the boss, the options, level
// codes and high scores, the match against the computer and tips.
#include <cmath>

#include "InstructionPageKit.h"
#include "OptionTexts.h"

using namespace ScreenKit;
using namespace InstructionTexts;

namespace InstructionPages {

void EnemiesAndWeather(Canvas& Page, SheetReader& Reader, Language Which)
{
    for (int n = 0; n < 3; ++n) {
        const EnemyEntry& Enemy = ENEMIES[n];
        int y = 60 + n * 92;
        for (int k = 0; k < 2; ++k)
            Place(Page, Reader.Part(Enemy.szSheet, Sheets::Enemy(Enemy.Kinds[k], 0), 56, 56), 16 + k * 60, y);
        Font Name(Face::CondensedBold, 15);
        Style::ShadowText(Page, Name, 142, y + 14.0f, Enemy.What.Name.In(Which), n == 0 ? Style::LIME : Style::MAGENTA);
        Body(Page, 142, y + 32.0f, 226, Enemy.What.Text.In(Which), 13, Style::TEXT, 1.18f);
    }
    Body(Page, 18, 350, 350, ENEMY_NOTE.In(Which), 13, Style::TEXT_DIM);

    Style::FramePanel(Page, {386, 58, 200, 330}, 10, 0.7f);
    SectionHeader(Page, 400, 82, WEATHER_HEADER.In(Which), Style::CYAN);
    Place(Page, Reader.Part("wetter", Sheets::SmallBank(0), 144, 90), 414, 92);
    const int WEATHER_BONUSES[3] = {69, 70, 71};
    for (int k = 0; k < 3; ++k)
        Place(Page, Reader.Part("boni", Sheets::Bonus(WEATHER_BONUSES[k], 0), 30, 30), 432 + k * 40, 190);
    BodyFitted(Page, 400, 242, 176, WEATHER_TEXT.In(Which), 380, 13);
}

namespace {

// An energy bar of twenty segments like the boss stage's, with a mark at 25.
void EnergyBar(Canvas& Page, float x, float y, const std::string& Label, const Rgba& Colour, int nFilled)
{
    Font Type(Face::Condensed, 12);
    Style::ShadowText(Page, Type, x, y - 5, Label, Style::TEXT_DIM);
    for (int n = 0; n < 20; ++n)
        Style::BevelBox(Page, {(int)x + n * 9, (int)y, 7, 13}, n < nFilled ? Colour : Hex(0x2A3356), 2, 1);
    float fMark = x + 5 * 9 - 1.0f;
    Page.Fill({(int)fMark - 2, (int)y - 4, 5, 22}, [=](float px, float py) { return Shape::Capsule(px, py, fMark, y - 2, fMark, y + 16, 1.2f); },
              Style::GOLD);
    DrawLine(Page, Type, fMark, y + 28, "25", Style::GOLD, Align::Centre);
}

// A row of shots flying from x0 to x1.
void ShotTrail(Canvas& Page, float x0, float x1, float y, const Rgba& Colour)
{
    for (int n = 0; n < 4; ++n) {
        float x = x0 + (x1 - x0) * n / 3.0f;
        Canvas Shot(40, 20);
        Shot.Fill({0, 0, 40, 20}, [](float px, float py) { return Shape::Capsule(px, py, 10, 10, 30, 10, 4); }, Colour);
        DrawGlowing(Page, Shot, (int)x - 20, (int)y - 10, 3, Colour);
    }
}

}  // namespace

void Boss(Canvas& Page, SheetReader& Reader, Language Which)
{
    float fBaseline = Body(Page, 18, 74, 564, BOSS_INTRO.In(Which), 13, Style::TEXT, 1.2f);
    int nTop = (int)fBaseline - 8;
    Place(Page, Reader.Part("kugel", Sheets::Ship(0), 64, 64), 24, nTop);
    Place(Page, Reader.Part("big_enemy01", Sheets::BossHead(0, 0), 112, 80), 452, nTop - 6);
    ShotTrail(Page, 120, 400, nTop + 24.0f, Style::CYAN);
    ShotTrail(Page, 420, 150, nTop + 54.0f, Style::MAGENTA);
    EnergyBar(Page, 30, nTop + 92.0f, BOSS_ENERGY_YOU.In(Which), Style::CYAN, 14);
    EnergyBar(Page, 330, nTop + 92.0f, BOSS_ENERGY_BOSS.In(Which), Style::MAGENTA, 5);
    float y = nTop + 140.0f, fStep = (392 - y) / 4.0f;
    const Rgba BADGES[4] = {Style::GOLD, Style::MAGENTA, Style::LIME, Style::CYAN};
    for (int n = 0; n < 4; ++n) {
        NumberBadge(Page, 30, y + n * fStep - 5, n + 1, BADGES[n]);
        BodyFitted(Page, 50, y + n * fStep, 532, BOSS_STEPS[n].In(Which), y + (n + 1) * fStep - 14, 13);
    }
}

void Options(Canvas& Page, SheetReader&, Language Which)
{
    Font Note(Face::Condensed, 13);
    Style::ShadowText(Page, Note, 540, 35, OPTIONS_NOTE.In(Which), Style::TEXT_DIM, Align::Right);
    // Two columns of seven, in the order of the help pictures.
    for (int n = 0; n < Sheets::OPTION_COUNT; ++n) {
        float x = n < 7 ? 18.0f : 308.0f, y = 56.0f + (n % 7) * 48.0f;
        Font Name(Face::CondensedBold, 14);
        Style::ShadowText(Page, Name, x, y + 12, OptionTexts::OPTIONS[n].Label.In(Which), Style::GOLD);
        BodyFitted(Page, x, y + 26, 276, OptionTexts::OPTIONS[n].Help.In(Which), y + 40, 12);
    }
}

void CodesAndScores(Canvas& Page, SheetReader&, Language Which)
{
    SectionHeader(Page, 18, 78, CODES_HEADER.In(Which), Style::GOLD);
    BodyFitted(Page, 18, 100, 290, CODES_TEXT.In(Which), 244, 13);

    // The banner that shows a new level's code, as the game puts it over the field.
    Style::FramePanel(Page, {326, 62, 258, 112}, 12, 0.95f);
    Font Label(Face::SansBold, 16);
    LitText(Page, Label, 455, 88, CODES_BANNER.In(Which), Style::TEXT, Style::GOLD, Align::Centre, 4);
    const char* const EXAMPLE = "472081";
    Font Digit(Face::SansBold, 26);
    for (int i = 0; i < 6; ++i) {
        Box Cell{342 + i * 38, 100, 32, 42};
        Recess(Page, Cell, 5);
        LitText(Page, Digit, Cell.x + 16.0f, Cell.y + 31.0f, std::string(1, EXAMPLE[i]), Hex(0xFFF3C4), Style::GOLD,
                Align::Centre, 4);
    }
    Arrow(Page, 455, 196, 12, +1, Style::CYAN);
    // ... and the field of the options page it is entered into.
    Font Small(Face::CondensedBold, 14);
    Style::ShadowText(Page, Small, 440, 236, OptionTexts::CODE_LABEL.In(Which), Style::GOLD, Align::Right);
    Box Field{450, 220, 64, 25};
    Recess(Page, Field, 4);
    Font FieldDigit(Face::CondensedBold, 16);
    for (int i = 0; i < 6; ++i)
        LitText(Page, FieldDigit, Field.x + 7.0f + i * 10, Field.y + 18.0f, std::string(1, EXAMPLE[i]), Hex(0xD8F6FF),
                Style::CYAN, Align::Centre, 2);

    SectionHeader(Page, 18, 276, SCORES_HEADER.In(Which), Style::GOLD);
    BodyFitted(Page, 18, 298, 330, SCORES_TEXT.In(Which), 388, 13);
    for (int n = 0; n < 3; ++n) {
        int y = 262 + n * 40;
        KeyCap(Page, {380, y, 60, 28}, SCORE_KEYS[n].Key.In(Which));
        Body(Page, 452, y + 19.0f, 132, SCORE_KEYS[n].Text.In(Which), 14);
    }
}

namespace {

// The field split between the two players: bricks above, a paddle on each half.
void SplitField(Canvas& Page, Language Which)
{
    Box Field{372, 62, 212, 140};
    Style::FramePanel(Page, Field, 8, 0.9f);
    Page.Fill(Inset(Field, 3), [](float, float) { return -1.0f; },
              [&](float x, float) { return WithAlpha(x < Field.x + Field.w / 2 ? Style::CYAN : Style::MAGENTA, 0.08f); });
    for (int nRow = 0; nRow < 3; ++nRow)
        for (int nColumn = 0; nColumn < 9; ++nColumn)
            Style::BevelBox(Page, {Field.x + 8 + nColumn * 22, Field.y + 10 + nRow * 13, 20, 11},
                            Shade(Style::BrickHue(nRow * 4 + 2), -0.1f), 2, 1);
    float fMiddle = Field.x + Field.w / 2.0f;
    for (int y = Field.y + 52; y < Field.Bottom() - 4; y += 8)
        Page.Fill({(int)fMiddle - 2, y - 1, 5, 7}, [=](float px, float py) { return Shape::Capsule(px, py, fMiddle, y, fMiddle, y + 3.0f, 1.0f); },
                  WithAlpha(Style::GOLD, 0.7f));
    Style::BevelBox(Page, {Field.x + 36, Field.Bottom() - 22, 40, 9}, Style::CYAN, 4, 1);
    Style::BevelBox(Page, {Field.x + 140, Field.Bottom() - 22, 40, 9}, Style::MAGENTA, 4, 1);
    Style::Sphere(Page, Field.x + 80.0f, Field.y + 76.0f, 5, Hex(0xDDEBFF));
    Font Type(Face::CondensedBold, 13);
    Style::ShadowText(Page, Type, Field.x + Field.w * 0.25f, Field.Bottom() + 16.0f, MATCH_YOU.In(Which), Style::CYAN, Align::Centre);
    Style::ShadowText(Page, Type, Field.x + Field.w * 0.75f, Field.Bottom() + 16.0f, MATCH_COMPUTER.In(Which),
                      Style::MAGENTA, Align::Centre);
}

}  // namespace

void MatchAndTips(Canvas& Page, SheetReader&, Language Which)
{
    SectionHeader(Page, 18, 78, MATCH_HEADER.In(Which), Style::GOLD);
    BodyFitted(Page, 18, 100, 340, MATCH_TEXT.In(Which), 222, 13);
    SplitField(Page, Which);
    SectionHeader(Page, 18, 250, TIPS_HEADER.In(Which), Style::LIME);
    for (int n = 0; n < 5; ++n) {
        float y = 274 + n * 25.0f;
        Style::Sphere(Page, 25, y - 4, 4, Style::LIME);
        BodyFitted(Page, 38, y, 546, TIPS[n].In(Which), y + 4, 13);
    }
}

}  // namespace InstructionPages
