// A test whose body runs forge steps inside a tiny headless engine, in a
// scratch directory of its own.
#pragma once
#include <gtest/gtest.h>

#include "korvid.h"
#include "support/TestApp.h"

class HeadlessForgeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        g_TestApp.Config = [] {
            Korvid.SetFrameRate(KOR_FPS_ONE_FRAME);
            Korvid.ChangeDisplayMode(64, 64, 16, KOR_WINDOWED);
        };
    }
};
