// Input as the player gives it: SDL events pushed into SDL's queue, where the
// engine's event pump finds them at the next turn of the message loop.
#pragma once
#include <SDL/SDL.h>

void InjectKeyDown(SDLKey nKey, SDLMod nMod = KMOD_NONE, Uint16 nUnicode = 0);
void InjectKeyUp(SDLKey nKey, SDLMod nMod = KMOD_NONE);
void InjectKeyPress(SDLKey nKey, SDLMod nMod = KMOD_NONE, Uint16 nUnicode = 0);   // down, then up
void InjectMouseMove(Uint16 nX, Uint16 nY);
void InjectMouseButton(Uint8 nButton, bool bDown, Uint16 nX, Uint16 nY);   // SDL button numbers
void InjectClick(Uint8 nButton, Uint16 nX, Uint16 nY);                      // down, then up
void InjectActive(Uint8 nState, bool bGain);

// Lets the engine's pump take every pending event, as the message loop does before a frame.
void PumpAllEvents();
