#include "support/TestInput.h"

#include "korvid.h"

namespace {

void Push(SDL_Event& Event)
{
    if (SDL_PushEvent(&Event) != 0)
        abort();   // SDL's queue is full: the test pushed far more than any frame sees
}

}  // namespace

void InjectKeyDown(SDLKey nKey, SDLMod nMod, Uint16 nUnicode)
{
    SDL_Event Event = {};
    Event.type = SDL_KEYDOWN;
    Event.key.state = SDL_PRESSED;
    Event.key.keysym.sym = nKey;
    Event.key.keysym.mod = nMod;
    Event.key.keysym.unicode = nUnicode;
    Push(Event);
}

void InjectKeyUp(SDLKey nKey, SDLMod nMod)
{
    SDL_Event Event = {};
    Event.type = SDL_KEYUP;
    Event.key.state = SDL_RELEASED;
    Event.key.keysym.sym = nKey;
    Event.key.keysym.mod = nMod;
    Push(Event);
}

void InjectKeyPress(SDLKey nKey, SDLMod nMod, Uint16 nUnicode)
{
    InjectKeyDown(nKey, nMod, nUnicode);
    InjectKeyUp(nKey, nMod);
}

void InjectMouseMove(Uint16 nX, Uint16 nY)
{
    SDL_Event Event = {};
    Event.type = SDL_MOUSEMOTION;
    Event.motion.x = nX;
    Event.motion.y = nY;
    Push(Event);
}

void InjectMouseButton(Uint8 nButton, bool bDown, Uint16 nX, Uint16 nY)
{
    SDL_Event Event = {};
    Event.type = bDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    Event.button.button = nButton;
    Event.button.state = bDown ? SDL_PRESSED : SDL_RELEASED;
    Event.button.x = nX;
    Event.button.y = nY;
    Push(Event);
}

void InjectClick(Uint8 nButton, Uint16 nX, Uint16 nY)
{
    InjectMouseMove(nX, nY);
    InjectMouseButton(nButton, true, nX, nY);
    InjectMouseButton(nButton, false, nX, nY);
}

void InjectActive(Uint8 nState, bool bGain)
{
    SDL_Event Event = {};
    Event.type = SDL_ACTIVEEVENT;
    Event.active.state = nState;
    Event.active.gain = bGain ? 1 : 0;
    Push(Event);
}

void PumpAllEvents()
{
    SDL_Event Pending;
    while (SDL_PeepEvents(&Pending, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0)
        Korvid.PumpEvent();
}
