// A .kva movie on any bytes: opened onto a chunky (with its own sound track)
// and played to the end, every frame shown, the clock moved one frame at a time.
#include "FuzzSupport.h"
#include "korvid.h"

namespace {

constexpr uint32_t FUZZ_CHUNKY = 1;
constexpr const char* FUZZ_MOVIE = "movie.kva";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzStartEngine(FuzzEngineParts::Display);
    FuzzWriteFile(FUZZ_MOVIE, pData, nSize);
    if (Korvid.OpenMovie(FUZZ_CHUNKY, FUZZ_MOVIE, -1) == 1) {
        // Every frame is read from the file, so a short file ends the movie early;
        // the count caps the loop for a movie that never ends by itself.
        int32_t nCalls = Korvid.MovieFrameCount() + 2;
        while (nCalls-- > 0 && Korvid.UpdateMovie(0))
            FuzzAdvanceClock((uint32_t)Korvid.MovieFrameTime());
    }
    Korvid.CloseMovie();
    Korvid.FreeChunky(FUZZ_CHUNKY);
    return 0;
}
