// Helpers shared by the image file readers and writers (Kvp*, Tga*, Bmp*, Pcx*):
// the per-format entry points LoadChunky and SaveChunky dispatch to, checked
// reads, byte-order helpers for headers assembled in memory, the 24-bit row
// conversion and a scratch buffer from the memory manager.
#pragma once
#include <cstdint>
#include <cstring>

#include "gfx/Chunky.h"

namespace KorvidImage {

// Largest width or height a reader accepts: beyond it a header is taken as damage
// (a picture that size would not fit the memory the engine can hand out anyway).
constexpr int32_t MAX_PICTURE_SIDE = 16384;

// Readers: the file is open and positioned at its start; 1 on success, 0 on failure.
int LoadKVP(uint32_t hFile, uint32_t nChunky, uint8_t nFlags);
int LoadTGA(uint32_t hFile, uint32_t nChunky, uint8_t nFlags);
int LoadBMP(uint32_t hFile, uint32_t nChunky, uint8_t nFlags);
int LoadPCX(uint32_t hFile, uint32_t nChunky, uint8_t nFlags);

// Writers: the file is open for writing, the chunky exists.
void SaveKVP(uint32_t hFile, uint32_t nChunky, const ChunkyObject& Chunky, int8_t nLevel);
void SaveBMP(uint32_t hFile, uint32_t nChunky, const ChunkyObject& Chunky);
void SaveTGA(uint32_t hFile, uint32_t nChunky, const ChunkyObject& Chunky);

// The depth a reader converts to: the internal depth, overridden by the load
// flags in the order 0x02, 0x08, 0x04, 0x20 (the last that is set wins).
uint8_t TargetDepth(uint8_t nFlags, uint8_t nFileDepth);

// No block format a reader knows packs more than this many pixels into one file
// byte (deflate's own limit is about 1032 bytes out per byte in; RLE and PCX
// runs are far below it). A header that claims more is damage, and is refused
// before its picture takes memory.
constexpr uint64_t MAX_PIXELS_PER_FILE_BYTE = 1032;

// True when 1..MAX_PICTURE_SIDE holds both sides and the open file hFile is
// large enough to hold that many pixels; otherwise logs
// "<szReader>: Failed to load - bad picture size WxH" or
// "<szReader>: Failed to load - picture size WxH too large for a file of N bytes".
bool SanePictureSize(const char* szReader, int32_t nWidth, int32_t nHeight, uint32_t hFile);

// Reads exactly nBytes (none when nBytes is 0); false when the file ends first.
bool ReadExactly(uint32_t hFile, void* pDest, uint32_t nBytes);

// Palette entries from file bytes: nCount entries of nStride bytes each, the
// components in the order red, green, blue or blue, green, red, from index nFirst.
enum class ComponentOrder { RGB, BGR };
void SetPaletteFromBytes(const uint8_t* pBytes, int32_t nFirst, int32_t nCount, int32_t nStride, ComponentOrder Order);

// The 24-bit row conversion: nWidth source pixels of nSourceBytes bytes (3, or 4
// with a trailing alpha byte that is dropped) into a chunky row of nTargetDepth
// bits (8 and 16 with the error-diffusion dither, 24 as red, green, blue; 32
// copies the source bytes unchanged).
struct RowSource {
    ComponentOrder Order;
    uint8_t nBytesPerPixel;
};
void ConvertRow(const uint8_t* pSource, RowSource Source, uint8_t* pDest, int32_t nWidth, uint8_t nTargetDepth);

// Reads the chunky's rows from the file, each through the row conversion into
// the chunky's own depth; bottom row first when bBottomUp. A row buffer that
// cannot be allocated logs szAllocFailure; a file that ends early logs
// "<szReader>: Failed to load - file ends at row N". 1 on success.
// Each row may be followed by nRowPadding (0..3) bytes that are skipped.
int ReadConvertedRows(uint32_t hFile, ChunkyObject& Chunky, RowSource Source, bool bBottomUp, const char* szReader,
                      const char* szAllocFailure, uint32_t nRowPadding = 0);
// Reads 8-bit index rows straight into an 8-bit chunky, bottom row first.
int ReadIndexRowsBottomUp(uint32_t hFile, ChunkyObject& Chunky, const char* szReader, uint32_t nRowPadding = 0);

// Byte-order helpers for headers read or written as one block.
inline uint16_t GetLE16(const uint8_t* p) { return (uint16_t)(p[0] | p[1] << 8); }
inline uint32_t GetLE32(const uint8_t* p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}
inline uint16_t GetBE16(const uint8_t* p) { return (uint16_t)(p[0] << 8 | p[1]); }
inline uint32_t GetBE32(const uint8_t* p)
{
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}
inline void PutLE16(uint8_t* p, uint32_t v) { p[0] = (uint8_t)v; p[1] = (uint8_t)(v >> 8); }
inline void PutLE32(uint8_t* p, uint32_t v) { PutLE16(p, v); PutLE16(p + 2, v >> 16); }
inline void PutBE16(uint8_t* p, uint32_t v) { p[0] = (uint8_t)(v >> 8); p[1] = (uint8_t)v; }
inline void PutBE32(uint8_t* p, uint32_t v) { PutBE16(p, v >> 16); PutBE16(p + 2, v); }

// A block from the memory manager for the length of a scope; null when the
// allocation failed (or nSize is 0).
class ScratchBuffer {
public:
    explicit ScratchBuffer(uint32_t nSize);
    ~ScratchBuffer();
    ScratchBuffer(const ScratchBuffer&) = delete;
    ScratchBuffer& operator=(const ScratchBuffer&) = delete;
    uint8_t* Data() const { return m_pData; }
    uint32_t Size() const { return m_nSize; }

private:
    uint8_t* m_pData;
    uint32_t m_nSize;
};

}  // namespace KorvidImage
