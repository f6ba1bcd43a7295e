// Fonts: a character set drawn here is grabbed into bank 0 and printed with each flag; widths
// and pixels against positions and colours worked out by hand.
#include "GfxTestSupport.h"

namespace {

constexpr uint16_t kBackground = 0xFFFF, kRed = 0xF800, kGreen = 0x07E0, kBlue = 0x001F;
constexpr uint32_t kSheet = 1;

class Fonts : public GfxTest {
protected:
    Fonts() : GfxTest(64, 48, 16, kBackground) {}
    // Cells of 20 x 12, eight to a row, for the codes 'A' (65) to 'e' (101). Three hold a shape:
    //   'A' (cell 0):  red 6 x 8 block at (2, 1) of its cell     -> advance 7
    //   'B' (cell 1):  green 3 x 12 block at (1, 0)              -> advance 4
    //   'e' (cell 36): blue 16 x 6 block at (0, 4)               -> advance 17
    static void DrawSheet()
    {
        ASSERT_EQ(Korvid.InitChunky(kSheet, 160, 60, 16), 1);
        Korvid.UseChunky(kSheet);
        Korvid.BoxFill(2, 1, 7, 8, kRed, KOR_DRAW_SOLID, 0);
        Korvid.BoxFill(21, 0, 23, 11, kGreen, KOR_DRAW_SOLID, 0);
        Korvid.BoxFill(80, 52, 95, 57, kBlue, KOR_DRAW_SOLID, 0);
        Korvid.UseChunky(0);
    }
    static void GrabSheet(uint8_t nGrabFlags = 0)
    {
        DrawSheet();
        Korvid.GrabFont(kSheet, 0, 0, 20, 12, 8, 'A', 'e', nGrabFlags, 10, 0);
    }
    static uint16_t Half(uint16_t nPixel) { return (uint16_t)((nPixel >> 1) & 0x7BEF); }
    // Prints on a fresh background.
    static void Print(int16_t x, int16_t y, const char* szText, uint8_t nFlags, uint16_t nColour = 0,
                      int16_t nParam = -1)
    {
        Korvid.ClearChunky(0, kBackground);
        Korvid.FontPrint(x, y, szText, nFlags, nColour, nParam);
    }
};

TEST_F(Fonts, GrabbedCharactersGiveWidthsPrintInTheFlagsModesWrapAtWordsAndFeatherThroughMasks)
{
    GrabSheet();
    EXPECT_TRUE(LogHas("GrabBank 0, FirstChunky 244, TotalChars 37"));
    EXPECT_EQ(Korvid.FontBanks()[0].nCharCount, 37);
    EXPECT_EQ(Shape(244), (std::array<int, 4>{6, 8, -2, -1}));
    EXPECT_EQ(Korvid.ChunkyWidth(244 + 36), 16);
    EXPECT_EQ(Korvid.ChunkyWidth(244 + 2), 1);   // an empty cell shrinks to its bottom-right pixel
    EXPECT_EQ(Korvid.GetUsedChunky(), 0u);
    EXPECT_EQ(Korvid.FontHeight(), 12);
    const std::tuple<const char*, uint8_t, int16_t> Widths[] = {
        {"A", 0, 7}, {"AB", 0, 11}, {"e", 0, 17}, {"", 0, 0},
        {"AB", KOR_PRINT_FIXED, 36},   // 2 x (cell width - 2)
        {"A A", 0, 17},                // the space is not held: half of 7
        {"A\xc8", 0, 10},              // nor is code 200
        {"A A", KOR_PRINT_FIXED, 54},
        {"C", 0, 2},                   // an empty cell: its 1-pixel chunky + 1
    };
    for (const auto& [szText, nFlags, nWidth] : Widths)
        EXPECT_EQ(Korvid.FontWidth(szText, nFlags), nWidth) << szText << " flags " << (int)nFlags;
    // 'A' pen (5, 5), hot spot (-2, -1): red over (7..12, 6..13); 'B' pen (12, 5): green over (13..15, 5..16).
    Print(5, 5, "AB", 0);
    EXPECT_EQ(CountDrawn(kBackground), 6 * 8 + 3 * 12);
    EXPECT_EQ(Pixel16(0, 7, 6), kRed);
    EXPECT_EQ(Pixel16(0, 15, 16), kGreen);
    Print(5, 5, "AB", KOR_PRINT_FIXED);
    EXPECT_EQ(Pixel16(0, 24, 5), kGreen);   // pen 5 + 18
    Print(30, 20, "AB", KOR_PRINT_CENTRE);
    EXPECT_EQ(Pixel16(0, 27, 21), kRed);   // width 11: the pen starts at 30 - 5 = 25, so 'A' begins at 27
    EXPECT_EQ(Pixel16(0, 26, 21), kBackground);
    const std::tuple<const char*, uint8_t, uint16_t, uint16_t> Cases[] = {
        {"silhouette", KOR_PRINT_SOLIDCOLOUR, kBlue, kBlue},
        {"trans 50", KOR_PRINT_TRANS, 0, (uint16_t)(Half(kRed) + Half(kBackground))},
        {"tint 50", KOR_PRINT_TINT, kBlue, (uint16_t)(Half(kRed) + Half(kBlue))},
        {"solid trans 50", KOR_PRINT_SOLIDTRANS, 0, Half(kBackground)},
        {"silhouette wins over trans", KOR_PRINT_TRANS | KOR_PRINT_SOLIDCOLOUR, kBlue, kBlue},
        {"solid trans wins over silhouette", KOR_PRINT_SOLIDCOLOUR | KOR_PRINT_SOLIDTRANS, 0, Half(kBackground)},
        {"no mode: the plain image", 0, kBlue, kRed},
    };
    for (const auto& [szWhat, nFlags, nColour, nExpected] : Cases) {
        Print(5, 5, "A", nFlags, nColour, 50);
        EXPECT_EQ(Pixel16(0, 9, 9), nExpected) << szWhat;   // an inner pixel of 'A'
        EXPECT_EQ(Pixel16(0, 6, 9), kBackground) << szWhat;
    }
    // 'e' advances 17, so 17 / 8 = 2: copies at offsets 3, 2 and 1 under 'A' at (7..12, 6..13).
    Print(5, 5, "A", KOR_PRINT_SHADOW);
    EXPECT_EQ(Pixel16(0, 15, 16), Half(kBackground));               // offset 3 only
    EXPECT_EQ(Pixel16(0, 14, 15), Half(Half(kBackground)));         // offsets 3 and 2
    EXPECT_EQ(Pixel16(0, 13, 14), Half(Half(Half(kBackground))));   // all three
    EXPECT_EQ(Pixel16(0, 12, 13), kRed);                            // the character on top
    EXPECT_EQ(Pixel16(0, 16, 16), kBackground);
    Korvid.ClearChunky(0, kBackground);
    // "AB AB" measures 11 + 3 + 11 = 25.
    Korvid.FontPrintWrapped(0, 0, 25, "AB AB AB", 0, 0, -1);
    EXPECT_EQ(Pixel16(0, 16, 1), kRed);          // second word of line 1: pen 14, 'A' at 16
    EXPECT_EQ(Pixel16(0, 30, 1), kBackground);   // no third word on line 1
    EXPECT_EQ(Pixel16(0, 2, 13), kRed);          // line 2 at y = 12
    EXPECT_EQ(Pixel16(0, 16, 13), kBackground);
    Korvid.ClearChunky(0, kBackground);
    Korvid.FontPrintWrapped(0, 0, 24, "AB AB", 0, 0, -1);
    EXPECT_EQ(Pixel16(0, 16, 1), kBackground);
    EXPECT_EQ(Pixel16(0, 2, 13), kRed);
    // Centred in a box of 40: the line is centred on x = 20, pen 20 - 7 / 2 = 17, 'A' from 19.
    Korvid.ClearChunky(0, kBackground);
    Korvid.FontPrintWrapped(0, 20, 40, "A", KOR_PRINT_CENTRE, 0, -1);
    EXPECT_EQ(Pixel16(0, 19, 21), kRed);
    EXPECT_EQ(Pixel16(0, 18, 21), kBackground);
    // A word longer than the line buffer is cut, not overrun.
    Korvid.ClearChunky(0, kBackground);
    const std::string Text = "B " + std::string(3000, 'A') + " B";
    Korvid.FontPrintWrapped(0, 0, 30, Text.c_str(), 0, 0, -1);
    EXPECT_EQ(Pixel16(0, 1, 0), kGreen);   // "B" alone on the first line
    EXPECT_EQ(Pixel16(0, 2, 13), kRed);    // the long word starts line 2
    // Grabbed again feathered, the font prints through its alpha masks.
    GrabSheet(KOR_GRAB_FEATHER);
    ASSERT_EQ(Korvid.FontBanks()[0].nBlitFlags, KOR_BLIT_ALPHA);
    Print(5, 5, "A", KOR_PRINT_SHADOW);
    // Deep inside the shape the mask is opaque; its corner is soft.
    EXPECT_EQ(Pixel16(0, 9, 9), kRed);
    EXPECT_NE(Pixel16(0, 7, 6), kRed);
    EXPECT_NE(Pixel16(0, 7, 6), kBackground);
    // One soft black silhouette at offset max(17 / 8, 1) = 2 darkens the background below the corner.
    EXPECT_LT(Pixel16(0, 13, 14), kBackground);
}

TEST_F(Fonts, EmptyBanksAndBadArgumentsAreReported)
{
    Korvid.FontPrint(0, 0, "A", 0, 0, -1);
    EXPECT_EQ(Korvid.FontWidth("A", 0), 0);
    EXPECT_EQ(Korvid.FontHeight(), 0);
    Korvid.UseFont(5);
    Korvid.GrabFont(77, 0, 0, 10, 10, 8, 'A', 'Z', 0, 10, 0);
    DrawSheet();
    Korvid.GrabFont(kSheet, 0, 0, 10, 10, 8, 'F', 'E', 0, 10, 0);
    Korvid.GrabFont(kSheet, 0, 0, 10, 10, 8, 'F', '<', 0, 10, 0);
    EXPECT_EQ(Korvid.FontBanks()[0].nCharCount, 0);
    GrabSheet();
    GrabSheet();
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"WARNING: FontPrint() - Currently used Font Bank 0 - Is Empty",
                                                "WARNING: FontWidth() - Currently used Font Bank 0 - Is Empty",
                                                "WARNING: FontHeight() - Currently used Font Bank 0 - Is Empty",
                                                "FAILED: ** UseFont(5) - Font Bank Out Of Range **",
                                                "ERROR: ** Invalid GrabFont() Chunky **",
                                                "Warning: GrabFont() tried to grab 0 Chars",
                                                "Warning: GrabFont() tried to grab -9 Chars",
                                                "GrabFont() - ReGrabbing Previously Used Font Bank 0"}));
    EXPECT_EQ(Korvid.CurrentFontBank(), 0u);
}

class NoFonts : public Fonts {
protected:
    NoFonts() { Korvid.SetMaxFonts(0); }
};

TEST_F(NoFonts, EveryFontCallSaysThereAreNoBanks)
{
    GrabSheet();
    Korvid.FontPrint(0, 0, "A", 0, 0, -1);
    EXPECT_EQ(Korvid.FontWidth("A", 0), 0);
    EXPECT_EQ(Korvid.FontHeight(), 0);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** GrabFont() - No Font Banks have been allocated **",
                                                "ERROR: ** FontPrint() - No Font Banks have been allocated **",
                                                "ERROR: ** FontWidth() - No Font Banks have been allocated **",
                                                "ERROR: ** FontHeight() - No Font Banks have been allocated **"}));
}

}  // namespace
