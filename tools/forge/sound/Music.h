// The game's two music tracks, composed as loops: the last bar leads back into
// the first and every sound still ringing at the end is heard again at the
// start, so a track that restarts the moment it ends has no seam.
#pragma once
#include "Effects.h"   // ForgedSound

// "intro_96.wav": title and between-level screens. Calm: C major, 90 beats a
// minute, 24 bars (64 s) of electric piano, pad, flute and soft drums.
Signal ComposeIntroTrack();
// "ingame_96.wav": play. Driving but light: A minor, 126 beats a minute,
// 32 bars (61 s) of four-to-the-floor drums, pumping bass, plucked
// arpeggios and a square lead.
Signal ComposeIngameTrack();

std::vector<ForgedSound> ForgeMusic();
