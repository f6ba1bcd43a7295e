// A Microsoft ADPCM encoder for mono sound: per block it tries every standard
// predictor and keeps the one the decoder reproduces most closely.
#pragma once
#include <cstdint>
#include <vector>

constexpr int ADPCM_COEFFICIENT_COUNT = 7;
extern const int16_t ADPCM_COEFFICIENTS[ADPCM_COEFFICIENT_COUNT][2];

// The blocks of the data chunk: nBlockAlign bytes each, the last one as short
// as its samples allow.
std::vector<uint8_t> EncodeAdpcmBlocks(const std::vector<int16_t>& Samples, uint16_t nBlockAlign);
