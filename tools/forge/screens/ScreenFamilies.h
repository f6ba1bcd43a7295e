// The families of screen pictures the "art-screens" step paints, one painter per
// file; each writes its pictures into the data set and returns false on failure.
#pragma once
#include "Forge.h"

bool PaintTitleScreens(const ForgeContext& Context);         // m1, m1_en
bool PaintHighScoreScreen(const ForgeContext& Context);      // m2
bool PaintInstructionScreens(const ForgeContext& Context);   // m3, m3_en, m3_1..m3_9(_en)
bool PaintOptionScreens(const ForgeContext& Context);        // m4, m4_en
bool PaintOptionSheets(const ForgeContext& Context);         // quest, quest_en
bool PaintAboutScreen(const ForgeContext& Context);          // m5
bool PaintMatchScreen(const ForgeContext& Context);          // mpm1
bool PaintPlayBackgrounds(const ForgeContext& Context);      // hg1..hg20
