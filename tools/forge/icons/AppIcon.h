// The game's icon for the desktop menus: a ball over a paddle under bricks, in
// the look of the play sheets, painted anew at each size of the hicolor theme.
#pragma once
#include "Forge.h"

constexpr int APP_ICON_SIZES[] = {16, 32, 48, 64, 128, 256};

// Writes "icons/hicolor/NxN/apps/tamborel2.png" for every size into the output folder.
bool ForgeAppIcons(const ForgeContext& Context);
