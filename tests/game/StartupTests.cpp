// Start-up as the engine runs it, failures reported with their numbers; and tamborel2
// run as a user runs it, for the options that end before the engine starts and the demo.
#include "game/GameFixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "CommandLine.h"
#include "Resources.h"
#include "Sounds.h"
#include "sheets.h"
#include "support/TestInput.h"

namespace {

using namespace gametest;

// The frame each movie reached, from its closing line.
std::vector<int> ClosedAtFrames()
{
    std::vector<int> Frames;
    for (const std::string& Line : LogMessages())
        if (Line.rfind("Movie Closed at ", 0) == 0)
            Frames.push_back(atoi(Line.c_str() + 16));
    return Frames;
}

// A clock that clicks the left button once, when the first movie has shown a few frames.
class ClickingPlatform : public VirtualClockPlatform {
public:
    void Delay(uint32_t nMilliseconds) override
    {
        VirtualClockPlatform::Delay(nMilliseconds);
        if (!m_bClicked && Korvid.MovieOpen() && Korvid.MovieFrame() >= 4) {
            m_bClicked = true;
            InjectClick(SDL_BUTTON_LEFT, 10, 10);
        }
    }
    bool m_bClicked = false;
};

class Startup : public GameStart {
protected:
    ClickingPlatform m_Clicking;   // outlives the engine's shutdown in TearDown
    // A red German and a blue English title picture.
    void WriteTitles()
    {
        WriteGameFile("data/gfx/m1.kvp", SolidKvp(800, 600, {200, 0, 0}));
        WriteGameFile("data/gfx/m1_en.kvp", SolidKvp(800, 600, {0, 0, 200}));
    }
    // The title picture as the frame draws it, by its red and its blue (in a corner
    // the menu's pointer, at (0, 0) until the mouse moves, leaves free).
    static std::pair<bool, bool> TitleShown()
    {
        Korvid.RunFrame();
        KorvidRGB Shown = Korvid.Unpack(Pixel(799, 0));
        return {Shown.r > 150 && Shown.b < 50, Shown.b > 150 && Shown.r < 50};
    }
};

TEST_F(Startup, TheFirstStartPlaysTheMoviesWritesTheDefaultSettingsWhereDataSaysAndLoadsEverything)
{
    WriteTitles();
    // A black mask makes a sheet see-through, a white one opaque; the devil goes without one.
    WriteGameFile("data/gfx/boni.kvp", SolidKvp(16, 16, {128, 128, 128}));
    WriteGameFile("data/gfx/boni_a.kvp", SolidKvp(16, 16, {1, 1, 1}));
    WriteGameFile("data/gfx/pause.kvp", SolidKvp(16, 16, {128, 128, 128}));
    WriteGameFile("data/gfx/pause_a.kvp", SolidKvp(16, 16, {255, 255, 255}));
    RemoveFile("data/gfx/devil_a.kvp");
    setenv("TAMBOREL_DATA", m_ScratchDir.c_str(), 1);   // a place without data: --data wins over it
    ASSERT_TRUE(StartGame({"--windowed", "--data", m_GameDir}));
    EXPECT_EQ(Pair(Korvid.WindowMode(), Korvid.GetReadDir() == m_GameDir + "/"), Pair(KOR_WINDOWED, true));
    EXPECT_EQ(ClosedAtFrames(), (std::vector<int>{10, 10}));
    // The settings file knows nothing of the window.
    EXPECT_EQ(ReadFileText(GamePath(GAME_INI_FILE)),
              "[Tamborel2]\nPlaySound=1\nPlayMusic=1\nShowBackground=1\nMusicVolume=50\nShowLogo=0\nPlayerName=Player\n"
              "H1 =5000\nH2 =4000\nH3 =3000\nH4 =2000\nH5 =1000\nAllowCPUSwitch=0\nGameOverWennPlayerTot=0\nC=1\n"
              "TS=0\nFS=1\nEM=1\nUL=0\nSB=1\nPS=1\nSST=1\nL=0\nWetter=0\nNE1=12\nNE2=0\n");
    EXPECT_TRUE(g_bGameReady && g_nAllowCPUSwitch == 0);   // the file's value, not the built-in 1
    // Every sound of the archive in a number of its own; 0 is the movie's track, 1 the music.
    std::vector<int32_t> Numbers = {0, (int32_t)GAME_SOUND_MUSIC};
    for (const std::pair<int, int>& Kind : {std::make_pair(0, 0), {1, 5},   {2, 0},   {3, 0},   {5, 0},  {6, 19},
                                            {7, 19},              {8, 19},  {9, 0},   {10, 0},  {11, 0}, {12, 19},
                                            {13, 19},             {14, 19}, {15, 35}, {16, 5},  {17, 3}})
        for (int nVariant = Kind.second ? 1 : 0; nVariant <= Kind.second; ++nVariant) {
            Numbers.push_back(GameSoundNumber(Kind.first, nVariant));
            EXPECT_TRUE(Korvid.IsSoundLoaded((uint32_t)Numbers.back())) << Kind.first << "/" << nVariant;
        }
    std::sort(Numbers.begin(), Numbers.end());
    EXPECT_EQ(std::adjacent_find(Numbers.begin(), Numbers.end()), Numbers.end());
    EXPECT_EQ(GameSoundNumber(1, 6), -1);   // explo has five variants
    EXPECT_FALSE(LogStartsWith("WARNING: ** Failed to find"));

    const ChunkyObject* pBoni = Korvid.ExistingChunky(GAME_CHUNKY_BONI);
    const ChunkyObject* pPause = Korvid.ExistingChunky(GAME_CHUNKY_PAUSE);
    ASSERT_TRUE(Korvid.ChunkyHasAlpha(GAME_CHUNKY_BONI) && Korvid.ChunkyHasAlpha(GAME_CHUNKY_PAUSE));
    EXPECT_EQ(Pair(pBoni->pAlpha[0] + pBoni->pAlpha[255], pPause->pAlpha[0] + pPause->pAlpha[255]), Pair(0, 2 * 255));
    EXPECT_TRUE(Korvid.ChunkyExists(GAME_CHUNKY_DEVIL) && !Korvid.ChunkyHasAlpha(GAME_CHUNKY_DEVIL));
    EXPECT_EQ(TitleShown(), std::make_pair(true, false));
}

TEST_F(Startup, ASettingsFileWithOnlyItsSectionGivesEveryBuiltInDefaultAndTheFullScreen)
{
    Start();
    EXPECT_EQ(Korvid.WindowMode(), KOR_FULLSCREEN);
    EXPECT_FALSE(LogHas("Tamborel: Default INI Not Found. Writing Default"));
    // AllowCPUSwitch is built in as 1, though a new settings file says 0.
    EXPECT_EQ((std::array<int, 10>{g_bMusicOn, g_bSoundOn, g_nMusicVolume, g_nAllowCPUSwitch, g_nPS, g_nSST, g_nFS,
                                   g_nL, g_nAuto, g_nNE1}),
              (std::array<int, 10>{1, 1, 50, 1, 1, 1, 1, 0, 0, 12}));
    EXPECT_EQ(std::make_pair(g_nSpeedTable[0], g_nSpeedTable[GAME_SPEED_STEPS - 1]), std::make_pair(50, 72));
    // The music file named by the built-in default plays at the music volume.
    EXPECT_TRUE(LogHas("Requested Load Of Sound File 'intro_96.wav'") && Korvid.IsSoundLoaded(GAME_SOUND_MUSIC));
    EXPECT_EQ(Korvid.SoundSlot(GAME_SOUND_MUSIC)->nMixerVolume, 63);
}

TEST_F(Startup, StoredSettingsAreKeptInRangeAMissingMovieIsSkippedAndTheExitWritesTheSwitchesBack)
{
    WriteTitles();
    RemoveFile("data/gfx/ostra.kva");
    Start("[Tamborel2]\nAllowCPUSwitch=2\nGameOverWennPlayerTot=1\nXART=70000\nYART=-7\nTileSet=258\n"
          "MusicVolume=150\nL=1\n");
    // Only a stored 1 switches; XART is kept in 16 bits and TileSet in 8.
    EXPECT_EQ((std::array<int, 6>{g_nAllowCPUSwitch, g_nGameOverWennPlayerTot, g_nXART, g_nYART, g_nTileSet,
                                  g_nMusicVolume}),
              (std::array<int, 6>{0, 1, (int16_t)70000, -7, 2, 100}));
    EXPECT_EQ(Korvid.SoundSlot(GAME_SOUND_MUSIC)->nMixerVolume, 127);
    EXPECT_TRUE(LogHas("Korvid: Failed to Open Movie 'data/gfx/ostra.kva'"));
    EXPECT_EQ(ClosedAtFrames(), (std::vector<int>{10}));
    EXPECT_EQ(TitleShown(), std::make_pair(false, true));   // the English one
    EndGame();
    std::vector<std::string> Lines = ReadLines(GamePath(GAME_INI_FILE));
    for (const char* szLine : {"AllowCPUSwitch=0", "GameOverWennPlayerTot=1", "XART=70000"})   // others untouched
        EXPECT_NE(std::find(Lines.begin(), Lines.end(), szLine), Lines.end()) << szLine;
    // Everything the game took from the memory manager went back, the sound archive too.
    EXPECT_TRUE(LogHas("All User/Private Memory accounted for") && !LogStartsWith("User Alloc(s) Remaining"));
}

TEST_F(Startup, AMissingPictureReportsItsNumberAndTheEngineStillClosesItsLog)
{
    RemoveFile("data/gfx/ende.kvp");
    EXPECT_FALSE(StartGame());
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"** ERROR ** Tamborel: Reported Error 444 [DirectGraphics konnte nicht initialisiert "
                                 "werden! [] Bitte setzen Sie sich mit dem Support in Verbindung und melden Sie die "
                                 "Fehlernummer (siehe oben).]",
                                 "ERROR: ** Game Setup FAIL **", "ERROR: ** KorvidApp::Setup() FAILED **",
                                 "Calling Exit Function", "==Misc Debug Info=="}));
    EXPECT_FALSE(g_bGameReady);
    EXPECT_FALSE(Korvid.ChunkyExists(GAME_CHUNKY_SPACEBACK));   // the pictures after "ende" were never asked for
}

TEST_F(Startup, AMissingFirstLevelFailsWithErrorZero)
{
    RemoveFile("data/levels/lv1.dat");
    EXPECT_FALSE(StartGame());
    EXPECT_TRUE(LogStartsWith("** ERROR ** Tamborel: Reported Error 0 ["));
    EXPECT_TRUE(LogHas("ERROR: ** Game Setup FAIL **"));
}

TEST_F(Startup, ALeftClickDuringTheFirstMovieSkipsToTheSecond)
{
    for (const char* szMovie : {"ostra", "velmora"})
        WriteGameFile(std::string("data/gfx/") + szMovie + ".kva", RawKva(20));
    Korvid.SetPlatform(&m_Clicking);
    ASSERT_TRUE(StartGame());
    std::vector<int> Frames = ClosedAtFrames();
    ASSERT_EQ(Frames.size(), 2u);
    EXPECT_TRUE(Frames[0] >= 4 && Frames[0] < 20) << Frames[0];
    EXPECT_EQ(Frames[1], 20);
    // The click was used up by the movie: the game's mouse queue is empty.
    EXPECT_EQ(Korvid.PeekMouseEvent().nType, KOR_EVENT_NONE);
}

TEST(GameProgram, HelpVersionAndBadArgumentsAnswerWithoutStartingTheEngineAndTheLastWindowOptionWins)
{
    EnterScratchDirectory();
    const std::string NoData = "TAMBOREL_DATA=/nonexistent";
    RunResult Help = RunGame(NoData, "--windowed --help");
    EXPECT_EQ(Help.nStatus, 0);
    EXPECT_EQ(Help.Out.rfind("Usage: tamborel2 [OPTION]...\n", 0), 0u) << Help.Out;
    for (const char* szOption : {"--windowed", "--fullscreen", "--data DIR", "--help", "--version"})
        EXPECT_NE(Help.Out.find(szOption), std::string::npos) << szOption;
    EXPECT_EQ(Help.Err, "");
    RunResult Version = RunGame(NoData, "--version");
    EXPECT_EQ(Version.nStatus, 0);
    EXPECT_EQ(Version.Out, "Tamborel 2 1.0\n");

    const std::string Try = " (try 'tamborel2 --help')\n";
    const std::string Demo = "tamborel2: option '--demo' needs a number of seconds above 0" + Try;
    const std::pair<const char*, std::string> Bad[] = {
        {"--bogus", "tamborel2: unknown option '--bogus'" + Try},
        {"--windowed extra", "tamborel2: unknown option 'extra'" + Try},
        {"--data", "tamborel2: option '--data' needs a directory" + Try},
        {"--data /nonexistent/dir", "tamborel2: no 'data' folder in '/nonexistent/dir'\n"},
        {"--demo=0", Demo},
        {"--demo=1x", Demo},
        {"--demo --seed=-3", "tamborel2: option '--seed' needs a whole number" + Try},
        {"--level=101", "tamborel2: option '--level' needs a level number from 1 to 100" + Try},
        {"--level=0", "tamborel2: option '--level' needs a level number from 1 to 100" + Try},
        {"--edit=101", "tamborel2: option '--edit' needs a level number from 1 to 100" + Try},
        {"--edit --demo", "tamborel2: option '--edit' opens the level editor: no '--demo', '--record' or '--replay'" +
                              Try},
        {"--fast", "tamborel2: option '--fast' goes with '--demo' or '--replay'" + Try},
        {"--seed=4", "tamborel2: option '--seed' goes with '--demo' or '--record'" + Try},
        {"--chaos --record=a", "tamborel2: options '--shots' and '--chaos' go with '--demo'" + Try},
        {"--record=", "tamborel2: option '--record' needs a file" + Try},
        {"--replay=a --demo", "tamborel2: option '--replay' plays the recorded game alone: no '--demo', '--record', "
                              "'--seed' or '--level'" + Try}};
    for (const auto& Case : Bad) {
        RunResult Result = RunGame(NoData, Case.first);
        EXPECT_EQ(std::make_pair(Result.nStatus, Result.Out), std::make_pair(2, std::string())) << Case.first;
        EXPECT_EQ(Result.Err, Case.second);
    }
    EXPECT_FALSE(PathExists("debug.log"));

    // The last window option wins; the demo has its defaults.
    std::vector<const char*> Args = {"--windowed", "--fullscreen", "--demo", "--chaos"};
    GameCommandLine Line = GameParseCommandLine(4, Args.data());
    EXPECT_EQ(Line.nWindowMode, KOR_FULLSCREEN);
    EXPECT_EQ(GameParseCommandLine(1, Args.data()).nWindowMode, KOR_WINDOWED);
    EXPECT_TRUE(Line.Command == GameCommand::Run && Line.bDemo && Line.bChaos && !Line.bFast && !Line.bSeedGiven);
    EXPECT_EQ(Line.nDemoSeconds, 60u);
}



// The one summary line read back: frames, seconds, levels, score, lost, mean and
// 99th percentile frame time, bonuses, enemies, boss stages won and reached;
// empty when the output is anything else.
constexpr size_t SUMMARY_FIELDS = 11;
std::vector<double> ReadSummary(const std::string& Out)
{
    std::vector<double> F(SUMMARY_FIELDS);
    int nEnd = -1;
    int nRead = sscanf(Out.c_str(),
                       "demo: frames=%lf seconds=%lf levels=%lf score=%lf lost=%lf frame_ms_mean=%lf "
                       "frame_ms_p99=%lf bonuses=%lf enemies=%lf bosses=%lf/%lf\n%n",
                       &F[0], &F[1], &F[2], &F[3], &F[4], &F[5], &F[6], &F[7], &F[8], &F[9], &F[10], &nEnd);
    return nRead == (int)SUMMARY_FIELDS && nEnd == (int)Out.size() ? F : std::vector<double>();
}

// How often Text occurs in Log.
int Count(const std::string& Log, const std::string& Text)
{
    int nCount = 0;
    for (size_t nAt = Log.find(Text); nAt != std::string::npos; nAt = Log.find(Text, nAt + 1))
        ++nCount;
    return nCount;
}

class Demo : public GameStart {
protected:
    // Short first levels, so that minutes of play win levels and lose games: hard bricks just over the paddle
    // send the ball back often; under them two bricks to break, or in odd levels one out of reach above them
    // (but for the tenth, which a boss stage follows).
    void WriteShortLevels()
    {
        constexpr int ROW = 16;
        LevelFileData File;
        for (int nLevel = 0; nLevel < LEVELS_PER_FILE; ++nLevel) {
            std::vector<std::array<int, 3>> Cells;
            for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn)
                Cells.push_back({nColumn, ROW, 180});
            if (nLevel % 2 == 1 && nLevel < LEVELS_PER_FILE - 1)
                Cells.push_back({3 + nLevel, 0, 0});
            else
                Cells.insert(Cells.end(), {{3 + nLevel, ROW + 1, 0}, {12 - nLevel / 2, ROW + 1, 1}});
            File.Levels.push_back(MakeLevel(1 + nLevel, Cells));
        }
        Bytes LevelBytes, ParamBytes;
        LevelEncodeFile(File, LevelBytes, ParamBytes);
        WriteGameFile("data/levels/lv1.dat", LevelBytes);
        WriteGameFile("data/levels/lv1p.dat", ParamBytes);
    }
    // Runs the demo in its own folder, which keeps its log and pictures.
    RunResult RunDemo(const std::string& Dir, const std::string& Arguments)
    {
        EXPECT_EQ(mkdir(Dir.c_str(), 0700), 0);
        EXPECT_EQ(chdir(Dir.c_str()), 0);
        RunResult Run = RunGame("TAMBOREL_DATA='" + m_GameDir + "'", "--windowed " + Arguments);
        EXPECT_EQ(chdir(m_ScratchDir.c_str()), 0);
        return Run;
    }
};

TEST_F(Demo, ALongUnattendedGameWinsLevelsLosesGamesAndEndsThroughTheNormalShutdown)
{
    WriteShortLevels();
    RunResult Run = RunDemo("long", "--demo=200 --fast --seed=3 --shots=shots");
    ASSERT_EQ(Run.nStatus, 0) << Run.Err;
    EXPECT_EQ(Run.Err, "");
    const std::vector<double> Figures = ReadSummary(Run.Out);
    ASSERT_EQ(Figures.size(), SUMMARY_FIELDS) << Run.Out;
    EXPECT_EQ(Figures[1], 200);
    EXPECT_NEAR(Figures[0], 200000.0 / 19, 200000.0 / 19 * 0.02);   // 19 ms of game time a frame at the limit of 50
    EXPECT_TRUE(Figures[3] > 0 && Figures[6] > 0.0) << "no brick broken, or no frame timed";
    EXPECT_GE(Figures[2], 2);   // levels won
    EXPECT_GE(Figures[4], 4);   // balls lost
    // A picture every five seconds and one at the end.
    EXPECT_TRUE(PathExists("long/shots/demo-0000.png") && PathExists("long/shots/demo-0040.png"));
    EXPECT_FALSE(PathExists("long/shots/demo-0041.png"));
    // Games were lost and new ones begun; the normal shutdown ran to its closing reports, no file left open.
    const std::string Log = ReadFileText("long/debug.log");
    EXPECT_GE(Count(Log, "Tamborel: GameChangeMode(3) - Spiel_Veloren"), 1);
    EXPECT_GE(Count(Log, "Tamborel: GameChangeMode(1) - Spiel_Starten"), 2);
    EXPECT_EQ(Count(Log, "Tamborel: GameChangeMode(4) - Level_Geschafft"), Figures[2]);
    EXPECT_EQ(Count(Log, "Total Number of Files Opened") + Count(Log, "Log File Ended"), 2);
    EXPECT_EQ(Count(Log, "File(s) Left Open"), 0);
}

TEST_F(Demo, StartedAtLevelTenTheDemoReachesTheBossStageAndFlies)
{
    WriteShortLevels();
    RunResult Run = RunDemo("boss", "--demo=45 --fast --seed=5 --level=10");
    ASSERT_EQ(Run.nStatus, 0) << Run.Err;
    const std::vector<double> Figures = ReadSummary(Run.Out);
    ASSERT_EQ(Figures.size(), SUMMARY_FIELDS) << Run.Out;
    EXPECT_EQ(Figures[10], 1) << Run.Out;   // boss stages reached
    const std::string Log = ReadFileText("boss/debug.log");
    EXPECT_GE(Count(Log, "Tamborel: Start Level 10 Chosen On The Command Line"), 1);
    // The ship fired (shot sound 16/1) and hit the boss (explosion 1/2 or 1/3).
    auto Played = [&](int nKind, int nVariant) {
        return Count(Log, "Sound: " + std::to_string(GameSoundNumber(nKind, nVariant)) + " ");
    };
    EXPECT_GT(Played(16, 1), 0);
    EXPECT_GT(Played(1, 2) + Played(1, 3), 0);
}

TEST_F(Demo, AGameThatCannotGoOnIsReportedStuckAfterFiveMinutes)
{
    // Without backgrounds no game can start: the demo stays on the title screen.
    for (int n = 1; n <= Sheets::BACKGROUND_COUNT; ++n)
        RemoveFile("data/gfx/hg" + std::to_string(n) + ".kvp");
    RunResult Run = RunDemo("stuck", "--demo=900 --fast");
    EXPECT_EQ(Run.nStatus, 3);
    const std::string Stuck = "demo: stuck after 300 seconds: screen=0 in_game=0 halted=0 score_entry=0 level=0 "
                              "score=0 lives=0 balls=0 bonuses=0 boss_stage=0 boss_energy=0 ship_energy=0\n";
    ASSERT_EQ(Run.Out.rfind(Stuck, 0), 0u) << Run.Out;
    const std::vector<double> Figures = ReadSummary(Run.Out.substr(Stuck.size()));
    ASSERT_EQ(Figures.size(), SUMMARY_FIELDS) << Run.Out;
    EXPECT_EQ(Figures[1], 300);
}

TEST_F(Demo, TheSameSeedPlaysTheSameGame)
{
    WriteShortLevels();
    // The switches as the run writes them back; no effects, whose mixing channels keep time of their own.
    // Each run starts from the same file: the first keeps the codes of the levels it reached there.
    const std::string Settings = "[Tamborel2]\nAllowCPUSwitch=0\nGameOverWennPlayerTot=0\nPlaySound=0\n";
    WriteSettings(Settings);
    RunResult First = RunDemo("first", "--demo=60 --fast --seed=11");
    WriteSettings(Settings);
    RunResult Second = RunDemo("second", "--demo=60 --fast --seed=11");
    const std::vector<double> Figures = ReadSummary(First.Out);
    ASSERT_TRUE(Figures.size() == SUMMARY_FIELDS && Figures[3] + Figures[4] > 0) << First.Out;   // some score, or balls lost
    // The summary but for the two frame times, and the log but for its dated first and last lines, are the same.
    auto WithoutTimings = [](const std::string& Out) { return Out.substr(0, Out.find(" frame_ms_mean=")); };
    EXPECT_EQ(WithoutTimings(First.Out), WithoutTimings(Second.Out));
    auto Dateless = [](const std::string& L) { return L.substr(L.find('\n'), L.rfind("File Ended") - L.find('\n')); };
    EXPECT_EQ(Dateless(ReadFileText("first/debug.log")), Dateless(ReadFileText("second/debug.log")));
}

}  // namespace
