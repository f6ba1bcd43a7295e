// The settings file and the start of the game's systems from it.
#pragma once

constexpr const char* GAME_INI_FILE = "data/tamborel2.ini";

bool GameSetupSettings();
void GameWriteDefaultIni();
bool MainAppInit();
// The two switches the game writes back when it ends.
void GameSaveSwitches();
