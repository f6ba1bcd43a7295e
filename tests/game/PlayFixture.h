// Play driven headless on the virtual clock without starting the game: an empty
// current level, one player, paddles placed, the main ball waiting on paddle 1.
#pragma once
#include <gtest/gtest.h>

#include "Balls.h"
#include "Bricks.h"
#include "GameState.h"
#include "Levels.h"
#include "Paddles.h"
#include "korvid.h"
#include "support/TestApp.h"
#include "support/TestPlatform.h"

namespace playtest {

class PlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        Korvid.StartLog();
        Korvid.RandomSeed(7);
        g_bSoundOn = false;
        g_nCurrentLevel = 0;
        for (int16_t& nCell : g_LevelCells[0])
            nCell = LEVEL_CELL_EMPTY;
        g_nSST = 1;
        g_nPS = 1;
        g_nFS = 0;
        GameResetLevel(0, false);
        g_bInGame = true;
        g_nLives[0] = g_nLives[1] = GAME_START_LIVES;
    }

    // Ball slot n in free flight at (x, y) with (dx, dy).
    static Ball& Fly(int n, int16_t x, int16_t y, int16_t dx, int16_t dy)
    {
        g_bBallsLaunched = 1;
        Ball& B = g_Balls[n];
        B.bActive = 1;
        B.x = x;
        B.y = y;
        B.dx = dx;
        B.dy = dy;
        return B;
    }
    static void SetCell(int nColumn, int nRow, int16_t nCode) { *GameCell(nColumn, nRow) = nCode; }
    static int16_t CellCode(int nColumn, int nRow) { return *GameCell(nColumn, nRow); }
    // The pointer seen at (x, y) nMilliseconds after the previous measurement.
    void PointerAt(int32_t x, int32_t y, uint32_t nMilliseconds = 20)
    {
        m_Platform.Advance(nMilliseconds);
        GameTrackPointer(x, y);
    }

    VirtualClockPlatform m_Platform;
};

}  // namespace playtest
