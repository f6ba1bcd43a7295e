// Alpha masks made while grabbing: from the brightness of the source, or
// feathered from the source's shape (optionally blending a colour into the soft
// edge so that the fringe of an anti-aliased shape takes that colour).
#include "gfx/KorvidGFX.h"

#include <cmath>

#include "gfx/GfxInternal.h"
#include "korvid.h"

using namespace KorvidGfxInternal;

namespace {

// The grab rectangle of the source as the mask builders read it: positions are
// relative to the rectangle, and anything outside the source reads as cookie.
struct GrabSource {
    const ChunkyObject& Chunky;
    const KorvidRect& Rect;
    uint16_t nCookie;

    bool Inside(int32_t x, int32_t y) const
    {
        int32_t sx = Rect.left + x, sy = Rect.top + y;
        return sx >= 0 && sy >= 0 && sx < Chunky.nWidth && sy < Chunky.nHeight;
    }
    uint16_t Pixel(int32_t x, int32_t y) const { return PixelAt(Chunky, Rect.left + x, Rect.top + y); }
    bool Cookie(int32_t x, int32_t y) const { return !Inside(x, y) || IsCookiePixel(Chunky, Pixel(x, y), nCookie); }
};

uint8_t ClampAlpha(double fAlpha)
{
    if (fAlpha <= 0.0)
        return 0;
    return fAlpha >= 255.0 ? 255 : (uint8_t)fAlpha;
}

// The feather kernel: weights over a (2n + 1)^2 neighbourhood, highest in the
// middle, plus a bonus for the pixel and its four direct neighbours.
struct FeatherKernel {
    int32_t n;
    int32_t nBase;
    float fBonus;
    float fTotal;

    explicit FeatherKernel(int32_t nRadius)
    {
        n = KorvidMaths::Max(nRadius / 8, 1);
        fBonus = 6.0f / (float)(nRadius + 1);
        nBase = (int32_t)std::sqrt((double)(2 * n * n)) + 1;
        fTotal = 4 * fBonus;
        for (int32_t dy = -n; dy <= n; ++dy)
            for (int32_t dx = -n; dx <= n; ++dx)
                fTotal += (float)Weight(dx, dy);
    }
    int32_t Weight(int32_t dx, int32_t dy) const { return nBase - (int32_t)std::sqrt((double)(dx * dx + dy * dy)); }
    static bool Cross(int32_t dx, int32_t dy) { return KorvidMaths::Abs(dx) + KorvidMaths::Abs(dy) <= 1; }
};

}  // namespace

int KorvidGFX::BuildGrabAlpha(uint32_t nDest, const ChunkyObject& Source, const KorvidRect& Rect, uint8_t nFlags,
                              uint16_t nFeatherRadius, uint16_t nColour)
{
    ChunkyObject& Dest = *ChunkyRecord(nDest);
    int32_t nWidth = Rect.Width(), nHeight = Rect.Height();
    if (Dest.pPixels && (nWidth != Dest.nWidth || nHeight != Dest.nHeight)) {
        Korvid.DebugLog("ERROR: ** Chunky %d Alpha Size (%dx%d) not same as Chunky (%dx%d) **", (int)nDest, nWidth,
                        nHeight, Dest.nWidth, Dest.nHeight);
        return 0;
    }
    if (!Dest.pPixels) {
        Dest.nWidth = (uint16_t)nWidth;
        Dest.nHeight = (uint16_t)nHeight;
    }
    if (nWidth <= 0 || nHeight <= 0 || !CreateAlphaMask(Dest)) {
        Korvid.DebugLog("ERROR: ** Failed to Create Alpha Mask %d **", (int)nDest);
        return 0;
    }

    GrabSource From{Source, Rect, m_nCookie};
    uint8_t* pMask = Dest.pAlpha;
    if (nFlags & KOR_GRAB_ALPHAONLY) {
        for (int32_t y = 0; y < nHeight; ++y)
            for (int32_t x = 0; x < nWidth; ++x, ++pMask) {
                if (!From.Inside(x, y))
                    continue;
                uint16_t nPixel = From.Pixel(x, y);
                KorvidRGB Colour;
                if (Source.nBytesPerPixel == 1)
                    Colour = {m_Palette[nPixel & 0xFF].r, m_Palette[nPixel & 0xFF].g, m_Palette[nPixel & 0xFF].b};
                else
                    Colour = Unpack(nPixel);
                *pMask = ClampAlpha((Colour.r + Colour.g + Colour.b) / 2.9);
            }
        return 1;
    }

    bool bColourEdge = (nFlags & KOR_GRAB_FEATHERCOLOUR) != 0;
    int32_t nRadius = bColourEdge ? (int32_t)(nFeatherRadius * 1.6) : nFeatherRadius;
    FeatherKernel Kernel(nRadius);
    float fScale = 256.0f / Kernel.fTotal;
    for (int32_t y = 0; y < nHeight; ++y)
        for (int32_t x = 0; x < nWidth; ++x, ++pMask) {
            if (!bColourEdge && From.Cookie(x, y))
                continue;
            float fSum = 0.0f;
            // Only offsets inside the rectangle can count, so the loops stop at its edges.
            int32_t nTop = KorvidMaths::Max(-Kernel.n, -y), nBottom = KorvidMaths::Min(Kernel.n, nHeight - 1 - y);
            int32_t nLeft = KorvidMaths::Max(-Kernel.n, -x), nRight = KorvidMaths::Min(Kernel.n, nWidth - 1 - x);
            for (int32_t dy = nTop; dy <= nBottom; ++dy)
                for (int32_t dx = nLeft; dx <= nRight; ++dx) {
                    if (From.Cookie(x + dx, y + dy))
                        continue;
                    fSum += (float)Kernel.Weight(dx, dy);
                    if (FeatherKernel::Cross(dx, dy))
                        fSum += Kernel.fBonus;
                }
            *pMask = ClampAlpha(fScale * fSum);
        }
    if (bColourEdge)
        BlendColourIntoSoftEdge(Dest, nColour);
    return 1;
}

void KorvidGFX::BlendColourIntoSoftEdge(ChunkyObject& Dest, uint16_t nColour)
{
    bool bIndexed = Dest.nBytesPerPixel == 1;
    KorvidRGB Colour = bIndexed ? KorvidRGB{m_Palette[nColour & 0xFF].r, m_Palette[nColour & 0xFF].g,
                                            m_Palette[nColour & 0xFF].b}
                                : Unpack(nColour);
    uint32_t nPixels = (uint32_t)Dest.nWidth * Dest.nHeight;
    for (uint32_t n = 0; n < nPixels; ++n) {
        uint32_t a = Dest.pAlpha[n];
        if (a == 0 || a == 255)
            continue;
        uint16_t nPixel = bIndexed ? Dest.pPixels[n] : Dest.Pixels16()[n];
        uint16_t nResult;
        if (IsCookiePixel(Dest, nPixel, m_nCookie)) {
            nResult = nColour;
        } else {
            KorvidRGB Pixel = bIndexed ? KorvidRGB{m_Palette[nPixel].r, m_Palette[nPixel].g, m_Palette[nPixel].b}
                                       : Unpack(nPixel);
            auto Mix = [a](uint8_t c, uint8_t p) { return (uint8_t)((c * (255 - a) + p * a) >> 8); };
            uint8_t r = Mix(Colour.r, Pixel.r), g = Mix(Colour.g, Pixel.g), b = Mix(Colour.b, Pixel.b);
            nResult = bIndexed ? FindClosestColour(r, g, b, KOR_SEARCH_EXHAUSTIVE) : Pack(r, g, b);
        }
        if (bIndexed)
            Dest.pPixels[n] = (uint8_t)nResult;
        else
            Dest.Pixels16()[n] = nResult;
    }
}
