// LoadChunky and SaveChunky: the choice of reader or writer, and the helpers
// every format shares (target depth, size checks, checked reads, palettes).
#include "gfx/ImageFiles.h"

#include <cctype>
#include <cstring>

#include "korvid.h"

namespace KorvidImage {

uint8_t TargetDepth(uint8_t nFlags, uint8_t nFileDepth)
{
    uint8_t nDepth = Korvid.DisplayDepth();
    if (nFlags & KOR_LOAD_DEPTH8)
        nDepth = 8;
    if (nFlags & KOR_LOAD_DEPTH24)
        nDepth = 24;
    if (nFlags & KOR_LOAD_DEPTH16)
        nDepth = 16;
    if (nFlags & KOR_LOAD_FILEDEPTH)
        nDepth = nFileDepth;
    return nDepth;
}

bool SanePictureSize(const char* szReader, int32_t nWidth, int32_t nHeight, uint32_t hFile)
{
    if (nWidth < 1 || nHeight < 1 || nWidth > MAX_PICTURE_SIDE || nHeight > MAX_PICTURE_SIDE) {
        Korvid.DebugLog("%s: Failed to load - bad picture size %dx%d", szReader, nWidth, nHeight);
        return false;
    }
    const int32_t nFileBytes = Korvid.FileSize(hFile);
    if ((uint64_t)nWidth * (uint64_t)nHeight > (uint64_t)(nFileBytes > 0 ? nFileBytes : 0) * MAX_PIXELS_PER_FILE_BYTE) {
        Korvid.DebugLog("%s: Failed to load - picture size %dx%d too large for a file of %d bytes", szReader, nWidth,
                        nHeight, (int)nFileBytes);
        return false;
    }
    return true;
}

bool ReadExactly(uint32_t hFile, void* pDest, uint32_t nBytes)
{
    if (nBytes == 0)
        return true;
    if (nBytes > (uint32_t)INT32_MAX)
        return false;
    return Korvid.FileRead(hFile, pDest, (int32_t)nBytes) == (int32_t)nBytes;
}

void SetPaletteFromBytes(const uint8_t* pBytes, int32_t nFirst, int32_t nCount, int32_t nStride, ComponentOrder Order)
{
    for (int32_t n = 0; n < nCount && nFirst + n < 256; ++n) {
        const uint8_t* pEntry = pBytes + (size_t)n * nStride;
        uint8_t r = Order == ComponentOrder::RGB ? pEntry[0] : pEntry[2];
        uint8_t b = Order == ComponentOrder::RGB ? pEntry[2] : pEntry[0];
        Korvid.SetPaletteEntry((uint32_t)(nFirst + n), r, pEntry[1], b);
    }
}

ScratchBuffer::ScratchBuffer(uint32_t nSize)
    : m_pData(nSize ? (uint8_t*)Korvid.AllocMemory(nSize) : nullptr), m_nSize(m_pData ? nSize : 0)
{
}

ScratchBuffer::~ScratchBuffer()
{
    if (m_pData)
        Korvid.FreeMemory(m_pData);
}

int ReadConvertedRows(uint32_t hFile, ChunkyObject& Chunky, RowSource Source, bool bBottomUp, const char* szReader,
                      const char* szAllocFailure, uint32_t nRowPadding)
{
    uint8_t Padding[4];
    ScratchBuffer Row((uint32_t)Chunky.nWidth * Source.nBytesPerPixel);
    if (!Row.Data()) {
        Korvid.DebugLog("%s", szAllocFailure);
        return 0;
    }
    const size_t nRowBytes = (size_t)Chunky.nWidth * Chunky.nBytesPerPixel;
    for (int32_t nRead = 0; nRead < Chunky.nHeight; ++nRead) {
        if (!ReadExactly(hFile, Row.Data(), Row.Size()) || !ReadExactly(hFile, Padding, nRowPadding)) {
            Korvid.DebugLog("%s: Failed to load - file ends at row %d", szReader, nRead);
            return 0;
        }
        int32_t y = bBottomUp ? Chunky.nHeight - 1 - nRead : nRead;
        ConvertRow(Row.Data(), Source, Chunky.pPixels + y * nRowBytes, Chunky.nWidth, Chunky.nBytesPerPixel * 8);
    }
    return 1;
}

int ReadIndexRowsBottomUp(uint32_t hFile, ChunkyObject& Chunky, const char* szReader, uint32_t nRowPadding)
{
    uint8_t Padding[4];
    for (int32_t nRead = 0; nRead < Chunky.nHeight; ++nRead) {
        int32_t y = Chunky.nHeight - 1 - nRead;
        if (!ReadExactly(hFile, Chunky.pPixels + (size_t)y * Chunky.nWidth, Chunky.nWidth) ||
            !ReadExactly(hFile, Padding, nRowPadding)) {
            Korvid.DebugLog("%s: Failed to load - file ends at row %d", szReader, nRead);
            return 0;
        }
    }
    return 1;
}

}  // namespace KorvidImage

using namespace KorvidImage;

namespace {

enum class ImageKind { KVP, Unsupported, PCX, BMP, TGA };

// The reader is chosen by what the (lower-case) name contains, in this order.
ImageKind KindOfName(const char* szName)
{
    if (strstr(szName, ".kvp"))
        return ImageKind::KVP;
    if (strstr(szName, ".jpg") || strstr(szName, ".jpeg"))
        return ImageKind::Unsupported;
    if (strstr(szName, ".pcx"))
        return ImageKind::PCX;
    if (strstr(szName, ".bmp"))
        return ImageKind::BMP;
    if (strstr(szName, ".png"))
        return ImageKind::Unsupported;
    return ImageKind::TGA;
}

int RunReader(ImageKind Kind, uint32_t hFile, uint32_t nChunky, uint8_t nFlags)
{
    switch (Kind) {
    case ImageKind::KVP: return LoadKVP(hFile, nChunky, nFlags);
    case ImageKind::PCX: return LoadPCX(hFile, nChunky, nFlags);
    case ImageKind::BMP: return LoadBMP(hFile, nChunky, nFlags);
    case ImageKind::TGA: return LoadTGA(hFile, nChunky, nFlags);
    case ImageKind::Unsupported: break;
    }
    return 0;
}

}  // namespace

int KorvidGFX::LoadChunky(uint32_t nChunky, const char* szName, uint8_t nFlags)
{
    KorvidProfileScope Section("KorvidGFX::LoadChunky()");
    if (nChunky >= m_nChunkyTableSize) {
        Korvid.DebugLog("ERROR: ** Invalid Chunky Number %d **", (int)nChunky);
        return 0;
    }
    if (!szName || !szName[0]) {
        Korvid.DebugLog("ERROR: ** Illegal Filename **");
        return 0;
    }
    // Names are opened in lower case; one longer than the file layer's names is refused.
    char szLower[KOR_FILE_NAME_SIZE];
    size_t nLength = strlen(szName);
    if (nLength >= sizeof(szLower)) {
        Korvid.DebugLog("ERROR: ** Image Filename Too Long (%d characters) **", (int)nLength);
        return 0;
    }
    for (size_t n = 0; n <= nLength; ++n)
        szLower[n] = (char)tolower((unsigned char)szName[n]);

    uint32_t hFile = Korvid.FileOpen(szLower, KOR_FILE_READ);
    if (!hFile) {
        Korvid.DebugLog("ERROR: ** Failed to open Image '%s' **", szLower);
        return 0;
    }
    int nResult = RunReader(KindOfName(szLower), hFile, nChunky, nFlags);
    Korvid.FileClose(hFile);
    return nResult;
}

int KorvidGFX::SaveChunky(uint32_t nChunky, const char* szName, uint8_t nFormat, int8_t nLevel)
{
    KorvidProfileScope Section("KorvidGFX::SaveChunky()");
    const ChunkyObject* pChunky = ExistingChunky(nChunky);
    if (!szName || !szName[0] || strlen(szName) >= KOR_FILE_NAME_SIZE || !pChunky)
        return 0;
    uint32_t hFile = Korvid.FileOpen(szName, KOR_FILE_WRITE);
    if (!hFile)
        return 0;
    switch (nFormat) {
    case KOR_SAVE_BMP: SaveBMP(hFile, nChunky, *pChunky); break;
    case KOR_SAVE_KVP: SaveKVP(hFile, nChunky, *pChunky, nLevel); break;
    case KOR_SAVE_TGA: SaveTGA(hFile, nChunky, *pChunky); break;
    case KOR_SAVE_PCX: Korvid.DebugLog("WARNING: Function SaveChunkyPCX() Not Implemented!"); break;
    default: break;
    }
    Korvid.FileClose(hFile);
    return 1;
}
