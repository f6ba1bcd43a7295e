// The malloc cache: blocks a module will want again are parked under a text
// label instead of being freed, and taken back by that label. When the cache
// is full the oldest fifth of it is freed to make room.
#include "core/KorvidMemory.h"

#include <algorithm>
#include <cstring>

#include "korvid.h"

namespace {
constexpr int32_t PURGE_FRACTION = 5;

size_t LabelLength(const char* szLabel) { return szLabel ? strlen(szLabel) : 0; }

bool IsLabelLengthValid(size_t nLength) { return nLength >= 1 && nLength <= KorvidMemory::MAX_CACHE_LABEL; }
}  // namespace

// The entry table is sized from the configuration at its first use.
bool KorvidMemory::PrepareMallocCache()
{
    if (m_pMallocCache)
        return true;
    int32_t nCapacity = Korvid.m_Config.nMallocCacheSize;
    if (nCapacity <= 0)
        return false;
    size_t nBytes = (size_t)nCapacity * sizeof(MallocCacheEntry);
    m_pMallocCache = static_cast<MallocCacheEntry*>(Korvid.OS()->Alloc(nBytes));
    if (!m_pMallocCache)
        return false;
    Korvid.OS()->MemSet(m_pMallocCache, 0, nBytes);
    m_nMallocCacheCapacity = nCapacity;
    return true;
}

int KorvidMemory::FindFreeCacheEntry() const
{
    for (int n = 0; n < m_nMallocCacheCapacity; ++n)
        if (m_pMallocCache[n].nAddress == 0)
            return n;
    return -1;
}

int KorvidMemory::FindOldestCacheEntry() const
{
    int nOldest = -1;
    for (int n = 0; n < m_nMallocCacheCapacity; ++n) {
        const MallocCacheEntry& Entry = m_pMallocCache[n];
        if (Entry.nAddress != 0 && (nOldest < 0 || Entry.nTimeAdded < m_pMallocCache[nOldest].nTimeAdded))
            nOldest = n;
    }
    return nOldest;
}

bool KorvidMemory::AddMallocCache(void* pMemory, const char* szLabel)
{
    KorvidLockScope Lock;
    uintptr_t nAddress = reinterpret_cast<uintptr_t>(pMemory);
    const KorvidMallocRecord* pRecord = FindMalloc(pMemory);
    if (!pRecord) {
        Korvid.DebugLog("ERROR: ** AddMallocCache(%lu, '%s') - Not Valid Korvid Malloc **", nAddress,
                        szLabel ? szLabel : "");
        return false;
    }
    size_t nLength = LabelLength(szLabel);
    if (!IsLabelLengthValid(nLength)) {
        Korvid.DebugLog("ERROR: ** AddMallocCache(%lu, [label]) - Label Length Invalid at %lubytes long **", nAddress,
                        (unsigned long)nLength);
        return false;
    }
    uint32_t nSize = pRecord->nSize;
    if (!PrepareMallocCache()) {
        Korvid.DebugLog("ERROR: ** AddMallocCache(%lu, '%s') - Cache Full Up **", nAddress, szLabel);
        return false;
    }
    int nEntry = FindFreeCacheEntry();
    if (nEntry < 0) {
        PurgeMallocCache();
        nEntry = FindFreeCacheEntry();
    }
    if (nEntry < 0) {
        Korvid.DebugLog("ERROR: ** AddMallocCache(%lu, '%s') - Cache Full Up **", nAddress, szLabel);
        return false;
    }
    MallocCacheEntry& Entry = m_pMallocCache[nEntry];
    memcpy(Entry.szLabel, szLabel, nLength + 1);
    Entry.nAddress = nAddress;
    Entry.nSize = nSize;
    Entry.nTimeAdded = Korvid.Timer();
    KorvidMemoryCounters& C = m_MemoryCounters;
    C.nCacheBytes += nSize;
    C.nCachePeakBytes = std::max(C.nCachePeakBytes, C.nCacheBytes);
    ++C.nCacheAdds;
    if (Korvid.TraceMaskHas(KOR_TRACE_MEMORY))
        Korvid.DebugLog("AddMallocCache -> '%s'", szLabel);
    return true;
}

void* KorvidMemory::TakeMallocCache(const char* szLabel)
{
    size_t nLength = LabelLength(szLabel);
    if (!IsLabelLengthValid(nLength)) {
        Korvid.DebugLog("ERROR: ** TakeMallocCache([label]) - Label Length Invalid at %lubytes long **",
                        (unsigned long)nLength);
        return nullptr;
    }
    KorvidLockScope Lock;
    for (int n = 0; n < m_nMallocCacheCapacity; ++n) {
        MallocCacheEntry& Entry = m_pMallocCache[n];
        if (Entry.nAddress == 0 || strcmp(Entry.szLabel, szLabel) != 0)
            continue;
        if (Korvid.TraceMaskHas(KOR_TRACE_MEMORY))
            Korvid.DebugLog("TakeMallocCache <- '%s'", szLabel);
        void* pMemory = reinterpret_cast<void*>(Entry.nAddress);
        m_MemoryCounters.nCacheBytes -= Entry.nSize;
        ++m_MemoryCounters.nCacheTakes;
        Entry = MallocCacheEntry{};
        return pMemory;
    }
    return nullptr;
}

void KorvidMemory::PurgeMallocCache()
{
    KorvidLockScope Lock;
    int32_t nPurges = m_nMallocCacheCapacity / PURGE_FRACTION;
    for (int32_t n = 0; n < nPurges; ++n) {
        int nOldest = FindOldestCacheEntry();
        if (nOldest < 0)
            return;
        MallocCacheEntry& Entry = m_pMallocCache[nOldest];
        if (Korvid.TraceMaskHas(KOR_TRACE_MEMORY))
            Korvid.DebugLog("Purged MallocCache '%s' - %.3f Minutes Old", Entry.szLabel,
                            (Korvid.Timer() - Entry.nTimeAdded) / 60000.0);
        ReleaseCacheEntry(Entry);
    }
}

void KorvidMemory::FlushMallocCache()
{
    KorvidLockScope Lock;
    for (int n = 0; n < m_nMallocCacheCapacity; ++n)
        if (m_pMallocCache[n].nAddress != 0)
            ReleaseCacheEntry(m_pMallocCache[n]);
}

// The block may have been freed behind the cache's back; then only the entry goes.
void KorvidMemory::ReleaseCacheEntry(MallocCacheEntry& Entry)
{
    void* pMemory = reinterpret_cast<void*>(Entry.nAddress);
    if (FindMalloc(pMemory))
        FreeMemory(pMemory);
    else
        Korvid.DebugLog("WARNING: ** Malloc Cache entry '%s' Free'd by Over Paid Programmer Error **", Entry.szLabel);
    m_MemoryCounters.nCacheBytes -= Entry.nSize;
    Entry = MallocCacheEntry{};
}
