// Uncompressed 8- and 24-bit BMP pictures, little-endian throughout:
//
//   file header (14 bytes)  "BM", file size, reserved, data offset
//   info header (40 bytes)  size, width, height, planes, bits per pixel,
//                           compression, image size, x and y pixels per metre,
//                           colours used, colours important
//   8-bit: palette entries of blue, green, red, reserved after the info header
//
// The reader takes the pixel data to be the last image-size bytes of the file;
// it reads rows padded to four bytes (as every BMP writer, ours included, makes
// them) and unpadded rows. The writer pads every row to four bytes.
#include <cctype>

#include "gfx/ImageFiles.h"
#include "korvid.h"

namespace KorvidImage {

namespace {

constexpr uint32_t BMP_FILE_HEADER_SIZE = 14;
constexpr uint32_t BMP_INFO_HEADER_SIZE = 40;
constexpr uint32_t BMP_HEADER_SIZE = BMP_FILE_HEADER_SIZE + BMP_INFO_HEADER_SIZE;

struct BmpHeader {
    char Magic[3];
    uint32_t nDataOffset, nInfoSize;
    int32_t nWidth, nHeight;
    uint16_t nBitsPerPixel;
    uint32_t nCompression, nImageSize, nColoursUsed;
};

BmpHeader ParseHeader(const uint8_t* p)
{
    return {{(char)p[0], (char)p[1], 0},
            GetLE32(p + 10),
            GetLE32(p + 14),
            (int32_t)GetLE32(p + 18),
            (int32_t)GetLE32(p + 22),
            GetLE16(p + 28),
            GetLE32(p + 30),
            GetLE32(p + 34),
            GetLE32(p + 46)};
}

// The palette stands between the info header (of whatever size the file says)
// and the pixel data; colours used, when set, says how many entries it has.
bool ReadPalette(uint32_t hFile, const BmpHeader& Header)
{
    const uint32_t nStart = BMP_FILE_HEADER_SIZE + Header.nInfoSize;
    uint32_t nCount = Header.nColoursUsed >= 1 && Header.nColoursUsed <= 256 ? Header.nColoursUsed : 256;
    if (Header.nDataOffset > nStart && (Header.nDataOffset - nStart) / 4 < nCount)
        nCount = (Header.nDataOffset - nStart) / 4;
    uint8_t Entries[256 * 4];
    if (nStart > (uint32_t)INT32_MAX)
        return false;
    Korvid.FileSeek(hFile, (int32_t)nStart, 0);
    if (!ReadExactly(hFile, Entries, nCount * 4))
        return false;
    SetPaletteFromBytes(Entries, 0, (int32_t)nCount, 4, ComponentOrder::BGR);
    return true;
}

}  // namespace

int LoadBMP(uint32_t hFile, uint32_t nChunky, uint8_t nFlags)
{
    uint8_t Bytes[BMP_HEADER_SIZE];
    if (!ReadExactly(hFile, Bytes, sizeof(Bytes))) {
        Korvid.DebugLog("LoadBMP: Failed to load - file too short for a header");
        return 0;
    }
    const BmpHeader Header = ParseHeader(Bytes);
    const uint8_t nTargetDepth = TargetDepth(nFlags, (uint8_t)Header.nBitsPerPixel);
    Korvid.DebugLog("LoadingBMP(%d) %d,%d %dBit (-> %dBit)", (int)nChunky, Header.nWidth, Header.nHeight,
                    Header.nBitsPerPixel, nTargetDepth);
    if (toupper((unsigned char)Header.Magic[0]) != 'B' || toupper((unsigned char)Header.Magic[1]) != 'M') {
        Korvid.DebugLog("BMPLoad: Not a Valid BMP File Header '%s'", Header.Magic);
        return 0;
    }
    if (Header.nBitsPerPixel != 8 && Header.nBitsPerPixel != 24) {
        Korvid.DebugLog("BMPLoad: Unsupported BMP type - %dBit", Header.nBitsPerPixel);
        return 0;
    }
    if (!SanePictureSize("LoadBMP", Header.nWidth, Header.nHeight, hFile))
        return 0;
    if (Header.nBitsPerPixel == 8 && (nFlags & KOR_LOAD_PALETTE) && !ReadPalette(hFile, Header)) {
        Korvid.DebugLog("LoadBMP: Failed to load - file ends inside the palette");
        return 0;
    }
    if (Header.nCompression != 0) {
        Korvid.DebugLog("LoadBMP: BMP Compression not supported");
        return 0;
    }
    const uint32_t nRowBytes = (uint32_t)Header.nWidth * (Header.nBitsPerPixel / 8u);
    const uint32_t nPaddedRowBytes = (nRowBytes + 3) & ~3u;
    uint32_t nRowPadding = 0;
    if (Header.nImageSize == nPaddedRowBytes * (uint32_t)Header.nHeight)
        nRowPadding = nPaddedRowBytes - nRowBytes;
    else if (Header.nImageSize != nRowBytes * (uint32_t)Header.nHeight) {
        Korvid.DebugLog("LoadBMP: BMP Size too Funky Error (%d)", (int)Header.nImageSize);
        return 0;
    }
    const int32_t nFileSize = Korvid.FileSize(hFile);
    if (nFileSize < (int32_t)BMP_HEADER_SIZE || Header.nImageSize > (uint32_t)nFileSize - BMP_HEADER_SIZE) {
        Korvid.DebugLog("LoadBMP: Failed to load - image data (%u bytes) larger than the file", Header.nImageSize);
        return 0;
    }
    Korvid.FileSeek(hFile, -(int32_t)Header.nImageSize, 2);

    const uint8_t nChunkyDepth = Header.nBitsPerPixel == 8 ? 8 : nTargetDepth;
    if (!Korvid.InitChunky(nChunky, (uint16_t)Header.nWidth, (uint16_t)Header.nHeight, nChunkyDepth)) {
        Korvid.DebugLog("LoadBMP: Failed to load - error allocating ChunkyObject");
        return 0;
    }
    ChunkyObject& Chunky = *Korvid.ExistingChunky(nChunky);
    if (Header.nBitsPerPixel == 8)
        return ReadIndexRowsBottomUp(hFile, Chunky, "LoadBMP", nRowPadding);
    return ReadConvertedRows(hFile, Chunky, {ComponentOrder::BGR, 3}, true, "LoadBMP",
                             "LoadTGA: Failed to load - Memory allocation Error", nRowPadding);
}

void SaveBMP(uint32_t hFile, uint32_t nChunky, const ChunkyObject& Chunky)
{
    const uint8_t nDepth = Chunky.nBytesPerPixel * 8;
    Korvid.DebugLog("SavingBMP(%d) %d,%d %dBit", (int)nChunky, Chunky.nWidth, Chunky.nHeight, nDepth);
    const bool bIndexed = Chunky.nBytesPerPixel == 1;
    const bool bTrueColour = Chunky.nBytesPerPixel == 3;
    // Rows of written pixels are padded to a multiple of four bytes, as every BMP reader expects.
    const uint32_t nPixelBytes = (uint32_t)Chunky.nWidth * Chunky.nBytesPerPixel;
    const uint32_t nPaddedRow = (nPixelBytes + 3) & ~3u;
    const uint32_t nOffset = bIndexed ? 1078 : 54;
    const uint32_t nImageSize = bIndexed || bTrueColour ? nPaddedRow * Chunky.nHeight : Chunky.nSize;

    uint8_t Header[BMP_HEADER_SIZE] = {'B', 'M'};
    PutLE32(Header + 2, nOffset + nImageSize);
    PutLE32(Header + 10, nOffset);
    PutLE32(Header + 14, BMP_INFO_HEADER_SIZE);
    PutLE32(Header + 18, Chunky.nWidth);
    PutLE32(Header + 22, Chunky.nHeight);
    PutLE16(Header + 26, 1);
    PutLE16(Header + 28, nDepth);
    PutLE32(Header + 34, nImageSize);
    PutLE32(Header + 38, 2835);
    PutLE32(Header + 42, 2835);
    PutLE32(Header + 46, bIndexed ? 256 : 0);
    PutLE32(Header + 50, bIndexed ? 256 : 0);
    Korvid.FileWrite(hFile, Header, sizeof(Header));

    if (!bIndexed && !bTrueColour) {
        Korvid.DebugLog("WARNING: ** SaveChunkyBMP() - %dbit not supported **", nDepth);
        return;
    }
    if (bIndexed) {
        uint8_t Palette[256 * 4];
        for (int n = 0; n < 256; ++n) {
            Palette[n * 4] = Korvid.PaletteBlue((uint8_t)n);
            Palette[n * 4 + 1] = Korvid.PaletteGreen((uint8_t)n);
            Palette[n * 4 + 2] = Korvid.PaletteRed((uint8_t)n);
            Palette[n * 4 + 3] = 0;
        }
        Korvid.FileWrite(hFile, Palette, sizeof(Palette));
    }
    ScratchBuffer Row(nPaddedRow);
    if (!Row.Data())
        return;
    memset(Row.Data(), 0, nPaddedRow);
    for (int32_t y = Chunky.nHeight - 1; y >= 0; --y) {
        memcpy(Row.Data(), Chunky.pPixels + (size_t)y * nPixelBytes, nPixelBytes);
        if (bTrueColour)
            for (uint32_t x = 0; x < Chunky.nWidth; ++x)
                std::swap(Row.Data()[x * 3], Row.Data()[x * 3 + 2]);
        Korvid.FileWrite(hFile, Row.Data(), (int32_t)nPaddedRow);
    }
}

}  // namespace KorvidImage
