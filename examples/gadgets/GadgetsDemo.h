// The gadgets example as three calls, one for each of the engine's application
// functions, so that a test can run it as the program does.
#pragma once

void ConfigureGadgetsDemo();   // from KorvidConfig
bool PrepareGadgetsDemo();     // from SetupApplication
void RunGadgetsDemo();         // from KorvidMain: one frame
