// The compress buffer: one scratch area borrowed under the engine lock by every
// coder and decoder, kept between calls while it is small, and the checks every
// entry point makes on the lengths it is handed.
#include "services/KorvidCompress.h"

#include <algorithm>
#include <cstring>

#include "korvid.h"

bool KorvidCompress::LockCompressBuffer(int32_t nMinimumSize)
{
    Korvid.Lock();
    if (!ReserveCompressBuffer(nMinimumSize)) {
        Korvid.Unlock();
        return false;
    }
    ++m_nCompressBufferLocks;
    return true;
}

bool KorvidCompress::ReserveCompressBuffer(int32_t nMinimumSize)
{
    if (m_pCompressBuffer && m_nCompressBufferSize >= nMinimumSize)
        return true;
    if (m_pCompressBuffer)
        Korvid.FreeMemory(m_pCompressBuffer);
    m_pCompressBuffer = nullptr;
    m_nCompressBufferSize = 0;

    int32_t nSize = std::max(nMinimumSize, MIN_COMPRESS_BUFFER);
    m_pCompressBuffer = (uint8_t*)Korvid.AllocMemory((uint32_t)nSize, KOR_MEM_PRIVATE);
    if (!m_pCompressBuffer) {
        Korvid.DebugLog("ERROR: ** Failed To Allocate %dbyte Compress Buffer **", nSize);
        return false;
    }
    m_nCompressBufferSize = nSize;
    return true;
}

void KorvidCompress::ReleaseCompressBuffer()
{
    // Counting the borrowers, rather than looking for a buffer, keeps a stray
    // release from unlocking an engine lock it never took, and keeps an inner
    // release from freeing the buffer under an outer borrower.
    if (!m_pCompressBuffer || m_nCompressBufferLocks == 0) {
        Korvid.DebugLog("WARNING: ** ReleaseCompressBuffer() - Buffer Not Locked **");
        return;
    }
    --m_nCompressBufferLocks;
    if (m_nCompressBufferLocks == 0 && m_nCompressBufferSize > KEEP_COMPRESS_BUFFER) {
        Korvid.FreeMemory(m_pCompressBuffer);
        m_pCompressBuffer = nullptr;
        m_nCompressBufferSize = 0;
    }
    Korvid.Unlock();
}

void KorvidCompress::FreeCompressBuffer()
{
    KorvidLockScope Lock;
    if (m_nCompressBufferLocks > 0) {
        Korvid.DebugLog("WARNING: ** FreeCompressBuffer() - Buffer Still Locked **");
        return;
    }
    if (m_pCompressBuffer)
        Korvid.FreeMemory(m_pCompressBuffer);
    m_pCompressBuffer = nullptr;
    m_nCompressBufferSize = 0;
}

void KorvidCompress::StageBlock(const void* pBlock, int32_t nBlockLength)
{
    memcpy(m_pCompressBuffer, pBlock, (size_t)nBlockLength);
}

bool KorvidCompress::CoderInputValid(const char* szOperation, const void* pBuffer, int32_t nLength)
{
    if (!pBuffer) {
        Korvid.DebugLog("ERROR: ** %s() - No Buffer **", szOperation);
        return false;
    }
    if (nLength <= 0 || nLength > MAX_BLOCK_LENGTH) {
        Korvid.DebugLog("ERROR: ** %s() - Bad Length (%d) **", szOperation, nLength);
        return false;
    }
    return true;
}

bool KorvidCompress::DecoderInputValid(const char* szOperation, const void* pBuffer, int32_t nBlockLength,
                                       int32_t nCapacity, int32_t nBlockRoom)
{
    if (!pBuffer) {
        Korvid.DebugLog("ERROR: ** %s() - No Buffer **", szOperation);
        return false;
    }
    if (nBlockLength <= 0 || nCapacity <= 0 || nCapacity > MAX_BLOCK_LENGTH || nBlockLength > nBlockRoom) {
        Korvid.DebugLog("ERROR: ** %s() - Bad Sizes (src_len=%d , dest_len=%d) **", szOperation, nBlockLength,
                        nCapacity);
        return false;
    }
    return true;
}

KorvidCompressBufferScope::KorvidCompressBufferScope(int32_t nMinimumSize)
    : m_bLocked(Korvid.LockCompressBuffer(nMinimumSize))
{
}

KorvidCompressBufferScope::~KorvidCompressBufferScope()
{
    if (m_bLocked)
        Korvid.ReleaseCompressBuffer();
}
