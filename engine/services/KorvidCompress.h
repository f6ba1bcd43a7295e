// Packing and unpacking of byte blocks in memory for the engine's own file
// formats. Three block formats:
//
//   RLE block  byte 0: E, the number of escape codes (the coder writes 32);
//              bytes 1..E: the escape codes esc[0..E-1], distinct values;
//              then tokens to the end of the block:
//                esc[0], 0        one literal byte esc[0]
//                esc[0], L, v     L copies of v (L = 1..255; written for runs of 32..255)
//                esc[k], v        k copies of v (k = 1..E-1; k = 1 is a literal escape byte)
//                c                any other byte stands for itself
//              The value byte v is raw and may itself be an escape code. The block
//              does not carry its decoded length: its user keeps that.
//   Z block    a zlib stream (2-byte header, deflate data, Adler-32), nothing else.
//   X block    a Z block whose content is R as 4 bytes big-endian, then an RLE block of R bytes.
//
// Every operation works in place on the caller's buffer and borrows the one
// process-wide compress buffer, which is held under the engine lock. Coders
// return the block length, or 0 when the block would not be smaller (the
// caller's buffer is then unchanged). Decoders are told the capacity of the
// caller's buffer, never write past it, and return the decoded length, or 0
// when the block was refused (with a log line saying why).
#pragma once
#include <cstdint>

class KorvidCompress {
public:
    static constexpr int32_t MIN_COMPRESS_BUFFER = 32768;    // smallest scratch ever allocated
    static constexpr int32_t KEEP_COMPRESS_BUFFER = 65536;   // larger scratch is freed at release
    static constexpr int32_t RLE_ESCAPE_COUNT = 32;
    static constexpr int32_t RLE_HEADER_SIZE = 1 + RLE_ESCAPE_COUNT;
    static constexpr int32_t MIN_ZLIB_INPUT = 64;            // shorter inputs are not worth a zlib stream
    static constexpr int32_t X_LENGTH_SIZE = 4;              // the big-endian RLE length heading an X block
    static constexpr int32_t MAX_BLOCK_LENGTH = 0x40000000;  // past 1 GiB a length is taken as damage

    int32_t Compress(void* pBuffer, int32_t nLength);
    int32_t ZCompress(void* pBuffer, int32_t nLength, int8_t nLevel);
    int32_t XCompress(void* pBuffer, int32_t nLength, int8_t nLevel);

    int32_t DeCompress(void* pBuffer, int32_t nBlockLength, int32_t nCapacity);
    int32_t ZDeCompress(void* pBuffer, int32_t nBlockLength, int32_t nCapacity);
    int32_t XDeCompress(void* pBuffer, int32_t nBlockLength, int32_t nCapacity);
    // Decodes the RLE block standing in the (locked) compress buffer into pDest.
    int32_t DeCompressBuffer(void* pDest, int32_t nBlockLength, int32_t nCapacity);

    bool LockCompressBuffer(int32_t nMinimumSize);
    void ReleaseCompressBuffer();
    // Shutdown: gives the kept scratch back to the memory manager.
    void FreeCompressBuffer();

    uint8_t* CompressBuffer() const { return m_pCompressBuffer; }
    int32_t CompressBufferSize() const { return m_nCompressBufferSize; }
    int32_t CompressBufferLocks() const { return m_nCompressBufferLocks; }

private:
    // The RLE coder: reads nLength bytes, writes the block to pBlock (room for
    // nLength + 16 bytes); 0 when the block would not be shorter than nLength.
    static int32_t EncodeRle(const uint8_t* pSource, int32_t nLength, uint8_t* pBlock);
    // The RLE decoder: the block and the destination must not overlap.
    int32_t DecodeRle(const uint8_t* pBlock, int32_t nBlockLength, uint8_t* pDest, int32_t nCapacity);

    // Packs the X block's two stages into the compress buffer; pStaged holds the
    // intermediate block (room for nLength + 20 bytes).
    int32_t PackXBlock(const uint8_t* pSource, int32_t nLength, int8_t nLevel, uint8_t* pStaged);
    // Inflates the Z block staged in the compress buffer into pDest; zlib's result code.
    int InflateStagedBlock(void* pDest, int32_t nBlockLength, int32_t nCapacity, int32_t& nUnpacked);
    // The compress buffer a zlib coder borrows for nLength input bytes.
    static int32_t ZlibRoom(int32_t nLength);

    bool CoderInputValid(const char* szOperation, const void* pBuffer, int32_t nLength);
    // nBlockRoom: the most the block can be; a block decoded in place stands in the
    // caller's buffer and so is no longer than its capacity.
    bool DecoderInputValid(const char* szOperation, const void* pBuffer, int32_t nBlockLength, int32_t nCapacity,
                           int32_t nBlockRoom);
    // Copies the caller's block into the compress buffer (which must be locked and large enough).
    void StageBlock(const void* pBlock, int32_t nBlockLength);
    // Grows the compress buffer to at least nMinimumSize bytes while it is borrowed.
    bool ReserveCompressBuffer(int32_t nMinimumSize);

    uint8_t* m_pCompressBuffer = nullptr;
    int32_t m_nCompressBufferSize = 0;
    int32_t m_nCompressBufferLocks = 0;   // borrowers inside LockCompressBuffer .. ReleaseCompressBuffer
};

// Borrows the compress buffer for the lifetime of a scope; Locked() says whether it was had.
class KorvidCompressBufferScope {
public:
    explicit KorvidCompressBufferScope(int32_t nMinimumSize);
    ~KorvidCompressBufferScope();
    KorvidCompressBufferScope(const KorvidCompressBufferScope&) = delete;
    KorvidCompressBufferScope& operator=(const KorvidCompressBufferScope&) = delete;
    bool Locked() const { return m_bLocked; }

private:
    bool m_bLocked;
};
