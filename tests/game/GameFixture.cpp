#include "game/GameFixture.h"

#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "PlayClock.h"
#include "Sounds.h"

namespace fs = std::filesystem;

namespace gametest {

namespace {

void PutBE16(Bytes& Out, uint32_t n)
{
    Out.push_back((uint8_t)(n >> 8));
    Out.push_back((uint8_t)n);
}
void PutBE32(Bytes& Out, uint32_t n)
{
    PutBE16(Out, n >> 16);
    PutBE16(Out, n & 0xFFFF);
}
void PutText(Bytes& Out, const char* sz) { Out.insert(Out.end(), sz, sz + strlen(sz)); }

}  // namespace

Bytes SolidKvp(uint16_t nWidth, uint16_t nHeight, Rgb Colour)
{
    Bytes Out;
    PutText(Out, "KVP1");
    Out.insert(Out.end(), {1, 0});
    PutBE16(Out, nWidth);
    PutBE16(Out, nHeight);
    Out.insert(Out.end(), {24, 0});
    PutBE32(Out, (uint32_t)nWidth * nHeight * 3);
    for (uint32_t n = 0; n < (uint32_t)nWidth * nHeight; ++n)
        Out.insert(Out.end(), {Colour.r, Colour.g, Colour.b});
    return Out;
}

Bytes RawKva(uint16_t nWidth, uint16_t nHeight, int16_t nFrames, uint32_t nFrameTime)
{
    Bytes Out;
    PutText(Out, "KORA");
    Out.push_back(1);
    PutBE16(Out, (uint16_t)nFrames);
    PutBE32(Out, nFrameTime);
    PutBE16(Out, nWidth);
    PutBE16(Out, nHeight);
    PutText(Out, "NONE");
    for (int16_t nFrame = 0; nFrame < nFrames; ++nFrame) {
        PutText(Out, "XXXXFRAM");
        Out.push_back(0);   // raw delta: a changing stripe pattern
        PutBE32(Out, (uint32_t)nWidth * nHeight);
        for (uint32_t n = 0; n < (uint32_t)nWidth * nHeight; ++n)
            Out.push_back((uint8_t)((n + (uint32_t)nFrame) % 7 == 0));
    }
    return Out;
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
    int nCount = 0;
    for (uint16_t nPixel : Pixels(x, y, nWidth, nHeight))
        nCount += nPixel != nBackground;
    return nCount;
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
        WriteGameFile(std::string("data/gfx/") + szMovie + ".kva", RawKva(32, 16, 10, 40));
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
    m_ArgStore = {"tamborel2"};
    m_ArgStore.insert(m_ArgStore.end(), Args.begin(), Args.end());
    m_Args.clear();
    for (std::string& Arg : m_ArgStore)
        m_Args.push_back(Arg.data());
    m_Args.push_back(nullptr);
    Korvid.SetArgs((int)m_ArgStore.size(), m_Args.data());
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

Ball& PlayTest::Fly(int n, int16_t x, int16_t y, int16_t dx, int16_t dy)
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

void PlayTest::PointerAt(int32_t x, int32_t y, uint32_t nMilliseconds)
{
    m_Platform.Advance(nMilliseconds);
    GameTrackPointer(x, y);
}

void PlayTest::RunClock(uint32_t nMilliseconds)
{
    m_Platform.Advance(nMilliseconds);
    GamePlayClock();
}

}  // namespace gametest
