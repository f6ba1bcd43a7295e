// The whole "art-screens" step: every screen picture and sheet the game loads
// is written, at its size, opaque where the game shows it whole.
#include "ScreenArtTestsSupport.h"
#include "screens/ScreenArt.h"

TEST_F(ScreenArtTest, StepWritesEveryScreenPictureAndSheet)
{
    RunInEngine([](const ForgeContext& Context) {
        ASSERT_TRUE(ForgeArtScreens(Context));
        std::vector<std::string> FullScreens = {"m1", "m1_en", "m2", "m3", "m3_en", "m4", "m4_en", "m5", "mpm1"};
        for (int n = 1; n <= Sheets::BACKGROUND_COUNT; ++n)
            FullScreens.push_back("hg" + std::to_string(n));
        std::vector<std::string> Pages;
        for (int n = 1; n <= Sheets::INSTRUCTION_PAGES; ++n)
            Pages.push_back("m3_" + std::to_string(n)), Pages.push_back("m3_" + std::to_string(n) + "_en");
        auto Check = [](const std::string& Name, int nWidth, int nHeight) {
            LoadedPicture Picture = LoadPicture(Name);
            ASSERT_TRUE(Picture.Loaded()) << Name;
            EXPECT_EQ(Picture.nWidth, nWidth) << Name;
            EXPECT_EQ(Picture.nHeight, nHeight) << Name;
            AreaStats Whole = Measure(Picture, 0, 0, Picture.nWidth, Picture.nHeight);
            EXPECT_EQ(Whole.nOpaque, Whole.nPixels) << Name << " has transparent pixels";
        };
        for (const std::string& Name : FullScreens)
            Check(Name, Sheets::SCREEN_WIDTH, Sheets::SCREEN_HEIGHT);
        for (const std::string& Name : Pages)
            Check(Name, Sheets::PAGE_WIDTH, Sheets::PAGE_HEIGHT);
        for (const SheetSize& Size : {Sheets::QUEST, Sheets::QUEST_EN}) {
            LoadedPicture Sheet = LoadPicture(Size.szName), Mask = LoadPicture(std::string(Size.szName) + "_a");
            EXPECT_EQ(Sheet.nWidth, Size.nWidth);
            EXPECT_EQ(Sheet.nHeight, Size.nHeight);
            EXPECT_EQ(Mask.nWidth, Size.nWidth) << "the mask of " << Size.szName;
        }
    });
}
