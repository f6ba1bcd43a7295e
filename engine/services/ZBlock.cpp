// Z blocks: plain zlib streams made and read with zlib's one-shot calls, the
// block staged in the compress buffer so that it can be decoded in place.
#include <zlib.h>

#include <cstring>

#include "korvid.h"

int32_t KorvidCompress::ZlibRoom(int32_t nLength)
{
    // Well above zlib's worst case for data that does not shrink.
    return (int32_t)(1.05f * (float)nLength) + 64;
}

int KorvidCompress::InflateStagedBlock(void* pDest, int32_t nBlockLength, int32_t nCapacity, int32_t& nUnpacked)
{
    uLongf nOut = (uLongf)nCapacity;
    int nResult = uncompress((Bytef*)pDest, &nOut, m_pCompressBuffer, (uLong)nBlockLength);
    nUnpacked = (int32_t)nOut;
    return nResult;
}

int32_t KorvidCompress::ZCompress(void* pBuffer, int32_t nLength, int8_t nLevel)
{
    KorvidProfileScope Section("KorvidCompress::ZCompress()");
    if (!CoderInputValid("ZCompress", pBuffer, nLength) || nLength < MIN_ZLIB_INPUT)
        return 0;
    int32_t nRoom = ZlibRoom(nLength);
    KorvidCompressBufferScope Borrowed(nRoom);
    if (!Borrowed.Locked())
        return 0;
    uLongf nPacked = (uLongf)nRoom;
    int nResult = compress2(m_pCompressBuffer, &nPacked, (const Bytef*)pBuffer, (uLong)nLength, nLevel);
    if (nResult != Z_OK) {
        // Only a level zlib does not know gets here: the room covers its worst case.
        Korvid.DebugLog("WARNING: ** ZCompress() - ZLib Error %d (level %d) **", nResult, nLevel);
        return 0;
    }
    if (nPacked >= (uLongf)nLength)
        return 0;
    memcpy(pBuffer, m_pCompressBuffer, nPacked);
    return (int32_t)nPacked;
}

int32_t KorvidCompress::ZDeCompress(void* pBuffer, int32_t nBlockLength, int32_t nCapacity)
{
    KorvidProfileScope Section("KorvidCompress::ZDeCompress()");
    if (!DecoderInputValid("ZDeCompress", pBuffer, nBlockLength, nCapacity, nCapacity))
        return 0;
    KorvidCompressBufferScope Borrowed(nBlockLength);
    if (!Borrowed.Locked())
        return 0;
    StageBlock(pBuffer, nBlockLength);
    int32_t nUnpacked = 0;
    if (InflateStagedBlock(pBuffer, nBlockLength, nCapacity, nUnpacked) != Z_OK) {
        Korvid.DebugLog("ERROR: ** ZDeCompress() - Failed to decompress (src_len=%d , dest_len=%d) **", nBlockLength,
                        nUnpacked);
        return 0;
    }
    return nUnpacked;
}
