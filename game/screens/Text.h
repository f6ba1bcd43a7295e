// The game's text drawing into the back buffer: the fixed-width characters of
// the sheet "kugel" and the proportional font "font2". An x or y below 0
// centres the text on the 800 x 600 screen.
#pragma once
#include <cstdint>

constexpr int GAME_TEXT_STYLE_DIGITS = 3;   // the panel's digits

void GamePrintNumbers(int32_t nX, int32_t nY, const char* szText, bool bCentred, int nStyle);
void GamePrintText(int32_t nX, int32_t nY, const char* szText, int nAlpha, bool bBox);
// The width GamePrintText gives one line of text, in pixels.
int32_t GameTextWidth(const char* szLine);
