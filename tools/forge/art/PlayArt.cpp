#include "PlayArt.h"
bool ForgeArtPlay(const ForgeContext& Context) { return ForgeTileSheets(Context) && ForgePaddleSheets(Context) && ForgeBonusSheet(Context); }
