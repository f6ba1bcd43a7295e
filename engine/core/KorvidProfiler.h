// Named, timed sections around the engine's expensive operations. Off unless
// switched on, so an unused section costs one test.
#pragma once
#include <cstdint>

class KorvidProfiler {
public:
    static constexpr int MAX_PROFILES = 100;

    void SetProfiling(bool bEnabled) { m_bProfiling = bEnabled; }
    bool IsProfiling() const { return m_bProfiling; }
    void ProfileStart(const char* szName);
    void ProfileEnd(const char* szName);
    void ProfileReport();

private:
    struct ProfileEntry {
        char szName[48];
        uint16_t nCalls;
        uint32_t nStart;
        uint32_t nTotal;
    };
    int FindProfile(const char* szName) const;

    ProfileEntry m_Profiles[MAX_PROFILES] = {};
    uint16_t m_nProfileCount = 0;
    int16_t m_nCurrentProfile = -1;
    bool m_bProfiling = false;
};

// Opens a profiler section for the lifetime of a scope.
class KorvidProfileScope {
public:
    explicit KorvidProfileScope(const char* szName);
    ~KorvidProfileScope();
    KorvidProfileScope(const KorvidProfileScope&) = delete;
    KorvidProfileScope& operator=(const KorvidProfileScope&) = delete;

private:
    const char* m_szName;
};
