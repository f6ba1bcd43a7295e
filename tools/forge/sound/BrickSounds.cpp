// Brick sounds: a wall of bricks plays a scale. The row picks the note (a major
// pentatonic, so any two bricks sound well together); the brick kind picks the
// timbre: glass for normal bricks, a sparkling bell for bonus bricks, a metal
// clank for indestructible ones, a crack for multi-hit bricks stepping down, a
// stone thunk for four-hit bricks and a gliding note for sliding bricks.
#include <algorithm>
#include <cmath>

#include "Effects.h"

const BrickKindName BRICK_KINDS[6] = {
    {BrickKind::Normal, "stn"},   {BrickKind::Bonus, "stb"},   {BrickKind::Indestructible, "stm"},
    {BrickKind::MultiHit, "stbr"}, {BrickKind::FourHit, "stg"}, {BrickKind::Sliding, "sth"}};

namespace {

constexpr float SCALE_ROOT = 48.0f;   // C3: the top row; the bottom row ends on G6
const int PENTATONIC[5] = {0, 2, 4, 7, 9};

// A ringing partial at a multiple of the base frequency.
struct Partial {
    float fRatio;
    float fLevel;
    float fDecay;   // seconds to fall to 1/e
};

void AddPartials(Signal& Out, float fBase, std::initializer_list<Partial> Partials, float fAttack)
{
    float fLength = (float)Out.size() / SOUND_RATE;
    for (const Partial& Part : Partials) {
        Oscillator Tone;
        for (size_t n = 0; n < Out.size(); ++n) {
            float t = (float)n / SOUND_RATE;
            Out[n] += Part.fLevel * Strike(t, fAttack, Part.fDecay, fLength) * Tone.Sine(fBase * Part.fRatio);
        }
    }
}

// A burst of filtered noise: the click, crack or scrape at the moment of the hit.
void AddNoiseBurst(Signal& Out, uint64_t nSeed, float fCutoff, bool bHighPass, float fLevel, float fDecay)
{
    Noise Source(nSeed);
    StateFilter Filter;
    Filter.SetCutoff(fCutoff, 0.9f);
    float fLength = std::min((float)Out.size() / SOUND_RATE, fDecay * 8.0f);
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        StateFilter::Outputs Filtered = Filter.Process(Source.Next());
        Out[n] += fLevel * Strike(t, 0.0008f, fDecay, fLength) * (bHighPass ? Filtered.fHigh : Filtered.fBand);
    }
}

Signal Glass(float f, int nVariant)
{
    Signal Out(SampleCount(0.45f));
    AddPartials(Out, f, {{1, 1.0f, 0.30f}, {2, 0.45f, 0.18f}, {3, 0.30f, 0.10f}, {4.2f, 0.18f, 0.05f}, {5.4f, 0.1f, 0.03f}},
                0.002f);
    AddNoiseBurst(Out, 100 + nVariant, 4000.0f, true, 0.35f, 0.006f);
    return Out;
}

// A bright two-operator FM bell (a whole-number ratio, so the note stays clear) with the
// octave and the twelfth chiming in a moment later.
Signal Sparkle(float f, int nVariant)
{
    Signal Out(SampleCount(0.6f));
    Oscillator Carrier, Modulator;
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        float fIndex = 0.8f + 2.5f * std::exp(-t / 0.15f);
        Out[n] += Strike(t, 0.002f, 0.35f, 0.6f) * Carrier.Sine(f, fIndex * Modulator.Sine(3.0f * f));
    }
    Signal Chime(Out.size());
    AddPartials(Chime, f, {{2, 0.35f, 0.2f}, {3, 0.2f, 0.15f}}, 0.002f);
    MixAt(Out, Chime, SampleCount(0.06f), 1.0f);
    AddNoiseBurst(Out, 200 + nVariant, 6000.0f, true, 0.2f, 0.004f);
    return Out;
}

// A metal clank: a hollow square tone heard through a ringing band high above
// the note, a burst of inharmonic partials and a hard click. The band keeps the
// upper harmonics and thins the fundamental, which is what sets it apart from
// the round glass and stone sounds.
Signal Clank(float f, int nVariant)
{
    Signal Out(SampleCount(0.4f));
    Oscillator Body;
    StateFilter Ring;
    Ring.SetCutoff(std::min(f * 5.0f, 6000.0f), 4.0f);
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        Out[n] = Strike(t, 0.001f, 0.15f, 0.4f) * Ring.BandPass(Body.Pulse(f, 0.5f)) * 1.5f;
    }
    AddPartials(Out, f, {{1, 0.35f, 0.2f}, {2.76f, 0.5f, 0.03f}, {5.4f, 0.4f, 0.02f}, {8.93f, 0.3f, 0.015f}}, 0.001f);
    AddNoiseBurst(Out, 300 + nVariant, 2500.0f, false, 0.6f, 0.012f);
    return Out;
}

// A short knock whose pitch settles from a little above the note, over a crunch.
Signal Crack(float f, int nVariant)
{
    Signal Out(SampleCount(0.3f));
    Oscillator Body, Overtone;
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        float fPitch = f * (1.0f + 0.12f * std::exp(-t / 0.008f));
        Out[n] += Strike(t, 0.001f, 0.09f, 0.3f) * Body.Triangle(fPitch) +
                  0.4f * Strike(t, 0.001f, 0.04f, 0.3f) * Overtone.Sine(2.0f * fPitch);
    }
    AddNoiseBurst(Out, 400 + nVariant, 1800.0f, false, 0.5f, 0.02f);
    return Out;
}

// A hollow stone thunk: a narrow pulse behind a low-pass that closes as it fades.
Signal Thunk(float f)
{
    Signal Out(SampleCount(0.35f));
    Oscillator Body, Fundamental;
    StateFilter Filter;
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        Filter.SetCutoff(f * (1.5f + 5.0f * std::exp(-t / 0.04f)), 0.8f);
        float fTone = Filter.LowPass(Body.Pulse(f, 0.3f)) + 0.6f * Fundamental.Sine(f);
        Out[n] += Strike(t, 0.002f, 0.12f, 0.35f) * fTone;
    }
    return Out;
}

// The note glides up a fourth into place, then sings with a little vibrato,
// over a short scrape of moving noise.
Signal Glide(float f, int nVariant)
{
    Signal Out(SampleCount(0.4f));
    Oscillator Tone, Edge, Wobble;
    Noise Scrape(500 + nVariant);
    StateFilter Filter;
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        float fVibrato = 1.0f + 0.004f * std::min(1.0f, t / 0.15f) * Wobble.Sine(6.0f);
        float fPitch = f * (1.0f - 0.25f * std::exp(-t / 0.015f)) * fVibrato;
        float fLevel = Strike(t, 0.01f, 0.2f, 0.4f);
        Out[n] += fLevel * (Tone.Sine(fPitch) + 0.3f * Edge.Triangle(2.0f * fPitch));
        Filter.SetCutoff(800.0f + 30000.0f * t, 1.5f);
        Out[n] += 0.2f * Strike(t, 0.005f, 0.03f, 0.15f) * Filter.BandPass(Scrape.Next());
    }
    return Out;
}

}  // namespace

float BrickFrequency(int nVariant)
{
    int nStep = std::clamp(nVariant, 1, BRICK_VARIANTS) - 1;
    return NoteFrequency(SCALE_ROOT + 12.0f * (nStep / 5) + PENTATONIC[nStep % 5]);
}

Signal BrickSound(BrickKind Kind, int nVariant)
{
    float f = BrickFrequency(nVariant);
    switch (Kind) {
    case BrickKind::Normal: return Glass(f, nVariant);
    case BrickKind::Bonus: return Sparkle(f, nVariant);
    case BrickKind::Indestructible: return Clank(f, nVariant);
    case BrickKind::MultiHit: return Crack(f, nVariant);
    case BrickKind::FourHit: return Thunk(f);
    case BrickKind::Sliding: return Glide(f, nVariant);
    }
    return {};
}
