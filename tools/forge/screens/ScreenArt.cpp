// The "art-screens" step: every screen picture and the options sheets.
#include "ScreenArt.h"

#include "ScreenFamilies.h"

bool ForgeArtScreens(const ForgeContext& Context)
{
    return PaintTitleScreens(Context) && PaintHighScoreScreen(Context) && PaintAboutScreen(Context) && PaintMatchScreen(Context) && PaintOptionScreens(Context) && PaintOptionSheets(Context) && PaintPlayBackgrounds(Context);
}
