// Presentation of chunky 0 against a plain per-pixel conversion: every pairing of internal and
// screen depth, gapless, padded and bottom-up rows, and the dirty list writing only changed groups.
#include <random>
#include <vector>

#include "GfxTestSupport.h"

namespace {

constexpr int kWidth = 202;   // three 64-pixel spans, a short one and a tail of 2 beyond groups of 4 and 8
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

// Padded rows keep the 4-byte multiple that 32-bit and dirty 16-bit writes round the pitch to.
int PaddedPitch(const ScreenCase& c) { return (kWidth * c.nBytes + 12 + 3) & ~3; }

class Presentation : public GfxTest {
protected:
    // The screen pixel for back-buffer pixel n, worked out the plain way (24 and 32 bits
    // as blue, green and red bytes).
    static uint32_t ScreenPixel(int n, int nBytes)
    {
        if (Korvid.DisplayDepth() == 8) {
            const uint8_t i = Korvid.ChunkyBuffer(0)[n];
            const uint8_t r = Korvid.PaletteRed(i), g = Korvid.PaletteGreen(i), b = Korvid.PaletteBlue(i);
            return nBytes == 1 ? i : (nBytes == 2 ? Korvid.Pack(r, g, b) : (uint32_t)r << 16 | g << 8 | b);
        }
        const uint16_t p = Korvid.ExistingChunky(0)->Pixels16()[n];
        const KorvidRGB c = Korvid.Unpack(p);
        if (nBytes == 2)
            return Korvid.PixelFormat().bByteSwapped ? KorvidConvert::SwapBytes(p) : p;
        return nBytes == 3 ? (uint32_t)c.r << 16 | c.g << 8 | c.b : Korvid.To32(p);
    }

    static std::vector<uint8_t> ExpectedFrame(const ScreenCase& c, int nPitch)
    {
        std::vector<uint8_t> Screen((size_t)nPitch * kHeight, UNTOUCHED);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                for (int k = 0; k < c.nBytes; ++k)
                    Screen[(size_t)y * nPitch + x * c.nBytes + k] =
                        (uint8_t)(ScreenPixel(y * kWidth + x, c.nBytes) >> 8 * k);
        return Screen;
    }

    static std::vector<uint8_t> Present(int nPitch, bool bFull)
    {
        std::vector<uint8_t> Screen((size_t)std::abs(nPitch) * kHeight, UNTOUCHED);
        if (bFull)
            Korvid.SetFullUpdate();
        Korvid.DumpChunkyBuffer(Korvid.ChunkyRecord(0), Screen.data() + (nPitch < 0 ? Screen.size() + nPitch : 0),
                                nPitch);
        return Screen;
    }

    static void FillRandom(std::mt19937& Random)
    {
        for (uint32_t n = 0; n < Korvid.ExistingChunky(0)->nSize; ++n)
            Korvid.ChunkyBuffer(0)[n] = (uint8_t)Random();
    }

    static void RandomPalette(std::mt19937& Random)
    {
        for (int n = 0; n < 256; ++n)
            Korvid.SetPaletteEntry(n, Random() & 0xFF, Random() & 0xFF, Random() & 0xFF);
        Korvid.ShowPalette(0);
    }

    // Changes a few random pixels, the pixels on both sides of every span boundary of
    // row 1 and its tail, and none at all in rows 3 and 5. Returns which changed.
    static std::vector<bool> ChangeSome(std::mt19937& Random)
    {
        const int nPixelBytes = Korvid.InternalBytesPerPixel();
        std::vector<bool> Changed(kWidth * kHeight, false);
        auto Change = [&](int x, int y) {
            if (y == 3 || y == 5 || Changed[y * kWidth + x])
                return;
            Korvid.ChunkyBuffer(0)[(y * kWidth + x) * nPixelBytes] ^= 0x5A;
            Changed[y * kWidth + x] = true;
        };
        for (int n = 0; n < 40; ++n)
            Change((int)(Random() % kWidth), (int)(Random() % kHeight));
        for (int x : {63, 64, 127, 128, 191, 192, 199, 201})
            Change(x, 1);
        return Changed;
    }

    // The bytes a dirty presentation must write: every group holding a changed pixel,
    // then the tail pixel by pixel; on 8-bit screens a group of eight is two words and
    // a changed second word alone writes only itself.
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
            return std::any_of(Changed.begin() + y * kWidth + x, Changed.begin() + y * kWidth + x + nCount,
                               [](bool b) { return b; });
        };
        for (int y = 0; y < kHeight; ++y) {
            int x = 0;
            for (; x + nGroup <= kWidth; x += nGroup) {
                if (nGroup == 8 && !AnyChanged(y, x, 4)) {
                    if (AnyChanged(y, x + 4, 4))
                        CopyPixels(y, x + 4, 4);
                } else if (AnyChanged(y, x, nGroup)) {
                    CopyPixels(y, x, nGroup);
                }
            }
            for (; x < kWidth; ++x)
                if (Changed[y * kWidth + x])
                    CopyPixels(y, x, 1);
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
            const int nPitch = PaddedPitch(c);
            // Gapless rows (one block where the path allows it), padded rows and bottom-up rows.
            ASSERT_EQ(Present(kWidth * c.nBytes, true), ExpectedFrame(c, kWidth * c.nBytes));
            ASSERT_EQ(Present(nPitch, true), ExpectedFrame(c, nPitch));
            std::vector<uint8_t> BottomUp = ExpectedFrame(c, nPitch);
            for (int y = 0; y < kHeight / 2; ++y)
                std::swap_ranges(BottomUp.begin() + y * nPitch, BottomUp.begin() + (y + 1) * nPitch,
                                 BottomUp.end() - (y + 1) * nPitch);
            ASSERT_EQ(Present(-nPitch, true), BottomUp);
            EXPECT_FALSE(Korvid.FullUpdatePending());

            ASSERT_TRUE(Korvid.DirtyListOn());
            // A 24-bit screen from 16-bit pixels is always written whole.
            const bool bWhole = c.nBytes == 3 && Korvid.DisplayDepth() == 16;
            const std::vector<uint8_t> Nothing((size_t)nPitch * kHeight, UNTOUCHED);
            EXPECT_EQ(Present(nPitch, false), bWhole ? ExpectedFrame(c, nPitch) : Nothing);
            const std::vector<bool> Changed = ChangeSome(Random);
            EXPECT_EQ(Present(nPitch, false), bWhole ? ExpectedFrame(c, nPitch) : ExpectedDirty(c, nPitch, Changed));
            EXPECT_EQ(Present(nPitch, false), bWhole ? ExpectedFrame(c, nPitch) : Nothing);
        }
    }
};

TEST_F(Presentation, FramesOfEitherDepthMatchThePlainConversionWholeAndThroughTheDirtyList)
{
    OpenDisplay(kWidth, kHeight, 16);
    CheckScreens(kPackedScreens, std::size(kPackedScreens), 616u);
    Korvid.ChangeDisplayMode(kWidth, kHeight, 8, 0);
    CheckScreens(kIndexedScreens, std::size(kIndexedScreens), 808u);
}

TEST_F(Presentation, PitchesAreRoundedOrRefusedLookupTablesRebuiltAndOtherShapesNotPresented)
{
    OpenDisplay(kWidth, kHeight, 8);
    std::mt19937 Random(7u);
    FillRandom(Random);
    // A missing palette lookup table is reported and rebuilt.
    for (ScreenCase c : {ScreenCase{KOR_PIXFMT_ARGB32, 4}, ScreenCase{KOR_PIXFMT_RGB16, 2}}) {
        Korvid.SetPixelFormat(c.nFormat);
        EXPECT_EQ(Present(PaddedPitch(c), true), ExpectedFrame(c, PaddedPitch(c))) << (int)c.nFormat;
    }
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"WARNING: ** DumpChunkyBuffer8() - Needs 8->32bit Table **",
                                                "WARNING: ** DumpChunkyBuffer8() - Needs 8->16bit Table **"}));
    // 8-bit pixels on a 16-bit screen are written in pairs: an odd pitch is rounded down.
    std::vector<uint8_t> Rounded = Present(2 * kWidth + 3, true);
    Rounded.resize((size_t)(2 * kWidth + 2) * kHeight);
    EXPECT_EQ(Rounded, ExpectedFrame({KOR_PIXFMT_RGB16, 2}, 2 * kWidth + 2));
    // Pitches beyond the frame, or rows closer than one screen row, are refused.
    for (int32_t nPitch : {kWidth * kHeight + 1, -kWidth * kHeight - 1, 2 * kWidth - 1})
        EXPECT_EQ(Present(nPitch, true), std::vector<uint8_t>((size_t)std::abs(nPitch) * kHeight, UNTOUCHED)) << nPitch;
    EXPECT_TRUE(Logged("ERROR: ** DumpChunkyBuffer() - Dangerous Pitch Value 403 **"));

    ASSERT_EQ(Korvid.InitChunky(5, 16, 4, 8), 1);
    std::vector<uint8_t> Screen(4 * 32, UNTOUCHED);
    Korvid.DumpChunkyBuffer(Korvid.ChunkyRecord(5), Screen.data(), 32);
    EXPECT_EQ(Screen, std::vector<uint8_t>(4 * 32, UNTOUCHED));
    EXPECT_TRUE(Logged("ERROR: ** DumpChunkyBuffer() - Chunky 16x4 8bit does not match Display 202x7 8bit **"));
}

}  // namespace
