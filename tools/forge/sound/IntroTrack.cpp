// The title music. Form: A (bars 1-8), B (9-16), A' (17-24); the closing G7
// leads back to the opening Cmaj7.
#include "Arranging.h"
#include "Music.h"

namespace {

constexpr int BEAT_SAMPLES = 14700;   // 90 beats a minute at 22050 Hz: 24 bars are 64 s exactly
constexpr int BARS = 24;
constexpr double EIGHTH = 0.5;

const char* const PROGRESSION =
    "Cmaj7 Am7 Fmaj7 G Cmaj7 Am7 Fmaj7 Gsus4 "
    "Dm7 Em7 Fmaj7 G Am7 Em7 Fmaj7 G "
    "Cmaj7 Am7 Fmaj7 G Em7 Am7 Dm7 G7";

const char* const PHRASE_A = "E5 - - - D5 E5 G5 - | A5 - - - G5 - E5 - | F5 - E5 - C5 - A4 - | D5 - - - - - . . ";
const char* const MELODY_A_END = "E5 - - - D5 E5 G5 - | C6 - - - B5 - A5 - | A5 - G5 - F5 - E5 - | D5 - - - - - - . ";
const char* const MELODY_B =
    "F5 - E5 - D5 - C5 - | D5 - - - B4 - G4 - | A4 - C5 - F5 - E5 - | D5 - - - - - . . "
    "E5 - - - A5 - G5 - | G5 - - - E5 - B4 - | A4 - C5 - E5 - F5 - | G5 - - - - - . . ";
const char* const MELODY_A_CLOSE = "G5 - - - E5 - B4 - | C5 - - - E5 - A5 - | F5 - E5 - D5 - C5 - | B4 - - - D5 - - - ";

// Broken chords in eighths, up and back down.
void PlayArpeggios(LoopTrack& Track, const std::vector<Chord>& Chords)
{
    const int PATTERN[8] = {0, 1, 2, 3, 2, 1, 2, 1};
    for (int nBar = 0; nBar < BARS; ++nBar) {
        std::vector<int> Tones = ChordTones(Chords[nBar], 60, 79);
        std::vector<NoteEvent> Notes;
        for (int nStep = 0; nStep < 8; ++nStep)
            Notes.push_back({nBar * 4 + nStep * EIGHTH, EIGHTH * 1.6, (float)Tones[PATTERN[nStep] % Tones.size()]});
        PlayLine(Track, Notes, ElectricPiano, 0.2f);
    }
}

// A root held for most of the bar, the fifth on the last beat.
void PlayBass(LoopTrack& Track, const std::vector<Chord>& Chords)
{
    for (int nBar = 0; nBar < BARS; ++nBar) {
        float fRoot = (float)ChordRoot(Chords[nBar], 36);
        PlayLine(Track, {{nBar * 4.0, 2.5, fRoot}, {nBar * 4.0 + 3.0, 1.0, fRoot + 7.0f}}, RoundBass, 0.5f, 0.9f);
    }
}

}  // namespace

Signal ComposeIntroTrack()
{
    std::vector<Chord> Chords = ParseProgression(PROGRESSION);
    LoopTrack Band(BEAT_SAMPLES, BARS);
    PlayChords(Band, Chords, 0, WarmPad, 55, 72, 0.5f);
    PlayArpeggios(Band, Chords);
    PlayBass(Band, Chords);
    PlayDrumPattern(Band, Drum::SoftKick, "x....o..", 0, BARS, 0.55f);
    PlayDrumPattern(Band, Drum::Shaker, "oxoxoxox", 0, BARS, 0.12f);
    PlayDrumPattern(Band, Drum::Rim, "..x...x.", 4, BARS - 4, 0.15f);

    LoopTrack Melody(BEAT_SAMPLES, BARS);
    std::string Tune = std::string(PHRASE_A) + MELODY_A_END + MELODY_B + PHRASE_A + MELODY_A_CLOSE;
    std::vector<NoteEvent> Notes = ParseNotes(Tune, EIGHTH, 0.0);
    PlayLine(Melody, Notes, Flute, 0.38f);
    std::vector<NoteEvent> Reprise = ParseNotes(std::string(PHRASE_A) + MELODY_A_CLOSE, EIGHTH, 16 * 4.0);
    PlayLine(Melody, Reprise, Celesta, 0.12f, 0.95f, 12);
    Melody.Echo(0.75, 0.3f, 0.35f);
    Band.Add(Melody, 1.0f);
    return Band.Samples();
}
