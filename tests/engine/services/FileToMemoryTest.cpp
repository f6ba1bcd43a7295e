// Whole files into memory blocks and back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvid.h"
#include "support/TestFiles.h"
#include "support/TestApp.h"

namespace {

std::vector<uint8_t> Pattern(size_t nSize)
{
    std::vector<uint8_t> Bytes(nSize);
    for (size_t n = 0; n < nSize; ++n)
        Bytes[n] = (uint8_t)(n * 13 + 1);
    return Bytes;
}

class FileToMemory : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.PrepareMainThread();
        Korvid.StartLog();
        m_Data = Pattern(150);
        WriteFileBytes("data.bin", m_Data);
    }
    void TearDown() override { Korvid.FileValidationReport(); }

    // A block from the memory manager, or a skip while the manager records no blocks.
    uint8_t* RecordedBlock(uint32_t nSize) { return (uint8_t*)Korvid.AllocMemory(nSize); }

    std::vector<uint8_t> m_Data;
};

TEST_F(FileToMemory, LoadsAWholeFileIntoANewBlock)
{
    uint8_t* pLoaded = (uint8_t*)Korvid.FileToMemory("data.bin", nullptr, KOR_FILE_READ);
    ASSERT_NE(pLoaded, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(pLoaded, pLoaded + 150), m_Data);
    Korvid.FreeMemory(pLoaded);
    Korvid.FileValidationReport();
    EXPECT_EQ(LogMessages().back(), "Total Number of Files Opened: 1 (Peak 1)") << "the file was closed";
}

TEST_F(FileToMemory, MissingAndEmptyFilesGiveNothing)
{
    WriteFileBytes("empty.bin", {});
    EXPECT_EQ(Korvid.FileToMemory("missing.bin", nullptr, KOR_FILE_READ), nullptr);
    EXPECT_EQ(Korvid.FileToMemory("empty.bin", nullptr, KOR_FILE_READ), nullptr);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** FileOpen(missing.bin) Failed **",
                                                "ERROR: ** FileToMemory('missing.bin') - Can't Open File **",
                                                "ERROR: ** FileToMemory('empty.bin') - File Empty **"}));
}

TEST_F(FileToMemory, PreAllocatedBlockLargeEnoughTakesTheFile)
{
    uint8_t* pBlock = RecordedBlock(200);
    ASSERT_NE(pBlock, nullptr);
    EXPECT_EQ(Korvid.FileToMemory("data.bin", pBlock, KOR_FILE_READ), pBlock);
    EXPECT_EQ(std::vector<uint8_t>(pBlock, pBlock + 150), m_Data);
    Korvid.FreeMemory(pBlock);
}

TEST_F(FileToMemory, PreAllocatedBlockTooSmallGetsTheFirstPartOnly)
{
    uint8_t* pBlock = RecordedBlock(100);
    ASSERT_NE(pBlock, nullptr);
    EXPECT_EQ(Korvid.FileToMemory("data.bin", pBlock, KOR_FILE_READ), nullptr);
    EXPECT_EQ(std::vector<uint8_t>(pBlock, pBlock + 100), std::vector<uint8_t>(m_Data.begin(), m_Data.begin() + 100));
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(),
        {"ERROR: ** FileToMemory('data.bin') - Pre-Allocated Memory (100 bytes) Too Small for 150 byte file **",
         "ERROR: ** FileToMemory('data.bin') - 100 Bytes Loaded to fill Malloc Space **"}));
    Korvid.FreeMemory(pBlock);
}

TEST_F(FileToMemory, DestinationOfUnknownSizeIsRefused)
{
    std::vector<uint8_t> Small(10, 0x55);
    EXPECT_EQ(Korvid.FileToMemory("data.bin", Small.data(), KOR_FILE_READ), nullptr);
    EXPECT_EQ(Small, std::vector<uint8_t>(10, 0x55)) << "nothing was written into it";
    auto Log = LogMessages();
    EXPECT_NE(Log.back().find("ERROR: ** FileToMemory('data.bin') - Destination &"), std::string::npos);
    EXPECT_NE(Log.back().find(" is not a Korvid Malloc **"), std::string::npos);
}

TEST_F(FileToMemory, MemoryToFileWritesTheBytes)
{
    std::vector<uint8_t> Bytes = Pattern(5000);
    EXPECT_TRUE(Korvid.MemoryToFile("out.bin", Bytes.data(), 5000, KOR_FILE_WRITE));
    EXPECT_EQ(ReadFileBytes("out.bin"), Bytes);

    // Round trip through both operations, user flags taking the write directory.
    Korvid.SetWriteDir("./");
    EXPECT_TRUE(Korvid.MemoryToFile("user.bin", Bytes.data(), 300, KOR_FILE_USER | KOR_FILE_WRITE));
    uint8_t* pBack = (uint8_t*)Korvid.FileToMemory("user.bin", nullptr, KOR_FILE_USER);
    ASSERT_NE(pBack, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(pBack, pBack + 300), std::vector<uint8_t>(Bytes.begin(), Bytes.begin() + 300));
    Korvid.FreeMemory(pBack);
}

TEST_F(FileToMemory, MemoryToFileOfAWholeRecordedBlock)
{
    uint8_t* pBlock = RecordedBlock(64);
    ASSERT_NE(pBlock, nullptr);
    for (int n = 0; n < 64; ++n)
        pBlock[n] = (uint8_t)(255 - n);
    EXPECT_TRUE(Korvid.MemoryToFile("block.bin", pBlock, 0, KOR_FILE_WRITE));   // length 0: the block's size
    EXPECT_EQ(ReadFileBytes("block.bin"), std::vector<uint8_t>(pBlock, pBlock + 64));
    Korvid.FreeMemory(pBlock);
}

TEST_F(FileToMemory, MemoryToFileRefusals)
{
    uint8_t Bytes[4] = {1, 2, 3, 4};
    EXPECT_FALSE(Korvid.MemoryToFile("out.bin", nullptr, 12, KOR_FILE_WRITE));
    EXPECT_FALSE(Korvid.MemoryToFile("out.bin", Bytes, 0, KOR_FILE_WRITE));   // not a block: no size to take
    EXPECT_FALSE(Korvid.MemoryToFile("no/such/dir/out.bin", Bytes, 4, KOR_FILE_WRITE));
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"ERROR: ** MemoryToFile('out.bin', 0, 12) - Address NULL **",
                                      "ERROR: ** MemoryToFile('out.bin', " +
                                          std::to_string((unsigned long)(uintptr_t)Bytes) + ", 0) - Length 0 **",
                                      "ERROR: ** MemoryToFile('no/such/dir/out.bin') - Can't Open File **"}));
}

}  // namespace
