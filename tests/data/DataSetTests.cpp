// The data set as the build forged it, read with the engine's own readers: every
// picture the game loads at its size and every sheet's mask agreeing with it. The
// forge tests compare what each step writes with these files and look inside them.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "sheets.h"
#include "korvid.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"

namespace {

class DataSetTest : public ::testing::Test {
protected:
    // The engine opens picture names in lower case, so the data set is reached
    // through a link of a lower-case name in the scratch folder.
    void SetUp() override
    {
        EnterScratchDirectory();
        ASSERT_EQ(symlink(TAMBOREL_DATA_SET, "dataset"), 0);
    }

    // Runs Check with the engine up as the game runs it (16-bit display, 1000 chunkies).
    void WithEngine(const std::function<void()>& Check)
    {
        g_TestApp.Config = [] {
            Korvid.SetFrameRate(KOR_FPS_ONE_FRAME);
            Korvid.SetMaxChunkies(1000);
            Korvid.ChangeDisplayMode(800, 600, 16, KOR_WINDOWED);
        };
        g_TestApp.Setup = [&] {
            Check();
            return true;
        };
        EXPECT_EQ(Korvid.Main(0, nullptr), 0);
    }
};

// Loads a picture of the data set into chunky 1; its record, or null.
const ChunkyObject* LoadPicture(const std::string& Name, uint32_t nChunky = 1)
{
    Korvid.FreeChunky(nChunky);
    return Korvid.LoadChunky(nChunky, ("dataset/gfx/" + Name + ".kvp").c_str(), KOR_LOAD_DEPTH16)
               ? Korvid.ChunkyRecord(nChunky)
               : nullptr;
}

size_t CountClear(const ChunkyObject& Chunky)
{
    return (size_t)std::count(Chunky.Pixels16(), Chunky.Pixels16() + (size_t)Chunky.nWidth * Chunky.nHeight, 0);
}

TEST_F(DataSetTest, EveryPictureLoadsAtItsSizeScreensOpaqueAndMasksAgreeingWithTheirSheets)
{
    struct Expected {
        std::string Name;
        int nWidth, nHeight;
        bool bScreen, bMask;
    };
    std::vector<Expected> Pictures = {{"spaceback", 630, 550, true, false}};
    for (const char* szName : {"m1", "m1_en", "m2", "m3", "m3_en", "m4", "m4_en", "m5", "mpm1"})
        Pictures.push_back({szName, 800, 600, true, false});
    for (int n = 1; n <= Sheets::BACKGROUND_COUNT; ++n)
        Pictures.push_back({"hg" + std::to_string(n), 800, 600, true, false});
    for (int n = 1; n <= Sheets::INSTRUCTION_PAGES; ++n)
        for (const char* szLanguage : {"", "_en"})
            Pictures.push_back({"m3_" + std::to_string(n) + szLanguage, 600, 400, true, false});
    for (const SheetSize& Sheet : Sheets::ALL_SHEETS)
        Pictures.push_back({Sheet.szName, Sheet.nWidth, Sheet.nHeight, false, Sheet.bMask});
    WithEngine([&] {
        for (const Expected& Picture : Pictures) {
            SCOPED_TRACE(Picture.Name);
            const ChunkyObject* pPicture = LoadPicture(Picture.Name);
            ASSERT_NE(pPicture, nullptr);
            EXPECT_EQ(pPicture->nWidth, Picture.nWidth);
            EXPECT_EQ(pPicture->nHeight, Picture.nHeight);
            EXPECT_TRUE(!Picture.bScreen || CountClear(*pPicture) == 0) << "a screen picture is opaque";
            const ChunkyObject* pMask = LoadPicture(Picture.Name + "_a", 2);
            ASSERT_EQ(pMask != nullptr, Picture.bMask);
            if (!pMask)
                continue;
            ASSERT_EQ(pMask->nWidth, Picture.nWidth);
            ASSERT_EQ(pMask->nHeight, Picture.nHeight);
            // The picture is transparent exactly where the mask is black.
            size_t nDisagree = 0;
            for (size_t n = 0; n < (size_t)Picture.nWidth * Picture.nHeight; ++n)
                nDisagree += (pPicture->Pixels16()[n] == 0) != (pMask->Pixels16()[n] == 0);
            EXPECT_EQ(nDisagree, 0u);
        }
    });
}

// The forge program itself, asked for one cheap step: it works in a folder with
// capitals in its path (the engine lowers the names it opens) and writes what
// the build wrote. The forge tests compare every other step the same way.
TEST(ForgeProgram, WritesTheAskedStepAsTheBuildDidAndRefusesUnknownSteps)
{
    EnterScratchDirectory();
    std::string Forge = std::string(TAMBOREL_FORGE) + " --only levels Again/Data >forge.out 2>&1";
    ASSERT_EQ(system(Forge.c_str()), 0) << ReadFileText("forge.out");
    EXPECT_EQ(ReadFileText("forge.out"), "tamborel-forge: levels\n");
    size_t nFiles = 0;
    for (const auto& Entry : std::filesystem::recursive_directory_iterator("Again/Data")) {
        std::string Relative = std::filesystem::relative(Entry.path(), "Again/Data").string();
        nFiles += Entry.is_regular_file();
        EXPECT_TRUE(!Entry.is_regular_file() ||
                    ReadFileBytes(Entry.path()) == ReadFileBytes(TAMBOREL_DATA_SET "/" + Relative))
            << Relative;
    }
    EXPECT_EQ(nFiles, 42u) << "ten normal, ten hard and one user level file, each with its parameters";

    Forge = std::string(TAMBOREL_FORGE) + " --only sparkles Again/Data >forge.out 2>&1";
    EXPECT_NE(system(Forge.c_str()), 0);
    EXPECT_EQ(ReadFileText("forge.out"), "tamborel-forge: unknown step 'sparkles'\n");
}

}  // namespace
