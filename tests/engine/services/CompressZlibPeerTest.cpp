// Z and X blocks against another zlib user, Python's zlib module: what the
// engine packs Python unpacks, and what Python packs the engine unpacks.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "ServiceTest.h"

namespace {

// Evaluates a Python expression (no double quotes in it) over each input as d,
// with zlib and struct imported, in one Python run; returns each result. The
// system's Python when there is one: version-manager shims can take seconds to start.
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

// Inputs of every kind the peer tests use, three of each from consecutive seeds.
std::vector<Bytes> PeerInputs(uint32_t nSeed)
{
    std::vector<Bytes> Inputs;
    for (DataKind Kind : {DataKind::Runs, DataKind::FewValues, DataKind::Gradient, DataKind::Sparse})
        for (int nCopy = 0; nCopy < 3; ++nCopy)
            Inputs.push_back(MakeData(Kind, 20000, nSeed++));
    return Inputs;
}

using ZlibPeer = ServiceTest;

TEST_F(ZlibPeer, PythonUnpacksZBlocks)
{
    const std::vector<Bytes> Inputs = PeerInputs(100);
    std::vector<Bytes> Blocks;
    for (const Bytes& Input : Inputs) {
        Bytes Buffer = Input;
        const int8_t Levels[] = {1, 6, 9};
        int32_t nBlock = Korvid.ZCompress(Buffer.data(), (int32_t)Buffer.size(), Levels[Blocks.size() % 3]);
        ASSERT_GT(nBlock, 0) << "case " << Blocks.size();
        Blocks.push_back(Prefix(Buffer, (size_t)nBlock));
    }
    EXPECT_EQ(RunPython("zlib.decompress(d)", Blocks), Inputs);
}

TEST_F(ZlibPeer, ZBlocksFromPythonUnpack)
{
    // Level 0 stores: those blocks are longer than their data, so the buffer must hold the block.
    const std::vector<Bytes> Inputs = PeerInputs(200);
    std::vector<Bytes> Blocks = RunPython("zlib.compress(d, i % 3 * 4)", Inputs);   // levels 0, 4, 8
    ASSERT_EQ(Blocks.size(), Inputs.size());
    for (size_t n = 0; n < Inputs.size(); ++n) {
        ASSERT_FALSE(Blocks[n].empty());
        Bytes Buffer = Blocks[n];
        Buffer.resize(std::max(Buffer.size(), Inputs[n].size()));
        EXPECT_EQ(Korvid.ZDeCompress(Buffer.data(), (int32_t)Blocks[n].size(), (int32_t)Buffer.size()),
                  (int32_t)Inputs[n].size())
            << "case " << n;
        EXPECT_EQ(Prefix(Buffer, Inputs[n].size()), Inputs[n]) << "case " << n;
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
