// Starting and stopping graphics: the chunky table and font banks, opening the
// display, the back buffer, display mode changes that keep the picture, and shutdown.
#include "gfx/KorvidGFX.h"

#include <cstring>

#include "gfx/GfxInternal.h"
#include "korvid.h"

using namespace KorvidGfxInternal;

bool KorvidGFX::AllocateChunkyTable()
{
    int32_t nCount = Korvid.m_Config.nMaxChunkies;
    uint32_t nBytes = nCount > 0 ? BufferSize((uint32_t)nCount, 1, sizeof(ChunkyObject)) : 0;
    m_pChunkies = nBytes ? (ChunkyObject*)Korvid.AllocMemory(nBytes, KOR_MEM_CLEAR) : nullptr;
    if (!m_pChunkies)
        return false;
    memset((void*)m_pChunkies, 0, nBytes);
    m_nChunkyTableSize = (uint32_t)nCount;
    m_nUsedChunky = 0;
    m_pUsedChunky = &m_pChunkies[0];
    return true;
}

void KorvidGFX::SetMaxFonts(int32_t nCount)
{
    if (m_pFontBanks) {
        Korvid.DebugLog("ERROR: ** Too Late To SetMaxFonts() - Must be done in KorvidConfig **");
        return;
    }
    Korvid.m_Config.nMaxFonts = nCount;
}

bool KorvidGFX::AllocateFontBanks()
{
    uint32_t nCount = (uint32_t)Korvid.m_Config.nMaxFonts;
    uint32_t nBytes = BufferSize(nCount, 1, sizeof(KorvidFontBank));
    m_pFontBanks = nBytes ? (KorvidFontBank*)Korvid.AllocMemory(nBytes, KOR_MEM_CLEAR) : nullptr;
    if (!m_pFontBanks)
        return false;
    memset((void*)m_pFontBanks, 0, nBytes);
    for (uint32_t nBank = 0; nBank < nCount; ++nBank)
        m_pFontBanks[nBank].nFirstChunky = m_nChunkyTableSize - 256 * (nBank + 1);
    m_nFontBankCount = nCount;
    m_nCurrentFont = 0;
    return true;
}

void KorvidGFX::FreeFontBanks()
{
    Release(m_pFontBanks);
    m_nFontBankCount = 0;
    m_nCurrentFont = 0;
}

int KorvidGFX::GFXInit()
{
    Korvid.DebugLog("KorvidGFX::GFXInit()");
    int32_t nMaxChunkies = Korvid.m_Config.nMaxChunkies;
    Korvid.DebugLog("Allocating %d Chunky Objects", nMaxChunkies);
    if (!AllocateChunkyTable())
        Korvid.DebugLog("ERROR: ** Failed to Allocate Chunky Objects **");

    int32_t& nMaxFonts = Korvid.m_Config.nMaxFonts;
    if (nMaxFonts > 0) {
        // Each bank takes 256 chunky numbers from the top of the table.
        int32_t nAvailable = KorvidMaths::Max(nMaxChunkies, 0) / 256;
        if (nMaxFonts > nAvailable) {
            nMaxFonts = nAvailable;
            Korvid.DebugLog("ERROR: ** Too Many Requested Font Banks for current Chunky Limit - Reduced to %d **",
                            nMaxFonts);
        }
        Korvid.DebugLog("Allocating %d Font Bank(s)", nMaxFonts);
        if (nMaxFonts > 0 && !AllocateFontBanks())
            Korvid.DebugLog("ERROR: ** Failed to Allocate Font Banks **");
    }
    // The SDL platform's graphics start-up: the video subsystem must be running.
    if (!Korvid.SDLInitialised()) {
        Korvid.DebugLog("ERROR: ** System GFXOSInit() FAILED **");
        return 0;
    }
    return InitDisplay();
}

int KorvidGFX::InitDisplay()
{
    if (m_nWindowMode == KOR_WINDOWED)
        Korvid.DebugLog("InitDisplay() - Going into Windowed Mode");
    else
        Korvid.DebugLog("InitDisplay() - Going into Full Screen Mode");
    if (!Korvid.SetVideoMode()) {
        Korvid.DebugLog("ERROR: ** InitDisplay() - FAILED **");
        return 0;
    }
    m_bDisplayInitialised = 1;
    Korvid.DebugLog("Opened Display Buffer %dx%d %dBit (PixelFormat = %d%d%d)", m_nDisplayWidth, m_nDisplayHeight,
                    m_Format.nScreenDepth, m_Format.nRedBits, m_Format.nGreenBits, m_Format.nBlueBits);
    m_bDisplayOpen = 1;
    CreateBackBuffer();
    ShowPalette(1);
    ClearChunky(0, m_nClearColour);
    Korvid.Flip();
    return 1;
}

void KorvidGFX::CreateBackBuffer()
{
    UpdatePaletteTables(nullptr);
    const ChunkyObject* pBackBuffer = ExistingChunky(0);
    bool bKeep = pBackBuffer && pBackBuffer->nWidth == m_nDisplayWidth && pBackBuffer->nHeight == m_nDisplayHeight &&
                 pBackBuffer->nBytesPerPixel * 8 == m_nDepth;
    if (!bKeep) {
        if (pBackBuffer)
            Korvid.DebugLog("WARNING: Chunky[0] has been Reallocated.");
        Korvid.DebugLog("Initialize Korvid Back Buffer %dx%d %dbit", m_nDisplayWidth, m_nDisplayHeight, m_nDepth);
        InitChunky(0, m_nDisplayWidth, m_nDisplayHeight, m_nDepth);
    }
    UseChunky(0);
    RunBandwidthTest();
}

void KorvidGFX::CloseDisplay()
{
    m_bDisplayOpen = 0;
    Korvid.Pause(200);
    Korvid.DebugLog("CloseDisplay()");
}

int KorvidGFX::ChangeDisplayMode(uint16_t nWidth, uint16_t nHeight, uint8_t nDepth, uint8_t nWindowMode)
{
    // Chunkies hold 8-bit indices or 16-bit pixels; wider screens are fed from a 16-bit back buffer.
    if (nDepth != 8 && nDepth != 16) {
        Korvid.DebugLog("WARNING: ** ChangeDisplayMode() - %dbit not supported, using 16bit **", nDepth);
        nDepth = 16;
    }
    uint8_t* pPreserved = nullptr;
    uint32_t nPreservedSize = 0;
    if (m_bDisplayInitialised) {
        if (nWidth == m_nDisplayWidth && nHeight == m_nDisplayHeight && nDepth == m_nDepth &&
            (nWindowMode == 0 || nWindowMode == m_nWindowMode))
            return 1;
        if (const ChunkyObject* pBackBuffer = ExistingChunky(0)) {
            pPreserved = (uint8_t*)Korvid.AllocMemory(pBackBuffer->nSize);
            if (pPreserved) {
                Korvid.DebugLog("Preserve Chunky Zero");
                memcpy(pPreserved, pBackBuffer->pPixels, pBackBuffer->nSize);
                nPreservedSize = pBackBuffer->nSize;
            }
        }
    }
    if (m_bDisplayOpen) {
        Korvid.DebugLog("Changing to New Display Mode %dx%d %dbit", nWidth, nHeight, nDepth);
        CloseDisplay();
    } else {
        Korvid.DebugLog("Setting Display Mode %dx%d %dbit", nWidth, nHeight, nDepth);
    }
    if (nWindowMode == KOR_TOGGLE_WINDOW)
        m_nWindowMode = m_nWindowMode == KOR_FULLSCREEN ? KOR_WINDOWED : KOR_FULLSCREEN;
    else if (nWindowMode != 0)
        m_nWindowMode = nWindowMode;

    m_nDepth = nDepth;
    m_nDisplayWidth = nWidth;
    m_nDisplayHeight = nHeight;
    m_nBytesPerPixel = nDepth / 8;
    m_nViewWidth = nWidth;
    m_nViewHeight = nHeight;
    m_nViewOffsetX = Korvid.HostWidth() > nWidth ? (int16_t)((Korvid.HostWidth() - nWidth) / 2) : 0;
    m_nViewOffsetY = Korvid.HostHeight() > nHeight ? (int16_t)((Korvid.HostHeight() - nHeight) / 2) : 0;
    if (!m_bDisplayInitialised)
        return 1;

    int nResult = InitDisplay();
    const ChunkyObject* pBackBuffer = ExistingChunky(0);
    if (pPreserved && pBackBuffer && pBackBuffer->nSize == nPreservedSize) {
        Korvid.DebugLog("Restore Chunky Zero");
        memcpy(pBackBuffer->pPixels, pPreserved, nPreservedSize);
    }
    Release(pPreserved);
    return nResult;
}

void KorvidGFX::GFXShutDown()
{
    Korvid.DebugLog("GFXShutDown()");
    if (Korvid.ThreadSelfId() != 0)
        Korvid.DebugLog("WARNING: ** GFXShutDown() - Called from non-Korvid Thread **");
    FreeScaleTables();
    CloseDisplay();
    Korvid.DebugLog("ReleaseDisplay()");
    FreeShadowBuffer();
    FreeFontBanks();
    FreeAllChunkies();
    FreePaletteTables();
    m_bDisplayInitialised = 0;
}
