// The game's bindings to the engine: configuration, set-up and the frame.
#include "korvid.h"

void KorvidConfig()
{
    Korvid.SetAppNames("Tamborel 2", "Tamborel2");
    Korvid.SetFrameRate(50);
    Korvid.ChangeDisplayMode(800, 600, 16, KOR_FULLSCREEN);
}

bool SetupApplication() { return true; }

void KorvidMain()
{
    for (KorvidEvent Key = Korvid.GetKeyEvent(); Key.nType != KOR_EVENT_NONE; Key = Korvid.GetKeyEvent())
        if (Key.nType == KOR_EVENT_PRESS && Key.nCode == 13)   // Escape
            Korvid.Quit();
    Korvid.FlushMouse();
    Korvid.Flip();
}
