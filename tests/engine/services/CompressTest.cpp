// The RLE, Z and X coders: round trips over seeded data, the compress buffer they
// share and its engine lock, refused memory, damaged or mistyped blocks refused
// with their reason, the byte-run coder's exact output against encodings worked
// out by hand from the block format, and Z and X blocks against Python's zlib
// module, both ways. Randomly damaged blocks are the fuzz targets' work.
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
// Every operation gives the engine lock back.
TEST_F(CompressRoundTrip, EveryCoderOverManyKindsAndSizes)
{
    Korvid.MutexInit();
    const size_t Sizes[] = {1, 2, 33, 34, 37, 63, 64, 65, 100, 255, 256, 257, 1000, 4095, 4096, 32768, 65536, 100000};
    for (const Coder& Each : Coders) {
        int nShrank = 0;
        uint32_t nSeed = 1;
        for (DataKind Kind : {DataKind::Random, DataKind::Runs, DataKind::FewValues, DataKind::Ramp, DataKind::Sparse,
                              DataKind::Gradient}) {
            for (size_t nSize : Sizes) {
                SCOPED_TRACE(std::string(Each.szName) + ", kind " + std::to_string((int)Kind) + ", size " +
                             std::to_string(nSize));
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
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

using CompressBuffer = ServiceTest;

TEST_F(CompressBuffer, BorrowingHoldsTheEngineLockAndAnInnerReleaseKeepsTheBuffer)
{
    Korvid.MutexInit();
    Korvid.ReleaseCompressBuffer();   // no buffer at all
    ASSERT_TRUE(Korvid.LockCompressBuffer(100000));
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 1);
    uint8_t* pOuter = Korvid.CompressBuffer();
    ASSERT_TRUE(Korvid.LockCompressBuffer(10));
    EXPECT_EQ(Korvid.CompressBuffer(), pOuter);
    Korvid.ReleaseCompressBuffer();
    EXPECT_EQ(Korvid.CompressBufferSize(), 100000);
    pOuter[99999] = 1;   // still the outer borrower's to use
    Korvid.FreeCompressBuffer();
    EXPECT_EQ(LogMessages().back(), "WARNING: ** FreeCompressBuffer() - Buffer Still Locked **");
    EXPECT_EQ(Korvid.CompressBuffer(), pOuter);
    Korvid.ReleaseCompressBuffer();
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
    EXPECT_EQ(Korvid.CompressBuffer(), nullptr) << "a large buffer goes with its last borrower";

    // Buffers of at least 32768 bytes are made; up to 65536 they stay for the next operation.
    Bytes Data(65520, 1);
    ASSERT_GT(Korvid.Compress(Data.data(), 1000), 0);
    EXPECT_EQ(Korvid.CompressBufferSize(), 32768);
    ASSERT_GT(Korvid.Compress(Data.data(), 65520), 0);
    EXPECT_EQ(Korvid.CompressBufferSize(), 65536);
    Korvid.ReleaseCompressBuffer();   // a kept buffer that nobody borrowed
    EXPECT_NE(Korvid.CompressBuffer(), nullptr);
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
    EXPECT_EQ(LogCount({"WARNING: ** ReleaseCompressBuffer() - Buffer Not Locked **"}), 2);
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

    // The X coder's compress buffer (105064 bytes) is granted, its 100020-byte work block is not.
    m_Platform.m_RefuseAlloc = [](size_t nSize) { return nSize >= 100020 && nSize < 100100; };
    Data = MakeData(DataKind::Gradient, 100000, 6);
    const Bytes Large = Data;
    EXPECT_EQ(Korvid.XCompress(Data.data(), 100000, 6), 0);
    EXPECT_EQ(Data, Large);
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
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
    const Bytes Z = Encoded(Coders[3], Data), X = Encoded(Coders[4], Data);
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
    const Unpack Rle = &KorvidCompress::DeCompress, Zd = &KorvidCompress::ZDeCompress;
    const Unpack Xd = &KorvidCompress::XDeCompress;
    const struct {
        Unpack Decoder;
        Bytes Block;
        int32_t nLength;   // -1: the whole block
        int32_t nCapacity;
        std::string Reason;   // a part of the log line
    } Cases[] = {
        {Rle, {0, 'a', 'b'}, -1, 16, "Bad Escape Table (0 codes, src_len=3)"},
        {Rle, {40, 1, 2, 3, 4, 5, 6, 7, 8, 9}, -1, 16, "Bad Escape Table (40 codes, src_len=10)"},
        {Rle, {1, 0xAA, 'q', 0xAA, 7}, -1, 16, "Block Truncated (token at 3, src_len=5)"},   // a long run's value
        {Rle, {1, 0xAA, 0xAA}, -1, 16, "Block Truncated (token at 2, src_len=3)"},
        {Rle, {2, 0xAA, 0xBB, 'q', 0xBB}, -1, 16, "Block Truncated (token at 4, src_len=5)"},   // a short run's value
        {Rle, {1, 0xAA, 0xAA, 200, 'r'}, -1, 100, "Block Overruns Destination (token at 2, dest_len=100)"},
        {Rle, {1, 0xAA, 0xAA, 60, 'a', 0xAA, 41, 'b'}, -1, 100, "Overruns Destination (token at 5, dest_len=100)"},
        {Rle, {1, 0xAA, 0xAA, 8, 'a', 'b'}, -1, 8, "Overruns Destination (token at 5, dest_len=8)"},   // a literal
        {Rle, {}, -1, 64, "DeCompress() - Bad Sizes (src_len=0 , dest_len=64)"},
        {Rle, {1, 0xAA, 'a', 'b', 'c'}, -1, 4, "DeCompress() - Bad Sizes (src_len=5 , dest_len=4)"},
        {Rle, {1, 0xAA, 'a'}, -1, -3, "DeCompress() - Bad Sizes (src_len=3 , dest_len=-3)"},
        {Zd, Z, nZ - 5, 3000, "ZDeCompress() - Failed to decompress (" + Src(nZ - 5)},
        {Zd, Damaged(Z, 0), -1, 3000, "ZDeCompress() - Failed to decompress (" + Src(nZ) + "0)"},
        // The whole content comes out before the checksum is found wrong.
        {Zd, Damaged(Z, Z.size() - 1), -1, 3000, Src(nZ) + "3000)"},
        {Zd, Z, -1, 2999, Src(nZ) + "2999)"},
        {Zd, Z, 0, 3000, "ZDeCompress() - Bad Sizes (src_len=0 , dest_len=3000)"},
        {Xd, Damaged(X, 0), -1, 3000, "XDeCompress() - Failed to decompress (error = -3, " + Src(nX) + "0)"},
        {Xd, Long, -1, 30, "(error = -5, " + Src(Long.size()) + "30)"},
        {Xd, Deflate(Plain), -1, 200, "RLE Length Does Not Match (rle_len=9 , unpacked=200)"},
        {Xd, XBlockOf(0xFFFFFFFF, Bytes(20, 'c')), -1, 100, "Does Not Match (rle_len=4294967295 , unpacked=24)"},
        {Xd, Deflate({1, 2}), -1, 100, "No RLE Length (unpacked=2)"},
        {Xd, XBlockOf(5, {1, 0xAA, 0xAA, 200, 'q'}), -1, 100, "Block Overruns Destination (token at 2, dest_len=100)"},
        {Xd, X, 0, 3000, "XDeCompress() - Bad Sizes (src_len=0 , dest_len=3000)"},
    };
    Korvid.MutexInit();
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Reason);
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
    EXPECT_EQ(Korvid.OS()->m_nLocksHeld, 0);
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
}

TEST_F(CompressFaults, CodersGiveUpWhereTheyDoNotGainOrAreMisused)
{
    auto Letters = [](int nRun, int nLetters) {
        Bytes Input(nRun, 'A');
        for (int n = 0; n < nLetters; ++n)
            Input.push_back((uint8_t)('B' + n % 25));
        return Input;
    };
    Bytes Shuffled(256);
    for (size_t n = 0; n < 256; ++n)
        Shuffled[n] = (uint8_t)(n * 97 + 13);
    const Pack Rle = Coders[0].Encode, Z = Coders[3].Encode, X = Coders[4].Encode;
    const struct {
        const char* szName;
        Pack Encode;
        Bytes Input;
        const char* szLine;   // none: given up without a word
    } Cases[] = {
        {"RLE of every value once", Rle, Shuffled, nullptr},
        // A run is always a 36-byte block: no gain up to 36 bytes.
        {"RLE of 36 equal bytes", Rle, Bytes(36, 9), nullptr},
        {"RLE of length 0", [](uint8_t* p, int32_t) { return Korvid.Compress(p, 0); }, {1},
         "ERROR: ** Compress() - Bad Length (0) **"},
        {"RLE without a buffer", [](uint8_t*, int32_t) { return Korvid.Compress(nullptr, 100); }, {1},
         "ERROR: ** Compress() - No Buffer **"},
        {"RLE decoding without a buffer", [](uint8_t*, int32_t) { return Korvid.DeCompress(nullptr, 10, 100); }, {1},
         "ERROR: ** DeCompress() - No Buffer **"},
        {"Z of random bytes", Z, MakeData(DataKind::Random, 5000, 9), nullptr},
        {"Z of 63 bytes", Z, Bytes(63, 0), nullptr},
        {"Z at an unknown level", [](uint8_t* p, int32_t n) { return Korvid.ZCompress(p, n, 42); }, Bytes(1000, 3),
         "WARNING: ** ZCompress() - ZLib Error -2 (level 42) **"},
        {"X of 63 bytes", X, Bytes(63, 0), nullptr},
        {"X of random bytes", X, MakeData(DataKind::Random, 1000, 8), "WARNING: ** XCompress() - Failed at RLE stage"},
        // One run: a 36-byte RLE block that deflate only makes longer.
        {"X of one long run", X, Bytes(1000, 0x42), "WARNING: ** XCompress() - Failed at ZLib stage"},
        // A 97-byte RLE block whose length field would not fit in 100 bytes beside it.
        {"X of 39 x A and 61 letters", X, Letters(39, 61), "WARNING: ** XCompress() - Failed at RLE stage"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.szName);
        size_t nLogLines = LogMessages().size();
        Bytes Buffer = Case.Input;
        EXPECT_EQ(Case.Encode(Buffer.data(), (int32_t)Buffer.size()), 0);
        EXPECT_EQ(Buffer, Case.Input);
        if (Case.szLine)
            EXPECT_EQ(LogMessages().back(), Case.szLine);
        else
            EXPECT_EQ(LogMessages().size(), nLogLines);
    }
    Bytes Zeros(64, 0);
    EXPECT_GT(Korvid.ZCompress(Zeros.data(), 64, 9), 0) << "64 bytes are long enough";
    // One more 'A': a 96-byte RLE block, length and block fill the 100 bytes exactly.
    const Bytes Input = Letters(40, 60);
    Bytes Buffer = Input;
    int32_t nBlock = Korvid.XCompress(Buffer.data(), 100, 9);
    ASSERT_GT(nBlock, 0);
    EXPECT_EQ(Korvid.XDeCompress(Buffer.data(), nBlock, 100), 100);
    EXPECT_EQ(Buffer, Input);
}

// ---- The byte-run coder against blocks worked out by hand ----------------------------

Bytes Range(int nFirst, int nLast)
{
    Bytes Values;
    for (int n = nFirst; n <= nLast; ++n)
        Values.push_back((uint8_t)n);
    return Values;
}

Bytes Concat(std::initializer_list<Bytes> Parts)
{
    Bytes All;
    for (const Bytes& Part : Parts)
        All.insert(All.end(), Part.begin(), Part.end());
    return All;
}

// 32, then the escape codes.
Bytes HeaderWith(const Bytes& Escapes) { return Concat({{32}, Escapes}); }

// Compresses Data in place and returns the block (empty when Compress gave 0).
Bytes Encode(const Bytes& Data)
{
    Bytes Buffer = Data;
    return Prefix(Buffer, (size_t)Korvid.Compress(Buffer.data(), (int32_t)Buffer.size()));
}

using RleEncoding = ServiceTest;

TEST_F(RleEncoding, BlocksWorkedOutByHandWithTheRarestValuesAsEscapeCodes)
{
    const struct {
        const char* szName;
        Bytes Input;
        Bytes Block;
    } Cases[] = {
        // Only values from 'A' up occur, so the escape codes are the 32 unused values 0..31.
        {"runs of every token length",
         Concat({Bytes(31, 'A'), Bytes(32, 'B'), Bytes(33, 'C'), Bytes(2, 'D'), Bytes(1, 'E'), Bytes(255, 'F'),
                 Bytes(300, 'G')}),
         Concat({HeaderWith(Range(0, 31)),
                 {31, 'A'},                       // 31: the last short-run code
                 {0, 32, 'B', 0, 33, 'C'},        // 32: the first long run
                 {2, 'D', 'E'},                   // a short run, then the byte itself
                 {0, 255, 'F'},                   // the longest single token
                 {0, 255, 'G', 0, 45, 'G'}})},    // 300 = 255 + 45
        // The 32 rarest values are 0..31 (once each, ties to the lower value); each
        // of them in the input costs two bytes.
        {"escape values in the input are written after esc[1]", Concat({Range(0, 255), Bytes(300, 0x41)}),
         [] {
             Bytes Block = HeaderWith(Range(0, 31));
             for (int v = 0; v <= 31; ++v)
                 Block.insert(Block.end(), {1, (uint8_t)v});
             return Concat({Block, Range(32, 255), {0, 255, 0x41, 0, 45, 0x41}});
         }()},
        // 7 itself is used, so the 32nd code is 32.
        {"one value repeated", Bytes(100, 7), Concat({HeaderWith(Concat({Range(0, 6), Range(8, 32)})), {0, 100, 7}})},
        {"37 equal bytes: the first that gain", Bytes(37, 9),
         Concat({HeaderWith(Range(0, 8)), Range(10, 32), {0, 37, 9}})},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(Encode(Case.Input), Case.Block) << Case.szName;
        Bytes Buffer = Case.Block;
        Buffer.resize(Case.Input.size());
        EXPECT_EQ(Korvid.DeCompress(Buffer.data(), (int32_t)Case.Block.size(), (int32_t)Buffer.size()),
                  (int32_t)Case.Input.size());
        EXPECT_EQ(Buffer, Case.Input) << Case.szName;
    }

    // Counts: 0x33 never, 0x10 and 0x80 once, every other value twice, 0xFF many times.
    Bytes Input;
    for (int v = 0; v <= 255; ++v)
        if (v != 0x33)
            Input.push_back((uint8_t)v);
    for (int v = 0; v <= 255; ++v)
        if (v != 0x33 && v != 0x10 && v != 0x80)
            Input.push_back((uint8_t)v);
    Input.insert(Input.end(), 600, 0xFF);
    const Bytes Block = Encode(Input);
    ASSERT_GT(Block.size(), 33u);
    EXPECT_EQ(Prefix(Block, 33), HeaderWith(Concat({{0x33, 0x10, 0x80}, Range(0x00, 0x0F), Range(0x11, 0x1D)})));
}

using RleDecoding = ServiceTest;

TEST_F(RleDecoding, EveryTokenKindUpToTheExactCapacity)
{
    // Three escape codes AA, BB, CC (the coder always writes 32; readers take any count).
    const Bytes Block = {3,    0xAA, 0xBB, 0xCC,
                         0xAA, 0x00,         // esc[0], 0: one byte AA
                         0xAA, 5,    'x',    // esc[0], L, v: five x
                         0xBB, 0xAA,         // esc[1], v: a literal escape byte
                         0xCC, 'y',          // esc[2], v: two y
                         'z',                // anything else is itself
                         0xBB, 0xCC, 0xAA, 0x00};
    const Bytes Expected = {0xAA, 'x', 'x', 'x', 'x', 'x', 0xAA, 'y', 'y', 'z', 0xCC, 0xAA};
    Bytes Buffer = Block;
    EXPECT_EQ(Korvid.DeCompress(Buffer.data(), (int32_t)Block.size(), (int32_t)Buffer.size()),
              (int32_t)Expected.size());
    EXPECT_EQ(Prefix(Buffer, Expected.size()), Expected);

    Buffer.assign(201, 0);
    const Bytes Run = {1, 0xAA, 0xAA, 200, 'r', 's'};
    std::copy(Run.begin(), Run.end(), Buffer.begin());
    EXPECT_EQ(Korvid.DeCompress(Buffer.data(), 6, 201), 201);
    EXPECT_EQ(Buffer, Concat({Bytes(200, 'r'), {'s'}}));
}

TEST_F(RleDecoding, BufferDecoderChecksTheCompressBuffer)
{
    uint8_t Dest[16];
    EXPECT_EQ(Korvid.DeCompressBuffer(Dest, 10, 16), 0) << "no compress buffer";

    ASSERT_TRUE(Korvid.LockCompressBuffer(100));
    const uint8_t Block[] = {1, 0xAA, 'k', 0xAA, 3, 'm'};
    memcpy(Korvid.CompressBuffer(), Block, sizeof(Block));
    EXPECT_EQ(Korvid.DeCompressBuffer(Dest, 6, 16), 4);
    EXPECT_EQ(std::string((const char*)Dest, 4), "kmmm");
    EXPECT_EQ(Korvid.DeCompressBuffer(Dest, 40000, 16), 0) << "a block larger than the buffer";
    Korvid.ReleaseCompressBuffer();
}

// ---- Against another zlib user: Python's zlib module --------------------------------

// Evaluates a Python expression (no double quotes in it) over each input as d and
// its index as i, with zlib and struct imported, in one Python run; returns each
// result. The system's Python when there is one: version-manager shims can take
// seconds to start.
std::vector<Bytes> RunPython(const std::string& Expression, const std::vector<Bytes>& Inputs)
{
    for (size_t n = 0; n < Inputs.size(); ++n) {
        WriteFileBytes("in" + std::to_string(n) + ".bin", Inputs[n]);
        std::remove(("out" + std::to_string(n) + ".bin").c_str());
    }
    std::string Command = std::string(access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3") +
                          " -c \"import zlib, struct\nfor i in range(" + std::to_string(Inputs.size()) +
                          "):\n d = open('in%d.bin' % i, 'rb').read()\n r = " + Expression +
                          "\n open('out%d.bin' % i, 'wb').write(r)\"";
    EXPECT_EQ(std::system(Command.c_str()), 0) << Command;
    std::vector<Bytes> Outputs;
    for (size_t n = 0; n < Inputs.size(); ++n)
        Outputs.push_back(ReadFileBytes("out" + std::to_string(n) + ".bin"));
    return Outputs;
}

using ZlibPeer = ServiceTest;

TEST_F(ZlibPeer, ZBlocksPassBothWays)
{
    std::vector<Bytes> Inputs, Blocks;
    uint32_t nSeed = 100;
    for (DataKind Kind : {DataKind::Runs, DataKind::FewValues, DataKind::Gradient, DataKind::Sparse})
        for (int nCopy = 0; nCopy < 3; ++nCopy)
            Inputs.push_back(MakeData(Kind, 20000, nSeed++));
    for (const Bytes& Input : Inputs) {
        const int8_t Levels[] = {1, 6, 9};
        Bytes Buffer = Input;
        int32_t nBlock = Korvid.ZCompress(Buffer.data(), 20000, Levels[Blocks.size() % 3]);
        ASSERT_GT(nBlock, 0) << "input " << Blocks.size();
        Blocks.push_back(Prefix(Buffer, (size_t)nBlock));
    }
    EXPECT_EQ(RunPython("zlib.decompress(d)", Blocks), Inputs);

    // Level 0 stores: those blocks are longer than their data, so the buffer must hold the block.
    Blocks = RunPython("zlib.compress(d, i % 3 * 4)", Inputs);   // levels 0, 4, 8
    ASSERT_EQ(Blocks.size(), Inputs.size());
    for (size_t n = 0; n < Inputs.size(); ++n) {
        Bytes Buffer = Blocks[n];
        Buffer.resize(std::max<size_t>(Buffer.size(), 20000));
        EXPECT_EQ(Korvid.ZDeCompress(Buffer.data(), (int32_t)Blocks[n].size(), (int32_t)Buffer.size()), 20000);
        EXPECT_EQ(Prefix(Buffer, 20000), Inputs[n]) << "input " << n;
    }
}

TEST_F(ZlibPeer, XBlocksAreTheRleBlockAndItsLengthInZlib)
{
    const Bytes Input = MakeData(DataKind::Gradient, 30000, 300);
    Bytes Rle = Input;
    Rle.resize((size_t)Korvid.Compress(Rle.data(), (int32_t)Rle.size()));
    ASSERT_FALSE(Rle.empty());
    Bytes Length = {(uint8_t)(Rle.size() >> 24), (uint8_t)(Rle.size() >> 16), (uint8_t)(Rle.size() >> 8),
                    (uint8_t)Rle.size()};
    Length.insert(Length.end(), Rle.begin(), Rle.end());
    // Python unpacks the engine's X block to exactly that ...
    Bytes Buffer = Input;
    int32_t nBlock = Korvid.XCompress(Buffer.data(), (int32_t)Buffer.size(), 9);
    ASSERT_GT(nBlock, 0);
    EXPECT_EQ(RunPython("zlib.decompress(d)", {Prefix(Buffer, (size_t)nBlock)}).at(0), Length);
    // ... and the engine unpacks Python's wrapping of it.
    Bytes Block = RunPython("zlib.compress(struct.pack('>I', len(d)) + d, 9)", {Rle}).at(0);
    ASSERT_LE(Block.size(), Input.size());
    Buffer = Block;
    Buffer.resize(Input.size());
    EXPECT_EQ(Korvid.XDeCompress(Buffer.data(), (int32_t)Block.size(), (int32_t)Buffer.size()), (int32_t)Input.size());
    EXPECT_EQ(Buffer, Input);
}

}  // namespace
