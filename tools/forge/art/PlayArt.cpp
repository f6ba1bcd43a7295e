// The "art-play" step: the sheets of play, one family after the other.
#include "PlayArt.h"

bool ForgeArtPlay(const ForgeContext& Context)
{
    return ForgeTileSheets(Context) && ForgePaddleSheets(Context) && ForgeBonusSheet(Context) &&
           ForgeInterfaceSheet(Context) && ForgePanelSheets(Context) && ForgeOverlaySheets(Context) &&
           ForgeFont2Sheet(Context);
}
