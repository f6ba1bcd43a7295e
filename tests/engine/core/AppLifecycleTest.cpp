// Start-up, the message loop and both shutdown stages, seen through debug.log.
#include <SDL/SDL.h>

#include <regex>

#include "CoreTest.h"
#include "support/TestInput.h"

namespace {

int g_nExitCalls = 0;
bool g_bDisplayOpenAtExit = true;

bool CountingExit()
{
    ++g_nExitCalls;
    g_bDisplayOpenAtExit = Korvid.DisplayOpen();
    return true;
}

class AppLifecycle : public CoreTest {
protected:
    // Runs the whole engine at nFrameRate, as main would, with Frame as the frame hook.
    void Run(uint16_t nFrameRate, std::function<void()> Frame, std::function<void()> Config = [] {})
    {
        g_TestApp.Frame = Frame;
        Start([nFrameRate, Config] {
            Korvid.SetFrameRate(nFrameRate);
            Config();
        });
        m_nLoopStart = m_Platform.m_nNow;
        m_nDelayedBefore = m_Platform.m_nDelayed;
        if (!HasFatalFailure())
            Korvid.MessageLoop();
    }
    uint32_t m_nLoopStart = 0, m_nDelayedBefore = 0;
};

TEST_F(AppLifecycle, StartUpAndShutdownFollowTheFixedOrderOnStampedLines)
{
    Korvid.SetExitFunction(&CountingExit);
    Run(50, [] {
        if (g_TestApp.nFrameCalls == 3)
            Korvid.Quit();
    });
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {
        "SysInfo: SDL Korvid Build", "KorvidGFX::GFXInit()", "Allocating 200 Zone(s)", "Setup Application",
        "Start of Korvid OS Message Loop", "End of Korvid OS Message Loop", "Korvid ShutDown()", "GFXShutDown()",
        "Calling Exit Function", "File Open Validation", "==Memory/Malloc Cache Report==", "==Display/Speed Report==",
        "==Misc Debug Info==", "Total Threads Started 0, Threads Remaining 0"}));
    EXPECT_EQ(Log.back().rfind("Log File Ended <-> ", 0), 0u);
    EXPECT_EQ(std::make_tuple(g_nExitCalls, g_bDisplayOpenAtExit, Korvid.Active()), std::make_tuple(1, false, false));
    EXPECT_EQ(g_TestApp.nConfigCalls + g_TestApp.nSetupCalls, 2);
    // "%7.3f|%-6s: " with the main thread's name or the free-thread marker; the clock starts at Init.
    auto Lines = ReadLines("debug.log");
    EXPECT_EQ(Lines.front().substr(0, 32), "  0.000|Korvid: Log Started <-> ");
    for (const std::string& Line : Lines)
        EXPECT_TRUE(std::regex_match(Line, std::regex(R"([ \d]{2}\d\.\d{3}\|(Korvid|<---->): .*)"))) << Line;
}

// Each frame's own work takes 5 ms; at 50 fps the limiter pads it to 19 ms in 1 ms sleeps.
// Pending events are all handled before a frame, except that an unknown one lets a frame run.
TEST_F(AppLifecycle, FramesArePaddedToTheMinimumFrameTimeAndFindTheirInputHandled)
{
    std::vector<int> PendingAtFrame;
    int nPresses = 0;
    Run(50, [this, &PendingAtFrame, &nPresses] {
        m_Platform.Advance(5);
        SDL_Event Spare[64], User = {SDL_USEREVENT};
        PendingAtFrame.push_back(SDL_PeepEvents(Spare, 64, SDL_PEEKEVENT, SDL_ALLEVENTS));
        for (KorvidEvent Event = Korvid.GetMouseEvent(); Event.nType; Event = Korvid.GetMouseEvent())
            nPresses += Event.nType == KOR_EVENT_PRESS;
        if (g_TestApp.nFrameCalls == 2)
            SDL_PushEvent(&User);
        InjectClick(1, 10, 10);
        if (g_TestApp.nFrameCalls == 10)
            Korvid.Quit();
    });
    EXPECT_EQ(PendingAtFrame, std::vector<int>({0, 0, 3, 0, 0, 0, 0, 0, 0, 0}));   // a click: move, press, release
    EXPECT_TRUE(LogHas("Unknown event [" + std::to_string(SDL_USEREVENT) + "]"));
    EXPECT_EQ(nPresses, 9);
    // Ten padded frames (the quitting one too), then the 200 ms display close of the shutdown.
    EXPECT_EQ(m_Platform.m_nDelayed - m_nDelayedBefore, 10u * 14u + 200u);
    EXPECT_EQ(m_Platform.m_nNow - m_nLoopStart, 10u * 19u + 200u);
    EXPECT_EQ(std::make_pair(Korvid.AverageFrameTime(), Korvid.PredictedFrameRate()), std::make_pair(5u, 200u));
    EXPECT_FLOAT_EQ(Korvid.IdlePercentage(), 140 * (100.0f / (10 * 19)));
}

TEST_F(AppLifecycle, UnlimitedFramesAreNeverPaddedAndAbortEndsTheLoopAfterItsFrame)
{
    Run(KOR_FPS_UNLIMITED, [this] {
        m_Platform.Advance(3);
        if (g_TestApp.nFrameCalls == 100)
            Korvid.Abort();
    });
    EXPECT_EQ(std::make_pair(g_TestApp.nFrameCalls, Korvid.AverageFrameTime()), std::make_pair(100, 0u));
    EXPECT_EQ(CountOf(m_Platform.m_Yields, "!MainThreadSync"), 0);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ***********", "ERROR: * Abort() *", "ERROR: ***********",
                                                "End of Korvid OS Message Loop"}));
}

TEST_F(AppLifecycle, ClosingTheWindowEndsTheLoopAndShutsDownOnce)
{
    Korvid.SetExitFunction(&CountingExit);
    Run(50, [] {
        SDL_Event Quit = {SDL_QUIT};
        SDL_PushEvent(&Quit);
    });
    auto Log = LogMessages();
    EXPECT_EQ(CountOf(Log, "Korvid ShutDown()") + CountOf(Log, "GFXShutDown()"), 2);
    EXPECT_EQ(std::make_tuple(g_TestApp.nFrameCalls, g_nExitCalls, g_bDisplayOpenAtExit), std::make_tuple(1, 1, false));
}

// A failed install needs no shutdown; a failed setup still closes with the reports. The second
// Init is counted, and must not reopen (and so truncate) the log.
TEST_F(AppLifecycle, FailingInstallOrSetupMakesInitFail)
{
    Korvid.SetInstallFunction([] { return false; });
    EXPECT_FALSE(Korvid.Init());
    EXPECT_EQ(LogMessages().back(), "ERROR: ** Applications Install Function Returned FAIL **");   // nothing after
    Korvid.SetInstallFunction(nullptr);
    g_TestApp.Setup = [] { return false; };
    EXPECT_FALSE(Korvid.Init());
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"ERROR: ** Applications Install Function Returned FAIL **",
                                      "WARNING: ** Korvid.Init() - Called 2 Times So far! **",
                                      "ERROR: ** KorvidApp::Setup() FAILED **", "Korvid ShutDown()",
                                      "==Display/Speed Report=="}));
    EXPECT_EQ(Log.back().rfind("Log File Ended <-> ", 0), 0u);
}

TEST_F(AppLifecycle, OneFrameModeRunsOneFrameAndTheBannerListsTheCommandLine)
{
    char szProgram[] = "tamborel2", szFirst[] = "--windowed", szSecond[] = "Data Dir";
    char* ppArgs[] = {szProgram, szFirst, szSecond, nullptr};
    Korvid.SetArgs(3, ppArgs);
    Run(KOR_FPS_ONE_FRAME, nullptr, [] { Korvid.SetAppNames("Tamborel 2", "Tamborel2"); });
    EXPECT_EQ(std::make_pair(g_TestApp.nFrameCalls, Korvid.MainUpdates()), std::make_pair(1, 1u));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "Project: \"Tamborel 2\" [Tamborel2]", "SysInfo: EXE Name [N/A] Path ['']", "SysInfo: 2 Command Line Arg(s)",
        "Command(1): '--windowed'", "Command(2): 'Data Dir'"}));
    // Any case matches; the program name is not an argument.
    EXPECT_EQ(std::vector<bool>({Korvid.CommandLineHas("--WINDOWED"), Korvid.CommandLineHas("data dir"),
                                 Korvid.CommandLineHas("tamborel2")}),
              std::vector<bool>({true, true, false}));
}

}  // namespace
