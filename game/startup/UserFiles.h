// Where the game keeps the files it writes: beside the data set when its data
// folder may be written (a build tree), else in the user's own folders after
// the XDG base directory rules (an installed game, whose data set is shared).
#pragma once
#include <string>

#include "HighScores.h"
#include "Settings.h"

struct GameFileNames {
    std::string Settings = GAME_INI_FILE;
    std::string SettingsTemp = "data/4829747281.h78";   // the settings writer's, in the same folder
    std::string Scores = HS_FILE;
    std::string ScoresTemp = "data/hs.dat.tmp";
    std::string Log = "debug.log";                     // empty when the run keeps no log
    // Where the level editor saves the user set: always the player's own folder,
    // since a build tree's data set is forged again and installed from.
    std::string UserLevels = "data/userlevels/";
};

// The files of this run: the names beside the data set until GameChooseUserFiles picks.
const GameFileNames& GameUserFiles();

// One base folder of the XDG rules: the variable's value when it is an absolute
// path, else szDefault under Home (an unset, empty or relative value is ignored).
std::string GameXdgFolder(const char* szValue, const std::string& Home, const char* szDefault);

// Makes the folder and every missing parent with mode 0700; false, errno set, when it cannot.
bool GameMakePrivateFolder(const std::string& Path);

// Picks this run's files once the data set is found. bInstalled: the data set
// is the installed one, which is never written to, even by a user who could.
void GameChooseUserFiles(bool bInstalled);

// The file to read for a level file of the user set ("userlevels/usrlev3.dat"):
// the one the level editor saved into the user's folder, else the shipped one.
std::string GameUserLevelFile(const std::string& Name);

// A replay plays on copies kept in Folder (ending in '/'): what it writes
// leaves the player's settings, high scores and saved levels as they were.
void GameUseScratchFiles(const std::string& Folder);

// Logs where the files are and any folder that could not be made (the log is open by now).
void GameLogUserFiles();
