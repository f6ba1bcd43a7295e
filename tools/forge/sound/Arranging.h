// Helpers the two music tracks share: playing note lines and chords on an
// instrument and laying down drum patterns.
#pragma once
#include <string>
#include <vector>

#include "Instruments.h"
#include "Sequencer.h"

using Instrument = Signal (*)(float fFrequency, float fHold, float fVelocity);

// Plays every note of the line (holds shortened by fLegato, 0..1) a fixed gain.
void PlayLine(LoopTrack& Track, const std::vector<NoteEvent>& Notes, Instrument Play, float fGain,
              float fLegato = 0.95f, int nTranspose = 0);

// One chord per bar from bar nFirstBar on: every tone in [nLowest, nAbove) held for the bar.
void PlayChords(LoopTrack& Track, const std::vector<Chord>& Chords, int nFirstBar, Instrument Play, int nLowest,
                int nAbove, float fGain);

// A drum pattern of one bar: a character per step ('x' full, 'o' softer, anything
// else silent), repeated over the given bars.
void PlayDrumPattern(LoopTrack& Track, Drum Kind, const std::string& Steps, int nFirstBar, int nBars, float fGain);
