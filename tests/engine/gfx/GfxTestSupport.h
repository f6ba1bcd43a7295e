// Shared set-up for the graphics tests: a scratch directory, the virtual clock,
// the debug log, and an open display on SDL's dummy driver when a test needs one.
#pragma once
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/TestApp.h"
#include "support/TestPlatform.h"

inline bool Logged(const std::string& Text) { return IndexOf(LogMessages(), Text) >= 0; }

class GfxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        Korvid.StartLog();
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
};
