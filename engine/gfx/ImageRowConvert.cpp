// The 24-bit row conversion shared by the KVP, TGA and BMP readers: true-colour
// rows into 8-bit (nearest palette index), 16-bit (packed pixels) or 24-bit
// (red, green, blue) chunky rows. The 8- and 16-bit targets carry an error term
// per component along the row so that flat areas of a colour between two
// representable ones dither instead of banding; pixels that map to the cookie
// colour are written exactly and restart the dither, so transparency survives.
#include <cstring>

#include "gfx/ImageFiles.h"
#include "korvid.h"

namespace KorvidImage {

namespace {

struct SourcePixel {
    int32_t r, g, b;
};

SourcePixel PixelAt(const uint8_t* pSource, RowSource Source, int32_t x)
{
    const uint8_t* p = pSource + (size_t)x * Source.nBytesPerPixel;
    if (Source.Order == ComponentOrder::RGB)
        return {p[0], p[1], p[2]};
    return {p[2], p[1], p[0]};
}

int32_t Clamp255(int32_t nValue) { return nValue < 0 ? 0 : (nValue > 255 ? 255 : nValue); }

// Error terms of one row: halved toward zero before each pixel, added to the next.
struct DitherError {
    int32_t r = 0, g = 0, b = 0;
    void Decay()
    {
        r /= 2;
        g /= 2;
        b /= 2;
    }
    void Reset() { r = g = b = 0; }
    SourcePixel Apply(SourcePixel p) const { return {Clamp255(p.r + r), Clamp255(p.g + g), Clamp255(p.b + b)}; }
};

void ConvertRowTo16(const uint8_t* pSource, RowSource Source, uint8_t* pDest, int32_t nWidth)
{
    const uint16_t nCookie = Korvid.CookieColour();
    const uint8_t nFamily = Korvid.PixelFormat().nFamily;
    const int32_t nGreenLoss = nFamily == KOR_CONVERT_RGB555 || nFamily == KOR_CONVERT_RGB555_SWAPPED ? 7 : 3;
    DitherError Error;
    for (int32_t x = 0; x < nWidth; ++x) {
        Error.Decay();
        SourcePixel p = PixelAt(pSource, Source, x);
        uint16_t nPixel = Korvid.Pack((uint8_t)p.r, (uint8_t)p.g, (uint8_t)p.b);
        if (nPixel == nCookie) {
            Error.Reset();
        } else {
            SourcePixel q = Error.Apply(p);
            nPixel = Korvid.Pack((uint8_t)q.r, (uint8_t)q.g, (uint8_t)q.b);
            Error.r += q.r & 7;
            Error.g += q.g & nGreenLoss;
            Error.b += q.b & 7;
        }
        memcpy(pDest + (size_t)x * 2, &nPixel, 2);
    }
}

void ConvertRowTo8(const uint8_t* pSource, RowSource Source, uint8_t* pDest, int32_t nWidth)
{
    const uint8_t nCookie = (uint8_t)Korvid.CookieColour();
    DitherError Error;
    for (int32_t x = 0; x < nWidth; ++x) {
        Error.Decay();
        SourcePixel p = PixelAt(pSource, Source, x);
        uint8_t nIndex = Korvid.FindClosestColour((uint8_t)p.r, (uint8_t)p.g, (uint8_t)p.b, KOR_SEARCH_EXHAUSTIVE);
        if (nIndex == nCookie) {
            Error.Reset();
        } else {
            SourcePixel q = Error.Apply(p);
            nIndex = Korvid.FindClosestColour((uint8_t)q.r, (uint8_t)q.g, (uint8_t)q.b, KOR_SEARCH_EXHAUSTIVE);
            Error.r += q.r - Korvid.PaletteRed(nIndex);
            Error.g += q.g - Korvid.PaletteGreen(nIndex);
            Error.b += q.b - Korvid.PaletteBlue(nIndex);
        }
        pDest[x] = nIndex;
    }
}

void ConvertRowTo24(const uint8_t* pSource, RowSource Source, uint8_t* pDest, int32_t nWidth)
{
    for (int32_t x = 0; x < nWidth; ++x) {
        SourcePixel p = PixelAt(pSource, Source, x);
        uint8_t* pOut = pDest + (size_t)x * 3;
        pOut[0] = (uint8_t)p.r;
        pOut[1] = (uint8_t)p.g;
        pOut[2] = (uint8_t)p.b;
    }
}

}  // namespace

void ConvertRow(const uint8_t* pSource, RowSource Source, uint8_t* pDest, int32_t nWidth, uint8_t nTargetDepth)
{
    switch (nTargetDepth) {
    case 8: ConvertRowTo8(pSource, Source, pDest, nWidth); break;
    case 16: ConvertRowTo16(pSource, Source, pDest, nWidth); break;
    case 24: ConvertRowTo24(pSource, Source, pDest, nWidth); break;
    case 32: memcpy(pDest, pSource, (size_t)nWidth * Source.nBytesPerPixel); break;
    default: break;
    }
}

}  // namespace KorvidImage
