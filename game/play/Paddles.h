// The players' paddles: their records, where they start, how the mouse steers
// them, the pointer measurement behind a paddle's momentum, the bounce of a ball
// off a paddle and the drawing of the paddles.
#pragma once
#include <cstdint>

constexpr int GAME_BONUS_TIMERS = 300;   // one per bonus code, in seconds
constexpr int16_t PADDLE_REST_Y = 519;
constexpr int16_t PADDLE_MIN_X = 17;
constexpr int16_t PADDLE_FIELD_RIGHT = 780;   // a paddle's right end stays at or left of this
constexpr int16_t PADDLE_HALF_X = 400;        // the line between the halves of a match
constexpr int16_t PADDLE_MIN_Y = 17, PADDLE_MAX_Y = 520;
constexpr int16_t PADDLE_SIZE_CLASSES = 5;

struct Paddle {
    int16_t x, y;                  // top-left corner on the screen
    int16_t nStartX, nStartY;      // where GamePlacePaddles put it
    int16_t nLeft, nRight;         // the picture's edges in the paddle sheet
    int16_t nSizeClass;            // 0..4, chooses nLeft..nRight
    int16_t nLookRow;              // 0 or 300: top row of the look in the sheet
    uint8_t nSheet;                // "schlaeger0".."schlaeger3"
    bool bFrozen, bMirrored, bFreeVertical, bInvisible, bInvisibleBricks;
    bool bSticky, bShield, bProtection, bAutopilot;
    uint8_t nLaserLevel;           // 0 = no laser, 1..5
    uint8_t nMultiplier;           // score multiplier, 1 normally
    int32_t nBonusTimers[GAME_BONUS_TIMERS];
    int16_t Width() const { return (int16_t)(nRight - nLeft); }
};

// Player p's paddle is g_Paddles[p - 1].
extern Paddle g_Paddles[2];

// The second paddle of the one-player bonus.
extern bool g_bSecondPaddle;
extern int16_t g_nSecondPaddleX, g_nSecondPaddleY;

// The pointer measurement of GameTrackPointer. hdelta and vdelta are the
// previous position minus the current one.
struct PointerTrack {
    int32_t nX, nY;                        // the position measured last
    int32_t nHDelta, nVDelta;
    int32_t nPreviousHDelta, nPreviousVDelta;
    double fDistance;
    double fSpeed;                          // distance / milliseconds since the previous call
    int32_t nDirection;                     // 1 right, 2 left, 0 none
    uint32_t nTime;                         // Timer() of the last call
};
// The mouse player's measurement; each paddle keeps the copy its bounces use.
extern PointerTrack g_PointerTrack;
extern PointerTrack g_PaddleTrack[2];

Paddle& PlayerPaddle(int nPlayer);
// The size class chooses the picture's edges, and with them the width.
void GameSetPaddleSize(Paddle& P, int nSizeClass);
// The range a player's paddle x stays in: the whole field alone, his half in a match.
void GamePaddleRange(int nPlayer, int16_t nWidth, int16_t& nMinX, int16_t& nMaxX);
// Back to the plain paddle of a new level: size 0, look (0, 0), flags and timers off.
void GameResetPaddle(int nPlayer);

void GamePlacePaddles(int32_t nLevel, bool bFlag);
void GameTrackPointer(int32_t nX, int32_t nY);
// The mouse player's paddle follows the pointer (every frame, not halted, not in
// a boss stage); a right click moves the second paddle.
void GameMovePaddles();
// The ball at (x, y) touches paddle P (falling balls only).
bool GameBallTouchesPaddle(const Paddle& P, int16_t x, int16_t y, int16_t dy);
// Sends a touching ball back: the end zones (PS 1) or the momentum rule.
void GamePaddleBounce(int nPlayer, int16_t x, int16_t& dx, int16_t& dy);
void GameDrawPaddles();
