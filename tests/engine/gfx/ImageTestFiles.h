// Byte builders for hand-made (and damaged) KVP, TGA, BMP and PCX files.
#pragma once
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "GfxTestSupport.h"
#include "support/TestFiles.h"

namespace imagetest {

using Bytes = std::vector<uint8_t>;
using Rgb = std::array<uint8_t, 3>;

inline Rgb PaletteColour(uint8_t n) { return {Korvid.PaletteRed(n), Korvid.PaletteGreen(n), Korvid.PaletteBlue(n)}; }

// nBytes of n, low byte first or (bBigEndian) high byte first.
inline void Put(Bytes& Out, uint32_t n, int nBytes, bool bBigEndian = false)
{
    for (int k = 0; k < nBytes; ++k)
        Out.push_back((uint8_t)(n >> 8 * (bBigEndian ? nBytes - 1 - k : k)));
}
inline void Append(Bytes& Out, const Bytes& More) { Out.insert(Out.end(), More.begin(), More.end()); }
inline Bytes Concat(std::initializer_list<Bytes> Parts)
{
    Bytes Out;
    for (const Bytes& Part : Parts)
        Append(Out, Part);
    return Out;
}
inline void Text(Bytes& Out, const char* sz) { Out.insert(Out.end(), sz, sz + strlen(sz)); }

// A KVP header (16 bytes).
inline Bytes KvpHeader(uint16_t w, uint16_t h, uint8_t nDepth, uint8_t nCompression, uint32_t nDataSize,
                       bool bPalette)
{
    Bytes Out = {'K', 'V', 'P', '1', 1, (uint8_t)bPalette};
    Put(Out, w, 2, true);
    Put(Out, h, 2, true);
    Append(Out, {nDepth, nCompression});
    Put(Out, nDataSize, 4, true);
    return Out;
}

// A TGA header (18 bytes).
inline Bytes TgaHeader(uint8_t nMapType, uint8_t nImageType, uint16_t nMapLength, uint8_t nMapBits, uint16_t w,
                       uint16_t h, uint8_t nDepth)
{
    Bytes Out = {0, nMapType, nImageType, 0, 0};
    Put(Out, nMapLength, 2);
    Append(Out, {nMapBits, 0, 0, 0, 0});
    Put(Out, w, 2);
    Put(Out, h, 2);
    Append(Out, {nDepth, 0});
    return Out;
}

// A BMP file and information header (54 bytes).
inline Bytes BmpHeader(const char* szMagic, int32_t w, int32_t h, uint16_t nBits, uint32_t nCompression,
                       uint32_t nImageSize)
{
    Bytes Out = {(uint8_t)szMagic[0], (uint8_t)szMagic[1]};
    for (uint32_t n : {54 + nImageSize, 0u, nBits == 8 ? 1078u : 54u, 40u, (uint32_t)w, (uint32_t)h})
        Put(Out, n, 4);
    Put(Out, 1, 2);
    Put(Out, nBits, 2);
    for (uint32_t n : {nCompression, nImageSize, 2835u, 2835u, 0u, 0u})
        Put(Out, n, 4);
    return Out;
}

// A PCX header (128 bytes) for an 8-bit picture of xMin..xMax by yMin..yMax.
inline Bytes PcxHeader(uint16_t xMin, uint16_t yMin, uint16_t xMax, uint16_t yMax, uint16_t nLineBytes,
                       uint8_t nManufacturer = 10, uint8_t nVersion = 5, uint8_t nEncoding = 1, uint8_t nBits = 8,
                       uint8_t nPlanes = 1)
{
    Bytes Out = {nManufacturer, nVersion, nEncoding, nBits};
    for (uint16_t n : {xMin, yMin, xMax, yMax})
        Put(Out, n, 2);
    Out.resize(65, 0);
    Out.push_back(nPlanes);
    Put(Out, nLineBytes, 2);
    Out.resize(128, 0);
    return Out;
}

// The header of a one-frame KVA movie without sound.
inline Bytes KvaHeader(const char* szMagic, int16_t nFrames, uint16_t w, uint16_t h, uint32_t nFrameTime = 40)
{
    Bytes Out;
    Text(Out, szMagic);
    Out.push_back(1);
    Put(Out, (uint16_t)nFrames, 2, true);
    Put(Out, nFrameTime, 4, true);
    Put(Out, w, 2, true);
    Put(Out, h, 2, true);
    return Out;
}

}  // namespace imagetest
