// The play sheets of the data set: bricks, paddles, bonuses, the interface
// pieces, the score panels, the halted overlay's pictures and the text font.
#pragma once
#include "Forge.h"

// The whole step: every sheet below.
bool ForgeArtPlay(const ForgeContext& Context);

// One family of sheets each, so a test can forge just the one it looks at.
bool ForgeTileSheets(const ForgeContext& Context);      // "tiles", "tiles2", "minitiles", "minitiles2"
bool ForgePaddleSheets(const ForgeContext& Context);    // "schlaeger0".."schlaeger3"
bool ForgeBonusSheet(const ForgeContext& Context);      // "boni"
bool ForgeInterfaceSheet(const ForgeContext& Context);  // "interface"
bool ForgePanelSheets(const ForgeContext& Context);     // "panel1", "panel2"
bool ForgeOverlaySheets(const ForgeContext& Context);   // "pause", "ende"
bool ForgeFont2Sheet(const ForgeContext& Context);      // "font2"
