// The demo's computer player and its bookkeeping. It plays through the same
// input a person gives: pointer positions, clicks and keys.
#include "Demo.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Balls.h"
#include "Bonuses.h"
#include "BossStage.h"
#include "DemoShip.h"
#include "Editor.h"
#include "Flow.h"
#include "GameState.h"
#include "Keys.h"
#include "Levels.h"
#include "Paddles.h"
#include "korvid.h"
#include "services/ChunkyPng.h"
#include "sheets.h"

namespace {

constexpr uint32_t SERVE_WAIT_MS = 1000;      // the computer looks before it launches
constexpr uint32_t SCREENSHOT_EVERY_MS = 5000;
constexpr uint32_t NAME_ENTRY_WAIT_MS = 2000;  // the end screen is shown a while, then left
constexpr uint32_t MATCH_SCORES_WAIT_MS = 2000;   // and so is a match's score screen
constexpr uint32_t START_RETRY_MS = 1000;      // a start that failed is tried again after this
constexpr int32_t POINTER_REST_Y = 560, POINTER_FLICK_Y = 500;
constexpr int16_t BALL_LANDING_HEIGHT = 16;    // a ball this far above the paddle's top touches it
constexpr int32_t MISS_EVERY = 25, MISS_DISTANCE = 40;
constexpr uint32_t STUCK_AFTER_MS = 5 * 60 * 1000;   // nothing progressing this long is a stuck game
constexpr int EXIT_STUCK = 3;
constexpr int32_t BALL_HIGH_Y = 250;             // a ball above this leaves time to fetch a bonus
constexpr int32_t BONUS_CLOSE_Y = 420, DODGE_MARGIN = 12;
constexpr int FIRST_WEATHER_BONUS = 69, LAST_WEATHER_BONUS = 74;
// Chaos: about one input in CHAOS_EVERY frames, from these keys and the buttons.
// Escape is left to the computer player, which gives up only at the end of a
// game: given up every minute, no game would ever reach a second level.
constexpr int32_t CHAOS_EVERY = 60;
constexpr int CHAOS_KEYS[] = {GAME_KEY_P,         GAME_KEY_F7, GAME_KEY_F9, GAME_KEY_F11, GAME_KEY_RETURN, GAME_KEY_A,
                              GAME_KEY_Z,         GAME_KEY_BACKSPACE, GAME_KEY_KEYPAD_ENTER};
constexpr int CHAOS_KEY_COUNT = sizeof(CHAOS_KEYS) / sizeof(CHAOS_KEYS[0]);

// A clock that jumps over every wait: frames follow each other as fast as the
// machine draws them, with the same game time as a real run.
class DemoClock : public OSEnvironment {
public:
    uint32_t GetTicks() override { return m_nNow; }
    void Delay(uint32_t nMilliseconds) override { m_nNow += nMilliseconds; }

private:
    uint32_t m_nNow = 1000;
};

// What the stuck watch compares from frame to frame (see Progress).
constexpr const char* PROGRESS_NAMES[] = {"screen", "in_game", "halted", "score_entry", "level",       "score",
                                          "lives",  "balls",   "bonuses", "boss_stage",  "boss_energy", "ship_energy"};
using ProgressState = std::array<int32_t, std::size(PROGRESS_NAMES)>;

struct DemoState {
    bool bOn = false;
    GameCommandLine Options;
    DemoClock Clock;
    // The computer's hand draws its own random numbers: play draws the same
    // ones whether the demo plays or a replay of it does.
    KorvidRandom Hand;
    bool bStarted = false;         // the first frame has run
    uint32_t nStartTime = 0;       // Timer() of the first frame
    uint32_t nNextShot = 0;
    int nShot = 0;
    uint32_t nWaitingSince = 0;    // when the balls began to wait, or the end screen showed
    bool bWaiting = false;
    bool bTriedStart = false;      // F11 was pressed on the title screen, at nStartTriedAt
    uint32_t nStartTriedAt = 0;
    int32_t nAimOffset = 0;        // where under the ball the paddle meets it
    int16_t nLastDy = 0;           // ball 0's dy in the frame before, to see its bounces
    // Statistics.
    uint64_t nFrames = 0;
    std::vector<double> FrameMs;
    std::chrono::steady_clock::time_point FrameStart;
    int32_t nLevelsCleared = 0;
    int32_t nLastLevel = 0;
    int32_t nLastMatchLevel = 0;
    bool bWasInGame = false;
    int32_t nBallsLost = 0;
    int32_t nLastLives = 0;
    bool bWasDead = false;
    int64_t nBankedScore = 0;      // scores of the games already over
    int32_t nLastScore = 0;
    uint32_t nEndGameTime = 0;     // game time when the demo ended; 0 while it runs
    // The watch for a stuck game: what was seen last and since when.
    ProgressState LastProgress = {};
    uint32_t nProgressSince = 0;
    std::string StuckReport;       // set when the demo ended a stuck game
    // The memory manager's live user memory at the start of each level.
    uint32_t nFewestBlocks = UINT32_MAX, nMostBlocks = 0;
    uint32_t nLeastBytes = UINT32_MAX, nMostBytes = 0;
};

DemoState g_Demo;

// The record of the player the demo plays, for its figures: the mouse player's.
// Read from the setting rather than LocalPlayer(), which a lost match turns back
// to player 1 in the frame the demo has to count the loss in.
int MySlot()
{
    return g_nAuto == 1 ? 1 : 0;
}

// Where on the paddle the next bounce happens; one bounce in MISS_EVERY is misjudged.
void ChooseAim(int16_t nWidth)
{
    const int32_t nReach = g_Demo.Hand.RandomBelow(MISS_EVERY) == 0 ? nWidth + MISS_DISTANCE : nWidth / 3;
    g_Demo.nAimOffset = g_Demo.Hand.RandomRange(-nReach, nReach);
}

uint32_t GameTime()
{
    return Korvid.Timer() - g_Demo.nStartTime;
}

// True once the same situation has lasted nWaitMs; a new situation starts the wait.
bool WaitedFor(bool bSituation, uint32_t nWaitMs)
{
    if (!bSituation) {
        g_Demo.bWaiting = false;
        return false;
    }
    if (!g_Demo.bWaiting) {
        g_Demo.bWaiting = true;
        g_Demo.nWaitingSince = Korvid.Timer();
    }
    if (Korvid.Timer() - g_Demo.nWaitingSince < nWaitMs)
        return false;
    g_Demo.bWaiting = false;
    return true;
}

// A bonus a fair player wants: good ones; bad ones are dodged, the weather
// and the empty ones left to chance.
enum class BonusWish { Catch, Dodge, Ignore };
BonusWish WishFor(int nCode)
{
    if (LevelBonusIsGood(nCode))
        return BonusWish::Catch;
    const bool bWeather = nCode >= FIRST_WEATHER_BONUS && nCode <= LAST_WEATHER_BONUS;
    return bWeather || LevelBonusDoesNothing(nCode) ? BonusWish::Ignore : BonusWish::Dodge;
}

// While the ball is high and rising there is time to fetch the lowest good bonus.
int32_t FetchBonus(int32_t x, const Paddle& Mine)
{
    const Ball& Main = g_Balls[0];
    if (Main.dy > 0)
        return x;
    const FallingBonus* pLowest = nullptr;
    for (const FallingBonus& Bonus : g_Bonuses)
        if (Bonus.bActive && WishFor(Bonus.nType) == BonusWish::Catch && (!pLowest || Bonus.y > pLowest->y))
            pLowest = &Bonus;
    return pLowest ? pLowest->x + Sheets::BONUS_SIZE / 2 - Mine.Width() / 2 : x;
}

// A bad bonus about to land where the paddle would be pushes it aside, to the
// side where the ball still is in reach.
int32_t DodgeBonuses(int32_t x, const Paddle& Mine)
{
    for (const FallingBonus& Bonus : g_Bonuses) {
        if (!Bonus.bActive || WishFor(Bonus.nType) != BonusWish::Dodge || Bonus.y < BONUS_CLOSE_Y)
            continue;
        const int32_t nLeft = Bonus.x - DODGE_MARGIN, nRight = Bonus.x + Sheets::BONUS_SIZE + DODGE_MARGIN;
        if (x + Mine.Width() <= nLeft || x >= nRight)
            continue;
        const int32_t nBallX = g_Balls[0].x;
        x = nBallX < Bonus.x ? nLeft - Mine.Width() : nRight;
    }
    return x;
}

// The paddle goes under ball 0, as the computer's paddle does in a match. Like
// a person it meets the ball at a spot chosen anew for every bounce, flicks the
// mouse up as the ball comes down (which speeds the ball up), now and then
// misjudges the ball altogether, fetches good bonuses and dodges bad ones.
void SteerPaddle()
{
    const Ball& Main = g_Balls[0];
    const Paddle& Mine = PlayerPaddle(LocalPlayer());
    // The flick counts only in the frame the ball lands in.
    const bool bLanding = Main.dy > 0 && Main.y + Main.dy + BALL_LANDING_HEIGHT > Mine.y;
    if (Main.dy < 0 && g_Demo.nLastDy > 0)
        ChooseAim(Mine.Width());
    g_Demo.nLastDy = Main.dy;
    int32_t x = Main.x - Mine.Width() / 2 + g_Demo.nAimOffset;
    // The ball comes first: bonuses matter only while it is far from the paddle.
    const bool bBallFar = Main.dy < 0 || Main.y < BALL_HIGH_Y;
    if (g_bBallsLaunched && bBallFar)
        x = DodgeBonuses(FetchBonus(x, Mine), Mine);
    int32_t y = bLanding ? POINTER_FLICK_Y : POINTER_REST_Y;
    Korvid.SetMousePosition(std::clamp(x, 0, 799), y, false, false);
}

// A player with a laser uses it.
void FireLaser()
{
    if (PlayerPaddle(LocalPlayer()).nLaserLevel == 0 || g_Demo.nFrames % DEMO_FIRE_EVERY_FRAMES != 0)
        return;
    Korvid.SimulateClick(KOR_BUTTON_RIGHT, (uint16_t)Korvid.MouseX(), (uint16_t)Korvid.MouseY());
}

void Serve()
{
    if (!WaitedFor(true, SERVE_WAIT_MS))
        return;
    ChooseAim(PlayerPaddle(LocalPlayer()).Width());
    Korvid.SimulateClick(KOR_BUTTON_LEFT, (uint16_t)Korvid.MouseX(), (uint16_t)Korvid.MouseY());
}

// Between the levels of a match: the scores are looked at, then Enter plays
// on; after the last level Escape leads back to the title.
void LeaveMatchScores()
{
    if (WaitedFor(true, MATCH_SCORES_WAIT_MS))
        Korvid.SimulateKey(g_nMenuScreen == GAME_SCREEN_MATCH_WON ? GAME_KEY_RETURN : GAME_KEY_ESCAPE);
}

// F11 starts a game from the title, as a person's key does: once the key before
// it is taken. A start that failed (a picture missing) is tried again a second
// later, as a person would, not every other frame.
void StartFromTitle()
{
    const uint32_t nNow = Korvid.Timer();
    if (Korvid.PeekKeyEvent().nType != KOR_EVENT_NONE ||
        (g_Demo.bTriedStart && nNow - g_Demo.nStartTriedAt < START_RETRY_MS))
        return;
    g_Demo.bTriedStart = true;
    g_Demo.nStartTriedAt = nNow;
    Korvid.SimulateKey(GAME_KEY_F11);
}

// A careless click opened another screen (options, the level editor ...): back
// to the title a while later, as a person would; edits the chaos made in the
// editor are dropped when it asks.
void LeaveOtherScreen()
{
    if (WaitedFor(true, MATCH_SCORES_WAIT_MS))
        Korvid.SimulateKey(g_nMenuScreen == GAME_SCREEN_EDITOR && GameEditorAsking() ? GAME_KEY_RETURN
                                                                                      : GAME_KEY_ESCAPE);
}

void PlayAsMousePlayer()
{
    if (!g_bInGame) {
        if (g_nMenuScreen == GAME_SCREEN_TITLE)
            StartFromTitle();
        else if (g_nMenuScreen == GAME_SCREEN_MATCH_WON || g_nMenuScreen == GAME_SCREEN_MATCH_LAST)
            LeaveMatchScores();
        else
            LeaveOtherScreen();
        return;
    }
    // The end of a game or of the whole set: look at it a while, then leave
    // without putting a name in the player's list.
    if (g_nScoreEntry != GAME_SCORE_ENTRY_NONE || (g_bHalted && !g_bPauseAllowed)) {
        if (WaitedFor(true, NAME_ENTRY_WAIT_MS))
            Korvid.SimulateKey(GAME_KEY_ESCAPE);
        return;
    }
    if (g_bBossStage) {
        DemoFlyShip(g_Demo.nFrames);
        return;
    }
    SteerPaddle();
    // The computer's serve is waited for, as a person would.
    if (!g_bBallsLaunched && !g_bComputerLaunchPending) {
        Serve();
    } else {
        WaitedFor(false, 0);
        FireLaser();
    }
}

// What a careless hand adds: the pointer anywhere, a click, a key. Never into
// the name entry, which would put the demo into the player's list.
void AddChaos()
{
    if (g_nScoreEntry != GAME_SCORE_ENTRY_NONE)
        return;
    switch (g_Demo.Hand.RandomBelow(CHAOS_EVERY)) {
    case 0: Korvid.SetMousePosition(g_Demo.Hand.RandomBelow(800), g_Demo.Hand.RandomBelow(600), false, false); break;
    case 1: Korvid.SimulateClick((uint32_t)g_Demo.Hand.RandomBelow(2), 0, 0); break;
    case 2: Korvid.SimulateKey((uint32_t)CHAOS_KEYS[g_Demo.Hand.RandomBelow(CHAOS_KEY_COUNT)]); break;
    default: break;
    }
}

// Live memory should not grow from level to level: it is sampled as each level begins.
void SampleMemory()
{
    const KorvidMemoryCounters& Memory = Korvid.MemoryCounters();
    g_Demo.nFewestBlocks = std::min(g_Demo.nFewestBlocks, Memory.nUserBlocks);
    g_Demo.nMostBlocks = std::max(g_Demo.nMostBlocks, Memory.nUserBlocks);
    g_Demo.nLeastBytes = std::min(g_Demo.nLeastBytes, Memory.nUserBytes);
    g_Demo.nMostBytes = std::max(g_Demo.nMostBytes, Memory.nUserBytes);
    Korvid.DebugLog("Demo: Level %d Begins With %u User Block(s), %u Byte(s)", (int)g_nCurrentLevel,
                    Memory.nUserBlocks, Memory.nUserBytes);
}

void ReportMemory()
{
    if (g_Demo.nMostBlocks == 0)
        return;
    Korvid.DebugLog("Demo: Live User Memory At Level Starts: %u..%u Block(s), %u..%u Byte(s); Peak %u Byte(s)",
                    g_Demo.nFewestBlocks, g_Demo.nMostBlocks, g_Demo.nLeastBytes, g_Demo.nMostBytes,
                    Korvid.MemoryCounters().nUserPeakBytes);
}

void CountProgress()
{
    if (g_nCurrentLevel != g_Demo.nLastLevel && g_bInGame)
        SampleMemory();
    // A new game's start level (--level) is no level won.
    const bool bSameGame = g_bInGame && g_Demo.bWasInGame;
    if (g_nCurrentLevel > g_Demo.nLastLevel && bSameGame)
        g_Demo.nLevelsCleared += g_nCurrentLevel - g_Demo.nLastLevel;
    // A match counts its levels apart, across its score screens.
    if (g_nMatchLevel > g_Demo.nLastMatchLevel)
        g_Demo.nLevelsCleared += g_nMatchLevel - g_Demo.nLastMatchLevel;
    g_Demo.nLastLevel = g_nCurrentLevel;
    g_Demo.nLastMatchLevel = g_nMatchLevel;
    g_Demo.bWasInGame = g_bInGame;

    const int n = MySlot();
    if (g_nLives[n] < g_Demo.nLastLives)
        g_Demo.nBallsLost += g_Demo.nLastLives - g_nLives[n];
    if (g_bPlayerDead[n] && !g_Demo.bWasDead)
        ++g_Demo.nBallsLost;
    g_Demo.nLastLives = g_nLives[n];
    g_Demo.bWasDead = g_bPlayerDead[n];

    // A new game, or a match's next level, starts the score again.
    if (g_nScore[n] < g_Demo.nLastScore)
        g_Demo.nBankedScore += g_Demo.nLastScore;
    g_Demo.nLastScore = g_nScore[n];
}

template <typename T, size_t N>
int32_t CountActive(const T (&Slots)[N])
{
    return (int32_t)std::count_if(std::begin(Slots), std::end(Slots), [](const T& Slot) { return Slot.bActive; });
}

// What changes while a game goes anywhere: the screen, the level, the score,
// lives, the balls and bonuses in play.
ProgressState Progress()
{
    const bool bBoss = g_bBossStage != 0;
    const int n = MySlot();
    return {g_nMenuScreen,  g_bInGame,           g_bHalted,
            g_nScoreEntry,  g_nCurrentLevel,     g_nScore[n],
            g_nLives[n],    CountActive(g_Balls), CountActive(g_Bonuses),
            g_bBossStage,   bBoss ? g_Boss.nBossEnergy : 0, bBoss ? g_Boss.nPlayerEnergy : 0};
}

std::string DescribeProgress(const ProgressState& Seen)
{
    std::string Text;
    for (size_t n = 0; n < Seen.size(); ++n)
        Text += (n ? " " : "") + std::string(PROGRESS_NAMES[n]) + "=" + std::to_string(Seen[n]);
    return Text;
}

// True once nothing has progressed for STUCK_AFTER_MS of game time.
bool Stuck()
{
    const ProgressState Now = Progress();
    if (Now != g_Demo.LastProgress) {
        g_Demo.LastProgress = Now;
        g_Demo.nProgressSince = GameTime();
        return false;
    }
    return GameTime() - g_Demo.nProgressSince >= STUCK_AFTER_MS;
}

void TakeScreenshot()
{
    if (g_Demo.Options.ShotsDir.empty())
        return;
    std::error_code Error;
    std::filesystem::create_directories(g_Demo.Options.ShotsDir, Error);
    char szName[32];
    snprintf(szName, sizeof(szName), "/demo-%04d.png", g_Demo.nShot++);
    if (!WriteChunkyPng(0, g_Demo.Options.ShotsDir + szName))
        Korvid.DebugLog("** WARNING ** Demo: Could Not Write '%s%s'", g_Demo.Options.ShotsDir.c_str(), szName);
}

double Percentile(std::vector<double> Values, double fShare)
{
    if (Values.empty())
        return 0.0;
    size_t nAt = (size_t)(fShare * (double)(Values.size() - 1) + 0.5);
    std::nth_element(Values.begin(), Values.begin() + (long)nAt, Values.end());
    return Values[nAt];
}

}  // namespace

void DemoPrepare(const GameCommandLine& Line)
{
    if (!Line.bDemo)
        return;
    g_Demo.bOn = true;
    g_Demo.Options = Line;
    if (Line.bFast)
        Korvid.SetPlatform(&g_Demo.Clock);
}

bool DemoRunning()
{
    return g_Demo.bOn;
}

void DemoBeforeFrame()
{
    if (!g_Demo.bOn)
        return;
    if (!g_Demo.bStarted) {
        g_Demo.bStarted = true;
        g_Demo.nStartTime = Korvid.Timer();
        g_Demo.nNextShot = SCREENSHOT_EVERY_MS;
        const bool bSeed = g_Demo.Options.bSeedGiven;
        if (bSeed)
            Korvid.RandomSeed((int32_t)g_Demo.Options.nSeed);
        g_Demo.Hand.RandomSeed(bSeed ? (int32_t)g_Demo.Options.nSeed : Korvid.Random32767());
    }
    g_Demo.FrameStart = std::chrono::steady_clock::now();
    if (!g_bGameRunning)
        return;
    PlayAsMousePlayer();
    if (g_Demo.Options.bChaos)
        AddChaos();
}

void DemoAfterFrame()
{
    if (!g_Demo.bOn || !g_bGameRunning)
        return;
    std::chrono::duration<double, std::milli> Work = std::chrono::steady_clock::now() - g_Demo.FrameStart;
    g_Demo.FrameMs.push_back(Work.count());
    ++g_Demo.nFrames;
    CountProgress();
    if (GameTime() >= g_Demo.nNextShot) {
        TakeScreenshot();
        g_Demo.nNextShot += SCREENSHOT_EVERY_MS;
    }
    if (Stuck() && g_Demo.StuckReport.empty()) {
        g_Demo.StuckReport = DescribeProgress(g_Demo.LastProgress);
        g_Demo.nEndGameTime = GameTime();
    }
    if (GameTime() >= g_Demo.Options.nDemoSeconds * 1000 || !g_Demo.StuckReport.empty()) {
        TakeScreenshot();
        ReportMemory();
        if (!g_Demo.nEndGameTime)
            g_Demo.nEndGameTime = GameTime();
        g_bGameRunning = false;   // the next frame ends the game as closing the window does
    }
}

void DemoPrintSummary()
{
    if (!g_Demo.bOn)
        return;
    double fMean = 0.0;
    for (double fMs : g_Demo.FrameMs)
        fMean += fMs;
    if (!g_Demo.FrameMs.empty())
        fMean /= (double)g_Demo.FrameMs.size();
    // A window closed early ends the demo before its time.
    uint32_t nGameTime = g_Demo.nEndGameTime ? g_Demo.nEndGameTime : g_Demo.bStarted ? GameTime() : 0;
    if (!g_Demo.StuckReport.empty())
        printf("demo: stuck after %u seconds: %s\n", nGameTime / 1000, g_Demo.StuckReport.c_str());
    printf("demo: frames=%llu seconds=%u levels=%d score=%lld lost=%d frame_ms_mean=%.2f frame_ms_p99=%.2f "
           "bonuses=%d enemies=%d bosses=%d/%d\n",
           (unsigned long long)g_Demo.nFrames, nGameTime / 1000, (int)g_Demo.nLevelsCleared,
           (long long)(g_Demo.nBankedScore + g_Demo.nLastScore), (int)g_Demo.nBallsLost, fMean,
           Percentile(g_Demo.FrameMs, 0.99), (int)g_Tally.nBonusesCaught, (int)g_Tally.nEnemiesDestroyed,
           (int)g_Tally.nBossStagesWon, (int)g_Tally.nBossStagesReached);
    fflush(stdout);
}

int DemoExitStatus(int nStatus)
{
    return g_Demo.StuckReport.empty() ? nStatus : EXIT_STUCK;
}
