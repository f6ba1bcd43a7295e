// The list of the five best one-player scores: the names in "data/hs.dat" (or
// the user's own copy, UserFiles.h), the scores in the settings under H1..H5.
#pragma once
#include <cstdint>

constexpr int HS_ENTRIES = 5;
constexpr int HS_NAME_POSITIONS = 27;   // letters of a name, 255 after the last
constexpr int HS_NAME_COLUMNS = 30;     // columns of the name table, 0..4 in use
constexpr int HS_NAME_LETTERS = 8;      // letters shown and typed
constexpr int HS_FILE_BYTES = 140;      // five names of 27 and 5 reserved bytes
constexpr uint8_t HS_NAME_END = 255;
constexpr const char* HS_FILE = "data/hs.dat";

extern int32_t g_anHighScore[HS_ENTRIES];
// Position k of name i is g_acHighName[k * HS_NAME_COLUMNS + i]: a letter number 0..25 or 255.
extern uint8_t g_acHighName[HS_NAME_POSITIONS * HS_NAME_COLUMNS];
extern int32_t g_nHighScoreSlot;   // the entry whose name is being typed
constexpr int HS_TYPED_BYTES = 49;
extern char g_szHighScoreTyped[HS_TYPED_BYTES];   // the name typed so far, 'A'..'Z'

void HSLaden();
// Puts a score into the list when it beats the fifth: the entries below move
// down, the slot gets an empty name and the name entry opens. True when it did.
bool HSInsert(int32_t nScore);
// One key of the name entry (letters, Backspace, Enter); true when it was handled.
// Enter saves the list and returns to the title screen.
bool HSNameEntryKey(int nKey);
// The list on the high-score screen: names and six-digit scores.
void HSDrawList();
