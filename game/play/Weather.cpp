// Weather over the field and the boss stage's star field: every particle and
// bank is drawn where it is, then moved on unless play is halted. All chance
// goes through the engine's seeded generator, so a game can be played again.
#include "Weather.h"

#include "GameState.h"
#include "PlayClock.h"
#include "Resources.h"
#include "korvid.h"
#include "sheets.h"

WeatherParticle g_WeatherParticles[WEATHER_LAYERS][WEATHER_LAYER_MAX] = {};
WeatherBank g_WeatherBanks[WEATHER_BANKS] = {};

namespace {

constexpr int16_t PARTICLE_RESTART_X_MAX = 898, PARTICLE_ROW_OFFSET = 30;
constexpr int16_t FOG_DRIFT = 1, BANK_DRIFT = 2;
constexpr int16_t STAR_GONE_BELOW_X = 1, STAR_RESTART_X = 799, STAR_Y_MAX = 598;

// Where a bank leaves on the left and comes back on the right.
struct BankKind {
    int16_t nGoneBelowX, nRestartX, nYMax;
};
constexpr BankKind LARGE_BANK = {-399, LARGE_BANK_RESTART_X, 450};
constexpr BankKind SMALL_BANK = {-99, SMALL_BANK_RESTART_X, 449};

// Layer n moves n + 1 pixels a frame.
int16_t LayerSpeed(int nLayer) { return (int16_t)(nLayer + 1); }

int16_t Random(int32_t nLow, int32_t nHigh) { return (int16_t)Korvid.RandomRange(nLow, nHigh); }

int16_t RandomRowOffset() { return (int16_t)(Korvid.RandomBelow(2) * PARTICLE_ROW_OFFSET); }

// The settings file is edited by hand too: a bank count beyond the banks there
// are, or below none, is fitted and said so once.
int32_t FitBankSetting(const char* szKey, int32_t nStored)
{
    const int32_t nFitted = Korvid.Clamp(nStored, 0, WEATHER_BANKS);
    if (nFitted != nStored)
        Korvid.DebugLog("** WARNING ** Tamborel: %s=%d Is Not 0..%d, Using %d", szKey, (int)nStored, WEATHER_BANKS,
                        (int)nFitted);
    return nFitted;
}

void DrawFrom(uint32_t nChunky, const SheetRect& Source, int32_t x, int32_t y)
{
    Korvid.BlitArea(nChunky, Source.x, Source.y, Source.w, Source.h, x, y, KOR_BLIT_ALPHA, 0, KOR_ALPHA_FULL);
}

// Weather 1 falls in animated drops; weather 2 also drifts left, in still pictures.
void DrawParticles(bool bFog)
{
    for (int nLayer = 0; nLayer < WEATHER_LAYERS; ++nLayer) {
        for (int n = 0; n < WEATHER_LAYER_SIZE[nLayer]; ++n) {
            WeatherParticle& P = g_WeatherParticles[nLayer][n];
            DrawFrom(GAME_CHUNKY_WETTER,
                     bFog ? Sheets::FOG_PARTICLES[nLayer] : Sheets::Particle(nLayer, P.nRowOffset, g_nBallFrame), P.x,
                     P.y);
            if (g_bHalted)
                continue;
            P.y = (int16_t)(P.y + LayerSpeed(nLayer));
            if (bFog)
                P.x = (int16_t)(P.x - FOG_DRIFT);
            if (P.y >= WEATHER_FALL_END_Y) {
                P.y = 0;
                P.x = Random(0, PARTICLE_RESTART_X_MAX);
                P.nRowOffset = RandomRowOffset();
            }
        }
    }
}

void PlaceBank(WeatherBank& B, int16_t x, const BankKind& Kind)
{
    B.x = x;
    B.y = Random(0, Kind.nYMax);
    B.nPicture = Random(0, Sheets::SMALL_BANKS - 1);
}

void DriftBank(WeatherBank& B, const BankKind& Kind, const SheetRect& Source)
{
    DrawFrom(GAME_CHUNKY_WETTER, Source, B.x, B.y);
    if (g_bHalted)
        return;
    B.x = (int16_t)(B.x - BANK_DRIFT);
    if (B.x < Kind.nGoneBelowX)
        PlaceBank(B, Kind.nRestartX, Kind);
}

// The first NE1 banks are large; NE1 .. NE2 - 1 small, so NE2 not above NE1 means none.
void DrawBanks()
{
    for (int n = 0; n < g_nNE1; ++n)
        DriftBank(g_WeatherBanks[n], LARGE_BANK, Sheets::LARGE_BANK);
    for (int n = g_nNE1; n < g_nNE2; ++n)
        DriftBank(g_WeatherBanks[n], SMALL_BANK, Sheets::SmallBank(g_WeatherBanks[n].nPicture));
}

}  // namespace

void GameScatterWeather()
{
    g_nNE1 = FitBankSetting("NE1", g_nNE1);
    g_nNE2 = FitBankSetting("NE2", g_nNE2);
    for (auto& Layer : g_WeatherParticles) {
        for (WeatherParticle& P : Layer) {
            P.x = Random(0, Sheets::SCREEN_WIDTH - 1);
            P.y = Random(0, Sheets::SCREEN_HEIGHT - 1);
            P.nRowOffset = RandomRowOffset();
        }
    }
    for (int n = 0; n < WEATHER_BANKS; ++n)
        PlaceBank(g_WeatherBanks[n], Random(0, Sheets::SCREEN_WIDTH - 1), n < g_nNE1 ? LARGE_BANK : SMALL_BANK);
}

void GameDrawWeather()
{
    switch (g_nWeather) {
    case WEATHER_SNOW: DrawParticles(false); break;
    case WEATHER_FOG: DrawParticles(true); break;
    case WEATHER_BANKS_DRIFT: DrawBanks(); break;
    default: break;
    }
}

void GameDrawStarField()
{
    for (int nLayer = 0; nLayer < WEATHER_LAYERS; ++nLayer) {
        for (int n = 0; n < STAR_LAYER_SIZE[nLayer]; ++n) {
            WeatherParticle& P = g_WeatherParticles[nLayer][n];
            DrawFrom(GAME_CHUNKY_KUGEL, Sheets::Star(nLayer), P.x, P.y);
            if (g_bHalted)
                continue;
            P.x = (int16_t)(P.x - LayerSpeed(nLayer));
            if (P.x < STAR_GONE_BELOW_X) {
                P.x = STAR_RESTART_X;
                P.y = Random(0, STAR_Y_MAX);
            }
        }
    }
}
