// The game's text drawing and the halted overlay, read back from the back
// buffer of the started game.
#include "game/GameFixture.h"

#include <algorithm>

#include "GameState.h"
#include "Overlay.h"
#include "Text.h"
#include "sheets.h"

namespace {

constexpr int SCREEN_WIDTH = 800, SCREEN_HEIGHT = 600;

// The rectangle of back-buffer pixels that differ from the background colour.
struct Area {
    int nLeft = SCREEN_WIDTH, nTop = SCREEN_HEIGHT, nRight = -1, nBottom = -1;
    bool Empty() const { return nRight < 0; }
};

class GameText : public gametest::GameStart {
protected:
    void SetUp() override
    {
        GameStart::SetUp();
        ASSERT_TRUE(StartGame());
        Korvid.UseChunky(0);
        Clear();
    }

    void Clear() { Korvid.ClearChunky(0, m_nBackground); }

    static uint16_t Pixel(int x, int y) { return ((const uint16_t*)Korvid.ChunkyBuffer(0))[y * SCREEN_WIDTH + x]; }

    Area Drawn() const
    {
        Area Found;
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            for (int x = 0; x < SCREEN_WIDTH; ++x)
                if (Pixel(x, y) != m_nBackground) {
                    Found.nLeft = std::min(Found.nLeft, x);
                    Found.nRight = std::max(Found.nRight, x);
                    Found.nTop = std::min(Found.nTop, y);
                    Found.nBottom = std::max(Found.nBottom, y);
                }
        return Found;
    }

    std::vector<uint16_t> Row(int x, int y, int nWidth) const
    {
        return std::vector<uint16_t>(&((const uint16_t*)Korvid.ChunkyBuffer(0))[y * SCREEN_WIDTH + x],
                                     &((const uint16_t*)Korvid.ChunkyBuffer(0))[y * SCREEN_WIDTH + x + nWidth]);
    }

    // A mid grey in RGB565, so darkening and drawing both show.
    uint16_t m_nBackground = (16 << 11) | (32 << 5) | 16;
};

int Font2Width(const char* szText)
{
    int nWidth = 0;
    for (const char* p = szText; *p; ++p)
        nWidth += Sheets::FONT2_WIDTHS[Sheets::Font2Index((uint8_t)*p)];
    return nWidth;
}

TEST_F(GameText, NumbersStayInTheirTwelvePixelCells)
{
    GamePrintNumbers(100, 50, "1A", false, 0);
    Area Text = Drawn();
    ASSERT_FALSE(Text.Empty());
    EXPECT_GE(Text.nLeft, 100);
    EXPECT_LT(Text.nRight, 100 + 2 * Sheets::GLYPH_WIDTH);
    EXPECT_GE(Text.nRight, 100 + Sheets::GLYPH_WIDTH);   // the second character is drawn
    EXPECT_GE(Text.nTop, 50);
    EXPECT_LT(Text.nBottom, 50 + Sheets::GLYPH_HEIGHT);

    // A space only advances; a line feed goes down one line and back to the start.
    Clear();
    GamePrintNumbers(100, 50, " 1\n2", false, 0);
    Text = Drawn();
    EXPECT_GE(Text.nLeft, 100);
    EXPECT_GE(Text.nRight, 100 + Sheets::GLYPH_WIDTH);
    EXPECT_GE(Text.nBottom, 50 + Sheets::GLYPH_LINE_STEP);
    // "2" on the second line, under the space.
    EXPECT_NE(Row(100, 50 + Sheets::GLYPH_LINE_STEP + 7, Sheets::GLYPH_WIDTH),
              std::vector<uint16_t>(Sheets::GLYPH_WIDTH, m_nBackground));
}

TEST_F(GameText, CentredNumbersSitInTheMiddleOfTheScreen)
{
    const int nLeft = (SCREEN_WIDTH - 3 * Sheets::GLYPH_WIDTH) / 2;
    for (bool bCentredFlag : {true, false}) {
        Clear();
        GamePrintNumbers(bCentredFlag ? 10 : -1, 40, "ABC", bCentredFlag, 0);
        Area Text = Drawn();
        EXPECT_GE(Text.nLeft, nLeft) << bCentredFlag;
        EXPECT_LT(Text.nRight, nLeft + 3 * Sheets::GLYPH_WIDTH) << bCentredFlag;
        EXPECT_GE(Text.nRight, nLeft + 2 * Sheets::GLYPH_WIDTH) << bCentredFlag;
    }
    Clear();
    GamePrintNumbers(0, -1, "7", false, 0);   // y below 0 centres one line vertically
    Area Text = Drawn();
    EXPECT_GE(Text.nTop, (SCREEN_HEIGHT - Sheets::GLYPH_LINE_STEP) / 2);
    EXPECT_LT(Text.nBottom, (SCREEN_HEIGHT + Sheets::GLYPH_LINE_STEP) / 2);
}

TEST_F(GameText, ThePanelStyleDrawsDigitsFromTheirOwnCells)
{
    GamePrintNumbers(100, 50, "5", false, 0);
    std::vector<std::vector<uint16_t>> Plain;
    for (int y = 50; y < 50 + Sheets::GLYPH_HEIGHT; ++y)
        Plain.push_back(Row(100, y, Sheets::GLYPH_WIDTH));
    Clear();
    GamePrintNumbers(100, 50, "5", false, GAME_TEXT_STYLE_DIGITS);
    std::vector<std::vector<uint16_t>> Panel;
    for (int y = 50; y < 50 + Sheets::GLYPH_HEIGHT; ++y)
        Panel.push_back(Row(100, y, Sheets::GLYPH_WIDTH));
    EXPECT_NE(Plain, Panel);
    EXPECT_FALSE(Drawn().Empty());
}

TEST_F(GameText, ProportionalTextAdvancesByItsWidthTableAndSitsInItsBox)
{
    const char* szText = "Wil";
    const int nWidth = Font2Width(szText);
    GamePrintText(200, 100, szText, 255, false);
    Area Text = Drawn();
    ASSERT_FALSE(Text.Empty());
    EXPECT_GE(Text.nLeft, 200);
    EXPECT_LT(Text.nRight, 200 + nWidth);
    EXPECT_LT(Text.nBottom, 100 + Sheets::FONT2_CELL);

    // The box is the text's width + 6, from x - 3, one line high, and darkens what is under it.
    Clear();
    GamePrintText(200, 100, szText, 255, true);
    Text = Drawn();
    EXPECT_EQ(Text.nLeft, 197);
    EXPECT_EQ(Text.nRight, 200 + nWidth + 2);
    EXPECT_EQ(Text.nTop, 100);
    EXPECT_EQ(Text.nBottom, 100 + Sheets::FONT2_LINE_STEP - 1);
    EXPECT_LT(Pixel(198, 101) & 0x1F, m_nBackground & 0x1F);

    // Invisible text leaves only the box.
    Clear();
    GamePrintText(200, 100, szText, 255, true);
    std::vector<uint16_t> Shown = Row(197, 110, nWidth + 6);
    Clear();
    GamePrintText(200, 100, szText, 0, true);
    EXPECT_NE(Row(197, 110, nWidth + 6), Shown);
    EXPECT_EQ(Pixel(198, 110), Shown[1]);
}

TEST_F(GameText, TheHaltedOverlayDarkensTheScreenAndShowsWhyPlayStopped)
{
    g_bHalted = 1;
    ASSERT_TRUE(GameOverlayShown());
    GameDrawHaltedOverlay();
    const uint16_t nDark = Pixel(5, 5);
    EXPECT_LT(nDark & 0x1F, m_nBackground & 0x1F);
    EXPECT_EQ(Pixel(5, 595), nDark);   // all 25 strips
    const SheetRect& Pause = Sheets::PAUSE_PICTURE;
    const int nPauseLeft = (SCREEN_WIDTH - Pause.w) / 2;
    std::vector<uint16_t> PauseRow = Row(nPauseLeft, Sheets::PAUSE_Y + Pause.h / 2, Pause.w);
    EXPECT_NE(PauseRow, std::vector<uint16_t>(Pause.w, nDark));

    Clear();
    g_nScoreEntry = GAME_SCORE_ENTRY_ALL_DONE;
    GameDrawHaltedOverlay();
    EXPECT_NE(Row(nPauseLeft, Sheets::PAUSE_Y + Pause.h / 2, Pause.w), PauseRow);

    g_bHalted = 0;
    g_nScoreEntry = GAME_SCORE_ENTRY_NONE;
    EXPECT_FALSE(GameOverlayShown());
    g_nScoreEntry = GAME_SCORE_ENTRY_NAME;
    EXPECT_TRUE(GameOverlayShown());
}

}  // namespace
