// Gamepads through SDL 1.2's joystick system. A pad plays through the keys of
// keyboard play, so the game and a recording of its input see only keys: the
// stick or hat holds the arrow keys, the first button is Space (launch), the
// second Left Ctrl (fire) and Start is P (pause).
#include <SDL/SDL.h>

#include "korvid.h"

namespace {

constexpr SDLKey AXIS_KEYS[2][2] = {{SDLK_LEFT, SDLK_RIGHT}, {SDLK_UP, SDLK_DOWN}};

// Start is button 7 on the common pads and 9 on many plain ones.
SDLKey ButtonKey(int nButton)
{
    switch (nButton) {
    case 0: return SDLK_SPACE;
    case 1: return SDLK_LCTRL;
    case 7:
    case 9: return SDLK_p;
    default: return SDLK_UNKNOWN;
    }
}

}  // namespace

int KorvidPlatform::ScanGamepads()
{
    if (!m_bSDLInitialised)
        return 0;
    if (m_pGamepad)
        SDL_JoystickClose(m_pGamepad);
    m_pGamepad = nullptr;
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    const int nPads = SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0 ? 0 : SDL_NumJoysticks();
    if (nPads > 0) {
        m_pGamepad = SDL_JoystickOpen(0);
        SDL_JoystickEventState(SDL_ENABLE);
    }
    if (nPads != m_nGamepads)
        Korvid.DebugLog(nPads > 0 ? "Gamepads: %d, playing with '%s'" : "Gamepads: %d%s", nPads,
                        nPads > 0 ? SDL_JoystickName(0) : "");
    m_nGamepads = nPads;
    return nPads;
}

void KorvidPlatform::PadDirection(int nAxis, int nDirection)
{
    const int nOld = m_PadDirection[nAxis];
    if (nOld == nDirection)
        return;
    if (nOld)
        Korvid.KeyUp(AXIS_KEYS[nAxis][nOld > 0]);
    if (nDirection)
        Korvid.KeyDown(AXIS_KEYS[nAxis][nDirection > 0]);
    m_PadDirection[nAxis] = nDirection;
}

void KorvidPlatform::PadButton(int nButton, bool bDown)
{
    const SDLKey Key = ButtonKey(nButton);
    if (Key == SDLK_UNKNOWN)
        return;
    if (bDown)
        Korvid.KeyDown(Key);
    else
        Korvid.KeyUp(Key);
}
