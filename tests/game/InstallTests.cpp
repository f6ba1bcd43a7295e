// The game installed as a distribution installs it, run as a user runs it: the
// data set found from the program, the user's files in the user's folders.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <set>

#include "GameFixture.h"
#include "UserFiles.h"

namespace {

namespace fs = std::filesystem;
using gametest::RunResult;
using gametest::Shell;

// cmake --install of the build into Root with the prefix /usr; the folder of the installed files.
std::string Install(const std::string& Root)
{
    RunResult Done = Shell("DESTDIR='" + Root + "' '" CMAKE_PROGRAM "' --install '" TAMBOREL_BUILD "' --prefix /usr");
    EXPECT_EQ(Done.nStatus, 0) << Done.Err;
    return Root + "/usr";
}

std::set<std::string> FilesUnder(const std::string& Folder)
{
    std::set<std::string> Files;
    for (const fs::directory_entry& Entry : fs::recursive_directory_iterator(Folder))
        Files.insert(Entry.path().string());
    return Files;
}

int Mode(const std::string& Path)
{
    struct stat Info;
    return stat(Path.c_str(), &Info) == 0 ? (int)(Info.st_mode & 07777) : -1;
}

TEST(Install, TheInstalledGameRunsFromAnyFolderAndKeepsItsFilesInTheUsersFolders)
{
    const std::string Scratch = EnterScratchDirectory();
    const std::string Usr = Install(Scratch + "/root"), Shared = Usr + "/share/tamborel2";
    for (const char* szFile : {"bin/tamborel2", "bin/korvid", "bin/tamborel-levels", "bin/tamborel-forge",
                               "share/tamborel2/data/gfx/m1.kvp", "share/tamborel2/data/sound/sounds.kar",
                               "share/icons/hicolor/16x16/apps/tamborel2.png",
                               "share/icons/hicolor/256x256/apps/tamborel2.png", "share/man/man6/tamborel2.6",
                               "share/applications/org.tamborel.Tamborel2.desktop",
                               "share/metainfo/org.tamborel.Tamborel2.metainfo.xml"})
        EXPECT_TRUE(PathExists(Usr + "/" + szFile)) << szFile;
    EXPECT_FALSE(PathExists(Shared + "/data/tamborel2.ini"));
    // A shipped high-score list; the user's copy of it is the one the game goes on with.
    const Bytes Shipped(HS_FILE_BYTES, 7);
    WriteFileBytes(Shared + "/" + HS_FILE, Shipped);
    ASSERT_EQ(Shell("chmod -R a-w '" + Shared + "'").nStatus, 0);
    const std::set<std::string> Before = FilesUnder(Shared);

    // Config by its default under HOME, data named absolutely, the state's value relative and so ignored.
    const std::string Home = Scratch + "/home", Data = Scratch + "/xdg-data";
    ASSERT_EQ(mkdir("elsewhere", 0700), 0);
    ASSERT_EQ(chdir("elsewhere"), 0);
    const std::string Start = "env -u TAMBOREL_DATA -u XDG_CONFIG_HOME HOME='" + Home + "' XDG_DATA_HOME='" + Data +
                              "' XDG_STATE_HOME=state SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy '" + Usr +
                              "/bin/tamborel2' --windowed --demo=5 --fast";
    RunResult First = Shell(Start);
    ASSERT_EQ(First.nStatus, 0) << First.Err;
    EXPECT_EQ(First.Out.rfind("demo: frames=", 0), 0u) << First.Out;
    const std::string Settings = Home + "/.config/tamborel2/tamborel2.ini";
    EXPECT_EQ(ReadFileBytes(Data + "/tamborel2/hs.dat"), Shipped);
    EXPECT_TRUE(PathExists(Home + "/.local/state/tamborel2/debug.log"));
    for (const std::string& Folder : {Home + "/.config", Home + "/.config/tamborel2", Data + "/tamborel2",
                                      Home + "/.local/state/tamborel2"})
        EXPECT_EQ(Mode(Folder), 0700) << Folder;
    EXPECT_EQ(FilesUnder("."), (std::set<std::string>{"./err.txt", "./out.txt"})) << "only what the test keeps";
    EXPECT_EQ(FilesUnder(Shared), Before) << "nothing beside the data set";

    // The default file says AllowCPUSwitch=0; the user's 1 is read and written back at the end.
    std::string Text = ReadFileText(Settings);
    ASSERT_NE(Text.find("AllowCPUSwitch=0\n"), std::string::npos) << Text;
    Text.replace(Text.find("AllowCPUSwitch=0\n"), 17, "AllowCPUSwitch=1\n");
    WriteFileText(Settings, Text);
    RunResult Second = Shell(Start);
    ASSERT_EQ(Second.nStatus, 0) << Second.Err;
    EXPECT_NE(ReadFileText(Settings).find("AllowCPUSwitch=1\n"), std::string::npos);
    ASSERT_EQ(chdir(Scratch.c_str()), 0);
    Shell("chmod -R u+w '" + Shared + "'");
}

TEST(Install, TheDesktopFilesPassTheirValidatorsAndTheManualPageTellsEveryOptionAndTheVersion)
{
    const std::string Usr = Install(EnterScratchDirectory() + "/root");
    const std::string Manual = ReadFileText(Usr + "/share/man/man6/tamborel2.6");
    RunResult Help = Shell("'" + Usr + "/bin/tamborel2' --help"), Version = Shell("'" + Usr + "/bin/tamborel2' --version");
    const std::string Options = Help.Out;
    const std::regex Option("  --([a-z]+)");
    int nOptions = 0;
    for (std::sregex_iterator Each(Options.begin(), Options.end(), Option), End; Each != End;
         ++Each, ++nOptions)
        EXPECT_NE(Manual.find("\\-\\-" + (*Each)[1].str()), std::string::npos) << (*Each)[1];
    EXPECT_GE(nOptions, 10);
    ASSERT_EQ(Version.Out.rfind("Tamborel 2 ", 0), 0u);
    EXPECT_NE(Manual.find("\"" + Version.Out.substr(0, Version.Out.size() - 1) + "\""), std::string::npos);

    const std::pair<const char*, std::string> Validators[] = {
        {"desktop-file-validate", "'" + Usr + "/share/applications/org.tamborel.Tamborel2.desktop'"},
        {"appstreamcli", "validate --no-net '" + Usr + "/share/metainfo/org.tamborel.Tamborel2.metainfo.xml'"},
        {"groff", "-man -ww -z '" + Usr + "/share/man/man6/tamborel2.6'"}};
    std::string Missing;
    for (const auto& [szTool, Arguments] : Validators) {
        if (Shell(std::string("command -v ") + szTool).nStatus != 0) {
            Missing += std::string(" ") + szTool;
            continue;
        }
        RunResult Checked = Shell(std::string(szTool) + " " + Arguments);
        EXPECT_EQ(Checked.nStatus, 0) << szTool << ": " << Checked.Out << Checked.Err;
        if (std::string(szTool) != "appstreamcli") {
            EXPECT_EQ(Checked.Out + Checked.Err, "") << szTool;
        }
    }
    if (!Missing.empty())
        GTEST_SKIP() << "not installed (scripts/bootstrap installs them):" << Missing;
}

TEST(UserFiles, TheXdgFoldersFollowTheirRulesAndAreMadePrivate)
{
    const std::string Scratch = EnterScratchDirectory();
    const std::pair<const char*, std::string> Values[] = {
        {nullptr, "/home/u/.config"}, {"", "/home/u/.config"}, {"relative/dir", "/home/u/.config"},
        {"/etc/xdg-here", "/etc/xdg-here"}};
    for (const auto& [szValue, Folder] : Values)
        EXPECT_EQ(GameXdgFolder(szValue, "/home/u", ".config"), Folder) << (szValue ? szValue : "unset");
    EXPECT_EQ(GameXdgFolder(nullptr, "/", ".config"), "/.config");

    ASSERT_TRUE(GameMakePrivateFolder(Scratch + "/a/b/tamborel2"));
    EXPECT_EQ(Mode(Scratch + "/a"), 0700);
    EXPECT_EQ(Mode(Scratch + "/a/b/tamborel2"), 0700);
    EXPECT_TRUE(GameMakePrivateFolder(Scratch + "/a/b/tamborel2")) << "a folder that is there is fine";
    WriteFileText("plain", "a file where a folder should be");
    EXPECT_FALSE(GameMakePrivateFolder(Scratch + "/plain/tamborel2"));
    EXPECT_FALSE(GameMakePrivateFolder(Scratch + "/plain"));
}

TEST(GameProgram, AStartThatCannotWorkSaysWhyInOneLineAndFails)
{
    const std::string Scratch = EnterScratchDirectory();
    ASSERT_EQ(Shell("mkdir -p lone empty/data && cp '" TAMBOREL_GAME "' lone/").nStatus, 0);
    const std::string Quiet = "env -u TAMBOREL_DATA -u SDL_VIDEODRIVER -u DISPLAY SDL_AUDIODRIVER=dummy ";
    const std::pair<std::string, std::string> Cases[] = {
        {Quiet + "SDL_VIDEODRIVER=dummy lone/tamborel2", "tamborel2: no data set found: "},
        {Quiet + "'" TAMBOREL_GAME "'", "tamborel2: no display found (DISPLAY is not set)"},
        // A data folder without a first level: the engine starts and the set-up fails.
        {Quiet + "SDL_VIDEODRIVER=dummy '" TAMBOREL_GAME "' --data empty --demo",
         "tamborel2: the game could not start; the debug log '" + Scratch + "/debug.log' tells why\n"}};
    for (const auto& [Command, Start] : Cases) {
        RunResult Result = Shell(Command);
        EXPECT_EQ(Result.nStatus, 1) << Command;
        EXPECT_EQ(Result.Out, "") << Command;
        EXPECT_EQ(Result.Err.rfind(Start, 0), 0u) << Result.Err;
        EXPECT_EQ(std::count(Result.Err.begin(), Result.Err.end(), '\n'), 1) << Result.Err;
    }
}

}  // namespace
