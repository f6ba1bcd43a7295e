// WAV files made by sox decode to the samples sox itself decodes.
#include "support/WavImages.h"

namespace {

using namespace wavtest;

class WavFromSox : public AudioFixture {
protected:
    // Makes NAME.wav with sox from the output options and synth effect, and
    // NAME.raw, sox's own decoding of it as 16-bit signed samples.
    void Make(const std::string& Name, const std::string& Format, const std::string& Synth)
    {
        ASSERT_TRUE(RunSox("-n " + Format + " " + Name + ".wav synth " + Synth))
            << "sox is needed (scripts/bootstrap installs it)";
        ASSERT_TRUE(RunSox(Name + ".wav -t raw -e signed -b 16 " + Name + ".raw"));
        m_Image = ReadFileBytes(Name + ".wav");
        Bytes Raw = ReadFileBytes(Name + ".raw");
        m_Reference = ToSamples16(Raw.data(), Raw.size());
        ASSERT_FALSE(m_Reference.empty());
    }

    // Decodes the image with the stand-alone decoder, no mixer involved.
    std::vector<int16_t> DecodeAlone()
    {
        KorvidWavFormat Format;
        KorvidAdpcmLayout Adpcm;
        EXPECT_TRUE(ParseWAVImage(m_Image.data(), (uint32_t)m_Image.size(), Format, Adpcm));
        Bytes Out(DecodedWAVSize(Format, Adpcm));
        DecodeWAVSamples(m_Image.data(), Format, Adpcm, Out.data());
        return ToSamples16(Out.data(), Out.size());
    }

    Bytes m_Image;
    std::vector<int16_t> m_Reference;
};

TEST_F(WavFromSox, SixteenBit22050PlaysSoxSamplesUnchanged)
{
    Make("pcm16", "-r 22050 -c 1 -b 16 -e signed", "1.5 sine 440 sine 1234");
    ASSERT_TRUE(Korvid.LoadSound(4, "pcm16.wav"));
    EXPECT_EQ(MixerSamples(4), m_Reference);
    EXPECT_EQ(Korvid.SoundSlot(4)->Format.nSampleRate, 22050u);
    EXPECT_EQ(Korvid.GetSoundPlayTime(4), 1000u) << "1.5 s counts as one whole second";
}

TEST_F(WavFromSox, EightBit11025IsWidenedAndDoubled)
{
    Make("pcm8", "-r 11025 -c 1 -b 8 -e unsigned", "0.3 sine 300");
    ASSERT_TRUE(Korvid.LoadSound(0, "pcm8.wav"));
    std::vector<int16_t> Mixer = MixerSamples(0);
    ASSERT_EQ(Mixer.size(), 2 * m_Reference.size());
    EXPECT_EQ(Korvid.SoundSlot(0)->Format.nSampleRate, 22050u);
    for (size_t n = 0; n < m_Reference.size(); ++n) {
        ASSERT_EQ(Mixer[2 * n], m_Reference[n]) << "sample " << n;
        int nExpected = n + 1 < m_Reference.size() ? (m_Reference[n] + m_Reference[n + 1]) / 2 : m_Reference[n];
        ASSERT_EQ(Mixer[2 * n + 1], nExpected) << "between samples " << n << " and " << n + 1;
    }
}

TEST_F(WavFromSox, AdpcmMonoMatchesSoxExactly)
{
    Make("adpcm1", "-r 22050 -c 1 -e ms-adpcm", "0.4 sine 440 sine 3000 gain -3");
    EXPECT_EQ(DecodeAlone(), m_Reference);
    ASSERT_TRUE(Korvid.LoadSound(1, "adpcm1.wav"));
    EXPECT_EQ(MixerSamples(1), m_Reference);
}

TEST_F(WavFromSox, AdpcmStereoMatchesSoxAndIsMixedDownForTheMixer)
{
    Make("adpcm2", "-r 22050 -c 2 -e ms-adpcm", "0.4 sine 440 sine 660 gain -2");
    EXPECT_EQ(DecodeAlone(), m_Reference);

    ASSERT_TRUE(Korvid.LoadSound(2, "adpcm2.wav"));
    std::vector<int16_t> Mixed(m_Reference.size() / 2);
    for (size_t n = 0; n < Mixed.size(); ++n)
        Mixed[n] = (int16_t)((m_Reference[2 * n] + m_Reference[2 * n + 1]) / 2);
    EXPECT_EQ(MixerSamples(2), Mixed);
    EXPECT_EQ(Korvid.SoundSlot(2)->Format.nSampleRate, 22050u);
}

}  // namespace
