// The engine's road to disk: a fixed table of open files behind opaque handles,
// directory prefixes, an optional read window and write-behind buffer, counters,
// and the shutdown report of files left open.
#pragma once
#include <cstdint>
#include <cstdio>

class KorMD5;

constexpr uint8_t KOR_FILE_READ = 0x00;
constexpr uint8_t KOR_FILE_WRITE = 0x01;
constexpr uint8_t KOR_FILE_UPDATE = 0x02;
constexpr uint8_t KOR_FILE_APPEND = 0x04;
constexpr uint8_t KOR_FILE_UNBUFFERED = 0x08;
constexpr uint8_t KOR_FILE_USER = 0x20;

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

    int32_t PeakOpenFiles() const;
};
