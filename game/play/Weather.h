// Weather over the field (falling particles, drifting fog, drifting banks) and
// the boss stage's star field; all from the sheet "wetter" and "kugel".
#pragma once

// Start-up: every particle and bank scattered at random over the screen.
void GameScatterWeather();
// Every frame in game: the running weather (g_nWeather 1..3) drawn over the field.
void GameDrawWeather();
// The boss stage's star field: three layers of dots drifting left.
void GameDrawStarField();
