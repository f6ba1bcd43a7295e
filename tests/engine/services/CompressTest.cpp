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
    std::vector<std::string> Log = LogMessages();
    auto CallsOf = [&](const std::string& Section) {
        for (const std::string& Line : Log) {
            if (Line.find("> " + Section + " ") != std::string::npos) {
                size_t nCalls = Line.find(" calls,");
                return std::stoi(Line.substr(Line.rfind(' ', nCalls - 1) + 1));
            }
        }
        return 0;
    };
    for (const char* szSection : {"Compress()", "ZCompress()", "XCompress()", "DeCompress()", "ZDeCompress()",
                                  "XDeCompress()"})
        EXPECT_EQ(CallsOf(std::string("KorvidCompress::") + szSection), 50) << szSection;
    EXPECT_EQ(CallsOf("KorvidCompress::DeCompressBuffer()"), 100) << "DeCompress and XDeCompress both decode through it";
}

// ---- Faults ----------------------------------------------------------------------

Bytes Deflate(const Bytes& Data)
{
    uLongf nLength = compressBound((uLong)Data.size());
    Bytes Block(nLength);
    EXPECT_EQ(compress2(Block.data(), &nLength, Data.data(), (uLong)Data.size(), 9), Z_OK);
    return Prefix(Block, nLength);
}

// An X block made by hand: zlib around the given length field and content.
Bytes XBlockOf(uint32_t nStoredLength, const Bytes& Content)
{
    Bytes Inner = {(uint8_t)(nStoredLength >> 24), (uint8_t)(nStoredLength >> 16), (uint8_t)(nStoredLength >> 8),
                   (uint8_t)nStoredLength};
    Inner.insert(Inner.end(), Content.begin(), Content.end());
    return Deflate(Inner);
}

Bytes Encoded(const Coder& Each, const Bytes& Data)
{
    Bytes Buffer = Data;
    int32_t nBlock = Each.Encode(Buffer.data(), (int32_t)Buffer.size());
    EXPECT_GT(nBlock, 0) << Each.szName;
    return Prefix(Buffer, (size_t)nBlock);
}

struct BlockCase {
    const char* szName;
    Bytes Block;
    int32_t nCapacity;
    std::string Line;   // the log line, or its start when it ends in "dest_len="
    int32_t nBlockLength = -1;   // the whole block
};

// Each block is decoded in a buffer exactly the capacity large (or the block, when longer).
void ExpectRefused(Unpack pDecoder, const std::vector<BlockCase>& Cases)
{
    for (const BlockCase& Each : Cases) {
        SCOPED_TRACE(Each.szName);
        int32_t nLength = Each.nBlockLength < 0 ? (int32_t)Each.Block.size() : Each.nBlockLength;
        Bytes Buffer((size_t)std::max<int32_t>({Each.nCapacity, (int32_t)Each.Block.size(), 1}));
        std::copy(Each.Block.begin(), Each.Block.end(), Buffer.begin());
        EXPECT_EQ((Korvid.*pDecoder)(Buffer.data(), nLength, Each.nCapacity), 0);
        bool bStart = Each.Line.size() > 9 && Each.Line.compare(Each.Line.size() - 9, 9, "dest_len=") == 0;
        std::vector<std::string> Log = LogMessages();
        EXPECT_TRUE(std::any_of(Log.begin(), Log.end(), [&](const std::string& Line) {
            return bStart ? Line.rfind(Each.Line, 0) == 0 : Line == Each.Line;
        })) << "wanted: " << Each.Line;
    }
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

using CompressFaults = ServiceTest;

TEST_F(CompressFaults, DamagedZBlocks)
{
    const Bytes Data = MakeData(DataKind::Gradient, 3000, 5);
    const Bytes Good = Encoded(Coders[3], Data);
    const Bytes Rle = Encoded(Coders[0], Data);
    const int32_t m = (int32_t)Good.size();
    Bytes WrongMagic = Good;
    WrongMagic[0] = 0x00;
    Bytes WrongSum = Good;
    WrongSum.back() ^= 0xFF;   // the last byte of the Adler-32
    auto Line = [](size_t nSrc, const std::string& Reason, const std::string& Dest) {
        return "ERROR: ** ZDeCompress() - " + Reason + " (src_len=" + std::to_string(nSrc) + " , dest_len=" + Dest;
    };
    const std::string Failed = "Failed to decompress";
    ExpectRefused(&KorvidCompress::ZDeCompress,
                  {
                      {"truncated", Good, 3000, Line(m - 5, Failed, ""), m - 5},
                      {"wrong header", WrongMagic, 3000, Line(m, Failed, "0) **")},
                      // The whole content comes out before the checksum is found wrong.
                      {"wrong checksum", WrongSum, 3000, Line(m, Failed, "3000) **")},
                      {"content larger than the capacity", Good, 2999, Line(m, Failed, "2999) **")},
                      {"an RLE block", Rle, 3000, Line(Rle.size(), Failed, "0) **")},
                      {"empty", Good, 3000, Line(0, "Bad Sizes", "3000) **"), 0},
                      {"no capacity", Good, 0, Line(m, "Bad Sizes", "0) **")},
                  });
}

TEST_F(CompressFaults, DamagedAndMistypedXBlocks)
{
    const Bytes Good = Encoded(Coders[4], MakeData(DataKind::Gradient, 3000, 6));
    const int32_t m = (int32_t)Good.size();
    Bytes WrongMagic = Good;
    WrongMagic[0] = 0x00;
    Bytes Plain(200, 'p');
    Plain[0] = Plain[1] = Plain[2] = 0;
    Plain[3] = 9;
    Bytes Literals = {1, 0xAA};
    Literals.insert(Literals.end(), 38, 'c');
    const Bytes Long = XBlockOf(40, Literals);   // a 44-byte intermediate in a much shorter block
    ASSERT_LT(Long.size(), 30u);
    auto Failed = [](int nError, size_t nSrc, const std::string& Dest) {
        return "ERROR: ** XDeCompress() - Failed to decompress (error = " + std::to_string(nError) +
               ", src_len=" + std::to_string(nSrc) + " , dest_len=" + Dest;
    };
    const std::string X = "ERROR: ** XDeCompress() - ", Rle = "ERROR: ** DeCompressBuffer() - ";
    ExpectRefused(
        &KorvidCompress::XDeCompress,
        {
            {"wrong header", WrongMagic, 3000, Failed(-3, m, "0) **")},
            {"truncated", Good, 3000, Failed(-3, m - 3, ""), m - 3},
            {"intermediate larger than the capacity", Long, 30, Failed(-5, Long.size(), "30) **")},
            {"a Z block of other data", Deflate(Plain), 200,
             X + "RLE Length Does Not Match (rle_len=9 , unpacked=200) **"},
            {"absurd length", XBlockOf(0xFFFFFFFF, Bytes(20, 'c')), 100,
             X + "RLE Length Does Not Match (rle_len=4294967295 , unpacked=24) **"},
            {"no room for a length", Deflate({1, 2}), 100, X + "No RLE Length (unpacked=2) **"},
            {"inner block past the capacity", XBlockOf(5, {1, 0xAA, 0xAA, 200, 'q'}), 100,
             Rle + "Block Overruns Destination (token at 2, dest_len=100) **"},
            {"inner block without escapes", XBlockOf(2, {0, 'a'}), 100,
             Rle + "Bad Escape Table (0 codes, src_len=2) **"},
            {"empty", Good, 3000, X + "Bad Sizes (src_len=0 , dest_len=3000) **", 0},
        });
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
            EXPECT_TRUE(LogHas(Case.szLine));
        else
            EXPECT_EQ(LogMessages().size(), nLogLines) << "given up without a word";
    }
    Bytes Zeros(64, 0);
    EXPECT_GT(Korvid.ZCompress(Zeros.data(), 64, 9), 0) << "64 bytes are long enough";
    EXPECT_EQ(Korvid.ZCompress(Zeros.data(), -7, 9), 0);
    EXPECT_TRUE(LogHas("ERROR: ** ZCompress() - Bad Length (-7) **"));

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
    // Seeded damage to good blocks: flipped bytes, cut ends, stray lengths. Each
    // buffer is exactly its capacity, so a stray read or write trips the sanitiser.
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
            Bytes Buffer((size_t)nCapacity);
            std::copy(Damaged.begin(), Damaged.begin() + nLength, Buffer.begin());
            EXPECT_LE((Korvid.*Each.Decode)(Buffer.data(), nLength, nCapacity), nCapacity)
                << Each.szName << ", trial " << nTrial;
        }
    }
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

}  // namespace
