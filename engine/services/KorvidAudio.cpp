// The mixer's life and the sounds on it: opening and closing SDL_mixer, the
// audio format settings, and starting and stopping sounds on mixing channels.
#include "services/KorvidAudio.h"

#include <SDL/SDL_mixer.h>

#include "korvid.h"

void KorvidAudio::SoundInit()
{
    Korvid.DebugLog("KorvidAudio::SoundInit()");
    // A second start would drop the chunks of the first: close it properly instead.
    SoundShutDown();
    if (!OpenMixer()) {
        Korvid.DebugLog("ERROR: ** SoundInit() FAILED **");
        return;
    }
    m_bSoundEnabled = true;
    FreeAllSounds();
}

bool KorvidAudio::OpenMixer()
{
    m_SoundSlots.assign(SoundSlotCount(), KorvidSoundSlot());
    Korvid.DebugLog("SDL: Requesting Audio %dHz, %d Channels, Format 0x%X", MIXER_RATE, MIXER_CHANNELS, MIXER_FORMAT);
    if (Mix_OpenAudio(MIXER_RATE, MIXER_FORMAT, MIXER_CHANNELS, MIXER_CHUNK_SIZE) < 0) {
        Korvid.DebugLog("ERROR: ** SDL Mix_OpenAudio(%d, %d, %d) - failed: %s", (int)Korvid.m_Config.nAudioRate,
                        (int)Korvid.m_Config.nAudioChannels, MIXER_CHUNK_SIZE, Mix_GetError());
        return false;
    }
    m_bMixerOpen = true;
    int nRate = 0, nChannels = 0;
    uint16_t nFormat = 0;
    Mix_QuerySpec(&nRate, &nFormat, &nChannels);
    Korvid.DebugLog("SDL: Got Audio Format %dHz, %d Channels, Format 0x%X", nRate, nChannels, nFormat);
    Mix_AllocateChannels(MIXING_CHANNELS);
    return true;
}

// Runs whenever the mixer is open, even after SoundOff, so that no sound
// outlives the mixer.
void KorvidAudio::SoundShutDown()
{
    if (!m_bMixerOpen)
        return;
    Korvid.DebugLog("SoundShutDown()");
    for (uint32_t nId = 0; nId < m_SoundSlots.size(); ++nId)
        ReleaseSlot(nId);
    m_bSoundEnabled = false;
    Mix_CloseAudio();
    m_bMixerOpen = false;
}

void KorvidAudio::SoundOn() { m_bSoundEnabled = m_bMixerOpen; }

void KorvidAudio::SoundOff()
{
    StopAllSounds();
    m_bSoundEnabled = false;
}

void KorvidAudio::SetAudioFormat(uint8_t nChannels, uint8_t nSecondCount, int32_t nRate)
{
    KorvidLockScope Lock;
    Korvid.m_Config.bSoundRequested = nChannels != 0;
    if (nChannels == 0 && m_bSoundEnabled)
        StopAllSounds();
    Korvid.m_Config.nAudioChannels = nChannels;
    Korvid.m_Config.nAudioSecondCount = nSecondCount;
    Korvid.m_Config.nAudioRate = nRate;
}

bool KorvidAudio::PlaySound(uint32_t nId, uint32_t nFlags, int16_t nVolume, int32_t, int32_t)
{
    KorvidLockScope Lock;
    KorvidProfileScope Section("KorvidAudio::PlaySound()");
    KorvidSoundSlot* pSlot = AvailableSlot(nId);
    if (!pSlot)
        return true;
    StopSound(nId);
    SetSoundVolume(nId, nVolume);
    if (nFlags & KOR_SOUND_LOOP)
        pSlot->nLoopMark = 1;
    if (nFlags & KOR_SOUND_NOLOOP)
        pSlot->nLoopMark = 0;
    bool bStarted = StartOnMixer(nId, *pSlot);
    if (bStarted) {
        pSlot->nEndTime = Korvid.Timer() + pSlot->nPlayTime;
        Korvid.DebugLog("Sound: %d    Length: %d", (int)nId, (int)pSlot->nPlayTime);
    }
    Korvid.DebugLog("End Of Playsound");
    return bStarted;
}

// Plays the chunk once on the highest-numbered idle mixing channel, or on any
// channel the mixer picks when all are busy.
bool KorvidAudio::StartOnMixer(uint32_t nId, KorvidSoundSlot& Slot)
{
    int nChosen = -1;
    for (int nChannel = MIXING_CHANNELS - 1; nChannel >= 0 && nChosen < 0; --nChannel)
        if (!Mix_Playing(nChannel))
            nChosen = nChannel;
    if (nChosen >= 0)
        Mix_Volume(nChosen, Slot.nMixerVolume);
    int nActual = Mix_PlayChannel(nChosen, Slot.pChunk, 0);
    if (nActual < 0) {
        Korvid.DebugLog("WARNING: ** Mix_PlayChannel(%d) - failed: %s **", (int)nId, Mix_GetError());
        return false;
    }
    Mix_Volume(nActual, Slot.nMixerVolume);
    Slot.nChannel = nActual;
    return true;
}

void KorvidAudio::StopSound(uint32_t nId)
{
    KorvidLockScope Lock;
    if (KorvidSoundSlot* pSlot = AvailableSlot(nId))
        HaltSlot(*pSlot);
}

// The remembered channel may since have been given to another sound: only a
// channel still holding this slot's chunk is halted.
void KorvidAudio::HaltSlot(KorvidSoundSlot& Slot)
{
    if (Slot.nChannel >= 0 && Slot.pChunk && Mix_GetChunk(Slot.nChannel) == Slot.pChunk)
        Mix_HaltChannel(Slot.nChannel);
    Slot.nChannel = -1;
    Slot.nEndTime = 0;
    Slot.nLoopMark = 0;
}

void KorvidAudio::StopAllSounds()
{
    for (uint32_t nId = 0; nId < m_SoundSlots.size(); ++nId)
        StopSound(nId);
}
