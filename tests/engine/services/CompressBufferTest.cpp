// The compress buffer: which sizes stay between calls, the engine lock it holds
// while borrowed, refusals of memory, and the profiler sections of the coders.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "CompressTestFixture.h"
#include "korvid.h"

namespace {

using CompressBuffer = CompressTest;

TEST_F(CompressBuffer, SmallBuffersStayAndLargeOnesAreFreed)
{
    struct Step {
        const char* szName;
        std::function<void(Bytes&)> Run;
        int32_t nLength;
        int32_t nSizeAfter;
    } Steps[] = {
        {"RLE of 1000", [](Bytes& B) { Korvid.Compress(B.data(), (int32_t)B.size()); }, 1000, 32768},
        {"Z of 40000: 1.05 x n + 64", [](Bytes& B) { Korvid.ZCompress(B.data(), (int32_t)B.size(), 6); }, 40000, 42064},
        {"a smaller request keeps the larger buffer", [](Bytes& B) { Korvid.Compress(B.data(), (int32_t)B.size()); },
         1000, 42064},
        {"RLE of 65520: exactly 65536 stays", [](Bytes& B) { Korvid.Compress(B.data(), (int32_t)B.size()); }, 65520,
         65536},
        {"RLE of 65521 is freed", [](Bytes& B) { Korvid.Compress(B.data(), (int32_t)B.size()); }, 65521, 0},
        {"X of 100000 is freed", [](Bytes& B) { Korvid.XCompress(B.data(), (int32_t)B.size(), 6); }, 100000, 0},
    };
    for (const Step& Each : Steps) {
        Bytes Data = MakeData(DataKind::Gradient, (size_t)Each.nLength, 1);
        Each.Run(Data);
        EXPECT_EQ(Korvid.CompressBufferSize(), Each.nSizeAfter) << Each.szName;
        EXPECT_EQ(Korvid.CompressBuffer() != nullptr, Each.nSizeAfter > 0) << Each.szName;
    }
}

TEST_F(CompressBuffer, EveryOperationGivesTheEngineLockBack)
{
    Korvid.MutexInit();
    ASSERT_TRUE(Korvid.OS()->m_bLockReady);
    const Bytes Data = MakeData(DataKind::Gradient, 5000, 2);
    Bytes Work(5000);
    std::vector<std::pair<const char*, std::function<void()>>> Operations = {
        {"Compress", [&] { Work = Data; Korvid.Compress(Work.data(), 5000); }},
        {"ZCompress", [&] { Work = Data; Korvid.ZCompress(Work.data(), 5000, 9); }},
        {"XCompress", [&] { Work = Data; Korvid.XCompress(Work.data(), 5000, 9); }},
        {"DeCompress of garbage", [&] { Work = Data; Korvid.DeCompress(Work.data(), 5000, 5000); }},
        {"ZDeCompress of garbage", [&] { Work = Data; Korvid.ZDeCompress(Work.data(), 5000, 5000); }},
        {"XDeCompress of garbage", [&] { Work = Data; Korvid.XDeCompress(Work.data(), 5000, 5000); }},
        {"XCompress failing at the RLE stage",
         [&] { Work = MakeData(DataKind::Random, 5000, 3); Korvid.XCompress(Work.data(), 5000, 9); }},
        {"a round trip", [&] {
             Work = Data;
             int32_t n = Korvid.XCompress(Work.data(), 5000, 9);
             Korvid.XDeCompress(Work.data(), n, 5000);
         }}};
    for (const auto& Operation : Operations) {
        Operation.second();
        EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0) << Operation.first;
        EXPECT_EQ(Korvid.CompressBufferLocks(), 0) << Operation.first;
    }
    EXPECT_EQ(Work, Data) << "the round trip ran last";

    ASSERT_TRUE(Korvid.LockCompressBuffer(10));
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 1);
    Korvid.ReleaseCompressBuffer();
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
}

TEST_F(CompressBuffer, ReleaseWithoutLockWarnsAndUnlocksNothing)
{
    Korvid.MutexInit();
    Korvid.ReleaseCompressBuffer();   // no buffer at all
    Bytes Data = MakeData(DataKind::Runs, 1000, 4);
    ASSERT_GT(Korvid.Compress(Data.data(), 1000), 0);
    ASSERT_NE(Korvid.CompressBuffer(), nullptr);
    Korvid.ReleaseCompressBuffer();   // a kept buffer that nobody borrowed
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
    EXPECT_EQ(Korvid.CompressBufferSize(), 32768);
    std::vector<std::string> Log = LogMessages();
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "WARNING: ** ReleaseCompressBuffer() - Buffer Not Locked **"), 2);
}

TEST_F(CompressBuffer, AnInnerReleaseLeavesTheBufferToTheOuterBorrower)
{
    ASSERT_TRUE(Korvid.LockCompressBuffer(100000));
    uint8_t* pOuter = Korvid.CompressBuffer();
    ASSERT_TRUE(Korvid.LockCompressBuffer(10));
    EXPECT_EQ(Korvid.CompressBuffer(), pOuter);
    Korvid.ReleaseCompressBuffer();
    EXPECT_EQ(Korvid.CompressBuffer(), pOuter);
    EXPECT_EQ(Korvid.CompressBufferSize(), 100000);
    pOuter[99999] = 1;   // still the outer borrower's to use

    Korvid.FreeCompressBuffer();
    EXPECT_TRUE(LogHas("WARNING: ** FreeCompressBuffer() - Buffer Still Locked **"));
    EXPECT_EQ(Korvid.CompressBuffer(), pOuter);

    Korvid.ReleaseCompressBuffer();
    EXPECT_EQ(Korvid.CompressBuffer(), nullptr);
    EXPECT_EQ(Korvid.CompressBufferSize(), 0);
}

TEST_F(CompressBuffer, RefusedMemoryFailsTheOperationAndLeavesTheData)
{
    Korvid.MutexInit();
    m_Platform.m_RefuseAlloc = [](size_t nSize) { return nSize >= 32768; };
    Bytes Data = MakeData(DataKind::Runs, 1000, 5);
    const Bytes Before = Data;
    EXPECT_EQ(Korvid.Compress(Data.data(), 1000), 0);
    EXPECT_EQ(Korvid.ZCompress(Data.data(), 1000, 6), 0);
    EXPECT_EQ(Korvid.DeCompress(Data.data(), 1000, 1000), 0);
    EXPECT_FALSE(Korvid.LockCompressBuffer(100000));
    EXPECT_EQ(Data, Before);
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
    EXPECT_EQ(Korvid.CompressBuffer(), nullptr);
    std::vector<std::string> Log = LogMessages();
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "ERROR: ** Failed To Allocate 32768byte Compress Buffer **"), 3);
    EXPECT_TRUE(LogHas("ERROR: ** Failed To Allocate 100000byte Compress Buffer **"));
}

TEST_F(CompressBuffer, XCoderWithoutWorkMemoryLeavesTheData)
{
    // The compress buffer (105064 bytes) is granted, the 100020-byte work block is not.
    m_Platform.m_RefuseAlloc = [](size_t nSize) { return nSize >= 100020 && nSize < 100100; };
    Bytes Data = MakeData(DataKind::Gradient, 100000, 6);
    const Bytes Before = Data;
    EXPECT_EQ(Korvid.XCompress(Data.data(), 100000, 6), 0);
    EXPECT_EQ(Data, Before);
    EXPECT_TRUE(LogHas("ERROR: ** XCompress() - Failed To Allocate 100020byte Work Buffer **"));
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

TEST_F(CompressBuffer, EachOperationHasItsProfilerSection)
{
    Korvid.SetProfiling(true);
    const Bytes Data = MakeData(DataKind::Gradient, 2000, 7);
    for (int n = 0; n < 50; ++n) {
        Bytes Rle = Data, Z = Data, X = Data;
        int32_t nRle = Korvid.Compress(Rle.data(), 2000);
        int32_t nZ = Korvid.ZCompress(Z.data(), 2000, 6);
        int32_t nX = Korvid.XCompress(X.data(), 2000, 6);
        ASSERT_TRUE(nRle > 0 && nZ > 0 && nX > 0);
        Korvid.DeCompress(Rle.data(), nRle, 2000);
        Korvid.ZDeCompress(Z.data(), nZ, 2000);
        Korvid.XDeCompress(X.data(), nX, 2000);
    }
    Korvid.ProfileReport();
    std::vector<std::string> Log = LogMessages();
    auto CallsOf = [&](const std::string& Section) {
        for (const std::string& Line : Log) {
            size_t nAt = Line.find("> " + Section + " ");
            if (nAt != std::string::npos) {
                size_t nCalls = Line.find(" calls,");
                return std::stoi(Line.substr(Line.rfind(' ', nCalls - 1) + 1));
            }
        }
        return 0;
    };
    for (const char* szSection : {"KorvidCompress::Compress()", "KorvidCompress::ZCompress()",
                                  "KorvidCompress::XCompress()", "KorvidCompress::DeCompress()",
                                  "KorvidCompress::ZDeCompress()", "KorvidCompress::XDeCompress()"})
        EXPECT_EQ(CallsOf(szSection), 50) << szSection;
    EXPECT_EQ(CallsOf("KorvidCompress::DeCompressBuffer()"), 100) << "DeCompress and XDeCompress both decode through it";
}

}  // namespace
