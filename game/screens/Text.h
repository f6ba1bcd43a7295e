// The game's text drawing into the back buffer: the fixed-width characters of
// the sheet "kugel" and the proportional font "font2". An x or y below 0
// centres the text on the 800 x 600 screen.
#pragma once
#include <cstdint>

constexpr int GAME_TEXT_STYLE_DIGITS = 3;   // the panel's digits

// A text of the screens in both languages, German first (ISO-8859-1, as the font).
struct Words {
    const char* szGerman;
    const char* szEnglish;
    const char* Chosen() const;   // the language the setting L chooses
};

void GamePrintNumbers(int32_t nX, int32_t nY, const char* szText, bool bCentred, int nStyle);
void GamePrintText(int32_t nX, int32_t nY, const char* szText, int nAlpha, bool bBox);
// The width GamePrintText gives one line of text, in pixels.
int32_t GameTextWidth(const char* szLine);
