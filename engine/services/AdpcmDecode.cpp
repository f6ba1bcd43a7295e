// Microsoft ADPCM: the block layout from the format chunk and the block decoder.
//
// Format chunk body after the 16 common bytes: 16 extension size, 18 samples per
// block, 20 coefficient count, 22 the coefficient pairs (two signed 16-bit each).
// A block starts with a header per channel, interleaved field by field:
// predictor index (byte), delta, sample 1, sample 2 (signed 16-bit each), then
// 4-bit codes, high nibble first, channels interleaved. The block's output is the
// sample-2 frame, the sample-1 frame, then one frame per code group.
#include <algorithm>
#include <vector>

#include "korvid.h"
#include "services/WavCodec.h"

namespace {

constexpr uint32_t HEADER_BYTES_PER_CHANNEL = 7;
constexpr uint32_t CHUNK_HEADER_SIZE = 8;
constexpr uint32_t FIRST_CHUNK = 12;            // right after the WAVE identifier
constexpr uint32_t FMT_ID = 0x20746D66;         // "fmt " read as a little-endian word
constexpr uint32_t COEFFICIENTS_OFFSET = 22;    // within the format chunk body
constexpr int32_t MIN_DELTA = 16;
constexpr int64_t MAX_DELTA = INT32_MAX / 768;  // the largest delta whose next step still fits 32 bits

const int32_t ADAPTATION[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};

struct ChannelState {
    int32_t nCoefficient1;
    int32_t nCoefficient2;
    int64_t nDelta;
    int32_t nSample1;
    int32_t nSample2;
};

// What went wrong while decoding, logged once per sound rather than once per block.
struct DecodeFaults {
    int nBadPredictor = -1;
    bool bDeltaHeld = false;
};

uint32_t BlockCapacity(uint32_t nBlockBytes, uint16_t nChannels)
{
    return (nBlockBytes - HEADER_BYTES_PER_CHANNEL * nChannels) * 2 / nChannels + 2;
}

// The format chunk's body, found by walking the chunks inside the RIFF length.
const uint8_t* FindFormatChunk(const uint8_t* pImage, uint32_t nImageSize, uint32_t& nBodySize)
{
    uint64_t nEnd = std::min<uint64_t>((uint64_t)ReadLE32(pImage + 4) + 8, nImageSize);
    uint64_t nPosition = FIRST_CHUNK;
    while (nPosition + CHUNK_HEADER_SIZE <= nEnd) {
        uint32_t nLength = ReadLE32(pImage + nPosition + 4);
        uint64_t nBody = nPosition + CHUNK_HEADER_SIZE;
        if (ReadLE32(pImage + nPosition) == FMT_ID) {
            if (nBody + nLength > nImageSize) {
                Korvid.DebugLog("ERROR ** ADPCM Format Chunk (%u Bytes) Runs Past End of Image (%u Bytes) **", nLength,
                                nImageSize);
                return nullptr;
            }
            nBodySize = nLength;
            return pImage + nBody;
        }
        nPosition = nBody + nLength;
    }
    Korvid.DebugLog("ERROR ** ADPCM Format Chunk Not Found **");
    return nullptr;
}

bool ReadCoefficients(const uint8_t* pBody, uint32_t nBodySize, KorvidAdpcmLayout& Adpcm)
{
    if (nBodySize < COEFFICIENTS_OFFSET) {
        Korvid.DebugLog("ERROR ** ADPCM Format Chunk Too Short (%u Bytes) **", nBodySize);
        return false;
    }
    Adpcm.nSamplesPerBlock = ReadLE16(pBody + 18);
    Adpcm.nCoefficients = ReadLE16(pBody + 20);
    if (Adpcm.nCoefficients == 0 || Adpcm.nCoefficients > KorvidAdpcmLayout::MAX_COEFFICIENTS ||
        COEFFICIENTS_OFFSET + 4u * Adpcm.nCoefficients > nBodySize) {
        Korvid.DebugLog("ERROR ** ADPCM Coefficient Count (%d) Out of Range **", Adpcm.nCoefficients);
        return false;
    }
    for (int n = 0; n < Adpcm.nCoefficients; ++n) {
        Adpcm.Coefficients[n][0] = (int16_t)ReadLE16(pBody + COEFFICIENTS_OFFSET + 4 * n);
        Adpcm.Coefficients[n][1] = (int16_t)ReadLE16(pBody + COEFFICIENTS_OFFSET + 4 * n + 2);
    }
    return true;
}

int16_t Clamp16(int64_t nValue) { return (int16_t)std::clamp<int64_t>(nValue, INT16_MIN, INT16_MAX); }

int16_t DecodeNibble(uint8_t nCode, ChannelState& State, DecodeFaults& Faults)
{
    int64_t nPrediction = ((int64_t)State.nSample1 * State.nCoefficient1 + (int64_t)State.nSample2 * State.nCoefficient2) >> 8;
    int32_t nSigned = nCode >= 8 ? nCode - 16 : nCode;
    int16_t nSample = Clamp16(nPrediction + nSigned * State.nDelta);
    State.nSample2 = State.nSample1;
    State.nSample1 = nSample;
    State.nDelta = std::max<int64_t>(ADAPTATION[nCode] * State.nDelta >> 8, MIN_DELTA);
    if (State.nDelta > MAX_DELTA) {
        State.nDelta = MAX_DELTA;
        Faults.bDeltaHeld = true;
    }
    return nSample;
}

// Decodes one block of nFrames frames; the block holds at least the bytes they need.
void DecodeBlock(const uint8_t* pBlock, uint32_t nFrames, uint16_t nChannels, const KorvidAdpcmLayout& Adpcm,
                 ChannelState* pStates, uint8_t* pOut, DecodeFaults& Faults)
{
    for (uint16_t nChannel = 0; nChannel < nChannels; ++nChannel) {
        ChannelState& State = pStates[nChannel];
        uint8_t nPredictor = pBlock[nChannel];
        if (nPredictor >= Adpcm.nCoefficients) {
            Faults.nBadPredictor = nPredictor;
            nPredictor = 0;
        }
        State.nCoefficient1 = Adpcm.Coefficients[nPredictor][0];
        State.nCoefficient2 = Adpcm.Coefficients[nPredictor][1];
        State.nDelta = (int16_t)ReadLE16(pBlock + nChannels + 2 * nChannel);
        State.nSample1 = (int16_t)ReadLE16(pBlock + 3 * nChannels + 2 * nChannel);
        State.nSample2 = (int16_t)ReadLE16(pBlock + 5 * nChannels + 2 * nChannel);
    }
    for (uint16_t nChannel = 0; nChannel < nChannels && nFrames > 0; ++nChannel)
        WriteLE16(pOut + 2 * nChannel, (uint16_t)pStates[nChannel].nSample2);
    for (uint16_t nChannel = 0; nChannel < nChannels && nFrames > 1; ++nChannel)
        WriteLE16(pOut + 2 * (nChannels + nChannel), (uint16_t)pStates[nChannel].nSample1);

    const uint8_t* pCodes = pBlock + HEADER_BYTES_PER_CHANNEL * nChannels;
    uint64_t nCodes = nFrames > 2 ? (uint64_t)(nFrames - 2) * nChannels : 0;
    uint8_t* pSamples = pOut + 4 * nChannels;
    for (uint64_t n = 0; n < nCodes; ++n) {
        uint8_t nByte = pCodes[n / 2];
        uint8_t nCode = (n % 2 == 0) ? nByte >> 4 : nByte & 0x0F;
        WriteLE16(pSamples + 2 * n, (uint16_t)DecodeNibble(nCode, pStates[n % nChannels], Faults));
    }
}

}  // namespace

bool ReadAdpcmLayout(const uint8_t* pImage, uint32_t nImageSize, const KorvidWavFormat& Format,
                     KorvidAdpcmLayout& Adpcm)
{
    if (Format.nBlockAlign <= HEADER_BYTES_PER_CHANNEL * Format.nChannels) {
        Korvid.DebugLog("ERROR ** ADPCM Block Align (%d) Too Small for %d Channel(s) **", Format.nBlockAlign,
                        Format.nChannels);
        return false;
    }
    uint32_t nBodySize = 0;
    const uint8_t* pBody = FindFormatChunk(pImage, nImageSize, nBodySize);
    if (!pBody || !ReadCoefficients(pBody, nBodySize, Adpcm))
        return false;
    if (Adpcm.nSamplesPerBlock < 2 || Adpcm.nSamplesPerBlock > BlockCapacity(Format.nBlockAlign, Format.nChannels)) {
        Korvid.DebugLog("ERROR ** ADPCM Samples Per Block (%d) Do Not Fit Block Align (%d) **", Adpcm.nSamplesPerBlock,
                        Format.nBlockAlign);
        return false;
    }
    return true;
}

uint64_t AdpcmDecodedFrames(const KorvidWavFormat& Format, const KorvidAdpcmLayout& Adpcm)
{
    uint64_t nFrames = (uint64_t)(Format.nDataSize / Format.nBlockAlign) * Adpcm.nSamplesPerBlock;
    uint32_t nRest = Format.nDataSize % Format.nBlockAlign;
    if (nRest >= HEADER_BYTES_PER_CHANNEL * Format.nChannels)
        nFrames += std::min<uint32_t>(BlockCapacity(nRest, Format.nChannels), Adpcm.nSamplesPerBlock);
    return nFrames;
}

void DecodeAdpcm(const uint8_t* pData, const KorvidWavFormat& Format, const KorvidAdpcmLayout& Adpcm, uint8_t* pOut)
{
    DecodeFaults Faults;
    std::vector<ChannelState> States(Format.nChannels);
    uint32_t nFrameBytes = 2u * Format.nChannels;
    for (uint64_t nDone = 0; nDone + HEADER_BYTES_PER_CHANNEL * Format.nChannels <= Format.nDataSize;
         nDone += Format.nBlockAlign) {
        uint32_t nBlockBytes = (uint32_t)std::min<uint64_t>(Format.nBlockAlign, Format.nDataSize - nDone);
        uint32_t nFrames = std::min<uint32_t>(BlockCapacity(nBlockBytes, Format.nChannels), Adpcm.nSamplesPerBlock);
        DecodeBlock(pData + nDone, nFrames, Format.nChannels, Adpcm, States.data(), pOut, Faults);
        pOut += (uint64_t)nFrames * nFrameBytes;
        if (nBlockBytes < Format.nBlockAlign)
            break;
    }
    if (Faults.nBadPredictor >= 0)
        Korvid.DebugLog("WARNING: ** ADPCM Predictor Index %d Out of Range (%d Coefficients) - Using 0 **",
                        Faults.nBadPredictor, Adpcm.nCoefficients);
    if (Faults.bDeltaHeld)
        Korvid.DebugLog("WARNING: ** ADPCM Step Size Overflow - Held at %d **", (int)MAX_DELTA);
}
