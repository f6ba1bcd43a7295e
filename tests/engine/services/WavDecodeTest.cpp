// Damaged and unusual WAV images: each is refused with its reason, or decoded
// with the fault mended, and never read beyond its end.
#include "support/WavImages.h"

namespace {

using namespace wavtest;

const int16_t STANDARD_COEFFICIENTS[7][2] = {{256, 0},  {512, -256}, {0, 0},     {192, 64},
                                            {240, 0},  {460, -208}, {392, -232}};

// A Microsoft ADPCM image: format chunk with the coefficient table (nStored pairs
// written, nCount announced), then the data chunk.
Bytes AdpcmWav(uint16_t nChannels, uint16_t nBlockAlign, uint16_t nSamplesPerBlock, const Bytes& Data,
               uint16_t nCount = 7, uint16_t nStored = 7)
{
    Bytes Format;
    PutLE16(Format, 2);
    PutLE16(Format, nChannels);
    PutLE32(Format, 22050);
    PutLE32(Format, 11100);
    PutLE16(Format, nBlockAlign);
    PutLE16(Format, 4);
    PutLE16(Format, 4 + 4 * nStored);
    PutLE16(Format, nSamplesPerBlock);
    PutLE16(Format, nCount);
    for (int n = 0; n < nStored; ++n) {
        PutLE16(Format, (uint16_t)STANDARD_COEFFICIENTS[n % 7][0]);
        PutLE16(Format, (uint16_t)STANDARD_COEFFICIENTS[n % 7][1]);
    }
    Bytes Out;
    PutText(Out, "RIFF");
    PutLE32(Out, (uint32_t)(4 + 8 + Format.size() + 8 + Data.size()));
    PutText(Out, "WAVEfmt ");
    PutLE32(Out, (uint32_t)Format.size());
    Out.insert(Out.end(), Format.begin(), Format.end());
    PutText(Out, "data");
    PutLE32(Out, (uint32_t)Data.size());
    Out.insert(Out.end(), Data.begin(), Data.end());
    return Out;
}

// One mono block: predictor index, delta, sample 1, sample 2, then the code bytes.
Bytes MonoBlock(uint8_t nPredictor, int16_t nDelta, int16_t nSample1, int16_t nSample2, const Bytes& Codes)
{
    Bytes Block{nPredictor};
    PutLE16(Block, (uint16_t)nDelta);
    PutLE16(Block, (uint16_t)nSample1);
    PutLE16(Block, (uint16_t)nSample2);
    Block.insert(Block.end(), Codes.begin(), Codes.end());
    return Block;
}

Bytes Pcm16Image() { return PcmWav(1, 22050, 16, Bytes(200, 0x11)); }

void Poke16(Bytes& Image, size_t nAt, uint16_t nValue)
{
    Image[nAt] = (uint8_t)nValue;
    Image[nAt + 1] = (uint8_t)(nValue >> 8);
}

void Poke32(Bytes& Image, size_t nAt, uint32_t nValue)
{
    Poke16(Image, nAt, (uint16_t)nValue);
    Poke16(Image, nAt + 2, (uint16_t)(nValue >> 16));
}

struct Refusal {
    const char* szCase;
    Bytes Image;
    const char* szReason;
};

std::vector<Refusal> Refusals()
{
    Bytes Short = Pcm16Image();
    Short.resize(30);
    Bytes Format3 = Pcm16Image();
    Poke16(Format3, 20, 3);
    Bytes NoChannels = Pcm16Image();
    Poke16(NoChannels, 22, 0);
    Bytes Bits24 = Pcm16Image();
    Poke16(Bits24, 34, 24);
    Bytes LongData = Pcm16Image();
    Poke32(LongData, 40, 10000);
    Bytes LongFormat = Pcm16Image();
    Poke32(LongFormat, 16, 1000);
    Bytes Empty = PcmWav(1, 22050, 16, {});

    // A 4960-byte chunk before the data puts the data chunk at byte 5012.
    Bytes Late = Pcm16Image();
    Bytes Filler;
    PutText(Filler, "LIST");
    PutLE32(Filler, 4960);
    Filler.resize(Filler.size() + 4960, 0);
    Late.insert(Late.begin() + 36, Filler.begin(), Filler.end());

    Bytes Block = MonoBlock(0, 16, 0, 0, Bytes(249, 0x12));
    return {
        {"too short", Short, "ERROR ** WAV Image Too Short (30 Bytes) **"},
        {"format 3", Format3, "ERROR ** WAV Format (3) not supported **"},
        {"no channels", NoChannels, "ERROR ** WAV Has No Channels **"},
        {"24-bit PCM", Bits24, "ERROR ** WAV Bits Per Sample (24) not supported **"},
        {"data past the end", LongData,
         "ERROR ** WAV Data Chunk (10000 Bytes at 44) Runs Past End of Image (244 Bytes) **"},
        {"chunk past the end", LongFormat, "ERROR ** WAV Chunk at 1020 Runs Past End of Image (244 Bytes) **"},
        {"data at 5012", Late, "ERROR ** WAV Data Chunk Not Found in First 4096 Bytes **"},
        {"no samples", Empty, "ERROR ** WAV Holds No Samples **"},
        {"block align 0", AdpcmWav(1, 0, 500, Block), "ERROR ** ADPCM Block Align (0) Too Small for 1 Channel(s) **"},
        {"block align 14 stereo", AdpcmWav(2, 14, 2, Block),
         "ERROR ** ADPCM Block Align (14) Too Small for 2 Channel(s) **"},
        {"no coefficients", AdpcmWav(1, 256, 500, Block, 0, 0), "ERROR ** ADPCM Coefficient Count (0) Out of Range **"},
        {"coefficients past the chunk", AdpcmWav(1, 256, 500, Block, 9, 7),
         "ERROR ** ADPCM Coefficient Count (9) Out of Range **"},
        {"257 coefficients", AdpcmWav(1, 256, 500, Block, 257, 257),
         "ERROR ** ADPCM Coefficient Count (257) Out of Range **"},
        {"block too small for its samples", AdpcmWav(1, 256, 501, Block),
         "ERROR ** ADPCM Samples Per Block (501) Do Not Fit Block Align (256) **"},
        {"one sample per block", AdpcmWav(1, 256, 1, Block),
         "ERROR ** ADPCM Samples Per Block (1) Do Not Fit Block Align (256) **"},
    };
}

class WavDecode : public AudioFixture {};

TEST_F(WavDecode, DamagedImagesAreRefusedWithTheirReasonAndReleased)
{
    uint32_t nBlocksBefore = Korvid.MemoryCounters().nUserBlocks;
    for (const Refusal& Case : Refusals()) {
        EXPECT_FALSE(DecodeOwned(5, Case.Image)) << Case.szCase;
        EXPECT_FALSE(Korvid.IsSoundLoaded(5)) << Case.szCase;
        EXPECT_EQ(Korvid.MemoryCounters().nUserBlocks, nBlocksBefore) << Case.szCase << ": the image is released";
        std::vector<std::string> Log = LogMessages();
        ASSERT_GE(Log.size(), 2u);
        EXPECT_EQ(Log[Log.size() - 2], Case.szReason) << Case.szCase;
        EXPECT_EQ(Log.back(), "Decode Failed") << Case.szCase;
    }
}

TEST_F(WavDecode, ACallersImageIsNeitherKeptNorReleased)
{
    Bytes Image = Pcm16Image();
    Bytes Copy = Image;
    ASSERT_TRUE(Korvid.DecodeWAV(6, Image.data(), (uint32_t)Image.size(), false));
    EXPECT_EQ(Image, Copy);
    Image.assign(Image.size(), 0);   // the slot plays from its own image
    EXPECT_EQ(MixerSamples(6), std::vector<int16_t>(100, 0x1111));
    EXPECT_EQ(IndexOf(LogMessages(), "ERROR: ** FreeMemory(0) - Address NULL **"), -1);
}

TEST_F(WavDecode, OutOfRangeIdsAreRefusedAndOwnedImagesReleased)
{
    uint32_t nBlocksBefore = Korvid.MemoryCounters().nUserBlocks;
    EXPECT_FALSE(DecodeOwned(200, Pcm16Image()));
    EXPECT_EQ(Korvid.MemoryCounters().nUserBlocks, nBlocksBefore);
    EXPECT_EQ(LogMessages().back(), "DecodeWAV(200) - Sound ID Out of Range");
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

TEST_F(WavDecode, AdpcmPredictorIndexBeyondTheTableCountsAsZero)
{
    Bytes Codes{0x12, 0x9F, 0x70, 0x01, 0xE3, 0x44};
    std::vector<int16_t> WithZero = DecodeAlone(AdpcmWav(1, 13, 14, MonoBlock(0, 40, 300, 200, Codes)));
    ASSERT_EQ(WithZero.size(), 14u);
    std::vector<int16_t> WithNine = DecodeAlone(AdpcmWav(1, 13, 14, MonoBlock(9, 40, 300, 200, Codes)));
    EXPECT_EQ(WithNine, WithZero);
    EXPECT_EQ(LogMessages().back(), "WARNING: ** ADPCM Predictor Index 9 Out of Range (7 Coefficients) - Using 0 **");
    // Predictor 0 is (256, 0): each sample is the previous one plus code x delta.
    EXPECT_EQ(std::vector<int16_t>(WithZero.begin(), WithZero.begin() + 4), (std::vector<int16_t>{200, 300, 340, 410}));
}

TEST_F(WavDecode, AdpcmStepSizeIsHeldInsteadOfOverflowing)
{
    // Code 7 triples the step every sample: far past 32 bits within one block.
    std::vector<int16_t> Samples = DecodeAlone(AdpcmWav(1, 256, 500, MonoBlock(0, 32767, 0, 0, Bytes(249, 0x77))));
    ASSERT_EQ(Samples.size(), 500u);
    for (size_t n = 2; n < Samples.size(); ++n)
        ASSERT_EQ(Samples[n], 32767) << "sample " << n;
    EXPECT_EQ(LogMessages().back(), "WARNING: ** ADPCM Step Size Overflow - Held at 2796202 **");
}

TEST_F(WavDecode, AdpcmPartialLastBlockDecodesItsRealLength)
{
    // Two full blocks of 14 samples and 9 bytes more: 7 header bytes and 2 code
    // bytes, so 2 + 4 samples.
    Bytes Data = MonoBlock(1, 20, 10, 5, {0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
    Bytes Second = MonoBlock(2, 30, -10, -5, {0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC});
    Bytes Partial = MonoBlock(3, 50, 1000, 900, {0xF1, 0x2E});
    Data.insert(Data.end(), Second.begin(), Second.end());
    Data.insert(Data.end(), Partial.begin(), Partial.end());
    std::vector<int16_t> Samples = DecodeAlone(AdpcmWav(1, 13, 14, Data));
    ASSERT_EQ(Samples.size(), 14u + 14u + 6u);
    std::vector<int16_t> PartialAlone = DecodeAlone(AdpcmWav(1, 13, 14, Partial));
    EXPECT_EQ(std::vector<int16_t>(Samples.end() - 6, Samples.end()), PartialAlone);
    EXPECT_EQ(PartialAlone[0], 900);
    EXPECT_EQ(PartialAlone[1], 1000);
}

TEST_F(WavDecode, TracedHeaderDetailsNameTheIdentifiers)
{
    Korvid.SetTraceMask(KOR_TRACE_VERBOSE);
    ASSERT_TRUE(DecodeOwned(2, PcmWav(1, 22050, 16, Bytes(88200, 0))));
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"DecodeWAV(2)", "Wave details: 16,1,(22050,44100) 88200 (0x46464952:0x45564157:0x61746164)",
                        "EncodeWAV(2)", "EncodedWAV: 22050, 44100, 2"}));
}

}  // namespace
