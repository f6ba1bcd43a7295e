// F12: the picture on screen saved as a PNG into the user's pictures folder,
// with a log line and a short note on screen.
#pragma once
#include <string>

// The folder screenshots go to: the pictures folder of the user's
// user-dirs.dirs (as xdg-user-dir names it), else
// $XDG_DATA_HOME/tamborel2/screenshots/ (~/.local/share by default). Ends in "/";
// empty when neither can be made.
std::string GameScreenshotFolder();
// Saves the back buffer (the picture last presented) as
// tamborel2-YYYYMMDD-HHMMSS.png; false when it could not be written.
bool GameSaveScreenshot();
// The note about the last screenshot, for two seconds after it.
void GameDrawScreenshotNote();
