// Blit and BlitArea: the outer calls of the blitter. Each validates its chunky,
// clips the source rectangle against the used chunky once, resolves the flags and
// parameter into one drawing mode, and hands a BlitInfo to the inner loop that the
// table in BlitterLoops.cpp holds for (depth, mode, cookie test).
#include <algorithm>
#include <cstring>
#include <optional>

#include "gfx/BlitterInternal.h"
#include "korvid.h"

namespace {

using KorvidBlitter::BlitInfo;
using KorvidBlitter::BlitLoop;
using KorvidBlitter::BlitPixelBytes;
using KorvidBlitter::Mode;

bool HasUsableMask(const ChunkyObject& Chunky)
{
    return Chunky.pAlpha && Chunky.nAlphaSize >= (uint32_t)Chunky.nWidth * Chunky.nHeight;
}

// The mode for a flag value with bit 0 removed; Count for values that draw nothing.
Mode ModeFromFlags(uint16_t nMode)
{
    switch (nMode) {
    case KOR_BLIT_COOKIE: return Mode::Copy;
    case KOR_BLIT_SOLIDCOLOUR: return Mode::SolidColour;
    case KOR_BLIT_SOLIDTRANS: return Mode::SolidTrans;
    case KOR_BLIT_TRANS: return Mode::Trans;
    case KOR_BLIT_TINT: return Mode::Tint;
    default: return Mode::Count;
    }
}

bool IsTranslucent(Mode eMode) { return eMode == Mode::SolidTrans || eMode == Mode::Trans || eMode == Mode::Tint; }

// 16-bit translucency near its ends: below 2 % a mode draws as its opaque neighbour,
// above 98 % it draws nothing (a tint becomes the plain colour).
Mode AdjustForParam(Mode eMode, int16_t nParam)
{
    if (!IsTranslucent(eMode))
        return eMode;
    if (nParam < 2)
        return eMode == Mode::SolidTrans ? Mode::SolidColour : Mode::Copy;
    if (nParam > 98)
        return eMode == Mode::Tint ? Mode::SolidColour : Mode::Count;
    return eMode;
}

// 16-bit depth: the alpha rules, or the mode after the parameter's thresholds with
// its blend row prepared. Count when the flags and parameter draw nothing.
Mode ResolveMode16(uint16_t nFlags, uint16_t nColour, int16_t nParam, const ChunkyObject& Source,
                   const KorvidRect& Visible, BlitInfo& Info)
{
    const bool bCookieTest = !(nFlags & KOR_BLIT_NOCOOKIE);
    if (nFlags & KOR_BLIT_ALPHA) {
        const bool bColour = nFlags & KOR_BLIT_SOLIDCOLOUR;
        const KorvidBlendRows Rows = KorvidBlitter::RowsForFamily(Korvid.PixelFormat().nFamily);
        Info.pAlphaRow = bColour ? Rows.pAlphaColour : Rows.pAlphaImage;
        Info.nFade = KorvidBlitter::FadeFromParam(nParam);
        Info.pMask = Source.pAlpha + (size_t)Visible.top * Source.nWidth + Visible.left;
        Info.nMaskPitch = Source.nWidth;
        return bColour ? Mode::AlphaColour : Mode::AlphaImage;
    }
    const uint16_t nMode = (uint16_t)(nFlags & ~KOR_BLIT_NOCOOKIE);
    if (nMode > KOR_BLIT_TINT) {
        Korvid.DebugLog("Blit Mode %d Unsatisfied", (int)nMode);
        return Mode::Count;
    }
    const Mode eMode = AdjustForParam(ModeFromFlags(nMode), nParam);
    if (!IsTranslucent(eMode))
        return eMode;
    Korvid.PrepareBlend(eMode == Mode::Trans ? 0 : nColour, nParam);
    const KorvidBlendRows& Rows = Korvid.BlendRows();
    if (eMode == Mode::SolidTrans)
        Info.pBlendRow = bCookieTest ? Rows.pSolidTrans : Rows.pSolidTransNoCookie;
    else if (eMode == Mode::Trans)
        Info.pBlendRow = bCookieTest ? Rows.pTrans : Rows.pTransNoCookie;
    else
        Info.pBlendRow = bCookieTest ? Rows.pTint : Rows.pTintNoCookie;
    Info.pBlend = &Korvid.BlendState();
    return eMode;
}

// 8-bit depth: the parameter plays no part; translucency needs the trans table,
// built the first time it is wanted. Count when nothing is drawn.
Mode ResolveMode8(uint16_t nFlags, BlitInfo& Info)
{
    const Mode eMode = ModeFromFlags((uint16_t)(nFlags & ~KOR_BLIT_NOCOOKIE));
    if (!IsTranslucent(eMode))
        return eMode;
    if (!Korvid.TransTable())
        Korvid.LoadTransTable(nullptr, KOR_SEARCH_EXHAUSTIVE);
    Info.pTransTable = Korvid.TransTable();
    return Info.pTransTable ? eMode : Mode::Count;
}

// Profiler section for a mode's inner loop; null for the alpha modes, which have none.
const char* ModeSectionName(Mode eMode, bool bCookieTest)
{
    switch (eMode) {
    case Mode::Copy: return bCookieTest ? "KOR_BLIT_COOKIE" : "KOR_BLIT_NOCOOKIE";
    case Mode::SolidColour: return "KOR_BLIT_SOLIDCOLOUR";
    case Mode::SolidTrans: return "KOR_BLIT_SOLIDTRANS";
    case Mode::Trans: return "KOR_BLIT_TRANS";
    case Mode::Tint: return "KOR_BLIT_TINT";
    default: return nullptr;
    }
}

// A copy of a chunky's rectangle, for blits whose source is the chunky they draw into.
class SourceSnapshot {
public:
    SourceSnapshot(const ChunkyObject& Source, const KorvidRect& Visible, uint8_t nPixelBytes)
    {
        const size_t nRowBytes = (size_t)Visible.Width() * nPixelBytes;
        m_pPixels = static_cast<uint8_t*>(Korvid.AllocMemory((uint32_t)(nRowBytes * Visible.Height())));
        if (!m_pPixels)
            return;
        for (int32_t y = 0; y < Visible.Height(); ++y)
            std::memcpy(m_pPixels + y * nRowBytes,
                        Source.pPixels + ((size_t)(Visible.top + y) * Source.nWidth + Visible.left) * nPixelBytes,
                        nRowBytes);
    }
    ~SourceSnapshot()
    {
        if (m_pPixels)
            Korvid.FreeMemory(m_pPixels);
    }
    SourceSnapshot(const SourceSnapshot&) = delete;
    SourceSnapshot& operator=(const SourceSnapshot&) = delete;
    const uint8_t* Pixels() const { return m_pPixels; }

private:
    uint8_t* m_pPixels = nullptr;
};

}  // namespace

void KorvidGFX::Blit(uint32_t nChunky, int32_t x, int32_t y, uint16_t nFlags, uint16_t nColour, int16_t nParam)
{
    KorvidProfileScope Section("KorvidGFX::Blit()");
    const ChunkyObject* pSource = ExistingChunky(nChunky);
    if (!pSource) {
        Korvid.DebugLog("ERROR: Blit() From %d to %d ** Source Chunky does not exist **", (int)nChunky,
                        (int)GetUsedChunky());
        return;
    }
    if (nFlags & KOR_BLIT_ALPHA) {
        if (nParam == -1)
            nParam = KOR_ALPHA_FULL;
        // The flag itself stays: BlitClipped drops it for the 16-bit depth, while
        // the 8-bit depth draws no alpha blit at all, mask or not.
        if (!HasUsableMask(*pSource) && Korvid.TraceMaskHas(KOR_TRACE_VERBOSE))
            Korvid.DebugLog("WARNING: Blit() Chunky %d has no Alpha Mask **", (int)nChunky);
    } else if (nParam == -1) {
        nParam = 50;
    }
    if (!pSource->bHasCookie)
        nFlags |= KOR_BLIT_NOCOOKIE;
    if (!m_pUsedChunky || !m_pUsedChunky->Exists())
        return;

    // Where the chunky's pixel (0, 0) goes; clipping works in 64 bits so no position overflows.
    const int64_t nLeftX = (int64_t)x - pSource->nHotX;
    const int64_t nTopY = (int64_t)y - pSource->nHotY;
    const int64_t nVisibleWidth = std::min<int64_t>(pSource->nWidth, m_pUsedChunky->nWidth - nLeftX);
    const int64_t nVisibleHeight = std::min<int64_t>(pSource->nHeight, m_pUsedChunky->nHeight - nTopY);
    const int64_t nLeft = std::max<int64_t>(0, -nLeftX);
    const int64_t nTop = std::max<int64_t>(0, -nTopY);
    if (nLeft >= nVisibleWidth || nTop >= nVisibleHeight)
        return;
    const KorvidRect Visible = {(int32_t)nLeft, (int32_t)nTop, (int32_t)nVisibleWidth, (int32_t)nVisibleHeight};
    BlitClipped("Blit", nChunky, *pSource, Visible, (int32_t)nLeftX, (int32_t)nTopY, nFlags, nColour, nParam);
}

void KorvidGFX::BlitArea(uint32_t nChunky, int32_t nSourceX, int32_t nSourceY, int32_t nWidth, int32_t nHeight,
                         int32_t nDestX, int32_t nDestY, uint8_t nFlags, uint16_t nColour, int16_t nParam)
{
    KorvidProfileScope Section("KorvidGFX::BlitArea()");
    const ChunkyObject* pSource = ExistingChunky(nChunky);
    if (!pSource) {
        Korvid.DebugLog("ERROR: BlitArea() From %d to %d ** Source Chunky does not exist **", (int)nChunky,
                        (int)GetUsedChunky());
        return;
    }
    int64_t nRight = (int64_t)nSourceX + nWidth;
    int64_t nBottom = (int64_t)nSourceY + nHeight;
    if (nRight > pSource->nWidth) {
        Korvid.DebugLog("WARNING: ** BlitArea(c:%d, x:%d, y:%d, *w:%d*, h:%d, dx:%d, dy:%d) - Source Area Outside "
                        "Chunky **",
                        (int)nChunky, nSourceX, nSourceY, nWidth, nHeight, nDestX, nDestY);
        nRight = pSource->nWidth;
    }
    if (nBottom > pSource->nHeight) {
        Korvid.DebugLog("WARNING: ** BlitArea(c:%d, x:%d, y:%d, w:%d, *h:%d*, dx:%d, dy:%d) - Source Area Outside "
                        "Chunky **",
                        (int)nChunky, nSourceX, nSourceY, nWidth, nHeight, nDestX, nDestY);
        nBottom = pSource->nHeight;
    }
    if (!m_pUsedChunky || !m_pUsedChunky->Exists())
        return;

    // Source pixel (i, j) lands on (i + ox, j + oy). An area starting left of or above
    // the source is cut at the source's edge as well as the destination's.
    const int64_t nOffsetX = (int64_t)nDestX - nSourceX;
    const int64_t nOffsetY = (int64_t)nDestY - nSourceY;
    nRight = std::min<int64_t>(nRight, m_pUsedChunky->nWidth - nOffsetX);
    nBottom = std::min<int64_t>(nBottom, m_pUsedChunky->nHeight - nOffsetY);
    const int64_t nLeft = std::max<int64_t>({(int64_t)nSourceX, -nOffsetX, 0});
    const int64_t nTop = std::max<int64_t>({(int64_t)nSourceY, -nOffsetY, 0});
    if (nLeft >= nRight || nTop >= nBottom)
        return;
    const KorvidRect Visible = {(int32_t)nLeft, (int32_t)nTop, (int32_t)nRight, (int32_t)nBottom};
    BlitClipped("BlitArea", nChunky, *pSource, Visible, (int32_t)nOffsetX, (int32_t)nOffsetY, nFlags, nColour,
                nParam);
}

void KorvidGFX::BlitClipped(const char* szCaller, uint32_t nChunky, const ChunkyObject& Source,
                            const KorvidRect& Visible, int32_t nOffsetX, int32_t nOffsetY, uint16_t nFlags,
                            uint16_t nColour, int16_t nParam)
{
    ChunkyObject& Dest = *m_pUsedChunky;
    const uint8_t nPixelBytes = m_nDepth == 8 ? 1 : 2;
    if (BlitPixelBytes(Source) != nPixelBytes || BlitPixelBytes(Dest) != nPixelBytes) {
        Korvid.DebugLog("ERROR: ** %s() From %d to %d - Chunky Depth does not match the Display Depth %d **",
                        szCaller, (int)nChunky, (int)m_nUsedChunky, (int)m_nDepth);
        return;
    }
    // A 16-bit alpha blit without a mask draws as the plain mode; in 8-bit depth
    // the flag reaches the dispatch, which has no loop for it.
    if (nPixelBytes == 2 && (nFlags & KOR_BLIT_ALPHA) && !HasUsableMask(Source))
        nFlags &= (uint16_t)~KOR_BLIT_ALPHA;

    BlitInfo Info;
    Info.pMask = nullptr;
    Info.nMaskPitch = 0;
    Info.nFade = 0;
    Info.pTransTable = nullptr;
    Info.pBlend = nullptr;
    Info.pBlendRow = nullptr;
    Info.pAlphaRow = nullptr;
    const bool bCookieTest = !(nFlags & KOR_BLIT_NOCOOKIE);
    const Mode eMode = nPixelBytes == 2 ? ResolveMode16(nFlags, nColour, nParam, Source, Visible, Info)
                                        : ResolveMode8(nFlags, Info);
    const BlitLoop pLoop = eMode == Mode::Count ? nullptr : KorvidBlitter::SelectLoop(nPixelBytes, eMode, bCookieTest);
    if (!pLoop)
        return;

    // A chunky drawn into itself reads from a copy of its visible rectangle, so the
    // rows never see their own output.
    std::optional<SourceSnapshot> Snapshot;
    Info.pSource = Source.pPixels + ((size_t)Visible.top * Source.nWidth + Visible.left) * nPixelBytes;
    Info.nSourcePitch = Source.nWidth;
    if (Source.pPixels == Dest.pPixels) {
        Snapshot.emplace(Source, Visible, nPixelBytes);
        if (!Snapshot->Pixels())
            return;
        Info.pSource = Snapshot->Pixels();
        Info.nSourcePitch = Visible.Width();
    }
    Info.pDest = Dest.pPixels +
                 ((size_t)(Visible.top + nOffsetY) * Dest.nWidth + (size_t)(Visible.left + nOffsetX)) * nPixelBytes;
    Info.nDestPitch = Dest.nWidth;
    Info.nWidth = Visible.Width();
    Info.nHeight = Visible.Height();
    Info.nColour = nColour;
    Info.nCookie = m_nCookie;

    // The mode's section is only opened while profiling: a small blit's cost is mostly such calls.
    std::optional<KorvidProfileScope> ModeSection;
    const char* szSection = Korvid.IsProfiling() ? ModeSectionName(eMode, bCookieTest) : nullptr;
    if (szSection)
        ModeSection.emplace(szSection);
    pLoop(Info);
}
