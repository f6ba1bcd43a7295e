// The translucent layer: laying alpha-masked areas into it and blending it over
// the used chunky (see AlphaLayer.h for what a layer pixel holds).
#include "gfx/AlphaLayer.h"

#include <algorithm>

#include "gfx/GfxInternal.h"
#include "gfx/VectorClones.h"
#include "korvid.h"

using namespace KorvidGfxInternal;

namespace {

constexpr uint16_t SHOW_ALL = 256;   // T of a pixel no area touched: what lies below stays as it is
constexpr int PLANES = 4;            // T, red, green, blue

// The alpha blit's thresholds: a mask byte above OPAQUE_ABOVE takes the picture's
// pixel as it is, one not above CLEAR_UP_TO leaves what lies below.
constexpr uint16_t OPAQUE_ABOVE = 251, CLEAR_UP_TO = 3;

// The bit fields of an RGB565 (red at 11, six green bits) or RGB555 pixel.
template <int RedShift, uint16_t GreenMask>
struct Fields {
    static uint16_t Red(uint16_t p) { return (uint16_t)((p >> RedShift) & 0x1F); }
    static uint16_t Green(uint16_t p) { return (uint16_t)((p >> 5) & GreenMask); }
    static uint16_t Blue(uint16_t p) { return (uint16_t)(p & 0x1F); }
    static uint16_t Pack(uint16_t r, uint16_t g, uint16_t b) { return (uint16_t)((r << RedShift) | (g << 5) | b); }
};

struct LayerRow {
    uint16_t* __restrict pT;
    uint16_t* __restrict pRed;
    uint16_t* __restrict pGreen;
    uint16_t* __restrict pBlue;
};

// C over one more picture pixel of weight a (t = 255 - a): C x t / 256 + s x a. An
// alpha blit truncates every sum it takes, half a step lost on average, which the
// t / 2 taken off C carries into the layer; without it a pile of banks drawn
// through the layer would come out brighter than blitted one by one.
inline uint16_t Under(uint16_t nC, uint16_t t, uint16_t s, uint16_t a)
{
    const uint16_t nKept = (uint16_t)(((uint32_t)nC * (uint16_t)(t << 8)) >> 16);
    const uint16_t nBias = (uint16_t)(t >> 1);
    return (uint16_t)(nKept - std::min(nKept, nBias) + s * a);
}

// x where bWhich holds, else y, as a mask rather than a branch.
inline uint16_t Pick(bool bWhich, uint16_t x, uint16_t y)
{
    const uint16_t nMask = (uint16_t)-(uint16_t)bWhich;
    return (uint16_t)((x & nMask) | (y & ~nMask));
}

template <class F>
KORVID_VECTOR_CLONES void ComposeRow(const LayerRow& Row, const uint16_t* __restrict pSource,
                                     const uint8_t* __restrict pMask, int32_t nCount)
{
    uint16_t* __restrict pT = Row.pT;
    uint16_t* __restrict pRed = Row.pRed;
    uint16_t* __restrict pGreen = Row.pGreen;
    uint16_t* __restrict pBlue = Row.pBlue;
    for (int32_t i = 0; i < nCount; ++i) {
        const uint16_t s = pSource[i], a = pMask[i], t = (uint16_t)(255 - a);
        const uint16_t r = F::Red(s), g = F::Green(s), b = F::Blue(s);
        const bool bOpaque = a > OPAQUE_ABOVE, bMixed = a > CLEAR_UP_TO;
        // Worked out whatever the mask says and then chosen, so that the loop vectorises.
        const uint16_t nT = pT[i], nRed = pRed[i], nGreen = pGreen[i], nBlue = pBlue[i];
        const uint16_t nMixedT = (uint16_t)((uint16_t)(nT * t + 128) >> 8);
        const uint16_t nMixedRed = Under(nRed, t, r, a), nMixedGreen = Under(nGreen, t, g, a);
        const uint16_t nMixedBlue = Under(nBlue, t, b, a);
        pT[i] = Pick(bOpaque, 0, Pick(bMixed, nMixedT, nT));
        pRed[i] = Pick(bOpaque, (uint16_t)(r << 8), Pick(bMixed, nMixedRed, nRed));
        pGreen[i] = Pick(bOpaque, (uint16_t)(g << 8), Pick(bMixed, nMixedGreen, nGreen));
        pBlue[i] = Pick(bOpaque, (uint16_t)(b << 8), Pick(bMixed, nMixedBlue, nBlue));
    }
}

// d = (d x T + C) >> 8 per field: a 6-bit field times 256 plus C (at most 63 x 256)
// fits 16 bits, and kept to 16-bit sums the loop is vectorised in 16-bit lanes.
inline uint16_t Shown(uint16_t d, uint16_t t, uint16_t c)
{
    return (uint16_t)((uint16_t)((uint16_t)(d * t) + c) >> 8);
}

template <class F>
KORVID_VECTOR_CLONES void DrawRow(uint16_t* __restrict pDest, const LayerRow& Row, int32_t nCount)
{
    const uint16_t* __restrict pT = Row.pT;
    const uint16_t* __restrict pRed = Row.pRed;
    const uint16_t* __restrict pGreen = Row.pGreen;
    const uint16_t* __restrict pBlue = Row.pBlue;
    for (int32_t i = 0; i < nCount; ++i) {
        const uint16_t d = pDest[i], t = pT[i];
        pDest[i] =
            F::Pack(Shown(F::Red(d), t, pRed[i]), Shown(F::Green(d), t, pGreen[i]), Shown(F::Blue(d), t, pBlue[i]));
    }
}

using Fields565 = Fields<11, 0x3F>;
using Fields555 = Fields<10, 0x1F>;

bool HasComposite(uint8_t nDepth, uint8_t nFamily)
{
    return nDepth == 16 && (nFamily == KOR_CONVERT_RGB565 || nFamily == KOR_CONVERT_RGB555);
}

}  // namespace

void KorvidAlphaLayer::Release()
{
    std::vector<uint16_t>().swap(m_Storage);
    m_pPlanes = nullptr;
    m_nWidth = m_nHeight = 0;
}

void KorvidAlphaLayer::Reset(int32_t nWidth, int32_t nHeight)
{
    nWidth = std::max(nWidth, 0);
    nHeight = std::max(nHeight, 0);
    m_nDepth = Korvid.DisplayDepth();
    m_nFamily = Korvid.PixelFormat().nFamily;
    m_Areas.clear();
    const size_t nPlane = (size_t)nWidth * nHeight;
    if (!HasComposite(m_nDepth, m_nFamily) || nPlane == 0) {
        Release();
        m_nWidth = nWidth;
        m_nHeight = nHeight;
        return;
    }
    // A layer of the same size only clears the columns its areas touched.
    const bool bSameSize = m_pPlanes && nWidth == m_nWidth && nHeight == m_nHeight;
    if (!bSameSize) {
        Release();
        const uint32_t nBytes = BufferSize(nWidth, nHeight, PLANES * sizeof(uint16_t));
        if (nBytes)
            m_Storage.resize(nBytes / sizeof(uint16_t));
        m_pPlanes = nBytes ? m_Storage.data() : nullptr;
        m_nWidth = nWidth;
        m_nHeight = nHeight;
        if (!m_pPlanes)
            return;
        m_RowLeft.assign((size_t)nHeight, 0);
        m_RowRight.assign((size_t)nHeight, nWidth);
    }
    for (int32_t y = 0; y < nHeight; ++y) {
        const size_t nRow = (size_t)y * nWidth;
        const int32_t nLeft = m_RowLeft[(size_t)y], nRight = std::max(nLeft, m_RowRight[(size_t)y]);
        std::fill(m_pPlanes + nRow + nLeft, m_pPlanes + nRow + nRight, SHOW_ALL);
        for (int nPlaneIndex = 1; nPlaneIndex < PLANES; ++nPlaneIndex)
            std::fill(m_pPlanes + nPlaneIndex * nPlane + nRow + nLeft, m_pPlanes + nPlaneIndex * nPlane + nRow + nRight,
                      0);
        m_RowLeft[(size_t)y] = nWidth;
        m_RowRight[(size_t)y] = 0;
    }
}

bool KorvidAlphaLayer::Current() const
{
    return Korvid.DisplayDepth() == m_nDepth && Korvid.PixelFormat().nFamily == m_nFamily;
}

void KorvidAlphaLayer::AddArea(uint32_t nChunky, int32_t nSourceX, int32_t nSourceY, int32_t nWidth,
                               int32_t nHeight, int32_t x, int32_t y)
{
    const ChunkyObject* pSource = Korvid.ExistingChunky(nChunky);
    if (!pSource)
        return;
    // Source pixel (i, j) lies on layer pixel (i + ox, j + oy).
    const int64_t nOffsetX = (int64_t)x - nSourceX, nOffsetY = (int64_t)y - nSourceY;
    const int64_t nLeft = std::max<int64_t>({nSourceX, 0, -nOffsetX});
    const int64_t nTop = std::max<int64_t>({nSourceY, 0, -nOffsetY});
    const int64_t nRight = std::min<int64_t>({(int64_t)nSourceX + nWidth, pSource->nWidth, m_nWidth - nOffsetX});
    const int64_t nBottom = std::min<int64_t>({(int64_t)nSourceY + nHeight, pSource->nHeight, m_nHeight - nOffsetY});
    if (nLeft >= nRight || nTop >= nBottom)
        return;
    const Area Laid = {nChunky,
                       (int32_t)nLeft,
                       (int32_t)nTop,
                       (int32_t)(nRight - nLeft),
                       (int32_t)(nBottom - nTop),
                       (int32_t)(nLeft + nOffsetX),
                       (int32_t)(nTop + nOffsetY)};
    if (m_pPlanes) {
        if (pSource->nBytesPerPixel == 1)
            return;
        Compose(Laid);
    } else {
        m_Areas.push_back(Laid);
    }
}

void KorvidAlphaLayer::Compose(const Area& A)
{
    const ChunkyObject& Source = *Korvid.ExistingChunky(A.nChunky);
    const bool bMask = Source.pAlpha && Source.nAlphaSize >= (uint32_t)Source.nWidth * Source.nHeight;
    const uint16_t nCookie = Korvid.CookieColour();
    std::vector<uint8_t> Opaque(bMask ? 0 : (size_t)A.nWidth);
    const size_t nPlane = (size_t)m_nWidth * m_nHeight;
    for (int32_t j = 0; j < A.nHeight; ++j) {
        const size_t nSourceAt = (size_t)(A.nSourceY + j) * Source.nWidth + A.nSourceX;
        const uint16_t* pSource = Source.Pixels16() + nSourceAt;
        const uint8_t* pMask = bMask ? Source.pAlpha + nSourceAt : Opaque.data();
        for (int32_t i = 0; !bMask && i < A.nWidth; ++i)
            Opaque[(size_t)i] = Source.bHasCookie && pSource[i] == nCookie ? 0 : 255;
        const size_t nAt = (size_t)(A.y + j) * m_nWidth + A.x;
        const LayerRow Row = {m_pPlanes + nAt, m_pPlanes + nPlane + nAt, m_pPlanes + 2 * nPlane + nAt,
                              m_pPlanes + 3 * nPlane + nAt};
        if (m_nFamily == KOR_CONVERT_RGB565)
            ComposeRow<Fields565>(Row, pSource, pMask, A.nWidth);
        else
            ComposeRow<Fields555>(Row, pSource, pMask, A.nWidth);
        int32_t& nRowLeft = m_RowLeft[(size_t)(A.y + j)];
        int32_t& nRowRight = m_RowRight[(size_t)(A.y + j)];
        nRowLeft = std::min(nRowLeft, A.x);
        nRowRight = std::max(nRowRight, A.x + A.nWidth);
    }
}

void KorvidAlphaLayer::Draw(int32_t x, int32_t y) const
{
    if (!m_pPlanes) {
        for (const Area& A : m_Areas)
            Korvid.BlitArea(A.nChunky, A.nSourceX, A.nSourceY, A.nWidth, A.nHeight, x + A.x, y + A.y, KOR_BLIT_ALPHA,
                            0, KOR_ALPHA_FULL);
        return;
    }
    const ChunkyObject* pDest = Korvid.UsedChunkyRecord();
    if (!pDest || !pDest->Exists() || pDest->nBytesPerPixel != 2 || !Current())
        return;
    // Layer pixel (i, j) lands on (i + x, j + y).
    const int64_t nLeft = std::max<int64_t>(0, -(int64_t)x);
    const int64_t nRight = std::min<int64_t>(m_nWidth, pDest->nWidth - (int64_t)x);
    const int64_t nTop = std::max<int64_t>(0, -(int64_t)y);
    const int64_t nBottom = std::min<int64_t>(m_nHeight, pDest->nHeight - (int64_t)y);
    const size_t nPlane = (size_t)m_nWidth * m_nHeight;
    for (int64_t j = nTop; j < nBottom; ++j) {
        const int64_t nFrom = std::max<int64_t>(nLeft, m_RowLeft[(size_t)j]);
        const int64_t nTo = std::min<int64_t>(nRight, m_RowRight[(size_t)j]);
        if (nFrom >= nTo)
            continue;
        const size_t nAt = (size_t)j * m_nWidth + (size_t)nFrom;
        const LayerRow Row = {m_pPlanes + nAt, m_pPlanes + nPlane + nAt, m_pPlanes + 2 * nPlane + nAt,
                              m_pPlanes + 3 * nPlane + nAt};
        uint16_t* pRow = pDest->Pixels16() + (size_t)(j + y) * pDest->nWidth + (size_t)(nFrom + x);
        if (m_nFamily == KOR_CONVERT_RGB565)
            DrawRow<Fields565>(pRow, Row, (int32_t)(nTo - nFrom));
        else
            DrawRow<Fields555>(pRow, Row, (int32_t)(nTo - nFrom));
    }
}
