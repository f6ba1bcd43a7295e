// The level files of Tamborel 2 as data: where a level lives, how its record
// and background parameter are stored, and what each cell code is. Plain C++17
// with no engine dependency, shared by the game and the level tools.
//
// A level is a grid of 19 columns by 21 rows of signed 16-bit cell codes; only
// rows 0..17 are ever played, rows 18..20 stay empty. Ten levels make a level
// file: level n is slot n % 10 of file n / 10 + 1.
//
// Level file: up to 10 records of 798 bytes, record k at byte k * 798. A record
// is 399 big-endian signed 16-bit values in column-major order: value i is
// column i / 21, row i % 21. Each value is the cell code plus the code offset of
// the file number (LevelFileOffset); -1 is an empty cell.
// Parameter file: up to 10 little-endian signed 32-bit background numbers
// (0..20, 0 = a random picture), entry k at byte k * 4.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int LEVEL_COLUMNS = 19;
constexpr int LEVEL_ROWS = 21;
constexpr int LEVEL_PLAYED_ROWS = 18;           // rows 18..20 are always empty
constexpr int LEVEL_CELLS = LEVEL_COLUMNS * LEVEL_ROWS;
constexpr int LEVEL_RECORD_BYTES = LEVEL_CELLS * 2;
constexpr int LEVEL_PARAM_BYTES = 4;
constexpr int LEVELS_PER_FILE = 10;
constexpr int LEVEL_FILE_COUNT = 11;            // file numbers 1..11 have a code offset
constexpr int LEVEL_BACKGROUND_MAX = 20;
constexpr int LEVEL_CODE_MAX = 499;
constexpr int16_t LEVEL_CELL_EMPTY = -1;

// ---- Where a level lives -------------------------------------------------

struct LevelPlace {
    int nFile;   // level-file number, 1 for levels 0..9
    int nSlot;   // record inside the file, 0..9
};
LevelPlace LevelPlaceOf(int nLevel);
int LevelRecordOffset(int nLevel);   // byte offset of the level's record in its level file
int LevelParamOffset(int nLevel);    // byte offset of its background in the parameter file

enum class LevelSet { Normal, Hard, User };

// The set the settings choose: user levels (`UL` non-zero) win over the hard set (`SST` 2).
LevelSet LevelChooseSet(int nUserLevels, int nDifficulty);
// File names relative to the data directory, e.g. "levels/lv3.dat" and "levels/lv3p.dat".
std::string LevelFileName(LevelSet Set, int nFile);
std::string LevelParamFileName(LevelSet Set, int nFile);
// The text source of a level file, relative to the level sources folder, e.g. "normal/lv3.txt".
std::string LevelSourceName(LevelSet Set, int nFile);

// Added to every code stored in file nFile (1..11); 0 for any other number.
int LevelFileOffset(int nFile);

// ---- Records ---------------------------------------------------------------

inline int LevelCellIndex(int nColumn, int nRow) { return nColumn * LEVEL_ROWS + nRow; }

using LevelCells = std::array<int16_t, LEVEL_CELLS>;   // column-major, as stored

struct Level {
    LevelCells Cells;
    int nBackground = 0;
    Level() { Cells.fill(LEVEL_CELL_EMPTY); }
};

// The stored (offset-added) value i of a record, read big-endian.
int16_t LevelStoredValue(const uint8_t* pRecord, int nIndex);
// Writes the 798 bytes of a record for file nFile.
void LevelEncodeRecord(const LevelCells& Cells, int nFile, uint8_t* pRecord);
// Reads a record of file nFile back into cell codes (stored value minus the offset).
void LevelDecodeRecord(const uint8_t* pRecord, int nFile, LevelCells& Cells);

void LevelEncodeBackground(int nBackground, uint8_t* pParam);
int32_t LevelDecodeBackground(const uint8_t* pParam);

// A whole level file and its parameter file. Encoding always writes all ten
// records; missing levels are written empty (won at once) with background 0.
struct LevelFileData {
    int nFile = 1;
    std::vector<Level> Levels;   // slot order, at most 10
};
void LevelEncodeFile(const LevelFileData& File, std::vector<uint8_t>& LevelBytes, std::vector<uint8_t>& ParamBytes);
// False with a reason when the bytes cannot be levels of file nFile: a size that
// is not whole records, missing parameters, a code outside -1..499 or a
// background outside 0..20. Cells in rows 18..20 are dropped (the game never
// shows them) and counted in nDroppedCells.
bool LevelDecodeFile(const std::vector<uint8_t>& LevelBytes, const std::vector<uint8_t>& ParamBytes, int nFile,
                     LevelFileData& File, int& nDroppedCells, std::string& Reason);

// ---- Cell codes -----------------------------------------------------------

enum class LevelCellKind {
    Empty,            // -1
    Brick,            // 0..19, 40..59, 80..179, 320..339, 343..352: one hit
    BonusBrick,       // 20..39, 60..79: one hit, drops the bonus of its code
    Indestructible,   // 180..239
    FourHit,          // 240..259: four hits
    LastHit,          // 260..279: the last stage of a multi-hit brick
    MiddleHit,        // 280..319: two or three hits left
    Sliding,          // 340..342: pushed aside by the ball, never counted
    Decoration,       // 353..479: no effect
    Animation,        // 480..494: a brick being destroyed
    TeleporterUsed,   // 495, 496
    TeleporterA,      // 497
    TeleporterB,      // 498
    Trap,             // 499: swallows the ball
    Invalid           // anything else
};
LevelCellKind LevelCellKindOf(int nCode);
// A cell the level-complete test waits for.
bool LevelCellCounts(int nCode);
// Hits a ball needs to clear the cell (0 for cells it never clears).
int LevelCellHits(int nCode);
// Codes whose tile picture holds something else (the laser-shot frames): never in a level.
bool LevelCellTileTaken(int nCode);
// Bonus bricks that do the player good, and those that do nothing at all (75..79).
bool LevelBonusIsGood(int nCode);
bool LevelBonusDoesNothing(int nCode);
// A short English description, e.g. "bonus brick: laser", "four-hit brick".
std::string LevelCellDescription(int nCode);
