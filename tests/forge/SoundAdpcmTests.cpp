// The forge's Microsoft ADPCM encoder, judged by the engine's decoder and by sox.
#include <cmath>

#include "sound/AdpcmEncoder.h"
#include "sound/Synth.h"
#include "sound/WavWriter.h"
#include "support/WavImages.h"

namespace {

using namespace wavtest;

// Test material: soft tones (a chord of sines with a gliding bass and a little
// noise) or bright ones (a saw and a pulse, whose sharp edges are the hardest
// thing for a 4-bit coder).
std::vector<int16_t> Material(size_t nCount, float fLevel, bool bBright = false)
{
    Signal Sound(nCount);
    Oscillator A, B, C;
    Noise Hiss(5);
    for (size_t n = 0; n < nCount; ++n) {
        float t = (float)n / SOUND_RATE;
        float fEdges = bBright ? 0.3f * B.Saw(330.0f) + 0.2f * C.Pulse(550.0f)
                               : 0.3f * B.Sine(330.0f) + 0.2f * C.Sine(550.0f);
        Sound[n] = fLevel * (0.4f * A.Sine(110.0f + 50.0f * t) + fEdges + 0.01f * Hiss.Next());
    }
    return ToPcm16(Sound);
}

double SignalToNoise(const std::vector<int16_t>& Source, const std::vector<int16_t>& Decoded)
{
    double fSignal = 0.0, fNoise = 0.0;
    for (size_t n = 0; n < Source.size(); ++n) {
        fSignal += (double)Source[n] * Source[n];
        double fMiss = (double)Source[n] - Decoded[n];
        fNoise += fMiss * fMiss;
    }
    return 10.0 * std::log10(fSignal / std::max(fNoise, 1.0));
}

// The whole-byte rule: a partial last block decodes one sample more when its
// codes leave half a byte (or when it holds a single sample).
size_t DecodedLength(size_t nCount)
{
    size_t nRest = nCount % ADPCM_SAMPLES_PER_BLOCK;
    if (nRest == 1 || (nRest > 2 && (nRest - 2) % 2 == 1))
        return nCount + 1;
    return nCount;
}

class SoundAdpcm : public AudioFixture {};

TEST_F(SoundAdpcm, TheEnginesDecoderGetsTheSourceBackClosely)
{
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
        std::vector<int16_t> Source = Material(Test.nCount, Test.fLevel, Test.bBright);
        ASSERT_TRUE(DecodeOwned(1, AdpcmWavImage(Source, SOUND_RATE)));
        std::vector<int16_t> Decoded = MixerSamples(1);
        ASSERT_EQ(Decoded.size(), DecodedLength(Test.nCount));
        EXPECT_EQ(Decoded[0], Source[0]) << "a block starts with its exact first sample";
        if (Test.nCount > 2) {
            EXPECT_GT(SignalToNoise(Source, Decoded), Test.fLeastSnr);
        }
        if (Decoded.size() > Source.size()) {
            EXPECT_NEAR(Decoded.back(), Source.back(), 2000) << "the padding code repeats the last sample";
        }
    }
}

TEST_F(SoundAdpcm, BlocksStartAtTheirExactSamplesWhateverCameBefore)
{
    // A jump from silence to a loud tone exactly at a block edge: the new block
    // header carries the true samples, so nothing smears across.
    Signal Sound(3 * ADPCM_SAMPLES_PER_BLOCK, 0.0f);
    Oscillator Tone;
    for (size_t n = ADPCM_SAMPLES_PER_BLOCK; n < Sound.size(); ++n)
        Sound[n] = 0.8f * Tone.Sine(1000.0f);
    std::vector<int16_t> Source = ToPcm16(Sound);
    ASSERT_TRUE(DecodeOwned(2, AdpcmWavImage(Source, SOUND_RATE)));
    std::vector<int16_t> Decoded = MixerSamples(2);
    ASSERT_EQ(Decoded.size(), Source.size());
    for (size_t n = 0; n < ADPCM_SAMPLES_PER_BLOCK; ++n)
        ASSERT_EQ(Decoded[n], 0) << "sample " << n;
    EXPECT_EQ(Decoded[ADPCM_SAMPLES_PER_BLOCK], Source[ADPCM_SAMPLES_PER_BLOCK]);
    EXPECT_EQ(Decoded[ADPCM_SAMPLES_PER_BLOCK + 1], Source[ADPCM_SAMPLES_PER_BLOCK + 1]);
    EXPECT_GT(SignalToNoise(Source, Decoded), 30.0);
}

TEST_F(SoundAdpcm, SoxDecodesTheImageToTheSameSamplesAsTheEngine)
{
    std::vector<int16_t> Source = Material(5001, 0.6f);
    Bytes Image = AdpcmWavImage(Source, SOUND_RATE);
    WriteFileBytes("forged.wav", Image);
    ASSERT_TRUE(RunSox("forged.wav -t raw -e signed-integer -b 16 -L decoded.raw"));
    Bytes Raw = ReadFileBytes("decoded.raw");
    std::vector<int16_t> BySox = ToSamples16(Raw.data(), Raw.size());
    ASSERT_TRUE(DecodeOwned(3, Image));
    std::vector<int16_t> ByEngine = MixerSamples(3);
    EXPECT_EQ(BySox.size(), DecodedLength(Source.size()));
    EXPECT_EQ(ByEngine, BySox);
}

TEST_F(SoundAdpcm, CodesAsCloselyAsSoxsOwnEncoder)
{
    for (bool bBright : {false, true}) {
        std::vector<int16_t> Source = Material(30000, 0.5f, bBright);
        WriteFileBytes("source.raw", Samples16(Source));
        ASSERT_TRUE(RunSox("-r 22050 -c 1 -t raw -e signed-integer -b 16 -L source.raw -e ms-adpcm sox.wav"));
        ASSERT_TRUE(RunSox("sox.wav -t raw -e signed-integer -b 16 -L sox.raw"));
        Bytes Raw = ReadFileBytes("sox.raw");
        std::vector<int16_t> BySox = ToSamples16(Raw.data(), Raw.size());
        ASSERT_TRUE(DecodeOwned(5, AdpcmWavImage(Source, SOUND_RATE)));
        ASSERT_GE(BySox.size(), Source.size());
        double fOurs = SignalToNoise(Source, MixerSamples(5)), fTheirs = SignalToNoise(Source, BySox);
        EXPECT_GT(fOurs, fTheirs - 1.0) << (bBright ? "bright" : "soft") << " material: " << fOurs << " dB against "
                                        << fTheirs << " dB";
    }
}

TEST_F(SoundAdpcm, PcmImagesCarryTheSamplesUnchanged)
{
    std::vector<int16_t> Source = Material(999, 1.0f);
    ASSERT_TRUE(DecodeOwned(4, PcmWavImage(Source, SOUND_RATE)));
    EXPECT_EQ(MixerSamples(4), Source);
    EXPECT_EQ(Korvid.SoundSlot(4)->Format.nSampleRate, (uint32_t)SOUND_RATE);
}

}  // namespace
