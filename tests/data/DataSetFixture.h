// Runs a check inside the engine (headless, one frame) against the data set the
// build forged, so pictures and sounds are read by the game's own readers.
#pragma once
#include <unistd.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "support/TestApp.h"
#include "korvid.h"

class DataSetTest : public ::testing::Test {
protected:
    // The engine opens picture names in lower case, so the data set is reached
    // through a link of a lower-case name in the scratch folder.
    void SetUp() override
    {
        EnterScratchDirectory();
        ASSERT_EQ(symlink(TAMBOREL_DATA_SET, "dataset"), 0);
    }

    // Path of a file of the data set.
    static std::string DataFile(const std::string& Relative) { return "dataset/" + Relative; }

    // Runs Check with the engine up (16-bit display, 1000 chunkies, sound on the dummy driver).
    void WithEngine(const std::function<void()>& Check)
    {
        g_TestApp.Config = [] {
            Korvid.SetFrameRate(KOR_FPS_ONE_FRAME);
            Korvid.SetMaxChunkies(1000);
            Korvid.ChangeDisplayMode(800, 600, 16, KOR_WINDOWED);
        };
        g_TestApp.Setup = [&] {
            Check();
            return true;
        };
        EXPECT_EQ(Korvid.Main(0, nullptr), 0);
    }
};
