// The chunky table: creating, releasing and clearing chunkies, the used chunky,
// the cookie scan, alpha masks, and the queries on a chunky number.
#include "gfx/KorvidGFX.h"

#include <cstring>

#include "gfx/GfxInternal.h"
#include "korvid.h"

using KorvidGfxInternal::BufferSize;
using KorvidGfxInternal::Release;

void KorvidGFX::SetMaxChunkies(int32_t nCount)
{
    if (m_pChunkies) {
        Korvid.DebugLog("ERROR: ** Too Late To SetMaxChunkies() - Must be done in KorvidConfig **");
        return;
    }
    Korvid.m_Config.nMaxChunkies = nCount;
}

ChunkyObject* KorvidGFX::ChunkyRecord(uint32_t nChunky) const
{
    return nChunky < m_nChunkyTableSize ? &m_pChunkies[nChunky] : nullptr;
}

ChunkyObject* KorvidGFX::ExistingChunky(uint32_t nChunky) const
{
    ChunkyObject* pChunky = ChunkyRecord(nChunky);
    return pChunky && pChunky->pPixels ? pChunky : nullptr;
}

void KorvidGFX::ReleasePixels(ChunkyObject& Chunky)
{
    if (!Chunky.pPixels)
        return;
    if ((uint64_t)Chunky.nWidth * Chunky.nHeight * Chunky.nBytesPerPixel != Chunky.nSize) {
        Korvid.DebugLog("DodgyChunky!! (0x%lx) Shape %dx%d Size %d", (unsigned long)(uintptr_t)&Chunky, Chunky.nWidth,
                        Chunky.nHeight, (int)Chunky.nSize);
        return;
    }
    Release(Chunky.pPixels);
    Chunky.nSize = 0;
    Chunky.nWidth = Chunky.nHeight = 0;
    Chunky.nBytesPerPixel = 0;
}

void KorvidGFX::ReleaseAlpha(ChunkyObject& Chunky)
{
    Release(Chunky.pAlpha);
    Chunky.nAlphaSize = 0;
}

int KorvidGFX::InitChunkyRecord(ChunkyObject& Chunky, uint16_t nWidth, uint16_t nHeight, uint8_t nDepth)
{
    ReleasePixels(Chunky);
    ReleaseAlpha(Chunky);
    uint8_t nBytesPerPixel = (uint8_t)((nDepth + 1) / 8);
    // A chunky holds at least one pixel of one to four bytes.
    uint32_t nSize = nBytesPerPixel >= 1 && nBytesPerPixel <= 4 ? BufferSize(nWidth, nHeight, nBytesPerPixel) : 0;
    if (nSize == 0)
        return 0;
    uint8_t* pPixels = (uint8_t*)Korvid.AllocMemory(nSize, KOR_MEM_CLEAR);
    if (!pPixels)
        return 0;
    memset(pPixels, 0, nSize);
    Chunky.pPixels = pPixels;
    Chunky.nSize = nSize;
    Chunky.nWidth = nWidth;
    Chunky.nHeight = nHeight;
    Chunky.nBytesPerPixel = nBytesPerPixel;
    Chunky.nHotX = Chunky.nHotY = 0;
    Chunky.bHasCookie = 1;
    return 1;
}

int KorvidGFX::InitChunky(uint32_t nChunky, uint16_t nWidth, uint16_t nHeight, uint8_t nDepth)
{
    KorvidProfileScope Section("KorvidGFX::InitChunky()");
    ChunkyObject* pChunky = ChunkyRecord(nChunky);
    if (!pChunky) {
        Korvid.DebugLog("ERROR: ** InitChunky(%d, %d, %d, %d) - Chunky id out of Range **", (int)nChunky, nWidth,
                        nHeight, nDepth);
        return 0;
    }
    if (!InitChunkyRecord(*pChunky, nWidth, nHeight, nDepth)) {
        Korvid.DebugLog("ERROR: ** InitChunky(%d, %d, %d, %d) - Failed to Initialize Chunky **", (int)nChunky, nWidth,
                        nHeight, nDepth);
        return 0;
    }
    return 1;
}

void KorvidGFX::FreeChunky(uint32_t nChunky)
{
    if (nChunky == 0) {
        Korvid.DebugLog("WARNING: ** Attempted to Free Chunky 0 **");
        return;
    }
    if (ChunkyObject* pChunky = ExistingChunky(nChunky))
        ReleasePixels(*pChunky);
}

void KorvidGFX::FreeAllChunkies()
{
    if (!m_pChunkies)
        return;
    for (uint32_t n = 0; n < m_nChunkyTableSize; ++n)
        ReleasePixels(m_pChunkies[n]);
    // What the consistency check refused above still goes with the table.
    for (uint32_t n = 0; n < m_nChunkyTableSize; ++n) {
        Release(m_pChunkies[n].pPixels);
        ReleaseAlpha(m_pChunkies[n]);
    }
    Release(m_pChunkies);
    m_nChunkyTableSize = 0;
    m_pUsedChunky = nullptr;
}

void KorvidGFX::ClearChunky(uint32_t nChunky, uint16_t nColour, uint16_t nRows)
{
    ChunkyObject* pChunky = ExistingChunky(nChunky);
    if (!pChunky)
        return;
    if (nRows == 0 || nRows > pChunky->nHeight)
        nRows = pChunky->nHeight;
    if (pChunky->nBytesPerPixel == 1) {
        memset(pChunky->pPixels, nColour & 0xFF, (size_t)nRows * pChunky->nWidth);
        return;
    }
    uint16_t* pFirstRow = pChunky->Pixels16();
    for (uint16_t x = 0; x < pChunky->nWidth; ++x)
        pFirstRow[x] = nColour;
    size_t nRowBytes = (size_t)pChunky->nWidth * pChunky->nBytesPerPixel;
    for (uint16_t y = 1; y < nRows; ++y)
        memcpy(pChunky->pPixels + y * nRowBytes, pChunky->pPixels, nRowBytes);
}

void KorvidGFX::ScanCookie(ChunkyObject& Chunky)
{
    Chunky.bHasCookie = 0;
    if (!Chunky.pPixels)
        return;
    if (Chunky.nBytesPerPixel == 1) {
        Chunky.bHasCookie = memchr(Chunky.pPixels, m_nCookie & 0xFF, Chunky.nSize) ? 1 : 0;
        return;
    }
    const uint16_t* pPixels = Chunky.Pixels16();
    for (uint32_t n = 0; n < Chunky.nSize / 2; ++n) {
        if (pPixels[n] == m_nCookie) {
            Chunky.bHasCookie = 1;
            return;
        }
    }
}

int KorvidGFX::CreateAlphaMask(ChunkyObject& Chunky)
{
    ReleaseAlpha(Chunky);
    if (!Chunky.pPixels && !InitChunkyRecord(Chunky, Chunky.nWidth, Chunky.nHeight, 8))
        return 0;
    uint32_t nSize = BufferSize(Chunky.nWidth, Chunky.nHeight, 1);
    Chunky.pAlpha = (uint8_t*)Korvid.AllocMemory(nSize, KOR_MEM_CLEAR);
    if (!Chunky.pAlpha)
        return 0;
    memset(Chunky.pAlpha, 0, nSize);
    Chunky.nAlphaSize = nSize;
    return 1;
}

void KorvidGFX::UseChunky(uint32_t nChunky)
{
    if (ChunkyObject* pChunky = ExistingChunky(nChunky)) {
        m_nUsedChunky = nChunky;
        m_pUsedChunky = pChunky;
    }
}

uint32_t KorvidGFX::GetUsedChunky()
{
    if (m_nUsedChunky < m_nChunkyTableSize)
        return m_nUsedChunky;
    Korvid.DebugLog("WARNING: ** There was no Used Chunky! Assigning Chunky 0 **");
    m_nUsedChunky = 0;
    m_pUsedChunky = ChunkyRecord(0);
    return m_nUsedChunky;
}

bool KorvidGFX::ChunkyHasAlpha(uint32_t nChunky) const
{
    const ChunkyObject* pChunky = ExistingChunky(nChunky);
    return pChunky && pChunky->pAlpha;
}

uint16_t KorvidGFX::ChunkyWidth(uint32_t nChunky) const
{
    const ChunkyObject* pChunky = ExistingChunky(nChunky);
    return pChunky ? pChunky->nWidth : 0;
}

uint16_t KorvidGFX::ChunkyHeight(uint32_t nChunky) const
{
    const ChunkyObject* pChunky = ExistingChunky(nChunky);
    return pChunky ? pChunky->nHeight : 0;
}

uint8_t KorvidGFX::ChunkyDepth(uint32_t nChunky) const
{
    const ChunkyObject* pChunky = ExistingChunky(nChunky);
    return pChunky ? (uint8_t)(pChunky->nBytesPerPixel * 8) : 0;
}

uint8_t* KorvidGFX::ChunkyBuffer(uint32_t nChunky) const
{
    const ChunkyObject* pChunky = ExistingChunky(nChunky);
    return pChunky ? pChunky->pPixels : nullptr;
}
