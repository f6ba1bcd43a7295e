// The demo run as a user runs it: tamborel2 --demo on a scratch copy of the data
// set, with the dummy video and audio drivers.
#include "game/GameFixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace {

using namespace gametest;

// The one summary line read back: frames, seconds, levels, score, lost, mean and
// 99th percentile frame time; empty when the output is anything else.
std::vector<double> ReadSummary(const std::string& Out)
{
    std::vector<double> Figures(7);
    int nEnd = -1;
    int nRead = sscanf(Out.c_str(),
                       "demo: frames=%lf seconds=%lf levels=%lf score=%lf lost=%lf frame_ms_mean=%lf frame_ms_p99=%lf\n%n",
                       &Figures[0], &Figures[1], &Figures[2], &Figures[3], &Figures[4], &Figures[5], &Figures[6], &nEnd);
    return nRead == 7 && nEnd == (int)Out.size() ? Figures : std::vector<double>();
}

// How often Text occurs in Log.
int Count(const std::string& Log, const std::string& Text)
{
    int nCount = 0;
    for (size_t nAt = Log.find(Text); nAt != std::string::npos; nAt = Log.find(Text, nAt + 1))
        ++nCount;
    return nCount;
}

class Demo : public GameStart {
protected:
    // The first ten levels made short, so that a few minutes of play see levels
    // won and games lost: a row of hard bricks just over the paddle, where the
    // ball comes back often; in even levels two bricks to break under it, in odd
    // ones a single brick out of reach above it, cleared by the countdown.
    void WriteShortLevels()
    {
        constexpr int ROW = 16;
        LevelFileData File;
        for (int nLevel = 0; nLevel < LEVELS_PER_FILE; ++nLevel) {
            std::vector<std::array<int, 3>> Cells;
            for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn)
                Cells.push_back({nColumn, ROW, 180});
            if (nLevel % 2 == 1)
                Cells.push_back({3 + nLevel, 0, 0});
            else
                Cells.insert(Cells.end(), {{3 + nLevel, ROW + 1, 0}, {12 - nLevel / 2, ROW + 1, 1}});
            File.Levels.push_back(MakeLevel(1 + nLevel, Cells));
        }
        Bytes LevelBytes, ParamBytes;
        LevelEncodeFile(File, LevelBytes, ParamBytes);
        WriteGameFile("data/levels/lv1.dat", LevelBytes);
        WriteGameFile("data/levels/lv1p.dat", ParamBytes);
    }
    // Runs the demo in its own folder, which keeps its log and pictures.
    RunResult RunDemo(const std::string& Dir, const std::string& Arguments)
    {
        EXPECT_EQ(mkdir(Dir.c_str(), 0700), 0);
        EXPECT_EQ(chdir(Dir.c_str()), 0);
        RunResult Run = RunGame("TAMBOREL_DATA='" + m_GameDir + "'", "--windowed " + Arguments);
        EXPECT_EQ(chdir(m_ScratchDir.c_str()), 0);
        return Run;
    }
};

TEST_F(Demo, ALongUnattendedGameWinsLevelsLosesGamesAndEndsThroughTheNormalShutdown)
{
    WriteShortLevels();
    RunResult Run = RunDemo("long", "--demo=200 --fast --seed=3 --shots=shots");
    ASSERT_EQ(Run.nStatus, 0) << Run.Err;
    EXPECT_EQ(Run.Err, "");
    const std::vector<double> Figures = ReadSummary(Run.Out);
    ASSERT_EQ(Figures.size(), 7u) << Run.Out;
    EXPECT_EQ(Figures[1], 200);
    EXPECT_NEAR(Figures[0], 200000.0 / 19, 200000.0 / 19 * 0.02);   // 19 ms of game time a frame at the limit of 50
    EXPECT_GT(Figures[3], 0) << "the computer player broke no brick";
    EXPECT_GE(Figures[2], 2);   // levels won
    EXPECT_GE(Figures[4], 4);   // balls lost
    EXPECT_GT(Figures[6], 0.0);
    // A picture every five seconds and one at the end.
    EXPECT_TRUE(PathExists("long/shots/demo-0000.png") && PathExists("long/shots/demo-0040.png"));
    EXPECT_FALSE(PathExists("long/shots/demo-0041.png"));
    // Games were lost and new ones begun; the normal shutdown ran to its closing
    // reports, with no file left open.
    const std::string Log = ReadFileText("long/debug.log");
    EXPECT_GE(Count(Log, "Tamborel: GameChangeMode(3) - Spiel_Veloren"), 1);
    EXPECT_GE(Count(Log, "Tamborel: GameChangeMode(1) - Spiel_Starten"), 2);
    EXPECT_EQ(Count(Log, "Tamborel: GameChangeMode(4) - Level_Geschafft"), Figures[2]);
    EXPECT_EQ(Count(Log, "Total Number of Files Opened") + Count(Log, "Log File Ended"), 2);
    EXPECT_EQ(Count(Log, "File(s) Left Open"), 0);
}

TEST_F(Demo, TheSameSeedPlaysTheSameGame)
{
    WriteShortLevels();
    WriteSettings("[Tamborel2]\nAllowCPUSwitch=0\nGameOverWennPlayerTot=0\n");   // the run writes them back
    RunResult First = RunDemo("first", "--demo=60 --fast --seed=11");
    RunResult Second = RunDemo("second", "--demo=60 --fast --seed=11");
    const std::vector<double> Figures = ReadSummary(First.Out);
    ASSERT_EQ(Figures.size(), 7u) << First.Out;
    EXPECT_GT(Figures[3] + Figures[4], 0);   // some score, or some balls lost
    // The summary without the two frame times, and the log without its first line
    // with the date and time, are the same.
    auto WithoutTimings = [](const std::string& Out) { return Out.substr(0, Out.find(" frame_ms_mean=")); };
    EXPECT_EQ(WithoutTimings(First.Out), WithoutTimings(Second.Out));
    auto WithoutStart = [](const std::string& Log) { return Log.substr(Log.find('\n')); };
    EXPECT_EQ(WithoutStart(ReadFileText("first/debug.log")), WithoutStart(ReadFileText("second/debug.log")));
}

}  // namespace
