// Whole-file operations: copying, validating against md5sum, deleting and the
// directory operations on the real file system.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "korvid.h"
#include "support/TestFiles.h"
#include "support/TestApp.h"
#include "support/TestPlatform.h"

namespace {

std::vector<uint8_t> Pattern(size_t nSize, uint32_t nSeed)
{
    std::vector<uint8_t> Bytes(nSize);
    uint32_t nState = nSeed;
    for (uint8_t& Byte : Bytes) {
        nState = nState * 1103515245 + 12345;
        Byte = (uint8_t)(nState >> 16);
    }
    return Bytes;
}

// The digest md5sum prints for a file.
std::string Md5sumOf(const std::string& Name)
{
    std::string Command = "md5sum '" + Name + "'";
    FILE* pPipe = popen(Command.c_str(), "r");
    if (!pPipe)
        return "";
    char szHex[33] = {};
    if (fscanf(pPipe, "%32s", szHex) != 1)
        szHex[0] = 0;
    pclose(pPipe);
    return szHex;
}

class FileOperations : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        Korvid.PrepareMainThread();
        Korvid.StartLog();
    }
    void TearDown() override { Korvid.FileValidationReport(); }
    VirtualClockPlatform m_Platform;
};

TEST_F(FileOperations, CopyOfALargeFileIsExactAndPausesBetweenChunks)
{
    std::vector<uint8_t> Data = Pattern(70000, 1);   // two full chunks and a 6000-byte rest
    WriteFileBytes("source.bin", Data);
    EXPECT_TRUE(Korvid.FileCopy("source.bin", "copy.bin"));
    EXPECT_EQ(ReadFileBytes("copy.bin"), Data);
    EXPECT_EQ(m_Platform.m_Yields, (std::vector<std::string>{"FileCopy", "FileCopy"}));

    WriteFileBytes("tiny.bin", {1, 2, 3});
    EXPECT_TRUE(Korvid.FileCopy("tiny.bin", "tiny-copy.bin"));
    EXPECT_EQ(ReadFileBytes("tiny-copy.bin"), (std::vector<uint8_t>{1, 2, 3}));
    Korvid.FileValidationReport();
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Total Number of Files Opened: 4 (Peak 2)"}))
        << "every copy closes both its files";
}

TEST_F(FileOperations, CopyFailures)
{
    EXPECT_FALSE(Korvid.FileCopy("missing.bin", "out.bin"));
    EXPECT_FALSE(PathExists("out.bin"));
    WriteFileBytes("source.bin", {1});
    EXPECT_FALSE(Korvid.FileCopy("source.bin", "no/such/dir/out.bin"));
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"ERROR: ** FileCopy('missing.bin', 'out.bin') - Failed to Read Source file **",
                                 "ERROR: ** FileOpen(no/such/dir/out.bin) Failed **"}));
    Korvid.FileValidationReport();
    EXPECT_EQ(LogMessages().back(), "Total Number of Files Opened: 1 (Peak 1)") << "the source was closed";
}

TEST_F(FileOperations, ValidateAgreesWithMd5sum)
{
    // Sizes around the 64-byte block, the 56-byte padding edge, the read window and
    // the 102400-byte validation chunk.
    for (size_t nSize : {0, 1, 55, 56, 63, 64, 65, 1000, 1024, 102400, 250001}) {
        std::string Name = "v" + std::to_string(nSize) + ".bin";
        WriteFileBytes(Name, Pattern(nSize, (uint32_t)nSize));
        KorMD5 Digest;
        ASSERT_TRUE(Korvid.FileValidate(Name.c_str(), Digest)) << Name;
        EXPECT_EQ(std::string(Digest.HexDigest()), Md5sumOf(Name)) << Name;
    }
    KorMD5 Unused;
    EXPECT_FALSE(Korvid.FileValidate("missing.bin", Unused));
    EXPECT_EQ(LogMessages().back(), "ERROR: ** FileValidate(missing.bin, ...) - Failed to open file **");
}

TEST_F(FileOperations, MakeAndChangeDirectories)
{
    EXPECT_TRUE(Korvid.MakeDir("quiet"));
    EXPECT_EQ(IndexOf(LogMessages(), "MakeDir('quiet')"), -1) << "traced only with the verbose bit";
    Korvid.SetTraceMask(KOR_TRACE_VERBOSE);
    Korvid.SetWriteDir("ignored/");   // directory operations take the path unchanged
    EXPECT_TRUE(Korvid.MakeDir("made"));
    struct stat Info;
    ASSERT_EQ(stat("made", &Info), 0);
    EXPECT_TRUE(S_ISDIR(Info.st_mode));
    EXPECT_EQ(Info.st_mode & 0777, 0700u);
    EXPECT_FALSE(Korvid.MakeDir("made"));

    char szBefore[PATH_MAX];
    ASSERT_NE(getcwd(szBefore, sizeof(szBefore)), nullptr);
    EXPECT_TRUE(Korvid.ChangeDir("made"));
    char szAfter[PATH_MAX];
    ASSERT_NE(getcwd(szAfter, sizeof(szAfter)), nullptr);
    EXPECT_EQ(std::string(szAfter), std::string(szBefore) + "/made");
    EXPECT_FALSE(Korvid.ChangeDir("nowhere"));
    ASSERT_TRUE(Korvid.ChangeDir(".."));

    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"MakeDir('made')", "MakeDir('made')",
                                                "ERROR: ** MakeDir('made') - Failed **", "ChangeDir('made')", "ChangeDir('nowhere')",
                                                "ERROR: ** ChangeDir('nowhere') - Failed **"}));
}

TEST_F(FileOperations, DeleteRemovesExistingFilesOnly)
{
    WriteFileBytes("doomed.bin", {1, 2});
    EXPECT_TRUE(Korvid.FileDelete("doomed.bin"));
    EXPECT_FALSE(PathExists("doomed.bin"));
    size_t nLogLines = LogMessages().size();
    EXPECT_FALSE(Korvid.FileDelete("doomed.bin"));
    EXPECT_EQ(LogMessages().size(), nLogLines) << "a missing file is refused silently";

    // Found through the read directory, removed through the write directory.
    ASSERT_EQ(mkdir("rd", 0700), 0);
    ASSERT_EQ(mkdir("wd", 0700), 0);
    Korvid.SetReadDir("rd/");
    Korvid.SetWriteDir("wd/");
    WriteFileBytes("rd/shared.bin", {1});
    WriteFileBytes("wd/shared.bin", {2});
    EXPECT_TRUE(Korvid.FileDelete("shared.bin"));
    EXPECT_TRUE(PathExists("rd/shared.bin"));
    EXPECT_FALSE(PathExists("wd/shared.bin"));
    EXPECT_FALSE(Korvid.FileDelete("shared.bin"));
    EXPECT_EQ(LogMessages().back(), "ERROR: ** FileDelete('shared.bin') - Failed **");
}

}  // namespace
