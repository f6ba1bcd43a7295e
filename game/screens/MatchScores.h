// The score screens between the levels of a match against the computer
// (screens 13 and 14): the level scores and the totals of both players.
#pragma once

// Draws the current match score screen; nothing on any other screen.
void GameDrawMatchScores();
