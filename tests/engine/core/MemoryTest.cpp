// The memory manager: guarded blocks, the malloc list and its report, checked fill, copy and
// compare, the 1 KB-block heap and the labelled malloc cache.
#include <cstring>

#include "CoreTest.h"

namespace {

class MemoryTest : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        Korvid.PrepareMainThread();
        Korvid.ThreadHello(0);
        Korvid.StartLog();
    }
    static const KorvidMemoryCounters& Counters() { return Korvid.MemoryCounters(); }
};

// The last word is the guard; the rounding before it may be written freely.
TEST_F(MemoryTest, BlocksGetFourToSevenBytesOfPatternedSlackEndingInAGuard)
{
    const uint8_t PATTERN_BYTES[4] = {0xEF, 0xBE, 0xAD, 0xDE};   // 0xDEADBEEF as it lies in memory
    for (auto [nSize, nSlack] : std::vector<std::pair<uint32_t, uint8_t>>{{1, 7}, {2, 6}, {3, 5}, {4, 4}, {1023, 5}}) {
        auto* pBlock = static_cast<uint8_t*>(Korvid.AllocMemory(nSize));
        ASSERT_EQ(Korvid.FindMalloc(pBlock)->nSlack, nSlack) << nSize;
        for (uint32_t n = 0; n < nSize + nSlack; ++n)
            ASSERT_EQ(pBlock[n], PATTERN_BYTES[n % 4]) << nSize << ": byte " << n;
        pBlock[nSize + nSlack - 5] = 0x55;
        Korvid.FreeMemory(pBlock);
    }
    EXPECT_EQ(CountOf(LogMessages(), "Damaged"), 0);
    // Clearing touches only the caller's bytes; a caller's heap mark is dropped (it would misroute the release).
    auto* pClear = static_cast<uint8_t*>(Korvid.AllocMemory(5, KOR_MEM_CLEAR | KOR_MEM_FROMHEAP));
    EXPECT_EQ(std::vector<uint8_t>(pClear, pClear + 12),
              std::vector<uint8_t>({0, 0, 0, 0, 0, 0xBE, 0xAD, 0xDE, 0xEF, 0xBE, 0xAD, 0xDE}));
    EXPECT_EQ(Korvid.FindMalloc(pClear)->nFlags, KOR_MEM_CLEAR);
    pClear[8] = 0;
    Korvid.FreeMemory(pClear);   // reported, and freed all the same
    EXPECT_TRUE(LogHas("ERROR: ** FreeMemory(&" + Decimal(pClear) + ") Memory Beyond Legal Range Damaged **"));
    EXPECT_EQ(Korvid.MallocCount(), 0u);
    EXPECT_EQ(m_Platform.m_nLiveBlocks, 1);   // only the malloc list itself
}

TEST_F(MemoryTest, RefusedRequestsAndPlatformRefusalsLoseNothing)
{
    EXPECT_EQ(Korvid.AllocMemory(0), nullptr);
    void* pBlock = Korvid.AllocMemory(16);
    int nLocal = 0;
    for (void* pFree : {(void*)nullptr, (void*)&nLocal, pBlock, pBlock})   // a second free finds no entry
        Korvid.FreeMemory(pFree);
    m_Platform.m_RefuseAlloc = [](size_t nSize) { return nSize == 100004; };
    EXPECT_EQ(Korvid.AllocMemory(100000, KOR_MEM_PRIVATE), nullptr);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "ERROR: ** Failed AllocMemory(0) **", "ERROR: ** FreeMemory(0) - Address NULL **",
        "WARNING: ** FindMalloc(" + Decimal(&nLocal) + ") - Failed **",
        "ERROR: ** FreeMemory(&" + Decimal(&nLocal) + ") - Entry Not Found **",
        "ERROR: ** FreeMemory(&" + Decimal(pBlock) + ") - Entry Not Found **",
        "ERROR: ** Malloc(100004, [2]) FAILED **"}));
    // A full list that cannot move to a bigger array (a short list grows by one at least): the block
    // already taken goes back.
    m_Platform.m_RefuseAlloc = nullptr;
    Korvid.SetMaxMallocs(2);
    Korvid.AllocMemory(8);
    Korvid.AllocMemory(8);
    int nLiveBefore = m_Platform.m_nLiveBlocks;
    m_Platform.m_RefuseAlloc = [](size_t nSize) { return nSize == 3 * sizeof(KorvidMallocRecord); };
    EXPECT_EQ(Korvid.AllocMemory(8), nullptr);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"WARNING: ** Malloc List Full, Expanding by 20% to 3 **",
                                                "ERROR: ** No Free Malloc Objects (Mallocs Used=2) **"}));
    EXPECT_EQ(m_Platform.m_nLiveBlocks, nLiveBefore);
    EXPECT_EQ(Counters().nTotalMallocs, 3u);
}

TEST_F(MemoryTest, MallocListGrowsByAFifthButNeverBelowItsUsedRecords)
{
    Korvid.ThreadGoodbye(0);   // the first allocation makes the list, and warns off the main thread
    std::vector<void*> Blocks = {Korvid.AllocMemory(1)};
    EXPECT_EQ(Korvid.MallocCapacity(), 3000u);
    Korvid.ThreadHello(0);
    Korvid.SetMaxMallocs(10);
    while (Blocks.size() < 10)
        Blocks.push_back(Korvid.AllocMemory((uint32_t)Blocks.size() + 1));
    Korvid.SetMaxMallocs(9);
    EXPECT_EQ(Korvid.MallocCapacity(), 10u);
    Blocks.push_back(Korvid.AllocMemory(11));
    EXPECT_EQ(Korvid.MallocCapacity(), 12u);
    for (uint32_t n = 0; n < Blocks.size(); ++n)
        EXPECT_EQ(Korvid.MemorySize(Blocks[n]), n + 1);   // every record survived both moves
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "WARNING: ** SetMaxMallocs() - Called from non-Korvid Thread **",
        "Re-Allocating Malloc To Size=10 (Old Size=3000)",
        "WARNING: ** Can't Re-Allocate MallocList to Smaller Size=9 (10 in Use) **",
        "WARNING: ** Malloc List Full, Expanding by 20% to 12 **"}));
    // Lines carry the main thread's name only while it is greeted.
    auto Lines = ReadLines("debug.log");
    EXPECT_EQ(CountOf(Lines, "|Korvid: Log Started") + CountOf(Lines, "|<---->: WARNING: ** SetMaxMallocs()"), 2);
}

TEST_F(MemoryTest, TheNoteThresholdMovesByAWideningStepAndShutdownFreesAllButPrivateBlocks)
{
    void* pPrivate = Korvid.AllocMemory(30, KOR_MEM_PRIVATE);
    for (uint32_t nKilobytes : {300, 150, 100})   // 550K stays below the new threshold
        Korvid.AllocMemory(nKilobytes * 1024);
    EXPECT_EQ(CountOf(LogMessages(), "NOTE: Memory Allocation Surpassed"), 1);
    EXPECT_TRUE(LogHas("NOTE: Memory Allocation Surpassed 400K for the first time; Currently 450K"));
    // Shutdown's release: each free moves the last record into the slot, which is looked at again.
    Korvid.FreeAllMemory();
    EXPECT_EQ(std::make_pair(Korvid.MallocCount(), Korvid.MemorySize(pPrivate)), std::make_pair(1u, 30u));
    char szPrivate[64];
    snprintf(szPrivate, sizeof(szPrivate), "Memory Private: %p Size: 30)", pPrivate);
    EXPECT_TRUE(LogHas(szPrivate));
    EXPECT_EQ(CountOf(LogMessages(), "Memory Now Free: 0x"), 3);
    Korvid.FreeMemory(pPrivate);
    for (auto [nTotal, nThreshold] : std::vector<std::pair<uint32_t, uint32_t>>{
             {460800, 614400}, {1024000, 1228800}, {1024001, 1536000}, {10240000, 10752000}, {10240001, 12288000}}) {
        Korvid.m_Config.nMemoryNoteThreshold = 1;
        Korvid.FreeMemory(Korvid.AllocMemory(nTotal));
        EXPECT_EQ(Korvid.m_Config.nMemoryNoteThreshold, nThreshold) << nTotal;
    }
}

TEST_F(MemoryTest, TheReportTellsUserFromEngineMemory)
{
    Korvid.m_Config.nMaxChunkies = 1000;
    Korvid.m_Config.nMaxZones = 10;
    Korvid.m_Config.nMaxFonts = 2;
    void* pUser = Korvid.AllocMemory(100);
    Korvid.FreeMemory(Korvid.AllocMemory(200, KOR_MEM_PRIVATE));
    Korvid.AllocMemory(50, KOR_MEM_PRIVATE);
    Korvid.ReportMemory();
    // 1000 x 32 + 3000 x 12 + 3 + 10 x 20 + 2 x 528 = 69259 bytes of tables, added to the engine's peak of 200.
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"==Memory/Malloc Cache Report==", "Korvid Overhead 67.64K",
                                                "Total Mallocs Made: 3 (3 Sys/0 Heap) (Malloc Peak 2)",
                                                "Peek Memory Usage (0.10K User, 67.83K Korvid, 67.93K Total)",
                                                "NOTE: 1 User Alloc(s) Remaining (Total: 0.098K)...",
                                                "NOTE: 1 System Alloc(s) Remaining (Total: 0.049K)..."}));
    EXPECT_EQ(CountOf(LogMessages(), "added to Cache"), 0);   // no cache lines without cache use
    Korvid.FreeMemory(pUser);
    Korvid.ReportMemory();   // engine blocks are named only beside user blocks
    EXPECT_EQ(CountOf(LogMessages(), "Alloc(s) Remaining"), 2);
}

// Rows: mask, attempt and free lines, totals lines (need both bits), unused-area notes (user blocks only).
TEST_F(MemoryTest, TraceBitsAddTheirLines)
{
    for (auto [nMask, nTraced, nTotals, nUnused] : std::vector<std::tuple<uint16_t, int, int, int>>{
             {KOR_TRACE_MEMORY, 6, 0, 0}, {KOR_TRACE_VERBOSE, 0, 0, 1},
             {KOR_TRACE_MEMORY | KOR_TRACE_VERBOSE, 6, 6, 1}}) {
        Korvid.SetTraceMask(nMask);
        void* pUnused = Korvid.AllocMemory(8);
        auto* pUsed = static_cast<uint8_t*>(Korvid.AllocMemory(8));
        void* pPrivate = Korvid.AllocMemory(8, KOR_MEM_PRIVATE);
        pUsed[7] = 1;
        for (void* pBlock : {pUnused, (void*)pUsed, pPrivate})
            Korvid.FreeMemory(pBlock);
        auto Log = LogMessages();
        EXPECT_EQ(std::make_tuple(CountOf(Log, "AllocMemory(8) Attempt") + CountOf(Log, "FreeMemory(8) -> &"),
                                  CountOf(Log, "Alloced Memory -> &") + CountOf(Log, "Current Malloc Count"),
                                  CountOf(Log, "NOTE: FreeMemory(&" + Decimal(pUnused) + ") Size 8, Area was unused")),
                  std::make_tuple(nTraced, nTotals, nUnused))
            << nMask;
        Korvid.SetTraceMask(0);
        Korvid.ReportAndCloseLog();   // later rows reuse the addresses
        Korvid.StartLog();
    }
}

TEST_F(MemoryTest, CheckedFillCopyAndCompareRefuseBadArguments)
{
    uint8_t Dest[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const uint8_t Source[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    Korvid.MemorySet(Dest, 0xAA, 3);
    Korvid.MemoryCopy(Dest + 4, Source, 2);
    Korvid.MemorySet(nullptr, 7, 4);
    Korvid.MemorySet(Dest, 7, 0);
    Korvid.MemoryCopy(nullptr, Source, 4);
    Korvid.MemoryCopy(Dest, Source, 0);   // silent without the verbose trace
    const char* szText = "a";
    for (auto [szA, szB, nLength, nResult] : std::vector<std::tuple<const char*, const char*, int32_t, int32_t>>{
             {"abc", "abd", 3, -1}, {"\x01", "\xff", 1, -254}, {"\xff", "\x01", 1, 254}, {"abX", "abY", 2, 0},
             {"a", "b", -5, 0}, {nullptr, szText, 1, 0}})
        EXPECT_EQ(Korvid.MemoryCompare(szA, szB, nLength), nResult) << szB << " over " << nLength;
    EXPECT_EQ(CountOf(LogMessages(), "non-possitive length **"), 0);
    Korvid.SetTraceMask(KOR_TRACE_VERBOSE);
    Korvid.MemoryCopy(Dest, Source, -1);
    Korvid.MemoryCompare(Dest, Source, 0);
    EXPECT_EQ(std::vector<uint8_t>(Dest, Dest + 8), std::vector<uint8_t>({0xAA, 0xAA, 0xAA, 4, 9, 9, 7, 8}));
    std::string D = Decimal(Dest), S = Decimal(Source);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "ERROR: ** Failed MemorySet(0, 7, 4) to ILLEGAL pointer **",
        "ERROR: ** Failed MemorySet(" + D + ", 7, 0) - non-possitive length (length = 0) **",
        "ERROR: ** Failed MemoryCopy(0, " + S + ", 4) ILLEGAL pointer(s) **",
        "ERROR: ** Failed MemoryCompare(0, " + Decimal(szText) + ", 1) ILLEGAL pointer(s) **",
        "ERROR: ** Failed MemoryCopy(" + D + ", " + S + ", -1) - non-possitive length **",
        "ERROR: ** Failed MemoryCompare(" + D + ", " + S + ", 0) - non-possitive length **"}));
}

class MemoryHeap : public MemoryTest {
protected:
    static void InitHeapOf(uint32_t nBytes)
    {
        Korvid.SetHeapSize(nBytes);
        Korvid.InitHeap();
    }
    static ptrdiff_t Block(const void* pMemory) { return ((const uint8_t*)pMemory - Korvid.HeapBase()) / 1024; }
    static bool FromHeap(const void* pMemory) { return Korvid.FindMalloc(pMemory)->nFlags & KOR_MEM_FROMHEAP; }
};

TEST_F(MemoryHeap, NeedsAHundredThousandBytesAndItsMemoryIsReleasedOnceAndPlacesBlocksFirstFit)
{
    int nLiveBefore = m_Platform.m_nLiveBlocks;
    for (size_t nRefused : {(size_t)102400, 100 * sizeof(uint32_t)}) {   // the blocks, then their table
        m_Platform.m_RefuseAlloc = [nRefused](size_t nSize) { return nSize == nRefused; };
        InitHeapOf(102400);
        EXPECT_EQ(Korvid.HeapBase(), nullptr);
        EXPECT_EQ(m_Platform.m_nLiveBlocks, nLiveBefore);
    }
    m_Platform.m_RefuseAlloc = nullptr;
    for (auto [nBytes, nBlocks] : std::vector<std::pair<uint32_t, uint32_t>>{{0, 0}, {99999, 0}, {100000, 97}}) {
        InitHeapOf(nBytes);
        EXPECT_EQ(Korvid.HeapBlockCount(), nBlocks) << nBytes;
        Korvid.FreeHeap();
    }
    InitHeapOf(204800);
    void* pLeftOver = Korvid.AllocMemory(64);
    ASSERT_TRUE(FromHeap(pLeftOver));
    Korvid.ThreadGoodbye(0);
    Korvid.FreeHeap();
    Korvid.FreeHeap();
    EXPECT_EQ(std::make_tuple(Korvid.HeapBase(), Korvid.HeapSize(), Korvid.HeapBlockCount()),
              std::make_tuple((const uint8_t*)nullptr, 0u, 0u));
    // A block that outlived its heap is dropped without touching the heap's old memory.
    Korvid.FreeMemory(pLeftOver);
    EXPECT_EQ(Korvid.MallocCount() + Counters().nLiveHeapBlocks, 0u);
    EXPECT_EQ(m_Platform.m_nLiveBlocks, nLiveBefore + 1);   // the malloc list made by the first allocation
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"ERROR: ** Heap Allocation FAILED **", "ERROR: ** HeapList Allocation FAILED **",
                                      "Heap of 99999 bytes if too small (100k minimum)",
                                      "Allocating 97K Heap (97 Blocks)",
                                      "WARNING: ** FreeHeap() - Called from non-Korvid Thread **"}));
    EXPECT_EQ(CountOf(Log, "too small") + CountOf(Log, "Freeing Memory Heap") + CountOf(Log, "out of range"), 4);
    Korvid.ThreadHello(0);

    InitHeapOf(102400);
    EXPECT_FALSE(FromHeap(Korvid.AllocMemory(200000)));
    void* pWhole = Korvid.AllocMemory(99 * 1024);   // 99 blocks of bytes plus the guard: all 100 blocks
    ASSERT_TRUE(FromHeap(pWhole));
    EXPECT_FALSE(FromHeap(Korvid.AllocMemory(1)));
    Korvid.FreeMemory(pWhole);
    auto* pA = static_cast<uint8_t*>(Korvid.AllocMemory(4));   // 1 block
    pA[4] = 0;
    Korvid.FreeMemory(pA);
    EXPECT_TRUE(LogHas("ERROR: ** FreeMemory(&" + Decimal(pA) + ") Memory Beyond Legal Range Damaged **"));
    EXPECT_EQ(Korvid.AllocMemory(4), pA);   // its run was given back
    void* pB = Korvid.AllocMemory(2000);     // 2004 bytes: 2 blocks
    void* pC = Korvid.AllocMemory(1);
    Korvid.FreeMemory(pB);
    void* pD = Korvid.AllocMemory(3000);   // 3004 bytes: 3 blocks, too many for the gap B left
    void* pE = Korvid.AllocMemory(1020);   // 1024 bytes: 2 blocks, just right for it
    void* pF = Korvid.AllocMemory(1);
    std::vector<ptrdiff_t> Blocks;
    for (void* pBlock : {(void*)pA, pC, pD, pE, pF})
        Blocks.push_back(FromHeap(pBlock) ? Block(pBlock) : -1);
    EXPECT_EQ(Blocks, std::vector<ptrdiff_t>({0, 3, 4, 1, 7}));
    EXPECT_FALSE(FromHeap(Korvid.AllocMemory(10, KOR_MEM_SYSTEM)));
    EXPECT_FALSE(FromHeap(Korvid.AllocMemory(10, KOR_MEM_NOHEAP)));
    Korvid.ReportMemory();
    EXPECT_TRUE(LogHas("Total Mallocs Made: 13 (4 Sys/9 Heap) (Malloc Peak 9)"));
}

using MallocCache = MemoryTest;

TEST_F(MallocCache, RefusesBadRequestsAndGivesBlocksBackByTheirExactLabelUnchangedOrFreesThemInAFlush)
{
    int nLocal = 0;
    void* pSmall = Korvid.AllocMemory(16);
    std::string Longest(255, 'x'), TooLong(256, 'x');
    EXPECT_FALSE(Korvid.AddMallocCache(&nLocal, "Local"));
    for (const std::string& Label : {std::string(), TooLong}) {
        EXPECT_FALSE(Korvid.AddMallocCache(pSmall, Label.c_str()));
        EXPECT_EQ(Korvid.TakeMallocCache(Label.c_str()), nullptr);
    }
    int32_t nCapacity = Korvid.m_Config.nMallocCacheSize;
    Korvid.m_Config.nMallocCacheSize = 0;
    EXPECT_FALSE(Korvid.AddMallocCache(pSmall, "Nowhere"));
    EXPECT_EQ(Counters().nCacheAdds, 0u);
    Korvid.m_Config.nMallocCacheSize = nCapacity;
    ASSERT_TRUE(Korvid.AddMallocCache(pSmall, Longest.c_str()));
    EXPECT_EQ(Korvid.TakeMallocCache(Longest.c_str()), pSmall);
    Korvid.FreeMemory(pSmall);
    std::string Small = Decimal(pSmall);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "ERROR: ** AddMallocCache(" + Decimal(&nLocal) + ", 'Local') - Not Valid Korvid Malloc **",
        "ERROR: ** AddMallocCache(" + Small + ", [label]) - Label Length Invalid at 0bytes long **",
        "ERROR: ** TakeMallocCache([label]) - Label Length Invalid at 256bytes long **",
        "ERROR: ** AddMallocCache(" + Small + ", 'Nowhere') - Cache Full Up **"}));
    Korvid.SetTraceMask(KOR_TRACE_MEMORY);
    auto* pBlock = static_cast<uint8_t*>(Korvid.AllocMemory(4096));
    memset(pBlock, 0x5A, 4096);
    ASSERT_TRUE(Korvid.AddMallocCache(pBlock, "Sprites"));
    ASSERT_TRUE(Korvid.AddMallocCache(Korvid.AllocMemory(2048), "Other"));
    EXPECT_EQ(Counters().nCacheBytes, 6144u);
    std::vector<void*> Taken;
    for (const char* szLabel : {"sprites", "Sprite", "Sprites", "Sprites"})   // only the exact label, and only once
        Taken.push_back(Korvid.TakeMallocCache(szLabel));
    EXPECT_EQ(Taken, std::vector<void*>({nullptr, nullptr, pBlock, nullptr}));
    EXPECT_EQ(std::string((char*)pBlock, 4096), std::string(4096, 0x5A));
    EXPECT_EQ(Counters().nCacheBytes, 2048u);
    Korvid.ReportMemory();
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"AddMallocCache -> 'Sprites'", "AddMallocCache -> 'Other'",
                                                "TakeMallocCache <- 'Sprites'", "Peek Malloc Cache usage 6K",
                                                "Total Mallocs added to Cache 3", "Total Mallocs taken from Cache 2",
                                                "Malloc Cache benefits 66.667%"}));
    // A flush frees what is parked, and only drops an entry whose block was freed behind its back.
    void* pGone = Korvid.AllocMemory(100);
    ASSERT_TRUE(Korvid.AddMallocCache(pGone, "Gone"));
    Korvid.FreeMemory(pGone);
    Korvid.FlushMallocCache();
    EXPECT_TRUE(LogHas("WARNING: ** Malloc Cache entry 'Gone' Free'd by Over Paid Programmer Error **"));
    EXPECT_EQ(Korvid.TakeMallocCache("Other"), nullptr);
    EXPECT_EQ(std::make_pair(Korvid.MallocCount(), Counters().nCacheBytes), std::make_pair(1u, 0u));
    EXPECT_EQ(m_Platform.m_nLiveBlocks, 3);   // the malloc list, the cache's table and the block taken back
}

// A full cache frees its oldest fifth to make room; one below five entries cannot.
class MallocCachePurge : public MemoryTest, public ::testing::WithParamInterface<std::pair<int32_t, int>> {};

TEST_P(MallocCachePurge, FullCacheFreesItsOldestFifth)
{
    const auto [nCapacity, nPurged] = GetParam();
    Korvid.m_Config.nMallocCacheSize = nCapacity;
    Korvid.SetTraceMask(KOR_TRACE_MEMORY);
    const uint32_t nStart = m_Platform.m_nNow;
    // Entries are parked out of age order: entry n is the (n * 7 mod capacity)-th oldest.
    auto AgeRank = [nCapacity = nCapacity](int n) { return (n * 7) % nCapacity; };
    std::vector<void*> Blocks;
    for (int n = 0; n < nCapacity; ++n) {
        m_Platform.m_nNow = nStart + 1000 * (uint32_t)AgeRank(n);
        Blocks.push_back(Korvid.AllocMemory(64));
        ASSERT_TRUE(Korvid.AddMallocCache(Blocks.back(), ("Block " + std::to_string(n)).c_str()));
    }
    m_Platform.m_nNow = nStart + 1000 * (uint32_t)nCapacity;
    void* pNewest = Korvid.AllocMemory(64);
    EXPECT_EQ(Korvid.AddMallocCache(pNewest, "Newest"), nPurged > 0);
    for (int n = 0; n < nCapacity; ++n)
        EXPECT_EQ(Korvid.TakeMallocCache(("Block " + std::to_string(n)).c_str()) == Blocks[n], AgeRank(n) >= nPurged);
    EXPECT_EQ(Korvid.TakeMallocCache("Newest") == pNewest, nPurged > 0);
    EXPECT_EQ(Korvid.MallocCount(), (uint32_t)(nCapacity + 1 - nPurged));
    auto Log = LogMessages();
    EXPECT_EQ(CountOf(Log, "Purged MallocCache"), nPurged);
    EXPECT_EQ(CountOf(Log, "Cache Full Up"), nPurged == 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Capacities, MallocCachePurge,
                         ::testing::Values(std::make_pair(3, 0), std::make_pair(5, 1), std::make_pair(20, 4)),
                         [](const auto& Info) { return "Capacity" + std::to_string(Info.param.first); });

}  // namespace
