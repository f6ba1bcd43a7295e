// The gadget list: adding, changing and removing gadgets, the keyboard
// selection, and the frame's update that draws the list and names the gadget
// the player points at.
#include "core/KorvidGadgets.h"

#include <cstring>

#include "korvid.h"

namespace {

constexpr uint32_t KEY_RETURN = 7;
constexpr uint32_t KEY_UP = 20;
constexpr uint32_t KEY_DOWN = 22;
constexpr uint32_t KEY_KEYPAD_ENTER = 78;
constexpr uint8_t UNUSABLE = KOR_GADGET_HIDDEN | KOR_GADGET_PRESSED;

bool InRange(int32_t nNumber) { return nNumber >= 0 && nNumber < KOR_MAX_GADGETS; }

// False (and the caller's range error logged) for a number outside the list.
bool CheckRange(const char* szCaller, int32_t nNumber)
{
    if (InRange(nNumber))
        return true;
    Korvid.DebugLog("ERROR: ** %s() - ID out of range %d (max = %d) **", szCaller, nNumber, KOR_MAX_GADGETS - 1);
    return false;
}

void SetCaption(KorvidGadget& Gadget, const char* szCaption)
{
    if (!szCaption)
        szCaption = "";
    size_t nLength = strlen(szCaption);
    if (nLength >= (size_t)KOR_GADGET_CAPTION_SIZE) {
        Korvid.DebugLog("WARNING: GadgetText - String Too Long !");
        nLength = KOR_GADGET_CAPTION_SIZE - 1;
    }
    memcpy(Gadget.szCaption, szCaption, nLength);
    Gadget.szCaption[nLength] = 0;
}

bool Usable(const KorvidGadget& Gadget) { return Gadget.bInUse && !(Gadget.nMode & UNUSABLE); }

// Up (nStep -1) or Down (+1) to the next usable gadget, round the list. Without
// a selection the search starts at the end the step leaves, so Down finds the
// lowest usable gadget and Up the highest. No usable gadget: nothing changes.
void MoveSelection(KorvidGadgetList& List, int32_t nStep)
{
    int32_t nStart = (int32_t)List.nSelected;
    if (!InRange(nStart))
        nStart = nStep > 0 ? KOR_MAX_GADGETS - 1 : 0;
    for (int32_t nTried = 1; nTried <= KOR_MAX_GADGETS; ++nTried) {
        const int32_t nNumber = (nStart + nTried * nStep + KOR_MAX_GADGETS) % KOR_MAX_GADGETS;
        if (Usable(List.Gadgets[nNumber])) {
            List.nSelected = (uint32_t)nNumber;
            return;
        }
    }
}

}  // namespace

bool KorvidGadgets::AddGadget(const char* szCaller, KorvidGadgetList& List, int32_t nNumber, uint8_t nKind, int16_t x,
                              int16_t y, int16_t nTiles, const char* szCaption, uint8_t nMode)
{
    if (!CheckRange(szCaller, nNumber))
        return false;
    KorvidGadget& Gadget = List.Gadgets[nNumber];
    Gadget.bInUse = 1;
    Gadget.x = x;
    Gadget.y = y;
    Gadget.nTiles = nTiles;
    Gadget.nKind = nKind;
    Gadget.nMode = nMode;
    SetCaption(Gadget, szCaption);
    return true;
}

bool KorvidGadgets::AddButtonGadget(KorvidGadgetList& List, int32_t nNumber, int16_t x, int16_t y, int16_t nTiles,
                                    const char* szCaption, uint8_t nMode)
{
    return AddGadget("AddButtonGadget", List, nNumber, KOR_GADGET_BUTTON, x, y, nTiles, szCaption, nMode);
}

bool KorvidGadgets::AddTextGadget(KorvidGadgetList& List, int32_t nNumber, int16_t x, int16_t y, int16_t nTiles,
                                  const char* szCaption, uint8_t nMode)
{
    return AddGadget("AddTextGadget", List, nNumber, KOR_GADGET_TEXT, x, y, nTiles, szCaption, nMode);
}

void KorvidGadgets::SetGadgetText(KorvidGadgetList& List, int32_t nNumber, const char* szCaption)
{
    if (CheckRange("SetGadgetText", nNumber))
        SetCaption(List.Gadgets[nNumber], szCaption);
}

void KorvidGadgets::SetGadgetMode(KorvidGadgetList& List, int32_t nNumber, uint8_t nMode)
{
    if (CheckRange("SetGadgetMode", nNumber))
        List.Gadgets[nNumber].nMode = nMode;
}

void KorvidGadgets::SelectGadget(KorvidGadgetList& List, int32_t nNumber)
{
    const bool bKeyboard = List.nOptions & KOR_GADGETS_KEYBOARD;
    List.nSelected = bKeyboard && InRange(nNumber) ? (uint32_t)nNumber : KOR_NO_GADGET;
}

void KorvidGadgets::RemoveGadget(KorvidGadgetList& List, int32_t nNumber)
{
    if (InRange(nNumber))
        List.Gadgets[nNumber].bInUse = 0;
}

void KorvidGadgets::ClearGadgets(KorvidGadgetList& List)
{
    for (KorvidGadget& Gadget : List.Gadgets)
        Gadget.bInUse = 0;
    List.nSelected = KOR_NO_GADGET;
}

// Return presses the selected gadget by a click anywhere: the selection is hot
// wherever the mouse is, so the program reads it as a click on that gadget.
void KorvidGadgets::FollowKey(KorvidGadgetList& List, uint32_t nKey)
{
    if (nKey == KEY_UP)
        MoveSelection(List, -1);
    else if (nKey == KEY_DOWN)
        MoveSelection(List, 1);
    else if ((nKey == KEY_RETURN || nKey == KEY_KEYPAD_ENTER) && List.nSelected < KOR_NO_GADGET)
        Korvid.SimulateClick(KOR_BUTTON_LEFT, 0, 0);
}

int32_t KorvidGadgets::UpdateGadgets(KorvidGadgetList& List)
{
    const KorvidEvent Key = Korvid.GetKeyEvent();
    if ((List.nOptions & KOR_GADGETS_KEYBOARD) && Key.nType == KOR_EVENT_PRESS)
        FollowKey(List, Key.nCode);
    int32_t nFound = -1;
    for (int32_t nNumber = 0; nNumber < KOR_MAX_GADGETS; ++nNumber) {
        const KorvidGadget& Gadget = List.Gadgets[nNumber];
        if (Gadget.bInUse && DrawGadget(List, nNumber) && !(Gadget.nMode & UNUSABLE))
            nFound = nNumber;
    }
    return nFound;
}
