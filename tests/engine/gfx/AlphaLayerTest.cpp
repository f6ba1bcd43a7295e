// The translucent layer against a plain per-pixel model of it and against the alpha
// blits it stands for: seeded pictures with masks crowding the thresholds, areas that
// leave vector tails, a reused layer and positions past every edge.
#include <random>

#include "GfxTestSupport.h"
#include "gfx/AlphaLayer.h"

namespace {

constexpr int kWidth = 90, kHeight = 30;
constexpr uint32_t kSource = 1;
using Image = std::vector<uint16_t>;

struct Laid {
    int32_t sx, sy, w, h, x, y;
};
// Overlapping areas, one past the layer's edges and one partly outside its chunky.
const Laid kAreas[] = {{0, 0, 40, 20, 5, 3}, {10, 4, 33, 17, 20, 8}, {2, 1, 17, 25, -6, -4}, {70, 20, 30, 9, 75, 24}};

class AlphaLayer : public GfxTest {
protected:
    AlphaLayer() : GfxTest(kWidth, kHeight) {}
    void MakePicture(std::mt19937& Random)
    {
        ASSERT_EQ(Korvid.InitChunky(kSource, kWidth, kHeight, 16), 1);
        ChunkyObject& Source = *Korvid.ExistingChunky(kSource);
        ASSERT_TRUE(Korvid.CreateAlphaMask(Source));
        // RGB555 pixels leave their top bit clear, as everything drawn in that format does.
        const int nTop = Korvid.PixelFormat().nFamily == KOR_CONVERT_RGB565 ? 0xFFFF : 0x7FFF;
        std::uniform_int_distribution<int> Pixel(0, nTop), Kind(0, 9), Byte(0, 255);
        for (int n = 0; n < kWidth * kHeight; ++n) {
            Source.Pixels16()[n] = (uint16_t)Pixel(Random);
            const int nKind = Kind(Random);
            Source.pAlpha[n] = (uint8_t)(nKind < 2 ? 2 + nKind : (nKind < 4 ? 250 + nKind : Byte(Random)));
        }
        m_Back.resize(kWidth * kHeight);
        for (uint16_t& d : m_Back)
            d = (uint16_t)Pixel(Random);
    }
    uint16_t* Back() const
    {
        uint16_t* pBack = Korvid.ExistingChunky(0)->Pixels16();
        std::copy(m_Back.begin(), m_Back.end(), pBack);
        return pBack;
    }
    Image ThroughLayer(KorvidAlphaLayer& Layer, size_t nAreas, int32_t x, int32_t y) const
    {
        Layer.Reset(kWidth, kHeight);
        for (size_t n = 0; n < nAreas; ++n)
            Layer.AddArea(kSource, kAreas[n].sx, kAreas[n].sy, kAreas[n].w, kAreas[n].h, kAreas[n].x, kAreas[n].y);
        uint16_t* pBack = Back();
        Layer.Draw(x, y);
        return Image(pBack, pBack + kWidth * kHeight);
    }
    Image Blitted(size_t nAreas, int32_t x, int32_t y) const
    {
        uint16_t* pBack = Back();
        for (size_t n = 0; n < nAreas; ++n) {
            const Laid& A = kAreas[n];
            // Clipped to the layer first, as the layer clips what is laid into it.
            const int32_t nLeft = std::max({A.sx, A.sx - A.x}), nTop = std::max({A.sy, A.sy - A.y});
            const int32_t nRight = std::min(A.sx + A.w, A.sx - A.x + kWidth);
            const int32_t nBottom = std::min(A.sy + A.h, A.sy - A.y + kHeight);
            Korvid.BlitArea(kSource, nLeft, nTop, nRight - nLeft, nBottom - nTop, x + A.x - A.sx + nLeft,
                            y + A.y - A.sy + nTop, KOR_BLIT_ALPHA, 0, KOR_ALPHA_FULL);
        }
        return Image(pBack, pBack + kWidth * kHeight);
    }
    // The layer the plain way: T and C per pixel, one area after another.
    Image Modelled(size_t nAreas, int32_t x, int32_t y) const
    {
        const bool b565 = Korvid.PixelFormat().nFamily == KOR_CONVERT_RGB565;
        const int nShifts[3] = {b565 ? 11 : 10, 5, 0}, nMasks[3] = {0x1F, b565 ? 0x3F : 0x1F, 0x1F};
        std::vector<std::array<int, 4>> Layer(kWidth * kHeight, {256, 0, 0, 0});
        const ChunkyObject& Source = *Korvid.ExistingChunky(kSource);
        for (size_t n = 0; n < nAreas; ++n)
            for (int j = 0; j < kAreas[n].h; ++j)
                for (int i = 0; i < kAreas[n].w; ++i) {
                    const int sx = kAreas[n].sx + i, sy = kAreas[n].sy + j, lx = kAreas[n].x + i, ly = kAreas[n].y + j;
                    if (sx >= kWidth || sy >= kHeight || lx < 0 || ly < 0 || lx >= kWidth || ly >= kHeight)
                        continue;
                    const int a = Source.pAlpha[sy * kWidth + sx], t = 255 - a, s = Source.Pixels16()[sy * kWidth + sx];
                    std::array<int, 4>& L = Layer[ly * kWidth + lx];
                    if (a <= 3)
                        continue;
                    L[0] = a > 251 ? 0 : (L[0] * t + 128) / 256;
                    for (int c = 0; c < 3; ++c) {
                        const int f = (s >> nShifts[c]) & nMasks[c];
                        L[c + 1] = a > 251 ? f * 256 : std::max(0, L[c + 1] * t / 256 - t / 2) + f * a;
                    }
                }
        Image Want = m_Back;
        for (int j = 0; j < kHeight; ++j)
            for (int i = 0; i < kWidth; ++i) {
                if (i + x < 0 || j + y < 0 || i + x >= kWidth || j + y >= kHeight)
                    continue;
                uint16_t& d = Want[(j + y) * kWidth + i + x];
                const std::array<int, 4>& L = Layer[j * kWidth + i];
                uint16_t nOut = 0;
                for (int c = 0; c < 3; ++c)
                    nOut |= (uint16_t)(((((d >> nShifts[c]) & nMasks[c]) * L[0] + L[c + 1]) >> 8) << nShifts[c]);
                d = nOut;
            }
        return Want;
    }
    Image m_Back;
};

TEST_F(AlphaLayer, MatchesItsPlainModelAndComesWithinAStepOfTheBlitsItStandsFor)
{
    KorvidAlphaLayer Layer;
    const std::pair<int32_t, int32_t> Offsets[] = {{0, 0}, {-7, 2}, {13, -5}, {-200, 0}};
    for (uint8_t nFormat : {KOR_PIXFMT_RGB16, KOR_PIXFMT_RGB15}) {
        Korvid.SetPixelFormat(nFormat);
        std::mt19937 Random(4242u + nFormat);
        MakePicture(Random);
        for (size_t nAreas = 1; nAreas <= std::size(kAreas); ++nAreas)
            for (auto [x, y] : Offsets) {
                SCOPED_TRACE(testing::Message() << "format " << (int)nFormat << ", " << nAreas << " areas at " << x
                                                << "," << y);
                const Image Drawn = ThroughLayer(Layer, nAreas, x, y);
                ASSERT_TRUE(Layer.Current());
                ASSERT_EQ(Drawn, Modelled(nAreas, x, y));
                // One area: the blit's very pixels, but where the picture equals what lies below.
                const Image Want = Blitted(nAreas, x, y);
                int nWorst = 0, nDiffer = 0;
                for (size_t n = 0; n < Want.size(); ++n) {
                    const KorvidRGB a = Korvid.Unpack(Drawn[n]), b = Korvid.Unpack(Want[n]);
                    const int nStep = nFormat == KOR_PIXFMT_RGB16 ? 4 : 8;   // green's step; red and blue take 8
                    nWorst = std::max({nWorst, std::abs(a.r - b.r) / 8, std::abs(a.g - b.g) / nStep,
                                       std::abs(a.b - b.b) / 8});
                    nDiffer += Drawn[n] != Want[n];
                }
                EXPECT_LE(nWorst, 1);
                EXPECT_TRUE(nAreas > 1 || nDiffer == 0) << nDiffer;
            }
    }
    // Formats without a composite blit what was laid, one area after another.
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB16PC);
    EXPECT_FALSE(Layer.Current());
    std::mt19937 Random(77u);
    MakePicture(Random);
    EXPECT_EQ(ThroughLayer(Layer, std::size(kAreas), 3, -2), Blitted(std::size(kAreas), 3, -2));
}

}  // namespace
