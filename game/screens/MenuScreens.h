// What the menu's screens share: the pointer areas with their actions, and the
// openers and drawers of each screen, which Menu.cpp calls by screen number.
#pragma once
#include <cstdint>

#include "sheets.h"

constexpr int32_t GAME_SCREEN_INFO = 2;
constexpr int32_t GAME_SCREEN_HIGHSCORES = 5;

// The click lock an action leaves: any value holds until a frame without a click.
constexpr int32_t GAME_LOCK_MENU = 1, GAME_LOCK_BACK = 3, GAME_LOCK_SWITCH = 20;

// A pointer area of a screen: its hover number, the highlight drawn while the
// pointer is over it, and what a click on it does.
struct MenuEntry {
    ScreenArea Area;
    int32_t nHover;
    SheetRect Highlight;
    int32_t nLock;
    void (*Act)();
};

// Shows screen nScreen with its picture in the background chunky; when the
// picture cannot be loaded, reports nError and stays on the current screen.
bool GameShowScreen(int32_t nScreen, const char* szPicture, int32_t nError);

// Title screen (TitleScreen.cpp): its seven entries and its two figures.
constexpr int TITLE_ENTRIES = 7;
extern const MenuEntry GAME_TITLE_ENTRIES[TITLE_ENTRIES];
void GameDrawTitleFigures();

// Instruction pages (Instructions.cpp).
void GameOpenInstructions();
void GamePreviousPage();
void GameNextPage();
// The current page again, in the language now chosen; nError when it cannot be loaded.
bool GameReloadInstructionPage(int32_t nError);
void GameDrawInstructionPage();

// Options page (OptionsPage.cpp).
void GameOpenOptions();
// A click on a switch: toggles, applies and saves it; false when none was hit.
bool GameClickOption(int32_t x, int32_t y);
// The help picture of the option whose help area is under the pointer, if any.
void GamePointAtOptions(int32_t x, int32_t y);
void GameDrawOptions();

// The arrow at the pointer, over everything else (MenuPointer.cpp).
void GameDrawPointer();

// Information screen (InfoScreen.cpp).
void GameOpenInfo();
void GameDrawInfo();
