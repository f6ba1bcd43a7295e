// The tile sheets: every cell the game can draw holds a picture, bricks keep a
// seam between neighbours, kinds and stages look different, the animations
// and shots move, and the half-size sheets are the full ones scaled.
#include <gtest/gtest.h>

#include "LevelFormat.h"
#include "PlayArtTestSheets.h"
#include "art/PlayArt.h"

namespace {

class PlayArtTiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ForgeAndLoad(ForgeTileSheets, {&Sheets::TILES, &Sheets::TILES2, &Sheets::MINITILES, &Sheets::MINITILES2}, m_Sheets));
        for (const char* szName : {"tiles", "tiles2", "minitiles", "minitiles2"})
            ASSERT_TRUE(m_Sheets[szName].Loaded()) << szName;
    }
    std::map<std::string, LoadedSheet> m_Sheets;
};

SheetRect MiniTile(int nCode) { return {(int16_t)(nCode % 20 * 20), (int16_t)(nCode / 20 * 12), 20, 12}; }

bool IsBrick(int nCode) { return nCode < 353; }

TEST_F(PlayArtTiles, EveryCellAndShotHoldsAPicture)
{
    for (const char* szName : {"tiles", "tiles2"}) {
        const LoadedSheet& Sheet = m_Sheets[szName];
        const LoadedSheet& Mini = m_Sheets[std::string("mini") + szName];
        EXPECT_EQ(Sheet.nWidth, 800);
        EXPECT_EQ(Mini.nWidth, 400);
        for (int nCode = 0; nCode < 500; ++nCode) {
            if (LevelCellTileTaken(nCode))
                continue;
            // Bricks fill most of their cell; decorations and animations at least a part.
            int nMinimum = IsBrick(nCode) ? 40 * 24 * 3 / 4 : 30;
            EXPECT_GE(Sheet.OpaqueCount(Sheets::Tile(nCode)), nMinimum) << szName << " code " << nCode;
            EXPECT_GT(Mini.OpaqueCount(MiniTile(nCode)), nMinimum / 8) << "mini" << szName << " code " << nCode;
        }
        for (int nLevel = 1; nLevel <= 5; ++nLevel)
            for (int nFrame = 0; nFrame < 10; ++nFrame)
                EXPECT_GT(Sheet.OpaqueCount(Sheets::Shot(nLevel, nFrame)), 20) << szName << " shot " << nLevel << "/" << nFrame;
    }
}

TEST_F(PlayArtTiles, BricksLeaveASeamSoNeighboursReadAsSeparate)
{
    for (const char* szName : {"tiles", "tiles2"}) {
        const LoadedSheet& Sheet = m_Sheets[szName];
        for (int nCode = 0; nCode < 353; ++nCode) {
            SheetRect Cell = Sheets::Tile(nCode);
            int nSeam = 0;
            for (int x = Cell.x; x < Cell.Right(); ++x)
                nSeam += !Sheet.Opaque(x, Cell.y) + !Sheet.Opaque(x, Cell.Bottom() - 1);
            for (int y = Cell.y; y < Cell.Bottom(); ++y)
                nSeam += !Sheet.Opaque(Cell.x, y) + !Sheet.Opaque(Cell.Right() - 1, y);
            EXPECT_EQ(nSeam, 2 * (Cell.w + Cell.h)) << szName << " code " << nCode << " touches its cell's edge";
        }
    }
}

TEST_F(PlayArtTiles, KindsStagesAndStylesLookDifferent)
{
    const LoadedSheet& Glass = m_Sheets["tiles"];
    const LoadedSheet& Stone = m_Sheets["tiles2"];
    // Column 3 of each kind: normal, bonus (both rows), indestructible, the four
    // multi-hit stages in the order they are hit, sliding.
    const int KINDS[] = {3, 23, 63, 183, 243, 303, 283, 263, 340};
    for (const LoadedSheet* pSheet : {&Glass, &Stone})
        for (int a : KINDS)
            for (int b : KINDS)
                if (a < b) {
                    EXPECT_FALSE(pSheet->SamePixels(Sheets::Tile(a), Sheets::Tile(b))) << a << " and " << b;
                }
    // The same code in the two sheets: two styles.
    for (int nCode : KINDS) {
        int nDiffering = 0;
        SheetRect Cell = Sheets::Tile(nCode);
        for (int y = Cell.y; y < Cell.Bottom(); ++y)
            for (int x = Cell.x; x < Cell.Right(); ++x)
                nDiffering += Glass.At(x, y) != Stone.At(x, y);
        EXPECT_GT(nDiffering, Cell.w * Cell.h / 2) << nCode;
    }
    // Columns take their hues: the red brick of column 0 is redder than the blue one of column 9.
    double r0, g0, b0, r9, g9, b9;
    Glass.MeanColour(Sheets::Tile(0), r0, g0, b0);
    Glass.MeanColour(Sheets::Tile(9), r9, g9, b9);
    EXPECT_GT(r0, b0);
    EXPECT_GT(b9, r9);
}

TEST_F(PlayArtTiles, AnimationFramesAndShotsMove)
{
    for (const char* szName : {"tiles", "tiles2"}) {
        const LoadedSheet& Sheet = m_Sheets[szName];
        for (int nFirst : {480, 485, 490})
            for (int nFrame = 1; nFrame < 5; ++nFrame)
                EXPECT_FALSE(Sheet.SamePixels(Sheets::Tile(nFirst + nFrame - 1), Sheets::Tile(nFirst + nFrame)))
                    << szName << " " << nFirst + nFrame;
        // A burst fades out: its last frame covers less than its first.
        for (int nFirst : {480, 485, 490})
            EXPECT_LT(Sheet.OpaqueCount(Sheets::Tile(nFirst + 4)), Sheet.OpaqueCount(Sheets::Tile(nFirst)));
        // Used teleporters differ from the working ones, A from B.
        EXPECT_FALSE(Sheet.SamePixels(Sheets::Tile(495), Sheets::Tile(497)));
        EXPECT_FALSE(Sheet.SamePixels(Sheets::Tile(497), Sheets::Tile(498)));
        for (int nLevel = 1; nLevel <= 5; ++nLevel) {
            int nDistinct = 0;
            for (int nFrame = 1; nFrame < 10; ++nFrame)
                nDistinct += !Sheet.SamePixels(Sheets::Shot(nLevel, 0), Sheets::Shot(nLevel, nFrame));
            EXPECT_GT(nDistinct, 0) << "shot level " << nLevel << " does not animate";
        }
        // Stronger shots are bigger.
        for (int nLevel = 2; nLevel <= 5; ++nLevel)
            EXPECT_GT(Sheet.OpaqueCount(Sheets::Shot(nLevel, 0)), Sheet.OpaqueCount(Sheets::Shot(nLevel - 1, 0))) << nLevel;
    }
}

TEST_F(PlayArtTiles, HalfSizeSheetsAreTheFullOnesScaled)
{
    for (const char* szName : {"tiles", "tiles2"}) {
        const LoadedSheet& Full = m_Sheets[szName];
        const LoadedSheet& Mini = m_Sheets[std::string("mini") + szName];
        for (int nCode : {0, 9, 23, 185, 262, 341}) {
            double fr, fg, fb, mr, mg, mb;
            Full.MeanColour(Sheets::Tile(nCode), fr, fg, fb);
            Mini.MeanColour(MiniTile(nCode), mr, mg, mb);
            EXPECT_NEAR(fr, mr, 24) << szName << " " << nCode;
            EXPECT_NEAR(fg, mg, 24) << szName << " " << nCode;
            EXPECT_NEAR(fb, mb, 24) << szName << " " << nCode;
        }
    }
}

}  // namespace
