// The level and parameter files on any bytes. The first byte picks the file
// number and the slot in it, the next two where the input splits into level file
// and parameter file. Both go through the format's decoder, which reads every
// slot, and through the game's loader for the chosen slot (one slot an input: the
// loader opens both files for each slot it reads).
#include <vector>

#include "FuzzSupport.h"
#include "GameState.h"
#include "Levels.h"
#include "korvid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzStartEngine(FuzzEngineParts::Files);
    if (nSize < 3)
        return 0;
    int nFile = 1 + pData[0] % LEVEL_FILE_COUNT;
    int32_t nLevel = (nFile - 1) * LEVELS_PER_FILE + pData[0] / LEVEL_FILE_COUNT % LEVELS_PER_FILE;
    size_t nSplit = (size_t)(pData[1] << 8 | pData[2]);
    const uint8_t* pRest = pData + 3;
    size_t nRest = nSize - 3;
    if (nSplit > nRest)
        nSplit = nRest;
    std::vector<uint8_t> LevelBytes(pRest, pRest + nSplit);
    std::vector<uint8_t> ParamBytes(pRest + nSplit, pRest + nRest);

    LevelFileData File;
    int nDropped = 0;
    std::string Reason;
    if (LevelDecodeFile(LevelBytes, ParamBytes, nFile, File, nDropped, Reason) &&
        File.Levels.size() > (size_t)LEVELS_PER_FILE)
        FuzzFail("a level file decoded into more than ten levels");

    FuzzWriteFile(("data/" + LevelFileName(LevelSet::Normal, nFile)).c_str(), LevelBytes.data(), LevelBytes.size());
    FuzzWriteFile(("data/" + LevelParamFileName(LevelSet::Normal, nFile)).c_str(), ParamBytes.data(),
                  ParamBytes.size());
    if (nLevel < GAME_LEVEL_SLOTS) {
        GameLoadLevel(nLevel);
        if (g_nLevelBackground < 0 || g_nLevelBackground > LEVEL_BACKGROUND_MAX)
            FuzzFail("a background number outside 0..20");
    }
    return 0;
}
