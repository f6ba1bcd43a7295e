// The blitter's inner machinery, shared by its source files and its tests.
//
// A blit is validated and clipped once by its outer call (Blit, BlitArea), which
// then fills one BlitInfo and hands it to one inner loop picked from a table by
// (depth, mode, cookie test). The inner loops trust their rectangle completely.
// Translucent 16-bit modes run a row operation from the blend row set that
// PrepareBlend installed for the pixel format's converter family.
#pragma once
#include <cstdint>

#include "gfx/BlendState.h"
#include "gfx/Chunky.h"

namespace KorvidBlitter {

// The drawing modes after the flags and parameter have been resolved.
enum class Mode : uint8_t { Copy, SolidColour, SolidTrans, Trans, Tint, AlphaImage, AlphaColour, Count };

// Filled field by field by the outer call (no zeroing of the whole record: for a
// small blit that block clear costs as much as the drawing).
struct BlitInfo {
    const uint8_t* pSource;        // first visible source pixel
    const uint8_t* pMask;          // its alpha byte (alpha modes only)
    uint8_t* pDest;                // where that pixel lands
    int32_t nSourcePitch;          // pixels from one source row to the next
    int32_t nMaskPitch;            // mask bytes from one row to the next
    int32_t nDestPitch;            // pixels from one destination row to the next
    int32_t nWidth, nHeight;       // visible size, both > 0
    uint16_t nColour;
    uint16_t nCookie;
    int32_t nFade;                 // alpha modes: subtracted from every mask byte
    const uint8_t* pTransTable;    // 8-bit translucent modes
    const KorvidBlendState* pBlend;
    KorvidBlendRowFunc pBlendRow;   // 16-bit translucent modes
    KorvidAlphaRowFunc pAlphaRow;   // 16-bit alpha modes
};

using BlitLoop = void (*)(const BlitInfo& Info);

// The inner loop for a pixel size (1 or 2 bytes), mode and cookie test; null when
// that combination draws nothing.
BlitLoop SelectLoop(uint8_t nPixelBytes, Mode eMode, bool bCookieTest);

// The row operations PrepareBlend installs for a converter family: the bit-field
// loops for RGB565 and RGB555, the per-channel set on the family's converters otherwise.
KorvidBlendRows RowsForFamily(uint8_t nFamily);
// The per-channel reference set: unpack, weigh each 8-bit channel, pack, through the
// family's own converters. Every specialised set must match it bit for bit.
KorvidBlendRows GenericRows(uint8_t nFamily);

// The pixel size the blitter works in for a chunky: one byte, or 16 bits for every
// wider chunky.
inline uint8_t BlitPixelBytes(const ChunkyObject& Chunky) { return Chunky.nBytesPerPixel == 1 ? 1 : 2; }

// The blend weight for a percentage: truncate(param x 2.55), kept within 0..255 so
// that no parameter can push a weighted sum past its channel.
inline uint16_t WeightFromParam(int32_t nParam)
{
    int32_t nWeight = (int32_t)(nParam * 2.55);
    return (uint16_t)(nWeight < 0 ? 0 : (nWeight > 255 ? 255 : nWeight));
}
// The amount an alpha blit takes off every mask byte for a given opacity.
inline int32_t FadeFromParam(int32_t nParam) { return nParam < 100 ? (int32_t)(255 - nParam * 2.56) : 0; }

}  // namespace KorvidBlitter
