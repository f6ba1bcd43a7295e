// Checks before the start and the line after a failed one.
#include "StartCheck.h"

#include <X11/Xlib.h>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "UserFiles.h"

namespace {

constexpr const char* PROGRAM = "tamborel2";
// Where an installed game keeps its data set, from its program's folder (set by the build).
constexpr const char* INSTALLED_DATA = TAMBOREL_INSTALLED_DATA;

std::string ProgramFolder()
{
    char szPath[PATH_MAX];
    if (!realpath("/proc/self/exe", szPath))
        return "the program's folder";
    std::string Path = szPath;
    return Path.substr(0, Path.rfind('/') + 1);
}

std::string WorkingFolder()
{
    char szPath[PATH_MAX];
    return getcwd(szPath, sizeof(szPath)) ? szPath : ".";
}

void TellNoDataSet()
{
    const char* szVariable = getenv("TAMBOREL_DATA");
    const std::string Variable = szVariable ? std::string("'") + szVariable + "'" : "not set";
    fprintf(stderr,
            "%s: no data set found: no 'data' folder in TAMBOREL_DATA (%s), %s, %s%s or %s; make one with "
            "scripts/play, or name the folder that holds it with --data DIR or TAMBOREL_DATA=DIR\n",
            PROGRAM, Variable.c_str(), ProgramFolder().c_str(), ProgramFolder().c_str(), INSTALLED_DATA,
            WorkingFolder().c_str());
}

// SDL falls back to its text-mode driver when no X display opens; a driver named
// by the user is the user's choice.
bool DisplayReachable()
{
    const char* szDriver = getenv("SDL_VIDEODRIVER");
    if (szDriver && szDriver[0])
        return true;
    Display* pDisplay = XOpenDisplay(nullptr);
    if (!pDisplay)
        return false;
    XCloseDisplay(pDisplay);
    return true;
}

}  // namespace

KorvidDataPlace GameLocateData(const GameCommandLine& Line)
{
    if (!Line.DataDir.empty() && Korvid.CheckDataDirectory(Line.DataDir.c_str(), "data"))
        return KorvidDataPlace::Variable;
    return Korvid.LocateDataDirectory("tamborel", nullptr, "data", INSTALLED_DATA);
}

bool GameReadyToStart(const GameCommandLine& Line)
{
    if (GameLocateData(Line) == KorvidDataPlace::Nowhere) {
        TellNoDataSet();
        return false;
    }
    if (!DisplayReachable()) {
        const char* szDisplay = getenv("DISPLAY");
        fprintf(stderr,
                "%s: no display found (DISPLAY is %s%s%s): start the game on a desktop, or name an SDL video "
                "driver in SDL_VIDEODRIVER\n",
                PROGRAM, szDisplay ? "'" : "not set", szDisplay ? szDisplay : "", szDisplay ? "'" : "");
        return false;
    }
    return true;
}

void GameTellFailedStart()
{
    const std::string& Log = GameUserFiles().Log;
    if (Log.empty())
        fprintf(stderr, "%s: the game could not start (this run kept no debug log)\n", PROGRAM);
    else
        fprintf(stderr, "%s: the game could not start; the debug log '%s' tells why\n", PROGRAM,
                Log[0] == '/' ? Log.c_str() : (WorkingFolder() + "/" + Log).c_str());
}
