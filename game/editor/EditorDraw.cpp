// The level editor's picture: the field as play draws it with a faint grid on
// its empty cells, the cursor and the rectangle being dragged, and below it
// the level and picture, the buttons, the palette, the help and message lines.
#include <algorithm>

#include "Editor.h"
#include "EditorDocument.h"
#include "EditorScreen.h"
#include "GameState.h"
#include "Keys.h"
#include "Levels.h"
#include "Resources.h"
#include "Text.h"
#include "korvid.h"

namespace {

using namespace EditorLayout;

constexpr int TEXT_ALPHA = 255, DIM_ALPHA = 150;
constexpr int PANEL_STRIPS = 6, DARK_PERCENT = 70;
constexpr int KEY_GLYPH_DX = 4, KEY_GLYPH_DY = 4, LABEL_DX = 19, LABEL_DY = -1;

uint16_t Colour(uint8_t r, uint8_t g, uint8_t b) { return Korvid.Pack(r, g, b); }

void Frame(int x1, int y1, int x2, int y2, uint16_t nColour, uint8_t nMode = KOR_DRAW_SOLID)
{
    Korvid.Box((int16_t)x1, (int16_t)y1, (int16_t)x2, (int16_t)y2, nColour, nMode);
}

void Print(int x, int y, const std::string& Text, int nAlpha = TEXT_ALPHA)
{
    GamePrintText(x, y, Text.c_str(), nAlpha, false);
}

// ---- The field ---------------------------------------------------------------------------

void DrawCells()
{
    const EditorDocument& Document = GameEditorDocument();
    const uint16_t nGrid = Colour(90, 110, 160);
    for (int nRow = 0; nRow < LEVEL_PLAYED_ROWS; ++nRow)
        for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn) {
            const int x = FIELD_LEFT + nColumn * Sheets::TILE_WIDTH, y = FIELD_TOP + nRow * Sheets::TILE_HEIGHT;
            const int nCode = Document.Cell(nColumn, nRow);
            if (nCode == LEVEL_CELL_EMPTY)
                Frame(x, y, x + Sheets::TILE_WIDTH - 1, y + Sheets::TILE_HEIGHT - 1, nGrid, KOR_DRAW_HALF);
            else
                GameDrawTile(nCode, x, y);
        }
}

void FrameCells(int nColumn0, int nRow0, int nColumn1, int nRow1, uint16_t nColour)
{
    const int nLeft = FIELD_LEFT + std::min(nColumn0, nColumn1) * Sheets::TILE_WIDTH;
    const int nTop = FIELD_TOP + std::min(nRow0, nRow1) * Sheets::TILE_HEIGHT;
    const int nRight = FIELD_LEFT + (std::max(nColumn0, nColumn1) + 1) * Sheets::TILE_WIDTH - 1;
    const int nBottom = FIELD_TOP + (std::max(nRow0, nRow1) + 1) * Sheets::TILE_HEIGHT - 1;
    Frame(nLeft, nTop, nRight, nBottom, nColour);
    Frame(nLeft + 1, nTop + 1, nRight - 1, nBottom - 1, nColour);
}

// Where a paste at the cursor lands, cut at the field's edges as the paste is.
void FramePaste(const EditorView& View)
{
    const EditorDocument& Document = GameEditorDocument();
    const int nRight = std::min(View.nCursorColumn + Document.ClipboardColumns(), LEVEL_COLUMNS) - 1;
    const int nBottom = std::min(View.nCursorRow + Document.ClipboardRows(), LEVEL_PLAYED_ROWS) - 1;
    FrameCells(View.nCursorColumn, View.nCursorRow, nRight, nBottom, Colour(90, 220, 255));
}

// The rectangle a fill or copy drag spans, or where a paste lands, then the cursor cell.
void DrawMarks()
{
    const EditorView& View = GameEditorView();
    if (View.Tool == EditorTool::Paste && GameEditorDocument().HasClipboard())
        FramePaste(View);
    const bool bRectangle = View.nDragButton >= 0 && (View.Tool == EditorTool::Fill || View.Tool == EditorTool::Copy);
    if (bRectangle) {
        const uint16_t nColour = View.nDragButton == (int)KOR_BUTTON_RIGHT ? Colour(255, 90, 90)
                                 : View.Tool == EditorTool::Copy           ? Colour(90, 220, 255)
                                                                           : Colour(255, 210, 90);
        FrameCells(View.nAnchorColumn, View.nAnchorRow, View.nCursorColumn, View.nCursorRow, nColour);
    }
    FrameCells(View.nCursorColumn, View.nCursorRow, View.nCursorColumn, View.nCursorRow, Colour(255, 255, 255));
}

// ---- Below the field -----------------------------------------------------------------------

void DarkenPanel()
{
    const SheetRect& Strip = Sheets::DARK_STRIP;
    for (int n = 0; n < PANEL_STRIPS; ++n)
        Korvid.BlitArea(GAME_CHUNKY_INTERFACE, Strip.x, Strip.y, Strip.w, Strip.h, 0, PANEL_TOP + n * Strip.h,
                        KOR_BLIT_TRANS | KOR_BLIT_NOCOOKIE, 0, DARK_PERCENT);
}

void DrawButton(const EditorButton& Button, bool bHovered)
{
    const ScreenArea& A = Button.Area;
    Korvid.BoxFill(A.nLeft, A.nTop, A.nRight, A.nBottom, Colour(20, 28, 60), KOR_DRAW_HALF, 0);
    const uint16_t nRim = Button.bLit ? Colour(255, 210, 90) : bHovered ? Colour(200, 230, 255) : Colour(80, 110, 170);
    Frame(A.nLeft, A.nTop, A.nRight, A.nBottom, nRim);
    if (Button.bLit)
        Frame(A.nLeft + 1, A.nTop + 1, A.nRight - 1, A.nBottom - 1, nRim);
    if (Button.nKey >= GAME_KEY_A && Button.nKey <= GAME_KEY_Z) {
        const char szKey[2] = {(char)('A' + Button.nKey - GAME_KEY_A), 0};
        GamePrintNumbers(A.nLeft + KEY_GLYPH_DX, A.nTop + KEY_GLYPH_DY, szKey, false, 0);
        Print(A.nLeft + LABEL_DX, A.nTop + LABEL_DY, Button.Label);
    } else {
        Print(A.nLeft + (A.Width() - GameTextWidth(Button.Label.c_str())) / 2, A.nTop + LABEL_DY, Button.Label);
    }
}

void DrawMiniTile(int nCode, int x, int y)
{
    const uint32_t nSheet = g_nTS == 1 ? GAME_CHUNKY_MINITILES2 : GAME_CHUNKY_MINITILES;
    Korvid.BlitArea(nSheet, nCode % Sheets::TILES_PER_ROW * MINI_WIDTH, nCode / Sheets::TILES_PER_ROW * MINI_HEIGHT,
                    MINI_WIDTH, MINI_HEIGHT, x, y, KOR_BLIT_COOKIE, 0, 255);
}

void DrawPalette()
{
    const EditorView& View = GameEditorView();
    for (int nGroup = 0; nGroup < PALETTE_GROUPS; ++nGroup) {
        const ScreenArea Tab = EditorLayout::Tab(nGroup);
        DrawMiniTile(PaletteCodes((PaletteGroup)nGroup).front(), Tab.nLeft, Tab.nTop);
        const bool bChosen = (int)View.Group == nGroup;
        Frame(Tab.nLeft - 2, Tab.nTop - 2, Tab.nRight + 2, Tab.nBottom + 2,
              bChosen ? Colour(255, 210, 90) : Colour(80, 110, 170));
    }
    const std::vector<int16_t>& Codes = PaletteCodes(View.Group);
    const int nFirst = View.nPage * STRIP_PAGE;
    for (int nSlot = 0; nSlot < STRIP_PAGE && nFirst + nSlot < (int)Codes.size(); ++nSlot) {
        const ScreenArea Cell = StripCell(nSlot);
        DrawMiniTile(Codes[nFirst + nSlot], Cell.nLeft, Cell.nTop);
        if (Codes[nFirst + nSlot] == View.nCode)
            Frame(Cell.nLeft - 1, Cell.nTop - 1, Cell.nRight + 1, Cell.nBottom + 1, Colour(255, 255, 255));
    }
    if (View.nPage > 0)
        Print(PAGE_BACK.nLeft + 2, PAGE_BACK.nTop + 7, "<");
    if (nFirst + STRIP_PAGE < (int)Codes.size())
        Print(PAGE_ON.nLeft + 2, PAGE_ON.nTop + 7, ">");
    // The chosen code at full size, with its number.
    GameDrawTile(View.nCode, CHOSEN_X, CHOSEN_Y);
    Frame(CHOSEN_X - 1, CHOSEN_Y - 1, CHOSEN_X + Sheets::TILE_WIDTH, CHOSEN_Y + Sheets::TILE_HEIGHT, Colour(255, 210, 90));
    GamePrintNumbers(CHOSEN_X + 2, CHOSEN_Y + Sheets::TILE_HEIGHT + 2, std::to_string(View.nCode).c_str(), false, 0);
}

const char* DefaultHelp()
{
    return g_nL ? "Right/Del: erase  Arrows+Space: place  PgUp/PgDn: level  B: picture"
                : "Rechts/Entf: l\xf6schen  Pfeile+Leer: setzen  Bild auf/ab: Level  B: Bild";
}

void DrawPanel()
{
    DarkenPanel();
    const EditorView& View = GameEditorView();
    Print(FIELD_LEFT, CONTROLS_Y - 1, GameEditorLevelLabel());
    Print(PICTURE_LABEL_X, CONTROLS_Y - 1, GameEditorPictureLabel());
    std::string Help = DefaultHelp();
    for (const EditorButton& Button : GameEditorButtons()) {
        const bool bHovered = Button.Area.Contains(g_nPointerX, g_nPointerY);
        DrawButton(Button, bHovered);
        if (bHovered)
            Help = Button.Help;
    }
    DrawPalette();
    Print(FIELD_LEFT, HELP_Y, Help, DIM_ALPHA);
    const std::string Hover = GameEditorHoverLine();
    Print(FIELD_LEFT, MESSAGE_Y, Hover.empty() ? View.Message : Hover);
}

// A bonus brick under the pointer in the palette shows the bonus it releases,
// falling as in play, above the palette beside the pointer.
void DrawHoveredBonus()
{
    const int nCode = GameEditorPaletteCodeAt(g_nPointerX, g_nPointerY);
    if (LevelCellKindOf(nCode) != LevelCellKind::BonusBrick)
        return;
    constexpr int BONUS_FRAME_MS = 100, MARGIN = 3;
    const int x = std::clamp(g_nPointerX - Sheets::BONUS_SIZE / 2, FIELD_LEFT + MARGIN,
                             FIELD_RIGHT - Sheets::BONUS_SIZE - MARGIN);
    const int y = PALETTE_Y - Sheets::BONUS_SIZE - 2 * MARGIN;
    const SheetRect Source = Sheets::Bonus(nCode, (int)(Korvid.Timer() / BONUS_FRAME_MS % Sheets::BONUS_FRAMES));
    Korvid.BoxFill(x - MARGIN, y - MARGIN, x + Source.w + MARGIN - 1, y + Source.h + MARGIN - 1, Colour(10, 14, 30),
                   KOR_DRAW_SOLID, 0);
    Frame(x - MARGIN, y - MARGIN, x + Source.w + MARGIN - 1, y + Source.h + MARGIN - 1, Colour(255, 210, 90));
    Korvid.BlitArea(GAME_CHUNKY_BONI, Source.x, Source.y, Source.w, Source.h, x, y, KOR_BLIT_ALPHA, 0, KOR_ALPHA_FULL);
}

// The question over a darkened, gold-framed band across the field, so it cannot be missed.
void DrawQuestion()
{
    const char* szQuestion = g_nL ? "Discard unsaved changes? Y/N" : "Ungesicherte \xc4nderungen verwerfen? J/N";
    const int yMiddle = (FIELD_TOP + FIELD_BOTTOM) / 2;
    Korvid.BoxFill(FIELD_LEFT + 80, yMiddle - 30, FIELD_RIGHT - 80, yMiddle + 30, Colour(0, 0, 0), KOR_DRAW_HALF, 0);
    Frame(FIELD_LEFT + 80, yMiddle - 30, FIELD_RIGHT - 80, yMiddle + 30, Colour(230, 190, 70));
    GamePrintText(-1, (FIELD_TOP + FIELD_BOTTOM) / 2 - Sheets::FONT2_LINE_STEP / 2, szQuestion, TEXT_ALPHA, true);
}

}  // namespace

void GameEditorDraw()
{
    DrawCells();
    DrawMarks();
    DrawPanel();
    DrawHoveredBonus();
    if (GameEditorView().bAsking)
        DrawQuestion();
}
