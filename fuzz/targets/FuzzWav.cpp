// DecodeWAV on any bytes (PCM and Microsoft ADPCM images): the image handed
// over as the loader hands it, the decoded sound freed again.
#include <cstring>

#include "FuzzSupport.h"
#include "korvid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzStartEngine(FuzzEngineParts::Sound);
    constexpr uint32_t FUZZ_SOUND = 1;
    // An image of its own size, owned by the memory manager as LoadSound's is,
    // so that a read past its end is a read past the block.
    void* pImage = Korvid.AllocMemory((uint32_t)nSize + (nSize == 0));
    if (!pImage)
        return 0;
    memcpy(pImage, pData, nSize);
    Korvid.DecodeWAV(FUZZ_SOUND, pImage, (uint32_t)nSize, true);
    Korvid.FreeSound(FUZZ_SOUND);
    return 0;
}
