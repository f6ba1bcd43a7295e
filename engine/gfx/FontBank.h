// A font bank: up to 256 chunkies, one per character, cut from a picture of the
// character set, with a per-character advance width. Bank b uses the 256 chunky
// numbers below those of bank b - 1, counting down from the chunky limit.
#pragma once
#include <cstdint>

struct KorvidFontBank {
    uint32_t nFirstChunky;     // chunky of character 0: chunky limit - 256 x (bank + 1)
    uint16_t nCharCount;       // last code - first code + 1; 0 while empty
    uint8_t nFirstCode;
    uint16_t nAdvance[256];    // trimmed character width + 1
    int16_t nFixedAdvance;     // cell width - 2
    uint16_t nCellHeight;      // the line height
    uint8_t bInUse;            // 1 once grabbed
    uint8_t nBlitFlags;        // KOR_BLIT_ALPHA when grabbed with a feathered mask, else 0
};
