// Weather over the field: scattered at start-up with the bank settings fitted,
// particles falling and wrapping, banks drifting and coming back, stars
// drifting, and all of it standing still while play is halted.
#include "game/GameFixture.h"

#include <cstring>
#include <set>

#include "Field.h"
#include "Weather.h"

namespace {

using namespace gametest;

TEST_F(GameStart, WeatherIsScatteredAtStartUpWrapsAroundDriftsItsBanksAndHaltsWithPlay)
{
    WriteSettings("[Tamborel2]\nNE1=99\nNE2=-5\n");
    StartPlay();
    EXPECT_EQ(Pair(g_nNE1, g_nNE2), Pair(WEATHER_BANKS, 0));
    EXPECT_TRUE(LogHas("** WARNING ** Tamborel: NE1=99 Is Not 0..40, Using 40") &&
                LogHas("** WARNING ** Tamborel: NE2=-5 Is Not 0..40, Using 0"));
    std::set<int> Spread;
    for (const WeatherParticle& P : g_WeatherParticles[0])
        Spread.insert(P.y / 150 * 4 + P.x / 200);   // which quarter of the screen, both ways
    EXPECT_EQ(Spread.size(), 16u);
    SetCell(1, 1, 20);   // the level goes on
    // Snow falls by its layer's speed, fog drifts left too; at y 520 a flake starts again at the top.
    WeatherParticle& Drop = g_WeatherParticles[2][7];
    for (const std::array<int, 5>& Case : {std::array<int, 5>{1, 300, 100, 303, 100}, {2, 300, 100, 303, 99},
                                           {1, 517, 100, 0, -1}}) {
        g_nWeather = Case[0];
        std::tie(Drop.y, Drop.x) = std::make_tuple((int16_t)Case[1], (int16_t)Case[2]);
        GameDrawField();
        EXPECT_EQ(Drop.y, Case[3]);
        if (Case[4] >= 0)
            EXPECT_EQ(Drop.x, Case[4]);
        else
            EXPECT_TRUE(Drop.x >= 0 && Drop.x <= 898 && (Drop.nRowOffset == 0 || Drop.nRowOffset == 30));
    }
    // Banks: the first NE1 large, then small ones up to NE2 - 1, so NE2 not above NE1 gives only large ones.
    g_nWeather = WEATHER_BANKS_DRIFT;
    for (const std::array<int, 3>& Case : {std::array<int, 3>{2, 1, 2}, {2, 4, 4}, {0, 3, 3}, {0, 0, 0}}) {
        std::tie(g_nNE1, g_nNE2) = std::make_tuple(Case[0], Case[1]);
        for (WeatherBank& B : g_WeatherBanks)
            B.x = 300;
        GameDrawField();
        EXPECT_EQ(std::count_if(std::begin(g_WeatherBanks), std::end(g_WeatherBanks),
                                [](const WeatherBank& B) { return B.x == 298; }),
                  Case[2]);
    }
    std::tie(g_nNE1, g_nNE2, g_WeatherBanks[0].x, g_WeatherBanks[1].x) = std::make_tuple(1, 2, -398, -98);
    GameDrawField();
    EXPECT_EQ(Pair(g_WeatherBanks[0].x, g_WeatherBanks[1].x), Pair(LARGE_BANK_RESTART_X, SMALL_BANK_RESTART_X));
    // Stars drift left by their layer's speed and come back at the right.
    g_WeatherParticles[2][0].x = 2;
    GameDrawStarField();
    EXPECT_EQ(g_WeatherParticles[2][0].x, 799);
    // Halted, nothing moves.
    g_bHalted = 1;
    WeatherParticle Particles[WEATHER_LAYERS][WEATHER_LAYER_MAX];
    WeatherBank Banks[WEATHER_BANKS];
    memcpy(Particles, g_WeatherParticles, sizeof(Particles));
    memcpy(Banks, g_WeatherBanks, sizeof(Banks));
    for (int32_t nWeather : {1, 2, 3}) {
        g_nWeather = nWeather;
        GameDrawField();
    }
    GameDrawStarField();
    EXPECT_TRUE(memcmp(Particles, g_WeatherParticles, sizeof(Particles)) == 0 &&
                memcmp(Banks, g_WeatherBanks, sizeof(Banks)) == 0);
}

}  // namespace
