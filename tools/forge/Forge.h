// The data forge: writes the game's whole data set (pictures, sheets, movies,
// levels, sounds and music) from code and the level sources. Every step is
// deterministic: the same program writes the same bytes on every run.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ForgeContext {
    std::string OutDir;       // the data directory being written ("<build>/data")
    std::string LevelSources; // the folder of level sources ("levels/" of the source tree)
    std::string ContactDir;   // when set, every picture is also written there as PNG to look at
};

// One step of the forge: its name (for the command line and the progress lines)
// and the function that writes its files. A step returns false after printing why.
struct ForgeStep {
    const char* szName;
    bool (*pRun)(const ForgeContext& Context);
};
const std::vector<ForgeStep>& ForgeSteps();

// Path of a file of the data set: OutDir + "/" + Relative.
std::string ForgePath(const ForgeContext& Context, const std::string& Relative);

// Writes bytes to OutDir/Relative, creating the folders on the way. False (and a
// line on stderr) when the file cannot be written.
bool ForgeWriteFile(const ForgeContext& Context, const std::string& Relative, const std::vector<uint8_t>& Bytes);

// Creates OutDir/Relative and the folders above it.
bool ForgeMakeFolders(const std::string& Path);

// A progress or failure line on stdout / stderr, prefixed "tamborel-forge: ".
void ForgeSay(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));
void ForgeComplain(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));
