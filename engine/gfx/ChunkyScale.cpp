// Scaling: the cached X and Y tables of source offsets, the nearest and
// averaging scalers for 8- and 16-bit chunkies, and ChunkyScale itself.
#include "gfx/KorvidGFX.h"

#include <optional>

#include "gfx/GfxInternal.h"
#include "korvid.h"

using namespace KorvidGfxInternal;

namespace {

uint16_t TruncatedOffset(long double fSum)
{
    if (!(fSum >= 0.0L))
        return 0;
    return fSum >= 65535.0L ? 0xFFFF : (uint16_t)fSum;
}

// Everything the per-pixel loops of one scale need, clipped once.
struct ScaleJob {
    const ChunkyObject& Source;
    int32_t nSourceLeft, nSourceTop;
    ChunkyObject& Dest;
    const KorvidRect& Rect;
    const uint16_t* pX;
    const uint16_t* pY;
    int32_t nFirstColumn, nEndColumn, nFirstRow, nEndRow;

    bool SourceInside(int32_t x, int32_t y) const
    {
        return x >= 0 && y >= 0 && x < Source.nWidth && y < Source.nHeight;
    }
    size_t DestOffset(int32_t c, int32_t r) const { return (size_t)(Rect.top + r) * Dest.nWidth + Rect.left + c; }
    // The block of source pixels destination pixel (c, r) covers; single pixels at the Rect's last two columns and rows.
    int32_t BlockWidth(int32_t c) const
    {
        return c >= Rect.Width() - 2 ? 1 : KorvidMaths::Max(pX[c + 1] - pX[c], 1);
    }
    int32_t BlockHeight(int32_t r) const
    {
        return r >= Rect.Height() - 2 ? 1 : KorvidMaths::Max(pY[r + 1] - pY[r], 1);
    }
};

template <typename Pixel>
void ScaleNearest(const ScaleJob& Job, bool bSkipCookie, uint16_t nCookie)
{
    const Pixel* pSource = reinterpret_cast<const Pixel*>(Job.Source.pPixels);
    Pixel* pDest = reinterpret_cast<Pixel*>(Job.Dest.pPixels);
    for (int32_t r = Job.nFirstRow; r < Job.nEndRow; ++r) {
        int32_t sy = Job.nSourceTop + Job.pY[r];
        for (int32_t c = Job.nFirstColumn; c < Job.nEndColumn; ++c) {
            int32_t sx = Job.nSourceLeft + Job.pX[c];
            if (!Job.SourceInside(sx, sy))
                continue;
            Pixel nPixel = pSource[(size_t)sy * Job.Source.nWidth + sx];
            if (bSkipCookie && nPixel == (Pixel)nCookie)
                continue;
            pDest[Job.DestOffset(c, r)] = nPixel;
        }
    }
}

// Sums the red, green and blue of the block's non-cookie pixels; returns how many there were.
template <typename Pixel, typename ToRGB>
uint32_t SumBlock(const ScaleJob& Job, int32_t c, int32_t r, uint16_t nCookie, ToRGB Colour, uint32_t Sum[3])
{
    const Pixel* pSource = reinterpret_cast<const Pixel*>(Job.Source.pPixels);
    int32_t x0 = Job.nSourceLeft + Job.pX[c], y0 = Job.nSourceTop + Job.pY[r];
    int32_t nBlockWidth = Job.BlockWidth(c), nBlockHeight = Job.BlockHeight(r);
    uint32_t nCount = 0;
    Sum[0] = Sum[1] = Sum[2] = 0;
    for (int32_t y = y0; y < y0 + nBlockHeight; ++y)
        for (int32_t x = x0; x < x0 + nBlockWidth; ++x) {
            if (!Job.SourceInside(x, y))
                continue;
            Pixel nPixel = pSource[(size_t)y * Job.Source.nWidth + x];
            if (nPixel == (Pixel)nCookie)
                continue;
            KorvidRGB Rgb = Colour(nPixel);
            Sum[0] += Rgb.r;
            Sum[1] += Rgb.g;
            Sum[2] += Rgb.b;
            ++nCount;
        }
    return nCount;
}

uint8_t ClampChannel(int32_t nValue) { return (uint8_t)KorvidMaths::Clamp(nValue, 0, 255); }

}  // namespace

bool KorvidGFX::GrowScaleTable(ScaleTable& Table, int32_t nCount, const char* szAxis)
{
    if (nCount <= Table.nCapacity)
        return true;
    uint32_t nBytes = BufferSize((uint32_t)nCount, 1, sizeof(uint16_t));
    uint16_t* pTable = nBytes ? (uint16_t*)Korvid.AllocMemory(nBytes) : nullptr;
    if (!pTable) {
        Korvid.DebugLog("ERROR: ** Unable to allocate %s Scale Table size = (%d * uWord) **", szAxis, nCount);
        return false;
    }
    Release(Table.pTable);
    Table.pTable = pTable;
    Table.nCapacity = nCount;
    Table.nCount = -1;
    return true;
}

void KorvidGFX::FreeScaleTables()
{
    for (ScaleTable* pTable : {&m_ScaleX, &m_ScaleY}) {
        Release(pTable->pTable);
        *pTable = ScaleTable();
    }
}

int KorvidGFX::UpdateScaleTables(int32_t nWidth, int32_t nHeight, float fFactorX, float fFactorY)
{
    if (!GrowScaleTable(m_ScaleX, nWidth, "X") || !GrowScaleTable(m_ScaleY, nHeight, "Y"))
        return 0;
    struct Axis {
        ScaleTable& Table;
        int32_t nCount;
        float fFactor;
    };
    for (Axis Build : {Axis{m_ScaleX, nWidth, fFactorX}, Axis{m_ScaleY, nHeight, fFactorY}}) {
        if (Build.Table.nCount == Build.nCount && Build.Table.fFactor == Build.fFactor)
            continue;
        long double fSum = 0.0L;   // a running sum, so long tables do not drift
        for (int32_t i = 0; i < Build.nCount; ++i, fSum += Build.fFactor)
            Build.Table.pTable[i] = TruncatedOffset(fSum);
        Build.Table.nCount = Build.nCount;
        Build.Table.fFactor = Build.fFactor;
    }
    return 1;
}

void KorvidGFX::ScaleChunkyArea(const ChunkyObject& Source, int32_t nSourceLeft, int32_t nSourceTop, ChunkyObject& Dest,
                                const KorvidRect& DestRect, uint8_t nFlags)
{
    int32_t nWidth = DestRect.Width(), nHeight = DestRect.Height();
    // Only 8- and 16-bit chunkies scale, each into its own kind, through tables built for this size.
    if (!Source.pPixels || !Dest.pPixels || Source.nBytesPerPixel != Dest.nBytesPerPixel ||
        Source.nBytesPerPixel > 2 || nWidth <= 0 || nHeight <= 0 || m_ScaleX.nCount < nWidth ||
        m_ScaleY.nCount < nHeight)
        return;
    ScaleJob Job{Source,
                 nSourceLeft,
                 nSourceTop,
                 Dest,
                 DestRect,
                 m_ScaleX.pTable,
                 m_ScaleY.pTable,
                 KorvidMaths::Max(0, -DestRect.left),
                 KorvidMaths::Min(nWidth, Dest.nWidth - DestRect.left),
                 KorvidMaths::Max(0, -DestRect.top),
                 KorvidMaths::Min(nHeight, Dest.nHeight - DestRect.top)};
    bool bIndexed = Source.nBytesPerPixel == 1;
    if (!(nFlags & KOR_SCALE_AVERAGE)) {
        if (bIndexed)
            ScaleNearest<uint8_t>(Job, nFlags & KOR_SCALE_COOKIE, m_nCookie);
        else
            ScaleNearest<uint16_t>(Job, nFlags & KOR_SCALE_COOKIE, m_nCookie);
        return;
    }

    uint32_t Sum[3];
    if (!bIndexed) {
        auto Colour = [this](uint16_t nPixel) { return Unpack(nPixel); };
        for (int32_t r = Job.nFirstRow; r < Job.nEndRow; ++r)
            for (int32_t c = Job.nFirstColumn; c < Job.nEndColumn; ++c) {
                uint32_t nCount = SumBlock<uint16_t>(Job, c, r, m_nCookie, Colour, Sum);
                Dest.Pixels16()[Job.DestOffset(c, r)] =
                    nCount ? Pack((uint8_t)(Sum[0] / nCount), (uint8_t)(Sum[1] / nCount), (uint8_t)(Sum[2] / nCount))
                           : m_nCookie;
            }
        return;
    }
    // 8-bit: the block's average plus the error carried along the row, matched
    // through the close table; the error left over is halved after each pixel.
    auto Colour = [this](uint8_t nIndex) {
        return KorvidRGB{m_Palette[nIndex].r, m_Palette[nIndex].g, m_Palette[nIndex].b};
    };
    for (int32_t r = Job.nFirstRow; r < Job.nEndRow; ++r) {
        int32_t Error[3] = {0, 0, 0};
        for (int32_t c = Job.nFirstColumn; c < Job.nEndColumn; ++c) {
            uint32_t nCount = SumBlock<uint8_t>(Job, c, r, m_nCookie, Colour, Sum);
            uint8_t nIndex = (uint8_t)m_nCookie;
            if (nCount) {
                uint8_t Wanted[3];
                for (int n = 0; n < 3; ++n)
                    Wanted[n] = ClampChannel((int32_t)(Sum[n] / nCount) + Error[n]);
                nIndex = FindClosestColour(Wanted[0], Wanted[1], Wanted[2], KOR_SEARCH_CLOSETABLE);
                KorvidRGB Got = Colour(nIndex);
                Error[0] += Wanted[0] - Got.r;
                Error[1] += Wanted[1] - Got.g;
                Error[2] += Wanted[2] - Got.b;
            }
            Dest.pPixels[Job.DestOffset(c, r)] = nIndex;
            for (int32_t& nError : Error)
                nError /= 2;
        }
    }
}

void KorvidGFX::ChunkyScale(uint32_t nSource, uint32_t nDest, int16_t nWidth, int16_t nHeight, uint8_t nFlags)
{
    KorvidProfileScope Section("KorvidGFX::ChunkyScale()");
    const ChunkyObject* pSource = ExistingChunky(nSource);
    if (!pSource) {
        Korvid.DebugLog("ERROR: ** Invalid Scale Chunky (%d) **", (int)nSource);
        return;
    }
    if (nWidth < 1 && nHeight < 1) {
        Korvid.DebugLog("ERROR: ** ChunkyScale(%d, %d, %d, %d, ...) Illegal Scale - Width & Height Both NULL **",
                        (int)nSource, (int)nDest, nWidth, nHeight);
        return;
    }
    if (nWidth == pSource->nWidth && nHeight == pSource->nHeight) {
        ChunkyCopy(nSource, nDest, 0);
        return;
    }
    // Scaling a chunky into itself would clear or release what is being read.
    std::optional<ChunkySnapshot> Snapshot;
    if (nSource == nDest) {
        Snapshot.emplace(*pSource);
        if (!Snapshot->Valid())
            return;
        pSource = &Snapshot->Chunky();
    }
    // The back buffer keeps its size whatever the flags say.
    if ((nFlags & KOR_SCALE_FREEDEST) && nDest != 0)
        if (ChunkyObject* pOld = ChunkyRecord(nDest))
            ReleasePixels(*pOld);

    float fFactorX, fFactorY;
    int32_t nScaledWidth = nWidth, nScaledHeight = nHeight;
    if (nWidth >= 1 && nHeight >= 1) {
        fFactorX = (float)pSource->nWidth / nWidth;
        fFactorY = (float)pSource->nHeight / nHeight;
    } else if (nWidth >= 1) {
        fFactorX = fFactorY = (float)pSource->nWidth / nWidth;
        nScaledHeight = KorvidMaths::Max((int32_t)(pSource->nHeight / fFactorX), 1);
    } else {
        fFactorX = fFactorY = (float)pSource->nHeight / nHeight;
        nScaledWidth = KorvidMaths::Max((int32_t)(pSource->nWidth / fFactorY), 1);
    }
    if (nScaledWidth > 0xFFFF || nScaledHeight > 0xFFFF) {
        Korvid.DebugLog("ERROR: ** ChunkyScale(%d, %d, %d, %d, ...) Illegal Scale - Too Large **", (int)nSource,
                        (int)nDest, nScaledWidth, nScaledHeight);
        return;
    }
    ChunkyObject* pDest = ExistingChunky(nDest);
    if (pDest)
        ClearChunky(nDest, m_nCookie);
    else if (InitChunky(nDest, (uint16_t)nScaledWidth, (uint16_t)nScaledHeight,
                        (uint8_t)(pSource->nBytesPerPixel * 8)))
        pDest = ExistingChunky(nDest);
    if (!pDest || !UpdateScaleTables(nScaledWidth, nScaledHeight, fFactorX, fFactorY))
        return;
    int32_t nOffsetX = (pDest->nWidth - nScaledWidth) >> 1, nOffsetY = (pDest->nHeight - nScaledHeight) >> 1;
    KorvidRect Rect = {nOffsetX, nOffsetY, nOffsetX + nScaledWidth, nOffsetY + nScaledHeight};
    ScaleChunkyArea(*pSource, 0, 0, *pDest, Rect, nFlags);
    pDest->nHotX = (int16_t)(pSource->nHotX / fFactorX);
    pDest->nHotY = (int16_t)(pSource->nHotY / fFactorY);
    ScanCookie(*pDest);
}
