#include "MatchScores.h"

void GameDrawMatchScores() {}
