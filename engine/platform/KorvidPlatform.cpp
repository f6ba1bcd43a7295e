#include "platform/KorvidPlatform.h"

#include <SDL/SDL.h>
#include <cstdlib>

#include "korvid.h"

namespace {

OSGeneric* DefaultPlatform()
{
    // Never destroyed: the engine object may still use it during static destruction.
    static OSEnvironment* pPlatform = new OSEnvironment;
    return pPlatform;
}

constexpr int MAX_WINDOW_SCALE = 4;
// A stick must lean this far (of 32767) before it steers.
constexpr int PAD_DEAD_ZONE = 12000;

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
    // Full screen opens at the desktop's own size: SDL is not to switch the
    // monitor's mode for it (slow, and desktops rearrange their windows after).
    setenv("SDL_VIDEO_X11_XRANDR", "0", 0);
    setenv("SDL_VIDEO_X11_VIDMODE", "0", 0);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0)
        return false;

    ReadHostScreenSize();
    SDL_EnableUNICODE(1);
    m_bSDLInitialised = true;
    if (OSEnvironment* pEnvironment = dynamic_cast<OSEnvironment*>(m_pOS))
        pEnvironment->m_bPlatformStarted = true;
    return true;
}

void KorvidPlatform::SurfaceSize(int& nWidth, int& nHeight) const
{
    nWidth = Korvid.DisplayWidth();
    nHeight = Korvid.DisplayHeight();
    const bool bHostKnown = m_nHostWidth > 0 && m_nHostHeight > 0;
    if (Korvid.WindowMode() == KOR_FULLSCREEN) {
        if (bHostKnown) {
            nWidth = m_nHostWidth;
            nHeight = m_nHostHeight;
        }
        return;
    }
    int nScale = m_nWindowScale;
    while (nScale > 1 && bHostKnown && (nWidth * nScale > m_nHostWidth || nHeight * nScale > m_nHostHeight))
        --nScale;
    if (nScale != m_nWindowScale)
        Korvid.DebugLog("WARNING: Window scale %d does not fit the desktop %dx%d - using %d", m_nWindowScale,
                        m_nHostWidth, m_nHostHeight, nScale);
    nWidth *= nScale;
    nHeight *= nScale;
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

    int nSurfaceWidth, nSurfaceHeight;
    SurfaceSize(nSurfaceWidth, nSurfaceHeight);
    // A scaled surface takes the desktop's depth (0), so that SDL converts nothing more.
    const int nDepth = nSurfaceWidth == nWidth && nSurfaceHeight == nHeight ? 16 : 0;
    uint32_t nFlags = SDL_HWSURFACE | SDL_DOUBLEBUF;
    if (bFullScreen) {
        nFlags |= SDL_FULLSCREEN;
        Korvid.DebugLog("SDL: SDL_SetVideoMode(%d, %d, %d, SDL_HWSURFACE|SDL_DOUBLEBUF|SDL_FULLSCREEN)",
                        nSurfaceWidth, nSurfaceHeight, nDepth);
    } else {
        Korvid.DebugLog("SDL: SDL_SetVideoMode(%d, %d, %d, SDL_HWSURFACE|SDL_DOUBLEBUF)", nSurfaceWidth,
                        nSurfaceHeight, nDepth);
    }
    bool bReopening = m_pSurface != nullptr;
    m_pSurface = SDL_SetVideoMode(nSurfaceWidth, nSurfaceHeight, nDepth, nFlags);
    if (!m_pSurface) {
        printf("ERROR: ** SDL - Unable to set %dx%d video: %s **\n\n", nSurfaceWidth, nSurfaceHeight,
               SDL_GetError());
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

void KorvidPlatform::SetWindowScale(int nScale, bool bSmooth)
{
    if (nScale < 1 || nScale > MAX_WINDOW_SCALE) {
        Korvid.DebugLog("WARNING: Window scale %d is not 1 to %d - using 1", nScale, MAX_WINDOW_SCALE);
        nScale = 1;
    }
    const bool bChanged = nScale != m_nWindowScale || bSmooth != m_bSmoothScale;
    m_nWindowScale = nScale;
    m_bSmoothScale = bSmooth;
    if (bChanged && m_pSurface)
        SetVideoMode();
}

KorvidScaledView KorvidPlatform::SurfaceView() const
{
    const int nWidth = Korvid.DisplayWidth(), nHeight = Korvid.DisplayHeight();
    if (!m_pSurface || (m_pSurface->w == nWidth && m_pSurface->h == nHeight))
        return {1, 0, 0, nWidth, nHeight};
    return KorvidFitView(nWidth, nHeight, m_pSurface->w, m_pSurface->h, m_bSmoothScale);
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
    const bool bScaled = m_pSurface->w != Korvid.DisplayWidth() || m_pSurface->h != Korvid.DisplayHeight();
    const bool bWhole = !bScaled || Korvid.FullUpdatePending();
    bool bWritten = true;
    if (bScaled)
        bWritten = Korvid.PresentScaled(Korvid.ChunkyRecord(0), m_pSurface->pixels, m_pSurface->pitch,
                                        m_pSurface->w, m_pSurface->h, m_bSmoothScale);
    else
        Korvid.DumpChunkyBuffer(Korvid.ChunkyRecord(0), m_pSurface->pixels, m_pSurface->pitch);
    if (bLocked)
        SDL_UnlockSurface(m_pSurface);
    KorvidProfileScope Section("SDL::Flip()");
    // Between full updates a scaled picture sends only itself, not its black bars.
    const KorvidScaledView View = SurfaceView();
    if (bWhole || (m_pSurface->flags & SDL_DOUBLEBUF) == SDL_DOUBLEBUF)
        SDL_Flip(m_pSurface);
    else if (bWritten)
        SDL_UpdateRect(m_pSurface, View.nLeft, View.nTop, View.nWidth, View.nHeight);
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
    case SDL_MOUSEMOTION: {
        int32_t x = Event.motion.x, y = Event.motion.y;
        KorvidSurfaceToDisplay(SurfaceView(), Korvid.DisplayWidth(), Korvid.DisplayHeight(), x, y);
        Korvid.SetMousePosition(x, y, false, false);
        return true;
    }
    case SDL_JOYAXISMOTION:
        if (Event.jaxis.axis < 2)
            PadDirection(Event.jaxis.axis, Event.jaxis.value < -PAD_DEAD_ZONE ? -1 : Event.jaxis.value > PAD_DEAD_ZONE);
        return true;
    case SDL_JOYHATMOTION:
        PadDirection(0, Event.jhat.value & SDL_HAT_LEFT ? -1 : (Event.jhat.value & SDL_HAT_RIGHT) != 0);
        PadDirection(1, Event.jhat.value & SDL_HAT_UP ? -1 : (Event.jhat.value & SDL_HAT_DOWN) != 0);
        return true;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        PadButton(Event.jbutton.button, Event.type == SDL_JOYBUTTONDOWN);
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
