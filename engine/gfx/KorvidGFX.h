// The graphics system: display modes, opening and closing the display.
#pragma once
#include <cstdint>

constexpr uint8_t KOR_WINDOWED = 1;
constexpr uint8_t KOR_FULLSCREEN = 2;
constexpr uint8_t KOR_TOGGLE_WINDOW = 4;
constexpr uint8_t KOR_BACKBUFFER_NOTOGGLE = 0x08;

class KorvidGFX {
public:
    int GFXInit();
    int InitDisplay();
    int ChangeDisplayMode(uint16_t nWidth, uint16_t nHeight, uint8_t nDepth, uint8_t nWindowMode);
    void GFXShutDown();
    void ShowPointer() { m_bShowCursor = 1; }
    void HidePointer() { m_bShowCursor = 0; }
    void SetPixelFormatBits(int nRed, int nGreen, int nBlue, int nBitsPerPixel);

    uint16_t DisplayWidth() const { return m_nDisplayWidth; }
    uint16_t DisplayHeight() const { return m_nDisplayHeight; }
    uint8_t DisplayDepth() const { return m_nDepth; }
    uint8_t WindowMode() const { return m_nWindowMode; }
    bool DisplayOpen() const { return m_bDisplayOpen; }
    uint8_t BackBufferOptions() const { return m_nBackBufferOptions; }
    bool ShowCursor() const { return m_bShowCursor; }
    void SetFullUpdate() { m_bFullUpdate = 1; }
    int ScreenBitsPerPixel() const { return m_nScreenBits; }

private:
    void CloseDisplay();

    uint16_t m_nDisplayWidth = 320;
    uint16_t m_nDisplayHeight = 240;
    uint8_t m_nDepth = 8;
    uint8_t m_nBytesPerPixel = 1;
    uint8_t m_nWindowMode = KOR_WINDOWED;
    uint8_t m_bDisplayInitialised = 0;
    uint8_t m_bDisplayOpen = 0;
    uint16_t m_nViewWidth = 320, m_nViewHeight = 240;
    int16_t m_nViewOffsetX = 0, m_nViewOffsetY = 0;
    uint8_t m_bFullUpdate = 1;
    uint8_t m_bShowCursor = 1;
    uint8_t m_nBackBufferOptions = 0;
    int m_nRedBits = 0, m_nGreenBits = 0, m_nBlueBits = 0, m_nScreenBits = 0;
};
