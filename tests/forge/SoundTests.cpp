// The forge's sounds: the coding judged by the engine's decoder and by sox, the
// effects as a listener judges them (brick rows climb a pentatonic scale in every
// timbre, good bonuses rise and bad ones fall), the music's score reader and loop
// tape, and the "sounds" step's archive as the game reads it.
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "ForgeTest.h"
#include "SoundArchive.h"
#include "sound/AdpcmEncoder.h"
#include "sound/Effects.h"
#include "sound/Sequencer.h"
#include "sound/SoundStep.h"
#include "sound/Synth.h"
#include "sound/WavWriter.h"
#include "support/WavImages.h"

namespace {

using namespace wavtest;

// Soft tones (a chord of sines over a gliding bass, a little noise) or bright
// ones (a saw and a pulse, whose edges are the hardest thing for a 4-bit coder).
std::vector<int16_t> Material(size_t nCount, float fLevel, bool bBright = false)
{
    Signal Sound(nCount);
    Oscillator A, B, C;
    Noise Hiss(5);
    for (size_t n = 0; n < nCount; ++n) {
        float t = (float)n / SOUND_RATE;
        float fEdges =
            bBright ? 0.3f * B.Saw(330.0f) + 0.2f * C.Pulse(550.0f) : 0.3f * B.Sine(330.0f) + 0.2f * C.Sine(550.0f);
        Sound[n] = fLevel * (0.4f * A.Sine(110.0f + 50.0f * t) + fEdges + 0.01f * Hiss.Next());
    }
    return ToPcm16(Sound);
}

double SignalToNoise(const std::vector<int16_t>& Source, const std::vector<int16_t>& Decoded)
{
    double fSignal = 0.0, fNoise = 0.0;
    for (size_t n = 0; n < Source.size(); ++n) {
        fSignal += (double)Source[n] * Source[n];
        fNoise += ((double)Source[n] - Decoded[n]) * ((double)Source[n] - Decoded[n]);
    }
    return 10.0 * std::log10(fSignal / std::max(fNoise, 1.0));
}

// The whole-byte rule: a partial last block decodes one sample more when its
// codes leave half a byte (or when it holds a single sample).
size_t DecodedLength(size_t nCount)
{
    size_t nRest = nCount % ADPCM_SAMPLES_PER_BLOCK;
    return nRest == 1 || (nRest > 2 && (nRest - 2) % 2 == 1) ? nCount + 1 : nCount;
}

std::vector<int16_t> SoxDecoded(const std::string& Wav)
{
    EXPECT_TRUE(RunSox(Wav + " -t raw -e signed-integer -b 16 -L decoded.raw"));
    Bytes Raw = ReadFileBytes("decoded.raw");
    return ToSamples16(Raw.data(), Raw.size());
}

class SoundAdpcm : public AudioFixture {};

TEST_F(SoundAdpcm, TheEnginesDecoderGetsTheSourceBackClosely)
{
    // A jump from silence to a loud tone exactly at a block edge: the block's header
    // carries the true samples, so nothing smears across.
    Signal Jump(3 * ADPCM_SAMPLES_PER_BLOCK, 0.0f);
    Oscillator Tone;
    for (size_t n = ADPCM_SAMPLES_PER_BLOCK; n < Jump.size(); ++n)
        Jump[n] = 0.8f * Tone.Sine(1000.0f);
    std::vector<int16_t> Source = ToPcm16(Jump);
    ASSERT_TRUE(DecodeOwned(2, AdpcmWavImage(Source, SOUND_RATE)));
    std::vector<int16_t> Decoded = MixerSamples(2);
    ASSERT_EQ(Decoded.size(), Source.size());
    EXPECT_GT(SignalToNoise(Source, Decoded), 30.0);
    Decoded.resize(ADPCM_SAMPLES_PER_BLOCK + 2);   // the silent block and the next block's header samples
    EXPECT_EQ(Decoded, std::vector<int16_t>(Source.begin(), Source.begin() + ADPCM_SAMPLES_PER_BLOCK + 2));

    // Samples, level, bright, least signal-to-noise in dB: whole blocks, partial last blocks of both
    // parities, a single sample, full scale, quiet, bright.
    const std::tuple<size_t, float, bool, double> CASES[] = {
        {2024, 0.5f, false, 35.0}, {3037, 0.5f, false, 35.0},   {3036, 0.5f, false, 35.0},
        {1013, 0.5f, false, 35.0}, {1, 0.5f, false, 0.0},       {2, 0.5f, false, 0.0},
        {700, 1.0f, false, 35.0},  {40000, 0.05f, false, 30.0}, {20000, 0.5f, true, 20.0}};
    for (const auto& [nCount, fLevel, bBright, fLeastSnr] : CASES) {
        SCOPED_TRACE("samples " + std::to_string(nCount) + " level " + std::to_string(fLevel));
        Source = Material(nCount, fLevel, bBright);
        ASSERT_TRUE(DecodeOwned(1, AdpcmWavImage(Source, SOUND_RATE)));
        Decoded = MixerSamples(1);
        ASSERT_EQ(Decoded.size(), DecodedLength(nCount));
        for (size_t n = 0; n < Source.size(); n += ADPCM_SAMPLES_PER_BLOCK)
            EXPECT_EQ(Decoded[n], Source[n]) << "a block starts with its exact first sample";
        if (nCount > 2) {
            EXPECT_GT(SignalToNoise(Source, Decoded), fLeastSnr);
        }
        if (Decoded.size() > Source.size()) {
            EXPECT_NEAR(Decoded.back(), Source.back(), 2000) << "the padding code repeats the last sample";
        }
    }
    // PCM images carry the samples unchanged.
    Source = Material(999, 1.0f);
    ASSERT_TRUE(DecodeOwned(4, PcmWavImage(Source, SOUND_RATE)));
    EXPECT_EQ(MixerSamples(4), Source);
    EXPECT_EQ(Korvid.SoundSlot(4)->Format.nSampleRate, (uint32_t)SOUND_RATE);
}

TEST_F(SoundAdpcm, SoxDecodesOurImagesAsTheEngineDoesAndOurCodingIsAsCloseAsSoxs)
{
    for (bool bBright : {false, true}) {
        SCOPED_TRACE(bBright ? "bright" : "soft");
        std::vector<int16_t> Source = Material(30001, 0.5f, bBright);
        WriteFileBytes("ours.wav", AdpcmWavImage(Source, SOUND_RATE));
        std::vector<int16_t> Ours = SoxDecoded("ours.wav");
        ASSERT_TRUE(DecodeOwned(3, ReadFileBytes("ours.wav")));
        EXPECT_EQ(Ours.size(), DecodedLength(Source.size()));
        EXPECT_EQ(MixerSamples(3), Ours);

        WriteFileBytes("source.raw", Samples16(Source));
        ASSERT_TRUE(RunSox("-r 22050 -c 1 -t raw -e signed-integer -b 16 -L source.raw -e ms-adpcm sox.wav"));
        std::vector<int16_t> Theirs = SoxDecoded("sox.wav");
        ASSERT_GE(Theirs.size(), Source.size());
        EXPECT_GT(SignalToNoise(Source, Ours), SignalToNoise(Source, Theirs) - 1.0);
    }
}

// The names the game asks the archive for.
std::vector<std::string> GameSoundNames()
{
    std::vector<std::string> Names = {"beam.wav", "step1.wav", "step2.wav", "hangup.wav", "go.wav", "gameover.wav",
                                      "tipp.wav", "intro_96.wav", "ingame_96.wav"};
    for (auto [szPrefix, nLast] : {std::pair{"explo", 5}, {"stn", 19}, {"stb", 19}, {"stm", 19}, {"stbr", 19},
                                   {"stg", 19}, {"sth", 19}, {"boni", 35}, {"schuss", 5}, {"bande", 3}})
        for (int n = 1; n <= nLast; ++n)
            Names.push_back(szPrefix + std::to_string(n) + ".wav");
    return Names;
}

// The music restarts when the engine's play time is up: it must end then, loop
// without a seam and sound right up to its join.
void ExpectSeamlessMusic(const SoundPack& Pack, const std::string& Track, const Signal& Music)
{
    SCOPED_TRACE(Track);
    uint32_t n = 0;
    while (n < Pack.nEntries && Track != Pack.szNames[n])
        ++n;
    EXPECT_EQ(ReadLE16(Pack.pData + Pack.nOffsets[n] + 20), KOR_WAV_MS_ADPCM) << "music is stored compressed";
    EXPECT_GE(Music.size(), 60u * SOUND_RATE);
    EXPECT_EQ((uint64_t)Korvid.GetSoundPlayTime(1) * SOUND_RATE / 1000, Music.size());
    EXPECT_LT(PeakLevel(Music), DecibelsToGain(-2.0f));
    // The step from the last sample back to the first is no bigger than the steps the music makes anyway.
    std::vector<float> Steps;
    for (size_t n = 1; n < Music.size(); ++n)
        Steps.push_back(std::fabs(Music[n] - Music[n - 1]));
    std::nth_element(Steps.begin(), Steps.begin() + Steps.size() * 999 / 1000, Steps.end());
    EXPECT_LE(std::fabs(Music.front() - Music.back()), Steps[Steps.size() * 999 / 1000]);
    size_t nWindow = (size_t)SampleCount(0.05f);
    EXPECT_GT(GainToDecibels(RmsLevel(Signal(Music.end() - nWindow, Music.end()))), -35.0f) << "fades out";
    EXPECT_GT(GainToDecibels(RmsLevel(Signal(Music.begin(), Music.begin() + nWindow))), -35.0f) << "silent lead-in";
}

class ForgedSoundArchive : public AudioFixture {};

TEST_F(ForgedSoundArchive, HoldsEveryGameSoundWithCleanEvenEffectsAndSeamlessMusicUnderThem)
{
    ASSERT_TRUE(ForgeSounds({".", "", ""}));
    EXPECT_EQ(ExpectSameAsDataSet(), 1u);
    auto pPack = std::make_unique<SoundPack>();
    OpenSoundPack(*pPack, SOUND_ARCHIVE);
    std::vector<std::string> Names = GameSoundNames();
    ASSERT_EQ(pPack->nEntries, Names.size());
    std::map<std::string, std::pair<float, float>> FamilyRange;   // quietest, loudest (dBFS)
    float fQuietestEffect = 0.0f, fLoudestMusic = -100.0f;
    for (const std::string& Name : Names) {
        SCOPED_TRACE(Name);
        ASSERT_TRUE(LoadPackSound(*pPack, 1, Name.c_str()));
        const KorvidWavFormat& Format = Korvid.SoundSlot(1)->Format;
        EXPECT_EQ(std::make_pair(Format.nSampleRate, (int)Format.nChannels), std::make_pair(22050u, 1));
        std::vector<int16_t> Samples = MixerSamples(1);
        Signal Sound(Samples.begin(), Samples.end());
        std::for_each(Sound.begin(), Sound.end(), [](float& f) { f /= 32768.0f; });
        ASSERT_GT(Sound.size(), 500u);
        float fPeak = PeakLevel(Sound), fLoudness = GainToDecibels(LoudnessLevel(Sound));
        if (Name.find("_96") != std::string::npos) {
            ExpectSeamlessMusic(*pPack, Name, Sound);
            fLoudestMusic = std::max(fLoudestMusic, fLoudness);
            continue;
        }
        // Effects: headroom, no step at either end, not cut off while sounding,
        // and one loudness within a family ("stbr12.wav" belongs to "stbr").
        EXPECT_LT(fPeak, DecibelsToGain(-0.9f));
        EXPECT_LE(std::max(std::fabs(Sound.front()), std::fabs(Sound.back())), 64.0f / 32768.0f);
        EXPECT_LT(PeakLevel(Signal(Sound.end() - SampleCount(0.001f), Sound.end())), 0.05f * fPeak);
        std::string Family = Name.substr(0, Name.find_first_of("0123456789."));
        auto Range = FamilyRange.emplace(Family, std::make_pair(fLoudness, fLoudness)).first;
        Range->second = {std::min(Range->second.first, fLoudness), std::max(Range->second.second, fLoudness)};
        // The music sits under every effect but the quiet cues.
        if (Family != "step" && Family != "tipp" && Family != "hangup" && Family != "bande")
            fQuietestEffect = std::min(fQuietestEffect, fLoudness);
    }
    for (const auto& [Family, Range] : FamilyRange)
        EXPECT_LT(Range.second - Range.first, 1.5f) << "the " << Family << " sounds differ in loudness";
    EXPECT_LT(fLoudestMusic, fQuietestEffect + 3.0f);
}

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
