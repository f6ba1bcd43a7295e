// The optional 1 KB-block heap: its size limits, first-fit placement and reuse,
// the fall-back to the platform, guards inside it and its release.
#include "CoreTest.h"

namespace {

class MemoryHeapTest : public MemoryTest {
protected:
    static void InitHeapOf(uint32_t nBytes)
    {
        Korvid.SetHeapSize(nBytes);
        Korvid.InitHeap();
    }
    static ptrdiff_t Block(const void* pMemory) { return (static_cast<const uint8_t*>(pMemory) - Korvid.HeapBase()) / 1024; }
    static bool FromHeap(const void* pMemory) { return Korvid.FindMalloc(pMemory)->nFlags & KOR_MEM_FROMHEAP; }
};

TEST_F(MemoryHeapTest, HeapNeedsAtLeastAHundredThousandBytes)
{
    for (auto [nBytes, nBlocks] : std::vector<std::pair<uint32_t, uint32_t>>{{0, 0}, {99999, 0}, {100000, 97}, {102400, 100}}) {
        SCOPED_TRACE(nBytes);
        InitHeapOf(nBytes);
        EXPECT_EQ(Korvid.HeapBlockCount(), nBlocks);
        EXPECT_EQ(Korvid.HeapBase() != nullptr, nBlocks > 0);
        Korvid.FreeHeap();
    }
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Heap of 99999 bytes if too small (100k minimum)",
                                                "Allocating 97K Heap (97 Blocks)", "Freeing Memory Heap"}));
    EXPECT_EQ(CountOf(LogMessages(), "too small"), 1);
}

TEST_F(MemoryHeapTest, BlocksGoToTheFirstGapThatFits)
{
    InitHeapOf(102400);
    void* pA = Korvid.AllocMemory(100);    // 1 block
    void* pB = Korvid.AllocMemory(2000);   // 2004 bytes: 2 blocks
    void* pC = Korvid.AllocMemory(1);
    Korvid.FreeMemory(pB);
    void* pD = Korvid.AllocMemory(3000);   // 3004 bytes: 3 blocks, too many for the gap B left
    void* pE = Korvid.AllocMemory(1020);   // 1024 bytes: 2 blocks, just right for it
    void* pF = Korvid.AllocMemory(1);
    std::vector<ptrdiff_t> Blocks;
    for (void* pBlock : {pA, pC, pD, pE, pF}) {
        EXPECT_TRUE(FromHeap(pBlock));
        Blocks.push_back(Block(pBlock));
    }
    EXPECT_EQ(Blocks, std::vector<ptrdiff_t>({0, 3, 4, 1, 7}));

    EXPECT_FALSE(FromHeap(Korvid.AllocMemory(10, KOR_MEM_SYSTEM)));
    void* pNoHeap = Korvid.AllocMemory(10, KOR_MEM_NOHEAP | KOR_MEM_PRIVATE);
    EXPECT_EQ(Korvid.FindMalloc(pNoHeap)->nFlags, KOR_MEM_NOHEAP | KOR_MEM_PRIVATE);
    EXPECT_EQ(Korvid.MemoryCounters().nLiveHeapBlocks, 5u);
    EXPECT_EQ(Korvid.MemoryCounters().nLivePlatformBlocks, 2u);
    Korvid.ReportMemory();
    EXPECT_TRUE(LogHas("Total Mallocs Made: 8 (2 Sys/6 Heap) (Malloc Peak 7)"));
}

TEST_F(MemoryHeapTest, AFullHeapLeavesBlocksToThePlatformAndGuardsItsOwn)
{
    InitHeapOf(102400);
    EXPECT_FALSE(FromHeap(Korvid.AllocMemory(200000)));
    void* pWhole = Korvid.AllocMemory(99 * 1024);   // 99 blocks of bytes plus the guard: all 100 blocks
    ASSERT_TRUE(FromHeap(pWhole));
    EXPECT_FALSE(FromHeap(Korvid.AllocMemory(1)));
    Korvid.FreeMemory(pWhole);

    auto* pBlock = static_cast<uint8_t*>(Korvid.AllocMemory(4));
    ASSERT_TRUE(FromHeap(pBlock));
    EXPECT_EQ(Block(pBlock), 0);
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
    Korvid.ThreadGoodbye(0);
    Korvid.FreeHeap();
    Korvid.FreeHeap();
    EXPECT_EQ(Korvid.HeapBase(), nullptr);
    EXPECT_EQ(Korvid.HeapSize(), 0u);
    EXPECT_EQ(Korvid.HeapBlockCount(), 0u);

    // A block that outlived its heap is dropped without touching the heap's old memory.
    Korvid.FreeMemory(pLeftOver);
    EXPECT_EQ(Korvid.MallocCount(), 0u);
    EXPECT_EQ(Korvid.MemoryCounters().nLiveHeapBlocks, 0u);
    auto Log = LogMessages();
    EXPECT_EQ(CountOf(Log, "Freeing Memory Heap"), 1);
    EXPECT_EQ(CountOf(Log, "WARNING: ** FreeHeap() - Called from non-Korvid Thread **"), 1);
    EXPECT_EQ(CountOf(Log, "out of range"), 1);
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
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** Heap Allocation FAILED **",
                                                "ERROR: ** HeapList Allocation FAILED **"}));
}

}  // namespace
