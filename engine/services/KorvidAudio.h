// Short sampled sounds over SDL_mixer: a fixed table of sound slots addressed by
// sound id, WAV images (PCM or Microsoft ADPCM) turned into one mixer format
// (16-bit mono at the source rate, 11025 Hz doubled to 22050 Hz), and playing,
// stopping, volume, status and play times on the engine's Timer.
#pragma once
#include <cstdint>
#include <vector>

#include "services/WavCodec.h"

struct Mix_Chunk;

// PlaySound flags.
constexpr uint32_t KOR_SOUND_LOOP = 0x01;     // sets the loop mark that SoundStatus reports
constexpr uint32_t KOR_SOUND_NOLOOP = 0x02;   // clears it

// SoundStatus results.
constexpr uint8_t KOR_SOUND_UNAVAILABLE = 0;
constexpr uint8_t KOR_SOUND_IDLE = 1;
constexpr uint8_t KOR_SOUND_PLAYING = 2;
constexpr uint8_t KOR_SOUND_LOOPING = 3;

struct KorvidSoundSlot {
    uint8_t nLoaded = 0;          // 1 once handed to the mixer
    KorvidWavFormat Format = {};
    uint32_t nPlayTime = 0;       // ms, whole seconds of sound
    uint32_t nEndTime = 0;        // Timer() when the current playing ends; 0 when not playing
    uint8_t nLoopMark = 0;
    char* szFileName = nullptr;   // owned copy of the name LoadSound was given
    uint8_t* pDecoded = nullptr;  // PCM between decoding and upload
    uint8_t* pWavImage = nullptr; // the mixer-ready image the chunk plays from
    // The mixer side.
    Mix_Chunk* pChunk = nullptr;
    int nChannel = -1;            // mixing channel last played on
    int nMixerVolume = 128;       // 0..128, applied at the next play
};

class KorvidAudio {
public:
    static constexpr int MIXING_CHANNELS = 8;
    static constexpr int MIXER_RATE = 22050;
    static constexpr uint16_t MIXER_FORMAT = 0x8010;   // signed 16-bit little-endian
    static constexpr int MIXER_CHANNELS = 1;
    static constexpr int MIXER_CHUNK_SIZE = 512;

    void SoundInit();
    void SoundShutDown();
    void SoundOn();
    void SoundOff();
    bool IsSoundOn() const { return m_bSoundEnabled; }
    bool ServiceAudio() const { return IsSoundOn(); }   // the message loop's call between events and frames
    void SetAudioFormat(uint8_t nChannels, uint8_t nSecondCount, int32_t nRate);

    bool LoadSound(uint32_t nId, const char* szName);
    bool DecodeWAV(uint32_t nId, const void* pImage, uint32_t nImageSize, bool bImageOwned);
    bool UploadSound(uint32_t nId);
    void UpdateSoundPlayTime(uint32_t nId);
    uint8_t* EncodeWAV(uint32_t nId);

    // The fourth argument has no effect; the fifth is a per-sound platform value
    // that SDL_mixer has no setting for.
    bool PlaySound(uint32_t nId, uint32_t nFlags, int16_t nVolume, int32_t nUnused = 0, int32_t nPlatformValue = 0);
    void StopSound(uint32_t nId);
    void StopAllSounds();
    void FreeSound(uint32_t nId);
    void FreeAllSounds();
    uint8_t SoundStatus(uint32_t nId);
    uint32_t GetSoundPlayTime(uint32_t nId);
    void WhilePlaying(uint32_t nId);
    bool SetSoundVolume(uint32_t nId, int16_t nVolume);
    bool IsSoundLoaded(uint32_t nId) { return AvailableSlot(nId) != nullptr; }
    int32_t FindFreeSoundSlot();

    uint32_t SoundSlotCount() const;
    const KorvidSoundSlot* SoundSlot(uint32_t nId) const { return nId < m_SoundSlots.size() ? &m_SoundSlots[nId] : nullptr; }

private:
    bool OpenMixer();
    KorvidSoundSlot* AvailableSlot(uint32_t nId);
    bool DecodeIntoSlot(KorvidSoundSlot& Slot, const uint8_t* pImage, uint32_t nImageSize);
    bool StartOnMixer(uint32_t nId, KorvidSoundSlot& Slot);
    void HaltSlot(KorvidSoundSlot& Slot);
    void ReleaseSlot(uint32_t nId);
    void ForgetFileName(KorvidSoundSlot& Slot);
    void ForgetDecoded(KorvidSoundSlot& Slot);

    std::vector<KorvidSoundSlot> m_SoundSlots;   // made when the mixer opens, sized by the configuration
    bool m_bSoundEnabled = false;
    bool m_bMixerOpen = false;
};
