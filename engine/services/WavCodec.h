// RIFF WAVE images in memory, read without a mixer: the header and chunk walk,
// the Microsoft ADPCM block layout and decoder, and the decoding of a whole
// image into PCM samples. The sound table builds on these; a command-line tool
// or a fuzzer can call them on any block of bytes.
#pragma once
#include <cstdint>

constexpr uint16_t KOR_WAV_PCM = 1;
constexpr uint16_t KOR_WAV_MS_ADPCM = 2;

// The largest decoded or mixer-ready sample block the engine accepts; the memory
// manager counts sizes in 32 bits and reads take signed 32-bit lengths.
constexpr uint64_t KOR_WAV_MAX_SAMPLE_BYTES = 0x7FFFFF00;

// The header fields of one image, as the sound table keeps them.
struct KorvidWavFormat {
    uint16_t nFormatTag;
    uint16_t nChannels;
    uint32_t nSampleRate;
    uint16_t nBlockAlign;
    uint32_t nByteRate;
    uint16_t nBitsPerSample;
    uint32_t nDataSize;     // bytes of sample data
    uint32_t nDataOffset;   // where the sample data starts in the image
};

// The block layout of a Microsoft ADPCM image, from its format chunk.
struct KorvidAdpcmLayout {
    static constexpr int MAX_COEFFICIENTS = 256;   // a block header's predictor index is one byte
    uint16_t nSamplesPerBlock;
    uint16_t nCoefficients;
    int16_t Coefficients[MAX_COEFFICIENTS][2];
};

// Little-endian values inside a byte block.
inline uint16_t ReadLE16(const uint8_t* p) { return (uint16_t)(p[0] | p[1] << 8); }
inline uint32_t ReadLE32(const uint8_t* p) { return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24; }
inline void WriteLE16(uint8_t* p, uint16_t n)
{
    p[0] = (uint8_t)n;
    p[1] = (uint8_t)(n >> 8);
}
inline void WriteLE32(uint8_t* p, uint32_t n)
{
    WriteLE16(p, (uint16_t)n);
    WriteLE16(p + 2, (uint16_t)(n >> 16));
}

// Reads the header and, for ADPCM, the block layout. Every refusal logs its
// reason and returns false; on success every later read stays inside the image.
bool ParseWAVImage(const uint8_t* pImage, uint32_t nImageSize, KorvidWavFormat& Format, KorvidAdpcmLayout& Adpcm);

// Bytes of PCM that DecodeWAVSamples writes for a parsed image.
uint64_t DecodedWAVSize(const KorvidWavFormat& Format, const KorvidAdpcmLayout& Adpcm);

// Writes the image's samples as PCM: PCM data as it stands, ADPCM as interleaved
// 16-bit little-endian samples. pOut holds DecodedWAVSize bytes.
void DecodeWAVSamples(const uint8_t* pImage, const KorvidWavFormat& Format, const KorvidAdpcmLayout& Adpcm,
                      uint8_t* pOut);

// The ADPCM pieces behind the two calls above.
bool ReadAdpcmLayout(const uint8_t* pImage, uint32_t nImageSize, const KorvidWavFormat& Format,
                     KorvidAdpcmLayout& Adpcm);
uint64_t AdpcmDecodedFrames(const KorvidWavFormat& Format, const KorvidAdpcmLayout& Adpcm);
void DecodeAdpcm(const uint8_t* pData, const KorvidWavFormat& Format, const KorvidAdpcmLayout& Adpcm, uint8_t* pOut);
