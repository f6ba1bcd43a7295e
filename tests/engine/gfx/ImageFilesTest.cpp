// Picture files: .kvp round trips, bytes, target depths and dither; odd but readable headers;
// damaged, truncated and oversized files, each refused with its log line and nothing leaked;
// and pictures exchanged with ImageMagick pixel-exact both ways.
#include <cstdio>
#include <random>

#include "GfxTestSupport.h"
#include "services/ChunkyPng.h"

namespace {

class ImageFiles : public GfxTest {
protected:
    ImageFiles() : GfxTest(64, 48) {}
    // A chunky of the given depth filled with runs from a seeded generator (no zero bytes).
    static Bytes FillSeeded(uint32_t nChunky, uint16_t w, uint16_t h, uint8_t nDepth, uint32_t nSeed)
    {
        EXPECT_EQ(Korvid.InitChunky(nChunky, w, h, nDepth), 1);
        std::mt19937 Generator(nSeed);
        const ChunkyObject& Chunky = *Korvid.ExistingChunky(nChunky);
        for (uint32_t n = 0; n < Chunky.nSize; ++n)
            Chunky.pPixels[n] = (uint8_t)(1 + (Generator() % 6) * (n / 7 % 3 == 0));
        return ChunkyBytes(nChunky);
    }
    static Bytes Saved(uint32_t nChunky, const char* szName, uint8_t nFormat = KOR_SAVE_KVP, int8_t nLevel = 0)
    {
        EXPECT_EQ(Korvid.SaveChunky(nChunky, szName, nFormat, nLevel), 1) << szName;
        return ReadFileBytes(szName);
    }
};

TEST_F(ImageFiles, KvpFilesRoundTripAtEveryDepthAreWrittenAsLaidOutAndCarryThePalette)
{
    for (uint8_t nDepth : {8, 16, 24})
        for (int8_t nLevel : {0, 9}) {
            SCOPED_TRACE(std::to_string(nDepth) + " bit, level " + std::to_string(nLevel));
            const Bytes Original = FillSeeded(1, 37, 11, nDepth, nDepth + nLevel);
            const Bytes File = Saved(1, "round.kvp", KOR_SAVE_KVP, nLevel);
            ASSERT_GE(File.size(), 16u);
            EXPECT_EQ(File[11] == 1, nDepth == 8 || nLevel != 0) << "8-bit always offers the RLE coder";
            ASSERT_EQ(Korvid.LoadChunky(2, "round.kvp", KOR_LOAD_FILEDEPTH), 1);
            EXPECT_EQ(Korvid.ChunkyDepth(2), nDepth);
            EXPECT_EQ(Korvid.ChunkyWidth(2), 37);
            EXPECT_EQ(ChunkyBytes(2), Original);
        }
    // Other depths asked for: 8- and 16-bit files keep theirs, 24-bit files follow the flags.
    const std::array<int, 3> Targets[] = {{8, KOR_LOAD_DEPTH16, 8},   {24, KOR_LOAD_DEPTH16, 16},
                                          {24, 0x10, 16},             {24, KOR_LOAD_DEPTH8, 8},
                                          {24, KOR_LOAD_DEPTH8 | KOR_LOAD_DEPTH24, 24},
                                          {24, KOR_LOAD_DEPTH24 | KOR_LOAD_DEPTH16, 16}};
    for (auto [nFileDepth, nFlags, nDepth] : Targets) {
        FillSeeded(1, 4, 4, (uint8_t)nFileDepth, 2);
        Saved(1, "depth.kvp");
        ASSERT_EQ(Korvid.LoadChunky(2, "depth.kvp", (uint8_t)nFlags), 1);
        EXPECT_EQ(Korvid.ChunkyDepth(2), nDepth) << nFileDepth << " flags " << nFlags;
    }
    EXPECT_TRUE(
        ContainsInOrder(LogMessages(), {"LoadingKVP(2) 4,4 8Bit (-> 16Bit)", "LoadingKVP(2) 4,4 24Bit (-> 8Bit)"}));
    for (uint32_t n = 0; n < 256; ++n)
        Korvid.SetPaletteEntry(n, n, 255 - n, n / 2);
    MakeChunky<uint8_t>(1, 10, 10, std::vector<uint8_t>(100, 1));
    Bytes File = Saved(1, "ten.kvp");
    // One run of 100: the 33-byte escape header and one long-run token.
    ASSERT_EQ(File.size(), 16u + 768 + 36);
    EXPECT_EQ(Bytes(File.begin(), File.begin() + 16), KvpHeader(10, 10, 8, 1, 36, true));
    EXPECT_EQ(Bytes(File.begin() + 16 + 3 * 77, File.begin() + 16 + 3 * 78), (Bytes{77, 178, 38}));
    for (uint32_t n = 0; n < 256; ++n)
        Korvid.SetPaletteEntry(n, 0, 0, 0);
    ASSERT_EQ(Korvid.LoadChunky(2, "ten.kvp", 0), 1);
    EXPECT_EQ(Korvid.PaletteRed(200), 0) << "without the palette flag the palette stays";
    ASSERT_EQ(Korvid.LoadChunky(2, "ten.kvp", KOR_LOAD_PALETTE), 1);
    EXPECT_EQ(PaletteColour(200), (Rgb{200, 55, 100}));

    // Every byte different: the RLE block would not be smaller, so 100 raw bytes.
    Bytes Distinct(100);
    for (int n = 0; n < 100; ++n)
        Distinct[n] = (uint8_t)(n * 2 + 1);
    MakeChunky<uint8_t>(1, 10, 10, Distinct);
    File = Saved(1, "raw.kvp");
    EXPECT_EQ(Bytes(File.begin(), File.begin() + 16), KvpHeader(10, 10, 8, 0, 100, true));
    EXPECT_EQ(Bytes(File.begin() + 784, File.end()), Distinct);

    MakeChunky<uint16_t>(1, 3, 2, {1, 2, 3, 4, 5, 0x1234});
    EXPECT_EQ(Saved(1, "sixteen.kvp"),
              Concat({KvpHeader(3, 2, 16, 0, 12, false), {1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 0x34, 0x12}}));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"SavingKVP(1) 10,10 8Bit", "SavingKVP(1) 3,2 16Bit"}));
}

TEST_F(ImageFiles, NamesAreLowerCaseSavesRefuseWhatTheyCannotWriteAndTrueColourRowsDither)
{
    ASSERT_EQ(Korvid.MakeDir("gfx"), true);
    const Bytes Original = FillSeeded(1, 5, 3, 16, 4);
    Saved(1, "gfx/ball.kvp");
    ASSERT_EQ(Korvid.LoadChunky(2, "GFX/Ball.KVP", 0), 1);
    EXPECT_EQ(ChunkyBytes(2), Original);
    Saved(1, "a.kvp.tga");
    ASSERT_EQ(Korvid.LoadChunky(3, "a.kvp.tga", 0), 1);
    EXPECT_EQ(ChunkyBytes(3), Original);
    // JPEG and PNG names are not loaded, silently.
    WriteFileBytes("x.jpg", Bytes(64, 1));
    WriteFileBytes("x.png", Bytes(64, 1));
    const size_t nLines = LogMessages().size();
    EXPECT_EQ(Korvid.LoadChunky(4, "x.jpg", 0), 0);
    EXPECT_EQ(Korvid.LoadChunky(4, "x.png", 0), 0);
    EXPECT_EQ(LogMessages().size(), nLines);
    EXPECT_FALSE(Korvid.ChunkyExists(4));
    // Saving refuses what it cannot write, stubs PCX and warns of 16-bit BMP.
    FillSeeded(1, 4, 2, 16, 5);
    EXPECT_EQ(Korvid.SaveChunky(1, "", KOR_SAVE_KVP, 0), 0);
    EXPECT_EQ(Korvid.SaveChunky(1, std::string(256, 'a').c_str(), KOR_SAVE_KVP, 0), 0);
    EXPECT_EQ(Korvid.SaveChunky(9, "none.kvp", KOR_SAVE_KVP, 0), 0);
    EXPECT_EQ(Korvid.SaveChunky(1, "no/such/dir/x.kvp", KOR_SAVE_KVP, 0), 0);
    EXPECT_FALSE(Korvid.FileExists("none.kvp"));
    EXPECT_TRUE(Saved(1, "x.pcx", KOR_SAVE_PCX).empty());
    EXPECT_EQ(LogMessages().back(), "WARNING: Function SaveChunkyPCX() Not Implemented!");
    EXPECT_TRUE(Saved(1, "x.what", 7).empty());
    EXPECT_TRUE(Korvid.FileExists("x.what"));
    EXPECT_EQ(Saved(1, "s.bmp", KOR_SAVE_BMP), BmpHeader("BM", 4, 2, 16, 0, 16));
    EXPECT_EQ(LogMessages().back(), "WARNING: ** SaveChunkyBMP() - 16bit not supported **");
    // 24-bit rows dither to RGB565 adding each pixel's lost low bits, halved, into the next (a cookie
    // pixel restarts it), and to 8 bits as the nearest palette index of the colour plus the error.
    const auto WriteRow = [](const char* szName, const Bytes& Row) {
        const Bytes Header = KvpHeader((uint16_t)(Row.size() / 3), 1, 24, 0, (uint32_t)Row.size(), false);
        WriteFileBytes(szName, Concat({Header, Row}));
    };
    WriteRow("grey.kvp", {12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12});
    WriteRow("cookie.kvp", {12, 12, 12, 12, 12, 12, 0, 0, 0, 14, 12, 14});
    WriteRow("allcookie.kvp", Bytes(9, 0));
    Korvid.SetCookieColour(0);
    const std::pair<const char*, std::vector<uint16_t>> Cases[] = {{"grey.kvp", {0x0861, 0x0861, 0x1062, 0x0861}},
                                                                  {"cookie.kvp", {0x0861, 0x0861, 0x0000, 0x0861}},
                                                                  {"allcookie.kvp", {0, 0, 0}}};
    for (const auto& [szName, Expected] : Cases) {
        ASSERT_EQ(Korvid.LoadChunky(1, szName, KOR_LOAD_DEPTH16), 1);
        const uint16_t* pRow = Korvid.ExistingChunky(1)->Pixels16();
        EXPECT_EQ(std::vector<uint16_t>(pRow, pRow + Expected.size()), Expected) << szName;
    }
    for (uint32_t n = 0; n < 256; ++n)
        Korvid.SetPaletteEntry(n, 255, 255, 255);
    Korvid.SetPaletteEntry(0, 0, 0, 0);
    Korvid.SetPaletteEntry(1, 100, 100, 100);
    Korvid.SetPaletteEntry(2, 110, 110, 110);
    WriteRow("row.kvp", {104, 104, 104, 104, 104, 104, 0, 0, 0, 104, 104, 104});
    ASSERT_EQ(Korvid.LoadChunky(1, "row.kvp", KOR_LOAD_DEPTH8), 1);
    EXPECT_EQ(ChunkyBytes(1), (Bytes{1, 2, 0, 1}));
}

struct DamageCase {
    const char* szName;
    Bytes File;
    int nResult;
    const char* szLogLine;
};

std::vector<DamageCase> DamageCases()
{
    const Bytes Bgr9(9, 0x40);
    return {
        {"short.kvp", Bytes{'K', 'V', 'P', '1', 1, 0}, 0, "LoadKVP: Failed to load - file too short for a header"},
        {"nopal.kvp", Concat({KvpHeader(4, 4, 8, 0, 16, true), Bytes(100, 1)}), 0,
         "LoadKVP: Failed to load - file ends inside the palette"},
        {"big.kvp", Concat({KvpHeader(4, 4, 8, 0, 100, false), Bytes(100, 1)}), 0,
         "LoadKVP: Failed to load - data size 100 larger than the picture (16 bytes)"},
        {"big16.kvp", Concat({KvpHeader(2, 2, 16, 1, 9, false), Bytes(9, 1)}), 0,
         "LoadKVP: Failed to load - data size 9 larger than the picture (8 bytes)"},
        {"cut.kvp", Concat({KvpHeader(4, 4, 8, 0, 16, false), Bytes(5, 1)}), 0,
         "LoadKVP: Failed to load - file ends inside the picture data"},
        {"zero.kvp", KvpHeader(0, 4, 8, 0, 0, false), 0, "LoadKVP: Failed to load - bad picture size 0x4"},
        {"huge.kvp", KvpHeader(60000, 60000, 24, 1, 10, false), 0,
         "LoadKVP: Failed to load - bad picture size 60000x60000"},
        {"big24.kvp", Concat({KvpHeader(2, 2, 24, 1, 13, false), Bytes(13, 1)}), 0,
         "LoadKVP: Failed to load - data size 13 larger than the picture (12 bytes)"},
        {"comp2.kvp", Concat({KvpHeader(2, 2, 24, 2, 12, false), Bytes(12, 1)}), 0,
         "LoadKVP: Failed to load - Memory allocation Error"},
        {"rows.kvp", Concat({KvpHeader(2, 3, 24, 0, 18, false), Bytes(8, 1)}), 0,
         "LoadKVP: Failed to load - file ends at row 1"},
        {"deep.kvp", Concat({KvpHeader(2, 2, 32, 0, 16, false), Bytes(16, 1)}), 0,
         "LoadKVP: Failed to load - unsupported depth (32Bit)"},
        // A compressed 24-bit picture whose block cannot be read still loads (cleared).
        {"nodata.kvp", KvpHeader(2, 2, 24, 1, 12, false), 1, "LoadKVP: Failed to Load Compressed Buffer"},
        {"short.tga", Bytes(10, 0), 0, "LoadTGA: Failed to load - file too short for a header"},
        {"rle.tga", Concat({TgaHeader(0, 10, 0, 0, 3, 3, 24), Bytes(27, 1)}), 0,
         "LoadTGA: Failed to load - unsupported image type (10)"},
        {"hi.tga", Concat({TgaHeader(0, 2, 0, 0, 3, 3, 16), Bytes(18, 1)}), 0,
         "LoadTGA: Failed to load - unsupported pixel format (16Bit)"},
        {"cut.tga", Concat({TgaHeader(0, 2, 0, 0, 3, 3, 24), Bgr9, Bgr9}), 0,
         "LoadTGA: Failed to load - file ends at row 2"},
        {"zero.tga", TgaHeader(0, 2, 0, 0, 0, 3, 24), 0, "LoadTGA: Failed to load - bad picture size 0x3"},
        {"nomap.tga", Concat({TgaHeader(0, 1, 0, 0, 2, 2, 8), Bytes(4, 3)}), 1, "No ColMap Loaded"},
        {"map16.tga", Concat({TgaHeader(1, 1, 4, 16, 2, 2, 8), Bytes(8, 7), Bytes(4, 3)}), 1,
         "LoadTGA: WARNING - unsupported palette type (16 bit entries)"},
        {"cut8.tga", Concat({TgaHeader(0, 1, 0, 0, 4, 4, 8), Bytes(9, 3)}), 0,
         "LoadTGA: Failed to load - file ends at row 2"},
        {"short.bmp", Bytes{'B', 'M', 1, 2, 3}, 0, "LoadBMP: Failed to load - file too short for a header"},
        {"magic.bmp", Concat({BmpHeader("XY", 4, 1, 24, 0, 12), Bytes(12, 1)}), 0,
         "BMPLoad: Not a Valid BMP File Header 'XY'"},
        {"bits.bmp", Concat({BmpHeader("BM", 4, 1, 16, 0, 8), Bytes(8, 1)}), 0,
         "BMPLoad: Unsupported BMP type - 16Bit"},
        {"rle.bmp", Concat({BmpHeader("BM", 4, 1, 8, 1, 4), Bytes(1024 + 4, 1)}), 0,
         "LoadBMP: BMP Compression not supported"},
        {"funky.bmp", Concat({BmpHeader("BM", 3, 2, 24, 0, 20), Bytes(24, 1)}), 0,
         "LoadBMP: BMP Size too Funky Error (20)"},
        {"beyond.bmp", Concat({BmpHeader("BM", 4, 4, 24, 0, 48), Bytes(20, 1)}), 0,
         "LoadBMP: Failed to load - image data (48 bytes) larger than the file"},
        {"upside.bmp", Concat({BmpHeader("BM", 4, -4, 24, 0, 48), Bytes(48, 1)}), 0,
         "LoadBMP: Failed to load - bad picture size 4x-4"},
        {"huge.bmp", Concat({BmpHeader("BM", 70000, 1, 24, 0, 210000), Bytes(16, 1)}), 0,
         "LoadBMP: Failed to load - bad picture size 70000x1"},
        {"short.pcx", Bytes(100, 10), 0, "LoadPCX: Failed to load - file too short for a header"},
        {"maker.pcx", Concat({PcxHeader(0, 0, 1, 1, 2, 9), Bytes(800, 1)}), 0, "LoadPCX: Bad manufacturer"},
        {"version.pcx", Concat({PcxHeader(0, 0, 1, 1, 2, 10, 3), Bytes(800, 1)}), 0, "LoadPCX: Bad version"},
        {"encoding.pcx", Concat({PcxHeader(0, 0, 1, 1, 2, 10, 5, 0), Bytes(800, 1)}), 0, "LoadPCX: encoding"},
        {"bpp.pcx", Concat({PcxHeader(0, 0, 1, 1, 2, 10, 5, 1, 4), Bytes(800, 1)}), 0, "LoadPCX: Bad bpp"},
        {"planes.pcx", Concat({PcxHeader(0, 0, 1, 1, 2, 10, 5, 1, 8, 3), Bytes(800, 1)}), 0, "LoadPCX: Bad planes"},
        {"nopal.pcx", Concat({PcxHeader(0, 0, 1, 1, 2), Bytes(10, 1)}), 0,
         "LoadPCX: Failed to load - file too short (138 bytes)"},
        // Data running out, and a run count as the last byte before the palette.
        {"few.pcx", Concat({PcxHeader(0, 0, 3, 3, 4), Bytes{1, 2, 3}, Bytes(768, 9)}), 1,
         "LoadPCX: WARNING - PCX was malformed!"},
        {"cutrun.pcx", Concat({PcxHeader(0, 0, 3, 3, 4), Bytes{0xC5}, Bytes(768, 9)}), 1,
         "LoadPCX: WARNING - PCX was malformed!"},
        // Headers claiming more pixels than the file could ever pack are refused before any
        // memory is taken: without the cap a 40-byte file could ask for 800 MB.
        {"cap.kvp", Concat({KvpHeader(16384, 16384, 24, 1, 24, false), Bytes(24, 1)}), 0,
         "LoadKVP: Failed to load - picture size 16384x16384 too large for a file of 40 bytes"},
        {"cap.tga", Concat({TgaHeader(0, 2, 0, 0, 16384, 16384, 24), Bytes(22, 1)}), 0,
         "LoadTGA: Failed to load - picture size 16384x16384 too large for a file of 40 bytes"},
        {"cap.bmp", Concat({BmpHeader("BM", 16384, 16384, 24, 0, 6), Bytes(6, 1)}), 0,
         "LoadBMP: Failed to load - picture size 16384x16384 too large for a file of 60 bytes"},
        {"cap.pcx", Concat({PcxHeader(0, 0, 16383, 16383, 16384), Bytes(2, 0xC1)}), 0,
         "LoadPCX: Failed to load - picture size 16384x16384 too large for a file of 130 bytes"},
        // 33 rows of 1032 pixels from a 32-byte file: one row past the limit.
        {"tall.kvp", Concat({KvpHeader(1032, 33, 8, 1, 16, false), Bytes(16, 1)}), 0,
         "LoadKVP: Failed to load - picture size 1032x33 too large for a file of 32 bytes"},
    };
}

TEST_F(ImageFiles, OddButReadableHeadersLoadAndBadArgumentsOrDamagedFilesAreRefusedLeakingNothing)
{
    EXPECT_EQ(Korvid.LoadChunky(Korvid.ChunkyTableSize(), "a.tga", 0), 0);
    EXPECT_EQ(LogMessages().back(),
              "ERROR: ** Invalid Chunky Number " + std::to_string(Korvid.ChunkyTableSize()) + " **");
    EXPECT_EQ(Korvid.LoadChunky(1, nullptr, 0), 0);
    EXPECT_EQ(LogMessages().back(), "ERROR: ** Illegal Filename **");
    EXPECT_EQ(Korvid.LoadChunky(1, "", 0), 0);
    EXPECT_EQ(LogMessages().back(), "ERROR: ** Illegal Filename **");
    EXPECT_EQ(Korvid.LoadChunky(1, "Missing.TGA", 0), 0);
    EXPECT_EQ(LogMessages().back(), "ERROR: ** Failed to open Image 'missing.tga' **");
    EXPECT_EQ(Korvid.LoadChunky(1, std::string(300, 'a').c_str(), 0), 0);
    EXPECT_EQ(LogMessages().back(), "ERROR: ** Image Filename Too Long (300 characters) **");
    // The PCX window's origin is ignored: a picture from x 10 to 99 is 100 wide; runs fill it continuously.
    Bytes Palette(768, 0);
    Palette[7 * 3] = 70;
    WriteFileBytes("wide.pcx", Concat({PcxHeader(10, 0, 99, 0, 100), {0xC0 | 50, 7, 0xC0 | 50, 8}, Palette}));
    ASSERT_EQ(Korvid.LoadChunky(1, "wide.pcx", KOR_LOAD_PALETTE), 1);
    EXPECT_EQ(Korvid.ChunkyWidth(1), 100);
    EXPECT_EQ(Pixel8(1, 49, 0), 7);
    EXPECT_EQ(Pixel8(1, 50, 0), 8);
    EXPECT_EQ(Korvid.PaletteRed(7), 70);
    EXPECT_EQ(LogMessages().back(), "LoadingPCX(1) 100,1 8Bit");

    // A lower-case magic is a BMP too.
    WriteFileBytes("lower.bmp", Concat({BmpHeader("bm", 4, 1, 24, 0, 12), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}));
    ASSERT_EQ(Korvid.LoadChunky(1, "lower.bmp", KOR_LOAD_DEPTH24), 1);
    EXPECT_EQ(ChunkyBytes(1), (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));

    // With the file's own depth a 24-bit TGA is stored top row first, otherwise bottom row first.
    WriteFileBytes("two.tga", Concat({TgaHeader(0, 2, 0, 0, 1, 2, 24), {10, 20, 30, 40, 50, 60}}));
    ASSERT_EQ(Korvid.LoadChunky(1, "two.tga", KOR_LOAD_DEPTH24), 1);
    EXPECT_EQ(ChunkyBytes(1), (Bytes{60, 50, 40, 30, 20, 10}));
    ASSERT_EQ(Korvid.LoadChunky(1, "two.tga", KOR_LOAD_FILEDEPTH), 1);
    EXPECT_EQ(ChunkyBytes(1), (Bytes{30, 20, 10, 60, 50, 40}));

    // An 8-bit TGA's colour map fills the palette from its first entry.
    Bytes Mapped = TgaHeader(1, 1, 2, 24, 2, 1, 8);
    Mapped[3] = 254;
    WriteFileBytes("mapped.tga", Concat({Mapped, {1, 2, 3, 4, 5, 6, 254, 255}}));
    ASSERT_EQ(Korvid.LoadChunky(2, "mapped.tga", KOR_LOAD_PALETTE), 1);
    EXPECT_EQ(ChunkyBytes(2), (Bytes{254, 255}));
    EXPECT_EQ(PaletteColour(254), (Rgb{3, 2, 1}));
    EXPECT_EQ(PaletteColour(255), (Rgb{6, 5, 4}));

    // 32 rows of 1032 pixels from 32 bytes: the most any block format could pack.
    WriteFileBytes("full.kvp", Concat({KvpHeader(1032, 32, 8, 1, 16, false), Bytes(16, 1)}));
    ASSERT_EQ(Korvid.LoadChunky(1, "full.kvp", KOR_LOAD_FILEDEPTH), 1);
    EXPECT_EQ(Korvid.ChunkyHeight(1), 32);
    // Every damaged file is refused with its line, and leaks nothing.
    Korvid.FreeChunky(1);
    for (const DamageCase& Case : DamageCases()) {
        SCOPED_TRACE(Case.szName);
        WriteFileBytes(Case.szName, Case.File);
        const uint32_t nBlocks = Korvid.MallocCount();
        EXPECT_EQ(Korvid.LoadChunky(1, Case.szName, KOR_LOAD_PALETTE), Case.nResult);
        EXPECT_EQ(LogMessages().back(), Case.szLogLine);
        if (strstr(Case.szLogLine, "too large")) {
            EXPECT_EQ(Korvid.MallocCount(), nBlocks) << "refused before allocating";
        }
        Korvid.FreeChunky(1);
        EXPECT_EQ(Korvid.MallocCount(), nBlocks) << "nothing but the chunky stays allocated";
    }
}

// nColours distinct colours (by their reds), none black, and a w x h picture of them, as RGB bytes.
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

// The picture decoded by ImageMagick as bytes of the map ("rgb" or "rgba"), turned as the file says.
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

TEST_F(ImagePeer, PicturesMadeByImageMagickLoadPixelExactAndWrittenOnesReadBackThere)
{
    // Odd widths give BMPs padded rows. ImageMagick writes a TGA's rows as it holds them and marks
    // the file bottom-left: flipped first, the file is a true bottom-up TGA of the pattern.
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
        AppendText(Ppm, ("P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n").c_str());
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
    // Odd widths make the writers pad their BMP rows; a 16-bit TGA holds RGB555, bottom row first.
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
