// Between the replay's parts: the recorder, the player, and what both share.
#pragma once
#include <array>
#include <string>

#include "CommandLine.h"
#include "KeyPlay.h"
#include "ReplayFormat.h"

static_assert(REPLAY_STEER_KEY_COUNT == GAME_STEER_KEY_COUNT, "a frame keeps every steering key");

// Shared (Replay.cpp).
ReplayDigest ReplayDataDigest();
std::array<int32_t, REPLAY_SETTING_COUNT> ReplayCurrentSettings();
void ReplayPutSettings(const std::array<int32_t, REPLAY_SETTING_COUNT>& Values);
// The first frame of a recorded game: the play clock, the random numbers and the
// weather start anew.
void ReplayStartPlay(uint32_t nSeed);

// The recorder (ReplayRecord.cpp).
void RecordPrepare(const GameCommandLine& Line);
void RecordSettings();
void RecordBeforeInput();
void RecordAfterFrame();
void RecordFinish();

// The player (ReplayPlayback.cpp).
int PlaybackPrepare(const GameCommandLine& Line);
bool PlaybackOn();
void PlaybackSettings();
void PlaybackBeforeInput();
void PlaybackAfterFrame();
void PlaybackFinish();
int PlaybackExitStatus(int nStatus);
