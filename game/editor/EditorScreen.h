// What the editor's frame (EditorScreen.cpp) and its drawing (EditorDraw.cpp)
// share: where everything lies on the screen, the buttons, and the state of
// the tools.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "EditorPalette.h"
#include "sheets.h"

namespace EditorLayout {

// The field as play draws it; only the played rows are edited.
constexpr int FIELD_LEFT = 20, FIELD_TOP = 21;
constexpr int FIELD_RIGHT = FIELD_LEFT + 19 * Sheets::TILE_WIDTH, FIELD_BOTTOM = FIELD_TOP + 18 * Sheets::TILE_HEIGHT;
// The rows below the field: level, picture and the main buttons; the tools; the
// palette; the help line; the message line.
constexpr int PANEL_TOP = 455;
constexpr int CONTROLS_Y = 458, TOOLS_Y = 482, PALETTE_Y = 508, HELP_Y = 551, MESSAGE_Y = 575;
constexpr int BUTTON_HEIGHT = 22;
// The level's label and arrows, then the picture's.
constexpr int LEVEL_ARROWS_X = 134, PICTURE_LABEL_X = 186, PICTURE_ARROWS_X = 334;
// The palette: group tabs (half tiles, three across), the page arrows, a strip
// of half tiles, and the chosen code at full size.
constexpr int MINI_WIDTH = 20, MINI_HEIGHT = 12, MINI_STEP_X = 21, MINI_STEP_Y = 13;
constexpr int TABS_LEFT = 20, TABS_ACROSS = 3;
constexpr int STRIP_LEFT = 110, STRIP_COLUMNS = 28, STRIP_ROWS = 3, STRIP_PAGE = STRIP_COLUMNS * STRIP_ROWS;
constexpr ScreenArea PAGE_BACK = {90, PALETTE_Y, 105, PALETTE_Y + 37};
constexpr ScreenArea PAGE_ON = {STRIP_LEFT + STRIP_COLUMNS * MINI_STEP_X + 2, PALETTE_Y,
                                STRIP_LEFT + STRIP_COLUMNS * MINI_STEP_X + 17, PALETTE_Y + 37};
constexpr int CHOSEN_X = 736, CHOSEN_Y = PALETTE_Y;

constexpr ScreenArea Tab(int nGroup)
{
    return {(int16_t)(TABS_LEFT + nGroup % TABS_ACROSS * (MINI_STEP_X + 2)),
            (int16_t)(PALETTE_Y + 2 + nGroup / TABS_ACROSS * (MINI_STEP_Y + 6)),
            (int16_t)(TABS_LEFT + nGroup % TABS_ACROSS * (MINI_STEP_X + 2) + MINI_WIDTH - 1),
            (int16_t)(PALETTE_Y + 2 + nGroup / TABS_ACROSS * (MINI_STEP_Y + 6) + MINI_HEIGHT - 1)};
}

constexpr ScreenArea StripCell(int nSlot)
{
    return {(int16_t)(STRIP_LEFT + nSlot % STRIP_COLUMNS * MINI_STEP_X),
            (int16_t)(PALETTE_Y + nSlot / STRIP_COLUMNS * MINI_STEP_Y),
            (int16_t)(STRIP_LEFT + nSlot % STRIP_COLUMNS * MINI_STEP_X + MINI_WIDTH - 1),
            (int16_t)(PALETTE_Y + nSlot / STRIP_COLUMNS * MINI_STEP_Y + MINI_HEIGHT - 1)};
}

}  // namespace EditorLayout

enum class EditorTool { Place, Fill, Pick, Copy, Paste };

// A button below the field: its key (an engine key, drawn as its letter when
// it has one), its words, and the line the help line shows while it is pointed at.
struct EditorButton {
    ScreenArea Area;
    int nKey;
    std::string Label;
    std::string Help;
    void (*Act)();
    bool bLit;   // the tool in use
};

struct EditorView {
    EditorTool Tool = EditorTool::Place;
    int16_t nCode = 0;                 // the code placed and filled with
    PaletteGroup Group = PaletteGroup::Bricks;
    int nPage = 0;
    int nCursorColumn = 9, nCursorRow = 8;
    int nDragButton = -1;              // the mouse button held over the field, -1 for none
    int nAnchorColumn = 0, nAnchorRow = 0;   // where a rectangle's drag began
    int nLastColumn = 0, nLastRow = 0;       // the cell a stroke reached last
    int nShownBackground = 1;          // the picture on screen: for background 0 one chosen at random
    int nPictureLevel = -1, nPictureBackground = -1;   // the level and background it was chosen for
    bool bAsking = false;              // "discard unsaved changes?" is on screen
    std::string Message;               // the message line: checks, saves
};

EditorView& GameEditorView();
// The buttons of the editor, laid out for the language in use.
std::vector<EditorButton> GameEditorButtons();
// The label and the numbers beside the level's and the picture's arrows.
std::string GameEditorLevelLabel();
std::string GameEditorPictureLabel();
// The cell under screen point (x, y) as column and row; false off the played rows.
bool GameEditorCellAt(int32_t x, int32_t y, int& nColumn, int& nRow);
// The palette code under (x, y), -1 for none.
int GameEditorPaletteCodeAt(int32_t x, int32_t y);
// The line about what the pointer is over (a palette tile, a tab), empty for nothing.
std::string GameEditorHoverLine();
