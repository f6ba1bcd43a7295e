// Levels read through the game's loader: what reaches the store, the teleporter
// targets, the background number, the set the settings choose, damaged files.
#include "game/GameFixture.h"

#include <filesystem>

namespace {

using namespace gametest;

class LevelLoading : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string Dir = EnterScratchDirectory() + "/";
        std::filesystem::create_directories("data/levels");
        std::filesystem::create_directories("data/userlevels");
        Korvid.SetFileCacheSize(0);
        Korvid.SetReadDir(Dir.c_str());
        Korvid.StartLog();
        g_nUL = 0;
        g_nSST = 1;
    }
    // Level file nFile of a set ("data/levels/lv" and the like) with these levels in slot order.
    static void WriteLevels(const std::string& Stem, int nFile, const std::vector<Level>& Levels)
    {
        Bytes LevelBytes, ParamBytes;
        LevelEncodeFile(LevelFileData{nFile, Levels}, LevelBytes, ParamBytes);
        WriteFileBytes(Stem + std::to_string(nFile) + ".dat", LevelBytes);
        WriteFileBytes(Stem + std::to_string(nFile) + "p.dat", ParamBytes);
    }
    static int Cell(int nLevel, int nColumn, int nRow) { return g_LevelCells[nLevel][LevelCellIndex(nColumn, nRow)]; }
    static std::array<int, 4> Beams() { return {g_nBeamAX, g_nBeamAY, g_nBeamBX, g_nBeamBY}; }
};

TEST_F(LevelLoading, RowsBelowTheFieldAreEmptiedTheLastTeleporterMarkerWinsAndEachSlotHasItsBackground)
{
    // Later in row order a marker wins although its column is smaller; one below the field is emptied, yet counts.
    WriteLevels("data/levels/lv", 2,
                {MakeLevel(3, {{0, 0, 12}, {18, 17, 241}, {5, 2, 497}, {1, 3, 497}, {7, 19, 498}, {3, 18, 40},
                               {18, 20, 180}})});
    ASSERT_TRUE(GameLoadLevel(10));
    EXPECT_EQ((std::array<int, 6>{Cell(10, 0, 0), Cell(10, 18, 17), Cell(10, 5, 2), Cell(10, 7, 19),
                                  Cell(10, 3, 18), Cell(10, 18, 20)}),
              (std::array<int, 6>{12, 241, 497, -1, -1, -1}));
    EXPECT_EQ(Beams(), (std::array<int, 4>{1 * 40, 3 * 24, 7 * 40, 19 * 24}));
    EXPECT_EQ(g_nLevelBackground, 3);
    // A level without markers clears the targets of the one before.
    WriteLevels("data/levels/lv", 1, {MakeLevel(0), MakeLevel(0), MakeLevel(0), MakeLevel(7)});
    ASSERT_TRUE(GameLoadLevel(3));
    EXPECT_EQ(Beams(), (std::array<int, 4>{-1, -1, -1, -1}));
    EXPECT_EQ(g_nLevelBackground, 7);

    // The hard set, and the user set winning over it, read from its own folder with its own file's offset.
    g_nSST = 2;
    EXPECT_FALSE(GameLoadLevel(25));   // no such files in the scratch directory
    EXPECT_TRUE(HasLine("** ERROR ** LoadLevel: Could Not Open 'data/levels/swrlev3.dat'"));
    EXPECT_TRUE(HasLine("** ERROR ** LoadLevelParams: Unable To Open File 'data/levels/swrlev3p.dat', Returning FALSE"));
    WriteLevels("data/userlevels/usrlev", 3,
                {MakeLevel(0), MakeLevel(0), MakeLevel(0), MakeLevel(0), MakeLevel(0), MakeLevel(9, {{4, 4, 77}})});
    g_nUL = 1;
    ASSERT_TRUE(GameLoadLevel(25));
    EXPECT_EQ(Pair(Cell(25, 4, 4), g_nLevelBackground), Pair(77, 9));
}

TEST_F(LevelLoading, MissingAndShortFilesAndBadBackgroundsLeaveEmptyOrZeroAndLevelsOutsideTheStoreAreRefused)
{
    g_LevelCells[4][0] = 33;
    g_nLevelBackground = 5;
    EXPECT_FALSE(GameLoadLevel(4));
    EXPECT_TRUE(std::all_of(g_LevelCells[4], g_LevelCells[4] + LEVEL_CELLS, [](int16_t n) { return n == -1; }));
    EXPECT_EQ(g_nLevelBackground, 0);
    for (int32_t nLevel : {-1, GAME_LEVEL_SLOTS}) {
        EXPECT_FALSE(GameLoadLevel(nLevel));
        EXPECT_FALSE(GameLoadLevelParams(nLevel, 0));
        GameClearLevel(nLevel);
    }
    EXPECT_TRUE(HasLine("** ERROR ** LoadLevel: Level 200 Outside The Level Store (0..199)"));

    // A short file leaves zeros minus the file's offset; a slot entirely past its end reads as nothing else.
    Bytes Record(LEVEL_RECORD_BYTES);
    LevelEncodeRecord(MakeLevel(0, {{0, 0, 5}}).Cells, 1, Record.data());
    Record.resize(100);   // the first 50 values: column 0, rows 0..20, column 1, column 2 rows 0..7
    WriteFileBytes("data/levels/lv1.dat", Record);
    ASSERT_TRUE(GameLoadLevel(0));
    const int nMissing = -LevelFileOffset(1);
    EXPECT_EQ((std::array<int, 5>{Cell(0, 0, 0), Cell(0, 2, 7), Cell(0, 2, 8), Cell(0, 18, 17), Cell(0, 18, 18)}),
              (std::array<int, 5>{5, -1, nMissing, nMissing, -1}));
    ASSERT_TRUE(GameLoadLevel(1));
    EXPECT_EQ(Cell(1, 0, 0), nMissing);

    // Backgrounds outside 0..20, written by hand: the format library refuses to write them.
    Bytes Params;
    for (int32_t nValue : {21, -1, 20, 0, 1, 0x7FFFFFFF})
        for (int nByte = 0; nByte < 4; ++nByte)
            Params.push_back((uint8_t)((uint32_t)nValue >> (8 * nByte)));
    WriteFileBytes("data/levels/lv1p.dat", Params);
    const int32_t Wanted[] = {0, 0, 20, 0, 1, 0};
    for (int nLevel = 0; nLevel < 6; ++nLevel) {
        g_nLevelBackground = 99;
        EXPECT_TRUE(GameLoadLevelParams(nLevel, 1));
        EXPECT_EQ(g_nLevelBackground, Wanted[nLevel]) << "level " << nLevel;
    }
}

}  // namespace
