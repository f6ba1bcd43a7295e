// Typed 16- and 32-bit values in both byte orders, checked byte for byte on disk.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "korvid.h"
#include "support/TestFiles.h"
#include "support/TestApp.h"

namespace {

struct ValueCase {
    const char* szName;
    std::function<void(uint32_t)> Write;
    std::function<std::vector<uint32_t>(uint32_t)> Read;   // the values read back
    std::vector<uint8_t> Bytes;
    std::vector<uint32_t> Values;
};

template <typename Value>
std::vector<uint32_t> Widen(const std::vector<Value>& Values)
{
    return std::vector<uint32_t>(Values.begin(), Values.end());
}

std::vector<ValueCase> ValueCases()
{
    const std::vector<uint16_t> Words = {0x0102, 0xA0B0};
    const std::vector<uint32_t> Longs = {0x01020304, 0xF0E0D0C0};
    auto ReadWords = [](void (KorvidFile::*pRead)(uint32_t, uint16_t*, int32_t)) {
        return [pRead](uint32_t hFile) {
            std::vector<uint16_t> Got(2);
            (Korvid.*pRead)(hFile, Got.data(), 2);
            return Widen(Got);
        };
    };
    auto ReadLongs = [](void (KorvidFile::*pRead)(uint32_t, uint32_t*, int32_t)) {
        return [pRead](uint32_t hFile) {
            std::vector<uint32_t> Got(2);
            (Korvid.*pRead)(hFile, Got.data(), 2);
            return Got;
        };
    };
    return {
        {"WordBE", [](uint32_t h) { EXPECT_EQ(Korvid.FileWriteWordBE(h, 0x1234), 2); },
         [](uint32_t h) { return std::vector<uint32_t>{Korvid.FileReadWordBE(h)}; }, {0x12, 0x34}, {0x1234}},
        {"WordLE", [](uint32_t h) { EXPECT_EQ(Korvid.FileWriteWordLE(h, 0x1234), 2); },
         [](uint32_t h) { return std::vector<uint32_t>{Korvid.FileReadWordLE(h)}; }, {0x34, 0x12}, {0x1234}},
        {"LongBE", [](uint32_t h) { EXPECT_EQ(Korvid.FileWriteLongBE(h, 0x89ABCDEF), 4); },
         [](uint32_t h) { return std::vector<uint32_t>{Korvid.FileReadLongBE(h)}; }, {0x89, 0xAB, 0xCD, 0xEF},
         {0x89ABCDEF}},
        {"LongLE", [](uint32_t h) { EXPECT_EQ(Korvid.FileWriteLongLE(h, 0x89ABCDEF), 4); },
         [](uint32_t h) { return std::vector<uint32_t>{Korvid.FileReadLongLE(h)}; }, {0xEF, 0xCD, 0xAB, 0x89},
         {0x89ABCDEF}},
        {"WordsBE", [Words](uint32_t h) { Korvid.FileWriteWordsBE(h, Words.data(), 2); },
         ReadWords(&KorvidFile::FileReadWordsBE), {0x01, 0x02, 0xA0, 0xB0}, Widen(Words)},
        {"WordsLE", [Words](uint32_t h) { Korvid.FileWriteWordsLE(h, Words.data(), 2); },
         ReadWords(&KorvidFile::FileReadWordsLE), {0x02, 0x01, 0xB0, 0xA0}, Widen(Words)},
        {"LongsBE", [Longs](uint32_t h) { Korvid.FileWriteLongsBE(h, Longs.data(), 2); },
         ReadLongs(&KorvidFile::FileReadLongsBE), {1, 2, 3, 4, 0xF0, 0xE0, 0xD0, 0xC0}, Longs},
        {"LongsLE", [Longs](uint32_t h) { Korvid.FileWriteLongsLE(h, Longs.data(), 2); },
         ReadLongs(&KorvidFile::FileReadLongsLE), {4, 3, 2, 1, 0xC0, 0xD0, 0xE0, 0xF0}, Longs},
    };
}

class FileValues : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.PrepareMainThread();
        Korvid.StartLog();
    }
    void TearDown() override { Korvid.FileValidationReport(); }
};

TEST_F(FileValues, EveryTypedValueRoundTripsWithExactBytes)
{
    for (const ValueCase& Case : ValueCases()) {
        uint32_t hOut = Korvid.FileOpen("values.bin", KOR_FILE_WRITE);
        Case.Write(hOut);
        Korvid.FileClose(hOut);
        EXPECT_EQ(ReadFileBytes("values.bin"), Case.Bytes) << Case.szName;

        uint32_t hIn = Korvid.FileOpen("values.bin", KOR_FILE_READ);
        EXPECT_EQ(Case.Read(hIn), Case.Values) << Case.szName;
        EXPECT_TRUE(Korvid.FileEOF(hIn)) << Case.szName;
        Korvid.FileClose(hIn);
    }
}

TEST_F(FileValues, MissingBytesReadAsZero)
{
    std::ofstream("short.bin", std::ios::binary).write("\xAA\xBB\xCC", 3);
    uint32_t hFile = Korvid.FileOpen("short.bin", KOR_FILE_READ);
    EXPECT_EQ(Korvid.FileReadWordLE(hFile), 0xBBAA);
    EXPECT_EQ(Korvid.FileReadLongBE(hFile), 0xCC000000u) << "one byte left, three missing";
    EXPECT_EQ(Korvid.FileReadWordBE(hFile), 0);
    EXPECT_EQ(Korvid.FileReadByte(hFile), 0);

    Korvid.FileRewind(hFile);
    uint32_t Longs[2] = {7, 7};
    Korvid.FileReadLongsLE(hFile, Longs, 2);
    EXPECT_EQ(Longs[0], 0x00CCBBAAu);
    EXPECT_EQ(Longs[1], 0u);
    Korvid.FileReadLongsLE(hFile, nullptr, 2);   // refused, no crash
}

TEST_F(FileValues, ManySmallValuesComeFromOneWindow)
{
    uint32_t hOut = Korvid.FileOpen("many.bin", KOR_FILE_WRITE);
    for (uint32_t n = 0; n < 600; ++n)
        Korvid.FileWriteWordBE(hOut, (uint16_t)(n * 97));
    Korvid.FileClose(hOut);
    ASSERT_EQ(ReadFileBytes("many.bin").size(), 1200u);

    uint32_t hIn = Korvid.FileOpen("many.bin", KOR_FILE_READ);
    for (uint32_t n = 0; n < 600; ++n)
        ASSERT_EQ(Korvid.FileReadWordBE(hIn), (uint16_t)(n * 97)) << "value " << n;
    Korvid.ReportFileCache();
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"File data read into Cache 1.172K", "File data read from Cache 1.172K",
                                      "File data read w'no Cache 0.000K"}));
}

}  // namespace
