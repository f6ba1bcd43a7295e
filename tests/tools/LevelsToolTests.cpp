// tamborel-levels run as a person runs it: exit status, messages and the files it writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sys/wait.h>

#include "support/TestApp.h"
#include "support/ToolRun.h"
#include "support/TestFiles.h"

namespace {

ToolRun RunLevels(const std::string& Arguments) { return RunProgram(TAMBOREL_LEVELS_TOOL, Arguments); }

// Two levels of file 2 (levels 10 and 11) as a person might write them.
std::string HandWritten()
{
    std::string Text = "# my levels\nkey W 180\nkey r 3\nkey M 22\n\nlevel 10 background 4\n";
    Text += "rrrrrrrrrMrrrrrrrrr\n..W.............W..\n";
    for (int nRow = 2; nRow < 18; ++nRow)
        Text += "...................\n";
    Text += "level 11 background 9\n";
    for (int nRow = 0; nRow < 18; ++nRow)
        Text += nRow == 5 ? "........r..........\n" : "...................\n";
    return Text;
}

}  // namespace

TEST(LevelsTool, HelpAndMistakesInTheCommand)
{
    EnterScratchDirectory();
    ToolRun Help = RunLevels("--help");
    EXPECT_EQ(Help.nStatus, 0);
    EXPECT_NE(Help.Out.find("tamborel-levels decode LEVELFILE PARAMFILE [-o TEXT]"), std::string::npos);
    EXPECT_NE(Help.Out.find("tamborel-levels encode TEXT -o LEVELFILE PARAMFILE"), std::string::npos);

    struct Case {
        const char* szArguments;
        const char* szOut;
    };
    const Case Cases[] = {
        {"", "tamborel-levels: no command (see tamborel-levels --help)\n"},
        {"squash a b", "tamborel-levels: unknown command 'squash' (see tamborel-levels --help)\n"},
        {"decode only.dat", "tamborel-levels: usage: tamborel-levels decode LEVELFILE PARAMFILE [-o TEXT] [--file N]\n"},
        {"encode in.txt -o only.dat", "tamborel-levels: usage: tamborel-levels encode TEXT -o LEVELFILE PARAMFILE "
                                      "[--file N]\n"},
        {"decode a.dat b.dat --file 12", "tamborel-levels: the level-file number must be 1..11, not 12\n"},
        {"decode levels.dat levelsp.dat", "tamborel-levels: no level-file number in the name 'levels.dat': give it "
                                          "with --file N\n"},
        {"decode lv1.dat lv1p.dat", "tamborel-levels: cannot read 'lv1.dat': No such file or directory\n"},
        {"decode lv1.dat lv1p.dat --fast", "tamborel-levels: unknown option '--fast' (see tamborel-levels --help)\n"},
    };
    for (const Case& Expected : Cases) {
        ToolRun Run = RunLevels(Expected.szArguments);
        EXPECT_EQ(Run.nStatus, 1) << Expected.szArguments;
        EXPECT_EQ(Run.Out, Expected.szOut) << Expected.szArguments;
    }
}

TEST(LevelsTool, EncodeWritesTheFilesAndDecodeGivesTheLevelsBack)
{
    EnterScratchDirectory();
    WriteFileText("mine.txt", HandWritten());
    ToolRun Encode = RunLevels("encode mine.txt -o usrlev2.dat usrlev2p.dat");
    EXPECT_EQ(Encode.nStatus, 0) << Encode.Out;
    EXPECT_EQ(Encode.Out, "2 levels encoded into usrlev2.dat and usrlev2p.dat (level file 2)\n");

    std::vector<uint8_t> Levels = ReadFileBytes("usrlev2.dat"), Params = ReadFileBytes("usrlev2p.dat");
    ASSERT_EQ(Levels.size(), 7980u);
    ASSERT_EQ(Params.size(), 40u);
    // level 10, column 0 row 0: code 3 plus the offset of file 2, big-endian
    int nEmpty = Levels[2] << 8 | Levels[3];   // column 0, row 1
    int nOffset = (nEmpty + 1) & 0xFFFF;
    EXPECT_GT(nOffset, 0);
    EXPECT_EQ(Levels[0] << 8 | Levels[1], 3 + nOffset);
    EXPECT_EQ(Levels[9 * 42] << 8 | Levels[9 * 42 + 1], 22 + nOffset);    // column 9: the bonus brick
    EXPECT_EQ(Levels[2 * 42 + 2] << 8 | Levels[2 * 42 + 3], 180 + nOffset);   // column 2, row 1: the wall
    EXPECT_EQ(std::vector<uint8_t>(Params.begin(), Params.begin() + 12),
              (std::vector<uint8_t>{4, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0}));

    ToolRun Decode = RunLevels("decode usrlev2.dat usrlev2p.dat -o back.txt");
    EXPECT_EQ(Decode.nStatus, 0) << Decode.Out;
    EXPECT_EQ(Decode.Out, "10 levels decoded into back.txt\n");
    std::string Back = ReadFileText("back.txt");
    EXPECT_NE(Back.find("key = 180   # indestructible\n"), std::string::npos) << Back;
    EXPECT_NE(Back.find("level 10 background 4\ndddddddddMddddddddd\n..=.............=..\n"), std::string::npos);
    EXPECT_NE(Back.find("level 19 background 0\n"), std::string::npos);   // the padding: empty levels

    // the decoded text encodes to the same bytes, and decodes to the same text on stdout
    ToolRun Again = RunLevels("encode back.txt -o again.dat againp.dat --file 2");
    ASSERT_EQ(Again.nStatus, 0);
    // the padded empty levels would be won at once: the tool warns about them
    EXPECT_NE(Again.Out.find("tamborel-levels: warning: level 12: no countable brick: the level is won at once\n"),
              std::string::npos) << Again.Out;
    EXPECT_EQ(ReadFileBytes("again.dat"), Levels);
    EXPECT_EQ(ReadFileBytes("againp.dat"), Params);
    ToolRun Shown = RunLevels("decode again.dat againp.dat --file 2");
    EXPECT_EQ(Shown.nStatus, 0);
    EXPECT_EQ(Shown.Out, Back);
}

TEST(LevelsTool, TextMistakesAndWrongFilesGiveOneLine)
{
    EnterScratchDirectory();
    std::string Text = HandWritten();
    Text.replace(Text.find("..W....."), 3, "..Z");
    WriteFileText("typo.txt", Text);
    ToolRun Typo = RunLevels("encode typo.txt -o usrlev2.dat usrlev2p.dat");
    EXPECT_EQ(Typo.nStatus, 1);
    EXPECT_EQ(Typo.Out, "tamborel-levels: typo.txt:8:3: unknown cell 'Z': no key line names it\n");
    EXPECT_FALSE(std::ifstream("usrlev2.dat").good());   // nothing written

    WriteFileText("mine.txt", HandWritten());
    ToolRun Elsewhere = RunLevels("encode mine.txt -o usrlev3.dat usrlev3p.dat");
    EXPECT_EQ(Elsewhere.nStatus, 1);
    EXPECT_EQ(Elsewhere.Out, "tamborel-levels: mine.txt holds levels 10..19 of level file 2, not of file 3\n");

    ASSERT_EQ(RunLevels("encode mine.txt -o usrlev2.dat usrlev2p.dat").nStatus, 0);
    ToolRun WrongNumber = RunLevels("decode usrlev2.dat usrlev2p.dat --file 1");
    EXPECT_EQ(WrongNumber.nStatus, 1);
    EXPECT_EQ(WrongNumber.Out.rfind("tamborel-levels: usrlev2.dat: slot 0 holds the value ", 0), 0u) << WrongNumber.Out;

    std::vector<uint8_t> Cut = ReadFileBytes("usrlev2.dat");
    Cut.resize(800);
    WriteFileBytes("cut2.dat", Cut);
    ToolRun Short = RunLevels("decode cut2.dat usrlev2p.dat");
    EXPECT_EQ(Short.nStatus, 1);
    EXPECT_EQ(Short.Out, "tamborel-levels: cut2.dat: a level file holds 1 to 10 records of 798 bytes, this one has "
                         "800 bytes\n");
}
