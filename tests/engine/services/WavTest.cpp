// WAV images: damaged and unusual ones refused with their reason or decoded with
// the fault mended, never read beyond their end; the mixer-ready image each
// loaded sound plays from, with the play time it gets; and files made by sox.
#include "ServiceTest.h"
#include "support/WavImages.h"

namespace {

using namespace wavtest;

// A Microsoft ADPCM image: format chunk with the standard coefficient table
// (nStored pairs written, nCount announced), then the data chunk.
Bytes AdpcmWav(uint16_t nChannels, uint16_t nBlockAlign, uint16_t nSamplesPerBlock, const Bytes& Data,
               uint16_t nCount = 7, uint16_t nStored = 7)
{
    const int16_t Coefficients[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
    Bytes Format;
    // Format 2, the channels, 22050 Hz, 11100 bytes a second (both 32-bit), the block
    // align, 4 bits, the extra size, the samples per block and the coefficient count.
    for (int nField : {2, (int)nChannels, 22050, 0, 11100, 0, (int)nBlockAlign, 4, 4 + 4 * nStored,
                       (int)nSamplesPerBlock, (int)nCount})
        Append(Format, LE({{(uint16_t)nField, 2}}));
    for (int n = 0; n < nStored; ++n)
        Append(Format, LE({{(uint16_t)Coefficients[n % 7][0], 2}, {(uint16_t)Coefficients[n % 7][1], 2}}));
    Bytes Out = {'R', 'I', 'F', 'F'};
    Append(Out, LE({{4 + 8 + Format.size() + 8 + Data.size(), 4}}));
    AppendText(Out, "WAVEfmt ");
    Append(Out, LE({{Format.size(), 4}}));
    Append(Out, Format);
    AppendText(Out, "data");
    Append(Out, LE({{Data.size(), 4}}));
    Append(Out, Data);
    return Out;
}

// One mono block: predictor index, delta, sample 1, sample 2, then the code bytes.
Bytes MonoBlock(uint8_t nPredictor, int16_t nDelta, int16_t nSample1, int16_t nSample2, const Bytes& Codes)
{
    Bytes Block = {nPredictor};
    Append(Block, LE({{(uint16_t)nDelta, 2}, {(uint16_t)nSample1, 2}, {(uint16_t)nSample2, 2}}));
    Append(Block, Codes);
    return Block;
}

Bytes Pcm16Image() { return PcmWav(1, 22050, 16, Bytes(200, 0x11)); }

// A 16-bit PCM image with one little-endian field changed.
Bytes Pcm16With(size_t nAt, uint32_t nValue, int nBytes = 2)
{
    Bytes Image = Pcm16Image();
    for (int n = 0; n < nBytes; ++n)
        Image[nAt + n] = (uint8_t)(nValue >> 8 * n);
    return Image;
}

// Decodes an image without the mixer and returns its samples.
std::vector<int16_t> DecodeAlone(const Bytes& Image)
{
    KorvidWavFormat Format;
    KorvidAdpcmLayout Adpcm;
    if (!ParseWAVImage(Image.data(), (uint32_t)Image.size(), Format, Adpcm))
        return {};
    Bytes Out(DecodedWAVSize(Format, Adpcm));
    DecodeWAVSamples(Image.data(), Format, Adpcm, Out.data());
    return ToSamples16(Out.data(), Out.size());
}

using WavDecode = AudioFixture;

TEST_F(WavDecode, DamagedImagesAreRefusedWithTheirReasonAndReleased)
{
    // A 4960-byte chunk before the data puts the data chunk at byte 5012.
    Bytes Late = Pcm16Image(), Filler = Concat({{'L', 'I', 'S', 'T'}, LE({{4960, 4}})});
    Filler.resize(Filler.size() + 4960, 0);
    Late.insert(Late.begin() + 36, Filler.begin(), Filler.end());
    const Bytes Block = MonoBlock(0, 16, 0, 0, Bytes(249, 0x12));
    const std::pair<Bytes, const char*> Cases[] = {
        {Prefix(Pcm16Image(), 30), "WAV Image Too Short (30 Bytes)"},
        {Pcm16With(20, 3), "WAV Format (3) not supported"},
        {Pcm16With(22, 0), "WAV Has No Channels"},
        {Pcm16With(34, 24), "WAV Bits Per Sample (24) not supported"},
        {Pcm16With(40, 10000, 4), "WAV Data Chunk (10000 Bytes at 44) Runs Past End of Image (244 Bytes)"},
        {Pcm16With(16, 1000, 4), "WAV Chunk at 1020 Runs Past End of Image (244 Bytes)"},
        {Late, "WAV Data Chunk Not Found in First 4096 Bytes"},
        {PcmWav(1, 22050, 16, {}), "WAV Holds No Samples"},
        {AdpcmWav(1, 0, 500, Block), "ADPCM Block Align (0) Too Small for 1 Channel(s)"},
        {AdpcmWav(2, 14, 2, Block), "ADPCM Block Align (14) Too Small for 2 Channel(s)"},
        {AdpcmWav(1, 256, 500, Block, 0, 0), "ADPCM Coefficient Count (0) Out of Range"},
        {AdpcmWav(1, 256, 500, Block, 9, 7), "ADPCM Coefficient Count (9) Out of Range"},   // past the chunk
        {AdpcmWav(1, 256, 500, Block, 257, 257), "ADPCM Coefficient Count (257) Out of Range"},
        {AdpcmWav(1, 256, 501, Block), "ADPCM Samples Per Block (501) Do Not Fit Block Align (256)"},
        {AdpcmWav(1, 256, 1, Block), "ADPCM Samples Per Block (1) Do Not Fit Block Align (256)"},
    };
    uint32_t nBlocksBefore = Korvid.MemoryCounters().nUserBlocks;
    for (const auto& [Image, szReason] : Cases) {
        SCOPED_TRACE(szReason);
        EXPECT_FALSE(DecodeOwned(5, Image));
        EXPECT_FALSE(Korvid.IsSoundLoaded(5));
        EXPECT_EQ(Korvid.MemoryCounters().nUserBlocks, nBlocksBefore) << "the image is released";
        std::vector<std::string> Log = LogMessages();
        EXPECT_EQ(std::vector<std::string>(Log.end() - 2, Log.end()),
                  (std::vector<std::string>{"ERROR ** " + std::string(szReason) + " **", "Decode Failed"}));
    }
    EXPECT_FALSE(DecodeOwned(200, Pcm16Image()));
    EXPECT_EQ(Korvid.MemoryCounters().nUserBlocks, nBlocksBefore);
    EXPECT_EQ(LogMessages().back(), "DecodeWAV(200) - Sound ID Out of Range");
}

TEST_F(WavDecode, ACallersImageIsNeitherKeptNorReleased)
{
    Bytes Image = Pcm16Image();
    const Bytes Copy = Image;
    ASSERT_TRUE(Korvid.DecodeWAV(6, Image.data(), (uint32_t)Image.size(), false));
    EXPECT_EQ(Image, Copy);
    Image.assign(Image.size(), 0);   // the slot plays from its own image
    EXPECT_EQ(MixerSamples(6), std::vector<int16_t>(100, 0x1111));
    EXPECT_FALSE(LogHas("ERROR: ** FreeMemory(0) - Address NULL **"));
}

TEST_F(WavDecode, AdpcmFaultsAreMended)
{
    // A predictor index beyond the table counts as 0, whose (256, 0) makes each
    // sample the previous one plus code x delta.
    const Bytes Codes = {0x12, 0x9F, 0x70, 0x01, 0xE3, 0x44};
    std::vector<int16_t> WithZero = DecodeAlone(AdpcmWav(1, 13, 14, MonoBlock(0, 40, 300, 200, Codes)));
    ASSERT_EQ(WithZero.size(), 14u);
    EXPECT_EQ(DecodeAlone(AdpcmWav(1, 13, 14, MonoBlock(9, 40, 300, 200, Codes))), WithZero);
    EXPECT_EQ(LogMessages().back(), "WARNING: ** ADPCM Predictor Index 9 Out of Range (7 Coefficients) - Using 0 **");
    EXPECT_EQ(Prefix(WithZero, 4), (std::vector<int16_t>{200, 300, 340, 410}));

    // Code 7 triples the step every sample: far past 32 bits within one block.
    std::vector<int16_t> Held = DecodeAlone(AdpcmWav(1, 256, 500, MonoBlock(0, 32767, 0, 0, Bytes(249, 0x77))));
    ASSERT_EQ(Held.size(), 500u);
    EXPECT_EQ(std::vector<int16_t>(Held.begin() + 2, Held.end()), std::vector<int16_t>(498, 32767));
    EXPECT_EQ(LogMessages().back(), "WARNING: ** ADPCM Step Size Overflow - Held at 2796202 **");

    // Two full blocks of 14 samples and 9 bytes more: 7 header bytes and 2 code
    // bytes, so 2 + 4 samples.
    Bytes Data = MonoBlock(1, 20, 10, 5, {0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
    const Bytes Second = MonoBlock(2, 30, -10, -5, {0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC});
    const Bytes Partial = MonoBlock(3, 50, 1000, 900, {0xF1, 0x2E});
    Data.insert(Data.end(), Second.begin(), Second.end());
    Data.insert(Data.end(), Partial.begin(), Partial.end());
    std::vector<int16_t> Samples = DecodeAlone(AdpcmWav(1, 13, 14, Data));
    ASSERT_EQ(Samples.size(), 14u + 14u + 6u);
    std::vector<int16_t> PartialAlone = DecodeAlone(AdpcmWav(1, 13, 14, Partial));
    EXPECT_EQ(std::vector<int16_t>(Samples.end() - 6, Samples.end()), PartialAlone);
    EXPECT_EQ(Prefix(PartialAlone, 2), (std::vector<int16_t>{900, 1000}));
}

using WavEncode = AudioFixture;

TEST_F(WavEncode, EightBit11025BecomesA22050SixteenBitImageAndChannelsAreMixedDown)
{
    Korvid.SetTraceMask(KOR_TRACE_VERBOSE);
    ASSERT_TRUE(DecodeOwned(0, PcmWav(1, 11025, 8, Bytes(1000, 0x80))));   // samples: see WavFromSox
    const KorvidSoundSlot* pSlot = Korvid.SoundSlot(0);
    ASSERT_NE(pSlot->pWavImage, nullptr);
    EXPECT_EQ(Korvid.MemorySize(pSlot->pWavImage), 44u + 4000u);
    EXPECT_EQ(Bytes(pSlot->pWavImage, pSlot->pWavImage + 44), Prefix(PcmWav(1, 22050, 16, Bytes(4000, 0)), 44));
    EXPECT_TRUE(LogHas("Wave details: 8,1,(11025,11025) 1000 (0x46464952:0x45564157:0x61746164)"));
    ASSERT_TRUE(DecodeOwned(1, PcmWav(1, 11025, 16, Samples16({-3, 0, 5, 8, -32768, -32767}))));
    EXPECT_EQ(MixerSamples(1),
              (std::vector<int16_t>{-3, -1, 0, 2, 5, 6, 8, -16380, -32768, -32767, -32767, -32767}));
    ASSERT_TRUE(DecodeOwned(2, PcmWav(2, 22050, 16, Samples16({100, -101, 7, 8, -32768, -32768}))));
    EXPECT_EQ(MixerSamples(2), (std::vector<int16_t>{0, 7, -32768}));
    ASSERT_TRUE(DecodeOwned(3, PcmWav(2, 22050, 8, {0, 255, 128, 130})));
    EXPECT_EQ(MixerSamples(3), (std::vector<int16_t>{(-32768 + 32512) / 2, 256}));
}

TEST_F(WavEncode, PlayTimesAreWholeSeconds)
{
    const struct {
        uint16_t nChannels;
        uint32_t nRate;
        uint16_t nBits;
        uint32_t nBytes;
        uint32_t nPlayTime;
    } Cases[] = {
        {1, 22050, 16, 66150, 1000},  {1, 22050, 16, 119070, 2000}, {1, 22050, 16, 44100, 1000},
        {1, 11025, 8, 1000, 0},       {2, 22050, 16, 264600, 3000}, {1, 11025, 8, 33075, 3000},
    };
    for (const auto& Case : Cases) {
        ASSERT_TRUE(DecodeOwned(4, PcmWav(Case.nChannels, Case.nRate, Case.nBits, Bytes(Case.nBytes, 0x80))));
        EXPECT_EQ(Korvid.GetSoundPlayTime(4), Case.nPlayTime) << Case.nBytes << " bytes at " << Case.nRate;
    }
}

TEST_F(WavEncode, EmptySlotsHaveNothingToEncodeAndLoadedOnesNothingToUploadAgain)
{
    Korvid.UpdateSoundPlayTime(7);
    EXPECT_EQ(Korvid.EncodeWAV(7), nullptr);
    EXPECT_EQ(Korvid.EncodeWAV(200), nullptr);
    EXPECT_FALSE(Korvid.UploadSound(7));
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(),
        {"ERROR: UpdateSoundPlayTime(7) - Can't Calculate Playtime of Empty Sample (DataSize=0)",
         "ERROR: ** EncodeWAV(7) - Missing Sample Data 0, Length 0 **",
         "ERROR: ** EncodeWAV(200) - Not a valid sound id **", "ERROR: ** Can't Re-Encode WAV **",
         "ERROR: Can't Upload Audio"}));

    ASSERT_TRUE(DecodeOwned(5, PcmWav(1, 22050, 16, Bytes(44100, 1))));
    EXPECT_FALSE(Korvid.UploadSound(5)) << "its samples went to the mixer already";
    EXPECT_TRUE(Korvid.IsSoundLoaded(5));
    EXPECT_TRUE(Korvid.PlaySound(5, 0, 100));
}

// ---- Against sox: files it makes decode to the samples it decodes itself -----------

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
}

TEST_F(WavFromSox, EightBit11025IsWidenedAndDoubled)
{
    const std::vector<int16_t> Reference = Make("pcm8", "-r 11025 -c 1 -b 8 -e unsigned", "0.3 sine 300");
    ASSERT_TRUE(Korvid.LoadSound(0, "pcm8.wav"));
    std::vector<int16_t> Expected;
    for (size_t n = 0; n < Reference.size(); ++n)   // the last odd sample repeats the one before
        Expected.insert(Expected.end(), {Reference[n], n + 1 < Reference.size()
                                                           ? (int16_t)((Reference[n] + Reference[n + 1]) / 2)
                                                           : Reference[n]});
    EXPECT_EQ(MixerSamples(0), Expected);
    EXPECT_EQ(Korvid.SoundSlot(0)->Format.nSampleRate, 22050u);
}

TEST_F(WavFromSox, AdpcmMatchesSoxExactlyAndStereoIsMixedDownForTheMixer)
{
    for (uint32_t nChannels : {1, 2}) {
        const std::string Name = "adpcm" + std::to_string(nChannels);
        const std::vector<int16_t> Reference =
            Make(Name, "-r 22050 -c " + std::to_string(nChannels) + " -e ms-adpcm", "0.4 sine 440 sine 3000 gain -3");
        EXPECT_EQ(DecodeAlone(ReadFileBytes(Name + ".wav")), Reference) << Name;
        ASSERT_TRUE(Korvid.LoadSound(nChannels, (Name + ".wav").c_str()));
        std::vector<int16_t> Mixed(Reference.size() / nChannels);
        for (size_t n = 0; n < Mixed.size(); ++n)
            Mixed[n] = nChannels == 1 ? Reference[n] : (int16_t)((Reference[2 * n] + Reference[2 * n + 1]) / 2);
        EXPECT_EQ(MixerSamples(nChannels), Mixed) << Name;
    }
}

}  // namespace
