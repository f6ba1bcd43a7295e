// The menus' dispatch: which areas the current screen has, the hovered one and
// its highlight, the click lock, the back area, and the drawing of each screen.
#include "Menu.h"

#include "Editor.h"
#include "ErrorReport.h"
#include "Flow.h"
#include "GameState.h"
#include "HighScores.h"
#include "LevelCodes.h"
#include "MatchScores.h"
#include "MenuScreens.h"
#include "Resources.h"
#include "korvid.h"

namespace {

constexpr int32_t HOVER_NONE = 0, HOVER_BACK = 1, HOVER_PREVIOUS = 31, HOVER_NEXT = 32;

int32_t g_nHovered = HOVER_NONE;
// A click acts only while this is 0; an action sets it, and the first frame
// without a click clears it. Clicks are taken on the button's release, so a
// button held down gives no click until it is let go, and then one.
int32_t g_nClickLock = 0;

bool IsMatchScreen(int32_t nScreen)
{
    return nScreen >= GAME_SCREEN_MATCH_FIRST && nScreen <= GAME_SCREEN_MATCH_LAST;
}

void GoBack()
{
    GameChangeMode(IsMatchScreen(g_nMenuScreen) ? GAME_MODE_MP_MENU_ABBRECHEN : GAME_MODE_HAUPTMENU);
}

constexpr MenuEntry BACK_ENTRY = {Sheets::BACK, HOVER_BACK, Sheets::HIGHLIGHT_BACK, GAME_LOCK_BACK, GoBack};
constexpr MenuEntry BACK_ONLY[] = {BACK_ENTRY};
constexpr MenuEntry INSTRUCTION_ENTRIES[] = {
    BACK_ENTRY,
    {Sheets::PAGE_PREVIOUS, HOVER_PREVIOUS, Sheets::HIGHLIGHT_PREVIOUS, GAME_LOCK_MENU, GamePreviousPage},
    {Sheets::PAGE_NEXT, HOVER_NEXT, Sheets::HIGHLIGHT_NEXT, GAME_LOCK_MENU, GameNextPage},
};

struct EntryList {
    const MenuEntry* pFirst;
    int nCount;
    const MenuEntry* begin() const { return pFirst; }
    const MenuEntry* end() const { return pFirst + nCount; }
};

template <int N>
constexpr EntryList List(const MenuEntry (&Entries)[N])
{
    return {Entries, N};
}

EntryList ScreenEntries(int32_t nScreen)
{
    if (nScreen == GAME_SCREEN_TITLE)
        return List(GAME_TITLE_ENTRIES);
    if (nScreen == GAME_SCREEN_INSTRUCTIONS)
        return List(INSTRUCTION_ENTRIES);
    if ((nScreen >= GAME_SCREEN_INFO && nScreen <= GAME_SCREEN_HIGHSCORES) || IsMatchScreen(nScreen))
        return List(BACK_ONLY);
    return {nullptr, 0};
}

const MenuEntry* EntryAt(int32_t x, int32_t y)
{
    for (const MenuEntry& Entry : ScreenEntries(g_nMenuScreen))
        if (Entry.Area.Contains(x, y))
            return &Entry;
    return nullptr;
}

void Click(int32_t x, int32_t y)
{
    if (const MenuEntry* pEntry = EntryAt(x, y)) {
        g_nClickLock = pEntry->nLock;
        pEntry->Act();
    } else if (g_nMenuScreen == GAME_SCREEN_OPTIONS && (GameClickCodeEntry(x, y) || GameClickOption(x, y))) {
        g_nClickLock = GAME_LOCK_SWITCH;
    }
}

void DrawHighlight()
{
    for (const MenuEntry& Entry : ScreenEntries(g_nMenuScreen))
        if (Entry.nHover == g_nHovered) {
            const SheetRect& H = Entry.Highlight;
            Korvid.BlitArea(GAME_CHUNKY_KUGEL, H.x, H.y, H.w, H.h, Entry.Area.nLeft, Entry.Area.nTop, KOR_BLIT_ALPHA,
                            0, 100);
            return;
        }
}

}  // namespace

bool GameShowScreen(int32_t nScreen, const char* szPicture, int32_t nError)
{
    if (!GameLoadPicture(GAME_CHUNKY_BACKGROUND, szPicture)) {
        GameReportError(nError);
        return false;
    }
    g_nMenuScreen = nScreen;
    return true;
}

void GameMenuClick()
{
    if (!g_bLeftClick)
        g_nClickLock = 0;
    else if (g_nClickLock == 0)
        Click(g_nPointerX, g_nPointerY);
    // After the click: the screen it opened decides what is under the pointer.
    const MenuEntry* pHovered = EntryAt(g_nPointerX, g_nPointerY);
    g_nHovered = pHovered ? pHovered->nHover : HOVER_NONE;
    if (g_nMenuScreen == GAME_SCREEN_OPTIONS)
        GamePointAtOptions(g_nPointerX, g_nPointerY);
}

void GameMenuDraw()
{
    if (g_nMenuScreen == GAME_SCREEN_TITLE)
        GameDrawTitleFigures();
    DrawHighlight();
    switch (g_nMenuScreen) {
    case GAME_SCREEN_INFO: GameDrawInfo(); break;
    case GAME_SCREEN_INSTRUCTIONS: GameDrawInstructionPage(); break;
    case GAME_SCREEN_OPTIONS:
        GameDrawCodeEntry();
        GameDrawOptions();
        break;
    case GAME_SCREEN_HIGHSCORES: HSDrawList(); break;
    case GAME_SCREEN_MATCH_WON:
    case GAME_SCREEN_MATCH_LAST: GameDrawMatchScores(); break;
    case GAME_SCREEN_EDITOR: GameEditorDraw(); break;
    default: break;
    }
    GameDrawPointer();
}
