// The malloc cache: parking and taking back by exact label, refusals, the purge
// of the oldest fifth when full, flushing, and entries whose block was freed
// behind the cache's back.
#include <cstring>

#include "CoreTest.h"

namespace {

using MemoryCacheTest = MemoryTest;

TEST_F(MemoryCacheTest, BlocksComeBackByTheirExactLabelUnchanged)
{
    Korvid.SetTraceMask(KOR_TRACE_MEMORY);
    auto* pBlock = static_cast<uint8_t*>(Korvid.AllocMemory(4096));
    memset(pBlock, 0x5A, 4096);
    ASSERT_TRUE(Korvid.AddMallocCache(pBlock, "Sprites"));
    ASSERT_TRUE(Korvid.AddMallocCache(Korvid.AllocMemory(2048), "Other"));
    EXPECT_EQ(Korvid.MemoryCounters().nCacheBytes, 6144u);
    for (const char* szLabel : {"sprites", "Sprite"})
        EXPECT_EQ(Korvid.TakeMallocCache(szLabel), nullptr) << szLabel;
    EXPECT_EQ(Korvid.TakeMallocCache("Sprites"), pBlock);
    EXPECT_EQ(Korvid.TakeMallocCache("Sprites"), nullptr);
    EXPECT_EQ(std::string((char*)pBlock, 4096), std::string(4096, 0x5A));
    EXPECT_EQ(Korvid.MemorySize(pBlock), 4096u);
    EXPECT_EQ(Korvid.MemoryCounters().nCacheBytes, 2048u);

    Korvid.ReportMemory();
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"AddMallocCache -> 'Sprites'", "AddMallocCache -> 'Other'",
                                                "TakeMallocCache <- 'Sprites'", "Peek Malloc Cache usage 6K",
                                                "Total Mallocs added to Cache 2", "Total Mallocs taken from Cache 1",
                                                "Malloc Cache benefits 50.000%"}));
}

TEST_F(MemoryCacheTest, RefusesUnknownBlocksBadLabelsAndATableOfNoEntries)
{
    int nLocal = 0;
    void* pBlock = Korvid.AllocMemory(16);
    std::string Longest(255, 'x'), TooLong(256, 'x');
    EXPECT_FALSE(Korvid.AddMallocCache(&nLocal, "Local"));
    EXPECT_FALSE(Korvid.AddMallocCache(pBlock, ""));
    EXPECT_FALSE(Korvid.AddMallocCache(pBlock, TooLong.c_str()));
    EXPECT_EQ(Korvid.TakeMallocCache(""), nullptr);
    EXPECT_EQ(Korvid.TakeMallocCache(TooLong.c_str()), nullptr);
    int32_t nCapacity = Korvid.m_Config.nMallocCacheSize;
    Korvid.m_Config.nMallocCacheSize = 0;
    EXPECT_FALSE(Korvid.AddMallocCache(pBlock, "Nowhere"));
    EXPECT_EQ(Korvid.MemoryCounters().nCacheAdds, 0u);

    Korvid.m_Config.nMallocCacheSize = nCapacity;
    ASSERT_TRUE(Korvid.AddMallocCache(pBlock, Longest.c_str()));
    EXPECT_EQ(Korvid.TakeMallocCache(Longest.c_str()), pBlock);
    std::string Local = Decimal(&nLocal), Block = Decimal(pBlock);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "ERROR: ** AddMallocCache(" + Local + ", 'Local') - Not Valid Korvid Malloc **",
        "ERROR: ** AddMallocCache(" + Block + ", [label]) - Label Length Invalid at 0bytes long **",
        "ERROR: ** AddMallocCache(" + Block + ", [label]) - Label Length Invalid at 256bytes long **",
        "ERROR: ** TakeMallocCache([label]) - Label Length Invalid at 0bytes long **",
        "ERROR: ** TakeMallocCache([label]) - Label Length Invalid at 256bytes long **",
        "ERROR: ** AddMallocCache(" + Block + ", 'Nowhere') - Cache Full Up **",
    }));
}

TEST_F(MemoryCacheTest, FlushFreesParkedBlocksAndDropsOnesFreedElsewhere)
{
    void* pGone = Korvid.AllocMemory(100);
    ASSERT_TRUE(Korvid.AddMallocCache(pGone, "Gone"));
    ASSERT_TRUE(Korvid.AddMallocCache(Korvid.AllocMemory(200), "Kept"));
    Korvid.FreeMemory(pGone);
    Korvid.FlushMallocCache();
    EXPECT_TRUE(LogHas("WARNING: ** Malloc Cache entry 'Gone' Free'd by Over Paid Programmer Error **"));
    EXPECT_EQ(Korvid.MallocCount(), 0u);
    EXPECT_EQ(Korvid.MemoryCounters().nCacheBytes, 0u);
    EXPECT_EQ(Korvid.TakeMallocCache("Kept"), nullptr);
    EXPECT_EQ(m_Platform.m_nLiveBlocks, 2);   // the malloc list and the cache's table
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

    auto Log = LogMessages();
    for (int n = 0; n < nCapacity; ++n) {
        std::string Label = "Block " + std::to_string(n);
        bool bPurged = AgeRank(n) < nPurged;
        SCOPED_TRACE(Label);
        char szPurgeLine[96];
        snprintf(szPurgeLine, sizeof(szPurgeLine), "Purged MallocCache '%s' - %.3f Minutes Old", Label.c_str(),
                 (nCapacity - AgeRank(n)) / 60.0);
        EXPECT_EQ(IndexOf(Log, szPurgeLine) >= 0, bPurged);
        EXPECT_EQ(Korvid.TakeMallocCache(Label.c_str()) == Blocks[n], !bPurged);
    }
    EXPECT_EQ(Korvid.TakeMallocCache("Newest") == pNewest, nPurged > 0);
    EXPECT_EQ(Korvid.MallocCount(), (uint32_t)(nCapacity + 1 - nPurged));
    EXPECT_EQ(CountOf(Log, "Cache Full Up"), nPurged == 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Capacities, MallocCachePurge,
                         ::testing::Values(std::make_pair(3, 0), std::make_pair(5, 1), std::make_pair(20, 4)),
                         [](const auto& Info) { return "Capacity" + std::to_string(Info.param.first); });

}  // namespace
