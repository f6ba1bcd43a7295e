// The title screen: its seven menu entries and the two figures that wave from
// their bubbles.
#include "Editor.h"
#include "Flow.h"
#include "GameState.h"
#include "Menu.h"
#include "MenuScreens.h"
#include "Resources.h"
#include "korvid.h"

namespace {

constexpr int32_t HOVER_QUIT = 1, HOVER_INFO = 2, HOVER_INSTRUCTIONS = 3, HOVER_OPTIONS = 4,
                  HOVER_HIGHSCORES = 5, HOVER_START = 6, HOVER_EDITOR = 7;
constexpr int32_t LOCK_HIGHSCORES = 20;
constexpr int32_t ERROR_HIGHSCORES = 449, ERROR_INFO = 445;
constexpr int32_t LAST_FIGURE_FRAME = 10;   // the animation stops here until it is run again

int32_t g_nFigureFrame = 0;

void StartGame()
{
    GameChangeMode(g_bTwoPlayers ? GAME_MODE_MP_MENU_STARTEN : GAME_MODE_SPIEL_STARTEN);
}

void OpenHighScores()
{
    GameShowScreen(GAME_SCREEN_HIGHSCORES, "data/gfx/m2.kvp", ERROR_HIGHSCORES);
}

// The editor opens on the user set's first level.
void OpenEditor()
{
    GameOpenEditor(0);
}

// The next frame ends the engine, and with it the game, the usual way.
void Quit()
{
    g_bGameRunning = false;
}

}  // namespace

const MenuEntry GAME_TITLE_ENTRIES[TITLE_ENTRIES] = {
    {Sheets::MENU_START, HOVER_START, Sheets::HIGHLIGHT_START, GAME_LOCK_MENU, StartGame},
    {Sheets::MENU_OPTIONS, HOVER_OPTIONS, Sheets::HIGHLIGHT_OPTIONS, GAME_LOCK_MENU, GameOpenOptions},
    {Sheets::MENU_INSTRUCTIONS, HOVER_INSTRUCTIONS, Sheets::HIGHLIGHT_INSTRUCTIONS, GAME_LOCK_MENU,
     GameOpenInstructions},
    {Sheets::MENU_HIGHSCORES, HOVER_HIGHSCORES, Sheets::HIGHLIGHT_HIGHSCORES, LOCK_HIGHSCORES, OpenHighScores},
    {Sheets::MENU_INFO, HOVER_INFO, Sheets::HIGHLIGHT_INFO, GAME_LOCK_MENU, GameOpenInfo},
    {Sheets::MENU_QUIT, HOVER_QUIT, Sheets::HIGHLIGHT_QUIT, GAME_LOCK_MENU, Quit},
    {Sheets::MENU_EDITOR, HOVER_EDITOR, Sheets::HIGHLIGHT_EDITOR, GAME_LOCK_MENU, OpenEditor},
};

void GameAnimateTitle()
{
    if (g_nFigureFrame < LAST_FIGURE_FRAME)
        ++g_nFigureFrame;
}

void GameRestartTitleAnimation()
{
    g_nFigureFrame = 0;
}

// The bubbles of the title picture are empty: the figures stay in them on
// their last frame while the animation waits to run again.
void GameDrawTitleFigures()
{
    const int16_t FIGURE_X[2] = {Sheets::FIGURE_LEFT_X, Sheets::FIGURE_RIGHT_X};
    for (int nFigure = 0; nFigure < 2; ++nFigure) {
        const SheetRect Frame = Sheets::Figure(nFigure, g_nFigureFrame);
        Korvid.BlitArea(GAME_CHUNKY_DEVIL, Frame.x, Frame.y, Frame.w, Frame.h, FIGURE_X[nFigure], Sheets::FIGURE_Y,
                        KOR_BLIT_ALPHA, 0, 100);
    }
}
