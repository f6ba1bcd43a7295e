// Level codes: made and stored per level set, shown again, entered and found.
#include "game/GameFixture.h"

#include "Flow.h"
#include "LevelCodes.h"

namespace {

using namespace gametest;

// Clicks each digit of the entry field round to the wanted one, on the field's edges.
void Enter(const std::string& Code)
{
    for (int i = 0, nClicks = 0; i < CODE_DIGITS; ++i)
        for (int n = 0; n < 10 && g_nCodeDigit[i] != Code[i] - '0'; ++n, ++nClicks)
            ASSERT_TRUE(GameClickCodeEntry(340 + 10 * i + nClicks % 2 * 9, nClicks % 2 ? 372 : 392));
    EXPECT_EQ(std::to_string(g_nEnteredCode), Code);
}

TEST_F(GameStart, MadeCodesAreStoredWithTheirCheckPerLevelSetShownAgainAndFound)
{
    Start();
    for (int nSet : {0, 1}) {
        for (int nLevel = 1; nLevel <= 12; ++nLevel) {
            g_nUL = nSet;
            Korvid.RandomSeed(nLevel + 12 * nSet);
            GameMakeLevelCode(nLevel);
            const int32_t* d = g_nCodeDigit;   // six places, the first 1..8, the others 0..8
            const std::string Code = std::to_string(g_nEnteredCode), Set = nSet ? "U" : "", N = std::to_string(nLevel);
            EXPECT_TRUE(Code.size() == 6 && Code[0] != '0' && Code.find('9') == Code.npos &&
                        std::equal(Code.begin(), Code.end(), d, [](char c, int32_t n) { return c - '0' == n; }));
            const int nCheck = ((d[2] + d[3] + d[4] + d[5]) * (d[0] + d[1]) + d[4]) * nLevel * (nSet ? 5 : 1);
            EXPECT_EQ((std::array<int, 4>{Korvid.IniGetInt((Set + "P" + N).c_str(), 0),
                                          Korvid.IniGetInt((Set + "PS" + N).c_str(), -1), g_bCodeKnown, g_bShowCode}),
                      (std::array<int, 4>{g_nEnteredCode, nCheck, 0, 1})) << Code;
        }
    }
    const int32_t nMade = g_nEnteredCode;
    const std::string Before = ReadFileText(GamePath(GAME_INI_FILE));
    GameMakeLevelCode(12);
    EXPECT_EQ(Pair(g_bCodeKnown, g_nShownCode), Pair(1, nMade));
    EXPECT_EQ(ReadFileText(GamePath(GAME_INI_FILE)), Before);
    // A user-set code leads back to its level, and the new game leaves the last banner behind.
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    EXPECT_EQ(Pair(g_nCurrentLevel, g_bShowCode), Pair(12, 0));
}

TEST_F(GameStart, TheEnteredCodeStartsTheFirstLevelWhoseCodeAndCheckAgree)
{
    struct Case { int nUL; const char *szEntries, *szEntered; int nLevel; };
    const Case CASES[] = {
        {0, "P12=123456\nPS12=708\n", "123456", 12},
        {0, "P12=123456\nPS12=708\n", "123459", 0},
        {0, "P7=123456\nPS7=413\nP12=123456\nPS12=708\n", "123456", 7},
        {0, "P12=234567\nPS12=708\n", "234567", 0},                 // the code edited alone
        {0, "P3=100000\n", "100000", 0},                            // no check, though the digits' check is 0
        {0, "P0=123456\nPS0=0\nP9=123456\nPS9=531\n", "123456", 9},  // level 0 is never coded
        {1, "P5=123456\nPS5=295\nUP12=123456\nUPS12=3540\n", "123456", 12},
        {1, "UP12=123456\nUPS12=708\n", "123456", 0},
    };
    Start();
    for (const Case& Each : CASES) {
        WriteSettings(std::string("[Tamborel2]\n") + Each.szEntries);
        g_nUL = Each.nUL;
        Enter(Each.szEntered);
        ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
        EXPECT_EQ(g_nCurrentLevel, Each.nLevel) << Each.szEntries << Each.szEntered;
    }
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"g_nCurrentLevel = 0  PX = 18  PY = 3  PE = 59",
                                                "Tamborel: [12] Checking For Password. Default Check is UP12 [0]",
                                                "Got A Result From Check", "Got A Result From Check (123456)",
                                                "Tamborel: Initial Game Level Set To 12"}));
    for (const Pair& Outside : {Pair(339, 380), Pair(400, 380), Pair(345, 371), Pair(345, 393)})
        EXPECT_FALSE(GameClickCodeEntry(Outside.first, Outside.second) || g_nEnteredCode != 123456);
}

}  // namespace
