// The game's flow: mode changes, matches, the end of a game, the frame's keys, the
// high-score list saved whole; and levels read through the loader, damaged files too.
#include "game/GameFixture.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "Field.h"
#include "Flow.h"
#include "HighScores.h"
#include "Keys.h"
#include "Resources.h"

namespace {

using namespace gametest;

// True when the background chunky holds the pixels of the screen picture Name.
bool Shows(const std::string& Name) { return ChunkyShows(GAME_CHUNKY_BACKGROUND, Name); }

uint8_t NameAt(int nEntry, int nPosition) { return g_acHighName[nPosition * HS_NAME_COLUMNS + nEntry]; }

TEST_F(GameStart, GamesAndMatchesGoThroughTheirLevelsAndScreensAndAreGivenUpOrLost)
{
    Start();
    g_nCurrentLevel = 7;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    EXPECT_TRUE(LogHas("Requested Load Of Sound File 'ingame_96.wav'"));
    EXPECT_EQ((std::array<int, 8>{g_bInGame, g_bTwoPlayers, g_nCurrentLevel, g_nLives[0], g_nLives[1], g_nScore[0],
                                  g_nLastLoser, LocalPlayer()}),
              (std::array<int, 8>{1, 0, 0, 3, 3, 0, 0, 1}));
    EXPECT_TRUE(Shows("hg" + std::to_string(g_nLevelBackground)));   // the level's own background
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
    EXPECT_EQ(g_nCurrentLevel, 1);
    // Clearing the tenth level in play: the boss stage is fought on the field just cleared, once.
    g_nCurrentLevel = 9;
    for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn)
        for (int nRow = 0; nRow < LEVEL_ROWS; ++nRow)
            SetCell(nColumn, nRow, LEVEL_CELL_EMPTY);
    const size_t nLinesBefore = LogMessages().size();
    Frames(2);
    const std::vector<std::string> Log = LogMessages();
    EXPECT_EQ(std::count(Log.begin() + (long)nLinesBefore, Log.end(), "Tamborel: GameChangeMode(4) - Level_Geschafft"),
              1);
    EXPECT_TRUE(g_bInGame && g_bBossStage == 1 && g_nCurrentLevel == 9);
    g_bBossStage = 0;
    for (const Pair& Back : {Pair(4, 3), {0, 0}}) {   // one level back stops at the first level
        g_nCurrentLevel = Back.first;
        ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_ZURUECK));
        EXPECT_EQ(g_nCurrentLevel, Back.second);
    }
    // Without boss stages the tenth level follows at once, and the last level ends the set.
    g_nEM = 0;
    g_nCurrentLevel = 9;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
    EXPECT_EQ((std::array<int, 3>{g_nCurrentLevel, g_bBossStage, g_bHalted}), (std::array<int, 3>{10, 0, 0}));
    g_nCurrentLevel = 99;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
    EXPECT_EQ(Pair(g_nScoreEntry, g_bHalted), Pair(GAME_SCORE_ENTRY_ALL_DONE, 1));
    // Giving up returns to the title with its music; unknown modes change nothing.
    std::tie(g_nMatchLevel, g_bBossStage, g_nWeather) = std::make_tuple(3, 1, 2);
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_ABBRECHEN));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Tamborel: GameChangeMode(2) - Spiel_Abbrechen",
                                                "Requested Load Of Sound File 'intro_96.wav'"}));
    EXPECT_EQ(g_nCurrentLevel + g_nMatchLevel + g_bBossStage + g_nWeather + g_bHalted + g_bInGame, 0);
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);
    EXPECT_TRUE(Shows("m1"));
    for (int32_t nMode : {9, -1, 100}) {
        EXPECT_FALSE(GameChangeMode(nMode));
        EXPECT_TRUE(LogHas("Tamborel: GameChangeMode(" + std::to_string(nMode) + ") - Default"));
    }
    EXPECT_EQ(Pair(g_bInGame, g_nMenuScreen), Pair(false, GAME_SCREEN_TITLE));
    // A match against the computer goes through its own screen between levels.
    g_nAuto = 1;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    EXPECT_TRUE(g_bTwoPlayers && std::string(g_szPlayerName[0]) == "Computer");   // the computer's own name
    EXPECT_EQ(Pair(g_nComputerPlayer, LocalPlayer()), Pair(1, 2));
    std::tie(g_nScore[0], g_nScore[1]) = std::make_tuple(40, 25);
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
    EXPECT_FALSE(g_bInGame);
    EXPECT_EQ((std::array<int, 5>{g_nMatchLevel, g_nTotal[0], g_nTotal[1], g_nMenuScreen, g_nCurrentLevel}),
              (std::array<int, 5>{1, 40, 25, GAME_SCREEN_MATCH_WON, 0}));   // a match counts its own levels
    EXPECT_TRUE(Shows("mpm1"));
    ASSERT_TRUE(GameChangeMode(GAME_MODE_MP_SPIEL_STARTEN));
    EXPECT_TRUE(g_bInGame);
    EXPECT_EQ((std::array<int, 4>{g_nCurrentLevel, g_nScore[0], g_nTotal[0], g_nFS}),
              (std::array<int, 4>{1, 0, 40, 0}));
    g_nMatchLevel = 0;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_ZURUECK));
    EXPECT_EQ(Pair(g_nMatchLevel, g_nMenuScreen), Pair(0, GAME_SCREEN_MATCH_WON));
    ASSERT_TRUE(GameChangeMode(GAME_MODE_MP_MENU_ABBRECHEN));
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);
    EXPECT_TRUE(g_bTwoPlayers);   // the match can be taken up again
    ASSERT_TRUE(GameChangeMode(GAME_MODE_MP_MENU_STARTEN));
    EXPECT_TRUE(g_bInGame);
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_ABBRECHEN));
    EXPECT_FALSE(g_bTwoPlayers || g_nComputerPlayer);
    // The computer never loses a life; a lost match ends first, so the list sees a one-player game.
    g_nAuto = 2;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    g_nLives[1] = 0;
    LoseBall(2);
    EXPECT_FALSE(g_bPlayerDead[1] || g_bHalted);
    g_nScore[0] = 77;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_VELOREN));
    EXPECT_FALSE(g_bTwoPlayers || g_nComputerPlayer);
    EXPECT_EQ((std::array<int, 3>{g_bHalted, g_nScoreEntry, g_anHighScore[0]}),
              (std::array<int, 3>{1, GAME_SCORE_ENTRY_NAME, 77}));   // no list file: 77 enters
    // Missing screen pictures report their numbers and fail.
    for (int n = 1; n <= 20; ++n)
        RemoveFile("data/gfx/hg" + std::to_string(n) + ".kvp");
    EXPECT_FALSE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    EXPECT_EQ(LogMessages().back().rfind("** ERROR ** Tamborel: Reported Error 433 [", 0), 0u);
    RemoveFile("data/gfx/m1.kvp");
    EXPECT_FALSE(GameChangeMode(GAME_MODE_HAUPTMENU));
    EXPECT_EQ(LogMessages().back().rfind("** ERROR ** Tamborel: Reported Error 444 [", 0), 0u);
    g_nL = 1;   // the English title is still there
    EXPECT_TRUE(GameChangeMode(GAME_MODE_HAUPTMENU));
    EXPECT_TRUE(Shows("m1_en"));
}

// The engine started again in one run begins on the title screen, not in the game before.
TEST_F(GameStart, AStartAfterAnotherGameInTheSameRunBeginsOnTheTitle)
{
    for (const char* szMovie : {"data/gfx/ostra.kva", "data/gfx/velmora.kva"})
        RemoveFile(szMovie);
    StartPlay();   // in play on an emptied level
    std::tie(g_nScoreEntry, g_bHalted) = std::make_tuple(GAME_SCORE_ENTRY_NAME, 1);
    EndGame();
    Start();
    Press(GAME_KEY_F11);
    Frames();   // the field's bricks are counted as it is drawn
    EXPECT_EQ(std::make_tuple(g_bInGame, g_nScoreEntry, (int)g_bHalted, g_nCurrentLevel),
              std::make_tuple(true, GAME_SCORE_ENTRY_NONE, 0, 0));
    EXPECT_GT(g_nBricksLeft, 0);
}

// A game that ended without a high score was left halted with pausing refused,
// so the next game could not be paused.
TEST_F(GameStart, TheFramesKeysPlayAndEndGamesAndAGoodScoresNameIsTypedAndSavedWholeWithTheList)
{
    Bytes List(HS_FILE_BYTES, HS_NAME_END);   // "AB", "Z" and three unnamed entries
    std::tie(List[0], List[1], List[27]) = std::make_tuple(0, 1, 25);
    WriteGameFile(HS_FILE, List);
    WriteGameFile("data/hs.dat.tmp", Bytes(20, 'x'));   // the first part of a list, left by a crash
    Start("[Tamborel2]\nH1=5000\nH2=4000\nH3=3000\nH4=2000\nH5=1000\n");
    EXPECT_EQ((std::array<int, 4>{NameAt(0, 0), NameAt(0, 1), NameAt(0, 2), NameAt(1, 0)}),
              (std::array<int, 4>{0, 1, HS_NAME_END, 25}));
    Press(GAME_KEY_ESCAPE);   // nothing on the title
    EXPECT_FALSE(LogHas("Tamborel: GameChangeMode(0)"));
    Press(GAME_KEY_F11);
    ASSERT_TRUE(g_bInGame);
    Press(GAME_KEY_P);
    EXPECT_EQ(g_bHalted, 1);
    Frames(3);   // the keys are armed again
    Press(GAME_KEY_ESCAPE);
    EXPECT_EQ(Pair(g_bHalted, g_bInGame), Pair(0, true));
    Press(GAME_KEY_ESCAPE);   // straight after an Escape the next one is ignored until 120 ms have passed
    EXPECT_TRUE(g_bInGame);
    Frames(6);
    Press(GAME_KEY_ESCAPE);
    EXPECT_EQ(Pair(g_bInGame, g_nMenuScreen), Pair(false, GAME_SCREEN_TITLE));
    // A lost game without a high score: no pause on its end screen, Escape leaves it, the next game pauses.
    Frames(6);
    Press(GAME_KEY_F11);
    g_nLives[0] = 0;
    g_nScore[0] = 1000;   // equal to the fifth: not in the list
    LoseBall(1);
    EXPECT_TRUE(g_bPlayerDead[0]);
    EXPECT_EQ(Pair(g_bHalted, g_nScoreEntry), Pair(1, GAME_SCORE_ENTRY_NONE));
    Press(GAME_KEY_P);
    EXPECT_EQ(g_bHalted, 1);
    Press(GAME_KEY_ESCAPE);
    EXPECT_EQ(Pair(g_bHalted, g_bInGame), Pair(0, false));
    Frames(6);
    Press(GAME_KEY_F11);
    Press(GAME_KEY_P);
    EXPECT_EQ(Pair(g_bHalted, g_bInGame), Pair(1, true));
    Press(GAME_KEY_P);
    // A good score opens the name entry in its place; the name is typed through the frame's keys.
    g_nScore[0] = 4500;
    g_nLives[0] = 0;
    LoseBall(1);
    ASSERT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NAME);
    EXPECT_EQ(g_nHighScoreSlot, 1);
    EXPECT_EQ(std::vector<int32_t>(g_anHighScore, g_anHighScore + HS_ENTRIES),
              (std::vector<int32_t>{5000, 4500, 4000, 3000, 2000}));
    EXPECT_EQ(Pair(NameAt(1, 0), NameAt(2, 0)), Pair(HS_NAME_END, 25));   // an empty name; "Z" moved down
    // The ninth letter is ignored, Backspace takes one back, Enter saves the list and returns to the title.
    for (int nKey : {0, 1, 2, 3, 4, 5, 6, 7, 8, GAME_KEY_BACKSPACE - GAME_KEY_A, 23, GAME_KEY_RETURN - GAME_KEY_A}) {
        Press(GAME_KEY_A + nKey);
        Frames(6);
        if (nKey == 8) {
            EXPECT_STREQ(g_szHighScoreTyped, "ABCDEFGH");
        }
    }
    EXPECT_EQ(Pair(g_nScoreEntry, g_nMenuScreen), Pair(GAME_SCORE_ENTRY_NONE, GAME_SCREEN_TITLE));
    EXPECT_FALSE(g_bInGame || g_bHalted);
    Bytes Saved = ReadFileBytes(GamePath(HS_FILE));
    ASSERT_EQ(Saved.size(), (size_t)HS_FILE_BYTES);
    EXPECT_EQ(Bytes(Saved.begin(), Saved.begin() + 3), (Bytes{0, 1, HS_NAME_END}));             // "AB" on top
    EXPECT_EQ(Bytes(Saved.begin() + 27, Saved.begin() + 36), (Bytes{0, 1, 2, 3, 4, 5, 6, 23, HS_NAME_END}));
    EXPECT_EQ(Bytes(Saved.begin() + 54, Saved.begin() + 56), (Bytes{25, HS_NAME_END}));        // "Z" one down
    EXPECT_EQ(Saved[135], HS_NAME_END);   // the reserved bytes as they were read
    EXPECT_TRUE(!PathExists(GamePath("data/hs.dat.tmp")) &&
                LogHas("SaveWhole: Removed Temporary File 'data/hs.dat.tmp' Left By An Earlier Save"));
    const std::string Settings = ReadFileText(GamePath(GAME_INI_FILE));
    for (const char* szLine : {"H1=5000", "H2=4500", "H5=2000"})
        EXPECT_NE(Settings.find(szLine), std::string::npos) << szLine;
    // A folder where the temporary file has to go: neither removed nor written.
    ASSERT_EQ(mkdir(GamePath("data/hs.dat.tmp").c_str(), 0700), 0);
    ASSERT_TRUE(HSInsert(9000));
    HSNameEntryKey(GAME_KEY_A);
    HSNameEntryKey(GAME_KEY_RETURN);
    EXPECT_EQ(ReadFileBytes(GamePath(HS_FILE)), Saved);
    EXPECT_TRUE(LogHas("ERROR: ** SaveWhole - Can't Write 'data/hs.dat.tmp' (File exists), 'data/hs.dat' Kept **"));
    EXPECT_TRUE(LogStartsWith("** WARNING ** OldWinMain: Could Not Open 'data/hs.dat' To Write '"));
    // A damaged file leaves the names unread.
    WriteGameFile(HS_FILE, Bytes(60, 0));
    HSLaden();
    EXPECT_TRUE(LogHas("** WARNING ** HSLaden: 'data/hs.dat' Holds 60 Of 140 Bytes - Names Not Read"));
    EXPECT_EQ(NameAt(0, 0), HS_NAME_END);
    // F7 switches the sounds, F9 the music; a track that ends starts again.
    Press(GAME_KEY_F7);
    EXPECT_TRUE(!g_bSoundOn && Korvid.SoundStatus(GAME_SOUND_MUSIC) >= KOR_SOUND_PLAYING);
    Press(GAME_KEY_F9);
    EXPECT_EQ(Pair(g_bMusicOn, Korvid.SoundStatus(GAME_SOUND_MUSIC)), Pair(false, KOR_SOUND_IDLE));
    Press(GAME_KEY_F9);
    EXPECT_TRUE(g_bMusicOn && Korvid.SoundStatus(GAME_SOUND_MUSIC) >= KOR_SOUND_PLAYING);
    Korvid.StopSound(GAME_SOUND_MUSIC);
    Frames();
    EXPECT_GE(Korvid.SoundStatus(GAME_SOUND_MUSIC), KOR_SOUND_PLAYING);
    // With the music off the track still follows the screens: F9 on the title plays the title's.
    Press(GAME_KEY_F9);
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN) && GameChangeMode(GAME_MODE_SPIEL_ABBRECHEN));
    const std::vector<std::string> Lines = LogMessages();
    const auto LastLoad = std::find_if(Lines.rbegin(), Lines.rend(), [](const std::string& Line) {
        return Line.rfind("Requested Load Of Sound File", 0) == 0;
    });
    ASSERT_NE(LastLoad, Lines.rend());
    EXPECT_EQ(*LastLoad, std::string("Requested Load Of Sound File '") + GAME_MUSIC_TITLE + "'");
    // Clearing the running flag ends the game at the next frame.
    g_bGameRunning = false;
    Frames();
    EXPECT_FALSE(Korvid.Running() || Korvid.ChunkyExists(GAME_CHUNKY_TILES));
}


class LevelLoading : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string Dir = EnterScratchDirectory() + "/";
        std::filesystem::create_directories("data/levels");
        std::filesystem::create_directories("data/userlevels");
        Korvid.SetFileCacheSize(0);
        Korvid.SetReadDir(Dir.c_str());
        Korvid.StartLog();
        g_nUL = 0;
        g_nSST = 1;
    }
    // Level file nFile of a set ("data/levels/lv" and the like) with these levels in slot order.
    static void WriteLevels(const std::string& Stem, int nFile, const std::vector<Level>& Levels)
    {
        Bytes LevelBytes, ParamBytes;
        LevelEncodeFile(LevelFileData{nFile, Levels}, LevelBytes, ParamBytes);
        WriteFileBytes(Stem + std::to_string(nFile) + ".dat", LevelBytes);
        WriteFileBytes(Stem + std::to_string(nFile) + "p.dat", ParamBytes);
    }
    static int Cell(int nLevel, int nColumn, int nRow) { return g_LevelCells[nLevel][LevelCellIndex(nColumn, nRow)]; }
    static std::array<int, 4> Beams() { return {g_nBeamAX, g_nBeamAY, g_nBeamBX, g_nBeamBY}; }
};

TEST_F(LevelLoading, WhatReachesTheStoreFromWrittenMissingShortAndDamagedFiles)
{
    // Later in row order a marker wins although its column is smaller; one below the field is emptied, yet counts.
    WriteLevels("data/levels/lv", 2,
                {MakeLevel(3, {{0, 0, 12}, {18, 17, 241}, {5, 2, 497}, {1, 3, 497}, {7, 19, 498}, {3, 18, 40},
                               {18, 20, 180}})});
    ASSERT_TRUE(GameLoadLevel(10));
    EXPECT_EQ((std::array<int, 6>{Cell(10, 0, 0), Cell(10, 18, 17), Cell(10, 5, 2), Cell(10, 7, 19),
                                  Cell(10, 3, 18), Cell(10, 18, 20)}),
              (std::array<int, 6>{12, 241, 497, -1, -1, -1}));
    EXPECT_EQ(Beams(), (std::array<int, 4>{1 * 40, 3 * 24, 7 * 40, 19 * 24}));
    EXPECT_EQ(g_nLevelBackground, 3);
    // A level without markers clears the targets of the one before.
    WriteLevels("data/levels/lv", 1, {MakeLevel(0), MakeLevel(0), MakeLevel(0), MakeLevel(7)});
    ASSERT_TRUE(GameLoadLevel(3));
    EXPECT_EQ(Beams(), (std::array<int, 4>{-1, -1, -1, -1}));
    EXPECT_EQ(g_nLevelBackground, 7);
    // The user set, read from its own folder with its own file's offset.
    WriteLevels("data/userlevels/usrlev", 3,
                {MakeLevel(0), MakeLevel(0), MakeLevel(0), MakeLevel(0), MakeLevel(0), MakeLevel(9, {{4, 4, 77}})});
    g_nUL = 1;
    ASSERT_TRUE(GameLoadLevel(25));
    EXPECT_EQ(Pair(Cell(25, 4, 4), g_nLevelBackground), Pair(77, 9));
    // A missing file leaves the slot empty; levels outside the store are refused.
    g_nUL = 0;
    g_LevelCells[35][0] = 33;
    g_nLevelBackground = 5;
    EXPECT_FALSE(GameLoadLevel(35));
    EXPECT_TRUE(std::all_of(g_LevelCells[35], g_LevelCells[35] + LEVEL_CELLS, [](int16_t n) { return n == -1; }));
    EXPECT_EQ(g_nLevelBackground, 0);
    for (int32_t nLevel : {-1, GAME_LEVEL_SLOTS}) {
        EXPECT_FALSE(GameLoadLevel(nLevel));
        EXPECT_FALSE(GameLoadLevelParams(nLevel, 0));
        GameClearLevel(nLevel);
    }
    EXPECT_TRUE(LogHas("** ERROR ** LoadLevel: Level 200 Outside The Level Store (0..199)"));
    // A short file leaves zeros minus the file's offset; a slot entirely past its end reads as nothing else.
    Bytes Record(LEVEL_RECORD_BYTES);
    LevelEncodeRecord(MakeLevel(0, {{0, 0, 5}}).Cells, 1, Record.data());
    Record.resize(100);   // the first 50 values: column 0, rows 0..20, column 1, column 2 rows 0..7
    WriteFileBytes("data/levels/lv1.dat", Record);
    ASSERT_TRUE(GameLoadLevel(0));
    const int nMissing = -LevelFileOffset(1);
    EXPECT_EQ((std::array<int, 5>{Cell(0, 0, 0), Cell(0, 2, 7), Cell(0, 2, 8), Cell(0, 18, 17), Cell(0, 18, 18)}),
              (std::array<int, 5>{5, -1, nMissing, nMissing, -1}));
    ASSERT_TRUE(GameLoadLevel(1));
    EXPECT_EQ(Cell(1, 0, 0), nMissing);
    // Backgrounds outside 0..20, written by hand: the format library refuses to write them.
    Bytes Params;
    for (int32_t nValue : {21, -1, 20, 0, 1, 0x7FFFFFFF})
        for (int nByte = 0; nByte < 4; ++nByte)
            Params.push_back((uint8_t)((uint32_t)nValue >> (8 * nByte)));
    WriteFileBytes("data/levels/lv1p.dat", Params);
    const int32_t Wanted[] = {0, 0, 20, 0, 1, 0};
    for (int nLevel = 0; nLevel < 6; ++nLevel) {
        g_nLevelBackground = 99;
        EXPECT_TRUE(GameLoadLevelParams(nLevel, 1));
        EXPECT_EQ(g_nLevelBackground, Wanted[nLevel]) << "level " << nLevel;
    }
}

}  // namespace
