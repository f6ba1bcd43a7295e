// Enemies: sent from the top of the field every 20 seconds, bouncing inside it.
// Harmful ones kill a paddle without a shield, and those of kinds 4..7 catch
// balls and carry them for a while; balls, laser shots and bonus 33 destroy them.
#include "Enemies.h"

#include "Balls.h"
#include "Bricks.h"
#include "Flow.h"
#include "GameState.h"
#include "Paddles.h"
#include "Resources.h"
#include "Sounds.h"
#include "korvid.h"
#include "sheets.h"

Enemy g_Enemies[GAME_ENEMIES] = {};
uint8_t g_bEnemyCatchLock = 0;

namespace {

constexpr int16_t START_X = 350, START_Y = 20;
constexpr int16_t LEFT = 20, RIGHT = 700, TOP = 20, BOTTOM = 470;
constexpr int32_t START_SPEED_MAX = 5;
constexpr uint8_t KIND_LAST = 7, KIND_LAST_GENTLE = 4;   // harmful ones on difficulty 1 without weather
constexpr uint8_t CATCHER_KIND_FIRST = 4;
// An enemy's body for balls and shots, and for paddles (a paddle is 30 high).
constexpr int16_t BODY_REACH = 60, BALL_REACH = 38, SHOT_REACH = 20;
constexpr int16_t PADDLE_REACH_Y = 80, PADDLE_HEIGHT = 30;
constexpr int16_t CARRY_OFFSET = 30;   // a carried ball rides in the middle
constexpr int32_t HOLD_MIN = 5, HOLD_MAX = 20;
// The carrier lets go only above this, so the ball does not drop onto the paddle
// from close by; then no enemy catches it for a while.
constexpr int16_t LET_GO_ABOVE_Y = 411;
constexpr int32_t NO_CATCH_SECONDS = 30;
constexpr int EXPLOSION_SOUND = 1, EXPLOSION_BY_BALL = 5, EXPLOSION_BY_SHOT = 1;
constexpr int32_t SHOT_POINTS = 2;
constexpr int16_t SHOT_PLAYER_2_FROM_X = 401;

bool Living(const Enemy& E) { return E.bActive && !E.bDying; }

bool Catches(const Enemy& E) { return !E.bHarmless && E.nKind >= CATCHER_KIND_FIRST && !g_bEnemyCatchLock; }

bool TouchesBall(const Enemy& E, const Ball& B)
{
    return B.x <= E.x + BODY_REACH && E.x <= B.x + BALL_REACH && B.y <= E.y + BODY_REACH && E.y <= B.y + BALL_REACH;
}

bool TouchesPaddle(const Enemy& E, const Paddle& P)
{
    return E.x + BODY_REACH > P.x && E.x < P.x + P.Width() && E.y + PADDLE_REACH_Y > P.y &&
           E.y < P.y + PADDLE_HEIGHT;
}

void ReleaseBallsOf(int nEnemy)
{
    for (Ball& B : g_Balls)
        if (B.nCarried != -1 && B.nCarrier == nEnemy)
            B.nCarried = -1;
    g_Enemies[nEnemy].nCarrying = 0;
}

void ReleaseAllBalls()
{
    for (Ball& B : g_Balls)
        B.nCarried = -1;
    for (Enemy& E : g_Enemies)
        E.nCarrying = 0;
}

// The dying animation starts; a dying enemy carries nothing.
void StartDying(int nEnemy)
{
    g_Tally.nEnemiesDestroyed++;
    ReleaseBallsOf(nEnemy);
    g_Enemies[nEnemy].bDying = 1;
    g_Enemies[nEnemy].nFrame = 0;
}

void Remove(int nEnemy)
{
    ReleaseBallsOf(nEnemy);
    g_Enemies[nEnemy] = {};
}

// A carried ball rides along with its carrier; one whose carrier is gone is free.
void CarryAlong(Ball& B)
{
    if (B.nCarrier < 0 || B.nCarrier >= GAME_ENEMIES || !Living(g_Enemies[B.nCarrier])) {
        B.nCarried = -1;
        return;
    }
    const Enemy& E = g_Enemies[B.nCarrier];
    B.x = (int16_t)(E.x + CARRY_OFFSET);
    B.y = (int16_t)(E.y + CARRY_OFFSET);
}

void Catch(int nEnemy, Ball& B)
{
    B.nHoldSeconds = Korvid.RandomRange(HOLD_MIN, HOLD_MAX);
    B.nCarried = 1;
    B.nCarrier = nEnemy;
    B.nHeldBy = 0;   // taken off a sticky paddle
    GameSetBallRows(B, BALL_KIND_NORMAL, BALL_PASSING);
    B.nSpecial = BALL_PASSING;
    g_Enemies[nEnemy].nCarrying = 1;
}

// A component of a ball that smashed an enemy: a random speed up to the limit, turned round.
int16_t Rebound(int16_t nSpeed, int16_t nMax)
{
    const int32_t nMagnitude = Korvid.RandomRange(1, nMax);
    return (int16_t)(nSpeed > 0 ? -nMagnitude : nMagnitude);
}

void Smash(int nEnemy, Ball& B)
{
    GameDestroyEnemy(nEnemy, EXPLOSION_BY_BALL);
    if (GameBallKind(B) == BALL_KIND_BIG)
        return;
    B.dx = Rebound(B.dx, g_nMaxDX);
    B.dy = Rebound(B.dy, g_nMaxDY);
}

uint32_t SheetOf(const Enemy& E)
{
    if (E.bDying)
        return GAME_CHUNKY_KUGEL;
    if (!E.bHarmless)
        return GAME_CHUNKY_ENEMIES + 2;
    return GAME_CHUNKY_ENEMIES + (GameDifficulty() == DIFFICULTY_EASY ? 1 : 0);
}

void Draw(const Enemy& E)
{
    const SheetRect Source = E.bDying ? Sheets::DyingEnemy(E.nFrame) : Sheets::Enemy(E.nKind, E.nFrame);
    Korvid.BlitArea(SheetOf(E), Source.x, Source.y, Source.w, Source.h, E.x, E.y, KOR_BLIT_ALPHA, 0,
                    KOR_ALPHA_FULL);
}

void Move(Enemy& E)
{
    if (E.x + E.vx < LEFT || E.x > RIGHT - E.vx)
        E.vx = (int16_t)-E.vx;
    if (E.y + E.vy < TOP || E.y > BOTTOM - E.vy)
        E.vy = (int16_t)-E.vy;
    E.x = (int16_t)(E.x + E.vx);
    E.y = (int16_t)(E.y + E.vy);
}

}  // namespace

void GameClearEnemies()
{
    for (Enemy& E : g_Enemies)
        E = {};
    g_bEnemyCatchLock = 0;
}

void GameSendEnemy()
{
    for (Enemy& E : g_Enemies) {
        if (E.bActive)
            continue;
        E = {};
        E.bActive = 1;
        E.bHarmless = GameDifficulty() == DIFFICULTY_EASY || Korvid.RandomRange(0, g_nEnemyKindLimit) != 0;
        const bool bGentle = !E.bHarmless && g_nWeather == 0 && GameDifficulty() == DIFFICULTY_NORMAL;
        E.nKind = (uint8_t)Korvid.RandomRange(0, bGentle ? KIND_LAST_GENTLE : KIND_LAST);
        E.x = START_X;
        E.y = START_Y;
        E.vx = (int16_t)Korvid.RandomRange(1, START_SPEED_MAX);
        E.vy = (int16_t)-Korvid.RandomRange(1, START_SPEED_MAX);
        return;
    }
}

void GameAnimateEnemies()
{
    for (Enemy& E : g_Enemies) {
        if (!E.bActive || ++E.nFrame < Sheets::ENEMY_FRAMES)
            continue;
        if (E.bDying)
            E = {};
        else
            E.nFrame = 0;
    }
}

void GameMoveEnemies()
{
    for (Enemy& E : g_Enemies) {
        if (!E.bActive)
            continue;
        Draw(E);
        if (!g_bHalted)
            Move(E);
    }
}

void GameEnemiesAgainstPaddles()
{
    const int nPlayers = g_bTwoPlayers ? 2 : 1;
    for (int n = 0; n < GAME_ENEMIES; ++n) {
        if (!Living(g_Enemies[n]) || g_Enemies[n].bHarmless)
            continue;
        for (int nPlayer = 1; nPlayer <= nPlayers; ++nPlayer) {
            Paddle& P = PlayerPaddle(nPlayer);
            if (!TouchesPaddle(g_Enemies[n], P))
                continue;
            Remove(n);
            if (P.bShield) {
                P.bShield = false;
                P.nSheet = 0;
                P.nLookRow = 0;
                break;
            }
            // The reset takes every enemy and ball off the field: nothing is left to test.
            GameResetLevel(nPlayer, false);
            LoseBall(nPlayer);
            return;
        }
    }
}

void GameEnemiesAgainstBall(int nBall)
{
    if (nBall < 0 || nBall >= GAME_BALLS)
        return;
    Ball& B = g_Balls[nBall];
    if (B.nCarried != -1)
        CarryAlong(B);
    for (int n = 0; n < GAME_ENEMIES; ++n) {
        if (!Living(g_Enemies[n]) || !TouchesBall(g_Enemies[n], B))
            continue;
        if (!Catches(g_Enemies[n])) {
            Smash(n, B);
            continue;
        }
        if (B.nHoldSeconds > 0)
            continue;
        if (B.nCarried == -1) {
            Catch(n, B);
        } else if (B.nCarrier == n && B.y < LET_GO_ABOVE_Y) {
            // The hold is over: the carrier pays for it and lets go of every ball.
            GameDestroyEnemy(n, EXPLOSION_BY_BALL);
            B.nHoldSeconds = NO_CATCH_SECONDS;
            ReleaseAllBalls();
        }
    }
}

int GameEnemyHitByShot(int16_t x, int16_t y)
{
    for (int n = 0; n < GAME_ENEMIES; ++n) {
        const Enemy& E = g_Enemies[n];
        if (Living(E) && !E.nCarrying && x <= E.x + BODY_REACH && E.x <= x + SHOT_REACH && y <= E.y + BODY_REACH &&
            E.y <= y + SHOT_REACH)
            return n;
    }
    return -1;
}

void GameShootEnemy(int nEnemy, int16_t nShotX)
{
    if (nEnemy < 0 || nEnemy >= GAME_ENEMIES || !Living(g_Enemies[nEnemy]))
        return;
    GameDestroyEnemy(nEnemy, EXPLOSION_BY_SHOT);
    GameAddScore(SHOT_POINTS, g_bTwoPlayers && nShotX >= SHOT_PLAYER_2_FROM_X ? 2 : 1);
}

void GameDestroyEnemy(int nEnemy, int nSoundVariant)
{
    if (nEnemy < 0 || nEnemy >= GAME_ENEMIES || !Living(g_Enemies[nEnemy]))
        return;
    StartDying(nEnemy);
    GamePlaySound(EXPLOSION_SOUND, nSoundVariant);
}

void GameDestroyAllEnemies()
{
    bool bAny = false;
    for (int n = 0; n < GAME_ENEMIES; ++n) {
        if (!Living(g_Enemies[n]))
            continue;
        StartDying(n);
        bAny = true;
    }
    ReleaseAllBalls();
    if (bAny)
        GamePlaySound(EXPLOSION_SOUND, EXPLOSION_BY_BALL);
}
