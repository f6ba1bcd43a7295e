// Moving bytes: FileRead with its read window, FileWrite with its write-behind
// buffer, and the position operations.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "korvid.h"

namespace {

constexpr size_t PRINTF_BUFFER_SIZE = 5016;

bool IsWriteBehind(const KorvidFileObject& File) { return File.nMode == KOR_FILE_WRITE && File.pBuffer; }

bool IsReadOnly(uint8_t nMode) { return nMode == KOR_FILE_READ || nMode == KOR_FILE_FREE_ENTRY; }

int32_t BytesLeftInFile(const KorvidFileObject& File) { return std::max(File.nSize - File.nPosition, 0); }

}  // namespace

void KorvidFile::FlushWriteBehind(KorvidFileObject& File)
{
    if (!IsWriteBehind(File))
        return;
    if (File.nWindowOffset > 0) {
        Korvid.OS()->StreamWrite(File.pStream, File.pBuffer, (size_t)File.nWindowOffset);
        File.nStreamPosition += File.nWindowOffset;
    }
    File.nWindowOffset = -1;
}

// Positions the stream absolutely; whatever the window held is dropped.
void KorvidFile::MoveStreamTo(KorvidFileObject& File, int32_t nTarget)
{
    FlushWriteBehind(File);
    Korvid.OS()->StreamSeek(File.pStream, nTarget);
    File.nPosition = nTarget;
    File.nStreamPosition = nTarget;
    File.nWindowOffset = -1;
    File.nWindowFill = 0;
    File.bStreamLastRead = false;
}

// Reads straight from the stream, never past the size measured at open.
int32_t KorvidFile::ReadDirect(KorvidFileObject& File, uint8_t* pDest, int32_t nBytes)
{
    int32_t nWanted = std::min(nBytes, BytesLeftInFile(File));
    int32_t nRead = 0;
    if (nWanted > 0)
        nRead = (int32_t)Korvid.OS()->StreamRead(File.pStream, pDest, (size_t)nWanted);
    File.bStreamLastRead = true;
    File.nPosition += nRead;
    File.nStreamPosition += nRead;
    m_nFileBytesDirect += nRead;
    File.nWindowOffset = -1;
    File.nWindowFill = 0;
    return nRead;
}

// Hands out unread window bytes. A request the window cannot satisfy takes what
// is there and leaves the window empty.
int32_t KorvidFile::ReadFromWindow(KorvidFileObject& File, uint8_t* pDest, int32_t nBytes)
{
    if (File.nWindowOffset < 0)
        return 0;
    int32_t nAvailable = std::max(File.nWindowFill - File.nWindowOffset, 0);
    int32_t nTaken = std::min(nBytes, nAvailable);
    if (nTaken > 0) {
        memcpy(pDest, File.pBuffer + File.nWindowOffset, (size_t)nTaken);
        File.nPosition += nTaken;
        File.nWindowOffset += nTaken;
        m_nFileBytesFromWindow += nTaken;
    }
    if (nTaken < nBytes) {
        File.nWindowOffset = -1;
        File.nWindowFill = 0;
    }
    return nTaken;
}

// Fills the window from the current position and hands out the first bytes.
// Only bytes really read count as valid, so nothing beyond the file is handed out.
int32_t KorvidFile::RefillWindow(KorvidFileObject& File, uint8_t* pDest, int32_t nBytes)
{
    int32_t nFill = std::min(File.nBufferSize, BytesLeftInFile(File));
    int32_t nRead = 0;
    if (nFill > 0)
        nRead = (int32_t)Korvid.OS()->StreamRead(File.pStream, File.pBuffer, (size_t)nFill);
    File.bStreamLastRead = true;
    File.nStreamPosition += nRead;
    m_nFileBytesIntoWindow += nRead;

    int32_t nHanded = std::min(nBytes, nRead);
    if (nHanded > 0)
        memcpy(pDest, File.pBuffer, (size_t)nHanded);
    File.nPosition += nHanded;
    m_nFileBytesFromWindow += nHanded;
    File.nWindowOffset = nHanded;
    File.nWindowFill = nRead;
    return nHanded;
}

int32_t KorvidFile::FileRead(uint32_t hFile, void* pDest, int32_t nBytes, bool bNoWindow)
{
    KorvidProfileScope Section("KorvidFile::FileRead()");
    if (!pDest) {
        Korvid.DebugLog("ERROR: ** Attempted FileRead() to NULL pointer **");
        return 0;
    }
    if (nBytes <= 0) {
        Korvid.DebugLog("ERROR: ** Attempted FileRead() - %d bytes **", nBytes);
        return 0;
    }
    KorvidLockScope Lock;
    KorvidFileObject* pFile = FindFile(hFile);
    if (!pFile) {
        Korvid.DebugLog("ERROR: ** Attempted FileRead() - invalid handle **");
        return 0;
    }
    if (pFile->nMode & KOR_FILE_WRITE) {
        Korvid.DebugLog("Warning: Attempted FileRead() - WRITE ONLY");
        // The write-behind bytes share the buffer with the window: put them on disk
        // before the buffer is taken for reading.
        FlushWriteBehind(*pFile);
    }

    uint8_t* pOut = (uint8_t*)pDest;
    if (!pFile->pBuffer)
        return ReadDirect(*pFile, pOut, nBytes);

    int32_t nDelivered = ReadFromWindow(*pFile, pOut, nBytes);
    if (nDelivered == nBytes)
        return nDelivered;
    pOut += nDelivered;
    nBytes -= nDelivered;

    if (pFile->nPosition != pFile->nStreamPosition)
        FileSeek(hFile, pFile->nPosition, 0);
    if (nBytes < pFile->nBufferSize && !bNoWindow)
        nDelivered += RefillWindow(*pFile, pOut, nBytes);
    else
        nDelivered += ReadDirect(*pFile, pOut, nBytes);
    return nDelivered;
}

void KorvidFile::WriteToStream(KorvidFileObject& File, const void* pSrc, int32_t nBytes)
{
    // Update streams are read through the window too: the stream must stand at the
    // caller's position, and C streams need a seek between a read and a write.
    if (File.nWindowOffset >= 0 || File.nPosition != File.nStreamPosition || File.bStreamLastRead)
        MoveStreamTo(File, File.nPosition);
    Korvid.OS()->StreamWrite(File.pStream, pSrc, (size_t)nBytes);
    File.nStreamPosition += nBytes;
}

int32_t KorvidFile::FileWrite(uint32_t hFile, const void* pSrc, int32_t nBytes)
{
    KorvidLockScope Lock;
    KorvidProfileScope Section("KorvidFile::FileWrite()");

    // The debug log writes through here, so a refusal is reported once, never again
    // from inside its own report.
    auto Refuse = [this](const char* szMessage) {
        if (!m_bFileWriteWarningActive) {
            m_bFileWriteWarningActive = true;
            Korvid.DebugLog("%s", szMessage);
            m_bFileWriteWarningActive = false;
        }
        return 0;
    };
    if (!pSrc)
        return Refuse("ERROR: ** Attempted FileWrite() from NULL pointer **");
    if (nBytes < 1) {
        char szMessage[64];
        snprintf(szMessage, sizeof(szMessage), "Warning: Attempted FileWrite() - %d bytes", nBytes);
        return Refuse(szMessage);
    }
    KorvidFileObject* pFile = FindFile(hFile);
    if (!pFile)
        return Refuse("Warning: Attempted FileWrite() - invalid handle");
    if (IsReadOnly(pFile->nMode))
        return Refuse("Warning: Attempted FileWrite() - READ ONLY");

    if (IsWriteBehind(*pFile)) {
        int32_t nPending = std::max(pFile->nWindowOffset, 0);
        if ((int64_t)nPending + nBytes < pFile->nBufferSize) {
            memcpy(pFile->pBuffer + nPending, pSrc, (size_t)nBytes);
            pFile->nWindowOffset = nPending + nBytes;
        } else {
            FlushWriteBehind(*pFile);
            Korvid.OS()->StreamWrite(pFile->pStream, pSrc, (size_t)nBytes);
            pFile->nStreamPosition += nBytes;
        }
    } else {
        WriteToStream(*pFile, pSrc, nBytes);
    }
    pFile->nPosition += nBytes;
    return nBytes;
}

void KorvidFile::FileSeek(uint32_t hFile, int32_t nOffset, uint8_t nOrigin)
{
    KorvidLockScope Lock;
    KorvidProfileScope Section("KorvidFile::FileSeek()");
    KorvidFileObject* pFile = FindFile(hFile);
    if (!pFile) {
        Korvid.DebugLog("Warning: Attempted FileSeek() - invalid handle");
        return;
    }
    int64_t nTarget = nOffset;
    if (nOrigin == 1)
        nTarget += pFile->nPosition;
    else if (nOrigin == 2)
        nTarget += pFile->nSize;
    if (nTarget < 0 || nTarget > INT32_MAX) {
        Korvid.DebugLog("Warning: Attempted FileSeek() - position %lld out of range", (long long)nTarget);
        return;
    }
    MoveStreamTo(*pFile, (int32_t)nTarget);
    ++m_nFileSeekCount;
}

void KorvidFile::FileRewind(uint32_t hFile)
{
    KorvidLockScope Lock;
    KorvidProfileScope Section("KorvidFile::FileRewind()");
    KorvidFileObject* pFile = FindFile(hFile);
    if (!pFile) {
        Korvid.DebugLog("Warning: Attempted FileRewind() - invalid handle");
        return;
    }
    MoveStreamTo(*pFile, 0);
}

int32_t KorvidFile::FilePoss(uint32_t hFile)
{
    KorvidFileObject* pFile = FindFile(hFile);
    if (!pFile) {
        Korvid.DebugLog("Warning: Attempted FilePoss() - invalid handle");
        return -1;
    }
    return pFile->nPosition;
}

int32_t KorvidFile::FileSize(uint32_t hFile)
{
    KorvidFileObject* pFile = FindFile(hFile);
    if (!pFile) {
        Korvid.DebugLog("Warning: Attempted FileSize() - invalid handle");
        return 0;
    }
    return pFile->nSize;
}

bool KorvidFile::FileEOF(uint32_t hFile)
{
    KorvidFileObject* pFile = FindFile(hFile);
    return !pFile || (uint32_t)pFile->nPosition >= (uint32_t)pFile->nSize;
}

bool KorvidFile::FilePrintf(uint32_t hFile, const char* szFormat, ...)
{
    char szText[PRINTF_BUFFER_SIZE];
    va_list Args;
    va_start(Args, szFormat);
    vsnprintf(szText, sizeof(szText), szFormat, Args);
    va_end(Args);
    FileWrite(hFile, szText, (int32_t)strlen(szText));
    return true;
}
