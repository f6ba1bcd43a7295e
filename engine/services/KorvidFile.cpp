// The file table: opening and closing behind opaque handles, name preparation
// with the read and write directories, and the shutdown reports.
#include "services/KorvidFile.h"

#include <cstring>

#include "korvid.h"

namespace {

constexpr uint32_t DEFAULT_MAX_FILES = 1000;
// Flags that make a file the user's or the engine's own: they take the write directory.
constexpr uint8_t WRITE_DIRECTORY_FLAGS = KOR_FILE_UPDATE | KOR_FILE_APPEND | KOR_FILE_UNBUFFERED | KOR_FILE_USER;

void ClearFileObject(KorvidFileObject& File)
{
    memset(&File, 0, sizeof(File));
    File.nMode = KOR_FILE_FREE_ENTRY;
    File.nWindowOffset = -1;
}

void StoreDirectory(char* szStore, const char* szDir)
{
    if (!szDir) {
        szStore[0] = 0;
        return;
    }
    if (strlen(szDir) >= KOR_FILE_NAME_SIZE)
        return;
    strcpy(szStore, szDir);
}

bool CountsAsOpenFile(uint8_t nMode) { return nMode != KOR_FILE_UNBUFFERED; }

}  // namespace

void KorvidFile::SetMaxFiles(uint32_t nCapacity)
{
    KorvidLockScope Lock;
    if (m_bFileTableMade) {
        Korvid.DebugLog("WARNING: ** SetMaxFiles() - May be called Only Once **");
        return;
    }
    if (Korvid.ThreadSelfId() != 0)
        Korvid.DebugLog("WARNING: ** SetMaxFiles() - Called from non-Korvid Thread **");
    m_FileTable.resize(nCapacity);
    for (KorvidFileObject& File : m_FileTable)
        ClearFileObject(File);
    m_nFilesUsed = 0;
    m_bFileTableMade = true;
}

void KorvidFile::SetFileCacheSize(int32_t nBytes) { Korvid.m_Config.nFileWindowSize = nBytes; }

void KorvidFile::SetReadDir(const char* szDir) { StoreDirectory(m_szReadDir, szDir); }

void KorvidFile::SetWriteDir(const char* szDir) { StoreDirectory(m_szWriteDir, szDir); }

const char* KorvidFile::GetReadDir() const { return m_szReadDir[0] ? m_szReadDir : nullptr; }

const char* KorvidFile::GetWriteDir() const { return m_szWriteDir[0] ? m_szWriteDir : nullptr; }

// Puts the directory the flags choose in front of a relative name, turns backslashes into
// slashes and lets the platform add its prefix. A result that would not fit the
// 256-byte name is refused rather than cut, so no file is opened under a wrong name.
bool KorvidFile::PrepareFileName(const char* szName, uint8_t nFlags, char* szOut) const
{
    if (!szName) {
        Korvid.DebugLog("ERROR: ** File name is NULL **");
        return false;
    }
    // An absolute name (a file in the user's own folders) is taken as it is.
    const char* szDir = szName[0] == '/' ? "" : (nFlags & WRITE_DIRECTORY_FLAGS) ? m_szWriteDir : m_szReadDir;
    size_t nDirLength = strlen(szDir);
    size_t nNameLength = strlen(szName);
    if (nDirLength + nNameLength >= KOR_FILE_NAME_SIZE) {
        Korvid.DebugLog("ERROR: ** File name '%s%.64s...' longer than %u characters - refused **", szDir, szName,
                        KOR_FILE_NAME_SIZE - 1);
        return false;
    }
    memcpy(szOut, szDir, nDirLength);
    memcpy(szOut + nDirLength, szName, nNameLength + 1);
    for (char* pChar = szOut; *pChar; ++pChar)
        if (*pChar == '\\')
            *pChar = '/';
    Korvid.OS()->PrefixPath(szOut);
    return true;
}

KorvidFileObject* KorvidFile::FindFile(uint32_t hFile)
{
    if (hFile == 0)
        return nullptr;
    for (uint32_t n = 0; n < m_nFilesUsed; ++n)
        if (m_FileTable[n].nHandle == hFile)
            return &m_FileTable[n];
    return nullptr;
}

// Handles are a running count, so a closed file's handle does not name the next
// file opened; 0 and handles still open are skipped when the count wraps.
uint32_t KorvidFile::NextHandle()
{
    do
        ++m_nLastFileHandle;
    while (m_nLastFileHandle == 0 || FindFile(m_nLastFileHandle));
    return m_nLastFileHandle;
}

uint32_t KorvidFile::FileOpen(const char* szName, uint8_t nFlags)
{
    KorvidProfileScope Section("KorvidFile::FileOpen()");
    KorvidLockScope Lock;

    char szPrepared[KOR_FILE_NAME_SIZE];
    if (!PrepareFileName(szName, nFlags, szPrepared))
        return 0;
    if (!m_bFileTableMade)
        SetMaxFiles(DEFAULT_MAX_FILES);
    if (m_nFilesUsed >= m_FileTable.size()) {
        Korvid.DebugLog("ERROR: ** No Free File Objects (Files Used=%d) **", (int)m_nFilesUsed);
        Korvid.DebugLog("ERROR: ** Korvid Fopen List Full!! **");
        return 0;
    }
    if (CountsAsOpenFile(nFlags) && Korvid.TraceMaskHas(KOR_TRACE_FILES))
        Korvid.DebugLog("FileOpen('%s')", szPrepared);

    FILE* pStream = Korvid.OS()->StreamOpen(szPrepared, nFlags);
    if (!pStream) {
        Korvid.DebugLog("ERROR: ** FileOpen(%s) Failed **", szPrepared);
        return 0;
    }
    // Sizes are 32-bit: a larger file (or a directory, which opens on Linux) is refused.
    long nSize = Korvid.OS()->StreamSize(pStream);
    if (nSize < 0 || nSize > INT32_MAX) {
        Korvid.OS()->StreamClose(pStream);
        Korvid.DebugLog("ERROR: ** FileOpen(%s) Failed - size %ld not usable **", szPrepared, nSize);
        return 0;
    }

    KorvidFileObject& File = m_FileTable[m_nFilesUsed++];
    ClearFileObject(File);
    File.nHandle = NextHandle();
    strcpy(File.szName, szPrepared);
    File.nSize = (int32_t)nSize;
    File.nMode = nFlags;
    File.pStream = pStream;

    if (CountsAsOpenFile(nFlags)) {
        int32_t nCacheSize = Korvid.m_Config.nFileWindowSize;
        if (nCacheSize > 0) {
            File.pBuffer = (uint8_t*)Korvid.AllocMemory((uint32_t)nCacheSize);
            if (File.pBuffer)
                File.nBufferSize = nCacheSize;
            else
                Korvid.DebugLog("Warning: Unable to allocate file buffer");
        }
        ++m_nOpenFiles;
        if (m_nOpenFiles > m_nPeakOpenFiles)
            m_nPeakOpenFiles = m_nOpenFiles;
        ++m_nFilesOpened;
    }
    return File.nHandle;
}

void KorvidFile::FileClose(uint32_t hFile)
{
    KorvidProfileScope Section("KorvidFile::FileClose()");
    KorvidLockScope Lock;

    if (hFile == 0) {
        Korvid.DebugLog("ERROR: ** FileClose(%d) - invalid handle **", 0);
        return;
    }
    KorvidFileObject* pFile = FindFile(hFile);
    if (!pFile) {
        Korvid.DebugLog("ERROR: ** FileClose(%d) - Not found in List **", (int)hFile);
        return;
    }
    if (CountsAsOpenFile(pFile->nMode)) {
        if (Korvid.TraceMaskHas(KOR_TRACE_FILES))
            Korvid.DebugLog("FileClose('%s')", pFile->szName);
        --m_nOpenFiles;
    }
    FlushWriteBehind(*pFile);
    if (pFile->pBuffer)
        Korvid.FreeMemory(pFile->pBuffer);
    Korvid.OS()->StreamClose(pFile->pStream);

    // Used entries stay packed at the front: the last one moves into the hole.
    KorvidFileObject& Last = m_FileTable[--m_nFilesUsed];
    if (pFile != &Last)
        *pFile = Last;
    ClearFileObject(Last);
}

bool KorvidFile::FileExists(const char* szName, uint8_t nFlags)
{
    char szPrepared[KOR_FILE_NAME_SIZE];
    if (!PrepareFileName(szName, nFlags, szPrepared))
        return false;
    FILE* pStream = Korvid.OS()->StreamOpen(szPrepared, KOR_FILE_READ);
    if (!pStream)
        return false;
    Korvid.OS()->StreamClose(pStream);
    return true;
}

void KorvidFile::FileValidationReport()
{
    Korvid.DebugLog("File Open Validation");
    Korvid.DebugLog("Total Number of Files Opened: %lld (Peak %d)", (long long)m_nFilesOpened, m_nPeakOpenFiles);
    if (m_nOpenFiles == 0)
        return;
    Korvid.DebugLog("NOTE: %d File(s) Left Open...", m_nOpenFiles);
    uint32_t n = 0;
    while (n < m_nFilesUsed) {
        KorvidFileObject& File = m_FileTable[n];
        if (File.nMode == KOR_FILE_UNBUFFERED || File.nHandle == 0) {
            ++n;
            continue;
        }
        // FileClose moves the last entry here, so this index is looked at again.
        Korvid.DebugLog("Closing File '%s'", File.szName);
        FileClose(File.nHandle);
    }
    if (m_nOpenFiles == 0)
        Korvid.DebugLog("All Files are now Closed");
}

void KorvidFile::ReportFileCache()
{
    if (m_nFileBytesIntoWindow <= 0)
        return;
    Korvid.DebugLog("==File Access/Cache Report==");
    Korvid.DebugLog("File data read into Cache %.3fK", m_nFileBytesIntoWindow / 1024.0);
    Korvid.DebugLog("File data read from Cache %.3fK", m_nFileBytesFromWindow / 1024.0);
    Korvid.DebugLog("File data read w'no Cache %.3fK", m_nFileBytesDirect / 1024.0);
    Korvid.DebugLog("File Cache Waste %.3f%%", 100.0 - (100.0 / m_nFileBytesIntoWindow) * m_nFileBytesFromWindow);
    Korvid.DebugLog("File Seek Count %lld", (long long)m_nFileSeekCount);
}
