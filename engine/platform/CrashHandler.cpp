// The last words of a crashed process: a stack dump on stderr and in
// $HOME/backtrace.txt, then an immediate exit.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <execinfo.h>
#include <unistd.h>

#include "korvid.h"

namespace {
constexpr int MAX_FRAMES = 128;
constexpr int SKIPPED_FRAMES = 2;   // the handler and the dump itself
}

void KorvidPlatform::WriteStackDump(FILE* pStream, const char* szMessage)
{
    if (!pStream)
        pStream = stderr;
    if (szMessage)
        fputs(szMessage, pStream);
    fputs("This is a BUG, please report it!\n\n", pStream);
    fputs("Stack dump:\n{\n", pStream);
    void* pFrames[MAX_FRAMES];
    int nFrames = backtrace(pFrames, MAX_FRAMES);
    char** ppSymbols = backtrace_symbols(pFrames, nFrames);
    for (int n = SKIPPED_FRAMES; n < nFrames; ++n) {
        if (ppSymbols && ppSymbols[n])
            fprintf(pStream, "\t%s\n", ppSymbols[n]);
        else
            fprintf(pStream, "\t%p\n", pFrames[n]);
    }
    fputs("}\n\n", pStream);
    fflush(pStream);
}

void KorvidPlatform::CrashHandler(int nSignal)
{
    const char* szMessage = nullptr;
    switch (nSignal) {
    case SIGQUIT: szMessage = "SIGQUIT caught: Doomed...\n\n"; break;
    case SIGABRT: szMessage = "SIGABRT caught: Doomed...\n\n"; break;
    case SIGFPE: szMessage = "SIGFPE caught: Doomed...\n\n"; break;
    case SIGSEGV: szMessage = "Segmentation Fault: Doomed...\n\n"; break;
    default: break;
    }
    if (const char* szHome = getenv("HOME")) {
        char szPath[4096];
        snprintf(szPath, sizeof(szPath), "%s/backtrace.txt", szHome);
        if (FILE* pFile = fopen(szPath, "w+")) {
            WriteStackDump(pFile, nullptr);
            fclose(pFile);
        }
    }
    WriteStackDump(stderr, szMessage);
    _exit(0);
}
