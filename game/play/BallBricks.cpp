// Balls against bricks: each launched ball probes up to six points around it,
// in a fixed order, and the first solid cell found is hit.
#include "Balls.h"
#include "Bricks.h"
#include "LevelFormat.h"

namespace {

constexpr int32_t FIRST_ROW_BELOW_Y = 41, FIRST_COLUMN_BELOW_X = 60;
constexpr int16_t PROBE_MIN = 21, PROBE_MAX_X = 779, PROBE_MAX_Y = 463;

struct Probe {
    bool bWanted;
    int32_t x, y;
    int nDirection;
    bool bReverseX, bReverseY;
};

// Small balls probe 3 pixels further up and left, big ones 6 further down and right.
int32_t KindOffset(BallKind eKind)
{
    return eKind == BALL_KIND_SMALL ? -3 : eKind == BALL_KIND_BIG ? 6 : 0;
}

void ProbeBall(int nBall)
{
    Ball& B = g_Balls[nBall];
    const BallKind eKind = GameBallKind(B);
    const int32_t o = KindOffset(eKind);
    const int32_t x = B.x, y = B.y, dx = B.dx, dy = B.dy;
    const Probe Probes[] = {
        {dy < 0 && y - dy > 21, x + 6, y - 6, BRICK_UP, false, true},
        {dx < 0 && x - dx - 6 > 22, x - dx - 9, y + 6, BRICK_LEFT, true, false},
        {true, x + 6 + o, y + 6 + o, BRICK_OTHER, true, true},
        {true, x + dx + 6 + o, y + 6 + o, BRICK_OTHER, true, true},
        {dy > 0 && y + dy + 16 < 460, x + 6 + o, y + 15 + o, BRICK_DOWN, false, true},
        {dx > 0 && x + dx + 20 < 759, x + dx + 15 + o, y + 6 + o, BRICK_RIGHT, true, false},
    };
    for (const Probe& Each : Probes) {
        if (!Each.bWanted)
            continue;
        GameCellAt(Each.x, Each.y);
        const int16_t* pCell = GameCell(g_nCellColumn, g_nCellRow);
        if (!pCell || !GameCellIsSolid(*pCell))
            continue;
        if (B.nSpecial != BALL_PASSING)
            GameBrickHit(nBall, false, eKind, Each.nDirection);
        if (B.nSpecial == BALL_PLAIN) {
            if (Each.bReverseX)
                B.dx = (int16_t)-B.dx;
            if (Each.bReverseY)
                B.dy = (int16_t)-B.dy;
        }
        return;
    }
}

}  // namespace

void GameCellAt(int32_t x, int32_t y)
{
    // A point beyond the grid's far edges gets a row or column past the grid,
    // where GameCell finds no cell: a ball at the right wall must not hit the
    // last column through a probe outside the field.
    g_nCellRow = y < FIRST_ROW_BELOW_Y ? 0 : (y - FIRST_ROW_BELOW_Y) / 24 + 1;
    g_nCellColumn = x < FIRST_COLUMN_BELOW_X ? 0 : (x - FIRST_COLUMN_BELOW_X) / 40 + 1;
}

void GameBallsAgainstBricks()
{
    if (!g_bBallsLaunched)
        return;
    for (int n = 0; n < GAME_BALLS; ++n) {
        const Ball& B = g_Balls[n];
        if (B.bActive && B.x >= PROBE_MIN && B.x <= PROBE_MAX_X && B.y >= PROBE_MIN && B.y <= PROBE_MAX_Y)
            ProbeBall(n);
    }
}
