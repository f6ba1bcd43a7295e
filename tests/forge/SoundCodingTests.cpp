// The forge's sound coding, judged by the engine's decoder and by sox, and the
// "sounds" step's archive as the game reads it.
#include <cmath>
#include <map>
#include <memory>

#include "ForgeTest.h"
#include "SoundArchive.h"
#include "sound/AdpcmEncoder.h"
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

    struct Case {
        size_t nCount;
        float fLevel;
        bool bBright;
        double fLeastSnr;   // dB
    };
    // Whole blocks, partial last blocks of both parities, a single sample, full scale, quiet, bright.
    const Case CASES[] = {{2024, 0.5f, false, 35.0}, {3037, 0.5f, false, 35.0}, {3036, 0.5f, false, 35.0},
                          {1013, 0.5f, false, 35.0}, {1, 0.5f, false, 0.0},     {2, 0.5f, false, 0.0},
                          {700, 1.0f, false, 35.0},  {40000, 0.05f, false, 30.0}, {20000, 0.5f, true, 20.0}};
    for (const Case& Test : CASES) {
        SCOPED_TRACE("samples " + std::to_string(Test.nCount) + " level " + std::to_string(Test.fLevel));
        Source = Material(Test.nCount, Test.fLevel, Test.bBright);
        ASSERT_TRUE(DecodeOwned(1, AdpcmWavImage(Source, SOUND_RATE)));
        Decoded = MixerSamples(1);
        ASSERT_EQ(Decoded.size(), DecodedLength(Test.nCount));
        for (size_t n = 0; n < Source.size(); n += ADPCM_SAMPLES_PER_BLOCK)
            EXPECT_EQ(Decoded[n], Source[n]) << "a block starts with its exact first sample";
        if (Test.nCount > 2) {
            EXPECT_GT(SignalToNoise(Source, Decoded), Test.fLeastSnr);
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
        EXPECT_EQ(Format.nSampleRate, 22050u);
        EXPECT_EQ(Format.nChannels, 1);
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
        EXPECT_LE(std::fabs(Sound.front()), 64.0f / 32768.0f);
        EXPECT_LE(std::fabs(Sound.back()), 64.0f / 32768.0f);
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

}  // namespace
