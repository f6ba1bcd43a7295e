// Pictures ImageMagick makes load pixel-exact, and the BMP, TGA and PNG files the
// engine writes read back in ImageMagick with the same pixels.
#include <cstdio>
#include <random>

#include "GfxTestSupport.h"
#include "services/ChunkyPng.h"

namespace {

// nColours distinct colours (their reds differ), none black (the cookie), and a w x h
// picture drawn from them in a seeded order, top row first, as red, green, blue bytes.
struct Picture {
    Picture(int w, int h, int nColours, uint32_t nSeed)
    {
        for (int k = 0; k < nColours; ++k)
            Palette.push_back({(uint8_t)(1 + k * 37 % 255), (uint8_t)(1 + k * 91 % 253), (uint8_t)(1 + k * 53 % 251)});
        std::mt19937 Generator(nSeed);
        for (int n = 0; n < w * h; ++n) {
            Indices.push_back((uint8_t)(Generator() % nColours));
            Pixels.insert(Pixels.end(), Palette[Indices.back()].begin(), Palette[Indices.back()].end());
        }
    }
    std::vector<Rgb> Palette;
    Bytes Indices, Pixels;
};

// The picture decoded by ImageMagick as bytes of the map ("rgb" or "rgba"), turned the
// way the file's orientation says (ImageMagick otherwise keeps the file's row order).
Bytes ImageMagickBytes(const std::string& Path, const std::string& Map = "rgb")
{
    Bytes Out;
    FILE* pPipe = popen(("convert '" + Path + "' -auto-orient -depth 8 " + Map + ":- 2>/dev/null").c_str(), "r");
    if (!pPipe)
        return Out;
    uint8_t Buffer[4096];
    for (size_t nRead; (nRead = fread(Buffer, 1, sizeof(Buffer), pPipe)) > 0;)
        Out.insert(Out.end(), Buffer, Buffer + nRead);
    pclose(pPipe);
    return Out;
}

// What a chunky holds, as red, green, blue bytes: 8-bit through the palette, 16-bit unpacked, 24-bit as stored.
Bytes ChunkyColours(uint32_t nChunky)
{
    Bytes Out;
    const ChunkyObject& Chunky = *Korvid.ExistingChunky(nChunky);
    for (const uint8_t* q = Chunky.pPixels; q < Chunky.pPixels + Chunky.nSize; q += Chunky.nBytesPerPixel) {
        Rgb Colour = PaletteColour(*q);
        if (Chunky.nBytesPerPixel == 2) {
            const KorvidRGB c = Korvid.Unpack((uint16_t)(q[0] | q[1] << 8));
            Colour = {c.r, c.g, c.b};
        } else if (Chunky.nBytesPerPixel == 3) {
            Colour = {q[0], q[1], q[2]};
        }
        Out.insert(Out.end(), Colour.begin(), Colour.end());
    }
    return Out;
}

class ImagePeer : public GfxTest {
protected:
    ImagePeer() : GfxTest(64, 48) {}
};

TEST_F(ImagePeer, PicturesMadeByImageMagickLoadPixelExact)
{
    // Odd widths give BMPs padded rows. ImageMagick writes a TGA's rows in the order it
    // holds them and marks the file bottom-left: flipped first, the file is a true
    // bottom-up TGA of the pattern.
    const std::tuple<const char*, const char*, int, int, int, uint8_t, uint8_t> Cases[] = {
        {"BMP3:p24.bmp", "-type truecolor -compress none", 13, 5, 200, KOR_LOAD_DEPTH24, 24},
        {"BMP3:p8.bmp", "-type palette -compress none", 11, 5, 40, KOR_LOAD_PALETTE, 8},
        {"p24.tga", "-flip -type truecolor -compress none", 9, 7, 200, KOR_LOAD_DEPTH24, 24},
        {"p8.tga", "-flip -type palette -compress none", 9, 7, 40, KOR_LOAD_PALETTE, 8},
        {"p32.tga", "-flip -alpha on -channel A -evaluate set 50% +channel -compress none", 9, 7, 200,
         KOR_LOAD_DEPTH24, 24},
        {"p8.pcx", "-type palette", 7, 6, 40, KOR_LOAD_PALETTE, 8},
    };
    for (const auto& [szOutput, szOptions, w, h, nColours, nFlags, nDepth] : Cases) {
        const std::string Name = strchr(szOutput, ':') ? strchr(szOutput, ':') + 1 : szOutput;
        SCOPED_TRACE(Name);
        const Picture P(w, h, nColours, 23);
        Bytes Ppm;
        Text(Ppm, ("P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n").c_str());
        WriteFileBytes("source.ppm", Concat({Ppm, P.Pixels}));
        ASSERT_EQ(system(("convert source.ppm " + std::string(szOptions) + " " + szOutput).c_str()), 0);
        for (uint32_t n = 0; n < 256; ++n)
            Korvid.SetPaletteEntry(n, 0, 0, 0);
        ASSERT_EQ(Korvid.LoadChunky(1, Name.c_str(), nFlags), 1);
        EXPECT_EQ(Shape(1), (std::array<int, 4>{w, h, 0, 0}));
        EXPECT_EQ(Korvid.ChunkyDepth(1), nDepth);
        EXPECT_EQ(ChunkyColours(1), P.Pixels);
    }
    // At the file's depth a 32-bit TGA keeps its blue, green, red and alpha bytes.
    ASSERT_EQ(Korvid.LoadChunky(1, "p32.tga", KOR_LOAD_FILEDEPTH), 1);
    ASSERT_EQ(Korvid.ChunkyDepth(1), 32);
    const Bytes Pixels = Picture(9, 7, 200, 23).Pixels;
    const uint8_t* p = Korvid.ChunkyBuffer(1);
    for (size_t n = 0; n < Pixels.size() / 3; ++n) {
        EXPECT_EQ((Bytes{p[n * 4 + 2], p[n * 4 + 1], p[n * 4]}), Bytes(&Pixels[n * 3], &Pixels[n * 3 + 3])) << n;
        EXPECT_NEAR(p[n * 4 + 3], 128, 1) << n;
    }
}

// Odd widths make the writers pad their BMP rows; a 16-bit TGA holds RGB555, bottom row first.
TEST_F(ImagePeer, WrittenBmpAndTgaFilesReadBackInImageMagickAndTheEngine)
{
    const Picture P(7, 5, 30, 43);
    for (size_t n = 0; n < P.Palette.size(); ++n)
        Korvid.SetPaletteEntry((uint32_t)n + 1, P.Palette[n][0], P.Palette[n][1], P.Palette[n][2]);
    Bytes Eight;
    for (uint8_t nIndex : P.Indices)
        Eight.push_back(nIndex + 1);
    for (uint8_t nDepth : {8, 24}) {
        ASSERT_EQ(Korvid.InitChunky(1, 7, 5, nDepth), 1);
        std::copy_n((nDepth == 8 ? Eight : P.Pixels).begin(), 35 * nDepth / 8, Korvid.ChunkyBuffer(1));
        for (const char* szName : {"out.bmp", "out.tga"}) {
            SCOPED_TRACE(std::to_string(nDepth) + " " + szName);
            ASSERT_EQ(Korvid.SaveChunky(1, szName, szName[4] == 'b' ? KOR_SAVE_BMP : KOR_SAVE_TGA, 0), 1);
            EXPECT_EQ(ImageMagickBytes(szName), P.Pixels);
            ASSERT_EQ(Korvid.LoadChunky(2, szName, nDepth == 8 ? KOR_LOAD_PALETTE : KOR_LOAD_DEPTH24), 1);
            EXPECT_EQ(ChunkyColours(2), P.Pixels);
        }
    }
    MakeChunky<uint16_t>(1, 3, 2, {0x0000, 0x1234, 0xFFFF, 0xF800, 0x07E0, 0x001F});
    ASSERT_EQ(Korvid.SaveChunky(1, "sixteen.tga", KOR_SAVE_TGA, 0), 1);
    EXPECT_EQ(ReadFileBytes("sixteen.tga"),
              Concat({TgaHeader(0, 2, 0, 0, 3, 2, 16),
                      {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x00, 0x00, 0x14, 0x09, 0xFF, 0x7F}}));
}

TEST_F(ImagePeer, PngPicturesComeInWithTheirTransparencyWrittenOnesReadBackAndDamagedOnesAreRefused)
{
    // Two opaque pixels, one half transparent, one fully transparent.
    ASSERT_EQ(system("convert -size 2x2 xc:none -fill 'rgba(248,0,0,1)' -draw 'point 0,0' "
                     "-fill 'rgba(0,252,0,1)' -draw 'point 1,0' -fill 'rgba(0,0,248,0.5)' -draw 'point 0,1' "
                     "PNG32:in.png"),
              0);
    ASSERT_TRUE(ReadChunkyPng(1, "in.png"));
    const std::vector<uint16_t> In = Pixels16(1);
    EXPECT_EQ(std::vector<uint16_t>(In.begin(), In.begin() + 3), (std::vector<uint16_t>{0xF800, 0x07E0, 0x001F}));
    ASSERT_NE(Korvid.ExistingChunky(1)->pAlpha, nullptr);
    const uint8_t* pAlpha = Korvid.ExistingChunky(1)->pAlpha;
    EXPECT_EQ(pAlpha[0], 255);
    EXPECT_NEAR(pAlpha[2], 128, 1);
    EXPECT_EQ(pAlpha[3], 0);
    // Written and read back, an opaque 16-bit chunky is unchanged and needs no mask.
    std::vector<uint16_t> Pixels;
    for (int n = 0; n < 12; ++n)
        Pixels.push_back((uint16_t)(n * 5437 + 11));
    MakeChunky<uint16_t>(2, 4, 3, Pixels);
    ASSERT_TRUE(WriteChunkyPng(2, "round.png"));
    ASSERT_TRUE(ReadChunkyPng(3, "round.png"));
    EXPECT_EQ(Pixels16(3), Pixels);
    EXPECT_EQ(Korvid.ExistingChunky(3)->pAlpha, nullptr);

    ASSERT_EQ(system("convert -size 8x8 xc:red PNG24:whole.png && head -c 60 whole.png > cut.png"), 0);
    EXPECT_FALSE(ReadChunkyPng(4, "cut.png"));
    EXPECT_FALSE(ReadChunkyPng(4, "absent.png"));
    EXPECT_FALSE(Korvid.ChunkyExists(4));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** ReadChunkyPng('cut.png') - Not a readable PNG picture **",
                                                "ERROR: ** ReadChunkyPng('absent.png') - Can't Open File **"}));
    // Written, a 16-bit chunky with a mask and an indexed one read back in ImageMagick as their colours.
    MakeChunky<uint16_t>(5, 3, 2, {0xFFFF, 0xF800, 0x07E0, 0x001F, 0x0000, KorvidConvert::Pack565(0x12, 0x34, 0x56)});
    ChunkyObject& Chunky = *Korvid.ChunkyRecord(5);
    ASSERT_EQ(Korvid.CreateAlphaMask(Chunky), 1);
    for (int n = 0; n < 6; ++n)
        Chunky.pAlpha[n] = (uint8_t)(n * 50);
    ASSERT_TRUE(WriteChunkyPng(5, "sixteen.png"));
    EXPECT_EQ(ImageMagickBytes("sixteen.png", "rgba"), (Bytes{248, 252, 248, 0, 248, 0, 0, 50, 0, 252, 0, 100, 0, 0,
                                                              248, 150, 0, 0, 0, 200, 0x10, 0x34, 0x50, 250}));
    Korvid.ChangeDisplayMode(64, 48, 8, 0);
    Korvid.SetPaletteEntry(1, 10, 20, 30);
    Korvid.SetPaletteEntry(2, 200, 100, 0);
    MakeChunky<uint8_t>(6, 2, 1, {2, 1});
    ASSERT_TRUE(WriteChunkyPng(6, "indexed.png"));
    EXPECT_EQ(ImageMagickBytes("indexed.png", "rgba"), (Bytes{200, 100, 0, 255, 10, 20, 30, 255}));
    EXPECT_FALSE(WriteChunkyPng(9, "missing.png"));
}

}  // namespace
