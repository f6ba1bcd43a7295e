// A test picture of everything the blitter and the primitives draw: one cell per
// blit mode and parameter over a gradient, scaled and rotated sprites, lines, boxes
// and ellipses. Used by a test that checks it and by a program people look at.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ShowcaseCell {
    std::string Label;
    int32_t x, y;   // centre of the cell's sprite on the 800 x 600 screen
};

// Makes the sprite chunkies (numbers 1..3) once; the display must be open.
void PrepareShowcase();

// Draws the whole picture into chunky 0 and returns where each cell's sprite sits.
std::vector<ShowcaseCell> DrawShowcase();
