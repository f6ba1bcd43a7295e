// The chunky record: the engine's only kind of image. A rectangular buffer of
// pixels in the internal depth (8-bit palette indices or 16-bit packed pixels),
// an optional 8-bit alpha mask and a hot spot. The table of these records lives
// in KorvidGFX; callers only ever hold chunky numbers.
#pragma once
#include <cstdint>

struct ChunkyObject {
    int16_t nHotX;          // subtracted from the x position by Blit
    int16_t nHotY;          // subtracted from the y position by Blit
    uint16_t nWidth;        // pixels per row; rows are unpadded (pitch = width)
    uint16_t nHeight;       // rows
    uint8_t nBytesPerPixel; // (depth + 1) / 8: 1, 2, 3 or 4
    uint32_t nSize;         // width x height x bytes per pixel while pixels exist
    uint8_t* pPixels;       // row-major, top row first; null when the chunky does not exist
    uint8_t* pAlpha;        // width x height opacity bytes (0 clear .. 255 opaque), or null
    uint32_t nAlphaSize;
    uint8_t bHasCookie;     // 0 only when a scan found no cookie-coloured pixel

    bool Exists() const { return pPixels != nullptr; }
    uint16_t* Pixels16() const { return reinterpret_cast<uint16_t*>(pPixels); }
};

// GrabChunky flags.
constexpr uint8_t KOR_GRAB_NOTRIM = 0x01;        // use the rectangle as given
constexpr uint8_t KOR_GRAB_ALPHAONLY = 0x04;     // keep pixels, build the mask from the brightness
constexpr uint8_t KOR_GRAB_FEATHER = 0x08;       // feathered mask from the shape
constexpr uint8_t KOR_GRAB_FEATHERCOLOUR = 0x10; // wider feather, colour blended into the soft edge

// ChunkyFlip flags.
constexpr uint8_t KOR_FLIP_LEFTRIGHT = 0x01;
constexpr uint8_t KOR_FLIP_TOPBOTTOM = 0x02;

// ChunkyScale / scaler flags.
constexpr uint8_t KOR_SCALE_AVERAGE = 0x04;      // average the covered block instead of sampling
constexpr uint8_t KOR_SCALE_FREEDEST = 0x08;     // release the destination first (it takes the new size)
constexpr uint8_t KOR_SCALE_COOKIE = 0x10;       // skip cookie-coloured source pixels when sampling
