// The game's flow on the started game: every mode change from where the game
// reaches it, the loss of lives, the end of a game, and the frame's keys.
#include "game/GameFixture.h"

#include <cstring>
#include <filesystem>

#include "Flow.h"
#include "GameState.h"
#include "HighScores.h"
#include "Keys.h"
#include "Levels.h"
#include "Resources.h"
#include "Sounds.h"

namespace {

using gametest::GameStart;

class GameFlow : public GameStart {
protected:
    void Start(const std::string& Settings = "[Tamborel2]\n")
    {
        WriteSettings(Settings);
        ASSERT_TRUE(StartGame());
    }

    // One frame on the virtual clock.
    void Frame()
    {
        m_Platform.Advance(20);
        KorvidMain();
    }

    // A key is pressed in one frame and acts when released in the next.
    void Press(int nKey)
    {
        Korvid.SimulateKey((uint32_t)nKey);
        Frame();
        Frame();
    }

    // The log lines from the first one that names the mode change on.
    std::vector<std::string> LinesFrom(const std::string& First)
    {
        std::vector<std::string> Lines = LogMessages();
        int nAt = IndexOf(Lines, First);
        return nAt < 0 ? std::vector<std::string>{} : std::vector<std::string>(Lines.begin() + nAt, Lines.end());
    }

    void RemoveBackgrounds()
    {
        for (int n = 1; n <= 20; ++n)
            RemoveFile("data/gfx/hg" + std::to_string(n) + ".kvp");
    }

    static bool HasLine(const std::string& Line) { return IndexOf(LogMessages(), Line) >= 0; }

    // Which screen picture the background chunky holds: the file whose pixels it has.
    static std::string BackgroundPicture()
    {
        std::vector<std::string> Names = {"m1", "m1_en", "mpm1"};
        for (int n = 1; n <= 20; ++n)
            Names.push_back("hg" + std::to_string(n));
        const size_t nBytes = (size_t)Korvid.ChunkyWidth(GAME_CHUNKY_BACKGROUND) *
                              Korvid.ChunkyHeight(GAME_CHUNKY_BACKGROUND) * 2;
        for (const std::string& Name : Names) {
            const uint32_t nProbe = GAME_CHUNKY_SCRATCH;
            if (Korvid.LoadChunky(nProbe, ("data/gfx/" + Name + ".kvp").c_str(), KOR_LOAD_DEPTH16) != 1)
                continue;
            bool bSame = Korvid.ChunkyWidth(nProbe) == Korvid.ChunkyWidth(GAME_CHUNKY_BACKGROUND) &&
                         memcmp(Korvid.ChunkyBuffer(nProbe), Korvid.ChunkyBuffer(GAME_CHUNKY_BACKGROUND), nBytes) == 0;
            Korvid.FreeChunky(nProbe);
            if (bSame)
                return Name;
        }
        return "?";
    }

    // A list of five unnamed entries with the scores of a new settings file.
    void StartWithScoreList()
    {
        std::filesystem::create_directories(GamePath("data"));
        WriteFileBytes(GamePath(HS_FILE), std::vector<uint8_t>(HS_FILE_BYTES, HS_NAME_END));
        Start("[Tamborel2]\nH1 =5000\nH2 =4000\nH3 =3000\nH4 =2000\nH5 =1000\n");
    }
};

TEST_F(GameFlow, StartingAGameLoadsLevelZeroItsBackgroundAndThePlayMusic)
{
    Start();
    g_nCurrentLevel = 7;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    EXPECT_TRUE(ContainsInOrder(
        LinesFrom("Tamborel: GameChangeMode(1)"),
        {"Tamborel: GameChangeMode(1) - Spiel_Starten", "CurrentLevel Set To 0 (SPIEL STARTEN)", "Loading Level: 0",
         "Tamborel: GameLoadLevel(0)", "NeuSpieler", "Requested Load Of Sound File 'ingame_96.wav'",
         "Music Played At User Request", "Loaded GFX", "Tamborel: GameLoadLevel(0)"}));
    EXPECT_EQ(g_nCurrentLevel, 0);
    EXPECT_TRUE(g_bInGame);
    EXPECT_FALSE(g_bTwoPlayers);
    EXPECT_EQ(g_nLives[0], 3);
    EXPECT_EQ(g_nLives[1], 3);
    EXPECT_EQ(g_nScore[0], 0);
    EXPECT_EQ(g_nLastLoser, 0);
    EXPECT_EQ(LocalPlayer(), 1);
    EXPECT_EQ(BackgroundPicture().substr(0, 2), "hg");
}

TEST_F(GameFlow, GivingUpReturnsToTheTitleWithItsMusic)
{
    Start();
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    g_nCurrentLevel = 5;
    g_nMatchLevel = 3;
    g_bBossStage = 1;
    g_nWeather = 2;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_ABBRECHEN));
    EXPECT_TRUE(ContainsInOrder(LinesFrom("Tamborel: GameChangeMode(2)"),
                                {"Tamborel: GameChangeMode(2) - Spiel_Abbrechen",
                                 "Requested Load Of Sound File 'intro_96.wav'", "CurrentLevel Set To 0 (SPIEL ABBRECHEN)"}));
    EXPECT_FALSE(g_bInGame);
    EXPECT_EQ(g_nCurrentLevel, 0);
    EXPECT_EQ(g_nMatchLevel, 0);
    EXPECT_EQ(g_bBossStage, 0);
    EXPECT_EQ(g_nWeather, 0);
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);
    EXPECT_EQ(BackgroundPicture(), "m1");
}

TEST_F(GameFlow, ClearedLevelsLeadThroughTheBossStageToTheNextLevel)
{
    Start();
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
    EXPECT_EQ(g_nCurrentLevel, 1);
    EXPECT_TRUE(HasLine("Tamborel: GameLoadLevel(1)"));

    g_nCurrentLevel = 9;   // clearing the tenth level
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
    EXPECT_EQ(g_bBossStage, 1);
    EXPECT_EQ(g_nCurrentLevel, 9);   // the boss is fought on the field just cleared
    EXPECT_FALSE(HasLine("Tamborel: GameLoadLevel(10)"));

    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
    EXPECT_EQ(g_bBossStage, 0);
    EXPECT_EQ(g_nCurrentLevel, 10);
    EXPECT_TRUE(HasLine("Tamborel: GameLoadLevel(10)"));
    EXPECT_TRUE(g_bInGame);
}

TEST_F(GameFlow, WithoutBossStagesTheLastLevelEndsTheSet)
{
    Start("[Tamborel2]\nEM=0\n");
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    g_nCurrentLevel = 9;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
    EXPECT_EQ(g_nCurrentLevel, 10);
    EXPECT_EQ(g_bBossStage, 0);
    EXPECT_EQ(g_bHalted, 0);

    g_nCurrentLevel = 99;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
    EXPECT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_ALL_DONE);
    EXPECT_EQ(g_bHalted, 1);
}

TEST_F(GameFlow, OneLevelBackStopsAtTheFirstLevel)
{
    Start();
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    g_nCurrentLevel = 4;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_ZURUECK));
    EXPECT_EQ(g_nCurrentLevel, 3);
    g_nCurrentLevel = 0;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_ZURUECK));
    EXPECT_EQ(g_nCurrentLevel, 0);
    EXPECT_TRUE(ContainsInOrder(LinesFrom("Tamborel: GameChangeMode(5) - Level_Zurueck"),
                                {"CurrentLevel Less Than 0 (-1), Setting To 0 (LEVEL_ZURECK)",
                                 "Tamborel: GameLoadLevel(0)"}));
}

TEST_F(GameFlow, AnUnknownModeChangesNothing)
{
    Start();
    for (int32_t nMode : {9, -1, 100}) {
        EXPECT_FALSE(GameChangeMode(nMode));
        std::string Number = std::to_string(nMode);
        EXPECT_TRUE(ContainsInOrder(LinesFrom("Tamborel: GameChangeMode(" + Number + ")"),
                                    {"Tamborel: GameChangeMode(" + Number + ") - Default"}));
    }
    EXPECT_FALSE(g_bInGame);
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);
}

TEST_F(GameFlow, MissingScreenPicturesReportTheirNumbersAndFail)
{
    Start();
    RemoveBackgrounds();
    EXPECT_FALSE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    EXPECT_TRUE(HasLine("** ERROR ** Tamborel: Reported Error 433 [DirectGraphics konnte nicht initialisiert werden! "
                        "[] Bitte setzen Sie sich mit dem Support in Verbindung und melden Sie die Fehlernummer "
                        "(siehe oben).]"));
    RemoveFile("data/gfx/m1.kvp");
    EXPECT_FALSE(GameChangeMode(GAME_MODE_HAUPTMENU));
    EXPECT_TRUE(ContainsInOrder(LinesFrom("Tamborel: GameChangeMode(0) - Hauptmenu"),
                                {"** ERROR ** Tamborel: Reported Error 444 [DirectGraphics konnte nicht initialisiert "
                                 "werden! [] Bitte setzen Sie sich mit dem Support in Verbindung und melden Sie die "
                                 "Fehlernummer (siehe oben).]"}));
    g_nL = 1;   // the English title is still there
    EXPECT_TRUE(GameChangeMode(GAME_MODE_HAUPTMENU));
    EXPECT_EQ(BackgroundPicture(), "m1_en");
}

TEST_F(GameFlow, AMatchAgainstTheComputerGoesThroughItsBetweenLevelScreen)
{
    Start("[Tamborel2]\nAuto=1\n");
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    EXPECT_TRUE(g_bTwoPlayers);
    EXPECT_EQ(g_nComputerPlayer, 1);
    EXPECT_EQ(LocalPlayer(), 2);
    EXPECT_TRUE(g_bComputerNamePending);

    g_nScore[0] = 40;
    g_nScore[1] = 25;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_GESCHAFFT));
    EXPECT_FALSE(g_bInGame);
    EXPECT_EQ(g_nMatchLevel, 1);
    EXPECT_EQ(g_nTotal[0], 40);
    EXPECT_EQ(g_nTotal[1], 25);
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_MATCH_WON);
    EXPECT_EQ(BackgroundPicture(), "mpm1");
    EXPECT_EQ(g_nCurrentLevel, 0);   // a match counts its own levels

    ASSERT_TRUE(GameChangeMode(GAME_MODE_MP_SPIEL_STARTEN));
    EXPECT_TRUE(HasLine("MP CurrentLevel Set To 1"));
    EXPECT_EQ(g_nCurrentLevel, 1);
    EXPECT_TRUE(g_bInGame);
    EXPECT_EQ(g_nScore[0], 0);
    EXPECT_EQ(g_nTotal[0], 40);
    EXPECT_EQ(g_nFS, 0);

    g_nMatchLevel = 0;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_ZURUECK));
    EXPECT_EQ(g_nMatchLevel, 0);
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_MATCH_WON);

    ASSERT_TRUE(GameChangeMode(GAME_MODE_MP_MENU_ABBRECHEN));
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);
    EXPECT_TRUE(g_bTwoPlayers);   // the match can be taken up again
    ASSERT_TRUE(GameChangeMode(GAME_MODE_MP_MENU_STARTEN));
    EXPECT_TRUE(HasLine("CHANGEGAMEMODE"));
    EXPECT_TRUE(g_bInGame);

    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_ABBRECHEN));
    EXPECT_FALSE(g_bTwoPlayers);
    EXPECT_EQ(g_nComputerPlayer, 0);
}

TEST_F(GameFlow, LosingTheLastBallOfTheLastLifeEndsTheGame)
{
    Start();
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    LoseBall(1);
    EXPECT_EQ(g_nLives[0], 2);
    EXPECT_EQ(g_nLastLoser, 1);
    EXPECT_TRUE(HasLine("Tamborel: GameKugelStart()"));
    EXPECT_EQ(g_bHalted, 0);

    g_nLives[0] = 0;
    g_nScore[0] = 0;   // no list without its file: every score above 0 enters
    LoseBall(1);
    EXPECT_TRUE(g_bPlayerDead[0]);
    EXPECT_TRUE(ContainsInOrder(LinesFrom("Tamborel: GameChangeMode(3)"),
                                {"Tamborel: GameChangeMode(3) - Spiel_Veloren", "Tamborel: GameOver()"}));
    EXPECT_EQ(g_bHalted, 1);
    EXPECT_FALSE(g_bPauseAllowed);
    EXPECT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NONE);
}

TEST_F(GameFlow, TheComputerNeverLosesALife)
{
    Start("[Tamborel2]\nAuto=2\n");
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    g_nLives[1] = 0;
    LoseBall(2);
    EXPECT_FALSE(g_bPlayerDead[1]);
    EXPECT_EQ(g_bHalted, 0);
    LoseBall(1);
    EXPECT_EQ(g_nLives[0], 2);

    // A lost match ends the match first, so the list sees a one-player game.
    g_nScore[0] = 77;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_VELOREN));
    EXPECT_FALSE(g_bTwoPlayers);
    EXPECT_EQ(g_nComputerPlayer, 0);
    EXPECT_EQ(g_bHalted, 1);
    EXPECT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NAME);   // no list file: 77 enters
    EXPECT_EQ(g_anHighScore[0], 77);
}

TEST_F(GameFlow, AGoodScoreOpensTheNameEntryInItsPlace)
{
    StartWithScoreList();
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    ASSERT_EQ(g_anHighScore[4], 1000);
    g_nScore[0] = 1000;   // equal to the fifth: not in the list
    GameOver();
    EXPECT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NONE);

    g_nScore[0] = 4500;
    GameOver();
    EXPECT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NAME);
    EXPECT_EQ(g_nHighScoreSlot, 1);
    const int32_t Wanted[HS_ENTRIES] = {5000, 4500, 4000, 3000, 2000};
    for (int i = 0; i < HS_ENTRIES; ++i)
        EXPECT_EQ(g_anHighScore[i], Wanted[i]) << i;
    EXPECT_EQ(g_acHighName[1], HS_NAME_END);   // the new slot's name is empty
}

TEST_F(GameFlow, EscapeEndsAPauseGivesUpAGameAndDoesNothingOnTheTitle)
{
    Start();
    Press(GAME_KEY_ESCAPE);
    EXPECT_EQ(IndexOf(LogMessages(), "Tamborel: GameChangeMode(0)"), -1);
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);

    Press(GAME_KEY_F11);
    ASSERT_TRUE(g_bInGame);
    Press(GAME_KEY_P);
    EXPECT_EQ(g_bHalted, 1);
    Frame();
    Frame();
    Frame();   // the keys are armed again
    Press(GAME_KEY_ESCAPE);
    EXPECT_EQ(g_bHalted, 0);
    EXPECT_TRUE(g_bInGame);

    // Straight after an Escape the next one is ignored until 120 ms have passed.
    Press(GAME_KEY_ESCAPE);
    EXPECT_TRUE(g_bInGame);
    for (int n = 0; n < 6; ++n)
        Frame();
    Press(GAME_KEY_ESCAPE);
    EXPECT_FALSE(g_bInGame);
    EXPECT_TRUE(HasLine("Tamborel: GameChangeMode(2) - Spiel_Abbrechen"));
}

TEST_F(GameFlow, AGameEndedWithoutAHighScoreLeavesTheNextGamePlayable)
{
    Start();
    Press(GAME_KEY_F11);
    g_nLives[0] = 0;
    LoseBall(1);
    ASSERT_EQ(g_bHalted, 1);
    Press(GAME_KEY_P);   // no pause on the end screen
    EXPECT_EQ(g_bHalted, 1);
    Press(GAME_KEY_ESCAPE);
    EXPECT_FALSE(g_bInGame);
    EXPECT_EQ(g_bHalted, 0);
    for (int n = 0; n < 6; ++n)
        Frame();
    Press(GAME_KEY_F11);
    EXPECT_TRUE(g_bInGame);
    Press(GAME_KEY_P);
    EXPECT_EQ(g_bHalted, 1);
}

TEST_F(GameFlow, F7AndF9SwitchSoundsAndMusic)
{
    Start();
    ASSERT_TRUE(g_bSoundOn && g_bMusicOn);
    Press(GAME_KEY_F7);
    EXPECT_FALSE(g_bSoundOn);
    EXPECT_TRUE(Korvid.SoundStatus(GAME_SOUND_MUSIC) >= KOR_SOUND_PLAYING);   // music goes on
    Press(GAME_KEY_F9);
    EXPECT_FALSE(g_bMusicOn);
    EXPECT_EQ(Korvid.SoundStatus(GAME_SOUND_MUSIC), KOR_SOUND_IDLE);
    Press(GAME_KEY_F9);
    EXPECT_TRUE(g_bMusicOn);
    EXPECT_GE(Korvid.SoundStatus(GAME_SOUND_MUSIC), KOR_SOUND_PLAYING);
}

TEST_F(GameFlow, AMusicTrackThatEndsStartsAgain)
{
    Start();
    Korvid.StopSound(GAME_SOUND_MUSIC);
    ASSERT_EQ(Korvid.SoundStatus(GAME_SOUND_MUSIC), KOR_SOUND_IDLE);
    Frame();
    EXPECT_GE(Korvid.SoundStatus(GAME_SOUND_MUSIC), KOR_SOUND_PLAYING);
}

TEST_F(GameFlow, ClearingTheRunningFlagEndsTheGameAtTheNextFrame)
{
    Start("[Tamborel2]\nAllowCPUSwitch=1\n");
    g_nAllowCPUSwitch = 0;
    g_bGameRunning = false;
    Frame();
    EXPECT_FALSE(Korvid.Running());
    EXPECT_FALSE(Korvid.ChunkyExists(GAME_CHUNKY_TILES));
    EXPECT_NE(ReadFileText(GamePath("data/tamborel2.ini")).find("AllowCPUSwitch=0"), std::string::npos);
}

TEST_F(GameFlow, TheHighScoreNamesComeFromTheirFileAndADamagedOneIsLeftAlone)
{
    std::vector<uint8_t> Image(HS_FILE_BYTES, HS_NAME_END);
    Image[0] = 0;   // "AB" in the first name
    Image[1] = 1;
    Image[27] = 25;   // "Z" in the second
    std::filesystem::create_directories(GamePath("data"));
    WriteFileBytes(GamePath(HS_FILE), Image);
    Start("[Tamborel2]\nH1=700\n");
    EXPECT_EQ(g_acHighName[0 * HS_NAME_COLUMNS + 0], 0);
    EXPECT_EQ(g_acHighName[1 * HS_NAME_COLUMNS + 0], 1);
    EXPECT_EQ(g_acHighName[2 * HS_NAME_COLUMNS + 0], HS_NAME_END);
    EXPECT_EQ(g_acHighName[0 * HS_NAME_COLUMNS + 1], 25);
    EXPECT_EQ(g_anHighScore[0], 700);
    EXPECT_EQ(g_anHighScore[1], 0);

    Image.resize(60);
    WriteFileBytes(GamePath(HS_FILE), Image);
    HSLaden();
    EXPECT_TRUE(HasLine("** WARNING ** HSLaden: 'data/hs.dat' Holds 60 Of 140 Bytes - Names Not Read"));
    EXPECT_EQ(g_acHighName[0], HS_NAME_END);
}

TEST_F(GameFlow, ATypedNameIsSavedWithTheScoresAndTheGameReturnsToTheTitle)
{
    StartWithScoreList();
    Press(GAME_KEY_F11);
    g_nScore[0] = 6000;
    g_nLives[0] = 0;
    LoseBall(1);
    ASSERT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NAME);
    ASSERT_EQ(g_nHighScoreSlot, 0);
    auto Type = [&](int nKey) {
        Press(nKey);
        for (int n = 0; n < 6; ++n)
            Frame();
    };
    for (int nKey : {GAME_KEY_A, GAME_KEY_A + 1, GAME_KEY_A + 23, GAME_KEY_BACKSPACE})
        Type(nKey);
    EXPECT_STREQ(g_szHighScoreTyped, "AB");
    Type(GAME_KEY_RETURN);
    EXPECT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NONE);
    EXPECT_FALSE(g_bInGame);
    EXPECT_EQ(g_bHalted, 0);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Checking Enter Key", "Enter Pressed", "Value: 0", "Value: 1",
                                                "Value: 255", "Language Check", "ResetStuff"}));

    std::vector<uint8_t> Saved = ReadFileBytes(GamePath(HS_FILE));
    ASSERT_EQ(Saved.size(), (size_t)HS_FILE_BYTES);
    EXPECT_EQ(Saved[0], 0);
    EXPECT_EQ(Saved[1], 1);
    EXPECT_EQ(Saved[2], HS_NAME_END);
    EXPECT_EQ(Saved[135], HS_NAME_END);   // the reserved bytes as they were read
    std::string Settings = ReadFileText(GamePath("data/tamborel2.ini"));
    for (const char* szLine : {"H1=6000", "H2=5000", "H5=2000"})
        EXPECT_NE(Settings.find(szLine), std::string::npos) << szLine;

    // The list survives a new start.
    g_anHighScore[0] = 0;
    g_acHighName[0] = HS_NAME_END;
    HSLaden();
    EXPECT_EQ(g_anHighScore[0], 6000);
    EXPECT_EQ(g_acHighName[0], 0);
}

TEST_F(GameFlow, TheNinthLetterOfANameIsIgnored)
{
    Start();   // no list file: every score enters
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    g_nScore[0] = 9000;
    GameOver();
    for (int n = 0; n < 9; ++n)
        HSNameEntryKey(GAME_KEY_A + n);
    EXPECT_STREQ(g_szHighScoreTyped, "ABCDEFGH");
    EXPECT_EQ(g_acHighName[8 * HS_NAME_COLUMNS + 0], HS_NAME_END);
}

}  // namespace
