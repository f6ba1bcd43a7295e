// The mixer-ready image each loaded sound plays from, and the play time it gets.
#include "support/WavImages.h"

namespace {

using namespace wavtest;

class WavEncode : public AudioFixture {};

TEST_F(WavEncode, EightBit11025BecomesA22050SixteenBitImage)
{
    Bytes Data(1000);
    for (size_t n = 0; n < Data.size(); ++n)
        Data[n] = (uint8_t)(n * 7);
    ASSERT_TRUE(DecodeOwned(0, PcmWav(1, 11025, 8, Data)));
    const KorvidSoundSlot* pSlot = Korvid.SoundSlot(0);
    ASSERT_NE(pSlot->pWavImage, nullptr);
    EXPECT_EQ(Korvid.MemorySize(pSlot->pWavImage), 44u + 4000u);
    Bytes Header = PcmWav(1, 22050, 16, Bytes(4000, 0));
    EXPECT_EQ(Bytes(pSlot->pWavImage, pSlot->pWavImage + 44), Bytes(Header.begin(), Header.begin() + 44));

    std::vector<int16_t> Samples = MixerSamples(0);
    ASSERT_EQ(Samples.size(), 2000u);
    EXPECT_EQ(Samples[0], (0 - 128) * 256);
    EXPECT_EQ(Samples[2], (7 - 128) * 256);
    EXPECT_EQ(Samples[1], ((0 - 128) * 256 + (7 - 128) * 256) / 2);
    EXPECT_EQ(Samples[1999], Samples[1998]) << "the last odd sample repeats the one before";
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Upsample to 22050hz!", "EncodedWAV: 22050, 11025, 1"}));
}

TEST_F(WavEncode, InBetweenSamplesAreTruncatedTowardZero)
{
    ASSERT_TRUE(DecodeOwned(1, PcmWav(1, 11025, 16, Samples16({-3, 0, 5, 8, -32768, -32767}))));
    EXPECT_EQ(MixerSamples(1),
              (std::vector<int16_t>{-3, -1, 0, 2, 5, 6, 8, -16380, -32768, -32767, -32767, -32767}));
}

TEST_F(WavEncode, SeveralChannelsAreMixedDownToOne)
{
    ASSERT_TRUE(DecodeOwned(2, PcmWav(2, 22050, 16, Samples16({100, -101, 7, 8, -32768, -32768}))));
    EXPECT_EQ(MixerSamples(2), (std::vector<int16_t>{0, 7, -32768}));
    ASSERT_TRUE(DecodeOwned(3, PcmWav(2, 22050, 8, {0, 255, 128, 130})));
    EXPECT_EQ(MixerSamples(3), (std::vector<int16_t>{(-32768 + 32512) / 2, 256}));
}

TEST_F(WavEncode, PlayTimesAreWholeSeconds)
{
    struct Case {
        uint16_t nChannels;
        uint32_t nRate;
        uint16_t nBits;
        uint32_t nBytes;
        uint32_t nPlayTime;
    };
    const Case Cases[] = {
        {1, 22050, 16, 66150, 1000},   // 1.5 s
        {1, 22050, 16, 119070, 2000},  // 2.7 s
        {1, 22050, 16, 44100, 1000},   // exactly 1 s
        {1, 11025, 8, 1000, 0},        // under a second
        {2, 22050, 16, 264600, 3000},  // stereo counts both channels
        {1, 11025, 8, 33075, 3000},
    };
    for (const Case& C : Cases) {
        ASSERT_TRUE(DecodeOwned(4, PcmWav(C.nChannels, C.nRate, C.nBits, Bytes(C.nBytes, 0x80))));
        EXPECT_EQ(Korvid.GetSoundPlayTime(4), C.nPlayTime) << C.nBytes << " bytes at " << C.nRate;
    }
}

TEST_F(WavEncode, EmptySlotsHaveNoPlayTimeAndNothingToEncode)
{
    Korvid.UpdateSoundPlayTime(7);
    EXPECT_EQ(Korvid.EncodeWAV(7), nullptr);
    EXPECT_EQ(Korvid.EncodeWAV(200), nullptr);
    EXPECT_FALSE(Korvid.UploadSound(7));
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(),
        {"ERROR: UpdateSoundPlayTime(7) - Can't Calculate Playtime of Empty Sample (DataSize=0)",
         "ERROR: ** EncodeWAV(7) - Missing Sample Data 0, Length 0 **",
         "ERROR: ** EncodeWAV(200) - Not a valid sound id **",
         "ERROR: ** EncodeWAV(7) - Missing Sample Data 0, Length 0 **", "ERROR: ** Can't Re-Encode WAV **",
         "ERROR: Can't Upload Audio"}));
}

TEST_F(WavEncode, UploadingAgainKeepsALoadedSoundPlayable)
{
    ASSERT_TRUE(DecodeOwned(5, PcmWav(1, 22050, 16, Bytes(44100, 1))));
    EXPECT_FALSE(Korvid.UploadSound(5)) << "its samples went to the mixer already";
    EXPECT_TRUE(Korvid.IsSoundLoaded(5));
    EXPECT_TRUE(Korvid.PlaySound(5, 0, 100));
}

}  // namespace
