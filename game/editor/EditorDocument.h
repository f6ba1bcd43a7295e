// The user set as the level editor holds it: the hundred levels of the ten
// user level files, the edits a player makes to them with undo and redo, and
// the checks shown before a level is saved or test-played.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "LevelFormat.h"

constexpr int EDITOR_LEVELS = 100;   // levels 0..99 of the user set, shown as 1..100
constexpr int EDITOR_FILES = EDITOR_LEVELS / LEVELS_PER_FILE;

// A rectangle of cells, corners included in either order.
struct EditorRect {
    int nColumn0, nRow0, nColumn1, nRow1;
};

// What the editor warns about before a save or a test-play; it never stops either.
enum class EditorProblem {
    NoDestructibleBrick,   // nothing to clear: the level is won at once
    TeleporterAlone,       // an A without a B, or a B without an A
    TeleporterTwice,       // more than one A, or more than one B
};
std::vector<EditorProblem> EditorCheck(const Level& Level);

// How a save went, file by file: the first failure stops it, the files already
// written stay written, and the failed one keeps its old contents.
struct EditorSaveResult {
    bool bSaved = true;
    int nFilesWritten = 0;    // level and parameter files each count
    std::string FailedFile;   // the file that could not be written, when !bSaved
};

class EditorDocument {
public:
    // Reads the ten files of the user set (a user's own copy before the shipped
    // one). A missing file gives ten empty levels; a damaged one too, with a
    // log line, and its file number (1..10) is noted in DamagedFiles() until
    // saved over. Undo, redo and the clipboard start empty, on level 0.
    void Load();
    const std::vector<int>& DamagedFiles() const { return m_DamagedFiles; }

    int CurrentLevel() const { return m_nLevel; }
    void SelectLevel(int nLevel);   // wraps around 0..99
    const Level& Current() const { return m_Levels[m_nLevel]; }
    const Level& LevelAt(int nLevel) const { return m_Levels[nLevel]; }
    int16_t Cell(int nColumn, int nRow) const;

    // Edits of the current level's played rows (0..17); each is one undo step,
    // except that everything between BeginStroke and EndStroke (a drag) is one.
    // Cells outside the played rows are left alone, and so is a code that is
    // not a cell code (logged).
    void Place(int nColumn, int nRow, int16_t nCode);   // LEVEL_CELL_EMPTY erases
    void Fill(const EditorRect& Area, int16_t nCode);
    void Copy(const EditorRect& Area);                   // into the clipboard, no undo step
    bool HasClipboard() const { return !m_Clipboard.empty(); }
    int ClipboardColumns() const { return (int)m_Clipboard.size(); }
    int ClipboardRows() const { return m_Clipboard.empty() ? 0 : (int)m_Clipboard[0].size(); }
    void Paste(int nColumn, int nRow);                   // top left corner; clipped at the edges
    void Mirror();                                       // left and right swapped
    void ClearLevel();
    void SetBackground(int nBackground);                 // 0 (random) .. 20
    void BeginStroke();
    void EndStroke();

    // Undoing or redoing a step of another level makes that level the current one.
    bool Undo();   // false when there is nothing to undo
    bool Redo();
    bool CanUndo() const;
    bool CanRedo() const;

    bool Modified() const;   // changes not saved yet, in any level
    // Writes every file with changes, level file and parameter file, each
    // whole through a temporary file; see EditorSaveResult.
    EditorSaveResult Save();

private:
    struct Step {   // one undo step: a level before and after
        int nLevel;
        Level Before, After;
    };
    std::vector<Level> m_Levels = std::vector<Level>(EDITOR_LEVELS);
    int m_nLevel = 0;
    std::vector<int> m_DamagedFiles;
    std::vector<std::vector<int16_t>> m_Clipboard;   // columns of cells
    std::vector<Step> m_Undo, m_Redo;
    int m_nStrokeDepth = 0;
    std::vector<Level> m_Saved = std::vector<Level>(EDITOR_LEVELS);   // as on disk
    bool m_bStrokeStep = false;   // the open stroke has its undo step on top already

    void Commit(const Level& After);   // the current level becomes After, as an undo step
    // The top step of From goes to To, its level shown as it was before it or, bForward, after it.
    bool Shift(std::vector<Step>& From, std::vector<Step>& To, bool bForward);
    void LoadFile(int nFile);
    bool SaveFile(int nFile, EditorSaveResult& Result);
    bool FileChanged(int nFile) const;
};

// The one document the game's editor works on.
EditorDocument& GameEditorDocument();
