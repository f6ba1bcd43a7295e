// The platform layer: the data-directory search and the crash handler.
#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CoreTest.h"

namespace {

class DataDirectory : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        Korvid.StartLog();
        unsetenv("TAMBOREL_DATA");
    }
    // Makes Name/data under the scratch directory, and the program Name/szProgram when given.
    std::string MakeDataDir(const std::string& Name, const char* szProgram = nullptr)
    {
        std::string Dir = m_Scratch + Name + "/";
        mkdir(Dir.c_str(), 0700);
        mkdir((Dir + "data").c_str(), 0700);
        if (szProgram) {
            std::ofstream(Dir + szProgram) << "#!/bin/sh\n";
            chmod((Dir + szProgram).c_str(), 0700);
        }
        return Dir;
    }
    static std::string Located(const char* szEnvVar = nullptr)
    {
        Korvid.LocateDataDirectory("tamborel", szEnvVar, "data");
        return Korvid.GetReadDir() ? Korvid.GetReadDir() : "(none)";
    }
};

// The variable first, then the program's directory (resolved or along the path), then ./; a find is kept.
TEST_F(DataDirectory, TheVariableWinsThenTheProgramsDirectoryThenTheCurrentOne)
{
    std::string Bin = MakeDataDir("/bin", "game"), Tools = MakeDataDir("/tools", "korvid-located");
    mkdir("sub", 0700);
    ASSERT_EQ(chdir("sub"), 0);   // no data here
    Korvid.KeepProgramPath("./missing/game");
    EXPECT_EQ(Located(), "(none)");
    Korvid.KeepProgramPath(("/" + std::string(255, 'x')).c_str());   // too long to keep
    EXPECT_STREQ(Korvid.ProgramPath(), "");
    Korvid.KeepProgramPath("../bin/game");
    EXPECT_EQ(Located(), Bin);
    setenv("PATH", ("/nonexistent:" + m_Scratch + "/tools").c_str(), 1);
    Korvid.KeepProgramPath("korvid-located");
    EXPECT_EQ(Located(), Tools);
    ASSERT_EQ(chdir(".."), 0);
    std::string Dir = MakeDataDir("/fromenv");
    setenv("TAMBOREL_DATA", (m_Scratch + "/fromenv").c_str(), 1);
    EXPECT_EQ(Located(), Dir);   // without a name the variable is named after the base
    unsetenv("TAMBOREL_DATA");
    Korvid.KeepProgramPath("");
    MakeDataDir("");
    EXPECT_EQ(Located("TAMBOREL_DATA"), "./");
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {
        "Checking argv[0] './missing/game'", "CurrentDir = './'", "Check './' + 'data'",
        "Checking argv[0] '../bin/game'", "Realpath = '" + Bin + "'", "OK.", "checking '" + Tools + "korvid-located'",
        "Check '" + Tools + "' + 'data'", "OK.", "No Real EnvVar. Making one.", "Checking Env Var 'TAMBOREL_DATA'",
        "Check '" + m_Scratch + "/fromenv' + 'data'", "Check -> '" + Dir + "data'", "OK.",
        "Checking Env Var 'TAMBOREL_DATA'", "Not Exist.", "Checking argv[0] ''", "Check './' + 'data'", "OK."}));
    // Four searches named no variable; the variable's search and the bare command's ended before ./
    EXPECT_EQ(CountOf(Log, "No Real EnvVar"), 4);
    EXPECT_EQ(CountOf(Log, "Check './' + 'data'"), 2);
}

// In a child with the handler installed, each signal leaves a stack dump on stderr and in $HOME.
TEST(CrashHandler, ASignalLeavesABacktraceInHomeAndExitsWithZero)
{
    std::string Home = EnterScratchDirectory();
    for (auto [nSignal, szMessage] : std::vector<std::pair<int, std::string>>{
             {SIGSEGV, "Segmentation Fault"}, {SIGABRT, "SIGABRT caught"}, {SIGFPE, "SIGFPE caught"},
             {SIGQUIT, "SIGQUIT caught"}}) {
        int Pipe[2];
        remove((Home + "/backtrace.txt").c_str());   // each signal must write its own
        ASSERT_EQ(pipe(Pipe), 0);
        pid_t nChild = fork();
        if (nChild == 0) {
            dup2(Pipe[1], 2);
            setenv("HOME", Home.c_str(), 1);
            for (int nEach : {SIGFPE, SIGQUIT, SIGABRT, SIGSEGV})
                signal(nEach, &KorvidPlatform::CrashHandler);
            raise(nSignal);
            _exit(7);
        }
        close(Pipe[1]);
        std::string Stderr;
        char szBuffer[4096];
        for (ssize_t n; (n = read(Pipe[0], szBuffer, sizeof(szBuffer))) > 0;)
            Stderr.append(szBuffer, (size_t)n);
        close(Pipe[0]);
        int nStatus = 0;
        waitpid(nChild, &nStatus, 0);
        ASSERT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0) << szMessage;
        const std::string Dump = "This is a BUG, please report it!\n\nStack dump:\n{\n";
        EXPECT_EQ(Stderr.rfind(szMessage + ": Doomed...\n\n" + Dump, 0), 0u) << Stderr;
        EXPECT_EQ(Stderr.substr(Stderr.size() - 4), "\n}\n\n");
        std::ifstream Trace(Home + "/backtrace.txt");
        std::string Contents((std::istreambuf_iterator<char>(Trace)), std::istreambuf_iterator<char>());
        EXPECT_EQ(Contents.rfind(Dump + "\t", 0), 0u) << Contents;
        EXPECT_EQ(Contents.find("Doomed"), std::string::npos);
    }
}

}  // namespace
