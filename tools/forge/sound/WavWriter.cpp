#include "WavWriter.h"

#include <string>

#include "AdpcmEncoder.h"

namespace {

constexpr uint16_t FORMAT_PCM = 1;
constexpr uint16_t FORMAT_MS_ADPCM = 2;
constexpr uint16_t ADPCM_EXTENSION_SIZE = 4 + 4 * ADPCM_COEFFICIENT_COUNT;

void AppendLE16(std::vector<uint8_t>& Out, uint32_t n)
{
    Out.push_back((uint8_t)n);
    Out.push_back((uint8_t)(n >> 8));
}

void AppendLE32(std::vector<uint8_t>& Out, uint32_t n)
{
    AppendLE16(Out, n & 0xFFFF);
    AppendLE16(Out, n >> 16);
}

void AppendChunk(std::vector<uint8_t>& Out, const char* szId, const std::vector<uint8_t>& Body)
{
    Out.insert(Out.end(), szId, szId + 4);
    AppendLE32(Out, (uint32_t)Body.size());
    Out.insert(Out.end(), Body.begin(), Body.end());
    if (Body.size() % 2 == 1)
        Out.push_back(0);   // RIFF keeps chunks on even offsets
}

// The 16 bytes every format chunk starts with.
std::vector<uint8_t> CommonFormat(uint16_t nTag, uint32_t nRate, uint32_t nByteRate, uint16_t nBlockAlign,
                                  uint16_t nBits)
{
    std::vector<uint8_t> Body;
    AppendLE16(Body, nTag);
    AppendLE16(Body, 1);   // mono
    AppendLE32(Body, nRate);
    AppendLE32(Body, nByteRate);
    AppendLE16(Body, nBlockAlign);
    AppendLE16(Body, nBits);
    return Body;
}

std::vector<uint8_t> RiffImage(const std::vector<std::vector<uint8_t>>& Chunks, const std::vector<std::string>& Ids)
{
    std::vector<uint8_t> Body = {'W', 'A', 'V', 'E'};
    for (size_t n = 0; n < Chunks.size(); ++n)
        AppendChunk(Body, Ids[n].c_str(), Chunks[n]);
    std::vector<uint8_t> Image;
    AppendChunk(Image, "RIFF", Body);
    return Image;
}

}  // namespace

std::vector<uint8_t> PcmWavImage(const std::vector<int16_t>& Samples, uint32_t nRate)
{
    std::vector<uint8_t> Data;
    Data.reserve(Samples.size() * 2);
    for (int16_t n : Samples)
        AppendLE16(Data, (uint16_t)n);
    return RiffImage({CommonFormat(FORMAT_PCM, nRate, nRate * 2, 2, 16), Data}, {"fmt ", "data"});
}

std::vector<uint8_t> AdpcmWavImage(const std::vector<int16_t>& Samples, uint32_t nRate)
{
    std::vector<uint8_t> Format = CommonFormat(FORMAT_MS_ADPCM, nRate,
                                               nRate * ADPCM_BLOCK_ALIGN / ADPCM_SAMPLES_PER_BLOCK,
                                               ADPCM_BLOCK_ALIGN, 4);
    AppendLE16(Format, ADPCM_EXTENSION_SIZE);
    AppendLE16(Format, ADPCM_SAMPLES_PER_BLOCK);
    AppendLE16(Format, ADPCM_COEFFICIENT_COUNT);
    for (const int16_t* pPair : ADPCM_COEFFICIENTS) {
        AppendLE16(Format, (uint16_t)pPair[0]);
        AppendLE16(Format, (uint16_t)pPair[1]);
    }
    std::vector<uint8_t> FrameCount;
    AppendLE32(FrameCount, (uint32_t)Samples.size());
    return RiffImage({Format, FrameCount, EncodeAdpcmBlocks(Samples, ADPCM_BLOCK_ALIGN)}, {"fmt ", "fact", "data"});
}
