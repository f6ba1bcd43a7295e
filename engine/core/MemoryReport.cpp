// The memory part of the shutdown reports: the engine's fixed overhead, the
// allocation totals and peaks, the malloc cache's use and what is still held.
#include "core/KorvidMemory.h"

#include "korvid.h"

namespace {
// Bytes per entry of the engine's fixed tables, as they are counted in the report.
constexpr uint64_t CHUNKY_ENTRY_BYTES = 32;
constexpr uint64_t MALLOC_RECORD_BYTES = 12;
constexpr uint64_t FILE_ENTRY_BYTES = 288;
constexpr uint64_t ZONE_ENTRY_BYTES = 20;
constexpr uint64_t FONT_BANK_BYTES = 528;
constexpr uint64_t FIXED_BYTES = 3;

uint64_t NonNegative(int64_t nValue) { return nValue > 0 ? (uint64_t)nValue : 0; }

double Kilobytes(double fBytes) { return fBytes / 1024.0; }
}  // namespace

void KorvidMemory::ReportMemory()
{
    const KorvidEngineConfig& Config = Korvid.m_Config;
    uint64_t nOverhead = NonNegative(Config.nMaxChunkies) * CHUNKY_ENTRY_BYTES +
                         (uint64_t)m_nMallocCapacity * MALLOC_RECORD_BYTES + FIXED_BYTES +
                         NonNegative(Korvid.PeakOpenFiles()) * FILE_ENTRY_BYTES +
                         NonNegative(Config.nMaxZones) * ZONE_ENTRY_BYTES +
                         NonNegative(Config.nMaxFonts) * FONT_BANK_BYTES;
    KorvidMemoryCounters& C = m_MemoryCounters;
    C.nEnginePeakBytes += (uint32_t)nOverhead;

    Korvid.DebugLog("==Memory/Malloc Cache Report==");
    Korvid.DebugLog("Korvid Overhead %.2fK", Kilobytes((double)nOverhead));
    Korvid.DebugLog("Total Mallocs Made: %u (%u Sys/%u Heap) (Malloc Peak %u)", C.nTotalMallocs,
                    C.nTotalMallocs - C.nTotalHeapMallocs, C.nTotalHeapMallocs, C.nPeakLiveBlocks);
    Korvid.DebugLog("Peek Memory Usage (%.2fK User, %.2fK Korvid, %.2fK Total)", Kilobytes(C.nUserPeakBytes),
                    Kilobytes(C.nEnginePeakBytes), Kilobytes((double)C.nUserPeakBytes + C.nEnginePeakBytes));
    if (C.nCacheAdds > 0) {
        Korvid.DebugLog("Peek Malloc Cache usage %uK", C.nCachePeakBytes / 1024);
        Korvid.DebugLog("Total Mallocs added to Cache %u", C.nCacheAdds);
        Korvid.DebugLog("Total Mallocs taken from Cache %u", C.nCacheTakes);
        Korvid.DebugLog("Malloc Cache benefits %.3f%%", C.nCacheTakes * 100.0 / C.nCacheAdds);
    }
    if (C.nUserBlocks > 0) {
        Korvid.DebugLog("NOTE: %u User Alloc(s) Remaining (Total: %.3fK)...", C.nUserBlocks, Kilobytes(C.nUserBytes));
        if (C.nEngineBlocks > 0)
            Korvid.DebugLog("NOTE: %u System Alloc(s) Remaining (Total: %.3fK)...", C.nEngineBlocks,
                            Kilobytes(C.nEngineBytes));
    }
}
