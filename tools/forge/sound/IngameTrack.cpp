// The play music. Form: groove (bars 1-4), A (5-12), B (13-20), A' (21-28),
// break (29-32) ending on E, the dominant that leads back to the opening A minor.
#include "Arranging.h"
#include "Music.h"

namespace {

constexpr int BEAT_SAMPLES = 11025;   // 120 beats a minute at 22050 Hz: 32 bars are 64 s exactly
constexpr int BARS = 32;
constexpr double EIGHTH = 0.5;
constexpr double SIXTEENTH = 0.25;

const char* const PROGRESSION =
    "Am F C G "
    "Am F C G Am F C G "
    "Dm Am F E Dm Am F E "
    "Am F C G Am F C G "
    "F G F E";

const char* const MELODY_A =
    "E5 - - - A5 - G5 E5 | F5 - - - E5 - C5 - | E5 - - - G5 - E5 D5 | D5 - - - B4 - G4 - "
    "E5 - - - A5 - G5 E5 | F5 - - - A5 - C6 - | B5 - - - G5 - E5 - | D5 - - - - - . . ";
const char* const MELODY_B =
    "F5 - E5 - D5 - A4 - | C5 - - - E5 - - - | A5 - G5 - F5 - C5 - | E5 - - - G#5 - - - "
    "F5 - E5 - D5 - F5 - | A5 - - - E5 - C5 - | D5 - C5 - A4 - C5 - | B4 - - - G#4 - - - ";
const char* const MELODY_BREAK = "C5 - - - - - - - | D5 - - - - - - - | C5 - - - A4 - - - | B4 - - - G#4 - B4 - ";

constexpr int BREAK_BAR = 28;

// Eighths on the root with octave jumps: the engine of the track.
void PlayBass(LoopTrack& Track, const std::vector<Chord>& Chords)
{
    const int PATTERN[8] = {0, 0, 12, 0, 0, 12, 0, 7};
    for (int nBar = 0; nBar < BARS; ++nBar) {
        float fRoot = (float)ChordRoot(Chords[nBar], 33);
        std::vector<NoteEvent> Notes;
        for (int nStep = 0; nStep < 8; ++nStep)
            Notes.push_back({nBar * 4 + nStep * EIGHTH, EIGHTH, fRoot + PATTERN[nStep]});
        PlayLine(Track, Notes, DriveBass, 0.42f, 0.8f);
    }
}

// Sixteenths climbing through the chord over two octaves.
void PlayArpeggios(LoopTrack& Track, const std::vector<Chord>& Chords)
{
    for (int nBar = 0; nBar < BREAK_BAR; ++nBar) {
        std::vector<int> Tones = ChordTones(Chords[nBar], 57, 81);
        std::vector<NoteEvent> Notes;
        for (int nStep = 0; nStep < 16; ++nStep)
            Notes.push_back({nBar * 4 + nStep * SIXTEENTH, SIXTEENTH, (float)Tones[nStep % Tones.size()]});
        PlayLine(Track, Notes, PluckSynth, 0.13f, 0.7f);
    }
}

void PlayDrums(LoopTrack& Track)
{
    PlayDrumPattern(Track, Drum::Kick, "x...x...x...x...", 0, BREAK_BAR, 0.75f);
    PlayDrumPattern(Track, Drum::Kick, "x.......x.......", BREAK_BAR, 3, 0.75f);
    PlayDrumPattern(Track, Drum::Kick, "x...x...x...x...", BARS - 1, 1, 0.75f);
    PlayDrumPattern(Track, Drum::Snare, "....x.......x...", 0, BARS - 1, 0.42f);
    PlayDrumPattern(Track, Drum::Snare, "....x.......xoxx", BARS - 1, 1, 0.42f);
    PlayDrumPattern(Track, Drum::ClosedHat, "ooxoooxoooxoooxo", 0, BARS, 0.09f);
    PlayDrumPattern(Track, Drum::OpenHat, "..x...x...x...x.", 4, BARS - 4, 0.08f);
}

}  // namespace

Signal ComposeIngameTrack()
{
    std::vector<Chord> Chords = ParseProgression(PROGRESSION);
    LoopTrack Band(BEAT_SAMPLES, BARS);
    PlayBass(Band, Chords);
    PlayArpeggios(Band, Chords);
    PlayDrums(Band);
    std::vector<Chord> Held(Chords.begin() + 12, Chords.begin() + 20);
    PlayChords(Band, Held, 12, WarmPad, 52, 71, 0.35f);
    std::vector<Chord> Break(Chords.begin() + BREAK_BAR, Chords.end());
    PlayChords(Band, Break, BREAK_BAR, WarmPad, 52, 71, 0.45f);

    LoopTrack Lead(BEAT_SAMPLES, BARS);
    std::string Tune = std::string(MELODY_A) + MELODY_B + MELODY_A + MELODY_BREAK;
    PlayLine(Lead, ParseNotes(Tune, EIGHTH, 4 * 4.0), SquareLead, 0.3f, 0.9f);
    PlayLine(Lead, ParseNotes(MELODY_A, EIGHTH, 20 * 4.0), Celesta, 0.1f, 0.9f, 12);
    Lead.Echo(0.75, 0.3f, 0.3f);
    Band.Add(Lead, 1.0f);
    return Band.Samples();
}
