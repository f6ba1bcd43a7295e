// The forged sound archive as the game reads it: every name of the game's
// sound table once, every entry decoded by the engine, clean edges, balanced
// loudness, music that loops without a seam, and the same bytes on every run.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

#include "SoundArchive.h"
#include "support/WavImages.h"
#include "sound/SoundStep.h"
#include "sound/Synth.h"

namespace {

using namespace wavtest;

const char* const TRACKS[] = {"intro_96.wav", "ingame_96.wav"};

// The names the game asks the archive for.
std::vector<std::string> GameSoundNames()
{
    std::vector<std::string> Names = {"beam.wav", "step1.wav", "step2.wav", "hangup.wav", "go.wav", "gameover.wav",
                                      "tipp.wav", "intro_96.wav", "ingame_96.wav"};
    auto Numbered = [&](const char* szPrefix, int nLast) {
        for (int n = 1; n <= nLast; ++n)
            Names.push_back(szPrefix + std::to_string(n) + ".wav");
    };
    Numbered("explo", 5);
    for (const char* szBrick : {"stn", "stb", "stm", "stbr", "stg", "sth"})
        Numbered(szBrick, 19);
    Numbered("boni", 35);
    Numbered("schuss", 5);
    Numbered("bande", 3);
    return Names;
}

bool IsTrack(const std::string& Name) { return Name == TRACKS[0] || Name == TRACKS[1]; }

// "stbr12.wav" -> "stbr": the family whose members share one loudness.
std::string Family(const std::string& Name)
{
    size_t nEnd = Name.find_first_of("0123456789.");
    return Name.substr(0, nEnd);
}

Signal ToSignal(const std::vector<int16_t>& Samples)
{
    Signal Out(Samples.size());
    for (size_t n = 0; n < Samples.size(); ++n)
        Out[n] = Samples[n] / 32768.0f;
    return Out;
}

class ForgedSoundArchive : public AudioFixture {
protected:
    void SetUp() override
    {
        AudioFixture::SetUp();
        ASSERT_TRUE(ForgeSounds({".", "", ""}));
        m_pPack = std::make_unique<SoundPack>();
        OpenSoundPack(*m_pPack, SOUND_ARCHIVE);
    }

    // The entry as the mixer will play it.
    Signal Decoded(const std::string& Name)
    {
        EXPECT_TRUE(LoadPackSound(*m_pPack, 1, Name.c_str())) << Name;
        return ToSignal(MixerSamples(1));
    }

    const uint8_t* StoredImage(const std::string& Name)
    {
        for (uint32_t n = 0; n < m_pPack->nEntries; ++n)
            if (Name == m_pPack->szNames[n])
                return m_pPack->pData + m_pPack->nOffsets[n];
        return nullptr;
    }

    std::unique_ptr<SoundPack> m_pPack;
};

TEST_F(ForgedSoundArchive, HoldsEveryGameSoundOnceAndTheEngineDecodesEach)
{
    std::vector<std::string> Expected = GameSoundNames();
    ASSERT_EQ(m_pPack->nEntries, Expected.size());
    std::map<std::string, int> Count;
    for (uint32_t n = 0; n < m_pPack->nEntries; ++n)
        ++Count[m_pPack->szNames[n]];
    for (const std::string& Name : Expected) {
        EXPECT_EQ(Count[Name], 1) << Name;
        ASSERT_TRUE(LoadPackSound(*m_pPack, 2, Name.c_str())) << Name;
        const KorvidSoundSlot* pSlot = Korvid.SoundSlot(2);
        EXPECT_EQ(pSlot->Format.nSampleRate, 22050u) << Name;
        EXPECT_EQ(pSlot->Format.nChannels, 1) << Name;
        EXPECT_GT(pSlot->Format.nDataSize, 1000u) << Name;
    }
}

TEST_F(ForgedSoundArchive, EffectsHaveHeadroomCleanEdgesAndEvenLoudness)
{
    std::map<std::string, std::pair<float, float>> FamilyRange;   // quietest, loudest (dBFS)
    std::printf("%-14s %8s %9s %9s\n", "effect", "seconds", "peak dB", "loud dB");
    for (const std::string& Name : GameSoundNames()) {
        if (IsTrack(Name))
            continue;
        Signal Sound = Decoded(Name);
        ASSERT_GT(Sound.size(), 100u) << Name;
        float fPeak = PeakLevel(Sound), fLoudness = GainToDecibels(LoudnessLevel(Sound));
        std::printf("%-14s %8.3f %9.2f %9.2f\n", Name.c_str(), (double)Sound.size() / SOUND_RATE,
                    GainToDecibels(fPeak), fLoudness);
        EXPECT_LT(fPeak, DecibelsToGain(-0.9f)) << Name << " has no headroom";
        EXPECT_LE(std::fabs(Sound.front()), 64.0f / 32768.0f) << Name << " starts with a step";
        EXPECT_LE(std::fabs(Sound.back()), 64.0f / 32768.0f) << Name << " stops with a step";
        Signal LastMillisecond(Sound.end() - SampleCount(0.001f), Sound.end());
        EXPECT_LT(PeakLevel(LastMillisecond), 0.05f * fPeak) << Name << " is cut off while still sounding";
        auto Range = FamilyRange.emplace(Family(Name), std::make_pair(fLoudness, fLoudness)).first;
        Range->second.first = std::min(Range->second.first, fLoudness);
        Range->second.second = std::max(Range->second.second, fLoudness);
    }
    for (const auto& [Name, Range] : FamilyRange)
        EXPECT_LT(Range.second - Range.first, 1.5f) << "the " << Name << " sounds differ in loudness";
}

TEST_F(ForgedSoundArchive, MusicTracksRunAMinuteAndLoopWithoutASeam)
{
    for (const char* szTrack : TRACKS) {
        SCOPED_TRACE(szTrack);
        const uint8_t* pImage = StoredImage(szTrack);
        ASSERT_NE(pImage, nullptr);
        EXPECT_EQ(ReadLE16(pImage + 20), KOR_WAV_MS_ADPCM) << "music is stored compressed";
        Signal Music = Decoded(szTrack);
        double fSeconds = (double)Music.size() / SOUND_RATE;
        EXPECT_GE(fSeconds, 60.0);
        // The game restarts the music when the engine's play time (whole
        // seconds) is up: the track must really end then, not be cut short.
        EXPECT_EQ((uint64_t)Korvid.GetSoundPlayTime(1) * SOUND_RATE / 1000, Music.size());
        EXPECT_LT(PeakLevel(Music), DecibelsToGain(-2.0f));

        // The step from the last sample back to the first is no bigger than the
        // steps the music makes anyway.
        std::vector<float> Steps;
        for (size_t n = 1; n < Music.size(); ++n)
            Steps.push_back(std::fabs(Music[n] - Music[n - 1]));
        std::nth_element(Steps.begin(), Steps.begin() + Steps.size() * 999 / 1000, Steps.end());
        float fUsualLargeStep = Steps[Steps.size() * 999 / 1000];
        EXPECT_LE(std::fabs(Music.front() - Music.back()), fUsualLargeStep);

        // No gap at the join: the music is still sounding in its last moment and
        // already sounding in its first (no fade-out, no silent lead-in).
        size_t nWindow = (size_t)SampleCount(0.05f);
        EXPECT_GT(GainToDecibels(RmsLevel(Signal(Music.end() - nWindow, Music.end()))), -35.0f);
        EXPECT_GT(GainToDecibels(RmsLevel(Signal(Music.begin(), Music.begin() + nWindow))), -35.0f);
        std::printf("%-14s %8.3f s  peak %6.2f dB  rms %6.2f dB\n", szTrack, fSeconds,
                    GainToDecibels(PeakLevel(Music)), GainToDecibels(RmsLevel(Music)));
    }
}

TEST_F(ForgedSoundArchive, MusicSitsUnderTheEffects)
{
    float fQuietestEffect = 0.0f;
    for (const std::string& Name : GameSoundNames())
        if (!IsTrack(Name) && Family(Name) != "step" && Family(Name) != "tipp" && Family(Name) != "hangup" &&
            Family(Name) != "bande")
            fQuietestEffect = std::min(fQuietestEffect, GainToDecibels(LoudnessLevel(Decoded(Name))));
    for (const char* szTrack : TRACKS)
        EXPECT_LT(GainToDecibels(LoudnessLevel(Decoded(szTrack))), fQuietestEffect + 3.0f) << szTrack;
}

}  // namespace
