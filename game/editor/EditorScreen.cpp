// The level editor's frame: the tools and what the mouse and the keys do with
// them. Clicks on buttons act on the release, as on the menus; on the field a
// press begins what a release ends, so a drag is one stroke or one rectangle.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "Editor.h"
#include "EditorDocument.h"
#include "EditorScreen.h"
#include "GameState.h"
#include "Keys.h"
#include "Resources.h"
#include "Text.h"
#include "korvid.h"

namespace {

constexpr int KEY_PAGE_UP = 15, KEY_PAGE_DOWN = 16, KEY_DELETE = 25, KEY_DIGIT_1 = 28;
constexpr int KEY_B = GAME_KEY_A + 1, KEY_C = GAME_KEY_A + 2, KEY_F = GAME_KEY_A + 5, KEY_J = GAME_KEY_A + 9,
              KEY_L = GAME_KEY_A + 11, KEY_M = GAME_KEY_A + 12, KEY_N = GAME_KEY_A + 13, KEY_S = GAME_KEY_A + 18,
              KEY_T = GAME_KEY_A + 19, KEY_V = GAME_KEY_A + 21, KEY_Y = GAME_KEY_A + 24;
constexpr int BUTTON_PADDING = 3, KEY_GAP = 3, BUTTON_GAP = 3, ARROW_WIDTH = 16;

EditorView g_View;

EditorDocument& Document() { return GameEditorDocument(); }

std::string Format(const Words& Text, int nValue, const char* szName = "")
{
    char szLine[256];
    snprintf(szLine, sizeof(szLine), Text.Chosen(), nValue, szName);
    return szLine;
}

// ---- The picture behind the field -------------------------------------------------------

// A level without a picture of its own gets a random one in play; the editor
// shows one too, chosen again when the level or its picture changes. The
// picture is loaded only then, or when play has drawn another into its place.
void ShowPicture(bool bReload = false)
{
    const int nLevel = Document().CurrentLevel(), nBackground = Document().Current().nBackground;
    const bool bSame = nLevel == g_View.nPictureLevel && nBackground == g_View.nPictureBackground;
    if (bSame && !bReload)
        return;
    g_View.nPictureLevel = nLevel;
    g_View.nPictureBackground = nBackground;
    if (!bSame)
        g_View.nShownBackground = nBackground >= 1 && nBackground <= Sheets::BACKGROUND_COUNT
                                      ? nBackground
                                      : Korvid.RandomRange(1, Sheets::BACKGROUND_COUNT);
    char szFile[32];
    snprintf(szFile, sizeof(szFile), "data/gfx/hg%d.kvp", g_View.nShownBackground);
    if (!GameLoadPicture(GAME_CHUNKY_BACKGROUND, szFile))
        Korvid.DebugLog("** ERROR ** Editor: Picture '%s' Not Loaded", szFile);
}

// ---- The message line ----------------------------------------------------------------

const Words PROBLEM_WORDS[] = {
    {"kein zerst\xf6rbarer Stein: sofort gewonnen", "no destructible brick: won at once"},
    {"ein Teleporter ohne Partner", "a teleporter without its partner"},
    {"mehr als ein Teleporter einer Art", "more than one teleporter of a kind"},
};

// The checks of the level shown, empty when it passes them.
std::string CheckLine()
{
    std::string Line;
    for (EditorProblem Problem : EditorCheck(Document().Current()))
        Line += std::string(Line.empty() ? (g_nL ? "Note: " : "Achtung: ") : "; ") +
                PROBLEM_WORDS[(int)Problem].Chosen();
    return Line;
}

std::string JoinedWithChecks(const std::string& Line)
{
    const std::string Checks = CheckLine();
    return Checks.empty() ? Line : Line.empty() ? Checks : Line + " - " + Checks;
}

std::string BaseName(const std::string& Path)
{
    const size_t nSlash = Path.find_last_of('/');
    return nSlash == std::string::npos ? Path : Path.substr(nSlash + 1);
}

// ---- Tools and commands ------------------------------------------------------------------

// Fill drags a rectangle with either button, copy with the left; else a drag is a stroke.
bool RectangleTool(int nButton)
{
    return g_View.Tool == EditorTool::Copy ? nButton == (int)KOR_BUTTON_LEFT : g_View.Tool == EditorTool::Fill;
}

// A stroke's drag ends its undo step; a rectangle's drag is dropped.
void FinishDrag()
{
    if (g_View.nDragButton >= 0 && !RectangleTool(g_View.nDragButton))
        Document().EndStroke();
    g_View.nDragButton = -1;
}

void UseTool(EditorTool Tool)
{
    FinishDrag();
    g_View.Tool = Tool;
}

void ChooseCode(int16_t nCode)
{
    g_View.nCode = nCode;
    g_View.Group = PaletteGroupOf(nCode);
    const std::vector<int16_t>& Codes = PaletteCodes(g_View.Group);
    g_View.nPage = (int)(std::find(Codes.begin(), Codes.end(), nCode) - Codes.begin()) / EditorLayout::STRIP_PAGE;
}

void Mirror()
{
    FinishDrag();
    Document().Mirror();
}

void ClearLevel()
{
    FinishDrag();
    Document().ClearLevel();
}

void Undo()
{
    FinishDrag();
    if (!Document().Undo())
        g_View.Message = g_nL ? "Nothing to undo" : "Nichts zur\xfc" "ckzunehmen";
    ShowPicture();
}

void Redo()
{
    FinishDrag();
    if (!Document().Redo())
        g_View.Message = g_nL ? "Nothing to redo" : "Nichts zu wiederholen";
    ShowPicture();
}

void SelectLevel(int nStep)
{
    FinishDrag();
    Document().SelectLevel(Document().CurrentLevel() + nStep);
    ShowPicture();
    g_View.Message = CheckLine();
}

void PreviousLevel() { SelectLevel(-1); }
void NextLevel() { SelectLevel(1); }

// Pictures 1..20, then random (0), then 1 again.
void StepPicture(int nStep)
{
    FinishDrag();
    const int nChoices = LEVEL_BACKGROUND_MAX + 1;
    Document().SetBackground((Document().Current().nBackground + nStep + nChoices) % nChoices);
    ShowPicture();
}

void PreviousPicture() { StepPicture(-1); }
void NextPicture() { StepPicture(1); }

void Save()
{
    FinishDrag();
    const EditorSaveResult Result = Document().Save();
    std::string Line;
    if (!Result.bSaved)
        Line = Format({"Kann %2$s nicht schreiben, die alte Datei bleibt", "Cannot write %2$s, the old file is kept"}, 0,
                      BaseName(Result.FailedFile).c_str());
    else if (Result.nFilesWritten == 0)
        Line = g_nL ? "Nothing to save" : "Nichts zu sichern";
    else
        Line = Format({"Gesichert: %d Dateien", "Saved %d files"}, Result.nFilesWritten);
    g_View.Message = JoinedWithChecks(Line);
}

void TestPlay()
{
    FinishDrag();
    g_View.Message = CheckLine();
    if (!GameEditorTestPlay())
        g_View.Message = JoinedWithChecks(g_nL ? "The test game cannot start" : "Das Testspiel kann nicht starten");
}

void PlaceTool() { UseTool(EditorTool::Place); }
void FillTool() { UseTool(EditorTool::Fill); }
void PickTool() { UseTool(EditorTool::Pick); }
void CopyTool() { UseTool(EditorTool::Copy); }

void PasteTool()
{
    UseTool(Document().HasClipboard() ? EditorTool::Paste : g_View.Tool);
    if (!Document().HasClipboard())
        g_View.Message = g_nL ? "Copy a rectangle first (C)" : "Erst ein Rechteck kopieren (C)";
}

// ---- Buttons -------------------------------------------------------------------------------

struct ButtonSpec {
    int nKey;
    Words Label, Help;
    void (*Act)();
    EditorTool Lit;   // Place for a command, which is never lit
};

const ButtonSpec MAIN_BUTTONS[] = {
    {GAME_KEY_Z, {"Zur\xfc" "ck", "Undo"},
     {"Z oder R\xfc" "cktaste: zur\xfc" "ck (Strg+Z verkleinert das Fenster)",
      "Z or Backspace: undo (Ctrl+Z minimises the window)"}, Undo, EditorTool::Place},
    {KEY_Y, {"Wieder", "Redo"}, {"Y: wiederholen, was zur\xfc" "ckgenommen wurde", "Y: redo what was undone"}, Redo,
     EditorTool::Place},
    {KEY_T, {"Test", "Test"}, {"T: das Level spielen; Esc kehrt zur\xfc" "ck", "T: play the level; Escape comes back"},
     TestPlay, EditorTool::Place},
    {KEY_S, {"Sichern", "Save"}, {"S: alle ge\xe4nderten Level sichern", "S: save every changed level"}, Save,
     EditorTool::Place},
};

const ButtonSpec TOOL_BUTTONS[] = {
    {GAME_KEY_D, {"Setzen", "Place"}, {"D: links klicken oder ziehen setzt, rechts l\xf6scht",
                                       "D: left click or drag places, the right button erases"}, PlaceTool,
     EditorTool::Place},
    {KEY_F, {"F\xfcllen", "Fill"}, {"F: Rechteck aufziehen f\xfcllt es (rechts: leert es)",
                                    "F: drag a rectangle to fill it (right button: empty it)"}, FillTool,
     EditorTool::Fill},
    {GAME_KEY_P, {"Pipette", "Pick"}, {"P: ein Klick aufs Feld nimmt dessen Stein", "P: click a cell to take its code"},
     PickTool, EditorTool::Pick},
    {KEY_C, {"Kopie", "Copy"}, {"C: Rechteck aufziehen kopiert es", "C: drag a rectangle to copy it"}, CopyTool,
     EditorTool::Copy},
    {KEY_V, {"Einf\xfcgen", "Paste"}, {"V: ein Klick setzt die Kopie mit ihrer linken oberen Ecke",
                                      "V: a click puts down the copy by its top left corner"}, PasteTool,
     EditorTool::Paste},
    {KEY_M, {"Spiegeln", "Mirror"}, {"M: links und rechts tauschen", "M: swap left and right"}, Mirror,
     EditorTool::Place},
    {KEY_L, {"Leeren", "Clear"}, {"L: das ganze Level leeren (Z holt es zur\xfc" "ck)",
                                  "L: empty the whole level (Z brings it back)"}, ClearLevel, EditorTool::Place},
};

const ButtonSpec ARROW_BUTTONS[] = {
    {KEY_PAGE_UP, {"<", "<"}, {"Bild auf: voriges Level", "Page Up: previous level"}, PreviousLevel, EditorTool::Place},
    {KEY_PAGE_DOWN, {">", ">"}, {"Bild ab: n\xe4" "chstes Level", "Page Down: next level"}, NextLevel, EditorTool::Place},
    {0, {"<", "<"}, {"Umschalt+B: voriges Bild", "Shift+B: previous picture"}, PreviousPicture, EditorTool::Place},
    {KEY_B, {">", ">"}, {"B: n\xe4" "chstes Bild (nach 20: Zufall)", "B: next picture (after 20: random)"}, NextPicture,
     EditorTool::Place},
};
const int ARROW_X[4] = {EditorLayout::LEVEL_ARROWS_X, EditorLayout::LEVEL_ARROWS_X + ARROW_WIDTH + BUTTON_GAP,
                        EditorLayout::PICTURE_ARROWS_X, EditorLayout::PICTURE_ARROWS_X + ARROW_WIDTH + BUTTON_GAP};

bool IsTool(const ButtonSpec& Spec) { return Spec.Act == PlaceTool || Spec.Lit != EditorTool::Place; }

EditorButton MakeButton(const ButtonSpec& Spec, int x, int y, int nWidth)
{
    return {{(int16_t)x, (int16_t)y, (int16_t)(x + nWidth - 1), (int16_t)(y + EditorLayout::BUTTON_HEIGHT - 1)},
            Spec.nKey,
            Spec.Label.Chosen(),
            Spec.Help.Chosen(),
            Spec.Act,
            IsTool(Spec) && g_View.Tool == Spec.Lit};
}

int ButtonWidth(const ButtonSpec& Spec)
{
    return 2 * BUTTON_PADDING + Sheets::GLYPH_WIDTH + KEY_GAP + GameTextWidth(Spec.Label.Chosen());
}

// ---- The field under the pointer -----------------------------------------------------------

void ClampedCell(int32_t x, int32_t y, int& nColumn, int& nRow)
{
    nColumn = std::clamp((x - EditorLayout::FIELD_LEFT) / Sheets::TILE_WIDTH, 0, LEVEL_COLUMNS - 1);
    nRow = std::clamp((y - EditorLayout::FIELD_TOP) / Sheets::TILE_HEIGHT, 0, LEVEL_PLAYED_ROWS - 1);
}

// The code a stroke of this button puts down.
int16_t StrokeCode(int nButton) { return nButton == (int)KOR_BUTTON_RIGHT ? LEVEL_CELL_EMPTY : g_View.nCode; }

// Every cell on the way from the last one a stroke reached, so a quick drag leaves no gaps.
void StrokeTo(int nColumn, int nRow)
{
    const int dx = nColumn - g_View.nLastColumn, dy = nRow - g_View.nLastRow;
    const int nSteps = std::max(std::abs(dx), std::abs(dy));
    for (int n = 1; n <= nSteps; ++n)
        Document().Place(g_View.nLastColumn + (dx * n * 2 + nSteps) / (2 * nSteps),
                         g_View.nLastRow + (dy * n * 2 + nSteps) / (2 * nSteps), StrokeCode(g_View.nDragButton));
    g_View.nLastColumn = nColumn;
    g_View.nLastRow = nRow;
}

void Pick(int nColumn, int nRow)
{
    const int16_t nCode = Document().Cell(nColumn, nRow);
    if (!PaletteOffers(nCode)) {
        g_View.Message = g_nL ? "Nothing to pick up there" : "Dort ist nichts aufzunehmen";
        return;
    }
    ChooseCode(nCode);
    g_View.Tool = EditorTool::Place;
}

void PressOnField(int nButton, int nColumn, int nRow)
{
    g_View.nAnchorColumn = g_View.nLastColumn = nColumn;
    g_View.nAnchorRow = g_View.nLastRow = nRow;
    if (nButton == (int)KOR_BUTTON_LEFT && g_View.Tool == EditorTool::Pick)
        return Pick(nColumn, nRow);
    if (nButton == (int)KOR_BUTTON_LEFT && g_View.Tool == EditorTool::Paste)
        return Document().Paste(nColumn, nRow);
    g_View.nDragButton = nButton;
    if (RectangleTool(nButton))
        return;
    Document().BeginStroke();
    Document().Place(nColumn, nRow, StrokeCode(nButton));
}

void ReleaseOnField(int nButton)
{
    if (g_View.nDragButton != nButton)
        return;
    if (RectangleTool(nButton)) {
        const EditorRect Area = {g_View.nAnchorColumn, g_View.nAnchorRow, g_View.nCursorColumn, g_View.nCursorRow};
        if (g_View.Tool == EditorTool::Fill) {
            Document().Fill(Area, StrokeCode(nButton));
        } else {
            Document().Copy(Area);
            g_View.Tool = EditorTool::Paste;
        }
        g_View.nDragButton = -1;
        return;
    }
    FinishDrag();
}

// ---- Clicks below the field ------------------------------------------------------------

bool ClickPalette(int32_t x, int32_t y)
{
    for (int nGroup = 0; nGroup < PALETTE_GROUPS; ++nGroup)
        if (EditorLayout::Tab(nGroup).Contains(x, y)) {
            g_View.Group = (PaletteGroup)nGroup;
            g_View.nPage = 0;
            return true;
        }
    const int nPages = ((int)PaletteCodes(g_View.Group).size() + EditorLayout::STRIP_PAGE - 1) / EditorLayout::STRIP_PAGE;
    if (EditorLayout::PAGE_BACK.Contains(x, y) || EditorLayout::PAGE_ON.Contains(x, y)) {
        g_View.nPage = std::clamp(g_View.nPage + (EditorLayout::PAGE_ON.Contains(x, y) ? 1 : -1), 0, nPages - 1);
        return true;
    }
    const int nCode = GameEditorPaletteCodeAt(x, y);
    if (nCode < 0)
        return false;
    g_View.nCode = (int16_t)nCode;
    if (g_View.Tool == EditorTool::Pick || g_View.Tool == EditorTool::Paste)
        g_View.Tool = EditorTool::Place;
    return true;
}

void ClickBelowField(int32_t x, int32_t y)
{
    for (const EditorButton& Button : GameEditorButtons())
        if (Button.Area.Contains(x, y))
            return Button.Act();
    ClickPalette(x, y);
}

void TakeMouse(const KorvidEvent& Mouse)
{
    if (Mouse.nType == KOR_EVENT_FOCUS_LOST)
        return FinishDrag();
    int nColumn, nRow;
    const bool bOnField = GameEditorCellAt(g_nPointerX, g_nPointerY, nColumn, nRow);
    const int nButton = (int)Mouse.nCode;
    const bool bFieldButton = nButton == (int)KOR_BUTTON_LEFT || nButton == (int)KOR_BUTTON_RIGHT;
    if (Mouse.nType == KOR_EVENT_PRESS && bOnField && bFieldButton && g_View.nDragButton < 0)
        PressOnField(nButton, nColumn, nRow);
    else if (Mouse.nType == KOR_EVENT_RELEASE && g_View.nDragButton >= 0)
        ReleaseOnField(nButton);
    else if (Mouse.nType == KOR_EVENT_RELEASE && nButton == (int)KOR_BUTTON_LEFT && !bOnField)
        ClickBelowField(g_nPointerX, g_nPointerY);
}

// ---- Keys --------------------------------------------------------------------------------

void ActAtCursor(int16_t nCode)
{
    FinishDrag();
    if (g_View.Tool == EditorTool::Pick)
        Pick(g_View.nCursorColumn, g_View.nCursorRow);
    else if (g_View.Tool == EditorTool::Paste)
        Document().Paste(g_View.nCursorColumn, g_View.nCursorRow);
    else
        Document().Place(g_View.nCursorColumn, g_View.nCursorRow, nCode);
}

void MoveCursor(int dx, int dy)
{
    g_View.nCursorColumn = std::clamp(g_View.nCursorColumn + dx, 0, LEVEL_COLUMNS - 1);
    g_View.nCursorRow = std::clamp(g_View.nCursorRow + dy, 0, LEVEL_PLAYED_ROWS - 1);
}

bool TakeButtonKey(int nKey, bool bShift)
{
    if (nKey == KEY_B && bShift)
        return PreviousPicture(), true;
    if (nKey == GAME_KEY_BACKSPACE)
        return Undo(), true;
    struct List {
        const ButtonSpec* pFirst;
        size_t nCount;
    };
    for (const List& Each : {List{MAIN_BUTTONS, std::size(MAIN_BUTTONS)}, List{TOOL_BUTTONS, std::size(TOOL_BUTTONS)},
                             List{ARROW_BUTTONS, std::size(ARROW_BUTTONS)}})
        for (size_t n = 0; n < Each.nCount; ++n)
            if (nKey != 0 && Each.pFirst[n].nKey == nKey)
                return Each.pFirst[n].Act(), true;
    return false;
}

void TakeKey(int nKey, bool bShift)
{
    if (TakeButtonKey(nKey, bShift))
        return;
    switch (nKey) {
    case GAME_KEY_LEFT: MoveCursor(-1, 0); break;
    case GAME_KEY_RIGHT: MoveCursor(1, 0); break;
    case GAME_KEY_UP: MoveCursor(0, -1); break;
    case GAME_KEY_DOWN: MoveCursor(0, 1); break;
    case GAME_KEY_SPACE:
    case GAME_KEY_RETURN:
    case GAME_KEY_KEYPAD_ENTER: ActAtCursor(g_View.nCode); break;
    case KEY_DELETE: ActAtCursor(LEVEL_CELL_EMPTY); break;
    default:
        if (nKey >= KEY_DIGIT_1 && nKey < KEY_DIGIT_1 + PALETTE_GROUPS) {
            g_View.Group = (PaletteGroup)(nKey - KEY_DIGIT_1);
            g_View.nPage = 0;
        }
        break;
    }
}

// While the question is on screen only its answers count. Yes discards: the
// files are read again, so the next opening shows the levels as saved.
void Answer(int nKey)
{
    if (nKey == KEY_J || nKey == KEY_Y || nKey == GAME_KEY_RETURN || nKey == GAME_KEY_KEYPAD_ENTER) {
        g_View.bAsking = false;
        Document().Load();
        GameLeaveEditor();
    } else if (nKey == KEY_N) {
        g_View.bAsking = false;
    }
}

}  // namespace

EditorView& GameEditorView() { return g_View; }

std::vector<EditorButton> GameEditorButtons()
{
    std::vector<EditorButton> Buttons;
    for (int n = 0; n < 4; ++n)
        Buttons.push_back(MakeButton(ARROW_BUTTONS[n], ARROW_X[n], EditorLayout::CONTROLS_Y, ARROW_WIDTH));
    for (EditorButton& Arrow : Buttons)
        Arrow.nKey = 0;   // the arrows show no key letter; the help line names their keys
    int x = EditorLayout::FIELD_RIGHT;
    for (int n = (int)std::size(MAIN_BUTTONS) - 1; n >= 0; --n) {
        x -= ButtonWidth(MAIN_BUTTONS[n]);
        Buttons.push_back(MakeButton(MAIN_BUTTONS[n], x, EditorLayout::CONTROLS_Y, ButtonWidth(MAIN_BUTTONS[n])));
        x -= BUTTON_GAP;
    }
    x = EditorLayout::FIELD_LEFT;
    for (const ButtonSpec& Spec : TOOL_BUTTONS) {
        Buttons.push_back(MakeButton(Spec, x, EditorLayout::TOOLS_Y, ButtonWidth(Spec)));
        x += ButtonWidth(Spec) + BUTTON_GAP;
    }
    return Buttons;
}

std::string GameEditorLevelLabel() { return "Level " + std::to_string(Document().CurrentLevel() + 1); }

std::string GameEditorPictureLabel()
{
    const int nBackground = Document().Current().nBackground;
    if (nBackground == 0)
        return g_nL ? "Picture: random" : "Bild: Zufall";
    return (g_nL ? "Picture " : "Bild ") + std::to_string(nBackground);
}

bool GameEditorCellAt(int32_t x, int32_t y, int& nColumn, int& nRow)
{
    if (x < EditorLayout::FIELD_LEFT || x >= EditorLayout::FIELD_RIGHT || y < EditorLayout::FIELD_TOP ||
        y >= EditorLayout::FIELD_BOTTOM)
        return false;
    ClampedCell(x, y, nColumn, nRow);
    return true;
}

int GameEditorPaletteCodeAt(int32_t x, int32_t y)
{
    const std::vector<int16_t>& Codes = PaletteCodes(g_View.Group);
    for (int nSlot = 0; nSlot < EditorLayout::STRIP_PAGE; ++nSlot) {
        const size_t nIndex = (size_t)(g_View.nPage * EditorLayout::STRIP_PAGE + nSlot);
        if (nIndex < Codes.size() && EditorLayout::StripCell(nSlot).Contains(x, y))
            return Codes[nIndex];
    }
    return -1;
}

std::string GameEditorHoverLine()
{
    const int nCode = GameEditorPaletteCodeAt(g_nPointerX, g_nPointerY);
    if (nCode >= 0)
        return PaletteDescription(nCode);
    for (int nGroup = 0; nGroup < PALETTE_GROUPS; ++nGroup)
        if (EditorLayout::Tab(nGroup).Contains(g_nPointerX, g_nPointerY))
            return std::to_string(nGroup + 1) + ": " + PaletteGroupName((PaletteGroup)nGroup);
    return "";
}

void GameEditorEnter()
{
    g_View.Tool = EditorTool::Place;
    g_View.nDragButton = -1;
    g_View.bAsking = false;
    ShowPicture(true);   // the title or the test-play drew into the background
    std::string Damaged;
    for (int nFile : Document().DamagedFiles())
        Damaged += (Damaged.empty() ? "" : ", ") + std::to_string(nFile);
    if (!Damaged.empty())
        g_View.Message = Format({"Besch\xe4" "digte Datei(en) %2$s: leer geladen", "Damaged file(s) %2$s: loaded empty"},
                                0, Damaged.c_str());
    else
        g_View.Message = CheckLine();
}

void GameEditorFrame(const KorvidEvent& Mouse, const KorvidEvent& Key)
{
    // The cursor follows the pointer over the field, and during a drag to its edge.
    int nColumn, nRow;
    if (g_View.nDragButton >= 0 || GameEditorCellAt(g_nPointerX, g_nPointerY, nColumn, nRow)) {
        ClampedCell(g_nPointerX, g_nPointerY, nColumn, nRow);
        g_View.nCursorColumn = nColumn;
        g_View.nCursorRow = nRow;
    }
    const bool bKeyReleased = Key.nType == KOR_EVENT_RELEASE;
    if (g_View.bAsking) {
        if (bKeyReleased)
            Answer((int)Key.nCode);
        return;
    }
    TakeMouse(Mouse);
    // A stroke follows the pointer, clamped to the field when it leaves it.
    if (g_View.nDragButton >= 0 && !RectangleTool(g_View.nDragButton)) {
        ClampedCell(g_nPointerX, g_nPointerY, nColumn, nRow);
        StrokeTo(nColumn, nRow);
    }
    // Ctrl with a letter belongs to the window (Ctrl+Z minimises, Ctrl+G grabs the mouse).
    if (bKeyReleased && !(Key.nModifiers & KOR_MOD_CTRL))
        TakeKey((int)Key.nCode, (Key.nModifiers & KOR_MOD_SHIFT) != 0);
}

void GameEditorEscape()
{
    FinishDrag();
    if (g_View.bAsking)
        g_View.bAsking = false;
    else if (!Document().Modified())
        GameLeaveEditor();
    else
        g_View.bAsking = true;
}

bool GameEditorAsking() { return g_View.bAsking; }
