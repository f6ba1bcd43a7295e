// The demo run as a user runs it: tamborel2 --demo on a scratch copy of the data
// set, with the dummy video and audio drivers.
#include "game/GameFixture.h"

#include <cstdio>
#include <cstdlib>
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

struct Summary {
    long nFrames = -1, nSeconds = -1, nLevels = -1, nScore = -1, nLost = -1;
    double fMean = -1, fP99 = -1;
};

// The one summary line, read back; false when the output is anything else.
bool ReadSummary(const std::string& Out, Summary& Figures)
{
    int nEnd = -1;
    int nRead = sscanf(Out.c_str(),
                       "demo: frames=%ld seconds=%ld levels=%ld score=%ld lost=%ld frame_ms_mean=%lf "
                       "frame_ms_p99=%lf\n%n",
                       &Figures.nFrames, &Figures.nSeconds, &Figures.nLevels, &Figures.nScore, &Figures.nLost,
                       &Figures.fMean, &Figures.fP99, &nEnd);
    return nRead == 7 && nEnd == (int)Out.size() && Out.find('\n') == Out.size() - 1;
}

TEST_F(Demo, TenMinutesOfPlayEndThroughTheNormalShutdown)
{
    DemoRun Run = RunDemo("--demo=600 --fast --seed=3 --shots=shots");
    ASSERT_EQ(Run.nStatus, 0) << ReadFileText("demo-err.txt");
    Summary Figures;
    ASSERT_TRUE(ReadSummary(Run.Out, Figures)) << Run.Out;
    EXPECT_EQ(Figures.nSeconds, 600);
    // A frame lasts 19 ms of game time at the frame limit of 50.
    EXPECT_NEAR(Figures.nFrames, 600000.0 / 19, 600000.0 / 19 * 0.02);
    EXPECT_GT(Figures.nScore, 0) << "the computer player broke no brick";
    EXPECT_GT(Figures.fP99, 0.0);
    EXPECT_EQ(ReadFileText("demo-err.txt"), "");
    // A picture every five seconds and one at the end.
    EXPECT_TRUE(PathExists("shots/demo-0000.png"));
    EXPECT_TRUE(PathExists("shots/demo-0120.png"));
    // The normal shutdown ran to its closing reports, with no file left open.
    std::string Log = ReadFileText("debug.log");
    EXPECT_NE(Log.find("Tamborel: GameChangeMode(1) - Spiel_Starten"), std::string::npos);
    EXPECT_NE(Log.find("Total Number of Files Opened"), std::string::npos);
    EXPECT_EQ(Log.find("File(s) Left Open"), std::string::npos);
    EXPECT_NE(Log.find("Log File Ended"), std::string::npos);
}

TEST_F(Demo, TheSameSeedPlaysTheSameGame)
{
    DemoRun First = RunDemo("--demo=30 --fast --seed=11");
    DemoRun Second = RunDemo("--demo=30 --fast --seed=11");
    Summary Figures;
    ASSERT_TRUE(ReadSummary(First.Out, Figures)) << First.Out;
    EXPECT_EQ(WithoutTimings(First.Out), WithoutTimings(Second.Out));
}

}  // namespace
