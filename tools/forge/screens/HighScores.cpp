// The high-score screen "m2": a framed list with five recessed rows where the game
// prints the names (x 200.., 18 x 24 letters) and the six-digit scores (x 492..).
#include <cmath>

#include "Picture.h"
#include "ScreenFamilies.h"
#include "ScreenKit.h"

using namespace ScreenKit;

namespace {

// ---- Texts of the high-score screen (German only: the game has no English "m2") ---------
const char* const TITLE = "Bestenliste";
const char* const NAME_HEADER = "Name";
const char* const SCORE_HEADER = "Punkte";
const char* const FOOTNOTE = "Nur die f\u00fcnf besten Spiele kommen in die Liste.";

// Where the game prints: names from x 200, eight letters of 18; scores from x 492,
// six digits of 20; rows 50 apart from y 175, 24 high.
constexpr int ROW_Y = 175, ROW_STEP = 50, ROWS = 5, LETTER_HEIGHT = 24;
constexpr int NAME_X = 200, NAME_WIDTH = 8 * 18, SCORE_X = 492, SCORE_WIDTH = 6 * 20;

// A medal with the rank: gold, silver, bronze, then steel.
void RankMedal(Canvas& Screen, float cx, float cy, int nRank)
{
    static const uint32_t METALS[ROWS] = {0xFFC53D, 0xC9D3E8, 0xD98A4E, 0x7C88AA, 0x7C88AA};
    Rgba Metal = Hex(METALS[nRank]);
    Canvas Halo(48, 48);
    Halo.Fill({0, 0, 48, 48}, [](float x, float y) { return Shape::Circle(x, y, 24, 24, 12); }, Metal);
    DrawGlowing(Screen, Halo, (int)cx - 24, (int)cy - 24, 8, WithAlpha(Metal, nRank < 3 ? 0.6f : 0.25f), 0);
    Style::Sphere(Screen, cx, cy, 14, Metal);
    Font Number(Face::SansBold, 16);
    std::string Text = std::to_string(nRank + 1);
    DrawLine(Screen, Number, cx + 1, cy + 7, Text, WithAlpha(Style::NIGHT, 0.6f), Align::Centre);
    DrawLine(Screen, Number, cx, cy + 6, Text, Hex(0x1A1530), Align::Centre);
}

void PaintList(Canvas& Screen)
{
    ScreenTitle(Screen, TITLE, 82, Style::GOLD);
    Style::FramePanel(Screen, {128, 124, 544, 300}, 14, 0.85f);
    Font Header(Face::CondensedBold, 15);
    Style::ShadowText(Screen, Header, NAME_X, 157, NAME_HEADER, Style::TEXT_DIM);
    Style::ShadowText(Screen, Header, SCORE_X + SCORE_WIDTH, 157, SCORE_HEADER, Style::TEXT_DIM, Align::Right);
    for (int i = 0; i < ROWS; ++i) {
        int y = ROW_Y + ROW_STEP * i;
        RankMedal(Screen, 166, y + LETTER_HEIGHT / 2.0f, i);
        Recess(Screen, {NAME_X - 7, y - 5, NAME_WIDTH + 14, LETTER_HEIGHT + 10}, 5);
        Recess(Screen, {SCORE_X - 7, y - 5, SCORE_WIDTH + 14, LETTER_HEIGHT + 10}, 5);
        // A dotted leader from the name to its score.
        for (int x = NAME_X + NAME_WIDTH + 18; x < SCORE_X - 16; x += 9) {
            float cx = x + 0.5f, cy = y + LETTER_HEIGHT / 2.0f;
            Screen.Fill({x - 3, (int)cy - 3, 7, 7}, [=](float px, float py) { return Shape::Circle(px, py, cx, cy, 1.6f); },
                        WithAlpha(Style::GOLD, 0.45f - 0.05f * i));
        }
    }
    Font Note(Face::Condensed, 15);
    Style::ShadowText(Screen, Note, 400, 458, FOOTNOTE, Style::TEXT_DIM, Align::Centre);
    BackButton(Screen);
}

}  // namespace

bool PaintHighScoreScreen(const ForgeContext& Context)
{
    Canvas Screen = MenuGround(2, Hex(0x6A4420), Hex(0x2B3F8F));
    PaintList(Screen);
    return SavePicture(Context, "m2", Screen, PictureKind::Screen);
}
