// The level file format: where a level lives, the record and background bytes,
// the cell kinds and the rules of a playable level.
#include <gtest/gtest.h>

#include <set>

#include "LevelFormat.h"
#include "LevelRules.h"

namespace {

Level LevelWith(std::initializer_list<std::tuple<int, int, int>> Cells, int nBackground = 5)
{
    Level Made;
    Made.nBackground = nBackground;
    for (auto [nColumn, nRow, nCode] : Cells)
        Made.Cells[LevelCellIndex(nColumn, nRow)] = static_cast<int16_t>(nCode);
    return Made;
}

bool Mentions(const std::vector<std::string>& Problems, const std::string& Text)
{
    for (const std::string& Problem : Problems)
        if (Problem.find(Text) != std::string::npos)
            return true;
    return false;
}

}  // namespace

TEST(LevelFormat, LevelNumbersMapToFileSlotAndOffsets)
{
    struct Case {
        int nLevel, nFile, nSlot, nRecordOffset, nParamOffset;
    };
    for (const Case& Expected : {Case{0, 1, 0, 0, 0}, Case{9, 1, 9, 7182, 36}, Case{10, 2, 0, 0, 0},
                                 Case{57, 6, 7, 5586, 28}, Case{99, 10, 9, 7182, 36}, Case{109, 11, 9, 7182, 36}}) {
        LevelPlace Place = LevelPlaceOf(Expected.nLevel);
        EXPECT_EQ(Place.nFile, Expected.nFile) << Expected.nLevel;
        EXPECT_EQ(Place.nSlot, Expected.nSlot) << Expected.nLevel;
        EXPECT_EQ(LevelRecordOffset(Expected.nLevel), Expected.nRecordOffset) << Expected.nLevel;
        EXPECT_EQ(LevelParamOffset(Expected.nLevel), Expected.nParamOffset) << Expected.nLevel;
    }
}

TEST(LevelFormat, SettingsChooseTheSetAndItsFileNames)
{
    EXPECT_EQ(LevelChooseSet(0, 0), LevelSet::Normal);
    EXPECT_EQ(LevelChooseSet(0, 1), LevelSet::Normal);
    EXPECT_EQ(LevelChooseSet(0, 2), LevelSet::Hard);
    EXPECT_EQ(LevelChooseSet(1, 2), LevelSet::User);   // user levels win over the hard set
    EXPECT_EQ(LevelChooseSet(-3, 0), LevelSet::User);

    EXPECT_EQ(LevelFileName(LevelSet::Normal, 1), "levels/lv1.dat");
    EXPECT_EQ(LevelParamFileName(LevelSet::Normal, 10), "levels/lv10p.dat");
    EXPECT_EQ(LevelFileName(LevelSet::Hard, 3), "levels/swrlev3.dat");
    EXPECT_EQ(LevelParamFileName(LevelSet::Hard, 3), "levels/swrlev3p.dat");
    EXPECT_EQ(LevelFileName(LevelSet::User, 2), "userlevels/usrlev2.dat");
    EXPECT_EQ(LevelParamFileName(LevelSet::User, 2), "userlevels/usrlev2p.dat");
    EXPECT_EQ(LevelSourceName(LevelSet::Hard, 7), "hard/swrlev7.txt");
}

TEST(LevelFormat, OffsetsAreSmallAndTellFilesApart)
{
    std::set<int> Seen;
    for (int nFile = 1; nFile <= LEVEL_FILE_COUNT; ++nFile) {
        EXPECT_GT(LevelFileOffset(nFile), 0) << nFile;   // zero bytes never decode as a clean empty cell
        EXPECT_LT(LevelFileOffset(nFile), 20) << nFile;
        EXPECT_TRUE(Seen.insert(LevelFileOffset(nFile)).second) << nFile;
    }
    EXPECT_EQ(LevelFileOffset(0), 0);
    EXPECT_EQ(LevelFileOffset(12), 0);
}

TEST(LevelFormat, RecordIsBigEndianColumnMajorWithTheFileOffset)
{
    Level Made = LevelWith({{0, 0, 3}, {0, 1, 497}, {1, 0, 240}, {18, 17, 180}});
    for (int nFile : {1, 2, 11}) {
        int nOffset = LevelFileOffset(nFile);
        uint8_t Record[LEVEL_RECORD_BYTES];
        LevelEncodeRecord(Made.Cells, nFile, Record);
        auto ValueAt = [&](int nIndex) { return Record[nIndex * 2] << 8 | Record[nIndex * 2 + 1]; };
        EXPECT_EQ(ValueAt(0), 3 + nOffset);                          // column 0, row 0
        EXPECT_EQ(ValueAt(1), 497 + nOffset);                        // column 0, row 1: next in the column
        EXPECT_EQ(ValueAt(21), 240 + nOffset);                       // column 1, row 0
        EXPECT_EQ(ValueAt(18 * 21 + 17), 180 + nOffset);             // column 18, row 17
        EXPECT_EQ(ValueAt(2), (0xFFFF + nOffset) & 0xFFFF);          // empty is -1 plus the offset
        EXPECT_EQ(Record[1], 3 + nOffset);                           // high byte first
        EXPECT_EQ(Record[0], 0);
        EXPECT_EQ(LevelStoredValue(Record, 1), 497 + nOffset);

        LevelCells Back;
        LevelDecodeRecord(Record, nFile, Back);
        EXPECT_EQ(Back, Made.Cells) << nFile;
    }
}

TEST(LevelFormat, FileOfFewerLevelsIsPaddedWithEmptyOnesAndBackgroundsAreLittleEndian)
{
    uint8_t Param[LEVEL_PARAM_BYTES];
    LevelEncodeBackground(0x0102, Param);
    EXPECT_EQ(std::vector<uint8_t>(Param, Param + 4), (std::vector<uint8_t>{0x02, 0x01, 0x00, 0x00}));
    const uint8_t Negative[] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(LevelDecodeBackground(Negative), -1);

    LevelFileData File;
    File.nFile = 3;
    File.Levels = {LevelWith({{4, 2, 17}}, 12)};
    std::vector<uint8_t> LevelBytes, ParamBytes;
    LevelEncodeFile(File, LevelBytes, ParamBytes);
    ASSERT_EQ(LevelBytes.size(), 7980u);
    ASSERT_EQ(ParamBytes.size(), 40u);
    EXPECT_EQ(ParamBytes[0], 12);
    EXPECT_EQ(LevelStoredValue(&LevelBytes[0], LevelCellIndex(4, 2)), 17 + LevelFileOffset(3));
    EXPECT_EQ(LevelStoredValue(&LevelBytes[9 * LEVEL_RECORD_BYTES], 100), -1 + LevelFileOffset(3));

    LevelFileData Back;
    int nDropped = -1;
    std::string Reason;
    ASSERT_TRUE(LevelDecodeFile(LevelBytes, ParamBytes, 3, Back, nDropped, Reason)) << Reason;
    EXPECT_EQ(nDropped, 0);
    ASSERT_EQ(Back.Levels.size(), 10u);
    EXPECT_EQ(Back.Levels[0].Cells, File.Levels[0].Cells);
    EXPECT_EQ(Back.Levels[0].nBackground, 12);
    EXPECT_EQ(Back.Levels[5].Cells, Level().Cells);
}

TEST(LevelFormat, DecodingRefusesWhatCannotBeLevelsAndDropsHiddenRows)
{
    LevelFileData File;
    File.nFile = 2;
    File.Levels = {LevelWith({{0, 0, 1}})};
    std::vector<uint8_t> LevelBytes, ParamBytes;
    LevelEncodeFile(File, LevelBytes, ParamBytes);
    LevelFileData Back;
    int nDropped = 0;
    std::string Reason;

    // read with another file's offset, empty cells come out as values that are no codes
    EXPECT_FALSE(LevelDecodeFile(LevelBytes, ParamBytes, 3, Back, nDropped, Reason));
    EXPECT_NE(Reason.find("not a cell code of file 3"), std::string::npos) << Reason;

    std::vector<uint8_t> Cut(LevelBytes.begin(), LevelBytes.begin() + 1000);
    EXPECT_FALSE(LevelDecodeFile(Cut, ParamBytes, 2, Back, nDropped, Reason));
    EXPECT_EQ(Reason, "a level file holds 1 to 10 records of 798 bytes, this one has 1000 bytes");

    std::vector<uint8_t> FewParams(ParamBytes.begin(), ParamBytes.begin() + 8);
    EXPECT_FALSE(LevelDecodeFile(LevelBytes, FewParams, 2, Back, nDropped, Reason));
    EXPECT_EQ(Reason, "the parameter file has 8 bytes, 10 levels need 40");

    std::vector<uint8_t> BadBackground = ParamBytes;
    BadBackground[4] = 21;
    EXPECT_FALSE(LevelDecodeFile(LevelBytes, BadBackground, 2, Back, nDropped, Reason));
    EXPECT_EQ(Reason, "slot 1 has the background 21, outside 0..20");

    File.Levels[0].Cells[LevelCellIndex(3, 19)] = 5;   // the game never shows rows 18..20
    File.Levels[0].Cells[LevelCellIndex(4, 20)] = 497;
    LevelEncodeFile(File, LevelBytes, ParamBytes);
    ASSERT_TRUE(LevelDecodeFile(LevelBytes, ParamBytes, 2, Back, nDropped, Reason)) << Reason;
    EXPECT_EQ(nDropped, 2);
    EXPECT_EQ(Back.Levels[0].Cells[LevelCellIndex(3, 19)], LEVEL_CELL_EMPTY);
    EXPECT_EQ(Back.Levels[0].Cells[LevelCellIndex(0, 0)], 1);
}

TEST(LevelFormat, CellKindsFollowTheCodeTable)
{
    struct Case {
        int nCode;
        LevelCellKind Kind;
        bool bCounts;
        int nHits;
    };
    const Case Cases[] = {
        {-1, LevelCellKind::Empty, false, 0},           {0, LevelCellKind::Brick, true, 1},
        {19, LevelCellKind::Brick, true, 1},            {20, LevelCellKind::BonusBrick, true, 1},
        {39, LevelCellKind::BonusBrick, true, 1},       {40, LevelCellKind::Brick, true, 1},
        {60, LevelCellKind::BonusBrick, true, 1},       {79, LevelCellKind::BonusBrick, true, 1},
        {80, LevelCellKind::Brick, true, 1},            {179, LevelCellKind::Brick, true, 1},
        {180, LevelCellKind::Indestructible, false, 0}, {239, LevelCellKind::Indestructible, false, 0},
        {240, LevelCellKind::FourHit, true, 4},         {259, LevelCellKind::FourHit, true, 4},
        {260, LevelCellKind::LastHit, true, 1},         {280, LevelCellKind::MiddleHit, true, 2},
        {299, LevelCellKind::MiddleHit, true, 2},       {300, LevelCellKind::MiddleHit, true, 3},
        {320, LevelCellKind::Brick, true, 1},           {340, LevelCellKind::Sliding, false, 0},
        {342, LevelCellKind::Sliding, false, 0},        {343, LevelCellKind::Brick, true, 1},
        {352, LevelCellKind::Brick, true, 1},           {353, LevelCellKind::Decoration, false, 0},
        {479, LevelCellKind::Decoration, false, 0},     {480, LevelCellKind::Animation, true, 0},
        {494, LevelCellKind::Animation, true, 0},       {495, LevelCellKind::TeleporterUsed, false, 0},
        {497, LevelCellKind::TeleporterA, false, 0},    {498, LevelCellKind::TeleporterB, false, 0},
        {499, LevelCellKind::Trap, false, 0},           {500, LevelCellKind::Invalid, false, 0},
        {-2, LevelCellKind::Invalid, false, 0}};
    for (const Case& Expected : Cases) {
        EXPECT_EQ(LevelCellKindOf(Expected.nCode), Expected.Kind) << Expected.nCode;
        EXPECT_EQ(LevelCellCounts(Expected.nCode), Expected.bCounts) << Expected.nCode;
        EXPECT_EQ(LevelCellHits(Expected.nCode), Expected.nHits) << Expected.nCode;
    }
    // the laser-shot frames: tile columns 0..4 of tile rows 18..22
    for (int nCode = 340; nCode < 480; ++nCode) {
        bool bTaken = (nCode >= 360 && nCode <= 364) || (nCode >= 380 && nCode <= 384) ||
                      (nCode >= 400 && nCode <= 404) || (nCode >= 420 && nCode <= 424) ||
                      (nCode >= 440 && nCode <= 444);
        EXPECT_EQ(LevelCellTileTaken(nCode), bTaken) << nCode;
    }
    EXPECT_EQ(LevelCellDescription(29), "bonus brick: laser");
    EXPECT_EQ(LevelCellDescription(62), "bonus brick: invisible bricks");
    EXPECT_EQ(LevelCellDescription(300), "multi-hit brick, three hits left");
    EXPECT_TRUE(LevelBonusIsGood(22));
    EXPECT_FALSE(LevelBonusIsGood(39));
    EXPECT_TRUE(LevelBonusDoesNothing(77));
}

TEST(LevelRules, APlayableLevelHasNoProblemsAndEachBrokenRuleIsNamed)
{
    EXPECT_TRUE(LevelDesignProblems(LevelWith({{3, 2, 5}, {4, 2, 240}, {5, 2, 180}, {6, 6, 497}, {12, 6, 498}})).empty());
    struct Case {
        Level Made;
        const char* szProblem;
    };
    const Case Cases[] = {
        {LevelWith({{3, 2, 180}, {3, 3, 340}}), "no countable brick"},
        {LevelWith({{3, 2, 5}, {3, 18, 5}}), "row 18, column 3: rows 18..20 must stay empty"},
        {LevelWith({{3, 2, 5}, {4, 2, 402}}), "402 is a laser-shot tile"},
        {LevelWith({{3, 2, 5}, {4, 2, 482}}), "482 is no cell for a level"},
        {LevelWith({{3, 2, 5}, {4, 2, 76}}), "bonus brick 76 does nothing"},
        {LevelWith({{3, 2, 5}, {4, 2, 497}}), "found 1 A and 0 B"},
        {LevelWith({{3, 2, 5}, {4, 2, 497}, {5, 2, 497}, {6, 2, 498}}), "found 2 A and 1 B"},
        {LevelWith({{3, 2, 5}}, 0), "background 0"},
        {LevelWith({{3, 2, 5}}, 21), "background 21"},
    };
    for (const Case& Expected : Cases)
        EXPECT_TRUE(Mentions(LevelDesignProblems(Expected.Made), Expected.szProblem)) << Expected.szProblem;
}

TEST(LevelRules, BricksBehindWallsCountOnlyWhenNoWayLeadsIn)
{
    // a closed box of walls around column 9, rows 1..3: the brick inside is out of reach
    Level Boxed;
    Boxed.nBackground = 3;
    for (int nColumn = 8; nColumn <= 10; ++nColumn)
        for (int nRow = 0; nRow <= 4; ++nRow)
            Boxed.Cells[LevelCellIndex(nColumn, nRow)] = 180;
    Boxed.Cells[LevelCellIndex(9, 2)] = 7;
    Boxed.Cells[LevelCellIndex(2, 2)] = 7;
    EXPECT_TRUE(Mentions(LevelDesignProblems(Boxed), "1 countable bricks are walled in"));

    // a gate of breakable bricks opens it
    Level Gated = Boxed;
    Gated.Cells[LevelCellIndex(9, 3)] = 240;
    Gated.Cells[LevelCellIndex(9, 4)] = 12;
    EXPECT_TRUE(LevelDesignProblems(Gated).empty());

    // decoration and sliding bricks stop the ball like walls
    Level Decorated = Gated;
    Decorated.Cells[LevelCellIndex(9, 4)] = 353;
    EXPECT_FALSE(LevelDesignProblems(Decorated).empty());

    // a teleporter pair leads in: A outside, B inside the box
    Level Teleported = Boxed;
    Teleported.Cells[LevelCellIndex(9, 1)] = 498;
    Teleported.Cells[LevelCellIndex(4, 8)] = 497;
    EXPECT_TRUE(LevelDesignProblems(Teleported).empty());
}
