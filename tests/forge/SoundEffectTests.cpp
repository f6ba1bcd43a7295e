// The forged effects as a listener would judge them: brick rows climb a
// pentatonic scale in every timbre, good bonuses rise and bad ones fall.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "sound/Effects.h"

namespace {

// The pitch of a stretch of sound by normalised autocorrelation: the shortest
// period whose correlation comes close to the best one (so a note is not
// mistaken for its lower octave), refined between neighbouring lags.
float EstimatePitch(const Signal& Sound, float fFrom, float fTo)
{
    size_t nStart = (size_t)SampleCount(fFrom), nEnd = std::min(Sound.size(), (size_t)SampleCount(fTo));
    const int MIN_LAG = SOUND_RATE / 2500, MAX_LAG = SOUND_RATE / 60;
    if (nEnd <= nStart + MAX_LAG)
        return 0.0f;
    size_t nSpan = nEnd - nStart - MAX_LAG;
    std::vector<double> Correlation(MAX_LAG + 2, 0.0);
    for (int nLag = MIN_LAG - 1; nLag <= MAX_LAG + 1 && nLag >= 0; ++nLag) {
        double fSum = 0.0, fEnergyA = 0.0, fEnergyB = 0.0;
        for (size_t n = nStart; n < nStart + nSpan; ++n) {
            fSum += (double)Sound[n] * Sound[n + nLag];
            fEnergyA += (double)Sound[n] * Sound[n];
            fEnergyB += (double)Sound[n + nLag] * Sound[n + nLag];
        }
        Correlation[std::min(nLag, MAX_LAG + 1)] = fSum / std::sqrt(std::max(fEnergyA * fEnergyB, 1e-20));
    }
    double fBest = *std::max_element(Correlation.begin() + MIN_LAG, Correlation.begin() + MAX_LAG + 1);
    for (int nLag = MIN_LAG; nLag <= MAX_LAG; ++nLag)
        if (Correlation[nLag] >= 0.9 * fBest && Correlation[nLag] >= Correlation[nLag - 1] &&
            Correlation[nLag] >= Correlation[nLag + 1]) {
            double a = Correlation[nLag - 1], b = Correlation[nLag], c = Correlation[nLag + 1];
            double fShift = (a - c) / (2.0 * (a - 2.0 * b + c) - 1e-12);
            return (float)(SOUND_RATE / (nLag + std::clamp(fShift, -0.5, 0.5)));
        }
    return 0.0f;
}

float Semitones(float fFrom, float fTo) { return 12.0f * std::log2(fTo / fFrom); }

TEST(SoundEffects, BrickRowsClimbAPentatonicScaleInEveryTimbre)
{
    // C major pentatonic from C3: C D E G A, then the next octave.
    const int STEPS[5] = {0, 2, 4, 7, 9};
    const float LOWEST = 130.81f;
    for (const BrickKindName& Kind : BRICK_KINDS) {
        float fPrevious = 0.0f;
        for (int nVariant = 1; nVariant <= BRICK_VARIANTS; ++nVariant) {
            SCOPED_TRACE(std::string(Kind.szPrefix) + std::to_string(nVariant));
            int nStep = nVariant - 1;
            float fExpected = LOWEST * std::pow(2.0f, (12 * (nStep / 5) + STEPS[nStep % 5]) / 12.0f);
            float fHeard = EstimatePitch(BrickSound(Kind.Kind, nVariant), 0.08f, 0.2f);
            EXPECT_NEAR(Semitones(fExpected, fHeard), 0.0f, 0.3f) << fHeard << " Hz heard, " << fExpected << " Hz meant";
            EXPECT_GT(fHeard, fPrevious);
            fPrevious = fHeard;
        }
    }
}

TEST(SoundEffects, BrickKindsSoundDifferentOnTheSameRow)
{
    // Same note, different timbre: the waveforms must not be near copies of each other.
    std::vector<Signal> Kinds;
    for (const BrickKindName& Kind : BRICK_KINDS)
        Kinds.push_back(BrickSound(Kind.Kind, 8));
    for (size_t a = 0; a < Kinds.size(); ++a)
        for (size_t b = a + 1; b < Kinds.size(); ++b) {
            size_t nCount = std::min(Kinds[a].size(), Kinds[b].size());
            double fDot = 0.0, fA = 0.0, fB = 0.0;
            for (size_t n = 0; n < nCount; ++n) {
                fDot += (double)Kinds[a][n] * Kinds[b][n];
                fA += (double)Kinds[a][n] * Kinds[a][n];
                fB += (double)Kinds[b][n] * Kinds[b][n];
            }
            EXPECT_LT(std::fabs(fDot) / std::sqrt(fA * fB), 0.8) << BRICK_KINDS[a].szPrefix << " vs "
                                                                  << BRICK_KINDS[b].szPrefix;
        }
}

// The pitch of the first note, and of the last note just before it is let go:
// the end of the last stretch at half the loudest level or more.
struct Contour {
    float fFirst, fLast;
};

Contour MelodyContour(const Signal& Sound)
{
    const float WINDOW = 0.02f;
    size_t nWindow = (size_t)SampleCount(WINDOW);
    std::vector<float> Levels;
    for (size_t n = 0; n + nWindow <= Sound.size(); n += nWindow)
        Levels.push_back(RmsLevel(Signal(Sound.begin() + n, Sound.begin() + n + nWindow)));
    float fLoudest = *std::max_element(Levels.begin(), Levels.end());
    size_t nLast = 0;
    for (size_t n = 0; n < Levels.size(); ++n)
        if (Levels[n] >= 0.5f * fLoudest)
            nLast = n;
    float fEnd = (nLast + 1) * WINDOW;
    return {EstimatePitch(Sound, 0.008f, 0.05f), EstimatePitch(Sound, fEnd - 0.05f, fEnd)};
}

TEST(SoundEffects, GoodBonusesRiseAndBadOnesFall)
{
    // Bonus codes whose catch hurts the player (smaller paddle, frozen or
    // mirrored control, passing or faster balls, a life or a level lost,
    // invisibility, smaller balls, bad weather starting).
    const std::set<int> BAD_CODES = {21, 31, 32, 34, 35, 39, 60, 61, 62, 63, 69, 70, 71};
    const int SURPRISE_CODE = 37;
    for (int nVariant = 1; nVariant <= BONUS_VARIANTS; ++nVariant) {
        int nCode = nVariant <= 20 ? nVariant + 19 : nVariant + 39;
        SCOPED_TRACE("bonus code " + std::to_string(nCode));
        if (nCode == SURPRISE_CODE) {
            EXPECT_EQ(BonusVariantMood(nVariant), BonusMood::Mystery);
            continue;
        }
        bool bBad = BAD_CODES.count(nCode) > 0;
        EXPECT_EQ(BonusVariantMood(nVariant), bBad ? BonusMood::Bad : BonusMood::Good);
        Contour Heard = MelodyContour(BonusSound(nVariant));
        ASSERT_GT(Heard.fFirst, 0.0f);
        ASSERT_GT(Heard.fLast, 0.0f);
        float fMove = Semitones(Heard.fFirst, Heard.fLast);
        if (bBad)
            EXPECT_LT(fMove, -1.5f) << Heard.fFirst << " Hz to " << Heard.fLast << " Hz";
        else
            EXPECT_GT(fMove, 4.0f) << Heard.fFirst << " Hz to " << Heard.fLast << " Hz";
    }
}

TEST(SoundEffects, EveryBonusHasItsOwnTune)
{
    std::map<std::vector<float>, int> Tunes;
    for (int nVariant = 1; nVariant <= BONUS_VARIANTS; ++nVariant) {
        Signal Sound = BonusSound(nVariant);
        std::vector<float> Print;
        for (size_t n = 0; n < Sound.size(); n += 97)
            Print.push_back(std::round(Sound[n] * 1000.0f));
        auto Found = Tunes.emplace(Print, nVariant);
        EXPECT_TRUE(Found.second) << "variants " << Found.first->second << " and " << nVariant << " sound alike";
    }
}

}  // namespace
