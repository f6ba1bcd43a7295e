// The rules a playable level keeps.
#include "LevelRules.h"

#include <cstdio>

namespace {

std::string Format(const char* szFormat, int nA, int nB = 0, int nC = 0)
{
    char szText[160];
    snprintf(szText, sizeof(szText), szFormat, nA, nB, nC);
    return szText;
}

// Cells a ball can get into, by breaking what is there if need be. Walls,
// decoration, sliding bricks (pushed about, never gone) and traps stop it.
bool BallPasses(int nCode)
{
    switch (LevelCellKindOf(nCode)) {
    case LevelCellKind::Indestructible:
    case LevelCellKind::Sliding:
    case LevelCellKind::Decoration:
    case LevelCellKind::Trap:
    case LevelCellKind::Invalid:
        return false;
    default:
        return true;
    }
}

struct Cell {
    int nColumn, nRow;
};

// Marks every played cell the ball reaches from below the field. A teleporter
// it reaches puts it beside the other teleporter, so that one's neighbours are
// reached too.
std::vector<bool> ReachedCells(const Level& Level)
{
    std::vector<bool> Reached(LEVEL_CELLS, false);
    std::vector<Cell> Todo;
    auto Visit = [&](int nColumn, int nRow) {
        if (nColumn < 0 || nColumn >= LEVEL_COLUMNS || nRow < 0 || nRow >= LEVEL_PLAYED_ROWS)
            return;
        int nIndex = LevelCellIndex(nColumn, nRow);
        if (Reached[nIndex] || !BallPasses(Level.Cells[nIndex]))
            return;
        Reached[nIndex] = true;
        Todo.push_back({nColumn, nRow});
    };
    auto Find = [&](int nCode) {
        for (int i = 0; i < LEVEL_CELLS; ++i)
            if (Level.Cells[i] == nCode && i % LEVEL_ROWS < LEVEL_PLAYED_ROWS)
                return Cell{i / LEVEL_ROWS, i % LEVEL_ROWS};
        return Cell{-10, -10};
    };
    const Cell TeleporterA = Find(497), TeleporterB = Find(498);
    for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn)
        Visit(nColumn, LEVEL_PLAYED_ROWS - 1);
    while (!Todo.empty()) {
        Cell At = Todo.back();
        Todo.pop_back();
        int nCode = Level.Cells[LevelCellIndex(At.nColumn, At.nRow)];
        Cell Exit = nCode == 497 ? TeleporterB : nCode == 498 ? TeleporterA : Cell{-10, -10};
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                Visit(Exit.nColumn + dx, Exit.nRow + dy);
        Visit(At.nColumn - 1, At.nRow);
        Visit(At.nColumn + 1, At.nRow);
        Visit(At.nColumn, At.nRow - 1);
        Visit(At.nColumn, At.nRow + 1);
    }
    return Reached;
}

}  // namespace

std::vector<std::string> LevelDesignProblems(const Level& Level)
{
    std::vector<std::string> Problems;
    int nCountable = 0, nTeleportersA = 0, nTeleportersB = 0, nWalledIn = 0, nFirstWalledIn = -1;
    std::vector<bool> Reached = ReachedCells(Level);
    for (int nRow = 0; nRow < LEVEL_ROWS; ++nRow)
        for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn) {
            int nIndex = LevelCellIndex(nColumn, nRow);
            int nCode = Level.Cells[nIndex];
            if (nCode == LEVEL_CELL_EMPTY)
                continue;
            LevelCellKind Kind = LevelCellKindOf(nCode);
            if (nRow >= LEVEL_PLAYED_ROWS)
                Problems.push_back(Format("row %d, column %d: rows 18..20 must stay empty", nRow, nColumn));
            else if (LevelCellTileTaken(nCode))
                Problems.push_back(Format("row %d, column %d: %d is a laser-shot tile", nRow, nColumn, nCode));
            else if (Kind == LevelCellKind::Animation || Kind == LevelCellKind::TeleporterUsed ||
                     Kind == LevelCellKind::Invalid)
                Problems.push_back(Format("row %d, column %d: %d is no cell for a level", nRow, nColumn, nCode));
            else if (LevelBonusDoesNothing(nCode))
                Problems.push_back(Format("row %d, column %d: bonus brick %d does nothing", nRow, nColumn, nCode));
            nTeleportersA += nCode == 497;
            nTeleportersB += nCode == 498;
            if (LevelCellCounts(nCode) && nRow < LEVEL_PLAYED_ROWS) {
                ++nCountable;
                if (!Reached[nIndex] && nWalledIn++ == 0)
                    nFirstWalledIn = nIndex;
            }
        }
    if (nCountable == 0)
        Problems.push_back("no countable brick: the level is won at once");
    if (nWalledIn > 0)
        Problems.push_back(Format("%d countable bricks are walled in beyond the ball's reach (first at row %d, "
                                  "column %d)",
                                  nWalledIn, nFirstWalledIn % LEVEL_ROWS, nFirstWalledIn / LEVEL_ROWS));
    if (nTeleportersA + nTeleportersB > 0 && (nTeleportersA != 1 || nTeleportersB != 1))
        Problems.push_back(Format("teleporters come as one A (497) and one B (498); found %d A and %d B",
                                  nTeleportersA, nTeleportersB));
    if (Level.nBackground < 1 || Level.nBackground > LEVEL_BACKGROUND_MAX)
        Problems.push_back(Format("background %d: a level names its picture, 1..20", Level.nBackground));
    return Problems;
}
