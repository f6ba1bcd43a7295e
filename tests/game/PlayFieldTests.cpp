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
    void FieldFrame(uint32_t nMilliseconds)
    {
        m_Platform.Advance(nMilliseconds);
        GamePlayClock();
        GameDrawField();
    }
    static void SetRow(const std::vector<int16_t>& Codes)
    {
        ClearLevel();
        for (size_t n = 0; n < Codes.size(); ++n)
            SetCell((int)n + 1, 1, Codes[n]);
    }
};

TEST_F(PlayField, BricksAnimateAreCountedClearedAtTheEndAndTheLastOneEndsTheLevel)
{
    StartPlay();
    // The breakable and the dying cells count; nothing is counted while halted.
    SetRow({0, 20, 179, 180, 239, 240, 339, 340, 342, 343, 352, 353, 479, 480, 494, 495, 497, 499});
    GameDrawField();
    EXPECT_EQ(g_nBricksLeft, 9);
    EXPECT_FALSE(g_bFewBricksLeft);
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
    SetCell(4, 4, 240);
    g_nCellColumn = g_nCellRow = 4;
    g_Balls[0].nTopRow = 90;
    GameBrickHit(0, false, BALL_KIND_BIG, BRICK_UP);
    EXPECT_EQ(CellCode(4, 4), BRICK_SMASHED);
    for (int n = 0; n < 5; ++n)
        FieldFrame(25);
    EXPECT_EQ(CellCode(4, 4), LEVEL_CELL_EMPTY);

    // A used teleporter works again when its cooldown is over.
    SetCell(1, 1, BRICK_BEAM_A_USED);
    SetCell(2, 1, BRICK_BEAM_B_USED);
    g_nTeleporterCooldown = 1;
    GameDrawField();
    EXPECT_EQ(CellCode(1, 1), BRICK_BEAM_A_USED);
    FieldFrame(1000);
    EXPECT_EQ(Pair(CellCode(1, 1), CellCode(2, 1)), Pair(BRICK_BEAM_A, BRICK_BEAM_B));

    // With few bricks left, after the clear countdown the last ones explode and the field shakes.
    SetRow({5, 240, 200, 340, 341});
    GameDrawField();
    EXPECT_TRUE(g_bFewBricksLeft && !g_bAutoClear);
    EXPECT_EQ(CellCode(1, 1), 5);
    g_nFieldClearCountdown = 1;
    FieldFrame(1000);
    EXPECT_EQ(g_nFieldClearCountdown, 0);
    EXPECT_TRUE(g_bAutoClear);
    g_bAnimationGate = false;   // the explosions' first step stays in view
    GameDrawField();
    EXPECT_EQ((std::array<int, 5>{CellCode(1, 1), CellCode(2, 1), CellCode(3, 1), CellCode(4, 1), CellCode(5, 1)}),
              (std::array<int, 5>{480, 480, 200, 480, 341}));
    EXPECT_TRUE(g_bFieldShake);
    EXPECT_EQ(g_nFieldShakeSeconds, 5);

    // A level of only hard and sliding bricks is won at once.
    g_bAutoClear = false;
    SetRow({200, 340, 400, BRICK_BEAM_A});
    GameDrawField();
    EXPECT_EQ(g_nBricksLeft, 0);
    EXPECT_TRUE(HasLine("Tamborel: GameChangeMode(4)"));
}

TEST_F(PlayField, EachWallHasItsSoundAndEffectsPlayWithinTheirVariantsAndTheMixersChannels)
{
    StartPlay();
    // A ball at the left, right and top wall, and the variant of the wall sound.
    for (const std::array<int16_t, 5>& Wall : {std::array<int16_t, 5>{22, 200, -3, 2, 2}, {758, 200, 3, 2, 3},
                                               {300, 21, 2, -2, 1}}) {
        EXPECT_FALSE(WasPlayed(17, Wall[4]));
        Fly(0, Wall[0], Wall[1], Wall[2], Wall[3]);
        GameMoveBalls();
        EXPECT_TRUE(WasPlayed(17, Wall[4])) << Wall[4];
    }
    GamePlaySound(6, 25);   // above 19: variant 19
    EXPECT_TRUE(WasPlayed(6, 19));
    GamePlaySound(15, 30);   // the bonus kind keeps its high variants
    EXPECT_TRUE(WasPlayed(15, 30) && !WasPlayed(15, 19));
    GamePlaySound(7, -4);   // below 1: variant 1
    EXPECT_TRUE(WasPlayed(7, 1));
    // More effects at once than the mixer has channels: the last are refused, and play goes on.
    EXPECT_FALSE(LogStartsWith("WARNING: ** Mix_PlayChannel("));
    for (int nVariant = 1; nVariant <= 12; ++nVariant)
        GamePlaySound(8, nVariant);
    EXPECT_TRUE(LogStartsWith("WARNING: ** Mix_PlayChannel("));
    g_bSoundOn = false;
    GamePlaySound(11, 1);
    EXPECT_FALSE(WasPlayed(11, 1));
}

}  // namespace
