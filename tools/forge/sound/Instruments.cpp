#include "Instruments.h"

#include <algorithm>
#include <cmath>

namespace {

// Renders fHold + release seconds of a voice that takes the time and the
// envelope's level and returns a sample.
template <typename Voice>
Signal RenderNote(const Envelope& Shape, float fHold, float fVelocity, Voice&& Sample)
{
    Signal Out(SampleCount(Shape.Length(fHold)));
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        Out[n] = fVelocity * Sample(t, Shape.At(t, fHold));
    }
    Out.back() = 0.0f;
    return Out;
}

// A vibrato that sets in gently after the note's attack.
float Vibrato(float t, Oscillator& Wobble, float fDepth, float fDelay)
{
    return 1.0f + fDepth * std::clamp((t - fDelay) / 0.3f, 0.0f, 1.0f) * Wobble.Sine(5.2f);
}

}  // namespace

Signal ElectricPiano(float f, float fHold, float fVelocity)
{
    // Sine carrier and modulator at the same pitch: the bite fades into a pure
    // tone; a faint high tine marks the strike.
    Oscillator Carrier, Modulator, Tine;
    return RenderNote({0.003f, 2.5f, 0.0f, 0.25f}, fHold, fVelocity, [&](float t, float fLevel) {
        float fIndex = 0.25f + 1.1f * std::exp(-t / 0.25f) * fVelocity;
        float fBody = Carrier.Sine(f, fIndex * Modulator.Sine(f));
        return fLevel * fBody + 0.08f * Strike(t, 0.001f, 0.03f, 0.2f) * Tine.Sine(f * 7.0f);
    });
}

Signal WarmPad(float f, float fHold, float fVelocity)
{
    // Three saws a few cents apart behind a gentle low-pass: slow and wide.
    Oscillator Saws[3] = {Oscillator(0.0f), Oscillator(0.33f), Oscillator(0.66f)};
    StateFilter Filter;
    Filter.SetCutoff(std::min(1400.0f, f * 5.0f), 0.6f);
    return RenderNote({0.5f, 1.5f, 0.8f, 0.7f}, fHold, fVelocity, [&](float, float fLevel) {
        float fMix = Saws[0].Saw(f * 0.996f) + Saws[1].Saw(f) + Saws[2].Saw(f * 1.004f);
        return fLevel * Filter.LowPass(fMix * 0.4f);
    });
}

Signal RoundBass(float f, float fHold, float fVelocity)
{
    Oscillator Body, Edge;
    return RenderNote({0.012f, 0.6f, 0.55f, 0.12f}, fHold, fVelocity, [&](float, float fLevel) {
        return fLevel * (Body.Sine(f) + 0.3f * Edge.Triangle(f));
    });
}

Signal Flute(float f, float fHold, float fVelocity)
{
    Oscillator Body, Second, Third, Wobble;
    Noise Breath((uint64_t)(f * 10.0f));
    StateFilter Air;
    Air.SetCutoff(f * 2.0f, 1.0f);
    return RenderNote({0.06f, 0.4f, 0.85f, 0.18f}, fHold, fVelocity, [&](float t, float fLevel) {
        float fPitch = f * Vibrato(t, Wobble, 0.005f, 0.2f);
        float fTone = Body.Sine(fPitch) + 0.15f * Second.Sine(2.0f * fPitch) + 0.05f * Third.Sine(3.0f * fPitch);
        return fLevel * (fTone + 0.12f * Air.BandPass(Breath.Next()));
    });
}

Signal Celesta(float f, float fHold, float fVelocity)
{
    // A bell: modulator at 3.5 times the pitch gives the slightly inharmonic ring.
    Oscillator Carrier, Modulator;
    return RenderNote({0.002f, 1.6f, 0.0f, 0.4f}, fHold, fVelocity, [&](float t, float fLevel) {
        return fLevel * Carrier.Sine(f, 1.2f * std::exp(-t / 0.2f) * Modulator.Sine(3.5f * f));
    });
}

Signal PluckSynth(float f, float fHold, float fVelocity)
{
    Oscillator Body;
    StateFilter Filter;
    return RenderNote({0.002f, 0.35f, 0.0f, 0.08f}, fHold, fVelocity, [&](float t, float fLevel) {
        Filter.SetCutoff(f * (1.5f + 7.0f * std::exp(-t / 0.05f)), 0.9f);
        return fLevel * Filter.LowPass(Body.Saw(f));
    });
}

Signal DriveBass(float f, float fHold, float fVelocity)
{
    Oscillator Saw, Sub;
    StateFilter Filter;
    return RenderNote({0.003f, 0.25f, 0.6f, 0.05f}, fHold, fVelocity, [&](float t, float fLevel) {
        Filter.SetCutoff(180.0f + 1400.0f * std::exp(-t / 0.07f), 1.1f);
        return fLevel * (Filter.LowPass(Saw.Saw(f)) + 0.5f * Sub.Sine(f));
    });
}

Signal SquareLead(float f, float fHold, float fVelocity)
{
    Oscillator Pulse, Saw, Wobble;
    StateFilter Filter;
    Filter.SetCutoff(2600.0f, 0.8f);
    return RenderNote({0.01f, 0.3f, 0.7f, 0.12f}, fHold, fVelocity, [&](float t, float fLevel) {
        float fPitch = f * Vibrato(t, Wobble, 0.006f, 0.25f);
        return fLevel * Filter.LowPass(0.6f * Pulse.Pulse(fPitch, 0.35f) + 0.4f * Saw.Saw(fPitch * 1.003f));
    });
}

Signal DrumHit(Drum Kind, uint64_t nSeed)
{
    struct Hit {
        float fLength, fDecay, fTone, fDrop, fNoise, fCutoff;
        bool bHighPass;
    };
    // Length, decay, tone Hz (0 none), pitch drop factor, noise share, noise filter.
    static const Hit HITS[] = {
        {0.40f, 0.16f, 52.0f, 2.2f, 0.05f, 3000.0f, false},   // Kick
        {0.35f, 0.12f, 60.0f, 1.5f, 0.02f, 2000.0f, false},   // SoftKick
        {0.30f, 0.07f, 190.0f, 0.3f, 0.9f, 1500.0f, true},    // Snare
        {0.08f, 0.012f, 1700.0f, 0.0f, 0.5f, 2500.0f, false}, // Rim
        {0.08f, 0.018f, 0.0f, 0.0f, 1.0f, 7000.0f, true},     // ClosedHat
        {0.30f, 0.10f, 0.0f, 0.0f, 1.0f, 6500.0f, true},      // OpenHat
        {0.10f, 0.025f, 0.0f, 0.0f, 1.0f, 5500.0f, false},    // Shaker
    };
    const Hit& Shape = HITS[(int)Kind];
    Signal Out(SampleCount(Shape.fLength));
    Oscillator Tone;
    Noise Source(nSeed);
    StateFilter Filter;
    Filter.SetCutoff(Shape.fCutoff, Kind == Drum::Shaker ? 2.0f : 0.8f);
    float fAttack = Kind == Drum::Shaker ? 0.012f : 0.0008f;
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        float fLevel = Strike(t, fAttack, Shape.fDecay, Shape.fLength);
        StateFilter::Outputs Filtered = Filter.Process(Source.Next());
        float fNoise = Shape.bHighPass ? Filtered.fHigh : Kind == Drum::Shaker ? Filtered.fBand : Filtered.fLow;
        float fBody = Shape.fTone > 0.0f ? Tone.Sine(Shape.fTone * (1.0f + Shape.fDrop * std::exp(-t / 0.035f))) : 0.0f;
        float fToneLevel = Kind == Drum::Snare ? Strike(t, 0.0008f, 0.04f, Shape.fLength) : fLevel;
        Out[n] = fToneLevel * fBody * (1.0f - Shape.fNoise * 0.5f) + fLevel * Shape.fNoise * fNoise;
    }
    return Out;
}
