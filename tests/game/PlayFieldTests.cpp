// The field of the started game: brick animations, the count of bricks left and
// the end of a level, auto-clear, teleporters cooling off, and the sounds.
#include "game/GameFixture.h"

#include "Field.h"
#include "PlayClock.h"
#include "Sounds.h"

namespace {

using namespace gametest;

class PlayField : public GameStart {
protected:
    // One frame of play: the clock, then the field.
    void Frame(uint32_t nMilliseconds)
    {
        m_Platform.Advance(nMilliseconds);
        GamePlayClock();
        GameDrawField();
    }
};

TEST_F(PlayField, BricksAnimateAreCountedClearedAtTheEndAndTheLastOneEndsTheLevel)
{
    StartPlay();
    // The breakable and the dying cells count; nothing is counted while halted.
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
    ClearLevel();
    GameDrawField();
    EXPECT_EQ(g_nBricksLeft, 9);
    g_bHalted = 0;

    // Destroyed bricks animate one cell one step per 25 ms.
    SetCell(3, 2, BRICK_EXPLOSION);
    SetCell(7, 4, BRICK_BONUS_GONE);
    SetCell(10, 10, 5);   // keeps the level going
    Frame(13);
    EXPECT_EQ(CellCode(3, 2), 480);
    const std::vector<std::pair<int16_t, int16_t>> Want = {{481, 485}, {482, 485}, {483, 485}, {484, 485},
                                                           {-1, 485},  {-1, 486},  {-1, 487}};
    for (const auto& Step : Want)
        for (int n = 0; n < 2; ++n) {   // the gate opened: one step, for the first animating cell only; then closed
            Frame(13);
            EXPECT_EQ(CellCode(3, 2), Step.first);
            EXPECT_EQ(CellCode(7, 4), Step.second);
        }

    // A big ball smashes a four-hit brick, gone after its animation.
    ClearLevel();
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

    // A used teleporter works again when its cooldown is over.
    SetCell(1, 1, BRICK_BEAM_A_USED);
    SetCell(2, 1, BRICK_BEAM_B_USED);
    g_nTeleporterCooldown = 1;
    GameDrawField();
    EXPECT_EQ(CellCode(1, 1), BRICK_BEAM_A_USED);
    Frame(1000);
    EXPECT_EQ(CellCode(1, 1), BRICK_BEAM_A);
    EXPECT_EQ(CellCode(2, 1), BRICK_BEAM_B);

    // With few bricks left, after the clear countdown the last ones explode and the field shakes.
    ClearLevel();
    const int16_t Row[] = {5, 240, 200, 340, 341};
    for (int n = 0; n < 5; ++n)
        SetCell(n + 1, 1, Row[n]);
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
    const int16_t Cleared[] = {BRICK_EXPLOSION, BRICK_EXPLOSION, 200, BRICK_EXPLOSION, 341};
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(CellCode(n + 1, 1), Cleared[n]) << Row[n];
    EXPECT_TRUE(g_bFieldShake);
    EXPECT_EQ(g_nFieldShakeSeconds, 5);

    // A level of only hard and sliding bricks is won at once.
    ClearLevel();
    g_bAutoClear = false;
    const int16_t Hard[] = {200, 340, 400, BRICK_BEAM_A};
    for (int n = 0; n < 4; ++n)
        SetCell(n + 1, 1, Hard[n]);
    GameDrawField();
    EXPECT_EQ(g_nBricksLeft, 0);
    EXPECT_TRUE(HasLine("Tamborel: GameChangeMode(4)"));
}

TEST_F(PlayField, EachWallHasItsSoundAndEffectsPlayOnlyWhenSoundIsOnAndWithinTheirVariants)
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

    GamePlaySound(6, 25);   // above 19: variant 19
    EXPECT_TRUE(WasPlayed(6, 19));
    GamePlaySound(15, 30);   // the bonus kind keeps its high variants
    EXPECT_TRUE(WasPlayed(15, 30));
    EXPECT_FALSE(WasPlayed(15, 19));
    GamePlaySound(7, -4);   // below 1: variant 1
    EXPECT_TRUE(WasPlayed(7, 1));
    g_bSoundOn = false;
    GamePlaySound(11, 1);
    EXPECT_FALSE(WasPlayed(11, 1));
}

}  // namespace
