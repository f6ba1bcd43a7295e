// What a checkpoint of a replay holds about the play: the figures a person sees
// and a digest of the play state behind them.
#pragma once
#include <string>

#include "ReplayFormat.h"

ReplayCheckpoint ReplayTakeCheckpoint(uint32_t nFrame);
// "level=L score=S lives=N balls=B state=XXXXXXXX": the figures and the digest's first bytes.
std::string ReplayDescribe(const ReplayCheckpoint& Checkpoint);
bool ReplaySameCheckpoint(const ReplayCheckpoint& A, const ReplayCheckpoint& B);
