// The RIFF WAVE header: the fixed format fields at byte 20 and the chunk scan
// for the sample data that follows the format chunk.
//
// Layout read here (little-endian):
//   0 "RIFF", 4 RIFF length, 8 "WAVE", 12 "fmt ", 16 format-chunk length F,
//   20 format tag, 22 channels, 24 sample rate, 28 byte rate, 32 block align,
//   34 bits per sample; chunks (identifier, 32-bit length, body) from F + 20 on.
#include <cstring>

#include "korvid.h"
#include "services/WavCodec.h"

namespace {

constexpr uint32_t FORMAT_FIELDS_END = 36;
constexpr uint32_t CHUNK_HEADER_SIZE = 8;
constexpr uint64_t DATA_SCAN_LIMIT = 4095;   // the data chunk must begin within the first 4096 bytes
constexpr uint32_t DATA_ID = 0x61746164;     // "data" read as a little-endian word

bool ReadFormatFields(const uint8_t* pImage, uint32_t nImageSize, KorvidWavFormat& Format)
{
    if (!pImage || nImageSize < FORMAT_FIELDS_END) {
        Korvid.DebugLog("ERROR ** WAV Image Too Short (%u Bytes) **", nImageSize);
        return false;
    }
    Format.nFormatTag = ReadLE16(pImage + 20);
    Format.nChannels = ReadLE16(pImage + 22);
    Format.nSampleRate = ReadLE32(pImage + 24);
    Format.nByteRate = ReadLE32(pImage + 28);
    Format.nBlockAlign = ReadLE16(pImage + 32);
    Format.nBitsPerSample = ReadLE16(pImage + 34);
    if (Format.nFormatTag != KOR_WAV_PCM && Format.nFormatTag != KOR_WAV_MS_ADPCM) {
        Korvid.DebugLog("ERROR ** WAV Format (%d) not supported **", Format.nFormatTag);
        return false;
    }
    if (Format.nChannels == 0) {
        Korvid.DebugLog("ERROR ** WAV Has No Channels **");
        return false;
    }
    if (Format.nFormatTag == KOR_WAV_PCM && Format.nBitsPerSample != 8 && Format.nBitsPerSample != 16) {
        Korvid.DebugLog("ERROR ** WAV Bits Per Sample (%d) not supported **", Format.nBitsPerSample);
        return false;
    }
    return true;
}

// Walks the chunks after the format chunk to the data chunk; no chunk may reach
// beyond the image.
bool FindDataChunk(const uint8_t* pImage, uint32_t nImageSize, KorvidWavFormat& Format, uint32_t& nLastId)
{
    uint64_t nPosition = (uint64_t)ReadLE32(pImage + 16) + 20;
    while (nPosition <= DATA_SCAN_LIMIT) {
        if (nPosition + CHUNK_HEADER_SIZE > nImageSize) {
            Korvid.DebugLog("ERROR ** WAV Chunk at %lu Runs Past End of Image (%u Bytes) **", (unsigned long)nPosition,
                            nImageSize);
            return false;
        }
        nLastId = ReadLE32(pImage + nPosition);
        uint32_t nLength = ReadLE32(pImage + nPosition + 4);
        uint64_t nBody = nPosition + CHUNK_HEADER_SIZE;
        if (nLastId == DATA_ID) {
            if (nBody + nLength > nImageSize) {
                Korvid.DebugLog("ERROR ** WAV Data Chunk (%u Bytes at %lu) Runs Past End of Image (%u Bytes) **",
                                nLength, (unsigned long)nBody, nImageSize);
                return false;
            }
            Format.nDataOffset = (uint32_t)nBody;
            Format.nDataSize = nLength;
            return true;
        }
        nPosition = nBody + nLength;
    }
    Korvid.DebugLog("ERROR ** WAV Data Chunk Not Found in First %d Bytes **", (int)DATA_SCAN_LIMIT + 1);
    return false;
}

}  // namespace

bool ParseWAVImage(const uint8_t* pImage, uint32_t nImageSize, KorvidWavFormat& Format, KorvidAdpcmLayout& Adpcm)
{
    memset(&Format, 0, sizeof(Format));
    memset(&Adpcm, 0, sizeof(Adpcm));
    uint32_t nLastId = 0;
    if (!ReadFormatFields(pImage, nImageSize, Format) || !FindDataChunk(pImage, nImageSize, Format, nLastId))
        return false;
    if (Korvid.TraceMaskHas(KOR_TRACE_VERBOSE))
        Korvid.DebugLog("Wave details: %d,%d,(%d,%d) %d (0x%X:0x%X:0x%X)", Format.nBitsPerSample, Format.nChannels,
                        (int)Format.nSampleRate, (int)Format.nByteRate, (int)Format.nDataSize, ReadLE32(pImage),
                        ReadLE32(pImage + 8), nLastId);
    if (Format.nFormatTag == KOR_WAV_MS_ADPCM && !ReadAdpcmLayout(pImage, nImageSize, Format, Adpcm))
        return false;
    if (DecodedWAVSize(Format, Adpcm) == 0) {
        Korvid.DebugLog("ERROR ** WAV Holds No Samples **");
        return false;
    }
    return true;
}

uint64_t DecodedWAVSize(const KorvidWavFormat& Format, const KorvidAdpcmLayout& Adpcm)
{
    if (Format.nFormatTag == KOR_WAV_MS_ADPCM)
        return AdpcmDecodedFrames(Format, Adpcm) * Format.nChannels * 2;
    return Format.nDataSize;
}

void DecodeWAVSamples(const uint8_t* pImage, const KorvidWavFormat& Format, const KorvidAdpcmLayout& Adpcm,
                      uint8_t* pOut)
{
    if (Format.nFormatTag == KOR_WAV_MS_ADPCM)
        DecodeAdpcm(pImage + Format.nDataOffset, Format, Adpcm, pOut);
    else
        memcpy(pOut, pImage + Format.nDataOffset, Format.nDataSize);
}
