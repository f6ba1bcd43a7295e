// Start-up as the engine runs it: settings file written or read, the first
// level, music and every picture loaded, failures reported with their numbers.
#include "game/GameFixture.h"

#include <algorithm>

#include "GameState.h"
#include "Levels.h"
#include "Resources.h"
#include "Sounds.h"

namespace {

using gametest::GameStart;

const char* const DEFAULT_INI =
    "[Tamborel2]\nPlaySound=1\nPlayMusic=1\nShowBackground=1\nMusicVolume=50\nShowLogo=0\nPlayerName=Player\n"
    "H1 =5000\nH2 =4000\nH3 =3000\nH4 =2000\nH5 =1000\nAllowCPUSwitch=0\nGameOverWennPlayerTot=0\nC=1\nTS=0\n"
    "FS=1\nEM=1\nUL=0\nSB=1\nPS=1\nSST=1\nL=0\nWetter=0\nNE1=12\nNE2=0\n";

TEST_F(GameStart, FirstStartWritesTheDefaultSettingsAndTakesTheirValues)
{
    ASSERT_TRUE(StartGame());
    EXPECT_EQ(ReadFileText(GamePath("data/tamborel2.ini")), DEFAULT_INI);
    EXPECT_EQ(g_nAllowCPUSwitch, 0);   // the file's value, not the built-in 1
    EXPECT_TRUE(g_bGameReady);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Running SetupApplication()", "Setting Up INI Stuff",
                                                "Tamborel: Default INI Not Found. Writing Default",
                                                "Tamborel: Init'ing System", "Tamborel: GameLoadLevel(0)",
                                                "Loading Ingame Sounds", "MainAppInit OK",
                                                "---- Game Setup Good ----"}));
}

TEST_F(GameStart, ASettingsFileWithOnlyItsSectionGivesEveryBuiltInDefault)
{
    WriteSettings("[Tamborel2]\n");
    ASSERT_TRUE(StartGame());
    EXPECT_EQ(IndexOf(LogMessages(), "Tamborel: Default INI Not Found. Writing Default"), -1);
    struct Expected {
        const char* szName;
        int32_t nValue, nWanted;
    };
    for (const Expected& Each : std::vector<Expected>{
             {"PlayMusic", g_bMusicOn, 1}, {"PlaySound", g_bSoundOn, 1}, {"MusicVolume", g_nMusicVolume, 50},
             {"NE1", g_nNE1, 12}, {"NE2", g_nNE2, 0}, {"AllowCPUSwitch", g_nAllowCPUSwitch, 1},
             {"GameOverWennPlayerTot", g_nGameOverWennPlayerTot, 0}, {"XART", g_nXART, 0}, {"YART", g_nYART, 0},
             {"TileSet", g_nTileSet, 0}, {"L", g_nL, 0}, {"PS", g_nPS, 1}, {"SB", g_nSB, 1}, {"EM", g_nEM, 1},
             {"TS", g_nTS, 0}, {"UL", g_nUL, 0}, {"SST", g_nSST, 1}, {"FS", g_nFS, 1}, {"Auto", g_nAuto, 0},
             {"Wetter", g_nWetter, 0}})
        EXPECT_EQ(Each.nValue, Each.nWanted) << Each.szName;
    EXPECT_EQ(g_nSpeedTable[0], 50);
    EXPECT_EQ(g_nSpeedTable[GAME_SPEED_STEPS - 1], 72);
    // The music file named by the built-in default was fetched and is playing.
    EXPECT_NE(IndexOf(LogMessages(), "Requested Load Of Sound File 'intro_96.wav'"), -1);
    EXPECT_TRUE(Korvid.IsSoundLoaded(GAME_SOUND_MUSIC));
}

struct VolumeCase {
    const char* szStored;
    int32_t nVolume;
    int nMixerVolume;
};
void PrintTo(const VolumeCase& Case, std::ostream* pOut) { *pOut << "MusicVolume=" << Case.szStored; }
class MusicVolume : public GameStart, public ::testing::WithParamInterface<VolumeCase> {};

TEST_P(MusicVolume, IsClampedToPercent)
{
    WriteSettings(std::string("[Tamborel2]\nMusicVolume=") + GetParam().szStored + "\n");
    ASSERT_TRUE(StartGame());
    EXPECT_EQ(g_nMusicVolume, GetParam().nVolume);
    EXPECT_EQ(Korvid.SoundSlot(GAME_SOUND_MUSIC)->nMixerVolume, GetParam().nMixerVolume);
}
INSTANTIATE_TEST_SUITE_P(GameStart, MusicVolume,
                         ::testing::Values(VolumeCase{"150", 100, 127}, VolumeCase{"-5", 0, 0},
                                           VolumeCase{"79", 79, 101}));

TEST_F(GameStart, OnlyAStoredOneSwitchesAndTheExitWritesTheSwitchesBack)
{
    WriteSettings("[Tamborel2]\nAllowCPUSwitch=2\nGameOverWennPlayerTot=1\nXART=70000\nTileSet=258\n");
    ASSERT_TRUE(StartGame());
    EXPECT_EQ(g_nAllowCPUSwitch, 0);
    EXPECT_EQ(g_nGameOverWennPlayerTot, 1);
    EXPECT_EQ(g_nXART, (int16_t)70000);   // kept in 16 bits
    EXPECT_EQ(g_nTileSet, 2);             // and 8 bits
    EndGame();
    std::vector<std::string> Lines = ReadLines(GamePath("data/tamborel2.ini"));
    EXPECT_NE(std::find(Lines.begin(), Lines.end(), "AllowCPUSwitch=0"), Lines.end());
    EXPECT_NE(std::find(Lines.begin(), Lines.end(), "GameOverWennPlayerTot=1"), Lines.end());
    EXPECT_NE(std::find(Lines.begin(), Lines.end(), "XART=70000"), Lines.end());   // other lines untouched
    // Everything the game took from the memory manager went back, the sound archive too.
    std::vector<std::string> Log = LogMessages();
    EXPECT_NE(IndexOf(Log, "All User/Private Memory accounted for"), -1);
    for (const std::string& Line : Log)
        EXPECT_EQ(Line.find("User Alloc(s) Remaining"), std::string::npos) << Line;
}

TEST_F(GameStart, AMissingPictureReportsItsNumberAndTheEngineStillClosesItsLog)
{
    RemoveFile("data/gfx/ende.kvp");
    EXPECT_FALSE(StartGame());
    std::vector<std::string> Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(
        Log, {"** ERROR ** Tamborel: Reported Error 444 [DirectGraphics konnte nicht initialisiert werden! [] Bitte "
              "setzen Sie sich mit dem Support in Verbindung und melden Sie die Fehlernummer (siehe oben).]",
              "ERROR: ** Game Setup FAIL **", "ERROR: ** KorvidApp::Setup() FAILED **", "Calling Exit Function",
              "==Misc Debug Info=="}));
    EXPECT_FALSE(g_bGameReady);
    // The pictures after "ende" were never asked for.
    EXPECT_FALSE(Korvid.ChunkyExists(GAME_CHUNKY_SPACEBACK));
}

struct PictureCase {
    const char* szFile;
    int nError;
};
void PrintTo(const PictureCase& Case, std::ostream* pOut) { *pOut << Case.szFile << " -> " << Case.nError; }
class MissingPicture : public GameStart, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(MissingPicture, ReportsTheNumberOfItsLoadingStep)
{
    RemoveFile(GetParam().szFile);
    EXPECT_FALSE(StartGame());
    std::string Wanted = "** ERROR ** Tamborel: Reported Error " + std::to_string(GetParam().nError) + " [";
    std::vector<std::string> Log = LogMessages();
    EXPECT_TRUE(
        std::any_of(Log.begin(), Log.end(), [&](const std::string& Line) { return Line.rfind(Wanted, 0) == 0; }));
    EXPECT_NE(IndexOf(Log, "ERROR: ** Game Setup FAIL **"), -1);
}
INSTANTIATE_TEST_SUITE_P(GameStart, MissingPicture,
                         ::testing::Values(PictureCase{"data/gfx/m1.kvp", 406}, PictureCase{"data/gfx/tiles2.kvp", 409},
                                           PictureCase{"data/gfx/schlaeger2.kvp", 410},
                                           PictureCase{"data/gfx/spaceback.kvp", 415},
                                           PictureCase{"data/gfx/enemy3.kvp", 420},
                                           PictureCase{"data/gfx/m3_1.kvp", 427},
                                           PictureCase{"data/gfx/wetter.kvp", 429},
                                           PictureCase{"data/gfx/kugel.kvp", 430},
                                           PictureCase{"data/gfx/quest.kvp", 431}));

TEST_F(GameStart, AMissingFirstLevelFileFailsWithErrorZero)
{
    RemoveFile("data/levels/lv1.dat");
    EXPECT_FALSE(StartGame());
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"** ERROR ** LoadLevel: Could Not Open 'data/levels/lv1.dat'",
                                                "** ERROR ** Tamborel: Reported Error 0 [Kann leider das Level "
                                                "nicht laden! [] Bitte setzen Sie sich mit dem Support in "
                                                "Verbindung und melden Sie die Fehlernummer (siehe oben).]",
                                                "ERROR: ** Game Setup FAIL **"}));
}

// The title picture as the frame draws it: the top-left pixel of the back buffer.
uint16_t TitlePixel()
{
    Korvid.RunFrame();
    return Korvid.ChunkyBuffer(0) ? *(const uint16_t*)Korvid.ChunkyBuffer(0) : 0;
}

class TitleLanguage : public GameStart, public ::testing::WithParamInterface<int> {};

TEST_P(TitleLanguage, ChoosesTheTitlePictureAndTheFrameShowsIt)
{
    WriteFileBytes(GamePath("data/gfx/m1.kvp"), gametest::SolidKvp(800, 600, {200, 0, 0}));
    WriteFileBytes(GamePath("data/gfx/m1_en.kvp"), gametest::SolidKvp(800, 600, {0, 0, 200}));
    WriteSettings("[Tamborel2]\nL=" + std::to_string(GetParam()) + "\n");
    ASSERT_TRUE(StartGame());
    KorvidRGB Shown = Korvid.Unpack(TitlePixel());
    bool bEnglish = GetParam() != 0;
    EXPECT_EQ(Shown.r > 150, !bEnglish);
    EXPECT_EQ(Shown.b > 150, bEnglish);
}
INSTANTIATE_TEST_SUITE_P(GameStart, TitleLanguage, ::testing::Values(0, 1));

TEST_F(GameStart, SheetsTakeTheirMaskFromTheMaskPictureAndGoWithoutOne)
{
    // A black mask makes the sheet see-through; the stand-in picture itself is grey.
    WriteFileBytes(GamePath("data/gfx/boni.kvp"), gametest::SolidKvp(16, 16, {128, 128, 128}));
    WriteFileBytes(GamePath("data/gfx/boni_a.kvp"), gametest::SolidKvp(16, 16, {1, 1, 1}));
    WriteFileBytes(GamePath("data/gfx/pause.kvp"), gametest::SolidKvp(16, 16, {128, 128, 128}));
    WriteFileBytes(GamePath("data/gfx/pause_a.kvp"), gametest::SolidKvp(16, 16, {255, 255, 255}));
    RemoveFile("data/gfx/devil_a.kvp");
    ASSERT_TRUE(StartGame());
    for (uint32_t nChunky : {GAME_CHUNKY_BONI, GAME_CHUNKY_PAUSE})
        ASSERT_TRUE(Korvid.ChunkyHasAlpha(nChunky)) << nChunky;
    const ChunkyObject* pBoni = Korvid.ExistingChunky(GAME_CHUNKY_BONI);
    const ChunkyObject* pPause = Korvid.ExistingChunky(GAME_CHUNKY_PAUSE);
    EXPECT_EQ(pBoni->pAlpha[0], 0);
    EXPECT_EQ(pBoni->pAlpha[255], 0);
    EXPECT_EQ(pPause->pAlpha[0], 255);
    EXPECT_EQ(pPause->pAlpha[255], 255);
    EXPECT_FALSE(Korvid.ChunkyHasAlpha(GAME_CHUNKY_DEVIL));
    EXPECT_TRUE(Korvid.ChunkyExists(GAME_CHUNKY_DEVIL));
}

}  // namespace
