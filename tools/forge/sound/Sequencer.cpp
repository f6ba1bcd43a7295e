#include "Sequencer.h"

#include <cmath>
#include <sstream>

namespace {

constexpr int NO_PITCH = -1;
const int LETTER_CLASSES[7] = {9, 11, 0, 2, 4, 5, 7};   // A B C D E F G

// The pitch class of a note name's letter and accidental; the rest of the text is left in Rest.
int ReadPitchClass(const std::string& Text, std::string& Rest)
{
    if (Text.empty() || Text[0] < 'A' || Text[0] > 'G')
        return NO_PITCH;
    int nClass = LETTER_CLASSES[Text[0] - 'A'];
    size_t nUsed = 1;
    if (Text.size() > 1 && (Text[1] == '#' || Text[1] == 'b')) {
        nClass += Text[1] == '#' ? 1 : -1;
        nUsed = 2;
    }
    Rest = Text.substr(nUsed);
    return (nClass + 12) % 12;
}

// "C5" = MIDI 72; octave numbers run from 0 to 9.
int ReadNote(const std::string& Token)
{
    std::string Octave;
    int nClass = ReadPitchClass(Token, Octave);
    if (nClass == NO_PITCH || Octave.size() != 1 || Octave[0] < '0' || Octave[0] > '9')
        return NO_PITCH;
    return 12 * (Octave[0] - '0' + 1) + nClass;
}

struct ChordQuality {
    const char* szSuffix;
    std::vector<int> Intervals;
};
const ChordQuality QUALITIES[] = {
    {"", {0, 4, 7}},       {"m", {0, 3, 7}},         {"7", {0, 4, 7, 10}},   {"m7", {0, 3, 7, 10}},
    {"maj7", {0, 4, 7, 11}}, {"sus4", {0, 5, 7}},    {"sus2", {0, 2, 7}},    {"add9", {0, 4, 7, 14}},
};

}  // namespace

std::vector<NoteEvent> ParseNotes(const std::string& Line, double fStepBeats, double fFirstBeat)
{
    std::vector<NoteEvent> Notes;
    std::istringstream Tokens(Line);
    std::string Token;
    double fBeat = fFirstBeat;
    bool bHolding = false;
    while (Tokens >> Token) {
        if (Token == "|")
            continue;
        int nNote = ReadNote(Token);
        if (Token == "-" && bHolding) {
            Notes.back().fBeats += fStepBeats;
        } else if (nNote != NO_PITCH) {
            Notes.push_back({fBeat, fStepBeats, (float)nNote});
            bHolding = true;
        } else {
            bHolding = false;
        }
        fBeat += fStepBeats;
    }
    return Notes;
}

std::vector<Chord> ParseProgression(const std::string& Names)
{
    std::vector<Chord> Chords;
    std::istringstream Tokens(Names);
    std::string Name;
    while (Tokens >> Name) {
        std::string Suffix;
        int nRoot = ReadPitchClass(Name, Suffix);
        Chord Harmony{nRoot == NO_PITCH ? 0 : nRoot, {0, 4, 7}};
        for (const ChordQuality& Quality : QUALITIES)
            if (Suffix == Quality.szSuffix)
                Harmony.Intervals = Quality.Intervals;
        Chords.push_back(Harmony);
    }
    return Chords;
}

std::vector<int> ChordTones(const Chord& Harmony, int nLowest, int nAbove)
{
    std::vector<int> Tones;
    for (int nNote = nLowest; nNote < nAbove; ++nNote)
        for (int nInterval : Harmony.Intervals)
            if ((nNote - Harmony.nRoot - nInterval) % 12 == 0) {
                Tones.push_back(nNote);
                break;
            }
    return Tones;
}

int ChordRoot(const Chord& Harmony, int nLowest) { return nLowest + ((Harmony.nRoot - nLowest) % 12 + 12) % 12; }

LoopTrack::LoopTrack(int nBeatSamples, int nBars, int nBeatsPerBar)
    : m_nBeatSamples(nBeatSamples), m_nBeatsPerBar(nBeatsPerBar),
      m_Samples((size_t)nBeatSamples * nBars * nBeatsPerBar, 0.0f)
{
}

void LoopTrack::Place(const Signal& Sound, double fBeat, float fGain)
{
    size_t nLength = m_Samples.size();
    size_t nAt = (size_t)std::llround(fBeat * m_nBeatSamples) % nLength;
    for (float fSample : Sound) {
        m_Samples[nAt] += fSample * fGain;
        if (++nAt == nLength)
            nAt = 0;
    }
}

void LoopTrack::Add(const LoopTrack& Other, float fGain)
{
    for (size_t n = 0; n < m_Samples.size() && n < Other.m_Samples.size(); ++n)
        m_Samples[n] += Other.m_Samples[n] * fGain;
}

void LoopTrack::Echo(double fDelayBeats, float fFeedback, float fWet)
{
    // Two laps round the loop: the second starts with the echoes the first left
    // at the end, so the start hears the end's echoes exactly as a repeat would.
    size_t nLength = m_Samples.size();
    size_t nDelay = (size_t)std::llround(fDelayBeats * m_nBeatSamples) % nLength;
    Signal Echoes(nLength, 0.0f);
    for (int nLap = 0; nLap < 2; ++nLap)
        for (size_t n = 0; n < nLength; ++n) {
            size_t nFrom = (n + nLength - nDelay) % nLength;
            Echoes[n] = fFeedback * (m_Samples[nFrom] + Echoes[nFrom]);
        }
    for (size_t n = 0; n < nLength; ++n)
        m_Samples[n] += fWet * Echoes[n];
}
