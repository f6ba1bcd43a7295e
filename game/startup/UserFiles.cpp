// Choosing the settings, high-score and log files of a run.
#include "UserFiles.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "korvid.h"

namespace {

constexpr const char* FOLDER_NAME = "/tamborel2";
constexpr const char* PROGRAM = "tamborel2";

GameFileNames g_UserFiles;
std::vector<std::string> g_FolderProblems;   // logged once the log is open

std::string HomeFolder()
{
    const char* szHome = getenv("HOME");
    if (szHome && szHome[0] == '/')
        return szHome;
    const passwd* pUser = getpwuid(getuid());
    return pUser && pUser->pw_dir ? pUser->pw_dir : "/";
}

// The game's folder under one XDG base folder, made when missing; empty, with
// the reason in Problem, when it cannot be.
std::string UserFolder(const char* szVariable, const char* szDefault, std::string& Problem)
{
    const std::string Folder = GameXdgFolder(getenv(szVariable), HomeFolder(), szDefault) + FOLDER_NAME;
    if (GameMakePrivateFolder(Folder))
        return Folder + "/";
    Problem = "cannot make the folder '" + Folder + "' (" + strerror(errno) + ")";
    return std::string();
}

std::string BaseName(const std::string& Name) { return Name.substr(Name.rfind('/') + 1); }

// The user's copy of a shipped file, started from the shipped one: the user's
// own file, once there is one, is the one read.
std::string UserCopy(const std::string& Folder, const std::string& ShippedName)
{
    const std::string Name = BaseName(ShippedName);
    const std::string Shipped = std::string(Korvid.GetReadDir() ? Korvid.GetReadDir() : "") + ShippedName;
    std::error_code Error;
    if (!std::filesystem::exists(Folder + Name, Error) && std::filesystem::exists(Shipped, Error))
        std::filesystem::copy_file(Shipped, Folder + Name, Error);
    return Folder + Name;
}

bool DataFolderWritable()
{
    const std::string DataFolder = std::string(Korvid.GetReadDir() ? Korvid.GetReadDir() : "./") + "data";
    return access(DataFolder.c_str(), W_OK) == 0;
}

}  // namespace

const GameFileNames& GameUserFiles() { return g_UserFiles; }

std::string GameXdgFolder(const char* szValue, const std::string& Home, const char* szDefault)
{
    if (szValue && szValue[0] == '/')
        return szValue;
    return Home + (Home.empty() || Home.back() != '/' ? "/" : "") + szDefault;
}

bool GameMakePrivateFolder(const std::string& Path)
{
    for (size_t nSlash = Path.find('/', 1);; nSlash = Path.find('/', nSlash + 1)) {
        const std::string Part = Path.substr(0, nSlash);
        if (mkdir(Part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (nSlash == std::string::npos)
            break;
    }
    struct stat Info;
    if (stat(Path.c_str(), &Info) != 0)
        return false;
    errno = ENOTDIR;
    return S_ISDIR(Info.st_mode);
}

void GameChooseUserFiles(bool bInstalled)
{
    g_UserFiles = GameFileNames();
    g_FolderProblems.clear();
    // Made when the editor first saves there.
    g_UserFiles.UserLevels = GameXdgFolder(getenv("XDG_DATA_HOME"), HomeFolder(), ".local/share") + FOLDER_NAME +
                             "/userlevels/";
    if (!bInstalled && DataFolderWritable())
        return;
    const GameFileNames Shipped;
    std::string Problem;
    const std::string Config = UserFolder("XDG_CONFIG_HOME", ".config", Problem);
    if (Config.empty()) {
        g_FolderProblems.push_back("Settings Not Saved: " + Problem);
    } else {
        g_UserFiles.Settings = UserCopy(Config, Shipped.Settings);
        g_UserFiles.SettingsTemp = Config + BaseName(Shipped.SettingsTemp);
    }
    const std::string Data = UserFolder("XDG_DATA_HOME", ".local/share", Problem);
    if (Data.empty()) {
        g_FolderProblems.push_back("High Score Names Not Saved: " + Problem);
    } else {
        g_UserFiles.Scores = UserCopy(Data, Shipped.Scores);
        g_UserFiles.ScoresTemp = Data + BaseName(Shipped.ScoresTemp);
    }
    const std::string State = UserFolder("XDG_STATE_HOME", ".local/state", Problem);
    if (State.empty()) {
        // Never beside the data set or in the working directory: this run keeps no log.
        Korvid.SetTraceMask(KOR_TRACE_NOFILE);
        g_UserFiles.Log.clear();
        fprintf(stderr, "%s: %s; playing without a debug log\n", PROGRAM, Problem.c_str());
        return;
    }
    Korvid.SetWriteDir(State.c_str());
    g_UserFiles.Log = State + Shipped.Log;
}

std::string GameUserLevelFile(const std::string& Name)
{
    const std::string Saved = g_UserFiles.UserLevels + BaseName(Name);
    std::error_code Error;
    return std::filesystem::exists(Saved, Error) ? Saved : "data/" + Name;
}

void GameUseScratchFiles(const std::string& Folder)
{
    for (std::string* pName : {&g_UserFiles.Settings, &g_UserFiles.SettingsTemp, &g_UserFiles.Scores,
                               &g_UserFiles.ScoresTemp})
        *pName = Folder + BaseName(*pName);
    // The levels the player saved are played from copies: an editor opened in
    // the replay saves over those.
    using std::filesystem::copy_options;
    const std::string Levels = Folder + "userlevels/";
    std::error_code Error;
    std::filesystem::create_directories(Levels, Error);
    if (std::filesystem::is_directory(g_UserFiles.UserLevels, Error))
        std::filesystem::copy(g_UserFiles.UserLevels, Levels, copy_options::overwrite_existing | copy_options::recursive,
                              Error);
    g_UserFiles.UserLevels = Levels;
}

void GameLogUserFiles()
{
    Korvid.DebugLog("Tamborel: Settings In '%s', High Score Names In '%s'", g_UserFiles.Settings.c_str(),
                    g_UserFiles.Scores.c_str());
    Korvid.DebugLog("Tamborel: Levels From The Level Editor In '%s'", g_UserFiles.UserLevels.c_str());
    for (const std::string& Problem : g_FolderProblems)
        Korvid.DebugLog("** WARNING ** Tamborel: %s", Problem.c_str());
}
