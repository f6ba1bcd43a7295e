// Whole files to and from memory blocks, for the modules that load a file at once.
#include <algorithm>

#include "korvid.h"

namespace {

// FileWrite counts in 32-bit signed bytes; larger blocks go out in parts.
constexpr uint32_t LARGEST_WRITE = 0x40000000;

}  // namespace

void* KorvidMemory::FileToMemory(const char* szName, void* pDest, uint8_t nFileFlags)
{
    const char* szShown = szName ? szName : "(null)";
    uint32_t hFile = Korvid.FileOpen(szName, nFileFlags);
    if (!hFile) {
        Korvid.DebugLog("ERROR: ** FileToMemory('%s') - Can't Open File **", szShown);
        return nullptr;
    }
    int32_t nSize = Korvid.FileSize(hFile);
    if (nSize <= 0) {
        Korvid.DebugLog("ERROR: ** FileToMemory('%s') - File Empty **", szShown);
        Korvid.FileClose(hFile);
        return nullptr;
    }

    if (!pDest) {
        pDest = AllocMemory((uint32_t)nSize);
        if (!pDest) {
            Korvid.DebugLog("ERROR: ** FileToMemory('%s') - Can't Allocate memory (%d bytes) **", szShown, nSize);
            Korvid.FileClose(hFile);
            return nullptr;
        }
    } else {
        // Only a block the memory manager knows has a size to check the file against;
        // any other destination could be overrun by an unexpectedly long file.
        KorvidMallocRecord* pRecord = FindMalloc(pDest);
        if (!pRecord) {
            Korvid.DebugLog("ERROR: ** FileToMemory('%s') - Destination &%lu is not a Korvid Malloc **", szShown,
                            (unsigned long)(uintptr_t)pDest);
            Korvid.FileClose(hFile);
            return nullptr;
        }
        if (pRecord->nSize < (uint32_t)nSize) {
            Korvid.DebugLog(
                "ERROR: ** FileToMemory('%s') - Pre-Allocated Memory (%d bytes) Too Small for %d byte file **", szShown,
                (int)pRecord->nSize, nSize);
            int32_t nLoaded = Korvid.FileRead(hFile, pDest, (int32_t)pRecord->nSize);
            Korvid.DebugLog("ERROR: ** FileToMemory('%s') - %d Bytes Loaded to fill Malloc Space **", szShown, nLoaded);
            Korvid.FileClose(hFile);
            return nullptr;
        }
    }
    Korvid.FileRead(hFile, pDest, nSize);
    Korvid.FileClose(hFile);
    return pDest;
}

bool KorvidMemory::MemoryToFile(const char* szName, const void* pMemory, uint32_t nLength, uint8_t nFileFlags)
{
    const char* szShown = szName ? szName : "(null)";
    if (!pMemory) {
        Korvid.DebugLog("ERROR: ** MemoryToFile('%s', %d, %d) - Address NULL **", szShown, 0, (int)nLength);
        return false;
    }
    if (nLength == 0)
        nLength = MemorySize(pMemory);
    if (nLength == 0) {
        Korvid.DebugLog("ERROR: ** MemoryToFile('%s', %lu, %d) - Length 0 **", szShown,
                        (unsigned long)(uintptr_t)pMemory, 0);
        return false;
    }
    uint32_t hFile = Korvid.FileOpen(szName, nFileFlags);
    if (!hFile) {
        Korvid.DebugLog("ERROR: ** MemoryToFile('%s') - Can't Open File **", szShown);
        return false;
    }
    const uint8_t* pBytes = (const uint8_t*)pMemory;
    for (uint32_t nDone = 0; nDone < nLength;) {
        uint32_t nPart = std::min(nLength - nDone, LARGEST_WRITE);
        Korvid.FileWrite(hFile, pBytes + nDone, (int32_t)nPart);
        nDone += nPart;
    }
    Korvid.FileClose(hFile);
    return true;
}
