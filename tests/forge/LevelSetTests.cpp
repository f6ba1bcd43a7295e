// The shipped level sources and the forge's level step that compiles them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "ForgeTest.h"
#include "LevelFormat.h"
#include "LevelRules.h"
#include "LevelText.h"
#include "levels/LevelStep.h"

namespace {

struct ShippedFile {
    LevelSet Set;
    int nFile;
};

std::vector<ShippedFile> ShippedFiles()
{
    std::vector<ShippedFile> Files;
    for (LevelSet Set : {LevelSet::Normal, LevelSet::Hard})
        for (int nFile = 1; nFile <= 10; ++nFile)
            Files.push_back({Set, nFile});
    Files.push_back({LevelSet::User, 1});
    return Files;
}

std::string SourcePath(const ShippedFile& File)
{
    return std::string(TAMBOREL_LEVEL_SOURCES) + "/" + LevelSourceName(File.Set, File.nFile);
}

bool ParseSource(const std::string& Path, LevelFileData& File)
{
    LevelTextError Error;
    std::string Text = ReadFileText(Path);
    if (!LevelParseText(Text, File, Error)) {
        ADD_FAILURE() << Path << ":" << Error.nLine << ":" << Error.nColumn << ": " << Error.Message;
        return false;
    }
    return true;
}

}  // namespace

TEST(LevelSets, EveryShippedFileSurvivesTextBinaryTextAndEveryLevelIsPlayable)
{
    int nLevels = 0, nHits[2] = {0, 0};   // normal, hard
    std::vector<int> BackgroundsUsed(LEVEL_BACKGROUND_MAX + 1, 0);
    for (const ShippedFile& Shipped : ShippedFiles()) {
        std::string Path = SourcePath(Shipped);
        SCOPED_TRACE(Path);
        LevelFileData File;
        if (!ParseSource(Path, File))
            continue;
        EXPECT_EQ(File.nFile, Shipped.nFile);
        EXPECT_EQ(File.Levels.size(), 10u);
        std::vector<uint8_t> LevelBytes, ParamBytes;
        LevelEncodeFile(File, LevelBytes, ParamBytes);
        LevelFileData Decoded;
        int nDropped = 0;
        std::string Reason, Text;
        ASSERT_TRUE(LevelDecodeFile(LevelBytes, ParamBytes, Shipped.nFile, Decoded, nDropped, Reason)) << Reason;
        ASSERT_TRUE(LevelPrintText(Decoded, Text, Reason)) << Reason;
        EXPECT_EQ(Text, ReadFileText(Path));
        for (size_t nSlot = 0; nSlot < File.Levels.size(); ++nSlot, ++nLevels) {
            for (const std::string& Problem : LevelDesignProblems(File.Levels[nSlot]))
                ADD_FAILURE() << "level " << (Shipped.nFile - 1) * 10 + (int)nSlot << ": " << Problem;
            ++BackgroundsUsed[std::clamp(File.Levels[nSlot].nBackground, 0, LEVEL_BACKGROUND_MAX)];
            for (int16_t nCode : File.Levels[nSlot].Cells)
                if (Shipped.Set != LevelSet::User)
                    nHits[Shipped.Set == LevelSet::Hard] += LevelCellHits(nCode);
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
    ForgeContext Context{".", TAMBOREL_LEVEL_SOURCES, ""};
    ASSERT_TRUE(ForgeLevels(Context));
    EXPECT_EQ(ExpectSameAsDataSet(), 42u) << "a level and a parameter file for each shipped source";
    // level 9 of the normal set is the record at 7182 of lv1.dat
    LevelFileData File;
    ASSERT_TRUE(ParseSource(SourcePath({LevelSet::Normal, 1}), File));
    LevelCells Ninth;
    LevelDecodeRecord(&ReadFileBytes("levels/lv1.dat")[7182], 1, Ninth);
    EXPECT_EQ(Ninth, File.Levels[9].Cells);
}

TEST(LevelSets, ForgeStepRefusesABrokenSource)
{
    // one level: its key line, its header, the given top row and empty rows up to nRows
    auto SourceOf = [](int nFirstLevel, const std::string& Key, const std::string& TopRow, int nRows = 18) {
        std::string Text = Key + "\nlevel " + std::to_string(nFirstLevel) + " background 4\n" + TopRow + "\n";
        for (int nRow = 1; nRow < nRows; ++nRow)
            Text += "...................\n";
        return Text;
    };
    EnterScratchDirectory();
    std::filesystem::create_directories("src/normal");
    std::filesystem::create_directories("src/hard");
    for (int nFile = 1; nFile <= 10; ++nFile) {
        std::string Source = SourceOf((nFile - 1) * 10, "key r 3", "..r..r.............");
        WriteFileText("src/normal/lv" + std::to_string(nFile) + ".txt", Source);
        WriteFileText("src/hard/swrlev" + std::to_string(nFile) + ".txt", Source);
    }
    ForgeContext Context{"data", "src", ""};
    EXPECT_TRUE(ForgeLevels(Context));   // a missing user set is fine
    EXPECT_FALSE(PathExists("data/userlevels"));
    EXPECT_EQ(ReadFileBytes("data/levels/swrlev10.dat").size(), 7980u);

    WriteFileText("src/hard/swrlev4.txt", SourceOf(30, "key r 3", std::string(19, 'r'), 1));
    EXPECT_FALSE(ForgeLevels(Context));   // one row instead of 18
    WriteFileText("src/hard/swrlev4.txt", SourceOf(30, "key = 180", std::string(19, '=')));
    EXPECT_FALSE(ForgeLevels(Context));   // nothing to break: won at once
    WriteFileText("src/hard/swrlev4.txt", SourceOf(40, "key r 3", std::string(19, 'r')));
    EXPECT_FALSE(ForgeLevels(Context));   // the levels of another file
    remove("src/hard/swrlev4.txt");
    EXPECT_FALSE(ForgeLevels(Context));   // a shipped source is missing
}
