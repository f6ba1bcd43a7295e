// Helpers for the image file tests: byte builders for hand-made (and damaged)
// KVP, TGA, BMP and PCX files, seeded colour patterns, and ImageMagick as the
// outside program that makes and reads pictures.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "GfxTestSupport.h"
#include "support/TestFiles.h"

namespace imagetest {

using Bytes = std::vector<uint8_t>;

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& Other) const { return r == Other.r && g == Other.g && b == Other.b; }
};
inline std::ostream& operator<<(std::ostream& Out, const Rgb& c)
{
    return Out << "(" << (int)c.r << "," << (int)c.g << "," << (int)c.b << ")";
}

inline void LE16(Bytes& Out, uint32_t n)
{
    Out.push_back((uint8_t)n);
    Out.push_back((uint8_t)(n >> 8));
}
inline void LE32(Bytes& Out, uint32_t n)
{
    LE16(Out, n & 0xFFFF);
    LE16(Out, n >> 16);
}
inline void BE16(Bytes& Out, uint32_t n)
{
    Out.push_back((uint8_t)(n >> 8));
    Out.push_back((uint8_t)n);
}
inline void BE32(Bytes& Out, uint32_t n)
{
    BE16(Out, n >> 16);
    BE16(Out, n & 0xFFFF);
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

inline void WriteBytes(const std::string& Path, const Bytes& Data) { WriteFileBytes(Path, Data); }
inline Bytes ReadBytes(const std::string& Path) { return ReadFileBytes(Path); }

// A KVP header (16 bytes) with the given fields.
inline Bytes KvpHeader(uint16_t w, uint16_t h, uint8_t nDepth, uint8_t nCompression, uint32_t nDataSize,
                       bool bPalette)
{
    Bytes Out;
    Text(Out, "KVP1");
    Out.push_back(1);
    Out.push_back(bPalette ? 1 : 0);
    BE16(Out, w);
    BE16(Out, h);
    Out.push_back(nDepth);
    Out.push_back(nCompression);
    BE32(Out, nDataSize);
    return Out;
}

// A TGA header (18 bytes).
inline Bytes TgaHeader(uint8_t nMapType, uint8_t nImageType, uint16_t nMapLength, uint8_t nMapBits, uint16_t w,
                       uint16_t h, uint8_t nDepth)
{
    Bytes Out = {0, nMapType, nImageType};
    LE16(Out, 0);
    LE16(Out, nMapLength);
    Out.push_back(nMapBits);
    LE32(Out, 0);
    LE16(Out, w);
    LE16(Out, h);
    Out.push_back(nDepth);
    Out.push_back(0);
    return Out;
}

// A BMP file and information header (54 bytes).
inline Bytes BmpHeader(const char* szMagic, int32_t w, int32_t h, uint16_t nBits, uint32_t nCompression,
                       uint32_t nImageSize)
{
    Bytes Out;
    Out.push_back((uint8_t)szMagic[0]);
    Out.push_back((uint8_t)szMagic[1]);
    LE32(Out, 54 + nImageSize);
    LE32(Out, 0);
    LE32(Out, nBits == 8 ? 1078 : 54);
    LE32(Out, 40);
    LE32(Out, (uint32_t)w);
    LE32(Out, (uint32_t)h);
    LE16(Out, 1);
    LE16(Out, nBits);
    LE32(Out, nCompression);
    LE32(Out, nImageSize);
    LE32(Out, 2835);
    LE32(Out, 2835);
    LE32(Out, 0);
    LE32(Out, 0);
    return Out;
}

// A PCX header (128 bytes) for an 8-bit picture of xmin..xmax by ymin..ymax.
inline Bytes PcxHeader(uint16_t xMin, uint16_t yMin, uint16_t xMax, uint16_t yMax, uint16_t nLineBytes,
                       uint8_t nManufacturer = 10, uint8_t nVersion = 5, uint8_t nEncoding = 1, uint8_t nBits = 8,
                       uint8_t nPlanes = 1)
{
    Bytes Out = {nManufacturer, nVersion, nEncoding, nBits};
    LE16(Out, xMin);
    LE16(Out, yMin);
    LE16(Out, xMax);
    LE16(Out, yMax);
    Out.resize(65, 0);
    Out.push_back(nPlanes);
    LE16(Out, nLineBytes);
    Out.resize(128, 0);
    return Out;
}

// nCount distinct colours from a seeded generator, none pure black (the cookie).
inline std::vector<Rgb> Colours(int nCount, uint32_t nSeed)
{
    std::mt19937 Generator(nSeed);
    std::uniform_int_distribution<int> Component(1, 255);
    std::vector<Rgb> Out;
    while ((int)Out.size() < nCount) {
        Rgb c{(uint8_t)Component(Generator), (uint8_t)Component(Generator), (uint8_t)Component(Generator)};
        if (std::find(Out.begin(), Out.end(), c) == Out.end())
            Out.push_back(c);
    }
    return Out;
}

// A w x h picture, row-major top row first, drawing from the colours in a seeded order.
inline std::vector<Rgb> Pattern(int w, int h, const std::vector<Rgb>& Palette, uint32_t nSeed)
{
    std::mt19937 Generator(nSeed);
    std::vector<Rgb> Out;
    for (int n = 0; n < w * h; ++n)
        Out.push_back(Palette[Generator() % Palette.size()]);
    return Out;
}

inline void WritePpm(const std::string& Path, int w, int h, const std::vector<Rgb>& Pixels)
{
    Bytes Out;
    Text(Out, ("P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n").c_str());
    for (const Rgb& c : Pixels)
        Out.insert(Out.end(), {c.r, c.g, c.b});
    WriteBytes(Path, Out);
}

inline bool ImageMagick(const std::string& Arguments) { return system(("convert " + Arguments).c_str()) == 0; }

// The picture decoded by ImageMagick as red, green, blue bytes, turned the way
// the file's orientation says (ImageMagick otherwise keeps the file's row order).
inline std::vector<Rgb> ReadWithImageMagick(const std::string& Path)
{
    std::vector<Rgb> Out;
    FILE* pPipe = popen(("convert '" + Path + "' -auto-orient -depth 8 rgb:- 2>/dev/null").c_str(), "r");
    if (!pPipe)
        return Out;
    uint8_t c[3];
    while (fread(c, 1, 3, pPipe) == 3)
        Out.push_back({c[0], c[1], c[2]});
    pclose(pPipe);
    return Out;
}

// What a chunky holds, as colours: 8-bit through the palette, 16-bit unpacked,
// 24-bit as stored.
inline std::vector<Rgb> ChunkyColours(uint32_t nChunky)
{
    std::vector<Rgb> Out;
    const ChunkyObject* p = Korvid.ExistingChunky(nChunky);
    if (!p)
        return Out;
    for (uint32_t n = 0; n < (uint32_t)p->nWidth * p->nHeight; ++n) {
        const uint8_t* q = p->pPixels + (size_t)n * p->nBytesPerPixel;
        if (p->nBytesPerPixel == 1) {
            Out.push_back({Korvid.PaletteRed(*q), Korvid.PaletteGreen(*q), Korvid.PaletteBlue(*q)});
        } else if (p->nBytesPerPixel == 2) {
            KorvidRGB c = Korvid.Unpack((uint16_t)(q[0] | q[1] << 8));
            Out.push_back({c.r, c.g, c.b});
        } else {
            Out.push_back({q[0], q[1], q[2]});
        }
    }
    return Out;
}

}  // namespace imagetest
