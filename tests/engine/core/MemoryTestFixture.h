// Shared set-up for the memory manager's tests: a scratch directory, a
// virtual-clock platform that counts its live blocks and can be told to refuse
// some, the main thread greeted and the debug log open.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "support/TestApp.h"
#include "support/TestPlatform.h"

class CountingPlatform : public VirtualClockPlatform {
public:
    void* Alloc(size_t nSize) override
    {
        if (m_RefuseAlloc && m_RefuseAlloc(nSize))
            return nullptr;
        ++m_nLiveBlocks;
        return VirtualClockPlatform::Alloc(nSize);
    }
    void Free(void* pMemory, size_t nSize) override
    {
        --m_nLiveBlocks;
        VirtualClockPlatform::Free(pMemory, nSize);
    }

    std::function<bool(size_t)> m_RefuseAlloc;
    int m_nLiveBlocks = 0;
};

class MemoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        Korvid.PrepareMainThread();
        Korvid.ThreadHello(0);
        Korvid.StartLog();
    }

    static std::string Decimal(const void* pMemory)
    {
        return std::to_string(reinterpret_cast<uintptr_t>(pMemory));
    }
    static std::string Hex(const void* pMemory)
    {
        char szText[32];
        snprintf(szText, sizeof(szText), "0x%lx", (unsigned long)reinterpret_cast<uintptr_t>(pMemory));
        return szText;
    }
    static bool LogHas(const std::string& Line) { return IndexOf(LogMessages(), Line) >= 0; }

    CountingPlatform m_Platform;
};
