// The debug log's files, stamps and closing reports, the frame statistics and
// the profiler's table.
#include <fstream>
#include <sys/stat.h>

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
    struct stat Info;
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
        EXPECT_EQ(stat("debug.log", &Info) == 0, nMask != KOR_TRACE_NOFILE);
        if (!szFile)
            continue;
        auto Log = LogMessages(szFile);
        EXPECT_EQ(CountOf(Log, "while open 42"), 1);
        EXPECT_EQ(CountOf(Log, "the start") + CountOf(Log, "the close"), 0);
        EXPECT_EQ(Log.back().rfind("Log File Ended <-> ", 0), 0u);
    }
    EXPECT_EQ(ReadLines("debug1.log"), std::vector<std::string>({"one"}));
}

TEST_F(DebugLog, TheFrameRateBitAndTheSpeedReportShowTheFrameStatistics)
{
    Korvid.SetFrameRate(50);
    Korvid.SetTraceMask(KOR_TRACE_FRAMERATE);
    Korvid.StartLog();
    for (int n = 0; n < 4; ++n)
        Korvid.RecordFrame(10);   // 9 idle ms of 19 each
    Korvid.CountRedraw();
    Korvid.CountRedraw();
    m_Platform.Advance(2000);
    Korvid.DebugLog("stamped");
    EXPECT_EQ(ReadLines("debug.log").back(), "  2.000|100f|47i|<---->: stamped");
    Korvid.ReportAndCloseLog();
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"==Display/Speed Report==", "Predicted Possible 100.00fps",
                                                "Time Spent Idle 47.37%", "RedrawDisplay() Called 2 Times (1.00fps)"}));
}

TEST(FrameStatistics, RateSetsTheMinimumFrameTimeAndOldFramesWeighLessAfterAThousand)
{
    struct Case {
        uint16_t nRate;
        int32_t nMinFrameTime;
        uint16_t nLimit;
    };
    for (Case C : {Case{65, 14, 65}, Case{1, 950, 1}, Case{0, 2000, 2}, Case{KOR_FPS_UNLIMITED, KOR_FPS_UNLIMITED, 0},
                   Case{KOR_FPS_ONE_FRAME, KOR_FPS_ONE_FRAME, 0}, Case{50, 19, 50}}) {
        Korvid.SetFrameRate(C.nRate);
        EXPECT_EQ(Korvid.m_Config.nMinFrameTime, C.nMinFrameTime) << C.nRate;
        EXPECT_EQ(Korvid.m_Config.nFrameRateLimit, C.nLimit) << C.nRate;
    }
    for (int n = 0; n < 1001; ++n)
        Korvid.RecordFrame(10);
    EXPECT_EQ(Korvid.AverageFrameTime(), 10u);
    Korvid.RecordFrame(1010);   // halves first: 500 frames of 5000 ms, then this one
    EXPECT_EQ(Korvid.AverageFrameTime(), (5005u + 1010u) / 501u);
    EXPECT_FLOAT_EQ(Korvid.IdlePercentage(), 4504 * (100.0f / (501 * 19)));
}

class Profiler : public DebugLog {
protected:
    void SetUp() override
    {
        DebugLog::SetUp();
        Korvid.SetTraceMask(KOR_TRACE_NOFILE | KOR_TRACE_CONSOLE);
        Korvid.StartLog();
        Korvid.SetProfiling(true);
    }
    // One section of nCalls calls lasting nEach ms each.
    void Section(const std::string& Name, int nCalls, uint32_t nEach)
    {
        for (int n = 0; n < nCalls; ++n) {
            Korvid.ProfileStart(Name.c_str());
            m_Platform.Advance(nEach);
            Korvid.ProfileEnd(Name.c_str());
        }
    }
    // The report's table rows, after reporting.
    std::vector<std::string> ReportRows()
    {
        Korvid.ProfileReport();
        auto Log = m_Platform.ConsoleMessages();
        std::vector<std::string> Rows;
        for (size_t n = (size_t)IndexOf(Log, "==Profile Report==") + 2; n < Log.size() && Log[n].find("> ") == 2; ++n)
            Rows.push_back(Log[n]);
        return Rows;
    }
};

TEST_F(Profiler, TheReportSortsByTotalTimeAndEndsAtARareShortSection)
{
    Section("KorvidGFX::Blit()", 60, 2);
    Section("SDL::Flip()", 50, 5);
    Section("Rare::Blip()", 3, 0);     // few calls and no measurable time: the table stops here
    Section("Many::Tiny()", 100, 0);   // would be listed, but comes after the stop
    m_Platform.Advance(1000 - 370);
    EXPECT_EQ(ReportRows(), std::vector<std::string>(
                                {" 1> SDL::Flip()                            0.2sec (25.00%) 50 calls, 5.00ms av/time",
                                 " 2> KorvidGFX::Blit()                      0.1sec (12.00%) 60 calls, 2.00ms av/time"}));
    EXPECT_NE(IndexOf(m_Platform.ConsoleMessages(), "Profiled 4 Unique Functions"), -1);
}

TEST_F(Profiler, TheTableStopsAtThirtyRows)
{
    for (int n = 0; n < 35; ++n)
        Section("Busy::Section" + std::to_string(n + 10) + "()", 50, 1 + n);
    auto Rows = ReportRows();
    ASSERT_EQ(Rows.size(), 30u);
    EXPECT_EQ(Rows.front().substr(0, 22), " 1> Busy::Section44() ");
}

TEST_F(Profiler, SectionsCountOnlyWhileSwitchedOnAndMisuseIsLogged)
{
    Korvid.SetProfiling(false);
    Section("Quiet::Work()", 5, 10);
    Korvid.SetProfiling(true);
    m_Platform.Advance(1);   // a start time of 0 means "not running"
    Korvid.ProfileStart("Twice::Started()");
    Korvid.ProfileStart("Twice::Started()");
    m_Platform.Advance(7);
    Korvid.ProfileEnd("Twice::Started()");
    Korvid.ProfileEnd("Never::Started()");
    Korvid.ProfileStart("Outer()");   // nested: the outer one ends while the inner one is current
    Korvid.ProfileStart("Inner()");
    m_Platform.Advance(2);
    Korvid.ProfileEnd("Outer()");
    Korvid.ProfileEnd("Inner()");
    EXPECT_EQ(ReportRows(), std::vector<std::string>(
                                {" 1> Twice::Started()                       0.0sec (11.67%) 2 calls, 3.50ms av/time",
                                 " 2> Outer()                                0.0sec ( 3.33%) 1 calls, 2.00ms av/time",
                                 " 3> Inner()                                0.0sec ( 3.33%) 1 calls, 2.00ms av/time"}));
    auto Log = m_Platform.ConsoleMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"WARNING: ** Profile 'Twice::Started()' - Already Started **",
                                      "ERROR: ** Profile 'Never::Started()' - Trying to End when Not Started **",
                                      "Profiled 3 Unique Functions"}));
}

}  // namespace
