// The malloc cache: parking and taking back by exact label, refusals, the purge
// of the oldest fifth when full, flushing, and entries whose block was freed
// behind the cache's back.
#include <cstring>

#include "MemoryTestFixture.h"

namespace {

using MemoryCacheTest = MemoryTest;

TEST_F(MemoryCacheTest, BlocksComeBackByTheirExactLabelUnchanged)
{
    Korvid.SetTraceMask(KOR_TRACE_MEMORY);
    auto* pBlock = static_cast<uint8_t*>(Korvid.AllocMemory(4096));
    memset(pBlock, 0x5A, 4096);
    void* pOther = Korvid.AllocMemory(2048);
    ASSERT_TRUE(Korvid.AddMallocCache(pBlock, "Sprites"));
    ASSERT_TRUE(Korvid.AddMallocCache(pOther, "Other"));
    EXPECT_EQ(Korvid.MemoryCounters().nCacheBytes, 6144u);

    EXPECT_EQ(Korvid.TakeMallocCache("sprites"), nullptr);
    EXPECT_EQ(Korvid.TakeMallocCache("Sprite"), nullptr);
    EXPECT_EQ(Korvid.TakeMallocCache("Sprites"), pBlock);
    EXPECT_EQ(Korvid.TakeMallocCache("Sprites"), nullptr);
    for (int n = 0; n < 4096; ++n)
        ASSERT_EQ(pBlock[n], 0x5A) << n;
    EXPECT_EQ(Korvid.MemorySize(pBlock), 4096u);

    const KorvidMemoryCounters& C = Korvid.MemoryCounters();
    EXPECT_EQ(C.nCacheBytes, 2048u);
    EXPECT_EQ(C.nCachePeakBytes, 6144u);
    Korvid.ReportMemory();
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"AddMallocCache -> 'Sprites'", "AddMallocCache -> 'Other'",
                                                "TakeMallocCache <- 'Sprites'", "Peek Malloc Cache usage 6K",
                                                "Total Mallocs added to Cache 2", "Total Mallocs taken from Cache 1",
                                                "Malloc Cache benefits 50.000%"}));
}

TEST_F(MemoryCacheTest, RefusesUnknownBlocksAndBadLabels)
{
    int nLocal = 0;
    void* pBlock = Korvid.AllocMemory(16);
    std::string Longest(255, 'x'), TooLong(256, 'x');
    EXPECT_FALSE(Korvid.AddMallocCache(&nLocal, "Local"));
    EXPECT_FALSE(Korvid.AddMallocCache(pBlock, ""));
    EXPECT_FALSE(Korvid.AddMallocCache(pBlock, TooLong.c_str()));
    EXPECT_EQ(Korvid.TakeMallocCache(""), nullptr);
    EXPECT_EQ(Korvid.TakeMallocCache(TooLong.c_str()), nullptr);
    EXPECT_EQ(Korvid.MemoryCounters().nCacheAdds, 0u);

    ASSERT_TRUE(Korvid.AddMallocCache(pBlock, Longest.c_str()));
    EXPECT_EQ(Korvid.TakeMallocCache(Longest.c_str()), pBlock);

    std::string Local = Decimal(&nLocal), Block = Decimal(pBlock);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "WARNING: ** FindMalloc(" + Local + ") - Failed **",
        "ERROR: ** AddMallocCache(" + Local + ", 'Local') - Not Valid Korvid Malloc **",
        "ERROR: ** AddMallocCache(" + Block + ", [label]) - Label Length Invalid at 0bytes long **",
        "ERROR: ** AddMallocCache(" + Block + ", [label]) - Label Length Invalid at 256bytes long **",
        "ERROR: ** TakeMallocCache([label]) - Label Length Invalid at 0bytes long **",
        "ERROR: ** TakeMallocCache([label]) - Label Length Invalid at 256bytes long **",
    }));
}

TEST_F(MemoryCacheTest, FlushFreesParkedBlocksAndDropsOnesFreedElsewhere)
{
    void* pGone = Korvid.AllocMemory(100);
    void* pKept = Korvid.AllocMemory(200);
    ASSERT_TRUE(Korvid.AddMallocCache(pGone, "Gone"));
    ASSERT_TRUE(Korvid.AddMallocCache(pKept, "Kept"));
    Korvid.FreeMemory(pGone);
    Korvid.FlushMallocCache();

    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "WARNING: ** FindMalloc(" + Decimal(pGone) + ") - Failed **",
        "WARNING: ** Malloc Cache entry 'Gone' Free'd by Over Paid Programmer Error **",
    }));
    EXPECT_EQ(Korvid.MallocCount(), 0u);
    EXPECT_EQ(Korvid.MemoryCounters().nCacheBytes, 0u);
    EXPECT_EQ(Korvid.MemoryCounters().nUserBlocks, 0u);
    EXPECT_EQ(Korvid.TakeMallocCache("Kept"), nullptr);
    EXPECT_EQ(m_Platform.m_nLiveBlocks, 2);   // the malloc list and the cache's table
}

// A full cache frees its oldest fifth to make room; one below five entries cannot.
struct PurgeCase {
    int32_t nCapacity;
    int nPurged;
};

class MallocCachePurge : public MemoryTest, public ::testing::WithParamInterface<PurgeCase> {};

TEST_P(MallocCachePurge, FullCacheFreesItsOldestFifth)
{
    const PurgeCase C = GetParam();
    Korvid.m_Config.nMallocCacheSize = C.nCapacity;
    Korvid.SetTraceMask(KOR_TRACE_MEMORY);
    const uint32_t nStart = m_Platform.m_nNow;
    // Entries are parked out of age order: entry n is the (n * 7 mod capacity)-th oldest.
    auto AgeRank = [&](int n) { return (n * 7) % C.nCapacity; };
    std::vector<void*> Blocks;
    for (int n = 0; n < C.nCapacity; ++n) {
        m_Platform.m_nNow = nStart + 1000 * (uint32_t)AgeRank(n);
        Blocks.push_back(Korvid.AllocMemory(64));
        ASSERT_TRUE(Korvid.AddMallocCache(Blocks.back(), ("Block " + std::to_string(n)).c_str()));
    }
    m_Platform.m_nNow = nStart + 1000 * (uint32_t)C.nCapacity;
    void* pNewest = Korvid.AllocMemory(64);
    EXPECT_EQ(Korvid.AddMallocCache(pNewest, "Newest"), C.nPurged > 0);

    auto Log = LogMessages();
    for (int n = 0; n < C.nCapacity; ++n) {
        std::string Label = "Block " + std::to_string(n);
        bool bPurged = AgeRank(n) < C.nPurged;
        SCOPED_TRACE(Label);
        char szPurgeLine[96];
        snprintf(szPurgeLine, sizeof(szPurgeLine), "Purged MallocCache '%s' - %.3f Minutes Old", Label.c_str(),
                 (C.nCapacity - AgeRank(n)) / 60.0);
        EXPECT_EQ(IndexOf(Log, szPurgeLine) >= 0, bPurged);
        EXPECT_EQ(Korvid.MemorySize(Blocks[n]) == 64, !bPurged);
        EXPECT_EQ(Korvid.TakeMallocCache(Label.c_str()) == Blocks[n], !bPurged);
    }
    EXPECT_EQ(Korvid.TakeMallocCache("Newest") == pNewest, C.nPurged > 0);
    EXPECT_EQ(Korvid.MallocCount(), (uint32_t)(C.nCapacity + 1 - C.nPurged));
    EXPECT_EQ(Korvid.MemoryCounters().nCacheBytes, 0u);
    std::string FullUp = "ERROR: ** AddMallocCache(" + Decimal(pNewest) + ", 'Newest') - Cache Full Up **";
    EXPECT_EQ(IndexOf(Log, FullUp) >= 0, C.nPurged == 0);
}

INSTANTIATE_TEST_SUITE_P(Capacities, MallocCachePurge,
                         ::testing::Values(PurgeCase{3, 0}, PurgeCase{5, 1}, PurgeCase{10, 2}, PurgeCase{20, 4}),
                         [](const ::testing::TestParamInfo<PurgeCase>& Info) {
                             return "Capacity" + std::to_string(Info.param.nCapacity);
                         });

}  // namespace
