// The text font "font2": every character fits the advance the game steps by,
// the ISO-8859-1 letters (umlauts, sharp s) have glyphs of their own, and every
// glyph is light ink with a dark outline so it reads over any picture.
#include <gtest/gtest.h>

#include "PlayArtTestSheets.h"
#include "art/PlayArt.h"

namespace {

class PlayArtFont : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ForgeAndLoad(ForgeFont2Sheet, {&Sheets::FONT2}, m_Sheets));
        ASSERT_TRUE(Font().Loaded());
    }
    const LoadedSheet& Font() { return m_Sheets["font2"]; }
    static SheetRect CellOf(uint8_t c) { return Sheets::Font2Cell(Sheets::Font2Index(c)); }
    static bool ShowsNothing(uint8_t c) { return c == ' ' || c == 0x7F || c == 0xA0; }
    std::map<std::string, LoadedSheet> m_Sheets;
};

TEST_F(PlayArtFont, EveryGlyphFitsItsAdvance)
{
    for (int nIndex = 0; nIndex < 192; ++nIndex) {
        uint8_t c = (uint8_t)(nIndex < 96 ? nIndex + 32 : nIndex + 64);
        ASSERT_EQ(Sheets::Font2Index(c), nIndex);
        int nAdvance = Sheets::FONT2_WIDTHS[nIndex];
        EXPECT_GT(nAdvance, 2) << (int)c;
        EXPECT_LE(nAdvance, Sheets::FONT2_CELL) << (int)c;
        SheetRect Cell = CellOf(c);
        int nRight = -1;
        for (int y = Cell.y; y < Cell.Bottom(); ++y)
            for (int x = Cell.x; x < Cell.Right(); ++x)
                if (Font().Opaque(x, y))
                    nRight = std::max(nRight, x - Cell.x);
        if (ShowsNothing(c)) {
            EXPECT_EQ(nRight, -1) << (int)c;
            continue;
        }
        EXPECT_GE(nRight, 0) << "no glyph for " << (int)c;
        EXPECT_LT(nRight, nAdvance + 1) << "glyph " << (int)c << " reaches past its advance";
        // Starts at the cell's left edge, so the advance is the whole glyph.
        int nLeft = Cell.w;
        for (int y = Cell.y; y < Cell.Bottom(); ++y)
            for (int x = Cell.x; x < Cell.Right(); ++x)
                if (Font().Opaque(x, y))
                    nLeft = std::min(nLeft, x - Cell.x);
        EXPECT_LE(nLeft, 1) << (int)c;
    }
    // Proportional: an i is narrower than an m.
    EXPECT_LT(Sheets::FONT2_WIDTHS[Sheets::Font2Index('i')] + 5, Sheets::FONT2_WIDTHS[Sheets::Font2Index('m')]);
}

TEST_F(PlayArtFont, GermanLettersHaveGlyphsOfTheirOwn)
{
    const uint8_t PAIRS[][2] = {{0xE4, 'a'}, {0xF6, 'o'}, {0xFC, 'u'}, {0xC4, 'A'}, {0xD6, 'O'}, {0xDC, 'U'}, {0xDF, 'B'}};
    for (const auto& Pair : PAIRS) {
        EXPECT_FALSE(Font().SamePixels(CellOf(Pair[0]), CellOf(Pair[1]))) << (int)Pair[0];
        // The dots stand above the letter: more ink in the cell than the plain letter has.
        if (Pair[0] != 0xDF) {
            EXPECT_GT(Font().OpaqueCount(CellOf(Pair[0])), Font().OpaqueCount(CellOf(Pair[1]))) << (int)Pair[0];
        } else {
            EXPECT_GT(Font().OpaqueCount(CellOf(Pair[0])), 40);
        }
    }
}

TEST_F(PlayArtFont, GlyphsAreLightInkInADarkOutline)
{
    for (int c = 33; c < 256; ++c) {
        if ((c >= 127 && c < 161) || c == 0xAD)
            continue;
        SheetRect Cell = CellOf((uint8_t)c);
        int nLight = 0, nDarkSolid = 0;
        for (int y = Cell.y; y < Cell.Bottom(); ++y)
            for (int x = Cell.x; x < Cell.Right(); ++x) {
                if (!Font().Solid(x, y))
                    continue;
                int nBrightness = Font().Brightness(x, y);
                nLight += nBrightness > 180;
                nDarkSolid += nBrightness < 50;
            }
        EXPECT_GT(nLight, 0) << c;
        EXPECT_GT(nDarkSolid, nLight / 2) << c;
    }
}

}  // namespace
