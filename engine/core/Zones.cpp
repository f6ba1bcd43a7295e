// Click zones: numbered rectangles (edges included) tested against a point or
// the mouse. The table is sized once, in KorvidConfig, and made by Init.
#include "korvid.h"

void KorvidInput::SetMaxZones(int16_t nCount)
{
    if (m_pZones) {
        Korvid.DebugLog("ERROR: ** Too Late To SetMaxZones() - Must be done in KorvidConfig **");
        return;
    }
    Korvid.m_Config.nMaxZones = nCount < 0 ? 0 : nCount;
}

bool KorvidInput::AllocateZones()
{
    if (m_pZones)
        return true;
    int32_t nCount = Korvid.m_Config.nMaxZones;
    if (nCount <= 0)
        return false;
    m_pZones = (KorvidZone*)Korvid.AllocMemory(nCount * sizeof(KorvidZone), KOR_MEM_SYSTEM | KOR_MEM_CLEAR);
    if (!m_pZones)
        return false;
    m_nZoneCount = nCount;
    ZoneFreeAll();
    return true;
}

void KorvidInput::FreeZones()
{
    if (m_pZones)
        Korvid.FreeMemory(m_pZones);
    m_pZones = nullptr;
    m_nZoneCount = 0;
    Korvid.m_Config.nMaxZones = 0;
}

bool KorvidInput::ZoneValid(int32_t nZone) const { return m_pZones && nZone >= 0 && nZone < m_nZoneCount; }

void KorvidInput::AddZone(int32_t nZone, int16_t nX, int16_t nY, uint16_t nWidth, uint16_t nHeight)
{
    if (!ZoneValid(nZone)) {
        Korvid.DebugLog("WARNING: AddZone(%d, ...) - Illegal Zone id", nZone);
        return;
    }
    m_pZones[nZone] = {nX, nY, nX + nWidth, nY + nHeight, 1};
}

void KorvidInput::ZoneFree(int32_t nZone)
{
    if (!ZoneValid(nZone)) {
        Korvid.DebugLog("WARNING: ZoneFree(%d) - Illegal zone id", nZone);
        return;
    }
    m_pZones[nZone].bInUse = 0;
}

void KorvidInput::ZoneFreeAll()
{
    for (int32_t nZone = 0; nZone < m_nZoneCount; ++nZone)
        m_pZones[nZone].bInUse = 0;
}

namespace {
bool ZoneContains(const KorvidZone& Zone, int32_t nX, int32_t nY)
{
    return Zone.left <= nX && nX <= Zone.right && Zone.top <= nY && nY <= Zone.bottom;
}
}  // namespace

bool KorvidInput::ZoneHit(int32_t nZone, int32_t nX, int32_t nY)
{
    if (!ZoneValid(nZone)) {
        Korvid.DebugLog("WARNING: ZoneHit(%d, ...) Illegal Zone Number", nZone);
        return false;
    }
    if (!m_pZones[nZone].bInUse) {
        Korvid.DebugLog("WARNING: ZoneHit(%d, ...) Zone doesn't exist", nZone);
        return false;
    }
    return ZoneContains(m_pZones[nZone], nX, nY);
}

int32_t KorvidInput::ZoneFind(int32_t nX, int32_t nY, int nLast)
{
    int32_t nFound = -1;
    for (int32_t nZone = 0; nZone < m_nZoneCount; ++nZone) {
        if (!m_pZones[nZone].bInUse || !ZoneContains(m_pZones[nZone], nX, nY))
            continue;
        nFound = nZone;
        if (!nLast)
            break;
    }
    return nFound;
}

int32_t KorvidInput::ZoneAtMouse(int nLast) { return ZoneFind(MouseX(), MouseY(), nLast); }
