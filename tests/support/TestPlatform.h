// A platform whose clock is virtual: GetTicks reads it, Delay advances it. Install
// it before Init and a thousand frames run in milliseconds, the same every run.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "korvid.h"

class VirtualClockPlatform : public OSEnvironment {
public:
    uint32_t GetTicks() override { return m_nNow; }
    void Delay(uint32_t nMilliseconds) override
    {
        m_nNow += nMilliseconds;
        m_nDelayed += nMilliseconds;
    }
    void Yield(const char* szLabel) override { m_Yields.push_back(szLabel); }
    void Advance(uint32_t nMilliseconds) { m_nNow += nMilliseconds; }

    uint32_t m_nNow = 1000;
    uint32_t m_nDelayed = 0;
    std::vector<std::string> m_Yields;
};
