// The replay file: a header that says what the game needs to play it the same
// way, every frame's input and length, and a checkpoint of the play state every
// few seconds of game time. Encoding and decoding only; no engine state.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "korvid.h"

constexpr uint32_t REPLAY_FORMAT_VERSION = 2;
constexpr size_t REPLAY_DIGEST_BYTES = 16;
constexpr size_t REPLAY_SETTING_COUNT = 15;
constexpr size_t REPLAY_STEER_KEY_COUNT = 6;
// The settings file the recorded game started from; a larger one is no settings file.
constexpr size_t REPLAY_SETTINGS_FILE_LIMIT = 64u << 10;

using ReplayDigest = std::array<uint8_t, REPLAY_DIGEST_BYTES>;

struct ReplayHeader {
    uint32_t nFormat = REPLAY_FORMAT_VERSION;
    std::string GameVersion;
    ReplayDigest DataDigest = {};
    uint32_t nSeed = 0;
    uint32_t nFirstFrameTime = 0;   // Timer() of the first frame
    std::array<int32_t, REPLAY_SETTING_COUNT> Settings = {};
    // The settings file's bytes as the game began: the level codes and high
    // scores in it decide whether new codes are drawn and a score is entered.
    std::string SettingsFile;
};

// What the game took from the engine in one frame: the pointer, the first
// event of the mouse and key queues (type KOR_EVENT_NONE when there was none),
// and the steering keys held, each with the time it went down (0: not held).
struct ReplayFrame {
    uint32_t nLength = 0;           // ms since the frame before; 0 for the first
    uint16_t nMouseX = 0, nMouseY = 0;
    KorvidEvent Mouse = {}, Key = {};
    std::array<uint32_t, REPLAY_STEER_KEY_COUNT> SteerKeyDown = {};
};

struct ReplayCheckpoint {
    uint32_t nFrame = 0;            // counted from 1
    int32_t nLevel = 0, nScore = 0, nLives = 0, nBalls = 0;
    ReplayDigest StateDigest = {};
};

struct ReplayFile {
    ReplayHeader Header;
    std::vector<ReplayFrame> Frames;
    std::vector<ReplayCheckpoint> Checkpoints;   // in frame order, each after its frame
};

std::vector<uint8_t> ReplayEncode(const ReplayFile& File);
// False with a one-line reason when the bytes are no replay of this format,
// are cut short or damaged. Never reads outside the bytes.
bool ReplayDecode(const uint8_t* pData, size_t nSize, ReplayFile& File, std::string& Problem);
