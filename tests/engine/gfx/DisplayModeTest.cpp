// Starting graphics, display mode changes that keep or drop the picture, the
// bandwidth test's choice of the dirty list, and the font-bank limit.
#include "GfxTestSupport.h"

namespace {

using DisplayMode = GfxTest;

// A pattern of bytes, to fill the back buffer with and to find there again.
Bytes Pattern(uint32_t nBytes)
{
    Bytes Out(nBytes);
    for (uint32_t n = 0; n < nBytes; ++n)
        Out[n] = (uint8_t)(n * 7 + 3);
    return Out;
}
void FillBackBuffer()
{
    const Bytes Filled = Pattern(Korvid.ExistingChunky(0)->nSize);
    std::copy(Filled.begin(), Filled.end(), Korvid.ChunkyBuffer(0));
}

TEST_F(DisplayMode, StartUpNeedsTheVideoSystemOpensTheRecordedModeAndLimitsFontBanksByTheChunkyTable)
{
    Korvid.SetMaxFonts(3);
    EXPECT_EQ(Korvid.GFXInit(), 0);
    EXPECT_TRUE(Logged("ERROR: ** System GFXOSInit() FAILED **"));
    ASSERT_TRUE(Korvid.OSInit());
    EXPECT_EQ(Korvid.ChangeDisplayMode(80, 40, 16, KOR_WINDOWED), 1);
    EXPECT_FALSE(Korvid.DisplayOpen() || Korvid.ChunkyExists(0));
    ASSERT_EQ(Korvid.GFXInit(), 1);
    EXPECT_TRUE(Korvid.DisplayOpen());
    EXPECT_EQ(Shape(0), (std::array<int, 4>{80, 40, 0, 0}));
    EXPECT_EQ(Korvid.ChunkyDepth(0), 16);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Setting Display Mode 80x40 16bit",
                                                "Opened Display Buffer 80x40 16Bit (PixelFormat = 565)"}));
    EXPECT_EQ(Korvid.FontBankCount(), 1u);
    EXPECT_EQ(Korvid.FontBanks()[0].nFirstChunky, 244u);
    EXPECT_TRUE(Logged("ERROR: ** Too Many Requested Font Banks for current Chunky Limit - Reduced to 1 **"));
    Korvid.SetMaxFonts(1);
    EXPECT_TRUE(Logged("ERROR: ** Too Late To SetMaxFonts() - Must be done in KorvidConfig **"));
}

TEST_F(DisplayMode, TheSameModeChangesNothingAndOneOfTheSameByteSizeGetsThePictureBack)
{
    OpenDisplay(64, 48, 16);
    const size_t nLines = LogMessages().size();
    const uint32_t nDelayed = m_Platform.m_nDelayed;
    EXPECT_EQ(Korvid.ChangeDisplayMode(64, 48, 16, 0), 1);
    EXPECT_EQ(Korvid.ChangeDisplayMode(64, 48, 16, KOR_WINDOWED), 1);
    EXPECT_EQ(LogMessages().size(), nLines);
    EXPECT_EQ(m_Platform.m_nDelayed, nDelayed);

    FillBackBuffer();
    ASSERT_EQ(Korvid.ChangeDisplayMode(48, 64, 16, 0), 1);
    EXPECT_EQ(Shape(0), (std::array<int, 4>{48, 64, 0, 0}));
    EXPECT_EQ(ChunkyBytes(0), Pattern(48 * 64 * 2));
    EXPECT_EQ(m_Platform.m_nDelayed - nDelayed, 200u);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Preserve Chunky Zero", "CloseDisplay()",
                                                "WARNING: Chunky[0] has been Reallocated.", "Restore Chunky Zero"}));
    // A mode of another size starts from the clear colour.
    ASSERT_EQ(Korvid.ChangeDisplayMode(32, 32, 16, 0), 1);
    EXPECT_EQ(ChunkyBytes(0), std::vector<uint8_t>(32 * 32 * 2, 0));
}

TEST_F(DisplayMode, TogglingTheWindowKeepsTheBackBufferAndAnIndexedModeGetsAnIndexedOne)
{
    OpenDisplay(64, 48, 16);
    FillBackBuffer();
    const uint8_t* pPixels = Korvid.ChunkyBuffer(0);
    ASSERT_EQ(Korvid.ChangeDisplayMode(64, 48, 16, KOR_TOGGLE_WINDOW), 1);
    EXPECT_EQ(Korvid.WindowMode(), KOR_FULLSCREEN);
    EXPECT_EQ(Korvid.ChunkyBuffer(0), pPixels);
    EXPECT_EQ(ChunkyBytes(0), Pattern(64 * 48 * 2));
    EXPECT_TRUE(Logged("InitDisplay() - Going into Full Screen Mode"));
    ASSERT_EQ(Korvid.ChangeDisplayMode(64, 48, 16, KOR_TOGGLE_WINDOW), 1);
    EXPECT_EQ(Korvid.WindowMode(), KOR_WINDOWED);

    ASSERT_EQ(Korvid.ChangeDisplayMode(64, 48, 8, 0), 1);
    EXPECT_EQ(Korvid.ChunkyDepth(0), 8);
    EXPECT_EQ(Korvid.PaletteLookupSize(), 512u);
    ASSERT_EQ(Korvid.ChangeDisplayMode(64, 48, 24, 0), 1);
    EXPECT_EQ(Korvid.DisplayDepth(), 16);
    EXPECT_TRUE(Logged("WARNING: ** ChangeDisplayMode() - 24bit not supported, using 16bit **"));
}

// A clock that moves on every reading, slower while the dirty list is on: the bandwidth
// test drops the dirty list.
TEST_F(DisplayMode, ASlowerDirtyListIsDropped)
{
    struct TickingPlatform : VirtualClockPlatform {
        uint32_t GetTicks() override { return m_nNow += Korvid.DirtyListOn() ? 40 : 20; }
    } Ticking;
    Korvid.SetPlatform(&Ticking);
    OpenDisplay(64, 48, 16);
    EXPECT_FALSE(Korvid.DirtyListOn());
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"DirtyList Off: 20 Frames in 0.40secs, 0.29MB/sec, 50.00fps",
                                                "DirtyList On: 10 Frames in 0.40secs, 0.15MB/sec, 25.00fps",
                                                "DirtyList not desirable"}));
}

}  // namespace
