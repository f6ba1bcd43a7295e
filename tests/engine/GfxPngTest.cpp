// The test support's PNG writer, read back by ImageMagick: what a person sees
// when a test writes a chunky out is the chunky.
#include <cstdio>

#include "GfxTestSupport.h"
#include "support/PngWriter.h"

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

bool HaveImageMagick() { return system("convert -version >/dev/null 2>&1") == 0; }

using GfxPng = GfxTest;

TEST_F(GfxPng, SixteenBitChunkyWithAlphaReadsBackAsItsColours)
{
    if (!HaveImageMagick())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
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
    if (!HaveImageMagick())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    OpenDisplay(64, 48, 8);
    Korvid.SetPaletteEntry(1, 10, 20, 30);
    Korvid.SetPaletteEntry(2, 200, 100, 0);
    MakeChunky<uint8_t>(1, 2, 1, {2, 1});
    ASSERT_TRUE(WriteChunkyPng(1, "indexed.png"));
    EXPECT_EQ(DecodeWithImageMagick("indexed.png"), (std::vector<uint8_t>{200, 100, 0, 255, 10, 20, 30, 255}));
    EXPECT_FALSE(WriteChunkyPng(9, "missing.png"));
}

}  // namespace
