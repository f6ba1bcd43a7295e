// What the engine asks of the X desktop through SDL's window-manager information:
// the host screen size, and holding the screensaver off while the game runs.
// Kept apart because Xlib's macros clash with engine names.
#include "korvid.h"

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>
#include <X11/Xlib.h>

namespace {

// Fills Info and answers true when SDL runs in an X11 window.
bool GetX11Info(SDL_SysWMinfo& Info)
{
    SDL_VERSION(&Info.version);
    return SDL_GetWMInfo(&Info) > 0 && Info.subsystem == SDL_SYSWM_X11;
}

}  // namespace

void KorvidPlatform::ReadHostScreenSize()
{
    SDL_SysWMinfo Info;
    if (!GetX11Info(Info))
        return;
    Info.info.x11.lock_func();
    Display* pDisplay = Info.info.x11.display;
    m_nHostWidth = (int16_t)XDisplayWidth(pDisplay, XDefaultScreen(pDisplay));
    m_nHostHeight = (int16_t)XDisplayHeight(pDisplay, XDefaultScreen(pDisplay));
    Info.info.x11.unlock_func();
}

void KorvidPlatform::DisableScreensaver()
{
    SDL_SysWMinfo Info;
    if (!GetX11Info(Info))
        return;
    Display* pDisplay = Info.info.x11.display;
    Info.info.x11.lock_func();
    XGetScreenSaver(pDisplay, &m_nSaverTimeout, &m_nSaverInterval, &m_nSaverBlanking, &m_nSaverExposures);
    XSetScreenSaver(pDisplay, 0, 0, DefaultBlanking, DefaultExposures);
    Info.info.x11.unlock_func();
    m_bSaverChanged = true;
    Korvid.DebugLog("Screensaver disabled.");
}

void KorvidPlatform::RestoreScreensaver()
{
    if (!m_bSaverChanged)
        return;
    SDL_SysWMinfo Info;
    if (GetX11Info(Info)) {
        Info.info.x11.lock_func();
        XSetScreenSaver(Info.info.x11.display, m_nSaverTimeout, m_nSaverInterval, m_nSaverBlanking,
                        m_nSaverExposures);
        Info.info.x11.unlock_func();
    }
    m_bSaverChanged = false;
}
