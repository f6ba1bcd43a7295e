// The icon is painted, not scaled down: at 16 pixels a shrunken 256 would turn
// its bevels to mud, so each size draws the same shapes at its own scale.
#include "AppIcon.h"

#include "Style.h"
#include "korvid.h"
#include "services/ChunkyPng.h"

namespace {

constexpr uint32_t ICON_CHUNKY = 499;   // the last chunky of the engine's default table
constexpr int BRICK_ROWS = 3, BRICK_COLUMNS = 4;

// Coordinates are laid out on a 256-pixel icon and scaled to the size painted.
Canvas PaintIcon(int nSize)
{
    const float s = nSize / 256.0f;
    Canvas Icon(nSize, nSize);
    Icon.Fill({0, 0, nSize, nSize}, [&](float x, float y) { return Shape::RoundedBox(x, y, 0, 0, nSize, nSize, 40 * s); },
              [&](float, float y) { return Mix(Style::PANEL, Style::NIGHT, y / nSize); });
    const float fBevel = std::max(1.0f, 4 * s);
    for (int nRow = 0; nRow < BRICK_ROWS; ++nRow)
        for (int nColumn = 0; nColumn < BRICK_COLUMNS; ++nColumn) {
            const Box Brick = {(int)((24 + nColumn * 54) * s), (int)((28 + nRow * 30) * s), (int)(50 * s),
                               std::max(2, (int)(26 * s))};
            Style::BevelBox(Icon, Brick, Style::BrickHue(nRow * 7 + nColumn * 3), 5 * s, fBevel);
        }
    const Box Paddle = {(int)(64 * s), (int)(208 * s), (int)(128 * s), std::max(3, (int)(26 * s))};
    Style::BevelBox(Icon, Paddle, Style::CYAN, 12 * s, fBevel);
    Canvas Ball(nSize, nSize);
    Style::Sphere(Ball, 150 * s, 160 * s, std::max(2.0f, 20 * s), Style::GOLD);
    Icon.Draw(Ball.Glow(std::max(1, (int)(10 * s)), Style::GOLD), 0, 0, 0.7f);
    Icon.Draw(Ball, 0, 0);
    return Icon;
}

// RGB with the opacity as the alpha mask, so the PNG keeps the round corners.
bool WriteIconPng(const Canvas& Icon, const std::string& Path)
{
    const int nSize = Icon.Width();
    if (!Korvid.InitChunky(ICON_CHUNKY, (uint16_t)nSize, (uint16_t)nSize, 24))
        return false;
    ChunkyObject& Chunky = *Korvid.ChunkyRecord(ICON_CHUNKY);
    bool bWritten = Korvid.CreateAlphaMask(Chunky) != 0;
    for (int y = 0; bWritten && y < nSize; ++y)
        for (int x = 0; x < nSize; ++x) {
            const Rgba Pixel = Icon.Get(x, y);
            uint8_t* pPixel = Chunky.pPixels + ((size_t)y * nSize + x) * 3;
            pPixel[0] = (uint8_t)std::lround(std::clamp(Pixel.r, 0.0f, 1.0f) * 255);
            pPixel[1] = (uint8_t)std::lround(std::clamp(Pixel.g, 0.0f, 1.0f) * 255);
            pPixel[2] = (uint8_t)std::lround(std::clamp(Pixel.b, 0.0f, 1.0f) * 255);
            Chunky.pAlpha[(size_t)y * nSize + x] = (uint8_t)std::lround(std::clamp(Pixel.a, 0.0f, 1.0f) * 255);
        }
    bWritten = bWritten && WriteChunkyPng(ICON_CHUNKY, Path);
    Korvid.FreeChunky(ICON_CHUNKY);
    return bWritten;
}

}  // namespace

bool ForgeAppIcons(const ForgeContext& Context)
{
    for (int nSize : APP_ICON_SIZES) {
        const std::string Folder = "icons/hicolor/" + std::to_string(nSize) + "x" + std::to_string(nSize) + "/apps";
        const std::string Path = ForgePath(Context, Folder + "/tamborel2.png");
        if (!ForgeMakeFolders(ForgePath(Context, Folder)) || !WriteIconPng(PaintIcon(nSize), Path)) {
            ForgeComplain("cannot write the icon '%s'", Path.c_str());
            return false;
        }
    }
    return true;
}
