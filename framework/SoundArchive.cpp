#include "SoundArchive.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <numeric>

#include "korvid.h"

namespace {

// One byte more than a name may take, so that an overlong name shows itself
// instead of leaving the rest of it to be read as the next entry.
constexpr int32_t NAME_READ_CAPACITY = SOUND_PACK_NAME_SIZE + 1;

bool ReadEntryName(uint32_t hFile, const char* szFileName, uint32_t nEntry, char* szName)
{
    char szRead[NAME_READ_CAPACITY];
    int32_t nStart = Korvid.FilePoss(hFile);
    Korvid.FileReadString(hFile, szRead, NAME_READ_CAPACITY);
    size_t nLength = strlen(szRead);
    if (nLength >= SOUND_PACK_NAME_SIZE) {
        Korvid.DebugLog("Error Archive File '%s' - Name of Entry %u Longer Than %u Characters", szFileName, nEntry,
                        SOUND_PACK_NAME_SIZE - 1);
        return false;
    }
    // The reader stops at the end of the file as if at a terminator; only a
    // terminator really read moves the position past the name.
    if (Korvid.FilePoss(hFile) != nStart + (int32_t)nLength + 1) {
        Korvid.DebugLog("Error Archive File '%s' - Name of Entry %u Not Terminated", szFileName, nEntry);
        return false;
    }
    memcpy(szName, szRead, nLength + 1);
    return true;
}

bool ReadDirectory(uint32_t hFile, const char* szFileName, SoundPack& Pack)
{
    Pack.nEntries = Korvid.FileReadLongBE(hFile);
    if (Pack.nEntries > SOUND_PACK_MAX_ENTRIES) {
        Korvid.DebugLog("Error Archive File '%s' - %u Entries, At Most %u", szFileName, Pack.nEntries,
                        SOUND_PACK_MAX_ENTRIES);
        return false;
    }
    uint64_t nTotal = 0;
    for (uint32_t n = 0; n < Pack.nEntries; ++n) {
        Pack.nSizes[n] = Korvid.FileReadLongBE(hFile);
        Pack.nOffsets[n] = Korvid.FileReadLongBE(hFile);
        nTotal += Pack.nSizes[n];
        if (!ReadEntryName(hFile, szFileName, n, Pack.szNames[n]))
            return false;
    }
    uint64_t nLeft = (uint64_t)std::max(Korvid.FileSize(hFile) - Korvid.FilePoss(hFile), 0);
    if (nTotal > nLeft) {
        Korvid.DebugLog("Error Archive File '%s' - Data Block of %lu Bytes Runs Past End of File", szFileName,
                        (unsigned long)nTotal);
        return false;
    }
    Pack.nDataSize = (uint32_t)nTotal;
    return true;
}

// Every image lies inside the data block and no two share a byte.
bool CheckEntries(const char* szFileName, const SoundPack& Pack)
{
    for (uint32_t n = 0; n < Pack.nEntries; ++n) {
        if ((uint64_t)Pack.nOffsets[n] + Pack.nSizes[n] > Pack.nDataSize) {
            Korvid.DebugLog("Error Archive File '%s' - Entry '%s' (Offset %u, Size %u) Outside Data Block of %u Bytes",
                            szFileName, Pack.szNames[n], Pack.nOffsets[n], Pack.nSizes[n], Pack.nDataSize);
            return false;
        }
    }
    uint32_t Order[SOUND_PACK_MAX_ENTRIES];
    std::iota(Order, Order + Pack.nEntries, 0u);
    std::sort(Order, Order + Pack.nEntries,
              [&Pack](uint32_t a, uint32_t b) { return Pack.nOffsets[a] < Pack.nOffsets[b]; });
    uint64_t nCoveredTo = 0;
    const char* szCovering = nullptr;
    for (uint32_t n = 0; n < Pack.nEntries; ++n) {
        uint32_t nEntry = Order[n];
        if (Pack.nSizes[nEntry] == 0)
            continue;
        if (szCovering && Pack.nOffsets[nEntry] < nCoveredTo) {
            Korvid.DebugLog("Error Archive File '%s' - Entries '%s' and '%s' Overlap", szFileName, szCovering,
                            Pack.szNames[nEntry]);
            return false;
        }
        nCoveredTo = (uint64_t)Pack.nOffsets[nEntry] + Pack.nSizes[nEntry];
        szCovering = Pack.szNames[nEntry];
    }
    return true;
}

bool ReadDataBlock(uint32_t hFile, const char* szFileName, SoundPack& Pack)
{
    uint32_t nTotal = Pack.nDataSize;
    if (nTotal == 0)
        return true;
    Pack.pData = (uint8_t*)Korvid.AllocMemory(nTotal);
    if (!Pack.pData) {
        Korvid.DebugLog("Error Allocating Archive Data Size %d", (int)nTotal);
        return false;
    }
    int32_t nRead = Korvid.FileRead(hFile, Pack.pData, (int32_t)nTotal);
    if (nRead != (int32_t)nTotal) {
        Korvid.DebugLog("Error Reading Archive File '%s' - %d of %u Bytes", szFileName, nRead, nTotal);
        return false;
    }
    return true;
}

void EmptyPack(SoundPack& Pack)
{
    if (Pack.pData)
        Korvid.FreeMemory(Pack.pData);
    memset(&Pack, 0, sizeof(Pack));
}

}  // namespace

void OpenSoundPack(SoundPack& Pack, const char* szFileName)
{
    const char* szShown = szFileName ? szFileName : "(null)";
    uint32_t hFile = Korvid.FileOpen(szFileName, KOR_FILE_READ);
    if (!hFile) {
        Korvid.DebugLog("Error Opening Archive File '%s'", szShown);
        return;
    }
    std::unique_ptr<SoundPack> pRead(new SoundPack());
    bool bRead = ReadDirectory(hFile, szShown, *pRead) && CheckEntries(szShown, *pRead) &&
                 ReadDataBlock(hFile, szShown, *pRead);
    Korvid.FileClose(hFile);
    EmptyPack(Pack);
    if (bRead)
        Pack = *pRead;
    else
        EmptyPack(*pRead);
}

void CloseSoundPack(SoundPack& Pack)
{
    EmptyPack(Pack);
}

bool LoadPackSound(SoundPack& Pack, uint32_t nId, const char* szName)
{
    for (uint32_t n = 0; n < Pack.nEntries && szName; ++n)
        if (strcmp(Pack.szNames[n], szName) == 0)
            return Korvid.DecodeWAV(nId, Pack.pData + Pack.nOffsets[n], Pack.nSizes[n], false);
    Korvid.DebugLog("WARNING: ** Failed to find Sound '%s' **", szName ? szName : "(null)");
    return false;
}
