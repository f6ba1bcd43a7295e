#include "Screenshot.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sys/stat.h>

#include "GameState.h"
#include "Text.h"
#include "korvid.h"
#include "services/ChunkyPng.h"

namespace {

constexpr uint32_t NOTE_MS = 2000;
constexpr int32_t NOTE_X = 24, NOTE_Y = 2;

uint32_t g_nNoteSince = 0;
bool g_bNoteShown = false;
bool g_bNoteSaved = false;

std::string Environment(const char* szName)
{
    const char* szValue = getenv(szName);
    return szValue ? szValue : "";
}

// Makes the folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& Folder)
{
    for (size_t nAt = 1; nAt <= Folder.size(); ++nAt)
        if (nAt == Folder.size() || Folder[nAt] == '/')
            if (mkdir(Folder.substr(0, nAt).c_str(), 0755) != 0 && errno != EEXIST)
                return false;
    struct stat Info;
    return stat(Folder.c_str(), &Info) == 0 && S_ISDIR(Info.st_mode);
}

// XDG_PICTURES_DIR from user-dirs.dirs: a quoted absolute path or one that
// starts with $HOME/. Empty when it is not set, or names the home folder itself
// (which is how the file says "no pictures folder").
std::string PicturesFolder(const std::string& Home)
{
    std::string Config = Environment("XDG_CONFIG_HOME");
    if (Config.empty() || Config[0] != '/')
        Config = Home + "/.config";
    std::ifstream File(Config + "/user-dirs.dirs");
    const std::string KEY = "XDG_PICTURES_DIR=\"";
    std::string Line, Folder;
    while (std::getline(File, Line)) {
        const size_t nStart = Line.find_first_not_of(" \t");
        if (nStart == std::string::npos || Line.compare(nStart, KEY.size(), KEY) != 0)
            continue;
        const size_t nEnd = Line.find('"', nStart + KEY.size());
        if (nEnd == std::string::npos)
            continue;
        std::string Value = Line.substr(nStart + KEY.size(), nEnd - nStart - KEY.size());
        if (Value.compare(0, 6, "$HOME/") == 0)
            Folder = Home + Value.substr(5);
        else if (Value == "$HOME")
            Folder = Home;
        else if (!Value.empty() && Value[0] == '/')
            Folder = Value;
    }
    while (Folder.size() > 1 && Folder.back() == '/')
        Folder.pop_back();
    return Folder == Home ? "" : Folder;
}

}  // namespace

std::string GameScreenshotFolder()
{
    const std::string Home = Environment("HOME");
    std::string Folder = Home.empty() ? "" : PicturesFolder(Home);
    if (!Folder.empty() && MakeFolders(Folder))
        return Folder + "/";
    std::string Data = Environment("XDG_DATA_HOME");
    if (Data.empty() || Data[0] != '/')
        Data = Home.empty() ? "" : Home + "/.local/share";
    Folder = Data + "/tamborel2/screenshots";
    return !Data.empty() && MakeFolders(Folder) ? Folder + "/" : "";
}

bool GameSaveScreenshot()
{
    g_bNoteShown = true;
    g_nNoteSince = Korvid.Timer();
    g_bNoteSaved = false;
    const std::string Folder = GameScreenshotFolder();
    if (Folder.empty()) {
        Korvid.DebugLog("** WARNING ** Screenshot: no folder to save it in");
        return false;
    }
    char szName[64];
    const time_t nNow = time(nullptr);
    struct tm Local;
    localtime_r(&nNow, &Local);
    strftime(szName, sizeof(szName), "tamborel2-%Y%m%d-%H%M%S.png", &Local);
    const std::string Path = Folder + szName;
    g_bNoteSaved = WriteChunkyPng(0, Path);
    Korvid.DebugLog(g_bNoteSaved ? "Tamborel: Screenshot saved to '%s'" : "** WARNING ** Screenshot: cannot write '%s'",
                    Path.c_str());
    return g_bNoteSaved;
}

void GameDrawScreenshotNote()
{
    if (!g_bNoteShown || Korvid.Timer() - g_nNoteSince >= NOTE_MS) {
        g_bNoteShown = false;
        return;
    }
    const char* szNote = g_bNoteSaved ? (g_nL ? "Screenshot saved" : "Bildschirmfoto gespeichert")
                                      : (g_nL ? "Screenshot failed" : "Bildschirmfoto fehlgeschlagen");
    GamePrintText(NOTE_X, NOTE_Y, szNote, 255, true);
}
