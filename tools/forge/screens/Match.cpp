// "mpm1", the screen between the levels of a match against the computer: two
// paddles facing off across a calm middle band where the game prints the scores
// (centred texts at y 200..450).
#include <cmath>

#include "Picture.h"
#include "ScreenFamilies.h"
#include "ScreenKit.h"

using namespace ScreenKit;

namespace {

// ---- Texts of the match screen (German only: the game has no English "mpm1") ------------
const char* const TITLE = "Duell gegen den Computer";
const char* const VERSUS = "VS";

// The band the game writes into, kept quiet.
constexpr Box SCORE_BAND = {118, 184, 564, 300};

// A paddle standing upright at the side of the band, lit in its player's colour.
void UprightPaddle(Canvas& Screen, int x, const Rgba& Light)
{
    Box Paddle{x, 230, 22, 180};
    Canvas Halo(Paddle.w + 60, Paddle.h + 60);
    Halo.Fill({0, 0, Halo.Width(), Halo.Height()},
              [&](float px, float py) { return Shape::RoundedBox(px, py, 30, 30, 30 + Paddle.w, 30 + Paddle.h, 10); }, Light);
    DrawGlowing(Screen, Halo, Paddle.x - 30, Paddle.y - 30, 14, WithAlpha(Light, 0.55f), 0);
    Style::BevelBox(Screen, Paddle, Hex(0x7A86A8), 10, 2);
    Style::BevelBox(Screen, {Paddle.x, Paddle.y, Paddle.w, 34}, Light, 10, 2);
    Style::BevelBox(Screen, {Paddle.x, Paddle.Bottom() - 34, Paddle.w, 34}, Light, 10, 2);
}

// A floor of light lines receding to the horizon, cyan on the left half and
// magenta on the right: the two halves of the field.
void SplitFloor(Canvas& Screen)
{
    const float fHorizon = 492, fBottom = 600;
    for (int n = -10; n <= 10; ++n) {
        float xTop = 400 + n * 18.0f, xBottom = 400 + n * 90.0f;
        Rgba Colour = n < 0 ? Style::CYAN : n > 0 ? Style::MAGENTA : Style::GOLD;
        Screen.Fill({(int)std::min(xTop, xBottom) - 2, (int)fHorizon - 2, (int)std::fabs(xBottom - xTop) + 5, 112},
                    [=](float x, float y) { return Shape::Capsule(x, y, xTop, fHorizon, xBottom, fBottom, n == 0 ? 2.0f : 1.0f); },
                    [=](float, float y) { return WithAlpha(Colour, 0.15f + 0.45f * (y - fHorizon) / (fBottom - fHorizon)); });
    }
    for (int n = 0; n < 6; ++n) {
        float t = n / 6.0f, y = fHorizon + (fBottom - fHorizon) * t * t;
        Screen.Fill({0, (int)y - 2, 800, 5}, [=](float x, float py) { return Shape::Capsule(x, py, 0, y, 800, y, 1.0f); },
                    [=](float x, float) { return WithAlpha(x < 400 ? Style::CYAN : Style::MAGENTA, 0.12f + 0.3f * t); });
    }
}

void PaintMatch(Canvas& Screen)
{
    ScreenTitle(Screen, TITLE, 74, Style::GOLD);
    Font Versus(Face::SansBold, 40);
    LitText(Screen, Versus, 400, 150, VERSUS, Style::GOLD, Style::EMBER, Align::Centre, 8);
    // The ball's path from one paddle to the other over the band.
    for (int n = 0; n < 30; ++n) {
        float t = n / 29.0f, x = 110 + 580 * t, y = 200 - 80 * std::sin(t * 3.14159f);
        Rgba Colour = Mix(Style::CYAN, Style::MAGENTA, t);
        Screen.Fill({(int)x - 4, (int)y - 4, 9, 9}, [=](float px, float py) { return Shape::Circle(px, py, x, y, 1.8f); },
                    WithAlpha(Colour, 0.65f));
    }
    Style::Sphere(Screen, 560, 132, 10, Hex(0xDDEBFF));
    Style::FramePanel(Screen, SCORE_BAND, 14, 0.88f);
    UprightPaddle(Screen, 56, Style::CYAN);
    UprightPaddle(Screen, 722, Style::MAGENTA);
    SplitFloor(Screen);
    BackButton(Screen);
}

}  // namespace

bool PaintMatchScreen(const ForgeContext& Context)
{
    Canvas Screen = MenuGround(9, Hex(0x1E5C8F), Hex(0x7A2466));
    PaintMatch(Screen);
    return SavePicture(Context, "mpm1", Screen, PictureKind::Screen);
}
