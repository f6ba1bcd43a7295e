// The data set as the build forged it, read with the engine's own readers: every
// picture the game loads at its size and every sheet's mask agreeing with it. The
// forge tests compare what each step writes with these files and look inside them.
#include <unistd.h>

#include "ForgeTest.h"

namespace {

class DataSet : public ForgeTest {};

TEST_F(DataSet, EveryPictureLoadsAtItsSizeScreensOpaqueAndMasksAgreeingWithTheirSheets)
{
    // The engine opens picture names in lower case: the build's folder is reached through a link.
    ASSERT_EQ(symlink(TAMBOREL_DATA_SET "/gfx", "gfx"), 0);
    std::vector<SheetSize> Pictures(std::begin(Sheets::ALL_SHEETS), std::end(Sheets::ALL_SHEETS));
    std::vector<std::string> Screens = {"m1", "m1_en", "m2", "m3", "m3_en", "m4", "m4_en", "m5", "mpm1"}, Pages;
    for (int n = 1; n <= Sheets::BACKGROUND_COUNT; ++n)
        Screens.push_back("hg" + std::to_string(n));
    for (int n = 1; n <= Sheets::INSTRUCTION_PAGES; ++n)
        Pages.push_back("m3_" + std::to_string(n)), Pages.push_back("m3_" + std::to_string(n) + "_en");
    for (const std::string& Name : Screens)
        Pictures.push_back({Name.c_str(), Sheets::SCREEN_WIDTH, Sheets::SCREEN_HEIGHT, false});
    for (const std::string& Name : Pages)
        Pictures.push_back({Name.c_str(), Sheets::PAGE_WIDTH, Sheets::PAGE_HEIGHT, false});
    Pictures.push_back(Sheets::SPACEBACK);
    RunInEngine([&](const ForgeContext&) {
        for (size_t n = 0; n < Pictures.size(); ++n) {
            const SheetSize& Size = Pictures[n];
            SCOPED_TRACE(Size.szName);
            Picture16 Picture = LoadPicture(Size.szName, Size.bMask);
            EXPECT_EQ(std::vector<int>({Picture.nWidth, Picture.nHeight}),
                      std::vector<int>({Size.nWidth, Size.nHeight}));
            EXPECT_EQ(Korvid.LoadChunky(2, ("gfx/" + std::string(Size.szName) + "_a.kvp").c_str(), 0) != 0, Size.bMask);
            Korvid.FreeChunky(2);
            // A screen picture is opaque; a sheet is transparent exactly where its mask is black.
            size_t nClear = std::count(Picture.Pixels.begin(), Picture.Pixels.end(), 0), nDisagree = 0;
            EXPECT_TRUE(n < std::size(Sheets::ALL_SHEETS) || nClear == 0) << nClear << " transparent pixels";
            for (size_t m = 0; m < Picture.Opacity.size(); ++m)
                nDisagree += (Picture.Pixels[m] == 0) != (Picture.Opacity[m] == 0);
            EXPECT_EQ(nDisagree, 0u);
        }
    });
}

// The forge program itself, asked for one cheap step: it works in a folder with
// capitals in its path (the engine lowers the names it opens) and writes what the
// build wrote. The forge tests compare every other step the same way.
TEST(ForgeProgram, WritesTheAskedStepAsTheBuildDidAndRefusesUnknownSteps)
{
    EnterScratchDirectory();
    std::string Forge = std::string(TAMBOREL_FORGE) + " --only levels Again/Data >forge.out 2>&1";
    ASSERT_EQ(system(Forge.c_str()), 0) << ReadFileText("forge.out");
    EXPECT_EQ(ReadFileText("forge.out"), "tamborel-forge: levels\n");
    EXPECT_EQ(ExpectSameAsDataSet("Again/Data"), 42u)
        << "ten normal, ten hard and one user level file, with parameters";
    Forge = std::string(TAMBOREL_FORGE) + " --only sparkles Again/Data >forge.out 2>&1";
    EXPECT_NE(system(Forge.c_str()), 0);
    EXPECT_EQ(ReadFileText("forge.out"), "tamborel-forge: unknown step 'sparkles'\n");
}

}  // namespace
