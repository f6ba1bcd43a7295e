// PLACEHOLDER: replaced by the input module.
#include "korvid.h"
KorvidInput::KorvidInput() {}
void KorvidInput::KeyDown(uint32_t) {}
void KorvidInput::KeyUp(uint32_t) {}
void KorvidInput::TypedChar(uint32_t) {}
void KorvidInput::MouseButtonDown(uint32_t) {}
void KorvidInput::MouseButtonUp(uint32_t) {}
void KorvidInput::MouseFocus(uint16_t) {}
void KorvidInput::SetMousePosition(int32_t, int32_t, bool, bool) {}
KorvidEvent KorvidInput::GetKeyEvent() { return {}; }
KorvidEvent KorvidInput::PeekKeyEvent() const { return {}; }
void KorvidInput::FlushKeys() {}
KorvidEvent KorvidInput::GetMouseEvent() { return {}; }
KorvidEvent KorvidInput::PeekMouseEvent() const { return {}; }
void KorvidInput::FlushMouse() {}
uint32_t KorvidInput::GetChar() { return 0; }
uint32_t KorvidInput::PeekChar() const { return 0; }
void KorvidInput::FlushChars() {}
bool KorvidInput::IsButtonDown(uint32_t, bool) { return false; }
bool KorvidInput::EditString(char*, int32_t) { return false; }
uint16_t KorvidInput::MouseX() const { return 0; }
uint16_t KorvidInput::MouseY() const { return 0; }
int16_t KorvidInput::MouseDX() const { return 0; }
int16_t KorvidInput::MouseDY() const { return 0; }
uint32_t KorvidInput::KeyDownTime(int) const { return 0; }
int KorvidInput::TranslateKey(uint32_t) const { return -1; }
const char* KorvidInput::ExecutableName() const { return "N/A"; }
void KorvidInput::SimulateKey(uint32_t) {}
void KorvidInput::SimulateClick(uint32_t, uint16_t, uint16_t) {}
void KorvidInput::SetMaxZones(int16_t) {}
void KorvidInput::AddZone(int32_t, int16_t, int16_t, uint16_t, uint16_t) {}
void KorvidInput::ZoneFree(int32_t) {}
void KorvidInput::ZoneFreeAll() {}
bool KorvidInput::ZoneHit(int32_t, int32_t, int32_t) { return false; }
int32_t KorvidInput::ZoneFind(int32_t, int32_t, int) { return -1; }
int32_t KorvidInput::ZoneAtMouse(int) { return -1; }
bool KorvidInput::ZoneValid(int32_t) const { return false; }
bool KorvidInput::AllocateZones() { return true; }
void KorvidInput::FreeZones() {}
