// The player: reads the file before the engine starts, refuses one this game
// cannot play the same, then puts back every frame's time and input where the
// engine's events arrive, compares each checkpoint and stops at the first that
// differs; at the end one line says how it went. The game plays on copies of
// the settings and high scores it started from, kept in a scratch folder.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "GameState.h"
#include "KeyPlay.h"
#include "Levels.h"
#include "ReplayClock.h"
#include "ReplayParts.h"
#include "ReplayState.h"
#include "UserFiles.h"
#include "Version.h"
#include "korvid.h"

namespace {

constexpr int EXIT_REFUSED = 2;
constexpr int EXIT_DIVERGED = 4;
constexpr size_t FILE_LIMIT = 256u << 20;

struct Player {
    bool bOn = false;
    ReplayClock Clock;
    ReplayFile Game;
    std::string ScratchFolder;   // removed at the end
    GameSteerKeys SteerKeys = {};   // the frame's, read by the game's steering
    size_t nFrame = 0;           // frames played
    size_t nCheckpoint = 0;      // the next to compare
    uint32_t nTime = 0;
    std::string Problem;         // a refusal found once the engine runs
    std::string Divergence;
    // The summary's figures.
    int32_t nLevels = 0, nBestScore = 0, nLastLevel = 0;
    bool bWasInGame = false;
};

Player g_Play;

void Refuse(const std::string& Reason)
{
    g_Play.Problem = Reason;
    g_bGameRunning = false;
}

// The levels won in each game, and the best score of any.
void CountFigures()
{
    if (g_bInGame && g_Play.bWasInGame && g_nCurrentLevel > g_Play.nLastLevel)
        g_Play.nLevels += g_nCurrentLevel - g_Play.nLastLevel;
    g_Play.nLastLevel = g_nCurrentLevel;
    g_Play.bWasInGame = g_bInGame;
    for (int32_t nScore : g_nScore)
        g_Play.nBestScore = std::max(g_Play.nBestScore, nScore);
}

// The clock stands at the recorded first frame's time before play starts anew:
// how long the start-up took here (the logo movies) is no part of the game.
void FirstFrame()
{
    const ReplayHeader& H = g_Play.Game.Header;
    if (H.DataDigest != ReplayDataDigest()) {
        Refuse("the replay was recorded on another data set");
        return;
    }
    g_Play.nTime = H.nFirstFrameTime;
    g_Play.Clock.StartFrameAt(g_Play.nTime);
    ReplayStartPlay(H.nSeed);
}

// The recorded settings file in a folder of this run's own; false when it cannot be made.
bool MakeScratchFiles()
{
    std::error_code Error;
    std::string Folder = (std::filesystem::temp_directory_path(Error) / "tamborel2-replay-XXXXXX").string();
    if (Error || !mkdtemp(Folder.data()))
        return false;
    g_Play.ScratchFolder = Folder;
    GameUseScratchFiles(Folder + "/");
    std::ofstream Out(GameUserFiles().Settings, std::ios::binary);
    Out.write(g_Play.Game.Header.SettingsFile.data(), (std::streamsize)g_Play.Game.Header.SettingsFile.size());
    return (bool)Out;
}

void CompareCheckpoint()
{
    const std::vector<ReplayCheckpoint>& Checks = g_Play.Game.Checkpoints;
    if (g_Play.nCheckpoint >= Checks.size() || Checks[g_Play.nCheckpoint].nFrame != g_Play.nFrame)
        return;
    const ReplayCheckpoint& Expected = Checks[g_Play.nCheckpoint++];
    const ReplayCheckpoint Got = ReplayTakeCheckpoint((uint32_t)g_Play.nFrame);
    if (ReplaySameCheckpoint(Expected, Got))
        return;
    g_Play.Divergence = "diverged at frame " + std::to_string(g_Play.nFrame) + ": expected " +
                        ReplayDescribe(Expected) + ", got " + ReplayDescribe(Got);
    g_bGameRunning = false;
}

}  // namespace

int PlaybackPrepare(const GameCommandLine& Line)
{
    std::ifstream In(Line.ReplayFile, std::ios::binary);
    std::vector<uint8_t> Bytes;
    if (In)
        Bytes.assign(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
    std::string Problem;
    if (!In && !In.eof())
        Problem = "cannot read the file";
    else if (Bytes.size() > FILE_LIMIT)
        Problem = "the file is too large for a replay";
    else if (ReplayDecode(Bytes.data(), Bytes.size(), g_Play.Game, Problem) &&
             g_Play.Game.Header.GameVersion != GAME_VERSION)
        Problem = "recorded by version " + g_Play.Game.Header.GameVersion + ", this is " + GAME_VERSION;
    else if (Problem.empty() && g_Play.Game.Frames.empty())
        Problem = "the replay holds no frames";
    if (!Problem.empty()) {
        fprintf(stderr, "replay: refused '%s': %s\n", Line.ReplayFile.c_str(), Problem.c_str());
        return EXIT_REFUSED;
    }
    g_Play.bOn = true;
    g_Play.Clock.Replay(Korvid.OS(), !Line.bFast);
    Korvid.SetPlatform(&g_Play.Clock);
    return -1;
}

bool PlaybackOn()
{
    return g_Play.bOn;
}

void PlaybackSettings()
{
    ReplayPutSettings(g_Play.Game.Header.Settings);
    if (!MakeScratchFiles()) {
        Refuse("cannot make a scratch folder for the recorded settings");
        return;
    }
    Korvid.SetIniFile(GameUserFiles().Settings.c_str());
    Korvid.SetIniTempFile(GameUserFiles().SettingsTemp.c_str());
    GameReplaySteerKeys(&g_Play.SteerKeys);
}

void PlaybackBeforeInput()
{
    if (!g_bGameRunning)
        return;
    if (g_Play.nFrame == 0)
        FirstFrame();
    if (!g_bGameRunning)
        return;
    const ReplayFrame& F = g_Play.Game.Frames[g_Play.nFrame++];
    g_Play.nTime += F.nLength;
    g_Play.Clock.StartFrameAt(g_Play.nTime);
    // What came from the window meanwhile is not this game's input.
    Korvid.FlushMouse();
    Korvid.FlushKeys();
    Korvid.PlaceMouse(F.nMouseX, F.nMouseY);
    g_Play.SteerKeys = F.SteerKeyDown;
    if (F.Mouse.nType != KOR_EVENT_NONE)
        Korvid.PutMouseEvent(F.Mouse);
    if (F.Key.nType != KOR_EVENT_NONE)
        Korvid.PutKeyEvent(F.Key);
}

void PlaybackAfterFrame()
{
    if (!g_Play.Problem.empty())
        return;
    CountFigures();
    CompareCheckpoint();
    if (g_Play.nFrame >= g_Play.Game.Frames.size())
        g_bGameRunning = false;
}

void PlaybackFinish()
{
    GameReplaySteerKeys(nullptr);
    if (!g_Play.ScratchFolder.empty()) {
        std::error_code Error;
        std::filesystem::remove_all(g_Play.ScratchFolder, Error);
    }
    if (!g_Play.Problem.empty())
        fprintf(stderr, "replay: refused: %s\n", g_Play.Problem.c_str());
    else if (!g_Play.Divergence.empty())
        printf("replay: %s\n", g_Play.Divergence.c_str());
    else if (g_Play.nFrame < g_Play.Game.Frames.size())
        printf("replay: stopped at frame %zu of %zu\n", g_Play.nFrame, g_Play.Game.Frames.size());
    else
        printf("replay: frames=%zu levels=%d score=%d ok\n", g_Play.nFrame, (int)g_Play.nLevels,
               (int)g_Play.nBestScore);
    fflush(stdout);
}

int PlaybackExitStatus(int nStatus)
{
    if (!g_Play.Problem.empty())
        return EXIT_REFUSED;
    return g_Play.Divergence.empty() ? nStatus : EXIT_DIVERGED;
}
