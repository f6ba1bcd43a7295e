// Pixel formats, converters, palette, nearest-colour search, close table,
// lookup table, standard colours and the trans table, against values worked
// out by hand from the formulas.
#include <sys/stat.h>

#include "GfxTestSupport.h"

namespace {

using PixelFormats = GfxTest;

TEST_F(PixelFormats, SurfaceDescriptionsMapToFormats)
{
    struct Case {
        uint16_t r, g, b, nDepth;
        uint8_t nId, nFamily, nScreenBytes;
        uint16_t nHalfMask;
    };
    for (Case c : {Case{5, 6, 5, 16, KOR_PIXFMT_RGB16, 5, 2, 0x7BEF}, Case{5, 5, 5, 16, KOR_PIXFMT_RGB15, 1, 2, 0x3DEF},
                   Case{8, 8, 8, 32, KOR_PIXFMT_ARGB32, 5, 4, 0x7BEF}, Case{8, 8, 8, 24, KOR_PIXFMT_RGB24, 5, 3, 0x7BEF},
                   Case{3, 3, 2, 8, KOR_PIXFMT_LUT8, 5, 1, 0x7BEF}, Case{5, 5, 5, 15, KOR_PIXFMT_RGB16, 5, 2, 0x7BEF}}) {
        SCOPED_TRACE(c.nDepth);
        Korvid.SetPixelFormatBits(c.r, c.g, c.b, c.nDepth);
        const KorvidPixelFormat& Format = Korvid.PixelFormat();
        EXPECT_EQ(Format.nId, c.nId);
        EXPECT_EQ(Format.nFamily, c.nFamily);
        EXPECT_EQ(Format.nScreenBytesPerPixel, c.nScreenBytes);
        EXPECT_EQ(Format.nHalfMask, c.nHalfMask);
        EXPECT_EQ(Format.bByteSwapped, 0);
    }
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"SetPixelFormat( 565 16Bit )", "SetPixelFormat( KOR_PIXFMT_RGB16 )",
                                 "SetPixelFormat( 555 16Bit )", "SetPixelFormat( KOR_PIXFMT_RGB15 )",
                                 "SetPixelFormat( 888 32Bit )", "SetPixelFormat( KOR_PIXFMT_ARGB32 )",
                                 "SetPixelFormat( 555 15Bit )", "ERROR: ** Unknown Depth Mode, Guessing RGB16 **",
                                 "SetPixelFormat( KOR_PIXFMT_RGB16 )"}));
}

TEST_F(PixelFormats, ByteSwappedFormatsAndTheirFamilies)
{
    struct Case {
        uint8_t nId, nFamily;
        uint16_t nHalfMask;
        uint8_t bSwapped;
    };
    for (Case c : {Case{KOR_PIXFMT_BGR15, 5, 0x7BEF, 0}, Case{KOR_PIXFMT_RGB15PC, 3, 0, 1},
                   Case{KOR_PIXFMT_BGR15PC, 5, 0x7BEF, 1}, Case{KOR_PIXFMT_RGB16PC, 7, 0, 1},
                   Case{KOR_PIXFMT_BGR16PC, 5, 0x7BEF, 1}, Case{KOR_PIXFMT_RGBA32, 5, 0x7BEF, 0}}) {
        SCOPED_TRACE(c.nId);
        Korvid.SetPixelFormat(c.nId);
        EXPECT_EQ(Korvid.PixelFormat().nFamily, c.nFamily);
        EXPECT_EQ(Korvid.PixelFormat().nHalfMask, c.nHalfMask);
        EXPECT_EQ(Korvid.PixelFormat().bByteSwapped, c.bSwapped);
    }
    EXPECT_TRUE(Logged("SetPixelFormat( KOR_PIXFMT_RGB16PC )"));
}

TEST_F(PixelFormats, ConvertersPackAndUnpackWithoutBitReplication)
{
    struct Case {
        uint8_t nFormat;
        uint8_t r, g, b;
        uint16_t nPacked;
        KorvidRGB Unpacked;
        uint32_t n32;
    };
    const Case CASES[] = {
        {KOR_PIXFMT_RGB16, 255, 255, 255, 0xFFFF, {248, 252, 248}, 0x00F8FCF8},
        {KOR_PIXFMT_RGB16, 0x12, 0x34, 0x56, 0x11AA, {0x10, 0x34, 0x50}, 0x00103450},
        {KOR_PIXFMT_RGB15, 255, 0, 0, 0x7C00, {248, 0, 0}, 0x00F80000},
        {KOR_PIXFMT_RGB15, 0x12, 0x34, 0x56, 0x08CA, {0x10, 0x30, 0x50}, 0x00103050},
        {KOR_PIXFMT_RGB16PC, 0x12, 0x34, 0x56, 0xAA11, {0x10, 0x34, 0x50}, 0x00103450},
        {KOR_PIXFMT_RGB15PC, 0x12, 0x34, 0x56, 0xCA08, {0x10, 0x30, 0x50}, 0x00103050},
        {KOR_PIXFMT_ARGB32, 0, 255, 0, 0x07E0, {0, 252, 0}, 0x0000FC00},
    };
    for (const Case& c : CASES) {
        SCOPED_TRACE(testing::Message() << (int)c.nFormat << " " << c.nPacked);
        Korvid.SetPixelFormat(c.nFormat);
        EXPECT_EQ(Korvid.Pack(c.r, c.g, c.b), c.nPacked);
        KorvidRGB Unpacked = Korvid.Unpack(c.nPacked);
        EXPECT_EQ(Unpacked.r, c.Unpacked.r);
        EXPECT_EQ(Unpacked.g, c.Unpacked.g);
        EXPECT_EQ(Unpacked.b, c.Unpacked.b);
        EXPECT_EQ(Korvid.To32(c.nPacked), c.n32);
    }
}

TEST_F(PixelFormats, PaletteComponentsTakeTheBrightness)
{
    OpenDisplay(64, 48, 8);
    Korvid.SetBrightness(0.5f);
    Korvid.SetPaletteEntry(3, 255, 100, 1);
    EXPECT_EQ(Korvid.PaletteRed(3), 127);
    EXPECT_EQ(Korvid.PaletteGreen(3), 50);
    EXPECT_EQ(Korvid.PaletteBlue(3), 0);
    Korvid.SetBrightness(2.0f);
    Korvid.SetPaletteGreen(3, 200);
    Korvid.SetPaletteBlue(3, 20);
    EXPECT_EQ(Korvid.PaletteGreen(3), 255);
    EXPECT_EQ(Korvid.PaletteBlue(3), 40);
    Korvid.SetPaletteEntry(256, 1, 2, 3);
    EXPECT_TRUE(Logged("ERROR: ** SetPaletteEntry(256) - Index out of Range **"));
    Korvid.SavePalette();
    Korvid.SetPaletteRed(3, 9);
    Korvid.RestorePalette();
    EXPECT_EQ(Korvid.PaletteRed(3), 127);
}

TEST_F(PixelFormats, ExhaustiveSearchPrefersTheLowestOfEqualDistances)
{
    Korvid.SetPaletteEntry(3, 90, 100, 100);
    Korvid.SetPaletteEntry(7, 110, 100, 100);
    EXPECT_EQ(Korvid.FindClosestColour(100, 100, 100, KOR_SEARCH_EXHAUSTIVE), 3);
    EXPECT_EQ(Korvid.FindClosestColour(108, 100, 100, KOR_SEARCH_EXHAUSTIVE), 7);
    EXPECT_EQ(Korvid.FindClosestColour(0, 0, 0, KOR_SEARCH_EXHAUSTIVE), 0);
}

TEST_F(PixelFormats, TheCloseTableAnswersForTheCellCornerAndIsRebuiltAfterAnUpdate)
{
    Korvid.SetPaletteEntry(1, 255, 255, 255);
    Korvid.SetPaletteEntry(2, 247, 247, 247);
    // (255, 255, 255) lies in cell (31, 31, 31), which holds the answer for (248, 248, 248).
    EXPECT_EQ(Korvid.FindClosestColour(255, 255, 255, KOR_SEARCH_EXHAUSTIVE), 1);
    EXPECT_EQ(Korvid.FindClosestColour(255, 255, 255, KOR_SEARCH_CLOSETABLE), 2);
    EXPECT_EQ(Korvid.FindClosestColour(250, 252, 254, KOR_SEARCH_CLOSETABLE), 2);
    auto CountBuilds = [] {
        int nBuilds = 0;
        for (const std::string& Line : LogMessages())
            nBuilds += Line == "Allocating 32K CloseTable";
        return nBuilds;
    };
    EXPECT_EQ(CountBuilds(), 1);
    Korvid.UpdatePaletteTables();
    Korvid.SetPaletteEntry(2, 0, 0, 0);
    EXPECT_EQ(Korvid.FindClosestColour(255, 255, 255, KOR_SEARCH_CLOSETABLE), 1);
    EXPECT_EQ(CountBuilds(), 2);
}

TEST_F(PixelFormats, ColoursIn16BitDepthArePackedPixels)
{
    OpenDisplay(64, 48, 16);
    EXPECT_EQ(Korvid.ColourWhite(), 0xFFFF);
    EXPECT_EQ(Korvid.ColourBlack(), 0x0000);
    EXPECT_EQ(Korvid.ColourRed(), 0xF800);
    EXPECT_EQ(Korvid.ColourGreen(), 0x07E0);
    EXPECT_EQ(Korvid.ColourBlue(), 0x001F);
    uint16_t nColour = 0;
    Korvid.MakeColour(nColour, 0x12, 0x34, 0x56);
    EXPECT_EQ(nColour, 0x11AA);
    Korvid.SetCookie(255, 0, 0);
    Korvid.GetCookie(nColour);
    EXPECT_EQ(nColour, 0xF800);
    EXPECT_TRUE(Korvid.IsCookie(0xF800));
    EXPECT_FALSE(Korvid.IsCookie(0x0000));
}

TEST_F(PixelFormats, IndexedDepthFeedsTheLookupTableAndTheStandardColours)
{
    OpenDisplay(64, 48, 8);
    ASSERT_EQ(Korvid.PaletteLookupSize(), 512u);
    Korvid.SetPaletteEntry(10, 255, 255, 255);
    Korvid.SetPaletteEntry(11, 255, 0, 0);
    Korvid.ShowPalette(0);
    const uint16_t* pLookup = (const uint16_t*)Korvid.PaletteLookup();
    EXPECT_EQ(pLookup[10], 0xFFFF);
    EXPECT_EQ(pLookup[11], 0xF800);
    EXPECT_EQ(Korvid.ColourWhite(), 10);
    EXPECT_EQ(Korvid.ColourRed(), 11);
    uint16_t nColour = 0x4400;
    Korvid.MakeColour(nColour, 250, 10, 0);
    EXPECT_EQ(nColour, 0x440B);

    // Changed entries are redone; a new exact white takes over, an equal red does not.
    Korvid.SetPaletteEntry(10, 200, 200, 200);
    Korvid.SetPaletteEntry(20, 255, 255, 255);
    Korvid.SetPaletteEntry(21, 255, 0, 0);
    Korvid.ShowPalette(0);
    EXPECT_EQ(pLookup[10], KorvidConvert::Pack565(200, 200, 200));
    EXPECT_EQ(Korvid.ColourWhite(), 20);
    EXPECT_EQ(Korvid.ColourRed(), 11);

    // A 32-bit screen needs the wider table, filled in full.
    Korvid.SetPixelFormat(KOR_PIXFMT_ARGB32);
    Korvid.UpdatePaletteTables();
    ASSERT_EQ(Korvid.PaletteLookupSize(), 1024u);
    EXPECT_EQ(((const uint32_t*)Korvid.PaletteLookup())[10], 0x00C8C8C8u);
}

TEST_F(PixelFormats, PaletteChangesWaitForAnOpenDisplay)
{
    Korvid.SetPaletteEntry(10, 255, 255, 255);
    Korvid.ShowPalette(1);
    EXPECT_EQ(Korvid.PaletteLookup(), nullptr);
    EXPECT_EQ(Korvid.ColourWhite(), 0);
}

TEST_F(PixelFormats, TheTransTableHoldsTheNearestAverage)
{
    OpenDisplay(64, 48, 8);
    Korvid.SetPaletteEntry(1, 200, 0, 0);
    Korvid.SetPaletteEntry(2, 0, 0, 200);
    Korvid.SetPaletteEntry(3, 100, 0, 100);
    Korvid.SetPaletteEntry(4, 100, 0, 0);
    Korvid.LoadTransTable(nullptr, KOR_SEARCH_EXHAUSTIVE);
    const uint8_t* pTable = Korvid.TransTable();
    ASSERT_NE(pTable, nullptr);
    EXPECT_EQ(pTable[1 * 256 + 2], 3);
    EXPECT_EQ(pTable[2 * 256 + 1], 3);
    EXPECT_EQ(pTable[1 * 256 + 1], 1);
    EXPECT_EQ(pTable[1 * 256 + 0], 4);
    EXPECT_EQ(pTable[255 * 256 + 255], 0);
    EXPECT_TRUE(Logged("Calculating Trans Table"));

    Korvid.SaveTransTable("trans.dat");
    struct stat Info;
    ASSERT_EQ(stat("trans.dat", &Info), 0);
    EXPECT_EQ(Info.st_size, 65025);
    EXPECT_TRUE(Logged("Saving Trans Table 'trans.dat'"));

    Korvid.LoadTransTable("missing.dat", KOR_SEARCH_EXHAUSTIVE);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Loading Trans Table from file 'missing.dat'", "Calculating Trans Table"}));
}

TEST_F(PixelFormats, TheTransTableIsSkippedInTrueColourAndNeedsATableToSave)
{
    OpenDisplay(64, 48, 8);
    Korvid.SaveTransTable("none.dat");
    EXPECT_TRUE(Logged("ERROR: ** SaveTransTable('none.dat') - Unable to Open File **"));
    struct stat Info;
    EXPECT_NE(stat("none.dat", &Info), 0);
    Korvid.ChangeDisplayMode(64, 48, 16, 0);
    Korvid.LoadTransTable(nullptr, KOR_SEARCH_EXHAUSTIVE);
    Korvid.SaveTransTable("none.dat");
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Skipping LoadTransTable() due to True Colour Display",
                                                "Skipping SaveTransTable() due to True Colour Display"}));
    EXPECT_EQ(Korvid.TransTable(), nullptr);
}

}  // namespace
