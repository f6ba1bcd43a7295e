// korvid movie: what a movie holds, and every frame of it as a picture.
#include <cstdio>

#include "services/ChunkyPng.h"
#include "Tool.h"
#include "korvid.h"

namespace {

constexpr uint32_t SCREEN = 1;   // the movie's own chunky, made at its size

bool OpenForTool(const std::string& Path, std::string& Error)
{
    size_t nMark = EngineLogMark();
    if (Korvid.OpenMovie(SCREEN, Path.c_str(), -1) == 1)
        return true;
    std::string Reason = EngineErrorSince(nMark);
    Error = "'" + Path + "': " + (Reason.empty() ? "not a movie" : Reason);
    return false;
}

}  // namespace

bool MovieInfo(const ToolArgs& Args, std::string& Error)
{
    if (!OpenForTool(Args[0], Error))
        return false;
    printf("%s: %d frames of %d x %d, %d ms each, %s\n", Args[0].c_str(), Korvid.MovieFrameCount(),
           Korvid.ChunkyWidth(SCREEN), Korvid.ChunkyHeight(SCREEN), Korvid.MovieFrameTime(),
           Korvid.MovieSoundId() >= 0 ? "with a sound track" : "silent");
    Korvid.CloseMovie();
    return true;
}

bool MovieFrames(const ToolArgs& Args, std::string& Error)
{
    // The movie runs on the tool's own clock, one frame time per step, so every
    // frame is shown once and none is skipped.
    ToolClockStart();
    if (!OpenForTool(Args[0], Error))
        return false;
    int nWritten = 0;
    for (int nBefore = Korvid.MovieFrame(); Korvid.MovieOpen(); nBefore = Korvid.MovieFrame()) {
        size_t nMark = EngineLogMark();
        bool bGoesOn = Korvid.UpdateMovie(0) == 1;
        std::string Failure = EngineErrorSince(nMark, true);
        if (!Failure.empty()) {
            Error = "'" + Args[0] + "' ends early: " + Failure;
            return false;
        }
        bool bShown = bGoesOn ? Korvid.MovieFrame() > nBefore : nBefore + 1 == Korvid.MovieFrameCount();
        char szName[32];
        snprintf(szName, sizeof(szName), "/frame%04d.png", nBefore);
        if (bShown && !WriteChunkyPng(SCREEN, Args[1] + szName)) {
            Error = "cannot write '" + Args[1] + szName + "'";
            return false;
        }
        nWritten += bShown;
        ToolClockAdvance((uint32_t)Korvid.MovieFrameTime());
    }
    printf("%d frames written to %s\n", nWritten, Args[1].c_str());
    return true;
}
