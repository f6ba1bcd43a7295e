// The shipped level sources and the forge's level step that compiles them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

#include "LevelFormat.h"
#include "LevelRules.h"
#include "LevelText.h"
#include "levels/LevelStep.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"

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

TEST(LevelSets, EveryShippedFileSurvivesTextBinaryText)
{
    for (const ShippedFile& Shipped : ShippedFiles()) {
        std::string Path = SourcePath(Shipped);
        LevelFileData File;
        if (!ParseSource(Path, File))
            continue;
        EXPECT_EQ(File.nFile, Shipped.nFile) << Path;
        EXPECT_EQ(File.Levels.size(), 10u) << Path;

        std::vector<uint8_t> LevelBytes, ParamBytes;
        LevelEncodeFile(File, LevelBytes, ParamBytes);
        LevelFileData Decoded;
        int nDropped = 0;
        std::string Reason, Text;
        ASSERT_TRUE(LevelDecodeFile(LevelBytes, ParamBytes, Shipped.nFile, Decoded, nDropped, Reason)) << Reason;
        ASSERT_TRUE(LevelPrintText(Decoded, Text, Reason)) << Reason;
        EXPECT_EQ(Text, ReadFileText(Path)) << Path;
    }
}

TEST(LevelSets, EveryShippedLevelIsPlayable)
{
    int nLevels = 0;
    std::vector<int> BackgroundsUsed(LEVEL_BACKGROUND_MAX + 1, 0);
    for (const ShippedFile& Shipped : ShippedFiles()) {
        LevelFileData File;
        if (!ParseSource(SourcePath(Shipped), File))
            continue;
        for (size_t nSlot = 0; nSlot < File.Levels.size(); ++nSlot, ++nLevels) {
            for (const std::string& Problem : LevelDesignProblems(File.Levels[nSlot]))
                ADD_FAILURE() << SourcePath(Shipped) << " level " << (Shipped.nFile - 1) * 10 + int(nSlot) << ": "
                              << Problem;
            ++BackgroundsUsed[std::clamp(File.Levels[nSlot].nBackground, 0, LEVEL_BACKGROUND_MAX)];
        }
    }
    EXPECT_EQ(nLevels, 210);
    for (int nBackground = 1; nBackground <= LEVEL_BACKGROUND_MAX; ++nBackground)
        EXPECT_GT(BackgroundsUsed[nBackground], 0) << "background " << nBackground << " never used";
}

TEST(LevelSets, HardSetAsksForMoreHitsThanTheNormalOne)
{
    auto HitsOf = [](LevelSet Set) {
        int nHits = 0;
        for (int nFile = 1; nFile <= 10; ++nFile) {
            LevelFileData File;
            if (ParseSource(SourcePath({Set, nFile}), File))
                for (const Level& Each : File.Levels)
                    for (int16_t nCode : Each.Cells)
                        nHits += LevelCellHits(nCode);
        }
        return nHits;
    };
    EXPECT_GT(HitsOf(LevelSet::Hard), HitsOf(LevelSet::Normal));
}

TEST(LevelSets, ForgeStepWritesEveryLevelAndParameterFile)
{
    std::string Scratch = EnterScratchDirectory();
    ForgeContext Context;
    Context.OutDir = Scratch + "/data";
    Context.LevelSources = TAMBOREL_LEVEL_SOURCES;
    ASSERT_TRUE(ForgeLevels(Context));
    std::vector<std::pair<std::string, std::string>> Written;
    for (const ShippedFile& Shipped : ShippedFiles())
        Written.push_back({LevelFileName(Shipped.Set, Shipped.nFile), LevelParamFileName(Shipped.Set, Shipped.nFile)});
    ASSERT_EQ(Written.size(), 21u);
    for (const auto& [LevelName, ParamName] : Written) {
        EXPECT_EQ(ReadFileBytes(Context.OutDir + "/" + LevelName).size(), 7980u) << LevelName;
        EXPECT_EQ(ReadFileBytes(Context.OutDir + "/" + ParamName).size(), 40u) << ParamName;
    }
    // level 9 of the normal set is the record at 7182 of lv1.dat
    std::vector<uint8_t> First = ReadFileBytes(Context.OutDir + "/levels/lv1.dat");
    LevelFileData File;
    ASSERT_TRUE(ParseSource(SourcePath({LevelSet::Normal, 1}), File));
    LevelCells Ninth;
    LevelDecodeRecord(&First[7182], 1, Ninth);
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
    std::string Scratch = EnterScratchDirectory();
    ASSERT_EQ(system("mkdir -p src/normal src/hard"), 0);
    for (int nFile = 1; nFile <= 10; ++nFile) {
        std::string Source = SourceOf((nFile - 1) * 10, "key r 3", "..r..r.............");
        WriteFileText("src/normal/lv" + std::to_string(nFile) + ".txt", Source);
        WriteFileText("src/hard/swrlev" + std::to_string(nFile) + ".txt", Source);
    }
    ForgeContext Context;
    Context.OutDir = Scratch + "/data";
    Context.LevelSources = Scratch + "/src";
    EXPECT_TRUE(ForgeLevels(Context));   // a missing user set is fine
    struct stat Info;
    EXPECT_NE(stat((Scratch + "/data/userlevels").c_str(), &Info), 0);
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
