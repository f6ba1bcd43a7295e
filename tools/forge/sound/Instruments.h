// The music's instruments. A note is rendered on its own (frequency, seconds
// held, loudness 0..1) and comes back with its release tail; drums are single
// hits. Every note starts and ends at zero.
#pragma once
#include <cstdint>

#include "Synth.h"

Signal ElectricPiano(float fFrequency, float fHold, float fVelocity);
Signal WarmPad(float fFrequency, float fHold, float fVelocity);
Signal RoundBass(float fFrequency, float fHold, float fVelocity);
Signal Flute(float fFrequency, float fHold, float fVelocity);
Signal Celesta(float fFrequency, float fHold, float fVelocity);
Signal PluckSynth(float fFrequency, float fHold, float fVelocity);
Signal DriveBass(float fFrequency, float fHold, float fVelocity);
Signal SquareLead(float fFrequency, float fHold, float fVelocity);

enum class Drum { Kick, SoftKick, Snare, Rim, ClosedHat, OpenHat, Shaker };
Signal DrumHit(Drum Kind, uint64_t nSeed);
