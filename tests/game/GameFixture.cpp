#include "game/GameFixture.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "Sounds.h"

namespace fs = std::filesystem;

namespace gametest {

namespace {

void Put(Bytes& Out, uint32_t n, int nBytes)   // big-endian
{
    for (int nByte = nBytes - 1; nByte >= 0; --nByte)
        Out.push_back((uint8_t)(n >> (8 * nByte)));
}

}  // namespace

Bytes SolidKvp(uint16_t nWidth, uint16_t nHeight, std::array<uint8_t, 3> Rgb)
{
    Bytes Out = {'K', 'V', 'P', '1', 1, 0};
    Put(Out, nWidth, 2);
    Put(Out, nHeight, 2);
    Out.insert(Out.end(), {24, 0});
    Put(Out, (uint32_t)nWidth * nHeight * 3, 4);
    for (uint32_t n = 0; n < (uint32_t)nWidth * nHeight; ++n)
        Out.insert(Out.end(), Rgb.begin(), Rgb.end());
    return Out;
}

Bytes RawKva(int16_t nFrames)
{
    constexpr uint32_t WIDTH = 32, HEIGHT = 16;
    Bytes Out = {'K', 'O', 'R', 'A', 1};
    Put(Out, (uint16_t)nFrames, 2);
    Put(Out, 40, 4);
    Put(Out, WIDTH << 16 | HEIGHT, 4);
    Out.insert(Out.end(), {'N', 'O', 'N', 'E'});
    for (int16_t nFrame = 0; nFrame < nFrames; ++nFrame) {
        Out.insert(Out.end(), {'X', 'X', 'X', 'X', 'F', 'R', 'A', 'M', 0});   // raw delta: a changing stripe pattern
        Put(Out, WIDTH * HEIGHT, 4);
        for (uint32_t n = 0; n < WIDTH * HEIGHT; ++n)
            Out.push_back((uint8_t)((n + (uint32_t)nFrame) % 7 == 0));
    }
    return Out;
}

Level MakeLevel(int nBackground, const std::vector<std::array<int, 3>>& Cells)
{
    Level Each;
    Each.nBackground = nBackground;
    for (const auto& Cell : Cells)
        Each.Cells[LevelCellIndex(Cell[0], Cell[1])] = (int16_t)Cell[2];
    return Each;
}

std::vector<uint16_t> Pixels(int x, int y, int nWidth, int nHeight)
{
    const uint16_t* pBuffer = (const uint16_t*)Korvid.ChunkyBuffer(0);
    std::vector<uint16_t> Out;
    for (int nRow = y; nRow < y + nHeight; ++nRow)
        Out.insert(Out.end(), pBuffer + nRow * SCREEN_WIDTH + x, pBuffer + nRow * SCREEN_WIDTH + x + nWidth);
    return Out;
}

int Drawn(int x, int y, int nWidth, int nHeight, uint16_t nBackground)
{
    const std::vector<uint16_t> Area = Pixels(x, y, nWidth, nHeight);
    return (int)std::count_if(Area.begin(), Area.end(), [&](uint16_t nPixel) { return nPixel != nBackground; });
}

bool LogStartsWith(const std::string& Prefix)
{
    const std::vector<std::string> Log = LogMessages();
    return std::any_of(Log.begin(), Log.end(), [&](const std::string& Line) { return Line.rfind(Prefix, 0) == 0; });
}

bool WasPlayed(int nKind, int nVariant)
{
    return Korvid.SoundSlot((uint32_t)GameSoundNumber(nKind, nVariant))->nChannel >= 0;
}

RunResult RunGame(const std::string& Environment, const std::string& Arguments)
{
    std::string Command = "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + Environment + " '" + TAMBOREL_GAME +
                          "' " + Arguments + " >out.txt 2>err.txt";
    int nRaw = system(Command.c_str());
    return {WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1, ReadFileText("out.txt"), ReadFileText("err.txt")};
}

void GameStart::SetUp()
{
    m_ScratchDir = EnterScratchDirectory();
    m_GameDir = m_ScratchDir + "/game";
    // Folders of its own, so that what the game writes lands in the copy, and a
    // link for each file: a copy of the whole set took more time than some starts.
    const fs::path From = TAMBOREL_DATA_SET, To = m_GameDir + "/data";
    fs::create_directories(To);
    for (const fs::directory_entry& Entry : fs::recursive_directory_iterator(From)) {
        const fs::path Target = To / fs::relative(Entry.path(), From);
        if (Entry.is_directory())
            fs::create_directories(Target);
        else if (Target.filename() != "tamborel2.ini")
            fs::create_symlink(Entry.path(), Target);
    }
    // Short stand-ins replace the logo movies: presenting their eight seconds of
    // film was half the time of every start. The data tests play the real ones.
    for (const char* szMovie : {"ostra", "velmora"})
        WriteGameFile(std::string("data/gfx/") + szMovie + ".kva", RawKva(10));
    setenv("TAMBOREL_DATA", m_GameDir.c_str(), 1);
    Korvid.SetPlatform(&m_Platform);
}

void GameStart::WriteGameFile(const std::string& Name, const Bytes& Content)
{
    RemoveFile(Name);
    WriteFileBytes(GamePath(Name), Content);
}

void GameStart::RemoveFile(const std::string& Name) { fs::remove(GamePath(Name)); }

bool GameStart::StartGame(const std::vector<std::string>& Args)
{
    m_Args = {"tamborel2"};
    m_Args.insert(m_Args.end(), Args.begin(), Args.end());
    m_ArgPointers.clear();
    for (std::string& Arg : m_Args)
        m_ArgPointers.push_back(Arg.data());
    m_ArgPointers.push_back(nullptr);
    Korvid.SetArgs((int)m_Args.size(), m_ArgPointers.data());
    m_bStarted = Korvid.Init();
    return m_bStarted;
}

void GameStart::EndGame()
{
    if (!m_bStarted)
        return;
    m_bStarted = false;
    Korvid.ShutDown();
    Korvid.FinalShutDown();
}

void GameStart::StartPlay()
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

void PlayTest::SetUp()
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
    GameResetLevel(0, false);
    g_bInGame = true;
    g_nLives[0] = g_nLives[1] = GAME_START_LIVES;
}

int16_t HitWith(int16_t nCode, int nKind, bool bShot, int nDirection, int nColumn, int nRow)
{
    SetCell(nColumn, nRow, nCode);
    g_nCellColumn = nColumn;
    g_nCellRow = nRow;
    g_Balls[0].nTopRow = nKind == BALL_KIND_SMALL ? 0 : nKind == BALL_KIND_BIG ? 90 : 36;
    GameBrickHit(0, bShot, nKind, nDirection);
    return CellCode(nColumn, nRow);
}

Ball& Fly(int n, int16_t x, int16_t y, int16_t dx, int16_t dy)
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

}  // namespace gametest
