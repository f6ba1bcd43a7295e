// The random generator: its published self-check, seeds, the state stack and the derived forms.
#include <map>

#include "CoreTest.h"

namespace {

std::vector<float> Draw(int nCount)
{
    std::vector<float> Values;
    for (int n = 0; n < nCount; ++n)
        Values.push_back(Korvid.RandomUniform());
    return Values;
}

// The generator's customary self-check: seeded with 1802 and 9373, the six draws
// after the first 20000 are these multiples of 2^-24. Each depends on every step before.
TEST(Random, StartsSeededWithOnePassesTheGeneratorsSelfCheckAndFoldsSeedsIntoRange)
{
    std::vector<float> First = Draw(200);
    Korvid.RandomSeed(1);
    EXPECT_EQ(Draw(200), First);
    Korvid.RandomSeedPair(1802, 9373);
    Draw(20000);
    std::vector<int32_t> Units;
    for (float fValue : Draw(6))
        Units.push_back((int32_t)(fValue * 16777216.0f));
    EXPECT_EQ(Units, std::vector<int32_t>({6533892, 14220222, 7275067, 6172232, 8354498, 10633180}));
    for (auto [nSeed, nSameAs] : std::vector<std::pair<int32_t, int32_t>>{
             {-5, 31995}, {32001, 1}, {64000, 32000}, {-32000, 0}, {INT32_MIN, 4352}, {777, 777}}) {
        Korvid.RandomSeed(nSameAs);
        std::vector<float> Expected = Draw(50);
        Korvid.RandomSeed(nSeed);
        EXPECT_EQ(Draw(50), Expected) << nSeed;
    }
    Korvid.RandomSeed(2);
    std::vector<float> Two = Draw(50);
    Korvid.RandomSeed(1);
    EXPECT_NE(Draw(50), Two);
}

// Over many draws each form stays in range, hits every value, and none is a third off its share.
TEST(Random, DerivedFormsCoverTheirRangesEvenly)
{
    const int DRAWS_PER_VALUE = 1500;
    Korvid.RandomSeed(99);
    for (auto [szName, Form, nLow, nHigh] : std::vector<std::tuple<const char*, int32_t (*)(), int32_t, int32_t>>{
             {"Range(0, 9)", [] { return Korvid.RandomRange(0, 9); }, 0, 9},
             {"Range(-3, 3)", [] { return Korvid.RandomRange(-3, 3); }, -3, 3},
             {"Range(3, 3)", [] { return Korvid.RandomRange(3, 3); }, 3, 3},
             {"Range(-10, -8)", [] { return Korvid.RandomRange(-10, -8); }, -10, -8},
             {"Below(6)", [] { return Korvid.RandomBelow(6); }, 0, 5},
             {"Below(1)", [] { return Korvid.RandomBelow(1); }, 0, 0},
             {"32767 in eighths", [] { return Korvid.Random32767() / 4096; }, 0, 7}}) {
        std::map<int32_t, int> Counts;
        for (int n = 0; n < (nHigh - nLow + 1) * DRAWS_PER_VALUE; ++n)
            ++Counts[Form()];
        EXPECT_EQ(std::make_tuple(Counts.begin()->first, Counts.rbegin()->first, (int)Counts.size()),
                  std::make_tuple(nLow, nHigh, nHigh - nLow + 1))
            << szName;
        for (auto [nValue, nCount] : Counts)
            EXPECT_NEAR(nCount, DRAWS_PER_VALUE, DRAWS_PER_VALUE / 3) << szName << " value " << nValue;
    }
}

TEST(Random, PopReplaysTheDrawsSincePushAndOverAndUnderflowChangeNothing)
{
    EnterScratchDirectory();   // the log on the real platform's clock
    Korvid.StartLog();
    Korvid.RandomSeed(8);
    std::vector<std::vector<float>> AfterPush;
    for (int n = 0; n < 4; ++n) {
        Korvid.PushRandom();
        AfterPush.push_back(Draw(3));
    }
    Korvid.PushRandom();   // fifth: refused, slot 4 keeps its state
    Draw(7);
    for (int n = 3; n >= 0; --n) {
        Korvid.PopRandom();
        EXPECT_EQ(Draw(3), AfterPush[n]) << "pop to depth " << n;
    }
    Korvid.PopRandom();
    Korvid.ReportAndCloseLog();
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"WARNING: ** Random Stack FULL - 4 Pushes **",
                                                "WARNING: ** Random Stack EMPTY **",
                                                "Maximum Random Stack used: 4 of 4"}));
}

}  // namespace
