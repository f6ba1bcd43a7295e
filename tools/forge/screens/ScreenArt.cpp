// The "art-screens" step: every screen picture and the options sheets.
#include "ScreenArt.h"

#include "ScreenFamilies.h"

bool ForgeArtScreens(const ForgeContext& Context)
{
    return PaintTitleScreens(Context) && PaintHighScoreScreen(Context) && PaintInstructionScreens(Context) &&
           PaintOptionScreens(Context) && PaintOptionSheets(Context) && PaintAboutScreen(Context) &&
           PaintMatchScreen(Context) && PaintPlayBackgrounds(Context);
}
