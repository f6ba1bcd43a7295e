// Reading the ten files of the user set into the editor's document and saving
// the changed ones back, each file whole through a temporary file.
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "EditorDocument.h"
#include "UserFiles.h"
#include "korvid.h"
#include "services/SafeSave.h"

namespace {

constexpr int32_t LEVEL_FILE_BYTES = LEVELS_PER_FILE * LEVEL_RECORD_BYTES;
constexpr int32_t PARAM_FILE_BYTES = LEVELS_PER_FILE * LEVEL_PARAM_BYTES;

// Up to nLimit bytes of a file through the engine's file layer; its whole size,
// -1 when it cannot be opened.
int32_t ReadUpTo(const std::string& Name, std::vector<uint8_t>& Bytes, int32_t nLimit)
{
    Bytes.clear();
    uint32_t hFile = Korvid.FileOpen(Name.c_str(), KOR_FILE_READ);
    if (!hFile)
        return -1;
    const int32_t nSize = Korvid.FileSize(hFile);
    Bytes.resize((size_t)std::min(nSize, nLimit));
    if (!Bytes.empty())   // an empty file is damaged, not an error of the read
        Bytes.resize((size_t)std::max(Korvid.FileRead(hFile, Bytes.data(), (int32_t)Bytes.size()), 0));
    Korvid.FileClose(hFile);
    return nSize;
}

// The bytes of level file nFile and its parameter file decoded, or why not.
bool ReadUserFile(int nFile, const std::string& Name, LevelFileData& File, std::string& Reason)
{
    std::vector<uint8_t> LevelBytes, ParamBytes;
    const int32_t nSize = ReadUpTo(Name, LevelBytes, LEVEL_FILE_BYTES);
    const std::string ParamName = GameUserLevelFile(LevelParamFileName(LevelSet::User, nFile));
    if (Korvid.FileExists(ParamName.c_str()))
        ReadUpTo(ParamName, ParamBytes, PARAM_FILE_BYTES);
    if (nSize > LEVEL_FILE_BYTES) {
        Reason = std::to_string(nSize) + " bytes, more than ten levels";
        return false;
    }
    int nDropped = 0;
    return LevelDecodeFile(LevelBytes, ParamBytes, nFile, File, nDropped, Reason);
}

std::string FolderFileName(const std::string& Folder, const std::string& Name)
{
    return Folder + Name.substr(Name.rfind('/') + 1);
}

bool Failed(EditorSaveResult& Result, const std::string& Name)
{
    Korvid.DebugLog("** WARNING ** Editor: Could Not Save '%s', The Old File Is Kept", Name.c_str());
    Result.FailedFile = Name;
    return false;
}

}  // namespace

void EditorDocument::Load()
{
    m_Levels.assign(EDITOR_LEVELS, Level());
    m_DamagedFiles.clear();
    for (int nFile = 1; nFile <= EDITOR_FILES; ++nFile)
        LoadFile(nFile);
    m_Saved = m_Levels;
    m_Undo.clear();
    m_Redo.clear();
    m_Clipboard.clear();
    m_nStrokeDepth = 0;
    m_bStrokeStep = false;
    m_nLevel = 0;
}

void EditorDocument::LoadFile(int nFile)
{
    const std::string Name = GameUserLevelFile(LevelFileName(LevelSet::User, nFile));
    if (!Korvid.FileExists(Name.c_str())) {
        Korvid.DebugLog("Editor: No Level File '%s', Ten Empty Levels", Name.c_str());
        return;
    }
    LevelFileData File;
    std::string Reason;
    if (!ReadUserFile(nFile, Name, File, Reason)) {
        Korvid.DebugLog("** WARNING ** Editor: Level File '%s' Is Damaged (%s), Ten Empty Levels", Name.c_str(),
                        Reason.c_str());
        m_DamagedFiles.push_back(nFile);
        return;
    }
    std::copy(File.Levels.begin(), File.Levels.end(), m_Levels.begin() + (nFile - 1) * LEVELS_PER_FILE);
    Korvid.DebugLog("Editor: Read %d Levels From '%s'", (int)File.Levels.size(), Name.c_str());
}

EditorSaveResult EditorDocument::Save()
{
    EditorSaveResult Result;
    for (int nFile = 1; nFile <= EDITOR_FILES && Result.bSaved; ++nFile)
        if (FileChanged(nFile))
            Result.bSaved = SaveFile(nFile, Result);
    return Result;
}

bool EditorDocument::SaveFile(int nFile, EditorSaveResult& Result)
{
    const std::string& Folder = GameUserFiles().UserLevels;
    const std::string Name = FolderFileName(Folder, LevelFileName(LevelSet::User, nFile));
    const std::string ParamName = FolderFileName(Folder, LevelParamFileName(LevelSet::User, nFile));
    const std::string TempName = Folder + "usrlev" + std::to_string(nFile) + ".tmp";
    const int nFirst = (nFile - 1) * LEVELS_PER_FILE;
    std::vector<uint8_t> LevelBytes, ParamBytes;
    LevelEncodeFile({nFile, {m_Levels.begin() + nFirst, m_Levels.begin() + nFirst + LEVELS_PER_FILE}}, LevelBytes,
                    ParamBytes);
    // The player's own folder is made on the first save.
    if (Folder[0] == '/' && !GameMakePrivateFolder(Folder.substr(0, Folder.size() - 1))) {
        Korvid.DebugLog("** WARNING ** Editor: Could Not Make The Folder '%s' (%s)", Folder.c_str(), strerror(errno));
        return Failed(Result, Name);
    }
    if (!KorvidSaveWhole(Name.c_str(), TempName.c_str(), LevelBytes.data(), LevelBytes.size()))
        return Failed(Result, Name);
    ++Result.nFilesWritten;
    for (int nLevel = nFirst; nLevel < nFirst + LEVELS_PER_FILE; ++nLevel)
        m_Saved[nLevel].Cells = m_Levels[nLevel].Cells;
    if (!KorvidSaveWhole(ParamName.c_str(), TempName.c_str(), ParamBytes.data(), ParamBytes.size()))
        return Failed(Result, ParamName);
    ++Result.nFilesWritten;
    for (int nLevel = nFirst; nLevel < nFirst + LEVELS_PER_FILE; ++nLevel)
        m_Saved[nLevel].nBackground = m_Levels[nLevel].nBackground;
    m_DamagedFiles.erase(std::remove(m_DamagedFiles.begin(), m_DamagedFiles.end(), nFile), m_DamagedFiles.end());
    Korvid.DebugLog("Editor: Saved '%s' And '%s'", Name.c_str(), ParamName.c_str());
    return true;
}
