// The forge step that paints every screen picture of the game (title, instruction
// frame and pages, options, high scores, about, match, play backgrounds) and the
// options sheets "quest" / "quest_en".
#pragma once
#include "Forge.h"

bool ForgeArtScreens(const ForgeContext& Context);
