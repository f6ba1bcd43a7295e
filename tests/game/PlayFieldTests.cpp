// The field as the started game draws it: brick animations, the count of bricks
// left and the end of a level, auto-clear, teleporters cooling off, the panel,
// and the sounds of the walls.
#include "game/GameFixture.h"

#include "Balls.h"
#include "Bricks.h"
#include "Field.h"
#include "GameState.h"
#include "Levels.h"
#include "Paddles.h"
#include "PlayClock.h"
#include "Sounds.h"
#include "sheets.h"

namespace {

class PlayField : public gametest::GameStart {
protected:
    void StartPlay()
    {
        ASSERT_TRUE(StartGame());
        Korvid.RandomSeed(11);
        g_nCurrentLevel = 0;
        for (int16_t& nCell : g_LevelCells[0])
            nCell = LEVEL_CELL_EMPTY;
        GameResetLevel(0, false);
        g_bInGame = true;
        g_nLives[0] = 3;
        GameRestartPlayClock();
        Korvid.UseChunky(0);
    }
    // One frame of play: the clock, then the field.
    void Frame(uint32_t nMilliseconds)
    {
        m_Platform.Advance(nMilliseconds);
        GamePlayClock();
        GameDrawField();
    }
    static void SetCell(int nColumn, int nRow, int16_t nCode) { *GameCell(nColumn, nRow) = nCode; }
    static int16_t CellCode(int nColumn, int nRow) { return *GameCell(nColumn, nRow); }
};

TEST_F(PlayField, DestroyedBricksAnimateOneCellOneStepPer25Milliseconds)
{
    StartPlay();
    SetCell(3, 2, BRICK_EXPLOSION);
    SetCell(7, 4, BRICK_BONUS_GONE);
    SetCell(10, 10, 5);   // keeps the level going
    Frame(13);
    EXPECT_EQ(CellCode(3, 2), 480);
    const std::vector<std::pair<int16_t, int16_t>> Want = {{481, 485}, {482, 485}, {483, 485}, {484, 485},
                                                           {-1, 485},  {-1, 486},  {-1, 487}};
    for (const auto& Codes : Want) {
        Frame(13);   // the gate opened: one step, for the first animating cell only
        EXPECT_EQ(CellCode(3, 2), Codes.first);
        EXPECT_EQ(CellCode(7, 4), Codes.second);
        Frame(13);   // closed again
        EXPECT_EQ(CellCode(3, 2), Codes.first);
        EXPECT_EQ(CellCode(7, 4), Codes.second);
    }
}

TEST_F(PlayField, ABigBallSmashesAFourHitBrickAndItIsGoneAfterItsAnimation)
{
    StartPlay();
    SetCell(10, 10, 5);
    SetCell(4, 4, 240);
    g_nCellColumn = 4;
    g_nCellRow = 4;
    g_Balls[0].nTopRow = 90;
    GameBrickHit(0, false, BALL_KIND_BIG, BRICK_UP);
    EXPECT_EQ(CellCode(4, 4), BRICK_SMASHED);
    for (int n = 0; n < 5; ++n)
        Frame(25);
    EXPECT_EQ(CellCode(4, 4), LEVEL_CELL_EMPTY);
}

TEST_F(PlayField, BricksLeftCountsTheBreakableAndTheDyingCells)
{
    StartPlay();
    const int16_t Codes[] = {0, 20, 179, 180, 239, 240, 339, 340, 342, 343, 352, 353, 479, 480, 494, 495, 497, 499};
    int nCounted = 0;
    for (int n = 0; n < (int)(sizeof(Codes) / sizeof(Codes[0])); ++n) {
        SetCell(n, 1, Codes[n]);
        nCounted += LevelCellCounts(Codes[n]);
    }
    EXPECT_EQ(nCounted, 9);
    GameDrawField();
    EXPECT_EQ(g_nBricksLeft, 9);
    EXPECT_FALSE(g_bFewBricksLeft);

    g_bHalted = 1;
    for (int n = 0; n < 10; ++n)
        SetCell(n, 1, LEVEL_CELL_EMPTY);
    GameDrawField();
    EXPECT_EQ(g_nBricksLeft, 9);   // not counted while halted
}

TEST_F(PlayField, ALevelOfOnlyHardAndSlidingBricksIsWonAtOnce)
{
    StartPlay();
    SetCell(1, 1, 200);
    SetCell(2, 1, 340);
    SetCell(3, 1, 400);
    SetCell(4, 1, BRICK_BEAM_A);
    GameDrawField();
    EXPECT_EQ(g_nBricksLeft, 0);
    EXPECT_NE(IndexOf(LogMessages(), "Tamborel: GameChangeMode(4)"), -1);
}

TEST_F(PlayField, AfterTheClearCountdownTheLastBricksExplodeAndTheFieldShakes)
{
    StartPlay();
    SetCell(1, 1, 5);
    SetCell(2, 1, 240);
    SetCell(3, 1, 200);
    SetCell(4, 1, 340);
    SetCell(5, 1, 341);
    GameDrawField();
    EXPECT_TRUE(g_bFewBricksLeft);
    EXPECT_FALSE(g_bAutoClear);
    EXPECT_EQ(CellCode(1, 1), 5);
    g_nFieldClearCountdown = 1;
    Frame(1000);
    EXPECT_EQ(g_nFieldClearCountdown, 0);
    EXPECT_TRUE(g_bAutoClear);
    g_bAnimationGate = false;   // the explosions' first step stays in view
    GameDrawField();
    EXPECT_EQ(CellCode(1, 1), BRICK_EXPLOSION);
    EXPECT_EQ(CellCode(2, 1), BRICK_EXPLOSION);
    EXPECT_EQ(CellCode(3, 1), 200);
    EXPECT_EQ(CellCode(4, 1), BRICK_EXPLOSION);
    EXPECT_EQ(CellCode(5, 1), 341);
    EXPECT_TRUE(g_bFieldShake);
    EXPECT_EQ(g_nFieldShakeSeconds, 5);
}

TEST_F(PlayField, AUsedTeleporterWorksAgainWhenItsCooldownIsOver)
{
    StartPlay();
    SetCell(10, 10, 5);
    SetCell(1, 1, BRICK_BEAM_A_USED);
    SetCell(2, 1, BRICK_BEAM_B_USED);
    g_nTeleporterCooldown = 1;
    GameDrawField();
    EXPECT_EQ(CellCode(1, 1), BRICK_BEAM_A_USED);
    Frame(1000);
    EXPECT_EQ(CellCode(1, 1), BRICK_BEAM_A);
    EXPECT_EQ(CellCode(2, 1), BRICK_BEAM_B);
}

// The back buffer's pixels of a rectangle, row by row.
std::vector<uint16_t> Pixels(int x, int y, int nWidth, int nHeight)
{
    const uint16_t* pBuffer = (const uint16_t*)Korvid.ChunkyBuffer(0);
    std::vector<uint16_t> Out;
    for (int nRow = y; nRow < y + nHeight; ++nRow)
        Out.insert(Out.end(), pBuffer + nRow * 800 + x, pBuffer + nRow * 800 + x + nWidth);
    return Out;
}

TEST_F(PlayField, ThePanelShowsLivesLevelAndScore)
{
    StartPlay();
    const int16_t* pX = Sheets::PANEL1_VALUES_X;
    const int y = Sheets::PANEL_TEXT_Y, nDigit = Sheets::GLYPH_WIDTH, nHigh = Sheets::GLYPH_HEIGHT;
    auto DrawPanel = [&](int32_t nLives, int32_t nLevel, int32_t nScore) {
        Korvid.ClearChunky(0, 0);
        g_nLives[0] = nLives;
        g_nCurrentLevel = nLevel;
        g_nScore[0] = nScore;
        GameDrawPanel();
    };
    DrawPanel(3, 0, 0);
    const std::vector<uint16_t> Lives3 = Pixels(pX[0], y, nDigit, nHigh);
    const std::vector<uint16_t> Level1 = Pixels(pX[1], y, nDigit, nHigh);
    const std::vector<uint16_t> ScoreFifth = Pixels(pX[2] + 4 * nDigit, y, nDigit, nHigh);
    const std::vector<uint16_t> PanelCorner = Pixels(Sheets::PANEL1_X, Sheets::PANEL_Y, 4, 4);
    EXPECT_NE(PanelCorner, std::vector<uint16_t>(16, 0));   // the panel picture is there

    DrawPanel(8, 0, 12345);
    EXPECT_NE(Pixels(pX[0], y, nDigit, nHigh), Lives3);
    EXPECT_EQ(Pixels(pX[1], y, nDigit, nHigh), Level1);
    EXPECT_NE(Pixels(pX[2] + 4 * nDigit, y, nDigit, nHigh), ScoreFifth);   // a digit where the panel was bare

    DrawPanel(3, 0, 0);
    EXPECT_EQ(Pixels(pX[0], y, nDigit, nHigh), Lives3);
    EXPECT_EQ(Pixels(pX[2] + 4 * nDigit, y, nDigit, nHigh), ScoreFifth);
    DrawPanel(3, 4, 0);
    EXPECT_NE(Pixels(pX[1], y, nDigit, nHigh), Level1);
}

// A slot that was played remembers its mixing channel.
bool WasPlayed(int nKind, int nVariant)
{
    return Korvid.SoundSlot((uint32_t)GameSoundNumber(nKind, nVariant))->nChannel >= 0;
}

TEST_F(PlayField, EachWallHasItsSound)
{
    StartPlay();
    g_bBallsLaunched = 1;
    Ball& B = g_Balls[0];
    struct WallCase {
        int16_t x, y, dx, dy;
        int nVariant;
    };
    for (const WallCase& Case : {WallCase{22, 200, -3, 2, 2}, WallCase{758, 200, 3, 2, 3}, WallCase{300, 21, 2, -2, 1}}) {
        EXPECT_FALSE(WasPlayed(17, Case.nVariant));
        B.x = Case.x;
        B.y = Case.y;
        B.dx = Case.dx;
        B.dy = Case.dy;
        GameMoveBalls();
        EXPECT_TRUE(WasPlayed(17, Case.nVariant)) << Case.nVariant;
    }
}

}  // namespace

namespace {

class PlayDrawing : public PlayField {
protected:
    // Pixels of the rectangle that are not the cleared background.
    static int Drawn(int x, int y, int nWidth, int nHeight)
    {
        int nCount = 0;
        for (uint16_t nPixel : Pixels(x, y, nWidth, nHeight))
            nCount += nPixel != 0;
        return nCount;
    }
};

TEST_F(PlayDrawing, PaddlesAreDrawnUnlessInvisibleAndBallsWhereTheyAre)
{
    StartPlay();
    Paddle& P = g_Paddles[0];
    Korvid.ClearChunky(0, 0);
    GameDrawPaddles();
    EXPECT_GT(Drawn(P.x, P.y, P.Width(), 30), P.Width() * 30 / 2);
    EXPECT_EQ(Drawn(P.x + P.Width(), P.y, 40, 30), 0);

    Korvid.ClearChunky(0, 0);
    P.bInvisible = true;
    GameDrawPaddles();
    EXPECT_EQ(Drawn(P.x, P.y, P.Width(), 30), 0);

    Korvid.ClearChunky(0, 0);
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
}

TEST_F(PlayDrawing, TheComputersServeCountdownShowsItsSecond)
{
    StartPlay();
    const SheetRect& Five = Sheets::COUNTDOWN[5];
    const int x = (800 - Five.w) / 2;
    Korvid.ClearChunky(0, 0);
    g_nComputerCountdown = 5;
    GameDrawCountdown();
    EXPECT_EQ(Drawn(x, Sheets::COUNTDOWN_Y, Five.w, Five.h), 0);   // not pending: nothing
    g_bComputerLaunchPending = 1;
    GameDrawCountdown();
    EXPECT_GT(Drawn(x, Sheets::COUNTDOWN_Y, Five.w, Five.h), 0);
    EXPECT_EQ(Drawn(x - 20, Sheets::COUNTDOWN_Y, 20, Five.h), 0);
    Korvid.ClearChunky(0, 0);
    g_nComputerCountdown = 6;   // the full six seconds show nothing yet
    GameDrawCountdown();
    EXPECT_EQ(Drawn(0, Sheets::COUNTDOWN_Y, 800, Five.h), 0);
}

}  // namespace
