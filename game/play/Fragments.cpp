// Brick fragments: a piece of a destroyed brick thrown off along the ball's path
// until it leaves the screen.
#include "Fragments.h"

#include "GameState.h"
#include "Levels.h"
#include "korvid.h"
#include "sheets.h"

namespace {

constexpr std::array<Fragment, GAME_FRAGMENTS> NoFragments()
{
    std::array<Fragment, GAME_FRAGMENTS> Free = {};
    for (Fragment& F : Free)
        F.nCode = -1;
    return Free;
}

constexpr int32_t FRAGMENT_THROW = 2;

int32_t AwayFromZero(int32_t v) { return v < 0 ? v - FRAGMENT_THROW : v + FRAGMENT_THROW; }

bool OffScreen(const Fragment& F) { return (uint32_t)(F.x + 50) > 900 || F.y < -50 || F.y > 650; }

}  // namespace

std::array<Fragment, GAME_FRAGMENTS> g_Fragments = NoFragments();

void GameClearFragments()
{
    for (Fragment& F : g_Fragments)
        F.nCode = -1;
}

void GameAddFragment(int32_t nCode, int32_t x, int32_t y, int32_t vx, int32_t vy)
{
    for (Fragment& F : g_Fragments) {
        if (F.nCode != -1)
            continue;
        F = {nCode, x, y, AwayFromZero(vx), AwayFromZero(vy)};
        return;
    }
}

void GameDrawFragments()
{
    for (Fragment& F : g_Fragments) {
        if (F.nCode < 0 || F.nCode > LEVEL_CODE_MAX)
            continue;
        const SheetRect Tile = Sheets::Tile(F.nCode);
        Korvid.BlitArea(GameTileSheet(), Tile.x, Tile.y, Tile.w, Tile.h, F.x, F.y, KOR_BLIT_COOKIE, 0, 255);
        if (g_bHalted)
            continue;
        F.x += F.vx;
        F.y += F.vy;
        if (OffScreen(F))
            F.nCode = -1;
    }
}
