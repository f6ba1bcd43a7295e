// The replay's entry points, which hand over to the recorder or the player,
// and what both need alike: the data set's digest, the settings that change
// play, and the start of play.
#include "Replay.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "GameState.h"
#include "LevelFormat.h"
#include "PlayClock.h"
#include "ReplayParts.h"
#include "UserFiles.h"
#include "Weather.h"
#include "korvid.h"
#include "services/SafeSave.h"

namespace {

// The levels decide play; pictures and sounds do not.
constexpr const char* DATA_SET_FOLDER = "data/levels";
constexpr const char* LAST_GAME_NAME = "last.replay";

int32_t* const PLAY_SETTINGS[REPLAY_SETTING_COUNT] = {
    &g_nSST, &g_nPS, &g_nEM,  &g_nUL,   &g_nSB,   &g_nFS,  &g_nAuto,             &g_nWetter,
    &g_nAllowCPUSwitch, &g_nGameOverWennPlayerTot, &g_nL, &g_nTS, &g_nNE1, &g_nNE2, &g_nChosenStartLevel};

void HashFile(KorMD5& Md5, const std::string& Label, const std::filesystem::path& File)
{
    Md5.Update(reinterpret_cast<const uint8_t*>(Label.c_str()), (uint32_t)Label.size() + 1);
    std::ifstream In(File, std::ios::binary);
    const std::vector<char> Bytes{std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
    Md5.Update(reinterpret_cast<const uint8_t*>(Bytes.data()), (uint32_t)Bytes.size());
}

// The user set as the game reads it, where a player may have saved his own
// levels: part of the game when user levels are on.
void HashUserSet(KorMD5& Md5)
{
    for (int nFile = 1; nFile <= LEVEL_FILE_COUNT; ++nFile)
        for (const std::string& Name :
             {LevelFileName(LevelSet::User, nFile), LevelParamFileName(LevelSet::User, nFile)}) {
            char szPath[KOR_FILE_NAME_SIZE];
            if (KorvidPlatformPath(GameUserLevelFile(Name).c_str(), szPath) && std::filesystem::exists(szPath))
                HashFile(Md5, Name, szPath);
        }
}

}  // namespace

// Beside the high scores: the user's data folder, or the data set's own in a build tree.
std::string ReplayLastGameFile()
{
    const std::string& Scores = GameUserFiles().Scores;
    return Scores.substr(0, Scores.rfind('/') + 1) + LAST_GAME_NAME;
}

ReplayDigest ReplayDataDigest()
{
    char szFolder[KOR_FILE_NAME_SIZE];
    std::vector<std::filesystem::path> Files;
    std::error_code Error;
    if (KorvidPlatformPath(DATA_SET_FOLDER, szFolder))
        for (const auto& Entry : std::filesystem::recursive_directory_iterator(szFolder, Error))
            if (Entry.is_regular_file())
                Files.push_back(Entry.path());
    std::sort(Files.begin(), Files.end());
    KorMD5 Md5;
    // Lexically: a data set of links names its files as one of copies does.
    for (const std::filesystem::path& File : Files)
        HashFile(Md5, File.lexically_relative(szFolder).generic_string(), File);
    if (g_nUL)
        HashUserSet(Md5);
    ReplayDigest Digest;
    std::copy_n(Md5.Digest(), Digest.size(), Digest.begin());
    return Digest;
}

std::array<int32_t, REPLAY_SETTING_COUNT> ReplayCurrentSettings()
{
    std::array<int32_t, REPLAY_SETTING_COUNT> Values;
    for (size_t n = 0; n < Values.size(); ++n)
        Values[n] = *PLAY_SETTINGS[n];
    return Values;
}

void ReplayPutSettings(const std::array<int32_t, REPLAY_SETTING_COUNT>& Values)
{
    for (size_t n = 0; n < Values.size(); ++n)
        *PLAY_SETTINGS[n] = Values[n];
}

// Start-up scattered the weather with random numbers seeded from its clock:
// scattered again from the game's seed, the weather and the boss stage's star
// field draw the same random numbers in a replay, whatever the start-up took.
void ReplayStartPlay(uint32_t nSeed)
{
    Korvid.RandomSeed((int32_t)nSeed);
    GameScatterWeather();
    GameRestartPlayClock();
}

int ReplayPrepare(const GameCommandLine& Line)
{
    if (!Line.ReplayFile.empty())
        return PlaybackPrepare(Line);
    RecordPrepare(Line);
    return -1;
}

void GameReplaySettings()
{
    if (PlaybackOn())
        PlaybackSettings();
    else
        RecordSettings();
}

void ReplayBeforeInput()
{
    if (PlaybackOn())
        PlaybackBeforeInput();
    else
        RecordBeforeInput();
}

void ReplayAfterFrame()
{
    if (PlaybackOn())
        PlaybackAfterFrame();
    else
        RecordAfterFrame();
}

void ReplayFinish()
{
    if (PlaybackOn())
        PlaybackFinish();
    else
        RecordFinish();
}

int ReplayExitStatus(int nStatus)
{
    return PlaybackOn() ? PlaybackExitStatus(nStatus) : nStatus;
}
