// The optional 1 KB-block heap: its size limits, first-fit placement and reuse,
// the fall-back to the platform, guards inside it and its release.
#include "MemoryTestFixture.h"

namespace {

class MemoryHeapTest : public MemoryTest {
protected:
    static void InitHeapOf(uint32_t nBytes)
    {
        Korvid.SetHeapSize(nBytes);
        Korvid.InitHeap();
    }
    static ptrdiff_t Offset(const void* pBlock) { return static_cast<const uint8_t*>(pBlock) - Korvid.HeapBase(); }
    static bool FromHeap(const void* pBlock) { return Korvid.FindMalloc(pBlock)->nFlags & KOR_MEM_FROMHEAP; }
};

TEST_F(MemoryHeapTest, HeapNeedsAtLeastAHundredThousandBytes)
{
    struct Case {
        uint32_t nBytes;
        uint32_t nBlocks;
    };
    for (Case C : {Case{0, 0}, Case{50000, 0}, Case{99999, 0}, Case{100000, 97}, Case{102400, 100}}) {
        SCOPED_TRACE(C.nBytes);
        InitHeapOf(C.nBytes);
        EXPECT_EQ(Korvid.HeapBlockCount(), C.nBlocks);
        EXPECT_EQ(Korvid.HeapBase() != nullptr, C.nBlocks > 0);
        Korvid.FreeHeap();
    }
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Heap of 50000 bytes if too small (100k minimum)",
                                                "Heap of 99999 bytes if too small (100k minimum)",
                                                "Allocating 97K Heap (97 Blocks)", "Freeing Memory Heap",
                                                "Allocating 100K Heap (100 Blocks)", "Freeing Memory Heap"}));
    EXPECT_FALSE(LogHas("Heap of 0 bytes if too small (100k minimum)"));
}

TEST_F(MemoryHeapTest, BlocksGoToTheFirstGapThatFits)
{
    InitHeapOf(102400);
    void* pA = Korvid.AllocMemory(100);    // 1 block
    void* pB = Korvid.AllocMemory(2000);   // 2004 bytes: 2 blocks
    void* pC = Korvid.AllocMemory(1);      // 1 block
    EXPECT_EQ(Offset(pA), 0);
    EXPECT_EQ(Offset(pB), 1024);
    EXPECT_EQ(Offset(pC), 3 * 1024);

    Korvid.FreeMemory(pA);
    void* pD = Korvid.AllocMemory(500);
    EXPECT_EQ(Offset(pD), 0);
    Korvid.FreeMemory(pB);
    void* pE = Korvid.AllocMemory(3000);   // 3004 bytes: 3 blocks, too many for the gap B left
    void* pF = Korvid.AllocMemory(1020);   // 1024 bytes: 2 blocks, just right for it
    EXPECT_EQ(Offset(pE), 4 * 1024);
    EXPECT_EQ(Offset(pF), 1024);
    void* pG = Korvid.AllocMemory(1);   // F's second block is taken too
    EXPECT_EQ(Offset(pG), 7 * 1024);
    for (void* pBlock : {pC, pD, pE, pF, pG})
        EXPECT_TRUE(FromHeap(pBlock));

    void* pSystem = Korvid.AllocMemory(10, KOR_MEM_SYSTEM);
    void* pNoHeap = Korvid.AllocMemory(10, KOR_MEM_NOHEAP | KOR_MEM_PRIVATE);
    EXPECT_FALSE(FromHeap(pSystem));
    EXPECT_FALSE(FromHeap(pNoHeap));
    EXPECT_EQ(Korvid.FindMalloc(pNoHeap)->nFlags, KOR_MEM_NOHEAP | KOR_MEM_PRIVATE);

    const KorvidMemoryCounters& C = Korvid.MemoryCounters();
    EXPECT_EQ(C.nLiveHeapBlocks, 5u);
    EXPECT_EQ(C.nLivePlatformBlocks, 2u);
    Korvid.ReportMemory();
    EXPECT_TRUE(LogHas("Total Mallocs Made: 9 (2 Sys/7 Heap) (Malloc Peak 7)"));
}

TEST_F(MemoryHeapTest, FullOrTooSmallHeapLeavesBlocksToThePlatform)
{
    InitHeapOf(102400);
    void* pHuge = Korvid.AllocMemory(200000);
    EXPECT_FALSE(FromHeap(pHuge));
    void* pWhole = Korvid.AllocMemory(99 * 1024);   // 99 blocks of bytes plus the guard: all 100 blocks
    ASSERT_TRUE(FromHeap(pWhole));
    EXPECT_EQ(Offset(pWhole), 0);
    void* pSmall = Korvid.AllocMemory(1);
    EXPECT_FALSE(FromHeap(pSmall));
    Korvid.FreeMemory(pWhole);
    void* pAgain = Korvid.AllocMemory(1);
    ASSERT_TRUE(FromHeap(pAgain));
    EXPECT_EQ(Offset(pAgain), 0);
}

TEST_F(MemoryHeapTest, HeapBlocksAreGuardedLikeAnyOther)
{
    InitHeapOf(102400);
    auto* pBlock = static_cast<uint8_t*>(Korvid.AllocMemory(4));
    ASSERT_TRUE(FromHeap(pBlock));
    EXPECT_EQ(pBlock[7], 0xDE);
    pBlock[4] = 0;
    Korvid.FreeMemory(pBlock);
    EXPECT_TRUE(LogHas("ERROR: ** FreeMemory(&" + Decimal(pBlock) + ") Memory Beyond Legal Range Damaged **"));
    EXPECT_EQ(Korvid.MemoryCounters().nLiveHeapBlocks, 0u);
    EXPECT_EQ(Korvid.AllocMemory(4), pBlock);   // its run was given back
}

TEST_F(MemoryHeapTest, FreeHeapReleasesEverythingOnce)
{
    int nLiveBefore = m_Platform.m_nLiveBlocks;
    InitHeapOf(204800);
    void* pLeftOver = Korvid.AllocMemory(64);
    ASSERT_TRUE(FromHeap(pLeftOver));
    Korvid.FreeHeap();
    Korvid.FreeHeap();
    EXPECT_EQ(Korvid.HeapBase(), nullptr);
    EXPECT_EQ(Korvid.HeapSize(), 0u);
    EXPECT_EQ(Korvid.HeapBlockCount(), 0u);

    // A block that outlived its heap is dropped without touching the heap's old memory.
    Korvid.FreeMemory(pLeftOver);
    EXPECT_EQ(Korvid.MallocCount(), 0u);
    EXPECT_EQ(Korvid.MemoryCounters().nLiveHeapBlocks, 0u);
    int nFreeLines = 0, nRangeLines = 0;
    for (const std::string& Line : LogMessages()) {
        nFreeLines += Line == "Freeing Memory Heap";
        nRangeLines += Line.find("out of range") != std::string::npos;
    }
    EXPECT_EQ(nFreeLines, 1);
    EXPECT_EQ(nRangeLines, 1);
    EXPECT_EQ(m_Platform.m_nLiveBlocks, nLiveBefore + 1);   // the malloc list made by the first allocation
}

TEST_F(MemoryHeapTest, RefusedHeapMemoryLeavesNoHeap)
{
    int nLiveBefore = m_Platform.m_nLiveBlocks;
    m_Platform.m_RefuseAlloc = [](size_t nSize) { return nSize == 102400; };
    InitHeapOf(102400);
    EXPECT_EQ(Korvid.HeapBase(), nullptr);
    m_Platform.m_RefuseAlloc = [](size_t nSize) { return nSize == 100 * sizeof(uint32_t); };
    Korvid.InitHeap();
    EXPECT_EQ(Korvid.HeapBase(), nullptr);
    EXPECT_EQ(Korvid.HeapBlockCount(), 0u);
    EXPECT_EQ(m_Platform.m_nLiveBlocks, nLiveBefore);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "Allocating 100K Heap (100 Blocks)",
        "ERROR: ** Heap Allocation FAILED **",
        "Allocating 100K Heap (100 Blocks)",
        "ERROR: ** HeapList Allocation FAILED **",
    }));
}

}  // namespace
