// The SDL side of the platform that the engine calls directly: start-up, the
// video surface, presenting frames, the palette, the event pump with its hot
// keys, the data-directory search and the crash handler.
#pragma once
#include <cstdint>
#include <cstdio>

#include "gfx/ScaledView.h"
#include "platform/OSEnvironment.h"

struct SDL_Surface;
struct _SDL_Joystick;

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

    // A window nScale (1..4) times the display's size, as far as the desktop
    // allows; full screen always takes the desktop's own size and depth, with the
    // picture placed by KorvidFitView. bSmooth chooses the filtered stretch. An
    // open surface is reopened at once.
    void SetWindowScale(int nScale, bool bSmooth);
    int WindowScale() const { return m_nWindowScale; }
    bool SmoothScale() const { return m_bSmoothScale; }
    KorvidScaledView SurfaceView() const;

    // SDL 1.2 sees gamepads only when its joystick system starts, so a pad
    // plugged in later needs a new start: this restarts it and opens the first
    // pad. Answers the number of pads. Their sticks, hats and buttons arrive as
    // the keys of keyboard play (PumpEvent).
    int ScanGamepads();

    SDL_Surface* Surface() const { return m_pSurface; }
    bool SDLInitialised() const { return m_bSDLInitialised; }
    int16_t HostWidth() const { return m_nHostWidth; }
    int16_t HostHeight() const { return m_nHostHeight; }
    const char* BuildName() const { return m_szBuildName; }

private:
    void HandleHotKeys(int nSym, int nMod);
    void ReadHostScreenSize();
    void SurfaceSize(int& nWidth, int& nHeight) const;
    void PadDirection(int nAxis, int nDirection);
    void PadButton(int nButton, bool bDown);

    OSGeneric* m_pOS;
    SDL_Surface* m_pSurface = nullptr;
    int16_t m_nHostWidth = 0;
    int16_t m_nHostHeight = 0;
    bool m_bSDLInitialised = false;
    char m_szBuildName[64] = {};
    int m_nSaverTimeout = 0, m_nSaverInterval = 0, m_nSaverBlanking = 0, m_nSaverExposures = 0;
    bool m_bSaverChanged = false;
    int m_nWindowScale = 1;
    bool m_bSmoothScale = false;
    _SDL_Joystick* m_pGamepad = nullptr;
    int m_nGamepads = -1;                 // as last scanned; -1 before the first scan
    int m_PadDirection[2] = {0, 0};       // x and y: -1, 0 or 1, held as arrow keys
};
