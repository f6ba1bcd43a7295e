#include "core/KorvidDebug.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>

#include "korvid.h"

namespace {

void FormatLocalTime(char* szOut, size_t nSize, const char* szFormat)
{
    time_t nNow = time(nullptr);
    struct tm Local;
    localtime_r(&nNow, &Local);
    if (strftime(szOut, nSize, szFormat, &Local) == 0)
        szOut[0] = 0;
}

}  // namespace

void KorvidDebug::SetTraceMask(uint16_t nMask) { Korvid.m_Config.nTraceMask = nMask; }

bool KorvidDebug::TraceMaskHas(uint16_t nBits) const { return (Korvid.m_Config.nTraceMask & nBits) != 0; }

void KorvidDebug::DebugLog(const char* szFormat, ...)
{
    if (!m_bFileLogging && !m_bConsoleLogging)
        return;
    KorvidLockScope Lock;

    char szMessage[4096];
    va_list Args;
    va_start(Args, szFormat);
    vsnprintf(szMessage, sizeof(szMessage), szFormat, Args);
    va_end(Args);

    const char* szThread = Korvid.ThreadName(Korvid.ThreadSelfId());
    // Seconds with three places, as "%7.3f" would print them, but formatted from
    // whole numbers: a busy frame logs a line for every sound it plays.
    const uint32_t nMilliseconds = Korvid.Timer();
    const unsigned nSeconds = nMilliseconds / 1000, nFraction = nMilliseconds % 1000;
    char szStamp[64];
    if (TraceMaskHas(KOR_TRACE_FRAMERATE))
        snprintf(szStamp, sizeof(szStamp), "%3u.%03u|%2df|%2di", nSeconds, nFraction,
                 (int)Korvid.PredictedFrameRate(), (int)Korvid.IdlePercentage());
    else
        snprintf(szStamp, sizeof(szStamp), "%3u.%03u", nSeconds, nFraction);

    if (m_bFileLogging)
        Korvid.FilePrintf(m_hLogFile, "%s|%-6s: %s%s", szStamp, szThread, szMessage, "\n");
    if (m_bConsoleLogging) {
        char szLine[260];
        // The console line is cut at its buffer; the file keeps the whole message.
        if (snprintf(szLine, sizeof(szLine), "%s|%-6s: %s%s", szStamp, szThread, szMessage, "\n") >= 0)
            Korvid.OS()->ConsolePrint(szLine);
    }
}

void KorvidDebug::StartLog()
{
    // A second Init must not reopen (and so truncate) a log that is being written.
    if (m_bFileLogging)
        return;
    if (TraceMaskHas(KOR_TRACE_CONSOLE) && Korvid.OS()->HasConsole())
        m_bConsoleLogging = true;

    if (!TraceMaskHas(KOR_TRACE_NOFILE)) {
        char szName[32] = "debug.log";
        if (TraceMaskHas(KOR_TRACE_NUMBERED)) {
            int nNumber = 1;
            for (; nNumber < 999; ++nNumber) {
                snprintf(szName, sizeof(szName), "debug%d.log", nNumber);
                if (!Korvid.FileExists(szName, KOR_FILE_UNBUFFERED))
                    break;
            }
            snprintf(szName, sizeof(szName), "debug%d.log", nNumber);
        }
        m_hLogFile = Korvid.FileOpen(szName, KOR_FILE_UNBUFFERED);
        if (m_hLogFile)
            m_bFileLogging = true;
    }

    if (m_bFileLogging || m_bConsoleLogging)
        WriteBanner();
}

void KorvidDebug::WriteBanner()
{
    char szDate[51];
    FormatLocalTime(szDate, sizeof(szDate), "%A %d %B %Y %I:%M%p");
    DebugLog("Log Started <-> %s <--------------------------->", szDate);
    DebugLog("Project: \"%s\" [%s]", Korvid.WindowTitle(), Korvid.AppName());
    DebugLog("SysInfo: Platform [%s] CPU [%s/%s]", "KORVID_SDL_LINUX", "KORVID_CPU_X86 (Blind Guess)",
             "ENDIAN_LARGE");
    DebugLog("SysInfo: %s", Korvid.BuildName());
    DebugLog("SysInfo: EXE Name [%s] Path ['%s']", Korvid.ExecutableName(), "");
    if (Korvid.GetReadDir())
        DebugLog("SysInfo: ContentPath Path ['%s']", Korvid.GetReadDir());
    if (Korvid.GetWriteDir())
        DebugLog("SysInfo: StoragePath Path ['%s']", Korvid.GetWriteDir());
    if (Korvid.ArgCount() > 0) {
        DebugLog("SysInfo: %d Command Line Arg(s)", Korvid.ArgCount());
        for (int n = 1; n <= Korvid.ArgCount(); ++n)
            DebugLog("Command(%d): '%s'", n, Korvid.Arg(n));
    }
}

void KorvidDebug::ReportDisplaySpeed()
{
    DebugLog("==Display/Speed Report==");
    // A run shorter than a second has no whole seconds to divide by; its rate is
    // taken over the elapsed milliseconds instead.
    double fSeconds = Korvid.TimerSeconds();
    if (fSeconds == 0)
        fSeconds = Korvid.Timer() > 0 ? Korvid.Timer() / 1000.0 : 1.0;
    if (Korvid.MainUpdates() != 0)
        DebugLog("KorvidMain Updates %.2ffps (%dfps Limit)", Korvid.MainUpdates() / fSeconds,
                 Korvid.m_Config.nFrameRateLimit);
    if (Korvid.m_Config.nFrameRateLimit != 0) {
        DebugLog("Predicted Possible %.2ffps", (double)Korvid.PredictedFrameRate());
        DebugLog("Time Spent Idle %.2f%%", (double)Korvid.IdlePercentage());
    }
    if (Korvid.RedrawCount() != 0)
        DebugLog("RedrawDisplay() Called %d Times (%.2ffps)", Korvid.RedrawCount(), Korvid.RedrawCount() / fSeconds);
}

void KorvidDebug::ReportMisc()
{
    OSGeneric* pOS = Korvid.OS();
    if (pOS->m_bLockReady) {
        DebugLog("Total Mutex Locks Made = %d, Locks Left = %d", pOS->m_nLocksMade, pOS->m_nLocksHeld);
        if (pOS->m_nLocksHeld)
            DebugLog("WARNING: Korvid has %d Mutex Locks Left!", pOS->m_nLocksHeld);
    }
    if (Korvid.RandomStackDeepest() > 0)
        DebugLog("Maximum Random Stack used: %d of %d", Korvid.RandomStackDeepest(), KorvidRandom::STACK_DEPTH);
}

void KorvidDebug::ReportAndCloseLog()
{
    DebugLog("All User/Private Memory accounted for");
    Korvid.ReportFileCache();
    ReportDisplaySpeed();

    char szDate[51];
    FormatLocalTime(szDate, sizeof(szDate), "%A %d %B %I:%M%p");
    DebugLog("==Misc Debug Info==");
    ReportMisc();
    Korvid.ProfileReport();
    DebugLog("Total Threads Started %d, Threads Remaining %d", Korvid.ThreadsPeak() - 1, Korvid.ThreadsAlive() - 1);
    DebugLog("Log File Ended <-> %s After %.3f Minutes <----->", szDate, Korvid.Timer() / 60000.0);

    if (m_bFileLogging) {
        m_bFileLogging = false;
        Korvid.FileClose(m_hLogFile);
        m_hLogFile = 0;
    }
}
