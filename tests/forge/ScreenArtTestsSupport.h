// Running screen painters inside the engine and reading their pictures back
// through the engine's own loader, for the screen-art tests.
#pragma once
#include "HeadlessForgeTest.h"
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "Forge.h"
#include "korvid.h"
#include "sheets.h"
#include "support/TestApp.h"

// A picture of the data set as the game loads it: 16-bit pixels, 0 transparent.
struct LoadedPicture {
    int nWidth = 0, nHeight = 0;
    std::vector<uint16_t> Pixels;

    bool Loaded() const { return nWidth > 0; }
    uint16_t At(int x, int y) const { return Pixels[(size_t)y * nWidth + x]; }
    // Brightness 0..1 of a pixel.
    float Light(int x, int y) const
    {
        KorvidRGB c = Korvid.Unpack(At(x, y));
        return (0.3f * c.r + 0.59f * c.g + 0.11f * c.b) / 255.0f;
    }
};

// Loads "gfx/<Name>.kvp" of the scratch data set (call while the engine runs).
inline LoadedPicture LoadPicture(const std::string& Name)
{
    LoadedPicture Picture;
    std::string Path = "gfx/" + Name + ".kvp";
    if (!Korvid.LoadChunky(1, Path.c_str(), KOR_LOAD_DEPTH16))
        return Picture;
    const ChunkyObject* pChunky = Korvid.ChunkyRecord(1);
    Picture.nWidth = pChunky->nWidth;
    Picture.nHeight = pChunky->nHeight;
    Picture.Pixels.assign(pChunky->Pixels16(), pChunky->Pixels16() + (size_t)pChunky->nWidth * pChunky->nHeight);
    Korvid.FreeChunky(1);
    return Picture;
}

// Statistics of a rectangle (x, y, w, h) of a picture.
struct AreaStats {
    int nOpaque = 0, nPixels = 0, nBright = 0;
    float fMeanLight = 0, fMaxLight = 0;
};
inline AreaStats Measure(const LoadedPicture& Picture, int x0, int y0, int w, int h, float fBright = 0.6f)
{
    AreaStats Stats;
    double fSum = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            ++Stats.nPixels;
            if (!Picture.At(x, y))
                continue;
            ++Stats.nOpaque;
            float fLight = Picture.Light(x, y);
            fSum += fLight;
            Stats.fMaxLight = std::max(Stats.fMaxLight, fLight);
            Stats.nBright += fLight >= fBright;
        }
    Stats.fMeanLight = Stats.nPixels ? (float)(fSum / Stats.nPixels) : 0;
    return Stats;
}
inline AreaStats Measure(const LoadedPicture& Picture, const SheetRect& Area, float fBright = 0.6f)
{
    return Measure(Picture, Area.x, Area.y, Area.w, Area.h, fBright);
}

// How many pixels of a rectangle differ between two pictures of the same size.
inline int CountDifferences(const LoadedPicture& A, const LoadedPicture& B, int x0, int y0, int w, int h)
{
    int nDiffering = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            nDiffering += A.At(x, y) != B.At(x, y);
    return nDiffering;
}

// Runs Body inside a headless engine whose data set is the scratch directory.
class ScreenArtTest : public HeadlessForgeTest {
protected:
    void RunInEngine(const std::function<void(const ForgeContext&)>& Body)
    {
        g_TestApp.Setup = [&] {
            ForgeContext Context{".", "", ""};
            Body(Context);
            return true;
        };
        EXPECT_EQ(Korvid.Main(0, nullptr), 0);
    }
};
