// The block decoders on any bytes, FUZZ_BLOCK_CODER choosing the format: 0 RLE,
// 1 Z, 2 X. The first byte picks the test:
//   even  the rest is a block, decoded in place into a buffer whose capacity the
//         next two bytes set; the result must fit that capacity
//   odd   the rest is data, packed by the matching coder and unpacked again; the
//         round trip must give the data back byte for byte
#include <cstring>
#include <vector>

#include "FuzzSupport.h"
#include "korvid.h"

#ifndef FUZZ_BLOCK_CODER
#error "FUZZ_BLOCK_CODER names the block format under test"
#endif

namespace {

struct BlockCoder {
    int32_t (*Pack)(void* pBuffer, int32_t nLength, int8_t nLevel);
    int32_t (*Unpack)(void* pBuffer, int32_t nBlockLength, int32_t nCapacity);
};

const BlockCoder CODERS[] = {
    {[](void* p, int32_t n, int8_t) { return Korvid.Compress(p, n); },
     [](void* p, int32_t n, int32_t c) { return Korvid.DeCompress(p, n, c); }},
    {[](void* p, int32_t n, int8_t l) { return Korvid.ZCompress(p, n, l); },
     [](void* p, int32_t n, int32_t c) { return Korvid.ZDeCompress(p, n, c); }},
    {[](void* p, int32_t n, int8_t l) { return Korvid.XCompress(p, n, l); },
     [](void* p, int32_t n, int32_t c) { return Korvid.XDeCompress(p, n, c); }},
};
const BlockCoder& CODER = CODERS[FUZZ_BLOCK_CODER];

void DecodeBlock(const uint8_t* pData, size_t nSize)
{
    if (nSize < 2)
        return;
    // Up to 64 KiB past the block: room for long runs and for decoders that
    // overrun a capacity, without clearing a megabyte for every input.
    size_t nExtra = (size_t)pData[0] << 8 | pData[1];
    const uint8_t* pBlock = pData + 2;
    size_t nBlockLength = nSize - 2;
    std::vector<uint8_t> Buffer(nBlockLength + nExtra);
    if (Buffer.empty())
        return;
    memcpy(Buffer.data(), pBlock, nBlockLength);
    int32_t nDecoded = CODER.Unpack(Buffer.data(), (int32_t)nBlockLength, (int32_t)Buffer.size());
    if (nDecoded < 0 || (size_t)nDecoded > Buffer.size())
        FuzzFail("a decoder reported more bytes than its capacity");
}

void RoundTrip(const uint8_t* pData, size_t nSize)
{
    if (nSize < 1)
        return;
    int8_t nLevel = (int8_t)(pData[0] % 10);
    std::vector<uint8_t> Original(pData + 1, pData + nSize);
    std::vector<uint8_t> Buffer = Original;
    if (Buffer.empty())
        return;
    int32_t nBlock = CODER.Pack(Buffer.data(), (int32_t)Buffer.size(), nLevel);
    if (nBlock == 0) {
        if (Buffer != Original)
            FuzzFail("a coder that gave up changed the buffer");
        return;
    }
    if (nBlock < 0 || (size_t)nBlock >= Original.size())
        FuzzFail("a coder's block is not shorter than its input");
    int32_t nDecoded = CODER.Unpack(Buffer.data(), nBlock, (int32_t)Buffer.size());
    if ((size_t)nDecoded != Original.size() || Buffer != Original)
        FuzzFail("the round trip did not give the data back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzStartEngine(FuzzEngineParts::Files);
    if (nSize < 1)
        return 0;
    if (pData[0] & 1)
        RoundTrip(pData + 1, nSize - 1);
    else
        DecodeBlock(pData + 1, nSize - 1);
    return 0;
}
