// The game's two text drawers. Both lay a text out line by line: a line feed
// starts a new line at the first line's x, one line height further down.
#include "Text.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "GameState.h"
#include "Resources.h"
#include "korvid.h"
#include "sheets.h"

namespace {

constexpr int32_t SCREEN_WIDTH = 800, SCREEN_HEIGHT = 600;
constexpr int BOX_ALPHA_PERCENT = 50;   // the text box is drawn at alpha 128
constexpr int BOX_MARGIN = 3;

std::vector<std::string> SplitLines(const char* szText)
{
    std::vector<std::string> Lines(1);
    for (const char* p = szText; *p; ++p) {
        if (*p == '\n')
            Lines.emplace_back();
        else
            Lines.back() += *p;
    }
    return Lines;
}

// The top of a text of nLines lines: y itself, or centred on the screen when below 0.
int32_t TextTop(int32_t nY, size_t nLines, int nLineStep)
{
    return nY >= 0 ? nY : (SCREEN_HEIGHT - (int32_t)nLines * nLineStep) / 2;
}

int32_t CentredLeft(int32_t nWidth)
{
    return (SCREEN_WIDTH - nWidth) / 2;
}

SheetRect NumberGlyph(char c, int nStyle)
{
    if (nStyle == GAME_TEXT_STYLE_DIGITS && c >= '0' && c <= '9')
        return Sheets::PanelDigit(c - '0');
    return Sheets::Glyph(Sheets::GlyphIndex(c));
}

int32_t Font2Advance(uint8_t c)
{
    int nIndex = Sheets::Font2Index(c);
    return nIndex < 0 ? 0 : Sheets::FONT2_WIDTHS[nIndex];
}

int32_t Font2Width(const std::string& Line)
{
    int32_t nWidth = 0;
    for (char c : Line)
        nWidth += Font2Advance((uint8_t)c);
    return nWidth;
}

}  // namespace

void GamePrintNumbers(int32_t nX, int32_t nY, const char* szText, bool bCentred, int nStyle)
{
    if (!szText)
        return;
    const std::vector<std::string> Lines = SplitLines(szText);
    size_t nLongest = 0;
    for (const std::string& Line : Lines)
        nLongest = std::max(nLongest, Line.size());
    if (bCentred || nX < 0)
        nX = CentredLeft((int32_t)nLongest * Sheets::GLYPH_WIDTH);
    int32_t y = TextTop(nY, Lines.size(), Sheets::GLYPH_LINE_STEP);
    for (const std::string& Line : Lines) {
        int32_t x = nX;
        for (char c : Line) {
            if (Sheets::GlyphIndex(c) >= 0) {
                SheetRect Cell = NumberGlyph(c, nStyle);
                Korvid.BlitArea(GAME_CHUNKY_KUGEL, Cell.x, Cell.y, Cell.w, Cell.h, x, y, KOR_BLIT_ALPHA, 0, 100);
            }
            x += Sheets::GLYPH_WIDTH;
        }
        y += Sheets::GLYPH_LINE_STEP;
    }
}

void GamePrintText(int32_t nX, int32_t nY, const char* szText, int nAlpha, bool bBox)
{
    if (!szText)
        return;
    // nAlpha is an opacity 0..255; the mask blit takes a percentage.
    const int16_t nPercent = (int16_t)(std::clamp(nAlpha, 0, 255) * 100 / 255);
    const std::vector<std::string> Lines = SplitLines(szText);
    int32_t y = TextTop(nY, Lines.size(), Sheets::FONT2_LINE_STEP);
    for (const std::string& Line : Lines) {
        const int32_t nWidth = Font2Width(Line);
        int32_t x = nX >= 0 ? nX : CentredLeft(nWidth);
        if (bBox) {
            const SheetRect& Strip = Sheets::TEXT_BOX;
            Korvid.BlitArea(GAME_CHUNKY_INTERFACE, Strip.x, Strip.y, std::min<int32_t>(nWidth + 2 * BOX_MARGIN, Strip.w),
                            Strip.h, x - BOX_MARGIN, y, KOR_BLIT_TRANS | KOR_BLIT_NOCOOKIE, 0, BOX_ALPHA_PERCENT);
        }
        for (char c : Line) {
            int nIndex = Sheets::Font2Index((uint8_t)c);
            if (nIndex < 0)
                continue;
            SheetRect Cell = Sheets::Font2Cell(nIndex);
            int32_t nAdvance = Font2Advance((uint8_t)c);
            Korvid.BlitArea(GAME_CHUNKY_FONT2, Cell.x, Cell.y, nAdvance, Cell.h, x, y, KOR_BLIT_ALPHA, 0, nPercent);
            x += nAdvance;
        }
        y += Sheets::FONT2_LINE_STEP;
    }
}

int32_t GameTextWidth(const char* szLine)
{
    return szLine ? Font2Width(szLine) : 0;
}

const char* Words::Chosen() const { return g_nL ? szEnglish : szGerman; }
