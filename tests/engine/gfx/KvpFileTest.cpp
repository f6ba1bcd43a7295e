// The engine's own .kvp pictures: round trips at every depth, the exact bytes
// written, the target depth and the 24-bit row conversion's dither.
#include "ImageTestFiles.h"

namespace {

using namespace imagetest;

class KvpFile : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(64, 48, 16);
    }

    // A chunky of the given depth filled from a seeded generator (no zero bytes).
    Bytes FillSeeded(uint32_t nChunky, uint16_t w, uint16_t h, uint8_t nDepth, uint32_t nSeed)
    {
        EXPECT_EQ(Korvid.InitChunky(nChunky, w, h, nDepth), 1);
        std::mt19937 Generator(nSeed);
        const ChunkyObject& Chunky = *Korvid.ExistingChunky(nChunky);
        for (uint32_t n = 0; n < Chunky.nSize; ++n)   // runs, so the coders have something to pack
            Chunky.pPixels[n] = (uint8_t)(1 + (Generator() % 6) * (n / 7 % 3 == 0));
        return Bytes(Chunky.pPixels, Chunky.pPixels + Chunky.nSize);
    }
    static Bytes Pixels(uint32_t nChunky)
    {
        const ChunkyObject* p = Korvid.ExistingChunky(nChunky);
        return p ? Bytes(p->pPixels, p->pPixels + p->nSize) : Bytes();
    }
};

TEST_F(KvpFile, EveryDepthRoundTripsStoredAndCompressed)
{
    for (uint8_t nDepth : {8, 16, 24})
        for (int8_t nLevel : {0, 9}) {
            SCOPED_TRACE(std::to_string(nDepth) + " bit, level " + std::to_string(nLevel));
            Bytes Original = FillSeeded(1, 37, 11, nDepth, nDepth + nLevel);
            ASSERT_EQ(Korvid.SaveChunky(1, "round.kvp", KOR_SAVE_KVP, nLevel), 1);
            Bytes File = ReadBytes("round.kvp");
            ASSERT_GE(File.size(), 16u);
            bool bCompressed = File[11] == 1;
            EXPECT_EQ(bCompressed, nDepth == 8 || nLevel != 0) << "8-bit always offers the RLE coder";
            ASSERT_EQ(Korvid.LoadChunky(2, "round.kvp", KOR_LOAD_FILEDEPTH), 1);
            EXPECT_EQ(Korvid.ChunkyDepth(2), nDepth);
            EXPECT_EQ(Korvid.ChunkyWidth(2), 37);
            EXPECT_EQ(Korvid.ChunkyHeight(2), 11);
            EXPECT_EQ(Pixels(2), Original);
        }
}

TEST_F(KvpFile, EightBitPaletteTravelsWithThePicture)
{
    for (uint32_t n = 0; n < 256; ++n)
        Korvid.SetPaletteEntry(n, n, 255 - n, n / 2);
    FillSeeded(1, 10, 10, 8, 1);
    ASSERT_EQ(Korvid.SaveChunky(1, "pal.kvp", KOR_SAVE_KVP, 0), 1);
    for (uint32_t n = 0; n < 256; ++n)
        Korvid.SetPaletteEntry(n, 0, 0, 0);
    ASSERT_EQ(Korvid.LoadChunky(2, "pal.kvp", 0), 1);
    EXPECT_EQ(Korvid.PaletteRed(200), 0) << "without flag 0x01 the palette stays";
    ASSERT_EQ(Korvid.LoadChunky(2, "pal.kvp", KOR_LOAD_PALETTE), 1);
    for (int n : {0, 1, 77, 255}) {
        EXPECT_EQ(Korvid.PaletteRed((uint8_t)n), n);
        EXPECT_EQ(Korvid.PaletteGreen((uint8_t)n), 255 - n);
        EXPECT_EQ(Korvid.PaletteBlue((uint8_t)n), n / 2);
    }
}

TEST_F(KvpFile, HeaderPaletteAndDataAreWrittenAsLaidOut)
{
    Korvid.SetPaletteEntry(1, 10, 20, 30);
    MakeChunky<uint8_t>(1, 10, 10, std::vector<uint8_t>(100, 1));
    ASSERT_EQ(Korvid.SaveChunky(1, "ten.kvp", KOR_SAVE_KVP, 0), 1);
    Bytes File = ReadBytes("ten.kvp");
    // One run of 100: the 33-byte escape header and one long-run token.
    Bytes Expected = KvpHeader(10, 10, 8, 1, 36, true);
    ASSERT_EQ(File.size(), 16u + 768 + 36);
    EXPECT_EQ(Bytes(File.begin(), File.begin() + 16), Expected);
    EXPECT_EQ(Bytes(File.begin() + 19, File.begin() + 22), (Bytes{10, 20, 30}));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"SavingKVP(1) 10,10 8Bit"}));

    // Every byte different: the RLE block would not be smaller, so 100 raw bytes.
    std::vector<uint8_t> Distinct(100);
    for (int n = 0; n < 100; ++n)
        Distinct[n] = (uint8_t)(n * 2 + 1);
    MakeChunky<uint8_t>(1, 10, 10, Distinct);
    ASSERT_EQ(Korvid.SaveChunky(1, "raw.kvp", KOR_SAVE_KVP, 0), 1);
    File = ReadBytes("raw.kvp");
    EXPECT_EQ(Bytes(File.begin(), File.begin() + 16), KvpHeader(10, 10, 8, 0, 100, true));
    EXPECT_EQ(Bytes(File.begin() + 784, File.end()), Bytes(Distinct.begin(), Distinct.end()));

    MakeChunky<uint16_t>(1, 3, 2, {1, 2, 3, 4, 5, 0x1234});
    ASSERT_EQ(Korvid.SaveChunky(1, "sixteen.kvp", KOR_SAVE_KVP, 0), 1);
    File = ReadBytes("sixteen.kvp");
    EXPECT_EQ(Bytes(File.begin(), File.begin() + 16), KvpHeader(3, 2, 16, 0, 12, false));
    EXPECT_EQ(Bytes(File.begin() + 16, File.end()), (Bytes{1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 0x34, 0x12}));
}

// The target depth: 8- and 16-bit files keep theirs, 24-bit files follow the flags.
TEST_F(KvpFile, TargetDepthFollowsTheFlagsForTrueColourOnly)
{
    FillSeeded(1, 4, 4, 8, 2);
    ASSERT_EQ(Korvid.SaveChunky(1, "eight.kvp", KOR_SAVE_KVP, 0), 1);
    FillSeeded(1, 4, 4, 24, 3);
    ASSERT_EQ(Korvid.SaveChunky(1, "true.kvp", KOR_SAVE_KVP, 0), 1);
    struct {
        const char* szName;
        uint8_t nFlags, nDepth;
    } Cases[] = {{"eight.kvp", KOR_LOAD_DEPTH16, 8},          {"true.kvp", KOR_LOAD_DEPTH16, 16},
                 {"true.kvp", 0x10, 16},                       {"true.kvp", KOR_LOAD_DEPTH8, 8},
                 {"true.kvp", KOR_LOAD_DEPTH8 | KOR_LOAD_DEPTH24, 24},
                 {"true.kvp", KOR_LOAD_DEPTH24 | KOR_LOAD_DEPTH16, 16}};
    for (const auto& Case : Cases) {
        SCOPED_TRACE(std::string(Case.szName) + " flags " + std::to_string(Case.nFlags));
        ASSERT_EQ(Korvid.LoadChunky(2, Case.szName, Case.nFlags), 1);
        EXPECT_EQ(Korvid.ChunkyDepth(2), Case.nDepth);
    }
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"LoadingKVP(2) 4,4 8Bit (-> 16Bit)",
                                                "LoadingKVP(2) 4,4 24Bit (-> 16Bit)",
                                                "LoadingKVP(2) 4,4 24Bit (-> 8Bit)"}));
}

TEST_F(KvpFile, NamesAreOpenedInLowerCaseAndChosenBySubstring)
{
    ASSERT_EQ(Korvid.MakeDir("gfx"), true);
    FillSeeded(1, 5, 3, 16, 4);
    Bytes Original = Pixels(1);
    ASSERT_EQ(Korvid.SaveChunky(1, "gfx/ball.kvp", KOR_SAVE_KVP, 0), 1);
    ASSERT_EQ(Korvid.LoadChunky(2, "GFX/Ball.KVP", 0), 1);
    EXPECT_EQ(Pixels(2), Original);
    ASSERT_EQ(Korvid.SaveChunky(1, "a.kvp.tga", KOR_SAVE_KVP, 0), 1);
    ASSERT_EQ(Korvid.LoadChunky(3, "a.kvp.tga", 0), 1);
    EXPECT_EQ(Pixels(3), Original);
    // JPEG and PNG names are not loaded, silently.
    WriteBytes("x.jpg", Bytes(64, 1));
    WriteBytes("x.png", Bytes(64, 1));
    size_t nLines = LogMessages().size();
    EXPECT_EQ(Korvid.LoadChunky(4, "x.jpg", 0), 0);
    EXPECT_EQ(Korvid.LoadChunky(4, "x.png", 0), 0);
    EXPECT_EQ(LogMessages().size(), nLines);
    EXPECT_FALSE(Korvid.ChunkyExists(4));
}

TEST_F(KvpFile, SaveRefusesWhatItCannotWriteAndStubsPcx)
{
    FillSeeded(1, 4, 4, 8, 5);
    EXPECT_EQ(Korvid.SaveChunky(1, "", KOR_SAVE_KVP, 0), 0);
    EXPECT_EQ(Korvid.SaveChunky(1, std::string(256, 'a').c_str(), KOR_SAVE_KVP, 0), 0);
    EXPECT_EQ(Korvid.SaveChunky(9, "none.kvp", KOR_SAVE_KVP, 0), 0);
    EXPECT_EQ(Korvid.SaveChunky(1, "no/such/dir/x.kvp", KOR_SAVE_KVP, 0), 0);
    EXPECT_FALSE(Korvid.FileExists("none.kvp"));
    EXPECT_EQ(Korvid.SaveChunky(1, "x.pcx", KOR_SAVE_PCX, 0), 1);
    EXPECT_EQ(Korvid.SaveChunky(1, "x.what", 7, 0), 1);
    EXPECT_TRUE(ReadBytes("x.pcx").empty());
    EXPECT_TRUE(Korvid.FileExists("x.what"));
    EXPECT_TRUE(ReadBytes("x.what").empty());
    EXPECT_EQ(LogMessages().back(), "WARNING: Function SaveChunkyPCX() Not Implemented!");
}

TEST_F(KvpFile, SixteenBitBmpGetsItsHeaderAndAWarning)
{
    FillSeeded(1, 4, 2, 16, 6);
    ASSERT_EQ(Korvid.SaveChunky(1, "s.bmp", KOR_SAVE_BMP, 0), 1);
    Bytes File = ReadBytes("s.bmp");
    Bytes Expected = BmpHeader("BM", 4, 2, 16, 0, 16);
    EXPECT_EQ(File, Expected);
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"SavingBMP(1) 4,2 16Bit", "WARNING: ** SaveChunkyBMP() - 16bit not supported **"}));
}

// A 24-bit KVP row through the 16-bit conversion (RGB565): the dither adds each
// pixel's lost low bits, halved, into the next; a cookie pixel restarts it.
TEST_F(KvpFile, TrueColourRowsDitherToSixteenBitsAndKeepTheCookie)
{
    auto WriteRow = [](const char* szName, const std::vector<Rgb>& Row) {
        Bytes File = KvpHeader((uint16_t)Row.size(), 1, 24, 0, (uint32_t)Row.size() * 3, false);
        for (const Rgb& c : Row)
            File.insert(File.end(), {c.r, c.g, c.b});
        WriteBytes(szName, File);
    };
    const Rgb Grey{12, 12, 12}, Lighter{14, 12, 14}, Black{0, 0, 0};
    WriteRow("grey.kvp", {Grey, Grey, Grey, Grey});
    WriteRow("cookie.kvp", {Grey, Grey, Black, Lighter});
    Korvid.SetCookieColour(0);
    ASSERT_EQ(Korvid.LoadChunky(1, "grey.kvp", KOR_LOAD_DEPTH16), 1);
    EXPECT_EQ((std::vector<uint16_t>{Pixel16(1, 0, 0), Pixel16(1, 1, 0), Pixel16(1, 2, 0), Pixel16(1, 3, 0)}),
              (std::vector<uint16_t>{0x0861, 0x0861, 0x1062, 0x0861}));
    ASSERT_EQ(Korvid.LoadChunky(1, "cookie.kvp", KOR_LOAD_DEPTH16), 1);
    EXPECT_EQ((std::vector<uint16_t>{Pixel16(1, 0, 0), Pixel16(1, 1, 0), Pixel16(1, 2, 0), Pixel16(1, 3, 0)}),
              (std::vector<uint16_t>{0x0861, 0x0861, 0x0000, 0x0861}));

    // A row that is all cookie colour is written unchanged.
    WriteRow("allcookie.kvp", {Black, Black, Black});
    ASSERT_EQ(Korvid.LoadChunky(1, "allcookie.kvp", KOR_LOAD_DEPTH16), 1);
    EXPECT_EQ(Pixels(1), Bytes(6, 0));
}

// To 8 bits: the nearest palette index of the colour plus the error so far.
TEST_F(KvpFile, TrueColourRowsDitherToPaletteIndices)
{
    for (uint32_t n = 0; n < 256; ++n)
        Korvid.SetPaletteEntry(n, 255, 255, 255);
    Korvid.SetPaletteEntry(0, 0, 0, 0);
    Korvid.SetPaletteEntry(1, 100, 100, 100);
    Korvid.SetPaletteEntry(2, 110, 110, 110);
    Korvid.SetCookieColour(0);
    Bytes File = KvpHeader(4, 1, 24, 0, 12, false);
    Append(File, {104, 104, 104, 104, 104, 104, 0, 0, 0, 104, 104, 104});
    WriteBytes("row.kvp", File);
    ASSERT_EQ(Korvid.LoadChunky(1, "row.kvp", KOR_LOAD_DEPTH8), 1);
    EXPECT_EQ(Pixels(1), (Bytes{1, 2, 0, 1}));
}

}  // namespace
