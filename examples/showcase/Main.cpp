// A program to look at: every blit mode, scaling, rotation and the primitives,
// presented in a window. Escape or closing the window ends it.
#include "korvid.h"
#include "Showcase.h"

void KorvidConfig()
{
    Korvid.SetAppNames("Korvid Showcase", "KorvidShowcase");
    Korvid.SetFrameRate(50);
    Korvid.ChangeDisplayMode(800, 600, 16, KOR_WINDOWED);
}

bool SetupApplication()
{
    PrepareShowcase();
    return true;
}

void KorvidMain()
{
    for (KorvidEvent Key = Korvid.GetKeyEvent(); Key.nType != KOR_EVENT_NONE; Key = Korvid.GetKeyEvent())
        if (Key.nType == KOR_EVENT_PRESS && Key.nCode == 13)   // Escape
            Korvid.Quit();
    DrawShowcase();
    Korvid.Flip();
}
