// The two ways the game is tested: GameStart starts it for real on a scratch
// copy of the forged data set (logo movies replaced by short stand-ins), and
// PlayTest drives play headless on the virtual clock without starting it.
#pragma once
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "Balls.h"
#include "Bricks.h"
#include "GameState.h"
#include "LevelFormat.h"
#include "Levels.h"
#include "Paddles.h"
#include "PlayClock.h"
#include "Settings.h"
#include "korvid.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

namespace gametest {

using Bytes = std::vector<uint8_t>;
using Pair = std::pair<int, int>;
using Motion = std::array<int, 4>;   // a ball's x, y, dx and dy
constexpr int SCREEN_WIDTH = 800, SCREEN_HEIGHT = 600;

// A stored 24-bit .kvp picture of one colour; a .kva movie of raw 32 x 16 frames, 40 ms each.
Bytes SolidKvp(uint16_t nWidth, uint16_t nHeight, std::array<uint8_t, 3> Rgb);
Bytes RawKva(int16_t nFrames);
// A level with a background and some cells: column, row, code.
Level MakeLevel(int nBackground, const std::vector<std::array<int, 3>>& Cells = {});

// The back buffer's pixels of a rectangle, row by row, and how many differ from nBackground.
std::vector<uint16_t> Pixels(int x, int y, int nWidth, int nHeight);
inline uint16_t Pixel(int x, int y) { return Pixels(x, y, 1, 1)[0]; }
int Drawn(int x, int y, int nWidth, int nHeight, uint16_t nBackground = 0);

inline bool HasLine(const std::string& Line) { return IndexOf(LogMessages(), Line) >= 0; }
bool LogStartsWith(const std::string& Prefix);
// A sound slot that was played remembers its mixing channel (the sounds are too short to be seen playing).
bool WasPlayed(int nKind, int nVariant);

inline Motion MotionOf(const Ball& B) { return {B.x, B.y, B.dx, B.dy}; }
inline Pair PlaceOf(const Paddle& P) { return {P.x, P.y}; }
// Ball slot n in free flight at (x, y) with (dx, dy).
Ball& Fly(int n, int16_t x, int16_t y, int16_t dx, int16_t dy);
inline void SetCell(int nColumn, int nRow, int16_t nCode) { *GameCell(nColumn, nRow) = nCode; }
inline int16_t CellCode(int nColumn, int nRow) { return *GameCell(nColumn, nRow); }
inline void ClearLevel() { std::fill(g_LevelCells[0], g_LevelCells[0] + LEVEL_CELLS, LEVEL_CELL_EMPTY); }
// Ball 0 of the given kind hits the cell holding nCode; the cell after.
int16_t HitWith(int16_t nCode, int nKind = BALL_KIND_NORMAL, bool bShot = false, int nDirection = BRICK_UP,
                int nColumn = 5, int nRow = 5);

struct RunResult {
    int nStatus;
    std::string Out, Err;
};
// Runs the built game with the dummy drivers in the current directory: Arguments
// are shell words, Environment more assignments; out.txt and err.txt keep its output.
RunResult RunGame(const std::string& Environment, const std::string& Arguments);

class GameStart : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { EndGame(); }

    // The copy's own path for a name relative to the game directory ("data/gfx/ende.kvp").
    std::string GamePath(const std::string& Name) const { return m_GameDir + "/" + Name; }
    // Unchanged files are links into the build's data set: a file is changed only
    // through these, which replace the link and never write through it.
    void WriteGameFile(const std::string& Name, const Bytes& Content);
    void WriteSettings(const std::string& Text) { WriteGameFile(GAME_INI_FILE, Bytes(Text.begin(), Text.end())); }
    void RemoveFile(const std::string& Name);
    // Init with the given command-line arguments (after the program name).
    bool StartGame(const std::vector<std::string>& Args = {});
    void EndGame();
    void Start(const std::string& Settings = "[Tamborel2]\n")
    {
        WriteSettings(Settings);
        ASSERT_TRUE(StartGame());
    }
    // Started, then in play on an empty level 0 with one player, drawing to the back buffer.
    void StartPlay();

    // Frames on the virtual clock; a key is pressed in one frame and acts when released in the next.
    void Frames(int nCount = 1)
    {
        for (int n = 0; n < nCount; ++n) {
            m_Platform.Advance(20);
            KorvidMain();
        }
    }
    void Press(int nKey)
    {
        Korvid.SimulateKey((uint32_t)nKey);
        Frames(2);
    }

    VirtualClockPlatform m_Platform;
    std::string m_ScratchDir;
    std::string m_GameDir;   // holds "data"; TAMBOREL_DATA points here

private:
    std::vector<std::string> m_Args;
    std::vector<char*> m_ArgPointers;
    bool m_bStarted = false;
};

// Play without the game started: an empty current level, one player, paddles
// placed, the main ball waiting on paddle 1.
class PlayTest : public ::testing::Test {
protected:
    void SetUp() override;
    // The pointer seen at (x, y) nMilliseconds after the previous measurement.
    void PointerAt(int32_t x, int32_t y, uint32_t nMilliseconds = 20)
    {
        m_Platform.Advance(nMilliseconds);
        GameTrackPointer(x, y);
    }
    void RunClock(uint32_t nMilliseconds)
    {
        m_Platform.Advance(nMilliseconds);
        GamePlayClock();
    }

    VirtualClockPlatform m_Platform;
};

}  // namespace gametest
