// The table of sound slots: which slots are available, freeing them, and the
// per-slot readings and settings (status, play time, volume).
#include <SDL/SDL_mixer.h>

#include <algorithm>

#include "korvid.h"

namespace {

constexpr float VOLUME_FACTOR = 1.28f;   // 0..100 to the mixer's 0..128

template <typename T>
void FreeHeld(T*& pBlock)
{
    if (pBlock)
        Korvid.FreeMemory(pBlock);
    pBlock = nullptr;
}

}  // namespace

// Before the mixer opens the table does not exist yet; its size is then the one
// the configuration will give it.
uint32_t KorvidAudio::SoundSlotCount() const
{
    if (!m_SoundSlots.empty())
        return (uint32_t)m_SoundSlots.size();
    return (uint32_t)std::max<int32_t>(Korvid.m_Config.nSoundSlots, 0);
}

KorvidSoundSlot* KorvidAudio::AvailableSlot(uint32_t nId)
{
    if (!m_bSoundEnabled || nId >= m_SoundSlots.size() || !m_SoundSlots[nId].nLoaded)
        return nullptr;
    return &m_SoundSlots[nId];
}

void KorvidAudio::FreeSound(uint32_t nId)
{
    KorvidProfileScope Section("KorvidAudio::FreeSound()");
    KorvidLockScope Lock;
    if (AvailableSlot(nId))
        ReleaseSlot(nId);
}

void KorvidAudio::FreeAllSounds()
{
    for (uint32_t nId = 0; nId < m_SoundSlots.size(); ++nId)
        FreeSound(nId);
}

// Gives back everything the slot holds; the chunk goes before the image it plays from.
void KorvidAudio::ReleaseSlot(uint32_t nId)
{
    KorvidSoundSlot& Slot = m_SoundSlots[nId];
    if (Slot.szFileName && Korvid.TraceMaskHas(KOR_TRACE_VERBOSE))
        Korvid.DebugLog("FreeSound(%d) - Free sound '%s'", (int)nId, Slot.szFileName);
    ForgetFileName(Slot);
    HaltSlot(Slot);
    if (Slot.pChunk)
        Mix_FreeChunk(Slot.pChunk);
    Slot.pChunk = nullptr;
    Slot.nChannel = -1;
    Slot.nMixerVolume = MIX_MAX_VOLUME;
    FreeHeld(Slot.pWavImage);
    ForgetDecoded(Slot);
    Slot.nLoaded = 0;
}

void KorvidAudio::ForgetFileName(KorvidSoundSlot& Slot)
{
    FreeHeld(Slot.szFileName);
}

void KorvidAudio::ForgetDecoded(KorvidSoundSlot& Slot)
{
    FreeHeld(Slot.pDecoded);
}

uint8_t KorvidAudio::SoundStatus(uint32_t nId)
{
    KorvidLockScope Lock;
    KorvidSoundSlot* pSlot = AvailableSlot(nId);
    if (!pSlot)
        return KOR_SOUND_UNAVAILABLE;
    if (pSlot->nLoopMark)
        return KOR_SOUND_LOOPING;
    if (pSlot->nEndTime == 0 || Korvid.Timer() >= pSlot->nEndTime)
        return KOR_SOUND_IDLE;
    return KOR_SOUND_PLAYING;
}

uint32_t KorvidAudio::GetSoundPlayTime(uint32_t nId)
{
    KorvidSoundSlot* pSlot = AvailableSlot(nId);
    return pSlot ? pSlot->nPlayTime : 0;
}

void KorvidAudio::WhilePlaying(uint32_t nId)
{
    int32_t nRemaining = 0;
    {
        KorvidLockScope Lock;
        KorvidSoundSlot* pSlot = AvailableSlot(nId);
        if (!pSlot || pSlot->nEndTime == 0)
            return;
        nRemaining = (int32_t)(pSlot->nEndTime - Korvid.Timer());
    }
    if (nRemaining <= 0)
        return;
    Korvid.DebugLog("WhilePlaying(%d) - Pause %.3f", (int)nId, nRemaining / 1000.0);
    Korvid.Pause((uint32_t)nRemaining);
}

// The factor is the single-precision 1.28, a little below 1.28, and the product
// is truncated in double precision: 100 gives 127, 50 gives 63, 79 gives 101.
bool KorvidAudio::SetSoundVolume(uint32_t nId, int16_t nVolume)
{
    KorvidLockScope Lock;
    KorvidSoundSlot* pSlot = AvailableSlot(nId);
    if (!pSlot)
        return false;
    int nMixerVolume = (int)((double)VOLUME_FACTOR * nVolume);
    pSlot->nMixerVolume = std::clamp(nMixerVolume, 0, MIX_MAX_VOLUME);
    return true;
}

int32_t KorvidAudio::FindFreeSoundSlot()
{
    for (uint32_t nId = 0; nId < SoundSlotCount(); ++nId)
        if (nId >= m_SoundSlots.size() || !m_SoundSlots[nId].nLoaded)
            return (int32_t)nId;
    return -1;
}
