// The 8-bit trans table: for every pair of palette indices, the index nearest to
// their average colour. Translucent drawing in 8-bit depth is one lookup per pixel.
//
// The file form is a raw dump of the first 65025 bytes (255 x 255) of the table:
// rows 0 to 253 complete and the first entry of row 254. Loading leaves the
// remaining 511 entries as they were.
#include "gfx/KorvidGFX.h"

#include "gfx/GfxInternal.h"
#include "korvid.h"

namespace {

constexpr uint32_t TRANS_TABLE_SIZE = 65536;
constexpr int32_t TRANS_FILE_SIZE = 65025;

}  // namespace

void KorvidGFX::LoadTransTable(const char* szName, uint8_t nSearchMode)
{
    if (m_nDepth != 8) {
        Korvid.DebugLog("Skipping LoadTransTable() due to True Colour Display");
        return;
    }
    if (!m_pTransTable) {
        m_pTransTable = (uint8_t*)Korvid.AllocMemory(TRANS_TABLE_SIZE, KOR_MEM_CLEAR);
        if (!m_pTransTable) {
            Korvid.DebugLog("ERROR: ** Failed to allocate 65K Trans Table **");
            return;
        }
    }
    if (szName) {
        Korvid.DebugLog("Loading Trans Table from file '%s'", szName);
        if (uint32_t hFile = Korvid.FileOpen(szName, KOR_FILE_READ)) {
            int32_t nRead = Korvid.FileRead(hFile, m_pTransTable, TRANS_FILE_SIZE);
            Korvid.FileClose(hFile);
            if (nRead == TRANS_FILE_SIZE)
                return;
            // A short file would leave part of the table undefined: calculate it instead.
            Korvid.DebugLog("WARNING: ** LoadTransTable('%s') - File holds %d of %d bytes **", szName, nRead,
                            TRANS_FILE_SIZE);
        }
    }
    Korvid.DebugLog("Calculating Trans Table");
    for (int i = 0; i < 256; ++i) {
        const KorvidPaletteEntry& A = m_Palette[i];
        for (int j = 0; j < 256; ++j) {
            const KorvidPaletteEntry& B = m_Palette[j];
            uint16_t nColour = 0;
            MakeColour(nColour, (uint8_t)((A.r + B.r) >> 1), (uint8_t)((A.g + B.g) >> 1), (uint8_t)((A.b + B.b) >> 1),
                       nSearchMode);
            m_pTransTable[i * 256 + j] = (uint8_t)nColour;
        }
    }
}

void KorvidGFX::SaveTransTable(const char* szName)
{
    if (m_nDepth != 8) {
        Korvid.DebugLog("Skipping SaveTransTable() due to True Colour Display");
        return;
    }
    if (!szName)
        szName = "";
    Korvid.DebugLog("Saving Trans Table '%s'", szName);
    if (!m_pTransTable) {
        Korvid.DebugLog("ERROR: ** SaveTransTable('%s') - Unable to Open File **", szName);
        return;
    }
    if (uint32_t hFile = Korvid.FileOpen(szName, KOR_FILE_WRITE)) {
        Korvid.FileWrite(hFile, m_pTransTable, TRANS_FILE_SIZE);
        Korvid.FileClose(hFile);
    }
}
