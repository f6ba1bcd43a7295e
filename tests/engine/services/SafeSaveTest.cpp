// Files saved whole: the new content replaces the old only once it is on the
// disk, a temporary file left by a crash is cleaned up, and a save that fails
// (no room, a failed rename) leaves the old file and says why. The settings
// writer saves through the same path, so the kill and disk-full tests run it too.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "ServiceTest.h"
#include "services/SafeSave.h"

namespace {

bool SaveText(const char* szName, const std::string& Text, const char* szTemp = "names.tmp")
{
    return KorvidSaveWhole(szName, szTemp, Text.data(), Text.size());
}

void UseSettingsFile()
{
    Korvid.SetIniFile("settings.ini");
    Korvid.SetIniSection("Game");
    Korvid.SetIniTempFile("settings.tmp");
}

bool RefusingReplace(const char*, const char*) { return false; }

using SafeSave = ServiceTest;

TEST_F(SafeSave, ReplacesTheFileWholeOrKeepsTheOldOneAndSaysWhy)
{
    for (const char* szText : {"first", "second, longer", ""}) {
        EXPECT_TRUE(SaveText("names.dat", szText));
        EXPECT_EQ(ReadFileText("names.dat"), szText);
    }
    WriteFileText("names.tmp", "half a save that was killed, longer than the new one");
    EXPECT_TRUE(SaveText("names.dat", "new"));
    EXPECT_EQ(ReadFileText("names.dat"), "new");
    EXPECT_FALSE(PathExists("names.tmp"));
    EXPECT_EQ(LogMessages().back(), "SaveWhole: Removed Temporary File 'names.tmp' Left By An Earlier Save");

    mkdir("data", 0700);
    Korvid.SetReadDir("data/");
    EXPECT_TRUE(SaveText("names.dat", "inside"));
    EXPECT_EQ(ReadFileText("data/names.dat"), "inside");
    EXPECT_FALSE(PathExists("data/names.tmp"));

    Korvid.SetReadDir(nullptr);
    WriteFileText("names.dat", "old");
    EXPECT_FALSE(KorvidSaveWhole("names.dat", "names.tmp", "new", 3, RefusingReplace));
    EXPECT_FALSE(SaveText("names.dat", "new", "missing/names.tmp"));
    EXPECT_FALSE(SaveText("names.dat", "new", "names.dat"));
    EXPECT_FALSE(SaveText(std::string(300, 'n').c_str(), "new"));
    EXPECT_EQ(ReadFileText("names.dat"), "old");
    EXPECT_FALSE(PathExists("names.tmp"));
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"ERROR: ** SaveWhole - Can't Replace 'names.dat' With 'names.tmp' **",
                        "ERROR: ** SaveWhole - Can't Write 'missing/names.tmp' (No such file or directory), "
                        "'names.dat' Kept **",
                        "ERROR: ** SaveWhole - Temp File Is The File 'names.dat' **",
                        "ERROR: ** SaveWhole - Bad File Name **"}));
}

TEST_F(SafeSave, AFullDiskKeepsTheOldFilesAndLogsTheFailure)
{
    constexpr rlim_t DISK_ROOM = 16384;   // no file may grow past this
    const std::string OldSettings = "[Game]\nKey0=1\nKeep=yes\n", OldNames(140, 'o');
    WriteFileText("settings.ini", OldSettings);
    WriteFileText("names.dat", OldNames);
    pid_t nChild = fork();
    if (nChild == 0) {
        // Past the limit a write fails with EFBIG once SIGXFSZ no longer kills.
        signal(SIGXFSZ, SIG_IGN);
        rlimit Limit = {DISK_ROOM, DISK_ROOM};
        setrlimit(RLIMIT_FSIZE, &Limit);
        UseSettingsFile();
        // The log cuts its lines at 4 KiB, so it stays inside the room itself.
        bool bIniSaved = Korvid.IniWriteString("Key0", std::string(DISK_ROOM + 1, 'v').c_str());
        bool bNamesSaved = SaveText("names.dat", std::string(DISK_ROOM + 1, 'n'));
        _exit(bIniSaved || bNamesSaved ? 1 : 0);
    }
    int nStatus = 0;
    ASSERT_EQ(waitpid(nChild, &nStatus, 0), nChild);
    ASSERT_TRUE(WIFEXITED(nStatus)) << "the child was killed: SIGXFSZ not ignored?";
    EXPECT_EQ(WEXITSTATUS(nStatus), 0) << "a save past the room reported success";
    EXPECT_EQ(ReadFileText("settings.ini"), OldSettings);
    EXPECT_EQ(ReadFileText("names.dat"), OldNames);
    EXPECT_FALSE(PathExists("settings.tmp") || PathExists("names.tmp"));
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"ERROR: ** SaveWhole - Can't Write 'settings.tmp' (File too large), 'settings.ini' Kept **",
                        "ERROR: ** WriteProfileString - Can't Replace 'settings.ini' With 'settings.tmp' **",
                        "ERROR: ** SaveWhole - Can't Write 'names.tmp' (File too large), 'names.dat' Kept **"}));
}

// ---- Killed while saving ----------------------------------------------------------

constexpr int KILLS = 50;
constexpr int NAMES_BYTES = 4096;   // large enough that a kill can fall inside a write

std::string SettingsRound(int nRound) { return "[Game]\nRound=" + std::to_string(nRound) + "\nKeep=yes\n"; }

std::string NamesRound(int nRound) { return std::string(NAMES_BYTES, (char)('a' + nRound % 26)); }

void SaveRound(int nRound)
{
    Korvid.IniWriteInt("Round", nRound);
    SaveText("names.dat", NamesRound(nRound));
}

// The round a settings file holds, or -1 when it is not one whole version.
int SettingsRoundOf(const std::string& Text)
{
    const std::string Prefix = "[Game]\nRound=";
    int nRound = Text.rfind(Prefix, 0) == 0 ? atoi(Text.c_str() + Prefix.size()) : -1;
    return Text == SettingsRound(nRound) ? nRound : -1;
}

TEST_F(SafeSave, AKillAtAnyMomentLeavesTheOldOrTheNewFileWhole)
{
    // The kills are spread evenly over three rounds of both saves as long as one
    // takes on this machine now (a flush may take milliseconds on a disk,
    // microseconds in memory), so that they fall before, inside and between saves.
    UseSettingsFile();
    auto Start = std::chrono::steady_clock::now();
    for (int nRound = 0; nRound < 10; ++nRound)
        SaveRound(nRound);
    auto Elapsed = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - Start);
    const long nRoundMicros = std::max<long>(1, (long)Elapsed.count() / 10);
    WriteFileText("settings.ini", SettingsRound(0));
    WriteFileText("names.dat", NamesRound(0));
    int nLastRound = 0;
    for (int nKill = 0; nKill < KILLS; ++nKill) {
        int Pipe[2];
        ASSERT_EQ(pipe(Pipe), 0);
        pid_t nChild = fork();
        ASSERT_GE(nChild, 0);
        if (nChild == 0) {
            // Says it is running, then rewrites both files round after round, saying so after each.
            for (int nRound = nLastRound + 1; write(Pipe[1], "r", 1) == 1; ++nRound)
                SaveRound(nRound);
            _exit(2);
        }
        char cSaid = 0;
        ASSERT_EQ(read(Pipe[0], &cSaid, 1), 1);
        usleep((useconds_t)(3 * nRoundMicros * nKill / KILLS));
        if (nKill == KILLS - 1) {   // the last kill waits for a finished round, so some save is always seen whole
            ASSERT_EQ(read(Pipe[0], &cSaid, 1), 1);
        }
        kill(nChild, SIGKILL);
        close(Pipe[0]);
        close(Pipe[1]);
        int nStatus = 0;
        ASSERT_EQ(waitpid(nChild, &nStatus, 0), nChild);
        ASSERT_TRUE(WIFSIGNALED(nStatus));

        const std::string Settings = ReadFileText("settings.ini"), Names = ReadFileText("names.dat");
        int nRound = SettingsRoundOf(Settings);
        ASSERT_GE(nRound, nLastRound) << "kill " << nKill << " left the settings as:\n" << Settings;
        nLastRound = nRound;
        ASSERT_TRUE(Names.size() == (size_t)NAMES_BYTES && Names.find_first_not_of(Names[0]) == std::string::npos)
            << "kill " << nKill << " cut the names file";
    }
    EXPECT_GT(nLastRound, 0);

    // One clean save after all the kills leaves no temporary file behind.
    ASSERT_TRUE(Korvid.IniWriteInt("Round", nLastRound + 1));
    ASSERT_TRUE(SaveText("names.dat", NamesRound(0)));
    EXPECT_EQ(ReadFileText("settings.ini"), SettingsRound(nLastRound + 1));
    EXPECT_FALSE(PathExists("settings.tmp") || PathExists("names.tmp"));
}

}  // namespace
