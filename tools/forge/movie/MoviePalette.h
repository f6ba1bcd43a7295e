// Palettes for painted movies: colours sampled from rendered frames are cut
// into a palette (median cut), and pictures map onto it with ordered dithering.
// Index 0 is always black (the screen around the movie); the top of the
// palette is left to colour cycling, which the movie animates itself.
#pragma once
#include <cstdint>
#include <vector>

#include "Canvas.h"
#include "KvaWriter.h"

constexpr int MOVIE_CYCLE_FIRST = 240;   // indices 240..255 belong to colour cycling
constexpr int MOVIE_CYCLE_COUNT = 16;

class PaletteBuilder {
public:
    PaletteBuilder();
    // Counts the colours of the picture (composited over black).
    void Sample(const Canvas& Picture);
    // Black at index 0 and up to nColours - 1 cut colours after it; the rest black.
    KvaPalette Build(int nColours) const;

private:
    std::vector<uint32_t> m_Counts;   // per colour at 6 bits a channel
};

class PaletteMapper {
public:
    // Maps onto the palette's entries 0 .. nColours - 1.
    PaletteMapper(const KvaPalette& Palette, int nColours);
    // The indices of the picture (composited over black), row-major. With
    // pBefore, the picture mapped into Pixels last time: its unchanged pixels
    // keep their index.
    void Map(const Canvas& Picture, std::vector<uint8_t>& Pixels, const Canvas* pBefore = nullptr) const;
    uint8_t Nearest(int r6, int g6, int b6) const;

private:
    std::vector<int> m_Colours;                 // r, g, b per entry
    mutable std::vector<int16_t> m_Nearest;     // per 6-bit colour, -1 until asked for
};
