// The pointer of the menus. The system's is hidden for play, where the paddle
// shows where the mouse is; on the menus the game draws an arrow of its own.
#include "GameState.h"
#include "MenuScreens.h"
#include "korvid.h"

namespace {

// The arrow row by row from its tip: the first and last column of each row,
// inclusive; the outline is one pixel wider all round.
constexpr int ARROW_ROWS = 17;
constexpr int8_t ARROW_SPANS[ARROW_ROWS][2] = {
    {0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6},  {0, 7}, {0, 8},
    {0, 9}, {0, 10}, {0, 6}, {0, 3}, {4, 6}, {4, 6}, {5, 7}, {5, 7}};

// Lines leave out what lies off the screen.
void Row(int32_t x, int32_t y, int nLeft, int nRight, uint16_t nColour)
{
    Korvid.Line((int16_t)(x + nLeft), (int16_t)y, (int16_t)(x + nRight), (int16_t)y, nColour, KOR_DRAW_SOLID);
}

}  // namespace

void GameDrawPointer()
{
    const int32_t x = g_nPointerX, y = g_nPointerY;
    const uint16_t nOutline = Korvid.Pack(20, 24, 40), nFill = Korvid.Pack(235, 240, 255);
    Row(x, y - 1, 0, 1, nOutline);
    for (int r = 0; r < ARROW_ROWS; ++r)
        Row(x, y + r, ARROW_SPANS[r][0] - 1, ARROW_SPANS[r][1] + 1, nOutline);
    Row(x, y + ARROW_ROWS, ARROW_SPANS[ARROW_ROWS - 1][0], ARROW_SPANS[ARROW_ROWS - 1][1], nOutline);
    for (int r = 0; r < ARROW_ROWS; ++r)
        Row(x, y + r, ARROW_SPANS[r][0], ARROW_SPANS[r][1], nFill);
}
