// Damaged, truncated, oversized and unsupported pictures: each is refused with
// its log line (or loaded as far as it goes, where that is the documented
// result) and nothing is read or written out of bounds.
#include "ImageTestFiles.h"

namespace {

using namespace imagetest;

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
        // KVP
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
        // TGA
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
        // BMP
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
        // PCX
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
    };
}

class ImageDamage : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(64, 48, 16);
    }
};

TEST_F(ImageDamage, EveryDamagedFileIsRefusedWithItsLine)
{
    for (const DamageCase& Case : DamageCases()) {
        SCOPED_TRACE(Case.szName);
        WriteBytes(Case.szName, Case.File);
        EXPECT_EQ(Korvid.LoadChunky(1, Case.szName, KOR_LOAD_PALETTE), Case.nResult);
        EXPECT_EQ(LogMessages().back(), Case.szLogLine);
    }
}

TEST_F(ImageDamage, BadArgumentsAndMissingFiles)
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
}

// The PCX window's origin is ignored: a picture from x 10 to 99 is 100 wide.
// Runs fill the picture continuously; a lower-case magic is a BMP too.
TEST_F(ImageDamage, OddButReadableHeadersLoad)
{
    Bytes Pcx = PcxHeader(10, 0, 99, 0, 100);
    Append(Pcx, {0xC0 | 50, 7, 0xC0 | 50, 8});
    Bytes Palette(768, 0);
    Palette[7 * 3] = 70;
    Append(Pcx, Palette);
    WriteBytes("wide.pcx", Pcx);
    ASSERT_EQ(Korvid.LoadChunky(1, "wide.pcx", KOR_LOAD_PALETTE), 1);
    EXPECT_EQ(Korvid.ChunkyWidth(1), 100);
    EXPECT_EQ(Korvid.ChunkyHeight(1), 1);
    EXPECT_EQ(Pixel8(1, 49, 0), 7);
    EXPECT_EQ(Pixel8(1, 50, 0), 8);
    EXPECT_EQ(Korvid.PaletteRed(7), 70);
    EXPECT_EQ(IndexOf(LogMessages(), "LoadingPCX(1) 100,1 8Bit"), (int)LogMessages().size() - 1);

    Bytes Bmp = BmpHeader("bm", 4, 1, 24, 0, 12);
    Append(Bmp, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    WriteBytes("lower.bmp", Bmp);
    ASSERT_EQ(Korvid.LoadChunky(1, "lower.bmp", KOR_LOAD_DEPTH24), 1);
    EXPECT_EQ(Bytes(Korvid.ChunkyBuffer(1), Korvid.ChunkyBuffer(1) + 12),
              (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));
}

// With the file's own depth a 24-bit TGA is stored top row first; otherwise
// bottom row first. An 8-bit TGA's colour map fills the palette from its first entry.
TEST_F(ImageDamage, TgaRowOrderAndColourMap)
{
    Bytes Tga = TgaHeader(0, 2, 0, 0, 1, 2, 24);
    Append(Tga, {10, 20, 30, 40, 50, 60});
    WriteBytes("two.tga", Tga);
    ASSERT_EQ(Korvid.LoadChunky(1, "two.tga", KOR_LOAD_DEPTH24), 1);
    EXPECT_EQ(Bytes(Korvid.ChunkyBuffer(1), Korvid.ChunkyBuffer(1) + 6), (Bytes{60, 50, 40, 30, 20, 10}));
    ASSERT_EQ(Korvid.LoadChunky(1, "two.tga", KOR_LOAD_FILEDEPTH), 1);
    EXPECT_EQ(Bytes(Korvid.ChunkyBuffer(1), Korvid.ChunkyBuffer(1) + 6), (Bytes{30, 20, 10, 60, 50, 40}));

    Bytes Mapped = TgaHeader(1, 1, 2, 24, 2, 1, 8);
    Mapped[3] = 254;   // the map's first entry
    Append(Mapped, {1, 2, 3, 4, 5, 6, 254, 255});
    WriteBytes("mapped.tga", Mapped);
    ASSERT_EQ(Korvid.LoadChunky(2, "mapped.tga", KOR_LOAD_PALETTE), 1);
    EXPECT_EQ(Korvid.ChunkyDepth(2), 8);
    EXPECT_EQ((Rgb{Korvid.PaletteRed(254), Korvid.PaletteGreen(254), Korvid.PaletteBlue(254)}), (Rgb{3, 2, 1}));
    EXPECT_EQ((Rgb{Korvid.PaletteRed(255), Korvid.PaletteGreen(255), Korvid.PaletteBlue(255)}), (Rgb{6, 5, 4}));
    EXPECT_EQ(Pixel8(2, 0, 0), 254);
    EXPECT_EQ(Pixel8(2, 1, 0), 255);
}

}  // namespace
