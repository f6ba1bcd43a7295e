// The read side of the file layer: the read window and its counters, direct
// reads, seeking and line and string reading.
#include <gtest/gtest.h>

#include <unistd.h>

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
        Bytes[n] = (uint8_t)(n * 7 + 3 + n / 256);
    return Bytes;
}

std::vector<std::string> CacheReport()
{
    Korvid.ReportFileCache();
    auto Log = LogMessages();
    int nStart = IndexOf(Log, "==File Access/Cache Report==");
    if (nStart < 0)
        return {};
    return std::vector<std::string>(Log.begin() + nStart, Log.end());
}

class FileRead : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.PrepareMainThread();
        Korvid.StartLog();
        m_Data = Pattern(3000);
        WriteFileBytes("data.bin", m_Data);
    }
    void TearDown() override { Korvid.FileValidationReport(); }

    // Reads nBytes and checks they are the file's bytes from the position before the read.
    void ExpectRead(uint32_t hFile, int32_t nBytes, int32_t nExpected, bool bNoWindow = false)
    {
        int32_t nFrom = Korvid.FilePoss(hFile);
        std::vector<uint8_t> Got(nBytes > 0 ? nBytes : 1, 0xEE);
        ASSERT_EQ(Korvid.FileRead(hFile, Got.data(), nBytes, bNoWindow), nExpected) << "read of " << nBytes;
        for (int32_t n = 0; n < nExpected; ++n)
            ASSERT_EQ(Got[n], m_Data[nFrom + n]) << "byte " << n << " of read at " << nFrom;
        for (int32_t n = nExpected; n < nBytes; ++n)
            ASSERT_EQ(Got[n], 0xEE) << "byte past the delivered count was written";
        EXPECT_EQ(Korvid.FilePoss(hFile), nFrom + nExpected);
    }

    std::vector<uint8_t> m_Data;
};

TEST_F(FileRead, SmallReadsFillTheWindowAndLargeReadsBypassIt)
{
    uint32_t hFile = Korvid.FileOpen("data.bin", KOR_FILE_READ);
    ASSERT_NE(hFile, 0u);
    EXPECT_EQ(Korvid.FileSize(hFile), 3000);

    for (int n = 0; n < 1024; ++n)   // the first fills 1024 bytes, 1023 come from the window
        ExpectRead(hFile, 1, 1);
    ExpectRead(hFile, 1024, 1024);   // as big as the window: read directly
    ExpectRead(hFile, 10, 10);       // refills with the 952 bytes left
    ExpectRead(hFile, 950, 942);     // straddles the end: only bytes that were read
    ExpectRead(hFile, 1, 0);
    EXPECT_TRUE(Korvid.FileEOF(hFile));

    EXPECT_EQ(CacheReport(), (std::vector<std::string>{"==File Access/Cache Report==",
                                                       "File data read into Cache 1.930K",
                                                       "File data read from Cache 1.930K",
                                                       "File data read w'no Cache 1.000K", "File Cache Waste 0.000%",
                                                       "File Seek Count 0"}));
}

TEST_F(FileRead, ReadRunningPastTheWindowTakesItsRestThenReadsOn)
{
    uint32_t hFile = Korvid.FileOpen("data.bin", KOR_FILE_READ);
    ExpectRead(hFile, 1000, 1000);   // refill 1024, hand out 1000
    ExpectRead(hFile, 100, 100);     // 24 from the window, then a refill for 76
    ExpectRead(hFile, 2000, 1900);   // window rest, then direct to the end
    EXPECT_EQ(CacheReport(), (std::vector<std::string>{"==File Access/Cache Report==",
                                                       "File data read into Cache 2.000K",
                                                       "File data read from Cache 2.000K",
                                                       "File data read w'no Cache 0.930K", "File Cache Waste 0.000%",
                                                       "File Seek Count 0"}));
}

TEST_F(FileRead, WindowNearTheEndOfASmallFileHandsOutOnlyItsBytes)
{
    m_Data = Pattern(100);
    WriteFileBytes("small.bin", m_Data);
    uint32_t hFile = Korvid.FileOpen("small.bin", KOR_FILE_READ);
    ExpectRead(hFile, 1, 1);
    ExpectRead(hFile, 200, 99);
    ExpectRead(hFile, 5, 0);
    auto Report = CacheReport();
    ASSERT_GE(Report.size(), 5u);
    EXPECT_EQ(Report[1], "File data read into Cache 0.098K");
    EXPECT_EQ(Report[4], "File Cache Waste 0.000%");
}

TEST_F(FileRead, NoWindowFlagAndCacheSizeZeroReadDirectly)
{
    uint32_t hWindowed = Korvid.FileOpen("data.bin", KOR_FILE_READ);
    ExpectRead(hWindowed, 10, 10, true);
    Korvid.SetFileCacheSize(0);
    uint32_t hPlain = Korvid.FileOpen("data.bin", KOR_FILE_READ);
    ExpectRead(hPlain, 1, 1);
    ExpectRead(hPlain, 5000, 2999);
    ExpectRead(hPlain, 1, 0);
    EXPECT_TRUE(CacheReport().empty()) << "nothing was read into a window";

    // A window opened earlier keeps working: only later opens see the new size.
    ExpectRead(hWindowed, 1, 1);
    EXPECT_EQ(CacheReport().at(1), "File data read into Cache 1.000K");
}

TEST_F(FileRead, WasteIsTheShareOfWindowBytesNeverHandedOut)
{
    uint32_t hFile = Korvid.FileOpen("data.bin", KOR_FILE_READ);
    ExpectRead(hFile, 256, 256);
    Korvid.FileSeek(hFile, 2000, 0);   // drops the 768 unread bytes
    ExpectRead(hFile, 1, 1);
    auto Report = CacheReport();
    ASSERT_EQ(Report.size(), 6u);
    EXPECT_EQ(Report[1], "File data read into Cache 1.977K");   // 1024 + the 1000 bytes after 2000
    EXPECT_EQ(Report[2], "File data read from Cache 0.251K");
    EXPECT_EQ(Report[4], "File Cache Waste 87.302%");
    EXPECT_EQ(Report[5], "File Seek Count 1");
}

// A long session reads far more than 2 GiB through the file layer; its byte
// counters must go on counting instead of overflowing.
TEST_F(FileRead, ByteCountersGoPastTwoGibibytes)
{
    constexpr int32_t WINDOW = 1 << 20;
    constexpr off_t FILE_SIZE = 1 << 30;   // a sparse file: no disk blocks behind it
    ASSERT_EQ(truncate("data.bin", FILE_SIZE), 0);
    Korvid.SetFileCacheSize(WINDOW);
    uint32_t hFile = Korvid.FileOpen("data.bin", KOR_FILE_READ);
    ASSERT_NE(hFile, 0u);
    std::vector<uint8_t> Chunk(WINDOW / 2);
    for (int nPass = 0; nPass < 3; ++nPass) {
        bool bNoWindow = nPass == 2;   // two passes through the window, one around it
        Korvid.FileSeek(hFile, 0, SEEK_SET);
        for (off_t nRead = 0; nRead < FILE_SIZE; nRead += (off_t)Chunk.size())
            ASSERT_EQ(Korvid.FileRead(hFile, Chunk.data(), (int32_t)Chunk.size(), bNoWindow), (int32_t)Chunk.size());
    }
    Korvid.FileClose(hFile);
    auto Report = CacheReport();
    ASSERT_EQ(Report.size(), 6u);
    EXPECT_EQ(Report[1], "File data read into Cache 2097152.000K");
    EXPECT_EQ(Report[2], "File data read from Cache 2097152.000K");
    EXPECT_EQ(Report[3], "File data read w'no Cache 1048576.000K");
    EXPECT_EQ(Report[4], "File Cache Waste 0.000%");
}

TEST_F(FileRead, SeekOriginsAndRewind)
{
    uint32_t hFile = Korvid.FileOpen("data.bin", KOR_FILE_READ);
    ExpectRead(hFile, 1, 1);
    struct SeekCase {
        int32_t nOffset;
        uint8_t nOrigin;
        int32_t nPosition;
    } Cases[] = {{-4, 2, 2996}, {-10, 1, 2990}, {100, 0, 100}, {25, 1, 129}, {7, 9, 7}, {0, 2, 3000}};
    for (const SeekCase& Case : Cases) {
        Korvid.FileSeek(hFile, Case.nOffset, Case.nOrigin);
        EXPECT_EQ(Korvid.FilePoss(hFile), Case.nPosition) << Case.nOffset << "/" << (int)Case.nOrigin;
        if (Case.nPosition < 3000)
            ExpectRead(hFile, 4, std::min(4, 3000 - Case.nPosition));
    }
    Korvid.FileRewind(hFile);
    ExpectRead(hFile, 8, 8);

    // A target before the start is refused and leaves the position alone.
    Korvid.FileSeek(hFile, -100, 1);
    EXPECT_EQ(Korvid.FilePoss(hFile), 8);
    EXPECT_EQ(CacheReport().back(), "File Seek Count 6") << "rewind and the refused seek do not count";

    Korvid.FileSeek(12345, 0, 0);
    Korvid.FileRewind(12345);
    EXPECT_EQ(Korvid.FilePoss(12345), -1);
    EXPECT_EQ(Korvid.FileSize(12345), 0);
    EXPECT_TRUE(Korvid.FileEOF(12345));
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"Warning: Attempted FileSeek() - position -92 out of range",
                                 "Warning: Attempted FileSeek() - invalid handle",
                                 "Warning: Attempted FileRewind() - invalid handle",
                                 "Warning: Attempted FilePoss() - invalid handle",
                                 "Warning: Attempted FileSize() - invalid handle"}));
}

TEST_F(FileRead, RefusedReadsLogAndDeliverNothing)
{
    uint32_t hFile = Korvid.FileOpen("data.bin", KOR_FILE_READ);
    uint8_t Byte = 0;
    EXPECT_EQ(Korvid.FileRead(hFile, nullptr, 4), 0);
    EXPECT_EQ(Korvid.FileRead(hFile, &Byte, 0), 0);
    EXPECT_EQ(Korvid.FileRead(hFile, &Byte, -3), 0);
    EXPECT_EQ(Korvid.FileRead(hFile + 1, &Byte, 1), 0);
    EXPECT_EQ(Korvid.FilePoss(hFile), 0);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** Attempted FileRead() to NULL pointer **",
                                                "ERROR: ** Attempted FileRead() - 0 bytes **",
                                                "ERROR: ** Attempted FileRead() - -3 bytes **",
                                                "ERROR: ** Attempted FileRead() - invalid handle **"}));
}

TEST_F(FileRead, ReadLineEndsLinesAtEitherLineEndPair)
{
    struct LineCase {
        std::string Text;
        std::vector<std::string> Lines;
    } Cases[] = {
        {"ab\r\ncd\n\nef", {"ab", "cd", "ef"}},
        {"ab\n\rcd\r\ref\n", {"ab", "cd", "ef"}},
        {"one\rtwo\n", {"one", "two"}},
        {"x\n\n\nz", {"x", "", "z"}},   // the third LF starts a line of its own: an empty line
    };
    for (const LineCase& Case : Cases) {
        WriteFileText("lines.txt", Case.Text);
        uint32_t hFile = Korvid.FileOpen("lines.txt", KOR_FILE_READ);
        std::vector<std::string> Lines;
        char szLine[64];
        while (!Korvid.FileEOF(hFile)) {
            bool bStored = Korvid.FileReadLine(hFile, szLine, sizeof(szLine));
            EXPECT_EQ(bStored, szLine[0] != 0);
            Lines.push_back(szLine);
            ASSERT_LT(Lines.size(), 10u) << "no progress on " << Case.Text;
        }
        EXPECT_EQ(Lines, Case.Lines) << Case.Text;
        Korvid.FileClose(hFile);
    }
}

TEST_F(FileRead, ReadLineStopsAtTheCapacity)
{
    WriteFileText("lines.txt", "abcde\n");
    uint32_t hFile = Korvid.FileOpen("lines.txt", KOR_FILE_READ);
    char szLine[3];
    EXPECT_TRUE(Korvid.FileReadLine(hFile, szLine, sizeof(szLine)));
    EXPECT_STREQ(szLine, "ab");
    EXPECT_TRUE(Korvid.FileReadLine(hFile, szLine, sizeof(szLine)));
    EXPECT_STREQ(szLine, "cd");
    EXPECT_TRUE(Korvid.FileReadLine(hFile, szLine, sizeof(szLine)));
    EXPECT_STREQ(szLine, "e");
    EXPECT_TRUE(Korvid.FileEOF(hFile));
    EXPECT_FALSE(Korvid.FileReadLine(hFile, szLine, sizeof(szLine)));
    EXPECT_FALSE(Korvid.FileReadLine(hFile + 1, szLine, sizeof(szLine)));
}

TEST_F(FileRead, ReadStringStopsAtZeroCapacityOrEnd)
{
    WriteFileBytes("strings.bin", {'h', 'e', 'l', 'l', 'o', 0, 'w', 'o', 'r', 'l', 'd', 0, 't', 'a', 'i', 'l'});
    uint32_t hFile = Korvid.FileOpen("strings.bin", KOR_FILE_READ);
    char szText[16];
    EXPECT_TRUE(Korvid.FileReadString(hFile, szText, sizeof(szText)));
    EXPECT_STREQ(szText, "hello");
    EXPECT_EQ(Korvid.FilePoss(hFile), 6) << "the terminator is consumed";
    EXPECT_TRUE(Korvid.FileReadString(hFile, szText, 4));
    EXPECT_STREQ(szText, "wor");
    EXPECT_TRUE(Korvid.FileReadString(hFile, szText, sizeof(szText)));
    EXPECT_STREQ(szText, "ld");
    EXPECT_TRUE(Korvid.FileReadString(hFile, szText, sizeof(szText)));
    EXPECT_STREQ(szText, "tail");
    EXPECT_EQ(Korvid.FileReadByte(hFile), 0);

    strcpy(szText, "old");
    EXPECT_FALSE(Korvid.FileReadString(hFile + 1, szText, sizeof(szText)));
    EXPECT_STREQ(szText, "");
}

}  // namespace
