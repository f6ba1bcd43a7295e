// What the editor warns about in a level before it is saved or test-played.
#include "EditorDocument.h"

namespace {

constexpr int16_t TELEPORTER_A = 497, TELEPORTER_B = 498;

}  // namespace

std::vector<EditorProblem> EditorCheck(const Level& Level)
{
    int nCounted = 0, nTeleportersA = 0, nTeleportersB = 0;
    for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn)
        for (int nRow = 0; nRow < LEVEL_PLAYED_ROWS; ++nRow) {
            const int16_t nCode = Level.Cells[LevelCellIndex(nColumn, nRow)];
            nCounted += LevelCellCounts(nCode);
            nTeleportersA += nCode == TELEPORTER_A;
            nTeleportersB += nCode == TELEPORTER_B;
        }
    std::vector<EditorProblem> Problems;
    if (nCounted == 0)
        Problems.push_back(EditorProblem::NoDestructibleBrick);
    if ((nTeleportersA == 0) != (nTeleportersB == 0))
        Problems.push_back(EditorProblem::TeleporterAlone);
    if (nTeleportersA > 1 || nTeleportersB > 1)
        Problems.push_back(EditorProblem::TeleporterTwice);
    return Problems;
}
