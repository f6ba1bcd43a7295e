// The example's pictures, painted at start-up so that it needs no files: a
// background for each page, the tiles of the buttons and the text field, the
// mouse pointer and the font.
#pragma once
#include <cstdint>

// Chunky numbers. Each set of tiles is three chunkies in a row: left end,
// middle, right end, each with an alpha mask that rounds the ends off.
constexpr uint32_t TITLE_BACKGROUND = 1;
constexpr uint32_t NAME_BACKGROUND = 2;
constexpr uint32_t ABOUT_BACKGROUND = 3;
constexpr uint32_t BUTTON_TILES = 4;   // 4, 5, 6
constexpr uint32_t FIELD_TILES = 7;    // 7, 8, 9
constexpr uint32_t POINTER = 10;

void MakeDemoArt();
