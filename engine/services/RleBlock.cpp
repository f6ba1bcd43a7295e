// The byte-run coder and decoder of RLE blocks (the format is described in
// KorvidCompress.h). The coder picks the 32 rarest byte values as escape codes,
// so that escaping literal occurrences of them costs as little as possible.
#include <algorithm>
#include <array>
#include <cstring>

#include "korvid.h"

namespace {

constexpr int32_t LONGEST_RUN = 255;
constexpr int32_t NOT_AN_ESCAPE = -1;

// Slot i takes the i-th rarest value, ties to the lower value. Only values seen
// fewer than n times may be chosen; with n above the slot count at most one
// value (the only one present) reaches n, and it sorts last, so the first 32
// always qualify.
std::array<uint8_t, KorvidCompress::RLE_ESCAPE_COUNT> ChooseEscapes(const uint8_t* pSource, int32_t nLength)
{
    std::array<uint32_t, 256> Counts = {};
    for (int32_t n = 0; n < nLength; ++n)
        ++Counts[pSource[n]];
    std::array<uint8_t, 256> Values;
    for (int n = 0; n < 256; ++n)
        Values[n] = (uint8_t)n;
    std::stable_sort(Values.begin(), Values.end(), [&](uint8_t a, uint8_t b) { return Counts[a] < Counts[b]; });

    std::array<uint8_t, KorvidCompress::RLE_ESCAPE_COUNT> Escapes;
    std::copy_n(Values.begin(), Escapes.size(), Escapes.begin());
    return Escapes;
}

// Index of each byte value among the escape codes, NOT_AN_ESCAPE for the others;
// a value listed twice keeps its first index, as the decoder tests esc[0] first.
std::array<int16_t, 256> IndexEscapes(const uint8_t* pEscapes, int32_t nCount)
{
    std::array<int16_t, 256> Index;
    Index.fill(NOT_AN_ESCAPE);
    for (int32_t k = 0; k < nCount; ++k)
        if (Index[pEscapes[k]] == NOT_AN_ESCAPE)
            Index[pEscapes[k]] = (int16_t)k;
    return Index;
}

struct RleToken {
    int32_t nSize;   // bytes the token takes in the block; 0 when it runs past the block's end
    int32_t nCopies;
    uint8_t Value;
};

RleToken ReadToken(const uint8_t* pBlock, int32_t nAt, int32_t nBlockLength, const std::array<int16_t, 256>& EscapeIndex)
{
    const RleToken Truncated = {0, 0, 0};
    const int32_t nLeft = nBlockLength - nAt;
    const uint8_t c = pBlock[nAt];
    const int32_t nIndex = EscapeIndex[c];
    if (nIndex == NOT_AN_ESCAPE)
        return {1, 1, c};
    if (nLeft < 2)
        return Truncated;
    if (nIndex > 0)
        return {2, nIndex, pBlock[nAt + 1]};
    const uint8_t nRun = pBlock[nAt + 1];
    if (nRun == 0)
        return {2, 1, c};
    if (nLeft < 3)
        return Truncated;
    return {3, nRun, pBlock[nAt + 2]};
}

int32_t RunLength(const uint8_t* pSource, int32_t nAt, int32_t nLength)
{
    int32_t nEnd = std::min(nLength, nAt + LONGEST_RUN);
    int32_t nRun = 1;
    while (nAt + nRun < nEnd && pSource[nAt + nRun] == pSource[nAt])
        ++nRun;
    return nRun;
}

}  // namespace

int32_t KorvidCompress::EncodeRle(const uint8_t* pSource, int32_t nLength, uint8_t* pBlock)
{
    // The header alone already fills a short input.
    if (nLength <= RLE_HEADER_SIZE)
        return 0;
    const std::array<uint8_t, RLE_ESCAPE_COUNT> Escapes = ChooseEscapes(pSource, nLength);
    const std::array<int16_t, 256> EscapeIndex = IndexEscapes(Escapes.data(), RLE_ESCAPE_COUNT);

    int32_t nOut = 0;
    pBlock[nOut++] = (uint8_t)RLE_ESCAPE_COUNT;
    for (uint8_t Escape : Escapes)
        pBlock[nOut++] = Escape;

    // Each token is at most 3 bytes and starts below nLength, so the block
    // never passes nLength + 2.
    for (int32_t nAt = 0; nAt < nLength;) {
        if (nOut >= nLength)
            return 0;
        uint8_t c = pSource[nAt];
        int32_t nRun = RunLength(pSource, nAt, nLength);
        if (nRun == 1 && EscapeIndex[c] == NOT_AN_ESCAPE) {
            pBlock[nOut++] = c;
        } else if (nRun < RLE_ESCAPE_COUNT) {
            pBlock[nOut++] = Escapes[nRun];   // a lone escape byte goes out as esc[1], c
            pBlock[nOut++] = c;
        } else {
            pBlock[nOut++] = Escapes[0];
            pBlock[nOut++] = (uint8_t)nRun;
            pBlock[nOut++] = c;
        }
        nAt += nRun;
    }
    return nOut < nLength ? nOut : 0;
}

int32_t KorvidCompress::DecodeRle(const uint8_t* pBlock, int32_t nBlockLength, uint8_t* pDest, int32_t nCapacity)
{
    int32_t nEscapes = pBlock[0];
    if (nEscapes == 0 || 1 + nEscapes > nBlockLength) {
        Korvid.DebugLog("ERROR: ** DeCompressBuffer() - Bad Escape Table (%d codes, src_len=%d) **", nEscapes,
                        nBlockLength);
        return 0;
    }
    const std::array<int16_t, 256> EscapeIndex = IndexEscapes(pBlock + 1, nEscapes);

    int32_t nOut = 0;
    for (int32_t nAt = 1 + nEscapes; nAt < nBlockLength;) {
        const RleToken Token = ReadToken(pBlock, nAt, nBlockLength, EscapeIndex);
        if (Token.nSize == 0) {
            Korvid.DebugLog("ERROR: ** DeCompressBuffer() - Block Truncated (token at %d, src_len=%d) **", nAt,
                            nBlockLength);
            return 0;
        }
        if (Token.nCopies > nCapacity - nOut) {
            Korvid.DebugLog("ERROR: ** DeCompressBuffer() - Block Overruns Destination (token at %d, dest_len=%d) **",
                            nAt, nCapacity);
            return 0;
        }
        memset(pDest + nOut, Token.Value, (size_t)Token.nCopies);
        nOut += Token.nCopies;
        nAt += Token.nSize;
    }
    return nOut;
}

int32_t KorvidCompress::Compress(void* pBuffer, int32_t nLength)
{
    KorvidProfileScope Section("KorvidCompress::Compress()");
    if (!CoderInputValid("Compress", pBuffer, nLength))
        return 0;
    KorvidCompressBufferScope Borrowed(nLength + 16);
    if (!Borrowed.Locked())
        return 0;
    int32_t nBlockLength = EncodeRle((const uint8_t*)pBuffer, nLength, m_pCompressBuffer);
    if (nBlockLength > 0)
        memcpy(pBuffer, m_pCompressBuffer, (size_t)nBlockLength);
    return nBlockLength;
}

int32_t KorvidCompress::DeCompress(void* pBuffer, int32_t nBlockLength, int32_t nCapacity)
{
    KorvidProfileScope Section("KorvidCompress::DeCompress()");
    if (!DecoderInputValid("DeCompress", pBuffer, nBlockLength, nCapacity, nCapacity))
        return 0;
    KorvidCompressBufferScope Borrowed(nBlockLength);
    if (!Borrowed.Locked())
        return 0;
    StageBlock(pBuffer, nBlockLength);
    return DeCompressBuffer(pBuffer, nBlockLength, nCapacity);
}

int32_t KorvidCompress::DeCompressBuffer(void* pDest, int32_t nBlockLength, int32_t nCapacity)
{
    KorvidProfileScope Section("KorvidCompress::DeCompressBuffer()");
    KorvidLockScope Lock;
    if (!m_pCompressBuffer || nBlockLength > m_nCompressBufferSize) {
        Korvid.DebugLog("ERROR: ** DeCompressBuffer() - Block Larger Than Compress Buffer (src_len=%d , size=%d) **",
                        nBlockLength, m_nCompressBufferSize);
        return 0;
    }
    if (!DecoderInputValid("DeCompressBuffer", pDest, nBlockLength, nCapacity, MAX_BLOCK_LENGTH))
        return 0;
    return DecodeRle(m_pCompressBuffer, nBlockLength, (uint8_t*)pDest, nCapacity);
}
