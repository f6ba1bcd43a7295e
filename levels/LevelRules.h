// The rules a playable level keeps, checked on a decoded level: the forge
// refuses shipped levels that break them and the level tool warns about them.
#pragma once
#include <string>
#include <vector>

#include "LevelFormat.h"

// One line per broken rule, empty when the level is fine: at least one countable
// brick and none walled in beyond the ball's reach, rows 18..20 empty, no tile
// the game uses for something else, teleporters as one A and one B, bonus bricks
// that do something, and a background picture 1..20.
std::vector<std::string> LevelDesignProblems(const Level& Level);
