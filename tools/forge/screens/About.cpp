// The information screen "m5": the game's logo and two empty panels. The game
// prints the texts into them in the language the player chose (one picture
// serves both languages), and writes where it keeps its files.
#include "Picture.h"
#include "ScreenFamilies.h"
#include "ScreenKit.h"

using namespace ScreenKit;

namespace {

void PaintAbout(Canvas& Screen)
{
    GameLogo(Screen, 400, 84, 54);
    for (const ScreenArea& Panel : {Sheets::INFO_LEFT_PANEL, Sheets::INFO_RIGHT_PANEL})
        Style::FramePanel(Screen, AreaBox(Panel), 12, 0.85f);
    BackButton(Screen);
}

}  // namespace

bool PaintAboutScreen(const ForgeContext& Context)
{
    Canvas Screen = MenuGround(5, Hex(0x27518F), Hex(0x5A2C8A));
    PaintAbout(Screen);
    return SavePicture(Context, "m5", Screen, PictureKind::Screen);
}
