// The RLE, Z and X coders: round trips over seeded data, the compress buffer they
// share and its engine lock, refused memory, profiler sections, and damaged or
// mistyped blocks refused with their reason.
#include <zlib.h>

#include "ServiceTest.h"

namespace {

using Pack = std::function<int32_t(uint8_t*, int32_t)>;
using Unpack = int32_t (KorvidCompress::*)(void*, int32_t, int32_t);

struct Coder {
    const char* szName;
    Pack Encode;
    Unpack Decode;
    int nMinShrank;   // of the 108 inputs of a round trip
};

const Coder Coders[] = {
    {"RLE", [](uint8_t* p, int32_t n) { return Korvid.Compress(p, n); }, &KorvidCompress::DeCompress, 40},
    {"Z level -1", [](uint8_t* p, int32_t n) { return Korvid.ZCompress(p, n, -1); }, &KorvidCompress::ZDeCompress, 50},
    {"Z level 1", [](uint8_t* p, int32_t n) { return Korvid.ZCompress(p, n, 1); }, &KorvidCompress::ZDeCompress, 50},
    {"Z level 9", [](uint8_t* p, int32_t n) { return Korvid.ZCompress(p, n, 9); }, &KorvidCompress::ZDeCompress, 50},
    {"X", [](uint8_t* p, int32_t n) { return Korvid.XCompress(p, n, 9); }, &KorvidCompress::XDeCompress, 20},
};

using CompressRoundTrip = ServiceTest;

// A block decodes to exactly the input, in a buffer of the input's size or in a
// larger one whose tail it leaves alone; an input that did not shrink is untouched.
TEST_F(CompressRoundTrip, EveryCoderOverManyKindsAndSizes)
{
    const size_t Sizes[] = {1, 2, 33, 34, 37, 63, 64, 65, 100, 255, 256, 257, 1000, 4095, 4096, 32768, 65536, 100000};
    for (const Coder& Each : Coders) {
        int nShrank = 0;
        uint32_t nSeed = 1;
        for (DataKind Kind : {DataKind::Random, DataKind::Runs, DataKind::FewValues, DataKind::Ramp, DataKind::Sparse,
                              DataKind::Gradient}) {
            for (size_t nSize : Sizes) {
                SCOPED_TRACE(std::string(Each.szName) + ", " + DataKindName(Kind) + ", " + std::to_string(nSize));
                const Bytes Input = MakeData(Kind, nSize, nSeed);
                const size_t nTail = nSeed++ % 2 ? 100 : 0;
                Bytes Buffer = Input;
                Buffer.resize(nSize + nTail, 0x5A);
                int32_t nBlock = Each.Encode(Buffer.data(), (int32_t)nSize);
                if (nBlock == 0) {
                    EXPECT_EQ(Prefix(Buffer, nSize), Input);
                    continue;
                }
                ++nShrank;
                EXPECT_LT(nBlock, (int32_t)nSize);
                EXPECT_EQ((Korvid.*Each.Decode)(Buffer.data(), nBlock, (int32_t)Buffer.size()), (int32_t)nSize);
                EXPECT_EQ(Prefix(Buffer, nSize), Input);
                EXPECT_EQ(Bytes(Buffer.begin() + (long)nSize, Buffer.end()), Bytes(nTail, 0x5A));
            }
        }
        EXPECT_GE(nShrank, Each.nMinShrank) << Each.szName;
    }
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

using CompressBuffer = ServiceTest;

TEST_F(CompressBuffer, SmallBuffersStayAndLargeOnesAreFreed)
{
    auto Rle = [](Bytes& B) { Korvid.Compress(B.data(), (int32_t)B.size()); };
    const struct {
        const char* szName;
        std::function<void(Bytes&)> Run;
        size_t nLength;
        int32_t nSizeAfter;
    } Steps[] = {
        {"RLE of 1000", Rle, 1000, 32768},
        {"Z of 40000: 1.05 x n + 64", [](Bytes& B) { Korvid.ZCompress(B.data(), (int32_t)B.size(), 6); }, 40000, 42064},
        {"a smaller request keeps the larger buffer", Rle, 1000, 42064},
        {"RLE of 65520: exactly 65536 stays", Rle, 65520, 65536},
        {"RLE of 65521 is freed", Rle, 65521, 0},
        {"X of 100000 is freed", [](Bytes& B) { Korvid.XCompress(B.data(), (int32_t)B.size(), 6); }, 100000, 0},
    };
    for (const auto& Step : Steps) {
        Bytes Data = MakeData(DataKind::Gradient, Step.nLength, 1);
        Step.Run(Data);
        EXPECT_EQ(Korvid.CompressBufferSize(), Step.nSizeAfter) << Step.szName;
        EXPECT_EQ(Korvid.CompressBuffer() != nullptr, Step.nSizeAfter > 0) << Step.szName;
    }
}

TEST_F(CompressBuffer, EveryOperationGivesTheEngineLockBack)
{
    Korvid.MutexInit();
    ASSERT_TRUE(Korvid.OS()->m_bLockReady);
    const Bytes Data = MakeData(DataKind::Gradient, 5000, 2);
    Bytes Work;
    const std::pair<const char*, std::function<void()>> Operations[] = {
        {"DeCompress of garbage", [&] { Korvid.DeCompress(Work.data(), 5000, 5000); }},
        {"ZDeCompress of garbage", [&] { Korvid.ZDeCompress(Work.data(), 5000, 5000); }},
        {"XDeCompress of garbage", [&] { Korvid.XDeCompress(Work.data(), 5000, 5000); }},
        {"XCompress failing at the RLE stage",
         [&] { Work = MakeData(DataKind::Random, 5000, 3); Korvid.XCompress(Work.data(), 5000, 9); }},
        {"a round trip of each coder", [&] {
             for (const Coder& Each : Coders)
                 (Korvid.*Each.Decode)(Work.data(), Each.Encode(Work.data(), 5000), 5000);
         }}};
    for (const auto& Operation : Operations) {
        Work = Data;
        Operation.second();
        EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0) << Operation.first;
        EXPECT_EQ(Korvid.CompressBufferLocks(), 0) << Operation.first;
    }
    EXPECT_EQ(Work, Data) << "the round trips ran last";

    ASSERT_TRUE(Korvid.LockCompressBuffer(10));
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 1);
    Korvid.ReleaseCompressBuffer();
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);

    Korvid.ReleaseCompressBuffer();   // a kept buffer that nobody borrowed
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
    EXPECT_EQ(Korvid.CompressBufferSize(), 32768);
    Korvid.FreeCompressBuffer();
    Korvid.ReleaseCompressBuffer();   // no buffer at all
    EXPECT_EQ(LogCount("WARNING: ** ReleaseCompressBuffer() - Buffer Not Locked **"), 2);
}

TEST_F(CompressBuffer, AnInnerReleaseLeavesTheBufferToTheOuterBorrower)
{
    ASSERT_TRUE(Korvid.LockCompressBuffer(100000));
    uint8_t* pOuter = Korvid.CompressBuffer();
    ASSERT_TRUE(Korvid.LockCompressBuffer(10));
    EXPECT_EQ(Korvid.CompressBuffer(), pOuter);
    Korvid.ReleaseCompressBuffer();
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
    EXPECT_EQ(LogCount("ERROR: ** Failed To Allocate 32768byte Compress Buffer **"), 3);
    EXPECT_TRUE(LogHas("ERROR: ** Failed To Allocate 100000byte Compress Buffer **"));

    // The X coder's compress buffer (105064 bytes) is granted, its 100020-byte work block is not.
    m_Platform.m_RefuseAlloc = [](size_t nSize) { return nSize >= 100020 && nSize < 100100; };
    Data = MakeData(DataKind::Gradient, 100000, 6);
    const Bytes Large = Data;
    EXPECT_EQ(Korvid.XCompress(Data.data(), 100000, 6), 0);
    EXPECT_EQ(Data, Large);
    EXPECT_TRUE(LogHas("ERROR: ** XCompress() - Failed To Allocate 100020byte Work Buffer **"));
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

TEST_F(CompressBuffer, EachOperationHasItsProfilerSection)
{
    Korvid.SetProfiling(true);
    const Bytes Data = MakeData(DataKind::Gradient, 2000, 7);
    for (int n = 0; n < 50; ++n) {   // a section is reported from its 50th call on
        for (const Coder& Each : {Coders[0], Coders[2], Coders[4]}) {
            Bytes Work = Data;
            int32_t nBlock = Each.Encode(Work.data(), 2000);
            ASSERT_GT(nBlock, 0) << Each.szName;
            (Korvid.*Each.Decode)(Work.data(), nBlock, 2000);
        }
    }
    Korvid.ProfileReport();
    for (const char* szSection : {"Compress()", "ZCompress()", "XCompress()", "DeCompress()", "ZDeCompress()",
                                  "XDeCompress()"})
        EXPECT_TRUE(LogMentions({std::string("> KorvidCompress::") + szSection + " ", " 50 calls,"})) << szSection;
    EXPECT_TRUE(LogMentions({"> KorvidCompress::DeCompressBuffer() ", " 100 calls,"}))
        << "DeCompress and XDeCompress both decode through it";
}

using CompressFaults = ServiceTest;

Bytes Deflate(const Bytes& Data)
{
    uLongf nLength = compressBound((uLong)Data.size());
    Bytes Block(nLength);
    EXPECT_EQ(compress2(Block.data(), &nLength, Data.data(), (uLong)Data.size(), 9), Z_OK);
    return Prefix(Block, nLength);
}

// An X block made by hand: zlib around the given length field and content.
Bytes XBlockOf(uint32_t nStoredLength, Bytes Content)
{
    Content.insert(Content.begin(), {(uint8_t)(nStoredLength >> 24), (uint8_t)(nStoredLength >> 16),
                                     (uint8_t)(nStoredLength >> 8), (uint8_t)nStoredLength});
    return Deflate(Content);
}

Bytes Encoded(const Coder& Each, const Bytes& Data)
{
    Bytes Buffer = Data;
    int32_t nBlock = Each.Encode(Buffer.data(), (int32_t)Buffer.size());
    EXPECT_GT(nBlock, 0) << Each.szName;
    return Prefix(Buffer, (size_t)nBlock);
}

TEST_F(CompressFaults, DamagedAndMistypedBlocksAreRefusedWithTheirReason)
{
    const Bytes Data = MakeData(DataKind::Gradient, 3000, 5);
    const Bytes Rle = Encoded(Coders[0], Data), Z = Encoded(Coders[3], Data), X = Encoded(Coders[4], Data);
    const int32_t nZ = (int32_t)Z.size(), nX = (int32_t)X.size();
    auto Damaged = [](Bytes Block, size_t nAt) {
        Block[nAt] ^= 0xFF;
        return Block;
    };
    auto Src = [](size_t nLength) { return "src_len=" + std::to_string(nLength) + " , dest_len="; };
    Bytes Plain(200, 'p');
    Plain[0] = Plain[1] = Plain[2] = 0;
    Plain[3] = 9;
    Bytes Literals = {1, 0xAA};
    Literals.insert(Literals.end(), 38, 'c');
    const Bytes Long = XBlockOf(40, Literals);   // a 44-byte intermediate in a much shorter block
    ASSERT_LT(Long.size(), 30u);
    const Unpack RleDecoder = &KorvidCompress::DeCompress, ZDecoder = &KorvidCompress::ZDeCompress,
                 XDecoder = &KorvidCompress::XDeCompress;
    const struct {
        const char* szName;
        Unpack Decoder;
        Bytes Block;
        int32_t nLength;   // -1: the whole block
        int32_t nCapacity;
        std::string Reason;   // a part of the log line
    } Cases[] = {
        {"RLE without escape codes", RleDecoder, {0, 'a', 'b'}, -1, 16, "Bad Escape Table (0 codes, src_len=3)"},
        {"RLE escape table past the end", RleDecoder, {40, 1, 2, 3, 4, 5, 6, 7, 8, 9}, -1, 16,
         "Bad Escape Table (40 codes, src_len=10)"},
        {"RLE long run without its value", RleDecoder, {1, 0xAA, 'q', 0xAA, 7}, -1, 16,
         "Block Truncated (token at 3, src_len=5)"},
        {"RLE esc[0] as the last byte", RleDecoder, {1, 0xAA, 0xAA}, -1, 16, "Block Truncated (token at 2, src_len=3)"},
        {"RLE short run without its value", RleDecoder, {2, 0xAA, 0xBB, 'q', 0xBB}, -1, 16,
         "Block Truncated (token at 4, src_len=5)"},
        {"RLE run past the destination", RleDecoder, {1, 0xAA, 0xAA, 200, 'r'}, -1, 100,
         "Block Overruns Destination (token at 2, dest_len=100)"},
        {"RLE runs adding up past the destination", RleDecoder, {1, 0xAA, 0xAA, 60, 'a', 0xAA, 41, 'b'}, -1, 100,
         "Block Overruns Destination (token at 5, dest_len=100)"},
        {"RLE literal past the destination", RleDecoder, {1, 0xAA, 0xAA, 8, 'a', 'b'}, -1, 8,
         "Block Overruns Destination (token at 5, dest_len=8)"},
        {"RLE empty", RleDecoder, {}, -1, 64, "DeCompress() - Bad Sizes (src_len=0 , dest_len=64)"},
        {"RLE longer than its buffer", RleDecoder, {1, 0xAA, 'a', 'b', 'c'}, -1, 4, "Bad Sizes (src_len=5 , dest_len=4)"},
        {"RLE negative capacity", RleDecoder, {1, 0xAA, 'a'}, -1, -3, "Bad Sizes (src_len=3 , dest_len=-3)"},
        {"Z truncated", ZDecoder, Z, nZ - 5, 3000, "ZDeCompress() - Failed to decompress (" + Src(nZ - 5)},
        {"Z wrong header", ZDecoder, Damaged(Z, 0), -1, 3000, Src(nZ) + "0)"},
        // The whole content comes out before the checksum is found wrong.
        {"Z wrong checksum", ZDecoder, Damaged(Z, Z.size() - 1), -1, 3000, Src(nZ) + "3000)"},
        {"Z content larger than the capacity", ZDecoder, Z, -1, 2999, Src(nZ) + "2999)"},
        {"Z of an RLE block", ZDecoder, Rle, -1, 3000, Src(Rle.size()) + "0)"},
        {"Z empty", ZDecoder, Z, 0, 3000, "ZDeCompress() - Bad Sizes (src_len=0 , dest_len=3000)"},
        {"Z without capacity", ZDecoder, Z, -1, 0, "ZDeCompress() - Bad Sizes (" + Src(nZ) + "0)"},
        {"X wrong header", XDecoder, Damaged(X, 0), -1, 3000, "(error = -3, " + Src(nX) + "0)"},
        {"X truncated", XDecoder, X, nX - 3, 3000, "(error = -3, " + Src(nX - 3)},
        {"X intermediate larger than the capacity", XDecoder, Long, -1, 30, "(error = -5, " + Src(Long.size()) + "30)"},
        {"X of other data", XDecoder, Deflate(Plain), -1, 200, "RLE Length Does Not Match (rle_len=9 , unpacked=200)"},
        {"X of an absurd length", XDecoder, XBlockOf(0xFFFFFFFF, Bytes(20, 'c')), -1, 100,
         "RLE Length Does Not Match (rle_len=4294967295 , unpacked=24)"},
        {"X without room for a length", XDecoder, Deflate({1, 2}), -1, 100, "No RLE Length (unpacked=2)"},
        {"X inner block past the capacity", XDecoder, XBlockOf(5, {1, 0xAA, 0xAA, 200, 'q'}), -1, 100,
         "Block Overruns Destination (token at 2, dest_len=100)"},
        {"X inner block without escapes", XDecoder, XBlockOf(2, {0, 'a'}), -1, 100,
         "Bad Escape Table (0 codes, src_len=2)"},
        {"X empty", XDecoder, X, 0, 3000, "XDeCompress() - Bad Sizes (src_len=0 , dest_len=3000)"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.szName);
        size_t nLogLines = LogMessages().size();
        // Exactly as large as the caller says: any access past it is caught by the sanitiser.
        Bytes Buffer = Case.Block;
        Buffer.resize((size_t)std::max<int32_t>({Case.nCapacity, (int32_t)Buffer.size(), 1}));
        int32_t nLength = Case.nLength < 0 ? (int32_t)Case.Block.size() : Case.nLength;
        EXPECT_EQ((Korvid.*Case.Decoder)(Buffer.data(), nLength, Case.nCapacity), 0);
        std::vector<std::string> Log = LogMessages();
        ASSERT_GT(Log.size(), nLogLines);
        EXPECT_NE(Log.back().find(Case.Reason), std::string::npos) << Log.back();
    }
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

TEST_F(CompressFaults, CodersGiveUpWhereTheyDoNotGain)
{
    auto Letters = [](int nRun, int nLetters) {
        Bytes Input(nRun, 'A');
        for (int n = 0; n < nLetters; ++n)
            Input.push_back((uint8_t)('B' + n % 25));
        return Input;
    };
    const struct {
        const char* szName;
        Bytes Input;
        int8_t nZLevel;   // 0: the X coder
        const char* szLine;
    } Cases[] = {
        {"X of random bytes", MakeData(DataKind::Random, 1000, 8), 0, "WARNING: ** XCompress() - Failed at RLE stage"},
        // One run: a 36-byte RLE block that deflate only makes longer.
        {"X of one long run", Bytes(1000, 0x42), 0, "WARNING: ** XCompress() - Failed at ZLib stage"},
        // A 97-byte RLE block whose length field would not fit in 100 bytes beside it.
        {"X of 39 x A and 61 letters", Letters(39, 61), 0, "WARNING: ** XCompress() - Failed at RLE stage"},
        {"Z of random bytes", MakeData(DataKind::Random, 5000, 9), 9, nullptr},
        {"Z at an unknown level", Bytes(1000, 3), 42, "WARNING: ** ZCompress() - ZLib Error -2 (level 42) **"},
        {"Z of 63 bytes", Bytes(63, 0), 9, nullptr},
        {"X of 63 bytes", Bytes(63, 0), 0, nullptr},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.szName);
        size_t nLogLines = LogMessages().size();
        Bytes Buffer = Case.Input;
        int32_t nSize = (int32_t)Buffer.size();
        EXPECT_EQ(Case.nZLevel ? Korvid.ZCompress(Buffer.data(), nSize, Case.nZLevel)
                               : Korvid.XCompress(Buffer.data(), nSize, 9),
                  0);
        EXPECT_EQ(Buffer, Case.Input);
        if (Case.szLine)
            EXPECT_EQ(LogMessages().back(), Case.szLine);
        else
            EXPECT_EQ(LogMessages().size(), nLogLines) << "given up without a word";
    }
    Bytes Zeros(64, 0);
    EXPECT_GT(Korvid.ZCompress(Zeros.data(), 64, 9), 0) << "64 bytes are long enough";
    EXPECT_EQ(Korvid.ZCompress(Zeros.data(), -7, 9), 0);
    EXPECT_EQ(LogMessages().back(), "ERROR: ** ZCompress() - Bad Length (-7) **");

    // One more 'A': a 96-byte RLE block, length and block fill the 100 bytes exactly.
    const Bytes Input = Letters(40, 60);
    Bytes Buffer = Input;
    int32_t nBlock = Korvid.XCompress(Buffer.data(), 100, 9);
    ASSERT_GT(nBlock, 0);
    EXPECT_EQ(Korvid.XDeCompress(Buffer.data(), nBlock, 100), 100);
    EXPECT_EQ(Buffer, Input);
}

TEST_F(CompressFaults, RandomlyDamagedBlocksStayInsideTheirBuffers)
{
    // Seeded damage to good blocks: flipped bytes, cut ends, stray lengths, in
    // buffers exactly as large as their capacity.
    const Bytes Data = MakeData(DataKind::Gradient, 4000, 10);
    std::mt19937 Generator(11);
    for (const Coder& Each : {Coders[0], Coders[3], Coders[4]}) {
        const Bytes Good = Encoded(Each, Data);
        for (int nTrial = 0; nTrial < 300; ++nTrial) {
            Bytes Damaged = Good;
            for (int nFlip = 1 + (int)(Generator() % 4); nFlip > 0; --nFlip)
                Damaged[Generator() % Damaged.size()] = (uint8_t)Generator();
            int32_t nLength = nTrial % 3 == 0 ? 1 + (int32_t)(Generator() % Damaged.size()) : (int32_t)Good.size();
            int32_t nCapacity = std::max(nLength, (int32_t)(Generator() % 6000));
            Damaged.resize((size_t)nLength);
            Damaged.resize((size_t)nCapacity);
            EXPECT_LE((Korvid.*Each.Decode)(Damaged.data(), nLength, nCapacity), nCapacity)
                << Each.szName << ", trial " << nTrial;
        }
    }
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

}  // namespace
