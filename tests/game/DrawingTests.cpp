// What the started game draws, read back from the back buffer: text in its
// styles, the halted overlay, cells from the chosen tile sheet, paddles, balls,
// the panel and the computer's serve countdown.
#include "game/GameFixture.h"

#include "Field.h"
#include "Overlay.h"
#include "Text.h"
#include "sheets.h"

namespace {

using namespace gametest;

// The rectangle of back-buffer pixels that differ from the background colour.
struct Area {
    int nLeft = SCREEN_WIDTH, nTop = SCREEN_HEIGHT, nRight = -1, nBottom = -1;
};

class Drawing : public GameStart {
protected:
    void Clear() { Korvid.ClearChunky(0, m_nBackground); }
    Area DrawnArea() const
    {
        Area Found;
        const std::vector<uint16_t> Screen = Pixels(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            for (int x = 0; x < SCREEN_WIDTH; ++x)
                if (Screen[y * SCREEN_WIDTH + x] != m_nBackground) {
                    Found = {std::min(Found.nLeft, x), std::min(Found.nTop, y), std::max(Found.nRight, x),
                             std::max(Found.nBottom, y)};
                }
        return Found;
    }
    std::vector<uint16_t> Row(int x, int y, int nWidth) const { return Pixels(x, y, nWidth, 1); }

    uint16_t m_nBackground = 0;
};

TEST_F(Drawing, TextStaysInItsCellsIsCentredAndDrawsInItsStylesAndTheOverlayDarkensTheScreen)
{
    StartPlay();
    m_nBackground = (16 << 11) | (32 << 5) | 16;   // a mid grey, so darkening and drawing both show
    const int W = Sheets::GLYPH_WIDTH;
    Clear();
    GamePrintNumbers(100, 50, "1A", false, 0);
    Area Text = DrawnArea();
    EXPECT_GE(Text.nLeft, 100);
    EXPECT_LT(Text.nRight, 100 + 2 * W);
    EXPECT_GE(Text.nRight, 100 + W);   // the second character is drawn
    EXPECT_GE(Text.nTop, 50);
    EXPECT_LT(Text.nBottom, 50 + Sheets::GLYPH_HEIGHT);
    // A space only advances; a line feed goes down one line and back to the start.
    Clear();
    GamePrintNumbers(100, 50, " 1\n2", false, 0);
    EXPECT_GE(DrawnArea().nLeft, 100);
    EXPECT_NE(Row(100, 50 + Sheets::GLYPH_LINE_STEP + 7, W), std::vector<uint16_t>(W, m_nBackground));

    const int nLeft = (SCREEN_WIDTH - 3 * W) / 2;
    for (bool bCentredFlag : {true, false}) {   // centred by the flag, or by x below 0
        Clear();
        GamePrintNumbers(bCentredFlag ? 10 : -1, 40, "ABC", bCentredFlag, 0);
        Text = DrawnArea();
        EXPECT_GE(Text.nLeft, nLeft) << bCentredFlag;
        EXPECT_LT(Text.nRight, nLeft + 3 * W) << bCentredFlag;
        EXPECT_GE(Text.nRight, nLeft + 2 * W) << bCentredFlag;
    }
    Clear();
    GamePrintNumbers(0, -1, "7", false, 0);   // y below 0 centres one line vertically
    Text = DrawnArea();
    EXPECT_GE(Text.nTop, (SCREEN_HEIGHT - Sheets::GLYPH_LINE_STEP) / 2);
    EXPECT_LT(Text.nBottom, (SCREEN_HEIGHT + Sheets::GLYPH_LINE_STEP) / 2);

    // The panel style draws digits from their own cells.
    Clear();
    GamePrintNumbers(100, 50, "5", false, 0);
    const std::vector<uint16_t> Plain = Pixels(100, 50, W, Sheets::GLYPH_HEIGHT);
    Clear();
    GamePrintNumbers(100, 50, "5", false, GAME_TEXT_STYLE_DIGITS);
    EXPECT_NE(Pixels(100, 50, W, Sheets::GLYPH_HEIGHT), Plain);
    EXPECT_GT(Drawn(100, 50, W, Sheets::GLYPH_HEIGHT, m_nBackground), 0);

    // Proportional text advances by its width table; its box is the text's width
    // + 6, from x - 3, one line high, and darkens what is under it.
    const char* szText = "Wil";
    int nWidth = 0;
    for (const char* p = szText; *p; ++p)
        nWidth += Sheets::FONT2_WIDTHS[Sheets::Font2Index((uint8_t)*p)];
    Clear();
    GamePrintText(200, 100, szText, 255, false);
    Text = DrawnArea();
    EXPECT_GE(Text.nLeft, 200);
    EXPECT_LT(Text.nRight, 200 + nWidth);
    EXPECT_LT(Text.nBottom, 100 + Sheets::FONT2_CELL);
    Clear();
    GamePrintText(200, 100, szText, 255, true);
    Text = DrawnArea();
    EXPECT_EQ(Text.nLeft, 197);
    EXPECT_EQ(Text.nRight, 200 + nWidth + 2);
    EXPECT_EQ(Text.nTop, 100);
    EXPECT_EQ(Text.nBottom, 100 + Sheets::FONT2_LINE_STEP - 1);
    EXPECT_LT(Pixel(198, 101) & 0x1F, m_nBackground & 0x1F);
    const std::vector<uint16_t> Shown = Row(197, 110, nWidth + 6);
    Clear();
    GamePrintText(200, 100, szText, 0, true);   // invisible text leaves only the box
    EXPECT_NE(Row(197, 110, nWidth + 6), Shown);
    EXPECT_EQ(Pixel(198, 110), Shown[1]);

    // The halted overlay: all 25 strips darkened, and the picture of why play stopped.
    Clear();
    g_bHalted = 1;
    ASSERT_TRUE(GameOverlayShown());
    GameDrawHaltedOverlay();
    const uint16_t nDark = Pixel(5, 5);
    EXPECT_LT(nDark & 0x1F, m_nBackground & 0x1F);
    EXPECT_EQ(Pixel(5, 595), nDark);
    const SheetRect& Pause = Sheets::PAUSE_PICTURE;
    const int nPauseLeft = (SCREEN_WIDTH - Pause.w) / 2;
    const std::vector<uint16_t> PauseRow = Row(nPauseLeft, Sheets::PAUSE_Y + Pause.h / 2, Pause.w);
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

TEST_F(Drawing, CellsPaddlesBallsThePanelAndTheServeCountdownAreDrawnWhereTheyAre)
{
    WriteGameFile("data/gfx/tiles.kvp", SolidKvp(800, 600, {240, 0, 0}));
    WriteGameFile("data/gfx/tiles2.kvp", SolidKvp(800, 600, {0, 240, 0}));
    StartPlay();
    Korvid.ClearChunky(0, 0);
    SetCell(3, 2, 499);
    SetCell(4, 2, -7);   // a damaged file's code: no tile
    const int x = 20 + 3 * 40, y = 21 + 2 * 24;
    for (int nSheet : {0, 1}) {
        g_nTS = nSheet;
        GameDrawCell(3, 2);
        GameDrawCell(4, 2);
        KorvidRGB Inside = Korvid.Unpack(Pixel(x, y));
        EXPECT_EQ(Inside.r > 200, nSheet == 0) << nSheet;
        EXPECT_EQ(Inside.g > 200, nSheet == 1) << nSheet;
        EXPECT_EQ(Pixel(x + 39, y + 23), Pixel(x, y));
        EXPECT_EQ(Pixel(x + 40, y + 24) + Pixel(x - 1, y), 0);   // the cell ends there
        EXPECT_EQ(Pixel(x + 41, y), 0);                          // the damaged cell stays empty
    }

    Paddle& P = g_Paddles[0];
    Korvid.ClearChunky(0, 0);
    GameDrawPaddles();
    EXPECT_GT(Drawn(P.x, P.y, P.Width(), 30), P.Width() * 30 / 2);
    EXPECT_EQ(Drawn(P.x + P.Width(), P.y, 40, 30), 0);
    Korvid.ClearChunky(0, 0);
    P.bInvisible = true;
    GameDrawPaddles();
    EXPECT_EQ(Drawn(P.x, P.y, P.Width(), 30), 0);
    Ball& B = g_Balls[0];
    B.x = 300;
    B.y = 200;
    GameDrawBalls();
    EXPECT_GT(Drawn(300, 200, 18, 18), 18 * 18 / 3);
    EXPECT_EQ(Drawn(318, 200, 18, 18), 0);
    B.bActive = 0;
    Korvid.ClearChunky(0, 0);
    GameDrawBalls();
    EXPECT_EQ(Drawn(300, 200, 18, 18), 0);

    // The panel: lives, level and score each in their own place.
    const int16_t* pX = Sheets::PANEL1_VALUES_X;
    const int nY = Sheets::PANEL_TEXT_Y, nDigit = Sheets::GLYPH_WIDTH, nHigh = Sheets::GLYPH_HEIGHT;
    auto DrawPanel = [&](int32_t nLives, int32_t nLevel, int32_t nScore) {
        Korvid.ClearChunky(0, 0);
        g_nLives[0] = nLives;
        g_nCurrentLevel = nLevel;
        g_nScore[0] = nScore;
        GameDrawPanel();
    };
    auto Lives = [&] { return Pixels(pX[0], nY, nDigit, nHigh); };
    auto Level = [&] { return Pixels(pX[1], nY, nDigit, nHigh); };
    auto ScoreFifth = [&] { return Pixels(pX[2] + 4 * nDigit, nY, nDigit, nHigh); };
    DrawPanel(3, 0, 0);
    const std::vector<uint16_t> Lives3 = Lives(), Level1 = Level(), Bare = ScoreFifth();
    EXPECT_GT(Drawn(Sheets::PANEL1_X, Sheets::PANEL_Y, 4, 4), 0);   // the panel picture is there
    DrawPanel(8, 0, 12345);
    EXPECT_NE(Lives(), Lives3);
    EXPECT_EQ(Level(), Level1);
    EXPECT_NE(ScoreFifth(), Bare);   // a digit where the panel was bare
    DrawPanel(3, 0, 0);
    EXPECT_EQ(Lives(), Lives3);
    EXPECT_EQ(ScoreFifth(), Bare);
    DrawPanel(3, 4, 0);
    EXPECT_NE(Level(), Level1);

    // The computer's serve countdown shows its second while the serve is pending.
    const SheetRect& Five = Sheets::COUNTDOWN[5];
    const int nFiveX = (800 - Five.w) / 2;
    Korvid.ClearChunky(0, 0);
    g_nComputerCountdown = 5;
    GameDrawCountdown();
    EXPECT_EQ(Drawn(nFiveX, Sheets::COUNTDOWN_Y, Five.w, Five.h), 0);
    g_bComputerLaunchPending = 1;
    GameDrawCountdown();
    EXPECT_GT(Drawn(nFiveX, Sheets::COUNTDOWN_Y, Five.w, Five.h), 0);
    EXPECT_EQ(Drawn(nFiveX - 20, Sheets::COUNTDOWN_Y, 20, Five.h), 0);
    Korvid.ClearChunky(0, 0);
    g_nComputerCountdown = 6;   // the full six seconds show nothing yet
    GameDrawCountdown();
    EXPECT_EQ(Drawn(0, Sheets::COUNTDOWN_Y, 800, Five.h), 0);
}

}  // namespace
