// The blitter's fast paths against a plain per-pixel model of its rules: seeded pictures, every
// mode, parameter and format, areas that leave every vector tail, and wild positions (ASan watches).
#include <climits>
#include <random>

#include "GfxTestSupport.h"

namespace {

constexpr int kWidth = 96, kHeight = 40;   // the back buffer and the source are the same size
constexpr uint32_t kSource = 1;
using Image = std::vector<uint16_t>;

struct Area {
    int32_t sx, sy, w, h, dx, dy;
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
        const int32_t a = m - (nParam < 100 ? (int32_t)(255 - nParam * 2.56) : 0);
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
    case KOR_BLIT_TRANS: return s == d ? d : (bHalf ? Half(s, d) : Mix(s, d, 255 - a, a));
    default: return bHalf ? Half(s, c) : Mix(s, c, a, 255 - a);
    }
}

// The model against pixels worked out by hand from the blend formulas, for the three
// 16-bit families: weighted sums, the 50 % halves and alpha masks.
TEST(BlitModel, AgreesWithPixelsWorkedOutByHand)
{
    EnterScratchDirectory();
    constexpr uint16_t W = 0xFFFF, R = 0xF800, G = 0x07E0, B = 0x001F;
    // What, format, flags, parameter, colour, source, destination, mask; the pixel drawn.
    using Case = std::tuple<const char*, uint8_t, uint16_t, int16_t, uint16_t, uint16_t, uint16_t, uint8_t, uint16_t>;
    const Case Cases[] = {
        // a = truncate(25 x 2.55) = 63: (248 x 192) >> 8 = 186 -> 184, (252 x 192) >> 8 = 189 -> 188.
        {"trans 25", KOR_PIXFMT_RGB16, KOR_BLIT_TRANS, 25, 0, W, 0, 0, 0xBDF7},
        // d x 63 + red x 192: red 186 -> 184, blue (248 x 63) >> 8 = 61 -> 7.
        {"solid trans 25", KOR_PIXFMT_RGB16, KOR_BLIT_SOLIDTRANS, 25, R, G, B, 0, 0xB807},
        // a = 191 is the source's weight: green (252 x 191) >> 8 = 188, blue (248 x 64) >> 8 = 62 -> 7.
        {"tint 75", KOR_PIXFMT_RGB16, KOR_BLIT_TINT, 75, B, G, W, 0, 0x05E7},
        // 48..52 per cent: ((x >> 1) & 0x7BEF) + ((y >> 1) & 0x7BEF).
        {"trans 50 halves", KOR_PIXFMT_RGB16, KOR_BLIT_TRANS, 50, 0, 0x8410, 0x4208, 0, 0x630C},
        // RGB555: 186 -> 184 in each five-bit channel; the half mask is 0x3DEF.
        {"555 trans 25", KOR_PIXFMT_RGB15, KOR_BLIT_TRANS, 25, 0, 0x7FFF, 0, 0, 0x5EF7},
        {"555 trans 50 halves", KOR_PIXFMT_RGB15, KOR_BLIT_TRANS, 50, 0, 0x7FFF, 0, 0, 0x3DEF},
        // Byte-swapped RGB565 has no half mask: 50 % is a = 127, 124 -> 120 and 126 -> 124, stored swapped.
        {"565 swapped trans 50", KOR_PIXFMT_RGB16PC, KOR_BLIT_TRANS, 50, 0, W, 0, 0, 0xEF7B},
        // Alpha: mask 252+ copies; 4..251 mixes s x a + d x (255 - a); 0..3 leaves the destination.
        // a = 251: red (248 x 251) >> 8 = 243 -> 240, blue (248 x 255) >> 8 = 247 -> 30.
        {"alpha 252", KOR_PIXFMT_RGB16, KOR_BLIT_ALPHA, 100, 0, W, B, 252, W},
        {"alpha 251", KOR_PIXFMT_RGB16, KOR_BLIT_ALPHA, 100, 0, W, B, 251, 0xF7BE},
        {"alpha 4", KOR_PIXFMT_RGB16, KOR_BLIT_ALPHA, 100, 0, W, B, 4, 0x001E},
        {"alpha 3", KOR_PIXFMT_RGB16, KOR_BLIT_ALPHA, 100, 0, W, B, 3, B},
        // Param 50: fade 127, so mask 255 mixes at a = 128, 131 (a = 4) still mixes and 130 is left.
        {"alpha 255 at 50", KOR_PIXFMT_RGB16, KOR_BLIT_ALPHA, 50, 0, W, B, 255, 0x7BFE},
        {"alpha 131 at 50", KOR_PIXFMT_RGB16, KOR_BLIT_ALPHA, 50, 0, W, B, 131, 0x001E},
        {"alpha 130 at 50", KOR_PIXFMT_RGB16, KOR_BLIT_ALPHA, 50, 0, W, B, 130, B},
        // The colour through the mask: d x (255 - a) + red x a; a = 128: red 120, blue 123 -> 15.
        {"alpha colour 128", KOR_PIXFMT_RGB16, KOR_BLIT_ALPHA | KOR_BLIT_SOLIDCOLOUR, 100, R, W, B, 128, 0x780F},
    };
    for (const auto& [szWhat, nFormat, nFlags, nParam, nColour, nSource, nDest, nMask, nExpected] : Cases) {
        Korvid.SetPixelFormat(nFormat);
        EXPECT_EQ(ExpectedPixel(nFlags, nColour, nParam, nSource, nDest, nMask), nExpected) << szWhat;
    }
}

// Every source pixel inside the area that lands on the screen, put there by Rule(s, d, n).
template <typename Pixel, typename RuleFunc>
std::vector<Pixel> ModelBlit(std::vector<Pixel> Screen, const Area& A, RuleFunc Rule)
{
    for (int64_t j = std::max(0, A.sy); j < std::min<int64_t>(kHeight, (int64_t)A.sy + A.h); ++j)
        for (int64_t i = std::max(0, A.sx); i < std::min<int64_t>(kWidth, (int64_t)A.sx + A.w); ++i) {
            const int64_t x = i + A.dx - A.sx, y = j + A.dy - A.sy;
            if (x >= 0 && y >= 0 && x < kWidth && y < kHeight)
                Screen[y * kWidth + x] = Rule(Screen[y * kWidth + x], (int)(j * kWidth + i));
        }
    return Screen;
}

class BlitFastPaths : public GfxTest {
protected:
    BlitFastPaths() : GfxTest(kWidth, kHeight) {}
    // Random pixels, one in eight the cookie and as many the back buffer's; masks crowd 3 and 251.
    void MakePictures(std::mt19937& Random)
    {
        ASSERT_EQ(Korvid.InitChunky(kSource, kWidth, kHeight, 16), 1);
        ChunkyObject& Source = *Korvid.ExistingChunky(kSource);
        ASSERT_TRUE(Korvid.CreateAlphaMask(Source));
        std::uniform_int_distribution<int> Pixel(1, 0xFFFF), Kind(0, 15), Byte(0, 255);
        m_Back.resize(kWidth * kHeight);
        for (int n = 0; n < kWidth * kHeight; ++n) {
            m_Back[n] = (uint16_t)Pixel(Random);
            const int nKind = Kind(Random), nEdge = Kind(Random);
            const uint16_t nOther = nKind < 4 ? m_Back[n] : (uint16_t)Pixel(Random);
            Source.Pixels16()[n] = nKind < 2 ? Korvid.CookieColour() : nOther;
            Source.pAlpha[n] = (uint8_t)(nEdge < 3 ? 2 + nEdge : (nEdge < 6 ? 247 + nEdge : Byte(Random)));
        }
    }
    Image Expected(const Area& A, uint16_t nFlags, uint16_t nColour, int16_t nParam) const
    {
        const ChunkyObject& Source = *Korvid.ExistingChunky(kSource);
        return ModelBlit(m_Back, A, [&](uint16_t d, int n) {
            return ExpectedPixel(nFlags, nColour, nParam, Source.Pixels16()[n], d, Source.pAlpha[n]);
        });
    }
    // The back buffer after a blit: BlitArea, or Blit at the area's destination plus the hot spot.
    Image Drawn(const Area& A, uint16_t nFlags, uint16_t nColour, int16_t nParam, bool bBlit = false) const
    {
        uint16_t* pBack = Korvid.ExistingChunky(0)->Pixels16();
        std::copy(m_Back.begin(), m_Back.end(), pBack);
        const ChunkyObject& Source = *Korvid.ExistingChunky(kSource);
        if (bBlit)
            Korvid.Blit(kSource, A.dx + Source.nHotX, A.dy + Source.nHotY, nFlags, nColour, nParam);
        else
            Korvid.BlitArea(kSource, A.sx, A.sy, A.w, A.h, A.dx, A.dy, (uint8_t)nFlags, nColour, nParam);
        return Image(pBack, pBack + kWidth * kHeight);
    }
    Image m_Back;
};

TEST_F(BlitFastPaths, EveryModeParameterFormatAndAreaMatchesThePlainLoop)
{
    // RGB565 and RGB555 run their specialised rows, byte-swapped RGB565 the per-channel ones.
    for (uint8_t nFormat : {KOR_PIXFMT_RGB16, KOR_PIXFMT_RGB15, KOR_PIXFMT_RGB16PC}) {
        Korvid.SetPixelFormat(nFormat);
        std::mt19937 Random(8080u + nFormat);
        MakePictures(Random);
        std::uniform_int_distribution<int> Pixel(1, 0xFFFF);
        long nChanged = 0;
        for (uint16_t nFlags : kFlags)
            for (int16_t nParam : kParams)
                for (const Area& A : kAreas) {
                    const uint16_t nColour = (uint16_t)Pixel(Random);
                    const Image Want = Expected(A, nFlags, nColour, nParam);
                    ASSERT_EQ(Drawn(A, nFlags, nColour, nParam), Want)
                        << "format " << (int)nFormat << " flags " << nFlags << " param " << nParam << " area "
                        << A.sx << "," << A.sy << " " << A.w << "x" << A.h << " at " << A.dx << "," << A.dy;
                    for (size_t n = 0; n < Want.size(); ++n)
                        nChanged += Want[n] != m_Back[n];
                }
        // Most blits must really draw for the comparison to mean anything.
        EXPECT_GT(nChanged, 600000) << (int)nFormat;
    }
    // Random areas and hot spots, wild ones included, in RGB565.
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB16);
    std::mt19937 Random(1354u);
    MakePictures(Random);
    std::uniform_int_distribution<int> Near(-30, 110), Size(-3, 100), Wild(0, 15), Hot(-8, 8);
    const int32_t Extremes[] = {INT_MIN, INT_MIN + 1, -65536, 65535, INT_MAX - 1, INT_MAX};
    const auto Pick = [&](std::uniform_int_distribution<int>& Usual) {
        return Wild(Random) == 0 ? Extremes[Random() % 6] : Usual(Random);
    };
    ChunkyObject& Source = *Korvid.ExistingChunky(kSource);
    for (int n = 0; n < 3000; ++n) {
        const uint16_t nFlags = kFlags[Random() % std::size(kFlags)];
        const int16_t nParam = kParams[Random() % std::size(kParams)];
        const bool bBlit = n % 2;
        Area A{Pick(Near), Pick(Near), Pick(Size), Pick(Size), Pick(Near), Pick(Near)};
        if (bBlit) {
            A = Area{0, 0, kWidth, kHeight, Near(Random), Near(Random)};
            Source.nHotX = (int16_t)Hot(Random);
            Source.nHotY = (int16_t)Hot(Random);
        }
        ASSERT_EQ(Drawn(A, nFlags, 0x1234, nParam, bBlit), Expected(A, nFlags, 0x1234, nParam))
            << (bBlit ? "Blit" : "BlitArea") << "(" << A.sx << ", " << A.sy << ", " << A.w << ", " << A.h << ", "
            << A.dx << ", " << A.dy << ") flags " << nFlags << " param " << nParam;
    }
    Korvid.BlitArea(kSource, 90, 38, 8, 5, 20, 10, KOR_BLIT_COOKIE, 0, 50);
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(),
        {"WARNING: ** BlitArea(c:1, x:90, y:38, *w:8*, h:5, dx:20, dy:10) - Source Area Outside Chunky **",
         "WARNING: ** BlitArea(c:1, x:90, y:38, w:8, *h:5*, dx:20, dy:10) - Source Area Outside Chunky **"}));
    // 8-bit pixels: the translucent modes take the trans table entry of (colour, destination),
    // (source, destination) or (colour, source); only the plain block copy skips the cookie test.
    Korvid.ChangeDisplayMode(kWidth, kHeight, 8, 0);
    Random.seed(31u);
    for (uint32_t n = 0; n < 256; ++n)
        Korvid.SetPaletteEntry(n, Random() % 256, Random() % 256, Random() % 256);
    std::uniform_int_distribution<int> Index(0, 255);
    ASSERT_EQ(Korvid.InitChunky(kSource, kWidth, kHeight, 8), 1);
    uint8_t* pSource = Korvid.ChunkyBuffer(kSource);
    std::vector<uint8_t> Back(kWidth * kHeight);
    const uint8_t nCookie = (uint8_t)Korvid.CookieColour();
    for (int n = 0; n < kWidth * kHeight; ++n) {
        Back[n] = (uint8_t)Index(Random);
        pSource[n] = Index(Random) < 40 ? nCookie : (uint8_t)Index(Random);
    }
    for (uint8_t nFlags : {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x08, 0x09, 0x10, 0x11})
        for (const Area& A : kAreas) {
            const uint8_t c = (uint8_t)Index(Random);
            uint8_t* pBack = Korvid.ChunkyBuffer(0);
            std::copy(Back.begin(), Back.end(), pBack);
            Korvid.BlitArea(kSource, A.sx, A.sy, A.w, A.h, A.dx, A.dy, nFlags, c, 50);
            const uint8_t* T = Korvid.TransTable();
            const std::vector<uint8_t> Want = ModelBlit(Back, A, [&](uint8_t d, int n) {
                const uint8_t s = pSource[n];
                if (nFlags != KOR_BLIT_NOCOOKIE && s == nCookie)
                    return d;
                switch (nFlags & ~KOR_BLIT_NOCOOKIE) {
                case KOR_BLIT_COOKIE: return s;
                case KOR_BLIT_SOLIDCOLOUR: return c;
                case KOR_BLIT_SOLIDTRANS: return T[c * 256 + d];
                case KOR_BLIT_TRANS: return T[s * 256 + d];
                default: return T[c * 256 + s];
                }
            });
            ASSERT_EQ(std::vector<uint8_t>(pBack, pBack + kWidth * kHeight), Want)
                << "flags " << (int)nFlags << " area " << A.sx << "," << A.sy << " " << A.w << "x" << A.h;
        }
}

}  // namespace
