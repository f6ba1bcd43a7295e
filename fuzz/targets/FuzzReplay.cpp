// Replay files on any bytes: read as the game reads them before it starts; a
// file that reads must write back to the same bytes.
#include "FuzzSupport.h"
#include "ReplayFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    ReplayFile File;
    std::string Problem;
    if (!ReplayDecode(pData, nSize, File, Problem)) {
        if (Problem.empty())
            FuzzFail("a refused replay without a reason");
        return 0;
    }
    if (ReplayEncode(File) != std::vector<uint8_t>(pData, pData + nSize))
        FuzzFail("a replay that reads does not write back the same");
    return 0;
}
