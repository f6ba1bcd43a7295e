// MD5 as RFC 1321 describes it: 64-byte blocks through four rounds of sixteen
// steps, little-endian words, padding with 0x80, zeros and the 64-bit bit count.
#include "services/KorMD5.h"

#include <cstdio>
#include <cstring>

#include "korvid.h"

namespace {

constexpr uint32_t BLOCK_SIZE = 64;

// Per-step rotation amounts, four per round.
constexpr int ROTATIONS[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

// floor(abs(sin(i + 1)) * 2^32) for the 64 steps.
constexpr uint32_t SINE_TABLE[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

uint32_t RotateLeft(uint32_t nValue, int nBits) { return (nValue << nBits) | (nValue >> (32 - nBits)); }

uint32_t LoadLittleEndian(const uint8_t* pBytes)
{
    return (uint32_t)pBytes[0] | ((uint32_t)pBytes[1] << 8) | ((uint32_t)pBytes[2] << 16) |
           ((uint32_t)pBytes[3] << 24);
}

void StoreLittleEndian(uint32_t nValue, uint8_t* pBytes)
{
    for (int n = 0; n < 4; ++n)
        pBytes[n] = (uint8_t)(nValue >> (8 * n));
}

}  // namespace

KorMD5::KorMD5()
    : m_State{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476}, m_BitCount{0, 0}, m_Buffer{}
{
}

KorMD5::KorMD5(const char* szText) : KorMD5()
{
    if (szText)
        Update((const uint8_t*)szText, (uint32_t)strlen(szText));
    Finalize();
}

void KorMD5::Transform(const uint8_t* pBlock)
{
    uint32_t Words[16];
    for (int n = 0; n < 16; ++n)
        Words[n] = LoadLittleEndian(pBlock + 4 * n);

    uint32_t a = m_State[0], b = m_State[1], c = m_State[2], d = m_State[3];
    // Fully unrolled, every round choice, word index and rotation below is a constant.
#pragma GCC unroll 64
    for (int nStep = 0; nStep < 64; ++nStep) {
        int nRound = nStep / 16;
        uint32_t nMix;
        int nWord;
        switch (nRound) {
        case 0:
            nMix = (b & c) | (~b & d);
            nWord = nStep;
            break;
        case 1:
            nMix = (b & d) | (c & ~d);
            nWord = (5 * nStep + 1) % 16;
            break;
        case 2:
            nMix = b ^ c ^ d;
            nWord = (3 * nStep + 5) % 16;
            break;
        default:
            nMix = c ^ (b | ~d);
            nWord = (7 * nStep) % 16;
            break;
        }
        uint32_t nNext = b + RotateLeft(a + nMix + SINE_TABLE[nStep] + Words[nWord], ROTATIONS[nRound][nStep % 4]);
        a = d;
        d = c;
        c = b;
        b = nNext;
    }
    m_State[0] += a;
    m_State[1] += b;
    m_State[2] += c;
    m_State[3] += d;
}

void KorMD5::Absorb(const uint8_t* pData, uint32_t nLength)
{
    uint32_t nBuffered = (m_BitCount[0] >> 3) % BLOCK_SIZE;
    uint32_t nLowBits = m_BitCount[0] + (nLength << 3);
    if (nLowBits < m_BitCount[0])
        ++m_BitCount[1];
    m_BitCount[0] = nLowBits;
    m_BitCount[1] += nLength >> 29;

    uint32_t nUsed = 0;
    uint32_t nRoom = BLOCK_SIZE - nBuffered;
    if (nLength >= nRoom) {
        memcpy(m_Buffer + nBuffered, pData, nRoom);
        Transform(m_Buffer);
        // Whole blocks are digested straight from the caller's data.
        for (nUsed = nRoom; nUsed + BLOCK_SIZE <= nLength; nUsed += BLOCK_SIZE)
            Transform(pData + nUsed);
        nBuffered = 0;
    }
    if (nLength > nUsed)
        memcpy(m_Buffer + nBuffered, pData + nUsed, nLength - nUsed);
}

void KorMD5::Update(const uint8_t* pData, uint32_t nLength)
{
    if (m_bFinalized) {
        Korvid.DebugLog("KorMD5: Update(..., %d) -  Can't update a finalized digest!", (int)nLength);
        return;
    }
    if (!pData || nLength == 0)
        return;
    Absorb(pData, nLength);
}

void KorMD5::Finalize()
{
    if (m_bFinalized) {
        Korvid.DebugLog("KorMD5: Finalize() - Already finalized this digest!");
        return;
    }
    uint8_t LengthBytes[8];
    StoreLittleEndian(m_BitCount[0], LengthBytes);
    StoreLittleEndian(m_BitCount[1], LengthBytes + 4);

    // Pad to 56 bytes past a block boundary, then append the bit count.
    static const uint8_t PADDING[BLOCK_SIZE] = {0x80};
    uint32_t nBuffered = (m_BitCount[0] >> 3) % BLOCK_SIZE;
    uint32_t nPad = nBuffered < 56 ? 56 - nBuffered : 120 - nBuffered;
    Absorb(PADDING, nPad);
    Absorb(LengthBytes, 8);

    for (int n = 0; n < 4; ++n)
        StoreLittleEndian(m_State[n], m_Digest + 4 * n);
    for (int n = 0; n < 16; ++n)
        snprintf(m_szHex + 2 * n, 3, "%02x", m_Digest[n]);
    m_bFinalized = 1;
}

const uint8_t* KorMD5::Digest()
{
    if (!m_bFinalized)
        Finalize();
    return m_Digest;
}

const char* KorMD5::HexDigest()
{
    if (!m_bFinalized)
        Finalize();
    return m_szHex;
}
