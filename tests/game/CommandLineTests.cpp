// The command line: tamborel2 run as a user runs it for the options that end
// before the engine starts, and the parser for the ones that shape a run (the
// starts and the demo use them too).
#include "game/GameFixture.h"

#include "CommandLine.h"

namespace {

using namespace gametest;

TEST(GameProgram, HelpVersionAndBadArgumentsAnswerWithoutStartingTheEngine)
{
    EnterScratchDirectory();
    const std::string NoData = "TAMBOREL_DATA=/nonexistent";
    RunResult Help = RunGame(NoData, "--windowed --help");
    EXPECT_EQ(Help.nStatus, 0);
    EXPECT_EQ(Help.Out.rfind("Usage: tamborel2 [OPTION]...\n", 0), 0u) << Help.Out;
    for (const char* szOption : {"--windowed", "--fullscreen", "--data DIR", "--help", "--version"})
        EXPECT_NE(Help.Out.find(szOption), std::string::npos) << szOption;
    EXPECT_EQ(Help.Err, "");
    RunResult Version = RunGame(NoData, "--version");
    EXPECT_EQ(Version.nStatus, 0);
    EXPECT_EQ(Version.Out, "Tamborel 2 1.0\n");

    const std::string Try = " (try 'tamborel2 --help')\n";
    const std::string Demo = "tamborel2: option '--demo' needs a number of seconds above 0" + Try;
    const std::pair<const char*, std::string> Bad[] = {
        {"--bogus", "tamborel2: unknown option '--bogus'" + Try},
        {"--windowed extra", "tamborel2: unknown option 'extra'" + Try},
        {"--data", "tamborel2: option '--data' needs a directory" + Try},
        {"--data /nonexistent/dir", "tamborel2: no 'data' folder in '/nonexistent/dir'\n"},
        {"--demo=0", Demo},
        {"--demo=1x", Demo},
        {"--demo --seed=-3", "tamborel2: option '--seed' needs a whole number" + Try},
        {"--fast", "tamborel2: options '--fast', '--seed', '--shots' and '--chaos' go with '--demo'" + Try}};
    for (const auto& Case : Bad) {
        RunResult Result = RunGame(NoData, Case.first);
        EXPECT_EQ(std::make_pair(Result.nStatus, Result.Out), std::make_pair(2, std::string())) << Case.first;
        EXPECT_EQ(Result.Err, Case.second);
    }
    EXPECT_FALSE(PathExists("debug.log"));
}

TEST(GameCommandLine, TheLastWindowOptionWinsAndTheDemoOptionsAreRead)
{
    std::vector<const char*> Args = {"--windowed", "--fullscreen", "--data", "/games/t2"};
    GameCommandLine Line = GameParseCommandLine(4, Args.data());
    EXPECT_EQ(Line.Command, GameCommand::Run);
    EXPECT_EQ(Line.nWindowMode, KOR_FULLSCREEN);
    EXPECT_EQ(Line.DataDir, "/games/t2");
    EXPECT_FALSE(Line.bDemo);
    EXPECT_EQ(GameParseCommandLine(1, Args.data()).nWindowMode, KOR_WINDOWED);

    Args = {"--demo=300", "--fast", "--seed=42", "--shots=/tmp/shots", "--chaos"};
    Line = GameParseCommandLine(5, Args.data());
    ASSERT_EQ(Line.Command, GameCommand::Run);
    EXPECT_TRUE(Line.bDemo && Line.bFast && Line.bSeedGiven && Line.bChaos);
    EXPECT_EQ(std::make_pair(Line.nDemoSeconds, Line.nSeed), std::make_pair(300u, 42u));
    EXPECT_EQ(Line.ShotsDir, "/tmp/shots");
    Args = {"--demo"};
    Line = GameParseCommandLine(1, Args.data());
    EXPECT_TRUE(Line.bDemo);
    EXPECT_EQ(Line.nDemoSeconds, 60u);
    EXPECT_FALSE(Line.bFast || Line.bSeedGiven || Line.bChaos);
}

}  // namespace
