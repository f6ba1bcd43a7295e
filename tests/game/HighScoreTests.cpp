// The high-score list: names read from "data/hs.dat" and scores from the
// settings, a good score taking its place with a typed name, and the list saved
// whole through a temporary file beside it; one left by a crash is cleaned up,
// and a save that cannot write leaves the old list in place and says so.
#include "game/GameFixture.h"

#include <sys/stat.h>

#include "Flow.h"
#include "HighScores.h"
#include "Keys.h"

namespace {

using namespace gametest;

uint8_t NameAt(int nEntry, int nPosition) { return g_acHighName[nPosition * HS_NAME_COLUMNS + nEntry]; }

TEST_F(GameStart, TheHighScoreListIsReadAGoodScoreTakesItsPlaceAndTheTypedNameIsSavedWhole)
{
    Bytes List(HS_FILE_BYTES, HS_NAME_END);   // "AB", "Z" and three unnamed entries
    List[0] = 0;
    List[1] = 1;
    List[27] = 25;
    WriteGameFile(HS_FILE, List);
    WriteGameFile("data/hs.dat.tmp", Bytes(20, 'x'));   // the first part of a list, left by a crash
    Start("[Tamborel2]\nH1=5000\nH2=4000\nH3=3000\nH4=2000\nH5=1000\n");
    EXPECT_EQ((std::array<int, 4>{NameAt(0, 0), NameAt(0, 1), NameAt(0, 2), NameAt(1, 0)}),
              (std::array<int, 4>{0, 1, HS_NAME_END, 25}));
    Press(GAME_KEY_F11);
    ASSERT_TRUE(g_bInGame);
    g_nScore[0] = 1000;   // equal to the fifth: not in the list
    GameOver();
    EXPECT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NONE);
    g_bHalted = 0;
    g_nScore[0] = 4500;
    g_nLives[0] = 0;
    LoseBall(1);
    ASSERT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NAME);
    EXPECT_EQ(g_nHighScoreSlot, 1);
    EXPECT_EQ(std::vector<int32_t>(g_anHighScore, g_anHighScore + HS_ENTRIES),
              (std::vector<int32_t>{5000, 4500, 4000, 3000, 2000}));
    EXPECT_EQ(Pair(NameAt(1, 0), NameAt(2, 0)), Pair(HS_NAME_END, 25));   // an empty name; "Z" moved down
    // Typed through the frame's keys: the ninth letter is ignored, Backspace takes one back.
    for (int nKey : {0, 1, 2, 3, 4, 5, 6, 7, 8, GAME_KEY_BACKSPACE - GAME_KEY_A, 23, GAME_KEY_RETURN - GAME_KEY_A}) {
        Press(GAME_KEY_A + nKey);
        Frames(6);   // the keys are armed again
        if (nKey == 8)
            EXPECT_STREQ(g_szHighScoreTyped, "ABCDEFGH");
    }
    EXPECT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NONE);
    EXPECT_FALSE(g_bInGame || g_bHalted);
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);

    Bytes Saved = ReadFileBytes(GamePath(HS_FILE));
    ASSERT_EQ(Saved.size(), (size_t)HS_FILE_BYTES);
    EXPECT_EQ(Bytes(Saved.begin(), Saved.begin() + 3), (Bytes{0, 1, HS_NAME_END}));             // "AB" on top
    EXPECT_EQ(Bytes(Saved.begin() + 27, Saved.begin() + 36), (Bytes{0, 1, 2, 3, 4, 5, 6, 23, HS_NAME_END}));
    EXPECT_EQ(Bytes(Saved.begin() + 54, Saved.begin() + 56), (Bytes{25, HS_NAME_END}));        // "Z" one down
    EXPECT_EQ(Saved[135], HS_NAME_END);   // the reserved bytes as they were read
    EXPECT_FALSE(PathExists(GamePath("data/hs.dat.tmp")));
    EXPECT_TRUE(HasLine("SaveWhole: Removed Temporary File 'data/hs.dat.tmp' Left By An Earlier Save"));
    std::string Settings = ReadFileText(GamePath(GAME_INI_FILE));
    for (const char* szLine : {"H1=5000", "H2=4500", "H5=2000"})
        EXPECT_NE(Settings.find(szLine), std::string::npos) << szLine;
    g_anHighScore[1] = 0;   // the list survives a new start
    g_acHighName[0] = HS_NAME_END;
    HSLaden();
    EXPECT_EQ(Pair(g_anHighScore[1], NameAt(1, 7)), Pair(4500, 23));
    EXPECT_EQ(NameAt(0, 0), 0);

    // A folder where the temporary file has to go: neither removed nor written.
    ASSERT_EQ(mkdir(GamePath("data/hs.dat.tmp").c_str(), 0700), 0);
    ASSERT_TRUE(HSInsert(9000));
    HSNameEntryKey(GAME_KEY_A);
    HSNameEntryKey(GAME_KEY_RETURN);
    EXPECT_EQ(ReadFileBytes(GamePath(HS_FILE)), Saved);
    EXPECT_TRUE(HasLine("ERROR: ** SaveWhole - Can't Write 'data/hs.dat.tmp' (File exists), 'data/hs.dat' Kept **"));
    EXPECT_TRUE(LogStartsWith("** WARNING ** OldWinMain: Could Not Open 'data/hs.dat' To Write '"));

    // A damaged file leaves the names unread.
    WriteGameFile(HS_FILE, Bytes(60, 0));
    HSLaden();
    EXPECT_TRUE(HasLine("** WARNING ** HSLaden: 'data/hs.dat' Holds 60 Of 140 Bytes - Names Not Read"));
    EXPECT_EQ(NameAt(0, 0), HS_NAME_END);
}

}  // namespace
