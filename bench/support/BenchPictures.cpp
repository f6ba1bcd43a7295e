#include "support/BenchPictures.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "korvid.h"

PixelShape EveryPixel()
{
    return [](int, int) { return true; };
}

PixelShape Disc(int nCentreX, int nCentreY, float fRadius)
{
    return [=](int x, int y) {
        const float dx = (float)x + 0.5f - (float)nCentreX, dy = (float)y + 0.5f - (float)nCentreY;
        return dx * dx + dy * dy <= fRadius * fRadius;
    };
}

PixelShape RoundedTile(int nWidth, int nHeight, int nCornerRadius)
{
    return [=](int x, int y) {
        const int nNearX = x < nCornerRadius ? nCornerRadius : (x >= nWidth - nCornerRadius ? nWidth - nCornerRadius - 1 : x);
        const int nNearY = y < nCornerRadius ? nCornerRadius : (y >= nHeight - nCornerRadius ? nHeight - nCornerRadius - 1 : y);
        const int dx = x - nNearX, dy = y - nNearY;
        return dx * dx + dy * dy <= nCornerRadius * nCornerRadius;
    };
}

PixelShape Fragments(uint32_t nSeed)
{
    auto pRandom = std::make_shared<BenchRandom>(nSeed);
    return [pRandom](int, int) { return (pRandom->Next() >> 7) & 1; };
}

bool MakeChunky16(uint32_t nChunky, uint16_t nWidth, uint16_t nHeight, uint32_t nSeed, const PixelShape& Shape)
{
    if (Korvid.InitChunky(nChunky, nWidth, nHeight, 16) != 1)
        return false;
    BenchRandom Random(nSeed);
    uint16_t* pPixels = Korvid.ExistingChunky(nChunky)->Pixels16();
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x) {
            const uint16_t nColour = (uint16_t)(Random.Next() >> 9);
            pPixels[y * nWidth + x] = Shape(x, y) ? (uint16_t)(nColour ? nColour : 1) : 0;
        }
    Korvid.ScanCookie(*Korvid.ExistingChunky(nChunky));
    return true;
}

bool MakeChunky8(uint32_t nChunky, uint16_t nWidth, uint16_t nHeight, uint32_t nSeed)
{
    if (Korvid.InitChunky(nChunky, nWidth, nHeight, 8) != 1)
        return false;
    BenchRandom Random(nSeed);
    uint8_t* pPixels = Korvid.ChunkyBuffer(nChunky);
    for (size_t n = 0; n < (size_t)nWidth * nHeight; ++n)
        pPixels[n] = (uint8_t)(1 + Random.Next() % 255);
    return true;
}

bool AddRadialMask(uint32_t nChunky, float fRadius)
{
    ChunkyObject* pChunky = Korvid.ExistingChunky(nChunky);
    if (!pChunky || !Korvid.CreateAlphaMask(*pChunky))
        return false;
    const float fCentreX = pChunky->nWidth / 2.0f, fCentreY = pChunky->nHeight / 2.0f;
    for (int y = 0; y < pChunky->nHeight; ++y)
        for (int x = 0; x < pChunky->nWidth; ++x) {
            const float fDistance = std::hypot(x + 0.5f - fCentreX, y + 0.5f - fCentreY);
            const float fOpacity = fDistance >= fRadius ? 0.0f : 1.0f - fDistance / fRadius;
            pChunky->pAlpha[y * pChunky->nWidth + x] = (uint8_t)std::lround(255.0f * std::min(1.0f, 1.5f * fOpacity));
        }
    return true;
}

SDL_Surface* NewSurface565(int nWidth, int nHeight)
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, nWidth, nHeight, 16, 0xF800, 0x07E0, 0x001F, 0);
}

SDL_Surface* NewSurface8888(int nWidth, int nHeight, bool bAlphaChannel)
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, nWidth, nHeight, 32, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                bAlphaChannel ? 0xFF000000 : 0);
}

SDL_Surface* NewSurface8(int nWidth, int nHeight)
{
    SDL_Surface* pSurface = SDL_CreateRGBSurface(SDL_SWSURFACE, nWidth, nHeight, 8, 0, 0, 0, 0);
    if (!pSurface)
        return nullptr;
    SDL_Color Colours[256];
    for (int n = 0; n < 256; ++n)
        Colours[n] = {Korvid.PaletteRed((uint8_t)n), Korvid.PaletteGreen((uint8_t)n), Korvid.PaletteBlue((uint8_t)n), 0};
    SDL_SetColors(pSurface, Colours, 0, 256);
    return pSurface;
}

SDL_Surface* SurfaceFromChunky(uint32_t nChunky)
{
    const ChunkyObject* pChunky = Korvid.ExistingChunky(nChunky);
    if (!pChunky)
        return nullptr;
    const int nBytes = pChunky->nBytesPerPixel;
    SDL_Surface* pSurface =
        nBytes == 1 ? NewSurface8(pChunky->nWidth, pChunky->nHeight) : NewSurface565(pChunky->nWidth, pChunky->nHeight);
    if (!pSurface)
        return nullptr;
    for (int y = 0; y < pChunky->nHeight; ++y)
        memcpy((uint8_t*)pSurface->pixels + y * pSurface->pitch, pChunky->pPixels + (size_t)y * pChunky->nWidth * nBytes,
               (size_t)pChunky->nWidth * nBytes);
    return pSurface;
}

SDL_Surface* AlphaSurfaceFromChunky(uint32_t nChunky)
{
    const ChunkyObject* pChunky = Korvid.ExistingChunky(nChunky);
    if (!pChunky || !pChunky->pAlpha)
        return nullptr;
    SDL_Surface* pSurface = NewSurface8888(pChunky->nWidth, pChunky->nHeight, true);
    if (!pSurface)
        return nullptr;
    for (int y = 0; y < pChunky->nHeight; ++y)
        for (int x = 0; x < pChunky->nWidth; ++x) {
            const size_t n = (size_t)y * pChunky->nWidth + x;
            const KorvidRGB Colour = KorvidConvert::Unpack565(pChunky->Pixels16()[n]);
            ((uint32_t*)((uint8_t*)pSurface->pixels + y * pSurface->pitch))[x] =
                (uint32_t)pChunky->pAlpha[n] << 24 | (uint32_t)Colour.r << 16 | (uint32_t)Colour.g << 8 | Colour.b;
        }
    SDL_SetAlpha(pSurface, SDL_SRCALPHA, 255);
    return pSurface;
}
