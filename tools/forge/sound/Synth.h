// The forge's sound synthesiser: float signals at the game's mixer rate,
// oscillators, envelopes, filters and the measurements the sound step uses to
// balance loudness. Every sound of the game is built from these pieces.
#pragma once
#include <cstdint>
#include <vector>

#include "Canvas.h"   // ForgeRandom

constexpr int SOUND_RATE = 22050;   // the mixer's rate: nothing is resampled on the way
using Signal = std::vector<float>;  // mono samples, full scale = 1.0

inline int SampleCount(float fSeconds) { return (int)(fSeconds * SOUND_RATE + 0.5f); }
// Equal temperament, A4 (MIDI note 69) = 440 Hz.
float NoteFrequency(float fMidiNote);
float DecibelsToGain(float fDecibels);
float GainToDecibels(float fGain);

// A phase-accumulating oscillator; the frequency may change from sample to sample.
class Oscillator {
public:
    explicit Oscillator(float fPhase = 0.0f) : m_fPhase(fPhase) {}
    float Sine(float fFrequency, float fPhaseShift = 0.0f);   // shift in radians: phase modulation
    float Triangle(float fFrequency);
    float Saw(float fFrequency);                       // band-limited edges (polyBLEP)
    float Pulse(float fFrequency, float fWidth = 0.5f);   // band-limited edges (polyBLEP)

private:
    float Advance(float fFrequency);   // the phase before the step
    float m_fPhase;
};

// Attack, decay to a sustain level, release after fHold seconds; linear segments
// with a curved decay, so every note starts and ends at exactly zero.
struct Envelope {
    float fAttack;
    float fDecay;
    float fSustain;
    float fRelease;
    float At(float fTime, float fHold) const;
    float Length(float fHold) const { return fHold + fRelease; }
};

// A struck sound's exponential fade with a short linear attack, silent at fLength.
float Strike(float fTime, float fAttack, float fDecay, float fLength);

// White noise from a fixed seed.
class Noise {
public:
    explicit Noise(uint64_t nSeed) : m_Random(nSeed) {}
    float Next() { return m_Random.Unit() * 2.0f - 1.0f; }

private:
    ForgeRandom m_Random;
};

// A state-variable filter (trapezoidal integration: stable at any cutoff, even
// when the cutoff moves every sample). Process returns low, band and high pass.
class StateFilter {
public:
    struct Outputs {
        float fLow, fBand, fHigh;
    };
    void SetCutoff(float fFrequency, float fResonance = 0.7071f);
    Outputs Process(float fInput);
    float LowPass(float fInput) { return Process(fInput).fLow; }
    float BandPass(float fInput) { return Process(fInput).fBand; }
    float HighPass(float fInput) { return Process(fInput).fHigh; }

private:
    float m_fA1 = 0, m_fA2 = 0, m_fA3 = 0, m_fDamping = 1.4142f;
    float m_fState1 = 0, m_fState2 = 0;
};

// Signal operations.
void MixAt(Signal& Into, const Signal& Sound, int nAt, float fGain);   // clipped to the signal's end
void Scale(Signal& Sound, float fGain);
// Fades both ends to zero over the given times; the first and last samples become 0.
void FadeEnds(Signal& Sound, float fFadeIn, float fFadeOut);
float PeakLevel(const Signal& Sound);
float RmsLevel(const Signal& Sound);
// The RMS of the loudest 50 ms window: how loud a short effect sounds, whatever its tail.
float LoudnessLevel(const Signal& Sound);
// Rounded 16-bit samples; anything beyond full scale is clamped.
std::vector<int16_t> ToPcm16(const Signal& Sound);
