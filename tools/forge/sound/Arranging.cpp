#include "Arranging.h"

#include <map>
#include <tuple>
#include <utility>

namespace {

constexpr float SOFT_HIT = 0.6f;   // an 'o' in a drum pattern

// Notes repeat a lot: each (instrument, pitch, hold) is rendered once.
const Signal& RenderedNote(Instrument Play, float fMidi, float fHold)
{
    static std::map<std::tuple<Instrument, float, float>, Signal> Cache;
    auto Key = std::make_tuple(Play, fMidi, fHold);
    auto Found = Cache.find(Key);
    if (Found == Cache.end())
        Found = Cache.emplace(Key, Play(NoteFrequency(fMidi), fHold, 1.0f)).first;
    return Found->second;
}

}  // namespace

void PlayLine(LoopTrack& Track, const std::vector<NoteEvent>& Notes, Instrument Play, float fGain, float fLegato,
              int nTranspose)
{
    for (const NoteEvent& Note : Notes) {
        float fHold = (float)(Note.fBeats * Track.BeatSeconds()) * fLegato;
        Track.Place(RenderedNote(Play, Note.fMidi + nTranspose, fHold), Note.fBeat, fGain);
    }
}

void PlayChords(LoopTrack& Track, const std::vector<Chord>& Chords, int nFirstBar, Instrument Play, int nLowest,
                int nAbove, float fGain)
{
    float fHold = (float)(Track.BeatsPerBar() * Track.BeatSeconds()) * 0.9f;
    for (size_t nBar = 0; nBar < Chords.size(); ++nBar) {
        std::vector<int> Tones = ChordTones(Chords[nBar], nLowest, nAbove);
        double fBeat = (double)(nFirstBar + nBar) * Track.BeatsPerBar();
        for (int nTone : Tones)
            Track.Place(RenderedNote(Play, (float)nTone, fHold), fBeat, fGain / Tones.size());
    }
}

void PlayDrumPattern(LoopTrack& Track, Drum Kind, const std::string& Steps, int nFirstBar, int nBars, float fGain)
{
    static std::map<Drum, Signal> Hits;
    auto Found = Hits.find(Kind);
    if (Found == Hits.end())
        Found = Hits.emplace(Kind, DrumHit(Kind, 1200 + (uint64_t)Kind)).first;
    double fStepBeats = (double)Track.BeatsPerBar() / Steps.size();
    for (int nBar = nFirstBar; nBar < nFirstBar + nBars; ++nBar)
        for (size_t nStep = 0; nStep < Steps.size(); ++nStep) {
            char c = Steps[nStep];
            if (c == 'x' || c == 'o')
                Track.Place(Found->second, nBar * Track.BeatsPerBar() + nStep * fStepBeats,
                            c == 'x' ? fGain : fGain * SOFT_HIT);
        }
}
