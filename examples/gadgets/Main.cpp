// korvid_gadgets: buttons, a text field and three pages that cross-fade into
// each other. Read GadgetsDemo.cpp to see how it is done.
#include "GadgetsDemo.h"
#include "korvid.h"

void KorvidConfig() { ConfigureGadgetsDemo(); }

bool SetupApplication() { return PrepareGadgetsDemo(); }

void KorvidMain() { RunGadgetsDemo(); }
