// The byte-run coder's exact output against encodings worked out by hand from
// the block format, the decoder's reading of every token, and its refusal of
// damaged blocks.
#include <cstring>

#include "ServiceTest.h"

namespace {

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

TEST_F(RleEncoding, BlocksWorkedOutByHand)
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
        {"37 equal bytes: the first that gain", Bytes(37, 9), Concat({HeaderWith(Range(0, 8)), Range(10, 32), {0, 37, 9}})},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(Encode(Case.Input), Case.Block) << Case.szName;
        Bytes Buffer = Case.Block;
        Buffer.resize(Case.Input.size());
        EXPECT_EQ(Korvid.DeCompress(Buffer.data(), (int32_t)Case.Block.size(), (int32_t)Buffer.size()),
                  (int32_t)Case.Input.size());
        EXPECT_EQ(Buffer, Case.Input) << Case.szName;
    }
}

TEST_F(RleEncoding, EscapeCodesAreTheRarestValuesLowestFirstOnTies)
{
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

TEST_F(RleEncoding, BlocksThatWouldNotShrinkLeaveTheInputAlone)
{
    Bytes Shuffled = Range(0, 255);
    for (size_t n = 0; n < Shuffled.size(); ++n)
        std::swap(Shuffled[n], Shuffled[(n * 97 + 13) % Shuffled.size()]);
    // A run is always a 36-byte block: no gain up to 36 bytes.
    for (const Bytes& Input : {Shuffled, Bytes(36, 9), Bytes(33, 9), Bytes(1, 9)}) {
        Bytes Buffer = Input;
        EXPECT_EQ(Korvid.Compress(Buffer.data(), (int32_t)Buffer.size()), 0) << Input.size() << " bytes";
        EXPECT_EQ(Buffer, Input);
    }
    uint8_t Byte = 1;
    EXPECT_EQ(Korvid.Compress(&Byte, 0), 0);
    EXPECT_EQ(Korvid.Compress(&Byte, -5), 0);
    EXPECT_EQ(Korvid.Compress(nullptr, 100), 0);
    EXPECT_EQ(Korvid.DeCompress(nullptr, 10, 100), 0);
    EXPECT_EQ(Byte, 1);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** Compress() - Bad Length (0) **",
                                                "ERROR: ** Compress() - Bad Length (-5) **",
                                                "ERROR: ** Compress() - No Buffer **",
                                                "ERROR: ** DeCompress() - No Buffer **"}));
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
    EXPECT_EQ(Korvid.DeCompressBuffer(Dest, 10, 16), 0);
    EXPECT_TRUE(LogHas("ERROR: ** DeCompressBuffer() - Block Larger Than Compress Buffer (src_len=10 , size=0) **"));

    ASSERT_TRUE(Korvid.LockCompressBuffer(100));
    const uint8_t Block[] = {1, 0xAA, 'k', 0xAA, 3, 'm'};
    memcpy(Korvid.CompressBuffer(), Block, sizeof(Block));
    EXPECT_EQ(Korvid.DeCompressBuffer(Dest, 6, 16), 4);
    EXPECT_EQ(std::string((const char*)Dest, 4), "kmmm");
    EXPECT_EQ(Korvid.DeCompressBuffer(Dest, 40000, 16), 0);
    EXPECT_TRUE(LogHas("ERROR: ** DeCompressBuffer() - Block Larger Than Compress Buffer (src_len=40000 , size=32768) **"));
    Korvid.ReleaseCompressBuffer();
}

}  // namespace
