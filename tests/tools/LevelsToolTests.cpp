// tamborel-levels run as a person runs it: exit status, messages and the files it writes.
#include <gtest/gtest.h>

#include "support/TestApp.h"
#include "support/TestFiles.h"
#include "support/ToolRun.h"

namespace {

ToolRun RunLevels(const std::string& Arguments) { return RunProgram(TAMBOREL_LEVELS_TOOL, Arguments); }

// Two levels of file 2 (levels 10 and 11) as a person might write them.
std::string HandWritten()
{
    std::string Text = "# my levels\nkey W 180\nkey r 3\nkey M 22\n\nlevel 10 background 4\n";
    Text += "rrrrrrrrrMrrrrrrrrr\n..W.............W..\n";
    for (int nRow = 2; nRow < 18 + 19; ++nRow)
        Text += nRow == 18       ? "level 11 background 9\n"
                : nRow == 18 + 6 ? "........r..........\n"
                                 : "...................\n";
    return Text;
}

TEST(LevelsTool, HelpAndMistakesInTheCommand)
{
    EnterScratchDirectory();
    ToolRun Help = RunLevels("--help");
    EXPECT_EQ(Help.nStatus, 0);
    EXPECT_NE(Help.Out.find("tamborel-levels decode LEVELFILE PARAMFILE [-o TEXT]"), std::string::npos);
    EXPECT_NE(Help.Out.find("tamborel-levels encode TEXT -o LEVELFILE PARAMFILE"), std::string::npos);
    const std::pair<const char*, const char*> CASES[] = {
        {"", "no command (see tamborel-levels --help)"},
        {"squash a b", "unknown command 'squash' (see tamborel-levels --help)"},
        {"decode only.dat", "usage: tamborel-levels decode LEVELFILE PARAMFILE [-o TEXT] [--file N]"},
        {"encode in.txt -o only.dat", "usage: tamborel-levels encode TEXT -o LEVELFILE PARAMFILE [--file N]"},
        {"decode a.dat b.dat --file 12", "the level-file number must be 1..11, not 12"},
        {"decode levels.dat levelsp.dat", "no level-file number in the name 'levels.dat': give it with --file N"},
        {"decode lv1.dat lv1p.dat", "cannot read 'lv1.dat': No such file or directory"},
        {"decode lv1.dat lv1p.dat --fast", "unknown option '--fast' (see tamborel-levels --help)"},
    };
    for (auto [szArguments, szMessage] : CASES)
        EXPECT_EQ(RunLevels(szArguments), (ToolRun{1, std::string("tamborel-levels: ") + szMessage + "\n"}))
            << szArguments;
}

TEST(LevelsTool, EncodeWritesTheFilesAndDecodeGivesTheLevelsBack)
{
    EnterScratchDirectory();
    WriteFileText("mine.txt", HandWritten());
    EXPECT_EQ(RunLevels("encode mine.txt -o usrlev2.dat usrlev2p.dat"),
              (ToolRun{0, "2 levels encoded into usrlev2.dat and usrlev2p.dat (level file 2)\n"}));
    std::vector<uint8_t> Levels = ReadFileBytes("usrlev2.dat"), Params = ReadFileBytes("usrlev2p.dat");
    EXPECT_EQ(Levels.size(), 7980u);
    EXPECT_EQ(std::vector<uint8_t>(Params.begin(), Params.begin() + 12),
              (std::vector<uint8_t>{4, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0}));

    EXPECT_EQ(RunLevels("decode usrlev2.dat usrlev2p.dat -o back.txt"),
              (ToolRun{0, "10 levels decoded into back.txt\n"}));
    std::string Back = ReadFileText("back.txt");
    EXPECT_NE(Back.find("key = 180   # indestructible\n"), std::string::npos) << Back;
    EXPECT_NE(Back.find("level 10 background 4\ndddddddddMddddddddd\n..=.............=..\n"), std::string::npos);
    EXPECT_NE(Back.find("level 19 background 0\n"), std::string::npos) << "the padding: empty levels";

    // The decoded text encodes to the same bytes (warning about the padded levels,
    // which would be won at once) and decodes to the same text on stdout.
    ToolRun Again = RunLevels("encode back.txt -o again.dat againp.dat --file 2");
    ASSERT_EQ(Again.nStatus, 0);
    EXPECT_NE(Again.Out.find("tamborel-levels: warning: level 12: no countable brick: the level is won at once\n"),
              std::string::npos) << Again.Out;
    EXPECT_EQ(ReadFileBytes("again.dat"), Levels);
    EXPECT_EQ(ReadFileBytes("againp.dat"), Params);
    EXPECT_EQ(RunLevels("decode again.dat againp.dat --file 2"), (ToolRun{0, Back}));
}

TEST(LevelsTool, TextMistakesAndWrongFilesGiveOneLineNamingTheFile)
{
    EnterScratchDirectory();
    std::string Text = HandWritten();
    WriteFileText("typo.txt", Text.replace(Text.find("..W....."), 3, "..Z"));
    WriteFileText("mine.txt", HandWritten());
    ASSERT_EQ(RunLevels("encode mine.txt -o usrlev2.dat usrlev2p.dat").nStatus, 0);
    std::vector<uint8_t> Cut = ReadFileBytes("usrlev2.dat");
    Cut.resize(800);
    WriteFileBytes("cut2.dat", Cut);
    const std::pair<const char*, const char*> CASES[] = {
        {"encode typo.txt -o typo.dat typop.dat", "tamborel-levels: typo.txt:8:3: unknown cell 'Z'"},
        {"encode mine.txt -o usrlev3.dat usrlev3p.dat",
         "tamborel-levels: mine.txt holds levels 10..19 of level file 2, not of file 3\n"},
        {"decode usrlev2.dat usrlev2p.dat --file 1", "tamborel-levels: usrlev2.dat: slot 0 holds the value "},
        {"decode cut2.dat usrlev2p.dat", "tamborel-levels: cut2.dat: a level file holds 1 to 10 records"},
    };
    for (auto [szArguments, szStart] : CASES) {
        ToolRun Run = RunLevels(szArguments);
        EXPECT_EQ(Run.nStatus, 1) << szArguments;
        EXPECT_EQ(Run.Out.rfind(szStart, 0), 0u) << Run.Out;
        EXPECT_EQ(std::count(Run.Out.begin(), Run.Out.end(), '\n'), 1) << Run.Out;
    }
    EXPECT_FALSE(PathExists("typo.dat")) << "nothing written";
}

}  // namespace
