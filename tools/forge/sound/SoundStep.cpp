// Loudness: each group of effects is brought to one level, measured as the
// RMS of its loudest 50 ms (what the ear takes as "how loud" for a short
// sound), so a brick's ring and an explosion's tail do not skew it. Groups
// heard all the time (wall bounces, key taps) sit lower; the music sits under
// the effects. A peak ceiling below full scale leaves room for the mixer,
// which adds up to eight sounds at once.
#include "SoundStep.h"

#include <algorithm>

#include "Effects.h"
#include "Music.h"
#include "SoundArchiveWriter.h"
#include "WavWriter.h"

namespace {

constexpr float EFFECT_PEAK_CEILING = -1.0f;   // dBFS
constexpr float MUSIC_PEAK_CEILING = -3.0f;
constexpr float EDGE_FADE = 0.002f;            // seconds: no sound starts or stops with a step

struct GroupLevel {
    SoundGroup Group;
    float fLoudness;   // dBFS, RMS of the loudest 50 ms; for music the RMS of the whole track
};
const GroupLevel LEVELS[] = {
    {SoundGroup::Brick, -15.0f},  {SoundGroup::Bonus, -15.0f}, {SoundGroup::Explosion, -12.0f},
    {SoundGroup::Shot, -16.0f},   {SoundGroup::Wall, -19.0f},  {SoundGroup::Jingle, -14.0f},
    {SoundGroup::Quiet, -20.0f},  {SoundGroup::Music, -20.0f},
};

float TargetLoudness(SoundGroup Group)
{
    for (const GroupLevel& Level : LEVELS)
        if (Level.Group == Group)
            return Level.fLoudness;
    return -20.0f;
}

void Balance(ForgedSound& Sound)
{
    bool bMusic = Sound.Group == SoundGroup::Music;
    if (!bMusic)
        FadeEnds(Sound.Samples, EDGE_FADE, EDGE_FADE);
    float fLevel = bMusic ? RmsLevel(Sound.Samples) : LoudnessLevel(Sound.Samples);
    if (fLevel <= 0.0f)
        return;
    float fGain = DecibelsToGain(TargetLoudness(Sound.Group)) / fLevel;
    float fCeiling = DecibelsToGain(bMusic ? MUSIC_PEAK_CEILING : EFFECT_PEAK_CEILING);
    fGain = std::min(fGain, fCeiling / PeakLevel(Sound.Samples));
    Scale(Sound.Samples, fGain);
}

}  // namespace

bool ForgeSounds(const ForgeContext& Context)
{
    std::vector<ForgedSound> Sounds = ForgeEffects();
    std::vector<ForgedSound> Music = ForgeMusic();
    Sounds.insert(Sounds.end(), Music.begin(), Music.end());

    std::vector<SoundArchiveEntry> Entries;
    for (ForgedSound& Sound : Sounds) {
        Balance(Sound);
        std::vector<int16_t> Samples = ToPcm16(Sound.Samples);
        Entries.push_back({Sound.Name, Sound.Group == SoundGroup::Music ? AdpcmWavImage(Samples, SOUND_RATE)
                                                                        : PcmWavImage(Samples, SOUND_RATE)});
    }
    std::string Error;
    std::vector<uint8_t> Archive = BuildSoundArchive(Entries, Error);
    if (Archive.empty()) {
        ForgeComplain("sound archive: %s", Error.c_str());
        return false;
    }
    ForgeSay("%s: %zu sounds, %zu bytes", SOUND_ARCHIVE, Entries.size(), Archive.size());
    return ForgeWriteFile(Context, SOUND_ARCHIVE, Archive);
}
