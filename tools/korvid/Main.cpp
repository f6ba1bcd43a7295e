// korvid: looks into and converts the game's data files with the engine's own
// code. The engine runs headless for the length of one command: its set-up step
// runs the command, one empty frame follows, and it shuts down as always.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Tool.h"
#include "korvid.h"

namespace {

// Log lines go to the console only (no debug.log beside the user's files); the
// tool keeps them for failure reasons and shows them with --verbose.
class ToolPlatform : public OSEnvironment {
public:
    uint32_t GetTicks() override { return m_bOwnClock ? m_nOwnClock : OSEnvironment::GetTicks(); }
    void ConsolePrint(const char* szText) override
    {
        m_Lines.push_back(szText);
        if (m_bVerbose)
            fputs(szText, stderr);
    }
    std::vector<std::string> m_Lines;
    bool m_bVerbose = false;
    bool m_bOwnClock = false;
    uint32_t m_nOwnClock = 0;
};

ToolPlatform g_Platform;
const ToolCommand* g_pCommand = nullptr;
ToolArgs g_Args;
int g_nExitStatus = 1;

void PrintUsage(FILE* pOut)
{
    fputs("usage: korvid [--verbose] GROUP COMMAND ARGUMENTS...\n\n"
          "Looks into and converts the data files of Tamborel 2 with the game's own engine.\n\n",
          pOut);
    for (const ToolCommand& Command : ToolCommands())
        fprintf(pOut, "  korvid %s %s %s\n      %s\n", Command.szGroup, Command.szVerb, Command.szUsage,
                Command.szSummary);
    fputs("\nPictures: KVP, TGA, BMP, PCX and PNG are read; KVP, TGA, BMP and PNG are written.\n"
          "Exit status 0 on success, 1 with a one-line reason on failure.\n",
          pOut);
}

const ToolCommand* FindCommand(const std::string& Group, const std::string& Verb)
{
    for (const ToolCommand& Command : ToolCommands())
        if (Group == Command.szGroup && Verb == Command.szVerb)
            return &Command;
    return nullptr;
}

}  // namespace

void ToolClockStart()
{
    g_Platform.m_nOwnClock = g_Platform.GetTicks();
    g_Platform.m_bOwnClock = true;
}

void ToolClockAdvance(uint32_t nMilliseconds) { g_Platform.m_nOwnClock += nMilliseconds; }

size_t EngineLogMark() { return g_Platform.m_Lines.size(); }

std::string EngineErrorSince(size_t nMark, bool bErrorsOnly)
{
    for (size_t n = g_Platform.m_Lines.size(); n > nMark; --n) {
        const std::string& Line = g_Platform.m_Lines[n - 1];
        size_t nAt = Line.find("ERROR");
        if (nAt == std::string::npos)
            nAt = Line.find("Error");
        if (nAt == std::string::npos && !bErrorsOnly)
            nAt = Line.find("WARNING");
        if (nAt == std::string::npos)
            continue;
        std::string Reason = Line.substr(nAt);
        while (!Reason.empty() && (Reason.back() == '\n' || Reason.back() == '\r'))
            Reason.pop_back();
        return Reason;
    }
    return "";
}

void KorvidConfig()
{
    Korvid.SetTraceMask(KOR_TRACE_NOFILE | KOR_TRACE_CONSOLE);
    Korvid.SetFrameRate(KOR_FPS_ONE_FRAME);
    // Movies are palette pictures and play in an 8-bit display; pictures are
    // handled in the game's own 16-bit depth.
    bool bMovie = strcmp(g_pCommand->szGroup, "movie") == 0;
    Korvid.ChangeDisplayMode(320, 240, bMovie ? 8 : 16, KOR_WINDOWED);
}

bool SetupApplication()
{
    std::string Error;
    if (g_pCommand->Run(g_Args, Error)) {
        g_nExitStatus = 0;
    } else {
        fprintf(stderr, "korvid: %s\n", Error.c_str());
        g_nExitStatus = 1;
    }
    return true;
}

void KorvidMain() {}

int main(int nArgs, char** ppArgs)
{
    ToolArgs Words(ppArgs + 1, ppArgs + nArgs);
    if (!Words.empty() && Words[0] == "--verbose") {
        g_Platform.m_bVerbose = true;
        Words.erase(Words.begin());
    }
    if (Words.empty() || Words[0] == "--help" || Words[0] == "-h" || Words[0] == "help") {
        PrintUsage(Words.empty() ? stderr : stdout);
        return Words.empty() ? 1 : 0;
    }
    if (Words.size() < 2 || !(g_pCommand = FindCommand(Words[0], Words[1]))) {
        fprintf(stderr, "korvid: unknown command '%s%s%s' (see korvid --help)\n", Words[0].c_str(),
                Words.size() > 1 ? " " : "", Words.size() > 1 ? Words[1].c_str() : "");
        return 1;
    }
    g_Args.assign(Words.begin() + 2, Words.end());
    // Options are taken by the commands; what is left must fit the command's count.
    size_t nPlain = 0;
    for (const std::string& Arg : g_Args)
        nPlain += Arg.rfind("--", 0) != 0;
    if (nPlain < g_pCommand->nMinArgs || g_Args.size() > g_pCommand->nMaxArgs) {
        fprintf(stderr, "korvid: usage: korvid %s %s %s\n", g_pCommand->szGroup, g_pCommand->szVerb,
                g_pCommand->szUsage);
        return 1;
    }

    // Headless: no window, no sound device, whatever the environment says.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Korvid.SetPlatform(&g_Platform);
    Korvid.Main(1, ppArgs);
    return g_nExitStatus;
}
