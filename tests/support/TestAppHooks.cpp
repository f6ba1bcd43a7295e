// The engine's three application functions bound to the test hooks. Programs
// that test the game leave this file out and run the game's own functions.
#include "support/TestApp.h"

#include "korvid.h"

TestAppHooks g_TestApp;

void KorvidConfig()
{
    ++g_TestApp.nConfigCalls;
    if (g_TestApp.Config)
        g_TestApp.Config();
}

bool SetupApplication()
{
    ++g_TestApp.nSetupCalls;
    return g_TestApp.Setup ? g_TestApp.Setup() : true;
}

void KorvidMain()
{
    ++g_TestApp.nFrameCalls;
    if (g_TestApp.Frame)
        g_TestApp.Frame();
}
