#include "support/BenchEngine.h"

#include <cstdlib>

void KorvidConfig() {}
bool SetupApplication() { return true; }
void KorvidMain() {}

namespace {

// The bandwidth test keeps the dirty list unless presenting with it is measured
// slower. This clock makes the unwanted choice look ten times slower, so a
// benchmark gets the presentation path it wants to measure.
class SteeringPlatform : public OSEnvironment {
public:
    uint32_t GetTicks() override
    {
        m_nNow += Korvid.DirtyListOn() == m_bWantDirtyList ? 1 : 10;
        return m_nNow;
    }
    void Delay(uint32_t nMilliseconds) override { m_nNow += nMilliseconds; }
    bool m_bWantDirtyList = false;

private:
    uint32_t m_nNow = 1000;
};

SteeringPlatform g_Platform;

}  // namespace

bool StartBenchEngine(uint16_t nWidth, uint16_t nHeight, uint8_t nDepth)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    Korvid.SetPlatform(&g_Platform);
    if (!Korvid.OSInit())
        return false;
    Korvid.ChangeDisplayMode(nWidth, nHeight, nDepth, KOR_WINDOWED);
    return Korvid.GFXInit() == 1 && Korvid.DisplayDepth() == nDepth;
}

bool ReopenDisplay(uint8_t nDepth, bool bDirtyList)
{
    g_Platform.m_bWantDirtyList = bDirtyList;
    if (Korvid.DisplayDepth() == nDepth && Korvid.DirtyListOn() == bDirtyList)
        return true;
    // The toggle forces a reopen even at an unchanged size and depth, and with it a new bandwidth test.
    Korvid.ChangeDisplayMode(Korvid.DisplayWidth(), Korvid.DisplayHeight(), nDepth, KOR_TOGGLE_WINDOW);
    return Korvid.DisplayDepth() == nDepth && Korvid.DirtyListOn() == bDirtyList;
}

int RunBenchmarks(int nArgs, char** ppArgs)
{
    benchmark::Initialize(&nArgs, ppArgs);
    if (benchmark::ReportUnrecognizedArguments(nArgs, ppArgs))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

std::string CaseName(const char* szSubject, const char* szWho) { return std::string(szSubject) + "/" + szWho; }
