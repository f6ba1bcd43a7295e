// The effects that are neither bricks nor bonuses (explosions, shots, wall
// bounces, jingles, small interface noises), and the list of every effect of
// the game's sound table.
#include <algorithm>
#include <cmath>
#include <string>

#include "Effects.h"

namespace {

// Rumbling noise behind a closing low-pass over a thump whose pitch drops.
struct ExplosionShape {
    float fLength;
    float fThump;          // Hz the thump settles on
    float fBrightness;     // the low-pass's opening cutoff
    float fDecay;          // seconds
};
const ExplosionShape EXPLOSIONS[5] = {
    {0.5f, 120.0f, 5000.0f, 0.08f},   // 1: enemy shot down
    {0.6f, 90.0f, 3500.0f, 0.12f},    // 2, 3: boss hits
    {0.7f, 70.0f, 2500.0f, 0.15f},
    {1.2f, 50.0f, 3000.0f, 0.30f},    // 4: the big one
    {0.8f, 80.0f, 4000.0f, 0.18f},    // 5: enemy hit by a ball
};

Signal Explosion(int nVariant)
{
    const ExplosionShape& Shape = EXPLOSIONS[nVariant - 1];
    Signal Out(SampleCount(Shape.fLength));
    Noise Source(600 + nVariant);
    StateFilter Filter;
    Oscillator Thump;
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        Filter.SetCutoff(150.0f + Shape.fBrightness * std::exp(-t / Shape.fDecay), 0.8f);
        float fRumble = Filter.LowPass(Source.Next()) * Strike(t, 0.002f, Shape.fDecay * 2.0f, Shape.fLength);
        float fBoom = Thump.Sine(Shape.fThump * (1.0f + 2.0f * std::exp(-t / 0.03f))) *
                      Strike(t, 0.001f, 0.12f, Shape.fLength);
        Out[n] = 1.4f * fRumble + 0.8f * fBoom;
    }
    return Out;
}

// A laser: a pulse whose pitch falls steeply, softened by a low-pass.
struct ShotShape {
    float fFrom, fTo, fLength, fWidth, fGrit;
};
const ShotShape SHOTS[5] = {
    {1800.0f, 300.0f, 0.20f, 0.5f, 0.0f},    // player 1
    {1400.0f, 250.0f, 0.20f, 0.3f, 0.0f},    // player 2
    {900.0f, 120.0f, 0.28f, 0.2f, 0.15f},    // boss stage shots
    {600.0f, 80.0f, 0.30f, 0.15f, 0.3f},
    {2500.0f, 600.0f, 0.14f, 0.4f, 0.1f},
};

Signal Shot(int nVariant)
{
    const ShotShape& Shape = SHOTS[nVariant - 1];
    Signal Out(SampleCount(Shape.fLength));
    Oscillator Tone;
    Noise Grit(700 + nVariant);
    StateFilter Filter;
    Filter.SetCutoff(3000.0f, 0.7f);
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        float fPitch = Shape.fTo + (Shape.fFrom - Shape.fTo) * std::exp(-t / (Shape.fLength * 0.25f));
        float fSource = Tone.Pulse(fPitch, Shape.fWidth) + Shape.fGrit * Grit.Next();
        Out[n] = Filter.LowPass(fSource) * Strike(t, 0.002f, Shape.fLength * 0.4f, Shape.fLength);
    }
    return Out;
}

// A short rubbery bonk; each wall has its own pitch.
Signal WallBounce(int nVariant)
{
    const float PITCHES[3] = {700.0f, 520.0f, 590.0f};   // top, left, right
    float f = PITCHES[nVariant - 1];
    Signal Out(SampleCount(0.1f));
    Oscillator Body, Edge;
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        float fPitch = f * (1.0f + 0.3f * std::exp(-t / 0.006f));
        Out[n] = Strike(t, 0.001f, 0.025f, 0.1f) * (Body.Sine(fPitch) + 0.25f * Edge.Triangle(2.0f * fPitch));
    }
    return Out;
}

// A shimmer that rises and trembles: three sweeping partials over airy noise.
Signal Beam()
{
    Signal Out(SampleCount(1.0f));
    Oscillator Partials[3], Tremolo;
    Noise Air(800);
    StateFilter Filter;
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        float fSweep = 300.0f * std::pow(4.0f, t);
        float fTone = Partials[0].Sine(fSweep) + 0.5f * Partials[1].Sine(fSweep * 1.5f) +
                      0.3f * Partials[2].Sine(fSweep * 2.01f);
        Filter.SetCutoff(fSweep * 3.0f, 2.0f);
        float fShape = std::min(1.0f, t / 0.1f) * std::min(1.0f, (1.0f - t) / 0.3f);
        Out[n] = fShape * (0.7f + 0.3f * Tremolo.Sine(12.0f)) * (fTone + 0.6f * Filter.BandPass(Air.Next()));
    }
    return Out;
}

// A soft footfall: a low thud of filtered noise and a short low sine.
Signal Step(int nVariant)
{
    Signal Out(SampleCount(0.15f));
    Noise Source(900 + nVariant);
    StateFilter Filter;
    Filter.SetCutoff(nVariant == 1 ? 600.0f : 750.0f, 0.8f);
    Oscillator Thud;
    float fThud = nVariant == 1 ? 90.0f : 105.0f;
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        Out[n] = Strike(t, 0.003f, 0.03f, 0.15f) * (Filter.LowPass(Source.Next()) + 0.6f * Thud.Sine(fThud));
    }
    return Out;
}

// A sequence of plain tones: the beeps and jingles. Each tone is MIDI note,
// start and length in seconds.
struct Tone {
    float fMidi, fStart, fLength;
};

Signal Tones(std::initializer_list<Tone> Notes, float fLength, float fBrightness, float fVibrato)
{
    Signal Out(SampleCount(fLength));
    for (const Tone& Note : Notes) {
        Envelope Shape{0.005f, 0.15f, 0.7f, 0.08f};
        Signal Voice(SampleCount(Note.fLength + Shape.fRelease));
        Oscillator Body, Edge, Wobble;
        StateFilter Filter;
        Filter.SetCutoff(fBrightness, 0.8f);
        float f = NoteFrequency(Note.fMidi);
        for (size_t n = 0; n < Voice.size(); ++n) {
            float t = (float)n / SOUND_RATE;
            float fPitch = f * (1.0f + fVibrato * std::min(1.0f, t / 0.3f) * Wobble.Sine(5.5f));
            Voice[n] = Shape.At(t, Note.fLength) * Filter.LowPass(Body.Saw(fPitch) + 0.8f * Edge.Triangle(fPitch));
        }
        MixAt(Out, Voice, SampleCount(Note.fStart), 1.0f);
    }
    return Out;
}

// A receiver put down: a click, then two falling beeps.
Signal HangUp()
{
    Signal Out = Tones({{79, 0.03f, 0.1f}, {74, 0.16f, 0.15f}}, 0.45f, 2500.0f, 0.0f);
    Noise Click(1000);
    for (int n = 0; n < SampleCount(0.02f); ++n)
        Out[n] += 0.5f * Strike((float)n / SOUND_RATE, 0.0005f, 0.003f, 0.02f) * Click.Next();
    return Out;
}

// The start signal: a quick bright major arpeggio that holds as a chord.
Signal Go() { return Tones({{72, 0.0f, 0.4f}, {76, 0.02f, 0.38f}, {79, 0.04f, 0.36f}, {84, 0.06f, 0.34f}}, 0.6f, 4000.0f, 0.0f); }

// A slow chromatic fall ending on a long, wavering note.
Signal GameOver()
{
    return Tones({{67, 0.0f, 0.3f}, {66, 0.35f, 0.3f}, {65, 0.7f, 0.3f}, {64, 1.05f, 0.9f}, {52, 1.05f, 0.9f}}, 2.2f,
                 1800.0f, 0.006f);
}

// A typewriter key: a sharp tick with a tiny ring.
Signal KeyTap()
{
    Signal Out(SampleCount(0.06f));
    Noise Source(1100);
    StateFilter Filter;
    Filter.SetCutoff(3000.0f, 0.7f);
    Oscillator Ring;
    for (size_t n = 0; n < Out.size(); ++n) {
        float t = (float)n / SOUND_RATE;
        Out[n] = Strike(t, 0.0005f, 0.004f, 0.06f) * Filter.HighPass(Source.Next()) +
                 0.3f * Strike(t, 0.001f, 0.012f, 0.06f) * Ring.Sine(2000.0f);
    }
    return Out;
}

std::string Numbered(const char* szPrefix, int nVariant) { return szPrefix + std::to_string(nVariant) + ".wav"; }

}  // namespace

std::vector<ForgedSound> ForgeEffects()
{
    std::vector<ForgedSound> Sounds;
    Sounds.push_back({"beam.wav", SoundGroup::Jingle, Beam()});
    for (int n = 1; n <= 5; ++n)
        Sounds.push_back({Numbered("explo", n), SoundGroup::Explosion, Explosion(n)});
    for (int n = 1; n <= 2; ++n)
        Sounds.push_back({Numbered("step", n), SoundGroup::Quiet, Step(n)});
    Sounds.push_back({"hangup.wav", SoundGroup::Quiet, HangUp()});
    Sounds.push_back({"go.wav", SoundGroup::Jingle, Go()});
    Sounds.push_back({"gameover.wav", SoundGroup::Jingle, GameOver()});
    for (const BrickKindName& Kind : BRICK_KINDS)
        for (int n = 1; n <= BRICK_VARIANTS; ++n)
            Sounds.push_back({Numbered(Kind.szPrefix, n), SoundGroup::Brick, BrickSound(Kind.Kind, n)});
    for (int n = 1; n <= BONUS_VARIANTS; ++n)
        Sounds.push_back({Numbered("boni", n), SoundGroup::Bonus, BonusSound(n)});
    for (int n = 1; n <= 5; ++n)
        Sounds.push_back({Numbered("schuss", n), SoundGroup::Shot, Shot(n)});
    for (int n = 1; n <= 3; ++n)
        Sounds.push_back({Numbered("bande", n), SoundGroup::Wall, WallBounce(n)});
    Sounds.push_back({"tipp.wav", SoundGroup::Quiet, KeyTap()});
    return Sounds;
}
