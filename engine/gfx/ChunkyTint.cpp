// Tinting a chunky: its shape moves toward a colour by a percentage, drawn by
// the blitter's translucent silhouette mode onto the chunky itself.
#include "gfx/KorvidGFX.h"

#include "korvid.h"

void KorvidGFX::ChunkyTint(uint32_t nChunky, uint16_t nColour, int16_t nPercent)
{
    const ChunkyObject* pChunky = ExistingChunky(nChunky);
    if (!pChunky) {
        Korvid.DebugLog("ERROR: ** ChunkyTint(%d) - Target Chunky does not exist **", (int)nChunky);
        return;
    }
    uint32_t nPreviousUsed = m_nUsedChunky;
    ChunkyObject* pPreviousUsed = m_pUsedChunky;
    UseChunky(nChunky);
    // Blitting at its own hot spot puts the chunky's pixel (0, 0) on itself.
    Blit(nChunky, pChunky->nHotX, pChunky->nHotY, KOR_BLIT_SOLIDTRANS, nColour, (int16_t)(100 - nPercent));
    m_nUsedChunky = nPreviousUsed;
    m_pUsedChunky = pPreviousUsed;
}
