// The display: starting graphics and changing modes, pixel formats, converters, palettes and
// the trans table against values worked out by hand, and presentation of chunky 0 against a
// plain per-pixel conversion in every pairing of depths, rows and the dirty list.
#include <random>

#include "GfxTestSupport.h"

namespace {

using DisplayMode = GfxTest;

// A pattern of bytes to fill the back buffer with, and to find there again.
Bytes Pattern(uint32_t nBytes)
{
    Bytes Out(nBytes);
    for (uint32_t n = 0; n < nBytes; ++n)
        Out[n] = (uint8_t)(n * 7 + 3);
    return Out;
}

TEST_F(DisplayMode, StartUpNeedsTheVideoSystemOpensTheRecordedModeAndLimitsFontBanksByTheChunkyTable)
{
    Korvid.SetMaxFonts(3);
    EXPECT_EQ(Korvid.GFXInit(), 0);
    EXPECT_TRUE(LogHas("ERROR: ** System GFXOSInit() FAILED **"));
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
    EXPECT_TRUE(LogHas("ERROR: ** Too Many Requested Font Banks for current Chunky Limit - Reduced to 1 **"));
    Korvid.SetMaxFonts(1);
    EXPECT_TRUE(LogHas("ERROR: ** Too Late To SetMaxFonts() - Must be done in KorvidConfig **"));
}

TEST_F(DisplayMode, ModeChangesKeepThePictureWhenTheyCanAndAnIndexedModeGetsAnIndexedBackBuffer)
{
    OpenDisplay(64, 48, 16);
    const size_t nLines = LogMessages().size();
    const uint32_t nDelayed = m_Platform.m_nDelayed;
    EXPECT_EQ(Korvid.ChangeDisplayMode(64, 48, 16, 0), 1);
    EXPECT_EQ(Korvid.ChangeDisplayMode(64, 48, 16, KOR_WINDOWED), 1);
    EXPECT_EQ(LogMessages().size(), nLines);
    EXPECT_EQ(m_Platform.m_nDelayed, nDelayed);

    memcpy(Korvid.ChunkyBuffer(0), Pattern(64 * 48 * 2).data(), 64 * 48 * 2);
    ASSERT_EQ(Korvid.ChangeDisplayMode(48, 64, 16, 0), 1);
    EXPECT_EQ(Shape(0), (std::array<int, 4>{48, 64, 0, 0}));
    EXPECT_EQ(ChunkyBytes(0), Pattern(48 * 64 * 2));
    EXPECT_EQ(m_Platform.m_nDelayed - nDelayed, 200u);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Preserve Chunky Zero", "CloseDisplay()",
                                                "WARNING: Chunky[0] has been Reallocated.", "Restore Chunky Zero"}));
    // A mode of another size starts from the clear colour.
    ASSERT_EQ(Korvid.ChangeDisplayMode(32, 32, 16, 0), 1);
    EXPECT_EQ(ChunkyBytes(0), std::vector<uint8_t>(32 * 32 * 2, 0));
    // Toggling the window keeps the back buffer and its picture.
    ASSERT_EQ(Korvid.ChangeDisplayMode(64, 48, 16, 0), 1);
    memcpy(Korvid.ChunkyBuffer(0), Pattern(64 * 48 * 2).data(), 64 * 48 * 2);
    const uint8_t* pPixels = Korvid.ChunkyBuffer(0);
    ASSERT_EQ(Korvid.ChangeDisplayMode(64, 48, 16, KOR_TOGGLE_WINDOW), 1);
    EXPECT_EQ(Korvid.WindowMode(), KOR_FULLSCREEN);
    EXPECT_EQ(Korvid.ChunkyBuffer(0), pPixels);
    EXPECT_EQ(ChunkyBytes(0), Pattern(64 * 48 * 2));
    EXPECT_TRUE(LogHas("InitDisplay() - Going into Full Screen Mode"));
    ASSERT_EQ(Korvid.ChangeDisplayMode(64, 48, 16, KOR_TOGGLE_WINDOW), 1);
    EXPECT_EQ(Korvid.WindowMode(), KOR_WINDOWED);

    ASSERT_EQ(Korvid.ChangeDisplayMode(64, 48, 8, 0), 1);
    EXPECT_EQ(Korvid.ChunkyDepth(0), 8);
    EXPECT_EQ(Korvid.PaletteLookupSize(), 512u);
    ASSERT_EQ(Korvid.ChangeDisplayMode(64, 48, 24, 0), 1);
    EXPECT_EQ(Korvid.DisplayDepth(), 16);
    EXPECT_TRUE(LogHas("WARNING: ** ChangeDisplayMode() - 24bit not supported, using 16bit **"));
}

// A clock that moves on every reading, slower while the dirty list is on.
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

using PixelFormats = GfxTest;

TEST_F(PixelFormats, FormatsConvertWithoutBitReplicationAndSearchesFindTheNearestColour)
{
    // Bits of red, green and blue and the depth; the format and its screen bytes per pixel.
    const std::array<int, 6> Surfaces[] = {{5, 6, 5, 16, KOR_PIXFMT_RGB16, 2}, {5, 5, 5, 16, KOR_PIXFMT_RGB15, 2},
                                        {8, 8, 8, 32, KOR_PIXFMT_ARGB32, 4}, {8, 8, 8, 24, KOR_PIXFMT_RGB24, 3},
                                        {3, 3, 2, 8, KOR_PIXFMT_LUT8, 1},    {5, 5, 5, 15, KOR_PIXFMT_RGB16, 2}};
    for (const auto& [r, g, b, nDepth, nId, nBytes] : Surfaces) {
        Korvid.SetPixelFormatBits(r, g, b, nDepth);
        EXPECT_EQ(Korvid.PixelFormat().nId, nId) << nDepth;
        EXPECT_EQ(Korvid.PixelFormat().nScreenBytesPerPixel, nBytes) << nDepth;
    }
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"SetPixelFormat( 565 16Bit )", "SetPixelFormat( KOR_PIXFMT_RGB16 )",
                                                "SetPixelFormat( 555 15Bit )",
                                                "ERROR: ** Unknown Depth Mode, Guessing RGB16 **"}));
    // Format, red, green, blue; packed, unpacked red, green, blue, and the 32-bit pixel.
    const std::array<uint32_t, 9> Cases[] = {
        {KOR_PIXFMT_RGB16, 255, 255, 255, 0xFFFF, 248, 252, 248, 0x00F8FCF8},
        {KOR_PIXFMT_RGB16, 0x12, 0x34, 0x56, 0x11AA, 0x10, 0x34, 0x50, 0x00103450},
        {KOR_PIXFMT_RGB15, 255, 0, 0, 0x7C00, 248, 0, 0, 0x00F80000},
        {KOR_PIXFMT_RGB15, 0x12, 0x34, 0x56, 0x08CA, 0x10, 0x30, 0x50, 0x00103050},
        {KOR_PIXFMT_RGB16PC, 0x12, 0x34, 0x56, 0xAA11, 0x10, 0x34, 0x50, 0x00103450},
        {KOR_PIXFMT_RGB15PC, 0x12, 0x34, 0x56, 0xCA08, 0x10, 0x30, 0x50, 0x00103050},
        {KOR_PIXFMT_ARGB32, 0, 255, 0, 0x07E0, 0, 252, 0, 0x0000FC00},
    };
    for (const auto& c : Cases) {
        Korvid.SetPixelFormat((uint8_t)c[0]);
        const KorvidRGB Unpacked = Korvid.Unpack((uint16_t)c[4]);
        EXPECT_EQ((std::array<uint32_t, 5>{Korvid.Pack((uint8_t)c[1], (uint8_t)c[2], (uint8_t)c[3]), Unpacked.r,
                                           Unpacked.g, Unpacked.b, Korvid.To32((uint16_t)c[4])}),
                  (std::array<uint32_t, 5>{c[4], c[5], c[6], c[7], c[8]}))
            << c[0] << " " << c[4];
    }
    // Searches prefer the lowest of equal distances; the close table answers for its cell's corner.
    Korvid.SetPaletteEntry(3, 90, 100, 100);
    Korvid.SetPaletteEntry(7, 110, 100, 100);
    EXPECT_EQ(Korvid.FindClosestColour(100, 100, 100, KOR_SEARCH_EXHAUSTIVE), 3);
    EXPECT_EQ(Korvid.FindClosestColour(108, 100, 100, KOR_SEARCH_EXHAUSTIVE), 7);
    EXPECT_EQ(Korvid.FindClosestColour(0, 0, 0, KOR_SEARCH_EXHAUSTIVE), 0);

    Korvid.SetPaletteEntry(1, 255, 255, 255);
    Korvid.SetPaletteEntry(2, 247, 247, 247);
    // (255, 255, 255) lies in cell (31, 31, 31), which holds the answer for (248, 248, 248).
    EXPECT_EQ(Korvid.FindClosestColour(255, 255, 255, KOR_SEARCH_EXHAUSTIVE), 1);
    EXPECT_EQ(Korvid.FindClosestColour(255, 255, 255, KOR_SEARCH_CLOSETABLE), 2);
    EXPECT_EQ(Korvid.FindClosestColour(250, 252, 254, KOR_SEARCH_CLOSETABLE), 2);
    // Built once, and again after the palette tables are updated.
    Korvid.UpdatePaletteTables();
    Korvid.SetPaletteEntry(2, 0, 0, 0);
    EXPECT_EQ(Korvid.FindClosestColour(255, 255, 255, KOR_SEARCH_CLOSETABLE), 1);
    const std::vector<std::string> Lines = LogMessages();
    EXPECT_EQ(std::count(Lines.begin(), Lines.end(), "Allocating 32K CloseTable"), 2);
}

TEST_F(PixelFormats, IndexedDepthFeedsTheStandardColoursOnceOpenAndPaletteEntriesTakeTheBrightness)
{
    Korvid.SetPaletteEntry(10, 255, 255, 255);
    Korvid.ShowPalette(1);
    EXPECT_EQ(Korvid.PaletteLookup(), nullptr);
    EXPECT_EQ(Korvid.ColourWhite(), 0);

    OpenDisplay(64, 48, 8);
    Korvid.SetPaletteEntry(10, 255, 255, 255);
    Korvid.SetPaletteEntry(11, 255, 0, 0);
    Korvid.ShowPalette(0);
    const uint16_t* pLookup = (const uint16_t*)Korvid.PaletteLookup();
    EXPECT_EQ(Korvid.ColourWhite(), 10);
    EXPECT_EQ(Korvid.ColourRed(), 11);
    uint16_t nColour = 0x4400;
    Korvid.MakeColour(nColour, 250, 10, 0);
    EXPECT_EQ(nColour, 0x440B);
    // Changed entries are redone; a new exact white takes over, an equal red does not.
    Korvid.SetPaletteEntry(10, 200, 200, 200);
    Korvid.SetPaletteEntry(20, 255, 255, 255);
    Korvid.SetPaletteEntry(21, 255, 0, 0);
    Korvid.ShowPalette(0);
    EXPECT_EQ(pLookup[10], KorvidConvert::Pack565(200, 200, 200));
    EXPECT_EQ(Korvid.ColourWhite(), 20);
    EXPECT_EQ(Korvid.ColourRed(), 11);
    Korvid.SetBrightness(0.5f);
    Korvid.SetPaletteEntry(3, 255, 100, 1);
    EXPECT_EQ((std::array<int, 3>{Korvid.PaletteRed(3), Korvid.PaletteGreen(3), Korvid.PaletteBlue(3)}),
              (std::array<int, 3>{127, 50, 0}));
    Korvid.SetBrightness(2.0f);
    Korvid.SetPaletteGreen(3, 200);
    Korvid.SetPaletteBlue(3, 20);
    EXPECT_EQ(Korvid.PaletteGreen(3), 255);
    EXPECT_EQ(Korvid.PaletteBlue(3), 40);
    Korvid.SetPaletteEntry(256, 1, 2, 3);
    EXPECT_TRUE(LogHas("ERROR: ** SetPaletteEntry(256) - Index out of Range **"));
    Korvid.SavePalette();
    Korvid.SetPaletteRed(3, 9);
    Korvid.RestorePalette();
    EXPECT_EQ(Korvid.PaletteRed(3), 127);
}

TEST_F(PixelFormats, StandardColoursArePackedIn16BitsAndTheTransTableHoldsTheNearestAverageIn8)
{
    OpenDisplay(64, 48, 16);
    EXPECT_EQ((std::array<uint16_t, 5>{Korvid.ColourWhite(), Korvid.ColourBlack(), Korvid.ColourRed(),
                                       Korvid.ColourGreen(), Korvid.ColourBlue()}),
              (std::array<uint16_t, 5>{0xFFFF, 0x0000, 0xF800, 0x07E0, 0x001F}));
    uint16_t nColour = 0;
    Korvid.MakeColour(nColour, 0x12, 0x34, 0x56);
    EXPECT_EQ(nColour, 0x11AA);
    Korvid.SetCookie(255, 0, 0);
    Korvid.GetCookie(nColour);
    EXPECT_EQ(nColour, 0xF800);
    EXPECT_TRUE(Korvid.IsCookie(0xF800));
    EXPECT_FALSE(Korvid.IsCookie(0x0000));
    Korvid.LoadTransTable(nullptr, KOR_SEARCH_EXHAUSTIVE);
    Korvid.SaveTransTable("none.dat");
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Skipping LoadTransTable() due to True Colour Display",
                                                "Skipping SaveTransTable() due to True Colour Display"}));
    EXPECT_EQ(Korvid.TransTable(), nullptr);
    Korvid.ChangeDisplayMode(64, 48, 8, 0);
    Korvid.SaveTransTable("none.dat");
    EXPECT_TRUE(LogHas("ERROR: ** SaveTransTable('none.dat') - Unable to Open File **"));
    EXPECT_FALSE(PathExists("none.dat"));
    Korvid.SetPaletteEntry(1, 200, 0, 0);
    Korvid.SetPaletteEntry(2, 0, 0, 200);
    Korvid.SetPaletteEntry(3, 100, 0, 100);
    Korvid.SetPaletteEntry(4, 100, 0, 0);
    Korvid.LoadTransTable(nullptr, KOR_SEARCH_EXHAUSTIVE);
    const uint8_t* pTable = Korvid.TransTable();
    ASSERT_NE(pTable, nullptr);
    EXPECT_EQ((std::array<int, 5>{pTable[1 * 256 + 2], pTable[2 * 256 + 1], pTable[1 * 256 + 1], pTable[1 * 256],
                                  pTable[255 * 256 + 255]}),
              (std::array<int, 5>{3, 3, 1, 4, 0}));
    Korvid.SaveTransTable("trans.dat");
    EXPECT_EQ(ReadFileBytes("trans.dat").size(), 65025u);
    Korvid.LoadTransTable("missing.dat", KOR_SEARCH_EXHAUSTIVE);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Saving Trans Table 'trans.dat'",
                                                "Loading Trans Table from file 'missing.dat'",
                                                "Calculating Trans Table"}));
}

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
    // The screen pixel for back-buffer pixel n, the plain way (24 and 32 bits as blue, green, red).
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

    // Changes random pixels, those around row 1's span boundaries and tail, row 2 from its second
    // span on (whole spans changed, one run across them) and none in rows 3 and 5.
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
        for (int x = 64; x < kWidth; ++x)
            Change(x, 2);
        return Changed;
    }

    // What a dirty presentation writes: every group with a changed pixel, then the tail pixel by
    // pixel; on 8-bit screens a group of eight is two words, a changed second one written alone.
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

TEST_F(Presentation, FramesMatchThePlainConversionWholeOrThroughTheDirtyListAndBadPitchesAreRefused)
{
    OpenDisplay(kWidth, kHeight, 16);
    CheckScreens(kPackedScreens, std::size(kPackedScreens), 616u);
    Korvid.ChangeDisplayMode(kWidth, kHeight, 8, 0);
    CheckScreens(kIndexedScreens, std::size(kIndexedScreens), 808u);
    std::mt19937 Random(7u);
    FillRandom(Random);
    // A missing palette lookup table is reported and rebuilt.
    for (ScreenCase c : {ScreenCase{KOR_PIXFMT_RGB16, 2}, ScreenCase{KOR_PIXFMT_ARGB32, 4}}) {
        Korvid.SetPixelFormat(c.nFormat);
        EXPECT_EQ(Present(PaddedPitch(c), true), ExpectedFrame(c, PaddedPitch(c))) << (int)c.nFormat;
    }
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"WARNING: ** DumpChunkyBuffer8() - Needs 8->16bit Table **",
                                                "WARNING: ** DumpChunkyBuffer8() - Needs 8->32bit Table **"}));
    Korvid.SetPixelFormat(KOR_PIXFMT_RGB16);
    // 8-bit pixels on a 16-bit screen are written in pairs: an odd pitch is rounded down.
    std::vector<uint8_t> Rounded = Present(2 * kWidth + 3, true);
    Rounded.resize((size_t)(2 * kWidth + 2) * kHeight);
    EXPECT_EQ(Rounded, ExpectedFrame({KOR_PIXFMT_RGB16, 2}, 2 * kWidth + 2));
    // Pitches beyond the frame, or rows closer than one screen row, are refused.
    for (int32_t nPitch : {kWidth * kHeight + 1, -kWidth * kHeight - 1, 2 * kWidth - 1})
        EXPECT_EQ(Present(nPitch, true), std::vector<uint8_t>((size_t)std::abs(nPitch) * kHeight, UNTOUCHED)) << nPitch;
    EXPECT_TRUE(LogHas("ERROR: ** DumpChunkyBuffer() - Dangerous Pitch Value 403 **"));

    ASSERT_EQ(Korvid.InitChunky(5, 16, 4, 8), 1);
    std::vector<uint8_t> Screen(4 * 32, UNTOUCHED);
    Korvid.DumpChunkyBuffer(Korvid.ChunkyRecord(5), Screen.data(), 32);
    EXPECT_EQ(Screen, std::vector<uint8_t>(4 * 32, UNTOUCHED));
    EXPECT_TRUE(LogHas("ERROR: ** DumpChunkyBuffer() - Chunky 16x4 8bit does not match Display 202x7 8bit **"));
}

}  // namespace
