// Chunkies to PNG and back, checked against ImageMagick: what a person sees when a
// test writes a chunky out is the chunky, and a picture from any editor comes in whole.
#include <cstdio>

#include "GfxTestSupport.h"
#include "services/ChunkyPng.h"

namespace {

// The picture as raw RGBA bytes decoded by ImageMagick, or empty when it is not installed.
std::vector<uint8_t> DecodeWithImageMagick(const std::string& Path)
{
    std::vector<uint8_t> Bytes;
    std::string Command = "convert '" + Path + "' -depth 8 rgba:- 2>/dev/null";
    FILE* pPipe = popen(Command.c_str(), "r");
    if (!pPipe)
        return Bytes;
    uint8_t Buffer[4096];
    for (size_t nRead; (nRead = fread(Buffer, 1, sizeof(Buffer), pPipe)) > 0;)
        Bytes.insert(Bytes.end(), Buffer, Buffer + nRead);
    pclose(pPipe);
    return Bytes;
}

using GfxPng = GfxTest;

TEST_F(GfxPng, SixteenBitChunkyWithAlphaReadsBackAsItsColours)
{
    OpenDisplay(64, 48, 16);
    MakeChunky<uint16_t>(1, 3, 2, {0xFFFF, 0xF800, 0x07E0, 0x001F, 0x0000, KorvidConvert::Pack565(0x12, 0x34, 0x56)});
    ChunkyObject& Chunky = *Korvid.ChunkyRecord(1);
    ASSERT_EQ(Korvid.CreateAlphaMask(Chunky), 1);
    for (int n = 0; n < 6; ++n)
        Chunky.pAlpha[n] = (uint8_t)(n * 50);
    ASSERT_TRUE(WriteChunkyPng(1, "sixteen.png"));
    const std::vector<uint8_t> Expected = {248, 252, 248, 0,   248, 0, 0, 50,   0,    252,  0,    100,
                                           0,   0,   248, 150, 0,   0, 0, 200, 0x10, 0x34, 0x50, 250};
    EXPECT_EQ(DecodeWithImageMagick("sixteen.png"), Expected);
}

TEST_F(GfxPng, IndexedChunkyReadsBackThroughThePalette)
{
    OpenDisplay(64, 48, 8);
    Korvid.SetPaletteEntry(1, 10, 20, 30);
    Korvid.SetPaletteEntry(2, 200, 100, 0);
    MakeChunky<uint8_t>(1, 2, 1, {2, 1});
    ASSERT_TRUE(WriteChunkyPng(1, "indexed.png"));
    EXPECT_EQ(DecodeWithImageMagick("indexed.png"), (std::vector<uint8_t>{200, 100, 0, 255, 10, 20, 30, 255}));
    EXPECT_FALSE(WriteChunkyPng(9, "missing.png"));
}

TEST_F(GfxPng, APictureFromImageMagickComesInWithItsTransparency)
{
    OpenDisplay(64, 48, 16);
    // Two opaque pixels, one half transparent, one fully transparent.
    ASSERT_EQ(system("convert -size 2x2 xc:none -fill 'rgba(248,0,0,1)' -draw 'point 0,0' "
                     "-fill 'rgba(0,252,0,1)' -draw 'point 1,0' -fill 'rgba(0,0,248,0.5)' -draw 'point 0,1' "
                     "PNG32:in.png"),
              0);
    ASSERT_TRUE(ReadChunkyPng(1, "in.png"));
    const ChunkyObject& Chunky = *Korvid.ExistingChunky(1);
    ASSERT_EQ(Chunky.nWidth, 2);
    ASSERT_EQ(Chunky.nHeight, 2);
    EXPECT_EQ(Chunky.Pixels16()[0], 0xF800);
    EXPECT_EQ(Chunky.Pixels16()[1], 0x07E0);
    EXPECT_EQ(Chunky.Pixels16()[2], 0x001F);
    ASSERT_NE(Chunky.pAlpha, nullptr);
    EXPECT_EQ(Chunky.pAlpha[0], 255);
    EXPECT_NEAR(Chunky.pAlpha[2], 128, 1);
    EXPECT_EQ(Chunky.pAlpha[3], 0);
}

TEST_F(GfxPng, WrittenAndReadBackASixteenBitChunkyIsUnchanged)
{
    OpenDisplay(64, 48, 16);
    std::vector<uint16_t> Pixels;
    for (int n = 0; n < 12; ++n)
        Pixels.push_back((uint16_t)(n * 5437 + 11));
    MakeChunky<uint16_t>(1, 4, 3, Pixels);
    ASSERT_TRUE(WriteChunkyPng(1, "round.png"));
    ASSERT_TRUE(ReadChunkyPng(2, "round.png"));
    const ChunkyObject& Back = *Korvid.ExistingChunky(2);
    EXPECT_EQ(std::vector<uint16_t>(Back.Pixels16(), Back.Pixels16() + 12), Pixels);
    EXPECT_EQ(Back.pAlpha, nullptr);   // an opaque picture needs no mask
}

TEST_F(GfxPng, ADamagedPictureIsRefusedWithALogLine)
{
    OpenDisplay(64, 48, 16);
    ASSERT_EQ(system("convert -size 8x8 xc:red PNG24:whole.png && head -c 60 whole.png > cut.png"), 0);
    EXPECT_FALSE(ReadChunkyPng(1, "cut.png"));
    EXPECT_FALSE(ReadChunkyPng(1, "absent.png"));
    EXPECT_FALSE(Korvid.ChunkyExists(1));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** ReadChunkyPng('cut.png') - Not a readable PNG picture **",
                                                "ERROR: ** ReadChunkyPng('absent.png') - Can't Open File **"}));
}

}  // namespace
