// Grabbing one chunky out of another: trimming the rectangle to the shape
// (CalcShapeClip), copying the pixels with a hot spot that keeps the trimmed
// image in place, and handing over to the alpha-mask builders.
#include "gfx/KorvidGFX.h"

#include <cstring>
#include <optional>

#include "gfx/GfxInternal.h"
#include "korvid.h"

using namespace KorvidGfxInternal;

namespace {

// The trimming scans of CalcShapeClip: is a row (or column) of the rectangle all cookie?
struct ShapeScan {
    const ChunkyObject& Chunky;
    uint16_t nCookie;

    bool Cookie(int32_t x, int32_t y) const { return IsCookiePixel(Chunky, PixelAt(Chunky, x, y), nCookie); }
    bool RowIsCookie(int32_t y, int32_t nLeft, int32_t nWidth) const
    {
        for (int32_t x = nLeft; x < nLeft + nWidth; ++x)
            if (!Cookie(x, y))
                return false;
        return true;
    }
    bool ColumnIsCookie(int32_t x, int32_t nTop, int32_t nHeight) const
    {
        for (int32_t y = nTop; y < nTop + nHeight; ++y)
            if (!Cookie(x, y))
                return false;
        return true;
    }
};

}  // namespace

int KorvidGFX::CalcShapeClip(uint32_t nChunky, KorvidRect& Rect)
{
    const ChunkyObject* pChunky = ExistingChunky(nChunky);
    int32_t nWidth = pChunky ? pChunky->nWidth : 0, nHeight = pChunky ? pChunky->nHeight : 0;
    // An empty rectangle has no shape to trim to, so it counts as outside too.
    if (Rect.top < 0 || Rect.left < 0 || Rect.right > nWidth || Rect.bottom > nHeight || Rect.Width() <= 0 ||
        Rect.Height() <= 0) {
        Korvid.DebugLog("ERROR: ** Grab Rect (%d,%d %d,%d) Outside Chunky (%d,%d) **", Rect.left, Rect.top, Rect.right,
                        Rect.bottom, nWidth, nHeight);
        return 0;
    }
    if (m_nDepth != 8 && m_nDepth != 16)
        return 1;

    ShapeScan Scan{*pChunky, m_nCookie};
    int32_t l = Rect.left, t = Rect.top, w = Rect.Width(), h = Rect.Height();
    int32_t nCount = 0;
    while (nCount < h - 1 && Scan.RowIsCookie(t + nCount, l, w))
        ++nCount;
    t += nCount;
    h -= nCount;
    nCount = 0;
    while (nCount < w - 1 && Scan.ColumnIsCookie(l + nCount, t, h))
        ++nCount;
    l += nCount;
    w -= nCount;
    // The bottom and right scans stop at row and column 1: the top row and left
    // column already hold a shape pixel, unless the rectangle is one pixel wide there.
    int32_t nRow = h - 1;
    while (nRow > 1 && Scan.RowIsCookie(t + nRow, l, w))
        --nRow;
    h = nRow + 1;
    int32_t nColumn = w - 1;
    while (nColumn > 1 && Scan.ColumnIsCookie(l + nColumn, t, h))
        --nColumn;
    w = nColumn + 1;
    Rect = {l, t, l + w, t + h};
    return 1;
}

// Copies Rect of Source to (0, 0) of Dest, as a plain blit without cookie test
// would: the parts of Rect outside Source leave Dest untouched.
void KorvidGFX::CopyChunkyArea(const ChunkyObject& Source, const KorvidRect& Rect, ChunkyObject& Dest)
{
    int32_t nLeft = KorvidMaths::Max(Rect.left, 0), nTop = KorvidMaths::Max(Rect.top, 0);
    int32_t nRight = KorvidMaths::Min(KorvidMaths::Min(Rect.right, Source.nWidth), Rect.left + Dest.nWidth);
    int32_t nBottom = KorvidMaths::Min(KorvidMaths::Min(Rect.bottom, Source.nHeight), Rect.top + Dest.nHeight);
    if (nRight <= nLeft || nBottom <= nTop || Source.nBytesPerPixel != Dest.nBytesPerPixel)
        return;
    size_t nPixelBytes = Source.nBytesPerPixel;
    size_t nRowBytes = (size_t)(nRight - nLeft) * nPixelBytes;
    for (int32_t y = nTop; y < nBottom; ++y) {
        const uint8_t* pFrom = Source.pPixels + ((size_t)y * Source.nWidth + nLeft) * nPixelBytes;
        uint8_t* pTo = Dest.pPixels + ((size_t)(y - Rect.top) * Dest.nWidth + (nLeft - Rect.left)) * nPixelBytes;
        memcpy(pTo, pFrom, nRowBytes);
    }
}

int KorvidGFX::GrabChunky(uint32_t nDest, uint32_t nSource, uint16_t x, uint16_t y, uint16_t nWidth, uint16_t nHeight,
                          uint8_t nFlags, uint16_t nFeatherRadius, uint16_t nColour)
{
    KorvidProfileScope Section("KorvidGFX::GrabChunky()");
    const ChunkyObject* pSource = ExistingChunky(nSource);
    if (!pSource) {
        Korvid.DebugLog("ERROR: ** GrabChunky(%d, %d) - Invalid Source Chunky **", (int)nDest, (int)nSource);
        return 0;
    }
    ChunkyObject* pDest = ChunkyRecord(nDest);
    if (!pDest) {
        Korvid.DebugLog("ERROR: ** GrabChunky(%d) - Invalid Destination Chunky **", (int)nDest);
        return 0;
    }
    // Grabbing a chunky out of itself re-creates the source: read from a copy.
    std::optional<ChunkySnapshot> Snapshot;
    if (nDest == nSource) {
        Snapshot.emplace(*pSource);
        if (!Snapshot->Valid()) {
            Korvid.DebugLog("ERROR: ** GrabChunky(%d) - Failed to Initialize Chunky **", (int)nDest);
            return 0;
        }
        pSource = &Snapshot->Chunky();
    }

    KorvidRect Rect = {x, y, x + nWidth, y + nHeight};
    if (nFlags & KOR_GRAB_FEATHERCOLOUR)
        nFlags |= KOR_GRAB_NOTRIM;
    int nResult = 1;
    if (!(nFlags & KOR_GRAB_NOTRIM) && !CalcShapeClip(nSource, Rect)) {
        Korvid.DebugLog("ERROR: ** GrabChunky(%d) - Failed to Clip **", (int)nDest);
        nResult = 0;
    }
    if (nResult && !(nFlags & KOR_GRAB_ALPHAONLY)) {
        if (InitChunkyRecord(*pDest, (uint16_t)Rect.Width(), (uint16_t)Rect.Height(),
                             (uint8_t)(pSource->nBytesPerPixel * 8))) {
            CopyChunkyArea(*pSource, Rect, *pDest);
            // The hot spot makes the trimmed image blit where the untrimmed rectangle would have.
            pDest->nHotX = (int16_t)(x - Rect.left);
            pDest->nHotY = (int16_t)(y - Rect.top);
        } else {
            Korvid.DebugLog("ERROR: ** GrabChunky(%d) - Failed to Initialize Chunky **", (int)nDest);
            nResult = 0;
        }
    }
    if (nResult && (nFlags & (KOR_GRAB_ALPHAONLY | KOR_GRAB_FEATHER | KOR_GRAB_FEATHERCOLOUR)))
        nResult = BuildGrabAlpha(nDest, *pSource, Rect, nFlags, nFeatherRadius, nColour);
    ScanCookie(*pDest);
    return nResult;
}
