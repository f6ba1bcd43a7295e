// Block layout (mono): predictor index (byte), delta, sample 1, sample 2 (signed
// 16-bit each), then 4-bit codes, high nibble first. The decoder outputs
// sample 2, sample 1, then one sample per code; the encoder therefore puts the
// block's first sample in "sample 2" and its second in "sample 1".
#include "AdpcmEncoder.h"

#include <algorithm>
#include <cstdlib>

const int16_t ADPCM_COEFFICIENTS[ADPCM_COEFFICIENT_COUNT][2] = {
    {256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};

namespace {

constexpr uint32_t HEADER_BYTES = 7;
constexpr int32_t MIN_DELTA = 16;
constexpr int64_t MAX_DELTA = INT32_MAX / 768;   // where the decoder holds the step size
constexpr int DELTA_PROBE = 8;                    // samples that set a block's first step size

const int32_t ADAPTATION[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};

struct CoderState {
    int32_t nCoefficient1, nCoefficient2;
    int64_t nDelta;
    int32_t nSample1, nSample2;
};

int32_t Clamp16(int64_t n) { return (int32_t)std::clamp<int64_t>(n, INT16_MIN, INT16_MAX); }

// Chooses the code whose decoded sample lands nearest the target, then steps
// the state exactly as the decoder will.
uint8_t EncodeSample(int32_t nTarget, CoderState& State, int64_t& nError)
{
    int64_t nPrediction =
        ((int64_t)State.nSample1 * State.nCoefficient1 + (int64_t)State.nSample2 * State.nCoefficient2) >> 8;
    int64_t nGuess = std::clamp<int64_t>((nTarget - nPrediction) / State.nDelta, -8, 7);
    int32_t nBestCode = 0, nBestSample = 0;
    int64_t nBestError = INT64_MAX;
    for (int64_t nCode = std::max<int64_t>(nGuess - 1, -8); nCode <= std::min<int64_t>(nGuess + 1, 7); ++nCode) {
        int32_t nSample = Clamp16(nPrediction + nCode * State.nDelta);
        int64_t nMiss = std::llabs((int64_t)nTarget - nSample);
        if (nMiss < nBestError)
            nBestError = nMiss, nBestCode = (int32_t)nCode, nBestSample = nSample;
    }
    uint8_t nNibble = (uint8_t)(nBestCode & 0x0F);
    State.nSample2 = State.nSample1;
    State.nSample1 = nBestSample;
    State.nDelta = std::clamp<int64_t>(ADAPTATION[nNibble] * State.nDelta >> 8, MIN_DELTA, MAX_DELTA);
    nError += nBestError * nBestError;
    return nNibble;
}

// A starting step size near the typical prediction error of the block's opening.
int64_t FirstDelta(const int16_t* pSamples, uint32_t nCount, int nPredictor)
{
    int64_t nSum = 0;
    int nTerms = 0;
    for (uint32_t n = 2; n < nCount && nTerms < DELTA_PROBE; ++n, ++nTerms) {
        int64_t nPrediction = ((int64_t)pSamples[n - 1] * ADPCM_COEFFICIENTS[nPredictor][0] +
                               (int64_t)pSamples[n - 2] * ADPCM_COEFFICIENTS[nPredictor][1]) >> 8;
        nSum += std::llabs(pSamples[n] - nPrediction);
    }
    return std::clamp<int64_t>(nTerms ? nSum / (2 * nTerms) : 0, MIN_DELTA, INT16_MAX);
}

// Codes the samples after the first two; the result's squared error decides the predictor.
std::vector<uint8_t> EncodeCodes(const int16_t* pSamples, uint32_t nCount, int nPredictor, int64_t nDelta,
                                 int64_t& nError)
{
    CoderState State{ADPCM_COEFFICIENTS[nPredictor][0], ADPCM_COEFFICIENTS[nPredictor][1], nDelta,
                     nCount > 1 ? pSamples[1] : pSamples[0], pSamples[0]};
    std::vector<uint8_t> Codes;
    Codes.reserve(nCount);
    for (uint32_t n = 2; n < nCount; ++n)
        Codes.push_back(EncodeSample(pSamples[n], State, nError));
    // An odd count leaves half a byte: fill it with the code that holds the last sample.
    if (Codes.size() % 2 == 1) {
        int64_t nIgnored = 0;
        Codes.push_back(EncodeSample(State.nSample1, State, nIgnored));
    }
    return Codes;
}

void AppendLE16(std::vector<uint8_t>& Out, int32_t n)
{
    Out.push_back((uint8_t)n);
    Out.push_back((uint8_t)((uint32_t)n >> 8));
}

void EncodeBlock(const int16_t* pSamples, uint32_t nCount, std::vector<uint8_t>& Out)
{
    int nBestPredictor = 0;
    int64_t nBestError = INT64_MAX;
    std::vector<uint8_t> BestCodes;
    int64_t nBestDelta = MIN_DELTA;
    for (int nPredictor = 0; nPredictor < ADPCM_COEFFICIENT_COUNT; ++nPredictor) {
        int64_t nDelta = FirstDelta(pSamples, nCount, nPredictor), nError = 0;
        std::vector<uint8_t> Codes = EncodeCodes(pSamples, nCount, nPredictor, nDelta, nError);
        if (nError < nBestError)
            nBestError = nError, nBestPredictor = nPredictor, nBestDelta = nDelta, BestCodes = std::move(Codes);
    }
    Out.push_back((uint8_t)nBestPredictor);
    AppendLE16(Out, (int32_t)nBestDelta);
    AppendLE16(Out, nCount > 1 ? pSamples[1] : pSamples[0]);
    AppendLE16(Out, pSamples[0]);
    for (size_t n = 0; n < BestCodes.size(); n += 2)
        Out.push_back((uint8_t)(BestCodes[n] << 4 | BestCodes[n + 1]));
}

}  // namespace

std::vector<uint8_t> EncodeAdpcmBlocks(const std::vector<int16_t>& Samples, uint16_t nBlockAlign)
{
    std::vector<uint8_t> Out;
    uint32_t nPerBlock = (nBlockAlign - HEADER_BYTES) * 2 + 2;
    for (size_t nStart = 0; nStart < Samples.size(); nStart += nPerBlock) {
        uint32_t nCount = (uint32_t)std::min<size_t>(nPerBlock, Samples.size() - nStart);
        EncodeBlock(Samples.data() + nStart, nCount, Out);
    }
    return Out;
}
