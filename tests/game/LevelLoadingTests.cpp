// Levels read through the game's loader: where each level lives, what reaches
// the store, the teleporter targets, the background number and the log lines.
#include "game/GameFixture.h"

#include <filesystem>

#include "LevelFormat.h"

namespace {

using Bytes = std::vector<uint8_t>;

class LevelLoading : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = EnterScratchDirectory() + "/";
        std::filesystem::create_directories("data/levels");
        std::filesystem::create_directories("data/userlevels");
        Korvid.SetFileCacheSize(0);
        Korvid.SetReadDir(m_Dir.c_str());
        Korvid.StartLog();
        g_nUL = 0;
        g_nSST = 1;
    }

    // Writes level file nFile of a set with the given levels (slot order) and backgrounds.
    static void WriteLevelFile(const std::string& Stem, int nFile, const std::vector<LevelCells>& Levels,
                               const std::vector<int>& Backgrounds)
    {
        LevelFileData File;
        File.nFile = nFile;
        for (size_t n = 0; n < Levels.size(); ++n) {
            Level Each;
            Each.Cells = Levels[n];
            Each.nBackground = n < Backgrounds.size() ? Backgrounds[n] : 0;
            File.Levels.push_back(Each);
        }
        Bytes LevelBytes, ParamBytes;
        LevelEncodeFile(File, LevelBytes, ParamBytes);
        WriteFileBytes(Stem + std::to_string(nFile) + ".dat", LevelBytes);
        WriteFileBytes(Stem + std::to_string(nFile) + "p.dat", ParamBytes);
    }

    static LevelCells Empty()
    {
        LevelCells Cells;
        Cells.fill(LEVEL_CELL_EMPTY);
        return Cells;
    }

    static int16_t Cell(int nLevel, int nColumn, int nRow)
    {
        return g_LevelCells[nLevel][LevelCellIndex(nColumn, nRow)];
    }

    std::string m_Dir;
};

TEST_F(LevelLoading, TheRealNormalSetIsReadFromTheRightFileAndOffset)
{
    Korvid.SetReadDir((std::string(TAMBOREL_DATA_SET) + "/../").c_str());
    struct Case {
        int nLevel;
        int nFile;
        int nOffset;
    };
    for (const Case& Each : {Case{0, 1, 0}, Case{9, 1, 7182}, Case{10, 2, 0}, Case{57, 6, 5586}}) {
        ASSERT_TRUE(GameLoadLevel(Each.nLevel));
        std::string Name = "levels/lv" + std::to_string(Each.nFile) + ".dat";
        Bytes File = ReadFileBytes(std::string(TAMBOREL_DATA_SET) + "/" + Name);
        ASSERT_GE(File.size(), (size_t)Each.nOffset + LEVEL_RECORD_BYTES);
        LevelCells Wanted;
        LevelDecodeRecord(File.data() + Each.nOffset, Each.nFile, Wanted);
        for (int nRow = LEVEL_PLAYED_ROWS; nRow < LEVEL_ROWS; ++nRow)
            for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn)
                Wanted[LevelCellIndex(nColumn, nRow)] = LEVEL_CELL_EMPTY;
        EXPECT_TRUE(std::equal(Wanted.begin(), Wanted.end(), g_LevelCells[Each.nLevel])) << "level " << Each.nLevel;
        std::vector<std::string> Log = LogMessages();
        EXPECT_NE(IndexOf(Log, "LoadLevel: Attempting To Open File 'data/" + Name + "' For Level Access"), -1);
        EXPECT_NE(IndexOf(Log, "LoadLevel[" + std::to_string(Each.nLevel) + "]: Seeking To Position " +
                                   std::to_string(Each.nOffset) + " In File"),
                  -1);
    }
}

TEST_F(LevelLoading, LogsEveryStepInOrder)
{
    WriteLevelFile("data/levels/lv", 1, {Empty(), Empty(), Empty(), Empty()}, {0, 0, 0, 7});
    ASSERT_TRUE(GameLoadLevel(3));
    std::vector<std::string> Log = LogMessages();
    std::vector<std::string> Wanted = {"Tamborel: GameLoadLevel(3)",
                                       "Tamborel: GameClearLevel()",
                                       "Tamborel: GameLoadLevelParams(3, 0)",
                                       "LoadLevel: Attempting To Open File 'data/levels/lv1.dat' For Level Access",
                                       "LoadLevel[3]: Seeking To Position 2394 In File",
                                       "Tamborel: Finished GameLoadLevel()"};
    EXPECT_TRUE(ContainsInOrder(Log, Wanted));
    EXPECT_EQ(g_nLevelBackground, 7);
}

TEST_F(LevelLoading, RowsBelowTheFieldAreEmptiedAndTheLastTeleporterMarkerWins)
{
    LevelCells Cells = Empty();
    Cells[LevelCellIndex(0, 0)] = 12;
    Cells[LevelCellIndex(18, 17)] = 241;
    Cells[LevelCellIndex(5, 2)] = 497;
    Cells[LevelCellIndex(1, 3)] = 497;    // later in row order: wins although its column is smaller
    Cells[LevelCellIndex(7, 19)] = 498;   // below the field: emptied, yet names teleporter B
    Cells[LevelCellIndex(3, 18)] = 40;
    Cells[LevelCellIndex(18, 20)] = 180;
    WriteLevelFile("data/levels/lv", 2, {Cells}, {3});
    ASSERT_TRUE(GameLoadLevel(10));
    EXPECT_EQ(Cell(10, 0, 0), 12);
    EXPECT_EQ(Cell(10, 18, 17), 241);
    EXPECT_EQ(Cell(10, 5, 2), 497);
    EXPECT_EQ(Cell(10, 7, 19), -1);
    EXPECT_EQ(Cell(10, 3, 18), -1);
    EXPECT_EQ(Cell(10, 18, 20), -1);
    EXPECT_EQ(g_nBeamAX, 1 * 40);
    EXPECT_EQ(g_nBeamAY, 3 * 24);
    EXPECT_EQ(g_nBeamBX, 7 * 40);
    EXPECT_EQ(g_nBeamBY, 19 * 24);

    // A level without markers clears the targets of the one before.
    WriteLevelFile("data/levels/lv", 1, {Empty()}, {0});
    ASSERT_TRUE(GameLoadLevel(0));
    EXPECT_EQ(g_nBeamAX, -1);
    EXPECT_EQ(g_nBeamAY, -1);
    EXPECT_EQ(g_nBeamBX, -1);
    EXPECT_EQ(g_nBeamBY, -1);
}

TEST_F(LevelLoading, BackgroundNumbersOutsideTheirRangeBecomeZero)
{
    // Written by hand: the format library refuses to write such numbers.
    Bytes Params;
    for (int32_t nValue : {21, -1, 20, 0, 1, 0x7FFFFFFF}) {
        for (int nByte = 0; nByte < 4; ++nByte)
            Params.push_back((uint8_t)((uint32_t)nValue >> (8 * nByte)));
    }
    WriteFileBytes("data/levels/lv1p.dat", Params);
    const int32_t Wanted[] = {0, 0, 20, 0, 1, 0};
    for (int nLevel = 0; nLevel < 6; ++nLevel) {
        g_nLevelBackground = 99;
        EXPECT_TRUE(GameLoadLevelParams(nLevel, 1));
        EXPECT_EQ(g_nLevelBackground, Wanted[nLevel]) << "level " << nLevel;
    }
    EXPECT_NE(IndexOf(LogMessages(), "Tamborel: GameLoadLevelParams(5, 1)"), -1);
}

TEST_F(LevelLoading, TheSettingsChooseTheSet)
{
    struct Case {
        int nUL, nSST;
        const char* szLevelFile;
        const char* szParamFile;
    };
    for (const Case& Each : {Case{0, 0, "data/levels/lv3.dat", "data/levels/lv3p.dat"},
                             Case{0, 1, "data/levels/lv3.dat", "data/levels/lv3p.dat"},
                             Case{0, 2, "data/levels/swrlev3.dat", "data/levels/swrlev3p.dat"},
                             Case{1, 2, "data/userlevels/usrlev3.dat", "data/userlevels/usrlev3p.dat"},
                             Case{-1, 0, "data/userlevels/usrlev3.dat", "data/userlevels/usrlev3p.dat"}}) {
        g_nUL = Each.nUL;
        g_nSST = Each.nSST;
        EXPECT_FALSE(GameLoadLevel(25));   // no such files in the scratch directory
        std::vector<std::string> Log = LogMessages();
        EXPECT_EQ(Log.back(), std::string("** ERROR ** LoadLevel: Could Not Open '") + Each.szLevelFile + "'");
        EXPECT_NE(IndexOf(Log, std::string("** ERROR ** LoadLevelParams: Unable To Open File '") + Each.szParamFile +
                                   "', Returning FALSE"),
                  -1);
    }
    // The user set really is read from its own folder, with its own file's offset.
    LevelCells Cells = Empty();
    Cells[LevelCellIndex(4, 4)] = 77;
    WriteLevelFile("data/userlevels/usrlev", 3, {Empty(), Empty(), Empty(), Empty(), Empty(), Cells}, {0, 0, 0, 0, 0, 9});
    g_nUL = 1;
    ASSERT_TRUE(GameLoadLevel(25));
    EXPECT_EQ(Cell(25, 4, 4), 77);
    EXPECT_EQ(g_nLevelBackground, 9);
}

TEST_F(LevelLoading, AMissingFileLeavesTheSlotEmpty)
{
    g_LevelCells[4][0] = 33;
    g_nLevelBackground = 5;
    EXPECT_FALSE(GameLoadLevel(4));
    EXPECT_TRUE(std::all_of(g_LevelCells[4], g_LevelCells[4] + LEVEL_CELLS, [](int16_t n) { return n == -1; }));
    EXPECT_EQ(g_nLevelBackground, 0);
}

TEST_F(LevelLoading, AShortFileLeavesZerosMinusTheFileOffset)
{
    LevelCells Cells = Empty();
    Cells[LevelCellIndex(0, 0)] = 5;
    Bytes Record(LEVEL_RECORD_BYTES);
    LevelEncodeRecord(Cells, 1, Record.data());
    Record.resize(100);   // the first 50 values: column 0, rows 0..20, column 1, column 2 rows 0..7
    WriteFileBytes("data/levels/lv1.dat", Record);
    ASSERT_TRUE(GameLoadLevel(0));
    EXPECT_EQ(Cell(0, 0, 0), 5);
    EXPECT_EQ(Cell(0, 2, 7), -1);
    int16_t nMissing = (int16_t)-LevelFileOffset(1);
    EXPECT_EQ(Cell(0, 2, 8), nMissing);
    EXPECT_EQ(Cell(0, 18, 17), nMissing);
    EXPECT_EQ(Cell(0, 18, 18), -1);
    // A slot entirely past the end reads as nothing but zeros.
    ASSERT_TRUE(GameLoadLevel(1));
    EXPECT_EQ(Cell(1, 0, 0), nMissing);
}

TEST_F(LevelLoading, LevelNumbersOutsideTheStoreAreRefused)
{
    for (int32_t nLevel : {-1, GAME_LEVEL_SLOTS}) {
        EXPECT_FALSE(GameLoadLevel(nLevel));
        EXPECT_FALSE(GameLoadLevelParams(nLevel, 0));
        GameClearLevel(nLevel);
    }
    EXPECT_NE(IndexOf(LogMessages(), "** ERROR ** LoadLevel: Level 200 Outside The Level Store (0..199)"), -1);
}

}  // namespace
