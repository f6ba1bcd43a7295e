// Screen pixel formats and the converters between 8-bit red, green and blue
// components and the engine's 16-bit packed pixels. Every colour computation
// goes through the three converter slots so per-pixel loops need no format switch.
// Components unpack with their low bits zero: there is no bit replication.
#pragma once
#include <cstdint>

constexpr uint8_t KOR_PIXFMT_LUT8 = 0;
constexpr uint8_t KOR_PIXFMT_RGB15 = 1;
constexpr uint8_t KOR_PIXFMT_BGR15 = 2;
constexpr uint8_t KOR_PIXFMT_RGB15PC = 3;
constexpr uint8_t KOR_PIXFMT_BGR15PC = 4;
constexpr uint8_t KOR_PIXFMT_RGB16 = 5;
constexpr uint8_t KOR_PIXFMT_BGR16 = 6;
constexpr uint8_t KOR_PIXFMT_RGB16PC = 7;
constexpr uint8_t KOR_PIXFMT_BGR16PC = 8;
constexpr uint8_t KOR_PIXFMT_RGB24 = 9;
constexpr uint8_t KOR_PIXFMT_BGR24 = 10;
constexpr uint8_t KOR_PIXFMT_ARGB32 = 11;
constexpr uint8_t KOR_PIXFMT_BGRA32 = 12;
constexpr uint8_t KOR_PIXFMT_RGBA32 = 13;
constexpr uint8_t KOR_PIXFMT_COUNT = 14;

// Converter families: which pack/unpack pair a format installs.
constexpr uint8_t KOR_CONVERT_RGB555 = 1;
constexpr uint8_t KOR_CONVERT_RGB555_SWAPPED = 3;
constexpr uint8_t KOR_CONVERT_RGB565 = 5;
constexpr uint8_t KOR_CONVERT_RGB565_SWAPPED = 7;

// Nearest-colour search modes (8-bit depth).
constexpr uint8_t KOR_SEARCH_CLOSETABLE = 1;   // through the 32K close table
constexpr uint8_t KOR_SEARCH_EXHAUSTIVE = 2;   // over all 256 palette entries

// The installed screen format.
struct KorvidPixelFormat {
    uint8_t nId = KOR_PIXFMT_RGB16;
    uint8_t nRedBits = 0, nGreenBits = 0, nBlueBits = 0;
    uint8_t nScreenDepth = 0;
    uint8_t nScreenBytesPerPixel = 0;
    uint8_t nFamily = KOR_CONVERT_RGB565;
    uint16_t nHalfMask = 0x7BEF;   // clears each component's top bit after >> 1; 0: no fast 50 % path
    uint8_t bByteSwapped = 0;      // the two pixel bytes are stored high byte first
};

struct KorvidRGB {
    uint8_t r, g, b;
};

// One palette entry: red, green, blue and a fourth byte that is always 0.
struct KorvidPaletteEntry {
    uint8_t r, g, b, nPad;
};

using KorvidPackFunc = uint16_t (*)(uint8_t r, uint8_t g, uint8_t b);
using KorvidUnpackFunc = KorvidRGB (*)(uint16_t nPixel);
using KorvidTo32Func = uint32_t (*)(uint16_t nPixel);

// The four families' converters, also used directly by the specialised loops.
namespace KorvidConvert {

constexpr uint16_t SwapBytes(uint16_t p) { return (uint16_t)((p << 8) | (p >> 8)); }

constexpr uint16_t Pack565(uint8_t r, uint8_t g, uint8_t b)
{
    return (uint16_t)(((r & 0xF8) << 8) + ((g & 0xFC) << 3) + (b >> 3));
}
constexpr KorvidRGB Unpack565(uint16_t p)
{
    return {(uint8_t)((p & 0xF800) >> 8), (uint8_t)((p & 0x07E0) >> 3), (uint8_t)((p << 3) & 0xFF)};
}
constexpr uint32_t To32From565(uint16_t p)
{
    return ((uint32_t)(p & 0xF800) << 8) + ((uint32_t)(p & 0x07E0) << 5) + ((uint32_t)(p & 0x001F) << 3);
}

constexpr uint16_t Pack555(uint8_t r, uint8_t g, uint8_t b)
{
    return (uint16_t)(((r & 0xF8) << 7) + ((g & 0xF8) << 2) + (b >> 3));
}
constexpr KorvidRGB Unpack555(uint16_t p)
{
    return {(uint8_t)((p & 0x7C00) >> 7), (uint8_t)((p & 0x03E0) >> 2), (uint8_t)((p << 3) & 0xFF)};
}
constexpr uint32_t To32From555(uint16_t p)
{
    return ((uint32_t)(p & 0x7C00) << 9) + ((uint32_t)(p & 0x03E0) << 6) + ((uint32_t)(p & 0x001F) << 3);
}

constexpr uint16_t Pack565Swapped(uint8_t r, uint8_t g, uint8_t b) { return SwapBytes(Pack565(r, g, b)); }
constexpr KorvidRGB Unpack565Swapped(uint16_t p) { return Unpack565(SwapBytes(p)); }
constexpr uint16_t Pack555Swapped(uint8_t r, uint8_t g, uint8_t b) { return SwapBytes(Pack555(r, g, b)); }
constexpr KorvidRGB Unpack555Swapped(uint16_t p) { return Unpack555(SwapBytes(p)); }

}  // namespace KorvidConvert
