// Whole-file operations: validating against a digest, copying, deleting, and the
// directory operations.
#include <algorithm>

#include "korvid.h"

namespace {

constexpr int32_t VALIDATE_CHUNK_SIZE = 102400;
constexpr int32_t COPY_CHUNK_SIZE = 32000;

}  // namespace

bool KorvidFile::FileValidate(const char* szName, KorMD5& Digest)
{
    uint32_t hFile = FileOpen(szName, KOR_FILE_READ);
    if (!hFile) {
        Korvid.DebugLog("ERROR: ** FileValidate(%s, ...) - Failed to open file **", szName ? szName : "(null)");
        return false;
    }
    uint8_t* pChunk = (uint8_t*)Korvid.AllocMemory(VALIDATE_CHUNK_SIZE);
    if (!pChunk) {
        FileClose(hFile);
        return false;
    }
    int32_t nRemaining = FileSize(hFile);
    while (nRemaining > 0) {
        int32_t nRead = FileRead(hFile, pChunk, std::min(nRemaining, VALIDATE_CHUNK_SIZE));
        if (nRead <= 0)
            break;
        Digest.Update(pChunk, (uint32_t)nRead);
        nRemaining -= nRead;
    }
    Korvid.FreeMemory(pChunk);
    FileClose(hFile);
    // A file that shrank under us was not fed whole.
    return nRemaining == 0;
}

bool KorvidFile::FileCopy(const char* szSource, const char* szDest)
{
    KorvidLockScope Lock;
    const char* szSourceText = szSource ? szSource : "(null)";
    const char* szDestText = szDest ? szDest : "(null)";
    uint8_t* pChunk = (uint8_t*)Korvid.AllocMemory(COPY_CHUNK_SIZE);
    if (!pChunk) {
        Korvid.DebugLog("ERROR: ** FileCopy('%s', '%s') - Failed to Alloc Copy Buffer **", szSourceText, szDestText);
        return false;
    }
    uint32_t hSource = FileOpen(szSource, KOR_FILE_READ);
    if (!hSource) {
        Korvid.DebugLog("ERROR: ** FileCopy('%s', '%s') - Failed to Read Source file **", szSourceText, szDestText);
        Korvid.FreeMemory(pChunk);
        return false;
    }
    uint32_t hDest = FileOpen(szDest, KOR_FILE_WRITE);
    if (!hDest) {
        FileClose(hSource);
        Korvid.FreeMemory(pChunk);
        return false;
    }

    int32_t nSize = FileSize(hSource);
    for (int32_t nChunk = 0; nChunk < nSize / COPY_CHUNK_SIZE; ++nChunk) {
        int32_t nRead = FileRead(hSource, pChunk, COPY_CHUNK_SIZE);
        if (nRead > 0)
            FileWrite(hDest, pChunk, nRead);
        Korvid.Pause(0, "FileCopy");   // let other work proceed between chunks
    }
    int32_t nTail = nSize % COPY_CHUNK_SIZE;
    if (nTail > 0) {
        int32_t nRead = FileRead(hSource, pChunk, nTail);
        if (nRead > 0)
            FileWrite(hDest, pChunk, nRead);
    }

    FileClose(hDest);
    FileClose(hSource);
    Korvid.FreeMemory(pChunk);
    return true;
}

bool KorvidFile::MakeDir(const char* szPath)
{
    const char* szShown = szPath ? szPath : "(null)";
    if (Korvid.TraceMaskHas(KOR_TRACE_VERBOSE))
        Korvid.DebugLog("MakeDir('%s')", szShown);
    if (szPath && Korvid.OS()->MakeDir(szPath))
        return true;
    Korvid.DebugLog("ERROR: ** MakeDir('%s') - Failed **", szShown);
    return false;
}

bool KorvidFile::ChangeDir(const char* szPath)
{
    const char* szShown = szPath ? szPath : "(null)";
    if (Korvid.TraceMaskHas(KOR_TRACE_VERBOSE))
        Korvid.DebugLog("ChangeDir('%s')", szShown);
    if (szPath && Korvid.OS()->ChangeDir(szPath))
        return true;
    Korvid.DebugLog("ERROR: ** ChangeDir('%s') - Failed **", szShown);
    return false;
}

bool KorvidFile::FileDelete(const char* szPath)
{
    if (!FileExists(szPath, KOR_FILE_READ))
        return false;
    char szPrepared[KOR_FILE_NAME_SIZE];
    if (PrepareFileName(szPath, KOR_FILE_USER, szPrepared) && Korvid.OS()->StreamDelete(szPrepared))
        return true;
    Korvid.DebugLog("ERROR: ** FileDelete('%s') - Failed **", szPath);
    return false;
}
