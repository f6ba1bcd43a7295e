// The instruction pages: they show the finished sheets of the data set, and
// are still painted (with a line saying so) while a sheet is missing.
#include "Picture.h"
#include "ScreenArtTestsSupport.h"
#include "screens/ScreenFamilies.h"

namespace {

// Pixels of a page whose colour is close to a pure primary (0 red, 1 green, 2 blue).
int CountPrimary(const LoadedPicture& Page, int nChannel)
{
    int nCount = 0;
    for (int y = 0; y < Page.nHeight; ++y)
        for (int x = 0; x < Page.nWidth; ++x) {
            KorvidRGB c = Korvid.Unpack(Page.At(x, y));
            int Channels[3] = {c.r, c.g, c.b};
            bool bPure = Channels[nChannel] > 200;
            for (int k = 0; k < 3; ++k)
                bPure &= k == nChannel || Channels[k] < 50;
            nCount += bPure;
        }
    return nCount;
}

// A whole sheet of one pure colour, written as the other steps write theirs.
void WriteSolidSheet(const ForgeContext& Context, const SheetSize& Size, uint32_t nColour)
{
    Canvas Sheet(Size.nWidth, Size.nHeight);
    Sheet.Fill({0, 0, Size.nWidth, Size.nHeight}, [](float, float) { return -1.0f; }, Hex(nColour));
    ASSERT_TRUE(SavePicture(Context, Size.szName, Sheet, Size.bMask ? PictureKind::MaskedSheet : PictureKind::Sheet));
}

}  // namespace

TEST_F(ScreenArtTest, PagesShowTheTilesAndBonusesOfTheDataSet)
{
    RunInEngine([](const ForgeContext& Context) {
        WriteSolidSheet(Context, Sheets::TILES, 0x00FF00);
        WriteSolidSheet(Context, Sheets::BONI, 0x0000FF);
        ASSERT_TRUE(PaintInstructionScreens(Context));
        LoadedPicture Bricks = LoadPicture("m3_2"), Bonuses = LoadPicture("m3_3"), Controls = LoadPicture("m3_1");
        ASSERT_TRUE(Bricks.Loaded() && Bonuses.Loaded() && Controls.Loaded());
        EXPECT_EQ(Bricks.nWidth, Sheets::PAGE_WIDTH);
        EXPECT_EQ(Bricks.nHeight, Sheets::PAGE_HEIGHT);
        // 22 tile pictures of 40 x 24 on the brick page, 20 bonus pictures of 30 x 30 on the first bonus page.
        EXPECT_GT(CountPrimary(Bricks, 1), 22 * 40 * 24 * 8 / 10);
        EXPECT_GT(CountPrimary(Bonuses, 2), 20 * 30 * 30 * 8 / 10);
        // Pages that show neither stay free of them.
        EXPECT_LT(CountPrimary(Controls, 1), 50);
        EXPECT_LT(CountPrimary(Controls, 2), 50);
    });
}

TEST_F(ScreenArtTest, PagesArePaintedWithoutMissingSheetsAndSaySo)
{
    testing::internal::CaptureStdout();
    RunInEngine([](const ForgeContext& Context) {
        ASSERT_TRUE(PaintInstructionScreens(Context));
        for (int n = 1; n <= Sheets::INSTRUCTION_PAGES; ++n) {
            LoadedPicture German = LoadPicture("m3_" + std::to_string(n)), English = LoadPicture("m3_" + std::to_string(n) + "_en");
            ASSERT_TRUE(German.Loaded() && English.Loaded()) << n;
            EXPECT_EQ(German.nWidth, Sheets::PAGE_WIDTH);
            // Texts fill the page, in different words per language.
            EXPECT_GT(Measure(German, 0, 50, 600, 350, 0.6f).nBright, 1500) << "page " << n;
            EXPECT_GT(CountDifferences(German, English, 0, 0, 600, 400), 3000) << "page " << n;
        }
        LoadedPicture German = LoadPicture("m3"), English = LoadPicture("m3_en");
        EXPECT_GT(CountDifferences(German, English, 0, 0, 800, 90), 500);   // the title
    });
    std::string Said = testing::internal::GetCapturedStdout();
    for (const char* szSheet : {"tiles", "boni", "kugel", "enemy3"})
        EXPECT_NE(Said.find(std::string("sheet '") + szSheet + "' is not in the data set yet"), std::string::npos) << szSheet;
}
