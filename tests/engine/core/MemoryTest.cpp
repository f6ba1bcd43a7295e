// Guarded blocks and the malloc list: slack, pattern, guard damage, growth,
// accounting, the note threshold, traces, the report, the shutdown release and
// the checked fill, copy and compare.
#include <cstring>

#include "CoreTest.h"

namespace {

TEST_F(MemoryTest, BlocksGetFourToSevenBytesOfPatternedSlack)
{
    const uint8_t PATTERN_BYTES[4] = {0xEF, 0xBE, 0xAD, 0xDE};   // 0xDEADBEEF as it lies in memory
    for (auto [nSize, nSlack] : std::vector<std::pair<uint32_t, uint8_t>>{{1, 7}, {2, 6}, {3, 5}, {4, 4}, {1023, 5}}) {
        SCOPED_TRACE(nSize);
        auto* pBlock = static_cast<uint8_t*>(Korvid.AllocMemory(nSize));
        ASSERT_NE(pBlock, nullptr);
        EXPECT_EQ(Korvid.FindMalloc(pBlock)->nSlack, nSlack);
        EXPECT_EQ(Korvid.MemorySize(pBlock), nSize);
        for (uint32_t n = 0; n < nSize + nSlack; ++n)
            ASSERT_EQ(pBlock[n], PATTERN_BYTES[n % 4]) << "byte " << n;
        Korvid.FreeMemory(pBlock);
    }
    // Clearing touches only the caller's bytes. A caller's heap mark is dropped, or
    // the platform block would be handed to the heap on release.
    auto* pClear = static_cast<uint8_t*>(Korvid.AllocMemory(5, KOR_MEM_CLEAR | KOR_MEM_FROMHEAP));
    EXPECT_EQ(std::vector<uint8_t>(pClear, pClear + 12),
              std::vector<uint8_t>({0, 0, 0, 0, 0, 0xBE, 0xAD, 0xDE, 0xEF, 0xBE, 0xAD, 0xDE}));
    EXPECT_EQ(Korvid.FindMalloc(pClear)->nFlags, KOR_MEM_CLEAR);
    Korvid.FreeMemory(pClear);
    EXPECT_EQ(Korvid.MallocCount(), 0u);
    EXPECT_EQ(m_Platform.m_nLiveBlocks, 1);   // only the malloc list itself
}

TEST_F(MemoryTest, WritingIntoTheGuardIsReportedAndTheBlockStillFreed)
{
    struct Case {
        uint32_t nSize, nWriteAt;
        bool bDamaged;
    };
    for (Case C : {Case{4, 4, true}, Case{1, 3, false}, Case{1, 4, true}, Case{5, 7, false}, Case{5, 11, true}}) {
        SCOPED_TRACE(::testing::Message() << C.nSize << " written at " << C.nWriteAt);
        auto* pBlock = static_cast<uint8_t*>(Korvid.AllocMemory(C.nSize));
        pBlock[C.nWriteAt] = 0x55;
        Korvid.FreeMemory(pBlock);
        EXPECT_EQ(LogHas("ERROR: ** FreeMemory(&" + Decimal(pBlock) + ") Memory Beyond Legal Range Damaged **"),
                  C.bDamaged);
        EXPECT_EQ(Korvid.MemoryCounters().nLivePlatformBlocks, 0u);
        RestartLog();
    }
    EXPECT_EQ(m_Platform.m_nLiveBlocks, 1);
}

TEST_F(MemoryTest, RefusedAllocationsAndFreesChangeNothing)
{
    EXPECT_EQ(Korvid.AllocMemory(0), nullptr);
    void* pBlock = Korvid.AllocMemory(16);
    int nLocal = 0;
    Korvid.FreeMemory(nullptr);
    Korvid.FreeMemory(&nLocal);
    Korvid.FreeMemory(pBlock);
    Korvid.FreeMemory(pBlock);   // a second free finds no entry and frees nothing twice
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "ERROR: ** Failed AllocMemory(0) **",
        "ERROR: ** FreeMemory(0) - Address NULL **",
        "WARNING: ** FindMalloc(" + Decimal(&nLocal) + ") - Failed **",
        "ERROR: ** FreeMemory(&" + Decimal(&nLocal) + ") - Entry Not Found **",
        "ERROR: ** FreeMemory(&" + Decimal(pBlock) + ") - Entry Not Found **",
    }));
    EXPECT_EQ(Korvid.MemoryCounters().nTotalMallocs, 1u);
    EXPECT_EQ(Korvid.MemoryCounters().nUserBlocks, 0u);
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
        "WARNING: ** Malloc List Full, Expanding by 20% to 12 **",
        "Re-Allocating Malloc To Size=12 (Old Size=10)",
    }));
    // Lines carry the main thread's name only while it is greeted.
    auto Lines = ReadLines("debug.log");
    EXPECT_EQ(CountOf(Lines, "|Korvid: Log Started"), 1);
    EXPECT_EQ(CountOf(Lines, "|<---->: WARNING: ** SetMaxMallocs()"), 1);
}

TEST_F(MemoryTest, PlatformRefusalsAreReportedAndLoseNothing)
{
    m_Platform.m_RefuseAlloc = [](size_t nSize) { return nSize == 100004; };
    EXPECT_EQ(Korvid.AllocMemory(100000, KOR_MEM_PRIVATE), nullptr);
    EXPECT_TRUE(LogHas("ERROR: ** Malloc(100004, [2]) FAILED **"));

    // A full list that cannot move to a bigger array: the block already taken goes back.
    m_Platform.m_RefuseAlloc = nullptr;
    Korvid.SetMaxMallocs(2);
    Korvid.AllocMemory(8);
    Korvid.AllocMemory(8);
    int nLiveBefore = m_Platform.m_nLiveBlocks;
    m_Platform.m_RefuseAlloc = [](size_t nSize) { return nSize == 3 * sizeof(KorvidMallocRecord); };
    EXPECT_EQ(Korvid.AllocMemory(8), nullptr);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"WARNING: ** Malloc List Full, Expanding by 20% to 3 **",
                                                "WARNING: ** Failed to Re-Allocate Malloc List Size=3 **",
                                                "ERROR: ** No Free Malloc Objects (Mallocs Used=2) **",
                                                "ERROR: ** Failed to create new Malloc Object! **"}));
    EXPECT_EQ(m_Platform.m_nLiveBlocks, nLiveBefore);
    EXPECT_EQ(Korvid.MemoryCounters().nLivePlatformBlocks, 2u);
    EXPECT_EQ(Korvid.MemoryCounters().nTotalMallocs, 2u);
}

TEST_F(MemoryTest, PassingTheNoteThresholdIsNotedOnceAndMovesItByAWideningStep)
{
    Korvid.AllocMemory(300 * 1024);
    Korvid.AllocMemory(150 * 1024);
    Korvid.AllocMemory(100 * 1024);   // 550K stays below the new threshold
    EXPECT_EQ(CountOf(LogMessages(), "NOTE: Memory Allocation Surpassed"), 1);
    EXPECT_TRUE(LogHas("NOTE: Memory Allocation Surpassed 400K for the first time; Currently 450K"));
    Korvid.FreeAllMemory();

    struct Case {
        uint32_t nTotal, nThreshold;
    };
    for (Case C : {Case{460800, 614400}, Case{1024000, 1228800}, Case{1024001, 1536000}, Case{10240000, 10752000},
                   Case{10240001, 12288000}}) {
        SCOPED_TRACE(C.nTotal);
        Korvid.m_Config.nMemoryNoteThreshold = 1;
        void* pBlock = Korvid.AllocMemory(C.nTotal);
        EXPECT_EQ(Korvid.m_Config.nMemoryNoteThreshold, C.nThreshold);
        Korvid.FreeMemory(pBlock);
    }
}

TEST_F(MemoryTest, CountersAndReportTellUserFromEngineMemory)
{
    Korvid.m_Config.nMaxChunkies = 1000;
    Korvid.m_Config.nMaxZones = 10;
    Korvid.m_Config.nMaxFonts = 2;
    void* pUser = Korvid.AllocMemory(100);
    Korvid.FreeMemory(Korvid.AllocMemory(200, KOR_MEM_PRIVATE));
    Korvid.AllocMemory(50, KOR_MEM_PRIVATE);
    const KorvidMemoryCounters& C = Korvid.MemoryCounters();
    EXPECT_EQ(std::vector<uint32_t>({C.nUserBlocks, C.nUserBytes, C.nUserPeakBytes, C.nEngineBlocks, C.nEngineBytes,
                                     C.nEnginePeakBytes, C.nPeakLiveBlocks}),
              std::vector<uint32_t>({1, 100, 100, 1, 50, 200, 2}));
    Korvid.ReportMemory();
    // 1000 x 32 + 3000 x 12 + 3 + 10 x 20 + 2 x 528 = 69259 bytes of tables, added to the engine's peak.
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "==Memory/Malloc Cache Report==",
        "Korvid Overhead 67.64K",
        "Total Mallocs Made: 3 (3 Sys/0 Heap) (Malloc Peak 2)",
        "Peek Memory Usage (0.10K User, 67.83K Korvid, 67.93K Total)",
        "NOTE: 1 User Alloc(s) Remaining (Total: 0.098K)...",
        "NOTE: 1 System Alloc(s) Remaining (Total: 0.049K)...",
    }));
    EXPECT_EQ(CountOf(LogMessages(), "added to Cache"), 0);   // no cache lines without cache use
    // Engine blocks are named only beside user blocks.
    Korvid.FreeMemory(pUser);
    Korvid.ReportMemory();
    EXPECT_EQ(CountOf(LogMessages(), "Alloc(s) Remaining"), 2);
}

TEST_F(MemoryTest, FreeAllMemoryKeepsPrivateBlocksAndFreesTheRest)
{
    auto Hex = [](const void* pMemory) {
        char szText[32];
        snprintf(szText, sizeof(szText), "0x%lx", (unsigned long)reinterpret_cast<uintptr_t>(pMemory));
        return std::string(szText);
    };
    void* pA = Korvid.AllocMemory(10);
    void* pB = Korvid.AllocMemory(20);
    void* pPrivate = Korvid.AllocMemory(30, KOR_MEM_PRIVATE);
    void* pC = Korvid.AllocMemory(40);
    Korvid.FreeAllMemory();
    // Each free moves the last record into the freed slot, which is looked at again.
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Memory Now Free: " + Hex(pA) + " Size: 10)",
                                                "Memory Now Free: " + Hex(pC) + " Size: 40)",
                                                "Memory Private: " + Hex(pPrivate) + " Size: 30)",
                                                "Memory Now Free: " + Hex(pB) + " Size: 20)"}));
    EXPECT_EQ(Korvid.MallocCount(), 1u);
    EXPECT_EQ(Korvid.MemorySize(pPrivate), 30u);
}

// The totals need both bits; an unused-area note is only for user blocks never written.
TEST_F(MemoryTest, TraceBitsAddTheirLines)
{
    struct Case {
        uint16_t nMask;
        bool bAttempt, bTotals, bUnused;
    };
    for (Case C : {Case{KOR_TRACE_MEMORY, true, false, false}, Case{KOR_TRACE_VERBOSE, false, false, true},
                   Case{KOR_TRACE_MEMORY | KOR_TRACE_VERBOSE, true, true, true}}) {
        SCOPED_TRACE(C.nMask);
        Korvid.SetTraceMask(C.nMask);
        void* pUnused = Korvid.AllocMemory(8);
        auto* pUsed = static_cast<uint8_t*>(Korvid.AllocMemory(8));
        void* pPrivate = Korvid.AllocMemory(8, KOR_MEM_PRIVATE);
        pUsed[7] = 1;
        for (void* pBlock : {pUnused, static_cast<void*>(pUsed), pPrivate})
            Korvid.FreeMemory(pBlock);
        auto Log = LogMessages();
        EXPECT_EQ(IndexOf(Log, "AllocMemory(8) Attempt") >= 0, C.bAttempt);
        EXPECT_EQ(IndexOf(Log, "FreeMemory(8) -> &" + Decimal(pUsed)) >= 0, C.bAttempt);
        EXPECT_EQ(IndexOf(Log, "Alloced Memory -> &" + Decimal(pUnused) + " (Sys), Totals (1 Sys/0 Heap/Size 8)") >= 0,
                  C.bTotals);
        EXPECT_EQ(IndexOf(Log, "Current Malloc Count 0, Size 0") >= 0, C.bTotals);
        EXPECT_EQ(IndexOf(Log, "NOTE: FreeMemory(&" + Decimal(pUnused) + ") Size 8, Area was unused") >= 0, C.bUnused);
        EXPECT_EQ(CountOf(Log, "Area was unused"), C.bUnused ? 1 : 0);
        Korvid.SetTraceMask(0);
        RestartLog();
    }
}

TEST_F(MemoryTest, CheckedFillCopyAndCompareRefuseBadArguments)
{
    uint8_t Dest[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const uint8_t Source[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    const uint8_t Wanted[8] = {0xAA, 0xAA, 0xAA, 4, 9, 9, 7, 8};
    Korvid.MemorySet(Dest, 0xAA, 3);
    Korvid.MemoryCopy(Dest + 4, Source, 2);
    Korvid.MemorySet(nullptr, 7, 4);
    Korvid.MemorySet(Dest, 7, 0);
    Korvid.MemoryCopy(nullptr, Source, 4);
    Korvid.MemoryCopy(Dest, Source, 0);   // silent without the verbose trace
    EXPECT_EQ(memcmp(Dest, Wanted, 8), 0);

    struct Case {
        const char *szA, *szB;
        int32_t nLength, nResult;
    };
    const char* szText = "a";
    for (Case C : {Case{"abc", "abd", 3, -1}, Case{"abd", "abc", 3, 1}, Case{"\x01", "\xff", 1, -254},
                   Case{"\xff", "\x01", 1, 254}, Case{"same", "same", 4, 0}, Case{"abX", "abY", 2, 0},
                   Case{"a", "b", 0, 0}, Case{"a", "b", -5, 0}, Case{nullptr, szText, 1, 0}}) {
        SCOPED_TRACE(::testing::Message() << (C.szA ? C.szA : "null") << " vs " << C.szB << " over " << C.nLength);
        EXPECT_EQ(Korvid.MemoryCompare(C.szA, C.szB, C.nLength), C.nResult);
    }
    EXPECT_EQ(CountOf(LogMessages(), "non-possitive length **"), 0);

    Korvid.SetTraceMask(KOR_TRACE_VERBOSE);
    Korvid.MemoryCopy(Dest, Source, -1);
    Korvid.MemoryCompare(Dest, Source, 0);
    EXPECT_EQ(memcmp(Dest, Wanted, 8), 0);
    std::string D = Decimal(Dest), S = Decimal(Source);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "ERROR: ** Failed MemorySet(0, 7, 4) to ILLEGAL pointer **",
        "ERROR: ** Failed MemorySet(" + D + ", 7, 0) - non-possitive length (length = 0) **",
        "ERROR: ** Failed MemoryCopy(0, " + S + ", 4) ILLEGAL pointer(s) **",
        "ERROR: ** Failed MemoryCompare(0, " + Decimal(szText) + ", 1) ILLEGAL pointer(s) **",
        "ERROR: ** Failed MemoryCopy(" + D + ", " + S + ", -1) - non-possitive length **",
        "ERROR: ** Failed MemoryCompare(" + D + ", " + S + ", 0) - non-possitive length **",
    }));
}

}  // namespace
