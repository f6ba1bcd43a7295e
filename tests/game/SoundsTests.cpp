// The sound kinds: every file of the archive in a number of its own, loaded at
// start-up, and the effects limited to their variants.
#include "game/GameFixture.h"

#include <set>

#include "GameState.h"
#include "Sounds.h"

namespace {

using gametest::GameStart;

struct KindRun {
    int nKind;
    int nVariants;   // 0: one sound without variants
};
const KindRun KINDS[] = {{0, 0},   {1, 5},   {2, 0},   {3, 0},   {5, 0},   {6, 19},  {7, 19},  {8, 19},  {9, 0},
                         {10, 0},  {11, 0},  {12, 19}, {13, 19}, {14, 19}, {15, 35}, {16, 5},  {17, 3}};

TEST(GameSounds, EveryKindAndVariantHasANumberOfItsOwn)
{
    std::set<int32_t> Numbers = {0, (int32_t)GAME_SOUND_MUSIC};   // the movie's track and the music
    size_t nSounds = 0;
    for (const KindRun& Run : KINDS)
        for (int nVariant = Run.nVariants ? 1 : 0; nVariant <= Run.nVariants; ++nVariant) {
            int32_t nNumber = GameSoundNumber(Run.nKind, nVariant);
            EXPECT_GT(nNumber, 0) << Run.nKind << "/" << nVariant;
            EXPECT_LT(nNumber, 200) << Run.nKind << "/" << nVariant;
            Numbers.insert(nNumber);
            ++nSounds;
        }
    EXPECT_EQ(Numbers.size(), nSounds + 2);
    for (int nKind : {4, 18, -1})
        EXPECT_EQ(GameSoundNumber(nKind, 1), -1) << nKind;
    EXPECT_EQ(GameSoundNumber(1, 6), -1);   // explo has five variants
}

TEST_F(GameStart, StartUpLoadsEverySoundIntoItsNumber)
{
    ASSERT_TRUE(StartGame());
    for (const KindRun& Run : KINDS)
        for (int nVariant = Run.nVariants ? 1 : 0; nVariant <= Run.nVariants; ++nVariant)
            EXPECT_TRUE(Korvid.IsSoundLoaded((uint32_t)GameSoundNumber(Run.nKind, nVariant)))
                << Run.nKind << "/" << nVariant;
    std::vector<std::string> Log = LogMessages();
    EXPECT_EQ(std::count_if(Log.begin(), Log.end(),
                            [](const std::string& Line) { return Line.rfind("WARNING: ** Failed to find", 0) == 0; }),
              0);
}

// The stand-in sounds are too short to be seen playing; a slot that was played
// remembers its mixing channel.
bool WasPlayed(int nKind, int nVariant)
{
    return Korvid.SoundSlot((uint32_t)GameSoundNumber(nKind, nVariant))->nChannel >= 0;
}

TEST_F(GameStart, EffectsPlayOnlyWhenSoundIsOnAndWithinTheirVariants)
{
    ASSERT_TRUE(StartGame());
    GamePlaySound(6, 25);   // above 19: variant 19
    EXPECT_TRUE(WasPlayed(6, 19));
    GamePlaySound(15, 30);   // the bonus kind keeps its high variants
    EXPECT_TRUE(WasPlayed(15, 30));
    EXPECT_FALSE(WasPlayed(15, 19));
    GamePlaySound(7, -4);   // below 1: variant 1
    EXPECT_TRUE(WasPlayed(7, 1));
    g_bSoundOn = false;
    GamePlaySound(11, 1);
    EXPECT_FALSE(WasPlayed(11, 1));
}

}  // namespace
