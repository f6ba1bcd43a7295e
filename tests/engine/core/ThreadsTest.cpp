// The thread table, the engine lock and Pause on a platform without worker threads.
#include "CoreTest.h"

namespace {

class Threads : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        // Console only: one lock per line, none taken by the log's own file writes.
        Korvid.SetTraceMask(KOR_TRACE_NOFILE | KOR_TRACE_CONSOLE);
        Korvid.StartLog();
    }
    bool ConsoleHas(const std::string& Line) const { return IndexOf(m_Platform.ConsoleMessages(), Line) >= 0; }
};

void Body() {}

TEST_F(Threads, AWorkerThatCannotStartFreesItsEntryAndBadNumbersAreRefused)
{
    Korvid.PrepareMainThread();
    Korvid.ThreadHello(0);
    EXPECT_FALSE(Korvid.OS()->m_bLockReady);
    EXPECT_FALSE(Korvid.ThreadStart(1, &Body, "Loader"));
    EXPECT_TRUE(Korvid.OS()->m_bLockReady);
    EXPECT_FALSE(Korvid.ThreadStart(1, &Body, "Loader"));   // the entry is free again: no "already in use"
    for (int nThread : {5, 0})
        EXPECT_FALSE(Korvid.ThreadStart(nThread, &Body, "Bad"));
    Korvid.ThreadHello(2);   // as a started thread would greet
    EXPECT_FALSE(Korvid.ThreadStart(2, &Body, "Taken"));
    EXPECT_EQ(Korvid.ThreadsAlive(), 2);
    for (int nThread : {0, 9, 3, 2})
        Korvid.ThreadEnd(nThread);   // 3 is not alive: nothing
    EXPECT_EQ(Korvid.ThreadName(2), std::string("<---->"));
    auto Log = m_Platform.ConsoleMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Preparing for Threading - MutexInit()", "Thread 1 [Loader] Creating",
                                      "ERROR: ** Failed to start new Thread id:1 **", "Thread 1 [Loader] Creating",
                                      "ERROR: ** Thread id:5 - Out of Range (Must be in range 1-4) **",
                                      "ERROR: ** Thread id:0 - Out of Range (Must be in range 1-4) **",
                                      "ERROR: ** Thread id:2 - already in use **",
                                      "ERROR: ** ThreadEnd(0) - Unknown Thread **",
                                      "ERROR: ** ThreadEnd(9) - Unknown Thread **"}));
    EXPECT_EQ(CountOf(Log, "ThreadEnd() Request for Thread"), 1);
    EXPECT_EQ(CountOf(Log, "Preparing for Threading"), 1);
    // From now on every log line takes and releases the lock.
    int nMade = Korvid.OS()->m_nLocksMade;
    Korvid.DebugLog("locked");
    EXPECT_GT(Korvid.OS()->m_nLocksMade, nMade);
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
}

TEST_F(Threads, PauseIsCappedAtFiveMinutes)
{
    Korvid.Pause(300000);
    EXPECT_EQ(m_Platform.m_nDelayed, 0u);
    EXPECT_TRUE(ConsoleHas("WARNING: ** Attempted Pause(300000) - 5 Minutes is current limit **"));
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
