// A test with the engine started on the virtual clock in a window of a given size
// and internal depth, and shut down again after it (a movie left open closed first).
#pragma once
#include <gtest/gtest.h>

#include "korvid.h"
#include "support/TestApp.h"
#include "support/TestPlatform.h"

class StartedEngineTest : public ::testing::Test {
protected:
    StartedEngineTest(uint16_t nWidth, uint16_t nHeight, uint8_t nDepth)
        : m_nWidth(nWidth), m_nHeight(nHeight), m_nDepth(nDepth)
    {
    }
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        g_TestApp.Config = [this] { Korvid.ChangeDisplayMode(m_nWidth, m_nHeight, m_nDepth, KOR_WINDOWED); };
        ASSERT_TRUE(Korvid.Init());
    }
    void TearDown() override
    {
        Korvid.CloseMovie();
        Korvid.ShutDown();
        Korvid.FinalShutDown();
    }

    VirtualClockPlatform m_Platform;

private:
    uint16_t m_nWidth, m_nHeight;
    uint8_t m_nDepth;
};
