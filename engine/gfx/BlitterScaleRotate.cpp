// BlitScale and BlitRotate: blits that resample the source instead of copying it
// row for row. Scaling goes through the chunky scalers and their cached tables;
// rotation maps every source pixel forward and writes it twice to close gaps.
#include <cmath>

#include "gfx/BlitterInternal.h"
#include "korvid.h"

namespace {

using KorvidBlitter::BlitPixelBytes;

bool SameRect(const KorvidRect& a, const KorvidRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool RectInside(const KorvidRect& Rect, const ChunkyObject& Chunky)
{
    return Rect.left >= 0 && Rect.top >= 0 && Rect.left < Rect.right && Rect.top < Rect.bottom &&
           Rect.right <= Chunky.nWidth && Rect.bottom <= Chunky.nHeight;
}

// The angle's divisor is the engine's own value, not 180 / pi: rotations must land
// on the same pixels as they always have.
constexpr double kDegreesPerRadian = 57.29746936176985;

struct Rotation {
    int32_t x, y;      // where the centre lands
    int32_t nCentreX, nCentreY;
    double c, s;
};

template <typename Pixel>
void PutPixel(ChunkyObject& Dest, int64_t x, int64_t y, Pixel nPixel)
{
    if (x < 0 || y < 0 || x >= Dest.nWidth || y >= Dest.nHeight)
        return;
    reinterpret_cast<Pixel*>(Dest.pPixels)[(size_t)y * Dest.nWidth + (size_t)x] = nPixel;
}

template <typename Pixel>
void RotatePixels(const ChunkyObject& Source, ChunkyObject& Dest, const Rotation& R, Pixel nCookie)
{
    const Pixel* pSource = reinterpret_cast<const Pixel*>(Source.pPixels);
    const int64_t nOriginX = (int64_t)R.x - R.nCentreX;
    const int64_t nOriginY = (int64_t)R.y - R.nCentreY;
    for (int32_t j = 0; j < Source.nHeight; ++j) {
        for (int32_t i = 0; i < Source.nWidth; ++i) {
            const Pixel nPixel = pSource[(size_t)j * Source.nWidth + i];
            if (nPixel == nCookie)
                continue;
            const double fX = R.nCentreX + (i - R.nCentreX) * R.c + (j - R.nCentreY) * R.s;
            const double fY = R.nCentreY - (i - R.nCentreX) * R.s + (j - R.nCentreY) * R.c;
            PutPixel(Dest, nOriginX + std::lround(fX), nOriginY + std::lround(fY), nPixel);
            PutPixel(Dest, nOriginX + std::lround(fX + R.c / 2), nOriginY + std::lround(fY - R.s / 2), nPixel);
        }
    }
}

}  // namespace

void KorvidGFX::BlitScale(uint32_t nChunky, const KorvidRect& Source, const KorvidRect& Dest, uint8_t nFlags)
{
    KorvidProfileScope Section("KorvidGFX::BlitScale()");
    const ChunkyObject* pSource = ExistingChunky(nChunky);
    if (!pSource) {
        Korvid.DebugLog("ERROR: ** BlitScale(%d, ... ) - Invalid Scale Chunky **", (int)nChunky);
        return;
    }
    if (SameRect(Source, Dest)) {
        BlitArea(nChunky, Source.left, Source.top, Source.Width(), Source.Height(), Dest.left, Dest.top,
                 (nFlags & KOR_SCALE_COOKIE) ? KOR_BLIT_COOKIE : KOR_BLIT_NOCOOKIE, ColourWhite(), 50);
        return;
    }
    if (Dest.Width() <= 0 || Dest.Height() <= 0 || !m_pUsedChunky || !m_pUsedChunky->Exists())
        return;
    // The scalers read every sample of the source rectangle, so it must lie in the chunky.
    if (!RectInside(Source, *pSource)) {
        Korvid.DebugLog("ERROR: ** BlitScale(%d, ... ) - Source Rect (%d,%d %d,%d) Outside Chunky (%d,%d) **",
                        (int)nChunky, Source.left, Source.top, Source.right, Source.bottom, pSource->nWidth,
                        pSource->nHeight);
        return;
    }
    if (BlitPixelBytes(*pSource) != BlitPixelBytes(*m_pUsedChunky)) {
        Korvid.DebugLog("ERROR: ** BlitScale() From %d to %d - Chunky Depths differ **", (int)nChunky,
                        (int)m_nUsedChunky);
        return;
    }
    const float fFactorX = (float)Source.Width() / (float)Dest.Width();
    const float fFactorY = (float)Source.Height() / (float)Dest.Height();
    if (!UpdateScaleTables(Dest.Width(), Dest.Height(), fFactorX, fFactorY))
        return;
    ScaleChunkyArea(*pSource, Source.left, Source.top, *m_pUsedChunky, Dest, nFlags);
}

void KorvidGFX::BlitRotate(uint32_t nChunky, int16_t x, int16_t y, double fAngle, int16_t nCentreX, int16_t nCentreY)
{
    KorvidProfileScope Section("KorvidGFX::BlitRotate()");
    const ChunkyObject* pSource = ExistingChunky(nChunky);
    if (!pSource) {
        Korvid.DebugLog("ERROR: ** BlitRotate(%d, ... ) - Invalid Rotate Chunky **", (int)nChunky);
        return;
    }
    if (!m_pUsedChunky || !m_pUsedChunky->Exists() || !std::isfinite(fAngle))
        return;
    // The pixels are moved as they are, so both chunkies must hold the same kind.
    const uint8_t nPixelBytes = BlitPixelBytes(*pSource);
    if (nPixelBytes != BlitPixelBytes(*m_pUsedChunky)) {
        Korvid.DebugLog("ERROR: ** BlitRotate() From %d to %d - Chunky Depths differ **", (int)nChunky,
                        (int)m_nUsedChunky);
        return;
    }
    const double fRadians = (360.0 - fAngle) / kDegreesPerRadian;
    Rotation R;
    R.x = x;
    R.y = y;
    R.nCentreX = nCentreX == 0x7FFF ? pSource->nWidth / 2 : nCentreX;
    R.nCentreY = nCentreY == 0x7FFF ? pSource->nHeight / 2 : nCentreY;
    R.c = std::cos(fRadians);
    R.s = std::sin(fRadians);
    if (nPixelBytes == 1)
        RotatePixels<uint8_t>(*pSource, *m_pUsedChunky, R, (uint8_t)m_nCookie);
    else
        RotatePixels<uint16_t>(*pSource, *m_pUsedChunky, R, m_nCookie);
}
