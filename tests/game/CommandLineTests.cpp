// The command line: tamborel2 run as a user runs it for the options that end
// before the engine starts, and KorvidConfig reading the ones that shape a run.
#include "game/GameFixture.h"

#include <cstdlib>
#include <sys/wait.h>

#include "CommandLine.h"

namespace {

struct RunResult {
    int nStatus;
    std::string Out, Err;
};

// Runs the built game in the scratch directory with the arguments (shell words).
RunResult RunGame(const std::string& Arguments)
{
    std::string Command = std::string("SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy TAMBOREL_DATA=/nonexistent '") +
                          TAMBOREL_GAME + "' " + Arguments + " >out.txt 2>err.txt";
    int nRaw = system(Command.c_str());
    return {WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1, ReadFileText("out.txt"), ReadFileText("err.txt")};
}

class GameProgram : public ::testing::Test {
protected:
    void SetUp() override { EnterScratchDirectory(); }
};

TEST_F(GameProgram, HelpAndVersionAnswerOnStdoutWithoutStartingTheEngine)
{
    RunResult Help = RunGame("--windowed --help");
    EXPECT_EQ(Help.nStatus, 0);
    EXPECT_EQ(Help.Out.rfind("Usage: tamborel2 [OPTION]...\n", 0), 0u) << Help.Out;
    for (const char* szOption : {"--windowed", "--fullscreen", "--data DIR", "--help", "--version"})
        EXPECT_NE(Help.Out.find(szOption), std::string::npos) << szOption;
    EXPECT_EQ(Help.Err, "");

    RunResult Version = RunGame("--version");
    EXPECT_EQ(Version.nStatus, 0);
    EXPECT_EQ(Version.Out, "Tamborel 2 1.0\n");
    EXPECT_FALSE(PathExists("debug.log"));   // the engine never started
}

TEST_F(GameProgram, BadArgumentsGiveOneLineOnStderrAndStatusTwo)
{
    struct Case {
        const char* szArguments;
        const char* szMessage;
    };
    for (const Case& Each :
         {Case{"--bogus", "tamborel2: unknown option '--bogus' (try 'tamborel2 --help')\n"},
          Case{"--windowed extra", "tamborel2: unknown option 'extra' (try 'tamborel2 --help')\n"},
          Case{"--data", "tamborel2: option '--data' needs a directory (try 'tamborel2 --help')\n"},
          Case{"--data /nonexistent/dir", "tamborel2: no 'data' folder in '/nonexistent/dir'\n"},
          Case{"--demo=0", "tamborel2: option '--demo' needs a number of seconds above 0 (try 'tamborel2 --help')\n"},
          Case{"--demo=1x", "tamborel2: option '--demo' needs a number of seconds above 0 (try 'tamborel2 --help')\n"},
          Case{"--demo --seed=-3", "tamborel2: option '--seed' needs a whole number (try 'tamborel2 --help')\n"},
          Case{"--fast", "tamborel2: options '--fast', '--seed', '--shots' and '--chaos' go with '--demo' (try "
                         "'tamborel2 --help')\n"}}) {
        RunResult Result = RunGame(Each.szArguments);
        EXPECT_EQ(Result.nStatus, 2) << Each.szArguments;
        EXPECT_EQ(Result.Err, Each.szMessage);
        EXPECT_EQ(Result.Out, "") << Each.szArguments;
    }
    EXPECT_FALSE(PathExists("debug.log"));
}

TEST(GameCommandLine, WindowModeAndDataDirectory)
{
    struct Case {
        std::vector<const char*> Args;
        uint8_t nWindowMode;
        const char* szDataDir;
    };
    for (const Case& Each : {Case{{}, KOR_FULLSCREEN, ""}, Case{{"--windowed"}, KOR_WINDOWED, ""},
                             Case{{"--windowed", "--fullscreen"}, KOR_FULLSCREEN, ""},
                             Case{{"--data", "/games/t2", "--windowed"}, KOR_WINDOWED, "/games/t2"}}) {
        GameCommandLine Line = GameParseCommandLine((int)Each.Args.size(), Each.Args.data());
        EXPECT_EQ(Line.Command, GameCommand::Run);
        EXPECT_EQ(Line.nWindowMode, Each.nWindowMode);
        EXPECT_EQ(Line.DataDir, Each.szDataDir);
    }
}

TEST(GameCommandLine, DemoOptions)
{
    std::vector<const char*> Args = {"--demo=300", "--fast", "--seed=42", "--shots=/tmp/shots", "--chaos"};
    GameCommandLine Line = GameParseCommandLine((int)Args.size(), Args.data());
    ASSERT_EQ(Line.Command, GameCommand::Run);
    EXPECT_TRUE(Line.bDemo);
    EXPECT_EQ(Line.nDemoSeconds, 300u);
    EXPECT_TRUE(Line.bFast);
    EXPECT_TRUE(Line.bSeedGiven);
    EXPECT_EQ(Line.nSeed, 42u);
    EXPECT_EQ(Line.ShotsDir, "/tmp/shots");
    EXPECT_TRUE(Line.bChaos);

    std::vector<const char*> Plain = {"--demo"};
    Line = GameParseCommandLine(1, Plain.data());
    EXPECT_TRUE(Line.bDemo);
    EXPECT_EQ(Line.nDemoSeconds, 60u);
    EXPECT_FALSE(Line.bFast || Line.bSeedGiven || Line.bChaos);
}

using gametest::GameStart;

TEST_F(GameStart, WindowedAndDataOptionsShapeThisRunOnly)
{
    // TAMBOREL_DATA names a place without data: --data wins over it.
    setenv("TAMBOREL_DATA", m_ScratchDir.c_str(), 1);
    ASSERT_TRUE(StartGame({"--windowed", "--data", m_GameDir}));
    EXPECT_EQ(Korvid.WindowMode(), KOR_WINDOWED);
    EXPECT_EQ(std::string(Korvid.GetReadDir()), m_GameDir + "/");
    EXPECT_TRUE(PathExists(GamePath("data/tamborel2.ini")));
    // The settings file knows nothing of the window.
    EXPECT_EQ(ReadFileText(GamePath("data/tamborel2.ini")).find("indow"), std::string::npos);
}

TEST_F(GameStart, FullScreenIsTheDefault)
{
    ASSERT_TRUE(StartGame());
    EXPECT_EQ(Korvid.WindowMode(), KOR_FULLSCREEN);
    EXPECT_EQ(std::string(Korvid.GetReadDir()), m_GameDir + "/");
}

}  // namespace
