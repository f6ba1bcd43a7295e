// The demo run as a user runs it: tamborel2 --demo on a scratch copy of the data
// set, with the dummy video and audio drivers.
#include "game/GameFixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>


namespace {

using namespace gametest;

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
    return nRead == 7 && nEnd == (int)Out.size();
}

// The log's lines that hold Text.
int CountLines(const std::string& Log, const std::string& Text)
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
    Summary Figures;
    ASSERT_TRUE(ReadSummary(Run.Out, Figures)) << Run.Out;
    EXPECT_EQ(Figures.nSeconds, 200);
    // A frame lasts 19 ms of game time at the frame limit of 50.
    EXPECT_NEAR(Figures.nFrames, 200000.0 / 19, 200000.0 / 19 * 0.02);
    EXPECT_GT(Figures.nScore, 0) << "the computer player broke no brick";
    EXPECT_GE(Figures.nLevels, 2);
    EXPECT_GE(Figures.nLost, 4);
    EXPECT_GT(Figures.fP99, 0.0);
    // A picture every five seconds and one at the end.
    EXPECT_TRUE(PathExists("long/shots/demo-0000.png"));
    EXPECT_TRUE(PathExists("long/shots/demo-0040.png"));
    EXPECT_FALSE(PathExists("long/shots/demo-0041.png"));
    // Games were lost and new ones begun; the normal shutdown ran to its closing
    // reports, with no file left open.
    const std::string Log = ReadFileText("long/debug.log");
    EXPECT_GE(CountLines(Log, "Tamborel: GameChangeMode(3) - Spiel_Veloren"), 1);
    EXPECT_GE(CountLines(Log, "Tamborel: GameChangeMode(1) - Spiel_Starten"), 2);
    EXPECT_EQ(CountLines(Log, "Tamborel: GameChangeMode(4) - Level_Geschafft"), Figures.nLevels);
    EXPECT_EQ(CountLines(Log, "Total Number of Files Opened"), 1);
    EXPECT_EQ(CountLines(Log, "File(s) Left Open"), 0);
    EXPECT_EQ(CountLines(Log, "Log File Ended"), 1);
}

TEST_F(Demo, TheSameSeedPlaysTheSameGame)
{
    WriteShortLevels();
    WriteSettings("[Tamborel2]\nAllowCPUSwitch=0\nGameOverWennPlayerTot=0\n");   // the run writes them back
    RunResult First = RunDemo("first", "--demo=60 --fast --seed=11");
    RunResult Second = RunDemo("second", "--demo=60 --fast --seed=11");
    Summary Figures;
    ASSERT_TRUE(ReadSummary(First.Out, Figures)) << First.Out;
    EXPECT_GT(Figures.nScore + Figures.nLost, 0);
    // The summary without the two frame-time figures, which differ run to run.
    auto WithoutTimings = [](const std::string& Out) { return Out.substr(0, Out.find(" frame_ms_mean=")); };
    EXPECT_EQ(WithoutTimings(First.Out), WithoutTimings(Second.Out));
    // So does the log, but for its first line with the date and time.
    auto WithoutStart = [](const std::string& Log) { return Log.substr(Log.find('\n')); };
    EXPECT_EQ(WithoutStart(ReadFileText("first/debug.log")), WithoutStart(ReadFileText("second/debug.log")));
}

}  // namespace
