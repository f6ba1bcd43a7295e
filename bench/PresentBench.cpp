// Presentation (DumpChunkyBuffer) of an 800 x 600 back buffer into screen
// surfaces of 16 and 32 bits, from 16- and 8-bit internal depths, with and
// without the dirty list, against SDL_BlitSurface converting the same pixels
// into a surface of the same format, and memcpy of the output frame. Then the
// scaled presentation (PresentScaled) of the 16-bit back buffer into 32-bit
// surfaces at 2x, 3x and the full-screen fit into 2560 x 1440, against
// SDL_SoftStretch of the same picture (already 32-bit) and memcpy of the bytes
// written.
#include <SDL/SDL.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "gfx/ScaledView.h"
#include "support/BenchEngine.h"
#include "support/BenchPictures.h"

namespace {

constexpr int SCREEN_WIDTH = 800, SCREEN_HEIGHT = 600;
constexpr int CHANGED_ROW_STRIDE = 10;   // every tenth row changes: 10 % of the frame

// One pairing of internal depth and screen depth.
struct Conversion {
    const char* szName;
    uint8_t nInternalDepth;   // 16 or 8
    uint8_t nScreenFormat;    // KOR_PIXFMT_RGB16 or KOR_PIXFMT_ARGB32
};

struct Surfaces {
    SDL_Surface* pBack565 = nullptr;    // the back buffer's pixels as SDL sees them
    SDL_Surface* pBack8 = nullptr;
    SDL_Surface* pScreen565 = nullptr;  // where both write
    SDL_Surface* pScreen8888 = nullptr;
    std::vector<uint16_t> Frame16;      // the frame every case presents
    std::vector<uint8_t> Frame8;
    std::vector<uint8_t> CopySource, CopyDest;
};

Surfaces g_Surfaces;

void SetBenchPalette()
{
    for (int n = 0; n < 256; ++n)
        Korvid.SetPaletteEntry(n, (n * 7) & 0xFF, (n * 13) & 0xFF, (n * 29) & 0xFF);
}

bool MakeSurfaces()
{
    Surfaces& s = g_Surfaces;
    BenchRandom Random(21);
    s.Frame16.resize(SCREEN_WIDTH * SCREEN_HEIGHT);
    s.Frame8.resize(SCREEN_WIDTH * SCREEN_HEIGHT);
    for (size_t n = 0; n < s.Frame16.size(); ++n) {
        s.Frame16[n] = (uint16_t)(Random.Next() >> 9);
        s.Frame8[n] = (uint8_t)(Random.Next() >> 20);
    }
    SetBenchPalette();
    s.pBack565 = NewSurface565(SCREEN_WIDTH, SCREEN_HEIGHT);
    s.pBack8 = NewSurface8(SCREEN_WIDTH, SCREEN_HEIGHT);
    s.pScreen565 = NewSurface565(SCREEN_WIDTH, SCREEN_HEIGHT);
    s.pScreen8888 = NewSurface8888(SCREEN_WIDTH, SCREEN_HEIGHT, false);
    if (!s.pBack565 || !s.pBack8 || !s.pScreen565 || !s.pScreen8888)
        return false;
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        memcpy((uint8_t*)s.pBack565->pixels + y * s.pBack565->pitch, &s.Frame16[y * SCREEN_WIDTH], SCREEN_WIDTH * 2);
        memcpy((uint8_t*)s.pBack8->pixels + y * s.pBack8->pitch, &s.Frame8[y * SCREEN_WIDTH], SCREEN_WIDTH);
    }
    s.CopySource.assign(4 * SCREEN_WIDTH * SCREEN_HEIGHT, 0x5A);
    s.CopyDest.assign(4 * SCREEN_WIDTH * SCREEN_HEIGHT, 0);
    return true;
}

SDL_Surface* ScreenFor(const Conversion& c)
{
    return c.nScreenFormat == KOR_PIXFMT_RGB16 ? g_Surfaces.pScreen565 : g_Surfaces.pScreen8888;
}

int ScreenBytes(const Conversion& c) { return SCREEN_WIDTH * SCREEN_HEIGHT * (c.nScreenFormat == KOR_PIXFMT_RGB16 ? 2 : 4); }

// Puts the engine in the state a case measures: the depth, the dirty list on or
// off, the screen format, the frame in chunky 0, and one presentation so that
// the shadow (when there is one) holds the frame.
bool PrepareEngine(const Conversion& c, bool bDirtyList)
{
    if (!ReopenDisplay(c.nInternalDepth, bDirtyList))
        return false;
    Korvid.SetPixelFormat(c.nScreenFormat);
    if (c.nInternalDepth == 8) {
        SetBenchPalette();
        Korvid.UpdatePaletteTables(nullptr);
        memcpy(Korvid.ChunkyBuffer(0), g_Surfaces.Frame8.data(), g_Surfaces.Frame8.size());
    } else {
        memcpy(Korvid.ChunkyBuffer(0), g_Surfaces.Frame16.data(), g_Surfaces.Frame16.size() * 2);
    }
    Korvid.SetFullUpdate();
    SDL_Surface* pScreen = ScreenFor(c);
    Korvid.DumpChunkyBuffer(Korvid.ExistingChunky(0), pScreen->pixels, pScreen->pitch);
    return true;
}

void Present(const Conversion& c)
{
    SDL_Surface* pScreen = ScreenFor(c);
    Korvid.DumpChunkyBuffer(Korvid.ExistingChunky(0), pScreen->pixels, pScreen->pitch);
}

// Inverts a few bits of every nStride-th row: with 10 each frame differs from the
// last in 10 % of its pixels, with 1 everywhere (clouds drifting over the field).
void ChangeRows(const Conversion& c, int nStride)
{
    uint8_t* pPixels = Korvid.ChunkyBuffer(0);
    const int nRowBytes = SCREEN_WIDTH * c.nInternalDepth / 8;
    for (int y = 0; y < SCREEN_HEIGHT; y += nStride)
        for (int n = 0; n < nRowBytes; ++n)
            pPixels[y * nRowBytes + n] ^= 0x11;
}

using Work = std::function<void()>;

void Register(const std::string& Subject, const char* szWho, int64_t nBytes, Work Draw, std::function<bool()> Prepare)
{
    benchmark::RegisterBenchmark(CaseName(Subject.c_str(), szWho).c_str(), [=](benchmark::State& State) {
        if (Prepare && !Prepare()) {
            State.SkipWithError("the display could not be set up for this case");
            return;
        }
        for (auto _ : State) {
            Draw();
            benchmark::ClobberMemory();
        }
        State.SetBytesProcessed(State.iterations() * nBytes);
    })->Unit(benchmark::kMicrosecond);
}

void RegisterConversion(const Conversion& c)
{
    const std::string Name = std::string("Present_") + c.szName;
    const int64_t nOutput = ScreenBytes(c);
    Register(Name, "korvid", nOutput, [c] { Present(c); }, [c] { return PrepareEngine(c, false); });
    SDL_Surface* pBack = c.nInternalDepth == 8 ? g_Surfaces.pBack8 : g_Surfaces.pBack565;
    SDL_Surface* pScreen = ScreenFor(c);
    Register(Name, "sdl", nOutput, [pBack, pScreen] { SDL_BlitSurface(pBack, nullptr, pScreen, nullptr); }, nullptr);
    Register(Name, "memcpy", nOutput, [nOutput] {
        memcpy(g_Surfaces.CopyDest.data(), g_Surfaces.CopySource.data(), (size_t)nOutput);
        benchmark::DoNotOptimize(g_Surfaces.CopyDest.data());
    }, nullptr);
    Register(Name + "_dirty_unchanged", "korvid", nOutput, [c] { Present(c); }, [c] { return PrepareEngine(c, true); });
    Register(Name + "_dirty_10pct", "korvid", nOutput, [c] {
        ChangeRows(c, CHANGED_ROW_STRIDE);
        Present(c);
    }, [c] { return PrepareEngine(c, true); });
    Register(Name + "_dirty_all", "korvid", nOutput, [c] {
        ChangeRows(c, 1);
        Present(c);
    }, [c] { return PrepareEngine(c, true); });
}

// A larger 32-bit surface the 16-bit back buffer is presented into.
void RegisterScaled(const char* szName, int nSurfaceWidth, int nSurfaceHeight)
{
    SDL_Surface* pSurface = NewSurface8888(nSurfaceWidth, nSurfaceHeight, false);
    SDL_Surface* pSource = NewSurface8888(SCREEN_WIDTH, SCREEN_HEIGHT, false);
    if (!pSurface || !pSource)
        return;
    const KorvidScaledView View = KorvidFitView(SCREEN_WIDTH, SCREEN_HEIGHT, nSurfaceWidth, nSurfaceHeight, false);
    const int64_t nOutput = (int64_t)View.nWidth * View.nHeight * 4;
    const std::string Name = std::string("PresentScaled_16to32_") + szName;
    const Conversion c{"16to32", 16, KOR_PIXFMT_ARGB32};
    Register(Name, "korvid", nOutput, [=] {
        Korvid.PresentScaled(Korvid.ExistingChunky(0), pSurface->pixels, pSurface->pitch, pSurface->w, pSurface->h,
                             false);
    }, [=] { return PrepareEngine(c, false); });
    Register(Name, "sdl", nOutput, [=] {
        SDL_Rect Target{(Sint16)View.nLeft, (Sint16)View.nTop, (Uint16)View.nWidth, (Uint16)View.nHeight};
        SDL_SoftStretch(pSource, nullptr, pSurface, &Target);
    }, nullptr);
    auto Copy = std::make_shared<std::vector<uint8_t>>(2 * (size_t)nOutput, 0x5A);
    Register(Name, "memcpy", nOutput, [=] {
        memcpy(Copy->data(), Copy->data() + nOutput, (size_t)nOutput);
        benchmark::DoNotOptimize(Copy->data());
    }, nullptr);
}

}  // namespace

int main(int nArgs, char** ppArgs)
{
    if (!StartBenchEngine(SCREEN_WIDTH, SCREEN_HEIGHT, 16) || !MakeSurfaces()) {
        fprintf(stderr, "bench_present: the engine or SDL did not start\n");
        return 1;
    }
    for (const Conversion& c : {Conversion{"16to16", 16, KOR_PIXFMT_RGB16}, Conversion{"16to32", 16, KOR_PIXFMT_ARGB32},
                                Conversion{"8to16", 8, KOR_PIXFMT_RGB16}, Conversion{"8to32", 8, KOR_PIXFMT_ARGB32}})
        RegisterConversion(c);
    RegisterScaled("2x", 2 * SCREEN_WIDTH, 2 * SCREEN_HEIGHT);
    RegisterScaled("3x", 3 * SCREEN_WIDTH, 3 * SCREEN_HEIGHT);
    RegisterScaled("fit2560x1440", 2560, 1440);
    return RunBenchmarks(nArgs, ppArgs);
}
