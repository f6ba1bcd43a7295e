// Deterministic pictures for the benchmarks, made once into engine chunkies
// and copied pixel for pixel into SDL surfaces, so that both blitters work on
// the same bytes.
#pragma once
#include <SDL/SDL.h>

#include <cstdint>
#include <functional>
#include <vector>

// A small fixed-seed generator: the same pictures on every run.
class BenchRandom {
public:
    explicit BenchRandom(uint32_t nSeed) : m_nState(nSeed ? nSeed : 1) {}
    uint32_t Next()
    {
        m_nState ^= m_nState << 13;
        m_nState ^= m_nState >> 17;
        m_nState ^= m_nState << 5;
        return m_nState;
    }
    int32_t Range(int32_t nLow, int32_t nHigh) { return nLow + (int32_t)(Next() % (uint32_t)(nHigh - nLow + 1)); }

private:
    uint32_t m_nState;
};

// Which pixels of a w x h picture are opaque (the rest become the cookie colour 0).
using PixelShape = std::function<bool(int x, int y)>;

PixelShape EveryPixel();
PixelShape Disc(int nCentreX, int nCentreY, float fRadius);
PixelShape RoundedTile(int nWidth, int nHeight, int nCornerRadius);
// About half the pixels, scattered: the worst case for run-length encoded keys.
PixelShape Fragments(uint32_t nSeed);

// Makes chunky nChunky (16-bit) of noisy colours, never 0 where Shape says opaque, 0 elsewhere.
bool MakeChunky16(uint32_t nChunky, uint16_t nWidth, uint16_t nHeight, uint32_t nSeed, const PixelShape& Shape);
// Makes chunky nChunky (8-bit) of random palette indices 1..255.
bool MakeChunky8(uint32_t nChunky, uint16_t nWidth, uint16_t nHeight, uint32_t nSeed);
// Gives the chunky an alpha mask that is 255 at Disc's centre and falls to 0 at its edge.
bool AddRadialMask(uint32_t nChunky, float fRadius);

// RGB565, XRGB8888 and 8-bit palettized SDL surfaces, software, unlocked.
SDL_Surface* NewSurface565(int nWidth, int nHeight);
SDL_Surface* NewSurface8888(int nWidth, int nHeight, bool bAlphaChannel);
SDL_Surface* NewSurface8(int nWidth, int nHeight);
// An SDL surface holding a copy of a chunky's pixels (565 for 16-bit, palettized for 8-bit).
SDL_Surface* SurfaceFromChunky(uint32_t nChunky);
// An ARGB8888 surface of a 16-bit chunky's colours with its mask as per-pixel alpha.
SDL_Surface* AlphaSurfaceFromChunky(uint32_t nChunky);
