// The readable text form of a level file, made to be edited by hand:
//
//   # comment lines start with '#'
//   key r 3            the character r stands for cell code 3 from here on
//   key = 180          ... and = for an indestructible brick
//
//   level 0 background 7
//   ...................     18 rows of 19 cells, one character per cell,
//   ..rrrrrrrrrrrrrrr..     '.' for an empty cell; rows 18..20 of a level
//   ..=.............=..     are always empty and not written
//   (15 more rows)
//
//   level 1 background 12
//   ...
//
// A file holds the levels of one level file in order: 0..9 for file 1,
// 10..19 for file 2, and so on, up to ten of them. A "key" line may stand
// anywhere and holds from that line on. '#' and '.' never stand for a code.
#pragma once
#include <string>

#include "LevelFormat.h"

struct LevelTextError {
    int nLine = 0;     // 1-based
    int nColumn = 0;   // 1-based, in bytes
    std::string Message;
};

// Reads the text of one level file; the file number follows from the level
// numbers. False with the place and reason of the first mistake.
bool LevelParseText(const std::string& Text, LevelFileData& File, LevelTextError& Error);

// Writes the text of a level file, with a key line (and its meaning) for every
// code it uses. False with a reason when a level holds something the text form
// cannot: a code outside 0..499, a cell in rows 18..20, or more different codes
// in one level than there are characters to name them.
bool LevelPrintText(const LevelFileData& File, std::string& Text, std::string& Reason);
