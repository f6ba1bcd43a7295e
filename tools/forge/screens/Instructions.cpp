// The instruction screen "m3" / "m3_en" (a frame round the page area with the
// page buttons) and its nine pages "m3_1".."m3_9" / "m3_1_en".."m3_9_en".
#include "InstructionPageKit.h"
#include "Picture.h"
#include "ScreenFamilies.h"

using namespace ScreenKit;

namespace {

const InstructionPages::Painter PAGES[Sheets::INSTRUCTION_PAGES] = {
    InstructionPages::AimAndControls, InstructionPages::Bricks,  InstructionPages::BonusesFirst,
    InstructionPages::BonusesSecond,  InstructionPages::EnemiesAndWeather, InstructionPages::Boss,
    InstructionPages::Options,        InstructionPages::CodesAndScores,    InstructionPages::MatchAndTips,
};

// A steel frame round the page area, lit on its inner edge.
void PageFrame(Canvas& Screen)
{
    const int x = Sheets::PAGE_X, y = Sheets::PAGE_Y, w = Sheets::PAGE_WIDTH, h = Sheets::PAGE_HEIGHT;
    Canvas Halo(w + 80, h + 80);
    Halo.Fill({0, 0, Halo.Width(), Halo.Height()},
              [=](float px, float py) { return Shape::RoundedBox(px, py, 28, 28, 52 + w, 52 + h, 14); }, Style::CYAN);
    DrawGlowing(Screen, Halo, x - 40, y - 40, 16, WithAlpha(Style::CYAN, 0.35f), 0);
    Style::BevelBox(Screen, {x - 10, y - 10, w + 20, h + 20}, Hex(0x2E3860), 12, 3);
    Screen.Fill({x - 3, y - 3, w + 6, h + 6}, [=](float px, float py) {
        return Shape::RoundedBox(px, py, x - 2.0f, y - 2.0f, x + w + 2.0f, y + h + 2.0f, 3);
    }, Hex(0x070B1C));
    Screen.Fill({x - 4, y - 4, w + 8, h + 8}, [=](float px, float py) {
        return std::fabs(Shape::RoundedBox(px, py, x - 2.5f, y - 2.5f, x + w + 2.5f, y + h + 2.5f, 3)) - 0.8f;
    }, WithAlpha(Style::CYAN, 0.8f));
    for (float cx : {x - 5.0f, x + w + 5.0f})
        for (float cy : {y - 5.0f, y + h + 5.0f})
            Style::Sphere(Screen, cx, cy, 3.5f, Hex(0x8C97B5));
}

void PaintFrame(Canvas& Screen, Language Which)
{
    ScreenTitle(Screen, InstructionTexts::FRAME_TITLE.In(Which), 60);
    PageFrame(Screen);
    BackButton(Screen);
    const ScreenArea TURN[2] = {Sheets::PAGE_PREVIOUS, Sheets::PAGE_NEXT};
    for (int n = 0; n < 2; ++n) {
        Box Area = AreaBox(TURN[n]);
        ButtonPlate(Screen, Area, Style::GOLD);
        Arrow(Screen, Area.x + Area.w / 2.0f, Area.y + Area.h / 2.0f, 11, n == 0 ? -1 : +1, Style::GOLD);
    }
    Font Hint(Face::Condensed, 15);
    Style::ShadowText(Screen, Hint, Sheets::PAGE_NEXT.nRight + 14.0f, Sheets::PAGE_NEXT.nTop + 22.0f,
                      InstructionTexts::FRAME_TURN.In(Which), Style::TEXT_DIM);
}

}  // namespace

bool PaintInstructionScreens(const ForgeContext& Context)
{
    Canvas Ground = MenuGround(3, Hex(0x1F4E8A), Hex(0x2D7A6A));
    SheetReader Reader(Context);
    for (Language Which : LANGUAGES) {
        Canvas Screen = Ground;
        PaintFrame(Screen, Which);
        if (!SavePicture(Context, std::string("m3") + Suffix(Which), Screen, PictureKind::Screen))
            return false;
        for (int n = 0; n < Sheets::INSTRUCTION_PAGES; ++n) {
            Canvas Page = InstructionPages::PageGround(InstructionTexts::PAGE_TITLES[n].In(Which), n + 1);
            PAGES[n](Page, Reader, Which);
            std::string Name = "m3_" + std::to_string(n + 1) + Suffix(Which);
            if (!SavePicture(Context, Name, Page, PictureKind::Screen))
                return false;
        }
    }
    return true;
}
