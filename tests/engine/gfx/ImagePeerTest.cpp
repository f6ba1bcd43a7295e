// Pictures ImageMagick makes load pixel-exact, and the BMP and TGA files the
// engine writes read back in ImageMagick with the same pixels.
#include "ImageTestFiles.h"

namespace {

using namespace imagetest;

class ImagePeer : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(64, 48, 16);
    }

    // Writes the pattern as a PPM and has ImageMagick convert it with these options.
    void MakePicture(const std::string& Name, const std::string& Options, int w, int h, const std::vector<Rgb>& Pixels)
    {
        WritePpm("source.ppm", w, h, Pixels);
        ASSERT_TRUE(ImageMagick("source.ppm " + Options + " " + Name)) << Options << " " << Name;
    }

    // Fills a chunky of depth 8, 16 or 24 with the pattern (8-bit through palette entries 1..n).
    void FillChunky(uint32_t nChunky, int w, int h, uint8_t nDepth, const std::vector<Rgb>& Pixels,
                    const std::vector<Rgb>& Palette)
    {
        ASSERT_EQ(Korvid.InitChunky(nChunky, (uint16_t)w, (uint16_t)h, nDepth), 1);
        for (size_t n = 0; n < Palette.size(); ++n)
            Korvid.SetPaletteEntry((uint32_t)n + 1, Palette[n].r, Palette[n].g, Palette[n].b);
        uint8_t* p = Korvid.ChunkyBuffer(nChunky);
        for (const Rgb& c : Pixels) {
            if (nDepth == 8) {
                *p++ = (uint8_t)(std::find(Palette.begin(), Palette.end(), c) - Palette.begin() + 1);
            } else if (nDepth == 16) {
                uint16_t nPixel = Korvid.Pack(c.r, c.g, c.b);
                memcpy(p, &nPixel, 2);
                p += 2;
            } else {
                *p++ = c.r;
                *p++ = c.g;
                *p++ = c.b;
            }
        }
    }
};

struct PeerCase {
    const char* szName;
    const char* szOptions;
    int nWidth, nHeight, nColours;
    uint8_t nFlags;
    uint8_t nExpectedDepth;
};

// Odd widths give BMPs padded rows.
// ImageMagick writes a TGA's rows in the order it holds them and marks the file
// bottom-left: flipped first, the file is a true bottom-up TGA of the pattern.
const PeerCase g_PeerCases[] = {
    {"p24.bmp", "-type truecolor -compress none BMP3:", 13, 5, 200, KOR_LOAD_DEPTH24, 24},
    {"p8.bmp", "-type palette -compress none BMP3:", 11, 5, 40, KOR_LOAD_PALETTE, 8},
    {"p24.tga", "-flip -type truecolor -compress none", 9, 7, 200, KOR_LOAD_DEPTH24, 24},
    {"p8.tga", "-flip -type palette -compress none", 9, 7, 40, KOR_LOAD_PALETTE, 8},
    {"p32.tga", "-flip -alpha on -channel A -evaluate set 50% +channel -compress none", 9, 7, 200, KOR_LOAD_DEPTH24,
     24},
    {"p8.pcx", "-type palette", 7, 6, 40, KOR_LOAD_PALETTE, 8},
};

TEST_F(ImagePeer, PicturesMadeByImageMagickLoadPixelExact)
{
    for (const PeerCase& Case : g_PeerCases) {
        SCOPED_TRACE(Case.szName);
        std::vector<Rgb> Palette = Colours(Case.nColours, 17);
        std::vector<Rgb> Pixels = Pattern(Case.nWidth, Case.nHeight, Palette, 23);
        std::string Name = Case.szName;
        std::string Options = Case.szOptions;
        if (Options.back() == ':') {   // a format prefix belongs to the output name
            size_t nSpace = Options.rfind(' ');
            Name = Options.substr(nSpace + 1) + Name;
            Options = Options.substr(0, nSpace);
        }
        MakePicture(Name, Options, Case.nWidth, Case.nHeight, Pixels);
        for (uint32_t n = 0; n < 256; ++n)
            Korvid.SetPaletteEntry(n, 0, 0, 0);
        ASSERT_EQ(Korvid.LoadChunky(1, Case.szName, Case.nFlags), 1);
        EXPECT_EQ(Korvid.ChunkyWidth(1), Case.nWidth);
        EXPECT_EQ(Korvid.ChunkyHeight(1), Case.nHeight);
        EXPECT_EQ(Korvid.ChunkyDepth(1), Case.nExpectedDepth);
        EXPECT_EQ(ChunkyColours(1), Pixels);
    }
}

TEST_F(ImagePeer, ThirtyTwoBitTgaKeepsItsBytesAtTheFileDepth)
{
    std::vector<Rgb> Pixels = Pattern(4, 3, Colours(12, 5), 9);
    MakePicture("alpha.tga", "-flip -alpha on -channel A -evaluate set 50% +channel -compress none", 4, 3, Pixels);
    ASSERT_EQ(Korvid.LoadChunky(1, "alpha.tga", KOR_LOAD_FILEDEPTH), 1);
    ASSERT_EQ(Korvid.ChunkyDepth(1), 32);
    const uint8_t* p = Korvid.ChunkyBuffer(1);
    for (size_t n = 0; n < Pixels.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ((Rgb{p[n * 4 + 2], p[n * 4 + 1], p[n * 4]}), Pixels[n]);
        EXPECT_NEAR(p[n * 4 + 3], 128, 1);
    }
}

// Odd widths make the writers pad their BMP rows.
TEST_F(ImagePeer, WrittenBmpAndTgaFilesReadBackInImageMagick)
{
    const int w = 7, h = 5;
    std::vector<Rgb> Palette = Colours(30, 41);
    std::vector<Rgb> Pixels = Pattern(w, h, Palette, 43);
    for (uint8_t nDepth : {8, 24}) {
        FillChunky(1, w, h, nDepth, Pixels, Palette);
        for (uint8_t nFormat : {KOR_SAVE_BMP, KOR_SAVE_TGA}) {
            SCOPED_TRACE(std::to_string(nDepth) + (nFormat == KOR_SAVE_BMP ? " bmp" : " tga"));
            std::string Name = nFormat == KOR_SAVE_BMP ? "out.bmp" : "out.tga";
            ASSERT_EQ(Korvid.SaveChunky(1, Name.c_str(), nFormat, 0), 1);
            EXPECT_EQ(ReadWithImageMagick(Name), Pixels);
            // And the engine reads its own file back.
            ASSERT_EQ(Korvid.LoadChunky(2, Name.c_str(), nDepth == 8 ? KOR_LOAD_PALETTE : KOR_LOAD_DEPTH24), 1);
            EXPECT_EQ(ChunkyColours(2), Pixels);
        }
    }
}

// 16-bit pixels go out as RGB555, bottom row first, with no colour map.
TEST_F(ImagePeer, SixteenBitTgaHoldsFiveBitColoursBottomRowFirst)
{
    const int w = 3, h = 2;
    std::vector<Rgb> Pixels = Pattern(w, h, Colours(6, 3), 4);
    FillChunky(1, w, h, 16, Pixels, {});
    ASSERT_EQ(Korvid.SaveChunky(1, "sixteen.tga", KOR_SAVE_TGA, 0), 1);
    Bytes File = ReadBytes("sixteen.tga");
    ASSERT_EQ(File.size(), 18u + w * h * 2);
    EXPECT_EQ(Bytes(File.begin(), File.begin() + 18), TgaHeader(0, 2, 0, 0, w, h, 16));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb& c = Pixels[(size_t)(h - 1 - y) * w + x];
            uint16_t nExpected = (uint16_t)((c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3);
            size_t nAt = 18 + (size_t)(y * w + x) * 2;
            EXPECT_EQ(File[nAt] | File[nAt + 1] << 8, nExpected) << x << "," << y;
        }
}

}  // namespace
