// Drawing primitives into the used chunky: single pixels, Bresenham lines, boxes,
// filled boxes and ellipses. Each writes through a Pen that knows the target, the
// colour and the mode (solid, or a translucent mix through the trans table in 8-bit
// depth and the blend rows in 16-bit depth). Pixels outside the target are skipped.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "gfx/BlitterInternal.h"
#include "korvid.h"

namespace {

class Pen {
public:
    // False when nothing can be drawn: no target, an unknown mode, or no trans table.
    bool Prepare(uint16_t nColour, uint8_t nMode, int16_t nParam)
    {
        m_pTarget = Korvid.UsedChunkyRecord();
        if (!m_pTarget || !m_pTarget->Exists() || (nMode != KOR_DRAW_SOLID && nMode != KOR_DRAW_HALF))
            return false;
        m_nColour = nColour;
        m_bMix = nMode == KOR_DRAW_HALF;
        m_bBytes = KorvidBlitter::BlitPixelBytes(*m_pTarget) == 1;
        if (!m_bMix)
            return true;
        if (m_bBytes) {
            if (!Korvid.TransTable())
                Korvid.LoadTransTable(nullptr, KOR_SEARCH_EXHAUSTIVE);
            m_pTable = Korvid.TransTable();
            return m_pTable != nullptr;
        }
        // The colour's share is 100 - param per cent, as in a solid-trans blit.
        Korvid.PrepareBlend(nColour, nParam);
        m_pMixRow = Korvid.BlendRows().pSolidTransNoCookie;
        return true;
    }

    bool Inside(int32_t x, int32_t y) const
    {
        return x >= 0 && y >= 0 && x < m_pTarget->nWidth && y < m_pTarget->nHeight;
    }

    // nCount pixels from (x, y) rightwards; the caller keeps them inside the target.
    void PutRow(int32_t x, int32_t y, int32_t nCount) const
    {
        const size_t nFirst = (size_t)y * m_pTarget->nWidth + (size_t)x;
        if (m_bBytes) {
            uint8_t* pRow = m_pTarget->pPixels + nFirst;
            const uint8_t nIndex = (uint8_t)m_nColour;
            if (!m_bMix) {
                std::memset(pRow, nIndex, (size_t)nCount);
                return;
            }
            for (int32_t i = 0; i < nCount; ++i)
                pRow[i] = m_pTable[nIndex * 256u + pRow[i]];
            return;
        }
        uint16_t* pRow = m_pTarget->Pixels16() + nFirst;
        if (m_bMix) {
            m_pMixRow(pRow, nullptr, nCount, Korvid.BlendState(), 0);
            return;
        }
        for (int32_t i = 0; i < nCount; ++i)
            pRow[i] = m_nColour;
    }

    void Put(int32_t x, int32_t y) const
    {
        if (Inside(x, y))
            PutRow(x, y, 1);
    }

    // One plotted pixel of a line or an ellipse, counted like Plot.
    void Plot(int32_t x, int32_t y) const
    {
        KorvidProfileScope Section("KorvidGFX::Plot()");
        Put(x, y);
    }

private:
    ChunkyObject* m_pTarget = nullptr;
    uint16_t m_nColour = 0;
    bool m_bMix = false;
    bool m_bBytes = false;
    const uint8_t* m_pTable = nullptr;
    KorvidBlendRowFunc m_pMixRow = nullptr;
};

}  // namespace

void KorvidGFX::Plot(uint16_t x, uint16_t y, uint16_t nColour)
{
    KorvidProfileScope Section("KorvidGFX::Plot()");
    Pen Solid;
    if (Solid.Prepare(nColour, KOR_DRAW_SOLID, 0))
        Solid.Put(x, y);
}

uint16_t KorvidGFX::Point(uint16_t& nColour, uint16_t x, uint16_t y)
{
    KorvidProfileScope Section("KorvidGFX::Point()");
    nColour = 0;
    const ChunkyObject* pTarget = m_pUsedChunky;
    if (!pTarget || !pTarget->Exists() || x >= pTarget->nWidth || y >= pTarget->nHeight)
        return nColour;
    const size_t nIndex = (size_t)y * pTarget->nWidth + x;
    nColour = KorvidBlitter::BlitPixelBytes(*pTarget) == 1 ? pTarget->pPixels[nIndex] : pTarget->Pixels16()[nIndex];
    return nColour;
}

void KorvidGFX::Line(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint16_t nColour, uint8_t nMode)
{
    KorvidProfileScope Section("KorvidGFX::Line()");
    Pen LinePen;
    if (!LinePen.Prepare(nColour, nMode, 50))
        return;
    // Bresenham with doubled deltas, stepping along the longer axis.
    const int32_t ax = 2 * std::abs(x2 - x1);
    const int32_t ay = 2 * std::abs(y2 - y1);
    const int32_t sx = x2 < x1 ? -1 : 1;
    const int32_t sy = y2 < y1 ? -1 : 1;
    int32_t x = x1;
    int32_t y = y1;
    if (ax <= ay) {
        int32_t d = ax - ay / 2;
        for (;;) {
            LinePen.Plot(x, y);
            if (y == y2)
                return;
            if (d >= 0) {
                x += sx;
                d -= ay;
            }
            y += sy;
            d += ax;
        }
    }
    int32_t d = ay - ax / 2;
    for (;;) {
        LinePen.Plot(x, y);
        if (x == x2)
            return;
        if (d >= 0) {
            y += sy;
            d -= ax;
        }
        x += sx;
        d += ay;
    }
}

void KorvidGFX::Box(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint16_t nColour, uint8_t nMode)
{
    KorvidProfileScope Section("KorvidGFX::Box()");
    Line(x1, y1, x2, y1, nColour, nMode);
    Line(x1, y1, x1, y2, nColour, nMode);
    Line(x2, y1, x2, y2, nColour, nMode);
    Line(x1, y2, x2, y2, nColour, nMode);
}

void KorvidGFX::BoxFill(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint16_t nColour, uint8_t nMode,
                        int16_t nParam)
{
    KorvidProfileScope Section("KorvidGFX::BoxFill()");
    Pen FillPen;
    if (!FillPen.Prepare(nColour, nMode, nParam))
        return;
    const int32_t nLeft = std::min(x1, x2), nRight = std::max(x1, x2);
    const int32_t nTop = std::min(y1, y2), nBottom = std::max(y1, y2);
    const int32_t nWidth = m_pUsedChunky->nWidth, nHeight = m_pUsedChunky->nHeight;
    // Corners beyond the chunky are clamped to its edge; a box wholly outside draws nothing.
    if (nRight < 0 || nBottom < 0 || nLeft >= nWidth || nTop >= nHeight)
        return;
    const int32_t nFromX = std::max(nLeft, 0), nToX = std::min(nRight, nWidth - 1);
    const int32_t nFromY = std::max(nTop, 0), nToY = std::min(nBottom, nHeight - 1);
    for (int32_t y = nFromY; y <= nToY; ++y)
        FillPen.PutRow(nFromX, y, nToX - nFromX + 1);
}

void KorvidGFX::DrawCircle(uint16_t nCentreX, uint16_t nCentreY, uint16_t nRadiusX, uint16_t nRadiusY,
                           uint16_t nColour)
{
    KorvidProfileScope Section("KorvidGFX::DrawCircle()");
    Pen CirclePen;
    if (!CirclePen.Prepare(nColour, KOR_DRAW_SOLID, 0))
        return;
    const int32_t cx = nCentreX, cy = nCentreY;
    const auto PlotFourWays = [&](int32_t x, int32_t y) {
        CirclePen.Plot(cx - x, cy - y);
        CirclePen.Plot(cx + x, cy - y);
        CirclePen.Plot(cx - x, cy + y);
        CirclePen.Plot(cx + x, cy + y);
    };
    // How far (x, y) lies off the ellipse: |ry^2 x^2 + rx^2 y^2 - rx^2 ry^2|, in long
    // double because the terms of a 16-bit ellipse outgrow 64-bit integers.
    const long double fRx2 = (long double)nRadiusX * nRadiusX;
    const long double fRy2 = (long double)nRadiusY * nRadiusY;
    const auto OffBy = [&](int32_t x, int32_t y) {
        return std::fabs(fRy2 * x * x + fRx2 * y * y - fRx2 * fRy2);
    };
    // One quadrant from the top down to the x axis, each step to whichever of the right,
    // diagonal and lower neighbours lies closest to the curve; mirrored four ways.
    int32_t x = 0, y = nRadiusY;
    PlotFourWays(0, y);
    while (y > 0) {
        int32_t nNextX = x + 1, nNextY = y - 1;
        if (OffBy(x + 1, y) < OffBy(nNextX, nNextY))
            nNextY = y;
        if (OffBy(x, y - 1) < OffBy(nNextX, nNextY)) {
            nNextX = x;
            nNextY = y - 1;
        }
        x = nNextX;
        y = nNextY;
        PlotFourWays(x, y);
    }
    // A flat ellipse (or one that met the axis early) runs on along the axis to its radius.
    for (++x; x <= nRadiusX; ++x)
        PlotFourWays(x, 0);
}
