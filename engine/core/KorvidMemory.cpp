// The malloc list and the guarded blocks it records: allocation, release,
// lookup, accounting and the shutdown release.
#include "core/KorvidMemory.h"

#include <algorithm>

#include "korvid.h"

namespace {

constexpr uint32_t GUARD_ROOM = 4;
constexpr uint32_t NOTE_GRANULE = 102400;
constexpr uint32_t NOTE_SMALL_TOTAL = 1024000;
constexpr uint32_t NOTE_MEDIUM_TOTAL = 10240000;
constexpr uint32_t NOTE_SMALL_STEP = 204800;
constexpr uint32_t NOTE_MEDIUM_STEP = 512000;
constexpr uint32_t NOTE_LARGE_STEP = 2048000;

size_t AllocatedSize(const KorvidMallocRecord& Record) { return (size_t)Record.nSize + Record.nSlack; }

uint32_t* BlockWords(const KorvidMallocRecord& Record) { return reinterpret_cast<uint32_t*>(Record.nAddress); }

void FillWithPattern(void* pBlock, size_t nAllocated)
{
    uint32_t* pWords = static_cast<uint32_t*>(pBlock);
    std::fill(pWords, pWords + nAllocated / 4, KOR_MEM_PATTERN);
}

bool OnMainThread() { return Korvid.ThreadSelfId() == 0; }

}  // namespace

void KorvidMemory::SetMaxMallocs(uint32_t nCapacity)
{
    KorvidLockScope Lock;
    OSGeneric* pOS = Korvid.OS();
    if (!m_pMallocList) {
        if (!OnMainThread())
            Korvid.DebugLog("WARNING: ** SetMaxMallocs() - Called from non-Korvid Thread **");
        size_t nBytes = std::max<size_t>(nCapacity, 1) * sizeof(KorvidMallocRecord);
        m_pMallocList = static_cast<KorvidMallocRecord*>(pOS->Alloc(nBytes));
        if (!m_pMallocList)
            return;
        pOS->MemSet(m_pMallocList, 0, nBytes);
        m_nMallocCapacity = nCapacity;
        m_nMallocCount = 0;
        return;
    }
    if (m_nMallocCount >= nCapacity) {
        Korvid.DebugLog("WARNING: ** Can't Re-Allocate MallocList to Smaller Size=%u (%u in Use) **", nCapacity,
                        m_nMallocCount);
        return;
    }
    Korvid.DebugLog("Re-Allocating Malloc To Size=%u (Old Size=%u)", nCapacity, m_nMallocCapacity);
    size_t nBytes = (size_t)nCapacity * sizeof(KorvidMallocRecord);
    auto* pNewList = static_cast<KorvidMallocRecord*>(pOS->Alloc(nBytes));
    if (!pNewList) {
        Korvid.DebugLog("WARNING: ** Failed to Re-Allocate Malloc List Size=%u **", nCapacity);
        return;
    }
    pOS->MemSet(pNewList, 0, nBytes);
    pOS->MemCopy(pNewList, m_pMallocList, (size_t)m_nMallocCount * sizeof(KorvidMallocRecord));
    pOS->Free(m_pMallocList, (size_t)m_nMallocCapacity * sizeof(KorvidMallocRecord));
    m_pMallocList = pNewList;
    m_nMallocCapacity = nCapacity;
}

KorvidMallocRecord* KorvidMemory::NewMallocRecord()
{
    if (!m_pMallocList)
        SetMaxMallocs(FIRST_MALLOC_CAPACITY);
    if (m_pMallocList && m_nMallocCount >= m_nMallocCapacity) {
        // A list below five records would not grow by a fifth; it grows by one at least.
        uint32_t nGrown = std::max(m_nMallocCapacity + 1, m_nMallocCapacity + m_nMallocCapacity / 5);
        Korvid.DebugLog("WARNING: ** Malloc List Full, Expanding by 20%% to %u **", nGrown);
        SetMaxMallocs(nGrown);
    }
    if (!m_pMallocList || m_nMallocCount >= m_nMallocCapacity) {
        Korvid.DebugLog("ERROR: ** No Free Malloc Objects (Mallocs Used=%u) **", m_nMallocCount);
        return nullptr;
    }
    KorvidMallocRecord* pRecord = &m_pMallocList[m_nMallocCount++];
    *pRecord = KorvidMallocRecord{};
    return pRecord;
}

void KorvidMemory::RemoveMallocRecord(KorvidMallocRecord* pRecord)
{
    KorvidMallocRecord* pLast = &m_pMallocList[m_nMallocCount - 1];
    *pRecord = *pLast;
    *pLast = KorvidMallocRecord{};
    --m_nMallocCount;
}

void* KorvidMemory::AllocBlock(size_t nAllocated, uint8_t nFlags, bool& bFromHeap)
{
    bFromHeap = false;
    if (!(nFlags & (KOR_MEM_SYSTEM | KOR_MEM_NOHEAP))) {
        if (void* pBlock = HeapAlloc(nAllocated)) {
            bFromHeap = true;
            return pBlock;
        }
    }
    return Korvid.OS()->Alloc(nAllocated);
}

void KorvidMemory::ReleaseBlock(void* pBlock, size_t nAllocated, bool bFromHeap)
{
    if (bFromHeap)
        HeapRelease(reinterpret_cast<uintptr_t>(pBlock));
    else
        Korvid.OS()->Free(pBlock, nAllocated);
}

void* KorvidMemory::AllocMemory(uint32_t nSize, uint8_t nFlags)
{
    KorvidLockScope Lock;
    KorvidProfileScope Section("KorvidMemory::AllocMemory()");
    if (nSize == 0) {
        Korvid.DebugLog("ERROR: ** Failed AllocMemory(%u) **", nSize);
        return nullptr;
    }
    size_t nAllocated = ((size_t)nSize + GUARD_ROOM + 3) & ~(size_t)3;
    if (Korvid.TraceMaskHas(KOR_TRACE_MEMORY))
        Korvid.DebugLog("AllocMemory(%u) Attempt", nSize);

    bool bFromHeap = false;
    void* pBlock = AllocBlock(nAllocated, nFlags, bFromHeap);
    if (!pBlock) {
        Korvid.DebugLog("ERROR: ** Malloc(%lu, [%d]) FAILED **", (unsigned long)nAllocated, nFlags);
        Korvid.DebugLog("ERROR: ** Failed AllocMemory(%u) **", nSize);
        return nullptr;
    }
    KorvidMallocRecord* pRecord = NewMallocRecord();
    if (!pRecord) {
        Korvid.DebugLog("ERROR: ** Failed to create new Malloc Object! **");
        Korvid.DebugLog("ERROR: ** Failed AllocMemory(%u) **", nSize);
        // The block was never recorded: hand it straight back instead of losing it.
        ReleaseBlock(pBlock, nAllocated, bFromHeap);
        return nullptr;
    }

    FillWithPattern(pBlock, nAllocated);
    pRecord->nAddress = reinterpret_cast<uintptr_t>(pBlock);
    pRecord->nSize = nSize;
    pRecord->nSlack = (uint8_t)(nAllocated - nSize);
    // The heap mark is the manager's alone: a caller's would send a platform block to the heap on release.
    uint8_t nRecordedFlags = nFlags & ~KOR_MEM_FROMHEAP;
    pRecord->nFlags = bFromHeap ? (uint8_t)(nRecordedFlags | KOR_MEM_FROMHEAP) : nRecordedFlags;
    CountAllocation(*pRecord);
    CheckNoteThreshold();

    const KorvidMemoryCounters& C = m_MemoryCounters;
    if (Korvid.TraceMaskHas(KOR_TRACE_MEMORY) && Korvid.TraceMaskHas(KOR_TRACE_VERBOSE))
        Korvid.DebugLog("Alloced Memory -> &%lu (%s), Totals (%u Sys/%u Heap/Size %u)",
                        reinterpret_cast<uintptr_t>(pBlock), bFromHeap ? "Heap" : "Sys", C.nLivePlatformBlocks,
                        C.nLiveHeapBlocks, C.nUserBytes + C.nEngineBytes);
    if (nFlags & KOR_MEM_CLEAR)
        Korvid.OS()->MemSet(pBlock, 0, nSize);
    return pBlock;
}

void KorvidMemory::CountAllocation(const KorvidMallocRecord& Record)
{
    KorvidMemoryCounters& C = m_MemoryCounters;
    ++C.nTotalMallocs;
    if (Record.nFlags & KOR_MEM_FROMHEAP) {
        ++C.nTotalHeapMallocs;
        ++C.nLiveHeapBlocks;
    } else {
        ++C.nLivePlatformBlocks;
    }
    C.nPeakLiveBlocks = std::max(C.nPeakLiveBlocks, C.nLiveHeapBlocks + C.nLivePlatformBlocks);
    if (Record.nFlags & KOR_MEM_PRIVATE) {
        ++C.nEngineBlocks;
        C.nEngineBytes += Record.nSize;
        C.nEnginePeakBytes = std::max(C.nEnginePeakBytes, C.nEngineBytes);
    } else {
        ++C.nUserBlocks;
        C.nUserBytes += Record.nSize;
        C.nUserPeakBytes = std::max(C.nUserPeakBytes, C.nUserBytes);
    }
}

void KorvidMemory::CountRelease(const KorvidMallocRecord& Record)
{
    KorvidMemoryCounters& C = m_MemoryCounters;
    if (Record.nFlags & KOR_MEM_FROMHEAP)
        --C.nLiveHeapBlocks;
    else
        --C.nLivePlatformBlocks;
    if (Record.nFlags & KOR_MEM_PRIVATE) {
        --C.nEngineBlocks;
        C.nEngineBytes -= Record.nSize;
    } else {
        --C.nUserBlocks;
        C.nUserBytes -= Record.nSize;
    }
}

// Each time the total passes the threshold a note is written and the threshold
// moves up past the total, in steps that widen as the total grows.
void KorvidMemory::CheckNoteThreshold()
{
    uint32_t& nThreshold = Korvid.m_Config.nMemoryNoteThreshold;
    uint64_t nTotal = (uint64_t)m_MemoryCounters.nUserBytes + m_MemoryCounters.nEngineBytes;
    if (nTotal <= nThreshold)
        return;
    Korvid.DebugLog("NOTE: Memory Allocation Surpassed %uK for the first time; Currently %luK", nThreshold / 1024,
                    (unsigned long)(nTotal / 1024));
    uint64_t nStep = nTotal <= NOTE_SMALL_TOTAL ? NOTE_SMALL_STEP
                     : nTotal <= NOTE_MEDIUM_TOTAL ? NOTE_MEDIUM_STEP
                                                   : NOTE_LARGE_STEP;
    nThreshold = (uint32_t)std::min<uint64_t>(nTotal / NOTE_GRANULE * NOTE_GRANULE + nStep, UINT32_MAX);
}

KorvidMallocRecord* KorvidMemory::FindMalloc(const void* pMemory)
{
    uintptr_t nAddress = reinterpret_cast<uintptr_t>(pMemory);
    for (uint32_t n = 0; n < m_nMallocCount; ++n)
        if (m_pMallocList[n].nAddress == nAddress)
            return &m_pMallocList[n];
    Korvid.DebugLog("WARNING: ** FindMalloc(%lu) - Failed **", nAddress);
    return nullptr;
}

uint32_t KorvidMemory::MemorySize(const void* pMemory)
{
    const KorvidMallocRecord* pRecord = FindMalloc(pMemory);
    return pRecord ? pRecord->nSize : 0;
}

// A heap block outlives its heap only by a caller's mistake; its memory is gone
// and must not be looked at.
bool KorvidMemory::IsBlockReadable(const KorvidMallocRecord& Record) const
{
    return !(Record.nFlags & KOR_MEM_FROMHEAP) || HeapHolds(Record.nAddress, AllocatedSize(Record));
}

// The guard word tells of writes past the end; the untouched pattern of every
// other word tells of a block that was never used.
void KorvidMemory::InspectBlockOnFree(const KorvidMallocRecord& Record)
{
    const uint32_t* pWords = BlockWords(Record);
    size_t nGuard = AllocatedSize(Record) / 4 - 1;
    if (pWords[nGuard] != KOR_MEM_PATTERN)
        Korvid.DebugLog("ERROR: ** FreeMemory(&%lu) Memory Beyond Legal Range Damaged **", Record.nAddress);
    if (Korvid.TraceMaskHas(KOR_TRACE_VERBOSE) && !(Record.nFlags & KOR_MEM_PRIVATE) &&
        std::all_of(pWords, pWords + nGuard, [](uint32_t nWord) { return nWord == KOR_MEM_PATTERN; }))
        Korvid.DebugLog("NOTE: FreeMemory(&%lu) Size %u, Area was unused", Record.nAddress, Record.nSize);
}

void KorvidMemory::FreeMemory(void* pMemory)
{
    KorvidLockScope Lock;
    KorvidProfileScope Section("KorvidMemory::FreeMemory()");
    if (!pMemory) {
        Korvid.DebugLog("ERROR: ** FreeMemory(0) - Address NULL **");
        return;
    }
    KorvidMallocRecord* pRecord = FindMalloc(pMemory);
    if (!pRecord) {
        Korvid.DebugLog("ERROR: ** FreeMemory(&%lu) - Entry Not Found **", reinterpret_cast<uintptr_t>(pMemory));
        return;
    }
    // Taken off the list before anything is logged: a log line may itself allocate
    // and move the list, which would leave pRecord behind.
    const KorvidMallocRecord Record = *pRecord;
    RemoveMallocRecord(pRecord);
    if (Korvid.TraceMaskHas(KOR_TRACE_MEMORY))
        Korvid.DebugLog("FreeMemory(%u) -> &%lu", Record.nSize, Record.nAddress);
    if (IsBlockReadable(Record))
        InspectBlockOnFree(Record);

    CountRelease(Record);
    ReleaseBlock(pMemory, AllocatedSize(Record), Record.nFlags & KOR_MEM_FROMHEAP);
    const KorvidMemoryCounters& C = m_MemoryCounters;
    if (Korvid.TraceMaskHas(KOR_TRACE_MEMORY) && Korvid.TraceMaskHas(KOR_TRACE_VERBOSE))
        Korvid.DebugLog("Current Malloc Count %u, Size %u", C.nLivePlatformBlocks, C.nUserBytes + C.nEngineBytes);
}

// Shutdown: engine-private blocks are only listed (their owners release them);
// everything else still held is listed and freed.
void KorvidMemory::FreeAllMemory()
{
    KorvidLockScope Lock;
    uint32_t n = 0;
    while (n < m_nMallocCount) {
        const KorvidMallocRecord Record = m_pMallocList[n];
        if (Record.nFlags & KOR_MEM_PRIVATE) {
            Korvid.DebugLog("Memory Private: 0x%lx Size: %u)", Record.nAddress, Record.nSize);
            ++n;
            continue;
        }
        Korvid.DebugLog("Memory Now Free: 0x%lx Size: %u)", Record.nAddress, Record.nSize);
        // The last record moves into this slot, so the slot is looked at again.
        FreeMemory(reinterpret_cast<void*>(Record.nAddress));
    }
}
