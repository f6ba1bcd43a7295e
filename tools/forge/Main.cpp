// tamborel-forge OUTDIR: writes the game's data set into OUTDIR. The engine runs
// headless for the length of the run (its set-up step runs the forge steps), so
// pictures and sounds are written by the same code that reads them in the game.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <unistd.h>

#include "Forge.h"
#include "korvid.h"

#ifndef TAMBOREL_LEVEL_SOURCES
#define TAMBOREL_LEVEL_SOURCES "levels"
#endif

namespace {

// Engine log lines go nowhere unless asked for; errors always reach stderr.
class ForgePlatform : public OSEnvironment {
public:
    void ConsolePrint(const char* szText) override
    {
        if (m_bVerbose || strstr(szText, "ERROR"))
            fputs(szText, stderr);
    }
    bool m_bVerbose = false;
};

ForgePlatform g_Platform;
ForgeContext g_Context;
std::set<std::string> g_Only;
int g_nExitStatus = 1;

void PrintUsage(FILE* pOut)
{
    fputs("usage: tamborel-forge [--verbose] [--levels DIR] [--contact DIR] [--only STEP]... OUTDIR\n\n"
          "Writes the data set of Tamborel 2 (pictures, sheets, movies, levels, sounds, music) into OUTDIR.\n"
          "  --levels DIR   folder of the level sources (default: the source tree's levels/)\n"
          "  --contact DIR  also write every picture as PNG into DIR, to look at\n"
          "  --only STEP    run only the named step (may be repeated); steps:",
          pOut);
    for (const ForgeStep& Step : ForgeSteps())
        fprintf(pOut, " %s", Step.szName);
    fputc('\n', pOut);
}

bool ParseArguments(int nArgs, char** ppArgs)
{
    g_Context.LevelSources = TAMBOREL_LEVEL_SOURCES;
    for (int n = 1; n < nArgs; ++n) {
        std::string Arg = ppArgs[n];
        bool bHasValue = n + 1 < nArgs;
        if (Arg == "--verbose")
            g_Platform.m_bVerbose = true;
        else if (Arg == "--levels" && bHasValue)
            g_Context.LevelSources = ppArgs[++n];
        else if (Arg == "--contact" && bHasValue)
            g_Context.ContactDir = ppArgs[++n];
        else if (Arg == "--only" && bHasValue)
            g_Only.insert(ppArgs[++n]);
        else if (Arg.rfind("--", 0) != 0 && g_Context.OutDir.empty())
            g_Context.OutDir = Arg;
        else
            return false;
    }
    return !g_Context.OutDir.empty();
}

// An absolute form of a path that exists, so it survives the change of folder below.
bool MakeAbsolute(std::string& Path)
{
    char szResolved[PATH_MAX];
    if (!realpath(Path.c_str(), szResolved)) {
        ForgeComplain("cannot find '%s': %s", Path.c_str(), strerror(errno));
        return false;
    }
    Path = szResolved;
    return true;
}

// The steps work inside the data directory: the engine opens picture names in
// lower case, so the data set's own files are named relative to it and the
// letters of the folders above it never matter.
bool EnterOutputFolder()
{
    if (!ForgeMakeFolders(g_Context.OutDir))
        return false;
    if (!g_Context.ContactDir.empty() && (!ForgeMakeFolders(g_Context.ContactDir) || !MakeAbsolute(g_Context.ContactDir)))
        return false;
    if (!MakeAbsolute(g_Context.LevelSources) || chdir(g_Context.OutDir.c_str()) != 0) {
        ForgeComplain("cannot work in '%s': %s", g_Context.OutDir.c_str(), strerror(errno));
        return false;
    }
    g_Context.OutDir = ".";
    return true;
}

bool RunSteps()
{
    if (!EnterOutputFolder())
        return false;
    for (const std::string& Name : g_Only) {
        bool bKnown = false;
        for (const ForgeStep& Step : ForgeSteps())
            bKnown |= Name == Step.szName;
        if (!bKnown) {
            ForgeComplain("unknown step '%s'", Name.c_str());
            return false;
        }
    }
    for (const ForgeStep& Step : ForgeSteps()) {
        if (!g_Only.empty() && !g_Only.count(Step.szName))
            continue;
        ForgeSay("%s", Step.szName);
        if (!Step.pRun(g_Context)) {
            ForgeComplain("step '%s' failed", Step.szName);
            return false;
        }
    }
    return true;
}

}  // namespace

void KorvidConfig()
{
    Korvid.SetTraceMask(KOR_TRACE_NOFILE | KOR_TRACE_CONSOLE);
    Korvid.SetFrameRate(KOR_FPS_ONE_FRAME);
    Korvid.SetMaxChunkies(1000);
    // Pictures are made in the game's own 16-bit format.
    Korvid.ChangeDisplayMode(800, 600, 16, KOR_WINDOWED);
}

bool SetupApplication()
{
    g_nExitStatus = RunSteps() ? 0 : 1;
    return true;
}

void KorvidMain() {}

int main(int nArgs, char** ppArgs)
{
    if (nArgs > 1 && (!strcmp(ppArgs[1], "--help") || !strcmp(ppArgs[1], "-h"))) {
        PrintUsage(stdout);
        return 0;
    }
    if (!ParseArguments(nArgs, ppArgs)) {
        PrintUsage(stderr);
        return 2;
    }
    // Headless: no window, no sound device, whatever the environment says.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Korvid.SetPlatform(&g_Platform);
    Korvid.Main(1, ppArgs);
    return g_nExitStatus;
}
