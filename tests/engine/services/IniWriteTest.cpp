// Writing settings: the file's exact bytes after each kind of change, the log
// of the rewrite, files created from nothing, comments, and writes that fail or
// are cut short before the new file takes the old one's place.
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "korvid.h"
#include "support/TestFiles.h"
#include "support/TestApp.h"

namespace {

// The log lines of the writer itself.
std::vector<std::string> WriterMessages()
{
    std::vector<std::string> Messages;
    for (const std::string& Message : LogMessages())
        if (Message.rfind("Korvid-Config: ", 0) == 0 || Message.rfind("FileWriteString[", 0) == 0)
            Messages.push_back(Message);
    return Messages;
}

class IniWrite : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.StartLog();
        Korvid.SetIniFile("settings.ini");
        Korvid.SetIniSection("Game");
        Korvid.SetIniTempFile("settings.tmp");
    }
};

struct RewriteCase {
    const char* szName;
    const char* szBefore;
    const char* szSection;
    const char* szKey;
    const char* szValue;
    const char* szAfter;
};

TEST_F(IniWrite, RewritesOneKeyAndKeepsEveryOtherLine)
{
    const RewriteCase Cases[] = {
        {"replace in place", "; settings\n[Game]\nA=1\nB=2\nC=3\n[Sound]\nB=9\n", "Game", "b", "5",
         "; settings\n[Game]\nA=1\nb=5\nC=3\n[Sound]\nB=9\n"},
        {"new key before the next section", "[Game]\nA=1\n[Sound]\nV=2\n", "game", "New", "7",
         "[Game]\nA=1\nNew=7\n[Sound]\nV=2\n"},
        {"new key at the end of the last section", "[Sound]\nV=2\n[Game]\nA=1\n", "Game", "New", "7",
         "[Sound]\nV=2\n[Game]\nA=1\nNew=7\n"},
        {"new section at the end", "[Sound]\nV=2\n", "Game", "New", "7", "[Sound]\nV=2\n[Game]\nNew=7\n"},
        {"null value removes the key", "[Game]\nA=1\nB=2\n[Sound]\nB=3\n", "Game", "B", nullptr,
         "[Game]\nA=1\n[Sound]\nB=3\n"},
        {"null value on a missing key", "[Game]\nA=1\n", "Game", "B", nullptr, "[Game]\nA=1\n"},
        {"null key empties the section", "[Game]\nA=1\n; kept\nB=2\n[Sound]\nV=2\n", "Game", nullptr, "x",
         "[Game]\n; kept\n[Sound]\nV=2\n"},
        {"lines trimmed, CR LF becomes LF", "  [Game]  \r\n  A = 1  \r\n", "Game", "A", "2", "[Game]\nA=2\n"},
        {"only the first match is replaced", "[Game]\nA=1\nA=2\n", "Game", "A", "3", "[Game]\nA=3\nA=2\n"},
        {"comments inside the section stay", "[Game]\n;A=1\nA=2\n", "Game", "A", "3", "[Game]\n;A=1\nA=3\n"},
        {"missing final line end", "[Game]\nA=1", "Game", "A", "2", "[Game]\nA=2\n"},
        // Hand-edited files keep their blank lines; a new key goes right after
        // the section's last entry, before the blank lines that part it from the next.
        {"blank lines kept", "[Game]\n\nA=1\n\n\n[Sound]\n\nV=2\n", "Game", "B", "2",
         "[Game]\n\nA=1\nB=2\n\n\n[Sound]\n\nV=2\n"},
        {"blank lines at the end kept", "[Game]\nA=1\n\n", "Game", "B", "2", "[Game]\nA=1\nB=2\n\n"},
        {"blank line then the rest of the file", "[Game]\nA=1\n\nB=2\nC=3\n", "Game", "C", "4",
         "[Game]\nA=1\n\nB=2\nC=4\n"},
    };
    for (const RewriteCase& Case : Cases) {
        SCOPED_TRACE(Case.szName);
        WriteFileText("settings.ini", Case.szBefore);
        EXPECT_TRUE(Korvid.WriteProfileString(Case.szSection, Case.szKey, Case.szValue, "settings.ini"));
        EXPECT_EQ(ReadFileText("settings.ini"), Case.szAfter);
        EXPECT_FALSE(PathExists("settings.tmp"));
    }
}

TEST_F(IniWrite, LogsTheCallAndEveryLineCopied)
{
    WriteFileText("settings.ini", "[Game]\nA=1\nB=2\n[Sound]\nV=3\n");
    EXPECT_TRUE(Korvid.WriteProfileString("Game", "B", "5", "settings.ini"));
    EXPECT_TRUE(Korvid.WriteProfileString("Game", "C", nullptr, "settings.ini"));
    const std::vector<std::string> Expected = {
        "Korvid-Config: Called As AppName='Game'  KeyName='B'  String='5'  INI File='settings.ini'",
        "FileWriteString[Game:B]: Writing '[Game]' To Temp File",
        "FileWriteString[Game:B]: Writing 'A=1' To Temp File",
        "FileWriteString[Game:B]: Writing 'B=5' To Temp File",
        "FileWriteString[Game:B]: Writing '[Sound]' To Temp File",
        "FileWriteString[Game:B]: Writing 'V=3' To Temp File",
        "Korvid-Config: Called As AppName='Game'  KeyName='C'  String='(null)'  INI File='settings.ini'",
        "FileWriteString[Game:C]: Writing '[Game]' To Temp File",
        "FileWriteString[Game:C]: Writing 'A=1' To Temp File",
        "FileWriteString[Game:C]: Writing 'B=5' To Temp File",
        "FileWriteString[Game:C]: Writing '[Sound]' To Temp File",
        "FileWriteString[Game:C]: Writing 'V=3' To Temp File",
    };
    EXPECT_EQ(WriterMessages(), Expected);
}

TEST_F(IniWrite, CreatesAMissingFileWithTwoLines)
{
    EXPECT_EQ(Korvid.IniGetInt("Level", 3), 3);
    EXPECT_TRUE(Korvid.IniWriteInt("Level", 12));
    EXPECT_EQ(ReadFileText("settings.ini"), "[Game]\nLevel=12\n");

    // Nothing to write: no file.
    EXPECT_FALSE(Korvid.WriteProfileString("Game", "Key", nullptr, "other.ini"));
    EXPECT_FALSE(Korvid.WriteProfileString("Game", nullptr, "v", "other.ini"));
    EXPECT_FALSE(PathExists("other.ini"));
    // No section or no file name: refused before anything is touched.
    EXPECT_FALSE(Korvid.WriteProfileString(nullptr, "Key", "v", "settings.ini"));
    EXPECT_FALSE(Korvid.WriteProfileString("Game", "Key", "v", nullptr));
    EXPECT_EQ(ReadFileText("settings.ini"), "[Game]\nLevel=12\n");
    // A directory that does not exist cannot hold the new file.
    EXPECT_FALSE(Korvid.WriteProfileString("Game", "Key", "v", "missing/settings.ini"));
}

TEST_F(IniWrite, TypedWritersRoundTrip)
{
    EXPECT_TRUE(Korvid.IniWriteInt("Score", -250));
    EXPECT_TRUE(Korvid.IniWriteBool("Sound", true));
    EXPECT_TRUE(Korvid.IniWriteBool("Music", false));
    EXPECT_TRUE(Korvid.IniWriteString("Name", "Jo Jo"));
    EXPECT_TRUE(Korvid.IniWriteInt("Score", 1000));
    EXPECT_EQ(ReadFileText("settings.ini"), "[Game]\nScore=1000\nSound=1\nMusic=0\nName=Jo Jo\n");
    char szName[256];
    Korvid.IniGetString("Name", "", szName);
    EXPECT_STREQ(szName, "Jo Jo");
    EXPECT_EQ(Korvid.IniGetInt("Score", 0), 1000);
    EXPECT_TRUE(Korvid.IniGetBool("Sound", false));
    EXPECT_FALSE(Korvid.IniGetBool("Music", true));
}

TEST_F(IniWrite, RefusesLineBreaksThatWouldAddLines)
{
    WriteFileText("settings.ini", "[Game]\nName=Kim\n");
    EXPECT_FALSE(Korvid.IniWriteString("Name", "Kim\n[Other]"));
    EXPECT_FALSE(Korvid.IniWriteString("Na\rme", "Kim"));
    Korvid.IniWriteComment("one\ntwo");
    EXPECT_EQ(ReadFileText("settings.ini"), "[Game]\nName=Kim\n");
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"ERROR: ** WriteProfileString - Line Break In Section, Key Or Value Refused **",
                                 "ERROR: ** WriteProfileString - Line Break In Section, Key Or Value Refused **",
                                 "ERROR: ** IniWriteComment - Line Break In Comment Refused **"}));
}

TEST_F(IniWrite, AppendsComments)
{
    Korvid.IniWriteComment("made by hand");
    Korvid.IniWriteComment(";kept as it is");
    EXPECT_TRUE(Korvid.IniWriteInt("A", 1));
    EXPECT_EQ(ReadFileText("settings.ini"), "; made by hand\n;kept as it is\n[Game]\nA=1\n");

    // A last line without its line end keeps its value.
    WriteFileText("settings.ini", "[Game]\nA=1");
    Korvid.IniWriteComment("note");
    EXPECT_EQ(ReadFileText("settings.ini"), "[Game]\nA=1\n; note\n");
    EXPECT_EQ(Korvid.IniGetInt("A", 0), 1);
}

TEST_F(IniWrite, FailsWithoutATemporaryFileAndLeavesTheFileAlone)
{
    const std::string Before = "[Game]\nA=1\n";
    WriteFileText("settings.ini", Before);
    Korvid.SetIniTempFile("missing/settings.tmp");
    EXPECT_FALSE(Korvid.IniWriteInt("A", 2));
    EXPECT_EQ(ReadFileText("settings.ini"), Before);

    // A temporary file named like the settings file would wipe it while it is read.
    Korvid.SetIniTempFile("settings.ini");
    EXPECT_FALSE(Korvid.IniWriteInt("A", 2));
    EXPECT_EQ(ReadFileText("settings.ini"), Before);
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"ERROR: ** WriteProfileString - Temp File Is The INI File 'settings.ini' **"}));
}

TEST_F(IniWrite, ReplacesTheFileUnderTheReadDirectory)
{
    mkdir("data", 0700);
    WriteFileText("data/settings.ini", "[Game]\nA=1\n");
    Korvid.SetReadDir("data/");
    EXPECT_TRUE(Korvid.IniWriteInt("A", 2));
    EXPECT_EQ(ReadFileText("data/settings.ini"), "[Game]\nA=2\n");
    EXPECT_FALSE(PathExists("data/settings.tmp"));
    EXPECT_FALSE(PathExists("settings.ini"));
}

// What the replace step found when it was asked to run.
std::string g_TempContentAtReplace;

bool FailingReplace(const char* szTempPath, const char*)
{
    g_TempContentAtReplace = ReadFileText(szTempPath);
    return false;
}

TEST_F(IniWrite, FailedReplaceKeepsTheOldFile)
{
    const std::string Before = "; mine\n[Game]\nA=1\n";
    WriteFileText("settings.ini", Before);
    Korvid.SetIniReplaceFunction(FailingReplace);
    EXPECT_FALSE(Korvid.IniWriteInt("A", 2));
    EXPECT_EQ(g_TempContentAtReplace, "; mine\n[Game]\nA=2\n");
    EXPECT_EQ(ReadFileText("settings.ini"), Before);
    EXPECT_FALSE(PathExists("settings.tmp"));
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"ERROR: ** WriteProfileString - Can't Replace 'settings.ini' With 'settings.tmp' **"}));
}

bool CrashBeforeReplace(const char*, const char*) { _exit(0); }

TEST_F(IniWrite, CrashBeforeTheReplaceLeavesTheOldFileWhole)
{
    const std::string Before = "[Game]\nA=1\nB=2\n";
    WriteFileText("settings.ini", Before);
    pid_t nChild = fork();
    ASSERT_GE(nChild, 0);
    if (nChild == 0) {
        Korvid.SetIniReplaceFunction(CrashBeforeReplace);
        Korvid.IniWriteInt("A", 7);
        _exit(1);   // the replace step never ran
    }
    int nStatus = 0;
    ASSERT_EQ(waitpid(nChild, &nStatus, 0), nChild);
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 0);
    EXPECT_EQ(ReadFileText("settings.ini"), Before);
    EXPECT_EQ(ReadFileText("settings.tmp"), "[Game]\nA=7\nB=2\n");
}

}  // namespace
