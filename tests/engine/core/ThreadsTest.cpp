// The thread table, the engine lock and Pause on a platform without worker threads.
#include <gtest/gtest.h>

#include "support/TestApp.h"
#include "support/TestPlatform.h"

namespace {

class Threads : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        m_Platform.m_nNow = 0;
        Korvid.SetPlatform(&m_Platform);
        // Console only: one lock per line, none taken by the log's own file writes.
        Korvid.SetTraceMask(KOR_TRACE_NOFILE | KOR_TRACE_CONSOLE);
        Korvid.StartLog();
    }
    VirtualClockPlatform m_Platform;
};

void Body() {}

TEST_F(Threads, StartingAWorkerPreparesTheLockAndFailsCleanly)
{
    Korvid.PrepareMainThread();
    Korvid.ThreadHello(0);
    EXPECT_FALSE(Korvid.OS()->m_bLockReady);
    EXPECT_FALSE(Korvid.ThreadStart(1, &Body, "Loader"));
    EXPECT_TRUE(Korvid.OS()->m_bLockReady);
    EXPECT_TRUE(ContainsInOrder(m_Platform.ConsoleMessages(), {"Preparing for Threading - MutexInit()", "Thread 1 [Loader] Creating",
                                                "ERROR: ** Failed to start new Thread id:1 **"}));
    // The entry is free again, so the same number can be asked for once more.
    EXPECT_FALSE(Korvid.ThreadStart(1, &Body, "Loader"));
    EXPECT_EQ(IndexOf(m_Platform.ConsoleMessages(), "ERROR: ** Thread id:1 - already in use **"), -1);
    // From now on every log line takes and releases the lock.
    int nMade = Korvid.OS()->m_nLocksMade;
    Korvid.DebugLog("locked");
    EXPECT_GT(Korvid.OS()->m_nLocksMade, nMade);
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
}

TEST_F(Threads, IllegalNumbersAreRefused)
{
    EXPECT_FALSE(Korvid.ThreadStart(5, &Body, "Five"));
    EXPECT_FALSE(Korvid.ThreadStart(0, &Body, "Zero"));
    Korvid.ThreadEnd(0);
    Korvid.ThreadEnd(9);
    Korvid.ThreadEnd(2);   // not alive: nothing
    auto Log = m_Platform.ConsoleMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"ERROR: ** Thread id:5 - Out of Range (Must be in range 1-4) **",
                                      "ERROR: ** Thread id:0 - Out of Range (Must be in range 1-4) **",
                                      "ERROR: ** ThreadEnd(0) - Unknown Thread **", "ERROR: ** ThreadEnd(9) - Unknown Thread **"}));
    EXPECT_EQ(Log.back(), "ERROR: ** ThreadEnd(9) - Unknown Thread **");
}

TEST_F(Threads, TheMainThreadIsNamedOnlyBetweenHelloAndGoodbye)
{
    Korvid.DebugLog("first");
    Korvid.PrepareMainThread();
    Korvid.ThreadHello(0);
    Korvid.DebugLog("second");
    Korvid.ThreadGoodbye(0);
    Korvid.DebugLog("third");
    const auto& Lines = m_Platform.m_Console;
    auto Find = [&Lines](const std::string& Text) {
        for (const std::string& Line : Lines)
            if (Line.find(Text + "\n") != std::string::npos)
                return Line.substr(8, 6);
        return std::string();
    };
    EXPECT_EQ(Find(": first"), "<---->");
    EXPECT_EQ(Find("<--- Hello! From Thread 0 [Korvid] {pid:0}"), "Korvid");
    EXPECT_EQ(Find(": second"), "Korvid");
    EXPECT_EQ(Find(": third"), "<---->");
    EXPECT_EQ(Korvid.ThreadsPeak(), 1);
    EXPECT_EQ(Korvid.ThreadsAlive(), 0);
}

TEST_F(Threads, PauseIsCappedAtFiveMinutes)
{
    Korvid.Pause(300000);
    EXPECT_EQ(m_Platform.m_nDelayed, 0u);
    EXPECT_NE(IndexOf(m_Platform.ConsoleMessages(), "WARNING: ** Attempted Pause(300000) - 5 Minutes is current limit **"), -1);
    Korvid.Pause(299999);
    EXPECT_EQ(m_Platform.m_nDelayed, 299999u);
    // The labelled form yields even when it does not sleep.
    Korvid.Pause(0, "!MainThread");
    Korvid.Pause(300000, "movie");
    EXPECT_EQ(m_Platform.m_nDelayed, 299999u);
    EXPECT_EQ(m_Platform.m_Yields, std::vector<std::string>({"!MainThread", "movie"}));
}

TEST_F(Threads, TheLockNestsAndCountsOnlyOnceReady)
{
    Korvid.Lock();
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
    Korvid.MutexInit();
    {
        KorvidLockScope Outer;
        KorvidLockScope Inner;
        EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 2);
    }
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
    EXPECT_EQ(Korvid.OS()->m_nLocksMade, 2);
    Korvid.Lock();   // left held: the closing report warns
    Korvid.ReportAndCloseLog();
    auto Log = m_Platform.ConsoleMessages();
    int nWarning = IndexOf(Log, "WARNING: Korvid has 1 Mutex Locks Left!");
    ASSERT_GT(nWarning, 0);
    // Three locks by hand, then one for each report line written before the count.
    EXPECT_EQ(Log[nWarning - 1], "Total Mutex Locks Made = 8, Locks Left = 1");
}

}  // namespace
