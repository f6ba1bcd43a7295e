// RIFF WAVE images of mono 16-bit sounds, as the engine's audio layer reads
// them: plain PCM for the short effects, Microsoft ADPCM (4 bits a sample) for
// the long music tracks so the archive stays small.
#pragma once
#include <cstdint>
#include <vector>

// The usual layout for mono at 22050 Hz: 512-byte blocks of 1012 samples
// (7 header bytes carry two samples, every further byte two more).
constexpr uint16_t ADPCM_BLOCK_ALIGN = 512;
constexpr uint16_t ADPCM_SAMPLES_PER_BLOCK = 1012;

std::vector<uint8_t> PcmWavImage(const std::vector<int16_t>& Samples, uint32_t nRate);

// Decodes back to the same number of samples, except that a last block whose
// codes do not fill their final byte (or a one-sample block) decodes one sample
// longer, repeating the last one: the format stores whole bytes.
std::vector<uint8_t> AdpcmWavImage(const std::vector<int16_t>& Samples, uint32_t nRate);
