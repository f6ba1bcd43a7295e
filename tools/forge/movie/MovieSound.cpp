// The logo sound tracks' synthesizer and their WAV images.
#include "MovieSound.h"

#include <algorithm>
#include <cmath>

#include "Canvas.h"

namespace {

constexpr float PI = 3.14159265358979f;

// A state-variable filter in its trapezoidal form: stable for any cut-off below
// the Nyquist rate, even when the cut-off moves every sample.
class Filter {
public:
    void Tune(float fCutoffHz, float fResonance)
    {
        float g = std::tan(PI * std::min(fCutoffHz, SoundTrack::RATE * 0.45f) / SoundTrack::RATE);
        float k = 1.0f / fResonance;
        m_a1 = 1.0f / (1.0f + g * (g + k));
        m_a2 = g * m_a1;
        m_a3 = g * m_a2;
    }
    // Runs one sample; BandPass() and LowPass() then hold the outputs.
    void Run(float fInput)
    {
        float v3 = fInput - m_ic2;
        float v1 = m_a1 * m_ic1 + m_a2 * v3;
        float v2 = m_ic2 + m_a2 * m_ic1 + m_a3 * v3;
        m_ic1 = 2 * v1 - m_ic1;
        m_ic2 = 2 * v2 - m_ic2;
        m_fBand = v1;
        m_fLow = v2;
    }
    float BandPass() const { return m_fBand; }
    float LowPass() const { return m_fLow; }

private:
    float m_a1 = 0, m_a2 = 0, m_a3 = 0, m_ic1 = 0, m_ic2 = 0, m_fBand = 0, m_fLow = 0;
};

// 0 -> 1 -> 0 over the unit interval with smooth ends.
float Swell(float t) { return t <= 0 || t >= 1 ? 0.0f : std::pow(std::sin(PI * t), 2.0f); }

}  // namespace

SoundTrack::SoundTrack(float fSeconds) : m_Samples(SampleAt(fSeconds)) {}

void SoundTrack::AddWhoosh(float fStart, float fLength, float fLowHz, float fHighHz, float fGain, uint64_t nSeed)
{
    ForgeRandom Noise(nSeed);
    Filter Band;
    const size_t nFirst = SampleAt(fStart), nCount = SampleAt(fLength);
    for (size_t n = 0; n < nCount; ++n) {
        float t = (float)n / nCount;
        // The pitch of the rush follows the swell, peaking a little after its middle.
        float fSweep = Swell(std::pow(t, 0.8f));
        Band.Tune(fLowHz * std::pow(fHighHz / fLowHz, fSweep), 1.6f);
        Band.Run(Noise.Range(-1.0f, 1.0f));
        Add(nFirst + n, Band.BandPass() * fSweep * fGain);
    }
}

void SoundTrack::AddBell(float fStart, float fPitchHz, float fDecay, float fGain)
{
    struct Partial {
        float fRatio, fLevel, fDecayShare;
    };
    static const Partial Partials[] = {{0.5f, 0.35f, 1.6f}, {1.0f, 1.0f, 1.0f}, {1.19f, 0.45f, 0.7f},
                                       {1.5f, 0.3f, 0.6f},  {2.0f, 0.5f, 0.5f}, {2.74f, 0.25f, 0.3f},
                                       {3.76f, 0.15f, 0.2f}, {5.4f, 0.08f, 0.12f}};
    const size_t nFirst = SampleAt(fStart), nCount = SampleAt(fDecay * 2.2f);
    for (size_t n = 0; n < nCount; ++n) {
        float t = (float)n / RATE;
        float fStrike = std::min(1.0f, t / 0.002f);
        float fValue = 0;
        for (const Partial& P : Partials)
            fValue += P.fLevel * std::exp(-t / (fDecay * P.fDecayShare)) * std::sin(2 * PI * fPitchHz * P.fRatio * t);
        Add(nFirst + n, fValue * fStrike * fGain * 0.3f);
    }
}

void SoundTrack::AddDrone(float fStart, float fLength, const std::vector<float>& PitchesHz, float fAttack,
                          float fRelease, float fGain)
{
    const float Detune[] = {0.996f, 1.0f, 1.005f};
    std::vector<float> Phases(PitchesHz.size() * 3, 0.0f);
    Filter Soft;
    const size_t nFirst = SampleAt(fStart), nCount = SampleAt(fLength);
    for (size_t n = 0; n < nCount; ++n) {
        float t = (float)n / RATE;
        float fLevel = std::min({1.0f, t / fAttack, std::max(0.0f, (fLength - t) / fRelease)});
        float fSaw = 0;
        for (size_t nVoice = 0; nVoice < Phases.size(); ++nVoice) {
            float& fPhase = Phases[nVoice];
            fPhase += PitchesHz[nVoice / 3] * Detune[nVoice % 3] / RATE;
            fPhase -= std::floor(fPhase);
            fSaw += 2 * fPhase - 1;
        }
        // The low-pass opens with the swell, so the drone brightens as it grows.
        Soft.Tune(250.0f + 1600.0f * fLevel, 0.9f);
        Soft.Run(fSaw / Phases.size());
        Add(nFirst + n, Soft.LowPass() * fLevel * fGain);
    }
}

void SoundTrack::AddRoom(float fWet)
{
    const float DelaysMs[] = {29.7f, 37.1f, 41.1f, 43.7f};
    std::vector<float> Wet(m_Samples.size(), 0.0f);
    for (float fDelayMs : DelaysMs) {
        size_t nDelay = SampleAt(fDelayMs / 1000.0f);
        std::vector<float> Comb(m_Samples.size(), 0.0f);
        for (size_t n = 0; n < Comb.size(); ++n) {
            Comb[n] = m_Samples[n] + (n >= nDelay ? 0.78f * Comb[n - nDelay] : 0.0f);
            Wet[n] += Comb[n] * 0.25f;
        }
    }
    for (size_t n = 0; n < m_Samples.size(); ++n)
        m_Samples[n] += (n > 0 ? Wet[n - 1] : 0.0f) * fWet;
}

void SoundTrack::Finish(float fPeak)
{
    float fLoudest = 0;
    for (float f : m_Samples)
        fLoudest = std::max(fLoudest, std::fabs(f));
    float fScale = fLoudest > 0 ? fPeak / fLoudest : 0.0f;
    const size_t nEdge = SampleAt(0.05f);
    for (size_t n = 0; n < m_Samples.size(); ++n) {
        size_t nFromEnd = m_Samples.size() - 1 - n;
        float fEdge = std::min({1.0f, (float)n / nEdge, (float)nFromEnd / nEdge});
        m_Samples[n] *= fScale * fEdge;
    }
}

std::vector<uint8_t> SoundTrack::WavImage() const
{
    const uint32_t nData = (uint32_t)m_Samples.size() * 2;
    std::vector<uint8_t> Image;
    // Byte by byte: GCC 12 takes an insert into the empty vector for an overflow.
    auto Tag = [&](const char* sz) {
        for (int n = 0; n < 4; ++n)
            Image.push_back((uint8_t)sz[n]);
    };
    auto LE = [&](uint32_t nValue, int nBytes) {
        for (int n = 0; n < nBytes; ++n)
            Image.push_back((uint8_t)(nValue >> (8 * n)));
    };
    Tag("RIFF"), LE(36 + nData, 4), Tag("WAVE");
    Tag("fmt "), LE(16, 4), LE(1, 2), LE(1, 2), LE(RATE, 4), LE(RATE * 2, 4), LE(2, 2), LE(16, 2);
    Tag("data"), LE(nData, 4);
    for (float f : m_Samples)
        LE((uint16_t)(int16_t)std::lround(std::clamp(f, -1.0f, 1.0f) * 32767.0f), 2);
    return Image;
}
