// Every coder against its decoder over seeded data of many kinds and sizes: a
// block decodes to exactly the input, and an input that did not shrink is left
// as it was.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "CompressTestFixture.h"
#include "korvid.h"

namespace {

const size_t Sizes[] = {1, 2, 33, 34, 37, 63, 64, 65, 100, 255, 256, 257, 1000, 4095, 4096, 32768, 65536, 100000};
const DataKind Kinds[] = {DataKind::Random, DataKind::Runs,   DataKind::FewValues,
                          DataKind::Ramp,   DataKind::Sparse, DataKind::Gradient};

struct Coder {
    const char* szName;
    std::function<int32_t(Bytes&)> Pack;
    std::function<int32_t(Bytes&, int32_t)> Unpack;   // block length in, decoded length out
};

// Runs a coder over every kind and size; returns how many inputs shrank.
int RoundTripAll(const Coder& Each)
{
    int nShrank = 0;
    uint32_t nSeed = 1;
    for (DataKind Kind : Kinds) {
        for (size_t nSize : Sizes) {
            const Bytes Input = MakeData(Kind, nSize, nSeed++);
            Bytes Buffer = Input;
            std::string Label = std::string(Each.szName) + ", " + DataKindName(Kind) + ", " + std::to_string(nSize);
            int32_t nBlock = Each.Pack(Buffer);
            if (nBlock == 0) {
                EXPECT_EQ(Buffer, Input) << Label;
                continue;
            }
            ++nShrank;
            EXPECT_LT(nBlock, (int32_t)nSize) << Label;
            EXPECT_EQ(Each.Unpack(Buffer, nBlock), (int32_t)nSize) << Label;
            EXPECT_EQ(Buffer, Input) << Label;
        }
    }
    return nShrank;
}

using CompressRoundTrip = CompressTest;

TEST_F(CompressRoundTrip, RleBlocks)
{
    Coder Rle = {"RLE", [](Bytes& B) { return Korvid.Compress(B.data(), (int32_t)B.size()); },
                 [](Bytes& B, int32_t n) { return Korvid.DeCompress(B.data(), n, (int32_t)B.size()); }};
    // Runs, few values, sparse and gradients shrink from a few hundred bytes on.
    EXPECT_GE(RoundTripAll(Rle), 40);
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

TEST_F(CompressRoundTrip, ZBlocksAtSeveralLevels)
{
    for (int8_t nLevel : {(int8_t)-1, (int8_t)1, (int8_t)9}) {
        Coder Z = {"Z", [&](Bytes& B) { return Korvid.ZCompress(B.data(), (int32_t)B.size(), nLevel); },
                   [](Bytes& B, int32_t n) { return Korvid.ZDeCompress(B.data(), n, (int32_t)B.size()); }};
        EXPECT_GE(RoundTripAll(Z), 50) << "level " << (int)nLevel;
    }
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

TEST_F(CompressRoundTrip, XBlocks)
{
    Coder X = {"X", [](Bytes& B) { return Korvid.XCompress(B.data(), (int32_t)B.size(), 9); },
               [](Bytes& B, int32_t n) { return Korvid.XDeCompress(B.data(), n, (int32_t)B.size()); }};
    EXPECT_GE(RoundTripAll(X), 20);
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

TEST_F(CompressRoundTrip, DecodersLeaveTheBufferPastTheDecodedLengthAlone)
{
    // A destination larger than the data: the decoders report the length and touch nothing beyond it.
    const Bytes Input = MakeData(DataKind::Gradient, 5000, 77);
    struct Case {
        const char* szName;
        std::function<int32_t(uint8_t*, int32_t)> Pack;
        std::function<int32_t(uint8_t*, int32_t, int32_t)> Unpack;
    } Cases[] = {
        {"RLE", [](uint8_t* p, int32_t n) { return Korvid.Compress(p, n); },
         [](uint8_t* p, int32_t m, int32_t c) { return Korvid.DeCompress(p, m, c); }},
        {"Z", [](uint8_t* p, int32_t n) { return Korvid.ZCompress(p, n, 6); },
         [](uint8_t* p, int32_t m, int32_t c) { return Korvid.ZDeCompress(p, m, c); }},
        {"X", [](uint8_t* p, int32_t n) { return Korvid.XCompress(p, n, 6); },
         [](uint8_t* p, int32_t m, int32_t c) { return Korvid.XDeCompress(p, m, c); }},
    };
    for (const Case& Each : Cases) {
        Bytes Buffer(7000, 0x5A);
        std::copy(Input.begin(), Input.end(), Buffer.begin());
        int32_t nBlock = Each.Pack(Buffer.data(), 5000);
        ASSERT_GT(nBlock, 0) << Each.szName;
        EXPECT_EQ(Each.Unpack(Buffer.data(), nBlock, 7000), 5000) << Each.szName;
        EXPECT_EQ(Bytes(Buffer.begin(), Buffer.begin() + 5000), Input) << Each.szName;
        EXPECT_EQ(Bytes(Buffer.begin() + 5000, Buffer.end()), Bytes(2000, 0x5A)) << Each.szName;
    }
}

}  // namespace
