// Weather over the field and the boss stage's star field: every particle and
// bank is drawn where it is, then moved on unless play is halted. All chance
// goes through the engine's seeded generator, so a game can be played again.
#include "Weather.h"

#include <algorithm>

#include "GameState.h"
#include "PlayClock.h"
#include "Resources.h"
#include "gfx/AlphaLayer.h"
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

// The banks all drift alike, so they are blended into one layer, laid again only
// when one of them is placed anew or the layer has drifted its margin away: drawn
// bank by bank, a dozen large banks cost four times the blending of the layer.
constexpr int16_t BANK_LAYER_MARGIN = 160;

KorvidAlphaLayer g_BankLayer;
WeatherBank g_LaidBanks[WEATHER_BANKS] = {};
int32_t g_nLaidNE1 = -1, g_nLaidNE2 = -1;

// The first NE1 banks are large; NE1 .. NE2 - 1 small, so NE2 not above NE1 means none.
int BankCount() { return std::max(g_nNE1, g_nNE2); }

SheetRect BankPicture(int n)
{
    return n < g_nNE1 ? Sheets::LARGE_BANK : Sheets::SmallBank(g_WeatherBanks[n].nPicture);
}

// How far the banks drifted left since they were laid, or -1 when the layer no
// longer shows them: one was placed anew, the settings or the display changed, or
// the drift used up the margin.
int32_t DriftSinceLaid()
{
    if (!g_BankLayer.Current() || g_nLaidNE1 != g_nNE1 || g_nLaidNE2 != g_nNE2)
        return -1;
    const int32_t nDrift = g_LaidBanks[0].x - g_WeatherBanks[0].x;
    if (nDrift < 0 || nDrift > BANK_LAYER_MARGIN)
        return -1;
    for (int n = 0; n < BankCount(); ++n) {
        const WeatherBank &Laid = g_LaidBanks[n], &B = g_WeatherBanks[n];
        if (Laid.x - B.x != nDrift || Laid.y != B.y || Laid.nPicture != B.nPicture)
            return -1;
    }
    return nDrift;
}

void LayBanks()
{
    g_BankLayer.Reset(Sheets::SCREEN_WIDTH + BANK_LAYER_MARGIN, Sheets::SCREEN_HEIGHT);
    for (int n = 0; n < BankCount(); ++n) {
        const SheetRect Source = BankPicture(n);
        g_BankLayer.AddArea(GAME_CHUNKY_WETTER, Source.x, Source.y, Source.w, Source.h, g_WeatherBanks[n].x,
                            g_WeatherBanks[n].y);
    }
    std::copy(std::begin(g_WeatherBanks), std::end(g_WeatherBanks), std::begin(g_LaidBanks));
    g_nLaidNE1 = g_nNE1;
    g_nLaidNE2 = g_nNE2;
}

void DriftBank(WeatherBank& B, const BankKind& Kind)
{
    B.x = (int16_t)(B.x - BANK_DRIFT);
    if (B.x < Kind.nGoneBelowX)
        PlaceBank(B, Kind.nRestartX, Kind);
}

// Every bank is drawn where it is, then all drift on.
void DrawBanks()
{
    if (BankCount() == 0)
        return;
    int32_t nDrift = DriftSinceLaid();
    if (nDrift < 0) {
        LayBanks();
        nDrift = 0;
    }
    g_BankLayer.Draw(-nDrift, 0);
    if (g_bHalted)
        return;
    for (int n = 0; n < BankCount(); ++n)
        DriftBank(g_WeatherBanks[n], n < g_nNE1 ? LARGE_BANK : SMALL_BANK);
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
