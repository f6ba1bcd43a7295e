// Printing and measuring text with the current font bank: characters are blitted
// left to right, each moving the pen by its advance width (or the bank's fixed
// advance), with optional centring, drop shadow and blit mode. FontWidth walks
// the same advances, so a centred line is centred on exactly what is drawn.
#include <algorithm>
#include <cstring>

#include "korvid.h"

namespace {

// The advance stored for a code the bank holds; 0 for a code it does not hold.
uint16_t HeldAdvance(const KorvidFontBank& Bank, int32_t nCode)
{
    const int32_t nIndex = nCode - Bank.nFirstCode;
    return nIndex >= 0 && nIndex < Bank.nCharCount ? Bank.nAdvance[nIndex] : 0;
}

bool HoldsCharacter(const KorvidFontBank& Bank, uint8_t c)
{
    const int32_t nIndex = (int32_t)c - Bank.nFirstCode;
    return nIndex >= 0 && nIndex < Bank.nCharCount;
}

// How far a character moves the pen. A character the bank does not hold (the space,
// usually) moves it by half the width of "A".
int32_t CharacterAdvance(const KorvidFontBank& Bank, uint8_t c, uint8_t nFlags)
{
    if (nFlags & KOR_PRINT_FIXED)
        return Bank.nFixedAdvance;
    if (!HoldsCharacter(Bank, c))
        return HeldAdvance(Bank, 'A') / 2;
    return Bank.nAdvance[c - Bank.nFirstCode];
}

// The blit flags for the characters: the bank's own unless a mode bit is given, the
// last of 0x08, 0x10, 0x20, 0x40 that is set winning.
uint16_t CharacterBlitFlags(const KorvidFontBank& Bank, uint8_t nFlags)
{
    uint16_t nBlitFlags = Bank.nBlitFlags;
    if (nFlags & KOR_PRINT_TRANS)
        nBlitFlags = KOR_BLIT_TRANS;
    if (nFlags & KOR_PRINT_TINT)
        nBlitFlags = KOR_BLIT_TINT;
    if (nFlags & KOR_PRINT_SOLIDCOLOUR)
        nBlitFlags = KOR_BLIT_SOLIDCOLOUR;
    if (nFlags & KOR_PRINT_SOLIDTRANS)
        nBlitFlags = KOR_BLIT_SOLIDTRANS;
    return nBlitFlags;
}

// The shadow under one character: a stack of half-dark copies down to the right whose
// depth grows with the font size (an eighth of the width of "e"); an alpha font casts
// one soft silhouette instead.
void DrawShadow(const KorvidFontBank& Bank, uint32_t nChunky, int32_t x, int32_t y)
{
    const int32_t nDepth = HeldAdvance(Bank, 'e') / 8;
    const uint16_t nBlack = Korvid.ColourBlack();
    if (Bank.nBlitFlags & KOR_BLIT_ALPHA) {
        const int32_t nOffset = std::max(nDepth, 1);
        Korvid.Blit(nChunky, x + nOffset, y + nOffset, KOR_BLIT_ALPHA | KOR_BLIT_SOLIDCOLOUR, nBlack, 50);
        return;
    }
    for (int32_t k = nDepth + 1; k >= 1; --k)
        Korvid.Blit(nChunky, x + k, y + k, KOR_BLIT_SOLIDTRANS, nBlack, 50);
}

}  // namespace

void KorvidGFX::FontPrint(int16_t x, int16_t y, const char* szText, uint8_t nFlags, uint16_t nColour, int16_t nParam)
{
    KorvidProfileScope Section("KorvidGFX::FontPrint()");
    if (!m_pFontBanks || m_nFontBankCount == 0) {
        Korvid.DebugLog("ERROR: ** FontPrint() - No Font Banks have been allocated **");
        return;
    }
    const KorvidFontBank& Bank = m_pFontBanks[m_nCurrentFont];
    if (!Bank.bInUse)
        Korvid.DebugLog("WARNING: FontPrint() - Currently used Font Bank %d - Is Empty", (int)m_nCurrentFont);
    if (!szText)
        return;
    int32_t nPenX = x;
    if (nFlags & KOR_PRINT_CENTRE)
        nPenX -= FontWidth(szText, nFlags) / 2;
    const uint16_t nBlitFlags = CharacterBlitFlags(Bank, nFlags);
    for (const char* p = szText; *p; ++p) {
        const uint8_t c = (uint8_t)*p;
        if (HoldsCharacter(Bank, c)) {
            const uint32_t nChunky = Bank.nFirstChunky + (c - Bank.nFirstCode);
            if (nFlags & KOR_PRINT_SHADOW)
                DrawShadow(Bank, nChunky, nPenX, y);
            Blit(nChunky, nPenX, y, nBlitFlags, nColour, nParam);
        }
        nPenX += CharacterAdvance(Bank, c, nFlags);
    }
}

int16_t KorvidGFX::FontWidth(const char* szText, uint8_t nFlags)
{
    KorvidProfileScope Section("KorvidGFX::FontWidth()");
    if (!m_pFontBanks || m_nFontBankCount == 0) {
        Korvid.DebugLog("ERROR: ** FontWidth() - No Font Banks have been allocated **");
        return 0;
    }
    const KorvidFontBank& Bank = m_pFontBanks[m_nCurrentFont];
    if (!Bank.bInUse) {
        Korvid.DebugLog("WARNING: FontWidth() - Currently used Font Bank %d - Is Empty", (int)m_nCurrentFont);
        return 0;
    }
    int32_t nWidth = 0;
    for (const char* p = szText ? szText : ""; *p; ++p)
        nWidth += CharacterAdvance(Bank, (uint8_t)*p, nFlags);
    return (int16_t)nWidth;
}

void KorvidGFX::FontPrintWrapped(uint16_t x, uint16_t y, uint16_t nBoxWidth, const char* szText, uint8_t nFlags,
                                 uint16_t nColour, int16_t nParam)
{
    if (!szText)
        return;
    const int32_t nPenX = (nFlags & KOR_PRINT_CENTRE) ? x + nBoxWidth / 2 : x;
    int32_t nPenY = y;
    char szLine[1024];
    size_t nLength = 0;
    const auto PrintLine = [&] {
        szLine[nLength] = '\0';
        FontPrint((int16_t)nPenX, (int16_t)nPenY, szLine, nFlags, nColour, nParam);
        nPenY += FontHeight();
        nLength = 0;
    };
    const char* p = szText;
    while (*p) {
        while (*p == ' ')
            ++p;
        const size_t nWord = std::strcspn(p, " ");
        if (nWord == 0)
            break;
        // Try the word on the end of the line; a line that overflows goes out without it.
        // A word longer than the line buffer is cut to fit.
        const size_t nStart = nLength;
        const size_t nSpace = nLength ? 1 : 0;
        const size_t nRoom = sizeof(szLine) - 1 - nLength;
        const size_t nTaken = nRoom > nSpace ? std::min(nWord, nRoom - nSpace) : 0;
        if (nStart > 0 && nTaken < nWord) {
            PrintLine();
            continue;   // the word starts the next line
        }
        if (nSpace)
            szLine[nLength] = ' ';
        std::memcpy(szLine + nLength + nSpace, p, nTaken);
        nLength += nSpace + nTaken;
        szLine[nLength] = '\0';
        if (nStart > 0 && FontWidth(szLine, nFlags) > nBoxWidth) {
            nLength = nStart;
            PrintLine();
            continue;
        }
        p += nWord;
    }
    if (nLength > 0)
        PrintLine();
}
