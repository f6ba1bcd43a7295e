// The demo run as a user runs it: tamborel2 --demo on a scratch copy of the data
// set, with the dummy video and audio drivers.
#include "game/GameFixture.h"

#include <cstdlib>
#include <regex>
#include <sys/wait.h>

namespace {

using gametest::GameStart;

struct DemoRun {
    int nStatus;
    std::string Out;
};

class Demo : public GameStart {
protected:
    DemoRun RunDemo(const std::string& Arguments)
    {
        std::string Command = "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy TAMBOREL_DATA='" + m_GameDir + "' '" +
                              TAMBOREL_GAME + "' --windowed " + Arguments + " >demo-out.txt 2>demo-err.txt";
        int nRaw = system(Command.c_str());
        return {WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1, ReadFileText("demo-out.txt")};
    }

    // The summary without the two frame-time figures, which differ run to run.
    static std::string WithoutTimings(const std::string& Summary)
    {
        return Summary.substr(0, Summary.find(" frame_ms_mean="));
    }
};

const std::regex SUMMARY(
    "demo: frames=(\\d+) seconds=(\\d+) levels=(\\d+) score=(\\d+) lost=(\\d+) frame_ms_mean=\\d+\\.\\d\\d "
    "frame_ms_p99=\\d+\\.\\d\\d\n");

TEST_F(Demo, TenMinutesOfPlayEndThroughTheNormalShutdown)
{
    DemoRun Run = RunDemo("--demo=600 --fast --seed=3 --shots=shots");
    ASSERT_EQ(Run.nStatus, 0) << ReadFileText("demo-err.txt");
    std::smatch Figures;
    ASSERT_TRUE(std::regex_match(Run.Out, Figures, SUMMARY)) << Run.Out;
    EXPECT_EQ(Figures[2], "600");
    // A frame lasts 19 ms of game time at the frame limit of 50.
    EXPECT_NEAR(std::stod(Figures[1]), 600000.0 / 19, 600000.0 / 19 * 0.02);
    EXPECT_GT(std::stol(Figures[4]), 0) << "the computer player broke no brick";
    EXPECT_EQ(ReadFileText("demo-err.txt"), "");
    // A picture every five seconds and one at the end.
    EXPECT_TRUE(PathExists("shots/demo-0000.png"));
    EXPECT_TRUE(PathExists("shots/demo-0120.png"));
    std::string Log = ReadFileText(GamePath("data/debug.log"));
    EXPECT_NE(Log.find("All Files are now Closed"), std::string::npos);
    EXPECT_EQ(Log.find("User Alloc(s) Remaining"), std::string::npos);
}

TEST_F(Demo, TheSameSeedPlaysTheSameGame)
{
    DemoRun First = RunDemo("--demo=90 --fast --seed=11");
    DemoRun Second = RunDemo("--demo=90 --fast --seed=11");
    ASSERT_TRUE(std::regex_match(First.Out, SUMMARY)) << First.Out;
    EXPECT_EQ(WithoutTimings(First.Out), WithoutTimings(Second.Out));
}

}  // namespace
