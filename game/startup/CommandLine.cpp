// Command-line options, read before the engine starts and again by KorvidConfig.
#include "CommandLine.h"

#include <cstdio>
#include <cstring>
#include <utility>
#include <unistd.h>
#include <vector>

#include "korvid.h"

namespace {

constexpr const char* PROGRAM = "tamborel2";
constexpr int EXIT_USAGE = 2;
constexpr uint32_t LAST_LEVEL_NUMBER = 100;   // levels are counted from 1, as the panel shows them

constexpr const char* USAGE =
    "Usage: tamborel2 [OPTION]...\n"
    "Tamborel 2, a brick-breaker arcade game.\n"
    "\n"
    "  --windowed     play in a window (this run only)\n"
    "  --fullscreen   play on the full screen (the default), at the desktop's own\n"
    "                 resolution: the picture as large as it fits, on black\n"
    "  --scale=N      a window N times 800 x 600, N from 1 to 4 (settings: Scale)\n"
    "  --smooth       a filtered picture that fills the screen (settings: Smooth=1)\n"
    "  --data DIR     take the game's files from DIR/data instead of searching\n"
    "                 (the same as TAMBOREL_DATA=DIR)\n"
    "  --level=N      start one-player games (F11, the menu, the demo) at level\n"
    "                 N (1..100) of the chosen set; with boss stages on, one\n"
    "                 follows level 10 and every tenth level after it\n"
    "  --edit[=N]     open the level editor on level N (1..100, default 1) of\n"
    "                 the user set instead of the title screen, without the\n"
    "                 logo movies\n"
    "  --demo[=SECONDS]  let the computer play for SECONDS of game time (60),\n"
    "                 then print a summary line and quit\n"
    "  --fast         run the demo or the replay on a virtual clock as fast as\n"
    "                 possible\n"
    "  --seed=N       start the random numbers of the demo or the recorded game\n"
    "                 from N\n"
    "  --shots=DIR    save a PNG of the demo's screen every 5 seconds into DIR\n"
    "  --chaos        mix random pointer moves, clicks and keys into the demo\n"
    "  --record=FILE  record the game that follows (the demo too) into FILE\n"
    "  --replay=FILE  play back a recorded game, then print how it went: exit\n"
    "                 status 2 for a file this game cannot play, 4 when the\n"
    "                 game went another way than recorded\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Alt-Return switches between window and full screen while playing.\n"
    "Without a mouse: Left/Right or A/D steer, Space launches, Left Ctrl fires,\n"
    "Up/Down steer the ship of the boss stage. A gamepad steers with its stick or\n"
    "pad; its first button launches, the second fires, Start pauses. F12 saves a\n"
    "screenshot into the pictures folder. Play pauses when the window loses the\n"
    "focus (settings: FocusPause=0 turns that off).\n"
    "The manual page tamborel2(6) tells the keys and where the files are kept.\n";

GameCommandLine Invalid(const std::string& Problem)
{
    GameCommandLine Line;
    Line.Command = GameCommand::Invalid;
    Line.Problem = Problem;
    return Line;
}

// The number after "=" of an option, when it is a whole number from 0 up.
bool ReadNumber(const std::string& Text, uint32_t& nValue)
{
    if (Text.empty() || Text.size() > 9 || Text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    nValue = (uint32_t)std::stoul(Text);
    return true;
}

bool ReadLevelNumber(const std::string& Text, uint32_t& nLevel)
{
    return ReadNumber(Text, nLevel) && nLevel >= 1 && nLevel <= LAST_LEVEL_NUMBER;
}

bool StartsWith(const std::string& Text, const std::string& Start)
{
    return Text.compare(0, Start.size(), Start) == 0;
}

// Reads one of the demo's options; false with Problem set when it is malformed,
// false with Problem empty when Arg is no demo option.
bool ReadDemoOption(const std::string& Arg, GameCommandLine& Line, std::string& Problem)
{
    if (Arg == "--demo") {
        Line.bDemo = true;
    } else if (StartsWith(Arg, "--demo=")) {
        Line.bDemo = true;
        if (!ReadNumber(Arg.substr(7), Line.nDemoSeconds) || Line.nDemoSeconds == 0)
            Problem = "option '--demo' needs a number of seconds above 0";
    } else if (Arg == "--fast") {
        Line.bFast = true;
    } else if (Arg == "--chaos") {
        Line.bChaos = true;
    } else if (StartsWith(Arg, "--seed=")) {
        Line.bSeedGiven = ReadNumber(Arg.substr(7), Line.nSeed);
        if (!Line.bSeedGiven)
            Problem = "option '--seed' needs a whole number";
    } else if (StartsWith(Arg, "--shots=")) {
        Line.ShotsDir = Arg.substr(8);
        if (Line.ShotsDir.empty())
            Problem = "option '--shots' needs a directory";
    } else {
        return false;
    }
    return Problem.empty();
}

// Reads --record=FILE or --replay=FILE, as ReadDemoOption does.
bool ReadReplayOption(const std::string& Arg, GameCommandLine& Line, std::string& Problem)
{
    for (auto [szOption, pFile] : {std::pair{"--record", &Line.RecordFile}, std::pair{"--replay", &Line.ReplayFile}}) {
        if (!StartsWith(Arg, std::string(szOption) + "="))
            continue;
        *pFile = Arg.substr(strlen(szOption) + 1);
        if (pFile->empty())
            Problem = "option '" + std::string(szOption) + "' needs a file";
        return Problem.empty();
    }
    return false;
}

// Options that only make sense together; empty when the line is sound.
std::string Mismatch(const GameCommandLine& Line)
{
    const bool bReplay = !Line.ReplayFile.empty();
    if (Line.nEditLevel && (Line.bDemo || bReplay || !Line.RecordFile.empty()))
        return "option '--edit' opens the level editor: no '--demo', '--record' or '--replay'";
    if (bReplay && (Line.bDemo || !Line.RecordFile.empty() || Line.bSeedGiven || Line.nStartLevel))
        return "option '--replay' plays the recorded game alone: no '--demo', '--record', '--seed' or '--level'";
    if (Line.bFast && !Line.bDemo && !bReplay)
        return "option '--fast' goes with '--demo' or '--replay'";
    if (Line.bSeedGiven && !Line.bDemo && Line.RecordFile.empty())
        return "option '--seed' goes with '--demo' or '--record'";
    if (!Line.bDemo && (!Line.ShotsDir.empty() || Line.bChaos))
        return "options '--shots' and '--chaos' go with '--demo'";
    return "";
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
        } else if (StartsWith(Arg, "--scale=")) {
            if (!ReadNumber(Arg.substr(8), Line.nScale) || Line.nScale < 1 || Line.nScale > 4)
                return Invalid("option '--scale' needs a number from 1 to 4");
        } else if (Arg == "--smooth") {
            Line.bSmooth = true;
        } else if (StartsWith(Arg, "--level=")) {
            if (!ReadLevelNumber(Arg.substr(8), Line.nStartLevel))
                return Invalid("option '--level' needs a level number from 1 to 100");
        } else if (Arg == "--edit") {
            Line.nEditLevel = 1;
        } else if (StartsWith(Arg, "--edit=")) {
            if (!ReadLevelNumber(Arg.substr(7), Line.nEditLevel))
                return Invalid("option '--edit' needs a level number from 1 to 100");
        } else {
            std::string Problem;
            if (!ReadDemoOption(Arg, Line, Problem) && (!Problem.empty() || !ReadReplayOption(Arg, Line, Problem)))
                return Invalid(Problem.empty() ? "unknown option '" + Arg + "'" : Problem);
        }
    }
    const std::string Problem = Mismatch(Line);
    return Problem.empty() ? Line : Invalid(Problem);
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
        printf("Tamborel 2 %s\n", GAME_VERSION);
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
