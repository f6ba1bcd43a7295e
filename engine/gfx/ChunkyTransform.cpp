// Copying and mirroring chunkies, and the sizes a chunky scales to.
#include "gfx/KorvidGFX.h"

#include <cstring>
#include <utility>

#include "gfx/GfxInternal.h"
#include "korvid.h"

using namespace KorvidGfxInternal;

namespace {

void SwapPixels(uint8_t* pA, uint8_t* pB, size_t nBytes)
{
    uint8_t Swap[4];
    memcpy(Swap, pA, nBytes);
    memcpy(pA, pB, nBytes);
    memcpy(pB, Swap, nBytes);
}

void MirrorTopBottom(ChunkyObject& Chunky)
{
    size_t nRowBytes = (size_t)Chunky.nWidth * Chunky.nBytesPerPixel;
    for (uint32_t j = 0; j < Chunky.nHeight / 2u; ++j) {
        uint8_t* pTop = Chunky.pPixels + j * nRowBytes;
        uint8_t* pBottom = Chunky.pPixels + (Chunky.nHeight - 1 - j) * nRowBytes;
        for (size_t n = 0; n < nRowBytes; ++n)
            std::swap(pTop[n], pBottom[n]);
    }
}

// Pixels are exchanged whole, whatever their width, so a row stays a row of pixels.
void MirrorLeftRight(ChunkyObject& Chunky)
{
    size_t nPixelBytes = Chunky.nBytesPerPixel;
    size_t nRowBytes = Chunky.nWidth * nPixelBytes;
    for (uint32_t y = 0; y < Chunky.nHeight; ++y) {
        uint8_t* pRow = Chunky.pPixels + y * nRowBytes;
        for (uint32_t i = 0; i < Chunky.nWidth / 2u; ++i)
            SwapPixels(pRow + i * nPixelBytes, pRow + (Chunky.nWidth - 1 - i) * nPixelBytes, nPixelBytes);
    }
}

// One side of a chunky scaled so that the other side fits nMaximum, keeping the aspect ratio.
uint16_t ScaledSide(uint16_t nSide, uint16_t nOtherSide, int16_t nMaximum)
{
    if (nMaximum >= nOtherSide)
        return nSide;
    if (nMaximum <= 0)
        return 0;
    return (uint16_t)(nSide / ((float)nOtherSide / nMaximum));
}

}  // namespace

void KorvidGFX::ChunkyCopy(uint32_t nSource, uint32_t nDest, uint16_t nRows)
{
    KorvidProfileScope Section("KorvidGFX::ChunkyCopy()");
    if (nSource == nDest) {
        Korvid.DebugLog("WARNING: ChunkyCopy(%d,%d) - Source and Destination the same!", (int)nSource, (int)nDest);
        return;
    }
    const ChunkyObject* pSource = ExistingChunky(nSource);
    if (!pSource) {
        Korvid.DebugLog("ERROR: ChunkyCopy(%d,%d) - Source Doesn't Exist", (int)nSource, (int)nDest);
        return;
    }
    if (nRows == 0 || nRows > pSource->nHeight)
        nRows = pSource->nHeight;
    ChunkyObject* pDest = ExistingChunky(nDest);
    if (pDest && pDest->nWidth == pSource->nWidth && pDest->nHeight >= nRows &&
        pDest->nBytesPerPixel == pSource->nBytesPerPixel) {
        memcpy(pDest->pPixels, pSource->pPixels, (size_t)nRows * pSource->nWidth * pSource->nBytesPerPixel);
        pDest->nHotX = pSource->nHotX;
        pDest->nHotY = pSource->nHotY;
        ScanCookie(*pDest);
        return;
    }
    if (!GrabChunky(nDest, nSource, 0, 0, pSource->nWidth, nRows, 0, 10, m_nBlack))
        return;
    // The grab trimmed the copy and set its hot spot to the trim offset; adding the
    // source's hot spot keeps the copy blitting exactly where the source does.
    pDest = ExistingChunky(nDest);
    pDest->nHotX = (int16_t)(pDest->nHotX + pSource->nHotX);
    pDest->nHotY = (int16_t)(pDest->nHotY + pSource->nHotY);
}

void KorvidGFX::ChunkyFlip(uint32_t nChunky, uint8_t nFlags)
{
    ChunkyObject* pChunky = ExistingChunky(nChunky);
    if (!pChunky)
        return;
    KorvidProfileScope Section("KorvidGFX::ChunkyFlip()");
    if (nFlags & KOR_FLIP_TOPBOTTOM)
        MirrorTopBottom(*pChunky);
    if (nFlags & KOR_FLIP_LEFTRIGHT)
        MirrorLeftRight(*pChunky);
    if (nFlags & KOR_FLIP_LEFTRIGHT)
        pChunky->nHotX = (int16_t)(pChunky->nWidth - pChunky->nHotX);
    if (nFlags & KOR_FLIP_TOPBOTTOM)
        pChunky->nHotY = (int16_t)(pChunky->nHeight - pChunky->nHotY);
}

uint16_t KorvidGFX::ChunkyScaledWidth(uint32_t nChunky, int16_t nMaxHeight) const
{
    const ChunkyObject* pChunky = ExistingChunky(nChunky);
    return pChunky ? ScaledSide(pChunky->nWidth, pChunky->nHeight, nMaxHeight) : 0;
}

uint16_t KorvidGFX::ChunkyScaledHeight(uint32_t nChunky, int16_t nMaxWidth) const
{
    const ChunkyObject* pChunky = ExistingChunky(nChunky);
    return pChunky ? ScaledSide(pChunky->nHeight, pChunky->nWidth, nMaxWidth) : 0;
}
