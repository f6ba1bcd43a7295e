// Start-up, the message loop and both shutdown stages, seen through debug.log.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cctype>

#include "support/TestApp.h"
#include "support/TestPlatform.h"

namespace {

int g_nExitCalls = 0;
bool g_bGraphicsOpenAtExit = true;

bool CountingExit()
{
    ++g_nExitCalls;
    g_bGraphicsOpenAtExit = Korvid.DisplayOpen();
    return true;
}

// "%7.3f|%-6s: " with the main thread's name or the free-thread marker.
bool HasStamp(const std::string& Line)
{
    if (Line.size() < 16 || Line[3] != '.' || Line[7] != '|' || Line.compare(14, 2, ": ") != 0)
        return false;
    for (int n : {2, 4, 5, 6})
        if (!isdigit((unsigned char)Line[n]))
            return false;
    std::string Thread = Line.substr(8, 6);
    return Thread == "Korvid" || Thread == "<---->";
}

class AppLifecycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        g_TestApp.Config = [this] {
            Korvid.ChangeDisplayMode(320, 240, 16, KOR_WINDOWED);
            Korvid.SetFrameRate(m_nFrameRate);
        };
    }

    // Runs the whole engine until a frame hook quits, as main would.
    void RunUntil(int nFrames)
    {
        g_TestApp.Frame = [nFrames] {
            if (g_TestApp.nFrameCalls >= nFrames)
                Korvid.Quit();
        };
        ASSERT_TRUE(Korvid.Init());
        Korvid.MessageLoop();
    }

    VirtualClockPlatform m_Platform;
    uint16_t m_nFrameRate = 50;
};

TEST_F(AppLifecycle, StartUpAndShutdownFollowTheFixedOrder)
{
    Korvid.SetExitFunction(&CountingExit);
    RunUntil(3);
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(
        Log, {"SysInfo: SDL Korvid Build", "KorvidGFX::GFXInit()", "Host Screen Size 0x0", "Allocating 200 Zone(s)",
              "Setup Application", "Setup Complete <----------------------------------------->",
              "Start of Korvid OS Message Loop", "End of Korvid OS Message Loop", "Korvid ShutDown()",
              "GFXShutDown()", "Korvid ShutDown <------------------------------------------------>",
              "Calling Exit Function", "File Open Validation", "Total Number of Files Opened: 0 (Peak 0)",
              "==Memory/Malloc Cache Report==",
              "All User/Private Memory accounted for", "==Display/Speed Report==",
              "==Misc Debug Info==", "Total Threads Started 0, Threads Remaining 0"}));
    EXPECT_EQ(Log.front().rfind("Log Started <-> ", 0), 0u);
    EXPECT_EQ(Log.back().rfind("Log File Ended <-> ", 0), 0u);
    EXPECT_EQ(g_nExitCalls, 1);
    EXPECT_FALSE(g_bGraphicsOpenAtExit);
    EXPECT_EQ(g_TestApp.nConfigCalls, 1);
    EXPECT_EQ(g_TestApp.nSetupCalls, 1);
    EXPECT_FALSE(Korvid.Active());
}

TEST_F(AppLifecycle, EveryLineCarriesTheStampAndThreadName)
{
    RunUntil(1);
    auto Lines = ReadLines("debug.log");
    ASSERT_GT(Lines.size(), 20u);
    for (const std::string& Line : Lines)
        EXPECT_TRUE(HasStamp(Line)) << Line;
    // The start time is taken at Init, so the first line reads zero seconds.
    EXPECT_EQ(Lines.front().substr(0, 15), "  0.000|Korvid:");
}

TEST_F(AppLifecycle, FramesArePaddedToTheMinimumFrameTime)
{
    // Each frame's own work takes 5 ms; at 50 fps the limiter pads it to 19 ms in 1 ms sleeps.
    g_TestApp.Frame = [this] {
        m_Platform.Advance(5);
        if (g_TestApp.nFrameCalls == 10)
            Korvid.Quit();
    };
    ASSERT_TRUE(Korvid.Init());
    uint32_t nStart = m_Platform.m_nNow;
    uint32_t nDelayedBefore = m_Platform.m_nDelayed;
    Korvid.MessageLoop();
    // Ten frames of 19 ms each (the quitting frame is padded too), then the
    // 200 ms display close of the shutdown.
    EXPECT_EQ(m_Platform.m_nDelayed - nDelayedBefore, 10u * 14u + 200u);
    EXPECT_EQ(m_Platform.m_nNow - nStart, 10u * 19u + 200u);
    EXPECT_EQ(Korvid.AverageFrameTime(), 5u);
    EXPECT_EQ(Korvid.PredictedFrameRate(), 200u);
    EXPECT_FLOAT_EQ(Korvid.IdlePercentage(), 140 * (100.0f / (10 * 19)));
}

TEST_F(AppLifecycle, UnlimitedFramesAreNeverPadded)
{
    m_nFrameRate = KOR_FPS_UNLIMITED;
    g_TestApp.Frame = [this] {
        m_Platform.Advance(3);
        if (g_TestApp.nFrameCalls == 100)
            Korvid.Quit();
    };
    ASSERT_TRUE(Korvid.Init());
    Korvid.MessageLoop();
    EXPECT_EQ(g_TestApp.nFrameCalls, 100);
    EXPECT_EQ(Korvid.AverageFrameTime(), 0u);   // every frame is recorded as 0 ms
    int nSyncs = 0;
    for (const std::string& Label : m_Platform.m_Yields)
        nSyncs += Label == "!MainThreadSync";
    EXPECT_EQ(nSyncs, 0);
}

TEST_F(AppLifecycle, OneFrameModeRunsExactlyOneFrame)
{
    m_nFrameRate = KOR_FPS_ONE_FRAME;
    ASSERT_TRUE(Korvid.Init());
    Korvid.MessageLoop();
    EXPECT_EQ(g_TestApp.nFrameCalls, 1);
    EXPECT_EQ(Korvid.MainUpdates(), 1u);
    EXPECT_NE(IndexOf(LogMessages(), "Korvid ShutDown <------------------------------------------------>"), -1);
}

TEST_F(AppLifecycle, AllPendingEventsAreDrainedBeforeAFrame)
{
    std::vector<int> PendingAtFrame;
    g_TestApp.Frame = [&PendingAtFrame] {
        SDL_Event Spare[64];
        PendingAtFrame.push_back(SDL_PeepEvents(Spare, 64, SDL_PEEKEVENT, SDL_ALLEVENTS));
        if (g_TestApp.nFrameCalls == 1) {
            for (int n = 0; n < 20; ++n) {
                SDL_Event Motion = {};
                Motion.type = SDL_MOUSEMOTION;
                Motion.motion.x = (Uint16)n;
                SDL_PushEvent(&Motion);
            }
        }
        if (g_TestApp.nFrameCalls == 3)
            Korvid.Quit();
    };
    ASSERT_TRUE(Korvid.Init());
    SDL_Event Flush;
    while (SDL_PollEvent(&Flush)) {
    }
    Korvid.MessageLoop();
    EXPECT_EQ(PendingAtFrame, std::vector<int>({0, 0, 0}));
}

TEST_F(AppLifecycle, AnUnknownEventIsLoggedAndLetsAFrameRun)
{
    g_TestApp.Frame = [] {
        if (g_TestApp.nFrameCalls == 1) {
            SDL_Event User = {};
            User.type = SDL_USEREVENT;
            SDL_PushEvent(&User);
        }
        if (g_TestApp.nFrameCalls == 2)
            Korvid.Quit();
    };
    ASSERT_TRUE(Korvid.Init());
    Korvid.MessageLoop();
    EXPECT_NE(IndexOf(LogMessages(), "Unknown event [" + std::to_string(SDL_USEREVENT) + "]"), -1);
    EXPECT_EQ(g_TestApp.nFrameCalls, 2);
}

TEST_F(AppLifecycle, ClosingTheWindowEndsTheLoopAndShutsDownOnce)
{
    Korvid.SetExitFunction(&CountingExit);
    g_TestApp.Frame = [] {
        SDL_Event Quit = {};
        Quit.type = SDL_QUIT;
        SDL_PushEvent(&Quit);
    };
    ASSERT_TRUE(Korvid.Init());
    Korvid.MessageLoop();
    auto Log = LogMessages();
    EXPECT_EQ(g_TestApp.nFrameCalls, 1);
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "Korvid ShutDown()"), 1);
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "GFXShutDown()"), 1);
    EXPECT_EQ(g_nExitCalls, 1);
    EXPECT_FALSE(g_bGraphicsOpenAtExit);
}

bool FailingInstall() { return false; }

TEST_F(AppLifecycle, AFailingInstallFunctionStopsInitWithoutShutdown)
{
    Korvid.SetInstallFunction(&FailingInstall);
    EXPECT_FALSE(Korvid.Init());
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Calling Install Function", "ERROR: ** Applications Install Function Returned FAIL **"}));
    EXPECT_EQ(Log.back(), "ERROR: ** Applications Install Function Returned FAIL **");
    EXPECT_EQ(g_TestApp.nSetupCalls, 0);
}

TEST_F(AppLifecycle, AFailingSetupStillWritesTheClosingReports)
{
    g_TestApp.Setup = [] { return false; };
    EXPECT_FALSE(Korvid.Init());
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Setup Application", "ERROR: ** KorvidApp::Setup() FAILED **", "Korvid ShutDown()",
                                      "Korvid ShutDown <------------------------------------------------>",
                                      "==Display/Speed Report=="}));
    EXPECT_EQ(Log.back().rfind("Log File Ended <-> ", 0), 0u);
}

TEST_F(AppLifecycle, AbortLogsItsBannerAndEndsTheLoopAfterTheFrame)
{
    g_TestApp.Frame = [] { Korvid.Abort(); };
    ASSERT_TRUE(Korvid.Init());
    Korvid.MessageLoop();
    EXPECT_EQ(g_TestApp.nFrameCalls, 1);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ***********", "ERROR: * Abort() *", "ERROR: ***********",
                                                "End of Korvid OS Message Loop"}));
}

TEST_F(AppLifecycle, ASecondInitIsCountedInTheLog)
{
    ASSERT_TRUE(Korvid.Init());
    ASSERT_TRUE(Korvid.Init());
    EXPECT_NE(IndexOf(LogMessages(), "WARNING: ** Korvid.Init() - Called 2 Times So far! **"), -1);
    Korvid.ShutDown();
    Korvid.FinalShutDown();
}

TEST_F(AppLifecycle, TheBannerListsTheCommandLine)
{
    char szProgram[] = "tamborel2", szFirst[] = "--windowed", szSecond[] = "Data Dir";
    char* ppArgs[] = {szProgram, szFirst, szSecond, nullptr};
    Korvid.SetArgs(3, ppArgs);
    g_TestApp.Config = [] {
        Korvid.SetAppNames("Tamborel 2", "Tamborel2");
        Korvid.SetFrameRate(KOR_FPS_ONE_FRAME);
    };
    ASSERT_TRUE(Korvid.Init());
    Korvid.MessageLoop();
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Project: \"Tamborel 2\" [Tamborel2]", "SysInfo: EXE Name [N/A] Path ['']",
                                                "SysInfo: 2 Command Line Arg(s)", "Command(1): '--windowed'",
                                                "Command(2): 'Data Dir'"}));
    EXPECT_TRUE(Korvid.CommandLineHas("--WINDOWED"));
    EXPECT_TRUE(Korvid.CommandLineHas("data dir"));
    EXPECT_FALSE(Korvid.CommandLineHas("tamborel2"));   // the program name is not an argument
}

}  // namespace
