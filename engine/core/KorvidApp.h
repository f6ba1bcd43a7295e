// The engine object: one instance, Korvid, built from every module, so that
// every engine call reads Korvid.Operation(...). It owns the process start-up,
// the message loop with its frame limiter, and the two-stage shutdown.
#pragma once
#include <cstdint>

#include "core/EngineConfig.h"
#include "core/KorvidDebug.h"
#include "core/KorvidGadgets.h"
#include "core/KorvidInput.h"
#include "core/KorvidMaths.h"
#include "core/KorvidMemory.h"
#include "core/KorvidProfiler.h"
#include "core/KorvidRandom.h"
#include "core/KorvidString.h"
#include "core/KorvidThreads.h"
#include "gfx/KorvidGFX.h"
#include "gfx/Movie.h"
#include "platform/KorvidPlatform.h"
#include "services/KorvidAudio.h"
#include "services/KorvidCompress.h"
#include "services/KorvidFile.h"
#include "services/KorvidIni.h"
#include "services/KorvidXML.h"

// The application's three functions, bound at link time: each program defines them.
void KorvidConfig();
bool SetupApplication();
void KorvidMain();

class KorvidApp : public KorvidConfigured,
                  public KorvidPlatform,
                  public KorvidDebug,
                  public KorvidProfiler,
                  public KorvidThreads,
                  public KorvidMemory,
                  public KorvidFile,
                  public KorvidCompress,
                  public KorvidInput,
                  public KorvidGadgets,
                  public KorvidString,
                  public KorvidMaths,
                  public KorvidRandom,
                  public KorvidGFX,
                  public KorvidMovie,
                  public KorvidIni,
                  public KorvidXML,
                  public KorvidAudio {
public:
    KorvidApp();
    ~KorvidApp();

    int Main(int nArgs, char** ppArgs);   // the process entry
    bool Init();
    void MessageLoop();
    void RunFrame();
    void ShutDown();
    void FinalShutDown();
    void Abort();
    void Quit() { m_Config.bRunning = false; }
    bool Running() const { return m_Config.bRunning; }

    void SetInstallFunction(bool (*pFunction)()) { m_pInstallFunction = pFunction; }
    void SetExitFunction(bool (*pFunction)()) { m_pExitFunction = pFunction; }
    void SetFrameRate(uint16_t nFramesPerSecond);
    void SetAppNames(const char* szTitle, const char* szName);
    void SetArgs(int nArgs, char** ppArgs);
    bool CommandLineHas(const char* szText) const;
    int ArgCount() const { return m_nArgs; }
    const char* Arg(int n) const { return m_ppArgs[n]; }   // 1..ArgCount()
    void KeepProgramPath(const char* szPath);   // argv[0], kept only when shorter than 255 characters
    const char* ProgramPath() const { return m_szProgramPath; }

    uint32_t Timer();
    uint32_t TimerSeconds() { return Timer() / 1000; }

    // Frame statistics.
    void RecordFrame(uint32_t nMilliseconds);
    uint32_t AverageFrameTime() const;
    uint32_t PredictedFrameRate() const;
    float IdlePercentage() const;
    uint32_t MainUpdates() const { return m_nMainUpdates; }
    uint32_t RedrawCount() const { return m_nRedraws; }
    void CountRedraw() { ++m_nRedraws; }

    bool Active() const { return m_bActive; }
    const char* AppName() const { return m_szAppName; }
    const char* WindowTitle() const { return m_szWindowTitle; }

private:
    char m_szAppName[256] = {};
    char m_szWindowTitle[64] = {};
    bool m_bActive = false;
    uint32_t m_nStartTime = 0;
    bool (*m_pInstallFunction)() = nullptr;
    bool (*m_pExitFunction)() = nullptr;
    uint32_t m_nFrames = 0, m_nFrameTotal = 0, m_nFrameIdle = 0;
    uint32_t m_nMainUpdates = 0;
    uint32_t m_nRedraws = 0;
    int m_nArgs = 0;
    char** m_ppArgs = nullptr;
    char m_szProgramPath[255] = {};
};

extern KorvidApp Korvid;
