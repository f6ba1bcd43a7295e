// What an X drawable shows against the back buffer, both as red 5, green 6 and
// blue 5 bits (the game's depth): a 24-bit screen holds the presented 16-bit
// picture exactly.
#pragma once
#include <cstdint>
#include <vector>

// Before Xlib: its macros (DisplayWidth...) would rename the engine's members.
#include "korvid.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace x11test {

inline uint16_t Bits565(unsigned long r, unsigned long g, unsigned long b)
{
    return (uint16_t)((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

// A rectangle of the drawable, row by row; empty when X refuses it.
inline std::vector<uint16_t> DrawablePixels(Display* pDisplay, Drawable nDrawable, int nWidth, int nHeight)
{
    std::vector<uint16_t> Out;
    XImage* pImage = XGetImage(pDisplay, nDrawable, 0, 0, (unsigned)nWidth, (unsigned)nHeight, ~0ul, ZPixmap);
    if (!pImage)
        return Out;
    Out.reserve((size_t)nWidth * nHeight);
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x) {
            const unsigned long p = XGetPixel(pImage, x, y);
            Out.push_back(Bits565(p >> 16 & 255, p >> 8 & 255, p & 255));
        }
    XDestroyImage(pImage);
    return Out;
}

// Chunky 0, the back buffer, row by row.
inline std::vector<uint16_t> BackBuffer565()
{
    const uint16_t* pPixels = (const uint16_t*)Korvid.ChunkyBuffer(0);
    std::vector<uint16_t> Out;
    for (uint32_t n = 0; n < Korvid.ChunkyWidth(0) * Korvid.ChunkyHeight(0); ++n) {
        const auto Colour = Korvid.Unpack(pPixels[n]);
        Out.push_back(Bits565(Colour.r, Colour.g, Colour.b));
    }
    return Out;
}

}  // namespace x11test
