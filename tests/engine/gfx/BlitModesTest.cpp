// Blit modes through the public Blit call, each result worked out by hand from the
// blend formulas (these anchor the reference model of BlitFastPathsTest), alpha masks
// with their fade, the odd cases of Blit itself, and the 8-bit depth's trans table.
#include "GfxTestSupport.h"

namespace {

constexpr uint16_t kWhite = 0xFFFF, kRed = 0xF800, kGreen = 0x07E0, kBlue = 0x001F;

class BlitModes : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(32, 16, 16);
        ASSERT_EQ(Korvid.CookieColour(), 0);
    }
    // Blits a 1 x 1 chunky holding nSource onto a back buffer pixel holding nDest; what that pixel became.
    static uint16_t BlitOnePixel(uint16_t nSource, uint16_t nDest, uint16_t nFlags, uint16_t nColour, int16_t nParam)
    {
        EXPECT_EQ(Korvid.InitChunky(1, 1, 1, 16), 1);
        Korvid.ExistingChunky(1)->Pixels16()[0] = nSource;
        Korvid.ClearChunky(0, nDest);
        Korvid.Blit(1, 5, 3, nFlags, nColour, nParam);
        EXPECT_EQ(Pixel16(0, 4, 3), nDest) << "the pixel beside the blit must stay";
        return Pixel16(0, 5, 3);
    }
    // A row of white with the given mask bytes, blitted over blue; the row drawn.
    static std::vector<uint16_t> BlitMasked(const std::vector<uint8_t>& Mask, uint16_t nFlags, uint16_t nColour,
                                            int16_t nParam)
    {
        const int nWidth = (int)Mask.size();
        EXPECT_EQ(Korvid.InitChunky(1, (uint16_t)nWidth, 1, 16), 1);
        ChunkyObject& Chunky = *Korvid.ExistingChunky(1);
        EXPECT_EQ(Korvid.CreateAlphaMask(Chunky), 1);
        for (int i = 0; i < nWidth; ++i) {
            Chunky.Pixels16()[i] = kWhite;
            Chunky.pAlpha[i] = Mask[i];
        }
        Korvid.ClearChunky(0, kBlue);
        Korvid.Blit(1, 0, 0, nFlags, nColour, nParam);
        const uint16_t* pRow = Korvid.ExistingChunky(0)->Pixels16();
        return std::vector<uint16_t>(pRow, pRow + nWidth);
    }
};

TEST_F(BlitModes, WeightedSumsHalvesAndThresholdsMatchHandComputedPixels)
{
    struct Case {
        const char* szWhat;
        uint8_t nFormat;
        uint16_t nFlags;
        int16_t nParam;
        uint16_t nColour, nSource, nDest, nExpected;
    };
    const Case Cases[] = {
        // a = truncate(25 x 2.55) = 63: (248 x 192) >> 8 = 186 -> 184, (252 x 192) >> 8 = 189 -> 188.
        {"trans 25", KOR_PIXFMT_RGB16, KOR_BLIT_TRANS, 25, 0, kWhite, 0x0000, 0xBDF7},
        // d x 63 + red x 192: red 186 -> 184, blue (248 x 63) >> 8 = 61 -> 7.
        {"solid trans 25", KOR_PIXFMT_RGB16, KOR_BLIT_SOLIDTRANS, 25, kRed, kGreen, kBlue, 0xB807},
        // a = 191 is the source's weight: green (252 x 191) >> 8 = 188, blue (248 x 64) >> 8 = 62 -> 7.
        {"tint 75", KOR_PIXFMT_RGB16, KOR_BLIT_TINT, 75, kBlue, kGreen, kWhite, 0x05E7},
        // 48..52 per cent: ((x >> 1) & 0x7BEF) + ((y >> 1) & 0x7BEF); Blit's param -1 stands for 50.
        {"trans 50 halves", KOR_PIXFMT_RGB16, KOR_BLIT_TRANS, 50, 0, 0x8410, 0x4208, 0x630C},
        {"trans default param", KOR_PIXFMT_RGB16, KOR_BLIT_TRANS, -1, 0, kWhite, 0x0000, 0x7BEF},
        // Below 2 the opaque neighbour, above 98 nothing (a tint: the colour).
        {"trans 1 copies", KOR_PIXFMT_RGB16, KOR_BLIT_TRANS, 1, 0, 0x1234, 0x5678, 0x1234},
        {"trans 99 draws nothing", KOR_PIXFMT_RGB16, KOR_BLIT_TRANS, 99, 0, 0x1234, 0x5678, 0x5678},
        {"solid trans 1 is a silhouette", KOR_PIXFMT_RGB16, KOR_BLIT_SOLIDTRANS, 1, kRed, 0x1234, 0x5678, kRed},
        {"tint 99 is the colour", KOR_PIXFMT_RGB16, KOR_BLIT_TINT, 99, kRed, 0x1234, 0x5678, kRed},
        {"cookie skipped", KOR_PIXFMT_RGB16, KOR_BLIT_TINT, 25, kRed, 0x0000, 0x5678, 0x5678},
        {"no-cookie silhouette", KOR_PIXFMT_RGB16, KOR_BLIT_SOLIDCOLOUR | KOR_BLIT_NOCOOKIE, 50, kRed, 0, 1, kRed},
        {"mode 6 draws nothing", KOR_PIXFMT_RGB16, 6, 50, kRed, 0x1234, 0x5678, 0x5678},
        // RGB555: 186 -> 184 in each five-bit channel; the half mask is 0x3DEF.
        {"555 trans 25", KOR_PIXFMT_RGB15, KOR_BLIT_TRANS, 25, 0, 0x7FFF, 0x0000, 0x5EF7},
        {"555 trans 50 halves", KOR_PIXFMT_RGB15, KOR_BLIT_TRANS, 50, 0, 0x7FFF, 0x0000, 0x3DEF},
        // Byte-swapped RGB565 has no half mask: 50 % is a = 127, (248 x 128) >> 8 = 124 -> 120,
        // (252 x 128) >> 8 = 126 -> 124: 0x7BEF, stored swapped.
        {"565 swapped trans 50", KOR_PIXFMT_RGB16PC, KOR_BLIT_TRANS, 50, 0, 0xFFFF, 0x0000, 0xEF7B},
    };
    for (const Case& C : Cases) {
        Korvid.SetPixelFormat(C.nFormat);
        EXPECT_EQ(BlitOnePixel(C.nSource, C.nDest, C.nFlags, C.nColour, C.nParam), C.nExpected) << C.szWhat;
    }
}

TEST_F(BlitModes, AlphaMasksCopyBlendOrLeaveByThresholdsAfterTheFade)
{
    struct Case {
        std::vector<uint8_t> Mask;
        uint16_t nFlags, nColour;
        int16_t nParam;
        std::vector<uint16_t> Expected;
    };
    const Case Cases[] = {
        // Mask 252+ copies; 4..251 mixes s x a + d x (255 - a); 0..3 leaves the destination.
        // a = 251: red (248 x 251) >> 8 = 243 -> 240, blue (248 x 255) >> 8 = 247 -> 30.
        {{255, 252, 251, 4, 3, 0}, KOR_BLIT_ALPHA, 0, 100, {kWhite, kWhite, 0xF7BE, 0x001E, kBlue, kBlue}},
        // Param -1 is full opacity for an alpha blit.
        {{252, 251}, KOR_BLIT_ALPHA, 0, -1, {kWhite, 0xF7BE}},
        // Param 50: fade 127, so mask 255 mixes at a = 128, 131 (a = 4) still mixes and 130 is left.
        {{255, 131, 130}, KOR_BLIT_ALPHA, 0, 50, {0x7BFE, 0x001E, kBlue}},
        // The colour through the mask: d x (255 - a) + red x a; a = 128: red 120, blue 123 -> 15.
        {{255, 128, 2}, KOR_BLIT_ALPHA | KOR_BLIT_SOLIDCOLOUR, kRed, 100, {kRed, 0x780F, kBlue}},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(BlitMasked(C.Mask, C.nFlags, C.nColour, C.nParam), C.Expected) << C.Mask.size() << " " << C.nParam;
}

TEST_F(BlitModes, AMissingMaskDrawsPlainlyAndSaysSoOnlyWhenVerbose)
{
    ASSERT_EQ(Korvid.InitChunky(1, 1, 1, 16), 1);
    Korvid.ClearChunky(1, 0x1234);
    Korvid.Blit(1, 0, 0, KOR_BLIT_ALPHA, 0, 50);
    EXPECT_FALSE(Logged("WARNING: Blit() Chunky 1 has no Alpha Mask **"));
    Korvid.SetTraceMask(KOR_TRACE_VERBOSE);
    Korvid.Blit(1, 1, 0, KOR_BLIT_ALPHA, 0, 50);
    Korvid.BlitArea(1, 0, 0, 1, 1, 2, 0, KOR_BLIT_ALPHA, 0, 100);
    EXPECT_EQ(Pixel16(0, 0, 0), 0x1234);
    EXPECT_EQ(Pixel16(0, 1, 0), 0x1234);
    EXPECT_EQ(Pixel16(0, 2, 0), 0x1234);
    EXPECT_TRUE(Logged("WARNING: Blit() Chunky 1 has no Alpha Mask **"));
}

TEST_F(BlitModes, UnknownModesAboveTintAreReported)
{
    EXPECT_EQ(BlitOnePixel(0x1234, 0x5678, 0x20, 0, 50), 0x5678);
    EXPECT_EQ(BlitOnePixel(0x1234, 0x5678, 0x81, 0, 50), 0x5678);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Blit Mode 32 Unsatisfied", "Blit Mode 128 Unsatisfied"}));
}

TEST_F(BlitModes, CookieFreeChunkiesTintsAndSelfBlitsKeepTheirPixels)
{
    // A chunky marked cookie-free skips the test: its (stale) cookie pixel is copied.
    MakeChunky<uint16_t>(1, 2, 1, {0x0000, 0x1234});
    Korvid.ClearChunky(0, 0x5678);
    Korvid.Blit(1, 0, 0, KOR_BLIT_COOKIE, 0, 50);
    EXPECT_EQ(Pixel16(0, 0, 0), 0x5678);
    Korvid.ExistingChunky(1)->bHasCookie = 0;
    Korvid.Blit(1, 0, 1, KOR_BLIT_COOKIE, 0, 50);
    EXPECT_EQ(Pixel16(0, 0, 1), 0x0000);

    // A tint 75 % toward black is a solid-trans blit of the chunky into itself: white x 63 >> 8.
    MakeChunky<uint16_t>(2, 3, 1, {kWhite, 0, kWhite});
    Korvid.ChunkyTint(2, 0x0000, 75);
    EXPECT_EQ(Pixel16(2, 0, 0), 0x39E7);
    EXPECT_EQ(Pixel16(2, 1, 0), 0x0000);
    EXPECT_EQ(Korvid.GetUsedChunky(), 0u);

    // Blitted onto itself a chunky reads its original pixels.
    MakeChunky<uint16_t>(3, 4, 1, {1, 2, 3, 4});
    Korvid.UseChunky(3);
    Korvid.Blit(3, 1, 0, KOR_BLIT_COOKIE, 0, 50);
    const uint16_t* pPixels = Korvid.ExistingChunky(3)->Pixels16();
    EXPECT_EQ(std::vector<uint16_t>(pPixels, pPixels + 4), (std::vector<uint16_t>{1, 1, 2, 3}));
}

TEST_F(BlitModes, MissingChunkiesAndOtherDepthsAreRefused)
{
    ASSERT_EQ(Korvid.InitChunky(1, 8, 8, 8), 1);
    memset(Korvid.ChunkyBuffer(1), 7, 64);
    Korvid.ClearChunky(0, 0x5678);
    Korvid.Blit(1, 0, 0, KOR_BLIT_NOCOOKIE, 0, 50);
    Korvid.BlitArea(1, 0, 0, 8, 8, 0, 0, KOR_BLIT_NOCOOKIE, 0, 50);
    Korvid.Blit(7, 0, 0, 0, 0, -1);
    Korvid.BlitArea(9999, 0, 0, 4, 4, 0, 0, 0, 0, 50);
    EXPECT_EQ(CountDrawn(0x5678), 0);
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"ERROR: ** Blit() From 1 to 0 - Chunky Depth does not match the Display Depth 16 **",
                        "ERROR: ** BlitArea() From 1 to 0 - Chunky Depth does not match the Display Depth 16 **",
                        "ERROR: Blit() From 7 to 0 ** Source Chunky does not exist **",
                        "ERROR: BlitArea() From 9999 to 0 ** Source Chunky does not exist **"}));
}

TEST_F(BlitModes, EachBlitAndEachModeRunInTheirProfilerSections)
{
    ASSERT_EQ(Korvid.InitChunky(1, 2, 2, 16), 1);
    Korvid.ClearChunky(1, 0x1234);
    Korvid.SetProfiling(true);
    for (int n = 0; n < 50; ++n) {
        Korvid.Blit(1, 0, 0, KOR_BLIT_TRANS, 0, 30);
        Korvid.BlitArea(1, 0, 0, 2, 2, 4, 4, KOR_BLIT_SOLIDCOLOUR, 0, 50);
    }
    Korvid.ProfileReport();
    const auto CallsOf = [](const std::string& Section) {
        for (const std::string& Line : LogMessages())
            if (Line.find("> " + Section + " ") != std::string::npos)
                return std::stoi(Line.substr(Line.find("%) ") + 3));
        return 0;
    };
    for (const char* szSection : {"KorvidGFX::Blit()", "KorvidGFX::BlitArea()", "KOR_BLIT_TRANS", "KOR_BLIT_SOLIDCOLOUR"})
        EXPECT_EQ(CallsOf(szSection), 50) << szSection;
}

using BlitModes8 = GfxTest;

TEST_F(BlitModes8, TranslucentModesLookUpTheTransTableAndAlphaDrawsNothing)
{
    OpenDisplay(32, 16, 8);
    // Red, blue and green, and the mixes halfway between two of them.
    Korvid.SetPaletteEntry(1, 200, 0, 0);
    Korvid.SetPaletteEntry(2, 0, 0, 200);
    Korvid.SetPaletteEntry(3, 0, 200, 0);
    Korvid.SetPaletteEntry(10, 100, 0, 100);
    Korvid.SetPaletteEntry(11, 100, 100, 0);
    Korvid.SetPaletteEntry(12, 0, 100, 100);
    for (uint32_t n = 13; n < 256; ++n)
        Korvid.SetPaletteEntry(n, 255, 255, 255);
    struct Case {
        const char* szWhat;
        uint16_t nFlags;
        int16_t nParam;
        uint8_t nColour, nSource, nExpected;
    };
    const Case Cases[] = {
        {"trans red over blue", KOR_BLIT_TRANS, 50, 0, 1, 10},
        {"trans ignores the parameter", KOR_BLIT_TRANS, 100, 0, 1, 10},
        {"solid trans green over blue", KOR_BLIT_SOLIDTRANS, 50, 3, 1, 12},
        {"tint red with green", KOR_BLIT_TINT, 50, 3, 1, 11},
        {"silhouette", KOR_BLIT_SOLIDCOLOUR, 50, 3, 1, 3},
        {"cookie is skipped", KOR_BLIT_TRANS, 50, 0, 0, 2},
        {"cookie is skipped even without the test", KOR_BLIT_SOLIDCOLOUR | KOR_BLIT_NOCOOKIE, 50, 3, 0, 2},
        {"block copy takes the cookie", KOR_BLIT_NOCOOKIE, 50, 3, 0, 0},
        {"a large mode draws nothing", 0x20, 50, 3, 1, 2},
    };
    ASSERT_EQ(Korvid.InitChunky(1, 1, 1, 8), 1);
    for (const Case& C : Cases) {
        Korvid.ChunkyBuffer(1)[0] = C.nSource;
        Korvid.ClearChunky(0, 2);
        Korvid.Blit(1, 2, 2, C.nFlags, C.nColour, C.nParam);
        EXPECT_EQ(Pixel8(0, 2, 2), C.nExpected) << C.szWhat;
        EXPECT_EQ(Pixel8(0, 1, 2), 2) << C.szWhat;
    }
    // Alpha blits draw nothing in 8-bit depth, mask or not.
    ASSERT_EQ(Korvid.CreateAlphaMask(*Korvid.ExistingChunky(1)), 1);
    Korvid.ExistingChunky(1)->pAlpha[0] = 255;
    Korvid.Blit(1, 2, 2, KOR_BLIT_ALPHA | KOR_BLIT_SOLIDCOLOUR, 3, 100);
    Korvid.Blit(1, 2, 2, KOR_BLIT_ALPHA, 3, 100);
    EXPECT_EQ(Pixel8(0, 2, 2), 2);
}

}  // namespace
