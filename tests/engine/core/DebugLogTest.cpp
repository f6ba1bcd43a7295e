// The debug log, frame statistics, the profiler, and the threads, lock and Pause the log relies on.
#include <fstream>

#include "CoreTest.h"

namespace {

class DebugLog : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        m_Platform.m_nNow = 0;   // without Init the engine's start time is 0
    }
};

TEST_F(DebugLog, LinesReachTheFileTheTraceBitsChooseOnlyWhileItIsOpen)
{
    std::ofstream("debug1.log") << "one";
    std::ofstream("debug2.log") << "two";
    for (auto [nMask, szFile] : std::vector<std::pair<uint16_t, const char*>>{
             {KOR_TRACE_NOFILE, nullptr}, {0, "debug.log"}, {KOR_TRACE_NUMBERED, "debug3.log"}}) {
        SCOPED_TRACE(nMask);
        Korvid.DebugLog("before the start");
        Korvid.SetTraceMask(nMask);
        Korvid.StartLog();
        EXPECT_EQ(Korvid.IsFileLogging(), szFile != nullptr);
        Korvid.DebugLog("while open %d", 42);
        Korvid.ReportAndCloseLog();
        Korvid.DebugLog("after the close");
        auto Log = LogMessages(szFile ? szFile : "debug.log");   // none at all without a file
        EXPECT_EQ(CountOf(Log, "while open 42"), szFile ? 1 : 0);
        EXPECT_EQ(CountOf(Log, "the start") + CountOf(Log, "the close"), 0);
    }
    EXPECT_EQ(ReadLines("debug1.log"), std::vector<std::string>({"one"}));
}

TEST_F(DebugLog, FrameStatisticsWeighOldFramesLessAndShowInTheStampAndTheSpeedReport)
{
    for (auto [nRate, nMinFrameTime, nLimit] : std::vector<std::tuple<uint16_t, int32_t, uint16_t>>{
             {65, 14, 65}, {1, 950, 1}, {0, 2000, 2}, {KOR_FPS_UNLIMITED, KOR_FPS_UNLIMITED, 0},
             {KOR_FPS_ONE_FRAME, KOR_FPS_ONE_FRAME, 0}, {50, 19, 50}}) {
        Korvid.SetFrameRate(nRate);
        EXPECT_EQ(std::make_pair(Korvid.m_Config.nMinFrameTime, Korvid.m_Config.nFrameRateLimit),
                  std::make_pair(nMinFrameTime, nLimit))
            << nRate;
    }
    for (int n = 0; n < 1001; ++n)
        Korvid.RecordFrame(10);   // 9 idle ms of 19 each
    EXPECT_EQ(Korvid.AverageFrameTime(), 10u);
    Korvid.RecordFrame(1010);   // halves first: 500 frames of 5000 ms, then this one
    EXPECT_EQ(Korvid.AverageFrameTime(), (5005u + 1010u) / 501u);
    EXPECT_FLOAT_EQ(Korvid.IdlePercentage(), 4504 * (100.0f / (501 * 19)));

    Korvid.SetTraceMask(KOR_TRACE_FRAMERATE);
    Korvid.StartLog();
    for (int n = 0; n < 2; ++n)
        Korvid.CountRedraw();
    m_Platform.Advance(2000);
    Korvid.DebugLog("stamped");
    EXPECT_EQ(ReadLines("debug.log").back(), "  2.000|83f|47i|<---->: stamped");
    Korvid.ReportAndCloseLog();
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"==Display/Speed Report==", "Predicted Possible 83.00fps",
                                                "Time Spent Idle 47.32%", "RedrawDisplay() Called 2 Times (1.00fps)"}));
}

// Console only: the log's own file writes take no locks and count no lines.
class ConsoleLog : public DebugLog {
protected:
    void SetUp() override
    {
        DebugLog::SetUp();
        Korvid.SetTraceMask(KOR_TRACE_NOFILE | KOR_TRACE_CONSOLE);
        Korvid.StartLog();
    }
    std::vector<std::string> Console() const { return m_Platform.ConsoleMessages(); }
};

class Profiler : public ConsoleLog {
protected:
    // One section of nCalls calls lasting nEach ms each, profiling switched on.
    void Section(const std::string& Name, int nCalls, uint32_t nEach)
    {
        Korvid.SetProfiling(true);
        for (int n = 0; n < nCalls; ++n) {
            Korvid.ProfileStart(Name.c_str());
            m_Platform.Advance(nEach);
            Korvid.ProfileEnd(Name.c_str());
        }
    }
    // The table rows of a new report.
    std::vector<std::string> ReportRows()
    {
        size_t n = Console().size() + 2;
        Korvid.ProfileReport();
        auto Log = Console();
        std::vector<std::string> Rows;
        for (; n < Log.size() && Log[n].find("> ") == 2; ++n)
            Rows.push_back(Log[n]);
        return Rows;
    }
};

TEST_F(Profiler, TheReportSortsByTotalTimeAndEndsAtThirtyRowsOrARareShortSection)
{
    Section("KorvidGFX::Blit()", 60, 2);
    Section("SDL::Flip()", 50, 5);
    Section("Rare::Blip()", 3, 0);     // few calls and no measurable time: the table stops here
    Section("Many::Tiny()", 100, 0);   // would be listed, but comes after the stop
    m_Platform.Advance(1000 - 370);
    EXPECT_EQ(ReportRows(), std::vector<std::string>(
                                {" 1> SDL::Flip()                            0.2sec (25.00%) 50 calls, 5.00ms av/time",
                                 " 2> KorvidGFX::Blit()                      0.1sec (12.00%) 60 calls, 2.00ms av/time"}));
    EXPECT_NE(IndexOf(Console(), "Profiled 4 Unique Functions"), -1);
    for (int n = 0; n < 35; ++n)   // all above the rest, and more than a table holds
        Section("Busy::Section" + std::to_string(n + 10) + "()", 50, 6 + n);
    auto Rows = ReportRows();
    ASSERT_EQ(Rows.size(), 30u);
    EXPECT_EQ(Rows.front().substr(0, 22), " 1> Busy::Section44() ");
}

TEST_F(Profiler, SectionsCountOnlyWhileSwitchedOnAndMisuseIsLogged)
{
    Korvid.ProfileStart("Quiet::Work()");   // profiling is off until switched on
    Korvid.ProfileEnd("Quiet::Work()");
    Korvid.SetProfiling(true);
    m_Platform.Advance(1);   // a start time of 0 means "not running"
    for (const char* szName : {"Twice::Started()", "Twice::Started()"})
        Korvid.ProfileStart(szName);
    m_Platform.Advance(7);
    Korvid.ProfileEnd("Twice::Started()");
    Korvid.ProfileEnd("Never::Started()");
    Korvid.ProfileStart("Outer()");   // nested: the outer one ends while the inner one is current
    Korvid.ProfileStart("Inner()");
    m_Platform.Advance(2);
    Korvid.ProfileEnd("Outer()");
    Korvid.ProfileEnd("Inner()");
    EXPECT_EQ(ReportRows(), std::vector<std::string>(
                                {" 1> Twice::Started()                       0.0sec (70.00%) 2 calls, 3.50ms av/time",
                                 " 2> Outer()                                0.0sec (20.00%) 1 calls, 2.00ms av/time",
                                 " 3> Inner()                                0.0sec (20.00%) 1 calls, 2.00ms av/time"}));
    EXPECT_TRUE(ContainsInOrder(Console(), {"WARNING: ** Profile 'Twice::Started()' - Already Started **",
                                            "ERROR: ** Profile 'Never::Started()' - Trying to End when Not Started **",
                                            "Profiled 3 Unique Functions"}));
}

using Threads = ConsoleLog;
void Body() {}

TEST_F(Threads, AWorkerThatCannotStartFreesItsEntryAndBadNumbersAreRefused)
{
    Korvid.PrepareMainThread();
    Korvid.ThreadHello(0);
    EXPECT_FALSE(Korvid.OS()->m_bLockReady);
    Korvid.ThreadHello(2);   // as a started thread would greet
    for (int nThread : {1, 1, 5, 0, 2})   // the failed start leaves 1 free to ask for again
        EXPECT_FALSE(Korvid.ThreadStart(nThread, &Body, "Loader"));
    EXPECT_TRUE(Korvid.OS()->m_bLockReady);
    EXPECT_EQ(Korvid.ThreadsAlive(), 2);
    for (int nThread : {0, 9, 3, 2})
        Korvid.ThreadEnd(nThread);   // 3 is not alive: nothing
    EXPECT_EQ(Korvid.ThreadName(2), std::string("<---->"));
    auto Log = Console();
    EXPECT_TRUE(ContainsInOrder(Log, {
        "Preparing for Threading - MutexInit()", "Thread 1 [Loader] Creating",
        "ERROR: ** Failed to start new Thread id:1 **", "Thread 1 [Loader] Creating",
        "ERROR: ** Thread id:5 - Out of Range (Must be in range 1-4) **", "ERROR: ** Thread id:2 - already in use **",
        "ERROR: ** ThreadEnd(9) - Unknown Thread **"}));
    EXPECT_EQ(CountOf(Log, "Out of Range") + CountOf(Log, "Unknown Thread") + CountOf(Log, "ThreadEnd() Request"), 5);
    // From now on every log line takes and releases the lock.
    int nMade = Korvid.OS()->m_nLocksMade;
    Korvid.DebugLog("locked");
    EXPECT_EQ(std::make_pair(Korvid.OS()->m_nLocksMade - nMade, Korvid.OS()->m_nLocksHeld), std::make_pair(1, 0));
}

TEST_F(Threads, PauseIsCappedAtFiveMinutesAndTheLockNestsAndCountsOnlyOnceReady)
{
    for (uint32_t nMilliseconds : {300000u, 299999u})
        Korvid.Pause(nMilliseconds);
    Korvid.Pause(0, "!MainThread");
    Korvid.Pause(300000, "movie");
    EXPECT_EQ(m_Platform.m_nDelayed, 299999u);
    EXPECT_EQ(m_Platform.m_Yields, std::vector<std::string>({"!MainThread", "movie"}));
    EXPECT_EQ(CountOf(Console(), "WARNING: ** Attempted Pause(300000) - 5 Minutes is current limit **"), 2);

    Korvid.Lock();
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
    Korvid.MutexInit();
    {
        KorvidLockScope Outer;
        KorvidLockScope Inner;
        EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 2);
    }
    EXPECT_EQ(std::make_pair(Korvid.OS()->m_nLocksMade, Korvid.OS()->m_nLocksHeld), std::make_pair(2, 0));
    Korvid.Lock();   // left held: the closing report warns
    Korvid.ReportAndCloseLog();
    auto Log = Console();
    int nWarning = IndexOf(Log, "WARNING: Korvid has 1 Mutex Locks Left!");
    ASSERT_GT(nWarning, 0);
    // Three locks by hand, then one for each report line written before the count.
    EXPECT_EQ(Log[nWarning - 1], "Total Mutex Locks Made = 8, Locks Left = 1");
}

}  // namespace
