// The text form of a level file: what it reads, where it reports mistakes, and
// what it writes.
#include <gtest/gtest.h>

#include "LevelText.h"

namespace {

const std::string EMPTY_ROW = "...................\n";

std::string Rows(int nCount, const std::string& Row = EMPTY_ROW)
{
    std::string Text;
    for (int n = 0; n < nCount; ++n)
        Text += Row;
    return Text;
}

// key lines 1-2, header line 3, rows from line 4
const std::string HEAD = "key r 3\nkey = 180   # wall\nlevel 0 background 7\n";

LevelTextError ErrorOf(const std::string& Text)
{
    LevelFileData File;
    LevelTextError Error;
    EXPECT_FALSE(LevelParseText(Text, File, Error)) << Text;
    return Error;
}

}  // namespace

TEST(LevelText, ReadsCellsKeysAndHeaders)
{
    std::string Text = "# a comment\n" + HEAD + "r.................=\n" + Rows(16) + "  ..r..r..r..r..r..r.  \r\n" +
                       "key r 22\n" + "level 1 background 0\n" + "r" + Rows(1).substr(1) + Rows(17);
    LevelFileData File;
    LevelTextError Error;
    ASSERT_TRUE(LevelParseText(Text, File, Error)) << Error.nLine << ":" << Error.nColumn << " " << Error.Message;
    EXPECT_EQ(File.nFile, 1);
    ASSERT_EQ(File.Levels.size(), 2u);
    const Level& First = File.Levels[0];
    EXPECT_EQ(First.nBackground, 7);
    EXPECT_EQ(First.Cells[LevelCellIndex(0, 0)], 3);
    EXPECT_EQ(First.Cells[LevelCellIndex(18, 0)], 180);
    EXPECT_EQ(First.Cells[LevelCellIndex(1, 0)], LEVEL_CELL_EMPTY);
    EXPECT_EQ(First.Cells[LevelCellIndex(2, 17)], 3);   // indented row with a CR at its end
    EXPECT_EQ(First.Cells[LevelCellIndex(2, 18)], LEVEL_CELL_EMPTY);
    EXPECT_EQ(File.Levels[1].Cells[LevelCellIndex(0, 0)], 22);   // the key holds from its line on
    EXPECT_EQ(File.Levels[1].nBackground, 0);

    LevelFileData Later;
    ASSERT_TRUE(LevelParseText("key r 3\nlevel 30 background 2\nr" + Rows(1).substr(1) + Rows(17), Later, Error));
    EXPECT_EQ(Later.nFile, 4) << "later files begin at their first level";
}

TEST(LevelText, MistakesNameTheirLineAndColumn)
{
    struct Case {
        std::string Text;
        int nLine, nColumn;
        const char* szMessage;
    };
    const Case Cases[] = {
        {HEAD + "..r..x" + Rows(1).substr(6) + Rows(17), 4, 6, "unknown cell 'x': no key line names it"},
        {HEAD + Rows(2) + "....\n" + Rows(15), 6, 5, "a row has 19 cells, this one has 4"},
        {HEAD + Rows(1) + "....................\n" + Rows(16), 5, 20, "a row has 19 cells, this one has 20"},
        {HEAD + Rows(12), 3, 1, "level 0 has 12 rows; a level has 18"},
        {HEAD + Rows(12) + "level 1 background 3\n" + Rows(18), 3, 1, "level 0 has 12 rows; a level has 18"},
        {HEAD + Rows(18) + "..r................\n", 22, 1,
         "a 19th row: a level has 18 rows, rows 18..20 are always empty"},
        {"level 0 background 21\n", 1, 20, "background 21 is outside 0..20 (1..20 name a picture, 0 a random one)"},
        {"level 0 background -1\n", 1, 20, "background -1 is outside 0..20 (1..20 name a picture, 0 a random one)"},
        {HEAD + Rows(18) + "level 2 background 3\n", 22, 7, "level 2 found where level 1 comes next"},
        {"level 13 background 3\n", 1, 7, "level 13 cannot begin a file: a file begins with level 0, 10, 20, ... or 100"},
        {"\n" + Rows(1), 2, 1, "a row before the first 'level N background B' line"},
        {"key rr 3\n", 1, 5, "a key is one character other than '.' and '#'"},
        {"key . 3\n", 1, 5, "a key is one character other than '.' and '#'"},
        {"key r 500\n", 1, 7, "a cell code is a number 0..499 ('.' is the empty cell)"},
        {"key r -1\n", 1, 7, "a cell code is a number 0..499 ('.' is the empty cell)"},
        {"key r\n", 1, 1, "a key line is 'key C CODE': one character and its cell code"},
        {"level 0 bg 3\n", 1, 1, "a level line is 'level N background B'"},
        {"  brick r 3\n", 1, 3, "expected a 'key' line, a 'level' line or a row of cells"},
        {"# nothing\n\n", 3, 1, "no levels: a level begins with a line 'level N background B'"},
    };
    for (const Case& Expected : Cases) {
        LevelTextError Error = ErrorOf(Expected.Text);
        EXPECT_EQ(Error.Message, Expected.szMessage) << Expected.Text;
        EXPECT_EQ(Error.nLine, Expected.nLine) << Expected.szMessage;
        EXPECT_EQ(Error.nColumn, Expected.nColumn) << Expected.szMessage;
    }
}

TEST(LevelText, ElevenLevelsAreTooManyForOneFile)
{
    std::string Text = "key r 3\n";
    for (int nLevel = 0; nLevel <= 10; ++nLevel)
        Text += "level " + std::to_string(nLevel) + " background 1\nr" + Rows(1).substr(1) + Rows(17);
    LevelTextError Error = ErrorOf(Text);
    EXPECT_EQ(Error.Message, "a file holds ten levels; level 10 begins the next file");
    EXPECT_EQ(Error.nLine, 2 + 10 * 19);
}

TEST(LevelText, PrintedTextReadsBackToTheSameLevels)
{
    LevelFileData File;
    File.nFile = 2;
    File.Levels.resize(3);
    for (size_t n = 0; n < File.Levels.size(); ++n) {
        File.Levels[n].nBackground = int(n) * 7;
        for (int nRow = 0; nRow < LEVEL_PLAYED_ROWS; ++nRow)
            File.Levels[n].Cells[LevelCellIndex(int(n) + nRow % 5, nRow)] = int16_t((nRow * 37 + int(n)) % 500);
    }
    std::string Text, Reason;
    ASSERT_TRUE(LevelPrintText(File, Text, Reason)) << Reason;
    EXPECT_NE(Text.find("\nkey a   0   # brick\n"), std::string::npos) << Text;
    EXPECT_NE(Text.find("\nlevel 12 background 14\n"), std::string::npos);

    LevelFileData Back;
    LevelTextError Error;
    ASSERT_TRUE(LevelParseText(Text, Back, Error)) << Error.nLine << ": " << Error.Message;
    EXPECT_EQ(Back.nFile, 2);
    ASSERT_EQ(Back.Levels.size(), 3u);
    for (size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(Back.Levels[n].Cells, File.Levels[n].Cells) << n;
        EXPECT_EQ(Back.Levels[n].nBackground, File.Levels[n].nBackground) << n;
    }
}

TEST(LevelText, ManyCodesGetOneLegendPerLevelAndPrintingRefusesWhatTheTextCannotHold)
{
    LevelFileData Hidden;
    Hidden.Levels.resize(1);
    Hidden.Levels[0].Cells[LevelCellIndex(2, 19)] = 4;
    std::string Text, Reason;
    EXPECT_FALSE(LevelPrintText(Hidden, Text, Reason));
    EXPECT_EQ(Reason, "slot 0 holds 4 at row 19, column 2: the text form has cell codes 0..499 in rows 0..17");
    Hidden.Levels[0] = Level();
    Hidden.Levels[0].Cells[0] = 612;
    EXPECT_FALSE(LevelPrintText(Hidden, Text, Reason));

    // 300 different codes over three levels: more than there are characters for one legend
    LevelFileData File;
    File.Levels.resize(3);
    for (int n = 0; n < 300; ++n)
        File.Levels[n / 100].Cells[LevelCellIndex(n % 100 % 19, n % 100 / 19)] = int16_t(n);
    ASSERT_FALSE(LevelPrintText(File, Text, Reason));   // 100 codes in one level do not fit either
    EXPECT_EQ(Reason, "slot 0 holds more different codes than the text form has characters");

    for (Level& Each : File.Levels)
        for (int nRow = 4; nRow < 6; ++nRow)
            for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn)
                Each.Cells[LevelCellIndex(nColumn, nRow)] = LEVEL_CELL_EMPTY;   // 76 codes per level
    ASSERT_TRUE(LevelPrintText(File, Text, Reason)) << Reason;
    LevelFileData Back;
    LevelTextError Error;
    ASSERT_TRUE(LevelParseText(Text, Back, Error)) << Error.nLine << ": " << Error.Message;
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(Back.Levels[n].Cells, File.Levels[n].Cells) << n;
}

