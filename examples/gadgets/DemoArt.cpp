#include "DemoArt.h"

#include <algorithm>
#include <cmath>

#include "PixelFont.h"
#include "korvid.h"

namespace {

constexpr uint32_t FONT_SCRATCH = 11;
constexpr int TILE_WIDTH = 16, TILE_HEIGHT = 40, CORNER = 12;

uint16_t Rgb(int r, int g, int b) { return Korvid.Pack((uint8_t)r, (uint8_t)g, (uint8_t)b); }

// A diagonal gradient between two colours, never pure black (the transparent colour).
void PaintBackground(uint32_t nChunky, int r, int g, int b)
{
    const int nWidth = Korvid.DisplayWidth(), nHeight = Korvid.DisplayHeight();
    Korvid.InitChunky(nChunky, (uint16_t)nWidth, (uint16_t)nHeight, 16);
    uint16_t* pPixels = Korvid.ExistingChunky(nChunky)->Pixels16();
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x) {
            const int nShade = 40 + 60 * (x + y) / (nWidth + nHeight);
            pPixels[y * nWidth + x] = Rgb(8 + r * nShade / 100, 8 + g * nShade / 100, 8 + b * nShade / 100);
        }
}

// How much of pixel (x, y) a rounded bar of the given size covers, 0 to 1, and
// how far inside its edge the pixel lies.
float BarCover(int x, int y, int nWidth, float& fInside)
{
    const float fX = x + 0.5f, fY = y + 0.5f;
    const float dx = std::max({CORNER - fX, fX - (nWidth - CORNER), 0.0f});
    const float dy = std::max({CORNER - fY, fY - (TILE_HEIGHT - CORNER), 0.0f});
    const float fEdge = std::sqrt(dx * dx + dy * dy) - CORNER;   // below 0 inside the bar
    fInside = std::min({-fEdge, fY, TILE_HEIGHT - fY});
    return std::clamp(0.5f - fEdge, 0.0f, 1.0f);
}

// The three tiles of a bar three tiles long: its left end, a piece of its
// middle and its right end. A rim two pixels wide is lighter than the body.
void PaintTiles(uint32_t nFirst, const int Top[3], const int Bottom[3], const int Rim[3])
{
    for (int nTile = 0; nTile < 3; ++nTile) {
        Korvid.InitChunky(nFirst + nTile, TILE_WIDTH, TILE_HEIGHT, 16);
        ChunkyObject& Tile = *Korvid.ExistingChunky(nFirst + nTile);
        Korvid.CreateAlphaMask(Tile);
        for (int y = 0; y < TILE_HEIGHT; ++y)
            for (int x = 0; x < TILE_WIDTH; ++x) {
                float fInside;
                const float fCover = BarCover(nTile * TILE_WIDTH + x, y, 3 * TILE_WIDTH, fInside);
                const int n = y * TILE_WIDTH + x;
                Tile.pAlpha[n] = (uint8_t)(255 * fCover);
                const int* Colour = Rim;
                int Body[3];
                if (fInside > 2.0f) {
                    for (int c = 0; c < 3; ++c)
                        Body[c] = Top[c] + (Bottom[c] - Top[c]) * y / TILE_HEIGHT;
                    Colour = Body;
                }
                Tile.Pixels16()[n] = fCover > 0 ? Rgb(Colour[0], Colour[1], Colour[2]) : Korvid.CookieColour();
            }
    }
}

// An arrow: '#' dark outline, '.' white.
void PaintPointer()
{
    static const char* const Rows[] = {
        "#",          "##",         "#.#",        "#..#",       "#...#",      "#....#",
        "#.....#",    "#......#",   "#.......#",  "#........#", "#.....#####", "#..#..#",
        "#.# #..#",   "##  #..#",   "#    #..#",  "      ##",
    };
    const int nRows = sizeof(Rows) / sizeof(Rows[0]);
    Korvid.InitChunky(POINTER, 11, (uint16_t)nRows, 16);
    Korvid.ClearChunky(POINTER, Korvid.CookieColour());
    uint16_t* pPixels = Korvid.ExistingChunky(POINTER)->Pixels16();
    for (int y = 0; y < nRows; ++y)
        for (int x = 0; Rows[y][x]; ++x)
            if (Rows[y][x] != ' ')
                pPixels[y * 11 + x] = Rows[y][x] == '#' ? Rgb(16, 16, 24) : Rgb(255, 255, 255);
}

}  // namespace

void MakeDemoArt()
{
    PaintBackground(TITLE_BACKGROUND, 60, 110, 230);
    PaintBackground(NAME_BACKGROUND, 50, 190, 120);
    PaintBackground(ABOUT_BACKGROUND, 190, 80, 200);
    const int ButtonTop[3] = {90, 200, 255}, ButtonBottom[3] = {20, 70, 170}, ButtonRim[3] = {200, 235, 255};
    PaintTiles(BUTTON_TILES, ButtonTop, ButtonBottom, ButtonRim);
    const int FieldTop[3] = {16, 20, 40}, FieldBottom[3] = {40, 46, 70}, FieldRim[3] = {150, 160, 190};
    PaintTiles(FIELD_TILES, FieldTop, FieldBottom, FieldRim);
    PaintPointer();
    GrabPixelFont(FONT_SCRATCH);
}
