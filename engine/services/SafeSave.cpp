#include "services/SafeSave.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "korvid.h"

namespace {

bool RenameFile(const char* szTempPath, const char* szPath) { return rename(szTempPath, szPath) == 0; }

// Writes everything, going on after a signal or a short write.
bool WriteAll(int nFile, const uint8_t* pData, size_t nBytes)
{
    while (nBytes > 0) {
        ssize_t nWritten = write(nFile, pData, nBytes);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return false;
        pData += nWritten;
        nBytes -= (size_t)nWritten;
    }
    return true;
}

// The rename is only on the disk once the folder holding both names is flushed.
void FlushFolderOf(const char* szPath)
{
    char szFolder[KOR_FILE_NAME_SIZE];
    KorvidString::StringCopy(szFolder, szPath);
    char* pSlash = strrchr(szFolder, '/');
    if (pSlash)
        pSlash[pSlash == szFolder ? 1 : 0] = 0;
    else
        KorvidString::StringCopy(szFolder, ".");
    int nFolder = open(szFolder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nFolder < 0)
        return;
    fsync(nFolder);
    close(nFolder);
}

void RemoveStaleTemp(const char* szTempName, const char* szTempPath)
{
    if (access(szTempPath, F_OK) != 0)
        return;
    if (unlink(szTempPath) == 0)
        Korvid.DebugLog("SaveWhole: Removed Temporary File '%s' Left By An Earlier Save", szTempName);
}

// The new content in the temporary file, on the disk; errno tells a failure.
bool WriteTemp(const char* szTempPath, const void* pData, size_t nBytes)
{
    int nFile = open(szTempPath, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (nFile < 0)
        return false;
    bool bWritten = WriteAll(nFile, (const uint8_t*)pData, nBytes) && fsync(nFile) == 0;
    int nError = errno;
    if (close(nFile) != 0 && bWritten) {
        bWritten = false;
        nError = errno;
    }
    errno = nError;
    return bWritten;
}

}  // namespace

bool KorvidPlatformPath(const char* szName, char* szOutput)
{
    const char* szDir = Korvid.GetReadDir();
    if (!szDir || (szName && szName[0] == '/'))
        szDir = "";   // none set, or an absolute name
    if (!szName || strlen(szDir) + strlen(szName) >= KOR_FILE_NAME_SIZE)
        return false;
    KorvidString::StringCopy(szOutput, szDir);
    KorvidString::StringAppend(szOutput, szName);
    for (char* pChar = szOutput; *pChar; ++pChar)
        if (*pChar == '\\')
            *pChar = '/';
    Korvid.OS()->PrefixPath(szOutput);
    return true;
}

bool KorvidSaveWhole(const char* szName, const char* szTempName, const void* pData, size_t nBytes,
                     KorvidReplaceFunction pReplace)
{
    KorvidProfileScope Section("KorvidSaveWhole()");
    char szPath[KOR_FILE_NAME_SIZE];
    char szTempPath[KOR_FILE_NAME_SIZE];
    if (!KorvidPlatformPath(szName, szPath) || !KorvidPlatformPath(szTempName, szTempPath)) {
        Korvid.DebugLog("ERROR: ** SaveWhole - Bad File Name **");
        return false;
    }
    if (strcmp(szPath, szTempPath) == 0) {
        Korvid.DebugLog("ERROR: ** SaveWhole - Temp File Is The File '%s' **", szName);
        return false;
    }
    RemoveStaleTemp(szTempName, szTempPath);
    if (!WriteTemp(szTempPath, pData, nBytes)) {
        Korvid.DebugLog("ERROR: ** SaveWhole - Can't Write '%s' (%s), '%s' Kept **", szTempName, strerror(errno),
                        szName);
        unlink(szTempPath);
        return false;
    }
    if (!(pReplace ? pReplace : RenameFile)(szTempPath, szPath)) {
        Korvid.DebugLog("ERROR: ** SaveWhole - Can't Replace '%s' With '%s' **", szName, szTempName);
        unlink(szTempPath);
        return false;
    }
    FlushFolderOf(szPath);
    return true;
}
