// The debug log: stamped lines to "debug.log" (and a console where there is one),
// the start-up banner and the closing reports.
#pragma once
#include <cstdint>

// Trace mask bits.
constexpr uint16_t KOR_TRACE_NOFILE = 0x01;
constexpr uint16_t KOR_TRACE_CONSOLE = 0x02;
constexpr uint16_t KOR_TRACE_NUMBERED = 0x04;
constexpr uint16_t KOR_TRACE_FILES = 0x08;
constexpr uint16_t KOR_TRACE_MEMORY = 0x10;
constexpr uint16_t KOR_TRACE_VERBOSE = 0x20;
constexpr uint16_t KOR_TRACE_FRAMERATE = 0x40;

class KorvidDebug {
public:
    void DebugLog(const char* szFormat, ...) __attribute__((format(printf, 2, 3)));
    void StartLog();
    void ReportAndCloseLog();
    void SetTraceMask(uint16_t nMask);
    bool TraceMaskHas(uint16_t nBits) const;

    bool IsFileLogging() const { return m_bFileLogging; }

private:
    void WriteBanner();
    void ReportDisplaySpeed();
    void ReportMisc();

    uint32_t m_hLogFile = 0;
    bool m_bFileLogging = false;
    bool m_bConsoleLogging = false;
};
