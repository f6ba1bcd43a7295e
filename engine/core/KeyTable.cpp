// The key translation table: for each engine key the SDL 1.2 key symbol it
// stands for. Some symbols appear twice (Shift, Ctrl, backslash, and 0 for the
// unused numbers); the scan runs from the top so the highest engine key wins,
// which is why the keyboard never produces engine keys 8, 9 and 120.
#include <SDL/SDL_keysym.h>

#include "korvid.h"

namespace {

const uint16_t KEY_TABLE[KOR_NUM_KEYS] = {
    0, 0, 0, 0,                                                                  // 0-3 unused
    SDLK_BACKSPACE, SDLK_TAB, SDLK_CLEAR, SDLK_RETURN,                           // 4-7
    SDLK_LSHIFT, SDLK_LCTRL, SDLK_LALT, SDLK_PAUSE, SDLK_CAPSLOCK, SDLK_ESCAPE,  // 8-13
    SDLK_SPACE, SDLK_PAGEUP, SDLK_PAGEDOWN, SDLK_END, SDLK_HOME,                 // 14-18
    SDLK_LEFT, SDLK_UP, SDLK_RIGHT, SDLK_DOWN,                                   // 19-22
    0,                                                                           // 23 unused
    SDLK_INSERT, SDLK_DELETE, SDLK_HELP,                                         // 24-26
    SDLK_0, SDLK_1, SDLK_2, SDLK_3, SDLK_4, SDLK_5, SDLK_6, SDLK_7, SDLK_8, SDLK_9,  // 27-36
    SDLK_a, SDLK_b, SDLK_c, SDLK_d, SDLK_e, SDLK_f, SDLK_g, SDLK_h, SDLK_i,      // 37-45
    SDLK_j, SDLK_k, SDLK_l, SDLK_m, SDLK_n, SDLK_o, SDLK_p, SDLK_q, SDLK_r,      // 46-54
    SDLK_s, SDLK_t, SDLK_u, SDLK_v, SDLK_w, SDLK_x, SDLK_y, SDLK_z,             // 55-62
    SDLK_LSUPER, SDLK_RSUPER, SDLK_MENU,                                         // 63-65
    SDLK_KP0, SDLK_KP1, SDLK_KP2, SDLK_KP3, SDLK_KP4,                            // 66-70
    SDLK_KP5, SDLK_KP6, SDLK_KP7, SDLK_KP8, SDLK_KP9,                            // 71-75
    SDLK_KP_MULTIPLY, SDLK_KP_PLUS, SDLK_KP_ENTER, SDLK_KP_MINUS,                // 76-79
    SDLK_KP_PERIOD, SDLK_KP_DIVIDE,                                              // 80-81
    SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4, SDLK_F5, SDLK_F6, SDLK_F7, SDLK_F8,      // 82-89
    SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12, SDLK_F13, SDLK_F14, SDLK_F15,         // 90-96
    0, 0, 0, 0, 0, 0, 0, 0, 0,                                                   // 97-105 unused
    SDLK_NUMLOCK, SDLK_SCROLLOCK,                                                // 106-107
    SDLK_LSHIFT, SDLK_RSHIFT, SDLK_LCTRL, SDLK_RCTRL, SDLK_LMETA, SDLK_RMETA,    // 108-113
    SDLK_MINUS, SDLK_EQUALS, SDLK_LEFTBRACKET, SDLK_RIGHTBRACKET,                // 114-117
    SDLK_SEMICOLON, SDLK_QUOTE, SDLK_BACKSLASH, SDLK_COMMA, SDLK_PERIOD,         // 118-122
    SDLK_SLASH, SDLK_HASH, SDLK_BACKSLASH,                                       // 123-125
};

}  // namespace

int KorvidInput::TranslateKey(uint32_t nPlatformKey) const
{
    for (int nKey = KOR_NUM_KEYS - 1; nKey >= 0; --nKey)
        if (KEY_TABLE[nKey] == nPlatformKey)
            return nKey;
    return -1;
}

int KorvidInput::EngineKeyFor(uint32_t nPlatformKey)
{
    int nKey = TranslateKey(nPlatformKey);
    if (nKey < 0)
        Korvid.DebugLog("WARNING: Unable to translate OS Key %u", nPlatformKey);
    return nKey;
}
