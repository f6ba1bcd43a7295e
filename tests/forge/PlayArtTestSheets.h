// Support for the play-sheet tests: forges one family of sheets inside the
// headless engine in a scratch directory and reads the written files back
// through the engine's own loader, as the game will.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Forge.h"
#include "sheets.h"

struct LoadedSheet {
    int nWidth = 0, nHeight = 0;
    std::vector<uint16_t> Pixels;   // RGB565; 0 is the transparent key
    std::vector<uint8_t> Opacity;   // from NAME_a.kvp, empty for a sheet without mask

    bool Loaded() const { return !Pixels.empty(); }
    uint16_t At(int x, int y) const { return Pixels[(size_t)y * nWidth + x]; }
    bool Opaque(int x, int y) const { return At(x, y) != 0; }
    // Drawn even where the game ignores the mask: at least half opaque.
    bool Solid(int x, int y) const { return Opaque(x, y) && (Opacity.empty() || Opacity[(size_t)y * nWidth + x] >= 128); }
    // Red, green and blue of a pixel, 0..255.
    void Colour(int x, int y, int& r, int& g, int& b) const;
    int Brightness(int x, int y) const;   // (r + g + b) / 3
    int OpaqueCount(const SheetRect& Rect) const;
    // True when the two rectangles (same size) hold the same pixels.
    bool SamePixels(const SheetRect& A, const SheetRect& B) const;
    // Mean red, green, blue of the opaque pixels of a rectangle.
    void MeanColour(const SheetRect& Rect, double& r, double& g, double& b) const;
};

// Runs Forge (writing into a fresh scratch directory) and loads the named
// sheets; a sheet in Masked also gets its opacity. False when the forge failed.
bool ForgeAndLoad(bool (*pForge)(const ForgeContext&), const std::vector<const SheetSize*>& Sizes,
                  std::map<std::string, LoadedSheet>& Sheets);
