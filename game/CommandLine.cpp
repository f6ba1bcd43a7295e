// Command-line options, read before the engine starts and again by KorvidConfig.
#include "CommandLine.h"

#include <cstdio>
#include <unistd.h>
#include <vector>

#include "korvid.h"

namespace {

constexpr const char* PROGRAM = "tamborel2";
constexpr const char* VERSION = "1.0";
constexpr int EXIT_USAGE = 2;

constexpr const char* USAGE =
    "Usage: tamborel2 [OPTION]...\n"
    "Tamborel 2, a brick-breaker arcade game.\n"
    "\n"
    "  --windowed     play in a window (this run only)\n"
    "  --fullscreen   play on the full screen (the default)\n"
    "  --data DIR     take the game's files from DIR/data instead of searching\n"
    "                 (the same as TAMBOREL_DATA=DIR)\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Alt-Return switches between window and full screen while playing.\n";

GameCommandLine Invalid(const std::string& Problem)
{
    GameCommandLine Line;
    Line.Command = GameCommand::Invalid;
    Line.Problem = Problem;
    return Line;
}

}  // namespace

GameCommandLine GameParseCommandLine(int nArgs, const char* const* ppArgs)
{
    GameCommandLine Line;
    Line.nWindowMode = KOR_FULLSCREEN;
    for (int n = 0; n < nArgs; ++n) {
        std::string Arg = ppArgs[n] ? ppArgs[n] : "";
        if (Arg == "--help" || Arg == "--version") {
            Line.Command = Arg == "--help" ? GameCommand::Help : GameCommand::Version;
            return Line;
        }
        if (Arg == "--windowed") {
            Line.nWindowMode = KOR_WINDOWED;
        } else if (Arg == "--fullscreen") {
            Line.nWindowMode = KOR_FULLSCREEN;
        } else if (Arg == "--data") {
            if (n + 1 >= nArgs || !ppArgs[n + 1] || !ppArgs[n + 1][0])
                return Invalid("option '--data' needs a directory");
            Line.DataDir = ppArgs[++n];
        } else {
            return Invalid("unknown option '" + Arg + "'");
        }
    }
    return Line;
}

GameCommandLine GameEngineCommandLine()
{
    std::vector<const char*> Args;
    for (int n = 1; n <= Korvid.ArgCount(); ++n)
        Args.push_back(Korvid.Arg(n));
    return GameParseCommandLine((int)Args.size(), Args.data());
}

int GameAnswerCommandLine(const GameCommandLine& Line)
{
    switch (Line.Command) {
    case GameCommand::Help:
        fputs(USAGE, stdout);
        return 0;
    case GameCommand::Version:
        printf("Tamborel 2 %s\n", VERSION);
        return 0;
    case GameCommand::Invalid:
        fprintf(stderr, "%s: %s (try '%s --help')\n", PROGRAM, Line.Problem.c_str(), PROGRAM);
        return EXIT_USAGE;
    case GameCommand::Run:
        break;
    }
    // A data directory given by hand must hold the game's "data" folder.
    if (!Line.DataDir.empty() && access((Line.DataDir + "/data").c_str(), X_OK) != 0) {
        fprintf(stderr, "%s: no 'data' folder in '%s'\n", PROGRAM, Line.DataDir.c_str());
        return EXIT_USAGE;
    }
    return -1;
}
