#include "FuzzSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "korvid.h"

// Both compilers' ways of saying the address checker is built in.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FUZZ_ADDRESS_CHECKER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define FUZZ_ADDRESS_CHECKER 1
#endif
#ifdef FUZZ_ADDRESS_CHECKER
#include <sanitizer/asan_interface.h>
#endif

namespace {

// The test platform's idea, without its bookkeeping: GetTicks reads a clock
// that Delay and the targets move, so a movie plays without real waiting.
class FuzzPlatform : public OSEnvironment {
public:
    uint32_t GetTicks() override { return m_nNow; }
    void Delay(uint32_t nMilliseconds) override { m_nNow += nMilliseconds; }
    void Yield(const char*) override {}
    uint32_t m_nNow = 1000;
};

FuzzPlatform g_Platform;
bool g_bFilesReady = false;
bool g_bSoundReady = false;
bool g_bDisplayReady = false;

// In memory where the system offers it: every input is written to a file and
// the settings writer flushes each save to the disk.
void EnterScratchDirectory()
{
    char szTemplate[] = "/dev/shm/korvid-fuzz-XXXXXX";
    const char* szDir = mkdtemp(szTemplate);
    if (!szDir) {
        strcpy(szTemplate, "/tmp/korvid-fuzz-XXXXXX");
        szDir = mkdtemp(szTemplate);
    }
    if (!szDir || chdir(szDir) != 0) {
        perror("fuzz scratch directory");
        abort();
    }
}

void StartFiles()
{
    if (g_bFilesReady)
        return;
    g_bFilesReady = true;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EnterScratchDirectory();
    Korvid.SetPlatform(&g_Platform);
    Korvid.PrepareMainThread();
    const char* szLog = getenv("FUZZ_LOG");
    if (szLog && *szLog == '1')
        Korvid.StartLog();
}

void MakeParentFolders(const std::string& Path)
{
    for (size_t nSlash = Path.find('/'); nSlash != std::string::npos; nSlash = Path.find('/', nSlash + 1))
        mkdir(Path.substr(0, nSlash).c_str(), 0755);
}

}  // namespace

void FuzzStartEngine(FuzzEngineParts Parts)
{
    StartFiles();
    if (Parts == FuzzEngineParts::Sound && !g_bSoundReady) {
        g_bSoundReady = true;
        Korvid.SoundInit();
    }
    if (Parts == FuzzEngineParts::Display && !g_bDisplayReady) {
        g_bDisplayReady = g_bSoundReady = true;
        if (!Korvid.Init())
            FuzzFail("the engine did not start");
    }
}

void FuzzWriteFile(const char* szName, const uint8_t* pData, size_t nSize)
{
    MakeParentFolders(szName);
    FILE* pFile = fopen(szName, "wb");
    if (!pFile || (nSize && fwrite(pData, 1, nSize, pFile) != nSize) || fclose(pFile) != 0) {
        perror(szName);
        abort();
    }
}

uint32_t FuzzClockNow() { return g_Platform.m_nNow; }

void FuzzAdvanceClock(uint32_t nMilliseconds) { g_Platform.m_nNow += nMilliseconds; }

void FuzzCheckReadable(const void* pBlock, size_t nSize, const char* szWhat)
{
#ifdef FUZZ_ADDRESS_CHECKER
    // One look at the shadow memory instead of a checked load per byte.
    if (__asan_region_is_poisoned(const_cast<void*>(pBlock), nSize))
        FuzzFail(szWhat);
#else
    (void)szWhat;
    const volatile uint8_t* pBytes = (const volatile uint8_t*)pBlock;
    uint8_t nSum = 0;
    for (size_t n = 0; n < nSize; ++n)
        nSum = (uint8_t)(nSum + pBytes[n]);
    (void)nSum;
#endif
}

void FuzzFail(const char* szWhat)
{
    fprintf(stderr, "fuzz oracle failed: %s\n", szWhat);
    abort();
}
