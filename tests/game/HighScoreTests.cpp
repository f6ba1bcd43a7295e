// The high-score list: names read from "data/hs.dat" and scores from the
// settings, a good score taking its place with a typed name, and the list saved
// whole through a temporary file beside it; one left by a crash is cleaned up,
// and a save that cannot write leaves the old list in place and says so.
#include "game/GameFixture.h"

#include <sys/stat.h>

#include <algorithm>

#include "Flow.h"
#include "HighScores.h"
#include "Keys.h"

namespace {

using namespace gametest;

constexpr const char* HS_TEMP = "data/hs.dat.tmp";

class HighScores : public GameStart {
protected:
    // A list of "AB", "Z" and three unnamed entries, scored 5000 to 1000.
    void StartWithList()
    {
        m_List[0] = 0;
        m_List[1] = 1;
        m_List[27] = 25;
        WriteGameFile(HS_FILE, m_List);
        Start("[Tamborel2]\nH1=5000\nH2=4000\nH3=3000\nH4=2000\nH5=1000\n");
    }
    static uint8_t NameAt(int nEntry, int nPosition) { return g_acHighName[nPosition * HS_NAME_COLUMNS + nEntry]; }

    Bytes m_List = Bytes(HS_FILE_BYTES, HS_NAME_END);
};

TEST_F(HighScores, TheListIsReadAndAGoodScoreOpensTheNameEntryInItsPlace)
{
    StartWithList();
    EXPECT_EQ(NameAt(0, 0), 0);
    EXPECT_EQ(NameAt(0, 1), 1);
    EXPECT_EQ(NameAt(0, 2), HS_NAME_END);
    EXPECT_EQ(NameAt(1, 0), 25);
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    g_nScore[0] = 1000;   // equal to the fifth: not in the list
    GameOver();
    EXPECT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NONE);

    g_nScore[0] = 4500;
    GameOver();
    EXPECT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NAME);
    EXPECT_EQ(g_nHighScoreSlot, 1);
    EXPECT_EQ(std::vector<int32_t>(g_anHighScore, g_anHighScore + HS_ENTRIES),
              (std::vector<int32_t>{5000, 4500, 4000, 3000, 2000}));
    EXPECT_EQ(NameAt(1, 0), HS_NAME_END);   // the new entry's name is empty
    EXPECT_EQ(NameAt(2, 0), 25);            // "Z" moved down with its score
    for (int n = 0; n < 9; ++n)   // the ninth letter is ignored
        HSNameEntryKey(GAME_KEY_A + n);
    EXPECT_STREQ(g_szHighScoreTyped, "ABCDEFGH");
    EXPECT_EQ(NameAt(1, 8), HS_NAME_END);

    m_List.resize(60);
    WriteGameFile(HS_FILE, m_List);
    HSLaden();
    EXPECT_TRUE(HasLine("** WARNING ** HSLaden: 'data/hs.dat' Holds 60 Of 140 Bytes - Names Not Read"));
    EXPECT_EQ(NameAt(0, 0), HS_NAME_END);
}

TEST_F(HighScores, ATypedNameIsSavedWholeWithTheScoresAndAFailedSaveKeepsTheOldList)
{
    StartWithList();
    WriteGameFile(HS_TEMP, Bytes(20, 'x'));   // the first part of a list, left by a crash
    Press(GAME_KEY_F11);
    g_nScore[0] = 6000;
    g_nLives[0] = 0;
    LoseBall(1);
    ASSERT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NAME);
    ASSERT_EQ(g_nHighScoreSlot, 0);
    for (int nKey : {GAME_KEY_A + 2, GAME_KEY_A + 3, GAME_KEY_A + 23, GAME_KEY_BACKSPACE, GAME_KEY_RETURN}) {
        Press(nKey);
        for (int n = 0; n < 6; ++n)   // the keys are armed again
            Frames();
    }
    EXPECT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NONE);
    EXPECT_FALSE(g_bInGame);
    EXPECT_EQ(g_bHalted, 0);
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);

    Bytes Saved = ReadFileBytes(GamePath(HS_FILE));
    ASSERT_EQ(Saved.size(), (size_t)HS_FILE_BYTES);
    EXPECT_EQ(Bytes(Saved.begin(), Saved.begin() + 3), (Bytes{2, 3, HS_NAME_END}));   // "CD"
    EXPECT_EQ(Bytes(Saved.begin() + 27, Saved.begin() + 29), (Bytes{0, 1}));          // "AB" one down
    EXPECT_EQ(Saved[135], HS_NAME_END);   // the reserved bytes as they were read
    EXPECT_FALSE(PathExists(GamePath(HS_TEMP)));
    EXPECT_TRUE(HasLine("SaveWhole: Removed Temporary File 'data/hs.dat.tmp' Left By An Earlier Save"));
    std::string Settings = ReadFileText(GamePath("data/tamborel2.ini"));
    for (const char* szLine : {"H1=6000", "H2=5000", "H5=2000"})
        EXPECT_NE(Settings.find(szLine), std::string::npos) << szLine;
    // The list survives a new start.
    g_anHighScore[0] = 0;
    g_acHighName[0] = HS_NAME_END;
    HSLaden();
    EXPECT_EQ(g_anHighScore[0], 6000);
    EXPECT_EQ(NameAt(0, 0), 2);

    // A folder where the temporary file has to go: neither removed nor written.
    ASSERT_EQ(mkdir(GamePath(HS_TEMP).c_str(), 0700), 0);
    ASSERT_TRUE(HSInsert(9000));
    HSNameEntryKey(GAME_KEY_A);
    HSNameEntryKey(GAME_KEY_RETURN);
    EXPECT_EQ(ReadFileBytes(GamePath(HS_FILE)), Saved);
    EXPECT_TRUE(HasLine("ERROR: ** SaveWhole - Can't Write 'data/hs.dat.tmp' (File exists), 'data/hs.dat' Kept **"));
    const std::string Warning = "** WARNING ** OldWinMain: Could Not Open 'data/hs.dat' To Write '";
    const std::vector<std::string> Lines = LogMessages();
    EXPECT_TRUE(std::any_of(Lines.begin(), Lines.end(),
                            [&](const std::string& Line) { return Line.rfind(Warning, 0) == 0; }));
}

}  // namespace
