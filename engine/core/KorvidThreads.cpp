#include "core/KorvidThreads.h"

#include <cstdio>

#include "korvid.h"

namespace {
constexpr const char* FREE_THREAD_NAME = "<---->";
constexpr uint32_t PAUSE_LIMIT = 299999;   // five minutes
}

void KorvidThreads::PrepareMainThread()
{
    ThreadEntry& Main = m_Threads[0];
    snprintf(Main.szName, sizeof(Main.szName), "%s", "Korvid");
    Main.bUsed = true;
    Main.bKeepRunning = true;
}

const char* KorvidThreads::ThreadName(int nThread) const
{
    if (nThread < 0 || nThread >= KOR_MAX_THREADS || !m_Threads[nThread].bAlive)
        return FREE_THREAD_NAME;
    return m_Threads[nThread].szName;
}

int KorvidThreads::ThreadSelfId()
{
    int32_t nPlatformId = Korvid.OS()->ThreadSelf();
    for (int n = 0; n < KOR_MAX_THREADS; ++n)
        if (m_Threads[n].bUsed && m_Threads[n].nPlatformId == nPlatformId)
            return n;
    return -1;
}

bool KorvidThreads::ThreadStart(int nThread, void (*pBody)(), const char* szName)
{
    if (nThread < 1 || nThread >= KOR_MAX_THREADS) {
        Korvid.DebugLog("ERROR: ** Thread id:%d - Out of Range (Must be in range 1-%d) **", nThread,
                        KOR_MAX_THREADS - 1);
        return false;
    }
    ThreadEntry& Entry = m_Threads[nThread];
    if (Entry.bUsed) {
        Korvid.DebugLog("ERROR: ** Thread id:%d - already in use **", nThread);
        return false;
    }
    if (!Korvid.OS()->m_bLockReady) {
        Korvid.DebugLog("Preparing for Threading - MutexInit()");
        MutexInit();
    }
    Korvid.DebugLog("Thread %d [%s] Creating", nThread, szName);
    snprintf(Entry.szName, sizeof(Entry.szName), "%s", szName);
    Entry.pBody = pBody;
    Entry.bUsed = true;
    Entry.bKeepRunning = true;
    Entry.bAlive = false;
    m_nThreadStarting = nThread;

    if (Korvid.OS()->ThreadCreate(&KorvidThreads::ThreadFrame) < 0) {
        Korvid.DebugLog("ERROR: ** Failed to start new Thread id:%d **", nThread);
        Entry.bUsed = false;
        Entry.bKeepRunning = false;
        snprintf(Entry.szName, sizeof(Entry.szName), "%s", FREE_THREAD_NAME);
        return false;
    }
    if (!Entry.bAlive) {
        Korvid.DebugLog("Waiting on Thread %d", nThread);
        while (!Entry.bAlive)
            Pause(1, "!WaitForThread");
    }
    Korvid.DebugLog("Thread %d [%s] Created", nThread, Entry.szName);
    return true;
}

void KorvidThreads::ThreadFrame()
{
    int nThread = Korvid.m_nThreadStarting;
    Korvid.ThreadHello(nThread);
    Korvid.OS()->OnThreadStarted();
    while (Korvid.m_Threads[nThread].bKeepRunning) {
        Korvid.Pause(2, "!ThreadHeader");
        Korvid.m_Threads[nThread].pBody();
    }
    Korvid.FlushMallocCache();
    Korvid.ThreadGoodbye(nThread);
}

void KorvidThreads::ThreadHello(int nThread)
{
    KorvidLockScope Lock;
    ThreadEntry& Entry = m_Threads[nThread];
    Entry.bUsed = true;
    ++m_nThreadsAlive;
    if (m_nThreadsAlive > m_nThreadsPeak)
        m_nThreadsPeak = m_nThreadsAlive;
    Entry.nPlatformId = Korvid.OS()->ThreadSelf();
    Entry.bAlive = true;
    Korvid.OS()->OnThreadHello();
    Korvid.DebugLog("<--- Hello! From Thread %d [%s] {pid:%d}", nThread, Entry.szName, Entry.nPlatformId);
}

void KorvidThreads::ThreadGoodbye(int nThread)
{
    KorvidLockScope Lock;
    ThreadEntry& Entry = m_Threads[nThread];
    Korvid.DebugLog("<--- Goodbye! From Thread %d [%s] {pid:%d}", nThread, Entry.szName, Entry.nPlatformId);
    snprintf(Entry.szName, sizeof(Entry.szName), "%s", FREE_THREAD_NAME);
    Korvid.OS()->OnThreadGoodbye();
    Entry.bAlive = false;
    Entry.bUsed = false;
    --m_nThreadsAlive;
}

void KorvidThreads::ThreadEnd(int nThread)
{
    int nSelf = ThreadSelfId();
    if (nThread < 0)
        nThread = nSelf;
    if (nThread <= 0 || nThread >= KOR_MAX_THREADS) {
        Korvid.DebugLog("ERROR: ** ThreadEnd(%d) - Unknown Thread **", nThread);
        return;
    }
    ThreadEntry& Entry = m_Threads[nThread];
    if (!Entry.bAlive)
        return;
    Korvid.DebugLog("ThreadEnd() Request for Thread %d [%s] {pid:%d}", nThread, Entry.szName, Entry.nPlatformId);
    Entry.bKeepRunning = false;
    if (nThread != nSelf)
        Korvid.OS()->ThreadStop(Entry.nPlatformId);
    Entry.bAlive = false;
}

void KorvidThreads::MutexInit()
{
    OSGeneric* pOS = Korvid.OS();
    if (pOS->MutexCreate()) {
        pOS->m_nLocksMade = 0;
        pOS->m_bLockReady = true;
    } else {
        Korvid.DebugLog("WARNING: ** MutexInit() - Failed **");
    }
}

void KorvidThreads::Lock()
{
    OSGeneric* pOS = Korvid.OS();
    if (!pOS->m_bLockReady)
        return;
    pOS->MutexLock();
    ++pOS->m_nLocksHeld;
    ++pOS->m_nLocksMade;
    pOS->m_nLockOwner = pOS->ThreadSelf();
}

void KorvidThreads::Unlock()
{
    OSGeneric* pOS = Korvid.OS();
    if (!pOS->m_bLockReady)
        return;
    pOS->MutexUnlock();
    --pOS->m_nLocksHeld;
}

void KorvidThreads::Pause(uint32_t nMilliseconds)
{
    if (nMilliseconds > PAUSE_LIMIT) {
        Korvid.DebugLog("WARNING: ** Attempted Pause(%d) - 5 Minutes is current limit **", (int)nMilliseconds);
        return;
    }
    Korvid.OS()->Delay(nMilliseconds);
}

void KorvidThreads::Pause(uint32_t nMilliseconds, const char* szLabel)
{
    if (nMilliseconds > 0)
        Pause(nMilliseconds);
    Korvid.OS()->Yield(szLabel);
}

KorvidLockScope::KorvidLockScope() { Korvid.Lock(); }

KorvidLockScope::~KorvidLockScope() { Korvid.Unlock(); }
