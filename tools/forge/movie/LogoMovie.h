// A studio logo movie: a scene painted frame by frame at full brightness, mapped
// onto a palette cut from its own colours, faded in and out through the palette,
// with sparks drawn straight in the colour-cycling indices, and a sound track.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Forge.h"
#include "KvaWriter.h"
#include "MovieSound.h"

constexpr int LOGO_WIDTH = 640;   // the game plays its logos on a 640 x 480 chunky
constexpr int LOGO_HEIGHT = 480;
constexpr int LOGO_FRAME_TIME = 40;   // ms: 25 frames a second

class LogoScene {
public:
    virtual ~LogoScene() = default;
    virtual std::string Name() const = 0;     // the movie is gfx/<Name>.kva
    virtual int FrameCount() const = 0;
    // Paints frame nFrame at full brightness over the whole LOGO_WIDTH x LOGO_HEIGHT
    // canvas (which holds the frame painted before).
    virtual void Paint(int nFrame, Canvas& Frame) const = 0;
    // Draws sparks into the indices MOVIE_CYCLE_FIRST.. of the mapped picture.
    virtual void PaintSparks(int nFrame, std::vector<uint8_t>& Pixels) const = 0;
    // The colour of cycling slot nSlot (0..MOVIE_CYCLE_COUNT - 1) in frame nFrame.
    virtual Rgba CycleColour(int nFrame, int nSlot) const = 0;
    // Palette brightness 0..1 (fades).
    virtual float Brightness(int nFrame) const = 0;
    virtual SoundTrack Sound() const = 0;
};

// Everything the forge keeps of a written movie, for its log line.
struct LogoMovieResult {
    std::vector<uint8_t> Bytes;
    KvaWriterStats Stats;
};

// Renders the scene into a movie. When Context.ContactDir is set, eight frames
// spread over the movie are also written there as "<name>_frameNNN.png".
bool MakeLogoMovie(const ForgeContext& Context, const LogoScene& Scene, LogoMovieResult& Result);

// The scenes of the two logos.
const LogoScene& OstraLogo();
const LogoScene& VelmoraLogo();
