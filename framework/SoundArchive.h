// The sound archive (".kar"): every sound of a game in one file, read into
// memory once and loaded into sound slots by name.
//
// File layout, all integers 32-bit unsigned big-endian:
//   entry count N (at most 250)
//   N directory entries: image size, image offset from the start of the data
//   block, name (zero-terminated, at most 63 characters)
//   the data block, as long as all image sizes together; each image a RIFF WAVE
#pragma once
#include <cstdint>

constexpr uint32_t SOUND_PACK_MAX_ENTRIES = 250;
constexpr uint32_t SOUND_PACK_NAME_SIZE = 64;

struct SoundPack {
    uint32_t nEntries;
    uint8_t* pData;       // from the memory manager; CloseSoundPack gives it back
    uint32_t nDataSize;
    char szNames[SOUND_PACK_MAX_ENTRIES][SOUND_PACK_NAME_SIZE];
    uint32_t nSizes[SOUND_PACK_MAX_ENTRIES];
    uint32_t nOffsets[SOUND_PACK_MAX_ENTRIES];
};

// Reads the archive. A file that cannot be opened leaves the pack as it was; a
// damaged one leaves it empty. Either way the failure is logged.
void OpenSoundPack(SoundPack& Pack, const char* szFileName);

// Gives the pack's memory back and leaves it empty.
void CloseSoundPack(SoundPack& Pack);

// Decodes the first entry named exactly szName into sound slot nId; the image
// stays in the pack. False when the name is missing or decoding fails.
bool LoadPackSound(SoundPack& Pack, uint32_t nId, const char* szName);
