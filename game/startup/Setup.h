// The game's set-up after the engine has started, and its end.
#pragma once
#include <cstdint>

constexpr uint32_t GAME_CHUNKY_MOVIE = 1;

// Plays one logo movie on the movie chunky; a left click (its release) ends it early.
void GamePlayLogoMovie(const char* szName);
// The exit function: frees the game's pictures and sounds and saves two settings.
bool GameExit();
// True once SetupApplication has set the game up; false after a start that failed.
bool GameSetupDone();
