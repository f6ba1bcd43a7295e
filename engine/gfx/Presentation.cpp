// Presenting a frame: the back buffer (chunky 0) converted into the screen
// surface for every pair of internal depth (8, 16) and screen depth (8, 16, 24,
// 32), optionally through the dirty list, a shadow copy of the last presented
// frame that lets unchanged 32-bit groups of pixels go unwritten.
#include "gfx/KorvidGFX.h"

#include <cstdlib>
#include <cstring>

#include "gfx/GfxInternal.h"
#include "gfx/VectorClones.h"
#include "korvid.h"

using namespace KorvidGfxInternal;

namespace {

// Where the converted frame goes: successive screen rows nPitch bytes apart.
struct ScreenTarget {
    uint8_t* pScreen;
    int32_t nPitch;
    uint8_t* Row(uint32_t y) const { return pScreen + (ptrdiff_t)y * nPitch; }
};

int32_t RoundPitch(int32_t nPitch, int32_t nMultiple) { return nPitch - nPitch % nMultiple; }

// Pixels the dirty list compares in one step: an unchanged row costs one memcmp,
// and a changed row is compared a span at a time, all its groups at once.
constexpr uint32_t DIRTY_SPAN = 64;

// The groups of every screen with a shadow are four bytes, compared as one word.
inline uint32_t Word(const void* p)
{
    uint32_t n;
    memcpy(&n, p, 4);
    return n;
}

// True when the nBytes at a and b are the same: a word compare for a group, not a call.
inline bool SameBytes(const void* a, const void* b, size_t nBytes)
{
    return nBytes == 4 ? Word(a) == Word(b) : memcmp(a, b, nBytes) == 0;
}

// How many groups of a span stayed the same (a loop the compiler vectorises).
KORVID_VECTOR_CLONES uint32_t SameGroups(const uint8_t* __restrict pNew, const uint8_t* __restrict pOld,
                                         uint32_t nGroups)
{
    uint32_t nSame = 0;
    for (uint32_t k = 0; k < nGroups; ++k)
        nSame += Word(pNew + 4 * k) == Word(pOld + 4 * k);
    return nSame;
}

// The groups of a span that changed, as bits (group k: bit k). Most spans changed
// nowhere or everywhere, which the count of the same groups tells first.
uint64_t ChangedGroups(const uint8_t* __restrict pNew, const uint8_t* __restrict pOld, uint32_t nGroups)
{
    const uint32_t nSame = SameGroups(pNew, pOld, nGroups);
    if (nSame == nGroups)
        return 0;
    if (nSame == 0)
        return nGroups == 64 ? ~(uint64_t)0 : ((uint64_t)1 << nGroups) - 1;
    uint64_t nChanged = 0;
    for (uint32_t k = 0; k < nGroups; ++k)
        nChanged |= (uint64_t)(Word(pNew + 4 * k) != Word(pOld + 4 * k)) << k;
    return nChanged;
}

// Converts every pixel, or with a shadow only the groups of nGroup pixels that
// differ from it (updating the shadow). WriteRun(screen row, x, pixels, count)
// converts count pixels into the row starting at pixel x. Neighbouring changed
// groups go to WriteRun as one run: a frame that changed all over (drifting
// clouds) is then converted row by row at full speed, not a group at a time.
template <typename Pixel, typename WritePixels>
void ConvertFrame(const ScreenTarget& Target, const Pixel* pSource, Pixel* pShadow, uint32_t nWidth,
                  uint32_t nHeight, uint32_t nGroup, WritePixels WriteRun)
{
    constexpr uint32_t NO_RUN = UINT32_MAX;
    const size_t nRowBytes = (size_t)nWidth * sizeof(Pixel);
    for (uint32_t y = 0; y < nHeight; ++y) {
        const Pixel* pRow = pSource + (size_t)y * nWidth;
        uint8_t* pScreenRow = Target.Row(y);
        if (!pShadow) {
            WriteRun(pScreenRow, 0, pRow, nWidth);
            continue;
        }
        Pixel* pShadowRow = pShadow + (size_t)y * nWidth;
        if (memcmp(pRow, pShadowRow, nRowBytes) == 0)
            continue;
        uint32_t nRunStart = NO_RUN;
        auto EndRun = [&](uint32_t nEnd) {
            if (nRunStart == NO_RUN)
                return;
            memcpy(pShadowRow + nRunStart, pRow + nRunStart, (nEnd - nRunStart) * sizeof(Pixel));
            WriteRun(pScreenRow, nRunStart, pRow + nRunStart, nEnd - nRunStart);
            nRunStart = NO_RUN;
        };
        uint32_t x = 0;
        // Whole spans of four-byte groups: their changed groups found at once, then
        // taken run by run.
        const uint32_t nSpanGroups = DIRTY_SPAN / nGroup;
        if (nGroup * sizeof(Pixel) == 4) {
            for (; x + DIRTY_SPAN <= nWidth; x += DIRTY_SPAN) {
                const uint64_t nChanged = ChangedGroups((const uint8_t*)(pRow + x), (const uint8_t*)(pShadowRow + x),
                                                        nSpanGroups);
                for (uint32_t k = 0; k < nSpanGroups;) {
                    const uint64_t nRest = nChanged >> k;
                    const uint32_t nAt = x + k * nGroup;
                    if (nRest & 1) {
                        if (nRunStart == NO_RUN)
                            nRunStart = nAt;
                        k += ~nRest ? (uint32_t)__builtin_ctzll(~nRest) : nSpanGroups - k;
                    } else {
                        EndRun(nAt);
                        k += nRest ? (uint32_t)__builtin_ctzll(nRest) : nSpanGroups - k;
                    }
                }
            }
        }
        for (; x + nGroup <= nWidth; x += nGroup) {
            if (SameBytes(pRow + x, pShadowRow + x, nGroup * sizeof(Pixel)))
                EndRun(x);
            else if (nRunStart == NO_RUN)
                nRunStart = x;
        }
        EndRun(x);
        // A width that is not a whole number of groups ends with single pixels.
        for (; x < nWidth; ++x)
            if (pRow[x] != pShadowRow[x]) {
                pShadowRow[x] = pRow[x];
                WriteRun(pScreenRow, x, pRow + x, 1);
            }
    }
}

// Words read and written at any alignment: rows of an odd width, and screen pitches
// rounded only to four bytes.
typedef uint32_t LooseWord __attribute__((aligned(1)));

// The changed pairs of pixels of a row: each word that differs from the shadow is
// stored there and written to the screen converted, and no other. The loop has no
// branch to take, so the AVX2 clone compares a vector of words at a time and writes
// through masked stores, leaving the unchanged words of the screen untouched.
template <typename Out, Out (*ConvertPair)(uint32_t)>
KORVID_VECTOR_CLONES void WriteChangedPairs(Unaligned<Out>* __restrict pScreen, const LooseWord* __restrict pNew,
                                            LooseWord* __restrict pShadow, uint32_t nPairs)
{
    for (uint32_t k = 0; k < nPairs; ++k) {
        const uint32_t n = pNew[k];
        if (n != pShadow[k]) {
            pShadow[k] = n;
            pScreen[k].v = ConvertPair(n);
        }
    }
}

// 16-bit pixels through the dirty list, pair by pair as above; an unchanged row
// costs one memcmp, and the last pixel of an odd width goes alone through WriteRun.
template <typename Out, Out (*ConvertPair)(uint32_t), typename WritePixels>
void ConvertPairsDirty(const ScreenTarget& Target, const uint16_t* pSource, uint16_t* pShadow, uint32_t nWidth,
                       uint32_t nHeight, WritePixels WriteRun)
{
    const uint32_t nPairs = nWidth / 2;
    for (uint32_t y = 0; y < nHeight; ++y) {
        const uint16_t* pRow = pSource + (size_t)y * nWidth;
        uint16_t* pShadowRow = pShadow + (size_t)y * nWidth;
        uint8_t* pScreenRow = Target.Row(y);
        if (memcmp(pRow, pShadowRow, (size_t)nWidth * 2) == 0)
            continue;
        WriteChangedPairs<Out, ConvertPair>((Unaligned<Out>*)pScreenRow, (const LooseWord*)pRow,
                                                     (LooseWord*)pShadowRow, nPairs);
        const uint32_t x = nWidth - 1;
        if (nWidth % 2 && pRow[x] != pShadowRow[x]) {
            pShadowRow[x] = pRow[x];
            WriteRun(pScreenRow, x, pRow + x, 1);
        }
    }
}

uint32_t SamePair(uint32_t n) { return n; }
uint32_t SwappedPair(uint32_t n) { return ((n & 0x00FF00FFu) << 8) | ((n >> 8) & 0x00FF00FFu); }
uint64_t Pair565To32(uint32_t n)
{
    return KorvidConvert::To32From565((uint16_t)n) | (uint64_t)KorvidConvert::To32From565((uint16_t)(n >> 16)) << 32;
}

// ---- Pixel runs: nCount pixels from pPixels into a screen row from pixel x on -----------

// Screen pixels through a palette lookup table (u16 entries for 16-bit screens,
// u32 for 32-bit). Eight indices are read as one word and their eight entries
// written as one block, which halves the memory operations of a pixel at a time.
template <typename Entry>
KORVID_VECTOR_CLONES void LookupRun(uint8_t* __restrict pScreenRow, uint32_t x, const uint8_t* __restrict pPixels,
                                    uint32_t nCount, const Entry* __restrict pLookup)
{
    uint8_t* pOut = pScreenRow + (size_t)x * sizeof(Entry);
    size_t n = 0;
    for (; n + 8 <= nCount; n += 8) {
        const uint64_t nIndices = Load<uint64_t>(pPixels + n);
        Entry Converted[8];
        for (int k = 0; k < 8; ++k)
            Converted[k] = pLookup[(nIndices >> (8 * k)) & 0xFF];
        memcpy(pOut + n * sizeof(Entry), Converted, sizeof(Converted));
    }
    for (; n < nCount; ++n)
        Store(pOut + n * sizeof(Entry), pLookup[pPixels[n]]);
}

// RGB565 to XRGB8888 with the to-32 converter's formula written inline, so that
// the compiler can convert a vector of pixels at a time.
KORVID_VECTOR_CLONES void Run565To32(uint8_t* __restrict pScreenRow, uint32_t x, const uint16_t* __restrict pPixels,
                                     uint32_t nCount)
{
    uint8_t* pOut = pScreenRow + (size_t)x * 4;
    for (size_t n = 0; n < nCount; ++n)
        Store(pOut + n * 4, KorvidConvert::To32From565(pPixels[n]));
}

KORVID_VECTOR_CLONES void RunSwapped16(uint8_t* __restrict pScreenRow, uint32_t x, const uint16_t* __restrict pPixels,
                                       uint32_t nCount)
{
    uint8_t* pOut = pScreenRow + (size_t)x * 2;
    for (size_t n = 0; n < nCount; ++n)
        Store(pOut + n * 2, KorvidConvert::SwapBytes(pPixels[n]));
}

void RunCopy16(uint8_t* pScreenRow, uint32_t x, const uint16_t* pPixels, uint32_t nCount)
{
    memcpy(pScreenRow + (size_t)x * 2, pPixels, (size_t)nCount * 2);
}

// 8-bit screen from 8-bit chunky with the dirty list: groups of 8 pixels as two
// words; a changed first word writes both, else a changed second word writes it alone.
void CopyIndexedDirty(const ScreenTarget& Target, const uint8_t* pSource, uint8_t* pShadow, uint32_t nWidth,
                      uint32_t nHeight)
{
    for (uint32_t y = 0; y < nHeight; ++y) {
        const uint8_t* pRow = pSource + (size_t)y * nWidth;
        uint8_t* pShadowRow = pShadow + (size_t)y * nWidth;
        uint8_t* pScreenRow = Target.Row(y);
        if (memcmp(pRow, pShadowRow, nWidth) == 0)
            continue;
        uint32_t x = 0;
        for (; x + 8 <= nWidth; x += 8) {
            if (memcmp(pRow + x, pShadowRow + x, 4) != 0) {
                memcpy(pShadowRow + x, pRow + x, 8);
                memcpy(pScreenRow + x, pRow + x, 8);
            } else if (memcmp(pRow + x + 4, pShadowRow + x + 4, 4) != 0) {
                memcpy(pShadowRow + x + 4, pRow + x + 4, 4);
                memcpy(pScreenRow + x + 4, pRow + x + 4, 4);
            }
        }
        for (; x < nWidth; ++x)
            if (pRow[x] != pShadowRow[x])
                pScreenRow[x] = pShadowRow[x] = pRow[x];
    }
}

void StoreBlueGreenRed(uint8_t* pAt, uint8_t r, uint8_t g, uint8_t b)
{
    pAt[0] = b;
    pAt[1] = g;
    pAt[2] = r;
}

}  // namespace

void KorvidGFX::DumpChunkyBuffer(const ChunkyObject* pChunky, void* pScreen, int32_t nPitch)
{
    KorvidProfileScope Section("KorvidGFX::DumpChunkyBuffer()");
    if (!pChunky || !pChunky->pPixels || !pScreen)
        return;
    // The screen surface has the display's size: a back buffer of another shape would run past it.
    if (pChunky->nWidth != m_nDisplayWidth || pChunky->nHeight != m_nDisplayHeight ||
        pChunky->nBytesPerPixel != m_nBytesPerPixel) {
        Korvid.DebugLog("ERROR: ** DumpChunkyBuffer() - Chunky %dx%d %dbit does not match Display %dx%d %dbit **",
                        pChunky->nWidth, pChunky->nHeight, pChunky->nBytesPerPixel * 8, m_nDisplayWidth,
                        m_nDisplayHeight, m_nDepth);
        return;
    }
    bool bDirty = m_pShadowBuffer && !m_bFullUpdate && m_nShadowSize == pChunky->nSize;
    uint8_t nScreenDepth = m_Format.nScreenDepth;

    // Rows of 32-bit writes start on 4-byte multiples, rows of 16-bit writes on 2-byte multiples.
    int32_t nRounding = 1;
    if (nScreenDepth == 32 || (m_nDepth == 8 && nScreenDepth == 8 && bDirty) ||
        (m_nDepth != 8 && nScreenDepth == 16 && (bDirty || m_Format.bByteSwapped)))
        nRounding = 4;
    else if (m_nDepth == 8 && nScreenDepth == 16)
        nRounding = 2;
    int64_t nFrameBytes = (int64_t)pChunky->nSize;
    int64_t nScreenRow = (int64_t)pChunky->nWidth * (nScreenDepth / 8);
    int32_t nRounded = RoundPitch(nPitch, nRounding);
    // Rows closer together than one screen row would overlap and run past the surface's end.
    if (nPitch > nFrameBytes || nPitch < -nFrameBytes || llabs(nRounded) < nScreenRow) {
        Korvid.DebugLog("ERROR: ** DumpChunkyBuffer() - Dangerous Pitch Value %d **", nPitch);
        return;
    }
    ScreenTarget Target{(uint8_t*)pScreen, nRounded};
    bool bWritten = m_nDepth == 8 ? DumpIndexed(pChunky, Target.pScreen, Target.nPitch, bDirty)
                                  : DumpPacked(pChunky, Target.pScreen, Target.nPitch, bDirty);
    if (!bWritten || !m_bFullUpdate)
        return;
    if (!bDirty && m_pShadowBuffer && m_nShadowSize == pChunky->nSize)
        memcpy(m_pShadowBuffer, pChunky->pPixels, m_nShadowSize);
    m_bFullUpdate = 0;
}

bool KorvidGFX::DumpIndexed(const ChunkyObject* pChunky, uint8_t* pScreen, int32_t nPitch, bool bDirty)
{
    ScreenTarget Target{pScreen, nPitch};
    uint32_t nWidth = pChunky->nWidth, nHeight = pChunky->nHeight;
    const uint8_t* pSource = pChunky->pPixels;
    uint8_t* pShadow = bDirty ? m_pShadowBuffer : nullptr;
    uint8_t nScreenDepth = m_Format.nScreenDepth;
    if (nScreenDepth == 16 || nScreenDepth == 32) {
        uint32_t nNeeded = nScreenDepth == 16 ? 512 : 1024;
        if (m_nPaletteLookupSize != nNeeded) {
            Korvid.DebugLog(nScreenDepth == 16 ? "WARNING: ** DumpChunkyBuffer8() - Needs 8->16bit Table **"
                                               : "WARNING: ** DumpChunkyBuffer8() - Needs 8->32bit Table **");
            UpdatePaletteTables(nullptr);
            if (m_nPaletteLookupSize != nNeeded) {
                Korvid.DebugLog("ERROR: ** DumpChunkyBuffer8() - PalLookup FAIL **");
                return false;
            }
        }
    }
    switch (nScreenDepth) {
    case 8:
        if (pShadow)
            CopyIndexedDirty(Target, pSource, pShadow, nWidth, nHeight);
        else if ((uint32_t)nPitch == nWidth)
            memcpy(pScreen, pSource, pChunky->nSize);
        else
            for (uint32_t y = 0; y < nHeight; ++y)
                memcpy(Target.Row(y), pSource + (size_t)y * nWidth, nWidth);
        return true;
    case 16: {
        const uint16_t* pLookup = (const uint16_t*)m_pPaletteLookup;
        ConvertFrame(Target, pSource, pShadow, nWidth, nHeight, 4,
                     [pLookup](uint8_t* pRow, uint32_t x, const uint8_t* pPixels, uint32_t nCount) {
                         LookupRun(pRow, x, pPixels, nCount, pLookup);
                     });
        return true;
    }
    case 24: {
        const KorvidPaletteEntry* pPalette = m_Palette;
        ConvertFrame(Target, pSource, pShadow, nWidth, nHeight, 1,
                     [pPalette](uint8_t* pRow, uint32_t x, const uint8_t* pPixels, uint32_t nCount) {
                         for (uint32_t n = 0; n < nCount; ++n) {
                             const KorvidPaletteEntry& Entry = pPalette[pPixels[n]];
                             StoreBlueGreenRed(pRow + (x + n) * 3, Entry.r, Entry.g, Entry.b);
                         }
                     });
        return true;
    }
    case 32: {
        const uint32_t* pLookup = (const uint32_t*)m_pPaletteLookup;
        ConvertFrame(Target, pSource, pShadow, nWidth, nHeight, 4,
                     [pLookup](uint8_t* pRow, uint32_t x, const uint8_t* pPixels, uint32_t nCount) {
                         LookupRun(pRow, x, pPixels, nCount, pLookup);
                     });
        return true;
    }
    default:
        return false;
    }
}

bool KorvidGFX::DumpPacked(const ChunkyObject* pChunky, uint8_t* pScreen, int32_t nPitch, bool bDirty)
{
    ScreenTarget Target{pScreen, nPitch};
    uint32_t nWidth = pChunky->nWidth, nHeight = pChunky->nHeight;
    const uint16_t* pSource = pChunky->Pixels16();
    uint16_t* pShadow = bDirty ? (uint16_t*)m_pShadowBuffer : nullptr;
    switch (m_Format.nScreenDepth) {
    case 16:
        if (m_Format.bByteSwapped && pShadow)
            ConvertPairsDirty<uint32_t, SwappedPair>(Target, pSource, pShadow, nWidth, nHeight,
                                                                RunSwapped16);
        else if (m_Format.bByteSwapped)
            ConvertFrame(Target, pSource, pShadow, nWidth, nHeight, 2, RunSwapped16);
        else if (pShadow)
            ConvertPairsDirty<uint32_t, SamePair>(Target, pSource, pShadow, nWidth, nHeight, RunCopy16);
        else if (nPitch == (int32_t)(nWidth * 2))
            memcpy(pScreen, pSource, (size_t)nWidth * nHeight * 2);   // rows without a gap: one block
        else
            for (uint32_t y = 0; y < nHeight; ++y)
                memcpy(Target.Row(y), pSource + (size_t)y * nWidth, (size_t)nWidth * 2);
        return true;
    case 24: {
        // 24-bit screens are always written in full.
        KorvidUnpackFunc pUnpack = m_pUnpack;
        ConvertFrame(Target, pSource, (uint16_t*)nullptr, nWidth, nHeight, 1,
                     [pUnpack](uint8_t* pRow, uint32_t x, const uint16_t* pPixels, uint32_t nCount) {
                         for (uint32_t n = 0; n < nCount; ++n) {
                             KorvidRGB Colour = pUnpack(pPixels[n]);
                             StoreBlueGreenRed(pRow + (x + n) * 3, Colour.r, Colour.g, Colour.b);
                         }
                     });
        return true;
    }
    case 32: {
        if (m_Format.nFamily == KOR_CONVERT_RGB565) {
            if (pShadow)
                ConvertPairsDirty<uint64_t, Pair565To32>(Target, pSource, pShadow, nWidth, nHeight,
                                                                      Run565To32);
            else
                ConvertFrame(Target, pSource, pShadow, nWidth, nHeight, 2, Run565To32);
            return true;
        }
        KorvidTo32Func pTo32 = m_pTo32;
        ConvertFrame(Target, pSource, pShadow, nWidth, nHeight, 2,
                     [pTo32](uint8_t* pRow, uint32_t x, const uint16_t* pPixels, uint32_t nCount) {
                         for (uint32_t n = 0; n < nCount; ++n)
                             Store(pRow + (x + n) * 4, pTo32(pPixels[n]));
                     });
        return true;
    }
    default:
        return false;
    }
}
