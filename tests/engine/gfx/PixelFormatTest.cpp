// Pixel formats, converters, palette, nearest-colour search, close table, lookup
// table, standard colours and the trans table, against values worked out by hand.
#include <array>

#include "GfxTestSupport.h"
#include "support/TestFiles.h"

namespace {

using PixelFormats = GfxTest;

TEST_F(PixelFormats, SurfaceDescriptionsMapToFormatsWhoseConvertersPackAndUnpackWithoutBitReplication)
{
    // Bits of red, green and blue and the depth; the format and its screen bytes per pixel.
    const std::array<int, 6> Surfaces[] = {{5, 6, 5, 16, KOR_PIXFMT_RGB16, 2}, {5, 5, 5, 16, KOR_PIXFMT_RGB15, 2},
                                        {8, 8, 8, 32, KOR_PIXFMT_ARGB32, 4}, {8, 8, 8, 24, KOR_PIXFMT_RGB24, 3},
                                        {3, 3, 2, 8, KOR_PIXFMT_LUT8, 1},    {5, 5, 5, 15, KOR_PIXFMT_RGB16, 2}};
    for (const auto& [r, g, b, nDepth, nId, nBytes] : Surfaces) {
        Korvid.SetPixelFormatBits(r, g, b, nDepth);
        EXPECT_EQ(Korvid.PixelFormat().nId, nId) << nDepth;
        EXPECT_EQ(Korvid.PixelFormat().nScreenBytesPerPixel, nBytes) << nDepth;
    }
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"SetPixelFormat( 565 16Bit )", "SetPixelFormat( KOR_PIXFMT_RGB16 )",
                                                "SetPixelFormat( 555 15Bit )",
                                                "ERROR: ** Unknown Depth Mode, Guessing RGB16 **"}));
    // Format, red, green, blue; packed, unpacked red, green, blue, and the 32-bit pixel.
    const std::array<uint32_t, 9> Cases[] = {
        {KOR_PIXFMT_RGB16, 255, 255, 255, 0xFFFF, 248, 252, 248, 0x00F8FCF8},
        {KOR_PIXFMT_RGB16, 0x12, 0x34, 0x56, 0x11AA, 0x10, 0x34, 0x50, 0x00103450},
        {KOR_PIXFMT_RGB15, 255, 0, 0, 0x7C00, 248, 0, 0, 0x00F80000},
        {KOR_PIXFMT_RGB15, 0x12, 0x34, 0x56, 0x08CA, 0x10, 0x30, 0x50, 0x00103050},
        {KOR_PIXFMT_RGB16PC, 0x12, 0x34, 0x56, 0xAA11, 0x10, 0x34, 0x50, 0x00103450},
        {KOR_PIXFMT_RGB15PC, 0x12, 0x34, 0x56, 0xCA08, 0x10, 0x30, 0x50, 0x00103050},
        {KOR_PIXFMT_ARGB32, 0, 255, 0, 0x07E0, 0, 252, 0, 0x0000FC00},
    };
    for (const auto& c : Cases) {
        Korvid.SetPixelFormat((uint8_t)c[0]);
        const KorvidRGB Unpacked = Korvid.Unpack((uint16_t)c[4]);
        EXPECT_EQ((std::array<uint32_t, 5>{Korvid.Pack((uint8_t)c[1], (uint8_t)c[2], (uint8_t)c[3]), Unpacked.r,
                                           Unpacked.g, Unpacked.b, Korvid.To32((uint16_t)c[4])}),
                  (std::array<uint32_t, 5>{c[4], c[5], c[6], c[7], c[8]}))
            << c[0] << " " << c[4];
    }
}

TEST_F(PixelFormats, PaletteComponentsTakeTheBrightnessAndAreSavedAndRestored)
{
    OpenDisplay(64, 48, 8);
    Korvid.SetBrightness(0.5f);
    Korvid.SetPaletteEntry(3, 255, 100, 1);
    EXPECT_EQ((std::array<int, 3>{Korvid.PaletteRed(3), Korvid.PaletteGreen(3), Korvid.PaletteBlue(3)}),
              (std::array<int, 3>{127, 50, 0}));
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

TEST_F(PixelFormats, SearchesPreferTheLowestOfEqualDistancesAndTheCloseTableAnswersForTheCellCorner)
{
    Korvid.SetPaletteEntry(3, 90, 100, 100);
    Korvid.SetPaletteEntry(7, 110, 100, 100);
    EXPECT_EQ(Korvid.FindClosestColour(100, 100, 100, KOR_SEARCH_EXHAUSTIVE), 3);
    EXPECT_EQ(Korvid.FindClosestColour(108, 100, 100, KOR_SEARCH_EXHAUSTIVE), 7);
    EXPECT_EQ(Korvid.FindClosestColour(0, 0, 0, KOR_SEARCH_EXHAUSTIVE), 0);

    Korvid.SetPaletteEntry(1, 255, 255, 255);
    Korvid.SetPaletteEntry(2, 247, 247, 247);
    // (255, 255, 255) lies in cell (31, 31, 31), which holds the answer for (248, 248, 248).
    EXPECT_EQ(Korvid.FindClosestColour(255, 255, 255, KOR_SEARCH_EXHAUSTIVE), 1);
    EXPECT_EQ(Korvid.FindClosestColour(255, 255, 255, KOR_SEARCH_CLOSETABLE), 2);
    EXPECT_EQ(Korvid.FindClosestColour(250, 252, 254, KOR_SEARCH_CLOSETABLE), 2);
    // Built once, and again after the palette tables are updated.
    Korvid.UpdatePaletteTables();
    Korvid.SetPaletteEntry(2, 0, 0, 0);
    EXPECT_EQ(Korvid.FindClosestColour(255, 255, 255, KOR_SEARCH_CLOSETABLE), 1);
    const std::vector<std::string> Lines = LogMessages();
    EXPECT_EQ(std::count(Lines.begin(), Lines.end(), "Allocating 32K CloseTable"), 2);
}

TEST_F(PixelFormats, StandardColoursArePackedPixelsIn16BitDepth)
{
    OpenDisplay(64, 48, 16);
    EXPECT_EQ((std::array<uint16_t, 5>{Korvid.ColourWhite(), Korvid.ColourBlack(), Korvid.ColourRed(),
                                       Korvid.ColourGreen(), Korvid.ColourBlue()}),
              (std::array<uint16_t, 5>{0xFFFF, 0x0000, 0xF800, 0x07E0, 0x001F}));
    uint16_t nColour = 0;
    Korvid.MakeColour(nColour, 0x12, 0x34, 0x56);
    EXPECT_EQ(nColour, 0x11AA);
    Korvid.SetCookie(255, 0, 0);
    Korvid.GetCookie(nColour);
    EXPECT_EQ(nColour, 0xF800);
    EXPECT_TRUE(Korvid.IsCookie(0xF800));
    EXPECT_FALSE(Korvid.IsCookie(0x0000));
}

TEST_F(PixelFormats, IndexedDepthFeedsTheLookupTableAndTheStandardColoursOnceTheDisplayIsOpen)
{
    Korvid.SetPaletteEntry(10, 255, 255, 255);
    Korvid.ShowPalette(1);
    EXPECT_EQ(Korvid.PaletteLookup(), nullptr);
    EXPECT_EQ(Korvid.ColourWhite(), 0);

    OpenDisplay(64, 48, 8);
    Korvid.SetPaletteEntry(10, 255, 255, 255);
    Korvid.SetPaletteEntry(11, 255, 0, 0);
    Korvid.ShowPalette(0);
    const uint16_t* pLookup = (const uint16_t*)Korvid.PaletteLookup();
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
}

TEST_F(PixelFormats, TheTransTableHoldsTheNearestAverageAndIsSavedOrLoadedInIndexedDepthOnly)
{
    OpenDisplay(64, 48, 16);
    Korvid.LoadTransTable(nullptr, KOR_SEARCH_EXHAUSTIVE);
    Korvid.SaveTransTable("none.dat");
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Skipping LoadTransTable() due to True Colour Display",
                                                "Skipping SaveTransTable() due to True Colour Display"}));
    EXPECT_EQ(Korvid.TransTable(), nullptr);
    Korvid.ChangeDisplayMode(64, 48, 8, 0);
    Korvid.SaveTransTable("none.dat");
    EXPECT_TRUE(Logged("ERROR: ** SaveTransTable('none.dat') - Unable to Open File **"));
    EXPECT_FALSE(PathExists("none.dat"));
    Korvid.SetPaletteEntry(1, 200, 0, 0);
    Korvid.SetPaletteEntry(2, 0, 0, 200);
    Korvid.SetPaletteEntry(3, 100, 0, 100);
    Korvid.SetPaletteEntry(4, 100, 0, 0);
    Korvid.LoadTransTable(nullptr, KOR_SEARCH_EXHAUSTIVE);
    const uint8_t* pTable = Korvid.TransTable();
    ASSERT_NE(pTable, nullptr);
    EXPECT_EQ((std::array<int, 5>{pTable[1 * 256 + 2], pTable[2 * 256 + 1], pTable[1 * 256 + 1], pTable[1 * 256],
                                  pTable[255 * 256 + 255]}),
              (std::array<int, 5>{3, 3, 1, 4, 0}));
    Korvid.SaveTransTable("trans.dat");
    EXPECT_EQ(ReadFileBytes("trans.dat").size(), 65025u);
    Korvid.LoadTransTable("missing.dat", KOR_SEARCH_EXHAUSTIVE);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Saving Trans Table 'trans.dat'",
                                                "Loading Trans Table from file 'missing.dat'",
                                                "Calculating Trans Table"}));
}

}  // namespace
