// The chunky table: creation at every depth, release rules, clearing, the used
// chunky and the limits, seen through records, pixels and log lines.
#include <cstdio>
#include <cstring>

#include "GfxTestSupport.h"

namespace {

using ChunkyTable = GfxTest;

TEST_F(ChunkyTable, InitChunkyComputesBytesPerPixelAndStartsEmpty)
{
    OpenDisplay();
    struct Case {
        uint8_t nDepth, nBytes, nReported;
    };
    for (Case c : {Case{8, 1, 8}, Case{15, 2, 16}, Case{16, 2, 16}, Case{24, 3, 24}, Case{32, 4, 32}}) {
        SCOPED_TRACE(c.nDepth);
        ASSERT_EQ(Korvid.InitChunky(7, 5, 3, c.nDepth), 1);
        const ChunkyObject& Chunky = *Korvid.ExistingChunky(7);
        EXPECT_EQ(Chunky.nBytesPerPixel, c.nBytes);
        EXPECT_EQ(Korvid.ChunkyDepth(7), c.nReported);
        EXPECT_EQ(Chunky.nSize, 5u * 3u * c.nBytes);
        EXPECT_EQ(Chunky.nHotX, 0);
        EXPECT_EQ(Chunky.nHotY, 0);
        EXPECT_EQ(Chunky.bHasCookie, 1);
        EXPECT_FALSE(Korvid.ChunkyHasAlpha(7));
        for (uint32_t n = 0; n < Chunky.nSize; ++n)
            ASSERT_EQ(Chunky.pPixels[n], 0) << n;
    }
}

TEST_F(ChunkyTable, InitChunkyRefusesBadNumbersAndSizes)
{
    OpenDisplay();
    EXPECT_EQ(Korvid.InitChunky(500, 4, 4, 16), 0);
    EXPECT_EQ(Korvid.InitChunky(0xFFFFFFFF, 4, 4, 16), 0);
    EXPECT_TRUE(Logged("ERROR: ** InitChunky(500, 4, 4, 16) - Chunky id out of Range **"));

    ASSERT_EQ(Korvid.InitChunky(3, 4, 4, 16), 1);
    // Zero pixels, a depth below one byte and a buffer past 4 GB all fail; the old pixels are gone.
    struct Case {
        uint16_t nWidth, nHeight;
        uint8_t nDepth;
        const char* szLine;
    };
    for (Case c : {Case{0, 4, 16, "ERROR: ** InitChunky(3, 0, 4, 16) - Failed to Initialize Chunky **"},
                   Case{4, 4, 6, "ERROR: ** InitChunky(3, 4, 4, 6) - Failed to Initialize Chunky **"},
                   Case{65535, 65535, 32, "ERROR: ** InitChunky(3, 65535, 65535, 32) - Failed to Initialize Chunky **"}}) {
        ASSERT_EQ(Korvid.InitChunky(3, 4, 4, 16), 1);
        EXPECT_EQ(Korvid.InitChunky(3, c.nWidth, c.nHeight, c.nDepth), 0);
        EXPECT_FALSE(Korvid.ChunkyExists(3));
        EXPECT_TRUE(Logged(c.szLine));
    }
}

TEST_F(ChunkyTable, FreeChunkyKeepsChunkyZeroAndTheAlphaMask)
{
    OpenDisplay();
    Korvid.FreeChunky(0);
    EXPECT_TRUE(Logged("WARNING: ** Attempted to Free Chunky 0 **"));
    EXPECT_TRUE(Korvid.ChunkyExists(0));

    ASSERT_EQ(Korvid.InitChunky(4, 3, 3, 16), 1);
    ChunkyObject& Chunky = *Korvid.ChunkyRecord(4);
    ASSERT_EQ(Korvid.CreateAlphaMask(Chunky), 1);
    Korvid.FreeChunky(4);
    EXPECT_FALSE(Korvid.ChunkyExists(4));
    EXPECT_EQ(Chunky.nWidth, 0);
    EXPECT_EQ(Chunky.nSize, 0u);
    EXPECT_NE(Chunky.pAlpha, nullptr);
    EXPECT_EQ(Chunky.nAlphaSize, 9u);

    size_t nLines = LogMessages().size();
    Korvid.FreeChunky(4);     // no longer exists
    Korvid.FreeChunky(500);   // beyond the table
    EXPECT_EQ(LogMessages().size(), nLines);
}

TEST_F(ChunkyTable, FreeChunkyRefusesARecordWhoseSizeDoesNotMatchItsShape)
{
    OpenDisplay();
    ASSERT_EQ(Korvid.InitChunky(9, 4, 4, 16), 1);
    ChunkyObject& Chunky = *Korvid.ChunkyRecord(9);
    Chunky.nSize = 99;
    Korvid.FreeChunky(9);
    char szExpected[128];
    snprintf(szExpected, sizeof(szExpected), "DodgyChunky!! (0x%lx) Shape 4x4 Size 99", (unsigned long)(uintptr_t)&Chunky);
    EXPECT_TRUE(Logged(szExpected));
    EXPECT_TRUE(Korvid.ChunkyExists(9));
    Chunky.nSize = 32;
}

TEST_F(ChunkyTable, ClearChunkyFillsTheRequestedRows)
{
    OpenDisplay();
    ASSERT_EQ(Korvid.InitChunky(5, 3, 5, 16), 1);
    Korvid.ClearChunky(5, 0xABCD, 3);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Pixel16(5, x, y), y < 3 ? 0xABCD : 0) << x << "," << y;
    Korvid.ClearChunky(5, 0x1234, 200);
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(Pixel16(5, 2, y), 0x1234);

    ASSERT_EQ(Korvid.InitChunky(6, 4, 2, 8), 1);
    Korvid.ClearChunky(6, 0x3377);
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(Korvid.ChunkyBuffer(6)[n], 0x77);
}

TEST_F(ChunkyTable, UsedChunkyChangesOnlyToExistingChunkies)
{
    OpenDisplay();
    EXPECT_EQ(Korvid.GetUsedChunky(), 0u);
    ASSERT_EQ(Korvid.InitChunky(12, 2, 2, 16), 1);
    Korvid.UseChunky(12);
    EXPECT_EQ(Korvid.GetUsedChunky(), 12u);
    EXPECT_EQ(Korvid.UsedChunkyRecord(), Korvid.ExistingChunky(12));
    Korvid.UseChunky(13);
    Korvid.UseChunky(100000);
    EXPECT_EQ(Korvid.GetUsedChunky(), 12u);
}

TEST_F(ChunkyTable, GetUsedChunkyWithoutATableAssignsChunkyZero)
{
    EXPECT_EQ(Korvid.GetUsedChunky(), 0u);
    EXPECT_TRUE(Logged("WARNING: ** There was no Used Chunky! Assigning Chunky 0 **"));
}

TEST_F(ChunkyTable, TheLimitIsSetBeforeGraphicsStartOnly)
{
    Korvid.SetMaxChunkies(1000);
    OpenDisplay();
    EXPECT_EQ(Korvid.ChunkyTableSize(), 1000u);
    EXPECT_TRUE(Logged("Allocating 1000 Chunky Objects"));
    EXPECT_EQ(Korvid.InitChunky(999, 1, 1, 16), 1);

    Korvid.SetMaxChunkies(2000);
    EXPECT_TRUE(Logged("ERROR: ** Too Late To SetMaxChunkies() - Must be done in KorvidConfig **"));
    EXPECT_EQ(Korvid.ChunkyTableSize(), 1000u);
}

TEST_F(ChunkyTable, QueriesOnMissingChunkiesGiveNeutralResults)
{
    OpenDisplay();
    for (uint32_t nChunky : {17u, 500u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(Korvid.ChunkyExists(nChunky));
        EXPECT_FALSE(Korvid.ChunkyHasAlpha(nChunky));
        EXPECT_EQ(Korvid.ChunkyWidth(nChunky), 0);
        EXPECT_EQ(Korvid.ChunkyHeight(nChunky), 0);
        EXPECT_EQ(Korvid.ChunkyDepth(nChunky), 0);
        EXPECT_EQ(Korvid.ChunkyBuffer(nChunky), nullptr);
        EXPECT_EQ(Korvid.ChunkyScaledWidth(nChunky, 10), 0);
        Korvid.ClearChunky(nChunky, 1);
        Korvid.ChunkyFlip(nChunky, 3);
    }
}

TEST_F(ChunkyTable, ScanCookieFindsTheCookieColour)
{
    OpenDisplay();
    Korvid.SetCookieColour(0x0001);
    MakeChunky<uint16_t>(20, 2, 2, {5, 6, 7, 8});
    ChunkyObject& Chunky = *Korvid.ChunkyRecord(20);
    Korvid.ScanCookie(Chunky);
    EXPECT_EQ(Chunky.bHasCookie, 0);
    Chunky.Pixels16()[3] = 0x0001;
    Korvid.ScanCookie(Chunky);
    EXPECT_EQ(Chunky.bHasCookie, 1);
}

TEST_F(ChunkyTable, ShutdownReleasesTheTableAndTheDisplay)
{
    OpenDisplay();
    ASSERT_EQ(Korvid.InitChunky(30, 2, 2, 16), 1);
    ASSERT_EQ(Korvid.UpdateScaleTables(4, 4, 1.0f, 1.0f), 1);
    ASSERT_TRUE(Korvid.DirtyListOn());
    Korvid.GFXShutDown();
    EXPECT_EQ(Korvid.ScaleTableX(), nullptr);
    EXPECT_FALSE(Korvid.DirtyListOn());
    EXPECT_EQ(Korvid.ChunkyTableSize(), 0u);
    EXPECT_FALSE(Korvid.ChunkyExists(0));
    EXPECT_FALSE(Korvid.DisplayOpen());
    EXPECT_EQ(Korvid.FontBankCount(), 0u);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"GFXShutDown()", "CloseDisplay()", "ReleaseDisplay()"}));
}

}  // namespace
