// Whole blits through every fast path (block copies of gapless rows, vectorised
// keyed rows, the 50 % shift-and-mask path, weighted and alpha rows) against a
// plain per-pixel loop written from the blitter's rules: seeded random images,
// every mode and parameter, both 16-bit families, areas whose widths leave every
// kind of vector tail, clipped on every side.
#include <random>
#include <vector>

#include "GfxTestSupport.h"

namespace {

constexpr int kWidth = 96, kHeight = 40;   // the back buffer and the source are the same size
constexpr uint32_t kSource = 1;

struct Area {
    int sx, sy, w, h, dx, dy;
};

// Full-size and full-width areas take the single-block copy; the narrow ones
// leave 1, 15, 16, 17 and 33 pixels for the vector loops and their tails.
const Area kAreas[] = {
    {0, 0, kWidth, kHeight, 0, 0}, {0, 5, kWidth, 20, 0, 10}, {3, 2, 1, 5, 10, 10},  {5, 1, 15, 9, -4, 33},
    {0, 0, 16, 3, 80, 0},          {1, 1, 17, 7, 40, 20},     {2, 3, 33, 11, 70, -5},
};

const uint16_t kFlags[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x08, 0x09, 0x10, 0x11, 0x40, 0x42};
const int16_t kParams[] = {0, 1, 2, 25, 47, 48, 50, 52, 53, 75, 98, 99, 100};

// The per-channel weighted sum (x x wx + y x wy) >> 8 through the installed converters.
uint16_t Mix(uint16_t x, uint16_t y, uint32_t wx, uint32_t wy)
{
    const KorvidRGB a = Korvid.Unpack(x), b = Korvid.Unpack(y);
    return Korvid.Pack((uint8_t)((a.r * wx + b.r * wy) >> 8), (uint8_t)((a.g * wx + b.g * wy) >> 8),
                       (uint8_t)((a.b * wx + b.b * wy) >> 8));
}

uint16_t Half(uint16_t x, uint16_t y)
{
    const uint16_t h = Korvid.PixelFormat().nHalfMask;
    return (uint16_t)(((x >> 1) & h) + ((y >> 1) & h));
}

// One destination pixel after a 16-bit blit, straight from the rules.
uint16_t ExpectedPixel(uint16_t nFlags, uint16_t c, int16_t nParam, uint16_t s, uint16_t d, uint8_t m)
{
    if (nFlags & KOR_BLIT_ALPHA) {
        const int32_t nFade = nParam < 100 ? (int32_t)(255 - nParam * 2.56) : 0;
        const int32_t a = m - nFade;
        const bool bColour = nFlags & KOR_BLIT_SOLIDCOLOUR;
        const uint16_t x = bColour ? c : s;
        if (x == d || a <= 3)
            return d;
        if (a > 251)
            return x;
        return bColour ? Mix(d, c, 255 - a, a) : Mix(s, d, a, 255 - a);
    }
    uint16_t nMode = nFlags & ~KOR_BLIT_NOCOOKIE;
    if (nMode == KOR_BLIT_SOLIDTRANS && nParam < 2)
        nMode = KOR_BLIT_SOLIDCOLOUR;
    else if ((nMode == KOR_BLIT_TRANS || nMode == KOR_BLIT_TINT) && nParam < 2)
        nMode = KOR_BLIT_COOKIE;
    else if (nMode == KOR_BLIT_TINT && nParam > 98)
        nMode = KOR_BLIT_SOLIDCOLOUR;
    else if (nParam > 98 && (nMode == KOR_BLIT_SOLIDTRANS || nMode == KOR_BLIT_TRANS))
        return d;
    if (!(nFlags & KOR_BLIT_NOCOOKIE) && s == Korvid.CookieColour())
        return d;
    const bool bHalf = nParam >= 48 && nParam <= 52 && Korvid.PixelFormat().nHalfMask != 0;
    const uint32_t a = (uint32_t)(nParam * 2.55);
    switch (nMode) {
    case KOR_BLIT_COOKIE: return s;
    case KOR_BLIT_SOLIDCOLOUR: return c;
    case KOR_BLIT_SOLIDTRANS: return bHalf ? Half(d, c) : Mix(d, c, a, 255 - a);
    case KOR_BLIT_TRANS:
        if (s == d)
            return d;
        return bHalf ? Half(s, d) : Mix(s, d, 255 - a, a);
    default: return bHalf ? Half(s, c) : Mix(s, c, a, 255 - a);
    }
}

class BlitFastPaths : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(kWidth, kHeight, 16);
    }

    // Random pixels; about one in eight is the cookie colour and as many equal the
    // back buffer's pixel, masks crowd the 3 and 251 thresholds.
    void MakePictures(std::mt19937& Random)
    {
        std::uniform_int_distribution<int> Pixel(1, 0xFFFF), Kind(0, 15), Byte(0, 255);
        ASSERT_EQ(Korvid.InitChunky(kSource, kWidth, kHeight, 16), 1);
        ChunkyObject* pSource = Korvid.ExistingChunky(kSource);
        ASSERT_TRUE(Korvid.CreateAlphaMask(*pSource));
        m_Back.resize(kWidth * kHeight);
        for (int n = 0; n < kWidth * kHeight; ++n) {
            m_Back[n] = (uint16_t)Pixel(Random);
            const int nKind = Kind(Random);
            pSource->Pixels16()[n] = nKind < 2 ? Korvid.CookieColour() : (nKind < 4 ? m_Back[n] : (uint16_t)Pixel(Random));
            const int nEdge = Kind(Random);
            pSource->pAlpha[n] = (uint8_t)(nEdge < 3 ? 2 + nEdge : (nEdge < 6 ? 247 + nEdge : Byte(Random)));
        }
    }

    std::vector<uint16_t> Expected(const Area& A, uint16_t nFlags, uint16_t nColour, int16_t nParam) const
    {
        std::vector<uint16_t> Screen = m_Back;
        const ChunkyObject* pSource = Korvid.ExistingChunky(kSource);
        for (int j = A.sy; j < A.sy + A.h; ++j)
            for (int i = A.sx; i < A.sx + A.w; ++i) {
                const int x = i + A.dx - A.sx, y = j + A.dy - A.sy;
                if (x < 0 || y < 0 || x >= kWidth || y >= kHeight)
                    continue;
                uint16_t& d = Screen[y * kWidth + x];
                d = ExpectedPixel(nFlags, nColour, nParam, pSource->Pixels16()[j * kWidth + i], d,
                                  pSource->pAlpha[j * kWidth + i]);
            }
        return Screen;
    }

    std::vector<uint16_t> Drawn(const Area& A, uint16_t nFlags, uint16_t nColour, int16_t nParam) const
    {
        uint16_t* pBack = Korvid.ExistingChunky(0)->Pixels16();
        std::copy(m_Back.begin(), m_Back.end(), pBack);
        Korvid.BlitArea(kSource, A.sx, A.sy, A.w, A.h, A.dx, A.dy, (uint8_t)nFlags, nColour, nParam);
        return std::vector<uint16_t>(pBack, pBack + kWidth * kHeight);
    }

    std::vector<uint16_t> m_Back;
};

TEST_F(BlitFastPaths, EveryModeParameterAndAreaMatchesThePlainLoop)
{
    for (uint8_t nFormat : {KOR_PIXFMT_RGB16, KOR_PIXFMT_RGB15}) {
        Korvid.SetPixelFormat(nFormat);
        std::mt19937 Random(8080u + nFormat);
        MakePictures(Random);
        std::uniform_int_distribution<int> Pixel(1, 0xFFFF);
        long nChanged = 0;
        for (uint16_t nFlags : kFlags)
            for (int16_t nParam : kParams)
                for (const Area& A : kAreas) {
                    const uint16_t nColour = (uint16_t)Pixel(Random);
                    const std::vector<uint16_t> Want = Expected(A, nFlags, nColour, nParam);
                    ASSERT_EQ(Drawn(A, nFlags, nColour, nParam), Want)
                        << "format " << (int)nFormat << " flags " << nFlags << " param " << nParam << " area "
                        << A.sx << "," << A.sy << " " << A.w << "x" << A.h << " at " << A.dx << "," << A.dy;
                    for (size_t n = 0; n < Want.size(); ++n)
                        nChanged += Want[n] != m_Back[n];
                }
        // Most blits must really draw for the comparison to mean anything: the
        // 1092 blits cover about 1.2 million destination pixels.
        EXPECT_GT(nChanged, 600000) << (int)nFormat;
    }
}

TEST_F(BlitFastPaths, EightBitCopiesAndSilhouettesMatchThePlainLoop)
{
    Korvid.ChangeDisplayMode(kWidth, kHeight, 8, 0);
    ASSERT_EQ(Korvid.ChunkyDepth(0), 8);
    std::mt19937 Random(31u);
    std::uniform_int_distribution<int> Index(0, 255);
    ASSERT_EQ(Korvid.InitChunky(kSource, kWidth, kHeight, 8), 1);
    uint8_t* pSource = Korvid.ChunkyBuffer(kSource);
    std::vector<uint8_t> Back(kWidth * kHeight);
    const uint8_t nCookie = (uint8_t)Korvid.CookieColour();
    for (int n = 0; n < kWidth * kHeight; ++n) {
        Back[n] = (uint8_t)Index(Random);
        pSource[n] = Index(Random) < 40 ? nCookie : (uint8_t)Index(Random);
    }
    for (uint8_t nFlags : {0x00, 0x01, 0x02, 0x03})
        for (const Area& A : kAreas) {
            const uint8_t nColour = (uint8_t)Index(Random);
            std::vector<uint8_t> Want = Back;
            for (int j = A.sy; j < A.sy + A.h; ++j)
                for (int i = A.sx; i < A.sx + A.w; ++i) {
                    const int x = i + A.dx - A.sx, y = j + A.dy - A.sy;
                    const uint8_t s = pSource[j * kWidth + i];
                    // Only the plain block copy (flags 1) skips the cookie test.
                    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight || (nFlags != 0x01 && s == nCookie))
                        continue;
                    Want[y * kWidth + x] = nFlags & KOR_BLIT_SOLIDCOLOUR ? nColour : s;
                }
            uint8_t* pBack = Korvid.ChunkyBuffer(0);
            std::copy(Back.begin(), Back.end(), pBack);
            Korvid.BlitArea(kSource, A.sx, A.sy, A.w, A.h, A.dx, A.dy, nFlags, nColour, 50);
            ASSERT_EQ(std::vector<uint8_t>(pBack, pBack + kWidth * kHeight), Want)
                << "flags " << (int)nFlags << " area " << A.sx << "," << A.sy << " " << A.w << "x" << A.h;
        }
}

}  // namespace
