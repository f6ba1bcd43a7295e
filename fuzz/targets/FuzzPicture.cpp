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

// The file's own depth, and a conversion to the display depth with its palette.
constexpr uint8_t LOAD_FLAGS[] = {KOR_LOAD_FILEDEPTH, KOR_LOAD_DEPTH16 | KOR_LOAD_PALETTE, KOR_LOAD_DEPTH8};

// The memory manager's live blocks, less the compress buffer, which the block
// decoders keep between calls on purpose.
uint32_t HeldBlocks() { return Korvid.MallocCount() - (Korvid.CompressBuffer() ? 1 : 0); }

void CheckLoadedPicture()
{
    const ChunkyObject* pChunky = Korvid.ExistingChunky(FUZZ_CHUNKY);
    if (!pChunky || !pChunky->nWidth || !pChunky->nHeight)
        FuzzFail("a loaded picture has no size");
    uint32_t nExpected = (uint32_t)pChunky->nWidth * pChunky->nHeight * pChunky->nBytesPerPixel;
    if (pChunky->nSize != nExpected)
        FuzzFail("a loaded picture's block does not match its size");
    // Reading every byte lets the address checker see a block shorter than its size.
    volatile uint32_t nSum = 0;
    for (uint32_t n = 0; n < nExpected; ++n)
        nSum = nSum + pChunky->pPixels[n];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzStartEngine(FuzzEngineParts::Display);
    FuzzWriteFile(FUZZ_PICTURE, pData, nSize);
    for (uint8_t nFlags : LOAD_FLAGS) {
        uint32_t nBlocksBefore = HeldBlocks();
        if (Korvid.LoadChunky(FUZZ_CHUNKY, FUZZ_PICTURE, nFlags) == 1)
            CheckLoadedPicture();
        Korvid.FreeChunky(FUZZ_CHUNKY);
        if (HeldBlocks() != nBlocksBefore)
            FuzzFail("loading a picture kept memory blocks");
    }
    return 0;
}
