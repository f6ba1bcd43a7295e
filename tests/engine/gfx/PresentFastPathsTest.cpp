// Presentation's fast paths against a plain per-pixel conversion: random frames
// in every pairing of internal and screen depth, gapless and padded screen rows,
// and the dirty list's row and span skipping, which must write exactly the
// changed groups and nothing else.
#include <random>
#include <vector>

#include "GfxTestSupport.h"

namespace {

constexpr int kWidth = 200;   // three 64-pixel spans and a short one
constexpr int kHeight = 7;
constexpr uint8_t UNTOUCHED = 0xEE;

struct ScreenCase {
    uint8_t nFormat;
    int nBytes;   // screen bytes per pixel
};

const ScreenCase kPackedScreens[] = {{KOR_PIXFMT_RGB16, 2}, {KOR_PIXFMT_RGB16PC, 2}, {KOR_PIXFMT_RGB15, 2},
                                     {KOR_PIXFMT_RGB24, 3}, {KOR_PIXFMT_ARGB32, 4}};
const ScreenCase kIndexedScreens[] = {
    {KOR_PIXFMT_LUT8, 1}, {KOR_PIXFMT_RGB16, 2}, {KOR_PIXFMT_RGB24, 3}, {KOR_PIXFMT_ARGB32, 4}};

void PutBytes(std::vector<uint8_t>& Screen, size_t nAt, uint32_t nValue, int nBytes)
{
    for (int k = 0; k < nBytes; ++k)
        Screen[nAt + k] = (uint8_t)(nValue >> (8 * k));
}

void PutBlueGreenRed(std::vector<uint8_t>& Screen, size_t nAt, uint8_t r, uint8_t g, uint8_t b)
{
    Screen[nAt] = b;
    Screen[nAt + 1] = g;
    Screen[nAt + 2] = r;
}

class PresentFastPaths : public GfxTest {
protected:
    // The screen pixel for back-buffer pixel n, written the plain way.
    static void ConvertOne(std::vector<uint8_t>& Screen, size_t nAt, int nPixel, const ScreenCase& c)
    {
        if (Korvid.DisplayDepth() == 8) {
            const uint8_t nIndex = Korvid.ChunkyBuffer(0)[nPixel];
            const uint8_t r = Korvid.PaletteRed(nIndex), g = Korvid.PaletteGreen(nIndex), b = Korvid.PaletteBlue(nIndex);
            if (c.nBytes == 1)
                Screen[nAt] = nIndex;
            else if (c.nBytes == 2)
                PutBytes(Screen, nAt, Korvid.Pack(r, g, b), 2);
            else if (c.nBytes == 3)
                PutBlueGreenRed(Screen, nAt, r, g, b);
            else
                PutBytes(Screen, nAt, (uint32_t)r << 16 | (uint32_t)g << 8 | b, 4);
            return;
        }
        const uint16_t p = Korvid.ExistingChunky(0)->Pixels16()[nPixel];
        if (c.nBytes == 2) {
            PutBytes(Screen, nAt, Korvid.PixelFormat().bByteSwapped ? KorvidConvert::SwapBytes(p) : p, 2);
        } else if (c.nBytes == 3) {
            const KorvidRGB Colour = Korvid.Unpack(p);
            PutBlueGreenRed(Screen, nAt, Colour.r, Colour.g, Colour.b);
        } else {
            PutBytes(Screen, nAt, Korvid.To32(p), 4);
        }
    }

    static std::vector<uint8_t> ExpectedFrame(const ScreenCase& c, int nPitch)
    {
        std::vector<uint8_t> Screen((size_t)nPitch * kHeight, UNTOUCHED);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                ConvertOne(Screen, (size_t)y * nPitch + x * c.nBytes, y * kWidth + x, c);
        return Screen;
    }

    static std::vector<uint8_t> Present(int nPitch, bool bFull)
    {
        std::vector<uint8_t> Screen((size_t)nPitch * kHeight, UNTOUCHED);
        if (bFull)
            Korvid.SetFullUpdate();
        Korvid.DumpChunkyBuffer(Korvid.ChunkyRecord(0), Screen.data(), nPitch);
        return Screen;
    }

    static void FillRandom(std::mt19937& Random)
    {
        uint8_t* pBack = Korvid.ChunkyBuffer(0);
        std::uniform_int_distribution<int> Byte(0, 255);
        for (uint32_t n = 0; n < Korvid.ExistingChunky(0)->nSize; ++n)
            pBack[n] = (uint8_t)Byte(Random);
    }

    static void RandomPalette(std::mt19937& Random)
    {
        std::uniform_int_distribution<int> Byte(0, 255);
        for (int n = 0; n < 256; ++n)
            Korvid.SetPaletteEntry(n, Byte(Random), Byte(Random), Byte(Random));
        Korvid.ShowPalette(0);
    }

    // Changes some pixels: a few random ones, the pixels on both sides of every
    // span boundary of row 1, and none at all in rows 3 and 5. Returns which changed.
    static std::vector<bool> ChangeSome(std::mt19937& Random)
    {
        const int nPixelBytes = Korvid.InternalBytesPerPixel();
        uint8_t* pBack = Korvid.ChunkyBuffer(0);
        std::vector<bool> Changed(kWidth * kHeight, false);
        auto Change = [&](int x, int y) {
            pBack[(y * kWidth + x) * nPixelBytes] ^= 0x5A;
            Changed[y * kWidth + x] = true;
        };
        std::uniform_int_distribution<int> X(0, kWidth - 1), Y(0, kHeight - 1);
        for (int n = 0; n < 40; ++n) {
            const int x = X(Random), y = Y(Random);
            if (y != 3 && y != 5 && !Changed[y * kWidth + x])
                Change(x, y);
        }
        for (int x : {63, 64, 127, 128, 191, 192, 199})
            if (!Changed[kWidth + x])
                Change(x, 1);
        return Changed;
    }

    // The bytes a dirty presentation must write: every group holding a changed
    // pixel, except on 8-bit screens, whose groups of eight are two words and a
    // changed second word alone writes only itself.
    static std::vector<uint8_t> ExpectedDirty(const ScreenCase& c, int nPitch, const std::vector<bool>& Changed)
    {
        const std::vector<uint8_t> Full = ExpectedFrame(c, nPitch);
        std::vector<uint8_t> Screen((size_t)nPitch * kHeight, UNTOUCHED);
        const bool bIndexed = Korvid.DisplayDepth() == 8;
        const int nGroup = c.nBytes == 3 ? 1 : (bIndexed ? (c.nBytes == 1 ? 8 : 4) : 2);
        auto CopyPixels = [&](int y, int x, int nCount) {
            const size_t nAt = (size_t)y * nPitch + (size_t)x * c.nBytes;
            std::copy(Full.begin() + nAt, Full.begin() + nAt + (size_t)nCount * c.nBytes, Screen.begin() + nAt);
        };
        auto AnyChanged = [&](int y, int x, int nCount) {
            for (int k = x; k < x + nCount; ++k)
                if (Changed[y * kWidth + k])
                    return true;
            return false;
        };
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; x += nGroup) {
                if (nGroup == 8) {
                    if (AnyChanged(y, x, 4))
                        CopyPixels(y, x, 8);
                    else if (AnyChanged(y, x + 4, 4))
                        CopyPixels(y, x + 4, 4);
                } else if (AnyChanged(y, x, nGroup)) {
                    CopyPixels(y, x, nGroup);
                }
            }
        return Screen;
    }

    void CheckScreens(const ScreenCase* pCases, size_t nCases, uint32_t nSeed)
    {
        std::mt19937 Random(nSeed);
        for (size_t n = 0; n < nCases; ++n) {
            const ScreenCase& c = pCases[n];
            SCOPED_TRACE(testing::Message() << "format " << (int)c.nFormat);
            Korvid.SetPixelFormat(c.nFormat);
            if (Korvid.DisplayDepth() == 8)
                RandomPalette(Random);
            FillRandom(Random);
            // Gapless rows (one block where the path allows it) and padded rows.
            for (int nPitch : {kWidth * c.nBytes, kWidth * c.nBytes + 12})
                ASSERT_EQ(Present(nPitch, true), ExpectedFrame(c, nPitch)) << "pitch " << nPitch;

            ASSERT_TRUE(Korvid.DirtyListOn());
            // A 24-bit screen from 16-bit pixels is always written whole.
            const bool bWhole = c.nBytes == 3 && Korvid.DisplayDepth() == 16;
            const int nPitch = kWidth * c.nBytes + 12;
            const std::vector<uint8_t> Nothing((size_t)nPitch * kHeight, UNTOUCHED);
            Present(nPitch, true);
            EXPECT_EQ(Present(nPitch, false), bWhole ? ExpectedFrame(c, nPitch) : Nothing);
            const std::vector<bool> Changed = ChangeSome(Random);
            EXPECT_EQ(Present(nPitch, false), bWhole ? ExpectedFrame(c, nPitch) : ExpectedDirty(c, nPitch, Changed));
            EXPECT_EQ(Present(nPitch, false), bWhole ? ExpectedFrame(c, nPitch) : Nothing);
        }
    }
};

TEST_F(PresentFastPaths, SixteenBitFramesMatchThePlainConversionWholeAndThroughTheDirtyList)
{
    OpenDisplay(kWidth, kHeight, 16);
    CheckScreens(kPackedScreens, std::size(kPackedScreens), 616u);
}

TEST_F(PresentFastPaths, EightBitFramesMatchThePlainConversionWholeAndThroughTheDirtyList)
{
    OpenDisplay(kWidth, kHeight, 8);
    CheckScreens(kIndexedScreens, std::size(kIndexedScreens), 808u);
}

}  // namespace
