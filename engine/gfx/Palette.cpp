// The 256-entry palette with brightness and change tracking, the nearest-colour
// search with its 32K close table, the standard colours, and the lookup table
// that turns palette indices into screen pixels.
#include "gfx/KorvidGFX.h"

#include <cstring>

#include "gfx/GfxInternal.h"
#include "korvid.h"

using KorvidGfxInternal::Release;

namespace {

constexpr uint32_t CLOSE_TABLE_SIZE = 32 * 32 * 32;

uint8_t ScaledComponent(uint32_t nValue, float fBrightness)
{
    float fScaled = (float)nValue * fBrightness;
    if (fScaled <= 0.0f)
        return 0;
    if (fScaled >= 255.0f)
        return 255;
    return (uint8_t)fScaled;
}

}  // namespace

void KorvidGFX::MakeColour(uint16_t& nColour, uint8_t r, uint8_t g, uint8_t b, uint8_t nSearchMode)
{
    if (m_nDepth == 8)
        nColour = (uint16_t)((nColour & 0xFF00) | FindClosestColour(r, g, b, nSearchMode));
    else
        nColour = Pack(r, g, b);
}

uint8_t KorvidGFX::ExhaustiveSearch(uint8_t r, uint8_t g, uint8_t b) const
{
    uint32_t nBest = 0xFFFFFFFF;
    uint8_t nBestIndex = 0;
    for (int nIndex = 0; nIndex < 256; ++nIndex) {
        int dr = KorvidMaths::Abs(m_Palette[nIndex].r - r);
        int dg = KorvidMaths::Abs(m_Palette[nIndex].g - g);
        int db = KorvidMaths::Abs(m_Palette[nIndex].b - b);
        uint32_t nDistance = (uint32_t)(dr * dr + dg * dg + db * db);
        if (nDistance < nBest) {
            nBest = nDistance;
            nBestIndex = (uint8_t)nIndex;
        }
    }
    return nBestIndex;
}

bool KorvidGFX::BuildCloseTable()
{
    Korvid.DebugLog("Allocating %dK CloseTable", 32);
    m_pCloseTable = (uint8_t*)Korvid.AllocMemory(CLOSE_TABLE_SIZE);
    if (!m_pCloseTable) {
        Korvid.DebugLog("FAILED: ** CloseTable Alloc ERROR **");
        return false;
    }
    for (int i = 0; i < 32; ++i)
        for (int j = 0; j < 32; ++j)
            for (int k = 0; k < 32; ++k)
                m_pCloseTable[i * 1024 + j * 32 + k] = ExhaustiveSearch((uint8_t)(i * 8), (uint8_t)(j * 8), (uint8_t)(k * 8));
    return true;
}

uint8_t KorvidGFX::FindClosestColour(uint8_t r, uint8_t g, uint8_t b, uint8_t nSearchMode)
{
    if (nSearchMode != KOR_SEARCH_CLOSETABLE)
        return ExhaustiveSearch(r, g, b);
    if (!m_pCloseTable && !BuildCloseTable())
        return 0;
    return m_pCloseTable[(r >> 3) * 1024 + (g >> 3) * 32 + (b >> 3)];
}

void KorvidGFX::SetCookie(uint8_t r, uint8_t g, uint8_t b)
{
    MakeColour(m_nCookie, r, g, b, KOR_SEARCH_EXHAUSTIVE);
}

void KorvidGFX::SetPaletteEntry(uint32_t nIndex, uint32_t r, uint32_t g, uint32_t b)
{
    if (nIndex > 255) {
        Korvid.DebugLog("ERROR: ** SetPaletteEntry(%u) - Index out of Range **", nIndex);
        return;
    }
    m_Palette[nIndex] = {ScaledComponent(r, m_fBrightness), ScaledComponent(g, m_fBrightness),
                         ScaledComponent(b, m_fBrightness), 0};
}

void KorvidGFX::SetPaletteRed(uint8_t nIndex, uint8_t nValue)
{
    m_Palette[nIndex].r = ScaledComponent(nValue, m_fBrightness);
    m_Palette[nIndex].nPad = 0;
}

void KorvidGFX::SetPaletteGreen(uint8_t nIndex, uint8_t nValue)
{
    m_Palette[nIndex].g = ScaledComponent(nValue, m_fBrightness);
    m_Palette[nIndex].nPad = 0;
}

void KorvidGFX::SetPaletteBlue(uint8_t nIndex, uint8_t nValue)
{
    m_Palette[nIndex].b = ScaledComponent(nValue, m_fBrightness);
    m_Palette[nIndex].nPad = 0;
}

void KorvidGFX::SetBrightness(float fFactor)
{
    m_fBrightness = fFactor;
    ShowPalette(1);
}

void KorvidGFX::SavePalette() { memcpy(m_SavedPalette, m_Palette, sizeof(m_Palette)); }

void KorvidGFX::RestorePalette() { memcpy(m_Palette, m_SavedPalette, sizeof(m_Palette)); }

void KorvidGFX::ShowPalette(uint8_t bForce)
{
    if (!m_bDisplayOpen)
        return;
    KorvidProfileScope Section("KorvidGFX::ShowPalette()");
    if (m_nDepth != 8) {
        UpdatePaletteTables(nullptr);
        return;
    }
    bool bAnyChanged = false;
    for (int nIndex = 0; nIndex < 256; ++nIndex) {
        bool bChanged = bForce || memcmp(&m_Palette[nIndex], &m_ShownPalette[nIndex], sizeof(KorvidPaletteEntry)) != 0;
        m_PaletteChanged[nIndex] = bChanged ? 1 : 0;
        if (bChanged) {
            m_ShownPalette[nIndex] = m_Palette[nIndex];
            bAnyChanged = true;
        }
    }
    if (!bAnyChanged)
        return;
    if (m_nWindowMode == KOR_FULLSCREEN && m_Format.nScreenDepth == 8)
        Korvid.SetPalette();
    UpdatePaletteTables(m_PaletteChanged);
}

bool KorvidGFX::EnsurePaletteLookup()
{
    uint32_t nNeeded = 0;
    if (m_nDepth == 8 && m_Format.nScreenDepth == 16)
        nNeeded = 256 * sizeof(uint16_t);
    else if (m_nDepth == 8 && m_Format.nScreenDepth == 32)
        nNeeded = 256 * sizeof(uint32_t);
    if (nNeeded == m_nPaletteLookupSize)
        return m_pPaletteLookup != nullptr;
    Release(m_pPaletteLookup);
    m_nPaletteLookupSize = 0;
    if (nNeeded == 0)
        return false;
    m_pPaletteLookup = Korvid.AllocMemory(nNeeded, KOR_MEM_CLEAR);
    if (!m_pPaletteLookup) {
        Korvid.DebugLog("WARNING: ** Failed to allocate Lookup Table **");
        return false;
    }
    m_nPaletteLookupSize = nNeeded;
    return true;
}

void KorvidGFX::UpdatePaletteTables(const uint8_t* pChanged)
{
    KorvidProfileScope Section("KorvidGFX::UpdatePaletteTables()");
    bool bFreshTable = m_pPaletteLookup == nullptr;
    if (EnsurePaletteLookup()) {
        // A table just (re)allocated holds nothing yet, so every entry is filled whatever the flags say.
        bool bEveryEntry = pChanged == nullptr || bFreshTable;
        for (int nIndex = 0; nIndex < 256; ++nIndex) {
            if (!bEveryEntry && !pChanged[nIndex])
                continue;
            const KorvidPaletteEntry& Entry = m_Palette[nIndex];
            if (m_Format.nScreenDepth == 16)
                ((uint16_t*)m_pPaletteLookup)[nIndex] = Pack(Entry.r, Entry.g, Entry.b);
            else
                ((uint32_t*)m_pPaletteLookup)[nIndex] = ((uint32_t)Entry.r << 16) + ((uint32_t)Entry.g << 8) + Entry.b;
        }
    }
    Release(m_pCloseTable);
    RecomputeStandardColours();
    if (m_Format.nScreenDepth != 8)
        m_bFullUpdate = 1;
}

// Every standard colour is searched again whenever the palette changed: a changed
// entry elsewhere may now be nearer than the one a standard colour holds.
void KorvidGFX::RecomputeStandardColours()
{
    struct Standard {
        uint16_t* pColour;
        uint8_t r, g, b;
    };
    const Standard STANDARD[] = {{&m_nWhite, 255, 255, 255},
                                 {&m_nBlack, 0, 0, 0},
                                 {&m_nRed, 255, 0, 0},
                                 {&m_nGreen, 0, 255, 0},
                                 {&m_nBlue, 0, 0, 255}};
    for (const Standard& Colour : STANDARD)
        MakeColour(*Colour.pColour, Colour.r, Colour.g, Colour.b, KOR_SEARCH_EXHAUSTIVE);
}

void KorvidGFX::FreePaletteTables()
{
    Release(m_pPaletteLookup);
    m_nPaletteLookupSize = 0;
    Release(m_pCloseTable);
    Release(m_pTransTable);
}
