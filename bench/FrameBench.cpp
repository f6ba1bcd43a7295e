// The game's whole frame on the heaviest scenes play reaches, against the frame
// SDL 1.2 composes for the same kind of screen: a background, 400 keyed tiles,
// 1,000 keyed particles and the conversion to a 32-bit screen. The brick scene
// is a full field of bricks with 50 balls hitting them, 50 falling bonuses, 10
// enemies and the cloud banks drifting over it all; the boss scene has every
// shot of both sides and 20 explosions in flight. The game is started for real
// on a scratch copy of the forged data set, on a virtual clock.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "Balls.h"
#include "Bonuses.h"
#include "BossStage.h"
#include "Bricks.h"
#include "Enemies.h"
#include "Flow.h"
#include "GameState.h"
#include "Levels.h"
#include "korvid.h"
#include "support/BenchPictures.h"

namespace {

constexpr int SCREEN_WIDTH = 800, SCREEN_HEIGHT = 600;
constexpr uint32_t FRAME_MS = 19;
constexpr int TILE_WIDTH = 40, TILE_HEIGHT = 24, TILES_IN_SHEET = 10, TILE_COUNT = 400;
constexpr int PARTICLE_SIZE = 30, PARTICLE_COUNT = 1000;
constexpr int FULL_ROWS = 18;
constexpr int16_t FOUR_HIT_FIRST = 240;   // small balls never wear these down, so the field stays full
constexpr int16_t SMALL_BALL_TOP = 0, SMALL_BALL_BOTTOM = 12;
constexpr int EMPTY_BONUS_FIRST = 75, EMPTY_BONUS_COUNT = 5;   // bonuses without an effect: they only fall
constexpr int32_t CLOUD_BANKS = 3;
// Chunkies of the SDL scene, far above the game's own.
constexpr uint32_t SDL_BACKGROUND = 900, SDL_TILES = 901, SDL_PARTICLE = 902;

// Waits cost nothing: every frame is 19 ms of game time however long its work took.
class FrameClock : public OSEnvironment {
public:
    uint32_t GetTicks() override { return m_nNow; }
    void Delay(uint32_t nMilliseconds) override { m_nNow += nMilliseconds; }
    void Advance(uint32_t nMilliseconds) { m_nNow += nMilliseconds; }

private:
    uint32_t m_nNow = 1000;
};

FrameClock g_Clock;
BenchRandom g_Random(5);

// A ball anywhere over the lower field, flying in any direction.
void ThrowBall(Ball& B)
{
    B.bActive = 1;
    B.x = (int16_t)g_Random.Range(40, 740);
    B.y = (int16_t)g_Random.Range(300, 460);
    B.dx = (int16_t)(g_Random.Range(2, 4) * (g_Random.Next() % 2 ? 1 : -1));
    B.dy = (int16_t)(g_Random.Range(2, 4) * (g_Random.Next() % 2 ? 1 : -1));
    B.nTopRow = SMALL_BALL_TOP;
    B.nBottomRow = SMALL_BALL_BOTTOM;
}

// Balls that fell are thrown in again, outside the measured work.
void KeepFiftyBalls()
{
    for (Ball& B : g_Balls)
        if (!B.bActive)
            ThrowBall(B);
}

// Bonuses that were caught or fell start again anywhere above the paddles.
void KeepFiftyBonuses()
{
    for (int n = 0; n < GAME_BONUS_SLOTS; ++n)
        if (!g_Bonuses[n].bActive)
            GameSpawnBonus(EMPTY_BONUS_FIRST + n % EMPTY_BONUS_COUNT, g_Random.Range(20, 740), g_Random.Range(30, 480));
}

// Harmless enemies, which the balls smash all the time: the smashed ones come back.
void KeepTenEnemies()
{
    for (Enemy& E : g_Enemies) {
        if (E.bActive && !E.bDying)
            continue;
        E = {};
        E.bActive = E.bHarmless = 1;
        E.nKind = (uint8_t)g_Random.Range(0, 7);
        E.x = (int16_t)g_Random.Range(20, 700);
        E.y = (int16_t)g_Random.Range(20, 470);
        E.vx = (int16_t)g_Random.Range(1, 5);
        E.vy = (int16_t)-g_Random.Range(1, 5);
    }
}

void KeepEverythingInPlay()
{
    KeepFiftyBalls();
    KeepFiftyBonuses();
    KeepTenEnemies();
}

bool StartHeaviestScene()
{
    if (!GameChangeMode(GAME_MODE_SPIEL_STARTEN))
        return false;
    for (int nRow = 0; nRow < FULL_ROWS; ++nRow)
        for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn)
            *GameCell(nColumn, nRow) = (int16_t)(FOUR_HIT_FIRST + (nColumn + nRow) % 20);
    g_bBallsLaunched = 1;
    g_nWeather = CLOUD_BANKS;
    KeepEverythingInPlay();
    return true;
}

// Every shot slot of both sides flying and every explosion going off.
void KeepTheBossStageBusy()
{
    g_bBossStage = 1;
    for (int n = 0; n < BOSS_SHOTS; ++n) {
        BossShot& Ship = g_Boss.PlayerShots[n];
        if (!Ship.bActive)
            Ship = {1, (int16_t)g_Random.Range(90, 500), (int16_t)g_Random.Range(20, 500), 0, BOSS_SHOT_SHIP};
        BossShot& Boss = g_Boss.BossShots[n];
        if (!Boss.bActive)
            Boss = {1, (int16_t)g_Random.Range(100, 500), (int16_t)g_Random.Range(20, 500), 0,
                    (uint8_t)(n % BOSS_SHOT_SHIP)};
    }
    for (BossExplosion& E : g_Boss.Explosions)
        if (!E.bActive)
            E = {1, g_Random.Next() % 2 == 0, (int16_t)g_Random.Range(40, 760), (int16_t)g_Random.Range(40, 500), 0};
    // Nobody wins or loses while measured.
    g_Boss.nPlayerEnergy = g_Boss.nBossEnergy = 100;
    g_Boss.nPlayerLives = g_Boss.nBossLives = 5;
}

void LeaveTheBossStage() { g_bBossStage = 0; }

// ---- SDL's frame ---------------------------------------------------------------------------

struct SdlScene {
    SDL_Surface* pBack = nullptr;      // RGB565, as the game's back buffer
    SDL_Surface* pScreen = nullptr;    // XRGB8888, as a desktop screen
    SDL_Surface* pBackground = nullptr;
    SDL_Surface* pTiles = nullptr;
    SDL_Surface* pParticle = nullptr;
    std::vector<SDL_Rect> Particles;
};

SdlScene g_Sdl;

SDL_Surface* KeyedRle(uint32_t nChunky)
{
    SDL_Surface* pSurface = SurfaceFromChunky(nChunky);
    if (pSurface)
        SDL_SetColorKey(pSurface, SDL_SRCCOLORKEY | SDL_RLEACCEL, 0);
    return pSurface;
}

bool BuildSdlScene()
{
    if (!MakeChunky16(SDL_BACKGROUND, SCREEN_WIDTH, SCREEN_HEIGHT, 21, EveryPixel()) ||
        !MakeChunky16(SDL_TILES, TILE_WIDTH * TILES_IN_SHEET, TILE_HEIGHT, 22,
                      [](int x, int y) { return RoundedTile(TILE_WIDTH, TILE_HEIGHT, 6)(x % TILE_WIDTH, y); }) ||
        !MakeChunky16(SDL_PARTICLE, PARTICLE_SIZE, PARTICLE_SIZE, 23, Disc(15, 15, 12.0f)))
        return false;
    SdlScene& s = g_Sdl;
    s.pBack = NewSurface565(SCREEN_WIDTH, SCREEN_HEIGHT);
    s.pScreen = NewSurface8888(SCREEN_WIDTH, SCREEN_HEIGHT, false);
    s.pBackground = SurfaceFromChunky(SDL_BACKGROUND);
    s.pTiles = KeyedRle(SDL_TILES);
    s.pParticle = KeyedRle(SDL_PARTICLE);
    BenchRandom Random(99);
    for (int n = 0; n < PARTICLE_COUNT; ++n)
        s.Particles.push_back({(Sint16)Random.Range(0, SCREEN_WIDTH - PARTICLE_SIZE),
                               (Sint16)Random.Range(0, SCREEN_HEIGHT - PARTICLE_SIZE), 0, 0});
    return s.pBack && s.pScreen && s.pBackground && s.pTiles && s.pParticle;
}

void SdlFrame()
{
    SdlScene& s = g_Sdl;
    SDL_BlitSurface(s.pBackground, nullptr, s.pBack, nullptr);
    for (int n = 0; n < TILE_COUNT; ++n) {
        SDL_Rect Source = {(Sint16)((n % TILES_IN_SHEET) * TILE_WIDTH), 0, TILE_WIDTH, TILE_HEIGHT};
        SDL_Rect Dest = {(Sint16)((n % 20) * TILE_WIDTH), (Sint16)((n / 20) * TILE_HEIGHT), 0, 0};
        SDL_BlitSurface(s.pTiles, &Source, s.pBack, &Dest);
    }
    for (SDL_Rect At : s.Particles)
        SDL_BlitSurface(s.pParticle, nullptr, s.pBack, &At);
    SDL_BlitSurface(s.pBack, nullptr, s.pScreen, nullptr);
}

// ---- The cases -----------------------------------------------------------------------------

// Each iteration is one frame, timed by hand so the balls thrown in again
// between frames do not count; the 99th percentile of the frames is a counter.
void RunFrames(benchmark::State& State, void (*pFrame)(), void (*pBetween)())
{
    std::vector<double> Frames;
    for (auto _ : State) {
        if (pBetween)
            pBetween();
        auto Start = std::chrono::steady_clock::now();
        pFrame();
        std::chrono::duration<double> Work = std::chrono::steady_clock::now() - Start;
        State.SetIterationTime(Work.count());
        Frames.push_back(Work.count() * 1e6);
    }
    std::sort(Frames.begin(), Frames.end());
    if (!Frames.empty())
        State.counters["p99_us"] = Frames[(size_t)(0.99 * (double)(Frames.size() - 1))];
}

void GameFrame()
{
    g_Clock.Advance(FRAME_MS);
    KorvidMain();
}

void RegisterCases()
{
    benchmark::RegisterBenchmark("Frame_Heaviest/korvid",
                                 [](benchmark::State& State) { RunFrames(State, GameFrame, KeepEverythingInPlay); })
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Frame_BossStage/korvid",
                                 [](benchmark::State& State) {
                                     GameStartBossStage();
                                     RunFrames(State, GameFrame, KeepTheBossStageBusy);
                                     LeaveTheBossStage();
                                 })
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    // Both scenes are held to the same SDL frame, measured beside each.
    for (const char* szName : {"Frame_Heaviest/sdl", "Frame_BossStage/sdl"})
        benchmark::RegisterBenchmark(szName, [](benchmark::State& State) { RunFrames(State, SdlFrame, nullptr); })
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
}

// The game on its own copy of the data set, so the settings it writes stay there.
bool StartGame(const char* szProgram)
{
    const std::string GameDir = std::filesystem::temp_directory_path() / "tamborel-frame-bench";
    std::error_code Error;
    std::filesystem::remove_all(GameDir, Error);
    std::filesystem::create_directories(GameDir, Error);
    const char* szDataSet = getenv("TAMBOREL_DATA_SET");
    std::filesystem::copy(szDataSet ? szDataSet : TAMBOREL_DATA_SET, GameDir + "/data",
                          std::filesystem::copy_options::recursive, Error);
    if (Error)
        return false;
    setenv("TAMBOREL_DATA", GameDir.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    static char szWindowed[] = "--windowed";
    static char* Args[] = {const_cast<char*>(szProgram), szWindowed, nullptr};
    Korvid.SetArgs(2, Args);
    Korvid.SetPlatform(&g_Clock);
    return Korvid.Init();
}

}  // namespace

int main(int nArgs, char** ppArgs)
{
    if (!StartGame(ppArgs[0]) || !StartHeaviestScene() || !BuildSdlScene()) {
        fprintf(stderr, "bench_frame: the game or its scene did not start\n");
        return 1;
    }
    RegisterCases();
    benchmark::Initialize(&nArgs, ppArgs);
    if (benchmark::ReportUnrecognizedArguments(nArgs, ppArgs))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Korvid.ShutDown();
    Korvid.FinalShutDown();
    return 0;
}
