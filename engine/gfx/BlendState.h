// Blit flags and the per-blit blend state: the weights and premultiplied colour
// prepared once before a translucent blit, and the row operations chosen for the
// installed converter family (RGB565, RGB555 or the generic pack/unpack set).
#pragma once
#include <cstdint>

constexpr uint16_t KOR_BLIT_COOKIE = 0x00;
constexpr uint16_t KOR_BLIT_NOCOOKIE = 0x01;
constexpr uint16_t KOR_BLIT_SOLIDCOLOUR = 0x02;
constexpr uint16_t KOR_BLIT_SOLIDTRANS = 0x04;
constexpr uint16_t KOR_BLIT_TRANS = 0x08;
constexpr uint16_t KOR_BLIT_TINT = 0x10;
constexpr uint16_t KOR_BLIT_ALPHA = 0x40;

// The level of an alpha blit (a percentage of the mask's opacity) that draws the
// mask as it is; -1 asks for the same.
constexpr int16_t KOR_ALPHA_FULL = 100;

// Primitive modes.
constexpr uint8_t KOR_DRAW_SOLID = 2;
constexpr uint8_t KOR_DRAW_HALF = 4;

// Print flags.
constexpr uint8_t KOR_PRINT_CENTRE = 0x01;
constexpr uint8_t KOR_PRINT_FIXED = 0x02;
constexpr uint8_t KOR_PRINT_SHADOW = 0x04;
constexpr uint8_t KOR_PRINT_TRANS = 0x08;
constexpr uint8_t KOR_PRINT_TINT = 0x10;
constexpr uint8_t KOR_PRINT_SOLIDCOLOUR = 0x20;
constexpr uint8_t KOR_PRINT_SOLIDTRANS = 0x40;

struct KorvidBlendState {
    uint16_t nWeight = 0;          // a = truncate(param x 2.55)
    uint16_t nInverseWeight = 0;   // 255 - a
    uint16_t nColourRed = 0;       // colour components x (255 - a)
    uint16_t nColourGreen = 0;
    uint16_t nColourBlue = 0;
    uint8_t bHalf = 0;             // 48 <= param <= 52 and the format has a half mask
    uint16_t nHalfColour = 0;      // (colour >> 1) & half mask, valid with bHalf
    uint16_t nHalfMask = 0;        // the format's half mask, valid with bHalf
    uint16_t nColour = 0;          // the colour value itself
};

// One row of a translucent 16-bit blit: nCount pixels from pSrc over pDest.
using KorvidBlendRowFunc = void (*)(uint16_t* pDest, const uint16_t* pSrc, int32_t nCount,
                                    const KorvidBlendState& State, uint16_t nCookie);
// One row of an alpha blit: mask bytes beside the source pixels, fade already computed.
using KorvidAlphaRowFunc = void (*)(uint16_t* pDest, const uint16_t* pSrc, const uint8_t* pMask, int32_t nCount,
                                    int32_t nFade, uint16_t nColour);

// The slots PrepareBlend fills for the installed family.
struct KorvidBlendRows {
    KorvidBlendRowFunc pTrans = nullptr;
    KorvidBlendRowFunc pTransNoCookie = nullptr;
    KorvidBlendRowFunc pTint = nullptr;
    KorvidBlendRowFunc pTintNoCookie = nullptr;
    KorvidBlendRowFunc pSolidTrans = nullptr;
    KorvidBlendRowFunc pSolidTransNoCookie = nullptr;
    KorvidAlphaRowFunc pAlphaImage = nullptr;
    KorvidAlphaRowFunc pAlphaColour = nullptr;
};
