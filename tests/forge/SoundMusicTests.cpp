// The music's score reader and loop tape: note lines, chords, and sounds that
// wrap round the end of the loop.
#include <gtest/gtest.h>

#include "sound/Sequencer.h"

namespace {

TEST(SoundScore, NoteLinesReadNotesHoldsAndRests)
{
    std::vector<NoteEvent> Notes = ParseNotes("C5 - . F#4 | Bb3 - - x E9", 0.5, 8.0);
    ASSERT_EQ(Notes.size(), 4u);
    struct Expected {
        double fBeat, fBeats;
        float fMidi;
    };
    const Expected EXPECTED[] = {{8.0, 1.0, 72}, {9.5, 0.5, 66}, {10.0, 1.5, 58}, {12.0, 0.5, 124}};
    for (size_t n = 0; n < Notes.size(); ++n) {
        EXPECT_DOUBLE_EQ(Notes[n].fBeat, EXPECTED[n].fBeat) << n;
        EXPECT_DOUBLE_EQ(Notes[n].fBeats, EXPECTED[n].fBeats) << n;
        EXPECT_FLOAT_EQ(Notes[n].fMidi, EXPECTED[n].fMidi) << n;
    }
    // A hold after a rest holds nothing.
    EXPECT_TRUE(ParseNotes(". - -", 1.0, 0.0).empty());
}

TEST(SoundScore, ChordNamesGiveTheirTones)
{
    std::vector<Chord> Chords = ParseProgression("Am7 Fmaj7 G#sus4 Eb");
    ASSERT_EQ(Chords.size(), 4u);
    EXPECT_EQ(ChordTones(Chords[0], 57, 69), (std::vector<int>{57, 60, 64, 67}));   // A C E G
    EXPECT_EQ(ChordTones(Chords[1], 60, 72), (std::vector<int>{60, 64, 65, 69}));   // C E F A
    EXPECT_EQ(ChordTones(Chords[2], 56, 68), (std::vector<int>{56, 61, 63}));       // G# C# D#
    EXPECT_EQ(ChordTones(Chords[3], 60, 72), (std::vector<int>{63, 67, 70}));       // Eb G Bb
    EXPECT_EQ(ChordRoot(Chords[0], 33), 33);
    EXPECT_EQ(ChordRoot(Chords[3], 33), 39);
    EXPECT_EQ(ChordRoot(Chords[1], 36), 41);
}

TEST(SoundScore, SoundsPastTheLoopsEndComeRoundToItsStart)
{
    LoopTrack Tape(10, 2, 2);   // 40 samples
    Tape.Place(Signal{1, 2, 3, 4}, 3.8, 1.0f);   // starts at sample 38
    const Signal& Out = Tape.Samples();
    ASSERT_EQ(Out.size(), 40u);
    EXPECT_FLOAT_EQ(Out[38], 1.0f);
    EXPECT_FLOAT_EQ(Out[39], 2.0f);
    EXPECT_FLOAT_EQ(Out[0], 3.0f);
    EXPECT_FLOAT_EQ(Out[1], 4.0f);
}

TEST(SoundScore, EchoesWrapRoundLikeARepeatedLoop)
{
    // One click near the end: its echoes run on past the end and land after
    // the start, exactly where a second pass of the loop would hear them.
    LoopTrack Tape(100, 1, 4);              // 400 samples
    Tape.Place(Signal{1.0f}, 3.5, 1.0f);    // sample 350
    Tape.Echo(0.1, 0.5f, 1.0f);             // every 10 samples, half as loud each time
    const Signal& Out = Tape.Samples();
    EXPECT_FLOAT_EQ(Out[350], 1.0f);
    EXPECT_FLOAT_EQ(Out[360], 0.5f);
    EXPECT_FLOAT_EQ(Out[390], 0.0625f);
    EXPECT_FLOAT_EQ(Out[0], 0.03125f);
    EXPECT_FLOAT_EQ(Out[10], 0.015625f);
    EXPECT_FLOAT_EQ(Out[355], 0.0f);
    EXPECT_FLOAT_EQ(Out[349], 0.0f);
}

}  // namespace
