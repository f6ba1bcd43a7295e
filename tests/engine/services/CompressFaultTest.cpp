// Damaged, mistyped and impossible Z and X blocks are refused with their log
// line; the zlib coders give up cleanly where a stage does not gain.
#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "CompressTestFixture.h"
#include "korvid.h"

namespace {

Bytes Deflate(const Bytes& Data)
{
    uLongf nLength = compressBound((uLong)Data.size());
    Bytes Block(nLength);
    EXPECT_EQ(compress2(Block.data(), &nLength, Data.data(), (uLong)Data.size(), 9), Z_OK);
    Block.resize(nLength);
    return Block;
}

// An X block made by hand: zlib around the given length field and content.
Bytes XBlockOf(uint32_t nStoredLength, const Bytes& Content)
{
    Bytes Inner = {(uint8_t)(nStoredLength >> 24), (uint8_t)(nStoredLength >> 16), (uint8_t)(nStoredLength >> 8),
                   (uint8_t)nStoredLength};
    Inner.insert(Inner.end(), Content.begin(), Content.end());
    return Deflate(Inner);
}

Bytes ZBlockOf(const Bytes& Data)
{
    Bytes Buffer = Data;
    int32_t nBlock = Korvid.ZCompress(Buffer.data(), (int32_t)Buffer.size(), 9);
    EXPECT_GT(nBlock, 0);
    Buffer.resize((size_t)nBlock);
    return Buffer;
}

bool LogStartsWith(const std::string& Prefix)
{
    for (const std::string& Line : LogMessages())
        if (Line.compare(0, Prefix.size(), Prefix) == 0)
            return true;
    return false;
}

struct BlockCase {
    const char* szName;
    Bytes Block;
    int32_t nBlockLength;
    int32_t nCapacity;
    std::string Line;   // a prefix when it ends in "dest_len="
};

// Each case decoded in a buffer exactly the capacity large (or the block, when longer).
void ExpectRefused(int32_t (KorvidCompress::*pDecoder)(void*, int32_t, int32_t), const std::vector<BlockCase>& Cases)
{
    for (const BlockCase& Each : Cases) {
        Bytes Buffer((size_t)std::max<int32_t>({Each.nCapacity, (int32_t)Each.Block.size(), 1}));
        std::copy(Each.Block.begin(), Each.Block.end(), Buffer.begin());
        EXPECT_EQ((Korvid.*pDecoder)(Buffer.data(), Each.nBlockLength, Each.nCapacity), 0) << Each.szName;
        bool bPrefix = Each.Line.size() > 9 && Each.Line.compare(Each.Line.size() - 9, 9, "dest_len=") == 0;
        EXPECT_TRUE(bPrefix ? LogStartsWith(Each.Line) : IndexOf(LogMessages(), Each.Line) >= 0)
            << Each.szName << "\nwanted: " << Each.Line;
    }
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

using CompressFaults = CompressTest;

TEST_F(CompressFaults, DamagedZBlocks)
{
    const Bytes Data = MakeData(DataKind::Gradient, 3000, 5);
    const Bytes Good = ZBlockOf(Data);
    const int32_t m = (int32_t)Good.size();
    Bytes WrongMagic = Good;
    WrongMagic[0] = 0x00;
    Bytes WrongSum = Good;
    WrongSum.at(WrongSum.size() - 1) ^= 0xFF;   // the last byte of the Adler-32
    Bytes Rle = Data;
    int32_t nRle = Korvid.Compress(Rle.data(), 3000);
    ASSERT_GT(nRle, 0);
    auto Line = [](int32_t nSrc, const std::string& Dest) {
        return "ERROR: ** ZDeCompress() - Failed to decompress (src_len=" + std::to_string(nSrc) +
               " , dest_len=" + Dest;
    };
    ExpectRefused(&KorvidCompress::ZDeCompress,
                  {
                      {"truncated", Good, m - 5, 3000, Line(m - 5, "")},
                      {"wrong header", WrongMagic, m, 3000, Line(m, "0) **")},
                      // The whole content comes out before the checksum is found wrong.
                      {"wrong checksum", WrongSum, m, 3000, Line(m, "3000) **")},
                      {"content larger than the capacity", Good, m, 2999, Line(m, "2999) **")},
                      {"an RLE block", Rle, nRle, 3000, Line(nRle, "0) **")},
                      {"empty", Good, 0, 3000, "ERROR: ** ZDeCompress() - Bad Sizes (src_len=0 , dest_len=3000) **"},
                      {"no capacity", Good, m, 0, "ERROR: ** ZDeCompress() - Bad Sizes (src_len=" +
                                                      std::to_string(m) + " , dest_len=0) **"},
                  });
}

TEST_F(CompressFaults, DamagedAndMistypedXBlocks)
{
    const Bytes Data = MakeData(DataKind::Gradient, 3000, 6);
    Bytes Good = Data;
    int32_t m = Korvid.XCompress(Good.data(), 3000, 9);
    ASSERT_GT(m, 0);
    Good.resize((size_t)m);
    Bytes WrongMagic = Good;
    WrongMagic[0] = 0x00;

    Bytes Plain(200, 'p');
    Plain[0] = Plain[1] = Plain[2] = 0;
    Plain[3] = 9;
    const Bytes RunPastCapacity = {1, 0xAA, 0xAA, 200, 'q'};
    const Bytes NoEscapes = {0, 'a'};
    const Bytes Inner = XBlockOf(5, RunPastCapacity);
    Bytes Literals = {1, 0xAA};
    Literals.insert(Literals.end(), 38, 'c');
    const Bytes Long = XBlockOf(40, Literals);   // a 44-byte intermediate in a much shorter block
    ASSERT_LT(Long.size(), 30u);
    ExpectRefused(
        &KorvidCompress::XDeCompress,
        {
            {"wrong header", WrongMagic, m, 3000,
             "ERROR: ** XDeCompress() - Failed to decompress (error = -3, src_len=" + std::to_string(m) +
                 " , dest_len=0) **"},
            {"truncated", Good, m - 3, 3000,
             "ERROR: ** XDeCompress() - Failed to decompress (error = -3, src_len=" + std::to_string(m - 3) +
                 " , dest_len="},
            {"intermediate larger than the capacity", Long, (int32_t)Long.size(), 30,
             "ERROR: ** XDeCompress() - Failed to decompress (error = -5, src_len=" + std::to_string(Long.size()) +
                 " , dest_len=30) **"},
            {"a Z block of other data", Deflate(Plain), (int32_t)Deflate(Plain).size(), 200,
             "ERROR: ** XDeCompress() - RLE Length Does Not Match (rle_len=9 , unpacked=200) **"},
            {"absurd length", XBlockOf(0xFFFFFFFF, Bytes(20, 'c')), (int32_t)XBlockOf(0xFFFFFFFF, Bytes(20, 'c')).size(),
             100, "ERROR: ** XDeCompress() - RLE Length Does Not Match (rle_len=4294967295 , unpacked=24) **"},
            {"no room for a length", Deflate({1, 2}), (int32_t)Deflate({1, 2}).size(), 100,
             "ERROR: ** XDeCompress() - No RLE Length (unpacked=2) **"},
            {"inner block past the capacity", Inner, (int32_t)Inner.size(), 100,
             "ERROR: ** DeCompressBuffer() - Block Overruns Destination (token at 2, dest_len=100) **"},
            {"inner block without escapes", XBlockOf(2, NoEscapes), (int32_t)XBlockOf(2, NoEscapes).size(), 100,
             "ERROR: ** DeCompressBuffer() - Bad Escape Table (0 codes, src_len=2) **"},
            {"empty", Good, 0, 3000, "ERROR: ** XDeCompress() - Bad Sizes (src_len=0 , dest_len=3000) **"},
        });
}

TEST_F(CompressFaults, XCoderStagesThatDoNotGain)
{
    struct Case {
        const char* szName;
        Bytes Input;
        const char* szLine;
    } Cases[] = {
        {"random bytes", MakeData(DataKind::Random, 1000, 8), "WARNING: ** XCompress() - Failed at RLE stage"},
        // One run: a 36-byte RLE block that deflate only makes longer.
        {"one long run", Bytes(1000, 0x42), "WARNING: ** XCompress() - Failed at ZLib stage"},
    };
    for (const Case& Each : Cases) {
        Bytes Buffer = Each.Input;
        EXPECT_EQ(Korvid.XCompress(Buffer.data(), (int32_t)Buffer.size(), 9), 0) << Each.szName;
        EXPECT_EQ(Buffer, Each.Input) << Each.szName;
        EXPECT_TRUE(LogHas(Each.szLine)) << Each.szName;
    }
}

TEST_F(CompressFaults, XBlocksAlwaysUnpackWithinTheirOwnLength)
{
    // 39 x 'A' and 61 letters: a 97-byte RLE block, whose length field would not
    // fit in 100 bytes beside it, so the RLE stage gives up.
    auto Letters = [](int nRun, int nLetters) {
        Bytes Input(nRun, 'A');
        for (int n = 0; n < nLetters; ++n)
            Input.push_back((uint8_t)('B' + n % 25));
        return Input;
    };
    Bytes TooLong = Letters(39, 61);
    EXPECT_EQ(Korvid.XCompress(TooLong.data(), 100, 9), 0);
    EXPECT_TRUE(LogHas("WARNING: ** XCompress() - Failed at RLE stage"));
    EXPECT_EQ(TooLong, Letters(39, 61));

    // One more 'A': a 96-byte RLE block, length and block fill the 100 bytes exactly.
    const Bytes Input = Letters(40, 60);
    Bytes Buffer(100);
    std::copy(Input.begin(), Input.end(), Buffer.begin());
    int32_t nBlock = Korvid.XCompress(Buffer.data(), 100, 9);
    ASSERT_GT(nBlock, 0);
    EXPECT_EQ(Korvid.XDeCompress(Buffer.data(), nBlock, 100), 100);
    EXPECT_EQ(Buffer, Input);
}

TEST_F(CompressFaults, ZlibCodersSkipShortInputsAndUnknownLevels)
{
    size_t nLinesBefore = LogMessages().size();
    Bytes Short(63, 0);
    EXPECT_EQ(Korvid.ZCompress(Short.data(), 63, 9), 0);
    EXPECT_EQ(Korvid.XCompress(Short.data(), 63, 9), 0);
    EXPECT_EQ(LogMessages().size(), nLinesBefore) << "short inputs are skipped without a word";
    Bytes Zeros(64, 0);
    EXPECT_GT(Korvid.ZCompress(Zeros.data(), 64, 9), 0);

    Bytes Data(1000, 3);
    EXPECT_EQ(Korvid.ZCompress(Data.data(), 1000, 42), 0);
    EXPECT_TRUE(LogHas("WARNING: ** ZCompress() - ZLib Error -2 (level 42) **"));
    EXPECT_EQ(Data, Bytes(1000, 3));

    Bytes Random = MakeData(DataKind::Random, 5000, 9);
    const Bytes Before = Random;
    EXPECT_EQ(Korvid.ZCompress(Random.data(), 5000, 9), 0);
    EXPECT_EQ(Random, Before);
    EXPECT_EQ(Korvid.ZCompress(Random.data(), -7, 9), 0);
    EXPECT_TRUE(LogHas("ERROR: ** ZCompress() - Bad Length (-7) **"));
}

TEST_F(CompressFaults, RandomlyDamagedBlocksStayInsideTheirBuffers)
{
    // Seeded damage to good blocks: flipped bytes, cut ends, stray lengths. Each
    // buffer is exactly its capacity, so a stray read or write trips the sanitiser.
    const Bytes Data = MakeData(DataKind::Gradient, 4000, 10);
    auto Rle = [](void* p, int32_t n) { return Korvid.Compress(p, n); };
    auto Z = [](void* p, int32_t n) { return Korvid.ZCompress(p, n, 9); };
    auto X = [](void* p, int32_t n) { return Korvid.XCompress(p, n, 9); };
    struct Case {
        const char* szName;
        std::function<int32_t(void*, int32_t)> Pack;
        int32_t (KorvidCompress::*pDecoder)(void*, int32_t, int32_t);
    } Cases[] = {{"RLE", Rle, &KorvidCompress::DeCompress},
                 {"Z", Z, &KorvidCompress::ZDeCompress},
                 {"X", X, &KorvidCompress::XDeCompress}};
    std::mt19937 Generator(11);
    for (const Case& Each : Cases) {
        Bytes Good = Data;
        int32_t nGood = Each.Pack(Good.data(), 4000);
        ASSERT_GT(nGood, 0) << Each.szName;
        Good.resize((size_t)nGood);
        for (int nTrial = 0; nTrial < 300; ++nTrial) {
            Bytes Damaged = Good;
            for (int nFlip = 1 + (int)(Generator() % 4); nFlip > 0; --nFlip)
                Damaged[Generator() % Damaged.size()] = (uint8_t)Generator();
            int32_t nLength = nTrial % 3 == 0 ? 1 + (int32_t)(Generator() % Damaged.size()) : nGood;
            int32_t nCapacity = std::max(nLength, (int32_t)(Generator() % 6000));
            Bytes Buffer((size_t)nCapacity);
            std::copy(Damaged.begin(), Damaged.begin() + nLength, Buffer.begin());
            int32_t nDecoded = (Korvid.*Each.pDecoder)(Buffer.data(), nLength, nCapacity);
            EXPECT_LE(nDecoded, nCapacity) << Each.szName << ", trial " << nTrial;
        }
    }
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

}  // namespace
