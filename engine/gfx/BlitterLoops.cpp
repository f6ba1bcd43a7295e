// The blitter's inner loops and the table that picks one per (depth, mode, cookie
// test). A loop walks the rectangle its BlitInfo describes and trusts it: all
// validation and clipping happened before.
//
// 16-bit: copies and silhouettes are done here; translucent and alpha rows go
// through the row operation in the BlitInfo (BlitterBlend16.cpp).
// 8-bit: pixels are palette indices, translucency is one trans-table lookup, and
// every mode except the block copy tests the cookie colour.
#include <cstring>

#include "gfx/BlitterInternal.h"
#include "gfx/VectorClones.h"

namespace KorvidBlitter {
namespace {

// d = s (or the colour, for a silhouette) wherever the source is not the cookie
// colour, on a block of Bytes / sizeof(Pixel) pixels at once (GCC vector types:
// AVX2 registers in the AVX2 clone, pairs of SSE2 registers otherwise).
template <typename Pixel, int Bytes>
struct VectorOf;
template <>
struct VectorOf<uint8_t, 16> {
    typedef uint8_t Type __attribute__((vector_size(16)));
};
template <>
struct VectorOf<uint8_t, 32> {
    typedef uint8_t Type __attribute__((vector_size(32)));
};
template <>
struct VectorOf<uint16_t, 16> {
    typedef uint16_t Type __attribute__((vector_size(16)));
};
template <>
struct VectorOf<uint16_t, 32> {
    typedef uint16_t Type __attribute__((vector_size(32)));
};

// (The block is handed back through a reference: returned by value, a 32-byte
// vector would have a different calling convention in the two clones.)
template <int Bytes, typename Pixel, bool CookieTest, bool Silhouette>
inline void KeyedBlock(typename VectorOf<Pixel, Bytes>::Type& Out, const Pixel* pDest, const Pixel* pSource,
                       Pixel nColour, Pixel nCookie)
{
    using Lanes = typename VectorOf<Pixel, Bytes>::Type;
    Lanes s, d;
    std::memcpy(&s, pSource, Bytes);
    std::memcpy(&d, pDest, Bytes);
    const Lanes Wanted = Silhouette ? Lanes{} + nColour : s;
    if constexpr (CookieTest) {
        const Lanes Keep = (Lanes)(s == Lanes{} + nCookie);
        Out = (Wanted & ~Keep) | (d & Keep);
    } else {
        Out = Wanted;
    }
}

// A keyed copy or silhouette depends only on the source and the destination as
// it was, so the last pixels of a row are done by one more whole block that
// overlaps the one before: rows of 30 or 40 pixels need no pixel-by-pixel tail.
// That last block is worked out before anything is stored, so it never reloads
// pixels just written (a stalled store-to-load forward) and both blocks agree
// where they overlap.
template <typename Pixel, bool CookieTest, bool Silhouette>
inline void KeyedRow(Pixel* __restrict pDest, const Pixel* __restrict pSource, int32_t nCount,
                                   Pixel nColour, Pixel nCookie)
{
    constexpr int32_t WIDE = 32 / sizeof(Pixel), NARROW = 16 / sizeof(Pixel);
    if (nCount >= WIDE) {
        const int32_t nLast = nCount - WIDE;
        typename VectorOf<Pixel, 32>::Type Last = {}, Block = {};
        KeyedBlock<32, Pixel, CookieTest, Silhouette>(Last, pDest + nLast, pSource + nLast, nColour, nCookie);
        for (int32_t i = 0; i < nLast; i += WIDE) {
            KeyedBlock<32, Pixel, CookieTest, Silhouette>(Block, pDest + i, pSource + i, nColour, nCookie);
            std::memcpy(pDest + i, &Block, sizeof(Block));
        }
        std::memcpy(pDest + nLast, &Last, sizeof(Last));
        return;
    }
    if (nCount >= NARROW) {
        const int32_t nLast = nCount - NARROW;
        typename VectorOf<Pixel, 16>::Type First = {}, Last = {};
        KeyedBlock<16, Pixel, CookieTest, Silhouette>(First, pDest, pSource, nColour, nCookie);
        KeyedBlock<16, Pixel, CookieTest, Silhouette>(Last, pDest + nLast, pSource + nLast, nColour, nCookie);
        std::memcpy(pDest, &First, sizeof(First));
        std::memcpy(pDest + nLast, &Last, sizeof(Last));
        return;
    }
    for (int32_t i = 0; i < nCount; ++i) {
        const Pixel s = pSource[i];
        const bool bDraw = !CookieTest || s != nCookie;
        pDest[i] = bDraw ? (Silhouette ? nColour : s) : pDest[i];
    }
}

// 8-bit translucency: T[x x 256 + y] is the palette index nearest the average of x and y.
template <Mode M>
void TableRow(uint8_t* __restrict pDest, const uint8_t* __restrict pSource, int32_t nCount,
              const uint8_t* __restrict pTable, uint8_t nColour, uint8_t nCookie)
{
    for (int32_t i = 0; i < nCount; ++i) {
        const uint8_t s = pSource[i];
        const uint8_t d = pDest[i];
        uint32_t nEntry;
        if constexpr (M == Mode::SolidTrans)
            nEntry = nColour * 256u + d;
        else if constexpr (M == Mode::Trans)
            nEntry = s * 256u + d;
        else
            nEntry = nColour * 256u + s;
        pDest[i] = s != nCookie ? pTable[nEntry] : d;
    }
}

// The block copy of mode 0 without cookie test. Rows that follow each other
// without a gap in both chunkies (a full-width blit) go as one block, which
// runs at the speed of memcpy instead of paying a call per row.
template <typename Pixel>
void CopyRect(const BlitInfo& Info)
{
    const size_t nRowBytes = (size_t)Info.nWidth * sizeof(Pixel);
    if (Info.nSourcePitch == Info.nWidth && Info.nDestPitch == Info.nWidth) {
        std::memcpy(Info.pDest, Info.pSource, nRowBytes * (size_t)Info.nHeight);
        return;
    }
    const uint8_t* pSource = Info.pSource;
    uint8_t* pDest = Info.pDest;
    for (int32_t y = 0; y < Info.nHeight; ++y) {
        std::memcpy(pDest, pSource, nRowBytes);
        pSource += (size_t)Info.nSourcePitch * sizeof(Pixel);
        pDest += (size_t)Info.nDestPitch * sizeof(Pixel);
    }
}

// The loops are compiled in two clones (AVX2 and baseline) with their rows inlined:
// a 30 x 30 particle then costs one call, not one per row.
template <Mode M, bool CookieTest>
KORVID_VECTOR_CLONES void Loop16(const BlitInfo& Info)
{
    if constexpr (M == Mode::Copy && !CookieTest) {
        CopyRect<uint16_t>(Info);
        return;
    }
    const uint16_t* pSource = reinterpret_cast<const uint16_t*>(Info.pSource);
    uint16_t* pDest = reinterpret_cast<uint16_t*>(Info.pDest);
    const uint8_t* pMask = Info.pMask;
    for (int32_t y = 0; y < Info.nHeight; ++y) {
        if constexpr (M == Mode::Copy || M == Mode::SolidColour)
            KeyedRow<uint16_t, CookieTest, M == Mode::SolidColour>(pDest, pSource, Info.nWidth, Info.nColour,
                                                                  Info.nCookie);
        else if constexpr (M == Mode::AlphaImage || M == Mode::AlphaColour)
            Info.pAlphaRow(pDest, pSource, pMask, Info.nWidth, Info.nFade, Info.nColour);
        else
            Info.pBlendRow(pDest, pSource, Info.nWidth, *Info.pBlend, Info.nCookie);
        pSource += Info.nSourcePitch;
        if constexpr (M == Mode::AlphaImage || M == Mode::AlphaColour)
            pMask += Info.nMaskPitch;
        pDest += Info.nDestPitch;
    }
}

template <Mode M, bool CookieTest>
KORVID_VECTOR_CLONES void Loop8(const BlitInfo& Info)
{
    if constexpr (M == Mode::Copy && !CookieTest) {
        CopyRect<uint8_t>(Info);
        return;
    }
    const uint8_t* pSource = Info.pSource;
    uint8_t* pDest = Info.pDest;
    const uint8_t nColour = (uint8_t)Info.nColour;
    const uint8_t nCookie = (uint8_t)Info.nCookie;
    for (int32_t y = 0; y < Info.nHeight; ++y) {
        if constexpr (M == Mode::Copy || M == Mode::SolidColour)
            KeyedRow<uint8_t, true, M == Mode::SolidColour>(pDest, pSource, Info.nWidth, nColour, nCookie);
        else
            TableRow<M>(pDest, pSource, Info.nWidth, Info.pTransTable, nColour, nCookie);
        pSource += Info.nSourcePitch;
        pDest += Info.nDestPitch;
    }
}

constexpr int kModes = (int)Mode::Count;

// [mode][cookie test]
constexpr BlitLoop g_Loops16[kModes][2] = {
    {Loop16<Mode::Copy, false>, Loop16<Mode::Copy, true>},
    {Loop16<Mode::SolidColour, false>, Loop16<Mode::SolidColour, true>},
    {Loop16<Mode::SolidTrans, false>, Loop16<Mode::SolidTrans, true>},
    {Loop16<Mode::Trans, false>, Loop16<Mode::Trans, true>},
    {Loop16<Mode::Tint, false>, Loop16<Mode::Tint, true>},
    {Loop16<Mode::AlphaImage, false>, Loop16<Mode::AlphaImage, false>},
    {Loop16<Mode::AlphaColour, false>, Loop16<Mode::AlphaColour, false>},
};

// The 8-bit depth has no alpha blits, and only its block copy skips the cookie test.
constexpr BlitLoop g_Loops8[kModes][2] = {
    {Loop8<Mode::Copy, false>, Loop8<Mode::Copy, true>},
    {Loop8<Mode::SolidColour, true>, Loop8<Mode::SolidColour, true>},
    {Loop8<Mode::SolidTrans, true>, Loop8<Mode::SolidTrans, true>},
    {Loop8<Mode::Trans, true>, Loop8<Mode::Trans, true>},
    {Loop8<Mode::Tint, true>, Loop8<Mode::Tint, true>},
    {nullptr, nullptr},
    {nullptr, nullptr},
};

}  // namespace

BlitLoop SelectLoop(uint8_t nPixelBytes, Mode eMode, bool bCookieTest)
{
    if (eMode >= Mode::Count)
        return nullptr;
    const auto& Table = nPixelBytes == 1 ? g_Loops8 : g_Loops16;
    return Table[(int)eMode][bCookieTest ? 1 : 0];
}

}  // namespace KorvidBlitter
