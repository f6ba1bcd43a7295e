// The level files: where a level lives, the record and parameter bytes, the cell
// kinds, the rules of a playable level, the text form with its mistakes, the
// shipped sources and the forge's level step.
#include <algorithm>
#include <set>

#include "ForgeTest.h"
#include "support/Bytes.h"
#include "LevelFormat.h"
#include "LevelRules.h"
#include "LevelText.h"
#include "levels/LevelStep.h"

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
    return std::any_of(Problems.begin(), Problems.end(), [&](const std::string& P) { return P.find(Text) != P.npos; });
}

std::string Rows(int nCount, const std::string& Row = "...................\n")
{
    std::string Text;
    for (int n = 0; n < nCount; ++n)
        Text += Row;
    return Text;
}

TEST(LevelFormat, LevelsMapToFilesSlotsAndOffsetsAndSettingsChooseTheSet)
{
    // Level 57 is slot 7 of file 6: record 7 of 798 bytes, background 7 of 4; file 11 holds levels 100..109.
    EXPECT_EQ(std::vector<int>({LevelPlaceOf(57).nFile, LevelPlaceOf(57).nSlot, LevelRecordOffset(57),
                                LevelParamOffset(57), LevelPlaceOf(109).nFile, LevelPlaceOf(10).nSlot}),
              std::vector<int>({6, 7, 5586, 28, 11, 0}));
    EXPECT_EQ(LevelChooseSet(0, 1), LevelSet::Normal);
    EXPECT_EQ(LevelChooseSet(0, 2), LevelSet::Hard);
    EXPECT_EQ(LevelChooseSet(1, 2), LevelSet::User) << "user levels win over the hard set";
    EXPECT_EQ(LevelFileName(LevelSet::Hard, 3) + " " + LevelParamFileName(LevelSet::User, 2) + " " +
                  LevelSourceName(LevelSet::Normal, 10),
              "levels/swrlev3.dat userlevels/usrlev2p.dat normal/lv10.txt");
}

TEST(LevelFormat, RecordsAreBigEndianColumnMajorPlusTheFilesOwnOffset)
{
    std::set<int> Offsets;   // zero bytes must never decode as a clean empty cell
    for (int nFile = 1; nFile <= LEVEL_FILE_COUNT; ++nFile) {
        EXPECT_TRUE(LevelFileOffset(nFile) > 0 && LevelFileOffset(nFile) < 20) << nFile;
        EXPECT_TRUE(Offsets.insert(LevelFileOffset(nFile)).second) << "file " << nFile << " shares its offset";
    }
    Level Made = LevelWith({{0, 0, 3}, {0, 1, 497}, {1, 0, 240}, {18, 17, 180}});
    for (int nFile : {1, 2, 11}) {
        int nOffset = LevelFileOffset(nFile);
        uint8_t Record[LEVEL_RECORD_BYTES];
        LevelEncodeRecord(Made.Cells, nFile, Record);
        auto ValueAt = [&](int nIndex) { return Record[nIndex * 2] << 8 | Record[nIndex * 2 + 1]; };
        // Column 0 rows 0 and 1, column 1 row 0, column 18 row 17, and an empty cell (-1).
        EXPECT_EQ(std::vector<int>({ValueAt(0), ValueAt(1), ValueAt(21), ValueAt(18 * 21 + 17), ValueAt(2)}),
                  std::vector<int>({3 + nOffset, 497 + nOffset, 240 + nOffset, 180 + nOffset, nOffset - 1}));
        EXPECT_EQ(LevelStoredValue(Record, 1), 497 + nOffset);
        LevelCells Back;
        LevelDecodeRecord(Record, nFile, Back);
        EXPECT_EQ(Back, Made.Cells) << nFile;
    }
}

TEST(LevelFormat, FilesArePaddedToTenLevelsAndDecodingRefusesWhatCannotBeLevels)
{
    LevelFileData File{3, {LevelWith({{4, 2, 17}}, 0x0102)}}, Back;
    std::vector<uint8_t> LevelBytes, ParamBytes;
    LevelEncodeFile(File, LevelBytes, ParamBytes);
    ASSERT_EQ(LevelBytes.size(), 7980u);
    ASSERT_EQ(ParamBytes.size(), 40u);
    EXPECT_EQ(std::vector<uint8_t>(ParamBytes.begin(), ParamBytes.begin() + 4), (std::vector<uint8_t>{2, 1, 0, 0}))
        << "backgrounds are little-endian";
    const uint8_t Negative[] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(LevelDecodeBackground(Negative), -1);
    File.Levels[0].nBackground = 12;
    File.Levels[0].Cells[LevelCellIndex(3, 19)] = 5;   // the game never shows rows 18..20
    File.Levels[0].Cells[LevelCellIndex(4, 20)] = 497;
    LevelEncodeFile(File, LevelBytes, ParamBytes);
    int nDropped = -1;
    std::string Reason;
    ASSERT_TRUE(LevelDecodeFile(LevelBytes, ParamBytes, 3, Back, nDropped, Reason)) << Reason;
    EXPECT_EQ(nDropped, 2);
    ASSERT_EQ(Back.Levels.size(), 10u);
    EXPECT_EQ(Back.Levels[0].Cells, LevelWith({{4, 2, 17}}).Cells);
    EXPECT_EQ(Back.Levels[0].nBackground, 12);
    EXPECT_EQ(Back.Levels[5].Cells, Level().Cells);

    std::vector<uint8_t> BadBackground = ParamBytes;
    BadBackground[4] = 21;
    const std::tuple<Bytes, Bytes, int, const char*> CASES[] = {
        {LevelBytes, ParamBytes, 6, "not a cell code of file 6"},   // empty cells read with another file's offset
        {std::vector<uint8_t>(LevelBytes.begin(), LevelBytes.begin() + 1000), ParamBytes, 3,
         "a level file holds 1 to 10 records of 798 bytes, this one has 1000 bytes"},
        {LevelBytes, std::vector<uint8_t>(ParamBytes.begin(), ParamBytes.begin() + 8), 3,
         "the parameter file has 8 bytes, 10 levels need 40"},
        {LevelBytes, BadBackground, 3, "slot 1 has the background 21, outside 0..20"}};
    for (const auto& [Levels, Params, nFile, szReason] : CASES) {
        EXPECT_FALSE(LevelDecodeFile(Levels, Params, nFile, Back, nDropped, Reason));
        EXPECT_NE(Reason.find(szReason), std::string::npos) << Reason;
    }
}

TEST(LevelFormat, CellKindsFollowTheCodeTable)
{
    using K = LevelCellKind;
    const std::tuple<int, LevelCellKind, bool, int> CASES[] = {   // code, kind, counts for the win, hits
        {-1, K::Empty, false, 0},          {0, K::Brick, true, 1},           {19, K::Brick, true, 1},
        {20, K::BonusBrick, true, 1},      {39, K::BonusBrick, true, 1},     {40, K::Brick, true, 1},
        {60, K::BonusBrick, true, 1},      {79, K::BonusBrick, true, 1},     {80, K::Brick, true, 1},
        {179, K::Brick, true, 1},          {180, K::Indestructible, false, 0}, {239, K::Indestructible, false, 0},
        {240, K::FourHit, true, 4},        {259, K::FourHit, true, 4},       {260, K::LastHit, true, 1},
        {280, K::MiddleHit, true, 2},      {299, K::MiddleHit, true, 2},     {300, K::MiddleHit, true, 3},
        {320, K::Brick, true, 1},          {340, K::Sliding, false, 0},      {342, K::Sliding, false, 0},
        {343, K::Brick, true, 1},          {352, K::Brick, true, 1},         {353, K::Decoration, false, 0},
        {479, K::Decoration, false, 0},    {480, K::Animation, true, 0},     {494, K::Animation, true, 0},
        {495, K::TeleporterUsed, false, 0}, {497, K::TeleporterA, false, 0}, {498, K::TeleporterB, false, 0},
        {499, K::Trap, false, 0},          {500, K::Invalid, false, 0},      {-2, K::Invalid, false, 0}};
    for (const auto& [nCode, Kind, bCounts, nHits] : CASES)
        EXPECT_EQ(std::make_tuple(LevelCellKindOf(nCode), LevelCellCounts(nCode), LevelCellHits(nCode)),
                  std::make_tuple(Kind, bCounts, nHits)) << nCode;
    // The laser-shot frames take tile columns 0..4 of tile rows 18..22.
    for (auto [nCode, bTaken] :
         {std::pair{359, false}, {360, true}, {364, true}, {365, false}, {444, true}, {445, false}})
        EXPECT_EQ(LevelCellTileTaken(nCode), bTaken) << nCode;
    EXPECT_EQ(LevelCellDescription(300), "multi-hit brick, three hits left");
}

TEST(LevelRules, APlayableLevelHasNoProblemsAndEachBrokenRuleIsNamed)
{
    EXPECT_TRUE(
        LevelDesignProblems(LevelWith({{3, 2, 5}, {4, 2, 240}, {5, 2, 180}, {6, 6, 497}, {12, 6, 498}})).empty());
    const std::pair<Level, const char*> CASES[] = {
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
    for (const auto& [Made, szProblem] : CASES)
        EXPECT_TRUE(Mentions(LevelDesignProblems(Made), szProblem)) << szProblem;
}

TEST(LevelRules, BricksBehindWallsCountOnlyWhenNoWayLeadsIn)
{
    // A closed box of walls around column 9, rows 1..3: the brick inside is out of reach.
    Level Boxed = LevelWith({{9, 2, 7}, {2, 2, 7}}, 3);
    for (int nColumn = 8; nColumn <= 10; ++nColumn)
        for (int nRow = 0; nRow <= 4; ++nRow)
            Boxed.Cells[LevelCellIndex(nColumn, nRow)] = nColumn == 9 && nRow == 2 ? 7 : 180;
    EXPECT_TRUE(Mentions(LevelDesignProblems(Boxed), "1 countable bricks are walled in"));
    // A gate of breakable bricks opens it; decoration and sliding bricks stop the ball like walls.
    Level Gated = Boxed;
    Gated.Cells[LevelCellIndex(9, 3)] = 240;
    Gated.Cells[LevelCellIndex(9, 4)] = 12;
    EXPECT_TRUE(LevelDesignProblems(Gated).empty());
    Gated.Cells[LevelCellIndex(9, 4)] = 353;
    EXPECT_FALSE(LevelDesignProblems(Gated).empty());
    // A teleporter pair leads in: A outside, B inside the box.
    Boxed.Cells[LevelCellIndex(9, 1)] = 498;
    Boxed.Cells[LevelCellIndex(4, 8)] = 497;
    EXPECT_TRUE(LevelDesignProblems(Boxed).empty());
}

// Key lines 1-2, header line 3, rows from line 4.
const std::string HEAD = "key r 3\nkey = 180   # wall\nlevel 0 background 7\n";

TEST(LevelText, ReadsCellsKeysAndHeaders)
{
    std::string Text = "# a comment\n" + HEAD + "r.................=\n" + Rows(16) + "  ..r..r..r..r..r..r.  \r\n" +
                       "key r 22\n" + "level 1 background 0\n" + "r" + Rows(1).substr(1) + Rows(17);
    LevelFileData File, Later;
    LevelTextError Error;
    ASSERT_TRUE(LevelParseText(Text, File, Error)) << Error.nLine << ":" << Error.nColumn << " " << Error.Message;
    EXPECT_EQ(File.nFile, 1);
    ASSERT_EQ(File.Levels.size(), 2u);
    // Level 0: background, the top row's ends and a gap, the indented last row ending in CR, the hidden
    // row below it; level 1 under the key given again, and its background.
    const LevelCells &First = File.Levels[0].Cells, &Second = File.Levels[1].Cells;
    EXPECT_EQ(std::vector<int>({File.Levels[0].nBackground, First[LevelCellIndex(0, 0)], First[LevelCellIndex(18, 0)],
                                First[LevelCellIndex(1, 0)], First[LevelCellIndex(2, 17)], First[LevelCellIndex(2, 18)],
                                Second[LevelCellIndex(0, 0)], File.Levels[1].nBackground}),
              std::vector<int>({7, 3, 180, LEVEL_CELL_EMPTY, 3, LEVEL_CELL_EMPTY, 22, 0}));
    ASSERT_TRUE(LevelParseText("key r 3\nlevel 30 background 2\nr" + Rows(1).substr(1) + Rows(17), Later, Error));
    EXPECT_EQ(Later.nFile, 4) << "later files begin at their first level";
}

TEST(LevelText, MistakesNameTheirLineAndColumn)
{
    std::string Eleven = "key r 3\n";
    for (int nLevel = 0; nLevel <= 10; ++nLevel)
        Eleven += "level " + std::to_string(nLevel) + " background 1\nr" + Rows(1).substr(1) + Rows(17);
    const std::tuple<std::string, int, int, const char*> CASES[] = {   // text, line, column, message
        {HEAD + "..r..x" + Rows(1).substr(6) + Rows(17), 4, 6, "unknown cell 'x': no key line names it"},
        {HEAD + Rows(2) + "....\n" + Rows(15), 6, 5, "a row has 19 cells, this one has 4"},
        {HEAD + Rows(1) + "....................\n" + Rows(16), 5, 20, "a row has 19 cells, this one has 20"},
        {HEAD + Rows(12), 3, 1, "level 0 has 12 rows; a level has 18"},
        {HEAD + Rows(12) + "level 1 background 3\n" + Rows(18), 3, 1, "level 0 has 12 rows; a level has 18"},
        {HEAD + Rows(18) + "..r................\n", 22, 1,
         "a 19th row: a level has 18 rows, rows 18..20 are always empty"},
        {"level 0 background 21\n", 1, 20, "background 21 is outside 0..20 (1..20 name a picture, 0 a random one)"},
        {HEAD + Rows(18) + "level 2 background 3\n", 22, 7, "level 2 found where level 1 comes next"},
        {"level 13 background 3\n", 1, 7,
         "level 13 cannot begin a file: a file begins with level 0, 10, 20, ... or 100"},
        {Eleven, 192, 7, "a file holds ten levels; level 10 begins the next file"},
        {"\n" + Rows(1), 2, 1, "a row before the first 'level N background B' line"},
        {"key rr 3\n", 1, 5, "a key is one character other than '.' and '#'"},
        {"key . 3\n", 1, 5, "a key is one character other than '.' and '#'"},
        {"key r 500\n", 1, 7, "a cell code is a number 0..499 ('.' is the empty cell)"},
        {"key r\n", 1, 1, "a key line is 'key C CODE': one character and its cell code"},
        {"level 0 bg 3\n", 1, 1, "a level line is 'level N background B'"},
        {"  brick r 3\n", 1, 3, "expected a 'key' line, a 'level' line or a row of cells"},
        {"# nothing\n\n", 3, 1, "no levels: a level begins with a line 'level N background B'"},
    };
    for (const auto& [Text, nLine, nColumn, szMessage] : CASES) {
        LevelFileData File;
        LevelTextError Error;
        EXPECT_FALSE(LevelParseText(Text, File, Error)) << szMessage;
        EXPECT_EQ(std::make_tuple(Error.Message, Error.nLine, Error.nColumn),
                  std::make_tuple(std::string(szMessage), nLine, nColumn));
    }
}

TEST(LevelText, PrintingRefusesWhatTheTextCannotHold)
{
    // 100 different codes in one level: more than a legend has characters for.
    LevelFileData File;
    File.Levels.resize(1);
    for (int n = 0; n < 100; ++n)
        File.Levels[0].Cells[LevelCellIndex(n % 19, n / 19)] = int16_t(n);
    std::string Text, Reason;
    EXPECT_FALSE(LevelPrintText(File, Text, Reason));
    EXPECT_EQ(Reason, "slot 0 holds more different codes than the text form has characters");
    // A hidden row, a code past 499.
    File.Levels = {LevelWith({{2, 19, 4}}), LevelWith({{0, 0, 612}})};
    EXPECT_FALSE(LevelPrintText(File, Text, Reason));
    EXPECT_EQ(Reason, "slot 0 holds 4 at row 19, column 2: the text form has cell codes 0..499 in rows 0..17");
    File.Levels.erase(File.Levels.begin());
    EXPECT_FALSE(LevelPrintText(File, Text, Reason));
}

struct ShippedFile {
    LevelSet Set;
    int nFile;
    std::string Path() const { return std::string(TAMBOREL_LEVEL_SOURCES) + "/" + LevelSourceName(Set, nFile); }
};

TEST(LevelSets, EveryShippedFileSurvivesTextBinaryTextAndEveryLevelIsPlayable)
{
    std::vector<ShippedFile> Shipped = {{LevelSet::User, 1}};
    for (int nFile = 1; nFile <= 10; ++nFile)
        Shipped.push_back({LevelSet::Normal, nFile}), Shipped.push_back({LevelSet::Hard, nFile});
    int nLevels = 0, nHits[2] = {0, 0};   // normal, hard
    std::vector<int> BackgroundsUsed(LEVEL_BACKGROUND_MAX + 1, 0);
    for (const ShippedFile& Source : Shipped) {
        SCOPED_TRACE(Source.Path());
        LevelFileData File, Decoded;
        LevelTextError Error;
        ASSERT_TRUE(LevelParseText(ReadFileText(Source.Path()), File, Error)) << Error.nLine << ": " << Error.Message;
        EXPECT_EQ(File.nFile, Source.nFile);
        EXPECT_EQ(File.Levels.size(), 10u);
        std::vector<uint8_t> LevelBytes, ParamBytes;
        LevelEncodeFile(File, LevelBytes, ParamBytes);
        int nDropped = 0;
        std::string Reason, Text;
        ASSERT_TRUE(LevelDecodeFile(LevelBytes, ParamBytes, Source.nFile, Decoded, nDropped, Reason)) << Reason;
        ASSERT_TRUE(LevelPrintText(Decoded, Text, Reason)) << Reason;
        EXPECT_EQ(Text, ReadFileText(Source.Path()));
        for (size_t nSlot = 0; nSlot < File.Levels.size(); ++nSlot, ++nLevels) {
            for (const std::string& Problem : LevelDesignProblems(File.Levels[nSlot]))
                ADD_FAILURE() << "level " << (Source.nFile - 1) * 10 + (int)nSlot << ": " << Problem;
            ++BackgroundsUsed[std::clamp(File.Levels[nSlot].nBackground, 0, LEVEL_BACKGROUND_MAX)];
            for (int16_t nCode : File.Levels[nSlot].Cells)
                nHits[Source.Set == LevelSet::Hard] += Source.Set == LevelSet::User ? 0 : LevelCellHits(nCode);
        }
    }
    EXPECT_EQ(nLevels, 210);
    for (int nBackground = 1; nBackground <= LEVEL_BACKGROUND_MAX; ++nBackground)
        EXPECT_GT(BackgroundsUsed[nBackground], 0) << "background " << nBackground << " never used";
    EXPECT_GT(nHits[1], nHits[0]) << "the hard set asks for more hits than the normal one";
}

TEST(LevelSets, ForgeStepWritesTheDataSetsLevelFiles)
{
    EnterScratchDirectory();
    ASSERT_TRUE(ForgeLevels({".", TAMBOREL_LEVEL_SOURCES, ""}));
    EXPECT_EQ(ExpectSameAsDataSet(), 42u) << "a level and a parameter file for each shipped source";
    // Level 9 of the normal set is the record at 7182 of lv1.dat.
    LevelFileData File;
    LevelTextError Error;
    ASSERT_TRUE(LevelParseText(ReadFileText(ShippedFile{LevelSet::Normal, 1}.Path()), File, Error));
    LevelCells Ninth;
    LevelDecodeRecord(&ReadFileBytes("levels/lv1.dat")[7182], 1, Ninth);
    EXPECT_EQ(Ninth, File.Levels[9].Cells);
}

TEST(LevelSets, ForgeStepRefusesABrokenSetButNotAMissingUserSet)
{
    EnterScratchDirectory();
    for (const char* szFolder : {"src/normal", "src/hard"})
        std::filesystem::create_directories(szFolder);
    for (int nFile = 1; nFile <= 10; ++nFile)
        for (std::string Name : {"src/normal/lv", "src/hard/swrlev"})
            WriteFileText(Name + std::to_string(nFile) + ".txt", "key r 3\nlevel " + std::to_string(nFile * 10 - 10) +
                                                                     " background 4\n..r..r......" +
                                                                     Rows(18).substr(12));
    ForgeContext Context{"data", "src", ""};
    EXPECT_TRUE(ForgeLevels(Context));
    EXPECT_FALSE(PathExists("data/userlevels"));
    EXPECT_EQ(ReadFileBytes("data/levels/swrlev10.dat").size(), 7980u);
    // A level the rules refuse (nothing to break: won at once), another file's levels, a shipped source missing.
    for (std::string Broken : {"key = 180\nlevel 30 background 4\n" + Rows(18, "===================\n"),
                               "key r 3\nlevel 40 background 4\nr" + Rows(18).substr(1)}) {
        WriteFileText("src/hard/swrlev4.txt", Broken);
        EXPECT_FALSE(ForgeLevels(Context)) << Broken;
    }
    std::filesystem::remove("src/hard/swrlev4.txt");
    EXPECT_FALSE(ForgeLevels(Context));
}

}  // namespace
