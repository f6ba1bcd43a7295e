// The debug log's files, stamps and closing reports, and the profiler's table.
#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

#include "support/TestApp.h"
#include "support/TestPlatform.h"

namespace {

class DebugLog : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        m_Platform.m_nNow = 0;   // without Init the engine's start time is 0
        Korvid.SetPlatform(&m_Platform);
    }
    VirtualClockPlatform m_Platform;
};

bool Exists(const char* szName)
{
    struct stat Info;
    return stat(szName, &Info) == 0;
}

TEST_F(DebugLog, OnlyLinesBetweenStartAndCloseReachTheFile)
{
    Korvid.DebugLog("before the start");
    Korvid.StartLog();
    Korvid.DebugLog("while open %d", 42);
    Korvid.ReportAndCloseLog();
    Korvid.DebugLog("after the close");
    auto Log = LogMessages();
    EXPECT_EQ(IndexOf(Log, "before the start"), -1);
    EXPECT_NE(IndexOf(Log, "while open 42"), -1);
    EXPECT_EQ(IndexOf(Log, "after the close"), -1);
    EXPECT_EQ(Log.back().rfind("Log File Ended <-> ", 0), 0u);
}

TEST_F(DebugLog, NumberedLogsTakeTheFirstFreeNumber)
{
    std::ofstream("debug1.log") << "one";
    std::ofstream("debug2.log") << "two";
    Korvid.SetTraceMask(KOR_TRACE_NUMBERED);
    Korvid.StartLog();
    Korvid.DebugLog("numbered");
    EXPECT_NE(IndexOf(LogMessages("debug3.log"), "numbered"), -1);
    EXPECT_EQ(ReadLines("debug1.log"), std::vector<std::string>({"one"}));
    EXPECT_FALSE(Exists("debug.log"));
}

TEST_F(DebugLog, TheNoFileBitKeepsTheLogOffDisk)
{
    Korvid.SetTraceMask(KOR_TRACE_NOFILE);
    Korvid.StartLog();
    Korvid.DebugLog("nowhere");
    EXPECT_FALSE(Korvid.IsFileLogging());
    EXPECT_FALSE(Exists("debug.log"));
}

TEST_F(DebugLog, TheFrameRateBitWidensTheStamp)
{
    Korvid.SetTraceMask(KOR_TRACE_FRAMERATE);
    Korvid.StartLog();
    m_Platform.Advance(1234);
    Korvid.RecordFrame(20);   // 50 fps predicted, no idle time at the default 15 ms frame
    Korvid.DebugLog("stamped");
    auto Lines = ReadLines("debug.log");
    EXPECT_EQ(Lines.back(), "  1.234|50f| 0i|<---->: stamped");
}

TEST_F(DebugLog, TheSpeedReportUsesTheFrameStatistics)
{
    Korvid.SetFrameRate(50);
    Korvid.StartLog();
    for (int n = 0; n < 4; ++n)
        Korvid.RecordFrame(10);   // 9 idle ms of 19 each
    for (int n = 0; n < 2; ++n)
        Korvid.CountRedraw();
    m_Platform.Advance(2000);
    Korvid.ReportAndCloseLog();
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"==Display/Speed Report==", "Predicted Possible 100.00fps",
                                                "Time Spent Idle 47.37%", "RedrawDisplay() Called 2 Times (1.00fps)"}));
}

TEST(FrameStatistics, OldFramesWeighLessAfterAThousand)
{
    VirtualClockPlatform Platform;
    Korvid.SetPlatform(&Platform);
    Korvid.SetFrameRate(50);
    for (int n = 0; n < 1001; ++n)
        Korvid.RecordFrame(10);
    EXPECT_EQ(Korvid.AverageFrameTime(), 10u);
    Korvid.RecordFrame(1010);   // halves first: 500 frames of 5000 ms, then this one
    EXPECT_EQ(Korvid.AverageFrameTime(), (5005u + 1010u) / 501u);
    EXPECT_FLOAT_EQ(Korvid.IdlePercentage(), 4504 * (100.0f / (501 * 19)));
}

TEST(FrameRate, MinimumFrameTimesFollowTheRequestedRate)
{
    struct Case {
        uint16_t nRate;
        int32_t nMinFrameTime;
        uint16_t nLimit;
    };
    const Case Cases[] = {{50, 19, 50},    {65, 14, 65}, {1, 950, 1}, {0, 2000, 2},
                          {KOR_FPS_UNLIMITED, KOR_FPS_UNLIMITED, 0}, {KOR_FPS_ONE_FRAME, KOR_FPS_ONE_FRAME, 0}};
    for (const Case& Each : Cases) {
        Korvid.SetFrameRate(Each.nRate);
        EXPECT_EQ(Korvid.m_Config.nMinFrameTime, Each.nMinFrameTime) << Each.nRate;
        EXPECT_EQ(Korvid.m_Config.nFrameRateLimit, Each.nLimit) << Each.nRate;
    }
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
    void Section(const char* szName, int nCalls, uint32_t nEach)
    {
        for (int n = 0; n < nCalls; ++n) {
            Korvid.ProfileStart(szName);
            m_Platform.Advance(nEach);
            Korvid.ProfileEnd(szName);
        }
    }

    std::vector<std::string> ReportRows()
    {
        auto Log = m_Platform.ConsoleMessages();
        int nStart = IndexOf(Log, "==Profile Report==");
        EXPECT_GE(nStart, 0);
        std::vector<std::string> Rows;
        for (size_t n = (size_t)nStart + 2; n < Log.size() && Log[n].find("> ") == 2; ++n)
            Rows.push_back(Log[n]);
        return Rows;
    }
};

TEST_F(Profiler, TheReportSortsByTotalTime)
{
    Section("KorvidGFX::Blit()", 60, 2);
    Section("SDL::Flip()", 50, 5);
    m_Platform.Advance(1000 - 370);   // the sections hold 370 of 1000 ms
    Korvid.ProfileReport();
    auto Log = m_Platform.ConsoleMessages();
    EXPECT_NE(IndexOf(Log, "Profiled 2 Unique Functions"), -1);
    EXPECT_EQ(ReportRows(), std::vector<std::string>(
                                {" 1> SDL::Flip()                            0.2sec (25.00%) 50 calls, 5.00ms av/time",
                                 " 2> KorvidGFX::Blit()                      0.1sec (12.00%) 60 calls, 2.00ms av/time"}));
}

TEST_F(Profiler, TheTableStopsAtThirtyRowsOrAtTheFirstNegligibleSection)
{
    char szName[32];
    for (int n = 0; n < 35; ++n) {
        snprintf(szName, sizeof(szName), "Busy::Section%02d()", n);
        Section(szName, 50, 1 + n);
    }
    Korvid.ProfileReport();
    EXPECT_EQ(ReportRows().size(), 30u);
    EXPECT_EQ(ReportRows().front().substr(0, 22), " 1> Busy::Section34() ");
}

TEST_F(Profiler, ARareShortSectionEndsTheTable)
{
    Section("Long::Work()", 10, 500);
    Section("Rare::Blip()", 3, 1);       // 3 calls, 0.06 % of the run: the table stops here
    Section("Many::Tiny()", 100, 0);     // would be listed, but comes after the stop
    Korvid.ProfileReport();
    auto Rows = ReportRows();
    ASSERT_EQ(Rows.size(), 1u);
    EXPECT_EQ(Rows[0].substr(0, 17), " 1> Long::Work() ");
}

TEST_F(Profiler, MisuseIsLoggedAndChangesNoTotal)
{
    m_Platform.Advance(1);   // a start time of 0 means "not running"
    Korvid.ProfileStart("Twice::Started()");
    Korvid.ProfileStart("Twice::Started()");
    m_Platform.Advance(7);
    Korvid.ProfileEnd("Twice::Started()");
    Korvid.ProfileEnd("Never::Started()");
    m_Platform.Advance(2);
    Korvid.ProfileReport();
    auto Log = m_Platform.ConsoleMessages();
    EXPECT_NE(IndexOf(Log, "WARNING: ** Profile 'Twice::Started()' - Already Started **"), -1);
    EXPECT_NE(IndexOf(Log, "ERROR: ** Profile 'Never::Started()' - Trying to End when Not Started **"), -1);
    EXPECT_NE(IndexOf(Log, "Profiled 1 Unique Functions"), -1);
    EXPECT_EQ(ReportRows(), std::vector<std::string>(
                                {" 1> Twice::Started()                       0.0sec (70.00%) 2 calls, 3.50ms av/time"}));
}

TEST_F(Profiler, SwitchedOffItRecordsNothing)
{
    Korvid.SetProfiling(false);
    Section("Quiet::Work()", 5, 10);
    Korvid.ProfileReport();
    EXPECT_EQ(IndexOf(m_Platform.ConsoleMessages(), "==Profile Report=="), -1);
}

}  // namespace
