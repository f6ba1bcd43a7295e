// Pictures ImageMagick makes load pixel-exact, and the BMP, TGA and PNG files the
// engine writes read back in ImageMagick with the same pixels.
#include <algorithm>
#include <cstdio>
#include <random>

#include "ImageTestFiles.h"
#include "services/ChunkyPng.h"

namespace {

using namespace imagetest;

// nCount distinct colours from a seeded generator, none pure black (the cookie).
std::vector<Rgb> Colours(int nCount, uint32_t nSeed)
{
    std::mt19937 Generator(nSeed);
    std::uniform_int_distribution<int> Component(1, 255);
    std::vector<Rgb> Out;
    while ((int)Out.size() < nCount) {
        Rgb c{(uint8_t)Component(Generator), (uint8_t)Component(Generator), (uint8_t)Component(Generator)};
        if (std::find(Out.begin(), Out.end(), c) == Out.end())
            Out.push_back(c);
    }
    return Out;
}

// A w x h picture, row-major top row first, drawing from the colours in a seeded order.
std::vector<Rgb> Pattern(int w, int h, const std::vector<Rgb>& Palette, uint32_t nSeed)
{
    std::mt19937 Generator(nSeed);
    std::vector<Rgb> Out;
    for (int n = 0; n < w * h; ++n)
        Out.push_back(Palette[Generator() % Palette.size()]);
    return Out;
}

Bytes Flat(const std::vector<Rgb>& Pixels)
{
    Bytes Out;
    for (const Rgb& c : Pixels)
        Out.insert(Out.end(), c.begin(), c.end());
    return Out;
}

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

// What a chunky holds, as colours: 8-bit through the palette, 16-bit unpacked, 24-bit as stored.
std::vector<Rgb> ChunkyColours(uint32_t nChunky)
{
    std::vector<Rgb> Out;
    const ChunkyObject& Chunky = *Korvid.ExistingChunky(nChunky);
    for (uint32_t n = 0; n < (uint32_t)Chunky.nWidth * Chunky.nHeight; ++n) {
        const uint8_t* q = Chunky.pPixels + (size_t)n * Chunky.nBytesPerPixel;
        const KorvidRGB c = Chunky.nBytesPerPixel == 2 ? Korvid.Unpack((uint16_t)(q[0] | q[1] << 8)) : KorvidRGB{};
        Out.push_back(Chunky.nBytesPerPixel == 1 ? PaletteColour(*q) : (Chunky.nBytesPerPixel == 2 ? Rgb{c.r, c.g, c.b} : Rgb{q[0], q[1], q[2]}));
    }
    return Out;
}

class ImagePeer : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(64, 48, 16);
    }
    // Has ImageMagick convert the pattern, written as a PPM, with these options.
    static void MakePicture(const std::string& Name, const std::string& Options, int w, int h,
                            const std::vector<Rgb>& Pixels)
    {
        Bytes Ppm;
        Text(Ppm, ("P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n").c_str());
        WriteFileBytes("source.ppm", Concat({Ppm, Flat(Pixels)}));
        ASSERT_EQ(system(("convert source.ppm " + Options + " " + Name).c_str()), 0) << Options << " " << Name;
    }
    // Fills a chunky of depth 8, 16 or 24 with the pattern (8-bit through palette entries 1..n).
    static void FillChunky(uint32_t nChunky, int w, int h, uint8_t nDepth, const std::vector<Rgb>& Pixels,
                           const std::vector<Rgb>& Palette)
    {
        ASSERT_EQ(Korvid.InitChunky(nChunky, (uint16_t)w, (uint16_t)h, nDepth), 1);
        for (size_t n = 0; n < Palette.size(); ++n)
            Korvid.SetPaletteEntry((uint32_t)n + 1, Palette[n][0], Palette[n][1], Palette[n][2]);
        uint8_t* p = Korvid.ChunkyBuffer(nChunky);
        for (const Rgb& c : Pixels) {
            const uint16_t nPixel = Korvid.Pack(c[0], c[1], c[2]);
            if (nDepth == 8)
                *p++ = (uint8_t)(std::find(Palette.begin(), Palette.end(), c) - Palette.begin() + 1);
            else
                p = std::copy_n(nDepth == 16 ? (const uint8_t*)&nPixel : c.data(), nDepth / 8, p);
        }
    }
};

TEST_F(ImagePeer, PicturesMadeByImageMagickLoadPixelExact)
{
    // Odd widths give BMPs padded rows. ImageMagick writes a TGA's rows in the order it
    // holds them and marks the file bottom-left: flipped first, the file is a true
    // bottom-up TGA of the pattern.
    const std::tuple<const char*, const char*, int, int, int, uint8_t, uint8_t> Cases[] = {
        {"p24.bmp", "-type truecolor -compress none BMP3:", 13, 5, 200, KOR_LOAD_DEPTH24, 24},
        {"p8.bmp", "-type palette -compress none BMP3:", 11, 5, 40, KOR_LOAD_PALETTE, 8},
        {"p24.tga", "-flip -type truecolor -compress none ", 9, 7, 200, KOR_LOAD_DEPTH24, 24},
        {"p8.tga", "-flip -type palette -compress none ", 9, 7, 40, KOR_LOAD_PALETTE, 8},
        {"p32.tga", "-flip -alpha on -channel A -evaluate set 50% +channel -compress none ", 9, 7, 200,
         KOR_LOAD_DEPTH24, 24},
        {"p8.pcx", "-type palette ", 7, 6, 40, KOR_LOAD_PALETTE, 8},
    };
    for (const auto& [szName, szOptions, w, h, nColours, nFlags, nDepth] : Cases) {
        SCOPED_TRACE(szName);
        const std::vector<Rgb> Pixels = Pattern(w, h, Colours(nColours, 17), 23);
        // The options end with a space, or with a format prefix that belongs to the output name.
        const std::string Options = szOptions;
        const size_t nSpace = Options.rfind(' ');
        MakePicture(Options.substr(nSpace + 1) + szName, Options.substr(0, nSpace), w, h, Pixels);
        for (uint32_t n = 0; n < 256; ++n)
            Korvid.SetPaletteEntry(n, 0, 0, 0);
        ASSERT_EQ(Korvid.LoadChunky(1, szName, nFlags), 1);
        EXPECT_EQ(Korvid.ChunkyWidth(1), w);
        EXPECT_EQ(Korvid.ChunkyHeight(1), h);
        EXPECT_EQ(Korvid.ChunkyDepth(1), nDepth);
        EXPECT_EQ(ChunkyColours(1), Pixels);
    }
    // At the file's depth a 32-bit TGA keeps its blue, green, red and alpha bytes.
    ASSERT_EQ(Korvid.LoadChunky(1, "p32.tga", KOR_LOAD_FILEDEPTH), 1);
    ASSERT_EQ(Korvid.ChunkyDepth(1), 32);
    const std::vector<Rgb> Pixels = Pattern(9, 7, Colours(200, 17), 23);
    const uint8_t* p = Korvid.ChunkyBuffer(1);
    for (size_t n = 0; n < Pixels.size(); ++n) {
        EXPECT_EQ((Rgb{p[n * 4 + 2], p[n * 4 + 1], p[n * 4]}), Pixels[n]) << n;
        EXPECT_NEAR(p[n * 4 + 3], 128, 1) << n;
    }
}

// Odd widths make the writers pad their BMP rows.
TEST_F(ImagePeer, WrittenBmpAndTgaFilesReadBackInImageMagickAndTheEngine)
{
    const int w = 7, h = 5;
    const std::vector<Rgb> Palette = Colours(30, 41);
    const std::vector<Rgb> Pixels = Pattern(w, h, Palette, 43);
    for (uint8_t nDepth : {8, 24}) {
        FillChunky(1, w, h, nDepth, Pixels, Palette);
        for (const char* szName : {"out.bmp", "out.tga"}) {
            SCOPED_TRACE(std::to_string(nDepth) + " " + szName);
            ASSERT_EQ(Korvid.SaveChunky(1, szName, szName[4] == 'b' ? KOR_SAVE_BMP : KOR_SAVE_TGA, 0), 1);
            EXPECT_EQ(ImageMagickBytes(szName), Flat(Pixels));
            ASSERT_EQ(Korvid.LoadChunky(2, szName, nDepth == 8 ? KOR_LOAD_PALETTE : KOR_LOAD_DEPTH24), 1);
            EXPECT_EQ(ChunkyColours(2), Pixels);
        }
    }
}

// 16-bit pixels go out as RGB555, bottom row first, with no colour map.
TEST_F(ImagePeer, SixteenBitTgaHoldsFiveBitColoursBottomRowFirst)
{
    const int w = 3, h = 2;
    const std::vector<Rgb> Pixels = Pattern(w, h, Colours(6, 3), 4);
    FillChunky(1, w, h, 16, Pixels, {});
    ASSERT_EQ(Korvid.SaveChunky(1, "sixteen.tga", KOR_SAVE_TGA, 0), 1);
    Bytes Expected = TgaHeader(0, 2, 0, 0, w, h, 16);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const Rgb& c = Pixels[(size_t)y * w + x];
            Put(Expected, (c[0] >> 3) << 10 | (c[1] >> 3) << 5 | c[2] >> 3, 2);
        }
    EXPECT_EQ(ReadFileBytes("sixteen.tga"), Expected);
}

TEST_F(ImagePeer, PngChunkiesReadBackInImageMagickAsTheirColoursAndAlpha)
{
    MakeChunky<uint16_t>(1, 3, 2, {0xFFFF, 0xF800, 0x07E0, 0x001F, 0x0000, KorvidConvert::Pack565(0x12, 0x34, 0x56)});
    ChunkyObject& Chunky = *Korvid.ChunkyRecord(1);
    ASSERT_EQ(Korvid.CreateAlphaMask(Chunky), 1);
    for (int n = 0; n < 6; ++n)
        Chunky.pAlpha[n] = (uint8_t)(n * 50);
    ASSERT_TRUE(WriteChunkyPng(1, "sixteen.png"));
    EXPECT_EQ(ImageMagickBytes("sixteen.png", "rgba"), (Bytes{248, 252, 248, 0, 248, 0, 0, 50, 0, 252, 0, 100, 0, 0,
                                                              248, 150, 0, 0, 0, 200, 0x10, 0x34, 0x50, 250}));

    Korvid.ChangeDisplayMode(64, 48, 8, 0);
    Korvid.SetPaletteEntry(1, 10, 20, 30);
    Korvid.SetPaletteEntry(2, 200, 100, 0);
    MakeChunky<uint8_t>(2, 2, 1, {2, 1});
    ASSERT_TRUE(WriteChunkyPng(2, "indexed.png"));
    EXPECT_EQ(ImageMagickBytes("indexed.png", "rgba"), (Bytes{200, 100, 0, 255, 10, 20, 30, 255}));
    EXPECT_FALSE(WriteChunkyPng(9, "missing.png"));
}

TEST_F(ImagePeer, PngPicturesComeInWithTheirTransparencyAndDamagedOnesAreRefused)
{
    // Two opaque pixels, one half transparent, one fully transparent.
    ASSERT_EQ(system("convert -size 2x2 xc:none -fill 'rgba(248,0,0,1)' -draw 'point 0,0' "
                     "-fill 'rgba(0,252,0,1)' -draw 'point 1,0' -fill 'rgba(0,0,248,0.5)' -draw 'point 0,1' "
                     "PNG32:in.png"),
              0);
    ASSERT_TRUE(ReadChunkyPng(1, "in.png"));
    const ChunkyObject& Chunky = *Korvid.ExistingChunky(1);
    ASSERT_EQ(Chunky.nWidth * Chunky.nHeight, 4);
    EXPECT_EQ(std::vector<uint16_t>(Chunky.Pixels16(), Chunky.Pixels16() + 3), (std::vector<uint16_t>{0xF800, 0x07E0, 0x001F}));
    ASSERT_NE(Chunky.pAlpha, nullptr);
    EXPECT_EQ(Chunky.pAlpha[0], 255);
    EXPECT_NEAR(Chunky.pAlpha[2], 128, 1);
    EXPECT_EQ(Chunky.pAlpha[3], 0);

    // Written and read back, a 16-bit opaque chunky is unchanged and needs no mask.
    std::vector<uint16_t> Pixels;
    for (int n = 0; n < 12; ++n)
        Pixels.push_back((uint16_t)(n * 5437 + 11));
    MakeChunky<uint16_t>(2, 4, 3, Pixels);
    ASSERT_TRUE(WriteChunkyPng(2, "round.png"));
    ASSERT_TRUE(ReadChunkyPng(3, "round.png"));
    EXPECT_EQ(std::vector<uint16_t>(Korvid.ExistingChunky(3)->Pixels16(), Korvid.ExistingChunky(3)->Pixels16() + 12), Pixels);
    EXPECT_EQ(Korvid.ExistingChunky(3)->pAlpha, nullptr);

    ASSERT_EQ(system("convert -size 8x8 xc:red PNG24:whole.png && head -c 60 whole.png > cut.png"), 0);
    EXPECT_FALSE(ReadChunkyPng(4, "cut.png"));
    EXPECT_FALSE(ReadChunkyPng(4, "absent.png"));
    EXPECT_FALSE(Korvid.ChunkyExists(4));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** ReadChunkyPng('cut.png') - Not a readable PNG picture **",
                                                "ERROR: ** ReadChunkyPng('absent.png') - Can't Open File **"}));
}

}  // namespace
