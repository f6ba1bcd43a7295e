// Level codes: a six-digit code made up the first time a level is reached,
// kept in the settings with its check value and shown on a banner; entered on
// the options page, it lets the next game start at that level.
#pragma once
#include <cstdint>

constexpr int CODE_DIGITS = 6;
extern int32_t g_nCodeDigit[CODE_DIGITS];   // most significant first
extern int32_t g_nEnteredCode;              // the digits as one number
extern int32_t g_nShownCode;                // a level's stored code, for the banner
extern int32_t g_bCodeKnown;                // the banner shows g_nShownCode, not the new digits
extern int32_t g_bShowCode;                 // the banner is drawn

// Makes the code of level nLevel, or reads the one it has, and shows the banner.
void GameMakeLevelCode(int32_t nLevel);
// Sets g_nCurrentLevel to the first level whose stored code and check agree
// with the entered digits.
void GameFindStartLevel();
// The banner over the field.
void GameDrawLevelCode();
// The entry field of the options page: its digits, and a click on one of them.
void GameDrawCodeEntry();
// True when the click at (nX, nY) advanced a digit.
bool GameClickCodeEntry(int32_t nX, int32_t nY);
