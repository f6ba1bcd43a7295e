// The high-score name file "data/hs.dat" on any bytes, loaded as the game
// loads it at start-up (names and the scores in the settings).
#include "FuzzSupport.h"
#include "HighScores.h"
#include "korvid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzStartEngine(FuzzEngineParts::Files);
    FuzzWriteFile(HS_FILE, pData, nSize);
    HSLaden();
    return 0;
}
