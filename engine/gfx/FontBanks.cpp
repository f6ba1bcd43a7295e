// Font banks: choosing the current bank, grabbing a character set out of a picture
// into it, and the line height. Bank b keeps its characters in the 256 chunky
// numbers below those of bank b - 1, counting down from the chunky limit.
#include <algorithm>

#include "korvid.h"

void KorvidGFX::UseFont(uint32_t nBank)
{
    if (nBank >= m_nFontBankCount) {
        Korvid.DebugLog("FAILED: ** UseFont(%d) - Font Bank Out Of Range **", (int)nBank);
        return;
    }
    m_nCurrentFont = nBank;
}

void KorvidGFX::GrabFont(uint32_t nSource, uint16_t x, uint16_t y, uint16_t nCellWidth, uint16_t nCellHeight,
                         uint16_t nCellsPerRow, uint8_t nFirstCode, uint8_t nLastCode, uint8_t nGrabFlags,
                         uint16_t nFeatherRadius, uint16_t nColour)
{
    if (!m_pFontBanks || m_nFontBankCount == 0) {
        Korvid.DebugLog("ERROR: ** GrabFont() - No Font Banks have been allocated **");
        return;
    }
    if (!ExistingChunky(nSource)) {
        Korvid.DebugLog("ERROR: ** Invalid GrabFont() Chunky **");
        return;
    }
    // Guards against layouts that cannot be cut: no cells in a row, or a bank whose
    // 256 chunky numbers do not fit below the limit.
    const uint32_t nBankSpan = 256u * (m_nCurrentFont + 1);
    if (nCellsPerRow == 0 || m_nChunkyTableSize < nBankSpan) {
        Korvid.DebugLog("ERROR: ** GrabFont() - Font Bank %d cannot be cut (%d Cells Per Row, %d Chunkies) **",
                        (int)m_nCurrentFont, nCellsPerRow, (int)m_nChunkyTableSize);
        return;
    }
    KorvidFontBank& Bank = m_pFontBanks[m_nCurrentFont];
    if (Bank.bInUse) {
        Korvid.DebugLog("GrabFont() - ReGrabbing Previously Used Font Bank %d", (int)m_nCurrentFont);
        Bank.bInUse = 0;
    }
    // A last code below the first grabs nothing (rather than wrapping to 65535 characters).
    const int32_t nCount = (int32_t)nLastCode - nFirstCode + 1;
    Bank.nCharCount = (uint16_t)(nCount > 0 ? nCount : 0);
    Bank.nFirstChunky = m_nChunkyTableSize - nBankSpan;
    Bank.nFirstCode = nFirstCode;
    Bank.nBlitFlags = (nGrabFlags & KOR_GRAB_FEATHER) ? KOR_BLIT_ALPHA : 0;
    Bank.nFixedAdvance = (int16_t)(nCellWidth - 2);
    Bank.nCellHeight = nCellHeight;
    Korvid.DebugLog("GrabBank %d, FirstChunky %d, TotalChars %d", (int)m_nCurrentFont, (int)Bank.nFirstChunky,
                    (int)Bank.nCharCount);
    if (nCount <= 0) {
        Korvid.DebugLog("Warning: GrabFont() tried to grab %d Chars", (int)nCount);
        return;
    }

    const uint32_t nUsed = m_nUsedChunky;
    UseChunky(nSource);
    for (int32_t i = 0; i < nCount; ++i) {
        // Cells past 65535 lie outside every chunky; the last position keeps them there.
        const int32_t nCellX = x + (i % nCellsPerRow) * nCellWidth;
        const int32_t nCellY = y + (i / nCellsPerRow) * nCellHeight;
        const uint32_t nChunky = Bank.nFirstChunky + (uint32_t)i;
        GrabChunky(nChunky, nSource, (uint16_t)std::min(nCellX, 0xFFFF), (uint16_t)std::min(nCellY, 0xFFFF),
                   nCellWidth, nCellHeight, nGrabFlags, nFeatherRadius, nColour);
        Bank.nAdvance[i] = (uint16_t)(ChunkyWidth(nChunky) + 1);
    }
    Bank.bInUse = 1;
    UseChunky(nUsed);
}

uint16_t KorvidGFX::FontHeight()
{
    if (!m_pFontBanks || m_nFontBankCount == 0) {
        Korvid.DebugLog("ERROR: ** FontHeight() - No Font Banks have been allocated **");
        return 0;
    }
    const KorvidFontBank& Bank = m_pFontBanks[m_nCurrentFont];
    if (!Bank.bInUse) {
        Korvid.DebugLog("WARNING: FontHeight() - Currently used Font Bank %d - Is Empty", (int)m_nCurrentFont);
        return 0;
    }
    return Bank.nCellHeight;
}
