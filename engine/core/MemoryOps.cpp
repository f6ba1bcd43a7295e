// Checked fill, copy and compare: a null pointer or a length below one is
// refused with a log line instead of reaching the platform.
#include "core/KorvidMemory.h"

#include "korvid.h"

namespace {
uintptr_t AddressOf(const void* pMemory) { return reinterpret_cast<uintptr_t>(pMemory); }
}

void KorvidMemory::MemorySet(void* pDest, uint8_t nByte, int32_t nLength)
{
    KorvidProfileScope Section("KorvidMemory::MemorySet()");
    if (!pDest) {
        Korvid.DebugLog("ERROR: ** Failed MemorySet(%d, %d, %d) to ILLEGAL pointer **", 0, nByte, nLength);
        return;
    }
    if (nLength <= 0) {
        Korvid.DebugLog("ERROR: ** Failed MemorySet(%lu, %d, %d) - non-possitive length (length = %d) **",
                        AddressOf(pDest), nByte, nLength, nLength);
        return;
    }
    Korvid.OS()->MemSet(pDest, nByte, (size_t)nLength);
}

void KorvidMemory::MemoryCopy(void* pDest, const void* pSrc, int32_t nLength)
{
    KorvidProfileScope Section("KorvidMemory::MemoryCopy()");
    if (!pDest || !pSrc) {
        Korvid.DebugLog("ERROR: ** Failed MemoryCopy(%lu, %lu, %d) ILLEGAL pointer(s) **", AddressOf(pDest),
                        AddressOf(pSrc), nLength);
        return;
    }
    if (nLength <= 0) {
        if (Korvid.TraceMaskHas(KOR_TRACE_VERBOSE))
            Korvid.DebugLog("ERROR: ** Failed MemoryCopy(%lu, %lu, %d) - non-possitive length **", AddressOf(pDest),
                            AddressOf(pSrc), nLength);
        return;
    }
    Korvid.OS()->MemCopy(pDest, pSrc, (size_t)nLength);
}

int32_t KorvidMemory::MemoryCompare(const void* pA, const void* pB, int32_t nLength)
{
    KorvidProfileScope Section("KorvidMemory::MemoryCompare()");
    if (!pA || !pB) {
        Korvid.DebugLog("ERROR: ** Failed MemoryCompare(%lu, %lu, %d) ILLEGAL pointer(s) **", AddressOf(pA),
                        AddressOf(pB), nLength);
        return 0;
    }
    if (nLength <= 0) {
        if (Korvid.TraceMaskHas(KOR_TRACE_VERBOSE))
            Korvid.DebugLog("ERROR: ** Failed MemoryCompare(%lu, %lu, %d) - non-possitive length **", AddressOf(pA),
                            AddressOf(pB), nLength);
        return 0;
    }
    const uint8_t* pBytesA = static_cast<const uint8_t*>(pA);
    const uint8_t* pBytesB = static_cast<const uint8_t*>(pB);
    for (int32_t n = 0; n < nLength; ++n)
        if (pBytesA[n] != pBytesB[n])
            return (int32_t)pBytesA[n] - (int32_t)pBytesB[n];
    return 0;
}
