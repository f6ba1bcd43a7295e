// Guarded blocks and the malloc list: slack, pattern, guard damage, growth,
// accounting, the growing note threshold, traces, the shutdown release and the
// checked fill, copy and compare.
#include <cstring>

#include "MemoryTestFixture.h"

namespace {

const uint8_t PATTERN_BYTES[4] = {0xEF, 0xBE, 0xAD, 0xDE};   // 0xDEADBEEF as it lies in memory

TEST_F(MemoryTest, BlocksGetSlackOfFourToSevenAndArePatternFilled)
{
    struct Case {
        uint32_t nSize;
        uint8_t nSlack;
    };
    for (Case C : {Case{1, 7}, Case{2, 6}, Case{3, 5}, Case{4, 4}, Case{5, 7}, Case{100, 4}, Case{1023, 5}}) {
        SCOPED_TRACE(C.nSize);
        auto* pBlock = static_cast<uint8_t*>(Korvid.AllocMemory(C.nSize));
        ASSERT_NE(pBlock, nullptr);
        const KorvidMallocRecord* pRecord = Korvid.FindMalloc(pBlock);
        ASSERT_NE(pRecord, nullptr);
        EXPECT_EQ(pRecord->nSlack, C.nSlack);
        EXPECT_EQ(pRecord->nFlags, 0);
        EXPECT_EQ(Korvid.MemorySize(pBlock), C.nSize);
        for (uint32_t n = 0; n < C.nSize + C.nSlack; ++n)
            ASSERT_EQ(pBlock[n], PATTERN_BYTES[n % 4]) << "byte " << n;
        Korvid.FreeMemory(pBlock);
    }
    EXPECT_EQ(Korvid.MallocCount(), 0u);
    EXPECT_EQ(m_Platform.m_nLiveBlocks, 1);   // only the malloc list itself
}

TEST_F(MemoryTest, ClearFlagZeroesOnlyTheCallersBytes)
{
    auto* pBlock = static_cast<uint8_t*>(Korvid.AllocMemory(5, KOR_MEM_CLEAR));
    ASSERT_NE(pBlock, nullptr);
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(pBlock[n], 0) << n;
    for (int n = 5; n < 12; ++n)
        EXPECT_EQ(pBlock[n], PATTERN_BYTES[n % 4]) << n;
    Korvid.FreeMemory(pBlock);
    EXPECT_FALSE(LogHas("ERROR: ** FreeMemory(&" + Decimal(pBlock) + ") Memory Beyond Legal Range Damaged **"));
}

TEST_F(MemoryTest, WritingIntoTheGuardIsReportedAndTheBlockStillFreed)
{
    struct Case {
        uint32_t nSize;
        uint32_t nWriteAt;
        bool bDamaged;
    };
    for (Case C : {Case{4, 4, true}, Case{4, 7, true}, Case{1, 3, false}, Case{1, 4, true}, Case{5, 7, false},
                   Case{5, 8, true}, Case{5, 11, true}}) {
        SCOPED_TRACE(::testing::Message() << C.nSize << " written at " << C.nWriteAt);
        auto* pBlock = static_cast<uint8_t*>(Korvid.AllocMemory(C.nSize));
        ASSERT_NE(pBlock, nullptr);
        pBlock[C.nWriteAt] = 0x55;
        Korvid.FreeMemory(pBlock);
        std::string Damage = "ERROR: ** FreeMemory(&" + Decimal(pBlock) + ") Memory Beyond Legal Range Damaged **";
        EXPECT_EQ(LogHas(Damage), C.bDamaged);
        EXPECT_EQ(Korvid.MallocCount(), 0u);
        EXPECT_EQ(Korvid.MemoryCounters().nLivePlatformBlocks, 0u);
        // Later tables reuse the same address; start each case with a clean log.
        Korvid.ReportAndCloseLog();
        Korvid.StartLog();
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
        "WARNING: ** FindMalloc(" + Decimal(pBlock) + ") - Failed **",
        "ERROR: ** FreeMemory(&" + Decimal(pBlock) + ") - Entry Not Found **",
    }));
    EXPECT_EQ(Korvid.MemoryCounters().nTotalMallocs, 1u);
    EXPECT_EQ(Korvid.MemoryCounters().nUserBlocks, 0u);
    EXPECT_EQ(Korvid.MemorySize(pBlock), 0u);
}

TEST_F(MemoryTest, MallocListGrowsByAFifthWhenFull)
{
    std::vector<void*> Blocks;
    for (uint32_t n = 1; n <= 3000; ++n)
        Blocks.push_back(Korvid.AllocMemory(n));
    EXPECT_EQ(Korvid.MallocCapacity(), 3000u);
    EXPECT_EQ(IndexOf(LogMessages(), "WARNING: ** Malloc List Full, Expanding by 20% to 3600 **"), -1);

    Blocks.push_back(Korvid.AllocMemory(3001));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"WARNING: ** Malloc List Full, Expanding by 20% to 3600 **",
                                                "Re-Allocating Malloc To Size=3600 (Old Size=3000)"}));
    EXPECT_EQ(Korvid.MallocCapacity(), 3600u);
    EXPECT_EQ(Korvid.MallocCount(), 3001u);
    // Every record survived the move.
    for (uint32_t n = 0; n < Blocks.size(); n += 500)
        EXPECT_EQ(Korvid.MemorySize(Blocks[n]), n + 1);
    EXPECT_EQ(Korvid.MemorySize(Blocks.back()), 3001u);
    EXPECT_EQ(Korvid.MemoryCounters().nPeakLiveBlocks, 3001u);
}

TEST_F(MemoryTest, SetMaxMallocsRefusesToDropUsedRecords)
{
    Korvid.SetMaxMallocs(4);
    void* pA = Korvid.AllocMemory(10);
    void* pB = Korvid.AllocMemory(20);
    void* pC = Korvid.AllocMemory(30);
    Korvid.SetMaxMallocs(3);
    Korvid.SetMaxMallocs(2);
    EXPECT_EQ(Korvid.MallocCapacity(), 4u);
    Korvid.SetMaxMallocs(10);
    EXPECT_EQ(Korvid.MallocCapacity(), 10u);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "WARNING: ** Can't Re-Allocate MallocList to Smaller Size=3 (3 in Use) **",
        "WARNING: ** Can't Re-Allocate MallocList to Smaller Size=2 (3 in Use) **",
        "Re-Allocating Malloc To Size=10 (Old Size=4)",
    }));
    EXPECT_EQ(Korvid.MemorySize(pA), 10u);
    EXPECT_EQ(Korvid.MemorySize(pB), 20u);
    EXPECT_EQ(Korvid.MemorySize(pC), 30u);
}

TEST_F(MemoryTest, CallersCannotMarkPlatformBlocksAsHeapBlocks)
{
    int nLiveBefore = m_Platform.m_nLiveBlocks;
    void* pBlock = Korvid.AllocMemory(8, KOR_MEM_FROMHEAP | KOR_MEM_CLEAR);
    EXPECT_EQ(Korvid.FindMalloc(pBlock)->nFlags, KOR_MEM_CLEAR);
    Korvid.FreeMemory(pBlock);
    EXPECT_EQ(m_Platform.m_nLiveBlocks, nLiveBefore + 1);   // the malloc list stays, the block is gone
    EXPECT_EQ(Korvid.MemoryCounters().nLivePlatformBlocks, 0u);
}

TEST_F(MemoryTest, PlatformRefusalsAreReportedAndLoseNothing)
{
    m_Platform.m_RefuseAlloc = [](size_t nSize) { return nSize == 100004; };
    EXPECT_EQ(Korvid.AllocMemory(100000, KOR_MEM_PRIVATE), nullptr);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** Malloc(100004, [2]) FAILED **",
                                                "ERROR: ** Failed AllocMemory(100000) **"}));

    // A full list that cannot be moved to a bigger array: the block already taken goes back.
    m_Platform.m_RefuseAlloc = nullptr;
    Korvid.SetMaxMallocs(2);
    Korvid.AllocMemory(8);
    Korvid.AllocMemory(8);
    int nLiveBefore = m_Platform.m_nLiveBlocks;
    m_Platform.m_RefuseAlloc = [](size_t nSize) { return nSize == 3 * sizeof(KorvidMallocRecord); };
    EXPECT_EQ(Korvid.AllocMemory(8), nullptr);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"WARNING: ** Malloc List Full, Expanding by 20% to 3 **",
                                                "Re-Allocating Malloc To Size=3 (Old Size=2)",
                                                "WARNING: ** Failed to Re-Allocate Malloc List Size=3 **",
                                                "ERROR: ** No Free Malloc Objects (Mallocs Used=2) **",
                                                "ERROR: ** Failed to create new Malloc Object! **",
                                                "ERROR: ** Failed AllocMemory(8) **"}));
    EXPECT_EQ(m_Platform.m_nLiveBlocks, nLiveBefore);
    EXPECT_EQ(Korvid.MemoryCounters().nLivePlatformBlocks, 2u);
    EXPECT_EQ(Korvid.MemoryCounters().nTotalMallocs, 2u);
}

TEST_F(MemoryTest, SurpassNoteIsWrittenOnceAndMovesTheThreshold)
{
    Korvid.AllocMemory(300 * 1024);
    Korvid.AllocMemory(150 * 1024);
    Korvid.AllocMemory(100 * 1024);   // 550K stays below the new threshold
    auto Log = LogMessages();
    EXPECT_GE(IndexOf(Log, "NOTE: Memory Allocation Surpassed 400K for the first time; Currently 450K"), 0);
    int nNotes = 0;
    for (const std::string& Line : Log)
        nNotes += Line.rfind("NOTE: Memory Allocation Surpassed", 0) == 0;
    EXPECT_EQ(nNotes, 1);
    EXPECT_EQ(Korvid.m_Config.nMemoryNoteThreshold, 614400u);
}

TEST_F(MemoryTest, NoteThresholdStepWidensWithTheTotal)
{
    struct Case {
        uint32_t nTotal;
        uint32_t nThreshold;
    };
    for (Case C : {Case{460800, 614400}, Case{1024000, 1228800}, Case{1024001, 1536000}, Case{10240000, 10752000},
                   Case{10240001, 12288000}}) {
        SCOPED_TRACE(C.nTotal);
        Korvid.m_Config.nMemoryNoteThreshold = 1;
        void* pBlock = Korvid.AllocMemory(C.nTotal);
        EXPECT_EQ(Korvid.m_Config.nMemoryNoteThreshold, C.nThreshold);
        Korvid.FreeMemory(pBlock);
    }
    EXPECT_TRUE(LogHas("NOTE: Memory Allocation Surpassed 0K for the first time; Currently 10000K"));
}

TEST_F(MemoryTest, UserAndPrivateBlocksAreCountedApart)
{
    void* pUser = Korvid.AllocMemory(100);
    void* pEngineA = Korvid.AllocMemory(200, KOR_MEM_PRIVATE);
    void* pEngineB = Korvid.AllocMemory(50, KOR_MEM_PRIVATE | KOR_MEM_CLEAR);
    Korvid.FreeMemory(pEngineA);
    const KorvidMemoryCounters& C = Korvid.MemoryCounters();
    EXPECT_EQ(C.nUserBlocks, 1u);
    EXPECT_EQ(C.nUserBytes, 100u);
    EXPECT_EQ(C.nUserPeakBytes, 100u);
    EXPECT_EQ(C.nEngineBlocks, 1u);
    EXPECT_EQ(C.nEngineBytes, 50u);
    EXPECT_EQ(C.nEnginePeakBytes, 250u);
    EXPECT_EQ(C.nPeakLiveBlocks, 3u);
    EXPECT_EQ(Korvid.FindMalloc(pEngineB)->nFlags, KOR_MEM_PRIVATE | KOR_MEM_CLEAR);
    EXPECT_NE(pUser, nullptr);
}

TEST_F(MemoryTest, ReportPrintsOverheadPeaksAndWhatIsLeft)
{
    Korvid.m_Config.nMaxChunkies = 1000;
    Korvid.m_Config.nMaxZones = 10;
    Korvid.m_Config.nMaxFonts = 2;
    Korvid.AllocMemory(100);
    Korvid.FreeMemory(Korvid.AllocMemory(200, KOR_MEM_PRIVATE));
    Korvid.AllocMemory(50, KOR_MEM_PRIVATE);
    Korvid.ReportMemory();
    // 1000 x 32 + 3000 x 12 + 3 + 10 x 20 + 2 x 528 = 69259 bytes of tables, added to
    // the engine's peak of 200 bytes.
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "==Memory/Malloc Cache Report==",
        "Korvid Overhead 67.64K",
        "Total Mallocs Made: 3 (3 Sys/0 Heap) (Malloc Peak 2)",
        "Peek Memory Usage (0.10K User, 67.83K Korvid, 67.93K Total)",
        "NOTE: 1 User Alloc(s) Remaining (Total: 0.098K)...",
        "NOTE: 1 System Alloc(s) Remaining (Total: 0.049K)...",
    }));
    EXPECT_FALSE(LogHas("Total Mallocs added to Cache 0"));
}

TEST_F(MemoryTest, ReportNamesRemainingPrivateBlocksOnlyBesideUserBlocks)
{
    struct Case {
        bool bUserLeft, bPrivateLeft;
        bool bUserNote, bSystemNote;
    };
    for (Case C : {Case{false, false, false, false}, Case{false, true, false, false}, Case{true, false, true, false},
                   Case{true, true, true, true}}) {
        SCOPED_TRACE(::testing::Message() << C.bUserLeft << C.bPrivateLeft);
        void* pUser = C.bUserLeft ? Korvid.AllocMemory(2048) : nullptr;
        void* pPrivate = C.bPrivateLeft ? Korvid.AllocMemory(3072, KOR_MEM_PRIVATE) : nullptr;
        Korvid.ReportMemory();
        std::vector<std::string> Notes;
        for (const std::string& Line : LogMessages())
            if (Line.find("Alloc(s) Remaining") != std::string::npos)
                Notes.push_back(Line);
        std::vector<std::string> Wanted;
        if (C.bUserNote)
            Wanted.push_back("NOTE: 1 User Alloc(s) Remaining (Total: 2.000K)...");
        if (C.bSystemNote)
            Wanted.push_back("NOTE: 1 System Alloc(s) Remaining (Total: 3.000K)...");
        EXPECT_EQ(Notes, Wanted);
        for (void* pBlock : {pUser, pPrivate})
            if (pBlock)
                Korvid.FreeMemory(pBlock);
        Korvid.ReportAndCloseLog();
        Korvid.StartLog();
    }
}

TEST_F(MemoryTest, FreeAllMemoryKeepsPrivateBlocksAndFreesTheRest)
{
    void* pA = Korvid.AllocMemory(10);
    void* pB = Korvid.AllocMemory(20);
    void* pPrivate = Korvid.AllocMemory(30, KOR_MEM_PRIVATE);
    void* pC = Korvid.AllocMemory(40);
    Korvid.FreeAllMemory();
    // Each free moves the last record into the freed slot, which is looked at again.
    std::vector<std::string> Wanted = {
        "Memory Now Free: " + Hex(pA) + " Size: 10)",
        "Memory Now Free: " + Hex(pC) + " Size: 40)",
        "Memory Private: " + Hex(pPrivate) + " Size: 30)",
        "Memory Now Free: " + Hex(pB) + " Size: 20)",
    };
    std::vector<std::string> Lines;
    for (const std::string& Line : LogMessages())
        if (Line.rfind("Memory ", 0) == 0)
            Lines.push_back(Line);
    EXPECT_EQ(Lines, Wanted);
    EXPECT_EQ(Korvid.MallocCount(), 1u);
    EXPECT_EQ(Korvid.MemorySize(pPrivate), 30u);
    EXPECT_EQ(Korvid.MemoryCounters().nUserBlocks, 0u);
}

TEST_F(MemoryTest, TraceBitsAddTheirLines)
{
    struct Case {
        uint16_t nMask;
        bool bAttempt, bTotals, bUnused;
    };
    for (Case C : {Case{0, false, false, false}, Case{KOR_TRACE_MEMORY, true, false, false},
                   Case{KOR_TRACE_VERBOSE, false, false, true},
                   Case{KOR_TRACE_MEMORY | KOR_TRACE_VERBOSE, true, true, true}}) {
        SCOPED_TRACE(C.nMask);
        Korvid.SetTraceMask(C.nMask);
        void* pUnused = Korvid.AllocMemory(8);
        auto* pUsed = static_cast<uint8_t*>(Korvid.AllocMemory(8));
        void* pPrivate = Korvid.AllocMemory(8, KOR_MEM_PRIVATE);
        pUsed[7] = 1;
        Korvid.FreeMemory(pUnused);
        Korvid.FreeMemory(pUsed);
        Korvid.FreeMemory(pPrivate);
        auto Log = LogMessages();
        EXPECT_EQ(IndexOf(Log, "AllocMemory(8) Attempt") >= 0, C.bAttempt);
        EXPECT_EQ(IndexOf(Log, "FreeMemory(8) -> &" + Decimal(pUsed)) >= 0, C.bAttempt);
        EXPECT_EQ(IndexOf(Log, "Alloced Memory -> &" + Decimal(pUnused) + " (Sys), Totals (1 Sys/0 Heap/Size 8)") >= 0,
                  C.bTotals);
        EXPECT_EQ(IndexOf(Log, "Current Malloc Count 0, Size 0") >= 0, C.bTotals);
        EXPECT_EQ(IndexOf(Log, "NOTE: FreeMemory(&" + Decimal(pUnused) + ") Size 8, Area was unused") >= 0, C.bUnused);
        EXPECT_EQ(IndexOf(Log, "NOTE: FreeMemory(&" + Decimal(pUsed) + ") Size 8, Area was unused"), -1);
        EXPECT_EQ(IndexOf(Log, "NOTE: FreeMemory(&" + Decimal(pPrivate) + ") Size 8, Area was unused"), -1);
        Korvid.SetTraceMask(0);
        Korvid.ReportAndCloseLog();
        Korvid.StartLog();
    }
}

TEST_F(MemoryTest, FirstAllocationOffTheMainThreadWarns)
{
    Korvid.ThreadGoodbye(0);
    Korvid.AllocMemory(4);
    EXPECT_TRUE(LogHas("WARNING: ** SetMaxMallocs() - Called from non-Korvid Thread **"));
}

TEST_F(MemoryTest, MemoryCompareGivesTheFirstUnsignedByteDifference)
{
    struct Case {
        const char* szA;
        const char* szB;
        int32_t nLength;
        int32_t nResult;
    };
    for (Case C : {Case{"abc", "abd", 3, -1}, Case{"abd", "abc", 3, 1}, Case{"\x01", "\xff", 1, -254},
                   Case{"\xff", "\x01", 1, 254}, Case{"same", "same", 4, 0}, Case{"abX", "abY", 2, 0},
                   Case{"a", "b", 0, 0}, Case{"a", "b", -5, 0}}) {
        SCOPED_TRACE(::testing::Message() << C.szA << " vs " << C.szB << " over " << C.nLength);
        EXPECT_EQ(Korvid.MemoryCompare(C.szA, C.szB, C.nLength), C.nResult);
    }
    const char* szText = "a";
    EXPECT_EQ(Korvid.MemoryCompare(nullptr, szText, 1), 0);
    auto Log = LogMessages();
    EXPECT_GE(IndexOf(Log, "ERROR: ** Failed MemoryCompare(0, " + Decimal(szText) + ", 1) ILLEGAL pointer(s) **"), 0);
    for (const std::string& Line : Log)
        EXPECT_EQ(Line.find("non-possitive"), std::string::npos) << Line;
}

TEST_F(MemoryTest, MemorySetAndCopyRefuseBadArguments)
{
    uint8_t Dest[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const uint8_t Source[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    Korvid.MemorySet(Dest, 0xAA, 3);
    Korvid.MemoryCopy(Dest + 4, Source, 2);
    const uint8_t Wanted[8] = {0xAA, 0xAA, 0xAA, 4, 9, 9, 7, 8};
    EXPECT_EQ(memcmp(Dest, Wanted, 8), 0);

    Korvid.MemorySet(nullptr, 7, 4);
    Korvid.MemorySet(Dest, 7, 0);
    Korvid.MemoryCopy(nullptr, Source, 4);
    Korvid.MemoryCopy(Dest, Source, 0);   // silent without the verbose trace
    Korvid.SetTraceMask(KOR_TRACE_VERBOSE);
    Korvid.MemoryCopy(Dest, Source, -1);
    EXPECT_EQ(memcmp(Dest, Wanted, 8), 0);

    std::string D = Decimal(Dest), S = Decimal(Source);
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {
        "ERROR: ** Failed MemorySet(0, 7, 4) to ILLEGAL pointer **",
        "ERROR: ** Failed MemorySet(" + D + ", 7, 0) - non-possitive length (length = 0) **",
        "ERROR: ** Failed MemoryCopy(0, " + S + ", 4) ILLEGAL pointer(s) **",
        "ERROR: ** Failed MemoryCopy(" + D + ", " + S + ", -1) - non-possitive length **",
    }));
    EXPECT_EQ(IndexOf(Log, "ERROR: ** Failed MemoryCopy(" + D + ", " + S + ", 0) - non-possitive length **"), -1);
}

}  // namespace
