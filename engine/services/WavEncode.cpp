// The mixer-ready image: a slot's decoded PCM rebuilt as a canonical 44-byte-header
// WAV of 16-bit mono samples (several channels mixed down, 11025 Hz doubled to
// 22050 Hz), and its hand-over to SDL_mixer, which plays it without copying.
#include <SDL/SDL_mixer.h>

#include <cstring>

#include "korvid.h"

namespace {

constexpr uint32_t HEADER_SIZE = 44;
constexpr uint32_t UPSAMPLED_RATE = 11025;

void WriteMixerHeader(uint8_t* pImage, uint32_t nRate, uint32_t nDataSize)
{
    memcpy(pImage, "RIFF", 4);
    WriteLE32(pImage + 4, nDataSize + 36);
    memcpy(pImage + 8, "WAVEfmt ", 8);
    WriteLE32(pImage + 16, 16);
    WriteLE16(pImage + 20, KOR_WAV_PCM);
    WriteLE16(pImage + 22, 1);
    WriteLE32(pImage + 24, nRate);
    WriteLE32(pImage + 28, nRate * 2);
    WriteLE16(pImage + 32, 2);
    WriteLE16(pImage + 34, 16);
    memcpy(pImage + 36, "data", 4);
    WriteLE32(pImage + 40, nDataSize);
}

int32_t SourceSample(const uint8_t* pDecoded, bool bEightBit, uint64_t nIndex)
{
    if (bEightBit)
        return (pDecoded[nIndex] - 128) * 256;
    return (int16_t)ReadLE16(pDecoded + 2 * nIndex);
}

// Each frame's channels averaged (truncated toward zero) into one sample, placed
// at every nStep-th output index.
void MixDown(const uint8_t* pDecoded, bool bEightBit, uint16_t nChannels, uint32_t nFrames, uint32_t nStep,
             uint8_t* pOut)
{
    for (uint32_t nFrame = 0; nFrame < nFrames; ++nFrame) {
        int64_t nSum = 0;
        for (uint16_t nChannel = 0; nChannel < nChannels; ++nChannel)
            nSum += SourceSample(pDecoded, bEightBit, (uint64_t)nFrame * nChannels + nChannel);
        WriteLE16(pOut + 2 * ((uint64_t)nFrame * nStep), (uint16_t)(int16_t)(nSum / nChannels));
    }
}

// Fills every odd index of a doubled block with the mean of its neighbours; the
// last one has no right neighbour and repeats its left one.
void FillUpsampled(uint8_t* pOut, uint64_t nSamples)
{
    for (uint64_t k = 1; k < nSamples; k += 2) {
        int32_t nLeft = (int16_t)ReadLE16(pOut + 2 * (k - 1));
        int32_t nValue = nLeft;
        if (k + 1 < nSamples)
            nValue = (nLeft + (int16_t)ReadLE16(pOut + 2 * (k + 1))) / 2;
        WriteLE16(pOut + 2 * k, (uint16_t)(int16_t)nValue);
    }
}

}  // namespace

uint8_t* KorvidAudio::EncodeWAV(uint32_t nId)
{
    if (Korvid.TraceMaskHas(KOR_TRACE_VERBOSE))
        Korvid.DebugLog("EncodeWAV(%d)", (int)nId);
    if (nId >= m_SoundSlots.size()) {
        Korvid.DebugLog("ERROR: ** EncodeWAV(%d) - Not a valid sound id **", (int)nId);
        return nullptr;
    }
    KorvidSoundSlot& Slot = m_SoundSlots[nId];
    KorvidWavFormat& Format = Slot.Format;
    if (Format.nDataSize == 0 || !Slot.pDecoded) {
        Korvid.DebugLog("ERROR: ** EncodeWAV(%d) - Missing Sample Data %lX, Length %d **", (int)nId,
                        (unsigned long)(uintptr_t)Slot.pDecoded, (int)Format.nDataSize);
        return nullptr;
    }
    bool bEightBit = Format.nBitsPerSample == 8;
    uint32_t nFrames = (bEightBit ? Format.nDataSize : Format.nDataSize / 2) / Format.nChannels;
    uint32_t nStep = 1;
    uint32_t nRate = Format.nSampleRate;
    if (nRate == UPSAMPLED_RATE) {
        nStep = 2;
        nRate = UPSAMPLED_RATE * 2;
        Korvid.DebugLog("Upsample to %dhz!", (int)nRate);
    }
    uint64_t nDataSize = (uint64_t)nFrames * nStep * 2;
    uint8_t* pImage = nullptr;
    if (nDataSize <= KOR_WAV_MAX_SAMPLE_BYTES)
        pImage = (uint8_t*)Korvid.AllocMemory((uint32_t)nDataSize + HEADER_SIZE);
    if (!pImage) {
        Korvid.DebugLog("ERROR: ** EncodeWAV(%d) - Failed to allocate Memory for WAV (%d bytes) **", (int)nId,
                        (int)(nDataSize + HEADER_SIZE));
        return nullptr;
    }
    Format.nSampleRate = nRate;
    Format.nDataSize = (uint32_t)nDataSize;
    WriteMixerHeader(pImage, nRate, Format.nDataSize);
    MixDown(Slot.pDecoded, bEightBit, Format.nChannels, nFrames, nStep, pImage + HEADER_SIZE);
    if (nStep == 2)
        FillUpsampled(pImage + HEADER_SIZE, (uint64_t)nFrames * 2);
    Korvid.DebugLog("EncodedWAV: %d, %d, %d", (int)Format.nSampleRate, (int)Format.nByteRate, Format.nBlockAlign);
    return pImage;
}

// The decoded samples are gone afterwards whatever happens. A slot that cannot be
// re-encoded keeps what it had.
bool KorvidAudio::UploadSound(uint32_t nId)
{
    KorvidProfileScope Section("KorvidAudio::UploadSound()");
    uint8_t* pImage = EncodeWAV(nId);
    if (nId >= m_SoundSlots.size())
        return false;
    KorvidSoundSlot& Slot = m_SoundSlots[nId];
    Mix_Chunk* pChunk = nullptr;
    if (!pImage) {
        Korvid.DebugLog("ERROR: ** Can't Re-Encode WAV **");
    } else {
        pChunk = Mix_QuickLoad_WAV(pImage);
        if (!pChunk)
            Korvid.DebugLog("ERROR: ** Mix_QuickLoad_WAV: %s **", Mix_GetError());
    }
    ForgetDecoded(Slot);
    if (!pChunk) {
        if (pImage)
            Korvid.FreeMemory(pImage);
        Korvid.DebugLog("ERROR: Can't Upload Audio");
        return false;
    }
    Slot.pWavImage = pImage;
    Slot.pChunk = pChunk;
    Slot.nMixerVolume = MIX_MAX_VOLUME;
    Slot.nLoaded = 1;
    Slot.nLoopMark = 0;
    return true;
}
