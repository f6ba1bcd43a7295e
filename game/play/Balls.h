// The balls: up to 50 in flight, their launch from the serving paddle, their
// step against walls and paddles, the probing of bricks around them, their loss,
// and the level reset that puts one ball back on the paddle.
#pragma once
#include <cstdint>

constexpr int GAME_BALLS = 50;
constexpr int BALL_TRAIL = 10;
constexpr int16_t BALL_LOST_Y = 520;
constexpr int16_t BALL_SMALL_BELOW = 36, BALL_BIG_FROM = 90;   // the top picture row tells the kind
constexpr int16_t BALL_NEW_TOP = 36, BALL_NEW_BOTTOM = 54;
constexpr int BALL_SLOWED_BALLS = 10;   // the 20-second slow-down touches the first ten

enum BallSpecial : uint8_t { BALL_PLAIN = 0, BALL_PIERCING = 1, BALL_PASSING = 2 };
enum BallKind : int { BALL_KIND_NORMAL = 0, BALL_KIND_SMALL = 1, BALL_KIND_BIG = 2 };

struct Ball {
    uint8_t bActive;
    int16_t x, y;            // top-left of the picture
    int16_t dx, dy;
    int16_t nTopRow, nBottomRow;
    uint8_t nSpecial;        // BallSpecial
    uint8_t nHeldBy;         // 0 free, else the player whose sticky paddle holds it
    int32_t nCarried;        // -1, or 1 while an enemy carries it
    int32_t nCarrier;        // the carrying enemy's slot
    int32_t nHoldSeconds;    // an enemy's hold left, in seconds
    int32_t nSlowDown;       // 2 when it leaves a paddle, see GameSlowDownBalls
    int16_t TrailX[BALL_TRAIL], TrailY[BALL_TRAIL];
};

extern Ball g_Balls[GAME_BALLS];
extern uint8_t g_bBallsLaunched;   // false while the balls wait on a paddle
extern int16_t g_nMaxDX, g_nMaxDY;  // the difficulty's speed limits
extern int32_t g_nEnemyKindLimit;   // set by the difficulty: how rarely an enemy is harmful
// The computer's serve: seconds left and whether it is still to come.
extern int32_t g_nComputerCountdown;
extern uint8_t g_bComputerLaunchPending;

BallKind GameBallKind(const Ball& B);
int16_t GameBallSize(const Ball& B);   // picture width: 12, 18 or 26
// The look a ball's picture rows show (plain, piercing or passing), and the rows
// of a kind and look; the ball's special state is set apart from its rows.
BallSpecial GameBallLook(const Ball& B);
void GameSetBallRows(Ball& B, BallKind eKind, BallSpecial eLook);

enum GameDifficultyLevel : int { DIFFICULTY_EASY = 0, DIFFICULTY_NORMAL = 1, DIFFICULTY_HARD = 2 };
// The difficulty setting SST, an impossible value counted as the nearest.
int GameDifficulty();

void GameResetLevel(int nWho, bool bFlag);
void GameAddBall(int nPlayer);
// The left click: launches the waiting balls or lets go of the sticky paddle's.
void GameLaunchBalls();
// The computer's serve in a match: the waiting balls fly.
void GameComputerServe();
// Waiting balls sit on the serving paddle.
void GameBallsFollowServer();
// The paddle that serves: paddle 2 in a match after player 1 lost the ball.
int GameServingPlayer();
// One ball step for every ball.
void GameMoveBalls();
// Fallen balls leave play; a lost main ball is replaced, or the loser's side is
// reset and he loses a life.
void GameLoseFallenBalls();
// The 20-second slow-down of the first ten balls.
void GameSlowDownBalls();
void GameDrawBalls();

// The cell under a point, into g_nCellColumn and g_nCellRow (Bricks.h).
void GameCellAt(int32_t x, int32_t y);
// Every launched ball probes the cells around it; at most one hit per ball.
void GameBallsAgainstBricks();
