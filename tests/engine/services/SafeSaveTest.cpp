// Files saved whole: the new content replaces the old only once it is on the
// disk, a temporary file left by a crash is cleaned up, and a save that fails
// (no room, a failed rename) leaves the old file and says why. The settings
// writer saves through the same path, so the kill and disk-full tests run it too.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>

#include "korvid.h"
#include "services/SafeSave.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"

namespace {

bool SaveText(const char* szName, const char* szTemp, const std::string& Text)
{
    return KorvidSaveWhole(szName, szTemp, Text.data(), Text.size());
}

class SafeSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.StartLog();
    }
};

TEST_F(SafeSave, ReplacesTheFileWholeAndLeavesNoTemporaryFile)
{
    EXPECT_TRUE(SaveText("names.dat", "names.tmp", "first"));
    EXPECT_EQ(ReadFileText("names.dat"), "first");
    EXPECT_TRUE(SaveText("names.dat", "names.tmp", "second, longer"));
    EXPECT_EQ(ReadFileText("names.dat"), "second, longer");
    EXPECT_TRUE(SaveText("names.dat", "names.tmp", ""));
    EXPECT_EQ(ReadFileText("names.dat"), "");
    EXPECT_FALSE(PathExists("names.tmp"));
}

TEST_F(SafeSave, SavesUnderTheReadDirectory)
{
    mkdir("data", 0700);
    Korvid.SetReadDir("data/");
    EXPECT_TRUE(SaveText("names.dat", "names.tmp", "inside"));
    EXPECT_EQ(ReadFileText("data/names.dat"), "inside");
    EXPECT_FALSE(PathExists("names.dat"));
    EXPECT_FALSE(PathExists("data/names.tmp"));
}

TEST_F(SafeSave, RemovesATemporaryFileLeftByACrash)
{
    WriteFileText("names.dat", "old");
    WriteFileText("names.tmp", "half a save that was killed, longer than the new one");
    EXPECT_TRUE(SaveText("names.dat", "names.tmp", "new"));
    EXPECT_EQ(ReadFileText("names.dat"), "new");
    EXPECT_FALSE(PathExists("names.tmp"));
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"SaveWhole: Removed Temporary File 'names.tmp' Left By An Earlier Save"}));
}

bool RefusingReplace(const char*, const char*) { return false; }

TEST_F(SafeSave, FailuresKeepTheOldFileAndSayWhy)
{
    WriteFileText("names.dat", "old");
    EXPECT_FALSE(KorvidSaveWhole("names.dat", "names.tmp", "new", 3, RefusingReplace));
    EXPECT_FALSE(SaveText("names.dat", "missing/names.tmp", "new"));
    EXPECT_FALSE(SaveText("names.dat", "names.dat", "new"));
    EXPECT_EQ(ReadFileText("names.dat"), "old");
    EXPECT_FALSE(PathExists("names.tmp"));
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"ERROR: ** SaveWhole - Can't Replace 'names.dat' With 'names.tmp' **",
                        "ERROR: ** SaveWhole - Can't Write 'missing/names.tmp' (No such file or directory), "
                        "'names.dat' Kept **",
                        "ERROR: ** SaveWhole - Temp File Is The File 'names.dat' **"}));
}

// ---- A full disk ---------------------------------------------------------------

constexpr rlim_t DISK_ROOM = 16384;   // no file may grow past this

TEST_F(SafeSave, AFullDiskKeepsTheOldFilesAndLogsTheFailure)
{
    const std::string OldSettings = "[Game]\nKey0=1\nKeep=yes\n";
    const std::string OldNames(140, 'o');
    WriteFileText("settings.ini", OldSettings);
    WriteFileText("names.dat", OldNames);

    pid_t nChild = fork();
    ASSERT_GE(nChild, 0);
    if (nChild == 0) {
        // Past the limit a write fails with EFBIG once SIGXFSZ no longer kills.
        signal(SIGXFSZ, SIG_IGN);
        rlimit Limit = {DISK_ROOM, DISK_ROOM};
        setrlimit(RLIMIT_FSIZE, &Limit);
        Korvid.SetIniFile("settings.ini");
        Korvid.SetIniSection("Game");
        Korvid.SetIniTempFile("settings.tmp");
        // The log cuts its lines at 4 KiB, so it stays inside the room itself.
        const std::string LongValue(DISK_ROOM + 1, 'v');
        bool bIniSaved = Korvid.IniWriteString("Key0", LongValue.c_str());
        const std::string NewNames(DISK_ROOM + 1, 'n');
        bool bNamesSaved = SaveText("names.dat", "names.tmp", NewNames);
        _exit(bIniSaved || bNamesSaved ? 1 : 0);
    }
    int nStatus = 0;
    ASSERT_EQ(waitpid(nChild, &nStatus, 0), nChild);
    ASSERT_TRUE(WIFEXITED(nStatus)) << "the child was killed: SIGXFSZ not ignored?";
    EXPECT_EQ(WEXITSTATUS(nStatus), 0) << "a save past the room reported success";

    EXPECT_EQ(ReadFileText("settings.ini"), OldSettings);
    EXPECT_EQ(ReadFileText("names.dat"), OldNames);
    EXPECT_FALSE(PathExists("settings.tmp"));
    EXPECT_FALSE(PathExists("names.tmp"));
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"ERROR: ** SaveWhole - Can't Write 'settings.tmp' (File too large), 'settings.ini' Kept **",
                        "ERROR: ** WriteProfileString - Can't Replace 'settings.ini' With 'settings.tmp' **",
                        "ERROR: ** SaveWhole - Can't Write 'names.tmp' (File too large), 'names.dat' Kept **"}));
}

// ---- Killed while saving ----------------------------------------------------------

constexpr int KILL_ROUNDS = 1000;
constexpr int NAMES_BYTES = 4096;   // large enough that a kill can fall inside a write

std::string SettingsRound(int nRound) { return "[Game]\nRound=" + std::to_string(nRound) + "\nKeep=yes\n"; }

std::string NamesRound(int nRound) { return std::string(NAMES_BYTES, (char)('a' + nRound % 26)); }

void UseSettingsFile()
{
    Korvid.SetIniFile("settings.ini");
    Korvid.SetIniSection("Game");
    Korvid.SetIniTempFile("settings.tmp");
}

void SaveRound(int nRound)
{
    Korvid.IniWriteInt("Round", nRound);
    SaveText("names.dat", "names.tmp", NamesRound(nRound));
}

// The child: says it is running, then rewrites both files round after round
// until it is killed.
[[noreturn]] void SaveUntilKilled(int nFirstRound, int nReadyPipe)
{
    UseSettingsFile();
    if (write(nReadyPipe, "r", 1) != 1)
        _exit(2);
    for (int nRound = nFirstRound;; ++nRound)
        SaveRound(nRound);
}

// How long one round of both saves takes on this machine now (a flush may take
// milliseconds on a disk, microseconds in memory): the kills are spread over a
// few rounds so that they fall before, inside and between saves alike.
std::chrono::microseconds MeasureRound()
{
    UseSettingsFile();
    constexpr int ROUNDS = 10;
    auto Start = std::chrono::steady_clock::now();
    for (int nRound = 0; nRound < ROUNDS; ++nRound)
        SaveRound(nRound);
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - Start) / ROUNDS;
}

// The round a settings file holds, or -1 when it is not one whole version.
int SettingsRoundOf(const std::string& Text)
{
    const std::string Prefix = "[Game]\nRound=";
    if (Text.rfind(Prefix, 0) != 0)
        return -1;
    int nRound = atoi(Text.c_str() + Prefix.size());
    return Text == SettingsRound(nRound) ? nRound : -1;
}

bool NamesAreWhole(const std::string& Text)
{
    return Text.size() == (size_t)NAMES_BYTES && Text.find_first_not_of(Text[0]) == std::string::npos;
}

TEST_F(SafeSave, AKillAtAnyMomentLeavesTheOldOrTheNewFileWhole)
{
    const long nRoundMicros = std::max<long>(1, (long)MeasureRound().count());
    WriteFileText("settings.ini", SettingsRound(0));
    WriteFileText("names.dat", NamesRound(0));
    std::mt19937 Random(20261206);
    std::uniform_int_distribution<long> Delay(0, 3 * nRoundMicros);
    int nLastRound = 0;
    for (int nKill = 0; nKill < KILL_ROUNDS; ++nKill) {
        int Ready[2];
        ASSERT_EQ(pipe(Ready), 0);
        pid_t nChild = fork();
        ASSERT_GE(nChild, 0);
        if (nChild == 0)
            SaveUntilKilled(nLastRound + 1, Ready[1]);
        char cReady = 0;
        ASSERT_EQ(read(Ready[0], &cReady, 1), 1);
        close(Ready[0]);
        close(Ready[1]);
        usleep((useconds_t)Delay(Random));
        kill(nChild, SIGKILL);
        int nStatus = 0;
        ASSERT_EQ(waitpid(nChild, &nStatus, 0), nChild);
        ASSERT_TRUE(WIFSIGNALED(nStatus));

        const std::string Settings = ReadFileText("settings.ini");
        int nRound = SettingsRoundOf(Settings);
        ASSERT_GE(nRound, nLastRound) << "kill " << nKill << " left the settings as:\n" << Settings;
        nLastRound = nRound;
        ASSERT_TRUE(NamesAreWhole(ReadFileText("names.dat"))) << "kill " << nKill << " cut the names file";
    }
    EXPECT_GT(nLastRound, 0) << "no child ever finished a save";

    // One clean save after all the kills leaves no temporary file behind.
    UseSettingsFile();
    ASSERT_TRUE(Korvid.IniWriteInt("Round", nLastRound + 1));
    ASSERT_TRUE(SaveText("names.dat", "names.tmp", NamesRound(0)));
    EXPECT_EQ(ReadFileText("settings.ini"), SettingsRound(nLastRound + 1));
    EXPECT_FALSE(PathExists("settings.tmp"));
    EXPECT_FALSE(PathExists("names.tmp"));
}

}  // namespace
