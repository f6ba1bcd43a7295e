// WAV files made by sox decode to the samples sox itself decodes.
#include "ServiceTest.h"
#include "support/WavImages.h"

namespace {

using namespace wavtest;

class WavFromSox : public AudioFixture {
protected:
    // Makes NAME.wav with sox from the output options and synth effect, and
    // returns sox's own decoding of it as 16-bit signed samples.
    static std::vector<int16_t> Make(const std::string& Name, const std::string& Format, const std::string& Synth)
    {
        EXPECT_TRUE(RunSox("-n " + Format + " " + Name + ".wav synth " + Synth))
            << "sox is needed (scripts/bootstrap installs it)";
        EXPECT_TRUE(RunSox(Name + ".wav -t raw -e signed -b 16 " + Name + ".raw"));
        Bytes Raw = ReadFileBytes(Name + ".raw");
        EXPECT_FALSE(Raw.empty());
        return ToSamples16(Raw.data(), Raw.size());
    }
};

TEST_F(WavFromSox, SixteenBit22050PlaysSoxSamplesUnchanged)
{
    const std::vector<int16_t> Reference = Make("pcm16", "-r 22050 -c 1 -b 16 -e signed", "1.5 sine 440 sine 1234");
    ASSERT_TRUE(Korvid.LoadSound(4, "pcm16.wav"));
    EXPECT_EQ(MixerSamples(4), Reference);
    EXPECT_EQ(Korvid.SoundSlot(4)->Format.nSampleRate, 22050u);
    EXPECT_EQ(Korvid.GetSoundPlayTime(4), 1000u) << "1.5 s counts as one whole second";
}

TEST_F(WavFromSox, EightBit11025IsWidenedAndDoubled)
{
    const std::vector<int16_t> Reference = Make("pcm8", "-r 11025 -c 1 -b 8 -e unsigned", "0.3 sine 300");
    ASSERT_TRUE(Korvid.LoadSound(0, "pcm8.wav"));
    std::vector<int16_t> Expected;
    for (size_t n = 0; n < Reference.size(); ++n)
        Expected.insert(Expected.end(), {Reference[n], n + 1 < Reference.size()
                                                           ? (int16_t)((Reference[n] + Reference[n + 1]) / 2)
                                                           : Reference[n]});
    EXPECT_EQ(MixerSamples(0), Expected);
    EXPECT_EQ(Korvid.SoundSlot(0)->Format.nSampleRate, 22050u);
}

TEST_F(WavFromSox, AdpcmMatchesSoxExactlyAndStereoIsMixedDownForTheMixer)
{
    for (uint32_t nChannels : {1, 2}) {
        SCOPED_TRACE(std::to_string(nChannels) + " channel(s)");
        const std::string Name = "adpcm" + std::to_string(nChannels);
        const std::vector<int16_t> Reference =
            Make(Name, "-r 22050 -c " + std::to_string(nChannels) + " -e ms-adpcm", "0.4 sine 440 sine 3000 gain -3");
        const Bytes Image = ReadFileBytes(Name + ".wav");
        KorvidWavFormat Format;
        KorvidAdpcmLayout Adpcm;
        ASSERT_TRUE(ParseWAVImage(Image.data(), (uint32_t)Image.size(), Format, Adpcm));
        Bytes Out(DecodedWAVSize(Format, Adpcm));
        DecodeWAVSamples(Image.data(), Format, Adpcm, Out.data());
        EXPECT_EQ(ToSamples16(Out.data(), Out.size()), Reference);

        ASSERT_TRUE(Korvid.LoadSound(nChannels, (Name + ".wav").c_str()));
        std::vector<int16_t> Mixed(Reference.size() / nChannels);
        for (size_t n = 0; n < Mixed.size(); ++n)
            Mixed[n] = nChannels == 1 ? Reference[n] : (int16_t)((Reference[2 * n] + Reference[2 * n + 1]) / 2);
        EXPECT_EQ(MixerSamples(nChannels), Mixed);
    }
}

}  // namespace
