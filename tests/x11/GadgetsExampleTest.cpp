// The gadgets example in a real window: a click where a button sits opens its
// page, the page left behind fades out over the new one, and Return presses
// the selected button.
#include <gtest/gtest.h>

#include "DemoArt.h"
#include "GadgetsDemo.h"
#include "PlexaModes.h"
#include "support/TestApp.h"
#include "support/TestInput.h"
#include "support/TestPlatform.h"

namespace {

// Red of a pixel, 0..31.
int Red(uint32_t nChunky, int x, int y) { return Korvid.ExistingChunky(nChunky)->Pixels16()[y * 800 + x] >> 11; }

TEST(GadgetsExample, AClickOnAButtonOpensItsPageWithACrossFadeAndReturnGoesBack)
{
    EnterScratchDirectory();
    VirtualClockPlatform Platform;
    Korvid.SetPlatform(&Platform);
    g_TestApp.Config = ConfigureGadgetsDemo;
    g_TestApp.Setup = PrepareGadgetsDemo;
    g_TestApp.Frame = RunGadgetsDemo;
    ASSERT_TRUE(Korvid.Init());
    Korvid.RunFrame();
    const KorvidGadget About = Plexa.Gadgets().Gadgets[1];   // the title's second button
    InjectClick(1, (Uint16)About.x, (Uint16)(About.y + 20));
    PumpAllEvents();
    Korvid.RunFrame();
    EXPECT_EQ(Plexa.CurrentMode(), PLEXA_MODE_INSTRUCTIONS);
    // The title's blue background lies over the about page's purple, fading.
    Korvid.RunFrame();
    EXPECT_LT(Red(0, 10, 590), Red(TITLE_BACKGROUND, 10, 590) + 3);
    for (int nFrame = 0; nFrame < 20; ++nFrame)
        Korvid.RunFrame();
    EXPECT_EQ(Red(0, 10, 590), Red(ABOUT_BACKGROUND, 10, 590));

    InjectKeyPress(SDLK_RETURN);
    PumpAllEvents();
    Korvid.RunFrame();
    EXPECT_EQ(Plexa.CurrentMode(), PLEXA_MODE_TITLE);
    Korvid.ShutDown();
    Korvid.FinalShutDown();
}

}  // namespace
