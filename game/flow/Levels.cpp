// Levels from the level files into the level store. Where a level lives and how
// its record is coded is LevelFormat's business; this file does the engine's
// file access, the store, the teleporter targets and the drawing of a cell.
#include "Levels.h"

#include <cstring>
#include <string>

#include "GameState.h"
#include "Resources.h"
#include "UserFiles.h"
#include "korvid.h"
#include "sheets.h"

int16_t g_LevelCells[GAME_LEVEL_SLOTS][LEVEL_CELLS];
int32_t g_nCurrentLevel = 0;
int32_t g_nLevelBackground = 0;
int32_t g_nBeamAX = -1, g_nBeamAY = -1, g_nBeamBX = -1, g_nBeamBY = -1;

namespace {

const Level* g_pLevelOverride = nullptr;

constexpr int FIELD_LEFT = 20, FIELD_TOP = 21;
constexpr int TELEPORTER_A = 497, TELEPORTER_B = 498;

// The store has 200 slots; a level number outside them must not write anywhere.
bool LevelInStore(int32_t nLevel, const char* szCaller)
{
    if (nLevel >= 0 && nLevel < GAME_LEVEL_SLOTS)
        return true;
    Korvid.DebugLog("** ERROR ** %s: Level %d Outside The Level Store (0..%d)", szCaller, nLevel,
                    GAME_LEVEL_SLOTS - 1);
    return false;
}

LevelSet CurrentLevelSet() { return LevelChooseSet(g_nUL, g_nSST); }

// The file to open for a name LevelFormat gives: under "data/", except that the
// user set may have been saved into the player's own folder.
std::string DataPath(const std::string& Name)
{
    return CurrentLevelSet() == LevelSet::User ? GameUserLevelFile(Name) : "data/" + Name;
}

// The cells of a read record into slot nLevel: codes are the stored values
// minus the file's offset; rows 18..20 stay empty, though a teleporter marker
// there still names its position (the last marker in row order wins).
void StoreRecord(int32_t nLevel, const uint8_t* pRecord, int nFile)
{
    g_nBeamAX = g_nBeamAY = g_nBeamBX = g_nBeamBY = -1;
    int nOffset = LevelFileOffset(nFile);
    for (int nRow = 0; nRow < LEVEL_ROWS; ++nRow)
        for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn) {
            int nIndex = LevelCellIndex(nColumn, nRow);
            int16_t nCode = (int16_t)(LevelStoredValue(pRecord, nIndex) - nOffset);
            if (nCode == TELEPORTER_B) {
                g_nBeamBX = nColumn * Sheets::TILE_WIDTH;
                g_nBeamBY = nRow * Sheets::TILE_HEIGHT;
            } else if (nCode == TELEPORTER_A) {
                g_nBeamAX = nColumn * Sheets::TILE_WIDTH;
                g_nBeamAY = nRow * Sheets::TILE_HEIGHT;
            }
            g_LevelCells[nLevel][nIndex] = nRow < LEVEL_PLAYED_ROWS ? nCode : LEVEL_CELL_EMPTY;
        }
}

// The override as the record its level file would hold, so that it is stored
// exactly as a loaded level is.
void StoreOverride(int32_t nLevel)
{
    const int nFile = LevelPlaceOf(nLevel).nFile;
    uint8_t Record[LEVEL_RECORD_BYTES];
    LevelEncodeRecord(g_pLevelOverride->Cells, nFile, Record);
    StoreRecord(nLevel, Record, nFile);
}

// The stored background of a level: the editor's, else the parameter file's entry.
bool ReadBackgroundParam(int32_t nLevel, uint8_t* pParam)
{
    if (g_pLevelOverride) {
        LevelEncodeBackground(g_pLevelOverride->nBackground, pParam);
        return true;
    }
    std::string Name = DataPath(LevelParamFileName(CurrentLevelSet(), LevelPlaceOf(nLevel).nFile));
    uint32_t hFile = Korvid.FileOpen(Name.c_str(), KOR_FILE_READ);
    if (!hFile) {
        Korvid.DebugLog("** ERROR ** LoadLevelParams: Unable To Open File '%s', Returning FALSE", Name.c_str());
        return false;
    }
    Korvid.FileSeek(hFile, LevelParamOffset(nLevel), SEEK_SET);
    Korvid.FileRead(hFile, pParam, LEVEL_PARAM_BYTES);
    Korvid.FileClose(hFile);
    return true;
}

}  // namespace

void GameSetLevelOverride(const Level* pLevel) { g_pLevelOverride = pLevel; }

void GameClearLevel(int32_t nLevel)
{
    Korvid.DebugLog("Tamborel: GameClearLevel()");
    if (!LevelInStore(nLevel, "GameClearLevel"))
        return;
    for (int16_t& nCell : g_LevelCells[nLevel])
        nCell = LEVEL_CELL_EMPTY;
}

bool GameLoadLevel(int32_t nLevel)
{
    Korvid.DebugLog("Tamborel: GameLoadLevel(%d)", nLevel);
    GameClearLevel(nLevel);
    if (!LevelInStore(nLevel, "LoadLevel"))
        return false;
    uint8_t Record[LEVEL_RECORD_BYTES];
    memset(Record, 0, sizeof(Record));
    GameLoadLevelParams(nLevel, 0);
    if (g_pLevelOverride) {
        Korvid.DebugLog("LoadLevel: Level %d Comes From The Level Editor", nLevel);
        StoreOverride(nLevel);
        return true;
    }

    LevelPlace Place = LevelPlaceOf(nLevel);
    std::string Name = DataPath(LevelFileName(CurrentLevelSet(), Place.nFile));
    Korvid.DebugLog("LoadLevel: Attempting To Open File '%s' For Level Access", Name.c_str());
    uint32_t hFile = Korvid.FileOpen(Name.c_str(), KOR_FILE_READ);
    if (!hFile) {
        Korvid.DebugLog("** ERROR ** LoadLevel: Could Not Open '%s'", Name.c_str());
        return false;
    }
    int32_t nOffset = LevelRecordOffset(nLevel);
    Korvid.FileSeek(hFile, nOffset, SEEK_SET);
    Korvid.DebugLog("LoadLevel[%d]: Seeking To Position %d In File", nLevel, nOffset);
    // A short file leaves the rest of the record zero.
    Korvid.FileRead(hFile, Record, LEVEL_RECORD_BYTES);
    StoreRecord(nLevel, Record, Place.nFile);
    Korvid.FileClose(hFile);
    Korvid.DebugLog("Tamborel: Finished GameLoadLevel()");
    return true;
}

bool GameLoadLevelParams(int32_t nLevel, uint8_t nFlag)
{
    Korvid.DebugLog("Tamborel: GameLoadLevelParams(%d, %d)", nLevel, nFlag);
    g_nLevelBackground = 0;
    uint8_t Param[LEVEL_PARAM_BYTES] = {};
    if (!LevelInStore(nLevel, "LoadLevelParams") || !ReadBackgroundParam(nLevel, Param))
        return false;
    uint32_t nBackground = (uint32_t)LevelDecodeBackground(Param);
    g_nLevelBackground = nBackground <= LEVEL_BACKGROUND_MAX ? (int32_t)nBackground : 0;
    return true;
}

uint32_t GameTileSheet() { return g_nTS == 1 ? GAME_CHUNKY_TILES2 : GAME_CHUNKY_TILES; }

void GameDrawTile(int nCode, int32_t x, int32_t y)
{
    // Only codes 0..499 have a tile; anything else (a damaged file) has no picture.
    if (nCode < 0 || nCode > LEVEL_CODE_MAX)
        return;
    const SheetRect Tile = Sheets::Tile(nCode);
    Korvid.BlitArea(GameTileSheet(), Tile.x, Tile.y, Tile.w, Tile.h, x, y, KOR_BLIT_COOKIE, 0, 255);
}

void GameDrawCell(int nColumn, int nRow)
{
    if (!LevelInStore(g_nCurrentLevel, "GameDrawCell"))
        return;
    GameDrawTile(g_LevelCells[g_nCurrentLevel][LevelCellIndex(nColumn, nRow)],
                 FIELD_LEFT + nColumn * Sheets::TILE_WIDTH, FIELD_TOP + nRow * Sheets::TILE_HEIGHT);
}
