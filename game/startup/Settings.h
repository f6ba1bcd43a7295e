// The settings file and the start of the game's systems from it.
#pragma once

// The settings file beside the data set; an installed game keeps the user's own (UserFiles.h).
constexpr const char* GAME_INI_FILE = "data/tamborel2.ini";

bool GameSetupSettings();
void GameWriteDefaultIni();
bool MainAppInit();
// The two switches the game writes back when it ends.
void GameSaveSwitches();
