// Shared set-up for the graphics tests: a scratch directory, the virtual clock, the
// debug log, an open display on SDL's dummy driver when a test needs one, and byte
// builders for hand-made (and damaged) KVP, TGA, BMP, PCX and KVA files.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/Bytes.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"


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
    // A 16-bit chunky whose pixel (i, j) is Numbered(i, j), never the cookie (0) nor white.
    static void MakeNumbered(uint32_t nChunky, uint16_t nWidth, uint16_t nHeight)
    {
        ASSERT_EQ(Korvid.InitChunky(nChunky, nWidth, nHeight, 16), 1);
        for (int j = 0; j < nHeight; ++j)
            for (int i = 0; i < nWidth; ++i)
                Korvid.ExistingChunky(nChunky)->Pixels16()[j * nWidth + i] = Numbered(i, j);
    }
    static uint16_t Numbered(int i, int j) { return (uint16_t)(1 + i + 16 * j); }

    // How many pixels of chunky 0 differ from the background colour.
    static long CountDrawn(uint16_t nBackground)
    {
        const std::vector<uint16_t> Screen = Pixels16(0);
        return (long)Screen.size() - std::count(Screen.begin(), Screen.end(), nBackground);
    }

    VirtualClockPlatform m_Platform;
    uint16_t m_nWidth, m_nHeight;
    uint8_t m_nDepth;
    int32_t m_nClear;
};

using Rgb = std::array<uint8_t, 3>;

inline Rgb PaletteColour(uint8_t n) { return {Korvid.PaletteRed(n), Korvid.PaletteGreen(n), Korvid.PaletteBlue(n)}; }


// KVP (16 bytes), TGA (18), BMP (54) and PCX (128) headers, and a KVA movie's header up to its sound tag.
inline Bytes KvpHeader(uint16_t w, uint16_t h, uint8_t nDepth, uint8_t nCompression, uint32_t nDataSize, bool bPalette)
{
    return Concat({{'K', 'V', 'P', '1', 1, (uint8_t)bPalette},
                   BE({{w, 2}, {h, 2}, {nDepth, 1}, {nCompression, 1}, {nDataSize, 4}})});
}
inline Bytes TgaHeader(uint8_t nMapType, uint8_t nImageType, uint16_t nMapLength, uint8_t nMapBits, uint16_t w,
                       uint16_t h, uint8_t nDepth)
{
    return LE({{0, 1}, {nMapType, 1}, {nImageType, 1}, {0, 2}, {nMapLength, 2}, {nMapBits, 1}, {0, 4}, {w, 2},
               {h, 2}, {nDepth, 1}, {0, 1}});
}
inline Bytes BmpHeader(const char* szMagic, int32_t w, int32_t h, uint16_t nBits, uint32_t nCompression,
                       uint32_t nImageSize)
{
    return Concat({{(uint8_t)szMagic[0], (uint8_t)szMagic[1]},
                   LE({{54 + nImageSize, 4}, {0, 4}, {nBits == 8 ? 1078 : 54, 4}, {40, 4}, {(uint32_t)w, 4},
                       {(uint32_t)h, 4}, {1, 2}, {nBits, 2}, {nCompression, 4}, {nImageSize, 4}, {2835, 4},
                       {2835, 4}, {0, 8}})});
}
inline Bytes PcxHeader(uint16_t xMin, uint16_t yMin, uint16_t xMax, uint16_t yMax, uint16_t nLineBytes,
                       uint8_t nManufacturer = 10, uint8_t nVersion = 5, uint8_t nEncoding = 1, uint8_t nBits = 8,
                       uint8_t nPlanes = 1)
{
    return Concat({LE({{nManufacturer, 1}, {nVersion, 1}, {nEncoding, 1}, {nBits, 1}, {xMin, 2}, {yMin, 2},
                       {xMax, 2}, {yMax, 2}}),
                   Bytes(53, 0), LE({{nPlanes, 1}, {nLineBytes, 2}}), Bytes(60, 0)});
}
inline Bytes KvaHeader(const char* szMagic, int16_t nFrames, uint16_t w, uint16_t h, uint32_t nFrameTime = 40)
{
    return Concat({Bytes(szMagic, szMagic + 4), BE({{1, 1}, {(uint16_t)nFrames, 2}, {nFrameTime, 4}, {w, 2}, {h, 2}})});
}
