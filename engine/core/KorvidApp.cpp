#include "core/KorvidApp.h"

#include <SDL/SDL.h>

#include <csignal>
#include <initializer_list>
#include <cstring>

#include "korvid.h"

KorvidApp Korvid;

namespace {
constexpr uint32_t FRAME_HALVING_LIMIT = 1000;
constexpr int PROGRAM_PATH_LIMIT = 254;
}

KorvidApp::KorvidApp()
{
    snprintf(m_szAppName, sizeof(m_szAppName), "%s", "KorvidApp");
    snprintf(m_szWindowTitle, sizeof(m_szWindowTitle), "%s", "Korvid Application");
}

KorvidApp::~KorvidApp()
{
    if (!m_bActive)
        return;
    DebugLog("WARNING: ** Korvid App Still Active at Deconstruction **");
    ShutDown();
    FinalShutDown();
    m_bActive = false;
}

int KorvidApp::Main(int nArgs, char** ppArgs)
{
    SetArgs(nArgs, ppArgs);
    if (ppArgs && ppArgs[0])
        KeepProgramPath(ppArgs[0]);
    for (int nSignal : {SIGFPE, SIGQUIT, SIGABRT, SIGSEGV})
        signal(nSignal, &KorvidPlatform::CrashHandler);

    if (!Init()) {
        if (SDLInitialised())
            SDL_Quit();
        return 0;
    }
    DisableScreensaver();
    MessageLoop();
    RestoreScreensaver();
    if (SDLInitialised())
        SDL_Quit();
    return 0;
}

bool KorvidApp::Init()
{
    if (m_Config.nInitCount > 1)
        DebugLog("WARNING: ** Korvid.Init() - Called %d Times So far! **", m_Config.nInitCount);
    ++m_Config.nInitCount;
    snprintf(m_szAppName, sizeof(m_szAppName), "%s", "KorvidApp");
    snprintf(m_szWindowTitle, sizeof(m_szWindowTitle), "%s", "Korvid Application");

    if (!OSInit())
        return false;
    PrepareMainThread();
    ThreadHello(0);
    m_nStartTime = OS()->GetTicks();
    KorvidConfig();
    StartLog();

    if (m_pInstallFunction) {
        DebugLog("Calling Install Function");
        if (!m_pInstallFunction()) {
            DebugLog("ERROR: ** Applications Install Function Returned FAIL **");
            return false;
        }
    }
    m_bActive = true;
    InitHeap();
    if (m_Config.bSoundRequested)
        SoundInit();
    if (!GFXInit()) {
        DebugLog("ERROR: ** GFXInit() FAILED **");
        ShutDown();
        FinalShutDown();
        return false;
    }
    DebugLog("Host Screen Size %dx%d", HostWidth(), HostHeight());
    if (m_Config.nMaxZones > 0) {
        DebugLog("Allocating %d Zone(s)", m_Config.nMaxZones);
        if (!AllocateZones())
            DebugLog("ERROR: ** Failed to Allocate Zones **");
    }
    DebugLog("Setup Application");
    if (!SetupApplication()) {
        DebugLog("ERROR: ** KorvidApp::Setup() FAILED **");
        ShutDown();
        FinalShutDown();
        return false;
    }
    m_nFrames = m_nFrameTotal = m_nFrameIdle = 0;
    DebugLog("Setup Complete <----------------------------------------->");
    return true;
}

void KorvidApp::MessageLoop()
{
    DebugLog("Start of Korvid OS Message Loop");
    while (m_Config.bRunning) {
        if (PumpEvent())
            continue;
        ServiceAudio();
        RunFrame();
    }
    DebugLog("End of Korvid OS Message Loop");
    ShutDown();
    FinalShutDown();
}

void KorvidApp::RunFrame()
{
    if (!m_Config.bRunning)
        return;
    uint32_t nStart = Timer();
    ++m_nMainUpdates;
    Pause(0, "!MainThread");
    KorvidMain();

    if (m_Config.nMinFrameTime == KOR_FPS_UNLIMITED) {
        RecordFrame(0);
        return;
    }
    if (m_Config.nMinFrameTime == KOR_FPS_ONE_FRAME) {
        Quit();
        return;
    }
    RecordFrame(Timer() - nStart);
    while ((uint32_t)m_Config.nMinFrameTime > Timer() - nStart)
        Pause(1, "!MainThreadSync");
}

void KorvidApp::ShutDown()
{
    if (!m_bActive)
        return;
    DebugLog("Korvid ShutDown()");
    for (int nThread = 1; nThread < KOR_MAX_THREADS; ++nThread)
        ThreadEnd(nThread);
    GFXShutDown();
    SoundShutDown();
    m_bActive = false;
}

void KorvidApp::FinalShutDown()
{
    DebugLog("Korvid ShutDown <------------------------------------------------>");
    if (m_pExitFunction) {
        DebugLog("Calling Exit Function");
        if (!m_pExitFunction())
            DebugLog("ERROR: ** Applications Exit Function Returned FAIL **");
    }
    FreeZones();
    FileValidationReport();
    ReportMemory();
    FreeAllMemory();
    FreeHeap();
    ReportAndCloseLog();
    ThreadGoodbye(0);
    OS()->OSShutdown();
}

void KorvidApp::Abort()
{
    DebugLog("ERROR: ***********");
    DebugLog("ERROR: * Abort() *");
    DebugLog("ERROR: ***********");
    Quit();
}

void KorvidApp::SetFrameRate(uint16_t nFramesPerSecond)
{
    if (nFramesPerSecond == KOR_FPS_UNLIMITED || nFramesPerSecond == KOR_FPS_ONE_FRAME) {
        m_Config.nMinFrameTime = nFramesPerSecond;
        m_Config.nFrameRateLimit = 0;
    } else if (nFramesPerSecond == 0) {
        m_Config.nMinFrameTime = 2000;
        m_Config.nFrameRateLimit = 2;
    } else {
        m_Config.nMinFrameTime = 950 / nFramesPerSecond;
        m_Config.nFrameRateLimit = nFramesPerSecond;
    }
}

void KorvidApp::SetAppNames(const char* szTitle, const char* szName)
{
    if (szName && strlen(szName) < 250)
        snprintf(m_szAppName, sizeof(m_szAppName), "%s", szName);
    if (szTitle && strlen(szTitle) < 50)
        snprintf(m_szWindowTitle, sizeof(m_szWindowTitle), "%s", szTitle);
}

void KorvidApp::SetArgs(int nArgs, char** ppArgs)
{
    m_nArgs = nArgs > 0 ? nArgs - 1 : 0;
    m_ppArgs = ppArgs;
}

void KorvidApp::KeepProgramPath(const char* szPath)
{
    m_szProgramPath[0] = 0;
    if (strlen(szPath) <= PROGRAM_PATH_LIMIT)
        snprintf(m_szProgramPath, sizeof(m_szProgramPath), "%s", szPath);
}

bool KorvidApp::CommandLineHas(const char* szText) const
{
    for (int n = 1; n <= m_nArgs; ++n)
        if (StringEqual(m_ppArgs[n], szText, 0))
            return true;
    return false;
}

uint32_t KorvidApp::Timer() { return OS()->GetTicks() - m_nStartTime; }

void KorvidApp::RecordFrame(uint32_t nMilliseconds)
{
    if (m_nFrames > FRAME_HALVING_LIMIT) {
        m_nFrames /= 2;
        m_nFrameTotal /= 2;
        m_nFrameIdle /= 2;
    }
    m_nFrameTotal += nMilliseconds;
    if ((uint32_t)m_Config.nMinFrameTime > nMilliseconds)
        m_nFrameIdle += m_Config.nMinFrameTime - nMilliseconds;
    ++m_nFrames;
}

uint32_t KorvidApp::AverageFrameTime() const { return m_nFrames ? m_nFrameTotal / m_nFrames : 0; }

uint32_t KorvidApp::PredictedFrameRate() const
{
    uint32_t nAverage = AverageFrameTime();
    return nAverage ? 1000 / nAverage : 0;
}

float KorvidApp::IdlePercentage() const
{
    if (m_nFrames == 0 || m_Config.nMinFrameTime < 1)
        return 0;
    float fIdle = m_nFrameIdle * (100.0f / (float)(m_nFrames * (uint32_t)m_Config.nMinFrameTime));
    return fIdle < 0 ? 0 : (fIdle > 100 ? 100 : fIdle);
}
