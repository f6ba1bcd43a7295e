// The paddles: start positions, steering by the mouse, the pointer measurement
// and the bounce of a ball off a paddle.
#include "Paddles.h"

#include <cmath>

#include "Balls.h"
#include "GameState.h"
#include "PlayClock.h"
#include "Resources.h"
#include "Text.h"
#include "korvid.h"
#include "sheets.h"

namespace {

// The paddle before the first level reset: the plain look, the smallest size.
Paddle StartPaddle()
{
    Paddle P = {};
    P.nRight = Sheets::PADDLE_EDGES[1];
    P.nMultiplier = 1;
    return P;
}

constexpr int16_t END_ZONE = 12;
constexpr int16_t END_ZONE_REACH = 9;   // the left zone starts this far left of the paddle

int16_t Clamp16(int32_t n, int32_t nLow, int32_t nHigh)
{
    return (int16_t)(n < nLow ? nLow : n > nHigh ? nHigh : n);
}

// The ball flies from an end zone of the paddle toward its middle (rule PS 1).
bool InEndZoneTowardMiddle(const Paddle& P, int16_t x, int16_t dx)
{
    bool bLeftZone = P.x - END_ZONE_REACH < x && x < P.x + END_ZONE && dx > 0;
    bool bRightZone = P.x + P.Width() - END_ZONE < x && x < P.x + P.Width() && dx < 0;
    return bLeftZone || bRightZone;
}

// The momentum rule: the paddle's movement adds to the ball's speed.
void MomentumBounce(const PointerTrack& T, int16_t& dx, int16_t& dy)
{
    // A measurement that repeats the previous one means the mouse stood still.
    int32_t nVDelta = T.nVDelta, nHDelta = T.nHDelta;
    double fVSpeed = T.fSpeed, fHSpeed = T.fSpeed;
    if (nVDelta == T.nPreviousVDelta) {
        nVDelta = 0;
        fVSpeed = 0;
    }
    if (nHDelta == T.nPreviousHDelta) {
        nHDelta = 0;
        fHSpeed = 0;
    }
    if (fVSpeed + nVDelta <= 0) {
        dy = (int16_t)-dy;
    } else {
        int32_t nSum = (int32_t)fVSpeed + dy + nVDelta;
        dy = (int16_t)-(nSum > g_nMaxDY ? g_nMaxDY : nSum);
    }
    if (nHDelta < 1) {
        if (T.nPreviousHDelta > T.nHDelta)
            dx = (int16_t)-nHDelta;
    } else {
        int32_t nSum = (int32_t)fHSpeed + dx + nHDelta;
        dx = Clamp16(-nSum, -g_nMaxDX, g_nMaxDX);
    }
}

void SteerByPointer(int nPlayer)
{
    Paddle& P = PlayerPaddle(nPlayer);
    int16_t nMinX, nMaxX;
    GamePaddleRange(nPlayer, P.Width(), nMinX, nMaxX);
    if (P.bMirrored) {
        P.x = Clamp16(Sheets::SCREEN_WIDTH - P.Width() - g_nPointerX, nMinX, nMaxX);
        // The pointer's y is first kept to what leaves the paddle within 17..520.
        int32_t nPointerY = Clamp16(g_nPointerY, PADDLE_MAX_Y - PADDLE_MAX_Y, PADDLE_MAX_Y - PADDLE_MIN_Y);
        P.y = (int16_t)(PADDLE_MAX_Y - nPointerY);
        return;
    }
    P.x = Clamp16(g_nPointerX, nMinX, nMaxX);
    P.y = P.bFreeVertical && g_bBallsLaunched ? Clamp16(g_nPointerY, PADDLE_MIN_Y, PADDLE_MAX_Y) : PADDLE_REST_Y;
}

// A paddle on autopilot (the computer's in a match, or the bonus) goes under
// ball 0 while that ball is over the paddle's range. A waiting ball sits on its
// paddle off the middle, so steering under it would walk paddle and ball to the wall.
void SteerAutopilots()
{
    if (!g_bBallsLaunched)
        return;
    const int nPlayers = g_bTwoPlayers ? 2 : 1;
    const Ball& Main = g_Balls[0];
    for (int nPlayer = 1; nPlayer <= nPlayers; ++nPlayer) {
        Paddle& P = PlayerPaddle(nPlayer);
        if (!P.bAutopilot || P.bFrozen || !Main.bActive)
            continue;
        const bool bOverMyHalf = !g_bTwoPlayers || (nPlayer == 1) == (Main.x < PADDLE_HALF_X);
        if (!bOverMyHalf)
            continue;
        int16_t nMinX, nMaxX;
        GamePaddleRange(nPlayer, P.Width(), nMinX, nMaxX);
        P.x = Clamp16(Main.x - P.Width() / 2, nMinX, nMaxX);
    }
}

void DrawPaddle(const Paddle& P, int16_t x, int16_t y)
{
    if (P.nSheet >= Sheets::PADDLE_SHEETS)
        return;
    Korvid.BlitArea(GAME_CHUNKY_PADDLES + P.nSheet, P.nLeft, P.nLookRow + g_nPaddleFrame * Sheets::PADDLE_HEIGHT,
                    P.Width(), Sheets::PADDLE_HEIGHT, x, y, KOR_BLIT_ALPHA, 0, KOR_ALPHA_FULL);
}

}  // namespace

Paddle g_Paddles[2] = {StartPaddle(), StartPaddle()};
bool g_bSecondPaddle = false;
int16_t g_nSecondPaddleX = 0, g_nSecondPaddleY = 0;
PointerTrack g_PointerTrack = {};
PointerTrack g_PaddleTrack[2] = {};

Paddle& PlayerPaddle(int nPlayer) { return g_Paddles[nPlayer == 2 ? 1 : 0]; }

void GameSetPaddleSize(Paddle& P, int nSizeClass)
{
    P.nSizeClass = Clamp16(nSizeClass, 0, PADDLE_SIZE_CLASSES - 1);
    P.nLeft = Sheets::PADDLE_EDGES[P.nSizeClass];
    P.nRight = Sheets::PADDLE_EDGES[P.nSizeClass + 1];
}

void GamePaddleRange(int nPlayer, int16_t nWidth, int16_t& nMinX, int16_t& nMaxX)
{
    nMinX = PADDLE_MIN_X;
    nMaxX = (int16_t)(PADDLE_FIELD_RIGHT - nWidth);
    if (!g_bTwoPlayers)
        return;
    if (nPlayer == 2)
        nMinX = PADDLE_HALF_X;
    else
        nMaxX = (int16_t)(PADDLE_HALF_X - nWidth);
}

void GameResetPaddle(int nPlayer)
{
    Paddle& P = PlayerPaddle(nPlayer);
    int16_t x = P.x, y = P.y, nStartX = P.nStartX, nStartY = P.nStartY;
    P = Paddle{};
    P.x = x;
    P.y = y;
    P.nStartX = nStartX;
    P.nStartY = nStartY;
    GameSetPaddleSize(P, 0);
    P.nMultiplier = 1;
}

void GamePlacePaddles(int32_t /*nLevel*/, bool bFlag)
{
    Paddle& P1 = g_Paddles[0];
    Paddle& P2 = g_Paddles[1];
    P1.x = g_bTwoPlayers ? (int16_t)(PADDLE_HALF_X - P1.Width()) : (int16_t)((Sheets::SCREEN_WIDTH - P1.Width()) / 2);
    P2.x = PADDLE_HALF_X;
    P1.y = P2.y = PADDLE_REST_Y;
    for (Paddle* pPaddle : {&P1, &P2}) {
        pPaddle->nStartX = pPaddle->x;
        pPaddle->nStartY = pPaddle->y;
    }
    if (!g_bInGame && !bFlag)
        return;
    const Paddle& Mouse = PlayerPaddle(LocalPlayer());
    g_nPointerX = Mouse.x;
    g_nPointerY = Mouse.y;
    Korvid.SetMousePosition(Mouse.x, Mouse.y, false, false);
}

void GameTrackPointer(int32_t nX, int32_t nY)
{
    PointerTrack& T = g_PointerTrack;
    uint32_t nNow = Korvid.Timer();
    T.nPreviousHDelta = T.nHDelta;
    T.nPreviousVDelta = T.nVDelta;
    T.nHDelta = T.nX - nX;
    T.nVDelta = T.nY - nY;
    T.nDirection = T.nHDelta < 0 ? 1 : T.nHDelta > 0 ? 2 : 0;
    T.fDistance = std::sqrt((double)T.nHDelta * T.nHDelta + (double)T.nVDelta * T.nVDelta);
    // Two measurements in the same millisecond count as one millisecond apart:
    // a speed must stay a finite number.
    uint32_t nElapsed = nNow - T.nTime;
    T.fSpeed = T.fDistance / (double)(nElapsed ? nElapsed : 1);
    T.nX = nX;
    T.nY = nY;
    T.nTime = nNow;
    g_PaddleTrack[LocalPlayer() - 1] = T;
}

void GameMovePaddles()
{
    if (g_bHalted || g_bBossStage)
        return;
    SteerAutopilots();
    const int nPlayer = LocalPlayer();
    const Paddle& P = PlayerPaddle(nPlayer);
    if (!P.bFrozen && !P.bAutopilot)
        SteerByPointer(nPlayer);
    if (!g_bTwoPlayers && g_bSecondPaddle && g_bRightClick) {
        g_nSecondPaddleX = (int16_t)g_nPointerX;
        g_nSecondPaddleY = (int16_t)g_nPointerY;
    }
    GameBallsFollowServer();
}

bool GameBallTouchesPaddle(const Paddle& P, int16_t x, int16_t y, int16_t dy)
{
    return P.x < x + 9 && x < P.x + P.Width() && P.y < y + 16 && y < P.y + 40 && dy > 0;
}

void GamePaddleBounce(int nPlayer, int16_t x, int16_t& dx, int16_t& dy)
{
    const Paddle& P = PlayerPaddle(nPlayer);
    if (g_nPS == 1 && InEndZoneTowardMiddle(P, x, dx)) {
        // Classic end zones: the ball goes back the way it came.
        dx = (int16_t)-dx;
        dy = (int16_t)-dy;
    } else {
        MomentumBounce(g_PaddleTrack[nPlayer == 2 ? 1 : 0], dx, dy);
    }
    dx = Clamp16(dx, -g_nMaxDX, g_nMaxDX);
    dy = Clamp16(dy, -g_nMaxDY, g_nMaxDY);
}

void GameDrawPaddles()
{
    const int nPlayers = g_bTwoPlayers ? 2 : 1;
    for (int nPlayer = 1; nPlayer <= nPlayers; ++nPlayer) {
        const Paddle& P = PlayerPaddle(nPlayer);
        if (!P.bInvisible)
            DrawPaddle(P, P.x, P.y);
        if (g_bTwoPlayers)
            GamePrintNumbers(P.x, P.y + Sheets::PADDLE_HEIGHT, g_szPlayerName[nPlayer - 1], false, 0);
    }
    if (!g_bTwoPlayers && g_bSecondPaddle)
        DrawPaddle(g_Paddles[0], g_nSecondPaddleX, g_nSecondPaddleY);
}
