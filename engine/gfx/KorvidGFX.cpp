#include "gfx/KorvidGFX.h"

#include "korvid.h"

int KorvidGFX::GFXInit()
{
    Korvid.DebugLog("KorvidGFX::GFXInit()");
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
    Korvid.Flip();
    return 1;
}

int KorvidGFX::ChangeDisplayMode(uint16_t nWidth, uint16_t nHeight, uint8_t nDepth, uint8_t nWindowMode)
{
    if (m_bDisplayInitialised && nWidth == m_nDisplayWidth && nHeight == m_nDisplayHeight && nDepth == m_nDepth &&
        (nWindowMode == 0 || nWindowMode == m_nWindowMode))
        return 1;
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
    if (Korvid.HostWidth() > nWidth)
        m_nViewOffsetX = (int16_t)((Korvid.HostWidth() - nWidth) / 2);
    if (Korvid.HostHeight() > nHeight)
        m_nViewOffsetY = (int16_t)((Korvid.HostHeight() - nHeight) / 2);
    if (!m_bDisplayInitialised)
        return 1;
    return InitDisplay();
}

void KorvidGFX::CloseDisplay()
{
    m_bDisplayOpen = 0;
    Korvid.Pause(200);
    Korvid.DebugLog("CloseDisplay()");
}

void KorvidGFX::GFXShutDown()
{
    Korvid.DebugLog("GFXShutDown()");
    if (Korvid.ThreadSelfId() != 0)
        Korvid.DebugLog("WARNING: ** GFXShutDown() - Called from non-Korvid Thread **");
    CloseDisplay();
    Korvid.DebugLog("ReleaseDisplay()");
}

KorvidGFX::KorvidGFX() {}

void KorvidGFX::SetPixelFormatBits(uint16_t nRed, uint16_t nGreen, uint16_t nBlue, uint16_t nBitsPerPixel)
{
    m_Format.nRedBits = (uint8_t)nRed;
    m_Format.nGreenBits = (uint8_t)nGreen;
    m_Format.nBlueBits = (uint8_t)nBlue;
    m_Format.nScreenDepth = (uint8_t)nBitsPerPixel;
}
