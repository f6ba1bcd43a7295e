// 8-bit run-length PCX pictures: a 128-byte header (manufacturer 10, version 5,
// encoding 1, bits per pixel, window xmin, ymin, xmax, ymax little-endian at
// 4..11, plane count at 65, bytes per line at 66), the run-length data, and a
// 256-colour palette of red, green, blue in the file's last 768 bytes.
//
// Run-length data: a byte with both top bits set is a count (its low six bits)
// and the next byte the value; any other byte is one pixel. Each scan line holds
// bytes-per-line bytes, of which the first width are pixels (the rest pad the
// line to an even length).
#include "gfx/ImageFiles.h"
#include "korvid.h"

namespace KorvidImage {

namespace {

constexpr int32_t PCX_HEADER_SIZE = 128;
constexpr int32_t PCX_PALETTE_SIZE = 768;

// Decodes into the chunky; false when the data ran out early or a run was cut.
bool DecodeRuns(const uint8_t* pData, const uint8_t* pEnd, ChunkyObject& Chunky, int32_t nLineBytes)
{
    const int64_t nTotal = (int64_t)nLineBytes * Chunky.nHeight;
    int64_t nWritten = 0;
    auto Put = [&](uint8_t nValue) {
        int32_t nColumn = (int32_t)(nWritten % nLineBytes);
        if (nColumn < Chunky.nWidth)
            Chunky.pPixels[(nWritten / nLineBytes) * Chunky.nWidth + nColumn] = nValue;
        ++nWritten;
    };
    while (nWritten < nTotal) {
        if (pData >= pEnd)
            return false;
        uint8_t nByte = *pData++;
        if ((nByte & 0xC0) != 0xC0) {
            Put(nByte);
            continue;
        }
        if (pData >= pEnd)
            return false;
        uint8_t nValue = *pData++;
        for (int32_t nCount = nByte & 0x3F; nCount > 0 && nWritten < nTotal; --nCount)
            Put(nValue);
    }
    return true;
}

}  // namespace

int LoadPCX(uint32_t hFile, uint32_t nChunky, uint8_t nFlags)
{
    const int32_t nFileSize = Korvid.FileSize(hFile);
    uint8_t Header[PCX_HEADER_SIZE];
    if (!ReadExactly(hFile, Header, sizeof(Header))) {
        Korvid.DebugLog("LoadPCX: Failed to load - file too short for a header");
        return 0;
    }
    const int32_t nWidth = GetLE16(Header + 8) + 1;
    const int32_t nHeight = GetLE16(Header + 10) + 1;
    Korvid.DebugLog("LoadingPCX(%d) %d,%d %dBit", (int)nChunky, nWidth, nHeight, Header[3]);
    const struct {
        bool bBad;
        const char* szMessage;
    } Checks[] = {{Header[0] != 10, "LoadPCX: Bad manufacturer"},
                  {Header[1] != 5, "LoadPCX: Bad version"},
                  {Header[2] != 1, "LoadPCX: encoding"},
                  {Header[3] != 8, "LoadPCX: Bad bpp"},
                  {Header[65] != 1, "LoadPCX: Bad planes"}};
    for (const auto& Check : Checks)
        if (Check.bBad) {
            Korvid.DebugLog("%s", Check.szMessage);
            return 0;
        }
    if (!SanePictureSize("LoadPCX", nWidth, nHeight, hFile))
        return 0;
    if (nFileSize < PCX_HEADER_SIZE + PCX_PALETTE_SIZE) {
        Korvid.DebugLog("LoadPCX: Failed to load - file too short (%d bytes)", nFileSize);
        return 0;
    }
    if (!Korvid.InitChunky(nChunky, (uint16_t)nWidth, (uint16_t)nHeight, 8)) {
        Korvid.DebugLog("LoadPCX: Failed to load - Error Allocating ChunkyObject");
        return 0;
    }
    ScratchBuffer Whole((uint32_t)nFileSize);
    if (!Whole.Data()) {
        Korvid.DebugLog("LoadPCX: Failed to load - Error Allocating Load Buffer");
        return 0;
    }
    Korvid.FileSeek(hFile, 0, 0);
    if (!ReadExactly(hFile, Whole.Data(), Whole.Size())) {
        Korvid.DebugLog("LoadPCX: Failed to load - file ends early");
        return 0;
    }
    const uint8_t* pPalette = Whole.Data() + nFileSize - PCX_PALETTE_SIZE;
    if (nFlags & KOR_LOAD_PALETTE)
        SetPaletteFromBytes(pPalette, 0, 256, 3, ComponentOrder::RGB);

    // A bytes-per-line shorter than the width cannot be right: the lines are then
    // taken as width pixels long.
    const int32_t nLineBytes = GetLE16(Header + 66) >= nWidth ? GetLE16(Header + 66) : nWidth;
    if (!DecodeRuns(Whole.Data() + PCX_HEADER_SIZE, pPalette, *Korvid.ExistingChunky(nChunky), nLineBytes))
        Korvid.DebugLog("LoadPCX: WARNING - PCX was malformed!");
    return 1;
}

}  // namespace KorvidImage
