// Weather over the field (falling particles, drifting fog, drifting banks) and
// the boss stage's star field; all from the sheet "wetter" and "kugel".
#pragma once
#include <cstdint>

// Three particle layers, falling (or drifting) 1, 2 and 3 pixels a frame; the
// star field uses the first 100, 75 and 15 of them.
constexpr int WEATHER_LAYERS = 3;
constexpr int WEATHER_LAYER_MAX = 400;
constexpr int WEATHER_LAYER_SIZE[WEATHER_LAYERS] = {400, 375, 315};
constexpr int STAR_LAYER_SIZE[WEATHER_LAYERS] = {100, 75, 15};
// Drifting banks of weather 3: the first NE1 large, up to NE2 - 1 small.
constexpr int WEATHER_BANKS = 40;
constexpr int16_t WEATHER_FALL_END_Y = 520;   // a particle reaching it starts again at the top
constexpr int16_t LARGE_BANK_RESTART_X = 699, SMALL_BANK_RESTART_X = 899;

enum WeatherKind : int32_t { WEATHER_NONE = 0, WEATHER_SNOW = 1, WEATHER_FOG = 2, WEATHER_BANKS_DRIFT = 3 };

struct WeatherParticle {
    int16_t x, y;
    int16_t nRowOffset;   // 0 or 30: which of the layer's two picture rows
};

struct WeatherBank {
    int16_t x, y;
    int16_t nPicture;     // 0..3: the small bank's picture
};

extern WeatherParticle g_WeatherParticles[WEATHER_LAYERS][WEATHER_LAYER_MAX];
extern WeatherBank g_WeatherBanks[WEATHER_BANKS];

// Start-up: the bank settings NE1 and NE2 fitted to the banks there are, and
// every particle and bank scattered at random over the screen.
void GameScatterWeather();
// Every frame in game: the running weather (g_nWeather 1..3) drawn over the field.
void GameDrawWeather();
// The boss stage's star field: three layers of dots drifting left.
void GameDrawStarField();
