// LoadChunky on any bytes, under the file name extension FUZZ_PICTURE_EXTENSION
// that picks the reader (".kvp", ".tga", ".bmp", ".pcx"). A picture that loads
// must have a size and exactly the pixel block its size says, read end to end;
// once it is freed, the memory manager holds no more blocks than before.
#include "FuzzSupport.h"
#include "korvid.h"

#ifndef FUZZ_PICTURE_EXTENSION
#error "FUZZ_PICTURE_EXTENSION names the reader under test"
#endif

namespace {

constexpr uint32_t FUZZ_CHUNKY = 1;
constexpr const char* FUZZ_PICTURE = "picture" FUZZ_PICTURE_EXTENSION;

// The file's own depth first, then the conversions to 16 bits with the palette
// and to 8 bits. The conversions run the same per-pixel code on every row, so
// small pictures reach all of it; a big one only costs time. The 8-bit one
// searches the whole palette for each pixel, so it takes small pictures alone:
// a fuzzer must get through well over a thousand inputs a second.
constexpr uint8_t FILE_DEPTH_LOAD = KOR_LOAD_FILEDEPTH;
struct ConvertingLoad {
    uint8_t nFlags;
    uint32_t nMaxPixels;
};
constexpr ConvertingLoad CONVERTING_LOADS[] = {
    {KOR_LOAD_DEPTH16 | KOR_LOAD_PALETTE, 512 * 512},
    {KOR_LOAD_DEPTH8, 32 * 32},
};

// The memory manager's live blocks, less the compress buffer, which the block
// decoders keep between calls on purpose.
uint32_t HeldBlocks() { return Korvid.MallocCount() - (Korvid.CompressBuffer() ? 1 : 0); }

// The loaded picture's pixel count.
uint32_t CheckLoadedPicture()
{
    const ChunkyObject* pChunky = Korvid.ExistingChunky(FUZZ_CHUNKY);
    if (!pChunky || !pChunky->nWidth || !pChunky->nHeight)
        FuzzFail("a loaded picture has no size");
    uint32_t nPixels = (uint32_t)pChunky->nWidth * pChunky->nHeight;
    uint32_t nExpected = nPixels * pChunky->nBytesPerPixel;
    if (pChunky->nSize != nExpected)
        FuzzFail("a loaded picture's block does not match its size");
    FuzzCheckReadable(pChunky->pPixels, nExpected, "a loaded picture's block is shorter than its size");
    return nPixels;
}

// The size of what a reader that gave up part-way left behind, if anything.
uint32_t PixelsLeftBehind()
{
    const ChunkyObject* pChunky = Korvid.ExistingChunky(FUZZ_CHUNKY);
    return pChunky ? (uint32_t)pChunky->nWidth * pChunky->nHeight : 0;
}

// Loads and frees the picture; the pixel count of the picture the reader made,
// or 0 when it refused the header.
uint32_t LoadAndFree(uint8_t nFlags)
{
    uint32_t nBlocksBefore = HeldBlocks();
    bool bLoaded = Korvid.LoadChunky(FUZZ_CHUNKY, FUZZ_PICTURE, nFlags) == 1;
    uint32_t nPixels = bLoaded ? CheckLoadedPicture() : PixelsLeftBehind();
    Korvid.FreeChunky(FUZZ_CHUNKY);
    if (HeldBlocks() != nBlocksBefore)
        FuzzFail("loading a picture kept memory blocks");
    return nPixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzStartEngine(FuzzEngineParts::Display);
    FuzzWriteFile(FUZZ_PICTURE, pData, nSize);
    // A header the file-depth load refuses still goes through the converting
    // loads: their readers take other paths through a damaged header.
    uint32_t nPixels = LoadAndFree(FILE_DEPTH_LOAD);
    for (const ConvertingLoad& Load : CONVERTING_LOADS)
        if (nPixels <= Load.nMaxPixels)
            LoadAndFree(Load.nFlags);
    return 0;
}
