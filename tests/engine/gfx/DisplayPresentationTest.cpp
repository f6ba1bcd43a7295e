// Presentation: chunky 0 converted into screen buffers of every depth and
// format, the dirty list writing exactly the changed groups, pitch handling,
// and the surface SDL shows.
#include <SDL/SDL.h>

#include "GfxTestSupport.h"

namespace {

constexpr uint8_t UNTOUCHED = 0xEE;

class DisplayPresentation : public GfxTest {
protected:
    // Presents chunky 0 into Screen (rows nPitch bytes apart).
    static void Present(std::vector<uint8_t>& Screen, int32_t nPitch)
    {
        Korvid.DumpChunkyBuffer(Korvid.ChunkyRecord(0), Screen.data(), nPitch);
    }
    static std::vector<uint8_t> PresentFresh(size_t nBytes, int32_t nPitch)
    {
        std::vector<uint8_t> Screen(nBytes, UNTOUCHED);
        Korvid.SetFullUpdate();
        Present(Screen, nPitch);
        return Screen;
    }
    static uint16_t* BackBuffer16() { return Korvid.ExistingChunky(0)->Pixels16(); }
    static uint8_t* BackBuffer8() { return Korvid.ChunkyBuffer(0); }
    // The byte offsets of Screen that differ from UNTOUCHED.
    static std::vector<size_t> Written(const std::vector<uint8_t>& Screen)
    {
        std::vector<size_t> Offsets;
        for (size_t n = 0; n < Screen.size(); ++n)
            if (Screen[n] != UNTOUCHED)
                Offsets.push_back(n);
        return Offsets;
    }
    static std::vector<size_t> Range(size_t nFirst, size_t nCount)
    {
        std::vector<size_t> Offsets;
        for (size_t n = nFirst; n < nFirst + nCount; ++n)
            Offsets.push_back(n);
        return Offsets;
    }
};

// A 16-bit back buffer of 8 x 4 pixels whose pixel i is the RGB565 colour (8i, 4i, 2i).
class PackedPresentation : public DisplayPresentation {
protected:
    void SetUp() override
    {
        DisplayPresentation::SetUp();
        OpenDisplay(8, 4, 16);
        for (int n = 0; n < 32; ++n)
            BackBuffer16()[n] = KorvidConvert::Pack565((uint8_t)(8 * n), (uint8_t)(4 * n), (uint8_t)(2 * n));
    }
};

TEST_F(PackedPresentation, SixteenBitScreensTakeTheRowsAsTheyAreOrByteSwapped)
{
    for (uint8_t nFormat : {KOR_PIXFMT_RGB16, KOR_PIXFMT_BGR16PC}) {
        SCOPED_TRACE((int)nFormat);
        Korvid.SetPixelFormat(nFormat);
        bool bSwapped = nFormat == KOR_PIXFMT_BGR16PC;
        std::vector<uint8_t> Screen = PresentFresh(4 * 20, 20);   // 16 bytes of pixels, 4 of padding per row
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 8; ++x) {
                uint16_t nPixel = BackBuffer16()[y * 8 + x];
                uint8_t nLow = (uint8_t)nPixel, nHigh = (uint8_t)(nPixel >> 8);
                EXPECT_EQ(Screen[y * 20 + x * 2], bSwapped ? nHigh : nLow) << x << "," << y;
                EXPECT_EQ(Screen[y * 20 + x * 2 + 1], bSwapped ? nLow : nHigh) << x << "," << y;
            }
            for (int n = 16; n < 20; ++n)
                EXPECT_EQ(Screen[y * 20 + n], UNTOUCHED);
        }
    }
}

TEST_F(PackedPresentation, TwentyFourBitScreensGetBlueGreenRedBytes)
{
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB24);
    std::vector<uint8_t> Screen = PresentFresh(4 * 25, 25);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            KorvidRGB Colour = KorvidConvert::Unpack565(BackBuffer16()[y * 8 + x]);
            const uint8_t* pAt = &Screen[y * 25 + x * 3];
            EXPECT_EQ(pAt[0], Colour.b) << x << "," << y;
            EXPECT_EQ(pAt[1], Colour.g) << x << "," << y;
            EXPECT_EQ(pAt[2], Colour.r) << x << "," << y;
        }
}

TEST_F(PackedPresentation, ThirtyTwoBitScreensGetTheToThirtyTwoConverter)
{
    Korvid.SetPixelFormat(KOR_PIXFMT_ARGB32);
    std::vector<uint8_t> Screen = PresentFresh(4 * 32, 32);
    for (int n = 0; n < 32; ++n) {
        uint32_t nExpected = ((uint32_t)(8 * n & 0xF8) << 16) | ((uint32_t)(4 * n & 0xFC) << 8) | (uint32_t)(2 * n & 0xF8);
        uint32_t nGot = Screen[n * 4] | Screen[n * 4 + 1] << 8 | Screen[n * 4 + 2] << 16 | (uint32_t)Screen[n * 4 + 3] << 24;
        EXPECT_EQ(nGot, nExpected) << n;
    }
}

TEST_F(PackedPresentation, TheDirtyListWritesOnlyChangedWords)
{
    ASSERT_TRUE(Korvid.DirtyListOn());
    struct Case {
        uint8_t nFormat;
        int32_t nPitch;
        uint32_t nScreenBytes;
    };
    for (Case c : {Case{KOR_PIXFMT_RGB16, 16, 2}, Case{KOR_PIXFMT_RGB16PC, 16, 2}, Case{KOR_PIXFMT_ARGB32, 32, 4}}) {
        SCOPED_TRACE((int)c.nFormat);
        Korvid.SetPixelFormat(c.nFormat);
        std::vector<uint8_t> Screen = PresentFresh(4 * c.nPitch, c.nPitch);
        EXPECT_FALSE(Korvid.FullUpdatePending());
        std::fill(Screen.begin(), Screen.end(), UNTOUCHED);
        Present(Screen, c.nPitch);
        EXPECT_TRUE(Written(Screen).empty());
        // Pixel (3, 1) changes: its group of two pixels, (2, 1) and (3, 1), is written.
        BackBuffer16()[1 * 8 + 3] ^= 0x0F0F;
        Present(Screen, c.nPitch);
        EXPECT_EQ(Written(Screen), Range(1 * c.nPitch + 2 * c.nScreenBytes, 2 * c.nScreenBytes));
        std::fill(Screen.begin(), Screen.end(), UNTOUCHED);
        Present(Screen, c.nPitch);
        EXPECT_TRUE(Written(Screen).empty());
        // A full update writes every pixel again.
        Korvid.SetFullUpdate();
        Present(Screen, c.nPitch);
        EXPECT_EQ(Written(Screen).size(), 32u * c.nScreenBytes);
    }
}

TEST_F(PackedPresentation, DangerousPitchesAreRefused)
{
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB16);
    for (int32_t nPitch : {65, -65, 14}) {
        std::vector<uint8_t> Screen = PresentFresh(4 * 20, nPitch);
        EXPECT_TRUE(Written(Screen).empty()) << nPitch;
    }
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** DumpChunkyBuffer() - Dangerous Pitch Value 65 **",
                                                "ERROR: ** DumpChunkyBuffer() - Dangerous Pitch Value -65 **",
                                                "ERROR: ** DumpChunkyBuffer() - Dangerous Pitch Value 14 **"}));
    // A bottom-up surface: the pointer at the last row, rows going up.
    std::vector<uint8_t> Screen(4 * 16, UNTOUCHED);
    Korvid.SetFullUpdate();
    Korvid.DumpChunkyBuffer(Korvid.ChunkyRecord(0), Screen.data() + 3 * 16, -16);
    EXPECT_EQ(Screen[3 * 16], (uint8_t)BackBuffer16()[0]);
    EXPECT_EQ(Screen[0], (uint8_t)BackBuffer16()[24]);
}

TEST_F(PackedPresentation, ABackBufferOfAnotherShapeIsNotPresented)
{
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB16);
    ASSERT_EQ(Korvid.InitChunky(5, 16, 4, 16), 1);
    std::vector<uint8_t> Screen(4 * 32, UNTOUCHED);
    Korvid.DumpChunkyBuffer(Korvid.ChunkyRecord(5), Screen.data(), 32);
    EXPECT_TRUE(Written(Screen).empty());
    EXPECT_TRUE(Logged("ERROR: ** DumpChunkyBuffer() - Chunky 16x4 16bit does not match Display 8x4 16bit **"));
}

TEST_F(PackedPresentation, FlipWritesTheBackBufferIntoTheSurface)
{
    SDL_Surface* pSurface = Korvid.Surface();
    ASSERT_NE(pSurface, nullptr);
    ASSERT_EQ(pSurface->format->BitsPerPixel, 16);
    Korvid.SetFullUpdate();
    Korvid.Flip();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            uint16_t nPixel;
            memcpy(&nPixel, (uint8_t*)pSurface->pixels + y * pSurface->pitch + x * 2, 2);
            EXPECT_EQ(nPixel, BackBuffer16()[y * 8 + x]) << x << "," << y;
        }
}

// An 8-bit back buffer of 8 x 4 indices 0..31 over a palette where entry i is (8i, 4i, 2i).
class IndexedPresentation : public DisplayPresentation {
protected:
    void SetUp() override
    {
        DisplayPresentation::SetUp();
        OpenDisplay(8, 4, 8);
        for (int n = 0; n < 32; ++n) {
            Korvid.SetPaletteEntry(n, 8 * n, 4 * n, 2 * n);
            BackBuffer8()[n] = (uint8_t)n;
        }
        Korvid.ShowPalette(0);
    }
};

TEST_F(IndexedPresentation, EveryScreenDepthShowsThePaletteColours)
{
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB16);
    std::vector<uint8_t> Screen16 = PresentFresh(4 * 18, 19);   // rounded down to 18
    for (int n = 0; n < 32; ++n) {
        uint16_t nExpected = KorvidConvert::Pack565((uint8_t)(8 * n), (uint8_t)(4 * n), (uint8_t)(2 * n));
        EXPECT_EQ(Screen16[n / 8 * 18 + n % 8 * 2] | Screen16[n / 8 * 18 + n % 8 * 2 + 1] << 8, nExpected) << n;
    }

    Korvid.SetPixelFormat(KOR_PIXFMT_RGB24);
    std::vector<uint8_t> Screen24 = PresentFresh(4 * 24, 24);
    for (int n = 0; n < 32; ++n) {
        EXPECT_EQ(Screen24[n * 3], 2 * n) << n;
        EXPECT_EQ(Screen24[n * 3 + 1], 4 * n) << n;
        EXPECT_EQ(Screen24[n * 3 + 2], 8 * n) << n;
    }

    // The 32-bit screen finds the 16-bit lookup table and builds the wider one.
    Korvid.SetPixelFormat(KOR_PIXFMT_ARGB32);
    std::vector<uint8_t> Screen32 = PresentFresh(4 * 32, 32);
    EXPECT_TRUE(Logged("WARNING: ** DumpChunkyBuffer8() - Needs 8->32bit Table **"));
    for (int n = 0; n < 32; ++n) {
        uint32_t nGot = Screen32[n * 4] | Screen32[n * 4 + 1] << 8 | Screen32[n * 4 + 2] << 16 | (uint32_t)Screen32[n * 4 + 3] << 24;
        EXPECT_EQ(nGot, (uint32_t)(8 * n) << 16 | (uint32_t)(4 * n) << 8 | (uint32_t)(2 * n)) << n;
    }

    Korvid.SetPixelFormat(KOR_PIXFMT_LUT8);
    std::vector<uint8_t> Screen8 = PresentFresh(4 * 8, 8);
    for (int n = 0; n < 32; ++n)
        EXPECT_EQ(Screen8[n], n);
}

TEST_F(IndexedPresentation, TheDirtyListComparesGroupsOfFourIndices)
{
    ASSERT_TRUE(Korvid.DirtyListOn());
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB16);
    std::vector<uint8_t> Screen = PresentFresh(4 * 16, 16);
    std::fill(Screen.begin(), Screen.end(), UNTOUCHED);
    Present(Screen, 16);
    EXPECT_TRUE(Written(Screen).empty());
    BackBuffer8()[2 * 8 + 5] = 200;   // group of pixels 4..7 of row 2
    Present(Screen, 16);
    EXPECT_EQ(Written(Screen), Range(2 * 16 + 4 * 2, 4 * 2));
}

TEST_F(IndexedPresentation, AnIndexedScreenWritesBothWordsWhenTheFirstChanged)
{
    Korvid.SetPixelFormat(KOR_PIXFMT_LUT8);
    std::vector<uint8_t> Screen = PresentFresh(4 * 8, 8);
    std::fill(Screen.begin(), Screen.end(), UNTOUCHED);
    BackBuffer8()[1 * 8 + 1] = 99;   // first word of row 1
    BackBuffer8()[3 * 8 + 6] = 98;   // second word of row 3
    Present(Screen, 8);
    std::vector<size_t> Expected = Range(1 * 8, 8);
    for (size_t n : Range(3 * 8 + 4, 4))
        Expected.push_back(n);
    EXPECT_EQ(Written(Screen), Expected);
}

TEST_F(IndexedPresentation, AMissingLookupTableIsReportedAndRebuilt)
{
    Korvid.SetPixelFormat(KOR_PIXFMT_ARGB32);
    std::vector<uint8_t> Screen = PresentFresh(4 * 32, 32);
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB16);
    Screen = PresentFresh(4 * 16, 16);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"WARNING: ** DumpChunkyBuffer8() - Needs 8->32bit Table **",
                                                "WARNING: ** DumpChunkyBuffer8() - Needs 8->16bit Table **"}));
    EXPECT_EQ(Written(Screen).size(), 64u);
}

class NarrowPresentation : public DisplayPresentation {};

TEST_F(NarrowPresentation, AWidthOutsideTheGroupsIsComparedPixelByPixel)
{
    OpenDisplay(6, 2, 8);
    ASSERT_TRUE(Korvid.DirtyListOn());
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB16);
    std::vector<uint8_t> Screen = PresentFresh(2 * 12, 12);
    std::fill(Screen.begin(), Screen.end(), UNTOUCHED);
    BackBuffer8()[6 + 5] = 7;
    Present(Screen, 12);
    EXPECT_EQ(Written(Screen), Range(12 + 5 * 2, 2));
}

}  // namespace
