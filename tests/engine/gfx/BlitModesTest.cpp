// The odd cases of Blit beside its modes' pixels (which BlitFastPathsTest checks):
// missing masks, unknown modes, cookie-free and self blits, refusals, profiler
// sections, and the 8-bit depth's trans table.
#include "GfxTestSupport.h"

namespace {

class BlitModes : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(32, 16, 16);
    }
};

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

TEST_F(BlitModes, ModesThatAreNotSingleBitsDrawNothingAndThoseAboveTintAreReported)
{
    MakeChunky<uint16_t>(1, 1, 1, {0x1234});
    Korvid.ClearChunky(0, 0x5678);
    for (uint16_t nFlags : {6, 0x20, 0x81})
        Korvid.Blit(1, 5, 3, nFlags, 0, 50);
    EXPECT_EQ(CountDrawn(0x5678), 0);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Blit Mode 32 Unsatisfied", "Blit Mode 128 Unsatisfied"}));
    EXPECT_FALSE(Logged("Blit Mode 6 Unsatisfied"));
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
    MakeChunky<uint16_t>(2, 3, 1, {0xFFFF, 0, 0xFFFF});
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
