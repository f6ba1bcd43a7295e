// Shared set-up for the graphics tests: a scratch directory, the virtual clock, the
// debug log, an open display on SDL's dummy driver when a test needs one, and byte
// builders for hand-made (and damaged) KVP, TGA, BMP, PCX and KVA files.
#pragma once
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/TestApp.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

inline bool Logged(const std::string& Text) { return IndexOf(LogMessages(), Text) >= 0; }

class GfxTest : public ::testing::Test {
protected:
    // A fixture that names a display size has it opened (and cleared, given a colour) in SetUp.
    explicit GfxTest(uint16_t nWidth = 0, uint16_t nHeight = 0, uint8_t nDepth = 16, int32_t nClear = -1)
        : m_nWidth(nWidth), m_nHeight(nHeight), m_nDepth(nDepth), m_nClear(nClear)
    {
    }
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        Korvid.StartLog();
        if (m_nWidth)
            OpenDisplay(m_nWidth, m_nHeight, m_nDepth);
        if (m_nWidth && m_nClear >= 0)
            Korvid.ClearChunky(0, (uint16_t)m_nClear);
    }

    // Starts SDL and graphics with a display of this size and internal depth.
    static void OpenDisplay(uint16_t nWidth = 64, uint16_t nHeight = 48, uint8_t nDepth = 16)
    {
        ASSERT_TRUE(Korvid.OSInit());
        Korvid.ChangeDisplayMode(nWidth, nHeight, nDepth, KOR_WINDOWED);
        ASSERT_EQ(Korvid.GFXInit(), 1);
    }

    // Creates a chunky filled with the given pixels (row-major), 8- or 16-bit.
    template <typename Pixel>
    static void MakeChunky(uint32_t nChunky, uint16_t nWidth, uint16_t nHeight, const std::vector<Pixel>& Pixels)
    {
        ASSERT_EQ(Pixels.size(), (size_t)nWidth * nHeight);
        ASSERT_EQ(Korvid.InitChunky(nChunky, nWidth, nHeight, sizeof(Pixel) * 8), 1);
        memcpy(Korvid.ChunkyBuffer(nChunky), Pixels.data(), Pixels.size() * sizeof(Pixel));
    }

    // A chunky's width, height and hot spot; its pixels, 16-bit or as bytes.
    static std::array<int, 4> Shape(uint32_t nChunky)
    {
        const ChunkyObject& c = *Korvid.ExistingChunky(nChunky);
        return {c.nWidth, c.nHeight, c.nHotX, c.nHotY};
    }
    static std::vector<uint16_t> Pixels16(uint32_t nChunky)
    {
        const ChunkyObject& c = *Korvid.ExistingChunky(nChunky);
        return std::vector<uint16_t>(c.Pixels16(), c.Pixels16() + c.nWidth * c.nHeight);
    }
    static std::vector<uint8_t> ChunkyBytes(uint32_t nChunky)
    {
        const ChunkyObject* p = Korvid.ExistingChunky(nChunky);
        return p ? std::vector<uint8_t>(p->pPixels, p->pPixels + p->nSize) : std::vector<uint8_t>();
    }
    static uint16_t Pixel16(uint32_t nChunky, int x, int y)
    {
        return Korvid.ExistingChunky(nChunky)->Pixels16()[y * Korvid.ChunkyWidth(nChunky) + x];
    }
    static uint8_t Pixel8(uint32_t nChunky, int x, int y)
    {
        return Korvid.ChunkyBuffer(nChunky)[y * Korvid.ChunkyWidth(nChunky) + x];
    }
    // A 16-bit chunky whose pixel (i, j) is Numbered(i, j): never the cookie (0), never
    // white, so every drawn pixel tells where it came from.
    static void MakeNumbered(uint32_t nChunky, uint16_t nWidth, uint16_t nHeight)
    {
        ASSERT_EQ(Korvid.InitChunky(nChunky, nWidth, nHeight, 16), 1);
        for (int j = 0; j < nHeight; ++j)
            for (int i = 0; i < nWidth; ++i)
                Korvid.ExistingChunky(nChunky)->Pixels16()[j * nWidth + i] = Numbered(i, j);
    }
    static uint16_t Numbered(int i, int j) { return (uint16_t)(1 + i + 16 * j); }

    // How many pixels of chunky 0 differ from the background colour.
    static int CountDrawn(uint16_t nBackground)
    {
        int nDrawn = 0;
        for (int y = 0; y < Korvid.ChunkyHeight(0); ++y)
            for (int x = 0; x < Korvid.ChunkyWidth(0); ++x)
                nDrawn += Pixel16(0, x, y) != nBackground;
        return nDrawn;
    }

    VirtualClockPlatform m_Platform;
    uint16_t m_nWidth, m_nHeight;
    uint8_t m_nDepth;
    int32_t m_nClear;
};

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
