#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float LOUDNESS_WINDOW = 0.05f;
constexpr float LOUDNESS_HOP = 0.01f;
constexpr float STRIKE_TAPER = 0.015f;   // the last moments of a struck sound fade linearly to zero

// The polynomial correction that rounds off a waveform's jump at phase 0
// (or at the shifted phase of a pulse's second edge) so it does not alias.
float PolyBlep(float fPhase, float fStep)
{
    if (fPhase < fStep) {
        float t = fPhase / fStep;
        return t + t - t * t - 1.0f;
    }
    if (fPhase > 1.0f - fStep) {
        float t = (fPhase - 1.0f) / fStep;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

}  // namespace

float NoteFrequency(float fMidiNote) { return 440.0f * std::pow(2.0f, (fMidiNote - 69.0f) / 12.0f); }
float DecibelsToGain(float fDecibels) { return std::pow(10.0f, fDecibels / 20.0f); }
float GainToDecibels(float fGain) { return 20.0f * std::log10(std::max(fGain, 1e-9f)); }

float Oscillator::Advance(float fFrequency)
{
    float fPhase = m_fPhase;
    m_fPhase += fFrequency / SOUND_RATE;
    m_fPhase -= std::floor(m_fPhase);
    return fPhase;
}

float Oscillator::Sine(float fFrequency, float fPhaseShift)
{
    return std::sin(2.0f * PI * Advance(fFrequency) + fPhaseShift);
}

float Oscillator::Triangle(float fFrequency) { return 1.0f - 4.0f * std::fabs(Advance(fFrequency) - 0.5f); }

float Oscillator::Saw(float fFrequency)
{
    float fStep = std::min(fFrequency / SOUND_RATE, 0.5f);
    float fPhase = Advance(fFrequency);
    return 2.0f * fPhase - 1.0f - PolyBlep(fPhase, fStep);
}

float Oscillator::Pulse(float fFrequency, float fWidth)
{
    float fStep = std::min(fFrequency / SOUND_RATE, 0.5f);
    float fPhase = Advance(fFrequency);
    float fSecondEdge = fPhase + 1.0f - fWidth;
    fSecondEdge -= std::floor(fSecondEdge);
    return (fPhase < fWidth ? 1.0f : -1.0f) + PolyBlep(fPhase, fStep) - PolyBlep(fSecondEdge, fStep);
}

float Envelope::At(float fTime, float fHold) const
{
    auto Level = [this](float t) {
        if (t < fAttack)
            return t / fAttack;
        return fSustain + (1.0f - fSustain) * std::exp(-3.0f * (t - fAttack) / fDecay);
    };
    if (fTime < 0.0f)
        return 0.0f;
    if (fTime < fHold)
        return Level(fTime);
    float fGone = (fTime - fHold) / fRelease;
    if (fGone >= 1.0f)
        return 0.0f;
    return Level(fHold) * (1.0f - fGone) * (1.0f - fGone);
}

float Strike(float fTime, float fAttack, float fDecay, float fLength)
{
    if (fTime < 0.0f || fTime >= fLength)
        return 0.0f;
    float fLevel = fTime < fAttack ? fTime / fAttack : std::exp(-(fTime - fAttack) / fDecay);
    return fLevel * std::min(1.0f, (fLength - fTime) / STRIKE_TAPER);
}

void StateFilter::SetCutoff(float fFrequency, float fResonance)
{
    float fLimited = std::clamp(fFrequency, 10.0f, SOUND_RATE * 0.45f);
    float g = std::tan(PI * fLimited / SOUND_RATE);
    m_fDamping = 1.0f / fResonance;
    m_fA1 = 1.0f / (1.0f + g * (g + m_fDamping));
    m_fA2 = g * m_fA1;
    m_fA3 = g * m_fA2;
}

StateFilter::Outputs StateFilter::Process(float fInput)
{
    float v3 = fInput - m_fState2;
    float v1 = m_fA1 * m_fState1 + m_fA2 * v3;
    float v2 = m_fState2 + m_fA2 * m_fState1 + m_fA3 * v3;
    m_fState1 = 2.0f * v1 - m_fState1;
    m_fState2 = 2.0f * v2 - m_fState2;
    return {v2, v1, fInput - m_fDamping * v1 - v2};
}

void MixAt(Signal& Into, const Signal& Sound, int nAt, float fGain)
{
    for (size_t n = 0; n < Sound.size(); ++n) {
        int64_t nTarget = (int64_t)nAt + (int64_t)n;
        if (nTarget >= 0 && nTarget < (int64_t)Into.size())
            Into[nTarget] += Sound[n] * fGain;
    }
}

void Scale(Signal& Sound, float fGain)
{
    for (float& f : Sound)
        f *= fGain;
}

void FadeEnds(Signal& Sound, float fFadeIn, float fFadeOut)
{
    int nSize = (int)Sound.size();
    int nIn = std::min(std::max(SampleCount(fFadeIn), 1), nSize);
    int nOut = std::min(std::max(SampleCount(fFadeOut), 1), nSize);
    for (int n = 0; n < nIn; ++n)
        Sound[n] *= (float)n / nIn;
    for (int n = 0; n < nOut; ++n)
        Sound[nSize - 1 - n] *= (float)n / nOut;
}

float PeakLevel(const Signal& Sound)
{
    float fPeak = 0.0f;
    for (float f : Sound)
        fPeak = std::max(fPeak, std::fabs(f));
    return fPeak;
}

float RmsLevel(const Signal& Sound)
{
    double fSum = 0.0;
    for (float f : Sound)
        fSum += (double)f * f;
    return Sound.empty() ? 0.0f : (float)std::sqrt(fSum / Sound.size());
}

float LoudnessLevel(const Signal& Sound)
{
    size_t nWindow = (size_t)SampleCount(LOUDNESS_WINDOW), nHop = (size_t)SampleCount(LOUDNESS_HOP);
    if (Sound.size() <= nWindow)
        return RmsLevel(Sound);
    std::vector<double> Sums(Sound.size() + 1, 0.0);
    for (size_t n = 0; n < Sound.size(); ++n)
        Sums[n + 1] = Sums[n] + (double)Sound[n] * Sound[n];
    double fLoudest = 0.0;
    for (size_t nStart = 0; nStart + nWindow <= Sound.size(); nStart += nHop)
        fLoudest = std::max(fLoudest, Sums[nStart + nWindow] - Sums[nStart]);
    return (float)std::sqrt(fLoudest / nWindow);
}

std::vector<int16_t> ToPcm16(const Signal& Sound)
{
    std::vector<int16_t> Samples(Sound.size());
    for (size_t n = 0; n < Sound.size(); ++n)
        Samples[n] = (int16_t)std::clamp(std::lround(Sound[n] * 32767.0f), -32768l, 32767l);
    return Samples;
}
