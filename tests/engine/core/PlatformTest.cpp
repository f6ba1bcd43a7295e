// The platform layer: the data-directory search and the crash handler.
#include <csignal>
#include <cstdlib>
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

TEST_F(DataDirectory, TheEnvironmentVariableWinsAndAnUnsetOneFallsBackToTheCurrentDirectory)
{
    std::string Dir = MakeDataDir("/fromenv");
    setenv("TAMBOREL_DATA", (m_Scratch + "/fromenv").c_str(), 1);
    EXPECT_EQ(Located(), Dir);   // without a name the variable is named after the base
    unsetenv("TAMBOREL_DATA");
    MakeDataDir("");
    EXPECT_EQ(Located("TAMBOREL_DATA"), "./");
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Locate Data Directory for 'tamborel'", "No Real EnvVar. Making one.",
                                      "Checking Env Var 'TAMBOREL_DATA'", "Check '" + m_Scratch + "/fromenv' + 'data'",
                                      "Check -> '" + Dir + "data'", "OK.", "Checking Env Var 'TAMBOREL_DATA'",
                                      "Not Exist.", "Checking argv[0] ''", "Check './' + 'data'", "OK."}));
    EXPECT_EQ(CountOf(Log, "No Real EnvVar"), 1);
    EXPECT_EQ(CountOf(Log, "Checking argv[0]"), 1);
}

TEST_F(DataDirectory, AProgramPathWithASlashIsResolvedToItsDirectoryElseTheCurrentOneIsTried)
{
    std::string Bin = MakeDataDir("/bin", "game");
    mkdir("sub", 0700);
    ASSERT_EQ(chdir("sub"), 0);   // no data here
    Korvid.KeepProgramPath("./missing/game");
    EXPECT_EQ(Located(), "(none)");
    Korvid.KeepProgramPath(("/" + std::string(255, 'x')).c_str());   // too long to keep
    EXPECT_STREQ(Korvid.ProgramPath(), "");
    Korvid.KeepProgramPath("../bin/game");
    EXPECT_EQ(Located(), Bin);
    EXPECT_TRUE(ContainsInOrder(LogMessages("../debug.log"),
                                {"Checking argv[0] './missing/game'", "CurrentDir = './'", "Check './' + 'data'",
                                 "Checking argv[0] '../bin/game'", "Realpath = '" + Bin + "'", "OK."}));
}

TEST_F(DataDirectory, ABareCommandIsLookedUpAlongThePath)
{
    std::string Dir = MakeDataDir("/tools", "korvid-located");
    setenv("PATH", ("/nonexistent:" + m_Scratch + "/tools").c_str(), 1);
    Korvid.KeepProgramPath("korvid-located");
    EXPECT_EQ(Located(), Dir);
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Checking argv[0] 'korvid-located'", "checking '" + Dir + "korvid-located'",
                                      "Check '" + Dir + "' + 'data'", "OK."}));
    EXPECT_EQ(IndexOf(Log, "Check './' + 'data'"), -1);
}

// Runs Body in a child process with the crash handler installed and HOME set to
// Home; returns the child's wait status and its stderr.
int CrashInChild(const std::string& Home, void (*Body)(), std::string& Stderr)
{
    int Pipe[2];
    if (pipe(Pipe) != 0)
        return -1;
    pid_t nChild = fork();
    if (nChild == 0) {
        dup2(Pipe[1], 2);
        close(Pipe[0]);
        setenv("HOME", Home.c_str(), 1);
        for (int nSignal : {SIGFPE, SIGQUIT, SIGABRT, SIGSEGV})
            signal(nSignal, &KorvidPlatform::CrashHandler);
        Body();
        _exit(7);
    }
    close(Pipe[1]);
    char szBuffer[4096];
    for (ssize_t n; (n = read(Pipe[0], szBuffer, sizeof(szBuffer))) > 0;)
        Stderr.append(szBuffer, (size_t)n);
    close(Pipe[0]);
    int nStatus = 0;
    waitpid(nChild, &nStatus, 0);
    return nStatus;
}

TEST(CrashHandler, ASignalLeavesABacktraceInHomeAndExitsWithZero)
{
    const std::pair<void (*)(), const char*> Cases[] = {
        {[] { raise(SIGSEGV); }, "Segmentation Fault: Doomed...\n\n"},
        {[] { raise(SIGABRT); }, "SIGABRT caught: Doomed...\n\n"},
        {[] { raise(SIGFPE); }, "SIGFPE caught: Doomed...\n\n"},
        {[] { raise(SIGQUIT); }, "SIGQUIT caught: Doomed...\n\n"},
    };
    std::string Home = EnterScratchDirectory();
    for (auto [Body, szMessage] : Cases) {
        std::string Stderr;
        int nStatus = CrashInChild(Home, Body, Stderr);
        ASSERT_TRUE(WIFEXITED(nStatus)) << szMessage;
        EXPECT_EQ(WEXITSTATUS(nStatus), 0);
        EXPECT_EQ(Stderr.rfind(std::string(szMessage) + "This is a BUG, please report it!\n\nStack dump:\n{\n", 0), 0u)
            << Stderr;
        EXPECT_EQ(Stderr.substr(Stderr.size() - 4), "\n}\n\n");
        std::ifstream Trace(Home + "/backtrace.txt");
        std::string Contents((std::istreambuf_iterator<char>(Trace)), std::istreambuf_iterator<char>());
        EXPECT_EQ(Contents.rfind("This is a BUG, please report it!\n\nStack dump:\n{\n\t", 0), 0u) << Contents;
        EXPECT_EQ(Contents.find("Doomed"), std::string::npos);
    }
}

}  // namespace
