// The engine's road to disk: a fixed table of open files behind opaque handles,
// directory prefixes, an optional read window and write-behind buffer, counters,
// and the shutdown report of files left open.
#pragma once
#include <cstdint>
#include <cstdio>
#include <vector>

class KorMD5;

constexpr uint8_t KOR_FILE_READ = 0x00;
constexpr uint8_t KOR_FILE_WRITE = 0x01;
constexpr uint8_t KOR_FILE_UPDATE = 0x02;
constexpr uint8_t KOR_FILE_APPEND = 0x04;
constexpr uint8_t KOR_FILE_UNBUFFERED = 0x08;
constexpr uint8_t KOR_FILE_USER = 0x20;
constexpr uint8_t KOR_FILE_FREE_ENTRY = 0x10;   // the mode of an unused table entry

constexpr uint32_t KOR_FILE_NAME_SIZE = 256;   // prepared names hold at most 255 characters

// One entry of the file table.
struct KorvidFileObject {
    uint32_t nHandle;          // 0 in a free entry
    int32_t nSize;             // measured once at open
    int32_t nPosition;         // where the caller stands
    int32_t nStreamPosition;   // where the stream stands (ahead while the window serves reads)
    char szName[KOR_FILE_NAME_SIZE];
    uint8_t nMode;             // the open flags; KOR_FILE_FREE_ENTRY in a free entry
    uint8_t* pBuffer;          // read window or write-behind buffer
    int32_t nBufferSize;
    int32_t nWindowOffset;     // read: next unread byte in the window, -1 when empty;
                               // write-behind: bytes waiting, -1 or 0 when none
    int32_t nWindowFill;       // bytes of the window really read from the file
    FILE* pStream;
    bool bStreamLastRead;      // a write after a read must reposition the stream first
};

class KorvidFile {
public:
    void SetMaxFiles(uint32_t nCapacity);
    void SetFileCacheSize(int32_t nBytes);
    void SetReadDir(const char* szDir);
    void SetWriteDir(const char* szDir);
    const char* GetReadDir() const;
    const char* GetWriteDir() const;

    uint32_t FileOpen(const char* szName, uint8_t nFlags);
    void FileClose(uint32_t hFile);
    int32_t FileRead(uint32_t hFile, void* pDest, int32_t nBytes, bool bNoWindow = false);
    int32_t FileWrite(uint32_t hFile, const void* pSrc, int32_t nBytes);
    void FileSeek(uint32_t hFile, int32_t nOffset, uint8_t nOrigin);
    void FileRewind(uint32_t hFile);
    int32_t FilePoss(uint32_t hFile);
    int32_t FileSize(uint32_t hFile);
    bool FileEOF(uint32_t hFile);
    bool FileExists(const char* szName, uint8_t nFlags = KOR_FILE_READ);
    bool FilePrintf(uint32_t hFile, const char* szFormat, ...) __attribute__((format(printf, 3, 4)));
    bool FileReadString(uint32_t hFile, char* szBuffer, int32_t nCapacity);
    bool FileReadLine(uint32_t hFile, char* szBuffer, int32_t nCapacity);
    uint8_t FileReadByte(uint32_t hFile);
    int32_t FileWriteByte(uint32_t hFile, uint8_t nByte);

    uint16_t FileReadWordBE(uint32_t hFile);
    uint32_t FileReadLongBE(uint32_t hFile);
    uint16_t FileReadWordLE(uint32_t hFile);
    uint32_t FileReadLongLE(uint32_t hFile);
    int32_t FileWriteWordBE(uint32_t hFile, uint16_t nValue);
    int32_t FileWriteLongBE(uint32_t hFile, uint32_t nValue);
    int32_t FileWriteWordLE(uint32_t hFile, uint16_t nValue);
    int32_t FileWriteLongLE(uint32_t hFile, uint32_t nValue);
    void FileReadWordsBE(uint32_t hFile, uint16_t* pValues, int32_t nCount);
    void FileReadLongsBE(uint32_t hFile, uint32_t* pValues, int32_t nCount);
    void FileReadWordsLE(uint32_t hFile, uint16_t* pValues, int32_t nCount);
    void FileReadLongsLE(uint32_t hFile, uint32_t* pValues, int32_t nCount);
    void FileWriteWordsBE(uint32_t hFile, const uint16_t* pValues, int32_t nCount);
    void FileWriteLongsBE(uint32_t hFile, const uint32_t* pValues, int32_t nCount);
    void FileWriteWordsLE(uint32_t hFile, const uint16_t* pValues, int32_t nCount);
    void FileWriteLongsLE(uint32_t hFile, const uint32_t* pValues, int32_t nCount);

    bool FileValidate(const char* szName, KorMD5& Digest);
    bool FileCopy(const char* szSource, const char* szDest);
    bool MakeDir(const char* szPath);
    bool ChangeDir(const char* szPath);
    bool FileDelete(const char* szPath);
    void FileValidationReport();
    void ReportFileCache();   // the window statistics of the closing reports

    int32_t PeakOpenFiles() const { return m_nPeakOpenFiles; }

private:
    bool PrepareFileName(const char* szName, uint8_t nFlags, char* szOut) const;
    KorvidFileObject* FindFile(uint32_t hFile);
    uint32_t NextHandle();
    void FlushWriteBehind(KorvidFileObject& File);
    void MoveStreamTo(KorvidFileObject& File, int32_t nTarget);
    int32_t ReadDirect(KorvidFileObject& File, uint8_t* pDest, int32_t nBytes);
    int32_t ReadFromWindow(KorvidFileObject& File, uint8_t* pDest, int32_t nBytes);
    int32_t RefillWindow(KorvidFileObject& File, uint8_t* pDest, int32_t nBytes);
    void WriteToStream(KorvidFileObject& File, const void* pSrc, int32_t nBytes);

    std::vector<KorvidFileObject> m_FileTable;   // capacity fixed by SetMaxFiles
    bool m_bFileTableMade = false;
    uint32_t m_nFilesUsed = 0;
    uint32_t m_nLastFileHandle = 0;
    char m_szReadDir[KOR_FILE_NAME_SIZE] = {};
    char m_szWriteDir[KOR_FILE_NAME_SIZE] = {};
    bool m_bFileWriteWarningActive = false;   // the log writes through FileWrite: never recurse

    uint16_t m_nOpenFiles = 0;
    int32_t m_nPeakOpenFiles = 0;
    // Totals over the whole run, which may read far more than 2 GiB.
    int64_t m_nFilesOpened = 0;
    int64_t m_nFileBytesIntoWindow = 0;
    int64_t m_nFileBytesFromWindow = 0;
    int64_t m_nFileBytesDirect = 0;
    int64_t m_nFileSeekCount = 0;
};
