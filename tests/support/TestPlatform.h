// A platform whose clock is virtual: GetTicks reads it, Delay advances it. Install
// it before Init and a thousand frames run in milliseconds, the same every run.
// It also counts the memory blocks it holds and can be told to refuse some.
#pragma once
#include <cstdint>
#include <functional>
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
    void ConsolePrint(const char* szText) override { m_Console.push_back(szText); }
    void Advance(uint32_t nMilliseconds) { m_nNow += nMilliseconds; }
    void* Alloc(size_t nSize) override
    {
        if (m_RefuseAlloc && m_RefuseAlloc(nSize))
            return nullptr;
        ++m_nLiveBlocks;
        return OSEnvironment::Alloc(nSize);
    }
    void Free(void* pMemory, size_t nSize) override
    {
        --m_nLiveBlocks;
        OSEnvironment::Free(pMemory, nSize);
    }

    // The console lines' messages, stamps and line ends removed. Tests that count
    // locks or profiler sections log to the console only, so that the log's own
    // file writes do not take part.
    std::vector<std::string> ConsoleMessages() const
    {
        std::vector<std::string> Messages;
        for (const std::string& Line : m_Console) {
            size_t nColon = Line.find(": ");
            std::string Message = nColon == std::string::npos ? Line : Line.substr(nColon + 2);
            if (!Message.empty() && Message.back() == '\n')
                Message.pop_back();
            Messages.push_back(Message);
        }
        return Messages;
    }

    uint32_t m_nNow = 1000;
    uint32_t m_nDelayed = 0;
    std::vector<std::string> m_Yields;
    std::vector<std::string> m_Console;
    std::function<bool(size_t)> m_RefuseAlloc;   // refuses the sizes it returns true for
    int m_nLiveBlocks = 0;
};
