// The balls: the level reset, new balls, the launch, the ball step against
// walls and paddles, lost balls, the slow-down and the drawing.
#include "Balls.h"

#include <cstdlib>
#include <cstdio>

#include "Bonuses.h"
#include "BossStage.h"
#include "Bricks.h"
#include "Enemies.h"
#include "Field.h"
#include "Flow.h"
#include "Fragments.h"
#include "GameState.h"
#include "LevelCodes.h"
#include "Levels.h"
#include "Paddles.h"
#include "PlayClock.h"
#include "Resources.h"
#include "Shots.h"
#include "Sounds.h"
#include "korvid.h"
#include "sheets.h"

Ball g_Balls[GAME_BALLS] = {};
uint8_t g_bBallsLaunched = 0;
int16_t g_nMaxDX = 8, g_nMaxDY = 5;
int32_t g_nEnemyKindLimit = 4;
int32_t g_nComputerCountdown = 0;
uint8_t g_bComputerLaunchPending = 0;

namespace {

constexpr int WALL_SOUND = 17;
constexpr int WALL_SOUND_LEFT = 2, WALL_SOUND_RIGHT = 3, WALL_SOUND_TOP = 1;
constexpr int16_t WALL_LEFT = 20, WALL_RIGHT = 760, WALL_RIGHT_BIG = 750, WALL_TOP = 20;
constexpr int16_t OFF_FIELD = -50;
constexpr int16_t SPECIAL_ENDS_BELOW_Y = 470;
constexpr int BONUS_PIERCING = 28, BONUS_PASSING = 34;   // their bonus timers
constexpr int32_t COMPUTER_STEERING_SECONDS = 20;
constexpr int AUTOPILOT_TIMER = 23;
constexpr int16_t COMPUTER_LOOK_ROW = 300;
constexpr uint8_t COMPUTER_SHEET = 2;

// Speed limits and what the difficulty forces.
struct Difficulty {
    int16_t nMaxDX, nMaxDY;
    int32_t nEnemyKindLimit;
};
constexpr Difficulty DIFFICULTIES[3] = {{4, 3, 0}, {8, 5, 4}, {9, 6, 2}};

Ball FreshBall()
{
    Ball B = {};
    B.nTopRow = BALL_NEW_TOP;
    B.nBottomRow = BALL_NEW_BOTTOM;
    B.nCarried = -1;
    B.nSlowDown = -1;
    B.dx = 2;
    B.dy = -2;
    return B;
}

// A ball's place on a paddle: centred, resting on top.
void PutOnPaddle(Ball& B, const Paddle& P)
{
    B.x = (int16_t)(P.x + P.Width() / 2 - 6);
    B.y = (int16_t)(P.y - 15);
}

int16_t Sign(int16_t n) { return (int16_t)(n > 0 ? 1 : n < 0 ? -1 : 0); }

void BounceOffWalls(Ball& B)
{
    const int16_t nRight = GameBallKind(B) == BALL_KIND_BIG ? WALL_RIGHT_BIG : WALL_RIGHT;
    if (B.x + B.dx < WALL_LEFT) {
        B.dx = (int16_t)-B.dx;
        GamePlaySound(WALL_SOUND, WALL_SOUND_LEFT);
    }
    if (B.x + B.dx > nRight) {
        B.dx = (int16_t)-B.dx;
        GamePlaySound(WALL_SOUND, WALL_SOUND_RIGHT);
    }
    if (B.y + B.dy < WALL_TOP) {
        B.dy = (int16_t)-B.dy;
        GamePlaySound(WALL_SOUND, WALL_SOUND_TOP);
    }
}

void BounceOffSecondPaddle(Ball& B)
{
    if (g_bTwoPlayers || !g_bSecondPaddle || B.dy <= 0)
        return;
    const int16_t nWidth = g_Paddles[0].Width();
    if (B.x > g_nSecondPaddleX - 4 && B.x < g_nSecondPaddleX + nWidth && B.y + 16 > g_nSecondPaddleY &&
        B.y < g_nSecondPaddleY + 20)
        B.dy = (int16_t)-B.dy;
}

void BounceOffPaddles(Ball& B)
{
    const int nPlayers = g_bTwoPlayers ? 2 : 1;
    for (int nPlayer = 1; nPlayer <= nPlayers; ++nPlayer) {
        const Paddle& P = PlayerPaddle(nPlayer);
        if (!GameBallTouchesPaddle(P, B.x, B.y, B.dy))
            continue;
        g_nScoringPlayer = nPlayer;
        GamePaddleBounce(nPlayer, B.x, B.dx, B.dy);
        B.nSlowDown = 2;
        if (P.bSticky)
            B.nHeldBy = (uint8_t)nPlayer;
        return;
    }
}

void ShiftTrail(Ball& B)
{
    for (int n = BALL_TRAIL - 1; n > 0; --n) {
        B.TrailX[n] = (int16_t)(B.TrailX[n - 1] + Korvid.RandomRange(-2, 2));
        B.TrailY[n] = B.TrailY[n - 1];
    }
    B.TrailX[0] = B.x;
    B.TrailY[0] = B.y;
}

void StepBall(Ball& B)
{
    BounceOffWalls(B);
    BounceOffSecondPaddle(B);
    B.x = (int16_t)(B.x + B.dx);
    B.y = (int16_t)(B.y + B.dy);
    if (B.nHeldBy)
        PutOnPaddle(B, PlayerPaddle(B.nHeldBy));
    BounceOffPaddles(B);
    if (B.dx == 0)
        B.dx = 1;
    if (B.dy == 0)
        B.dy = 1;
    if (B.nSpecial != BALL_PLAIN && g_nFS == 1)
        ShiftTrail(B);
}

// The main ball is gone: the first other ball in play takes its slot.
void RefillSlotZero()
{
    for (int n = 1; n < GAME_BALLS; ++n) {
        if (!g_Balls[n].bActive)
            continue;
        g_Balls[0] = g_Balls[n];
        g_Balls[n] = FreshBall();
        g_Balls[n].x = g_Balls[n].y = OFF_FIELD;
        return;
    }
}

void ResetPlayers(int nWho)
{
    for (int nPlayer = 1; nPlayer <= GAME_PLAYERS; ++nPlayer) {
        if (nWho != 0 && nWho != nPlayer)
            continue;
        GameResetPaddle(nPlayer);
        g_bPlayerDead[nPlayer - 1] = false;
    }
}

void GiveComputerItsPaddle()
{
    // The number stays set after a match: it counts only while two play.
    if (g_nComputerPlayer < 1 || g_nComputerPlayer > GAME_PLAYERS || !GameIsComputerPlayer(g_nComputerPlayer))
        return;
    Paddle& P = PlayerPaddle(g_nComputerPlayer);
    P.bAutopilot = true;
    P.nLookRow = COMPUTER_LOOK_ROW;
    P.nSheet = COMPUTER_SHEET;
    P.nBonusTimers[AUTOPILOT_TIMER] = COMPUTER_STEERING_SECONDS;
    if (!g_bComputerNamePending)
        return;
    g_bComputerNamePending = false;
    g_nLastLoser = (uint8_t)g_nComputerPlayer;
    snprintf(g_szPlayerName[g_nComputerPlayer - 1], GAME_NAME_BYTES, "Computer");
}

void ApplyDifficulty()
{
    const int nLevel = GameDifficulty();
    g_nMaxDX = DIFFICULTIES[nLevel].nMaxDX;
    g_nMaxDY = DIFFICULTIES[nLevel].nMaxDY;
    g_nEnemyKindLimit = DIFFICULTIES[nLevel].nEnemyKindLimit;
    if (nLevel == DIFFICULTY_EASY)
        g_nEM = 0;
    else if (nLevel == DIFFICULTY_HARD)
        g_nEM = 1;
}

// A piercing or passing ball keeps its look while any player's timer for it runs.
bool SpecialTimeLeft(const Ball& B)
{
    const int nTimer = B.nSpecial == BALL_PIERCING ? BONUS_PIERCING : BONUS_PASSING;
    return g_Paddles[0].nBonusTimers[nTimer] > 0 || g_Paddles[1].nBonusTimers[nTimer] > 0;
}

// Back to the plain rows of the ball's size.
void EndSpecialLook(Ball& B)
{
    GameSetBallRows(B, GameBallKind(B), BALL_PLAIN);
    B.nSpecial = BALL_PLAIN;
}

// Rows by ball kind; the look is the index: plain, piercing, passing.
const int16_t* RowsOf(BallKind eKind)
{
    return eKind == BALL_KIND_SMALL ? Sheets::BALL_ROWS_SMALL
           : eKind == BALL_KIND_BIG ? Sheets::BALL_ROWS_BIG
                                    : Sheets::BALL_ROWS_NORMAL;
}

void DrawBallAt(const Ball& B, int16_t x, int16_t y, uint16_t nFlags, int16_t nParam)
{
    const int16_t nSize = GameBallSize(B);
    const int nFrame = g_bBallsLaunched ? g_nBallFrame : 0;
    const SheetRect Source = Sheets::Ball(nSize, B.nTopRow, nFrame);
    Korvid.BlitArea(GAME_CHUNKY_KUGEL, Source.x, Source.y, Source.w, Source.h, x, y, (uint8_t)nFlags, 0, nParam);
}

// The trail of earlier positions, older ones fainter (alpha 180 down to 0).
void DrawTrail(const Ball& B)
{
    for (int n = 0; n < BALL_TRAIL; ++n) {
        const int nAlpha = 180 - 20 * n;
        DrawBallAt(B, B.TrailX[n], B.TrailY[n], KOR_BLIT_ALPHA, (int16_t)(nAlpha * KOR_ALPHA_FULL / 255));
    }
}

}  // namespace

BallKind GameBallKind(const Ball& B)
{
    if (B.nTopRow < BALL_SMALL_BELOW)
        return BALL_KIND_SMALL;
    return B.nTopRow >= BALL_BIG_FROM ? BALL_KIND_BIG : BALL_KIND_NORMAL;
}

int16_t GameBallSize(const Ball& B)
{
    switch (GameBallKind(B)) {
    case BALL_KIND_SMALL:
        return Sheets::BALL_SMALL;
    case BALL_KIND_BIG:
        return Sheets::BALL_BIG;
    default:
        return Sheets::BALL_NORMAL;
    }
}

BallSpecial GameBallLook(const Ball& B)
{
    const int16_t* pRows = RowsOf(GameBallKind(B));
    for (BallSpecial eLook : {BALL_PLAIN, BALL_PIERCING, BALL_PASSING})
        if (pRows[eLook] == B.nTopRow)
            return eLook;
    return BALL_PLAIN;
}

void GameSetBallRows(Ball& B, BallKind eKind, BallSpecial eLook)
{
    B.nTopRow = RowsOf(eKind)[eLook];
    B.nBottomRow = (int16_t)(B.nTopRow + GameBallSize(B));
}

int GameDifficulty() { return Korvid.Clamp(g_nSST, DIFFICULTY_EASY, DIFFICULTY_HARD); }

void GameResetLevel(int nWho, bool bFlag)
{
    for (Ball& B : g_Balls)
        B = FreshBall();
    GameClearShots();
    GameClearBonuses();
    GameClearBossStage();
    GameClearFragments();
    GameClearEnemies();
    g_nGunCooldownLength = 2;
    g_nScoreEntry = GAME_SCORE_ENTRY_NONE;
    ResetPlayers(nWho);
    g_nFieldClearCountdown = FIELD_CLEAR_SECONDS;
    g_bAutoClear = false;
    // A new field starts with its bricks uncounted; a few-left flag carried over
    // would let the clear countdown run down on a full field.
    g_bFewBricksLeft = false;
    g_bFieldShake = false;
    g_nFieldShakeSeconds = 0;
    g_bSecondPaddle = false;
    GameLoadLevelParams(g_nCurrentLevel, bFlag);
    GamePlacePaddles(g_nCurrentLevel, bFlag);
    GiveComputerItsPaddle();
    g_bBallsLaunched = 0;
    g_Balls[0].bActive = 1;
    PutOnPaddle(g_Balls[0], g_Paddles[0]);
    g_Balls[0].nSpecial = BALL_PLAIN;
    g_bComputerLaunchPending = 0;
    ApplyDifficulty();
    g_nWeather = 0;
}

void GameAddBall(int nPlayer)
{
    const Paddle& P = PlayerPaddle(g_bTwoPlayers && nPlayer == 2 ? 2 : 1);
    for (Ball& B : g_Balls) {
        if (B.bActive)
            continue;
        B = FreshBall();
        B.bActive = 1;
        const int16_t nRightEnd = (int16_t)(P.x + P.Width());
        B.x = (int16_t)(nRightEnd - 20);
        B.y = (int16_t)(P.y - 32);
        B.dx = nRightEnd + 19 < 479 ? 2 : -2;
        B.dy = -2;
        return;
    }
}

int GameServingPlayer() { return g_bTwoPlayers && g_nLastLoser == 1 ? 2 : 1; }

void GameLaunchBalls()
{
    if (g_bHalted)
        return;
    Korvid.DebugLog("Tamborel: Checking BallStart");
    if (g_bBallsLaunched) {
        for (Ball& B : g_Balls)
            if (B.nHeldBy == LocalPlayer())
                B.nHeldBy = 0;
        return;
    }
    // In a match the computer serves after the mouse player lost the ball.
    if (g_bTwoPlayers && g_nLastLoser == LocalPlayer())
        return;
    g_bBallsLaunched = 1;
    g_bShowCode = 0;   // the level-code banner goes with the player's launch
    // Only a player alone gets his balls' slow-down put off from the launch.
    if (!g_bTwoPlayers)
        for (Ball& B : g_Balls)
            B.nSlowDown = 2;
}

void GameComputerServe()
{
    // The banner stays: it is the mouse player's to put away.
    g_bBallsLaunched = 1;
}

void GameBallsFollowServer()
{
    if (g_bBallsLaunched)
        return;
    const Paddle& P = PlayerPaddle(GameServingPlayer());
    for (Ball& B : g_Balls) {
        if (!B.bActive)
            continue;
        PutOnPaddle(B, P);
        B.dx = 2;
        B.dy = -2;
    }
}

void GameMoveBalls()
{
    // An enemy that kills a paddle resets the field: the balls wait on the paddle
    // again, so the loop below meets none of the old ones.
    GameEnemiesAgainstPaddles();
    if (!g_bBallsLaunched)
        return;
    for (int n = 0; n < GAME_BALLS; ++n) {
        if (!g_Balls[n].bActive)
            continue;
        GameEnemiesAgainstBall(n);
        StepBall(g_Balls[n]);
    }
}

void GameLoseFallenBalls()
{
    for (Ball& B : g_Balls) {
        if (!B.bActive || B.y <= BALL_LOST_Y)
            continue;
        if (g_bTwoPlayers)
            g_nLastLoser = B.x < PADDLE_HALF_X ? 1 : 2;
        B.bActive = 0;
        B.x = B.y = OFF_FIELD;
        B.dx = B.dy = 0;
    }
    // A main ball taken by a trap is replaced the same way as a fallen one: a
    // life is only lost when no ball at all is left in play.
    if (!g_Balls[0].bActive)
        RefillSlotZero();
    if (g_Balls[0].bActive || g_bHalted || !g_bInGame)
        return;
    GameResetLevel(g_nLastLoser, false);
    LoseBall(g_bTwoPlayers && g_nLastLoser ? g_nLastLoser : 1);
}

void GameSlowDownBalls()
{
    for (int n = 0; n < BALL_SLOWED_BALLS; ++n) {
        Ball& B = g_Balls[n];
        if (B.nSlowDown >= 1) {
            B.nSlowDown--;
            continue;
        }
        B.nSlowDown = 1;
        if (std::abs(B.dx) >= 2)
            B.dx = (int16_t)(B.dx - Sign(B.dx));
        if (std::abs(B.dy) >= 2)
            B.dy = (int16_t)(B.dy - Sign(B.dy));
    }
}

void GameDrawBalls()
{
    for (Ball& B : g_Balls) {
        if (!B.bActive)
            continue;
        if (B.nSpecial != BALL_PLAIN && !SpecialTimeLeft(B) && B.y > SPECIAL_ENDS_BELOW_Y)
            EndSpecialLook(B);
        if (B.nSpecial != BALL_PLAIN && g_nFS == 1)
            DrawTrail(B);
        DrawBallAt(B, B.x, B.y, KOR_BLIT_ALPHA, KOR_ALPHA_FULL);
    }
}
