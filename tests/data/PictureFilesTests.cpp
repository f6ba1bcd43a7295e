// Every picture the game loads exists in the forged data set, reads with the
// engine's own KVP reader and has the size the game draws it at; every
// rectangle the game draws from a sheet lies inside it and is not empty.
#include <string>
#include <vector>

#include "DataSetFixture.h"
#include "sheets.h"

namespace {

struct PictureSize {
    std::string Name;
    int nWidth, nHeight;
};

std::vector<PictureSize> ScreenPictures()
{
    std::vector<PictureSize> Pictures = {{"m1", 800, 600}, {"m1_en", 800, 600}, {"m2", 800, 600},
                                         {"m3", 800, 600}, {"m3_en", 800, 600}, {"m4", 800, 600},
                                         {"m4_en", 800, 600}, {"m5", 800, 600}, {"mpm1", 800, 600},
                                         {"spaceback", 630, 550}};
    for (int n = 1; n <= Sheets::INSTRUCTION_PAGES; ++n) {
        Pictures.push_back({"m3_" + std::to_string(n), 600, 400});
        Pictures.push_back({"m3_" + std::to_string(n) + "_en", 600, 400});
    }
    for (int n = 1; n <= Sheets::BACKGROUND_COUNT; ++n)
        Pictures.push_back({"hg" + std::to_string(n), 800, 600});
    return Pictures;
}

// Loads a picture of the data set into chunky 1; its record, or null.
const ChunkyObject* LoadPicture(const std::string& Name)
{
    std::string Path = "dataset/gfx/" + Name + ".kvp";
    Korvid.FreeChunky(1);
    if (!Korvid.LoadChunky(1, Path.c_str(), KOR_LOAD_DEPTH16))
        return nullptr;
    return Korvid.ChunkyRecord(1);
}

}  // namespace

TEST_F(DataSetTest, EveryScreenPictureLoadsAtItsSize)
{
    WithEngine([] {
        for (const PictureSize& Picture : ScreenPictures()) {
            const ChunkyObject* pChunky = LoadPicture(Picture.Name);
            ASSERT_NE(pChunky, nullptr) << Picture.Name;
            EXPECT_EQ(pChunky->nWidth, Picture.nWidth) << Picture.Name;
            EXPECT_EQ(pChunky->nHeight, Picture.nHeight) << Picture.Name;
            // A screen picture is opaque: no pixel is the transparent colour.
            size_t nClear = 0;
            for (size_t n = 0; n < (size_t)pChunky->nWidth * pChunky->nHeight; ++n)
                nClear += pChunky->Pixels16()[n] == 0;
            EXPECT_EQ(nClear, 0u) << Picture.Name;
        }
    });
}

TEST_F(DataSetTest, EverySheetAndItsMaskLoadAtTheSameSize)
{
    WithEngine([] {
        for (const SheetSize& Sheet : Sheets::ALL_SHEETS) {
            const ChunkyObject* pChunky = LoadPicture(Sheet.szName);
            ASSERT_NE(pChunky, nullptr) << Sheet.szName;
            EXPECT_EQ(pChunky->nWidth, Sheet.nWidth) << Sheet.szName;
            EXPECT_EQ(pChunky->nHeight, Sheet.nHeight) << Sheet.szName;
            std::vector<uint16_t> Pixels(pChunky->Pixels16(), pChunky->Pixels16() + (size_t)Sheet.nWidth * Sheet.nHeight);
            const ChunkyObject* pMask = LoadPicture(std::string(Sheet.szName) + "_a");
            EXPECT_EQ(pMask != nullptr, Sheet.bMask) << Sheet.szName;
            if (!pMask)
                continue;
            ASSERT_EQ(pMask->nWidth, Sheet.nWidth);
            ASSERT_EQ(pMask->nHeight, Sheet.nHeight);
            // The picture is transparent exactly where the mask is black.
            size_t nDisagree = 0;
            for (size_t n = 0; n < Pixels.size(); ++n)
                nDisagree += (Pixels[n] == 0) != (pMask->Pixels16()[n] == 0);
            EXPECT_EQ(nDisagree, 0u) << Sheet.szName;
        }
    });
}
