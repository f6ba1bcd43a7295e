// A translucent layer: alpha-masked pictures laid over one another once, then
// blended over the used chunky as often as wanted at one blend per pixel, however
// many of the pictures overlap there. Pictures that move together (drifting cloud
// banks) are laid once and the layer is drawn at their new offset every frame.
//
// Per pixel the layer keeps how much of what lies below shows through (T, 0..256)
// and the colour it adds, per channel in 1/256 steps of the channel's bit field (C):
// drawn over d, a pixel becomes (d x T + C) >> 8 per field. One picture drawn
// through the layer gives exactly the pixels of an alpha blit of it, except where
// the picture's pixel equals the one below (the blit leaves it, the layer takes it
// one step darker); overlapping pictures come within one step per channel of
// blitting them one after another, whose roundings pile up where the layer's do not.
//
// The layer works in the 16-bit depth with an RGB565 or RGB555 format. In any other
// it only remembers the areas laid and blits them one by one when drawn.
#pragma once
#include <cstdint>
#include <vector>

class KorvidAlphaLayer {
public:
    KorvidAlphaLayer() = default;
    ~KorvidAlphaLayer() = default;
    KorvidAlphaLayer(const KorvidAlphaLayer&) = delete;
    KorvidAlphaLayer& operator=(const KorvidAlphaLayer&) = delete;

    // Empties the layer and gives it a size, for the display format in use now.
    void Reset(int32_t nWidth, int32_t nHeight);
    // Lays an area of a chunky over the layer with its top-left at (x, y), through
    // the chunky's alpha mask at full opacity, as BlitArea with KOR_BLIT_ALPHA would
    // (a chunky without a mask is laid opaque wherever it is not the cookie colour).
    // Parts outside the chunky or the layer are left out.
    void AddArea(uint32_t nChunky, int32_t nSourceX, int32_t nSourceY, int32_t nWidth, int32_t nHeight, int32_t x,
                 int32_t y);
    // Blends the layer over the used chunky with its top-left at (x, y).
    void Draw(int32_t x, int32_t y) const;
    // False once the display format differs from the one the layer was reset for.
    bool Current() const;

private:
    struct Area {
        uint32_t nChunky;
        int32_t nSourceX, nSourceY, nWidth, nHeight, x, y;
    };
    void Release();
    void Compose(const Area& A);

    int32_t m_nWidth = 0, m_nHeight = 0;
    uint8_t m_nDepth = 0, m_nFamily = 0;
    // Four planes of width x height: T, then C for red, green and blue; null when
    // the format has no composite (the areas are blitted instead). The layer holds
    // them itself, not the engine's memory manager: a layer kept in a static is
    // destroyed after the engine has shut down.
    std::vector<uint16_t> m_Storage;
    uint16_t* m_pPlanes = nullptr;
    // Per row, the columns [left, right) that any area touched.
    std::vector<int32_t> m_RowLeft, m_RowRight;
    std::vector<Area> m_Areas;
};
