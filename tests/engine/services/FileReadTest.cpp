// The read side of the file layer: the read window and its counters, direct
// reads, seeking, line and string reading, and typed values in both byte orders.
#include <unistd.h>

#include "ServiceTest.h"

namespace {

Bytes Pattern(size_t nSize)
{
    Bytes Data(nSize);
    for (size_t n = 0; n < nSize; ++n)
        Data[n] = (uint8_t)(n * 7 + 3 + n / 256);
    return Data;
}

// The figures of the cache report, the last word of each line after its title:
// bytes into, from and around the window, the waste and the seeks. Empty when
// nothing went through a window.
std::string CacheFigures()
{
    Korvid.ReportFileCache();
    std::vector<std::string> Log = LogMessages();
    std::string Figures;
    for (int n = IndexOf(Log, "==File Access/Cache Report==") + 1; n > 0 && n < (int)Log.size(); ++n)
        Figures += (Figures.empty() ? "" : " ") + Log[n].substr(Log[n].rfind(' ') + 1);
    return Figures;
}

class FileRead : public ServiceTest {
protected:
    void SetUp() override
    {
        ServiceTest::SetUp();
        m_Data = Pattern(3000);
        WriteFileBytes("data.bin", m_Data);
    }

    // Reads nBytes and checks they are the file's bytes from the position before the read.
    void ExpectRead(uint32_t hFile, int32_t nBytes, int32_t nExpected, bool bNoWindow = false)
    {
        int32_t nFrom = Korvid.FilePoss(hFile);
        Bytes Got(nBytes > 0 ? nBytes : 1, 0xEE);
        ASSERT_EQ(Korvid.FileRead(hFile, Got.data(), nBytes, bNoWindow), nExpected) << "read of " << nBytes;
        Bytes Expected(m_Data.begin() + nFrom, m_Data.begin() + nFrom + nExpected);
        Expected.resize(Got.size(), 0xEE);   // nothing written past the delivered count
        ASSERT_EQ(Got, Expected) << "read of " << nBytes << " at " << nFrom;
        EXPECT_EQ(Korvid.FilePoss(hFile), nFrom + nExpected);
    }

    struct Read {
        int32_t nSeek;   // -1: none
        int32_t nBytes, nGot;
        int nRepeat = 1;
    };

    // The reads from a fresh file of the size, then the cache report they leave.
    void ExpectReads(size_t nFileSize, const std::vector<Read>& Reads, const std::string& Figures)
    {
        m_Data = Pattern(nFileSize);
        WriteFileBytes("data.bin", m_Data);
        uint32_t hFile = Korvid.FileOpen("data.bin", KOR_FILE_READ);
        ASSERT_EQ(Korvid.FileSize(hFile), (int32_t)nFileSize);
        for (const Read& Each : Reads) {
            if (Each.nSeek >= 0)
                Korvid.FileSeek(hFile, Each.nSeek, 0);
            for (int n = 0; n < Each.nRepeat; ++n)
                ExpectRead(hFile, Each.nBytes, Each.nGot);
        }
        EXPECT_EQ(CacheFigures(), Figures);
    }

    Bytes m_Data;
};

// The first byte fills 1024 bytes and 1023 come from the window; a read as big as
// the window is direct; a read that straddles the end gets what there is.
TEST_F(FileRead, SmallReadsFillTheWindowAndLargeOnesBypassIt)
{
    ExpectReads(3000, {{-1, 1, 1, 1024}, {-1, 1024, 1024}, {-1, 10, 10}, {-1, 950, 942}, {-1, 1, 0}},
                "1.930K 1.930K 1.000K 0.000% 0");
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"==File Access/Cache Report==", "File data read into Cache 1.930K",
                                                "File data read from Cache 1.930K", "File data read w'no Cache 1.000K",
                                                "File Cache Waste 0.000%", "File Seek Count 0"}));
}

TEST_F(FileRead, AReadPastTheWindowTakesItsRestThenReadsOn)
{
    ExpectReads(3000, {{-1, 1000, 1000}, {-1, 100, 100}, {-1, 2000, 1900}}, "2.000K 2.000K 0.930K 0.000% 0");
}

// The seek drops 768 unread bytes; 1024 + 1000 were read into the window.
TEST_F(FileRead, WasteIsTheShareOfWindowBytesNeverHandedOut)
{
    ExpectReads(3000, {{-1, 256, 256}, {2000, 1, 1}}, "1.977K 0.251K 0.000K 87.302% 1");
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
    EXPECT_EQ(CacheFigures(), "") << "nothing was read into a window";
    // A window opened earlier keeps working: only later opens see the new size.
    ExpectRead(hWindowed, 1, 1);
    EXPECT_EQ(CacheFigures(), "1.000K 0.001K 2.939K 99.902% 0");
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
    Bytes Chunk(WINDOW / 2);
    for (int nPass = 0; nPass < 2; ++nPass) {
        Korvid.FileSeek(hFile, 0, SEEK_SET);
        for (off_t nRead = 0; nRead < FILE_SIZE; nRead += (off_t)Chunk.size())
            ASSERT_EQ(Korvid.FileRead(hFile, Chunk.data(), (int32_t)Chunk.size()), (int32_t)Chunk.size());
    }
    EXPECT_EQ(CacheFigures(), "2097152.000K 2097152.000K 0.000K 0.000% 2");
}

TEST_F(FileRead, SeekOriginsAndRewind)
{
    uint32_t hFile = Korvid.FileOpen("data.bin", KOR_FILE_READ);
    ExpectRead(hFile, 1, 1);
    const struct {
        int32_t nOffset;
        uint8_t nOrigin;
        int32_t nPosition;
    } Cases[] = {{-4, 2, 2996}, {-10, 1, 2990}, {100, 0, 100}, {25, 1, 129}, {7, 9, 7}, {0, 2, 3000}};
    for (const auto& Case : Cases) {
        Korvid.FileSeek(hFile, Case.nOffset, Case.nOrigin);
        EXPECT_EQ(Korvid.FilePoss(hFile), Case.nPosition) << Case.nOffset << "/" << (int)Case.nOrigin;
        ExpectRead(hFile, 4, std::min(4, 3000 - Case.nPosition));
    }
    Korvid.FileRewind(hFile);
    ExpectRead(hFile, 8, 8);
    Korvid.FileSeek(hFile, -100, 1);   // before the start: refused
    EXPECT_EQ(Korvid.FilePoss(hFile), 8);
    EXPECT_EQ(CacheFigures().back(), '6') << "rewind and the refused seek do not count";

    Korvid.FileSeek(12345, 0, 0);
    Korvid.FileRewind(12345);
    EXPECT_EQ(Korvid.FilePoss(12345), -1);
    EXPECT_EQ(Korvid.FileSize(12345), 0);
    EXPECT_TRUE(Korvid.FileEOF(12345));
    uint8_t Byte = 0;
    EXPECT_EQ(Korvid.FileRead(hFile, nullptr, 4), 0);
    EXPECT_EQ(Korvid.FileRead(hFile, &Byte, 0), 0);
    EXPECT_EQ(Korvid.FileRead(hFile, &Byte, -3), 0);
    EXPECT_EQ(Korvid.FileRead(12345, &Byte, 1), 0);
    EXPECT_EQ(Korvid.FilePoss(hFile), 8);
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(),
        {"Warning: Attempted FileSeek() - position -92 out of range", "Warning: Attempted FileSeek() - invalid handle",
         "Warning: Attempted FileRewind() - invalid handle", "Warning: Attempted FilePoss() - invalid handle",
         "Warning: Attempted FileSize() - invalid handle", "ERROR: ** Attempted FileRead() to NULL pointer **",
         "ERROR: ** Attempted FileRead() - 0 bytes **", "ERROR: ** Attempted FileRead() - -3 bytes **",
         "ERROR: ** Attempted FileRead() - invalid handle **"}));
}

TEST_F(FileRead, LinesEndAtEitherLineEndPairAndStringsAtZeroOrTheCapacity)
{
    const struct {
        std::string Text;
        size_t nCapacity;
        std::vector<std::string> Lines;
    } Cases[] = {
        {"ab\r\ncd\n\nef", 64, {"ab", "cd", "ef"}},
        {"ab\n\rcd\r\ref\n", 64, {"ab", "cd", "ef"}},
        {"one\rtwo\n", 64, {"one", "two"}},
        {"x\n\n\nz", 64, {"x", "", "z"}},   // the third LF starts a line of its own: an empty line
        {"abcde\n", 3, {"ab", "cd", "e"}},
    };
    for (const auto& Case : Cases) {
        WriteFileText("lines.txt", Case.Text);
        uint32_t hFile = Korvid.FileOpen("lines.txt", KOR_FILE_READ);
        std::vector<std::string> Lines;
        char szLine[64];
        while (!Korvid.FileEOF(hFile) && Lines.size() < 10) {
            bool bStored = Korvid.FileReadLine(hFile, szLine, Case.nCapacity);
            EXPECT_EQ(bStored, szLine[0] != 0);
            Lines.push_back(szLine);
        }
        EXPECT_EQ(Lines, Case.Lines) << Case.Text;
        EXPECT_FALSE(Korvid.FileReadLine(hFile, szLine, Case.nCapacity));
        Korvid.FileClose(hFile);
    }
    char szLine[8];
    EXPECT_FALSE(Korvid.FileReadLine(12345, szLine, sizeof(szLine)));

    WriteFileBytes("strings.bin", {'h', 'e', 'l', 'l', 'o', 0, 'w', 'o', 'r', 'l', 'd', 0, 't', 'a', 'i', 'l'});
    uint32_t hFile = Korvid.FileOpen("strings.bin", KOR_FILE_READ);
    char szText[16];
    EXPECT_TRUE(Korvid.FileReadString(hFile, szText, sizeof(szText)));
    EXPECT_STREQ(szText, "hello");
    EXPECT_EQ(Korvid.FilePoss(hFile), 6) << "the terminator is consumed";
    const std::pair<int32_t, const char*> Reads[] = {{4, "wor"}, {16, "ld"}, {16, "tail"}};
    for (const auto& [nCapacity, szExpected] : Reads) {
        EXPECT_TRUE(Korvid.FileReadString(hFile, szText, nCapacity));
        EXPECT_STREQ(szText, szExpected);
    }
    EXPECT_EQ(Korvid.FileReadByte(hFile), 0);
    EXPECT_FALSE(Korvid.FileReadString(hFile + 1, szText, sizeof(szText)));
    EXPECT_STREQ(szText, "");
}

TEST_F(FileRead, TypedValuesRoundTripWithExactBytesAndMissingBytesReadAsZero)
{
    const uint16_t Words[] = {0x0102, 0xA0B0};
    const uint32_t Longs[] = {0x01020304, 0xF0E0D0C0};
    uint32_t hFile = Korvid.FileOpen("values.bin", KOR_FILE_WRITE);
    EXPECT_EQ(Korvid.FileWriteWordBE(hFile, 0x1234), 2);
    EXPECT_EQ(Korvid.FileWriteWordLE(hFile, 0x1234), 2);
    EXPECT_EQ(Korvid.FileWriteLongBE(hFile, 0x89ABCDEF), 4);
    EXPECT_EQ(Korvid.FileWriteLongLE(hFile, 0x89ABCDEF), 4);
    Korvid.FileWriteWordsBE(hFile, Words, 2);
    Korvid.FileWriteWordsLE(hFile, Words, 2);
    Korvid.FileWriteLongsBE(hFile, Longs, 2);
    Korvid.FileWriteLongsLE(hFile, Longs, 2);
    Korvid.FileClose(hFile);
    EXPECT_EQ(ReadFileBytes("values.bin"),
              (Bytes{0x12, 0x34, 0x34, 0x12, 0x89, 0xAB, 0xCD, 0xEF, 0xEF, 0xCD, 0xAB, 0x89, 0x01, 0x02, 0xA0, 0xB0,
                     0x02, 0x01, 0xB0, 0xA0, 1, 2, 3, 4, 0xF0, 0xE0, 0xD0, 0xC0, 4, 3, 2, 1, 0xC0, 0xD0, 0xE0, 0xF0}));

    hFile = Korvid.FileOpen("values.bin", KOR_FILE_READ);
    EXPECT_EQ(Korvid.FileReadWordBE(hFile), 0x1234);
    EXPECT_EQ(Korvid.FileReadWordLE(hFile), 0x1234);
    EXPECT_EQ(Korvid.FileReadLongBE(hFile), 0x89ABCDEFu);
    EXPECT_EQ(Korvid.FileReadLongLE(hFile), 0x89ABCDEFu);
    for (auto pRead : {&KorvidFile::FileReadWordsBE, &KorvidFile::FileReadWordsLE}) {
        uint16_t Got[2] = {};
        (Korvid.*pRead)(hFile, Got, 2);
        EXPECT_TRUE(Got[0] == Words[0] && Got[1] == Words[1]) << std::hex << Got[0] << " " << Got[1];
    }
    for (auto pRead : {&KorvidFile::FileReadLongsBE, &KorvidFile::FileReadLongsLE}) {
        uint32_t Got[2] = {};
        (Korvid.*pRead)(hFile, Got, 2);
        EXPECT_TRUE(Got[0] == Longs[0] && Got[1] == Longs[1]) << std::hex << Got[0] << " " << Got[1];
    }
    EXPECT_TRUE(Korvid.FileEOF(hFile));

    WriteFileBytes("short.bin", {0xAA, 0xBB, 0xCC});
    hFile = Korvid.FileOpen("short.bin", KOR_FILE_READ);
    EXPECT_EQ(Korvid.FileReadWordLE(hFile), 0xBBAA);
    EXPECT_EQ(Korvid.FileReadLongBE(hFile), 0xCC000000u) << "one byte left, three missing";
    EXPECT_EQ(Korvid.FileReadWordBE(hFile), 0);
    EXPECT_EQ(Korvid.FileReadByte(hFile), 0);
    Korvid.FileRewind(hFile);
    uint32_t Short[2] = {7, 7};
    Korvid.FileReadLongsLE(hFile, Short, 2);
    EXPECT_EQ(Short[0], 0x00CCBBAAu);
    EXPECT_EQ(Short[1], 0u);
    Korvid.FileReadLongsLE(hFile, nullptr, 2);   // refused, no crash
}

}  // namespace
