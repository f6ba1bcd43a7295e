// The specialised RGB565 and RGB555 blend rows against the per-channel reference rows:
// seeded random images, every translucent and alpha row, cookie test on and off,
// a spread of parameters and colours; the outputs must agree bit for bit.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gfx/BlitterInternal.h"
#include "korvid.h"
#include "support/TestApp.h"

namespace {

using Image = std::vector<uint16_t>;

constexpr int kWidth = 67;   // odd, so vectorised loops also run their tails
constexpr int kHeight = 23;
constexpr uint16_t kCookie = 0x0841;

// A random picture with some cookie pixels and some pixels equal to the destination,
// so that every pixel condition of every mode is met somewhere.
struct Scene {
    Image Source, Dest;
    std::vector<uint8_t> Mask;
};

Scene MakeScene(std::mt19937& Random)
{
    Scene S;
    std::uniform_int_distribution<int> Pixel(0, 0xFFFF), Byte(0, 255), Pick(0, 9);
    for (int i = 0; i < kWidth * kHeight; ++i) {
        const uint16_t d = (uint16_t)Pixel(Random);
        uint16_t s = (uint16_t)Pixel(Random);
        const int nKind = Pick(Random);
        if (nKind == 0)
            s = kCookie;
        else if (nKind == 1)
            s = d;
        S.Source.push_back(s);
        S.Dest.push_back(d);
        // Mask values cluster around the 3 and 251 thresholds as well as spreading wide.
        const int nEdge = Pick(Random);
        const int nAlpha = nEdge < 2 ? 2 + Pick(Random) % 3 : (nEdge < 4 ? 250 + Pick(Random) % 3 : Byte(Random));
        S.Mask.push_back((uint8_t)nAlpha);
    }
    return S;
}

Image RunRows(KorvidBlendRowFunc pRow, const Scene& S, const KorvidBlendState& State)
{
    Image Dest = S.Dest;
    for (int y = 0; y < kHeight; ++y)
        pRow(&Dest[y * kWidth], &S.Source[y * kWidth], kWidth - y % 3, State, kCookie);
    return Dest;
}

Image RunAlphaRows(KorvidAlphaRowFunc pRow, const Scene& S, int32_t nFade, uint16_t nColour)
{
    Image Dest = S.Dest;
    for (int y = 0; y < kHeight; ++y)
        pRow(&Dest[y * kWidth], &S.Source[y * kWidth], &S.Mask[y * kWidth], kWidth - y % 3, nFade, nColour);
    return Dest;
}

struct RowSlot {
    const char* szName;
    KorvidBlendRowFunc KorvidBlendRows::*pSlot;
};

const RowSlot kBlendSlots[] = {
    {"Trans", &KorvidBlendRows::pTrans},
    {"TransNoCookie", &KorvidBlendRows::pTransNoCookie},
    {"Tint", &KorvidBlendRows::pTint},
    {"TintNoCookie", &KorvidBlendRows::pTintNoCookie},
    {"SolidTrans", &KorvidBlendRows::pSolidTrans},
    {"SolidTransNoCookie", &KorvidBlendRows::pSolidTransNoCookie},
};

const int16_t kParams[] = {2, 7, 25, 33, 47, 48, 50, 52, 53, 66, 75, 90, 98};

struct FormatCase {
    uint8_t nFormat;
    uint8_t nFamily;
};

class BlitRows : public ::testing::TestWithParam<FormatCase> {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.StartLog();
        Korvid.SetPixelFormat(GetParam().nFormat);
        ASSERT_EQ(Korvid.PixelFormat().nFamily, GetParam().nFamily);
    }
};

TEST_P(BlitRows, SpecialisedBlendRowsMatchTheReferenceForEveryModeAndParameter)
{
    const KorvidBlendRows Fast = KorvidBlitter::RowsForFamily(GetParam().nFamily);
    const KorvidBlendRows Reference = KorvidBlitter::GenericRows(GetParam().nFamily);
    std::mt19937 Random(20261206u + GetParam().nFamily);
    std::uniform_int_distribution<int> Pixel(0, 0xFFFF);
    int nChangedPixels = 0;
    for (int16_t nParam : kParams) {
        for (int nColourCase = 0; nColourCase < 3; ++nColourCase) {
            const uint16_t nColour = nColourCase == 0 ? 0xFFFF : (uint16_t)Pixel(Random);
            const Scene S = MakeScene(Random);
            Korvid.PrepareBlend(nColour, nParam);
            const KorvidBlendState State = Korvid.BlendState();
            for (const RowSlot& Slot : kBlendSlots) {
                ASSERT_NE(Fast.*Slot.pSlot, Reference.*Slot.pSlot) << Slot.szName;
                const Image Expected = RunRows(Reference.*Slot.pSlot, S, State);
                const Image Actual = RunRows(Fast.*Slot.pSlot, S, State);
                ASSERT_EQ(Actual, Expected) << Slot.szName << " param " << nParam << " colour " << nColour;
                for (size_t i = 0; i < Actual.size(); ++i)
                    nChangedPixels += Actual[i] != S.Dest[i];
            }
        }
    }
    // The comparison means something only if the rows really drew.
    EXPECT_GT(nChangedPixels, 100000);
}

TEST_P(BlitRows, SpecialisedAlphaRowsMatchTheReferenceForEveryFade)
{
    const KorvidBlendRows Fast = KorvidBlitter::RowsForFamily(GetParam().nFamily);
    const KorvidBlendRows Reference = KorvidBlitter::GenericRows(GetParam().nFamily);
    std::mt19937 Random(77u + GetParam().nFamily);
    std::uniform_int_distribution<int> Pixel(0, 0xFFFF);
    for (int16_t nParam : {100, 99, 90, 50, 20, 1}) {
        const int32_t nFade = KorvidBlitter::FadeFromParam(nParam);
        const Scene S = MakeScene(Random);
        const uint16_t nColour = (uint16_t)Pixel(Random);
        ASSERT_EQ(RunAlphaRows(Fast.pAlphaImage, S, nFade, nColour),
                  RunAlphaRows(Reference.pAlphaImage, S, nFade, nColour))
            << "image, param " << nParam;
        ASSERT_EQ(RunAlphaRows(Fast.pAlphaColour, S, nFade, nColour),
                  RunAlphaRows(Reference.pAlphaColour, S, nFade, nColour))
            << "colour, param " << nParam;
    }
}

INSTANTIATE_TEST_SUITE_P(Families, BlitRows,
                         ::testing::Values(FormatCase{KOR_PIXFMT_RGB16, KOR_CONVERT_RGB565},
                                           FormatCase{KOR_PIXFMT_RGB15, KOR_CONVERT_RGB555}),
                         [](const ::testing::TestParamInfo<FormatCase>& Info) {
                             return Info.param.nFamily == KOR_CONVERT_RGB565 ? std::string("RGB565")
                                                                             : std::string("RGB555");
                         });

// The byte-swapped formats run the reference rows on their own converters: a scene
// stored high byte first must give the byte-swapped RGB565 result.
TEST(BlitRowsSwapped, SwappedRowsGiveTheSwappedResultOfTheRGB565Rows)
{
    EnterScratchDirectory();
    Korvid.StartLog();
    std::mt19937 Random(4242u);
    const auto Swap = [](Image Pixels) {
        for (uint16_t& p : Pixels)
            p = KorvidConvert::SwapBytes(p);
        return Pixels;
    };
    for (int16_t nParam : {2, 25, 50, 75, 98}) {
        const Scene S = MakeScene(Random);
        const uint16_t nColour = 0x6B4D;
        Korvid.SetPixelFormat(KOR_PIXFMT_RGB16);
        Korvid.PrepareBlend(nColour, nParam);
        KorvidBlendState Plain = Korvid.BlendState();
        Plain.bHalf = 0;   // the swapped formats have no half mask, so no 50 % shortcut
        Korvid.SetPixelFormat(KOR_PIXFMT_RGB16PC);
        Korvid.PrepareBlend(KorvidConvert::SwapBytes(nColour), nParam);
        const KorvidBlendState Swapped = Korvid.BlendState();
        ASSERT_EQ(Swapped.bHalf, 0);
        const KorvidBlendRows& Installed = Korvid.BlendRows();

        Scene SwappedScene = S;
        SwappedScene.Source = Swap(S.Source);
        SwappedScene.Dest = Swap(S.Dest);
        const KorvidBlendRows Specialised = KorvidBlitter::RowsForFamily(KOR_CONVERT_RGB565);
        for (const RowSlot& Slot : kBlendSlots) {
            // The cookie is compared as stored, so the swapped scene uses the swapped cookie.
            Image Expected = S.Dest;
            Image Actual = SwappedScene.Dest;
            for (int y = 0; y < kHeight; ++y) {
                (Specialised.*Slot.pSlot)(&Expected[y * kWidth], &S.Source[y * kWidth], kWidth, Plain, kCookie);
                (Installed.*Slot.pSlot)(&Actual[y * kWidth], &SwappedScene.Source[y * kWidth], kWidth, Swapped,
                                        KorvidConvert::SwapBytes(kCookie));
            }
            ASSERT_EQ(Swap(Actual), Expected) << Slot.szName << " param " << nParam;
        }
    }
}

}  // namespace
