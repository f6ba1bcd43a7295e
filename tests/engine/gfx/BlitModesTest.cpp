// Blit modes through the public Blit call, each result worked out by hand from the
// blend formulas: RGB565 and RGB555 weighted sums, the 50 % shift-and-mask path,
// the 2 / 98 per cent thresholds, alpha masks with their fade, and the 8-bit depth
// through the trans table.
#include "GfxTestSupport.h"

namespace {

constexpr uint16_t kWhite565 = 0xFFFF, kRed565 = 0xF800, kGreen565 = 0x07E0, kBlue565 = 0x001F;

class BlitModes : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(32, 16, 16);
        ASSERT_EQ(Korvid.PixelFormat().nId, KOR_PIXFMT_RGB16);
        ASSERT_EQ(Korvid.CookieColour(), 0);
    }
    // Blits a 1 x 1 chunky holding nSource onto a back buffer pixel holding nDest and
    // returns what the back buffer pixel became.
    static uint16_t BlitOnePixel(uint16_t nSource, uint16_t nDest, uint16_t nFlags, uint16_t nColour, int16_t nParam)
    {
        EXPECT_EQ(Korvid.InitChunky(1, 1, 1, 16), 1);
        Korvid.ExistingChunky(1)->Pixels16()[0] = nSource;
        Korvid.ClearChunky(0, nDest);
        Korvid.Blit(1, 5, 3, nFlags, nColour, nParam);
        EXPECT_EQ(Pixel16(0, 4, 3), nDest) << "the pixel beside the blit must stay";
        return Pixel16(0, 5, 3);
    }
};

struct OnePixelCase {
    const char* szWhat;
    uint16_t nFlags;
    int16_t nParam;
    uint16_t nColour, nSource, nDest, nExpected;
};

TEST_F(BlitModes, RGB565WeightedSumsMatchHandComputedPixels)
{
    const OnePixelCase Cases[] = {
        // a = truncate(25 x 2.55) = 63: (248 x 192) >> 8 = 186, (252 x 192) >> 8 = 189.
        {"trans 25 white over black", KOR_BLIT_TRANS, 25, 0, kWhite565, 0x0000, 0xBDF7},
        // a = truncate(47 x 2.55) = 119: (248 x 136) >> 8 = 131 -> 128, (252 x 136) >> 8 = 133 -> 132.
        {"trans 47 white over black", KOR_BLIT_TRANS, 47, 0, kWhite565, 0x0000, 0x8430},
        // The source equal to the destination is left alone (a weighted sum would darken it).
        {"trans where source = destination", KOR_BLIT_TRANS, 25, 0, kWhite565, kWhite565, kWhite565},
        // d x 63 + red x 192: red (248 x 192) >> 8 = 186 -> 184, blue (248 x 63) >> 8 = 61 -> 7.
        {"solid trans 25 red over blue", KOR_BLIT_SOLIDTRANS, 25, kRed565, kGreen565, kBlue565, 0xB807},
        // a = 191 is the source's weight: green (252 x 191) >> 8 = 188, blue (248 x 64) >> 8 = 62 -> 7.
        {"tint 75 green with blue", KOR_BLIT_TINT, 75, kBlue565, kGreen565, kWhite565, 0x05E7},
        // 48..52 per cent: ((x >> 1) & 0x7BEF) + ((y >> 1) & 0x7BEF).
        {"trans 50 halves", KOR_BLIT_TRANS, 50, 0, 0x8410, 0x4208, 0x630C},
        {"trans 48 halves", KOR_BLIT_TRANS, 48, 0, kWhite565, 0x0000, 0x7BEF},
        {"solid trans 52 halves", KOR_BLIT_SOLIDTRANS, 52, kWhite565, kGreen565, 0x0000, 0x7BEF},
        {"tint 50 halves", KOR_BLIT_TINT, 50, 0x4208, 0x8410, kWhite565, 0x630C},
        // The thresholds: below 2 the opaque neighbour, above 98 nothing (a tint: the colour).
        {"trans 1 copies", KOR_BLIT_TRANS, 1, 0, 0x1234, 0x5678, 0x1234},
        {"trans 99 draws nothing", KOR_BLIT_TRANS, 99, 0, 0x1234, 0x5678, 0x5678},
        {"solid trans 1 is a silhouette", KOR_BLIT_SOLIDTRANS, 1, kRed565, 0x1234, 0x5678, kRed565},
        {"solid trans 99 draws nothing", KOR_BLIT_SOLIDTRANS, 99, kRed565, 0x1234, 0x5678, 0x5678},
        {"tint 1 is the image", KOR_BLIT_TINT, 1, kRed565, 0x1234, 0x5678, 0x1234},
        {"tint 99 is the colour", KOR_BLIT_TINT, 99, kRed565, 0x1234, 0x5678, kRed565},
        // Param -1 stands for 50 in Blit: the halving path.
        {"trans default param", KOR_BLIT_TRANS, -1, 0, kWhite565, 0x0000, 0x7BEF},
        {"solid colour", KOR_BLIT_SOLIDCOLOUR, 50, kRed565, 0x1234, 0x5678, kRed565},
        {"plain copy", KOR_BLIT_COOKIE, 50, kRed565, 0x1234, 0x5678, 0x1234},
        // Cookie source pixels are skipped by every mode that tests them...
        {"cookie copy skips", KOR_BLIT_COOKIE, 50, 0, 0x0000, 0x5678, 0x5678},
        {"cookie silhouette skips", KOR_BLIT_SOLIDCOLOUR, 50, kRed565, 0x0000, 0x5678, 0x5678},
        {"cookie trans skips", KOR_BLIT_TRANS, 25, 0, 0x0000, kWhite565, kWhite565},
        {"cookie tint skips", KOR_BLIT_TINT, 25, kRed565, 0x0000, 0x5678, 0x5678},
        {"cookie solid trans skips", KOR_BLIT_SOLIDTRANS, 25, kRed565, 0x0000, 0x5678, 0x5678},
        // ...and drawn when bit 0 switches the test off.
        {"no-cookie copy", KOR_BLIT_NOCOOKIE, 50, 0, 0x0000, 0x5678, 0x0000},
        {"no-cookie silhouette", KOR_BLIT_SOLIDCOLOUR | KOR_BLIT_NOCOOKIE, 50, kRed565, 0x0000, 0x5678, kRed565},
        {"no-cookie solid trans", KOR_BLIT_SOLIDTRANS | KOR_BLIT_NOCOOKIE, 25, kRed565, 0x0000, kBlue565, 0xB807},
        // Modes that are not single bits draw nothing.
        {"mode 6", 6, 50, kRed565, 0x1234, 0x5678, 0x5678},
    };
    for (const OnePixelCase& Case : Cases)
        EXPECT_EQ(BlitOnePixel(Case.nSource, Case.nDest, Case.nFlags, Case.nColour, Case.nParam), Case.nExpected)
            << Case.szWhat;
}

TEST_F(BlitModes, RGB555WeightedSumsAndHalvesUseTheirOwnFields)
{
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB15);
    const OnePixelCase Cases[] = {
        // (248 x 192) >> 8 = 186 -> 184 in each five-bit channel.
        {"trans 25 white over black", KOR_BLIT_TRANS, 25, 0, 0x7FFF, 0x0000, 0x5EF7},
        {"solid trans 25 red over blue", KOR_BLIT_SOLIDTRANS, 25, 0x7C00, 0x03E0, 0x001F, 0x5C07},
        // The RGB555 half mask is 0x3DEF.
        {"trans 50 halves", KOR_BLIT_TRANS, 50, 0, 0x7FFF, 0x0000, 0x3DEF},
        {"tint 50 halves", KOR_BLIT_TINT, 50, 0x7FFF, 0x7FFF, 0x0000, 0x7BDE},
    };
    for (const OnePixelCase& Case : Cases)
        EXPECT_EQ(BlitOnePixel(Case.nSource, Case.nDest, Case.nFlags, Case.nColour, Case.nParam), Case.nExpected)
            << Case.szWhat;
}

TEST_F(BlitModes, AFormatWithoutHalfMaskBlendsFiftyPerCentByWeight)
{
    // Byte-swapped RGB565 has no half mask: 50 % is a = 127 per channel, stored swapped.
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB16PC);
    // (248 x 128) >> 8 = 124 -> 120, (252 x 128) >> 8 = 126 -> 124: 0x7BEF, swapped 0xEF7B.
    EXPECT_EQ(BlitOnePixel(0xFFFF, 0x0000, KOR_BLIT_TRANS, 0, 50), 0xEF7B);
}

class BlitAlpha : public BlitModes {
protected:
    // A 4 x 1 chunky of white with the given mask bytes, blitted over blue.
    static std::vector<uint16_t> BlitMasked(const std::vector<uint8_t>& Mask, uint16_t nFlags, uint16_t nColour,
                                            int16_t nParam)
    {
        const int nWidth = (int)Mask.size();
        EXPECT_EQ(Korvid.InitChunky(1, (uint16_t)nWidth, 1, 16), 1);
        ChunkyObject& Chunky = *Korvid.ExistingChunky(1);
        EXPECT_EQ(Korvid.CreateAlphaMask(Chunky), 1);
        for (int i = 0; i < nWidth; ++i) {
            Chunky.Pixels16()[i] = kWhite565;
            Chunky.pAlpha[i] = Mask[i];
        }
        Korvid.ClearChunky(0, kBlue565);
        Korvid.Blit(1, 0, 0, nFlags, nColour, nParam);
        std::vector<uint16_t> Row;
        for (int i = 0; i < nWidth; ++i)
            Row.push_back(Pixel16(0, i, 0));
        return Row;
    }
};

TEST_F(BlitAlpha, FullOpacityCopiesBlendsAndLeavesByMaskThresholds)
{
    // Mask 252+ copies; 4..251 mixes s x a + d x (255 - a); 0..3 leaves the destination.
    // a = 251: red (248 x 251) >> 8 = 243 -> 240, green 247 -> 244, blue (248 x 255) >> 8 = 247 -> 30.
    // a = 4: red and green round to 0, blue (248 x 4 + 248 x 251) >> 8 = 247 -> 30.
    EXPECT_EQ(BlitMasked({255, 252, 251, 4, 3, 0}, KOR_BLIT_ALPHA, 0, 100),
              (std::vector<uint16_t>{kWhite565, kWhite565, 0xF7BE, 0x001E, kBlue565, kBlue565}));
    // Param -1 means full opacity for an alpha blit.
    EXPECT_EQ(BlitMasked({252, 251}, KOR_BLIT_ALPHA, 0, -1), (std::vector<uint16_t>{kWhite565, 0xF7BE}));
}

TEST_F(BlitAlpha, LowerOpacityFadesEveryMaskByte)
{
    // Param 50: fade = truncate(255 - 128) = 127, so mask 255 mixes at a = 128 and
    // mask 130 (a = 3) is left alone while 131 (a = 4) still mixes.
    EXPECT_EQ(BlitMasked({255, 131, 130}, KOR_BLIT_ALPHA, 0, 50),
              (std::vector<uint16_t>{0x7BFE, 0x001E, kBlue565}));
}

TEST_F(BlitAlpha, ColourThroughTheMaskPaintsTheColour)
{
    // 0x42: d x (255 - a) + red x a; a = 128: red 124 -> 120, blue (248 x 127) >> 8 = 123 -> 15.
    EXPECT_EQ(BlitMasked({255, 128, 2}, KOR_BLIT_ALPHA | KOR_BLIT_SOLIDCOLOUR, kRed565, 100),
              (std::vector<uint16_t>{kRed565, 0x780F, kBlue565}));
}

TEST_F(BlitAlpha, AMissingMaskDrawsPlainlyAndSaysSoOnlyWhenVerbose)
{
    ASSERT_EQ(Korvid.InitChunky(1, 1, 1, 16), 1);
    Korvid.ExistingChunky(1)->Pixels16()[0] = 0x1234;
    Korvid.Blit(1, 0, 0, KOR_BLIT_ALPHA, 0, 50);
    EXPECT_EQ(Pixel16(0, 0, 0), 0x1234);
    EXPECT_FALSE(Logged("WARNING: Blit() Chunky 1 has no Alpha Mask **"));
    Korvid.SetTraceMask(KOR_TRACE_VERBOSE);
    Korvid.Blit(1, 1, 0, KOR_BLIT_ALPHA, 0, 50);
    EXPECT_EQ(Pixel16(0, 1, 0), 0x1234);
    EXPECT_TRUE(Logged("WARNING: Blit() Chunky 1 has no Alpha Mask **"));
}

TEST_F(BlitAlpha, BlitAreaOfAMasklessChunkyWithTheAlphaFlagNeverReadsAMask)
{
    ASSERT_EQ(Korvid.InitChunky(1, 3, 3, 16), 1);
    Korvid.ClearChunky(1, 0x1234);
    Korvid.BlitArea(1, 0, 0, 3, 3, 2, 2, KOR_BLIT_ALPHA, 0, 100);
    EXPECT_EQ(Pixel16(0, 4, 4), 0x1234);
}

TEST_F(BlitModes, UnknownModesAboveTintAreReported)
{
    EXPECT_EQ(BlitOnePixel(0x1234, 0x5678, 0x20, 0, 50), 0x5678);
    EXPECT_EQ(BlitOnePixel(0x1234, 0x5678, 0x81, 0, 50), 0x5678);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Blit Mode 32 Unsatisfied", "Blit Mode 128 Unsatisfied"}));
    EXPECT_FALSE(Logged("Blit Mode 6 Unsatisfied"));
}

TEST_F(BlitModes, AChunkyWithoutCookiePixelsIsCopiedAsABlock)
{
    ASSERT_EQ(Korvid.InitChunky(1, 2, 1, 16), 1);
    ChunkyObject& Chunky = *Korvid.ExistingChunky(1);
    Chunky.Pixels16()[0] = 0x0000;
    Chunky.Pixels16()[1] = 0x1234;
    Korvid.ClearChunky(0, 0x5678);
    Korvid.Blit(1, 0, 0, KOR_BLIT_COOKIE, 0, 50);
    EXPECT_EQ(Pixel16(0, 0, 0), 0x5678);
    // A chunky marked cookie-free skips the test: its (stale) cookie pixel is copied.
    Chunky.bHasCookie = 0;
    Korvid.Blit(1, 0, 1, KOR_BLIT_COOKIE, 0, 50);
    EXPECT_EQ(Pixel16(0, 0, 1), 0x0000);
    EXPECT_EQ(Pixel16(0, 1, 1), 0x1234);
}

TEST_F(BlitModes, TintingAChunkyBlendsItIntoItself)
{
    // 75 % toward black is a solid-trans blit at param 25: white x 63 >> 8 per channel.
    ASSERT_EQ(Korvid.InitChunky(1, 3, 2, 16), 1);
    Korvid.ClearChunky(1, kWhite565);
    Korvid.ExistingChunky(1)->Pixels16()[4] = 0;   // a cookie pixel stays
    Korvid.ChunkyTint(1, 0x0000, 75);
    EXPECT_EQ(Pixel16(1, 0, 0), 0x39E7);
    EXPECT_EQ(Pixel16(1, 2, 1), 0x39E7);
    EXPECT_EQ(Pixel16(1, 1, 1), 0x0000);
    EXPECT_EQ(Korvid.GetUsedChunky(), 0u);
}

TEST_F(BlitModes, AChunkyBlittedOntoItselfReadsItsOriginalPixels)
{
    ASSERT_EQ(Korvid.InitChunky(1, 4, 1, 16), 1);
    uint16_t* pPixels = Korvid.ExistingChunky(1)->Pixels16();
    for (int i = 0; i < 4; ++i)
        pPixels[i] = (uint16_t)(i + 1);
    Korvid.UseChunky(1);
    Korvid.Blit(1, 1, 0, KOR_BLIT_COOKIE, 0, 50);
    EXPECT_EQ(std::vector<uint16_t>(pPixels, pPixels + 4), (std::vector<uint16_t>{1, 1, 2, 3}));
}

TEST_F(BlitModes, ChunkiesOfAnotherDepthAreRefused)
{
    ASSERT_EQ(Korvid.InitChunky(1, 8, 8, 8), 1);
    memset(Korvid.ChunkyBuffer(1), 7, 64);
    Korvid.ClearChunky(0, 0x5678);
    Korvid.Blit(1, 0, 0, KOR_BLIT_NOCOOKIE, 0, 50);
    Korvid.BlitArea(1, 0, 0, 8, 8, 0, 0, KOR_BLIT_NOCOOKIE, 0, 50);
    EXPECT_EQ(Pixel16(0, 7, 7), 0x5678);
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"ERROR: ** Blit() From 1 to 0 - Chunky Depth does not match the Display Depth 16 **",
                        "ERROR: ** BlitArea() From 1 to 0 - Chunky Depth does not match the Display Depth 16 **"}));
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
    EXPECT_EQ(CallsOf("KorvidGFX::Blit()"), 50);
    EXPECT_EQ(CallsOf("KorvidGFX::BlitArea()"), 50);
    EXPECT_EQ(CallsOf("KOR_BLIT_TRANS"), 50);
    EXPECT_EQ(CallsOf("KOR_BLIT_SOLIDCOLOUR"), 50);
}

// The 8-bit depth: palette indices, and translucency through the trans table.
class BlitModes8 : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(32, 16, 8);
        // Red, blue and green, and the three mixes halfway between two of them: the
        // trans table must map each pair to its mix.
        Korvid.SetPaletteEntry(1, 200, 0, 0);
        Korvid.SetPaletteEntry(2, 0, 0, 200);
        Korvid.SetPaletteEntry(3, 0, 200, 0);
        Korvid.SetPaletteEntry(10, 100, 0, 100);
        Korvid.SetPaletteEntry(11, 100, 100, 0);
        Korvid.SetPaletteEntry(12, 0, 100, 100);
        for (uint32_t n = 13; n < 256; ++n)
            Korvid.SetPaletteEntry(n, 255, 255, 255);
    }
    static uint8_t BlitOneIndex(uint8_t nSource, uint8_t nDest, uint16_t nFlags, uint16_t nColour, int16_t nParam)
    {
        EXPECT_EQ(Korvid.InitChunky(1, 1, 1, 8), 1);
        Korvid.ChunkyBuffer(1)[0] = nSource;
        Korvid.ClearChunky(0, nDest);
        Korvid.Blit(1, 2, 2, nFlags, nColour, nParam);
        EXPECT_EQ(Pixel8(0, 1, 2), nDest);
        return Pixel8(0, 2, 2);
    }
};

TEST_F(BlitModes8, TranslucentModesLookUpTheTransTable)
{
    struct Case {
        const char* szWhat;
        uint16_t nFlags;
        int16_t nParam;
        uint8_t nColour, nSource, nDest, nExpected;
    };
    const Case Cases[] = {
        {"trans red over blue", KOR_BLIT_TRANS, 50, 0, 1, 2, 10},
        {"trans ignores the parameter", KOR_BLIT_TRANS, 100, 0, 1, 2, 10},
        {"solid trans green over blue", KOR_BLIT_SOLIDTRANS, 50, 3, 1, 2, 12},
        {"tint red with green", KOR_BLIT_TINT, 50, 3, 1, 2, 11},
        {"silhouette", KOR_BLIT_SOLIDCOLOUR, 50, 3, 1, 2, 3},
        {"copy", KOR_BLIT_COOKIE, 50, 3, 1, 2, 1},
        {"cookie is skipped", KOR_BLIT_TRANS, 50, 0, 0, 2, 2},
        {"cookie is skipped even without the test", KOR_BLIT_SOLIDCOLOUR | KOR_BLIT_NOCOOKIE, 50, 3, 0, 2, 2},
        {"block copy takes the cookie", KOR_BLIT_NOCOOKIE, 50, 3, 0, 2, 0},
        {"a large mode draws nothing", 0x20, 50, 3, 1, 2, 2},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(BlitOneIndex(C.nSource, C.nDest, C.nFlags, C.nColour, C.nParam), C.nExpected) << C.szWhat;
    ASSERT_NE(Korvid.TransTable(), nullptr);
    EXPECT_EQ(Korvid.TransTable()[1 * 256 + 2], 10);

    // Alpha blits draw nothing in 8-bit depth, mask or not.
    ASSERT_EQ(Korvid.CreateAlphaMask(*Korvid.ExistingChunky(1)), 1);
    Korvid.ExistingChunky(1)->pAlpha[0] = 255;
    Korvid.Blit(1, 2, 2, KOR_BLIT_ALPHA | KOR_BLIT_SOLIDCOLOUR, 3, 100);
    Korvid.Blit(1, 2, 2, KOR_BLIT_ALPHA, 3, 100);
    EXPECT_EQ(Pixel8(0, 2, 2), 2);
    EXPECT_FALSE(Logged("Blit Mode 32 Unsatisfied"));
    EXPECT_TRUE(Logged("Calculating Trans Table"));
}

}  // namespace
