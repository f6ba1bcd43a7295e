// The optional heap: one platform block cut into 1 KB blocks, handed out first
// fit. A table holds one word per block: the run length at the first block of
// each allocated run, 0 everywhere else.
#include "core/KorvidMemory.h"

#include "korvid.h"

namespace {
bool OnMainThread() { return Korvid.ThreadSelfId() == 0; }
}

void KorvidMemory::InitHeap()
{
    if (m_nHeapSize == 0 || m_pHeap)
        return;
    if (m_nHeapSize < MIN_HEAP_SIZE) {
        Korvid.DebugLog("Heap of %u bytes if too small (100k minimum)", m_nHeapSize);
        return;
    }
    OSGeneric* pOS = Korvid.OS();
    uint32_t nBlocks = m_nHeapSize / HEAP_BLOCK_SIZE;
    Korvid.DebugLog("Allocating %uK Heap (%u Blocks)", nBlocks, nBlocks);
    m_pHeap = static_cast<uint8_t*>(pOS->Alloc((size_t)nBlocks * HEAP_BLOCK_SIZE));
    if (!m_pHeap) {
        Korvid.DebugLog("ERROR: ** Heap Allocation FAILED **");
        return;
    }
    m_pHeapTable = static_cast<uint32_t*>(pOS->Alloc((size_t)nBlocks * sizeof(uint32_t)));
    if (!m_pHeapTable) {
        Korvid.DebugLog("ERROR: ** HeapList Allocation FAILED **");
        pOS->Free(m_pHeap, (size_t)nBlocks * HEAP_BLOCK_SIZE);
        m_pHeap = nullptr;
        return;
    }
    pOS->MemSet(m_pHeapTable, 0, (size_t)nBlocks * sizeof(uint32_t));
    m_nHeapBlocks = nBlocks;
}

void KorvidMemory::FreeHeap()
{
    if (!m_pHeap)
        return;
    Korvid.DebugLog("Freeing Memory Heap");
    if (!OnMainThread())
        Korvid.DebugLog("WARNING: ** FreeHeap() - Called from non-Korvid Thread **");
    OSGeneric* pOS = Korvid.OS();
    pOS->Free(m_pHeap, (size_t)m_nHeapBlocks * HEAP_BLOCK_SIZE);
    pOS->Free(m_pHeapTable, (size_t)m_nHeapBlocks * sizeof(uint32_t));
    m_pHeap = nullptr;
    m_pHeapTable = nullptr;
    m_nHeapSize = 0;
    m_nHeapBlocks = 0;
}

void* KorvidMemory::HeapAlloc(size_t nAllocated)
{
    if (!m_pHeap || nAllocated > (size_t)m_nHeapBlocks * HEAP_BLOCK_SIZE)
        return nullptr;
    size_t nNeeded = nAllocated / HEAP_BLOCK_SIZE + 1;
    size_t nStart = 0;
    while (nStart + nNeeded <= m_nHeapBlocks) {
        size_t nBlock = nStart;
        while (nBlock < nStart + nNeeded && m_pHeapTable[nBlock] == 0)
            ++nBlock;
        if (nBlock == nStart + nNeeded) {
            m_pHeapTable[nStart] = (uint32_t)nNeeded;
            return m_pHeap + nStart * HEAP_BLOCK_SIZE;
        }
        // A run starts inside the candidate range: try again just after it.
        nStart = nBlock + m_pHeapTable[nBlock];
    }
    return nullptr;
}

bool KorvidMemory::HeapHolds(uintptr_t nAddress, size_t nBytes) const
{
    uintptr_t nBase = reinterpret_cast<uintptr_t>(m_pHeap);
    size_t nHeapBytes = (size_t)m_nHeapBlocks * HEAP_BLOCK_SIZE;
    return m_pHeap && nAddress >= nBase && nAddress - nBase <= nHeapBytes && nBytes <= nHeapBytes - (nAddress - nBase);
}

void KorvidMemory::HeapRelease(uintptr_t nAddress)
{
    intptr_t nBlock = (intptr_t)(nAddress - reinterpret_cast<uintptr_t>(m_pHeap)) / (intptr_t)HEAP_BLOCK_SIZE;
    if (!HeapHolds(nAddress, HEAP_BLOCK_SIZE)) {
        Korvid.DebugLog("Heap Block %ld out of range", (long)nBlock);
        return;
    }
    m_pHeapTable[nBlock] = 0;
}
