// Turning a logo scene into a movie: the palette pass, the frames with their
// fading and cycling palettes, the sound track and the contact frames.
#include "LogoMovie.h"

#include <cstdio>

#include "services/ChunkyPng.h"
#include "MoviePalette.h"
#include "korvid.h"

namespace {

constexpr uint32_t CONTACT_CHUNKY = 498;   // beside the picture writer's 499
constexpr int PALETTE_SAMPLE_STEP = 5;     // every fifth frame lends its colours to the palette
constexpr int CONTACT_FRAMES = 8;

// The cut palette for every colour the scene paints, leaving the cycling range free.
KvaPalette CutPalette(const LogoScene& Scene)
{
    PaletteBuilder Builder;
    Canvas Frame(LOGO_WIDTH, LOGO_HEIGHT);
    for (int nFrame = 0; nFrame < Scene.FrameCount(); nFrame += PALETTE_SAMPLE_STEP) {
        Scene.Paint(nFrame, Frame);
        Builder.Sample(Frame);
    }
    return Builder.Build(MOVIE_CYCLE_FIRST);
}

uint8_t Component(float f, float fBrightness)
{
    return (uint8_t)std::clamp((int)std::lround(f * fBrightness), 0, 255);
}

// The palette frame nFrame shows: the cut colours and this frame's cycling
// colours, all scaled by the frame's brightness.
KvaPalette FramePalette(const LogoScene& Scene, const KvaPalette& Cut, int nFrame)
{
    KvaPalette Palette = Cut;
    for (int nSlot = 0; nSlot < MOVIE_CYCLE_COUNT; ++nSlot) {
        Rgba Colour = Scene.CycleColour(nFrame, nSlot);
        uint8_t* pEntry = &Palette[(MOVIE_CYCLE_FIRST + nSlot) * 3];
        pEntry[0] = Component(Colour.r * 255, 1.0f);
        pEntry[1] = Component(Colour.g * 255, 1.0f);
        pEntry[2] = Component(Colour.b * 255, 1.0f);
    }
    float fBrightness = std::clamp(Scene.Brightness(nFrame), 0.0f, 1.0f);
    for (uint8_t& nComponent : Palette)
        nComponent = Component(nComponent, fBrightness);
    return Palette;
}

bool IsContactFrame(const LogoScene& Scene, int nFrame)
{
    for (int n = 1; n <= CONTACT_FRAMES; ++n)
        if (nFrame == n * (Scene.FrameCount() - 1) / (CONTACT_FRAMES + 1))
            return true;
    return false;
}

// The frame as the player shows it, as "<name>_frameNNN.png" in the contact folder.
bool WriteContactFrame(const ForgeContext& Context, const LogoScene& Scene, int nFrame,
                       const std::vector<uint8_t>& Pixels, const KvaPalette& Palette)
{
    if (!Korvid.InitChunky(CONTACT_CHUNKY, LOGO_WIDTH, LOGO_HEIGHT, 8)) {
        ForgeComplain("no chunky for the contact frames of %s", Scene.Name().c_str());
        return false;
    }
    std::copy(Pixels.begin(), Pixels.end(), Korvid.ChunkyRecord(CONTACT_CHUNKY)->pPixels);
    Korvid.SavePalette();
    float fBrightness = Korvid.Brightness();
    Korvid.SetBrightness(1.0f);
    for (uint32_t n = 0; n < 256; ++n)
        Korvid.SetPaletteEntry(n, Palette[n * 3], Palette[n * 3 + 1], Palette[n * 3 + 2]);
    char szName[64];
    snprintf(szName, sizeof(szName), "/%s_frame%03d.png", Scene.Name().c_str(), nFrame);
    bool bWritten = WriteChunkyPng(CONTACT_CHUNKY, Context.ContactDir + szName);
    Korvid.RestorePalette();
    Korvid.SetBrightness(fBrightness);
    Korvid.FreeChunky(CONTACT_CHUNKY);
    if (!bWritten)
        ForgeComplain("cannot write the contact frame '%s%s'", Context.ContactDir.c_str(), szName);
    return bWritten;
}

}  // namespace

bool MakeLogoMovie(const ForgeContext& Context, const LogoScene& Scene, LogoMovieResult& Result)
{
    const KvaPalette Cut = CutPalette(Scene);
    const PaletteMapper Mapper(Cut, MOVIE_CYCLE_FIRST);
    KvaWriter Writer(LOGO_WIDTH, LOGO_HEIGHT, LOGO_FRAME_TIME);
    Writer.SetSoundTrack(Scene.Sound().WavImage());
    Canvas Frame(LOGO_WIDTH, LOGO_HEIGHT), Before(LOGO_WIDTH, LOGO_HEIGHT);
    std::vector<uint8_t> Mapped((size_t)LOGO_WIDTH * LOGO_HEIGHT, 0), Pixels;
    for (int nFrame = 0; nFrame < Scene.FrameCount(); ++nFrame) {
        Scene.Paint(nFrame, Frame);
        Mapper.Map(Frame, Mapped, nFrame > 0 ? &Before : nullptr);
        std::swap(Frame, Before);
        Pixels = Mapped;
        Scene.PaintSparks(nFrame, Pixels);
        KvaPalette Palette = FramePalette(Scene, Cut, nFrame);
        if (!Writer.AddFrame(Pixels, Palette))
            return false;
        if (!Context.ContactDir.empty() && IsContactFrame(Scene, nFrame) &&
            !WriteContactFrame(Context, Scene, nFrame, Pixels, Palette))
            return false;
    }
    Result.Bytes = Writer.Bytes();
    Result.Stats = Writer.Stats();
    return true;
}
