// Keys, mouse buttons and typed characters become engine events in three queues
// that the application drains once per frame; the mouse position is kept in
// display pixels whatever the size of the window.
#include "core/KorvidInput.h"


#include "korvid.h"

namespace {

constexpr int KEY_SHIFT = 8;   // the engine keys the modifier bits follow
constexpr int KEY_CTRL = 9;
constexpr uint32_t SIMULATED_HELD_TIME = 1;
constexpr uint32_t CHAR_BACKSPACE = 8;
constexpr uint32_t CHAR_RETURN = 13;
constexpr uint32_t FIRST_PRINTABLE = 32;

// Window coordinate to display coordinate along one axis.
uint16_t ClampToDisplay(int32_t nValue, int32_t nDisplay)
{
    if (nValue >= nDisplay)
        nValue = nDisplay - 1;
    return nValue < 0 ? 0 : (uint16_t)nValue;
}

}  // namespace

bool KorvidEventQueue::Put(const KorvidEvent& Event)
{
    if (m_Records[m_nWrite].nType != KOR_EVENT_NONE)
        return false;
    m_Records[m_nWrite] = Event;
    m_nWrite = (m_nWrite + 1) % KOR_QUEUE_SIZE;
    return true;
}

KorvidEvent KorvidEventQueue::Take()
{
    KorvidEvent Event = m_Records[m_nRead];
    if (Event.nType != KOR_EVENT_NONE) {
        m_Records[m_nRead] = {};
        m_nRead = (m_nRead + 1) % KOR_QUEUE_SIZE;
    }
    return Event;
}

void KorvidEventQueue::Clear()
{
    for (KorvidEvent& Record : m_Records)
        Record = {};
    m_nWrite = m_nRead = 0;
}

KorvidInput::KorvidInput() {}

uint16_t KorvidInput::CurrentModifiers() const
{
    return (m_bKeyDown[KEY_SHIFT] ? KOR_MOD_SHIFT : 0) | (m_bKeyDown[KEY_CTRL] ? KOR_MOD_CTRL : 0);
}

KorvidEvent KorvidInput::MakeEvent(uint32_t nCode, uint16_t nType, uint32_t nHeldTime) const
{
    return {nCode, nHeldTime, nType, CurrentModifiers(), m_nMouseX, m_nMouseY};
}

// A key's down flag is kept apart from its down time because Timer() reads 0
// in the engine's first millisecond, which must not look like "key is up".
void KorvidInput::KeyDown(uint32_t nPlatformKey)
{
    int nKey = EngineKeyFor(nPlatformKey);
    if (nKey < 0)
        return;
    if (!m_bKeyDown[nKey]) {
        m_bKeyDown[nKey] = true;
        m_KeyDownTime[nKey] = Korvid.Timer();
    }
    m_KeyQueue.Put(MakeEvent(nKey, KOR_EVENT_PRESS, 0));
}

void KorvidInput::KeyUp(uint32_t nPlatformKey)
{
    int nKey = EngineKeyFor(nPlatformKey);
    if (nKey < 0 || !m_bKeyDown[nKey])
        return;
    m_KeyQueue.Put(MakeEvent(nKey, KOR_EVENT_RELEASE, Korvid.Timer() - m_KeyDownTime[nKey]));
    m_bKeyDown[nKey] = false;
    m_KeyDownTime[nKey] = 0;
}

// The platform reports character 0 for keys that type nothing (Shift, the
// arrows, every release); queueing those would read as "no character" and
// hide the characters behind them.
void KorvidInput::TypedChar(uint32_t nChar)
{
    if (nChar != 0)
        m_CharQueue.Put(MakeEvent(nChar, KOR_EVENT_PRESS, 0));
}

void KorvidInput::MouseButtonDown(uint32_t nButton)
{
    if (nButton >= KOR_NUM_BUTTONS)
        return;
    if (!m_bButtonDown[nButton]) {
        m_bButtonDown[nButton] = 1;
        m_ButtonDownTime[nButton] = Korvid.Timer();
        if ((int32_t)nButton + 1 > Korvid.m_Config.nMouseButtons) {
            Korvid.m_Config.nMouseButtons = (int16_t)(nButton + 1);
            Korvid.DebugLog("Detected More Mouse Buttons (Presumed %d buttons)", Korvid.m_Config.nMouseButtons);
        }
    }
    m_MouseQueue.Put(MakeEvent(nButton, KOR_EVENT_PRESS, 0));
}

void KorvidInput::MouseButtonUp(uint32_t nButton)
{
    if (nButton >= KOR_NUM_BUTTONS || !m_bButtonDown[nButton])
        return;
    m_bButtonDown[nButton] = 0;
    m_MouseQueue.Put(MakeEvent(nButton, KOR_EVENT_RELEASE, Korvid.Timer() - m_ButtonDownTime[nButton]));
    m_ButtonDownTime[nButton] = 0;
}

void KorvidInput::MouseFocus(uint16_t nCode)
{
    if (nCode == KOR_EVENT_FOCUS_LOST || nCode == KOR_EVENT_FOCUS_GAINED)
        m_MouseQueue.Put(MakeEvent(0, nCode, 0));
}

// Before the display is open there is no surface: the window is then taken to
// be the size of the display, so no scaling happens.
void KorvidInput::SetMousePosition(int32_t nX, int32_t nY, bool bRelative, bool bSmooth)
{
    // Window pixels were mapped to display pixels by the platform (KorvidSurfaceToDisplay).
    int32_t nDisplayWidth = Korvid.DisplayWidth(), nDisplayHeight = Korvid.DisplayHeight();
    int32_t nNewX, nNewY;
    if (bRelative) {
        nNewX = m_nMouseX + nX;
        nNewY = m_nMouseY + nY;
        m_nMouseDX = (int16_t)nX;
        m_nMouseDY = (int16_t)nY;
    } else {
        nNewX = bSmooth ? (m_nMouseX + nX) / 2 : nX;
        nNewY = bSmooth ? (m_nMouseY + nY) / 2 : nY;
        m_nMouseDX = (int16_t)(nNewX - m_nMouseX);
        m_nMouseDY = (int16_t)(nNewY - m_nMouseY);
    }
    m_nMouseX = ClampToDisplay(nNewX, nDisplayWidth);
    m_nMouseY = ClampToDisplay(nNewY, nDisplayHeight);
}

void KorvidInput::PlaceMouse(uint16_t nX, uint16_t nY)
{
    m_nMouseDX = (int16_t)(nX - m_nMouseX);
    m_nMouseDY = (int16_t)(nY - m_nMouseY);
    m_nMouseX = nX;
    m_nMouseY = nY;
}

KorvidEvent KorvidInput::GetKeyEvent() { return m_KeyQueue.Take(); }
KorvidEvent KorvidInput::PeekKeyEvent() const { return m_KeyQueue.Look(); }
void KorvidInput::FlushKeys() { m_KeyQueue.Clear(); }
KorvidEvent KorvidInput::GetMouseEvent() { return m_MouseQueue.Take(); }
KorvidEvent KorvidInput::PeekMouseEvent() const { return m_MouseQueue.Look(); }
void KorvidInput::FlushMouse() { m_MouseQueue.Clear(); }
uint32_t KorvidInput::GetChar() { return m_CharQueue.Take().nCode; }
uint32_t KorvidInput::PeekChar() const { return m_CharQueue.Look().nCode; }
void KorvidInput::FlushChars() { m_CharQueue.Clear(); }

bool KorvidInput::IsButtonDown(uint32_t nButton, bool bClear)
{
    if (nButton >= KOR_NUM_BUTTONS)
        return false;
    bool bDown = m_bButtonDown[nButton] != 0;
    if (bDown && bClear) {
        m_bButtonDown[nButton] = 0;
        m_ButtonDownTime[nButton] = 0;
    }
    return bDown;
}

bool KorvidInput::EditString(char* szText, int32_t nMaxLength)
{
    if (!szText)
        return false;
    int32_t nLength = KorvidString::StringLength(szText);
    for (uint32_t nChar = GetChar(); nChar != 0; nChar = GetChar()) {
        if (nChar == CHAR_RETURN)
            return false;
        if (nChar == CHAR_BACKSPACE && nLength > 0) {
            szText[--nLength] = 0;
        } else if (nChar >= FIRST_PRINTABLE && nLength < nMaxLength) {
            szText[nLength++] = (char)nChar;
            szText[nLength] = 0;
        }
    }
    return true;
}

uint16_t KorvidInput::MouseX() const { return m_nMouseX; }
uint16_t KorvidInput::MouseY() const { return m_nMouseY; }
int16_t KorvidInput::MouseDX() const { return m_nMouseDX; }
int16_t KorvidInput::MouseDY() const { return m_nMouseDY; }

uint32_t KorvidInput::KeyDownTime(int nEngineKey) const
{
    return nEngineKey >= 0 && nEngineKey < KOR_NUM_KEYS ? m_KeyDownTime[nEngineKey] : 0;
}

bool KorvidInput::KeyHeld(int nEngineKey) const
{
    return nEngineKey >= 0 && nEngineKey < KOR_NUM_KEYS && m_bKeyDown[nEngineKey];
}

const char* KorvidInput::ExecutableName() const { return "N/A"; }

void KorvidInput::SimulateKey(uint32_t nEngineKey)
{
    m_KeyQueue.Put(MakeEvent(nEngineKey, KOR_EVENT_PRESS, 0));
    m_KeyQueue.Put(MakeEvent(nEngineKey, KOR_EVENT_RELEASE, SIMULATED_HELD_TIME));
}

void KorvidInput::SimulateClick(uint32_t nButton, uint16_t nX, uint16_t nY)
{
    KorvidEvent Event = MakeEvent(nButton, KOR_EVENT_PRESS, 0);
    Event.nX = nX;
    Event.nY = nY;
    m_MouseQueue.Put(Event);
    Event.nType = KOR_EVENT_RELEASE;
    Event.nHeldTime = SIMULATED_HELD_TIME;
    m_MouseQueue.Put(Event);
}
