// GameStart starts the game for real on a scratch copy of the forged data set;
// PlayTest drives play headless on the virtual clock without starting it.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "Balls.h"
#include "Bricks.h"
#include "GameState.h"
#include "LevelFormat.h"
#include "Levels.h"
#include "Paddles.h"
#include "PlayClock.h"
#include "Resources.h"
#include "Settings.h"
#include "Sounds.h"
#include "korvid.h"
#include "support/Bytes.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

namespace gametest {

using Pair = std::pair<int, int>;
using Motion = std::array<int, 4>;   // a ball's x, y, dx and dy
constexpr int SCREEN_WIDTH = 800, SCREEN_HEIGHT = 600;

// A stored 24-bit .kvp picture of one colour.
inline Bytes SolidKvp(uint16_t nWidth, uint16_t nHeight, std::array<uint8_t, 3> Rgb)
{
    Bytes Out = {'K', 'V', 'P', '1', 1, 0};
    Append(Out, BE({{nWidth, 2}, {nHeight, 2}, {24, 1}, {0, 1}, {(uint32_t)nWidth * nHeight * 3, 4}}));
    for (uint32_t n = 0; n < (uint32_t)nWidth * nHeight; ++n)
        Out.insert(Out.end(), Rgb.begin(), Rgb.end());
    return Out;
}

// A .kva movie of raw 32 x 16 frames, 40 ms each, no sound: a changing stripe pattern.
inline Bytes RawKva(int16_t nFrames)
{
    Bytes Out = {'K', 'O', 'R', 'A', 1};
    Append(Out, BE({{(uint16_t)nFrames, 2}, {40, 4}, {32, 2}, {16, 2}}));
    Out.insert(Out.end(), {'N', 'O', 'N', 'E'});
    for (int16_t nFrame = 0; nFrame < nFrames; ++nFrame) {
        Out.insert(Out.end(), {'X', 'X', 'X', 'X', 'F', 'R', 'A', 'M', 0});
        Append(Out, BE({{32 * 16, 4}}));
        for (uint32_t n = 0; n < 32 * 16; ++n)
            Out.push_back((uint8_t)((n + (uint32_t)nFrame) % 7 == 0));
    }
    return Out;
}

// A level with a background and some cells: column, row, code.
inline Level MakeLevel(int nBackground, const std::vector<std::array<int, 3>>& Cells = {})
{
    Level Each;
    Each.nBackground = nBackground;
    for (const auto& Cell : Cells)
        Each.Cells[LevelCellIndex(Cell[0], Cell[1])] = (int16_t)Cell[2];
    return Each;
}

// The back buffer's pixels of a rectangle, row by row, and how many differ from nBackground.
inline std::vector<uint16_t> Pixels(int x, int y, int nWidth, int nHeight)
{
    const uint16_t* pBuffer = (const uint16_t*)Korvid.ChunkyBuffer(0);
    std::vector<uint16_t> Out;
    for (int nRow = y; nRow < y + nHeight; ++nRow)
        Out.insert(Out.end(), pBuffer + nRow * SCREEN_WIDTH + x, pBuffer + nRow * SCREEN_WIDTH + x + nWidth);
    return Out;
}

inline uint16_t Pixel(int x, int y) { return Pixels(x, y, 1, 1)[0]; }
inline int Drawn(int x, int y, int nWidth, int nHeight, uint16_t nBackground = 0)
{
    const std::vector<uint16_t> Area = Pixels(x, y, nWidth, nHeight);
    return (int)std::count_if(Area.begin(), Area.end(), [&](uint16_t nPixel) { return nPixel != nBackground; });
}

// True when chunky nChunky holds the pixels of the picture "data/gfx/NAME.kvp".
inline bool ChunkyShows(uint32_t nChunky, const std::string& Name)
{
    const uint32_t nProbe = GAME_CHUNKY_SCRATCH;
    if (Korvid.LoadChunky(nProbe, ("data/gfx/" + Name + ".kvp").c_str(), KOR_LOAD_DEPTH16) != 1)
        return false;
    const uint32_t nWidth = Korvid.ChunkyWidth(nChunky), nHeight = Korvid.ChunkyHeight(nChunky);
    const bool bSame = Korvid.ChunkyWidth(nProbe) == nWidth && Korvid.ChunkyHeight(nProbe) == nHeight &&
                       memcmp(Korvid.ChunkyBuffer(nProbe), Korvid.ChunkyBuffer(nChunky), nWidth * nHeight * 2) == 0;
    Korvid.FreeChunky(nProbe);
    return bSame;
}

inline bool LogStartsWith(const std::string& Prefix)
{
    const std::vector<std::string> Log = LogMessages();
    return std::any_of(Log.begin(), Log.end(), [&](const std::string& Line) { return Line.rfind(Prefix, 0) == 0; });
}

// A sound slot that was played remembers its mixing channel (the sounds are too short to be seen playing).
inline bool WasPlayed(int nKind, int nVariant)
{
    return Korvid.SoundSlot((uint32_t)GameSoundNumber(nKind, nVariant))->nChannel >= 0;
}

inline Motion MotionOf(const Ball& B) { return {B.x, B.y, B.dx, B.dy}; }
inline Pair PlaceOf(const Paddle& P) { return {P.x, P.y}; }
// Ball slot n in free flight at (x, y) with (dx, dy).
inline Ball& Fly(int n, int16_t x, int16_t y, int16_t dx, int16_t dy)
{
    g_bBallsLaunched = g_Balls[n].bActive = 1;
    std::tie(g_Balls[n].x, g_Balls[n].y, g_Balls[n].dx, g_Balls[n].dy) = std::make_tuple(x, y, dx, dy);
    return g_Balls[n];
}

inline void SetCell(int nColumn, int nRow, int16_t nCode) { *GameCell(nColumn, nRow) = nCode; }
inline int16_t CellCode(int nColumn, int nRow) { return *GameCell(nColumn, nRow); }
inline void ClearLevel() { std::fill(g_LevelCells[0], g_LevelCells[0] + LEVEL_CELLS, LEVEL_CELL_EMPTY); }
// Ball 0 of the given kind hits the cell holding nCode; the cell after.
inline int16_t HitWith(int16_t nCode, int nKind = BALL_KIND_NORMAL, bool bShot = false, int nDirection = BRICK_UP,
                       int nColumn = 5, int nRow = 5)
{
    SetCell(nColumn, nRow, nCode);
    g_nCellColumn = nColumn;
    g_nCellRow = nRow;
    g_Balls[0].nTopRow = nKind == BALL_KIND_SMALL ? 0 : nKind == BALL_KIND_BIG ? 90 : 36;
    GameBrickHit(0, bShot, nKind, nDirection);
    return CellCode(nColumn, nRow);
}

struct RunResult {
    int nStatus;
    std::string Out, Err;
};
// Runs a shell command line here; Out and Err hold what it printed.
inline RunResult Shell(const std::string& Command)
{
    int nRaw = system((Command + " >out.txt 2>err.txt").c_str());
    return {WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1, ReadFileText("out.txt"), ReadFileText("err.txt")};
}
// Runs the built game with the dummy drivers here: Arguments are shell words, Environment assignments.
inline RunResult RunGame(const std::string& Environment, const std::string& Arguments)
{
    return Shell("SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + Environment + " '" + TAMBOREL_GAME + "' " +
                 Arguments);
}

class GameStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        m_ScratchDir = EnterScratchDirectory();
        m_GameDir = m_ScratchDir + "/game";
        // Folders of its own for what the game writes, and a link for each file: copying took longer.
        const fs::path From = TAMBOREL_DATA_SET, To = m_GameDir + "/data";
        fs::create_directories(To);
        for (const fs::directory_entry& Entry : fs::recursive_directory_iterator(From)) {
            const fs::path Target = To / fs::relative(Entry.path(), From);
            if (Entry.is_directory())
                fs::create_directories(Target);
            else if (Target.filename() != "tamborel2.ini")
                fs::create_symlink(Entry.path(), Target);
        }
        // Short stand-ins replace the logo movies, eight seconds of film; the data tests play the real ones.
        for (const char* szMovie : {"ostra", "velmora"})
            WriteGameFile(std::string("data/gfx/") + szMovie + ".kva", RawKva(10));
        setenv("TAMBOREL_DATA", m_GameDir.c_str(), 1);
        // The player's own folders (the level editor saves there) are the scratch's too.
        setenv("XDG_DATA_HOME", (m_ScratchDir + "/xdg-data").c_str(), 1);
        Korvid.SetPlatform(&m_Platform);
    }
    void TearDown() override { EndGame(); }

    // The copy's own path for a name relative to the game directory ("data/gfx/ende.kvp").
    std::string GamePath(const std::string& Name) const { return m_GameDir + "/" + Name; }
    // Unchanged files are links into the build's data set: a file is changed only
    // through these, which replace the link and never write through it.
    void RemoveFile(const std::string& Name) { std::filesystem::remove(GamePath(Name)); }
    void WriteGameFile(const std::string& Name, const Bytes& Content)
    {
        RemoveFile(Name);
        WriteFileBytes(GamePath(Name), Content);
    }
    void WriteSettings(const std::string& Text) { WriteGameFile(GAME_INI_FILE, Bytes(Text.begin(), Text.end())); }

    // Init with the given command-line arguments (after the program name).
    bool StartGame(const std::vector<std::string>& Args = {})
    {
        m_Args = {"tamborel2"};
        m_Args.insert(m_Args.end(), Args.begin(), Args.end());
        m_ArgPointers.clear();
        for (std::string& Arg : m_Args)
            m_ArgPointers.push_back(Arg.data());
        m_ArgPointers.push_back(nullptr);
        Korvid.SetArgs((int)m_Args.size(), m_ArgPointers.data());
        return m_bStarted = Korvid.Init();
    }
    void EndGame()
    {
        if (!m_bStarted)
            return;
        m_bStarted = false;
        Korvid.ShutDown();
        Korvid.FinalShutDown();
    }
    void Start(const std::string& Settings = "[Tamborel2]\n")
    {
        WriteSettings(Settings);
        ASSERT_TRUE(StartGame());
    }
    // Started, then in play on an empty level 0 with one player, drawing to the back buffer.
    void StartPlay()
    {
        ASSERT_TRUE(StartGame());
        Korvid.RandomSeed(11);
        g_nCurrentLevel = 0;
        ClearLevel();
        GameResetLevel(0, false);
        g_bInGame = true;
        g_nLives[0] = GAME_START_LIVES;
        GameRestartPlayClock();
        Korvid.UseChunky(0);
    }

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

// Play without the game started: an empty level 0, one player, the main ball waiting on paddle 1.
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
        ClearLevel();
        g_nSST = 1;
        g_nPS = 1;
        g_nFS = 0;
        g_bTwoPlayers = false;
        g_nComputerPlayer = 0;
        GameResetLevel(0, false);
        g_bInGame = true;
        g_nLives[0] = g_nLives[1] = GAME_START_LIVES;
    }
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
