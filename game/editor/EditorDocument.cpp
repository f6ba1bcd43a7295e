// The editor's document: the hundred levels of the user set, the edits made to
// them and their undo and redo. Reading and saving the files is EditorFiles.cpp.
#include "EditorDocument.h"

#include <algorithm>

#include "korvid.h"

namespace {

constexpr int LAST_COLUMN = LEVEL_COLUMNS - 1, LAST_ROW = LEVEL_PLAYED_ROWS - 1;

bool SameLevel(const Level& First, const Level& Second)
{
    return First.nBackground == Second.nBackground && First.Cells == Second.Cells;
}

bool InField(int nColumn, int nRow)
{
    return nColumn >= 0 && nColumn <= LAST_COLUMN && nRow >= 0 && nRow <= LAST_ROW;
}

// A code an edit may write: the palette offers only these, and a file holding
// any other could not be read back.
bool EditableCode(int16_t nCode)
{
    if (LevelCellKindOf(nCode) != LevelCellKind::Invalid)
        return true;
    Korvid.DebugLog("** WARNING ** Editor: %d Is Not A Cell Code, Nothing Changed", nCode);
    return false;
}

// The rectangle with its corners in order, cut to the played rows of the field;
// nColumn0 > nColumn1 when nothing of it is left.
EditorRect Clipped(const EditorRect& Area)
{
    EditorRect Out{std::max(std::min(Area.nColumn0, Area.nColumn1), 0),
                   std::max(std::min(Area.nRow0, Area.nRow1), 0),
                   std::min(std::max(Area.nColumn0, Area.nColumn1), LAST_COLUMN),
                   std::min(std::max(Area.nRow0, Area.nRow1), LAST_ROW)};
    if (Out.nRow0 > Out.nRow1)
        Out.nColumn0 = Out.nColumn1 + 1;
    return Out;
}

int16_t& CellOf(Level& Target, int nColumn, int nRow) { return Target.Cells[LevelCellIndex(nColumn, nRow)]; }

}  // namespace

void EditorDocument::SelectLevel(int nLevel) { m_nLevel = (nLevel % EDITOR_LEVELS + EDITOR_LEVELS) % EDITOR_LEVELS; }

int16_t EditorDocument::Cell(int nColumn, int nRow) const
{
    if (nColumn < 0 || nColumn >= LEVEL_COLUMNS || nRow < 0 || nRow >= LEVEL_ROWS)
        return LEVEL_CELL_EMPTY;
    return Current().Cells[LevelCellIndex(nColumn, nRow)];
}

void EditorDocument::Commit(const Level& After)
{
    Level& Target = m_Levels[m_nLevel];
    if (SameLevel(Target, After))
        return;
    m_Redo.clear();
    // A drag goes on in the step it opened, unless something moved the level meanwhile.
    if (m_nStrokeDepth > 0 && m_bStrokeStep && m_Undo.back().nLevel == m_nLevel)
        m_Undo.back().After = After;
    else
        m_Undo.push_back({m_nLevel, Target, After});
    m_bStrokeStep = m_nStrokeDepth > 0;
    Target = After;
}

void EditorDocument::Place(int nColumn, int nRow, int16_t nCode)
{
    if (!InField(nColumn, nRow) || !EditableCode(nCode))
        return;
    Level After = Current();
    CellOf(After, nColumn, nRow) = nCode;
    Commit(After);
}

void EditorDocument::Fill(const EditorRect& Area, int16_t nCode)
{
    if (!EditableCode(nCode))
        return;
    const EditorRect Cut = Clipped(Area);
    Level After = Current();
    for (int nColumn = Cut.nColumn0; nColumn <= Cut.nColumn1; ++nColumn)
        for (int nRow = Cut.nRow0; nRow <= Cut.nRow1; ++nRow)
            CellOf(After, nColumn, nRow) = nCode;
    Commit(After);
}

void EditorDocument::Copy(const EditorRect& Area)
{
    const EditorRect Cut = Clipped(Area);
    if (Cut.nColumn0 > Cut.nColumn1)
        return;
    m_Clipboard.clear();
    for (int nColumn = Cut.nColumn0; nColumn <= Cut.nColumn1; ++nColumn) {
        const auto First = Current().Cells.begin() + LevelCellIndex(nColumn, Cut.nRow0);
        m_Clipboard.emplace_back(First, First + (Cut.nRow1 - Cut.nRow0 + 1));
    }
}

void EditorDocument::Paste(int nColumn, int nRow)
{
    Level After = Current();
    for (size_t nX = 0; nX < m_Clipboard.size(); ++nX)
        for (size_t nY = 0; nY < m_Clipboard[nX].size(); ++nY)
            if (InField(nColumn + int(nX), nRow + int(nY)))
                CellOf(After, nColumn + int(nX), nRow + int(nY)) = m_Clipboard[nX][nY];
    Commit(After);
}

void EditorDocument::Mirror()
{
    Level After = Current();
    for (int nColumn = 0; nColumn < LEVEL_COLUMNS / 2; ++nColumn)
        for (int nRow = 0; nRow <= LAST_ROW; ++nRow)
            std::swap(CellOf(After, nColumn, nRow), CellOf(After, LAST_COLUMN - nColumn, nRow));
    Commit(After);
}

void EditorDocument::ClearLevel() { Fill({0, 0, LAST_COLUMN, LAST_ROW}, LEVEL_CELL_EMPTY); }

void EditorDocument::SetBackground(int nBackground)
{
    if (nBackground < 0 || nBackground > LEVEL_BACKGROUND_MAX) {
        Korvid.DebugLog("** WARNING ** Editor: Background %d Is Not 0..%d, Nothing Changed", nBackground,
                        LEVEL_BACKGROUND_MAX);
        return;
    }
    Level After = Current();
    After.nBackground = nBackground;
    Commit(After);
}

void EditorDocument::BeginStroke()
{
    if (m_nStrokeDepth++ == 0)
        m_bStrokeStep = false;
}

void EditorDocument::EndStroke() { m_nStrokeDepth = std::max(m_nStrokeDepth - 1, 0); }

bool EditorDocument::Shift(std::vector<Step>& From, std::vector<Step>& To, bool bForward)
{
    if (From.empty())
        return false;
    m_bStrokeStep = false;   // a drag that goes on after this opens a step of its own
    To.push_back(From.back());
    From.pop_back();
    m_nLevel = To.back().nLevel;
    m_Levels[m_nLevel] = bForward ? To.back().After : To.back().Before;
    return true;
}

bool EditorDocument::Undo() { return Shift(m_Undo, m_Redo, false); }

bool EditorDocument::Redo() { return Shift(m_Redo, m_Undo, true); }

bool EditorDocument::CanUndo() const { return !m_Undo.empty(); }

bool EditorDocument::CanRedo() const { return !m_Redo.empty(); }

bool EditorDocument::FileChanged(int nFile) const
{
    const int nFirst = (nFile - 1) * LEVELS_PER_FILE;
    for (int nLevel = nFirst; nLevel < nFirst + LEVELS_PER_FILE; ++nLevel)
        if (!SameLevel(m_Levels[nLevel], m_Saved[nLevel]))
            return true;
    return false;
}

bool EditorDocument::Modified() const
{
    for (int nFile = 1; nFile <= EDITOR_FILES; ++nFile)
        if (FileChanged(nFile))
            return true;
    return false;
}

EditorDocument& GameEditorDocument()
{
    // Its levels live in std::vector, never in the engine's memory: this outlives the engine.
    static EditorDocument Document;
    return Document;
}
