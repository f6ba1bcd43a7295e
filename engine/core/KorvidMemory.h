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

struct KorvidMallocRecord {
    uintptr_t nAddress;   // the block as handed to the caller; 0 in an unused slot
    uint32_t nSize;       // what the caller asked for
    uint8_t nSlack;       // allocated - asked: room for the guard word and rounding
    uint8_t nFlags;
};

class KorvidMemory {
public:
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

    void SetHeapSize(uint32_t nBytes);
    void InitHeap();
    void FreeHeap();

    bool AddMallocCache(void* pMemory, const char* szLabel);
    void* TakeMallocCache(const char* szLabel);
    void PurgeMallocCache();
    void FlushMallocCache();

    void FreeAllMemory();
    void ReportMemory();
};
