// The logo movies' sound tracks: a small synthesizer (filtered-noise whooshes,
// bell partials, a detuned drone, a light room reverb) mixing into a float
// track, and the 16-bit PCM WAV image a movie carries.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class SoundTrack {
public:
    static constexpr int RATE = 22050;   // the mixer's own rate: played without resampling

    explicit SoundTrack(float fSeconds);

    // Noise swept through a band-pass from fLowHz up to fHighHz and back down,
    // swelling in and out over fLength seconds.
    void AddWhoosh(float fStart, float fLength, float fLowHz, float fHighHz, float fGain, uint64_t nSeed);
    // A struck bell: inharmonic partials, each decaying at its own rate.
    void AddBell(float fStart, float fPitchHz, float fDecay, float fGain);
    // Detuned soft saw voices through a low-pass that opens over the attack.
    void AddDrone(float fStart, float fLength, const std::vector<float>& PitchesHz, float fAttack, float fRelease,
                  float fGain);
    // A few feedback delays mixed back in, for a room around the dry sounds.
    void AddRoom(float fWet);
    // Scales to the peak (0..1) and softens the very start and end against clicks.
    void Finish(float fPeak);

    const std::vector<float>& Samples() const { return m_Samples; }
    // A RIFF WAVE image: PCM, one channel, 16 bits, RATE Hz.
    std::vector<uint8_t> WavImage() const;

private:
    void Add(size_t nAt, float fValue)
    {
        if (nAt < m_Samples.size())
            m_Samples[nAt] += fValue;
    }
    size_t SampleAt(float fSeconds) const { return fSeconds <= 0 ? 0 : (size_t)(fSeconds * RATE); }

    std::vector<float> m_Samples;
};
