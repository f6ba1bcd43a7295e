// The sound archive on any bytes: opened, then every entry looked up by its
// name and decoded. An open archive's names are terminated and its entries lie
// inside its data block.
#include <cstring>

#include "FuzzSupport.h"
#include "SoundArchive.h"
#include "korvid.h"

namespace {

constexpr const char* FUZZ_ARCHIVE = "sounds.kar";

void CheckDirectory(const SoundPack& Pack)
{
    if (Pack.nEntries > SOUND_PACK_MAX_ENTRIES)
        FuzzFail("more entries than the directory holds");
    for (uint32_t n = 0; n < Pack.nEntries; ++n) {
        if (!memchr(Pack.szNames[n], 0, SOUND_PACK_NAME_SIZE))
            FuzzFail("an entry name without its terminator");
        if ((uint64_t)Pack.nOffsets[n] + Pack.nSizes[n] > Pack.nDataSize)
            FuzzFail("an entry outside the data block");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzStartEngine(FuzzEngineParts::Sound);
    FuzzWriteFile(FUZZ_ARCHIVE, pData, nSize);
    static SoundPack Pack;
    memset(&Pack, 0, sizeof(Pack));
    OpenSoundPack(Pack, FUZZ_ARCHIVE);
    CheckDirectory(Pack);
    for (uint32_t n = 0; n < Pack.nEntries; ++n) {
        LoadPackSound(Pack, 1, Pack.szNames[n]);
        Korvid.FreeSound(1);
    }
    if (Pack.pData)
        Korvid.FreeMemory(Pack.pData);
    return 0;
}
