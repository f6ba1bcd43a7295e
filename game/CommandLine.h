// The game's command line: window or full screen for this run, another data
// directory, help and version.
#pragma once
#include <cstdint>
#include <string>

enum class GameCommand { Run, Help, Version, Invalid };

struct GameCommandLine {
    GameCommand Command = GameCommand::Run;
    uint8_t nWindowMode;    // KOR_FULLSCREEN unless --windowed came last
    std::string DataDir;    // empty: search as usual
    std::string Problem;    // what was wrong, for GameCommand::Invalid
};

// Reads the arguments after the program name.
GameCommandLine GameParseCommandLine(int nArgs, const char* const* ppArgs);
// The engine's kept arguments, read the same way.
GameCommandLine GameEngineCommandLine();
// For every command but Run: prints what it asks for (usage and version on
// stdout, a problem on stderr) and gives the exit status; -1 for Run.
int GameAnswerCommandLine(const GameCommandLine& Line);
