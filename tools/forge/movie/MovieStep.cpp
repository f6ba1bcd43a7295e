// The forge step "movies".
#include "MovieStep.h"

#include "LogoMovie.h"

namespace {

bool WriteLogo(const ForgeContext& Context, const LogoScene& Scene)
{
    LogoMovieResult Movie;
    const std::string Relative = "gfx/" + Scene.Name() + ".kva";
    if (!MakeLogoMovie(Context, Scene, Movie) || !ForgeWriteFile(Context, Relative, Movie.Bytes))
        return false;
    const KvaWriterStats& Stats = Movie.Stats;
    ForgeSay("  %s: %d frames (%d key, %d delta, %d held), %d palettes, blocks Z %d RLE %d X %d raw %d, %zu bytes",
             Relative.c_str(), Scene.FrameCount(), Stats.nKeyFrames, Stats.nDeltaFrames, Stats.nHeldFrames,
             Stats.nPaletteChanges, Stats.Blocks(KvaBlock::Z), Stats.Blocks(KvaBlock::Rle), Stats.Blocks(KvaBlock::X),
             Stats.Blocks(KvaBlock::Raw), Movie.Bytes.size());
    return true;
}

}  // namespace

bool ForgeMovies(const ForgeContext& Context)
{
    return WriteLogo(Context, OstraLogo()) && WriteLogo(Context, VelmoraLogo());
}
