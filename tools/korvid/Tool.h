// The korvid tool's commands: each takes its arguments, does its work through the
// engine, prints what it has to say on stdout, and on failure fills in a one-line
// reason for the caller to print.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using ToolArgs = std::vector<std::string>;

struct ToolCommand {
    const char* szGroup;     // "image", "movie", "kar", "wav"
    const char* szVerb;      // "info", "convert", ...
    const char* szUsage;     // the arguments, for the help text
    const char* szSummary;   // one line for the help text
    size_t nMinArgs, nMaxArgs;
    bool (*Run)(const ToolArgs& Args, std::string& Error);
};

// Every command, in the order the help text lists them.
const std::vector<ToolCommand>& ToolCommands();

// The value after an option such as "--depth" in Args (removing both), or Default.
std::string TakeOption(ToolArgs& Args, const std::string& Option, const std::string& Default);

// A mark in the engine's log, and the last error (or, unless bErrorsOnly, warning)
// logged after it ("" when there was none): the reason for a failure the engine reported.
size_t EngineLogMark();
std::string EngineErrorSince(size_t nMark, bool bErrorsOnly = false);

// The tool's own clock: from ToolClockStart on, the engine's time moves only by
// ToolClockAdvance, so timed playback runs as fast as the machine allows.
void ToolClockStart();
void ToolClockAdvance(uint32_t nMilliseconds);

// Whole files as bytes.
bool ReadWholeFile(const std::string& Path, std::vector<uint8_t>& Bytes, std::string& Error);
bool WriteWholeFile(const std::string& Path, const uint8_t* pBytes, size_t nSize, std::string& Error);

// The command groups, one file each.
bool ArchiveList(const ToolArgs& Args, std::string& Error);
bool ArchiveExtract(const ToolArgs& Args, std::string& Error);
bool ArchivePack(const ToolArgs& Args, std::string& Error);
bool WavDecode(const ToolArgs& Args, std::string& Error);
bool ImageInfo(const ToolArgs& Args, std::string& Error);
bool ImageConvert(const ToolArgs& Args, std::string& Error);
bool MovieInfo(const ToolArgs& Args, std::string& Error);
bool MovieFrames(const ToolArgs& Args, std::string& Error);
