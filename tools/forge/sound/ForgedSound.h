// A finished sound of the forge: its name in the archive, the loudness group
// the sound step balances it with, and its samples.
#pragma once
#include <string>
#include <vector>

#include "Synth.h"

enum class SoundGroup { Brick, Bonus, Explosion, Shot, Wall, Jingle, Quiet, Music };

struct ForgedSound {
    std::string Name;
    SoundGroup Group;
    Signal Samples;
};
