// The engine as the benchmarks run it: headless on SDL's dummy driver, a clock
// that lets a benchmark choose whether the bandwidth test keeps the dirty list,
// and the engine's three application functions left empty.
#pragma once
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "korvid.h"

// Starts SDL and the graphics system with an 800 x 600 display (or the given
// size) at an internal depth of 16 or 8 bits. Call once, before any case runs.
bool StartBenchEngine(uint16_t nWidth, uint16_t nHeight, uint8_t nDepth);

// Reopens the display at this internal depth with the dirty list kept or
// dropped by the bandwidth test; true when the display came back as asked.
bool ReopenDisplay(uint8_t nDepth, bool bDirtyList);

// Runs the registered cases; the three programs' main() bodies are this call.
int RunBenchmarks(int nArgs, char** ppArgs);

// Case names are "Subject/who": the table pairs "korvid" with every other "who".
std::string CaseName(const char* szSubject, const char* szWho);
