// Start-up, the message loop and both shutdown stages, seen through debug.log.
#include <gtest/gtest.h>

#include "support/TestApp.h"
#include "support/TestPlatform.h"

namespace {

class AppLifecycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        g_TestApp.Config = [] {
            Korvid.ChangeDisplayMode(320, 240, 16, KOR_WINDOWED);
            Korvid.SetFrameRate(KOR_FPS_ONE_FRAME);
        };
    }
    VirtualClockPlatform m_Platform;
};

TEST_F(AppLifecycle, OneFrameModeRunsOneFrameThenShutsDownInOrder)
{
    ASSERT_TRUE(Korvid.Init());
    Korvid.MessageLoop();
    EXPECT_EQ(g_TestApp.nFrameCalls, 1);
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Setup Application", "Setup Complete <----------------------------------------->",
                                      "Start of Korvid OS Message Loop", "End of Korvid OS Message Loop",
                                      "Korvid ShutDown()"}));
}

}  // namespace
