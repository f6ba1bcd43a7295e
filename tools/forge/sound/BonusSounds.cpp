// Bonus sounds, one per bonus: good bonuses play bright major figures that
// climb, bad ones play sour, detuned figures that fall and sag in pitch, and
// the surprise bonus plays a dreamy whole-tone run. The biggest events (extra
// life, level won, life lost, level back) get longer figures.
#include <algorithm>
#include <cmath>

#include "Effects.h"

namespace {

constexpr float STEP_SECONDS = 0.055f;   // one step of a figure
constexpr float TAIL_SECONDS = 0.25f;    // the last note rings out
constexpr float GOOD_ROOT = 72.0f;       // C5
constexpr float BAD_ROOT = 67.0f;        // G4

struct FigureNote {
    int8_t nSemitone;
    uint8_t nSteps;
};
using Figure = std::vector<FigureNote>;

const Figure GOOD_FIGURES[] = {
    {{0, 1}, {4, 1}, {7, 1}, {12, 3}},
    {{0, 1}, {7, 1}, {12, 1}, {19, 3}},
    {{0, 1}, {2, 1}, {4, 1}, {7, 1}, {9, 1}, {12, 3}},
    {{0, 1}, {5, 1}, {9, 1}, {12, 3}},
    {{0, 1}, {4, 1}, {7, 1}, {11, 1}, {12, 3}},
    {{7, 1}, {12, 1}, {16, 1}, {19, 3}},
    {{0, 1}, {4, 1}, {7, 1}, {4, 1}, {7, 1}, {12, 3}},
    {{0, 1}, {0, 1}, {7, 2}, {12, 4}},                              // fanfare: extra life
    {{0, 1}, {4, 1}, {7, 1}, {12, 2}, {7, 1}, {12, 2}, {16, 2}, {19, 5}},   // grand fanfare: level won
};
const Figure BAD_FIGURES[] = {
    {{12, 1}, {6, 1}, {0, 3}},
    {{7, 1}, {6, 1}, {5, 1}, {4, 3}},
    {{9, 1}, {6, 1}, {3, 1}, {0, 3}},
    {{7, 1}, {1, 1}, {0, 3}},
    {{12, 1}, {11, 1}, {6, 1}, {5, 3}},
    {{7, 2}, {6, 2}, {5, 2}, {4, 6}},                              // sad: life lost, level back
};
const Figure MYSTERY_FIGURE = {{0, 1}, {2, 1}, {4, 1}, {6, 1}, {8, 1}, {10, 1}, {12, 3}};

struct BonusTune {
    BonusMood Mood;
    uint8_t nFigure;
    int8_t nTranspose;
};

// Variant 1..35, in bonus code order: codes 20..39, then 60..74.
const BonusTune TUNES[BONUS_VARIANTS] = {
    {BonusMood::Good, 0, 0},    // 20 bigger paddle
    {BonusMood::Bad, 0, 0},     // 21 smaller paddle
    {BonusMood::Good, 6, 0},    // 22 one more ball
    {BonusMood::Good, 3, 2},    // 23 autopilot
    {BonusMood::Good, 2, 0},    // 24 free vertical movement
    {BonusMood::Good, 1, 0},    // 25 score x2
    {BonusMood::Good, 1, 5},    // 26 score x4
    {BonusMood::Good, 3, -3},   // 27 sticky paddle
    {BonusMood::Good, 4, 0},    // 28 piercing balls
    {BonusMood::Good, 5, 0},    // 29 laser
    {BonusMood::Good, 7, 0},    // 30 extra life
    {BonusMood::Bad, 1, 0},     // 31 frozen paddle
    {BonusMood::Bad, 2, 0},     // 32 mirrored control
    {BonusMood::Good, 6, 5},    // 33 enemies destroyed
    {BonusMood::Bad, 3, 0},     // 34 passing balls
    {BonusMood::Bad, 4, 0},     // 35 faster balls
    {BonusMood::Good, 2, -5},   // 36 slower balls
    {BonusMood::Mystery, 0, 0}, // 37 random bonus
    {BonusMood::Good, 8, 0},    // 38 level won
    {BonusMood::Bad, 5, 0},     // 39 life lost
    {BonusMood::Bad, 5, -5},    // 60 back one level
    {BonusMood::Bad, 0, 3},     // 61 invisible paddle
    {BonusMood::Bad, 2, 3},     // 62 invisible bricks
    {BonusMood::Bad, 1, -3},    // 63 smaller balls
    {BonusMood::Good, 0, 5},    // 64 bigger balls
    {BonusMood::Good, 4, 5},    // 65 enemies cannot catch balls
    {BonusMood::Good, 0, -5},   // 66 shield
    {BonusMood::Good, 3, 4},    // 67 protection
    {BonusMood::Good, 6, -3},   // 68 second paddle
    {BonusMood::Bad, 3, -4},    // 69 weather: fog starts
    {BonusMood::Bad, 4, -4},    // 70 weather starts
    {BonusMood::Bad, 0, -4},    // 71 weather starts
    {BonusMood::Good, 5, 2},    // 72 fog ends
    {BonusMood::Good, 1, -3},   // 73 weather ends
    {BonusMood::Good, 4, -3},   // 74 weather ends
};

// A bright square-ish lead that opens up as it sounds.
float GoodVoice(float t, float fLength, float f, Oscillator& A, Oscillator& B, StateFilter& Filter)
{
    Envelope Shape{0.004f, 0.12f, 0.6f, 0.06f};
    Filter.SetCutoff(f * (3.0f + 6.0f * std::min(1.0f, t / 0.05f)), 0.9f);
    return Shape.At(t, fLength) * Filter.LowPass(0.6f * A.Pulse(f, 0.25f) + 0.5f * B.Triangle(2.0f * f));
}

// Two saws a quarter tone apart beat against each other; the pitch sags and
// the filter closes.
float BadVoice(float t, float fLength, float f, Oscillator& A, Oscillator& B, StateFilter& Filter)
{
    Envelope Shape{0.006f, 0.15f, 0.7f, 0.07f};
    float fSag = std::pow(2.0f, -0.8f * std::min(t, fLength) / std::max(fLength, 0.05f) / 12.0f);
    float fPitch = f * fSag;
    Filter.SetCutoff(std::max(fPitch * 2.0f, 1600.0f - 4000.0f * t), 1.2f);
    return Shape.At(t, fLength) * Filter.LowPass(0.5f * A.Saw(fPitch * 0.985f) + 0.5f * B.Saw(fPitch * 1.015f));
}

// A soft FM bell.
float MysteryVoice(float t, float fLength, float f, Oscillator& A, Oscillator& B, StateFilter&)
{
    Envelope Shape{0.003f, 0.2f, 0.3f, 0.15f};
    return Shape.At(t, fLength) * A.Sine(f, 1.5f * std::exp(-t / 0.15f) * B.Sine(3.5f * f));
}

void AddNote(Signal& Out, float fStart, float fLength, float fMidi, BonusMood Mood)
{
    using Voice = float (*)(float, float, float, Oscillator&, Oscillator&, StateFilter&);
    Voice pVoice = Mood == BonusMood::Good ? GoodVoice : Mood == BonusMood::Bad ? BadVoice : MysteryVoice;
    float fRelease = Mood == BonusMood::Mystery ? 0.15f : 0.07f;
    Signal Note(SampleCount(fLength + fRelease));
    Oscillator A, B;
    StateFilter Filter;
    float f = NoteFrequency(fMidi);
    for (size_t n = 0; n < Note.size(); ++n)
        Note[n] = pVoice((float)n / SOUND_RATE, fLength, f, A, B, Filter);
    MixAt(Out, Note, SampleCount(fStart), 1.0f);
}

}  // namespace

BonusMood BonusVariantMood(int nVariant) { return TUNES[std::clamp(nVariant, 1, BONUS_VARIANTS) - 1].Mood; }

Signal BonusSound(int nVariant)
{
    const BonusTune& Tune = TUNES[std::clamp(nVariant, 1, BONUS_VARIANTS) - 1];
    const Figure& Notes = Tune.Mood == BonusMood::Good  ? GOOD_FIGURES[Tune.nFigure]
                          : Tune.Mood == BonusMood::Bad ? BAD_FIGURES[Tune.nFigure]
                                                        : MYSTERY_FIGURE;
    float fRoot = (Tune.Mood == BonusMood::Bad ? BAD_ROOT : GOOD_ROOT) + Tune.nTranspose;
    int nSteps = 0;
    for (const FigureNote& Note : Notes)
        nSteps += Note.nSteps;
    Signal Out(SampleCount(nSteps * STEP_SECONDS + TAIL_SECONDS));
    int nStep = 0;
    for (size_t n = 0; n < Notes.size(); ++n) {
        bool bLast = n + 1 == Notes.size();
        float fLength = Notes[n].nSteps * STEP_SECONDS * (bLast ? 1.0f : 0.85f);
        AddNote(Out, nStep * STEP_SECONDS, fLength, fRoot + Notes[n].nSemitone, Tune.Mood);
        nStep += Notes[n].nSteps;
    }
    return Out;
}
