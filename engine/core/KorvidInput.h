// Keys, mouse buttons and typed characters as engine events, the mouse position
// in display pixels, and numbered click zones.
#pragma once
#include <cstdint>

constexpr int KOR_NUM_KEYS = 126;
constexpr int KOR_NUM_BUTTONS = 5;
constexpr int KOR_QUEUE_SIZE = 50;

// Engine mouse-button numbers (SDL numbers left 1, middle 2, right 3).
constexpr uint32_t KOR_BUTTON_LEFT = 0;
constexpr uint32_t KOR_BUTTON_RIGHT = 1;
constexpr uint32_t KOR_BUTTON_MIDDLE = 2;

// Event types.
constexpr uint16_t KOR_EVENT_NONE = 0;
constexpr uint16_t KOR_EVENT_PRESS = 1;
constexpr uint16_t KOR_EVENT_RELEASE = 2;
constexpr uint16_t KOR_EVENT_FOCUS_LOST = 4;
constexpr uint16_t KOR_EVENT_FOCUS_GAINED = 8;

// Modifier bits of an event.
constexpr uint16_t KOR_MOD_SHIFT = 1;
constexpr uint16_t KOR_MOD_CTRL = 4;

struct KorvidEvent {
    uint32_t nCode;       // engine key, engine button or character
    uint32_t nHeldTime;   // ms, on releases
    uint16_t nType;
    uint16_t nModifiers;
    uint16_t nX;
    uint16_t nY;
};

// A ring of event records. Writing needs the slot at the write position to be
// empty, so a full ring drops new events instead of overwriting unread ones.
class KorvidEventQueue {
public:
    bool Put(const KorvidEvent& Event);
    KorvidEvent Take();
    KorvidEvent Look() const { return m_Records[m_nRead]; }
    void Clear();

private:
    uint32_t m_nWrite = 0;
    uint32_t m_nRead = 0;
    KorvidEvent m_Records[KOR_QUEUE_SIZE] = {};
};

// One click zone; right and bottom are inclusive.
struct KorvidZone {
    int32_t left, top, right, bottom;
    uint8_t bInUse;
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
    bool KeyHeld(int nEngineKey) const;
    int TranslateKey(uint32_t nPlatformKey) const;   // engine key or -1
    const char* ExecutableName() const;

    void SimulateKey(uint32_t nEngineKey);
    void SimulateClick(uint32_t nButton, uint16_t nX, uint16_t nY);
    // A recorded frame's input, put back as it was: the pointer in display
    // pixels (no window scaling) and events whole. False when the queue is full.
    void PlaceMouse(uint16_t nX, uint16_t nY);
    bool PutMouseEvent(const KorvidEvent& Event) { return m_MouseQueue.Put(Event); }
    bool PutKeyEvent(const KorvidEvent& Event) { return m_KeyQueue.Put(Event); }

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

private:
    int EngineKeyFor(uint32_t nPlatformKey);   // TranslateKey that logs a miss
    uint16_t CurrentModifiers() const;
    KorvidEvent MakeEvent(uint32_t nCode, uint16_t nType, uint32_t nHeldTime) const;

    KorvidEventQueue m_KeyQueue, m_MouseQueue, m_CharQueue;
    bool m_bKeyDown[KOR_NUM_KEYS] = {};
    uint32_t m_KeyDownTime[KOR_NUM_KEYS] = {};
    uint16_t m_nMouseX = 0, m_nMouseY = 0;
    int16_t m_nMouseDX = 0, m_nMouseDY = 0;
    uint8_t m_bButtonDown[KOR_NUM_BUTTONS] = {};
    uint32_t m_ButtonDownTime[KOR_NUM_BUTTONS] = {};
    KorvidZone* m_pZones = nullptr;
    int32_t m_nZoneCount = 0;   // records in m_pZones
};
