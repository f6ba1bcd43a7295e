// Every block of memory the engine and the game use: guarded, filled with a
// known pattern, accounted as user or engine memory, reported at shutdown.
// Beside it: an optional heap of 1 KB blocks and a labelled cache of parked blocks.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr uint8_t KOR_MEM_SYSTEM = 0x01;
constexpr uint8_t KOR_MEM_PRIVATE = 0x02;
constexpr uint8_t KOR_MEM_CLEAR = 0x04;
constexpr uint8_t KOR_MEM_NOHEAP = 0x08;
constexpr uint8_t KOR_MEM_FROMHEAP = 0x10;

// The pattern every new block is filled with; the block's last word stays as
// the guard that FreeMemory checks.
constexpr uint32_t KOR_MEM_PATTERN = 0xDEADBEEF;

struct KorvidMallocRecord {
    uintptr_t nAddress;   // the block as handed to the caller; 0 in an unused slot
    uint32_t nSize;       // what the caller asked for
    uint8_t nSlack;       // allocated - asked: room for the guard word and rounding
    uint8_t nFlags;
};

// What the memory report prints; all counts since the engine started.
struct KorvidMemoryCounters {
    uint32_t nTotalMallocs = 0;
    uint32_t nTotalHeapMallocs = 0;
    uint32_t nLiveHeapBlocks = 0;
    uint32_t nLivePlatformBlocks = 0;
    uint32_t nPeakLiveBlocks = 0;
    uint32_t nUserBlocks = 0;
    uint32_t nUserBytes = 0;
    uint32_t nUserPeakBytes = 0;
    uint32_t nEngineBlocks = 0;
    uint32_t nEngineBytes = 0;
    uint32_t nEnginePeakBytes = 0;
    uint32_t nCacheBytes = 0;
    uint32_t nCachePeakBytes = 0;
    uint32_t nCacheAdds = 0;
    uint32_t nCacheTakes = 0;
};

class KorvidMemory {
public:
    static constexpr uint32_t FIRST_MALLOC_CAPACITY = 3000;
    static constexpr uint32_t HEAP_BLOCK_SIZE = 1024;
    static constexpr uint32_t MIN_HEAP_SIZE = 100000;
    static constexpr size_t MAX_CACHE_LABEL = 255;

    void SetMaxMallocs(uint32_t nCapacity);
    void* AllocMemory(uint32_t nSize, uint8_t nFlags = 0);
    void FreeMemory(void* pMemory);
    KorvidMallocRecord* FindMalloc(const void* pMemory);
    uint32_t MemorySize(const void* pMemory);

    void MemorySet(void* pDest, uint8_t nByte, int32_t nLength);
    void MemoryCopy(void* pDest, const void* pSrc, int32_t nLength);
    int32_t MemoryCompare(const void* pA, const void* pB, int32_t nLength);

    void* FileToMemory(const char* szName, void* pDest, uint8_t nFileFlags);
    bool MemoryToFile(const char* szName, const void* pMemory, uint32_t nLength, uint8_t nFileFlags);

    void SetHeapSize(uint32_t nBytes) { m_nHeapSize = nBytes; }
    void InitHeap();
    void FreeHeap();

    bool AddMallocCache(void* pMemory, const char* szLabel);
    void* TakeMallocCache(const char* szLabel);
    void PurgeMallocCache();
    void FlushMallocCache();

    void FreeAllMemory();
    void ReportMemory();

    const KorvidMemoryCounters& MemoryCounters() const { return m_MemoryCounters; }
    uint32_t MallocCapacity() const { return m_nMallocCapacity; }
    uint32_t MallocCount() const { return m_nMallocCount; }
    uint32_t HeapSize() const { return m_nHeapSize; }
    uint32_t HeapBlockCount() const { return m_nHeapBlocks; }
    const uint8_t* HeapBase() const { return m_pHeap; }

private:
    struct MallocCacheEntry {
        uintptr_t nAddress;   // 0 when the entry is free
        uint32_t nSize;
        uint32_t nTimeAdded;   // Timer() ms
        char szLabel[MAX_CACHE_LABEL + 1];
    };

    void* AllocBlock(size_t nAllocated, uint8_t nFlags, bool& bFromHeap);
    void ReleaseBlock(void* pBlock, size_t nAllocated, bool bFromHeap);
    KorvidMallocRecord* NewMallocRecord();
    void RemoveMallocRecord(KorvidMallocRecord* pRecord);
    void CountAllocation(const KorvidMallocRecord& Record);
    void CountRelease(const KorvidMallocRecord& Record);
    void CheckNoteThreshold();
    bool IsBlockReadable(const KorvidMallocRecord& Record) const;
    void InspectBlockOnFree(const KorvidMallocRecord& Record);

    void* HeapAlloc(size_t nAllocated);
    void HeapRelease(uintptr_t nAddress);
    bool HeapHolds(uintptr_t nAddress, size_t nBytes) const;

    bool PrepareMallocCache();
    int FindFreeCacheEntry() const;
    int FindOldestCacheEntry() const;
    void ReleaseCacheEntry(MallocCacheEntry& Entry);

    KorvidMallocRecord* m_pMallocList = nullptr;
    uint32_t m_nMallocCapacity = 0;
    uint32_t m_nMallocCount = 0;
    KorvidMemoryCounters m_MemoryCounters;

    uint32_t m_nHeapSize = 0;
    uint32_t m_nHeapBlocks = 0;
    uint8_t* m_pHeap = nullptr;
    uint32_t* m_pHeapTable = nullptr;   // run length at the first block of each run, else 0

    MallocCacheEntry* m_pMallocCache = nullptr;
    int32_t m_nMallocCacheCapacity = 0;
};
