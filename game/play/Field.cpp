// The field drawn every frame in game: the cells with their animations, the
// count of bricks left and the level's end, auto-clear and shake, the panel,
// everything that moves over the field, and the computer's serve countdown.
#include "Field.h"

#include <cstdio>

#include "Balls.h"
#include "Bonuses.h"
#include "Bricks.h"
#include "Enemies.h"
#include "Flow.h"
#include "Fragments.h"
#include "GameState.h"
#include "Levels.h"
#include "Paddles.h"
#include "Resources.h"
#include "Shots.h"
#include "Text.h"
#include "Weather.h"
#include "korvid.h"
#include "sheets.h"

int32_t g_nBricksLeft = 0;
bool g_bFewBricksLeft = false;
int32_t g_nFieldClearCountdown = FIELD_CLEAR_SECONDS;
bool g_bAutoClear = false;
bool g_bFieldShake = false;
int32_t g_nFieldShakeSeconds = 0;
bool g_bAnimationGate = false;

namespace {

constexpr int32_t SHAKE_REACH = 5;

// Breakable bricks the auto-clear explodes: those that count, but for the
// animations already running, and the first of the sliding codes, 340.
bool AutoClearTakes(int c)
{
    return c == 340 || (LevelCellCounts(c) && LevelCellKindOf(c) != LevelCellKind::Animation);
}

bool IsAnimating(int c) { return LevelCellKindOf(c) == LevelCellKind::Animation; }

bool EndsAnimation(int c) { return c == BRICK_EXPLOSION_END || c == BRICK_BONUS_GONE_END || c == BRICK_SMASHED_END; }

// The play-time changes of one cell: teleporters cooling off, the count,
// the auto-clear and one step of animation per gate opening.
void UpdateCell(int16_t& nCell)
{
    if ((nCell == BRICK_BEAM_A_USED || nCell == BRICK_BEAM_B_USED) && g_nTeleporterCooldown == 0)
        nCell = nCell == BRICK_BEAM_A_USED ? BRICK_BEAM_A : BRICK_BEAM_B;
    if (LevelCellCounts(nCell))
        g_nBricksLeft++;
    if (g_bAutoClear && AutoClearTakes(nCell)) {
        nCell = BRICK_EXPLOSION;
        g_bFieldShake = true;
        g_nFieldShakeSeconds = FIELD_SHAKE_SECONDS;
    }
    if (g_bAnimationGate && IsAnimating(nCell)) {
        nCell = EndsAnimation(nCell) ? LEVEL_CELL_EMPTY : (int16_t)(nCell + 1);
        g_bAnimationGate = false;
    }
}

void UpdateAndDrawCells()
{
    const bool bHidden = PlayerPaddle(LocalPlayer()).bInvisibleBricks;
    for (int nRow = 0; nRow < LEVEL_ROWS; ++nRow) {
        for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn) {
            int16_t* pCell = GameCell(nColumn, nRow);
            if (!pCell)
                return;
            if (!g_bHalted)
                UpdateCell(*pCell);
            if (bHidden || *pCell == LEVEL_CELL_EMPTY)
                continue;
            int32_t nLeft = FIELD_LEFT_X, nTop = FIELD_TOP_Y;
            if (g_bFieldShake) {
                nLeft = Korvid.RandomRange(FIELD_LEFT_X, FIELD_LEFT_X + SHAKE_REACH);
                nTop = Korvid.RandomRange(FIELD_TOP_Y, FIELD_TOP_Y + SHAKE_REACH);
            }
            GameDrawTile(*pCell, nLeft + nColumn * Sheets::TILE_WIDTH, nTop + nRow * Sheets::TILE_HEIGHT);
        }
    }
}

void CheckLevelEnd()
{
    if (g_nBricksLeft < FIELD_FEW_BRICKS)
        g_bFewBricksLeft = true;
    if (g_bFewBricksLeft && g_nFieldClearCountdown == 0)
        g_bAutoClear = true;
    if (g_nBricksLeft == 0 && !GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT))
        g_bGameRunning = false;
}

void PrintPanelValue(int16_t x, int32_t nValue)
{
    char szText[16];
    snprintf(szText, sizeof(szText), "%d", nValue);
    GamePrintNumbers(x, Sheets::PANEL_TEXT_Y, szText, false, GAME_TEXT_STYLE_DIGITS);
}

}  // namespace

void GameDrawPanel()
{
    const int nPlayer = LocalPlayer();
    const bool bFirst = nPlayer == 1;
    const int16_t* pValuesX = bFirst ? Sheets::PANEL1_VALUES_X : Sheets::PANEL2_VALUES_X;
    Korvid.BlitArea(bFirst ? GAME_CHUNKY_PANEL1 : GAME_CHUNKY_PANEL2, Sheets::PANEL.x, Sheets::PANEL.y,
                    Sheets::PANEL.w, Sheets::PANEL.h, bFirst ? Sheets::PANEL1_X : Sheets::PANEL2_X, Sheets::PANEL_Y,
                    KOR_BLIT_ALPHA, 0, KOR_ALPHA_FULL);
    PrintPanelValue(pValuesX[0], g_nLives[nPlayer - 1]);
    PrintPanelValue(pValuesX[1], g_nCurrentLevel + 1);
    PrintPanelValue(pValuesX[2], g_nScore[nPlayer - 1]);
}

void GameDrawCountdown()
{
    if (!g_bComputerLaunchPending || g_bHalted || g_nComputerCountdown < 0 || g_nComputerCountdown > 5)
        return;
    const SheetRect& Picture = Sheets::COUNTDOWN[g_nComputerCountdown];
    Korvid.BlitArea(GAME_CHUNKY_INTERFACE, Picture.x, Picture.y, Picture.w, Picture.h,
                    (Sheets::SCREEN_WIDTH - Picture.w) / 2, Sheets::COUNTDOWN_Y, KOR_BLIT_ALPHA, 0, KOR_ALPHA_FULL);
}

void GameDrawField()
{
    if (!g_bHalted)
        g_nBricksLeft = 0;
    UpdateAndDrawCells();
    if (!g_bHalted)
        CheckLevelEnd();
    GameDrawPanel();
    GameDrawPaddles();
    GameMoveEnemies();
    GameDrawFragments();
    GameDrawBalls();
    GameMoveBonuses();
    GameMoveShots();
    GameDrawWeather();
    GameDrawCountdown();
}
