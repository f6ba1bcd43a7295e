// Replacing a file whole, so that no moment of a crash, kill or full disk loses
// it: the new content goes to a temporary file in the same folder, is flushed
// to the disk, and the temporary file is renamed over the old one (a rename
// within one file system is atomic). The folder is flushed after the rename so
// that the new name survives a power cut too. Used by every file the program
// rewrites: the settings and the high-score names.
#pragma once
#include <cstddef>

// The last step of a save, on platform paths: true when the temporary file now
// stands in place of the file. Tests put their own in to fail or stop there.
using KorvidReplaceFunction = bool (*)(const char* szTempPath, const char* szPath);

// Prepares a file-layer name as FileOpen does (the read directory in front of a relative name,
// backslashes to slashes, the platform prefix); false when it is too long.
bool KorvidPlatformPath(const char* szName, char* szOutput);

// Saves nBytes at pData as szName through the temporary file szTempName (file-layer
// names, the temporary one in the same folder). A temporary file left by an
// earlier crash is removed first. On any failure (no room, no permission, a
// short write, a failed flush or rename) the failure is logged, the temporary
// file removed and the old file left as it was. pReplace null: rename.
bool KorvidSaveWhole(const char* szName, const char* szTempName, const void* pData, size_t nBytes,
                     KorvidReplaceFunction pReplace = nullptr);
