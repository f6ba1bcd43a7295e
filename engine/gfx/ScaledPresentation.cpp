// Presenting the back buffer into a screen surface larger than the display: a
// whole-number scale that repeats every pixel, centred on black, or a filtered
// stretch. The back buffer is converted to the screen's format a band of rows at
// a time by the plain presentation (the band stays in the cache), then widened.
#include <algorithm>
#include <cstring>
#include <vector>

#include "gfx/GfxInternal.h"
#include "gfx/KorvidGFX.h"
#include "gfx/ScaledView.h"
#include "gfx/VectorClones.h"
#include "korvid.h"

namespace {

// The converted band of rows; a display row wider than this is not presented.
constexpr size_t BAND_BYTES = 64 * 1024;

// Screen pixels read and written at any alignment (a pitch or a bar may be odd).
using KorvidGfxInternal::Unaligned;
typedef Unaligned<uint16_t> LooseHalf;
typedef Unaligned<uint32_t> LooseWord;

// Each of nCount pixels written nScale times side by side; the loop the
// compiler turns into vector shuffles for the common scales. The index is as
// wide as a pointer: a 32-bit one may wrap, so the stores could not be proven
// side by side and scale 3 stayed one store per pixel.
template <typename Pixel, int SCALE>
KORVID_VECTOR_CLONES void WidenPixels(Pixel* __restrict pOut, const Pixel* __restrict pIn, uint32_t nCount)
{
    for (size_t k = 0; k < nCount; ++k)
        for (size_t j = 0; j < SCALE; ++j)
            pOut[k * SCALE + j] = pIn[k];
}

// Scale 2 as one store of twice the width per pixel: the widest vector form.
template <typename Pixel, typename Double>
KORVID_VECTOR_CLONES void DoublePixels(Unaligned<Double>* __restrict pOut, const Pixel* __restrict pIn,
                                       uint32_t nCount)
{
    for (uint32_t k = 0; k < nCount; ++k)
        pOut[k].v = (Double)pIn[k] | (Double)pIn[k] << (8 * sizeof(Pixel));
}

void WidenBytes(uint8_t* pOut, const uint8_t* pIn, uint32_t nCount, uint32_t nBytes, uint32_t nScale)
{
    for (uint32_t k = 0; k < nCount; ++k)
        for (uint32_t j = 0; j < nScale; ++j)
            memcpy(pOut + ((size_t)k * nScale + j) * nBytes, pIn + (size_t)k * nBytes, nBytes);
}

template <typename Pixel>
void WidenAs(uint8_t* pOut, const uint8_t* pIn, uint32_t nCount, uint32_t nScale)
{
    switch (nScale) {
    case 2: WidenPixels<Pixel, 2>((Pixel*)pOut, (const Pixel*)pIn, nCount); break;
    case 3: WidenPixels<Pixel, 3>((Pixel*)pOut, (const Pixel*)pIn, nCount); break;
    case 4: WidenPixels<Pixel, 4>((Pixel*)pOut, (const Pixel*)pIn, nCount); break;
    default: WidenBytes(pOut, pIn, nCount, sizeof(Pixel), nScale); break;
    }
}

void WidenRow(uint8_t* pOut, const uint8_t* pIn, uint32_t nCount, uint32_t nBytes, uint32_t nScale)
{
    if (nScale == 1)
        memcpy(pOut, pIn, (size_t)nCount * nBytes);
    else if (nBytes == 4 && nScale == 2)
        DoublePixels<uint32_t, uint64_t>((Unaligned<uint64_t>*)pOut, (const uint32_t*)pIn, nCount);
    else if (nBytes == 2 && nScale == 2)
        DoublePixels<uint16_t, uint32_t>((Unaligned<uint32_t>*)pOut, (const uint16_t*)pIn, nCount);
    else if (nBytes == 4)
        WidenAs<LooseWord>(pOut, pIn, nCount, nScale);
    else if (nBytes == 2)
        WidenAs<LooseHalf>(pOut, pIn, nCount, nScale);
    else if (nBytes == 1)
        WidenAs<uint8_t>(pOut, pIn, nCount, nScale);
    else
        WidenBytes(pOut, pIn, nCount, nBytes, nScale);
}

// The two source pixels a filtered output pixel lies between, and its weight
// toward the second (0..256), for nOut pixels spread over nIn.
struct FilterStep {
    uint32_t nFirst, nSecond, nWeight;
};
FilterStep FilterAt(uint32_t nAt, uint32_t nOut, uint32_t nIn)
{
    // Pixel centres in 1/256ths of a source pixel.
    const int64_t nCentre = (((int64_t)2 * nAt + 1) * nIn * 256) / ((int64_t)2 * nOut) - 128;
    const int64_t nClamped = std::max<int64_t>(nCentre, 0);
    const uint32_t nFirst = std::min<uint32_t>((uint32_t)(nClamped >> 8), nIn - 1);
    return {nFirst, std::min(nFirst + 1, nIn - 1), (uint32_t)(nClamped & 255)};
}

// Bytes mixed channel by channel: fits every screen of 8-bit channels (24 and
// 32 bits); other screens take the nearer pixel.
uint8_t Mix(uint32_t a, uint32_t b, uint32_t nWeight) { return (uint8_t)((a * (256 - nWeight) + b * nWeight) >> 8); }

// Mix on the four channels of a 32-bit pixel at once, two to a multiply: a
// channel's products stay below 65536, so the lanes never spill into each other
// and the result is Mix's, byte for byte.
uint32_t MixWord(uint32_t a, uint32_t b, uint32_t nWeight)
{
    auto Lanes = [&](uint32_t nMask, int nShift) {
        const uint32_t x = a >> nShift & nMask, y = b >> nShift & nMask;
        return ((x * (256 - nWeight) + y * nWeight) >> 8 & nMask) << nShift;
    };
    return Lanes(0x00FF00FF, 0) | Lanes(0x00FF00FF, 8);
}

// One output pixel of the filtered stretch from its four source pixels.
void FilterPixel(uint8_t* pOut, const uint8_t* a, const uint8_t* b, const uint8_t* c, const uint8_t* d,
                 uint32_t nAcross, uint32_t nDown, uint32_t nBytes)
{
    if (nBytes == 4) {
        using KorvidGfxInternal::Load;
        const uint32_t nTop = MixWord(Load<uint32_t>(a), Load<uint32_t>(b), nAcross);
        const uint32_t nBottom = MixWord(Load<uint32_t>(c), Load<uint32_t>(d), nAcross);
        KorvidGfxInternal::Store<uint32_t>(pOut, MixWord(nTop, nBottom, nDown));
        return;
    }
    for (uint32_t k = 0; k < nBytes; ++k)
        pOut[k] = Mix(Mix(a[k], b[k], nAcross), Mix(c[k], d[k], nAcross), nDown);
}

}  // namespace

KorvidScaledView KorvidFitView(int32_t nDisplayWidth, int32_t nDisplayHeight, int32_t nSurfaceWidth,
                               int32_t nSurfaceHeight, bool bSmooth)
{
    KorvidScaledView View{};
    if (nDisplayWidth <= 0 || nDisplayHeight <= 0 || nSurfaceWidth <= 0 || nSurfaceHeight <= 0)
        return {1, 0, 0, nDisplayWidth, nDisplayHeight};
    View.nScale = std::min(nSurfaceWidth / nDisplayWidth, nSurfaceHeight / nDisplayHeight);
    if (bSmooth || View.nScale < 1) {
        View.nScale = 0;
        // The display's shape: as wide as the surface unless that makes it too tall.
        View.nWidth = nSurfaceWidth;
        View.nHeight = (int32_t)((int64_t)nSurfaceWidth * nDisplayHeight / nDisplayWidth);
        if (View.nHeight > nSurfaceHeight) {
            View.nHeight = nSurfaceHeight;
            View.nWidth = (int32_t)((int64_t)nSurfaceHeight * nDisplayWidth / nDisplayHeight);
        }
    } else {
        View.nWidth = nDisplayWidth * View.nScale;
        View.nHeight = nDisplayHeight * View.nScale;
    }
    View.nLeft = (nSurfaceWidth - View.nWidth) / 2;
    View.nTop = (nSurfaceHeight - View.nHeight) / 2;
    return View;
}

void KorvidSurfaceToDisplay(const KorvidScaledView& View, int32_t nDisplayWidth, int32_t nDisplayHeight, int32_t& x,
                            int32_t& y)
{
    auto Map = [](int32_t n, int32_t nStart, int32_t nSize, int32_t nDisplay) {
        if (nSize <= 0 || nDisplay <= 0)
            return 0;
        const int64_t nInside = std::clamp<int64_t>((int64_t)n - nStart, 0, nSize - 1);
        return (int32_t)std::min<int64_t>(nInside * nDisplay / nSize, nDisplay - 1);
    };
    x = Map(x, View.nLeft, View.nWidth, nDisplayWidth);
    y = Map(y, View.nTop, View.nHeight, nDisplayHeight);
}

bool KorvidGFX::PresentScaled(const ChunkyObject* pChunky, void* pScreen, int32_t nPitch, int32_t nSurfaceWidth,
                              int32_t nSurfaceHeight, bool bSmooth)
{
    KorvidProfileScope Section("KorvidGFX::PresentScaled()");
    if (!pChunky || !pChunky->pPixels || !pScreen)
        return false;
    const uint32_t nBytes = m_Format.nScreenDepth / 8;
    const uint32_t nWidth = pChunky->nWidth, nHeight = pChunky->nHeight;
    const size_t nRowBytes = (size_t)nWidth * nBytes;
    if (pChunky->nWidth != m_nDisplayWidth || pChunky->nHeight != m_nDisplayHeight || nBytes == 0 ||
        nRowBytes > BAND_BYTES || std::abs((int64_t)nPitch) < (int64_t)nSurfaceWidth * nBytes) {
        Korvid.DebugLog("ERROR: ** PresentScaled() - Chunky %dx%d cannot go to a %dx%d %dbit surface with pitch %d **",
                        nWidth, nHeight, nSurfaceWidth, nSurfaceHeight, m_nDepth, nPitch);
        return false;
    }
    uint8_t* pSurface = (uint8_t*)pScreen;
    auto SurfaceRow = [&](int32_t y) { return pSurface + (ptrdiff_t)y * nPitch; };
    if (m_bFullUpdate) {
        for (int32_t y = 0; y < nSurfaceHeight; ++y)
            memset(SurfaceRow(y), 0, (size_t)nSurfaceWidth * nBytes);
        m_bFullUpdate = 0;
    }
    const KorvidScaledView View = KorvidFitView(nWidth, nHeight, nSurfaceWidth, nSurfaceHeight, bSmooth);
    alignas(64) uint8_t Band[BAND_BYTES];
    // Rows y0 .. y0 + nRows - 1 of the back buffer in the screen's format, into Band.
    auto ConvertRows = [&](uint32_t y0, uint32_t nRows) {
        ChunkyObject Rows = *pChunky;
        Rows.pPixels += (size_t)y0 * nWidth * pChunky->nBytesPerPixel;
        Rows.nHeight = (uint16_t)nRows;
        Rows.nSize = nRows * nWidth * pChunky->nBytesPerPixel;
        return m_nDepth == 8 ? DumpIndexed(&Rows, Band, (int32_t)nRowBytes, false)
                             : DumpPacked(&Rows, Band, (int32_t)nRowBytes, false);
    };
    if (View.nScale > 0) {
        const uint32_t nBandRows = (uint32_t)(BAND_BYTES / nRowBytes);
        for (uint32_t y0 = 0; y0 < nHeight; y0 += nBandRows) {
            const uint32_t nRows = std::min(nBandRows, nHeight - y0);
            if (!ConvertRows(y0, nRows))
                return false;
            for (uint32_t r = 0; r < nRows; ++r) {
                const int32_t nTop = View.nTop + (int32_t)(y0 + r) * View.nScale;
                uint8_t* pFirst = SurfaceRow(nTop) + (size_t)View.nLeft * nBytes;
                WidenRow(pFirst, Band + r * nRowBytes, nWidth, nBytes, (uint32_t)View.nScale);
                for (int32_t k = 1; k < View.nScale; ++k)
                    memcpy(SurfaceRow(nTop + k) + (size_t)View.nLeft * nBytes, pFirst, nRowBytes * View.nScale);
            }
        }
        return true;
    }
    // The filtered stretch: two converted source rows (the band's first two) per output row.
    uint8_t* pUpper = Band;
    uint8_t* pLower = Band + nRowBytes;
    int64_t nUpperRow = -1, nLowerRow = -1;
    auto Fetch = [&](uint32_t nRow, uint8_t* pInto, int64_t& nHeld) {
        if (nHeld == nRow)
            return true;
        ChunkyObject Row = *pChunky;
        Row.pPixels += (size_t)nRow * nWidth * pChunky->nBytesPerPixel;
        Row.nHeight = 1;
        Row.nSize = nWidth * pChunky->nBytesPerPixel;
        nHeld = nRow;
        return m_nDepth == 8 ? DumpIndexed(&Row, pInto, (int32_t)nRowBytes, false)
                             : DumpPacked(&Row, pInto, (int32_t)nRowBytes, false);
    };
    if (2 * nRowBytes > BAND_BYTES)
        return false;
    const bool bFiltered = nBytes >= 3;
    // The same steps across for every row.
    std::vector<FilterStep> Across((size_t)View.nWidth);
    for (int32_t x = 0; x < View.nWidth; ++x)
        Across[(size_t)x] = FilterAt((uint32_t)x, (uint32_t)View.nWidth, nWidth);
    for (int32_t y = 0; y < View.nHeight; ++y) {
        const FilterStep Down = FilterAt((uint32_t)y, (uint32_t)View.nHeight, nHeight);
        if (!Fetch(Down.nFirst, pUpper, nUpperRow) || !Fetch(Down.nSecond, pLower, nLowerRow))
            return false;
        uint8_t* pOut = SurfaceRow(View.nTop + y) + (size_t)View.nLeft * nBytes;
        for (const FilterStep& Step : Across) {
            if (bFiltered)
                FilterPixel(pOut, pUpper + Step.nFirst * nBytes, pUpper + Step.nSecond * nBytes,
                            pLower + Step.nFirst * nBytes, pLower + Step.nSecond * nBytes, Step.nWeight,
                            Down.nWeight, nBytes);
            else
                memcpy(pOut, (Down.nWeight < 128 ? pUpper : pLower) +
                                 (Step.nWeight < 128 ? Step.nFirst : Step.nSecond) * nBytes,
                       nBytes);
            pOut += nBytes;
        }
    }
    return true;
}
