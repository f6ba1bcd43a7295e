// The forge step "sounds": every effect and both music tracks, balanced in
// loudness and packed into the game's sound archive.
#pragma once
#include "Forge.h"

constexpr const char* SOUND_ARCHIVE = "sound/sounds.kar";

bool ForgeSounds(const ForgeContext& Context);
