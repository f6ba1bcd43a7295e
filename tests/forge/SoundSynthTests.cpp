// The forged effects as a listener would judge them (brick rows climb a
// pentatonic scale in every timbre, good bonuses rise and bad ones fall), and
// the music's score reader and loop tape.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

#include "sound/Effects.h"
#include "sound/Sequencer.h"

namespace {

// The normalised correlation of nCount samples of A from nFromA and of B from nFromB.
double Likeness(const Signal& A, size_t nFromA, const Signal& B, size_t nFromB, size_t nCount)
{
    double fDot = 0.0, fEnergyA = 0.0, fEnergyB = 0.0;
    for (size_t n = 0; n < nCount; ++n) {
        fDot += (double)A[nFromA + n] * B[nFromB + n];
        fEnergyA += (double)A[nFromA + n] * A[nFromA + n];
        fEnergyB += (double)B[nFromB + n] * B[nFromB + n];
    }
    return fDot / std::sqrt(std::max(fEnergyA * fEnergyB, 1e-20));
}

// The pitch of a stretch of sound by autocorrelation: the shortest period whose
// likeness comes close to the best one (so a note is not mistaken for its lower
// octave), refined between neighbouring lags.
float EstimatePitch(const Signal& Sound, float fFrom, float fTo)
{
    size_t nStart = (size_t)SampleCount(fFrom), nEnd = std::min(Sound.size(), (size_t)SampleCount(fTo));
    const int MIN_LAG = SOUND_RATE / 2500, MAX_LAG = SOUND_RATE / 60;
    if (nEnd <= nStart + MAX_LAG)
        return 0.0f;
    std::vector<double> Correlation(MAX_LAG + 2, 0.0);
    for (int nLag = MIN_LAG - 1; nLag <= MAX_LAG + 1; ++nLag)
        Correlation[nLag] = Likeness(Sound, nStart, Sound, nStart + nLag, nEnd - nStart - MAX_LAG);
    double fBest = *std::max_element(Correlation.begin() + MIN_LAG, Correlation.begin() + MAX_LAG + 1);
    for (int nLag = MIN_LAG; nLag <= MAX_LAG; ++nLag)
        if (Correlation[nLag] >= 0.9 * fBest && Correlation[nLag] >= Correlation[nLag - 1] &&
            Correlation[nLag] >= Correlation[nLag + 1]) {
            double a = Correlation[nLag - 1], b = Correlation[nLag], c = Correlation[nLag + 1];
            double fShift = (a - c) / (2.0 * (a - 2.0 * b + c) - 1e-12);
            return (float)(SOUND_RATE / (nLag + std::clamp(fShift, -0.5, 0.5)));
        }
    return 0.0f;
}

float Semitones(float fFrom, float fTo) { return 12.0f * std::log2(fTo / fFrom); }

TEST(SoundEffects, BrickRowsClimbAPentatonicScaleInTimbresOfTheirOwn)
{
    // C major pentatonic from C3: C D E G A, then the next octave.
    const int STEPS[5] = {0, 2, 4, 7, 9};
    std::vector<Signal> SameRow;
    for (const BrickKindName& Kind : BRICK_KINDS) {
        float fPrevious = 0.0f;
        for (int nVariant = 1; nVariant <= BRICK_VARIANTS; ++nVariant) {
            SCOPED_TRACE(std::string(Kind.szPrefix) + std::to_string(nVariant));
            int nStep = nVariant - 1;
            float fMeant = 130.81f * std::pow(2.0f, (12 * (nStep / 5) + STEPS[nStep % 5]) / 12.0f);
            Signal Sound = BrickSound(Kind.Kind, nVariant);
            float fHeard = EstimatePitch(Sound, 0.08f, 0.2f);
            EXPECT_NEAR(Semitones(fMeant, fHeard), 0.0f, 0.3f) << fHeard << " Hz heard, " << fMeant << " Hz meant";
            EXPECT_GT(fHeard, fPrevious);
            fPrevious = fHeard;
            if (nVariant == 8)
                SameRow.push_back(Sound);
        }
    }
    // Same note, different timbre: the waveforms are not near copies of each other.
    for (size_t a = 0; a < SameRow.size(); ++a)
        for (size_t b = a + 1; b < SameRow.size(); ++b)
            EXPECT_LT(std::fabs(Likeness(SameRow[a], 0, SameRow[b], 0, std::min(SameRow[a].size(), SameRow[b].size()))),
                      0.8)
                << BRICK_KINDS[a].szPrefix << " and " << BRICK_KINDS[b].szPrefix;
}

// The pitch of the first note, and of the last note just before it is let go:
// the end of the last stretch at half the loudest level or more.
std::pair<float, float> MelodyContour(const Signal& Sound)
{
    const float WINDOW = 0.02f;
    size_t nWindow = (size_t)SampleCount(WINDOW);
    std::vector<float> Levels;
    for (size_t n = 0; n + nWindow <= Sound.size(); n += nWindow)
        Levels.push_back(RmsLevel(Signal(Sound.begin() + n, Sound.begin() + n + nWindow)));
    float fLoudest = *std::max_element(Levels.begin(), Levels.end());
    size_t nLast = 0;
    for (size_t n = 0; n < Levels.size(); ++n)
        if (Levels[n] >= 0.5f * fLoudest)
            nLast = n;
    float fEnd = (nLast + 1) * WINDOW;
    return {EstimatePitch(Sound, 0.008f, 0.05f), EstimatePitch(Sound, fEnd - 0.05f, fEnd)};
}

TEST(SoundEffects, GoodBonusesRiseBadOnesFallAndEachHasItsOwnTune)
{
    // Bonus codes whose catch hurts the player (smaller paddle, frozen or mirrored
    // control, passing or faster balls, a life or a level lost, invisibility,
    // smaller balls, bad weather starting); 37 is the surprise.
    const std::set<int> BAD_CODES = {21, 31, 32, 34, 35, 39, 60, 61, 62, 63, 69, 70, 71};
    std::map<std::vector<float>, int> Tunes;
    for (int nVariant = 1; nVariant <= BONUS_VARIANTS; ++nVariant) {
        int nCode = nVariant <= 20 ? nVariant + 19 : nVariant + 39;
        SCOPED_TRACE("bonus code " + std::to_string(nCode));
        Signal Sound = BonusSound(nVariant);
        std::vector<float> Print;
        for (size_t n = 0; n < Sound.size(); n += 97)
            Print.push_back(std::round(Sound[n] * 1000.0f));
        EXPECT_TRUE(Tunes.emplace(Print, nVariant).second) << "sounds like variant " << Tunes[Print];
        BonusMood Mood = BonusVariantMood(nVariant);
        EXPECT_EQ(Mood, nCode == 37 ? BonusMood::Mystery : BAD_CODES.count(nCode) ? BonusMood::Bad : BonusMood::Good);
        auto [fFirst, fLast] = MelodyContour(Sound);
        float fMove = Semitones(fFirst, fLast);
        EXPECT_TRUE(Mood == BonusMood::Mystery ||
                    (fFirst > 0 && fLast > 0 && (Mood == BonusMood::Bad ? fMove < -1.5f : fMove > 4.0f)))
            << fFirst << " Hz to " << fLast << " Hz";
    }
}

TEST(SoundScore, NoteLinesReadNotesHoldsAndRestsAndChordNamesGiveTheirTones)
{
    using Note = std::tuple<double, double, float>;   // beat, length in beats, MIDI note
    std::vector<Note> Read;
    for (const NoteEvent& Event : ParseNotes("C5 - . F#4 | Bb3 - - x E9", 0.5, 8.0))
        Read.emplace_back(Event.fBeat, Event.fBeats, Event.fMidi);
    EXPECT_EQ(Read, (std::vector<Note>{{8.0, 1.0, 72}, {9.5, 0.5, 66}, {10.0, 1.5, 58}, {12.0, 0.5, 124}}));
    EXPECT_TRUE(ParseNotes(". - -", 1.0, 0.0).empty()) << "a hold after a rest holds nothing";

    std::vector<Chord> Chords = ParseProgression("Am7 Fmaj7 G#sus4 Eb");
    ASSERT_EQ(Chords.size(), 4u);
    EXPECT_EQ(ChordTones(Chords[0], 57, 69), (std::vector<int>{57, 60, 64, 67}));   // A C E G
    EXPECT_EQ(ChordTones(Chords[1], 60, 72), (std::vector<int>{60, 64, 65, 69}));   // C E F A
    EXPECT_EQ(ChordTones(Chords[2], 56, 68), (std::vector<int>{56, 61, 63}));       // G# C# D#
    EXPECT_EQ(ChordTones(Chords[3], 60, 72), (std::vector<int>{63, 67, 70}));       // Eb G Bb
    EXPECT_EQ(ChordRoot(Chords[0], 33), 33);
    EXPECT_EQ(ChordRoot(Chords[3], 33), 39);
    EXPECT_EQ(ChordRoot(Chords[1], 36), 41);
}

TEST(SoundScore, SoundsAndEchoesPastTheLoopsEndComeRoundToItsStart)
{
    LoopTrack Short(10, 2, 2);                    // 40 samples
    Short.Place(Signal{1, 2, 3, 4}, 3.8, 1.0f);   // starts at sample 38
    const Signal& Wrapped = Short.Samples();
    ASSERT_EQ(Wrapped.size(), 40u);
    EXPECT_EQ((Signal{Wrapped[38], Wrapped[39], Wrapped[0], Wrapped[1]}), (Signal{1, 2, 3, 4}));

    // One click near the end: its echoes land after the start, exactly where a
    // second pass of the loop would hear them.
    LoopTrack Tape(100, 1, 4);              // 400 samples
    Tape.Place(Signal{1.0f}, 3.5, 1.0f);    // sample 350
    Tape.Echo(0.1, 0.5f, 1.0f);             // every 10 samples, half as loud each time
    const Signal& Out = Tape.Samples();
    EXPECT_EQ((Signal{Out[349], Out[350], Out[355], Out[360], Out[390], Out[0], Out[10]}),
              (Signal{0, 1, 0, 0.5f, 0.0625f, 0.03125f, 0.015625f}));
}

}  // namespace
