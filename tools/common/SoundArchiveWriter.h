// Writes a sound archive (".kar") from named WAV images: the directory of sizes,
// offsets and names, then the images one after the other in directory order.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct SoundArchiveEntry {
    std::string Name;             // at most 63 characters
    std::vector<uint8_t> Image;   // a complete RIFF WAVE image
};

// The archive's bytes, or an empty vector (with Error set) when an entry cannot be stored.
std::vector<uint8_t> BuildSoundArchive(const std::vector<SoundArchiveEntry>& Entries, std::string& Error);
