// The game's two music tracks, composed as loops: the last bar leads back into
// the first and every sound still ringing at the end is heard again at the
// start, so a track that restarts the moment it ends has no seam.
//
// Both last a whole number of seconds: the engine counts a sound's play time in
// whole seconds and the game restarts the music when that time is up, so any
// fraction of a second at the end would be cut off mid-note.
#pragma once
#include "ForgedSound.h"

// "intro_96.wav": title and between-level screens. Calm: C major, 90 beats a
// minute, 24 bars (64 s) of electric piano, pad, flute and soft drums.
Signal ComposeIntroTrack();
// "ingame_96.wav": play. Driving but light: A minor, 120 beats a minute,
// 32 bars (64 s) of four-to-the-floor drums, pumping bass, plucked
// arpeggios and a square lead.
Signal ComposeIngameTrack();

std::vector<ForgedSound> ForgeMusic();
