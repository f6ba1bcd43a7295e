// Keys, mouse buttons and typed characters as engine events, the mouse position
// in display pixels, and numbered click zones.
#pragma once
#include <cstdint>

constexpr int KOR_NUM_KEYS = 126;
constexpr int KOR_NUM_BUTTONS = 5;
constexpr int KOR_QUEUE_SIZE = 50;

// Event types.
constexpr uint16_t KOR_EVENT_NONE = 0;
constexpr uint16_t KOR_EVENT_PRESS = 1;
constexpr uint16_t KOR_EVENT_RELEASE = 2;
constexpr uint16_t KOR_EVENT_FOCUS_LOST = 4;
constexpr uint16_t KOR_EVENT_FOCUS_GAINED = 8;

struct KorvidEvent {
    uint32_t nCode;       // engine key, engine button or character
    uint32_t nHeldTime;   // ms, on releases
    uint16_t nType;
    uint16_t nModifiers;
    uint16_t nX;
    uint16_t nY;
};

class KorvidInput {
public:
    KorvidInput();

    // Fed by the platform.
    void KeyDown(uint32_t nPlatformKey);
    void KeyUp(uint32_t nPlatformKey);
    void TypedChar(uint32_t nChar);
    void MouseButtonDown(uint32_t nButton);
    void MouseButtonUp(uint32_t nButton);
    void MouseFocus(uint16_t nCode);
    void SetMousePosition(int32_t nX, int32_t nY, bool bRelative, bool bSmooth);

    // Read by the application.
    KorvidEvent GetKeyEvent();
    KorvidEvent PeekKeyEvent() const;
    void FlushKeys();
    KorvidEvent GetMouseEvent();
    KorvidEvent PeekMouseEvent() const;
    void FlushMouse();
    uint32_t GetChar();
    uint32_t PeekChar() const;
    void FlushChars();
    bool IsButtonDown(uint32_t nButton, bool bClear = false);
    bool EditString(char* szText, int32_t nMaxLength);
    uint16_t MouseX() const;
    uint16_t MouseY() const;
    int16_t MouseDX() const;
    int16_t MouseDY() const;
    uint32_t KeyDownTime(int nEngineKey) const;
    int TranslateKey(uint32_t nPlatformKey) const;   // engine key or -1
    const char* ExecutableName() const;

    void SimulateKey(uint32_t nEngineKey);
    void SimulateClick(uint32_t nButton, uint16_t nX, uint16_t nY);

    // Zones.
    void SetMaxZones(int16_t nCount);
    void AddZone(int32_t nZone, int16_t nX, int16_t nY, uint16_t nWidth, uint16_t nHeight);
    void ZoneFree(int32_t nZone);
    void ZoneFreeAll();
    bool ZoneHit(int32_t nZone, int32_t nX, int32_t nY);
    int32_t ZoneFind(int32_t nX, int32_t nY, int nLast = 0);
    int32_t ZoneAtMouse(int nLast = 0);
    bool ZoneValid(int32_t nZone) const;
    bool AllocateZones();   // Init's step; false when the table could not be had
    void FreeZones();
};
