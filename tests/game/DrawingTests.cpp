// The started game in play: what it draws, read back from the back buffer, the
// field's animations and counts, and the sounds.
#include "game/GameFixture.h"

#include <functional>

#include "Field.h"
#include "Fragments.h"
#include "Overlay.h"
#include "PlayClock.h"
#include "Sounds.h"
#include "Text.h"
#include "sheets.h"

namespace {

using namespace gametest;
using Row = std::vector<uint16_t>;

class Drawing : public GameStart {
protected:
    void Clear() { Korvid.ClearChunky(0, m_nBackground); }
    // Left, top, right and bottom of what Draw puts on a cleared screen.
    std::array<int, 4> Area(const std::function<void()>& Draw)
    {
        Clear();
        Draw();
        std::array<int, 4> Found = {SCREEN_WIDTH, SCREEN_HEIGHT, -1, -1};
        const Row Screen = Pixels(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
        for (int n = 0; n < SCREEN_WIDTH * SCREEN_HEIGHT; ++n)
            if (Screen[n] != m_nBackground)
                Found = {std::min(Found[0], n % SCREEN_WIDTH), std::min(Found[1], n / SCREEN_WIDTH),
                         std::max(Found[2], n % SCREEN_WIDTH), std::max(Found[3], n / SCREEN_WIDTH)};
        return Found;
    }
    uint16_t m_nBackground = 0;
};

TEST_F(Drawing, TextTheOverlayCellsFragmentsPaddlesBallsThePanelAndTheServeCountdownAreDrawnWhereTheyAre)
{
    WriteGameFile("data/gfx/tiles.kvp", SolidKvp(800, 600, {240, 0, 0}));
    WriteGameFile("data/gfx/tiles2.kvp", SolidKvp(800, 600, {0, 240, 0}));
    StartPlay();
    m_nBackground = (16 << 11) | (32 << 5) | 16;   // a mid grey, so darkening and drawing both show
    const int W = Sheets::GLYPH_WIDTH, H = Sheets::GLYPH_HEIGHT, nStep = Sheets::GLYPH_LINE_STEP;
    auto Numbers = [&](int x, int y, const char* sz, bool bCentred, int nStyle) {
        return Area([=] { GamePrintNumbers(x, y, sz, bCentred, nStyle); });
    };
    std::array<int, 4> Text = Numbers(100, 50, "1A", false, 0);   // the second character is drawn
    EXPECT_TRUE(Text[0] >= 100 && Text[2] >= 100 + W && Text[2] < 100 + 2 * W && Text[1] >= 50 && Text[3] < 50 + H);
    // A space only advances; a line feed goes down one line and back to the start.
    EXPECT_GE(Numbers(100, 50, " 1\n2", false, 0)[0], 100);
    EXPECT_NE(Pixels(100, 50 + nStep + 7, W, 1), Row(W, m_nBackground));
    const int nLeft = (SCREEN_WIDTH - 3 * W) / 2;
    for (bool bCentredFlag : {true, false}) {   // centred by the flag, or by x below 0
        Text = Numbers(bCentredFlag ? 10 : -1, 40, "ABC", bCentredFlag, 0);
        EXPECT_TRUE(Text[0] >= nLeft && Text[2] >= nLeft + 2 * W && Text[2] < nLeft + 3 * W) << bCentredFlag;
    }
    Text = Numbers(0, -1, "7", false, 0);   // y below 0 centres one line vertically
    EXPECT_TRUE(Text[1] >= (SCREEN_HEIGHT - nStep) / 2 && Text[3] < (SCREEN_HEIGHT + nStep) / 2);
    // Proportional text advances by its width table; its box is the text's width
    // + 6, from x - 3, one line high, and darkens what is under it.
    int nWidth = 0;
    for (char c : std::string("Wil"))
        nWidth += Sheets::FONT2_WIDTHS[Sheets::Font2Index((uint8_t)c)];
    Text = Area([] { GamePrintText(200, 100, "Wil", 255, false); });
    EXPECT_TRUE(Text[0] >= 200 && Text[2] < 200 + nWidth && Text[3] < 100 + Sheets::FONT2_CELL);
    EXPECT_EQ(Area([] { GamePrintText(200, 100, "Wil", 255, true); }),
              (std::array<int, 4>{197, 100, 200 + nWidth + 2, 100 + Sheets::FONT2_LINE_STEP - 1}));
    EXPECT_LT(Pixel(198, 101) & 0x1F, m_nBackground & 0x1F);
    const Row Boxed = Pixels(197, 110, nWidth + 6, 1);
    Area([] { GamePrintText(200, 100, "Wil", 0, true); });   // invisible text leaves only the box
    EXPECT_NE(Pixels(197, 110, nWidth + 6, 1), Boxed);
    EXPECT_EQ(Pixel(198, 110), Boxed[1]);
    // The halted overlay: all 25 strips darkened, and the picture of why play stopped.
    g_bHalted = 1;
    ASSERT_TRUE(GameOverlayShown());
    Area(GameDrawHaltedOverlay);
    const uint16_t nDark = Pixel(5, 5);
    EXPECT_LT(nDark & 0x1F, m_nBackground & 0x1F);
    EXPECT_EQ(Pixel(5, 595), nDark);
    const SheetRect& Pause = Sheets::PAUSE_PICTURE;
    auto PauseRow = [&] { return Pixels((SCREEN_WIDTH - Pause.w) / 2, Sheets::PAUSE_Y + Pause.h / 2, Pause.w, 1); };
    const Row Paused = PauseRow();
    EXPECT_NE(Paused, Row(Pause.w, nDark));
    g_nScoreEntry = GAME_SCORE_ENTRY_ALL_DONE;
    Area(GameDrawHaltedOverlay);
    EXPECT_NE(PauseRow(), Paused);
    g_bHalted = 0;   // shown only while halted or a name is typed
    g_nScoreEntry = GAME_SCORE_ENTRY_NONE;
    const bool bShownUnhalted = GameOverlayShown();
    g_nScoreEntry = GAME_SCORE_ENTRY_NAME;
    EXPECT_TRUE(!bShownUnhalted && GameOverlayShown());
    // Cells from the tile sheet the setting chooses, on a black screen from here on.
    m_nBackground = 0;
    SetCell(3, 2, 499);
    SetCell(4, 2, -7);   // a damaged file's code: no tile
    const int x = 20 + 3 * 40, y = 21 + 2 * 24;
    for (int nSheet : {0, 1}) {   // the cell ends at its edges, and the damaged one stays empty
        g_nTS = nSheet;
        EXPECT_EQ(Area([] { GameDrawCell(3, 2), GameDrawCell(4, 2); }), (std::array<int, 4>{x, y, x + 39, y + 23}));
        KorvidRGB Inside = Korvid.Unpack(Pixel(x, y));
        EXPECT_EQ(Pair(Inside.r > 200, Inside.g > 200), Pair(nSheet == 0, nSheet == 1));
    }
    // A fragment flies on at its speed, cut at the screen's edge, until it has left.
    GameClearFragments();
    GameAddFragment(5, 782, 100, 4, 0);   // 6 pixels a frame
    for (int nAt = 782; nAt < SCREEN_WIDTH; nAt += 6) {
        Area(GameDrawFragments);
        EXPECT_GT(Drawn(nAt, 100, SCREEN_WIDTH - nAt, 24), 0) << nAt;
        EXPECT_EQ(Drawn(0, 0, nAt, SCREEN_HEIGHT), 0) << nAt;
    }
    for (int n = 0; n < 10; ++n)
        GameDrawFragments();
    EXPECT_EQ(g_Fragments[0].nCode, -1);
    // Paddles and balls where they are, unless invisible or gone.
    const Paddle& P = g_Paddles[0];
    std::array<int, 4> Box = Area(GameDrawPaddles);
    EXPECT_TRUE(Box[0] >= P.x && Box[2] < P.x + P.Width() && Box[1] >= P.y && Box[3] < P.y + 30);
    EXPECT_GT(Drawn(P.x, P.y, P.Width(), 30), P.Width() * 30 / 2);
    g_Paddles[0].bInvisible = true;
    EXPECT_EQ(Area(GameDrawPaddles)[2], -1);
    Fly(0, 300, 200, 0, 0);
    Box = Area(GameDrawBalls);
    EXPECT_TRUE(Box[0] >= 300 && Box[2] < 318 && Box[1] >= 200 && Box[3] < 218);
    EXPECT_GT(Drawn(300, 200, 18, 18), 18 * 18 / 3);
    g_Balls[0].bActive = 0;
    EXPECT_EQ(Area(GameDrawBalls)[2], -1);
    // The panel: lives, level and score each in their own place.
    const int16_t* pX = Sheets::PANEL1_VALUES_X;
    const int nY = Sheets::PANEL_TEXT_Y, nDigit = Sheets::GLYPH_WIDTH, nHigh = Sheets::GLYPH_HEIGHT;
    auto Panel = [&](int32_t nLives, int32_t nLevel, int32_t nScore) {
        g_nLives[0] = nLives;
        g_nCurrentLevel = nLevel;
        g_nScore[0] = nScore;
        Area(GameDrawPanel);
        // Lives, level and the score's fifth digit, where the panel is bare for small scores.
        return std::array<Row, 3>{Pixels(pX[0], nY, nDigit, nHigh), Pixels(pX[1], nY, nDigit, nHigh),
                                  Pixels(pX[2] + 4 * nDigit, nY, nDigit, nHigh)};
    };
    const std::array<Row, 3> Start = Panel(3, 0, 0);
    EXPECT_GT(Drawn(Sheets::PANEL1_X, Sheets::PANEL_Y, 4, 4), 0);   // the panel picture is there
    std::array<Row, 3> Shown = Panel(8, 0, 12345);
    EXPECT_TRUE(Shown[0] != Start[0] && Shown[1] == Start[1] && Shown[2] != Start[2]);
    EXPECT_EQ(Panel(3, 0, 0), Start);
    Shown = Panel(3, 4, 0);
    EXPECT_TRUE(Shown[0] == Start[0] && Shown[1] != Start[1]);
    // The computer's serve countdown shows its second while the serve is pending, from 5 down.
    const SheetRect& Five = Sheets::COUNTDOWN[5];
    g_nComputerCountdown = 5;
    EXPECT_EQ(Area(GameDrawCountdown)[2], -1);
    g_bComputerLaunchPending = 1;
    Box = Area(GameDrawCountdown);
    EXPECT_TRUE(Box[0] >= (SCREEN_WIDTH - Five.w) / 2 && Box[2] >= Box[0] && Box[2] < (SCREEN_WIDTH + Five.w) / 2);
    EXPECT_TRUE(Box[1] >= Sheets::COUNTDOWN_Y && Box[3] < Sheets::COUNTDOWN_Y + Five.h);
    g_nComputerCountdown = 6;
    EXPECT_EQ(Area(GameDrawCountdown)[2], -1);
}

TEST_F(GameStart, TheFieldAnimatesCountsAndClearsItsBricksAndWallsAndEffectsPlayTheirSounds)
{
    StartPlay();
    auto FieldFrame = [&](uint32_t nMilliseconds) {   // the clock, then the field
        m_Platform.Advance(nMilliseconds);
        GamePlayClock();
        GameDrawField();
    };
    auto SetRow = [](const std::vector<int16_t>& Codes) {
        ClearLevel();
        for (size_t n = 0; n < Codes.size(); ++n)
            SetCell((int)n + 1, 1, Codes[n]);
    };
    // A ball at the left, right and top wall, and the variant of the wall sound.
    for (const std::array<int16_t, 5>& Wall : {std::array<int16_t, 5>{22, 200, -3, 2, 2}, {758, 200, 3, 2, 3},
                                               {300, 21, 2, -2, 1}}) {
        EXPECT_FALSE(WasPlayed(17, Wall[4]));
        Fly(0, Wall[0], Wall[1], Wall[2], Wall[3]);
        GameMoveBalls();
        EXPECT_TRUE(WasPlayed(17, Wall[4])) << Wall[4];
    }
    // Above 19: variant 19, but for the bonus kind; below 1: variant 1.
    GamePlaySound(6, 25);
    GamePlaySound(15, 30);
    GamePlaySound(7, -4);
    EXPECT_TRUE(WasPlayed(6, 19) && WasPlayed(15, 30) && !WasPlayed(15, 19) && WasPlayed(7, 1));
    // More effects at once than the mixer has channels: the last are refused, and play goes on.
    EXPECT_FALSE(LogStartsWith("WARNING: ** Mix_PlayChannel("));
    for (int nVariant = 1; nVariant <= 12; ++nVariant)
        GamePlaySound(8, nVariant);
    EXPECT_TRUE(LogStartsWith("WARNING: ** Mix_PlayChannel("));
    g_bSoundOn = false;
    GamePlaySound(11, 1);
    EXPECT_FALSE(WasPlayed(11, 1));
    // The breakable and the dying cells count; nothing is counted while halted.
    SetRow({0, 20, 179, 180, 239, 240, 339, 340, 342, 343, 352, 353, 479, 480, 494, 495, 497, 499});
    GameDrawField();
    EXPECT_EQ(Pair(g_nBricksLeft, g_bFewBricksLeft), Pair(9, false));
    g_bHalted = 1;
    SetRow({});
    GameDrawField();
    EXPECT_EQ(g_nBricksLeft, 9);
    g_bHalted = 0;
    // Destroyed bricks animate one step per 25 ms, for the first animating cell only.
    SetCell(3, 2, BRICK_EXPLOSION);
    SetCell(7, 4, BRICK_BONUS_GONE);
    SetCell(10, 10, 5);   // keeps the level going
    FieldFrame(13);
    EXPECT_EQ(CellCode(3, 2), 480);
    for (const Pair& Step : {Pair(481, 485), {482, 485}, {483, 485}, {484, 485}, {-1, 485}, {-1, 486}, {-1, 487}})
        for (int n = 0; n < 2; ++n) {   // the gate opened, then closed
            FieldFrame(13);
            EXPECT_EQ(Pair(CellCode(3, 2), CellCode(7, 4)), Step);
        }
    // A big ball smashes a four-hit brick, gone after its animation.
    SetRow({});
    SetCell(10, 10, 5);
    EXPECT_EQ(HitWith(240, BALL_KIND_BIG, false, BRICK_UP, 4, 4), BRICK_SMASHED);
    for (int n = 0; n < 5; ++n)
        FieldFrame(25);
    EXPECT_EQ(CellCode(4, 4), LEVEL_CELL_EMPTY);
    // A used teleporter works again when its cooldown is over.
    SetCell(1, 1, BRICK_BEAM_A_USED);
    SetCell(2, 1, BRICK_BEAM_B_USED);
    g_nTeleporterCooldown = 1;
    GameDrawField();
    EXPECT_EQ(CellCode(1, 1), BRICK_BEAM_A_USED);   // not before its cooldown is over
    FieldFrame(1000);
    EXPECT_EQ(Pair(CellCode(1, 1), CellCode(2, 1)), Pair(BRICK_BEAM_A, BRICK_BEAM_B));
    // With few bricks left, after the clear countdown the last ones explode and the field shakes.
    SetRow({5, 240, 200, 340, 341});
    GameDrawField();
    EXPECT_TRUE(g_bFewBricksLeft && !g_bAutoClear && CellCode(1, 1) == 5);
    g_nFieldClearCountdown = 1;
    FieldFrame(1000);
    EXPECT_TRUE(g_nFieldClearCountdown == 0 && g_bAutoClear);
    g_bAnimationGate = false;   // the explosions' first step stays in view
    GameDrawField();
    EXPECT_EQ((std::array<int, 5>{CellCode(1, 1), CellCode(2, 1), CellCode(3, 1), CellCode(4, 1), CellCode(5, 1)}),
              (std::array<int, 5>{480, 480, 200, 480, 341}));
    EXPECT_EQ(Pair(g_bFieldShake, g_nFieldShakeSeconds), Pair(true, 5));
    // A level of only hard and sliding bricks is won at once.
    g_bAutoClear = false;
    SetRow({200, 340, 400, BRICK_BEAM_A});
    GameDrawField();
    EXPECT_EQ(g_nBricksLeft, 0);
    EXPECT_TRUE(LogHas("Tamborel: GameChangeMode(4)"));
}

}  // namespace
