// Reading and writing values: single bytes, zero-terminated strings, text lines,
// and 16- and 32-bit words in either byte order.
#include "korvid.h"

namespace {

constexpr uint8_t CARRIAGE_RETURN = 13;
constexpr uint8_t LINE_FEED = 10;

enum class ByteOrder { Big, Little };

template <typename Value, ByteOrder Order>
Value DecodeValue(const uint8_t* pBytes)
{
    Value nValue = 0;
    for (size_t n = 0; n < sizeof(Value); ++n) {
        size_t nByte = Order == ByteOrder::Big ? n : sizeof(Value) - 1 - n;
        nValue = (Value)((nValue << 8) | pBytes[nByte]);
    }
    return nValue;
}

template <typename Value, ByteOrder Order>
void EncodeValue(Value nValue, uint8_t* pBytes)
{
    for (size_t n = 0; n < sizeof(Value); ++n) {
        size_t nShift = 8 * (Order == ByteOrder::Big ? sizeof(Value) - 1 - n : n);
        pBytes[n] = (uint8_t)(nValue >> nShift);
    }
}

// Bytes that cannot be read stay zero.
template <typename Value, ByteOrder Order>
Value ReadValue(uint32_t hFile)
{
    uint8_t Bytes[sizeof(Value)] = {};
    Korvid.FileRead(hFile, Bytes, sizeof(Value));
    return DecodeValue<Value, Order>(Bytes);
}

template <typename Value, ByteOrder Order>
int32_t WriteValue(uint32_t hFile, Value nValue)
{
    uint8_t Bytes[sizeof(Value)];
    EncodeValue<Value, Order>(nValue, Bytes);
    return Korvid.FileWrite(hFile, Bytes, sizeof(Value));
}

template <typename Value, ByteOrder Order>
void ReadValues(uint32_t hFile, Value* pValues, int32_t nCount)
{
    if (!pValues && nCount > 0) {
        Korvid.DebugLog("ERROR: ** Attempted FileRead() of %d values to NULL pointer **", nCount);
        return;
    }
    for (int32_t n = 0; n < nCount; ++n)
        pValues[n] = ReadValue<Value, Order>(hFile);
}

template <typename Value, ByteOrder Order>
void WriteValues(uint32_t hFile, const Value* pValues, int32_t nCount)
{
    if (!pValues && nCount > 0) {
        Korvid.DebugLog("ERROR: ** Attempted FileWrite() of %d values from NULL pointer **", nCount);
        return;
    }
    for (int32_t n = 0; n < nCount; ++n)
        WriteValue<Value, Order>(hFile, pValues[n]);
}

bool IsLineEnd(uint8_t nByte) { return nByte == CARRIAGE_RETURN || nByte == LINE_FEED; }

}  // namespace

uint8_t KorvidFile::FileReadByte(uint32_t hFile)
{
    uint8_t nByte = 0;
    FileRead(hFile, &nByte, 1);
    return nByte;
}

int32_t KorvidFile::FileWriteByte(uint32_t hFile, uint8_t nByte) { return FileWrite(hFile, &nByte, 1); }

bool KorvidFile::FileReadString(uint32_t hFile, char* szBuffer, int32_t nCapacity)
{
    KorvidLockScope Lock;
    if (!szBuffer || nCapacity <= 0)
        return false;
    szBuffer[0] = 0;
    if (!FindFile(hFile))
        return false;
    int32_t nStored = 0;
    while (nStored < nCapacity - 1) {
        uint8_t nByte = FileReadByte(hFile);
        if (nByte == 0)
            break;
        szBuffer[nStored++] = (char)nByte;
    }
    szBuffer[nStored] = 0;
    return true;
}

// A line ends at CR or LF; a second end byte right after it belongs to the same
// line end, so CR LF, LF CR, CR CR and LF LF each end one line.
bool KorvidFile::FileReadLine(uint32_t hFile, char* szBuffer, int32_t nCapacity)
{
    KorvidLockScope Lock;
    if (!szBuffer || nCapacity <= 0)
        return false;
    szBuffer[0] = 0;
    KorvidFileObject* pFile = FindFile(hFile);
    if (!pFile)
        return false;

    int32_t nStored = 0;
    bool bLineEnded = false;
    while (pFile->nPosition < pFile->nSize && nStored < nCapacity - 1) {
        uint8_t nByte = FileReadByte(hFile);
        if (IsLineEnd(nByte)) {
            bLineEnded = true;
            break;
        }
        szBuffer[nStored++] = (char)nByte;
    }
    // Only look past the line end when there is a byte to look at: stepping back
    // from the end of the file would hand the last line end out again.
    if (bLineEnded && pFile->nPosition < pFile->nSize && !IsLineEnd(FileReadByte(hFile)))
        FileSeek(hFile, -1, 1);
    szBuffer[nStored] = 0;
    return nStored > 0;
}

uint16_t KorvidFile::FileReadWordBE(uint32_t hFile) { return ReadValue<uint16_t, ByteOrder::Big>(hFile); }
uint32_t KorvidFile::FileReadLongBE(uint32_t hFile) { return ReadValue<uint32_t, ByteOrder::Big>(hFile); }
uint16_t KorvidFile::FileReadWordLE(uint32_t hFile) { return ReadValue<uint16_t, ByteOrder::Little>(hFile); }
uint32_t KorvidFile::FileReadLongLE(uint32_t hFile) { return ReadValue<uint32_t, ByteOrder::Little>(hFile); }

int32_t KorvidFile::FileWriteWordBE(uint32_t hFile, uint16_t nValue)
{
    return WriteValue<uint16_t, ByteOrder::Big>(hFile, nValue);
}
int32_t KorvidFile::FileWriteLongBE(uint32_t hFile, uint32_t nValue)
{
    return WriteValue<uint32_t, ByteOrder::Big>(hFile, nValue);
}
int32_t KorvidFile::FileWriteWordLE(uint32_t hFile, uint16_t nValue)
{
    return WriteValue<uint16_t, ByteOrder::Little>(hFile, nValue);
}
int32_t KorvidFile::FileWriteLongLE(uint32_t hFile, uint32_t nValue)
{
    return WriteValue<uint32_t, ByteOrder::Little>(hFile, nValue);
}

void KorvidFile::FileReadWordsBE(uint32_t hFile, uint16_t* pValues, int32_t nCount)
{
    ReadValues<uint16_t, ByteOrder::Big>(hFile, pValues, nCount);
}
void KorvidFile::FileReadLongsBE(uint32_t hFile, uint32_t* pValues, int32_t nCount)
{
    ReadValues<uint32_t, ByteOrder::Big>(hFile, pValues, nCount);
}
void KorvidFile::FileReadWordsLE(uint32_t hFile, uint16_t* pValues, int32_t nCount)
{
    ReadValues<uint16_t, ByteOrder::Little>(hFile, pValues, nCount);
}
void KorvidFile::FileReadLongsLE(uint32_t hFile, uint32_t* pValues, int32_t nCount)
{
    ReadValues<uint32_t, ByteOrder::Little>(hFile, pValues, nCount);
}

void KorvidFile::FileWriteWordsBE(uint32_t hFile, const uint16_t* pValues, int32_t nCount)
{
    WriteValues<uint16_t, ByteOrder::Big>(hFile, pValues, nCount);
}
void KorvidFile::FileWriteLongsBE(uint32_t hFile, const uint32_t* pValues, int32_t nCount)
{
    WriteValues<uint32_t, ByteOrder::Big>(hFile, pValues, nCount);
}
void KorvidFile::FileWriteWordsLE(uint32_t hFile, const uint16_t* pValues, int32_t nCount)
{
    WriteValues<uint16_t, ByteOrder::Little>(hFile, pValues, nCount);
}
void KorvidFile::FileWriteLongsLE(uint32_t hFile, const uint32_t* pValues, int32_t nCount)
{
    WriteValues<uint32_t, ByteOrder::Little>(hFile, pValues, nCount);
}
