// Falling bonuses: released by bonus bricks, caught by the paddles, and what
// each code does to the catching player, its points, protection, the computer
// player and the timers that end the effects.
#include <functional>

#include "Bonuses.h"
#include "Enemies.h"
#include "Field.h"
#include "Flow.h"
#include "GameFixture.h"
#include "Keys.h"

namespace gametest {
namespace {

int ActiveBonuses()
{
    return (int)std::count_if(std::begin(g_Bonuses), std::end(g_Bonuses), [](const FallingBonus& B) { return B.bActive; });
}

int ActiveBalls()
{
    return (int)std::count_if(std::begin(g_Balls), std::end(g_Balls), [](const Ball& B) { return B.bActive; });
}

// A bonus dropped just above the player's paddle, caught by one frame's movement.
void Catch(int nCode, int nPlayer = 1)
{
    const Paddle& P = PlayerPaddle(nPlayer);
    GameSpawnBonus(nCode, P.x + 10, P.y - 10);
    GameMoveBonuses();
}

Pair LookOf(const Paddle& P) { return {P.nSheet, P.nLookRow}; }

// Everything a bonus can change, but the scores and the protection with its look.
std::vector<int> PlayState()
{
    std::vector<int> Out = {g_nLives[0],     g_nLives[1],        g_nCurrentLevel,    g_nWeather,
                            g_bSecondPaddle, g_bEnemyCatchLock,  g_bFieldShake,      ActiveBalls()};
    for (const Paddle& P : g_Paddles)
        Out.insert(Out.end(), {P.nSizeClass, P.bFrozen, P.bMirrored, P.bFreeVertical, P.bInvisible, P.bInvisibleBricks,
                               P.bSticky, P.bShield, P.bAutopilot, P.nLaserLevel, P.nMultiplier});
    for (const Ball& B : g_Balls)
        Out.insert(Out.end(), {B.nTopRow, B.nSpecial, B.dx, B.dy});
    return Out;
}

class Bonuses : public PlayTest {
protected:
    void SetUp() override
    {
        PlayTest::SetUp();
        g_nWetter = 1;
        g_nWeather = 0;
        g_nScore[0] = g_nScore[1] = 0;
        Fly(0, 300, 200, 3, -2);
        GameRestartPlayClock();
    }
    // Both sides back to a new level's start, scores 0.
    void Fresh()
    {
        GameResetLevel(0, false);
        g_nScore[0] = g_nScore[1] = 0;
        g_nLives[0] = g_nLives[1] = GAME_START_LIVES;
        g_nWeather = 0;
        Fly(0, 300, 200, 3, -2);
    }
    // Seconds on the play clock, with the frame's expiry checks after each.
    void Seconds(int nSeconds)
    {
        for (int n = 0; n < nSeconds; ++n) {
            RunClock(1000);
            GameMoveBonuses();
        }
    }
};

TEST_F(Bonuses, EveryCodeCaughtDoesWhatItsRowSaysAndScoresItsPoints)
{
    const Paddle& P = g_Paddles[0];
    const Ball& B = g_Balls[0];
    struct Case {
        int nCode;
        std::function<void()> Before;
        int nPoints;
        std::function<bool()> Done;
    };
    auto Nothing = [] {};
    const Case Cases[] = {
        {20, Nothing, 1, [&] { return P.nSizeClass == 1 && P.Width() == 120; }},
        {20, [] { GameSetPaddleSize(g_Paddles[0], 4); }, 1, [&] { return P.nSizeClass == 4; }},
        {21, [] { GameSetPaddleSize(g_Paddles[0], 2); }, 2, [&] { return P.nSizeClass == 1; }},
        {21, Nothing, 2, [&] { return P.nSizeClass == 0; }},
        {22, Nothing, 5, [] { return ActiveBalls() == 2; }},
        {23, [] { g_Paddles[0].bSticky = true; }, 2,
         [&] { return P.bAutopilot && !P.bSticky && LookOf(P) == Pair(2, 300) && P.nBonusTimers[23] == 20; }},
        {24, [] { g_Paddles[0].nLaserLevel = 2; }, 2,
         [&] { return P.bFreeVertical && P.nLaserLevel == 0 && LookOf(P) == Pair(1, 0); }},
        {25, Nothing, 2, [&] { return P.nMultiplier == 2; }},
        {26, Nothing, 4, [&] { return P.nMultiplier == 4; }},
        {27, [] { g_Paddles[0].bShield = true; }, 5, [&] { return P.bSticky && !P.bShield && LookOf(P) == Pair(0, 300); }},
        {28, Nothing, 1,
         [&] { return B.nSpecial == BALL_PIERCING && B.nTopRow == 54 && B.nBottomRow == 72 && P.nBonusTimers[28] == 40; }},
        {28, [] { g_nWeather = 1; }, 1, [&] { return B.nSpecial == BALL_PLAIN && P.nBonusTimers[28] == 0; }},
        {29, [] { g_Paddles[0].bSticky = true; }, 2, [&] { return P.nLaserLevel == 1 && !P.bSticky && LookOf(P) == Pair(1, 300); }},
        {29, [] { g_Paddles[0].nLaserLevel = 5; }, 2, [&] { return P.nLaserLevel == 5; }},
        {30, Nothing, 10, [] { return g_nLives[0] == GAME_START_LIVES + 1; }},
        {30, [] { g_nLives[0] = GAME_MAX_LIVES; }, 10, [] { return g_nLives[0] == GAME_MAX_LIVES; }},
        {31, [] { g_Paddles[0].bShield = true; }, 0,
         [&] { return P.bFrozen && P.bShield && LookOf(P) == Pair(2, 0) && P.nBonusTimers[31] == 2; }},
        {32, Nothing, 1, [&] { return P.bMirrored && P.nBonusTimers[32] == 20; }},
        {33, Nothing, 2, [] { return g_bFieldShake && g_nFieldShakeSeconds == 2; }},
        {34, Nothing, 0, [&] { return B.nSpecial == BALL_PASSING && B.nTopRow == 72 && P.nBonusTimers[34] == 40; }},
        {34, [] { g_nWeather = 2; }, 0, [&] { return B.nSpecial == BALL_PLAIN; }},
        {35, [] { g_Balls[0].dx = 8; }, 2, [&] { return B.dx == 9 && B.dy == -3; }},
        {35, [] { g_Balls[0].dx = 9; }, 2, [&] { return B.dx == 9 && B.dy == -3; }},
        {36, Nothing, 1, [&] { return B.dx == 2 && B.dy == -1; }},
        {39, Nothing, 0, [] { return g_nLives[0] == GAME_START_LIVES - 1; }},
        {61, [] { g_Paddles[0].bInvisibleBricks = true; }, 15,
         [&] { return P.bInvisible && !P.bInvisibleBricks && P.nBonusTimers[61] == 5; }},
        {62, [] { g_Paddles[0].bInvisible = true; }, 10,
         [&] { return P.bInvisibleBricks && !P.bInvisible && P.nBonusTimers[62] == 5; }},
        {63, Nothing, 0, [&] { return B.nTopRow == 0 && B.nBottomRow == 12; }},
        {63, [] { g_Balls[0].nTopRow = 0; }, 0, [&] { return B.nTopRow == 0; }},
        {64, [] { g_Balls[0].nTopRow = 54; }, 0, [&] { return B.nTopRow == 116 && B.nBottomRow == 142; }},
        {65, Nothing, 10, [] { return g_bEnemyCatchLock == 1; }},
        {66, [] { g_Paddles[0].bFrozen = true; }, 2, [&] { return P.bShield && !P.bFrozen && LookOf(P) == Pair(3, 300); }},
        {67, Nothing, 1, [&] { return P.bProtection && LookOf(P) == Pair(3, 0); }},
        {68, Nothing, 6, [&] { return g_bSecondPaddle && Pair(g_nSecondPaddleX, g_nSecondPaddleY) == PlaceOf(P); }},
        {69, Nothing, 6, [] { return g_nWeather == 2; }},
        {69, [] { g_nWetter = 0; }, 6, [] { return g_nWeather == 0; }},
        {70, Nothing, 6, [] { return g_nWeather == 1; }},
        {71, Nothing, 6, [] { return g_nWeather == 3; }},
        {72, [] { g_nWeather = 2; }, 6, [] { return g_nWeather == 0 && LogHas("FOG2"); }},
        {72, [] { g_nWeather = 3; }, 6, [] { return g_nWeather == 3; }},
        {73, [] { g_nWeather = 1; }, 6, [] { return g_nWeather == 0; }},
        {74, [] { g_nWeather = 3; }, 6, [] { return g_nWeather == 0; }},
    };
    for (const Case& Each : Cases) {
        Fresh();
        g_nWetter = 1;
        Each.Before();
        Catch(Each.nCode);
        EXPECT_TRUE(Each.Done()) << "code " << Each.nCode;
        EXPECT_EQ(g_nScore[0], Each.nPoints) << "code " << Each.nCode;
        EXPECT_EQ(ActiveBonuses(), 0);
    }
    EXPECT_TRUE(LogHas("BonusGefangen: 0  BonType: 74   CPU: 0   Wetter1: 1"));

    // Points count with the multiplier held when the bonus is caught; codes 75..79 do nothing.
    Fresh();
    g_Paddles[0].nMultiplier = 2;
    Catch(30);
    const std::vector<int> Before = PlayState();
    Catch(79);
    EXPECT_EQ(g_nScore[0], 20);
    EXPECT_EQ(PlayState(), Before);
}

TEST_F(Bonuses, TheRandomBonusIsTheEffectOfTheCodeItDraws)
{
    for (int32_t nSeed : {1, 2, 3, 4, 5, 6}) {
        Fresh();
        Korvid.RandomSeed(nSeed);
        const int nDrawn = Korvid.RandomRange(20, 37);
        Korvid.RandomSeed(nSeed);
        Catch(37);
        const std::vector<int> Random = PlayState();
        const int32_t nRandomScore = g_nScore[0];
        Fresh();
        Korvid.RandomSeed(nSeed + 100);
        Catch(nDrawn);
        // A drawn 37 is worth the random bonus's own 2 points.
        EXPECT_EQ(nRandomScore, nDrawn == 37 ? 2 : g_nScore[0]) << nDrawn;
        EXPECT_EQ(Random, PlayState()) << nDrawn;
    }
}

TEST_F(Bonuses, ProtectionAbsorbsOneBadBonusAndTheComputerGetsOnlyWhatIsMarkedForIt)
{
    for (int nCode : {31, 32, 34, 39, 60, 61, 62, 63}) {
        Fresh();
        Catch(67);
        const std::vector<int> Before = PlayState();
        Catch(nCode);
        EXPECT_EQ(PlayState(), Before) << nCode;
        EXPECT_FALSE(g_Paddles[0].bProtection);
        EXPECT_EQ(LookOf(g_Paddles[0]), Pair(0, 0));
    }

    // A match with the computer as player 2: its paddle catches on its half.
    g_bTwoPlayers = true;
    g_nComputerPlayer = 2;
    for (int nCode = 20; nCode <= 79; ++nCode) {
        if (LevelCellKindOf(nCode) != LevelCellKind::BonusBrick || nCode == 38 || nCode == 60)
            continue;
        Fresh();
        const std::vector<int> Before = PlayState();
        Catch(nCode, 2);
        const bool bForComputer = nCode == 22 || nCode == 28 || nCode == 33 || nCode == 34;
        EXPECT_EQ(PlayState() != Before, bForComputer) << nCode;
        EXPECT_EQ(g_nScore[1] > 0, bForComputer && nCode != 34) << nCode;
        EXPECT_EQ(g_nScore[0], 0);
    }
    Fresh();
    Catch(22, 2);
    EXPECT_EQ(g_Balls[1].x, g_Paddles[1].x + g_Paddles[1].Width() - 20);   // the new ball starts at its paddle
    EXPECT_FALSE(LogHas("BonusGefangen: 0  BonType: 22"));   // only player 1's catches are logged
}

TEST_F(Bonuses, TimersEndTheEffectsOnThePlayClockAndTheLooksReturn)
{
    // On autopilot the paddle goes under ball 0, wherever the pointer is.
    Catch(23);
    g_nPointerX = 700;
    for (int16_t x : {100, 10}) {
        g_Balls[0].x = x;
        GameMovePaddles();
        EXPECT_EQ(g_Paddles[0].x, std::max(x - 40, (int)PADDLE_MIN_X));
    }
    Seconds(16);
    EXPECT_EQ(LookOf(g_Paddles[0]), Pair(0, 0));   // the autopilot's last seconds blink
    Seconds(1);
    EXPECT_EQ(LookOf(g_Paddles[0]), Pair(2, 300));
    Seconds(3);
    EXPECT_FALSE(g_Paddles[0].bAutopilot);
    EXPECT_EQ(LookOf(g_Paddles[0]), Pair(0, 0));

    Catch(31);
    Catch(32);
    Catch(61);
    Seconds(2);
    EXPECT_FALSE(g_Paddles[0].bFrozen);
    EXPECT_EQ(LookOf(g_Paddles[0]), Pair(0, 0));
    Seconds(3);
    EXPECT_FALSE(g_Paddles[0].bInvisible);
    EXPECT_TRUE(g_Paddles[0].bMirrored);
    Seconds(15);
    EXPECT_FALSE(g_Paddles[0].bMirrored);

    // A piercing ball keeps its look until its time is up and it is low over the paddles.
    Catch(28);
    Seconds(40);
    g_Balls[0].y = 460;
    GameDrawBalls();
    EXPECT_EQ(g_Balls[0].nSpecial, BALL_PIERCING);
    g_Balls[0].y = 471;
    GameDrawBalls();
    EXPECT_EQ(g_Balls[0].nSpecial, BALL_PLAIN);
    EXPECT_EQ(g_Balls[0].nTopRow, 36);

    // Free vertical movement ended by another mode sends the paddle back down;
    // a mirrored paddle stays at the height its steering gives it.
    Catch(24);
    g_Paddles[0].y = 300;
    Catch(27);
    EXPECT_EQ(g_Paddles[0].y, PADDLE_REST_Y);
    Catch(32);
    g_nPointerY = 300;
    GameMovePaddles();
    GameMoveBonuses();
    EXPECT_EQ(g_Paddles[0].y, 220);
}

TEST_F(Bonuses, BrokenBonusBricksReleaseThemAndTheyFallUntilCaughtOrGone)
{
    HitWith(26, BALL_KIND_NORMAL, false, BRICK_UP, 5, 4);
    ASSERT_EQ(ActiveBonuses(), 1);
    EXPECT_EQ(Pair(g_Bonuses[0].x, g_Bonuses[0].y), Pair(20 + 5 * 40, 21 + 4 * 24));
    EXPECT_EQ(g_Bonuses[0].nType, 26);
    g_nSB = 0;
    HitWith(26, BALL_KIND_NORMAL, true);
    EXPECT_EQ(ActiveBonuses(), 1);   // shots release bonuses only with the setting
    g_nSB = 1;
    HitWith(26, BALL_KIND_NORMAL, true);
    EXPECT_EQ(ActiveBonuses(), 2);

    // Halted, nothing falls; then two pixels a frame, and gone at y 500.
    GameClearBonuses();
    GameSpawnBonus(20, 30, 496);
    g_bHalted = 1;
    GameMoveBonuses();
    EXPECT_EQ(g_Bonuses[0].y, 496);
    g_bHalted = 0;
    GameMoveBonuses();
    EXPECT_EQ(g_Bonuses[0].y, 498);
    GameMoveBonuses();
    EXPECT_EQ(ActiveBonuses(), 0);

    // The catch reaches 8 pixels left of the paddle, not 9; fifty bonuses at most.
    const Paddle& P = g_Paddles[0];
    for (int nLeft : {9, 8}) {
        GameSpawnBonus(20, P.x - nLeft, P.y - 12);
        GameMoveBonuses();
    }
    EXPECT_EQ(P.nSizeClass, 1);
    for (int n = 0; n < GAME_BONUS_SLOTS + 5; ++n)
        GameSpawnBonus(75, 30, 30);
    EXPECT_EQ(ActiveBonuses(), GAME_BONUS_SLOTS);
    GameResetLevel(0, false);
    EXPECT_EQ(ActiveBonuses(), 0);
}

TEST_F(Bonuses, AloneThePlayerLosesHisOwnBonusesWithALifeAndNoProbeFindsACellOutsideTheGrid)
{
    // Start-up leaves the computer's number at 2 outside a match: it must not make player 2 a computer.
    g_nComputerPlayer = 2;
    GameResetLevel(0, true);
    EXPECT_EQ(g_nLastLoser, 0);
    EXPECT_STRNE(g_szPlayerName[1], "Computer");
    Catch(20);
    Catch(32);
    g_Balls[0].y = 530;
    GameLoseFallenBalls();
    EXPECT_EQ(g_nLives[0], GAME_START_LIVES - 1);
    EXPECT_EQ(g_Paddles[0].nSizeClass, 0);
    EXPECT_FALSE(g_Paddles[0].bMirrored);

    for (const Pair& Point : {Pair(780, 100), Pair(300, 600), Pair(900, 900)}) {
        GameCellAt(Point.first, Point.second);
        EXPECT_EQ(GameCell(g_nCellColumn, g_nCellRow), nullptr) << Point.first << "," << Point.second;
    }
    GameCellAt(779, 520);
    EXPECT_EQ(Pair(g_nCellColumn, g_nCellRow), Pair(18, 20));
}

// In a started game: the start level of the command line, the level-won and
// level-back bonuses, and a field of only damaged cells, which counts as cleared.
TEST_F(GameStart, BonusesWinOrLoseLevelsAndAFieldOfDamagedCellsIsWon)
{
    ASSERT_TRUE(StartGame({"--level=3"}));
    Press(GAME_KEY_F11);
    ASSERT_EQ(g_nCurrentLevel, 2);
    const Paddle& P = g_Paddles[0];
    GameSpawnBonus(38, P.x + 10, P.y - 20);
    Frames(10);
    EXPECT_EQ(g_nCurrentLevel, 3);
    EXPECT_EQ(g_nScore[0], 10);
    GameSpawnBonus(60, P.x + 10, P.y - 20);
    Frames(10);
    EXPECT_EQ(g_nCurrentLevel, 2);
    std::fill(g_LevelCells[2], g_LevelCells[2] + LEVEL_CELLS, (int16_t)-5);
    Frames(2);
    EXPECT_EQ(g_nCurrentLevel, 3);
}

}  // namespace
}  // namespace gametest
