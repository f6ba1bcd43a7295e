// Z and X blocks against another zlib user, Python's zlib module: what the
// engine packs Python unpacks, and what Python packs the engine unpacks.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "CompressTestFixture.h"
#include "support/TestFiles.h"
#include "korvid.h"

namespace {

// The system's Python when there is one: version-manager shims can take seconds to start.
std::string PythonCommand() { return access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3"; }

// Evaluates a Python expression (no double quotes in it) over each input as d,
// with zlib and struct imported, in one Python run; returns each result.
std::vector<Bytes> RunPython(const std::string& Expression, const std::vector<Bytes>& Inputs)
{
    for (size_t n = 0; n < Inputs.size(); ++n) {
        WriteFileBytes("in" + std::to_string(n) + ".bin", Inputs[n]);
        std::remove(("out" + std::to_string(n) + ".bin").c_str());
    }
    std::string Command = PythonCommand() + " -c \"import zlib, struct\nfor i in range(" +
                          std::to_string(Inputs.size()) + "):\n d = open('in%d.bin' % i, 'rb').read()\n r = " +
                          Expression + "\n open('out%d.bin' % i, 'wb').write(r)\"";
    EXPECT_EQ(std::system(Command.c_str()), 0) << Command;
    std::vector<Bytes> Outputs;
    for (size_t n = 0; n < Inputs.size(); ++n)
        Outputs.push_back(ReadFileBytes("out" + std::to_string(n) + ".bin"));
    return Outputs;
}

Bytes Prefix(const Bytes& Data, int32_t nLength) { return Bytes(Data.begin(), Data.begin() + nLength); }

const DataKind PeerKinds[] = {DataKind::Runs, DataKind::FewValues, DataKind::Gradient, DataKind::Sparse};

using ZlibPeer = CompressTest;

TEST_F(ZlibPeer, PythonUnpacksZBlocks)
{
    std::vector<Bytes> Inputs, Blocks;
    uint32_t nSeed = 100;
    for (DataKind Kind : PeerKinds) {
        for (int nLevel : {1, 6, 9}) {
            Inputs.push_back(MakeData(Kind, 20000, nSeed++));
            Bytes Buffer = Inputs.back();
            int32_t nBlock = Korvid.ZCompress(Buffer.data(), (int32_t)Buffer.size(), (int8_t)nLevel);
            ASSERT_GT(nBlock, 0) << DataKindName(Kind) << ", level " << nLevel;
            Blocks.push_back(Prefix(Buffer, nBlock));
        }
    }
    std::vector<Bytes> Unpacked = RunPython("zlib.decompress(d)", Blocks);
    ASSERT_EQ(Unpacked.size(), Inputs.size());
    for (size_t n = 0; n < Inputs.size(); ++n)
        EXPECT_EQ(Unpacked[n], Inputs[n]) << "case " << n;
}

TEST_F(ZlibPeer, ZBlocksFromPythonUnpack)
{
    // Level 0 stores: those blocks are longer than their data, so the buffer must hold the block.
    std::vector<Bytes> Inputs;
    uint32_t nSeed = 200;
    for (DataKind Kind : PeerKinds)
        for (int nCopy = 0; nCopy < 3; ++nCopy)
            Inputs.push_back(MakeData(Kind, 20000, nSeed++));
    std::vector<Bytes> Blocks = RunPython("zlib.compress(d, i % 3 * 4)", Inputs);   // levels 0, 4, 8
    ASSERT_EQ(Blocks.size(), Inputs.size());
    for (size_t n = 0; n < Inputs.size(); ++n) {
        const Bytes& Block = Blocks[n];
        ASSERT_FALSE(Block.empty());
        Bytes Buffer(std::max(Block.size(), Inputs[n].size()));
        std::copy(Block.begin(), Block.end(), Buffer.begin());
        EXPECT_EQ(Korvid.ZDeCompress(Buffer.data(), (int32_t)Block.size(), (int32_t)Buffer.size()),
                  (int32_t)Inputs[n].size())
            << "case " << n;
        EXPECT_EQ(Prefix(Buffer, (int32_t)Inputs[n].size()), Inputs[n]) << "case " << n;
    }
}

TEST_F(ZlibPeer, PythonFindsTheLengthAndRleBlockInsideXBlocks)
{
    const Bytes Input = MakeData(DataKind::Gradient, 30000, 300);
    Bytes Buffer = Input;
    int32_t nBlock = Korvid.XCompress(Buffer.data(), (int32_t)Buffer.size(), 9);
    ASSERT_GT(nBlock, 0);
    Bytes Inner = RunPython("zlib.decompress(d)", {Prefix(Buffer, nBlock)}).at(0);
    ASSERT_GT(Inner.size(), 4u);
    uint32_t nRleLength = (uint32_t)Inner[0] << 24 | (uint32_t)Inner[1] << 16 | (uint32_t)Inner[2] << 8 | Inner[3];
    EXPECT_EQ(nRleLength, Inner.size() - 4);

    // The inner block is exactly what the RLE coder makes of the input.
    Bytes Rle = Input;
    int32_t nRle = Korvid.Compress(Rle.data(), (int32_t)Rle.size());
    EXPECT_EQ(Bytes(Inner.begin() + 4, Inner.end()), Prefix(Rle, nRle));
}

TEST_F(ZlibPeer, XBlocksWrappedByPythonUnpack)
{
    const Bytes Input = MakeData(DataKind::Runs, 30000, 400);
    Bytes Rle = Input;
    int32_t nRle = Korvid.Compress(Rle.data(), (int32_t)Rle.size());
    ASSERT_GT(nRle, 0);
    Bytes Block = RunPython("zlib.compress(struct.pack('>I', len(d)) + d, 9)", {Prefix(Rle, nRle)}).at(0);
    Bytes Buffer(Input.size());
    ASSERT_LE(Block.size(), Buffer.size());
    std::copy(Block.begin(), Block.end(), Buffer.begin());
    EXPECT_EQ(Korvid.XDeCompress(Buffer.data(), (int32_t)Block.size(), (int32_t)Buffer.size()),
              (int32_t)Input.size());
    EXPECT_EQ(Buffer, Input);
}

}  // namespace
