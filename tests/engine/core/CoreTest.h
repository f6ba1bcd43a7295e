// The core tests' set-up: a fresh scratch directory for the debug log and any files, and the
// virtual-clock platform.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/TestApp.h"
#include "support/TestPlatform.h"

class CoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Scratch = EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
    }
    // Init on a 320x240 window; Config adds to the configuration hook.
    static void Start(std::function<void()> Config = [] {})
    {
        g_TestApp.Config = [Config] {
            Korvid.ChangeDisplayMode(320, 240, 16, KOR_WINDOWED);
            Config();
        };
        ASSERT_TRUE(Korvid.Init());
    }
    static void Stop()
    {
        Korvid.ShutDown();
        Korvid.FinalShutDown();
    }
    static int CountOf(const std::vector<std::string>& Lines, const std::string& Part)
    {
        return (int)std::count_if(Lines.begin(), Lines.end(), [&Part](const std::string& Line) {
            return Line.find(Part) != std::string::npos;
        });
    }
    static std::string Decimal(const void* pMemory) { return std::to_string(reinterpret_cast<uintptr_t>(pMemory)); }

    std::string m_Scratch;
    VirtualClockPlatform m_Platform;
};
