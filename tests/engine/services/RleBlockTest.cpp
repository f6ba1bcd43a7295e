// The byte-run coder's exact output against encodings worked out by hand from
// the block format, the decoder's reading of every token, and its refusal of
// damaged blocks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CompressTestFixture.h"
#include "korvid.h"

namespace {

void Append(Bytes& Data, size_t nCount, uint8_t Value) { Data.insert(Data.end(), nCount, Value); }

void AppendAll(Bytes& Data, std::initializer_list<uint8_t> Values) { Data.insert(Data.end(), Values); }

// 32, then the escape codes.
Bytes HeaderWith(const Bytes& Escapes)
{
    Bytes Header(1 + Escapes.size());
    Header[0] = 32;
    std::copy(Escapes.begin(), Escapes.end(), Header.begin() + 1);
    return Header;
}

Bytes Range(int nFirst, int nLast)
{
    Bytes Values;
    for (int n = nFirst; n <= nLast; ++n)
        Values.push_back((uint8_t)n);
    return Values;
}

// Compresses Data in place and returns the block (empty when Compress gave 0).
Bytes Encode(const Bytes& Data)
{
    Bytes Buffer = Data;
    int32_t nLength = Korvid.Compress(Buffer.data(), (int32_t)Buffer.size());
    return Bytes(Buffer.begin(), Buffer.begin() + nLength);
}

using RleEncoding = CompressTest;

TEST_F(RleEncoding, RunsOfEveryTokenLength)
{
    // Only values from 'A' up occur, so the escape codes are the 32 unused values 0..31.
    Bytes Input;
    Append(Input, 31, 'A');
    Append(Input, 32, 'B');
    Append(Input, 33, 'C');
    Append(Input, 2, 'D');
    Append(Input, 1, 'E');
    Append(Input, 255, 'F');
    Append(Input, 300, 'G');

    Bytes Expected = HeaderWith(Range(0, 31));
    AppendAll(Expected, {31, 'A'});            // 31: the last short-run code
    AppendAll(Expected, {0, 32, 'B'});         // 32: the first long run
    AppendAll(Expected, {0, 33, 'C'});
    AppendAll(Expected, {2, 'D'});             // 2: a short run
    AppendAll(Expected, {'E'});                // 1: the byte itself
    AppendAll(Expected, {0, 255, 'F'});        // 255: the longest single token
    AppendAll(Expected, {0, 255, 'G', 0, 45, 'G'});   // 300 = 255 + 45
    EXPECT_EQ(Encode(Input), Expected);
}

TEST_F(RleEncoding, EscapeValuesInTheInputAreWrittenAfterEsc1)
{
    // Every value once, then 300 x 0x41: the 32 rarest are 0..31 (once each,
    // ties to the lower value), and each of them in the input costs two bytes.
    Bytes Input = Range(0, 255);
    Append(Input, 300, 0x41);

    Bytes Expected = HeaderWith(Range(0, 31));
    for (int v = 0; v <= 31; ++v)
        AppendAll(Expected, {1, (uint8_t)v});
    Bytes Literals = Range(32, 255);
    Expected.insert(Expected.end(), Literals.begin(), Literals.end());
    AppendAll(Expected, {0, 255, 0x41, 0, 45, 0x41});
    EXPECT_EQ(Encode(Input), Expected);
}

TEST_F(RleEncoding, OneValueRepeatedGivesThirtySixBytes)
{
    Bytes Input(100, 7);
    Bytes Escapes = Range(0, 6);
    Bytes Upper = Range(8, 32);   // 7 itself is used, so the 32nd code is 32
    Escapes.insert(Escapes.end(), Upper.begin(), Upper.end());
    Bytes Expected = HeaderWith(Escapes);
    AppendAll(Expected, {0, 100, 7});

    Bytes Buffer = Input;
    EXPECT_EQ(Korvid.Compress(Buffer.data(), 100), 36);
    EXPECT_EQ(Bytes(Buffer.begin(), Buffer.begin() + 36), Expected);
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
    Append(Input, 600, 0xFF);

    Bytes Escapes = {0x33, 0x10, 0x80};
    Bytes Twice = Range(0x00, 0x0F);
    Bytes More = Range(0x11, 0x1D);
    Escapes.insert(Escapes.end(), Twice.begin(), Twice.end());
    Escapes.insert(Escapes.end(), More.begin(), More.end());
    Bytes Block = Encode(Input);
    ASSERT_GT(Block.size(), 33u);
    EXPECT_EQ(Bytes(Block.begin(), Block.begin() + 33), HeaderWith(Escapes));

    Bytes Buffer = Block;
    Buffer.resize(Input.size());
    EXPECT_EQ(Korvid.DeCompress(Buffer.data(), (int32_t)Block.size(), (int32_t)Buffer.size()), (int32_t)Input.size());
    EXPECT_EQ(Buffer, Input);
}

TEST_F(RleEncoding, BlocksThatWouldNotShrinkLeaveTheInputAlone)
{
    Bytes Shuffled = Range(0, 255);
    for (size_t n = 0; n < Shuffled.size(); ++n)
        std::swap(Shuffled[n], Shuffled[(n * 97 + 13) % Shuffled.size()]);
    struct Case {
        const char* szName;
        Bytes Input;
    } Cases[] = {
        {"every value once", Shuffled},
        {"33 equal bytes: the header alone fills them", Bytes(33, 9)},
        {"one byte", Bytes(1, 9)},
    };
    for (const Case& Each : Cases) {
        Bytes Buffer = Each.Input;
        EXPECT_EQ(Korvid.Compress(Buffer.data(), (int32_t)Buffer.size()), 0) << Each.szName;
        EXPECT_EQ(Buffer, Each.Input) << Each.szName;
    }
    // A run is always a 36-byte block: no gain up to 36 bytes, a gain from 37.
    Bytes NoGain(36, 9);
    EXPECT_EQ(Korvid.Compress(NoGain.data(), 36), 0);
    EXPECT_EQ(NoGain, Bytes(36, 9));
    Bytes Gains(37, 9);
    EXPECT_EQ(Korvid.Compress(Gains.data(), 37), 36);
}

using RleDecoding = CompressTest;

TEST_F(RleDecoding, EveryTokenKind)
{
    // Three escape codes AA, BB, CC (the coder always writes 32; readers take any count).
    const Bytes Block = {3, 0xAA, 0xBB, 0xCC,
                         0xAA, 0x00,         // esc[0], 0: one byte AA
                         0xAA, 5, 'x',       // esc[0], L, v: five x
                         0xBB, 0xAA,         // esc[1], v: a literal escape byte
                         0xCC, 'y',          // esc[2], v: two y
                         'z',                // anything else is itself
                         0xBB, 0xCC,
                         0xAA, 0x00};
    const Bytes Expected = {0xAA, 'x', 'x', 'x', 'x', 'x', 0xAA, 'y', 'y', 'z', 0xCC, 0xAA};
    Bytes Buffer = Block;
    EXPECT_EQ(Korvid.DeCompress(Buffer.data(), (int32_t)Block.size(), (int32_t)Buffer.size()),
              (int32_t)Expected.size());
    EXPECT_EQ(Bytes(Buffer.begin(), Buffer.begin() + (long)Expected.size()), Expected);
}

TEST_F(RleDecoding, DecodesIntoTheExactCapacity)
{
    Bytes Buffer(201);
    const Bytes Block = {1, 0xAA, 0xAA, 200, 'r', 's'};
    std::copy(Block.begin(), Block.end(), Buffer.begin());
    EXPECT_EQ(Korvid.DeCompress(Buffer.data(), 6, 201), 201);
    EXPECT_EQ(Bytes(Buffer.begin(), Buffer.begin() + 200), Bytes(200, 'r'));
    EXPECT_EQ(Buffer[200], 's');
}

TEST_F(RleDecoding, DamagedBlocksAreRefusedWithTheirReason)
{
    struct Case {
        const char* szName;
        Bytes Block;
        int32_t nCapacity;
        std::string Line;
    } Cases[] = {
        {"no escape codes", {0, 'a', 'b'}, 16, "ERROR: ** DeCompressBuffer() - Bad Escape Table (0 codes, src_len=3) **"},
        {"escape table past the end",
         {40, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         16,
         "ERROR: ** DeCompressBuffer() - Bad Escape Table (40 codes, src_len=10) **"},
        {"long run without its value",
         {1, 0xAA, 'q', 0xAA, 7},
         16,
         "ERROR: ** DeCompressBuffer() - Block Truncated (token at 3, src_len=5) **"},
        {"esc[0] as the last byte",
         {1, 0xAA, 0xAA},
         16,
         "ERROR: ** DeCompressBuffer() - Block Truncated (token at 2, src_len=3) **"},
        {"short run without its value",
         {2, 0xAA, 0xBB, 'q', 0xBB},
         16,
         "ERROR: ** DeCompressBuffer() - Block Truncated (token at 4, src_len=5) **"},
        {"one run past the destination",
         {1, 0xAA, 0xAA, 200, 'r'},
         100,
         "ERROR: ** DeCompressBuffer() - Block Overruns Destination (token at 2, dest_len=100) **"},
        {"runs adding up past the destination",
         {1, 0xAA, 0xAA, 60, 'a', 0xAA, 41, 'b'},
         100,
         "ERROR: ** DeCompressBuffer() - Block Overruns Destination (token at 5, dest_len=100) **"},
        {"a literal past the destination",
         {1, 0xAA, 0xAA, 8, 'a', 'b'},
         8,
         "ERROR: ** DeCompressBuffer() - Block Overruns Destination (token at 5, dest_len=8) **"},
        {"empty block", {}, 64, "ERROR: ** DeCompress() - Bad Sizes (src_len=0 , dest_len=64) **"},
        {"block longer than its buffer",
         {1, 0xAA, 'a', 'b', 'c'},
         4,
         "ERROR: ** DeCompress() - Bad Sizes (src_len=5 , dest_len=4) **"},
        {"negative capacity", {1, 0xAA, 'a'}, -3, "ERROR: ** DeCompress() - Bad Sizes (src_len=3 , dest_len=-3) **"},
    };
    for (const Case& Each : Cases) {
        // Exactly as large as the caller says: any write past it is caught by the sanitiser.
        Bytes Buffer((size_t)std::max(Each.nCapacity, (int32_t)Each.Block.size()));
        std::copy(Each.Block.begin(), Each.Block.end(), Buffer.begin());
        EXPECT_EQ(Korvid.DeCompress(Buffer.data(), (int32_t)Each.Block.size(), Each.nCapacity), 0) << Each.szName;
        EXPECT_TRUE(LogHas(Each.Line)) << Each.szName << "\nwanted: " << Each.Line;
    }
    EXPECT_EQ(Korvid.CompressBufferLocks(), 0);
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

TEST_F(RleDecoding, BadCoderLengthsAreRefused)
{
    uint8_t Byte = 1;
    EXPECT_EQ(Korvid.Compress(&Byte, 0), 0);
    EXPECT_EQ(Korvid.Compress(&Byte, -5), 0);
    EXPECT_EQ(Korvid.Compress(nullptr, 100), 0);
    EXPECT_EQ(Korvid.DeCompress(nullptr, 10, 100), 0);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** Compress() - Bad Length (0) **",
                                                "ERROR: ** Compress() - Bad Length (-5) **",
                                                "ERROR: ** Compress() - No Buffer **",
                                                "ERROR: ** DeCompress() - No Buffer **"}));
    EXPECT_EQ(Byte, 1);
}

}  // namespace
