// The platform layer: data-directory search, crash handler and hot keys.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TestApp.h"
#include "support/TestPlatform.h"

namespace {

class DataDirectory : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Scratch = EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        Korvid.StartLog();
        unsetenv("TAMBOREL_DATA");
    }

    // Makes Dir/data (and Dir itself) and returns Dir with a trailing slash.
    std::string MakeDataDir(const std::string& Dir)
    {
        mkdir(Dir.c_str(), 0700);
        mkdir((Dir + "/data").c_str(), 0700);
        return Dir + "/";
    }

    std::string m_Scratch;
    VirtualClockPlatform m_Platform;
};

TEST_F(DataDirectory, TheEnvironmentVariableWinsAndEndsTheSearch)
{
    std::string Dir = MakeDataDir(m_Scratch + "/fromenv");
    setenv("TAMBOREL_DATA", (m_Scratch + "/fromenv").c_str(), 1);
    Korvid.LocateDataDirectory("tamborel", nullptr, "data");
    ASSERT_NE(Korvid.GetReadDir(), nullptr);
    EXPECT_EQ(std::string(Korvid.GetReadDir()), Dir);
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Locate Data Directory for 'tamborel'", "No Real EnvVar. Making one.",
                                      "Checking Env Var 'TAMBOREL_DATA'",
                                      "Check '" + m_Scratch + "/fromenv' + 'data'",
                                      "Check -> '" + Dir + "data'", "OK."}));
    EXPECT_EQ(IndexOf(Log, "Checking argv[0] ''"), -1);
}

TEST_F(DataDirectory, AnUnsetVariableFallsBackToTheCurrentDirectory)
{
    MakeDataDir(m_Scratch);
    Korvid.LocateDataDirectory("tamborel", "TAMBOREL_DATA", "data");
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Checking Env Var 'TAMBOREL_DATA'", "Not Exist.", "Checking argv[0] ''",
                                      "Check './' + 'data'", "Check -> './data'", "OK."}));
    EXPECT_EQ(IndexOf(Log, "No Real EnvVar. Making one."), -1);
    EXPECT_STREQ(Korvid.GetReadDir(), "./");
}

TEST_F(DataDirectory, AProgramPathWithASlashIsResolvedToItsDirectory)
{
    std::string Dir = MakeDataDir(m_Scratch + "/bin");
    std::ofstream(m_Scratch + "/bin/game") << "#!/bin/sh\n";
    mkdir("sub", 0700);
    ASSERT_EQ(chdir("sub"), 0);
    Korvid.KeepProgramPath("../bin/game");
    Korvid.LocateDataDirectory("tamborel", nullptr, "data");
    EXPECT_EQ(std::string(Korvid.GetReadDir() ? Korvid.GetReadDir() : ""), Dir);
    EXPECT_TRUE(ContainsInOrder(LogMessages("../debug.log"), {"Checking argv[0] '../bin/game'", "Realpath = '" + Dir + "'", "OK."}));
}

TEST_F(DataDirectory, AnOverlongProgramPathIsNotKeptAndTheSearchEndsAtTheCurrentDirectory)
{
    MakeDataDir(m_Scratch);
    std::string Long(255, 'x');
    Korvid.KeepProgramPath(("/" + Long).c_str());
    EXPECT_STREQ(Korvid.ProgramPath(), "");
    setenv("PATH", "/nonexistent", 1);
    Korvid.LocateDataDirectory("tamborel", nullptr, "data");
    EXPECT_STREQ(Korvid.GetReadDir(), "./");
}

TEST_F(DataDirectory, AnUnresolvableProgramFallsBackToTheCurrentDirectory)
{
    Korvid.KeepProgramPath("./missing/game");
    Korvid.LocateDataDirectory("tamborel", nullptr, "data");
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Checking argv[0] './missing/game'", "CurrentDir = './'", "Check './' + 'data'"}));
    EXPECT_EQ(IndexOf(Log, "OK."), -1);
    EXPECT_EQ(Korvid.GetReadDir(), nullptr);
}

TEST_F(DataDirectory, ABareCommandIsLookedUpAlongThePath)
{
    std::string Dir = MakeDataDir(m_Scratch + "/tools");
    std::string Program = m_Scratch + "/tools/korvid-located";
    std::ofstream(Program) << "#!/bin/sh\n";
    chmod(Program.c_str(), 0700);
    setenv("PATH", ("/nonexistent:" + m_Scratch + "/tools").c_str(), 1);
    Korvid.KeepProgramPath("korvid-located");
    Korvid.LocateDataDirectory("tamborel", nullptr, "data");
    EXPECT_EQ(std::string(Korvid.GetReadDir() ? Korvid.GetReadDir() : ""), Dir);
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Checking argv[0] 'korvid-located'", "checking '" + Program + "'",
                                      "Check '" + Dir + "' + 'data'", "OK."}));
    EXPECT_EQ(IndexOf(Log, "Check './' + 'data'"), -1);
}

}  // namespace

namespace {

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
    struct Case {
        void (*Body)();
        const char* szMessage;
    };
    const Case Cases[] = {
        {[] { raise(SIGSEGV); }, "Segmentation Fault: Doomed...\n\n"},
        {[] { raise(SIGABRT); }, "SIGABRT caught: Doomed...\n\n"},
        {[] { raise(SIGFPE); }, "SIGFPE caught: Doomed...\n\n"},
        {[] { raise(SIGQUIT); }, "SIGQUIT caught: Doomed...\n\n"},
    };
    std::string Home = EnterScratchDirectory();
    for (const Case& Each : Cases) {
        std::string Stderr;
        int nStatus = CrashInChild(Home, Each.Body, Stderr);
        ASSERT_TRUE(WIFEXITED(nStatus)) << Each.szMessage;
        EXPECT_EQ(WEXITSTATUS(nStatus), 0);
        EXPECT_EQ(Stderr.rfind(std::string(Each.szMessage) + "This is a BUG, please report it!\n\nStack dump:\n{\n", 0), 0u)
            << Stderr;
        EXPECT_EQ(Stderr.substr(Stderr.size() - 4), "\n}\n\n");

        std::ifstream Trace(Home + "/backtrace.txt");
        std::string Contents((std::istreambuf_iterator<char>(Trace)), std::istreambuf_iterator<char>());
        EXPECT_EQ(Contents.rfind("This is a BUG, please report it!\n\nStack dump:\n{\n\t", 0), 0u) << Contents;
        EXPECT_EQ(Contents.find("Doomed"), std::string::npos);
    }
}

}  // namespace
