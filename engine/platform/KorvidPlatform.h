// The SDL side of the platform that the engine calls directly: start-up, the
// video surface, presenting frames, the palette, the event pump with its hot
// keys, the data-directory search and the crash handler.
#pragma once
#include <cstdint>
#include <cstdio>

#include "platform/OSEnvironment.h"

struct SDL_Surface;

// Where LocateDataDirectory found the data.
enum class KorvidDataPlace { Variable, Program, BesideProgram, WorkingDirectory, Nowhere };

class KorvidPlatform {
public:
    KorvidPlatform();

    // The platform object; tests may install their own before Init.
    OSGeneric* OS() const { return m_pOS; }
    void SetPlatform(OSGeneric* pOS) { m_pOS = pOS; }

    bool OSInit();
    bool SetVideoMode();
    void Flip();
    void SetPalette();   // the engine palette as the surface's logical and physical palette
    bool PumpEvent();
    // szBesideProgram: a folder relative to the program's own (an installed
    // program's "../share/NAME"), tried after it and before the working directory.
    KorvidDataPlace LocateDataDirectory(const char* szBase, const char* szEnvVar, const char* szSub,
                                        const char* szBesideProgram = nullptr);
    bool CheckDataDirectory(const char* szDir, const char* szSub);
    static void CrashHandler(int nSignal);
    static void WriteStackDump(FILE* pStream, const char* szMessage);

    void DisableScreensaver();
    void RestoreScreensaver();

    SDL_Surface* Surface() const { return m_pSurface; }
    bool SDLInitialised() const { return m_bSDLInitialised; }
    int16_t HostWidth() const { return m_nHostWidth; }
    int16_t HostHeight() const { return m_nHostHeight; }
    const char* BuildName() const { return m_szBuildName; }

private:
    void HandleHotKeys(int nSym, int nMod);
    void ReadHostScreenSize();

    OSGeneric* m_pOS;
    SDL_Surface* m_pSurface = nullptr;
    int16_t m_nHostWidth = 0;
    int16_t m_nHostHeight = 0;
    bool m_bSDLInitialised = false;
    char m_szBuildName[64] = {};
    int m_nSaverTimeout = 0, m_nSaverInterval = 0, m_nSaverBlanking = 0, m_nSaverExposures = 0;
    bool m_bSaverChanged = false;
};
