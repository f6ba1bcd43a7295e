// Level files as data: places, names, code offsets, records and cell codes.
#include "LevelFormat.h"

#include <cstdio>

namespace {

// Code offset of each level-file number 1..11. Every value is non-zero and no
// two are equal, so a record read with the wrong file's offset, or a stretch of
// zero bytes from a cut-off file, never decodes to a clean level: empty cells
// come out as codes other than -1 and the decoder refuses them.
constexpr int FILE_OFFSETS[LEVEL_FILE_COUNT] = {7, 3, 11, 5, 2, 13, 6, 9, 4, 12, 8};

struct SetNames {
    const char* szFolder;   // data folder of the binary files
    const char* szStem;     // file name stem, followed by the file number
    const char* szSource;   // folder of the text sources
};
const SetNames& NamesOf(LevelSet Set)
{
    static const SetNames Normal{"levels", "lv", "normal"};
    static const SetNames Hard{"levels", "swrlev", "hard"};
    static const SetNames User{"userlevels", "usrlev", "user"};
    switch (Set) {
    case LevelSet::Hard: return Hard;
    case LevelSet::User: return User;
    default: return Normal;
    }
}

std::string NameOf(LevelSet Set, int nFile, const char* szFormat)
{
    const SetNames& Names = NamesOf(Set);
    char szName[96];
    snprintf(szName, sizeof(szName), szFormat, Names.szStem, nFile);
    return szName;
}

bool InRange(int nCode, int nLow, int nHigh) { return nCode >= nLow && nCode <= nHigh; }

const char* BonusName(int nCode)
{
    static const char* const FirstRow[20] = {
        "bigger paddle", "smaller paddle", "one more ball", "autopilot", "free vertical movement",
        "score x2", "score x4", "sticky paddle", "piercing balls", "laser",
        "extra life", "frozen paddle", "mirrored control", "enemies destroyed, field shakes", "passing balls",
        "faster balls", "slower balls", "random bonus", "level won", "lose a life"};
    static const char* const SecondRow[20] = {
        "back one level", "invisible paddle", "invisible bricks", "smaller balls", "bigger balls",
        "enemies cannot catch balls", "shield", "protection", "second paddle", "weather 2",
        "weather 1", "weather 3", "weather 2 ends", "weather 1 ends", "weather 3 ends",
        "nothing", "nothing", "nothing", "nothing", "nothing"};
    if (InRange(nCode, 20, 39))
        return FirstRow[nCode - 20];
    if (InRange(nCode, 60, 79))
        return SecondRow[nCode - 60];
    return "";
}

}  // namespace

// ---- Where a level lives -------------------------------------------------

LevelPlace LevelPlaceOf(int nLevel)
{
    if (nLevel < 0)
        return {1, 0};
    return {nLevel / LEVELS_PER_FILE + 1, nLevel % LEVELS_PER_FILE};
}

int LevelRecordOffset(int nLevel) { return LevelPlaceOf(nLevel).nSlot * LEVEL_RECORD_BYTES; }

int LevelParamOffset(int nLevel) { return LevelPlaceOf(nLevel).nSlot * LEVEL_PARAM_BYTES; }

LevelSet LevelChooseSet(int nUserLevels, int nDifficulty)
{
    if (nUserLevels != 0)
        return LevelSet::User;
    return nDifficulty == 2 ? LevelSet::Hard : LevelSet::Normal;
}

std::string LevelFileName(LevelSet Set, int nFile)
{
    return std::string(NamesOf(Set).szFolder) + "/" + NameOf(Set, nFile, "%s%d.dat");
}

std::string LevelParamFileName(LevelSet Set, int nFile)
{
    return std::string(NamesOf(Set).szFolder) + "/" + NameOf(Set, nFile, "%s%dp.dat");
}

std::string LevelSourceName(LevelSet Set, int nFile)
{
    return std::string(NamesOf(Set).szSource) + "/" + NameOf(Set, nFile, "%s%d.txt");
}

int LevelFileOffset(int nFile)
{
    return InRange(nFile, 1, LEVEL_FILE_COUNT) ? FILE_OFFSETS[nFile - 1] : 0;
}

// ---- Records ---------------------------------------------------------------

int16_t LevelStoredValue(const uint8_t* pRecord, int nIndex)
{
    return static_cast<int16_t>(static_cast<uint16_t>(pRecord[nIndex * 2] << 8 | pRecord[nIndex * 2 + 1]));
}

void LevelEncodeRecord(const LevelCells& Cells, int nFile, uint8_t* pRecord)
{
    int nOffset = LevelFileOffset(nFile);
    for (int i = 0; i < LEVEL_CELLS; ++i) {
        uint16_t uValue = static_cast<uint16_t>(Cells[i] + nOffset);
        pRecord[i * 2] = static_cast<uint8_t>(uValue >> 8);
        pRecord[i * 2 + 1] = static_cast<uint8_t>(uValue);
    }
}

void LevelDecodeRecord(const uint8_t* pRecord, int nFile, LevelCells& Cells)
{
    int nOffset = LevelFileOffset(nFile);
    for (int i = 0; i < LEVEL_CELLS; ++i)
        Cells[i] = static_cast<int16_t>(static_cast<uint16_t>(LevelStoredValue(pRecord, i) - nOffset));
}

void LevelEncodeBackground(int nBackground, uint8_t* pParam)
{
    uint32_t uValue = static_cast<uint32_t>(nBackground);
    for (int n = 0; n < LEVEL_PARAM_BYTES; ++n)
        pParam[n] = static_cast<uint8_t>(uValue >> (8 * n));
}

int32_t LevelDecodeBackground(const uint8_t* pParam)
{
    uint32_t uValue = 0;
    for (int n = 0; n < LEVEL_PARAM_BYTES; ++n)
        uValue |= static_cast<uint32_t>(pParam[n]) << (8 * n);
    return static_cast<int32_t>(uValue);
}

void LevelEncodeFile(const LevelFileData& File, std::vector<uint8_t>& LevelBytes, std::vector<uint8_t>& ParamBytes)
{
    LevelBytes.assign(LEVELS_PER_FILE * LEVEL_RECORD_BYTES, 0);
    ParamBytes.assign(LEVELS_PER_FILE * LEVEL_PARAM_BYTES, 0);
    const Level Empty;
    for (int nSlot = 0; nSlot < LEVELS_PER_FILE; ++nSlot) {
        const Level& Source = nSlot < static_cast<int>(File.Levels.size()) ? File.Levels[nSlot] : Empty;
        LevelEncodeRecord(Source.Cells, File.nFile, &LevelBytes[nSlot * LEVEL_RECORD_BYTES]);
        LevelEncodeBackground(Source.nBackground, &ParamBytes[nSlot * LEVEL_PARAM_BYTES]);
    }
}

bool LevelDecodeFile(const std::vector<uint8_t>& LevelBytes, const std::vector<uint8_t>& ParamBytes, int nFile,
                     LevelFileData& File, int& nDroppedCells, std::string& Reason)
{
    char szReason[160];
    auto Refuse = [&](const char* szFormat, int nA, int nB, int nC) {
        snprintf(szReason, sizeof(szReason), szFormat, nA, nB, nC);
        Reason = szReason;
        return false;
    };
    size_t nSize = LevelBytes.size();
    if (nSize == 0 || nSize % LEVEL_RECORD_BYTES != 0 || nSize > size_t(LEVELS_PER_FILE) * LEVEL_RECORD_BYTES)
        return Refuse("a level file holds 1 to 10 records of 798 bytes, this one has %d bytes", int(nSize), 0, 0);
    int nRecords = static_cast<int>(nSize / LEVEL_RECORD_BYTES);
    if (ParamBytes.size() < size_t(nRecords) * LEVEL_PARAM_BYTES)
        return Refuse("the parameter file has %d bytes, %d levels need %d", int(ParamBytes.size()), nRecords,
                      nRecords * LEVEL_PARAM_BYTES);
    File.nFile = nFile;
    File.Levels.assign(nRecords, Level());
    nDroppedCells = 0;
    for (int nSlot = 0; nSlot < nRecords; ++nSlot) {
        Level& Target = File.Levels[nSlot];
        LevelDecodeRecord(&LevelBytes[nSlot * LEVEL_RECORD_BYTES], nFile, Target.Cells);
        for (int i = 0; i < LEVEL_CELLS; ++i) {
            int nCode = Target.Cells[i];
            if (nCode != LEVEL_CELL_EMPTY && LevelCellKindOf(nCode) == LevelCellKind::Invalid)
                return Refuse("slot %d holds the value %d, not a cell code of file %d (is the file number right?)",
                              nSlot, nCode + LevelFileOffset(nFile), nFile);
            if (i % LEVEL_ROWS >= LEVEL_PLAYED_ROWS && nCode != LEVEL_CELL_EMPTY) {
                Target.Cells[i] = LEVEL_CELL_EMPTY;
                ++nDroppedCells;
            }
        }
        Target.nBackground = LevelDecodeBackground(&ParamBytes[nSlot * LEVEL_PARAM_BYTES]);
        if (!InRange(Target.nBackground, 0, LEVEL_BACKGROUND_MAX))
            return Refuse("slot %d has the background %d, outside 0..20", nSlot, Target.nBackground, 0);
    }
    return true;
}

// ---- Cell codes -----------------------------------------------------------

LevelCellKind LevelCellKindOf(int nCode)
{
    struct Span {
        int nLow, nHigh;
        LevelCellKind Kind;
    };
    static const Span Spans[] = {
        {-1, -1, LevelCellKind::Empty},           {0, 19, LevelCellKind::Brick},
        {20, 39, LevelCellKind::BonusBrick},      {40, 59, LevelCellKind::Brick},
        {60, 79, LevelCellKind::BonusBrick},      {80, 179, LevelCellKind::Brick},
        {180, 239, LevelCellKind::Indestructible}, {240, 259, LevelCellKind::FourHit},
        {260, 279, LevelCellKind::LastHit},       {280, 319, LevelCellKind::MiddleHit},
        {320, 339, LevelCellKind::Brick},         {340, 342, LevelCellKind::Sliding},
        {343, 352, LevelCellKind::Brick},         {353, 479, LevelCellKind::Decoration},
        {480, 494, LevelCellKind::Animation},     {495, 496, LevelCellKind::TeleporterUsed},
        {497, 497, LevelCellKind::TeleporterA},   {498, 498, LevelCellKind::TeleporterB},
        {499, 499, LevelCellKind::Trap}};
    for (const Span& Entry : Spans)
        if (InRange(nCode, Entry.nLow, Entry.nHigh))
            return Entry.Kind;
    return LevelCellKind::Invalid;
}

bool LevelCellCounts(int nCode)
{
    return InRange(nCode, 0, 179) || InRange(nCode, 240, 339) || InRange(nCode, 343, 352) ||
           InRange(nCode, 480, 494);
}

int LevelCellHits(int nCode)
{
    switch (LevelCellKindOf(nCode)) {
    case LevelCellKind::Brick:
    case LevelCellKind::BonusBrick:
    case LevelCellKind::LastHit:
        return 1;
    case LevelCellKind::FourHit:
        return 4;
    case LevelCellKind::MiddleHit:
        return nCode >= 300 ? 3 : 2;   // 300..319 step down to 280..299, then 260..279
    default:
        return 0;
    }
}

bool LevelCellTileTaken(int nCode)
{
    // The laser shots are drawn from five 100-pixel-wide strips of tile rows 18..22.
    return InRange(nCode, 360, 444) && nCode % 20 < 5;
}

bool LevelBonusIsGood(int nCode)
{
    static const int Good[] = {20, 22, 24, 25, 26, 27, 28, 29, 30, 33, 37, 38, 64, 65, 66, 67, 68};
    for (int nGood : Good)
        if (nCode == nGood)
            return true;
    return false;
}

bool LevelBonusDoesNothing(int nCode) { return InRange(nCode, 75, 79); }

std::string LevelCellDescription(int nCode)
{
    switch (LevelCellKindOf(nCode)) {
    case LevelCellKind::Empty: return "empty";
    case LevelCellKind::Brick: return "brick";
    case LevelCellKind::BonusBrick: return std::string("bonus brick: ") + BonusName(nCode);
    case LevelCellKind::Indestructible: return "indestructible";
    case LevelCellKind::FourHit: return "four-hit brick";
    case LevelCellKind::LastHit: return "multi-hit brick, one hit left";
    case LevelCellKind::MiddleHit: return nCode >= 300 ? "multi-hit brick, three hits left"
                                                       : "multi-hit brick, two hits left";
    case LevelCellKind::Sliding: return "sliding brick";
    case LevelCellKind::Decoration: return LevelCellTileTaken(nCode) ? "laser-shot tile (not for levels)"
                                                                     : "decoration";
    case LevelCellKind::Animation: return "brick animation (not for levels)";
    case LevelCellKind::TeleporterUsed: return "used teleporter (not for levels)";
    case LevelCellKind::TeleporterA: return "teleporter A";
    case LevelCellKind::TeleporterB: return "teleporter B";
    case LevelCellKind::Trap: return "ball trap";
    default: return "not a cell code";
    }
}
