// Whole-file operations: copying, validating against md5sum, deleting, the
// directory operations, whole files into memory blocks and back; and the MD5
// digest itself against the RFC 1321 test suite.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "ServiceTest.h"

namespace {

Bytes Pattern(size_t nSize, uint32_t nSeed)
{
    Bytes Data(nSize);
    for (uint8_t& Byte : Data) {
        nSeed = nSeed * 1103515245 + 12345;
        Byte = (uint8_t)(nSeed >> 16);
    }
    return Data;
}

// The digest md5sum prints for a file.
std::string Md5sumOf(const std::string& Name)
{
    FILE* pPipe = popen(("md5sum '" + Name + "'").c_str(), "r");
    char szHex[33] = {};
    if (pPipe && fscanf(pPipe, "%32s", szHex) != 1)
        szHex[0] = 0;
    if (pPipe)
        pclose(pPipe);
    return szHex;
}

using FileOperations = ServiceTest;

TEST_F(FileOperations, CopyIsExactPausesBetweenChunksAndClosesItsFiles)
{
    const Bytes Data = Pattern(70000, 1);   // two full chunks and a 6000-byte rest
    WriteFileBytes("source.bin", Data);
    EXPECT_TRUE(Korvid.FileCopy("source.bin", "copy.bin"));
    EXPECT_EQ(ReadFileBytes("copy.bin"), Data);
    EXPECT_EQ(m_Platform.m_Yields, (std::vector<std::string>{"FileCopy", "FileCopy"}));
    WriteFileBytes("tiny.bin", {1, 2, 3});
    EXPECT_TRUE(Korvid.FileCopy("tiny.bin", "tiny-copy.bin"));
    EXPECT_EQ(ReadFileBytes("tiny-copy.bin"), (Bytes{1, 2, 3}));

    EXPECT_FALSE(Korvid.FileCopy("missing.bin", "out.bin"));
    EXPECT_FALSE(PathExists("out.bin"));
    EXPECT_FALSE(Korvid.FileCopy("tiny.bin", "no/such/dir/out.bin"));
    Korvid.FileValidationReport();
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"ERROR: ** FileCopy('missing.bin', 'out.bin') - Failed to Read Source file **",
                                 "ERROR: ** FileOpen(no/such/dir/out.bin) Failed **",
                                 "Total Number of Files Opened: 5 (Peak 2)"}));
    EXPECT_EQ(LogMessages().back(), "Total Number of Files Opened: 5 (Peak 2)") << "none left open";
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

TEST_F(FileOperations, FilesAreDeletedThroughTheWriteDirectoryAndDirectoriesMadeAndChanged)
{
    WriteFileBytes("doomed.bin", {1, 2});
    EXPECT_TRUE(Korvid.FileDelete("doomed.bin"));
    EXPECT_FALSE(PathExists("doomed.bin"));
    size_t nLogLines = LogMessages().size();
    EXPECT_FALSE(Korvid.FileDelete("doomed.bin"));
    EXPECT_EQ(LogMessages().size(), nLogLines) << "a missing file is refused silently";

    // Found through the read directory, removed through the write directory.
    ASSERT_EQ(mkdir("rd", 0700) | mkdir("wd", 0700), 0);
    Korvid.SetReadDir("rd/");
    Korvid.SetWriteDir("wd/");
    WriteFileBytes("rd/shared.bin", {1});
    WriteFileBytes("wd/shared.bin", {2});
    EXPECT_TRUE(Korvid.FileDelete("shared.bin"));
    EXPECT_TRUE(PathExists("rd/shared.bin"));
    EXPECT_FALSE(PathExists("wd/shared.bin"));
    EXPECT_FALSE(Korvid.FileDelete("shared.bin"));
    EXPECT_EQ(LogMessages().back(), "ERROR: ** FileDelete('shared.bin') - Failed **");

    EXPECT_TRUE(Korvid.MakeDir("quiet"));
    EXPECT_FALSE(LogHas("MakeDir('quiet')")) << "traced only with the verbose bit";
    Korvid.SetTraceMask(KOR_TRACE_VERBOSE);
    Korvid.SetWriteDir("ignored/");   // directory operations take the path unchanged
    EXPECT_TRUE(Korvid.MakeDir("made"));
    struct stat Info;
    EXPECT_TRUE(stat("made", &Info) == 0 && S_ISDIR(Info.st_mode) && (Info.st_mode & 0777) == 0700);
    EXPECT_FALSE(Korvid.MakeDir("made"));
    EXPECT_TRUE(Korvid.ChangeDir("made"));
    WriteFileText("here.txt", "");
    EXPECT_FALSE(Korvid.ChangeDir("nowhere"));
    ASSERT_TRUE(Korvid.ChangeDir(".."));
    EXPECT_TRUE(PathExists("made/here.txt"));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"MakeDir('made')", "ERROR: ** MakeDir('made') - Failed **",
                                                "ChangeDir('made')", "ERROR: ** ChangeDir('nowhere') - Failed **"}));
}

TEST_F(FileOperations, FileToMemoryFillsANewOrAGivenBlock)
{
    const Bytes Data = Pattern(150, 2);
    WriteFileBytes("data.bin", Data);
    WriteFileBytes("empty.bin", {});
    uint8_t* pLoaded = (uint8_t*)Korvid.FileToMemory("data.bin", nullptr, KOR_FILE_READ);
    ASSERT_NE(pLoaded, nullptr);
    EXPECT_EQ(Bytes(pLoaded, pLoaded + 150), Data);
    EXPECT_EQ(Korvid.FileToMemory("missing.bin", nullptr, KOR_FILE_READ), nullptr);
    EXPECT_EQ(Korvid.FileToMemory("empty.bin", nullptr, KOR_FILE_READ), nullptr);

    uint8_t* pLarge = (uint8_t*)Korvid.AllocMemory(200);
    EXPECT_EQ(Korvid.FileToMemory("data.bin", pLarge, KOR_FILE_READ), pLarge);
    EXPECT_EQ(Bytes(pLarge, pLarge + 150), Data);
    uint8_t* pSmall = (uint8_t*)Korvid.AllocMemory(100);
    EXPECT_EQ(Korvid.FileToMemory("data.bin", pSmall, KOR_FILE_READ), nullptr);
    EXPECT_EQ(Bytes(pSmall, pSmall + 100), Prefix(Data, 100)) << "the first part only";
    Bytes Foreign(10, 0x55);
    EXPECT_EQ(Korvid.FileToMemory("data.bin", Foreign.data(), KOR_FILE_READ), nullptr);
    EXPECT_EQ(Foreign, Bytes(10, 0x55)) << "a destination of unknown size is left alone";

    Korvid.FileValidationReport();
    std::vector<std::string> Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(
        Log, {"ERROR: ** FileToMemory('missing.bin') - Can't Open File **",
              "ERROR: ** FileToMemory('empty.bin') - File Empty **",
              "ERROR: ** FileToMemory('data.bin') - Pre-Allocated Memory (100 bytes) Too Small for 150 byte file **",
              "ERROR: ** FileToMemory('data.bin') - 100 Bytes Loaded to fill Malloc Space **"}));
    EXPECT_TRUE(LogMentions({"ERROR: ** FileToMemory('data.bin') - Destination &", " is not a Korvid Malloc **"}));
    EXPECT_EQ(Log.back(), "Total Number of Files Opened: 5 (Peak 1)") << "every file was closed";
    for (uint8_t* pBlock : {pLoaded, pLarge, pSmall})
        Korvid.FreeMemory(pBlock);
}

TEST_F(FileOperations, MemoryToFileWritesTheBytesOrAWholeBlock)
{
    const Bytes Data = Pattern(5000, 3);
    EXPECT_TRUE(Korvid.MemoryToFile("out.bin", Data.data(), 5000, KOR_FILE_WRITE));
    EXPECT_EQ(ReadFileBytes("out.bin"), Data);

    // Back through FileToMemory, user flags taking the write directory.
    Korvid.SetWriteDir("./");
    EXPECT_TRUE(Korvid.MemoryToFile("user.bin", Data.data(), 300, KOR_FILE_USER | KOR_FILE_WRITE));
    uint8_t* pBack = (uint8_t*)Korvid.FileToMemory("user.bin", nullptr, KOR_FILE_USER);
    ASSERT_NE(pBack, nullptr);
    EXPECT_EQ(Bytes(pBack, pBack + 300), Prefix(Data, 300));
    Korvid.FreeMemory(pBack);

    uint8_t* pBlock = (uint8_t*)Korvid.AllocMemory(64);
    std::copy(Data.begin(), Data.begin() + 64, pBlock);
    EXPECT_TRUE(Korvid.MemoryToFile("block.bin", pBlock, 0, KOR_FILE_WRITE));   // length 0: the block's size
    EXPECT_EQ(ReadFileBytes("block.bin"), Prefix(Data, 64));
    Korvid.FreeMemory(pBlock);

    uint8_t Plain[4] = {1, 2, 3, 4};
    EXPECT_FALSE(Korvid.MemoryToFile("out.bin", nullptr, 12, KOR_FILE_WRITE));
    EXPECT_FALSE(Korvid.MemoryToFile("out.bin", Plain, 0, KOR_FILE_WRITE));   // not a block: no size to take
    EXPECT_FALSE(Korvid.MemoryToFile("no/such/dir/out.bin", Plain, 4, KOR_FILE_WRITE));
    EXPECT_EQ(ReadFileBytes("out.bin"), Data);
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(),
        {"ERROR: ** MemoryToFile('out.bin', 0, 12) - Address NULL **",
         "ERROR: ** MemoryToFile('out.bin', " + std::to_string((unsigned long)(uintptr_t)Plain) + ", 0) - Length 0 **",
         "ERROR: ** MemoryToFile('no/such/dir/out.bin') - Can't Open File **"}));
}

TEST(MD5, RfcTestSuiteWholeAndPiecewise)
{
    const std::pair<std::string, const char*> Vectors[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [Text, szDigest] : Vectors) {
        SCOPED_TRACE('"' + Text + '"');
        EXPECT_STREQ(KorMD5(Text.c_str()).HexDigest(), szDigest);
        // Pieces that end before, at and after the 56-byte padding edge and the 64-byte block.
        for (uint32_t nPiece : {1u, 55u, 64u, 100u}) {
            KorMD5 Fed;
            for (size_t nAt = 0; nAt < Text.size(); nAt += nPiece)
                Fed.Update((const uint8_t*)Text.data() + nAt, (uint32_t)std::min<size_t>(nPiece, Text.size() - nAt));
            EXPECT_STREQ(Fed.HexDigest(), szDigest) << "pieces of " << nPiece;
        }
    }
}

TEST(MD5, DigestBytesMatchTheHexTextAndFinaliseOnce)
{
    EnterScratchDirectory();
    Korvid.PrepareMainThread();
    Korvid.StartLog();
    const uint8_t Expected[16] = {0x90, 0x01, 0x50, 0x98, 0x3c, 0xd2, 0x4f, 0xb0,
                                  0xd6, 0x96, 0x3f, 0x7d, 0x28, 0xe1, 0x7f, 0x72};
    KorMD5 Digest;
    Digest.Update((const uint8_t*)"abc", 3);
    EXPECT_EQ(memcmp(Digest.Digest(), Expected, 16), 0) << "asking for the bytes finalises";
    Digest.Finalize();
    Digest.Update((const uint8_t*)"more", 4);
    EXPECT_STREQ(Digest.HexDigest(), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"KorMD5: Finalize() - Already finalized this digest!",
                                                "KorMD5: Update(..., 4) -  Can't update a finalized digest!"}));
}

}  // namespace
