// The game's command line: window or full screen for this run, another data
// directory, help and version, the unattended demo, recording and replays,
// the level editor.
#pragma once
#include <cstdint>
#include <string>

#include "Version.h"

enum class GameCommand { Run, Help, Version, Invalid };

struct GameCommandLine {
    GameCommand Command = GameCommand::Run;
    uint8_t nWindowMode;    // KOR_FULLSCREEN unless --windowed came last
    std::string DataDir;    // empty: search as usual
    std::string Problem;    // what was wrong, for GameCommand::Invalid
    uint32_t nStartLevel = 0;   // --level: one-player games start at this level (1..100), 0 for the first
    uint32_t nScale = 0;        // --scale: the window this many times 800 x 600 (1..4), 0 from the settings
    bool bSmooth = false;       // --smooth: a filtered picture that fills the screen

    // The demo: the computer plays player 1 for a while of game time, then quits.
    bool bDemo = false;
    uint32_t nDemoSeconds = 60;
    bool bFast = false;         // a virtual clock, as fast as the machine goes
    bool bSeedGiven = false;
    uint32_t nSeed = 0;
    std::string ShotsDir;       // screenshots every 5 s of game time and at the end
    bool bChaos = false;        // random pointer moves, clicks and keys mixed in

    uint32_t nEditLevel = 0;    // --edit: the level editor opens on this level (1..100), 0 for the title

    std::string RecordFile;     // --record: the game is saved here at the end
    std::string ReplayFile;     // --replay: this recorded game is played back
};

// Reads the arguments after the program name.
GameCommandLine GameParseCommandLine(int nArgs, const char* const* ppArgs);
// The engine's kept arguments, read the same way.
GameCommandLine GameEngineCommandLine();
// For every command but Run: prints what it asks for (usage and version on
// stdout, a problem on stderr) and gives the exit status; -1 for Run.
int GameAnswerCommandLine(const GameCommandLine& Line);
