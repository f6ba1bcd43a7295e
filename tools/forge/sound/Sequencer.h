// The music's score and tape: note lines and chord names as short texts, and a
// loop buffer that notes are mixed into by beat. Whatever rings past the end of
// the loop comes round to its start, so the track repeats without a seam.
#pragma once
#include <string>
#include <vector>

#include "Synth.h"

// A note of a line: start and length in beats, pitch as a MIDI note number.
struct NoteEvent {
    double fBeat;
    double fBeats;
    float fMidi;
};

// Reads a note line of steps fStepBeats long, starting at fFirstBeat. Tokens
// are separated by spaces: a note ("C5", "F#4", "Bb3") starts a note, "-" holds
// the previous one a step longer, "." is a step of rest, "|" marks a bar and
// takes no time. An unknown token is a step of rest.
std::vector<NoteEvent> ParseNotes(const std::string& Line, double fStepBeats, double fFirstBeat);

// A chord: the pitch class of its root (0 = C) and its intervals from the root.
struct Chord {
    int nRoot;
    std::vector<int> Intervals;
};
// Chord names separated by spaces: root letter, optional "#" or "b", then one of
// "", "m", "7", "m7", "maj7", "sus4", "sus2", "add9".
std::vector<Chord> ParseProgression(const std::string& Names);
// Every tone of the chord between the two MIDI notes (the upper one excluded), rising.
std::vector<int> ChordTones(const Chord& Harmony, int nLowest, int nAbove);
// The chord's root in the octave starting at nLowest.
int ChordRoot(const Chord& Harmony, int nLowest);

class LoopTrack {
public:
    LoopTrack(int nBeatSamples, int nBars, int nBeatsPerBar = 4);
    double BeatSeconds() const { return (double)m_nBeatSamples / SOUND_RATE; }
    int BeatsPerBar() const { return m_nBeatsPerBar; }
    // Mixes a sound in from the given beat on, wrapping round the loop's end.
    void Place(const Signal& Sound, double fBeat, float fGain);
    // Mixes another loop of the same length in.
    void Add(const LoopTrack& Other, float fGain);
    // A feedback echo that wraps round the loop like everything else.
    void Echo(double fDelayBeats, float fFeedback, float fWet);
    const Signal& Samples() const { return m_Samples; }

private:
    int m_nBeatSamples;
    int m_nBeatsPerBar;
    Signal m_Samples;
};
