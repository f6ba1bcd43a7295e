// A small font for the example, drawn from bitmaps so that it needs no file.
#pragma once
#include <cstdint>

// Paints the characters into a scratch chunky, grabs them into font bank 0 and
// frees the scratch chunky again.
void GrabPixelFont(uint32_t nScratch);
