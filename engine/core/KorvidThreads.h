// The engine's five numbered threads, the recursive engine lock and Pause.
#pragma once
#include <cstdint>

constexpr int KOR_MAX_THREADS = 5;   // thread 0 is the main thread, 1..4 workers

class KorvidThreads {
public:
    bool ThreadStart(int nThread, void (*pBody)(), const char* szName);
    void ThreadEnd(int nThread);
    int ThreadSelfId();
    void ThreadHello(int nThread);
    void ThreadGoodbye(int nThread);
    const char* ThreadName(int nThread) const;

    void MutexInit();
    void Lock();
    void Unlock();

    void Pause(uint32_t nMilliseconds);
    void Pause(uint32_t nMilliseconds, const char* szLabel);

    int ThreadsAlive() const { return m_nThreadsAlive; }
    int ThreadsPeak() const { return m_nThreadsPeak; }

    // Marks thread 0 as the main thread before it is greeted.
    void PrepareMainThread();

private:
    struct ThreadEntry {
        char szName[12];
        int32_t nPlatformId;
        bool bUsed;
        bool bAlive;
        bool bKeepRunning;
        void (*pBody)();
    };
    static void ThreadFrame();

    ThreadEntry m_Threads[KOR_MAX_THREADS] = {};
    int m_nThreadsAlive = 0;
    int m_nThreadsPeak = 0;
    int m_nThreadStarting = 0;
};

// Holds the engine lock for the lifetime of a scope.
class KorvidLockScope {
public:
    KorvidLockScope();
    ~KorvidLockScope();
    KorvidLockScope(const KorvidLockScope&) = delete;
    KorvidLockScope& operator=(const KorvidLockScope&) = delete;
};
