// Registering modes, entering them and running the current one each frame.
#include "PlexaModes.h"

PlexaFramework Plexa;

void PlexaFramework::RegisterMode(uint8_t nMode, PlexaSetupFunction pSetup, PlexaUpdateFunction pUpdate)
{
    if (nMode >= PLEXA_MODE_COUNT)
        return;
    m_pSetup[nMode] = pSetup;
    m_pUpdate[nMode] = pUpdate;
}

// The previous mode and parameter change before the setup runs, so a pause that
// refuses still leaves them pointing at the refused entry.
bool PlexaFramework::PlexaModeSetup(uint8_t nMode, uint8_t nParameter, bool bOnlyIfAccepted)
{
    Korvid.FlushKeys();
    Korvid.FlushMouse();
    Korvid.ZoneFreeAll();
    Korvid.ClearGadgets(m_Gadgets);
    // A number past the table has no setup, like a mode nobody registered.
    if (nMode >= PLEXA_MODE_COUNT || !m_pSetup[nMode]) {
        Korvid.DebugLog("ERROR: ** PlexaModeSetup[%d] == NULL **", nMode);
        return false;
    }
    Korvid.DebugLog("PlexaModeSetup(%d)", nMode);
    m_nPreviousMode = m_nCurrentMode;
    m_nPreviousParameter = nParameter;
    if (m_pSetup[nMode](nParameter) || !bOnlyIfAccepted)
        m_nCurrentMode = nMode;
    return true;
}

void PlexaFramework::PlexaModeUpdate()
{
    if (m_nCurrentMode < PLEXA_MODE_COUNT) {
        if (m_pUpdate[m_nCurrentMode])
            m_pUpdate[m_nCurrentMode]();
        else
            Korvid.DebugLog("ERROR: ** PlexaModeUpdate[%d] == NULL **", m_nCurrentMode);
    }
    RunFade();
    DrawPointer();
}
