// The instruction pages: nine pictures shown one at a time in the frame of the
// instructions screen, turned forwards and backwards round the ring.
#include <cstdio>

#include "ErrorReport.h"
#include "GameState.h"
#include "MenuScreens.h"
#include "Resources.h"
#include "korvid.h"

namespace {

constexpr int32_t ERROR_FRAME = 446, ERROR_FIRST_PAGE = 447, ERROR_PAGE = 448;

int32_t g_nPage = 1;

// Page nPage in the chosen language into the page chunky; nError when it cannot be loaded.
bool LoadPage(int32_t nPage, int32_t nError)
{
    char szFile[32];
    snprintf(szFile, sizeof(szFile), "data/gfx/m3_%d%s.kvp", (int)nPage, g_nL ? "_en" : "");
    if (GameLoadPicture(GAME_CHUNKY_PAGE, szFile))
        return true;
    GameReportError(nError);
    return false;
}

// A page that cannot be loaded leaves the page number where it was.
void TurnTo(int32_t nPage)
{
    if (LoadPage(nPage, ERROR_PAGE))
        g_nPage = nPage;
}

}  // namespace

// The first page is loaded before the frame, so a missing page keeps the title as it was.
void GameOpenInstructions()
{
    if (!LoadPage(1, ERROR_FIRST_PAGE))
        return;
    g_nPage = 1;
    GameShowScreen(GAME_SCREEN_INSTRUCTIONS, g_nL ? "data/gfx/m3_en.kvp" : "data/gfx/m3.kvp", ERROR_FRAME);
}

void GamePreviousPage()
{
    TurnTo(g_nPage == 1 ? Sheets::INSTRUCTION_PAGES : g_nPage - 1);
}

void GameNextPage()
{
    TurnTo(g_nPage == Sheets::INSTRUCTION_PAGES ? 1 : g_nPage + 1);
}

bool GameReloadInstructionPage(int32_t nError)
{
    return LoadPage(g_nPage, nError);
}

void GameDrawInstructionPage()
{
    Korvid.Blit(GAME_CHUNKY_PAGE, Sheets::PAGE_X, Sheets::PAGE_Y, KOR_BLIT_NOCOOKIE, 0, 0);
}
