// Drawing one gadget: a row of tiles (left end, middle pictures, right end) with
// a soft shadow under their alpha masks, a glow over the keyboard selection or
// the faded look of a pressed button, and the caption centred on top.
#include "core/KorvidGadgets.h"

#include "korvid.h"

namespace {

constexpr uint16_t MASK_IN_COLOUR = KOR_BLIT_ALPHA | KOR_BLIT_SOLIDCOLOUR;
constexpr int16_t SHADOW_OPACITY = 50;
constexpr int16_t GLOW_OPACITY = 30;
constexpr int16_t DEFAULT_PARAM = -1;
constexpr uint8_t PRINT_RAISED = KOR_PRINT_CENTRE | KOR_PRINT_SHADOW;
constexpr uint8_t PRINT_PRESSED = KOR_PRINT_CENTRE | KOR_PRINT_TRANS;

// The picture of tile nTile of nTiles: the left end first, the right end last.
uint32_t TilePicture(uint32_t nFirst, int32_t nTile, int32_t nTiles)
{
    if (nTile == 0)
        return nFirst;
    return nTile == nTiles - 1 ? nFirst + 2 : nFirst + 1;
}

}  // namespace

bool KorvidGadgets::DrawGadget(const KorvidGadgetList& List, int32_t nNumber)
{
    const KorvidGadget& Gadget = List.Gadgets[nNumber];
    if (Gadget.nMode & KOR_GADGET_HIDDEN)
        return false;
    const bool bButton = Gadget.nKind == KOR_GADGET_BUTTON;
    const uint32_t nFirst = bButton ? List.nButtonPicture : List.nTextPicture;
    if (!Korvid.ChunkyExists(nFirst)) {
        Korvid.DebugLog(bButton ? "ERROR: ** Button Chunky %d Invalid! **" : "ERROR: ** TextGad Chunky %d Invalid! **",
                        (int)nFirst);
        return false;
    }
    // Only buttons show the pressed look and the selection; a text field is always raised.
    const bool bPressed = bButton && (Gadget.nMode & KOR_GADGET_PRESSED);
    const bool bSelected = bButton && List.nSelected == (uint32_t)nNumber;
    const int32_t nTileWidth = Korvid.ChunkyWidth(nFirst), nHeight = Korvid.ChunkyHeight(nFirst);
    const int32_t nLeft = Gadget.x - Gadget.nTiles * nTileWidth / 2;
    const uint16_t nWhite = Korvid.ColourWhite();
    for (int32_t nTile = 0; nTile < Gadget.nTiles; ++nTile) {
        const uint32_t nPicture = TilePicture(nFirst, nTile, Gadget.nTiles);
        const int32_t x = nLeft + nTile * nTileWidth;
        if (bPressed) {
            Korvid.Blit(nPicture, x, Gadget.y, KOR_BLIT_TRANS, nWhite, DEFAULT_PARAM);
            continue;
        }
        Korvid.Blit(nPicture, x, Gadget.y, MASK_IN_COLOUR, Korvid.ColourBlack(), SHADOW_OPACITY);
        Korvid.Blit(nPicture, x, Gadget.y, KOR_BLIT_ALPHA, nWhite, DEFAULT_PARAM);
        if (bSelected)
            Korvid.Blit(nPicture, x, Gadget.y, MASK_IN_COLOUR, nWhite, GLOW_OPACITY);
    }
    const int32_t nCaptionY = Gadget.y + (nHeight - Korvid.FontHeight()) / 2;
    Korvid.FontPrint(Gadget.x, (int16_t)nCaptionY, Gadget.szCaption, bPressed ? PRINT_PRESSED : PRINT_RAISED, nWhite,
                     DEFAULT_PARAM);

    const int32_t nMouseX = Korvid.MouseX(), nMouseY = Korvid.MouseY();
    const bool bMouseInside = nLeft < nMouseX && nMouseX < nLeft + Gadget.nTiles * nTileWidth && Gadget.y < nMouseY &&
                              nMouseY < Gadget.y + nHeight;
    return bMouseInside || bSelected;
}
