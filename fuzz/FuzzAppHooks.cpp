// The engine calls three functions of its application; the fuzz targets that
// run the engine alone ask only for a small 8-bit window and draw nothing.
#include "korvid.h"

void KorvidConfig() { Korvid.ChangeDisplayMode(64, 48, 8, KOR_WINDOWED); }

bool SetupApplication() { return true; }

void KorvidMain() {}
