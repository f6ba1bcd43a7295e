// X blocks: an RLE block headed by its big-endian length, wrapped in a zlib
// stream. Runs collapse first, and deflate then finds what repeats between them.
#include <zlib.h>

#include <cstring>

#include "korvid.h"

namespace {

void WriteBigEndian32(uint8_t* pAt, uint32_t nValue)
{
    pAt[0] = (uint8_t)(nValue >> 24);
    pAt[1] = (uint8_t)(nValue >> 16);
    pAt[2] = (uint8_t)(nValue >> 8);
    pAt[3] = (uint8_t)nValue;
}

uint32_t ReadBigEndian32(const uint8_t* pAt)
{
    return (uint32_t)pAt[0] << 24 | (uint32_t)pAt[1] << 16 | (uint32_t)pAt[2] << 8 | (uint32_t)pAt[3];
}

}  // namespace

int32_t KorvidCompress::PackXBlock(const uint8_t* pSource, int32_t nLength, int8_t nLevel, uint8_t* pStaged)
{
    // The decoder unpacks the length and the RLE block into the caller's buffer
    // before decoding, so both together must fit in the original length.
    int32_t nRleLength = EncodeRle(pSource, nLength, pStaged + X_LENGTH_SIZE);
    if (nRleLength == 0 || nRleLength + X_LENGTH_SIZE > nLength) {
        Korvid.DebugLog("WARNING: ** XCompress() - Failed at RLE stage");
        return 0;
    }
    WriteBigEndian32(pStaged, (uint32_t)nRleLength);

    uLongf nPacked = (uLongf)nRleLength;
    int nResult = compress2(m_pCompressBuffer, &nPacked, pStaged, (uLong)(nRleLength + X_LENGTH_SIZE), nLevel);
    if (nResult != Z_OK || nPacked >= (uLongf)(nRleLength + X_LENGTH_SIZE)) {
        Korvid.DebugLog("WARNING: ** XCompress() - Failed at ZLib stage");
        return 0;
    }
    return (int32_t)nPacked;
}

int32_t KorvidCompress::XCompress(void* pBuffer, int32_t nLength, int8_t nLevel)
{
    KorvidProfileScope Section("KorvidCompress::XCompress()");
    if (!CoderInputValid("XCompress", pBuffer, nLength) || nLength < MIN_ZLIB_INPUT)
        return 0;
    KorvidCompressBufferScope Borrowed(ZlibRoom(nLength));
    if (!Borrowed.Locked())
        return 0;
    // The intermediate block gets memory of its own: the caller's buffer may
    // only change once both stages have succeeded.
    int32_t nStagedSize = X_LENGTH_SIZE + nLength + 16;
    uint8_t* pStaged = (uint8_t*)Korvid.AllocMemory((uint32_t)nStagedSize, KOR_MEM_PRIVATE);
    if (!pStaged) {
        Korvid.DebugLog("ERROR: ** XCompress() - Failed To Allocate %dbyte Work Buffer **", nStagedSize);
        return 0;
    }
    int32_t nPacked = PackXBlock((const uint8_t*)pBuffer, nLength, nLevel, pStaged);
    Korvid.FreeMemory(pStaged);
    if (nPacked > 0)
        memcpy(pBuffer, m_pCompressBuffer, (size_t)nPacked);
    return nPacked;
}

int32_t KorvidCompress::XDeCompress(void* pBuffer, int32_t nBlockLength, int32_t nCapacity)
{
    KorvidProfileScope Section("KorvidCompress::XDeCompress()");
    if (!DecoderInputValid("XDeCompress", pBuffer, nBlockLength, nCapacity, nCapacity))
        return 0;
    KorvidCompressBufferScope Borrowed(nBlockLength);
    if (!Borrowed.Locked())
        return 0;
    StageBlock(pBuffer, nBlockLength);
    int32_t nUnpacked = 0;
    int nResult = InflateStagedBlock(pBuffer, nBlockLength, nCapacity, nUnpacked);
    if (nResult != Z_OK) {
        Korvid.DebugLog("ERROR: ** XDeCompress() - Failed to decompress (error = %d, src_len=%d , dest_len=%d) **",
                        nResult, nBlockLength, nUnpacked);
        return 0;
    }
    if (nUnpacked < X_LENGTH_SIZE) {
        Korvid.DebugLog("ERROR: ** XDeCompress() - No RLE Length (unpacked=%d) **", nUnpacked);
        return 0;
    }
    const uint8_t* pUnpacked = (const uint8_t*)pBuffer;
    uint32_t nRleLength = ReadBigEndian32(pUnpacked);
    if (nRleLength != (uint32_t)(nUnpacked - X_LENGTH_SIZE)) {
        Korvid.DebugLog("ERROR: ** XDeCompress() - RLE Length Does Not Match (rle_len=%u , unpacked=%d) **",
                        nRleLength, nUnpacked);
        return 0;
    }
    if (!ReserveCompressBuffer((int32_t)nRleLength))
        return 0;
    memcpy(m_pCompressBuffer, pUnpacked + X_LENGTH_SIZE, nRleLength);
    return DeCompressBuffer(pBuffer, (int32_t)nRleLength, nCapacity);
}
