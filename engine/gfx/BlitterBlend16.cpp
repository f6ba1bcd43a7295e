// Translucent and alpha-masked rows for the 16-bit depth, and PrepareBlend.
//
// Every row is one template over an "arithmetic" that says how a pixel's three
// channels are widened, weighed and narrowed again:
//   ChannelArithmetic  unpacks to 8-bit channels through a family's converters and
//                      packs the weighted sums back: the plain reference;
//   FieldArithmetic    takes the bit fields of an RGB565 or RGB555 pixel straight out
//                      of the packed value with shifts and masks, no converter calls.
// Both give the same pixels: unpacking only appends zero bits to a field, so
// (x x wx + y x wy) >> 8 on the 8-bit channels, truncated back to the field width by
// the pack, equals the same sum taken on the bare fields.
#include <cstdint>
#include <cstring>

#include "gfx/BlitterInternal.h"
#include "gfx/PixelFormat.h"
#include "gfx/VectorClones.h"
#include "korvid.h"

namespace KorvidBlitter {
namespace {

template <KorvidPackFunc PackPixel, KorvidUnpackFunc UnpackPixel>
struct ChannelArithmetic {
    struct Wide {
        uint32_t r, g, b;
    };
    static Wide Expand(uint16_t nPixel)
    {
        const KorvidRGB c = UnpackPixel(nPixel);
        return {c.r, c.g, c.b};
    }
    static Wide Weigh(Wide v, uint32_t nWeight) { return {v.r * nWeight, v.g * nWeight, v.b * nWeight}; }
    static Wide Sum(Wide x, Wide y) { return {x.r + y.r, x.g + y.g, x.b + y.b}; }
    static uint16_t Narrow(Wide v) { return PackPixel((uint8_t)(v.r >> 8), (uint8_t)(v.g >> 8), (uint8_t)(v.b >> 8)); }
    // The colour x (255 - a) that PrepareBlend premultiplied per channel.
    static Wide Premultiplied(const KorvidBlendState& State)
    {
        return {State.nColourRed, State.nColourGreen, State.nColourBlue};
    }
};

// The bare fields of an RGB565 or RGB555 pixel, each in its own 16-bit lane: a
// 6-bit field times an 8-bit weight is at most 63 x 255 = 16065, and the two weights
// of a blend add up to 255, so every sum fits 16 bits. Kept in 16-bit lanes, a row
// vectorises to eight pixels per 128-bit multiply. (A single packed word cannot hold
// the three fields with room for 8-bit weights short of 64 bits, where the lack of
// 64-bit vector multiplies makes it several times slower.)
template <int RedShift, uint16_t GreenMask>
struct FieldArithmetic {
    struct Wide {
        uint16_t r, g, b;
    };
    static Wide Expand(uint16_t nPixel)
    {
        return {(uint16_t)((nPixel >> RedShift) & 0x1F), (uint16_t)((nPixel >> 5) & GreenMask),
                (uint16_t)(nPixel & 0x1F)};
    }
    static Wide Weigh(Wide v, uint32_t nWeight)
    {
        const uint16_t w = (uint16_t)nWeight;
        return {(uint16_t)(v.r * w), (uint16_t)(v.g * w), (uint16_t)(v.b * w)};
    }
    static Wide Sum(Wide x, Wide y) { return {(uint16_t)(x.r + y.r), (uint16_t)(x.g + y.g), (uint16_t)(x.b + y.b)}; }
    static uint16_t Narrow(Wide v)
    {
        return (uint16_t)(((v.r >> 8) << RedShift) | ((v.g >> 8) << 5) | (v.b >> 8));
    }
    static Wide Premultiplied(const KorvidBlendState& State)
    {
        return Weigh(Expand(State.nColour), State.nInverseWeight);
    }
};

using Fields565 = FieldArithmetic<11, 0x3F>;
using Fields555 = FieldArithmetic<10, 0x1F>;
using Channels565 = ChannelArithmetic<KorvidConvert::Pack565, KorvidConvert::Unpack565>;
using Channels555 = ChannelArithmetic<KorvidConvert::Pack555, KorvidConvert::Unpack555>;
using Channels565Swapped = ChannelArithmetic<KorvidConvert::Pack565Swapped, KorvidConvert::Unpack565Swapped>;
using Channels555Swapped = ChannelArithmetic<KorvidConvert::Pack555Swapped, KorvidConvert::Unpack555Swapped>;

// A solid-trans row without cookie test only mixes the colour into the destination:
// it never reads the source, which may then be null (BoxFill and Line use it so).
template <Mode M, bool CookieTest>
uint16_t ReadSource([[maybe_unused]] const uint16_t* pSource, [[maybe_unused]] int32_t i)
{
    if constexpr (M == Mode::SolidTrans && !CookieTest)
        return 0;
    else
        return pSource[i];
}

// Writes Rule(i, d) to every pixel i of a row, d being the pixel's value before. The vectorised loop covers a whole number of 16-pixel steps; the
// pixels past them are one more 16-pixel block, overlapping the loop's last step,
// worked out before the loop stores anything. Every value then comes from the
// destination as it was, the two agree where they overlap, and a short row (a
// 30-pixel particle) needs no pixel-by-pixel tail.
// (Always inlined, so that it is compiled into each clone of the row that uses it.)
template <typename PixelRule>
[[gnu::always_inline]] inline void ForEachPixel(uint16_t* __restrict pDest, int32_t nCount, PixelRule Rule)
{
    constexpr int32_t BLOCK = 16;
    if (nCount < BLOCK) {
        for (int32_t i = 0; i < nCount; ++i)
            pDest[i] = Rule(i, pDest[i]);
        return;
    }
    const int32_t nLast = nCount - BLOCK;
    uint16_t Last[BLOCK];
    // Kept a loop (not unrolled into single pixels) so that it is vectorised like the main one.
#pragma GCC unroll 1
    for (int32_t k = 0; k < BLOCK; ++k)
        Last[k] = Rule(nLast + k, pDest[nLast + k]);
    const int32_t nSteps = (nLast + BLOCK - 1) / BLOCK * BLOCK;
    for (int32_t i = 0; i < nSteps; ++i)
        pDest[i] = Rule(i, pDest[i]);
    memcpy(pDest + nLast, Last, sizeof(Last));
}

// The weighted sums of the three translucent modes:
//   SolidTrans  d = d x a + c x (255 - a)
//   Trans       d = s x (255 - a) + d x a, only where s != d
//   Tint        d = s x a + c x (255 - a)
// Rows are written as one select per pixel so that the compiler can vectorise them.
template <class Arith, Mode M, bool CookieTest>
KORVID_VECTOR_CLONES void WeightedRow(uint16_t* __restrict pDest, const uint16_t* __restrict pSource, int32_t nCount,
                                      const KorvidBlendState& State, uint16_t nCookie)
{
    const uint32_t nWeight = State.nWeight;
    const uint32_t nInverse = State.nInverseWeight;
    const auto Colour = Arith::Premultiplied(State);
    ForEachPixel(pDest, nCount, [&](int32_t i, uint16_t d) __attribute__((always_inline)) {
        const uint16_t s = ReadSource<M, CookieTest>(pSource, i);
        bool bDraw = !CookieTest || s != nCookie;
        uint16_t nMixed;
        if constexpr (M == Mode::SolidTrans) {
            nMixed = Arith::Narrow(Arith::Sum(Arith::Weigh(Arith::Expand(d), nWeight), Colour));
        } else if constexpr (M == Mode::Trans) {
            bDraw = bDraw & (s != d);
            nMixed = Arith::Narrow(
                Arith::Sum(Arith::Weigh(Arith::Expand(s), nInverse), Arith::Weigh(Arith::Expand(d), nWeight)));
        } else {
            static_assert(M == Mode::Tint, "a translucent mode");
            nMixed = Arith::Narrow(Arith::Sum(Arith::Weigh(Arith::Expand(s), nWeight), Colour));
        }
        return bDraw ? nMixed : d;
    });
}

// The 50 % shortcut on packed pixels: ((x >> 1) & half) + ((y >> 1) & half), the same
// for every family that has a half mask.
template <Mode M, bool CookieTest>
KORVID_VECTOR_CLONES void HalfRow(uint16_t* __restrict pDest, const uint16_t* __restrict pSource, int32_t nCount,
                                  const KorvidBlendState& State, uint16_t nCookie)
{
    const uint16_t nHalf = State.nHalfMask;
    const uint16_t nHalfColour = State.nHalfColour;
    ForEachPixel(pDest, nCount, [&](int32_t i, uint16_t d) __attribute__((always_inline)) {
        const uint16_t s = ReadSource<M, CookieTest>(pSource, i);
        bool bDraw = !CookieTest || s != nCookie;
        uint16_t nMixed;
        if constexpr (M == Mode::SolidTrans) {
            nMixed = (uint16_t)(((d >> 1) & nHalf) + nHalfColour);
        } else if constexpr (M == Mode::Trans) {
            bDraw = bDraw & (s != d);
            nMixed = (uint16_t)(((s >> 1) & nHalf) + ((d >> 1) & nHalf));
        } else {
            nMixed = (uint16_t)(((s >> 1) & nHalf) + nHalfColour);
        }
        return bDraw ? nMixed : d;
    });
}

template <class Arith, Mode M, bool CookieTest>
void BlendRow(uint16_t* pDest, const uint16_t* pSource, int32_t nCount, const KorvidBlendState& State,
              uint16_t nCookie)
{
    if (State.bHalf)
        HalfRow<M, CookieTest>(pDest, pSource, nCount, State, nCookie);
    else
        WeightedRow<Arith, M, CookieTest>(pDest, pSource, nCount, State, nCookie);
}

// Alpha rows, with a = mask - fade: a > 251 takes the source, 3 < a <= 251 mixes
// s x a + d x (255 - a), anything less leaves the destination; pixels already equal
// to the source are skipped. The colour variant uses the colour as its source.
template <class Arith, bool PaintColour>
KORVID_VECTOR_CLONES void AlphaRow(uint16_t* __restrict pDest, const uint16_t* __restrict pSource,
                                   const uint8_t* __restrict pMask, int32_t nCount, int32_t nFade, uint16_t nColour)
{
    // A fade past 255 leaves every a <= 3; clamped, a = mask - fade fits 16-bit lanes.
    const int16_t nLaneFade = (int16_t)(nFade < 0 ? 0 : (nFade > 256 ? 256 : nFade));
    ForEachPixel(pDest, nCount, [&](int32_t i, uint16_t d) __attribute__((always_inline)) {
        const uint16_t s = PaintColour ? nColour : pSource[i];
        const int16_t a = (int16_t)(pMask[i] - nLaneFade);
        const uint16_t nWeight = (uint16_t)(a < 0 ? 0 : a);
        const uint16_t nMixed = Arith::Narrow(Arith::Sum(Arith::Weigh(Arith::Expand(s), nWeight),
                                                         Arith::Weigh(Arith::Expand(d), (uint16_t)(255 - nWeight))));
        const uint16_t nOut = a > 251 ? s : (a > 3 ? nMixed : d);
        return s == d ? d : nOut;
    });
}

template <class Arith>
constexpr KorvidBlendRows MakeRows()
{
    KorvidBlendRows Rows;
    Rows.pTrans = BlendRow<Arith, Mode::Trans, true>;
    Rows.pTransNoCookie = BlendRow<Arith, Mode::Trans, false>;
    Rows.pTint = BlendRow<Arith, Mode::Tint, true>;
    Rows.pTintNoCookie = BlendRow<Arith, Mode::Tint, false>;
    Rows.pSolidTrans = BlendRow<Arith, Mode::SolidTrans, true>;
    Rows.pSolidTransNoCookie = BlendRow<Arith, Mode::SolidTrans, false>;
    Rows.pAlphaImage = AlphaRow<Arith, false>;
    Rows.pAlphaColour = AlphaRow<Arith, true>;
    return Rows;
}

constexpr KorvidBlendRows g_Rows565 = MakeRows<Fields565>();
constexpr KorvidBlendRows g_Rows555 = MakeRows<Fields555>();
constexpr KorvidBlendRows g_Generic565 = MakeRows<Channels565>();
constexpr KorvidBlendRows g_Generic555 = MakeRows<Channels555>();
constexpr KorvidBlendRows g_Generic565Swapped = MakeRows<Channels565Swapped>();
constexpr KorvidBlendRows g_Generic555Swapped = MakeRows<Channels555Swapped>();

}  // namespace

KorvidBlendRows GenericRows(uint8_t nFamily)
{
    switch (nFamily) {
    case KOR_CONVERT_RGB555: return g_Generic555;
    case KOR_CONVERT_RGB555_SWAPPED: return g_Generic555Swapped;
    case KOR_CONVERT_RGB565_SWAPPED: return g_Generic565Swapped;
    default: return g_Generic565;
    }
}

KorvidBlendRows RowsForFamily(uint8_t nFamily)
{
    switch (nFamily) {
    case KOR_CONVERT_RGB565: return g_Rows565;
    case KOR_CONVERT_RGB555: return g_Rows555;
    default: return GenericRows(nFamily);
    }
}

}  // namespace KorvidBlitter

void KorvidGFX::PrepareBlend(uint16_t nColour, int16_t nParam)
{
    const uint16_t nWeight = KorvidBlitter::WeightFromParam(nParam);
    const uint16_t nInverse = (uint16_t)(255 - nWeight);
    const KorvidRGB Colour = Unpack(nColour);
    m_Blend.nWeight = nWeight;
    m_Blend.nInverseWeight = nInverse;
    m_Blend.nColourRed = (uint16_t)(Colour.r * nInverse);
    m_Blend.nColourGreen = (uint16_t)(Colour.g * nInverse);
    m_Blend.nColourBlue = (uint16_t)(Colour.b * nInverse);
    m_Blend.nHalfMask = m_Format.nHalfMask;
    m_Blend.bHalf = nParam >= 48 && nParam <= 52 && m_Format.nHalfMask != 0;
    m_Blend.nHalfColour = (uint16_t)((nColour >> 1) & m_Format.nHalfMask);
    m_Blend.nColour = nColour;
    m_BlendRows = KorvidBlitter::RowsForFamily(m_Format.nFamily);
}
