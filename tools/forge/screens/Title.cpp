// The title screen "m1" / "m1_en": the logo, the places of the two animated
// figures the game draws from "devil", and the seven lit menu entries.
#include <cmath>
#include <string>

#include "Picture.h"
#include "ScreenFamilies.h"
#include "ScreenKit.h"
#include "Version.h"

using namespace ScreenKit;

namespace {

// ---- Texts of the title screen ---------------------------------------------------------
struct MenuEntry {
    ScreenArea Area;
    Words Label;
    Rgba Accent;
};
const MenuEntry MENU[] = {
    {Sheets::MENU_START, {"Spiel starten", "Start game"}, Style::GOLD},
    {Sheets::MENU_OPTIONS, {"Optionen", "Options"}, Style::CYAN},
    {Sheets::MENU_INSTRUCTIONS, {"Anleitung", "Instructions"}, Style::CYAN},
    {Sheets::MENU_HIGHSCORES, {"Bestenliste", "High scores"}, Style::CYAN},
    {Sheets::MENU_INFO, {"Info", "About"}, Style::CYAN},
    {Sheets::MENU_QUIT, {"Beenden", "Quit"}, Style::MAGENTA},
    {Sheets::MENU_EDITOR, {"Level-Editor", "Level editor"}, Style::CYAN},
};
const Words QUICK_START = {"F11  startet sofort ein Spiel", "F11  starts a game at once"};

// ---- Painters ------------------------------------------------------------------------------

// A glowing portal behind a figure: a soft disc of light, a ring, a pedestal below.
void FigurePlace(Canvas& Screen, int nLeft, const Rgba& Light)
{
    float cx = nLeft + Sheets::FIGURE_SIZE / 2.0f, cy = Sheets::FIGURE_Y + Sheets::FIGURE_SIZE / 2.0f;
    Box Around{(int)cx - 100, (int)cy - 100, 200, 200};
    Screen.Fill(Around, [=](float x, float y) { return Shape::Circle(x, y, cx, cy, 90); }, [=](float x, float y) {
        float d = std::hypot(x - cx, y - cy) / 90.0f;
        return WithAlpha(Light, 0.32f * (1.0f - d) * (1.0f - d));
    });
    Screen.Fill(Around, [=](float x, float y) { return std::fabs(Shape::Circle(x, y, cx, cy, 74)) - 1.6f; },
                [=](float x, float y) {
                    float fLit = 0.55f + 0.45f * -((x - cx) * Style::LIGHT_X + (y - cy) * Style::LIGHT_Y) / 74.0f;
                    return WithAlpha(Shade(Light, 0.2f), 0.35f + 0.5f * fLit);
                });
    Screen.Fill(Around, [=](float x, float y) { return std::fabs(Shape::Circle(x, y, cx, cy, 80)) - 0.6f; },
                WithAlpha(Light, 0.35f));
    // The pedestal: a flat lit ellipse the figure stands on.
    float fFloor = Sheets::FIGURE_Y + Sheets::FIGURE_SIZE - 4.0f;
    Box Base{(int)cx - 80, (int)fFloor - 14, 160, 30};
    Screen.Fill(Base, [=](float x, float y) { return Shape::Ellipse(x, y, cx, fFloor + 2, 74, 11); },
                [=](float, float y) { return Mix(Hex(0x2A3770), Style::NIGHT, (y - fFloor + 9) / 22.0f); });
    Screen.Fill(Base, [=](float x, float y) { return std::fabs(Shape::Ellipse(x, y, cx, fFloor, 72, 9)) - 1.0f; },
                WithAlpha(Shade(Light, 0.3f), 0.8f));
}

// An arc of energy between the two portals, with a ball riding it.
void EnergyArc(Canvas& Screen)
{
    float fLeft = Sheets::FIGURE_LEFT_X + Sheets::FIGURE_SIZE + 4.0f, fRight = Sheets::FIGURE_RIGHT_X - 4.0f;
    float cy = Sheets::FIGURE_Y + Sheets::FIGURE_SIZE / 2.0f;
    Canvas Arc(Screen.Width(), Screen.Height());
    for (int nStrand = 0; nStrand < 3; ++nStrand) {
        float fPhase = nStrand * 2.1f, fAmplitude = 10.0f + nStrand * 4.0f;
        float xPrev = fLeft, yPrev = cy;
        for (float x = fLeft + 4; x <= fRight; x += 4) {
            float t = (x - fLeft) / (fRight - fLeft);
            float y = cy + std::sin(t * 9.0f + fPhase) * fAmplitude * std::sin(t * 3.14159f);
            Arc.Fill({(int)std::min(xPrev, x) - 2, (int)std::min(yPrev, y) - 2, 9, (int)std::fabs(y - yPrev) + 6},
                     [=](float px, float py) { return Shape::Capsule(px, py, xPrev, yPrev, x, y, 1.4f); },
                     WithAlpha(Mix(Style::MAGENTA, Style::CYAN, t), 0.85f));
            xPrev = x, yPrev = y;
        }
    }
    DrawGlowing(Screen, Arc, 0, 0, 5, WithAlpha(Hex(0x8FA8FF), 0.7f), 0.8f);
    Style::Sphere(Screen, (fLeft + fRight) / 2, cy, 11, Hex(0xDDEBFF));
}

// The lower right: a corner of a brick wall, a ball with its trail and a paddle,
// so the title says at once what is played.
void PlayVignette(Canvas& Screen)
{
    ForgeRandom Random(47);
    for (int nRow = 0; nRow < 4; ++nRow)
        for (int nColumn = 0; nColumn < 7; ++nColumn) {
            if (Random.Unit() < 0.22f && nRow > 0)
                continue;
            int x = 470 + nColumn * 42 + (nRow % 2) * 21, y = 318 + nRow * 26;
            if (x + 40 > 780)
                continue;
            Rgba Hue = Style::BrickHue(nRow * 3 + (nColumn == 3 ? 9 : 0));
            Style::BevelBox(Screen, {x, y, 40, 24}, Shade(Hue, -0.15f), 4, 2);
        }
    // The ball rising from the paddle towards the wall, with a fading trail.
    float x0 = 560, y0 = 505, x1 = 648, y1 = 440;
    for (int n = 0; n < 12; ++n) {
        float t = n / 12.0f, x = x0 + (x1 - x0) * t, y = y0 + (y1 - y0) * t;
        Screen.Fill({(int)x - 8, (int)y - 8, 17, 17}, [=](float px, float py) { return Shape::Circle(px, py, x, y, 3 + t * 4); },
                    WithAlpha(Style::CYAN, 0.08f + 0.25f * t));
    }
    Canvas Halo(60, 60);
    Halo.Fill({0, 0, 60, 60}, [](float x, float y) { return Shape::Circle(x, y, 30, 30, 10); }, Style::CYAN);
    DrawGlowing(Screen, Halo, (int)x1 - 30, (int)y1 - 30, 12, WithAlpha(Style::CYAN, 0.8f), 0);
    Style::Sphere(Screen, x1, y1, 9, Hex(0xCDEFFF));
    // The paddle: a rounded capsule of lit steel with cyan ends.
    Box Paddle{520, 514, 120, 18};
    Style::BevelBox(Screen, Paddle, Hex(0x7A86A8), 9, 2);
    Style::BevelBox(Screen, {Paddle.x, Paddle.y, 22, Paddle.h}, Style::CYAN, 9, 2);
    Style::BevelBox(Screen, {Paddle.Right() - 22, Paddle.y, 22, Paddle.h}, Style::CYAN, 9, 2);
}

void PaintTitle(Canvas& Screen, Language Which)
{
    GameLogo(Screen, 400, 112, 86);
    FigurePlace(Screen, Sheets::FIGURE_LEFT_X, Style::MAGENTA);
    FigurePlace(Screen, Sheets::FIGURE_RIGHT_X, Style::CYAN);
    EnergyArc(Screen);
    PlayVignette(Screen);
    for (const MenuEntry& Entry : MENU) {
        Box Area = Inset(AreaBox(Entry.Area), 2);
        ButtonPlate(Screen, Area, Entry.Accent);
        CentredLabel(Screen, Area, Entry.Label.In(Which), Face::CondensedBold, 22, Style::TEXT, Entry.Accent, 5);
    }
    Font Small(Face::Condensed, 14);
    Style::ShadowText(Screen, Small, 770, 560, QUICK_START.In(Which), Style::TEXT_DIM, Align::Right);
    const std::string Version = std::string("Version ") + GAME_VERSION + "  \u00b7  Ostra";
    Style::ShadowText(Screen, Small, 770, 584, Version, WithAlpha(Style::TEXT_DIM, 0.7f), Align::Right);
}

}  // namespace

bool PaintTitleScreens(const ForgeContext& Context)
{
    Canvas Ground = MenuGround(1, Hex(0x3A2C8F), Hex(0x1E6C9A));
    for (Language Which : LANGUAGES) {
        Canvas Screen = Ground;
        PaintTitle(Screen, Which);
        if (!SavePicture(Context, std::string("m1") + Suffix(Which), Screen, PictureKind::Screen))
            return false;
    }
    return true;
}
