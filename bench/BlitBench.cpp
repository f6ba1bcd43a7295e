// The blitter against SDL 1.2's SDL_BlitSurface (with and without RLE
// acceleration) and memcpy, all drawing into an 800 x 600 RGB565 back buffer
// from the same pixels.
#include <SDL/SDL.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "support/BenchEngine.h"
#include "support/BenchPictures.h"

namespace {

constexpr int SCREEN_WIDTH = 800, SCREEN_HEIGHT = 600;
constexpr int TILE_WIDTH = 40, TILE_HEIGHT = 24, TILES_IN_SHEET = 10, TILE_COUNT = 400;
constexpr int PARTICLE_SIZE = 30, PARTICLE_COUNT = 1000;
constexpr uint16_t TINT_COLOUR = 0x6B4D;

enum : uint32_t { BACKGROUND = 1, OVERLAY, TILES, PARTICLE, FRAGMENTED, SOFT_PARTICLE, SOLID };

struct Point {
    int x, y;
};

// Everything both blitters draw, made once.
struct Scene {
    SDL_Surface* pScreen = nullptr;
    SDL_Surface* pBackground = nullptr;
    SDL_Surface* pOverlay = nullptr;
    SDL_Surface* pSolid = nullptr;
    SDL_Surface* pTiles = nullptr;
    SDL_Surface* pTilesRle = nullptr;
    SDL_Surface* pParticle = nullptr;
    SDL_Surface* pParticleRle = nullptr;
    SDL_Surface* pFragmented = nullptr;
    SDL_Surface* pFragmentedRle = nullptr;
    SDL_Surface* pSoftParticle = nullptr;
    std::vector<Point> Particles;
    std::vector<uint8_t> CopySource, CopyDest;
};

Scene g_Scene;

SDL_Surface* KeyedSurface(uint32_t nChunky, bool bRle)
{
    SDL_Surface* pSurface = SurfaceFromChunky(nChunky);
    if (pSurface)
        SDL_SetColorKey(pSurface, SDL_SRCCOLORKEY | (bRle ? SDL_RLEACCEL : 0), 0);
    return pSurface;
}

bool BuildScene()
{
    const bool bMade =
        MakeChunky16(BACKGROUND, SCREEN_WIDTH, SCREEN_HEIGHT, 11, EveryPixel()) &&
        MakeChunky16(OVERLAY, SCREEN_WIDTH, SCREEN_HEIGHT, 12, EveryPixel()) &&
        MakeChunky16(TILES, TILE_WIDTH * TILES_IN_SHEET, TILE_HEIGHT, 13,
                     [](int x, int y) { return RoundedTile(TILE_WIDTH, TILE_HEIGHT, 6)(x % TILE_WIDTH, y); }) &&
        MakeChunky16(PARTICLE, PARTICLE_SIZE, PARTICLE_SIZE, 14, Disc(15, 15, 12.0f)) &&
        MakeChunky16(FRAGMENTED, PARTICLE_SIZE, PARTICLE_SIZE, 15, Fragments(16)) &&
        MakeChunky16(SOFT_PARTICLE, PARTICLE_SIZE, PARTICLE_SIZE, 17, EveryPixel()) &&
        AddRadialMask(SOFT_PARTICLE, 15.0f);
    if (!bMade)
        return false;
    Korvid.UseChunky(0);
    Scene& s = g_Scene;
    s.pScreen = NewSurface565(SCREEN_WIDTH, SCREEN_HEIGHT);
    s.pBackground = SurfaceFromChunky(BACKGROUND);
    s.pOverlay = SurfaceFromChunky(OVERLAY);
    s.pSolid = NewSurface565(SCREEN_WIDTH, SCREEN_HEIGHT);
    if (s.pSolid)
        SDL_FillRect(s.pSolid, nullptr, TINT_COLOUR);
    s.pTiles = KeyedSurface(TILES, false);
    s.pTilesRle = KeyedSurface(TILES, true);
    s.pParticle = KeyedSurface(PARTICLE, false);
    s.pParticleRle = KeyedSurface(PARTICLE, true);
    s.pFragmented = KeyedSurface(FRAGMENTED, false);
    s.pFragmentedRle = KeyedSurface(FRAGMENTED, true);
    s.pSoftParticle = AlphaSurfaceFromChunky(SOFT_PARTICLE);
    BenchRandom Random(99);
    for (int n = 0; n < PARTICLE_COUNT; ++n)
        s.Particles.push_back({Random.Range(-PARTICLE_SIZE / 2, SCREEN_WIDTH - PARTICLE_SIZE / 2),
                               Random.Range(-PARTICLE_SIZE / 2, SCREEN_HEIGHT - PARTICLE_SIZE / 2)});
    s.CopySource.assign(4 * SCREEN_WIDTH * SCREEN_HEIGHT, 0x5A);
    s.CopyDest.assign(4 * SCREEN_WIDTH * SCREEN_HEIGHT, 0);
    for (SDL_Surface* p : {s.pScreen, s.pBackground, s.pOverlay, s.pSolid, s.pTiles, s.pTilesRle, s.pParticle,
                           s.pParticleRle, s.pFragmented, s.pFragmentedRle, s.pSoftParticle})
        if (!p)
            return false;
    return true;
}

// ---- The work, once per blitter ------------------------------------------------------------

void SdlBlit(SDL_Surface* pSource, int sx, int sy, int w, int h, int dx, int dy)
{
    SDL_Rect Source = {(Sint16)sx, (Sint16)sy, (Uint16)w, (Uint16)h};
    SDL_Rect Dest = {(Sint16)dx, (Sint16)dy, 0, 0};
    SDL_BlitSurface(pSource, &Source, g_Scene.pScreen, &Dest);
}

void SdlFullScreen(SDL_Surface* pSource) { SdlBlit(pSource, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0); }

void SdlTiles(SDL_Surface* pSheet)
{
    for (int n = 0; n < TILE_COUNT; ++n)
        SdlBlit(pSheet, (n % TILES_IN_SHEET) * TILE_WIDTH, 0, TILE_WIDTH, TILE_HEIGHT, (n % 20) * TILE_WIDTH,
                (n / 20) * TILE_HEIGHT);
}

void SdlParticles(SDL_Surface* pParticle)
{
    for (const Point& At : g_Scene.Particles)
        SdlBlit(pParticle, 0, 0, PARTICLE_SIZE, PARTICLE_SIZE, At.x, At.y);
}

void KorvidFullScreen(uint32_t nChunky, uint8_t nFlags, uint16_t nColour, int16_t nParam)
{
    Korvid.BlitArea(nChunky, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0, nFlags, nColour, nParam);
}

void KorvidTiles()
{
    for (int n = 0; n < TILE_COUNT; ++n)
        Korvid.BlitArea(TILES, (n % TILES_IN_SHEET) * TILE_WIDTH, 0, TILE_WIDTH, TILE_HEIGHT, (n % 20) * TILE_WIDTH,
                        (n / 20) * TILE_HEIGHT, KOR_BLIT_COOKIE, 0, 0);
}

void KorvidParticles(uint32_t nChunky, uint16_t nFlags)
{
    for (const Point& At : g_Scene.Particles)
        Korvid.Blit(nChunky, At.x, At.y, nFlags, 0, -1);
}

// ---- Registration --------------------------------------------------------------------------

using Work = std::function<void()>;

// One timed case: Prepare runs before the loop (surface alpha and the like).
void Register(const char* szSubject, const char* szWho, int64_t nBytes, Work Draw, Work Prepare = nullptr)
{
    benchmark::RegisterBenchmark(CaseName(szSubject, szWho).c_str(), [=](benchmark::State& State) {
        if (Prepare)
            Prepare();
        for (auto _ : State) {
            Draw();
            benchmark::ClobberMemory();
        }
        State.SetBytesProcessed(State.iterations() * nBytes);
    })->Unit(benchmark::kMicrosecond);
}

// memcpy of the bytes a case writes: the memory system's limit for that work.
void RegisterMemcpy(const char* szSubject, int64_t nBytes)
{
    Register(szSubject, "memcpy", nBytes, [nBytes] {
        memcpy(g_Scene.CopyDest.data(), g_Scene.CopySource.data(), (size_t)nBytes);
        benchmark::DoNotOptimize(g_Scene.CopyDest.data());
    });
}

Work SurfaceAlpha(SDL_Surface* pSurface, int nAlpha)
{
    return [=] { SDL_SetAlpha(pSurface, SDL_SRCALPHA, (Uint8)nAlpha); };
}

void RegisterCases()
{
    Scene& s = g_Scene;
    const int64_t nScreenBytes = 2 * SCREEN_WIDTH * SCREEN_HEIGHT;
    const int64_t nTileBytes = 2 * TILE_WIDTH * TILE_HEIGHT * TILE_COUNT;
    const int64_t nParticleBytes = 2 * PARTICLE_SIZE * PARTICLE_SIZE * PARTICLE_COUNT;

    Register("Blit_Opaque_800x600", "korvid", nScreenBytes, [] { KorvidFullScreen(BACKGROUND, KOR_BLIT_NOCOOKIE, 0, 0); });
    Register("Blit_Opaque_800x600", "sdl", nScreenBytes, [&s] { SdlFullScreen(s.pBackground); });
    RegisterMemcpy("Blit_Opaque_800x600", nScreenBytes);

    Register("Blit_Keyed_400_tiles_40x24", "korvid", nTileBytes, KorvidTiles);
    Register("Blit_Keyed_400_tiles_40x24", "sdl_rle", nTileBytes, [&s] { SdlTiles(s.pTilesRle); });
    Register("Blit_Keyed_400_tiles_40x24", "sdl", nTileBytes, [&s] { SdlTiles(s.pTiles); });
    RegisterMemcpy("Blit_Keyed_400_tiles_40x24", nTileBytes);

    Register("Blit_Keyed_1000_particles_30x30", "korvid", nParticleBytes, [] { KorvidParticles(PARTICLE, 0); });
    Register("Blit_Keyed_1000_particles_30x30", "sdl_rle", nParticleBytes, [&s] { SdlParticles(s.pParticleRle); });
    Register("Blit_Keyed_1000_particles_30x30", "sdl", nParticleBytes, [&s] { SdlParticles(s.pParticle); });
    RegisterMemcpy("Blit_Keyed_1000_particles_30x30", nParticleBytes);

    Register("Blit_Keyed_1000_fragmented_30x30", "korvid", nParticleBytes, [] { KorvidParticles(FRAGMENTED, 0); });
    Register("Blit_Keyed_1000_fragmented_30x30", "sdl_rle", nParticleBytes, [&s] { SdlParticles(s.pFragmentedRle); });
    Register("Blit_Keyed_1000_fragmented_30x30", "sdl", nParticleBytes, [&s] { SdlParticles(s.pFragmented); });

    // Translucency: the engine's weight a = param x 2.55 goes to the destination, so
    // TRANS 25 keeps 192/255 of the source, which is SDL's surface alpha 192.
    Register("Blit_Trans_50", "korvid", nScreenBytes, [] { KorvidFullScreen(OVERLAY, KOR_BLIT_TRANS, 0, 50); });
    Register("Blit_Trans_50", "sdl_alpha128", nScreenBytes, [&s] { SdlFullScreen(s.pOverlay); },
             SurfaceAlpha(s.pOverlay, 128));
    RegisterMemcpy("Blit_Trans_50", nScreenBytes);
    Register("Blit_Trans_25", "korvid", nScreenBytes, [] { KorvidFullScreen(OVERLAY, KOR_BLIT_TRANS, 0, 25); });
    Register("Blit_Trans_25", "sdl_alpha192", nScreenBytes, [&s] { SdlFullScreen(s.pOverlay); },
             SurfaceAlpha(s.pOverlay, 192));
    Register("Blit_Trans_25", "sdl_alpha64", nScreenBytes, [&s] { SdlFullScreen(s.pOverlay); },
             SurfaceAlpha(s.pOverlay, 64));

    // A tint mixes the source with a colour; SDL's nearest work is a surface-alpha blend.
    Register("Blit_Tint_30", "korvid", nScreenBytes,
             [] { KorvidFullScreen(OVERLAY, KOR_BLIT_TINT, TINT_COLOUR, 30); });
    Register("Blit_Tint_30", "sdl_alpha77", nScreenBytes, [&s] { SdlFullScreen(s.pOverlay); },
             SurfaceAlpha(s.pOverlay, 77));
    Register("Blit_Tint_50", "korvid", nScreenBytes,
             [] { KorvidFullScreen(OVERLAY, KOR_BLIT_TINT, TINT_COLOUR, 50); });
    Register("Blit_Tint_50", "sdl_alpha128", nScreenBytes, [&s] { SdlFullScreen(s.pOverlay); },
             SurfaceAlpha(s.pOverlay, 128));

    // A translucent silhouette blends one colour over the screen: SDL blends a
    // surface filled with that colour.
    Register("Blit_SolidTrans_50", "korvid", nScreenBytes,
             [] { KorvidFullScreen(OVERLAY, KOR_BLIT_SOLIDTRANS, TINT_COLOUR, 50); });
    Register("Blit_SolidTrans_50", "sdl_alpha128", nScreenBytes, [&s] { SdlFullScreen(s.pSolid); },
             SurfaceAlpha(s.pSolid, 128));
    Register("Blit_SolidTrans_30", "korvid", nScreenBytes,
             [] { KorvidFullScreen(OVERLAY, KOR_BLIT_SOLIDTRANS, TINT_COLOUR, 30); });
    Register("Blit_SolidTrans_30", "sdl_alpha178", nScreenBytes, [&s] { SdlFullScreen(s.pSolid); },
             SurfaceAlpha(s.pSolid, 178));

    Register("Blit_AlphaMask_1000_particles_30x30", "korvid", nParticleBytes,
             [] { KorvidParticles(SOFT_PARTICLE, KOR_BLIT_ALPHA); });
    Register("Blit_AlphaMask_1000_particles_30x30", "sdl_perpixel", nParticleBytes,
             [&s] { SdlParticles(s.pSoftParticle); });

    // One pixel per call: what remains is the fixed cost of a blit.
    Register("Blit_1x1_call", "korvid", 2,
             [] { Korvid.BlitArea(PARTICLE, 15, 15, 1, 1, 400, 300, KOR_BLIT_COOKIE, 0, 0); });
    Register("Blit_1x1_call", "sdl", 2, [&s] { SdlBlit(s.pParticle, 15, 15, 1, 1, 400, 300); });
}

}  // namespace

int main(int nArgs, char** ppArgs)
{
    if (!StartBenchEngine(SCREEN_WIDTH, SCREEN_HEIGHT, 16) || !BuildScene()) {
        fprintf(stderr, "bench_blit: the engine or SDL did not start\n");
        return 1;
    }
    RegisterCases();
    return RunBenchmarks(nArgs, ppArgs);
}
