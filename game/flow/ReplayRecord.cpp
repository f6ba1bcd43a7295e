// The recorder: from the first frame on it keeps what each frame took from the
// engine and, every few seconds of game time, a checkpoint; at the end the file
// is saved whole, for --record and for the last game when the settings ask.
#include <chrono>
#include <filesystem>

#include "GameState.h"
#include "KeyPlay.h"
#include "Replay.h"
#include "ReplayClock.h"
#include "ReplayParts.h"
#include "ReplayState.h"
#include "UserFiles.h"
#include "Version.h"
#include "korvid.h"
#include "services/SafeSave.h"

namespace {

constexpr uint32_t CHECKPOINT_EVERY_MS = 5000;
constexpr const char* TEMP_SUFFIX = ".tmp";

struct Recorder {
    ReplayClock Clock;
    std::string File;            // file-layer names of the files to save
    std::string LastGameFile;
    bool bOn = false;            // frames are being kept
    bool bStarted = false;       // the first frame has run
    ReplayFile Game;
    uint32_t nLastTime = 0;
    uint32_t nNextCheckpoint = CHECKPOINT_EVERY_MS;
    ReplayCheckpoint Last;       // the latest frame's, kept at the end
};

Recorder g_Record;

void Save(const std::string& Name, const std::vector<uint8_t>& Bytes)
{
    if (KorvidSaveWhole(Name.c_str(), (Name + TEMP_SUFFIX).c_str(), Bytes.data(), Bytes.size()))
        Korvid.DebugLog("Replay: Saved %u Frame(s) In '%s'", (unsigned)g_Record.Game.Frames.size(), Name.c_str());
    else
        fprintf(stderr, "tamborel2: could not save the replay '%s'\n", Name.c_str());
}

// The settings file as it is now, read through the file layer; empty when
// there is none or it is too large to be one.
std::string SettingsFileNow()
{
    std::string Bytes(REPLAY_SETTINGS_FILE_LIMIT + 1, '\0');
    const uint32_t hFile = Korvid.FileOpen(GameUserFiles().Settings.c_str(), KOR_FILE_READ);
    if (!hFile)
        return std::string();
    const int32_t nRead = Korvid.FileRead(hFile, Bytes.data(), (int32_t)Bytes.size());
    Korvid.FileClose(hFile);
    Bytes.resize(nRead > 0 && (size_t)nRead <= REPLAY_SETTINGS_FILE_LIMIT ? (size_t)nRead : 0);
    return Bytes;
}

// --record's name is the player's, from the working folder; the file layer puts
// the data's folder in front of what it is given.
std::string FileLayerName(const std::string& Path)
{
    const char* szReadDir = Korvid.GetReadDir();
    const std::filesystem::path Absolute = std::filesystem::absolute(Path);
    return szReadDir ? std::filesystem::proximate(Absolute, szReadDir).string() : Absolute.string();
}

}  // namespace

void RecordPrepare(const GameCommandLine& Line)
{
    g_Record.File = Line.RecordFile;
    g_Record.bOn = !Line.RecordFile.empty();
    g_Record.Game.Header.nSeed = Line.bSeedGiven ? Line.nSeed
                                                 : (uint32_t)std::chrono::system_clock::now().time_since_epoch().count();
    g_Record.Clock.Record(Korvid.OS());
    Korvid.SetPlatform(&g_Record.Clock);
}

void RecordSettings()
{
    if (Korvid.IniGetInt("RecordLastGame", 0) == 1) {
        g_Record.LastGameFile = ReplayLastGameFile();
        g_Record.bOn = true;
    }
    g_Record.Game.Header.Settings = ReplayCurrentSettings();
    g_Record.Game.Header.SettingsFile = SettingsFileNow();
}

void RecordBeforeInput()
{
    if (Korvid.OS() != &g_Record.Clock || !g_bGameRunning)
        return;
    const uint32_t nNow = g_Record.Clock.StartFrame();
    ReplayFile& Game = g_Record.Game;
    if (!g_Record.bStarted) {
        g_Record.bStarted = true;
        Game.Header.GameVersion = GAME_VERSION;
        Game.Header.DataDigest = ReplayDataDigest();
        Game.Header.nFirstFrameTime = nNow;
        g_Record.nLastTime = nNow;
        ReplayStartPlay(Game.Header.nSeed);
    }
    if (!g_Record.bOn)
        return;
    ReplayFrame F;
    F.nLength = nNow - g_Record.nLastTime;
    F.nMouseX = Korvid.MouseX();
    F.nMouseY = Korvid.MouseY();
    F.Mouse = Korvid.PeekMouseEvent();
    F.Key = Korvid.PeekKeyEvent();
    F.SteerKeyDown = GameEngineSteerKeys();
    Game.Frames.push_back(F);
    g_Record.nLastTime = nNow;
}

void RecordAfterFrame()
{
    ReplayFile& Game = g_Record.Game;
    if (!g_Record.bOn || Game.Frames.empty())
        return;
    const uint32_t nFrame = (uint32_t)Game.Frames.size();
    g_Record.Last = ReplayTakeCheckpoint(nFrame);
    if (g_Record.nLastTime - Game.Header.nFirstFrameTime < g_Record.nNextCheckpoint)
        return;
    Game.Checkpoints.push_back(g_Record.Last);
    g_Record.nNextCheckpoint += CHECKPOINT_EVERY_MS;
}

void RecordFinish()
{
    ReplayFile& Game = g_Record.Game;
    if (!g_Record.bOn || Game.Frames.empty())
        return;
    // The end is checked too, however short the game.
    if (Game.Checkpoints.empty() || Game.Checkpoints.back().nFrame != g_Record.Last.nFrame)
        Game.Checkpoints.push_back(g_Record.Last);
    const std::vector<uint8_t> Bytes = ReplayEncode(Game);
    if (!g_Record.File.empty())
        Save(FileLayerName(g_Record.File), Bytes);
    if (!g_Record.LastGameFile.empty())
        Save(g_Record.LastGameFile, Bytes);
}
