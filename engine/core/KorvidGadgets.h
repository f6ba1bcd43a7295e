// Gadgets, the engine's simple on-screen controls: push buttons and text fields
// drawn from three tile pictures with a caption, fifty to a list. Once per frame
// UpdateGadgets draws a list, finds the gadget under the mouse, and lets Up,
// Down and Return move a keyboard selection and press the selected gadget.
#pragma once
#include <cstdint>

constexpr int32_t KOR_MAX_GADGETS = 50;
constexpr uint32_t KOR_NO_GADGET = 50;              // the selection when nothing is selected
constexpr int32_t KOR_GADGET_CAPTION_SIZE = 128;    // a caption keeps at most 127 characters
constexpr uint32_t KOR_NO_PICTURE = 0xFFFFFFFF;     // a list's pictures until the program sets them

// Gadget kinds.
constexpr uint8_t KOR_GADGET_BUTTON = 0;
constexpr uint8_t KOR_GADGET_TEXT = 1;

// Gadget mode bits.
constexpr uint8_t KOR_GADGET_PRESSED = 0x02;   // drawn pressed in; never the gadget UpdateGadgets names
constexpr uint8_t KOR_GADGET_HIDDEN = 0x04;    // neither drawn nor named

// List option bits.
constexpr uint8_t KOR_GADGETS_KEYBOARD = 0x02;   // Up, Down and Return move and press the selection

struct KorvidGadget {
    uint8_t bInUse;
    int16_t x;        // centre
    int16_t y;        // top
    int16_t nTiles;   // width in tiles
    uint8_t nKind;
    uint8_t nMode;
    char szCaption[KOR_GADGET_CAPTION_SIZE];
};

// The program sets the options and the pictures: each picture number names the
// first of three consecutive chunkies, the left end, the middle and the right end.
struct KorvidGadgetList {
    KorvidGadget Gadgets[KOR_MAX_GADGETS] = {};
    uint32_t nSelected = KOR_NO_GADGET;
    uint8_t nOptions = 0;
    uint32_t nButtonPicture = KOR_NO_PICTURE;
    uint32_t nTextPicture = KOR_NO_PICTURE;
};

class KorvidGadgets {
public:
    bool AddButtonGadget(KorvidGadgetList& List, int32_t nNumber, int16_t x, int16_t y, int16_t nTiles,
                         const char* szCaption, uint8_t nMode);
    bool AddTextGadget(KorvidGadgetList& List, int32_t nNumber, int16_t x, int16_t y, int16_t nTiles,
                       const char* szCaption, uint8_t nMode);
    void SetGadgetText(KorvidGadgetList& List, int32_t nNumber, const char* szCaption);
    void SetGadgetMode(KorvidGadgetList& List, int32_t nNumber, uint8_t nMode);
    void SelectGadget(KorvidGadgetList& List, int32_t nNumber);
    void RemoveGadget(KorvidGadgetList& List, int32_t nNumber);
    void ClearGadgets(KorvidGadgetList& List);
    // Takes one key event, draws the list and returns the number of the gadget
    // under the mouse or selected (the highest such number), or -1.
    int32_t UpdateGadgets(KorvidGadgetList& List);

private:
    bool AddGadget(const char* szCaller, KorvidGadgetList& List, int32_t nNumber, uint8_t nKind, int16_t x,
                   int16_t y, int16_t nTiles, const char* szCaption, uint8_t nMode);
    void FollowKey(KorvidGadgetList& List, uint32_t nKey);
    // Draws a gadget in use (GadgetDraw.cpp); true when it is hot: selected, or
    // with the mouse strictly inside it.
    bool DrawGadget(const KorvidGadgetList& List, int32_t nNumber);
};
