#include "core/KorvidProfiler.h"

#include <cstring>

#include "korvid.h"

namespace {
constexpr int REPORT_ROWS = 30;
}

int KorvidProfiler::FindProfile(const char* szName) const
{
    for (int n = 0; n < m_nProfileCount; ++n)
        if (KorvidString::StringEqual(m_Profiles[n].szName, szName, 1))
            return n;
    return -1;
}

void KorvidProfiler::ProfileStart(const char* szName)
{
    if (!m_bProfiling)
        return;
    int nEntry = FindProfile(szName);
    if (nEntry >= 0) {
        ProfileEntry& Entry = m_Profiles[nEntry];
        m_nCurrentProfile = (int16_t)nEntry;
        ++Entry.nCalls;
        if (Entry.nStart != 0)
            Korvid.DebugLog("WARNING: ** Profile '%s' - Already Started **", szName);
        Entry.nStart = Korvid.OS()->GetTicks();
        return;
    }
    if (m_nProfileCount >= MAX_PROFILES)
        return;
    ProfileEntry& Entry = m_Profiles[m_nProfileCount];
    snprintf(Entry.szName, sizeof(Entry.szName), "%s", szName);
    Entry.nCalls = 1;
    Entry.nTotal = 0;
    Entry.nStart = Korvid.OS()->GetTicks();
    m_nCurrentProfile = (int16_t)m_nProfileCount++;
}

void KorvidProfiler::ProfileEnd(const char* szName)
{
    if (!m_bProfiling)
        return;
    uint32_t nNow = Korvid.OS()->GetTicks();
    if (m_nCurrentProfile >= 0 && KorvidString::StringEqual(m_Profiles[m_nCurrentProfile].szName, szName, 1)) {
        ProfileEntry& Entry = m_Profiles[m_nCurrentProfile];
        Entry.nTotal += nNow - Entry.nStart;
        Entry.nStart = 0;
        m_nCurrentProfile = -1;
        return;
    }
    int nEntry = FindProfile(szName);
    if (nEntry < 0) {
        Korvid.DebugLog("ERROR: ** Profile '%s' - Trying to End when Not Started **", szName);
        return;
    }
    m_Profiles[nEntry].nTotal += nNow - m_Profiles[nEntry].nStart;
    m_Profiles[nEntry].nStart = 0;
}

void KorvidProfiler::ProfileReport()
{
    if (m_nProfileCount == 0)
        return;
    // Adjacent swaps until a pass makes none: largest total first.
    for (bool bSwapped = true; bSwapped;) {
        bSwapped = false;
        for (int n = 0; n + 1 < m_nProfileCount; ++n) {
            if (m_Profiles[n].nTotal < m_Profiles[n + 1].nTotal) {
                ProfileEntry Swap = m_Profiles[n];
                m_Profiles[n] = m_Profiles[n + 1];
                m_Profiles[n + 1] = Swap;
                bSwapped = true;
            }
        }
    }
    m_nCurrentProfile = -1;   // the order changed under it

    Korvid.DebugLog("==Profile Report==");
    Korvid.DebugLog("Profiled %d Unique Functions", m_nProfileCount);
    uint32_t nRunTime = Korvid.Timer();
    int nRows = m_nProfileCount < REPORT_ROWS ? m_nProfileCount : REPORT_ROWS;
    for (int n = 0; n < nRows; ++n) {
        const ProfileEntry& Entry = m_Profiles[n];
        double fShare = nRunTime ? Entry.nTotal * 100.0 / nRunTime : 0.0;
        if (Entry.nCalls <= 49 && fShare < 0.1)
            break;
        Korvid.DebugLog("%2d> %-35s %6.1fsec (%5.2f%%) %d calls, %.2fms av/time", n + 1, Entry.szName,
                        Entry.nTotal / 1000.0, fShare, Entry.nCalls, (double)Entry.nTotal / Entry.nCalls);
    }
}

KorvidProfileScope::KorvidProfileScope(const char* szName) : m_szName(szName) { Korvid.ProfileStart(szName); }

KorvidProfileScope::~KorvidProfileScope() { Korvid.ProfileEnd(m_szName); }
