// The engine's own picture format, .kvp. Header fields are big-endian:
//
//   0  4    magic "KVP1" (written, not checked)
//   4  1    version (1)
//   5  1    palette flag: a 768-byte palette (256 x red, green, blue) follows the header
//   6  2    width
//   8  2    height
//   10 1    depth in bits: 8, 16 or 24
//   11 1    compression: 0 stored, 1 compressed
//   12 4    data size: the pixel bytes that follow the header and palette
//
// Pixels are row-major, top row first, unpadded: 8-bit palette indices (an RLE
// block when compressed), 16-bit little-endian pixels in the internal format
// (a Z block), or red, green, blue bytes (a Z block).
#include "gfx/ImageFiles.h"
#include "korvid.h"

namespace KorvidImage {

namespace {

constexpr uint32_t KVP_HEADER_SIZE = 16;
constexpr uint32_t KVP_PALETTE_SIZE = 768;

struct KvpHeader {
    bool bPalette;
    uint16_t nWidth, nHeight;
    uint8_t nDepth, nCompression;
    uint32_t nDataSize;
};

KvpHeader ParseHeader(const uint8_t* p)
{
    return {p[5] != 0, GetBE16(p + 6), GetBE16(p + 8), p[10], p[11], GetBE32(p + 12)};
}

// A decoder fills what it can; whatever it did not write is cleared so no
// leftover block bytes show as pixels.
void ClearBeyond(uint8_t* pBuffer, int32_t nDecoded, uint32_t nCapacity)
{
    uint32_t nKept = nDecoded > 0 ? (uint32_t)nDecoded : 0;
    if (nKept < nCapacity)
        memset(pBuffer + nKept, 0, nCapacity - nKept);
}

bool CreateChunky(uint32_t nChunky, const KvpHeader& Header, uint8_t nDepth)
{
    if (Korvid.InitChunky(nChunky, Header.nWidth, Header.nHeight, nDepth))
        return true;
    Korvid.DebugLog("LoadKVP: Failed to load - error allocating ChunkyObject %dx%d %dbit", Header.nWidth,
                    Header.nHeight, nDepth);
    return false;
}

// 8- and 16-bit pictures are read straight into the chunky at the file's depth.
int LoadPlanePixels(uint32_t hFile, uint32_t nChunky, const KvpHeader& Header)
{
    if (!CreateChunky(nChunky, Header, Header.nDepth))
        return 0;
    ChunkyObject& Chunky = *Korvid.ExistingChunky(nChunky);
    if (Header.nDataSize > Chunky.nSize) {
        Korvid.DebugLog("LoadKVP: Failed to load - data size %u larger than the picture (%u bytes)", Header.nDataSize,
                        Chunky.nSize);
        return 0;
    }
    if (!ReadExactly(hFile, Chunky.pPixels, Header.nDataSize)) {
        Korvid.DebugLog("LoadKVP: Failed to load - file ends inside the picture data");
        return 0;
    }
    if (Header.nCompression) {
        int32_t nDecoded = Header.nDepth == 8
                               ? Korvid.DeCompress(Chunky.pPixels, (int32_t)Header.nDataSize, (int32_t)Chunky.nSize)
                               : Korvid.ZDeCompress(Chunky.pPixels, (int32_t)Header.nDataSize, (int32_t)Chunky.nSize);
        ClearBeyond(Chunky.pPixels, nDecoded, Chunky.nSize);
    }
    return 1;
}

int LoadPackedTrueColour(uint32_t hFile, ChunkyObject& Chunky, const KvpHeader& Header)
{
    const RowSource Source{ComponentOrder::RGB, 3};
    const uint32_t nUnpacked = (uint32_t)Header.nWidth * Header.nHeight * 3;
    ScratchBuffer Unpack(nUnpacked);
    if (!Unpack.Data()) {
        Korvid.DebugLog("LoadKVP: Failed to Allocate Unpack Buffer (%dK)", (int)(nUnpacked / 1024));
        Korvid.DebugLog("LoadKVP: Failed to load - Memory allocation Error");
        return 0;
    }
    if (Header.nDataSize > nUnpacked) {
        Korvid.DebugLog("LoadKVP: Failed to load - data size %u larger than the picture (%u bytes)", Header.nDataSize,
                        nUnpacked);
        return 0;
    }
    int32_t nRead = Header.nDataSize ? Korvid.FileRead(hFile, Unpack.Data(), (int32_t)Header.nDataSize) : 0;
    if (nRead <= 0) {
        // Nothing to convert: the chunky keeps the cleared pixels it was created with.
        Korvid.DebugLog("LoadKVP: Failed to Load Compressed Buffer");
        return 1;
    }
    int32_t nDecoded = Korvid.ZDeCompress(Unpack.Data(), nRead, (int32_t)nUnpacked);
    ClearBeyond(Unpack.Data(), nDecoded, nUnpacked);
    const size_t nRowBytes = (size_t)Chunky.nWidth * Chunky.nBytesPerPixel;
    for (int32_t y = 0; y < Chunky.nHeight; ++y)
        ConvertRow(Unpack.Data() + (size_t)y * Header.nWidth * 3, Source, Chunky.pPixels + y * nRowBytes,
                   Chunky.nWidth, Chunky.nBytesPerPixel * 8);
    return 1;
}

// 24-bit pictures are converted row by row into a chunky of the target depth.
int LoadTrueColour(uint32_t hFile, uint32_t nChunky, const KvpHeader& Header, uint8_t nTargetDepth)
{
    if (!CreateChunky(nChunky, Header, nTargetDepth))
        return 0;
    ChunkyObject& Chunky = *Korvid.ExistingChunky(nChunky);
    if (Header.nCompression == 0)
        return ReadConvertedRows(hFile, Chunky, {ComponentOrder::RGB, 3}, false, "LoadKVP",
                                 "LoadKVP: Failed to load - Memory allocation Error");
    if (Header.nCompression & 1)
        return LoadPackedTrueColour(hFile, Chunky, Header);
    Korvid.DebugLog("LoadKVP: Failed to load - Memory allocation Error");
    return 0;
}

}  // namespace

int LoadKVP(uint32_t hFile, uint32_t nChunky, uint8_t nFlags)
{
    uint8_t Bytes[KVP_HEADER_SIZE];
    if (!ReadExactly(hFile, Bytes, sizeof(Bytes))) {
        Korvid.DebugLog("LoadKVP: Failed to load - file too short for a header");
        return 0;
    }
    const KvpHeader Header = ParseHeader(Bytes);
    if (Header.bPalette) {
        uint8_t Palette[KVP_PALETTE_SIZE];
        if (!ReadExactly(hFile, Palette, sizeof(Palette))) {
            Korvid.DebugLog("LoadKVP: Failed to load - file ends inside the palette");
            return 0;
        }
        if (nFlags & KOR_LOAD_PALETTE)
            SetPaletteFromBytes(Palette, 0, 256, 3, ComponentOrder::RGB);
    }
    const uint8_t nTargetDepth = TargetDepth(nFlags, Header.nDepth);
    Korvid.DebugLog("LoadingKVP(%d) %d,%d %dBit (-> %dBit)", (int)nChunky, Header.nWidth, Header.nHeight,
                    Header.nDepth, nTargetDepth);
    if (!SanePictureSize("LoadKVP", Header.nWidth, Header.nHeight, hFile))
        return 0;
    switch (Header.nDepth) {
    case 8:
    case 16: return LoadPlanePixels(hFile, nChunky, Header);
    case 24: return LoadTrueColour(hFile, nChunky, Header, nTargetDepth);
    default: break;
    }
    Korvid.DebugLog("LoadKVP: Failed to load - unsupported depth (%dBit)", Header.nDepth);
    return 0;
}

void SaveKVP(uint32_t hFile, uint32_t nChunky, const ChunkyObject& Chunky, int8_t nLevel)
{
    const uint8_t nDepth = Chunky.nBytesPerPixel * 8;
    Korvid.DebugLog("SavingKVP(%d) %d,%d %dBit", (int)nChunky, Chunky.nWidth, Chunky.nHeight, nDepth);

    // 8-bit pictures are always offered to the RLE coder, deeper ones to zlib at a
    // non-zero level; a coder that cannot make them smaller leaves them stored.
    int32_t nPacked = 0;
    const bool bCompress = (Chunky.nBytesPerPixel == 1 || nLevel != 0) && Chunky.nSize <= (uint32_t)INT32_MAX - 16;
    ScratchBuffer Work(bCompress ? Chunky.nSize + 16 : 0);
    if (Work.Data()) {
        memcpy(Work.Data(), Chunky.pPixels, Chunky.nSize);
        nPacked = Chunky.nBytesPerPixel == 1 ? Korvid.Compress(Work.Data(), (int32_t)Chunky.nSize)
                                             : Korvid.ZCompress(Work.Data(), (int32_t)Chunky.nSize, nLevel);
    }

    uint8_t Header[KVP_HEADER_SIZE] = {'K', 'V', 'P', '1', 1};
    Header[5] = Chunky.nBytesPerPixel == 1 ? 1 : 0;
    PutBE16(Header + 6, Chunky.nWidth);
    PutBE16(Header + 8, Chunky.nHeight);
    Header[10] = nDepth;
    Header[11] = nPacked > 0 ? 1 : 0;
    PutBE32(Header + 12, nPacked > 0 ? (uint32_t)nPacked : Chunky.nSize);
    Korvid.FileWrite(hFile, Header, sizeof(Header));

    if (Chunky.nBytesPerPixel == 1) {
        uint8_t Palette[KVP_PALETTE_SIZE];
        for (int n = 0; n < 256; ++n) {
            Palette[n * 3] = Korvid.PaletteRed((uint8_t)n);
            Palette[n * 3 + 1] = Korvid.PaletteGreen((uint8_t)n);
            Palette[n * 3 + 2] = Korvid.PaletteBlue((uint8_t)n);
        }
        Korvid.FileWrite(hFile, Palette, sizeof(Palette));
    }
    if (nPacked > 0)
        Korvid.FileWrite(hFile, Work.Data(), nPacked);
    else
        Korvid.FileWrite(hFile, Chunky.pPixels, (int32_t)Chunky.nSize);
}

}  // namespace KorvidImage
