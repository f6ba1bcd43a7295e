// Helpers shared by the graphics module's own files: memory release that
// forgets the pointer, checked buffer sizes, and unaligned pixel access.
#pragma once
#include <cstdint>
#include <cstring>

#include "korvid.h"

namespace KorvidGfxInternal {

// Frees a block from the engine's memory manager and forgets it; null is ignored.
template <typename T>
void Release(T*& pMemory)
{
    if (pMemory)
        Korvid.FreeMemory((void*)pMemory);
    pMemory = nullptr;
}

// width x height x bytes per pixel, or 0 when the product does not fit the
// 32-bit sizes the memory manager and chunky records use.
inline uint32_t BufferSize(uint32_t nWidth, uint32_t nHeight, uint32_t nBytesPerPixel)
{
    uint64_t nSize = (uint64_t)nWidth * nHeight * nBytesPerPixel;
    return nSize > 0xFFFFFFFFull ? 0 : (uint32_t)nSize;
}

// Screen surfaces and shadow buffers are read and written through memcpy so no
// access depends on the alignment of a caller's pitch.
template <typename T>
inline T Load(const void* pAddress)
{
    T Value;
    memcpy(&Value, pAddress, sizeof(T));
    return Value;
}

template <typename T>
inline void Store(void* pAddress, T Value)
{
    memcpy(pAddress, &Value, sizeof(T));
}

// A word at any alignment, for loops the vectoriser should see as plain stores.
// A packed struct, because an aligned(1) typedef loses its alignment on its way
// through a template argument.
template <typename Word>
struct __attribute__((packed)) Unaligned {
    Word v;
};


// A private copy of a chunky's pixels, for operations whose destination is
// their own source: re-creating the destination would release what they read.
class ChunkySnapshot {
public:
    explicit ChunkySnapshot(const ChunkyObject& Source) : m_Copy(Source)
    {
        m_Copy.pAlpha = nullptr;
        m_Copy.nAlphaSize = 0;
        m_Copy.pPixels = (uint8_t*)Korvid.AllocMemory(Source.nSize);
        if (m_Copy.pPixels)
            memcpy(m_Copy.pPixels, Source.pPixels, Source.nSize);
    }
    ~ChunkySnapshot() { Release(m_Copy.pPixels); }
    ChunkySnapshot(const ChunkySnapshot&) = delete;
    ChunkySnapshot& operator=(const ChunkySnapshot&) = delete;

    bool Valid() const { return m_Copy.pPixels != nullptr; }
    const ChunkyObject& Chunky() const { return m_Copy; }

private:
    ChunkyObject m_Copy;
};


// The pixel at (x, y) of an existing chunky: a palette index for one-byte
// pixels, else the 16-bit value (wider chunkies are read as 16-bit pixels).
inline uint16_t PixelAt(const ChunkyObject& Chunky, int32_t x, int32_t y)
{
    size_t nOffset = (size_t)y * Chunky.nWidth + x;
    if (Chunky.nBytesPerPixel == 1)
        return Chunky.pPixels[nOffset];
    return Chunky.Pixels16()[nOffset];
}

// Compares a pixel of this chunky with the cookie colour by the chunky's own width of pixel.
inline bool IsCookiePixel(const ChunkyObject& Chunky, uint16_t nPixel, uint16_t nCookie)
{
    return Chunky.nBytesPerPixel == 1 ? (nPixel & 0xFF) == (nCookie & 0xFF) : nPixel == nCookie;
}

}  // namespace KorvidGfxInternal
