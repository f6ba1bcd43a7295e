#include "Music.h"

std::vector<ForgedSound> ForgeMusic()
{
    return {{"intro_96.wav", SoundGroup::Music, ComposeIntroTrack()},
            {"ingame_96.wav", SoundGroup::Music, ComposeIngameTrack()}};
}
