// Uncompressed TGA pictures. The 18-byte header, little-endian words:
//
//   0  1  id length              8  2  x origin
//   1  1  colour-map type        10 2  y origin
//   2  1  image type             12 2  width
//   3  2  colour-map first entry 14 2  height
//   5  2  colour-map length      16 1  pixel depth
//   7  1  colour-map entry size  17 1  descriptor (ignored: rows are bottom-up)
//
// then the id field, the colour map and the rows. Only types 1 (colour-mapped)
// and 2 (true colour) are read; run-length types are refused.
#include "gfx/ImageFiles.h"
#include "korvid.h"

namespace KorvidImage {

namespace {

constexpr uint32_t TGA_HEADER_SIZE = 18;

struct TgaHeader {
    uint8_t nIdLength, nMapType, nImageType;
    uint16_t nMapFirst, nMapLength;
    uint8_t nMapEntryBits;
    uint16_t nWidth, nHeight;
    uint8_t nDepth;

    uint32_t MapBytes() const { return nMapType ? (uint32_t)nMapLength * ((nMapEntryBits + 7) / 8) : 0; }
};

TgaHeader ParseHeader(const uint8_t* p)
{
    return {p[0], p[1], p[2], GetLE16(p + 3), GetLE16(p + 5), p[7], GetLE16(p + 12), GetLE16(p + 14), p[16]};
}

void SkipBytes(uint32_t hFile, uint32_t nBytes)
{
    if (nBytes)
        Korvid.FileSeek(hFile, (int32_t)nBytes, 1);
}

int LoadTrueColour(uint32_t hFile, uint32_t nChunky, uint8_t nFlags, const TgaHeader& Header, uint8_t nTargetDepth)
{
    SkipBytes(hFile, Header.MapBytes());
    if (!Korvid.InitChunky(nChunky, Header.nWidth, Header.nHeight, nTargetDepth)) {
        Korvid.DebugLog("LoadTGA: Failed to load - error allocating ChunkyObject");
        return 0;
    }
    // With the file's own depth asked for, 24-bit rows are taken top row first.
    const bool bBottomUp = !((nFlags & KOR_LOAD_FILEDEPTH) && Header.nDepth == 24);
    return ReadConvertedRows(hFile, *Korvid.ExistingChunky(nChunky),
                             {ComponentOrder::BGR, (uint8_t)(Header.nDepth / 8)}, bBottomUp, "LoadTGA",
                             "LoadTGA: Failed to load - Memory allocation Error");
}

// The colour map of an 8-bit picture: its 24-bit entries become the palette
// (from the map's first entry on, never past entry 255) when asked for.
bool ReadColourMap(uint32_t hFile, uint8_t nFlags, const TgaHeader& Header)
{
    if (!Header.nMapType) {
        Korvid.DebugLog("No ColMap Loaded");
        return true;
    }
    if (Header.nMapEntryBits != 24 || !(nFlags & KOR_LOAD_PALETTE)) {
        if (Header.nMapEntryBits != 24)
            Korvid.DebugLog("LoadTGA: WARNING - unsupported palette type (%d bit entries)", Header.nMapEntryBits);
        SkipBytes(hFile, Header.MapBytes());
        return true;
    }
    ScratchBuffer Map(Header.MapBytes());
    if (!Map.Data() || !ReadExactly(hFile, Map.Data(), Map.Size())) {
        Korvid.DebugLog("LoadTGA: Failed to load - colour map unreadable (%d entries)", Header.nMapLength);
        return false;
    }
    SetPaletteFromBytes(Map.Data(), Header.nMapFirst, Header.nMapLength, 3, ComponentOrder::BGR);
    return true;
}

int LoadIndexed(uint32_t hFile, uint32_t nChunky, uint8_t nFlags, const TgaHeader& Header)
{
    if (!ReadColourMap(hFile, nFlags, Header))
        return 0;
    if (!Korvid.InitChunky(nChunky, Header.nWidth, Header.nHeight, 8)) {
        Korvid.DebugLog("LoadTGA: Failed to allocate ChunkyObject");
        return 0;
    }
    return ReadIndexRowsBottomUp(hFile, *Korvid.ExistingChunky(nChunky), "LoadTGA");
}

}  // namespace

int LoadTGA(uint32_t hFile, uint32_t nChunky, uint8_t nFlags)
{
    uint8_t Bytes[TGA_HEADER_SIZE];
    if (!ReadExactly(hFile, Bytes, sizeof(Bytes))) {
        Korvid.DebugLog("LoadTGA: Failed to load - file too short for a header");
        return 0;
    }
    const TgaHeader Header = ParseHeader(Bytes);
    const uint8_t nTargetDepth = TargetDepth(nFlags, Header.nDepth);
    Korvid.DebugLog("LoadingTGA(%d) %d,%d %dBit (-> %dBit)", (int)nChunky, Header.nWidth, Header.nHeight,
                    Header.nDepth, nTargetDepth);
    if (Header.nImageType != 1 && Header.nImageType != 2) {
        Korvid.DebugLog("LoadTGA: Failed to load - unsupported image type (%d)", Header.nImageType);
        return 0;
    }
    if (!SanePictureSize("LoadTGA", Header.nWidth, Header.nHeight, hFile))
        return 0;
    SkipBytes(hFile, Header.nIdLength);
    switch (Header.nDepth) {
    case 24:
    case 32: return LoadTrueColour(hFile, nChunky, nFlags, Header, nTargetDepth);
    case 8: return LoadIndexed(hFile, nChunky, nFlags, Header);
    default: break;
    }
    Korvid.DebugLog("LoadTGA: Failed to load - unsupported pixel format (%dBit)", Header.nDepth);
    return 0;
}

void SaveTGA(uint32_t hFile, uint32_t nChunky, const ChunkyObject& Chunky)
{
    const uint8_t nDepth = Chunky.nBytesPerPixel * 8;
    Korvid.DebugLog("SavingTGA(%d) %d,%d %dBit", (int)nChunky, Chunky.nWidth, Chunky.nHeight, nDepth);
    // Only 8-bit pictures carry the colour map: readers such as ImageMagick take a
    // map in a true-colour file as the pixels' palette and misread them.
    const bool bIndexed = Chunky.nBytesPerPixel == 1;
    uint8_t Header[TGA_HEADER_SIZE] = {0, (uint8_t)(bIndexed ? 1 : 0), (uint8_t)(bIndexed ? 1 : 2)};
    if (bIndexed) {
        PutLE16(Header + 5, 256);
        Header[7] = 24;
    }
    PutLE16(Header + 12, Chunky.nWidth);
    PutLE16(Header + 14, Chunky.nHeight);
    Header[16] = nDepth;
    Korvid.FileWrite(hFile, Header, sizeof(Header));

    if (bIndexed) {
        uint8_t Map[256 * 3];
        for (int n = 0; n < 256; ++n) {
            Map[n * 3] = Korvid.PaletteBlue((uint8_t)n);
            Map[n * 3 + 1] = Korvid.PaletteGreen((uint8_t)n);
            Map[n * 3 + 2] = Korvid.PaletteRed((uint8_t)n);
        }
        Korvid.FileWrite(hFile, Map, sizeof(Map));
    }

    // Rows bottom first. 16-bit pixels are re-packed as RGB555, the TGA 16-bit
    // layout; 24-bit chunkies hold red, green, blue and TGA wants blue, green, red.
    const uint32_t nRowBytes = (uint32_t)Chunky.nWidth * Chunky.nBytesPerPixel;
    ScratchBuffer Row(nRowBytes);
    if (!Row.Data())
        return;
    for (int32_t y = Chunky.nHeight - 1; y >= 0; --y) {
        const uint8_t* pSource = Chunky.pPixels + (size_t)y * nRowBytes;
        memcpy(Row.Data(), pSource, nRowBytes);
        for (uint32_t x = 0; x < Chunky.nWidth; ++x) {
            uint8_t* pPixel = Row.Data() + (size_t)x * Chunky.nBytesPerPixel;
            if (Chunky.nBytesPerPixel == 2) {
                uint16_t nPixel;
                memcpy(&nPixel, pPixel, 2);
                KorvidRGB Colour = Korvid.Unpack(nPixel);
                PutLE16(pPixel, KorvidConvert::Pack555(Colour.r, Colour.g, Colour.b));
            } else if (Chunky.nBytesPerPixel == 3) {
                std::swap(pPixel[0], pPixel[2]);
            }
        }
        Korvid.FileWrite(hFile, Row.Data(), (int32_t)nRowBytes);
    }
}

}  // namespace KorvidImage
