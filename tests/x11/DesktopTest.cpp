// The platform in a real X window: host screen size, input grab, the screensaver
// and the whole process entry.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include "support/TestApp.h"
#include "support/TestInput.h"
#include "support/TestPlatform.h"

namespace {

class Desktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        g_TestApp.Config = [this] {
            Korvid.ChangeDisplayMode(m_nWidth, m_nHeight, 16, KOR_WINDOWED);
            Korvid.SetFrameRate(KOR_FPS_ONE_FRAME);
        };
    }

    VirtualClockPlatform m_Platform;
    uint16_t m_nWidth = 800, m_nHeight = 600;
};

TEST_F(Desktop, TheProcessEntryRunsTheWholeLifeAndHoldsOffTheScreensaver)
{
    char szProgram[] = "tamborel2";
    char* ppArgs[] = {szProgram, nullptr};
    EXPECT_EQ(Korvid.Main(1, ppArgs), 0);
    EXPECT_EQ(g_TestApp.nFrameCalls, 1);
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Host Screen Size 1024x768", "Setup Complete <----------------------------------------->",
                                      "Screensaver disabled.", "Start of Korvid OS Message Loop"}));
    EXPECT_EQ(Log.back().rfind("Log File Ended <-> ", 0), 0u);
    EXPECT_FALSE(Korvid.SDLInitialised() && SDL_WasInit(SDL_INIT_VIDEO));
}

TEST_F(Desktop, AScreenLargerThanTheHostIsRefused)
{
    m_nWidth = 1280;
    m_nHeight = 1024;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(Korvid.Init());
    std::string Printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(Printed, "Problem: Requested Screen size 1280x1024 too large (Max size 1024x768)\n\n");
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"InitDisplay() - Going into Windowed Mode", "ERROR: ** InitDisplay() - FAILED **",
                                                "ERROR: ** GFXInit() FAILED **", "Korvid ShutDown()"}));
}

TEST_F(Desktop, CtrlGGrabsThenReleasesTheInput)
{
    ASSERT_TRUE(Korvid.Init());
    InjectKeyDown(SDLK_g, KMOD_LCTRL);
    PumpAllEvents();
    EXPECT_EQ(SDL_WM_GrabInput(SDL_GRAB_QUERY), SDL_GRAB_ON);
    InjectKeyDown(SDLK_g, KMOD_RCTRL);
    PumpAllEvents();
    EXPECT_EQ(SDL_WM_GrabInput(SDL_GRAB_QUERY), SDL_GRAB_OFF);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Ctrl-G - Grab Input!", "Ctrl-G - Ungrab Input!"}));
    Korvid.ShutDown();
    Korvid.FinalShutDown();
}

}  // namespace
