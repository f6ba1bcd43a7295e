// Loading sounds into slots: a WAV file or a WAV image in memory is decoded into
// PCM, timed, and handed on to the mixer.
#include <cstring>

#include "korvid.h"

namespace {

void ReleaseImage(const void* pImage, bool bImageOwned)
{
    if (bImageOwned && pImage)
        Korvid.FreeMemory(const_cast<void*>(pImage));
}

}  // namespace

bool KorvidAudio::LoadSound(uint32_t nId, const char* szName)
{
    const char* szShown = szName ? szName : "(null)";
    if (Korvid.TraceMaskHas(KOR_TRACE_VERBOSE))
        Korvid.DebugLog("LoadSound(%d, %s)", (int)nId, szShown);
    if (nId >= SoundSlotCount()) {
        Korvid.DebugLog("LoadSound(%d, %s) - Sound ID Out of Range", (int)nId, szShown);
        return false;
    }
    KorvidLockScope Lock;
    KorvidProfileScope Section("KorvidAudio::LoadSound()");
    if (!m_bSoundEnabled)
        return true;
    FreeSound(nId);
    KorvidSoundSlot& Slot = m_SoundSlots[nId];
    if (szName && szName[0]) {
        size_t nLength = strlen(szName);
        Slot.szFileName = (char*)Korvid.AllocMemory((uint32_t)nLength + 1);
        if (Slot.szFileName)
            memcpy(Slot.szFileName, szName, nLength + 1);
        else
            Korvid.DebugLog("ERROR: Unable to allocate ram for filename `%s`", szName);
    }
    void* pImage = Korvid.FileToMemory(szName, nullptr, 0);
    if (!pImage) {
        Korvid.DebugLog("ERROR: ** LoadSound(%d, %s) - Failed to load into memory **", (int)nId, szShown);
        ForgetFileName(Slot);
        return false;
    }
    if (!DecodeWAV(nId, pImage, Korvid.MemorySize(pImage), true)) {
        ForgetFileName(Slot);
        return false;
    }
    return true;
}

// The image is the caller's: it is read, never kept, and released here when owned,
// whatever the outcome.
bool KorvidAudio::DecodeWAV(uint32_t nId, const void* pImage, uint32_t nImageSize, bool bImageOwned)
{
    if (Korvid.TraceMaskHas(KOR_TRACE_VERBOSE))
        Korvid.DebugLog("DecodeWAV(%d)", (int)nId);
    if (nId >= SoundSlotCount()) {
        Korvid.DebugLog("DecodeWAV(%d) - Sound ID Out of Range", (int)nId);
        ReleaseImage(pImage, bImageOwned);
        return false;
    }
    KorvidLockScope Lock;
    KorvidProfileScope Section("KorvidAudio::DecodeWAV()");
    if (!m_bSoundEnabled) {
        ReleaseImage(pImage, bImageOwned);
        return true;
    }
    FreeSound(nId);
    bool bDecoded = DecodeIntoSlot(m_SoundSlots[nId], (const uint8_t*)pImage, nImageSize);
    ReleaseImage(pImage, bImageOwned);
    if (!bDecoded)
        return false;
    UpdateSoundPlayTime(nId);
    if (!UploadSound(nId)) {
        Korvid.DebugLog("ERROR: ** Failed to Upload to Audio Hardware **");
        return false;
    }
    return true;
}

bool KorvidAudio::DecodeIntoSlot(KorvidSoundSlot& Slot, const uint8_t* pImage, uint32_t nImageSize)
{
    KorvidAdpcmLayout Adpcm;
    if (!ParseWAVImage(pImage, nImageSize, Slot.Format, Adpcm)) {
        Korvid.DebugLog("Decode Failed");
        return false;
    }
    if (Slot.pDecoded) {
        Korvid.DebugLog("Freeing Already Allocated Sound Data 0x%lx", (unsigned long)(uintptr_t)Slot.pDecoded);
        ForgetDecoded(Slot);
    }
    uint64_t nDecodedSize = DecodedWAVSize(Slot.Format, Adpcm);
    if (nDecodedSize <= KOR_WAV_MAX_SAMPLE_BYTES)
        Slot.pDecoded = (uint8_t*)Korvid.AllocMemory((uint32_t)nDecodedSize);
    if (!Slot.pDecoded) {
        Korvid.DebugLog("** ERROR: Failed to Allocate Wave Memory **");
        return false;
    }
    DecodeWAVSamples(pImage, Slot.Format, Adpcm, Slot.pDecoded);
    if (Slot.Format.nFormatTag == KOR_WAV_MS_ADPCM) {
        // Now interleaved 16-bit PCM; the rates count every channel, so play
        // times stay right for stereo sources.
        Slot.Format.nDataSize = (uint32_t)nDecodedSize;
        Slot.Format.nBlockAlign = (uint16_t)(2 * Slot.Format.nChannels);
        Slot.Format.nByteRate = Slot.Format.nSampleRate * Slot.Format.nBlockAlign;
        Slot.Format.nBitsPerSample = 16;
    }
    return true;
}

// Whole seconds only: both divisions are integer divisions.
void KorvidAudio::UpdateSoundPlayTime(uint32_t nId)
{
    if (nId >= m_SoundSlots.size())
        return;
    KorvidSoundSlot& Slot = m_SoundSlots[nId];
    const KorvidWavFormat& Format = Slot.Format;
    uint32_t nSeconds = 0;
    if (Format.nDataSize == 0)
        Korvid.DebugLog("ERROR: UpdateSoundPlayTime(%d) - Can't Calculate Playtime of Empty Sample (DataSize=%d)",
                        (int)nId, 0);
    else if (Format.nByteRate != 0)
        nSeconds = Format.nDataSize / Format.nByteRate;
    else if (Format.nBitsPerSample / 8 != 0 && Format.nSampleRate != 0)
        nSeconds = Format.nDataSize / (Format.nBitsPerSample / 8) / Format.nSampleRate;
    Slot.nPlayTime = nSeconds * 1000;
}
