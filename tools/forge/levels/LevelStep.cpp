// The forge's level step.
#include "LevelStep.h"

#include <fstream>
#include <sstream>

#include "LevelFormat.h"
#include "LevelRules.h"
#include "LevelText.h"

namespace {

constexpr int SHIPPED_FILES = 10;   // levels 0..99 of the normal and hard sets

bool ReadSource(const std::string& Path, std::string& Text)
{
    std::ifstream File(Path, std::ios::binary);
    if (!File)
        return false;
    std::ostringstream Bytes;
    Bytes << File.rdbuf();
    Text = Bytes.str();
    return true;
}

bool DesignIsSound(const std::string& Path, const LevelFileData& File)
{
    bool bSound = true;
    for (size_t nSlot = 0; nSlot < File.Levels.size(); ++nSlot)
        for (const std::string& Problem : LevelDesignProblems(File.Levels[nSlot])) {
            ForgeComplain("%s: level %d: %s", Path.c_str(), (File.nFile - 1) * LEVELS_PER_FILE + int(nSlot),
                          Problem.c_str());
            bSound = false;
        }
    return bSound;
}

// Compiles one source into its level and parameter file; a missing source is
// an error only when bRequired.
bool CompileSource(const ForgeContext& Context, LevelSet Set, int nFile, bool bRequired)
{
    std::string Path = Context.LevelSources + "/" + LevelSourceName(Set, nFile);
    std::string Text;
    if (!ReadSource(Path, Text)) {
        if (bRequired)
            ForgeComplain("cannot read the level source '%s'", Path.c_str());
        return !bRequired;
    }
    LevelFileData File;
    LevelTextError Error;
    if (!LevelParseText(Text, File, Error)) {
        ForgeComplain("%s:%d:%d: %s", Path.c_str(), Error.nLine, Error.nColumn, Error.Message.c_str());
        return false;
    }
    if (File.nFile != nFile) {
        ForgeComplain("%s holds the levels of level file %d, not %d", Path.c_str(), File.nFile, nFile);
        return false;
    }
    if (!DesignIsSound(Path, File))
        return false;
    std::vector<uint8_t> LevelBytes, ParamBytes;
    LevelEncodeFile(File, LevelBytes, ParamBytes);
    return ForgeWriteFile(Context, LevelFileName(Set, nFile), LevelBytes) &&
           ForgeWriteFile(Context, LevelParamFileName(Set, nFile), ParamBytes);
}

}  // namespace

bool ForgeLevels(const ForgeContext& Context)
{
    for (LevelSet Set : {LevelSet::Normal, LevelSet::Hard})
        for (int nFile = 1; nFile <= SHIPPED_FILES; ++nFile)
            if (!CompileSource(Context, Set, nFile, true))
                return false;
    for (int nFile = 1; nFile <= LEVEL_FILE_COUNT; ++nFile)
        if (!CompileSource(Context, LevelSet::User, nFile, false))
            return false;
    return true;
}
