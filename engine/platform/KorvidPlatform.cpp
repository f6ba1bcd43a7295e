#include "platform/KorvidPlatform.h"

#include <SDL/SDL.h>

#include "korvid.h"

namespace {

OSGeneric* DefaultPlatform()
{
    // Never destroyed: the engine object may still use it during static destruction.
    static OSEnvironment* pPlatform = new OSEnvironment;
    return pPlatform;
}

int CountBits(uint32_t nMask)
{
    int nBits = 0;
    for (; nMask; nMask &= nMask - 1)
        ++nBits;
    return nBits;
}

}  // namespace

KorvidPlatform::KorvidPlatform() : m_pOS(DefaultPlatform()) {}

bool KorvidPlatform::OSInit()
{
    snprintf(m_szBuildName, sizeof(m_szBuildName), "%s", "SDL Korvid Build");
    Korvid.m_Config.nMouseButtons = 1;
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0)
        return false;

    ReadHostScreenSize();
    SDL_EnableUNICODE(1);
    m_bSDLInitialised = true;
    if (OSEnvironment* pEnvironment = dynamic_cast<OSEnvironment*>(m_pOS))
        pEnvironment->m_bPlatformStarted = true;
    return true;
}

bool KorvidPlatform::SetVideoMode()
{
    int nWidth = Korvid.DisplayWidth(), nHeight = Korvid.DisplayHeight();
    bool bFullScreen = Korvid.WindowMode() == KOR_FULLSCREEN;
    if (m_pSurface) {
        Korvid.DebugLog("SetVideoMode() - Changing Mode");
    } else {
        if (m_nHostWidth > 0 && m_nHostHeight > 0 && (nWidth > m_nHostWidth || nHeight > m_nHostHeight)) {
            printf("Problem: Requested Screen size %dx%d too large (Max size %dx%d)\n\n", nWidth, nHeight,
                   m_nHostWidth, m_nHostHeight);
            return false;
        }
        SDL_WM_SetCaption(Korvid.WindowTitle(), "");
    }

    uint32_t nFlags = SDL_HWSURFACE | SDL_DOUBLEBUF;
    if (bFullScreen) {
        nFlags |= SDL_FULLSCREEN;
        Korvid.DebugLog("SDL: SDL_SetVideoMode(%d, %d, %d, SDL_HWSURFACE|SDL_DOUBLEBUF|SDL_FULLSCREEN)", nWidth,
                        nHeight, 16);
    } else {
        Korvid.DebugLog("SDL: SDL_SetVideoMode(%d, %d, %d, SDL_HWSURFACE|SDL_DOUBLEBUF)", nWidth, nHeight, 16);
    }
    bool bReopening = m_pSurface != nullptr;
    m_pSurface = SDL_SetVideoMode(nWidth, nHeight, 16, nFlags);
    if (!m_pSurface) {
        printf("ERROR: ** SDL - Unable to set %dx%d video: %s **\n\n", nWidth, nHeight, SDL_GetError());
        return false;
    }
    if (bReopening)
        Korvid.SetFullUpdate();

    const SDL_PixelFormat* pFormat = m_pSurface->format;
    Korvid.SetPixelFormatBits(CountBits(pFormat->Rmask), CountBits(pFormat->Gmask), CountBits(pFormat->Bmask),
                              pFormat->BitsPerPixel);
    SDL_ShowCursor(Korvid.m_Config.bShowCursor && Korvid.ShowCursor() ? 1 : 0);
    return true;
}

void KorvidPlatform::Flip()
{
    OSEnvironment* pEnvironment = dynamic_cast<OSEnvironment*>(m_pOS);
    if (!Korvid.DisplayOpen() || !m_pSurface || !pEnvironment || !pEnvironment->m_bPlatformStarted)
        return;
    Korvid.CountRedraw();
    bool bLocked = SDL_MUSTLOCK(m_pSurface);
    if (bLocked && SDL_LockSurface(m_pSurface) < 0)
        return;
    Korvid.DumpChunkyBuffer(Korvid.ChunkyRecord(0), m_pSurface->pixels, m_pSurface->pitch);
    if (bLocked)
        SDL_UnlockSurface(m_pSurface);
    KorvidProfileScope Section("SDL::Flip()");
    SDL_Flip(m_pSurface);
}

void KorvidPlatform::SetPalette()
{
    if (!m_pSurface)
        return;
    SDL_Color Colours[256];
    const KorvidPaletteEntry* pPalette = Korvid.Palette();
    for (int nIndex = 0; nIndex < 256; ++nIndex)
        Colours[nIndex] = {pPalette[nIndex].r, pPalette[nIndex].g, pPalette[nIndex].b, 0};
    SDL_SetPalette(m_pSurface, SDL_LOGPAL | SDL_PHYSPAL, Colours, 0, 256);
}

bool KorvidPlatform::PumpEvent()
{
    SDL_Event Event;
    if (!SDL_PollEvent(&Event))
        return false;
    switch (Event.type) {
    case SDL_ACTIVEEVENT:
        if (Event.active.state == SDL_APPINPUTFOCUS || Event.active.state == SDL_APPACTIVE)
            Korvid.MouseFocus(Event.active.gain ? KOR_EVENT_FOCUS_GAINED : KOR_EVENT_FOCUS_LOST);
        return true;
    case SDL_KEYDOWN:
        Korvid.KeyDown(Event.key.keysym.sym);
        Korvid.TypedChar(Event.key.keysym.unicode & 0xFF);
        HandleHotKeys(Event.key.keysym.sym, Event.key.keysym.mod);
        return true;
    case SDL_KEYUP:
        Korvid.KeyUp(Event.key.keysym.sym);
        return true;
    case SDL_MOUSEMOTION:
        Korvid.SetMousePosition(Event.motion.x, Event.motion.y, false, false);
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        static const int ENGINE_BUTTON[4] = {-1, KOR_BUTTON_LEFT, KOR_BUTTON_MIDDLE, KOR_BUTTON_RIGHT};
        int nButton = Event.button.button < 4 ? ENGINE_BUTTON[Event.button.button] : -1;
        if (nButton >= 0) {
            if (Event.type == SDL_MOUSEBUTTONDOWN)
                Korvid.MouseButtonDown(nButton);
            else
                Korvid.MouseButtonUp(nButton);
        }
        return true;
    }
    case SDL_QUIT:
        Korvid.ShutDown();
        Korvid.Quit();
        return true;
    default:
        Korvid.DebugLog("Unknown event [%d]", Event.type);
        return false;
    }
}

void KorvidPlatform::HandleHotKeys(int nSym, int nMod)
{
    if (nSym == SDLK_RETURN && (nMod & KMOD_ALT)) {
        if (!(Korvid.BackBufferOptions() & KOR_BACKBUFFER_NOTOGGLE)) {
            Korvid.DebugLog("Alt-Return Screen Toggle!");
            Korvid.ChangeDisplayMode(Korvid.DisplayWidth(), Korvid.DisplayHeight(), Korvid.DisplayDepth(),
                                     KOR_TOGGLE_WINDOW);
        }
    } else if (nSym == SDLK_z && (nMod & KMOD_CTRL)) {
        Korvid.DebugLog("Ctrl-Z Screen Minimize!");
        SDL_WM_IconifyWindow();
    } else if (nSym == SDLK_g && (nMod & KMOD_CTRL)) {
        if (SDL_WM_GrabInput(SDL_GRAB_QUERY) == SDL_GRAB_ON) {
            SDL_WM_GrabInput(SDL_GRAB_OFF);
            Korvid.DebugLog("Ctrl-G - Ungrab Input!");
        } else {
            SDL_WM_GrabInput(SDL_GRAB_ON);
            Korvid.DebugLog("Ctrl-G - Grab Input!");
        }
    }
}
