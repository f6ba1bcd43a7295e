// The tile sheets: which painter fills the cell of each code, the laser shots
// over the taken decoration cells, and the half-size copies.
#include "LevelFormat.h"
#include "ArtKit.h"
#include "PlayArt.h"
#include "Picture.h"
#include "TileArt.h"
#include "sheets.h"

namespace {

// Normal bricks share one look per sheet row; the finish changes from row to row.
int FinishOfRow(int nRow)
{
    static const int NORMAL_ROWS[BRICK_FINISHES] = {0, 2, 4, 5, 6, 7, 8, 16, 17};
    for (int n = 0; n < BRICK_FINISHES; ++n)
        if (NORMAL_ROWS[n] == nRow)
            return n;
    return 0;
}

void PaintCell(Canvas& Sheet, TileLook Look, int nCode)
{
    Box Cell = ArtKit::BoxOf(Sheets::Tile(nCode));
    int nColumn = nCode % Sheets::TILES_PER_ROW, nRow = nCode / Sheets::TILES_PER_ROW;
    Rgba Hue = Style::BrickHue(nColumn);
    switch (LevelCellKindOf(nCode)) {
    case LevelCellKind::Brick:
        PaintNormalBrick(Sheet, Cell, Look, Hue, FinishOfRow(nRow));
        break;
    case LevelCellKind::BonusBrick:
        PaintBonusBrick(Sheet, Cell, Look, Hue, nCode < 40);
        break;
    case LevelCellKind::Indestructible:
        PaintSteelBrick(Sheet, Cell, Look, Hue, nRow - 9);
        break;
    case LevelCellKind::FourHit:
    case LevelCellKind::MiddleHit:
    case LevelCellKind::LastHit: {
        // 240.. whole, 300.. first crack, 280.. more cracks, 260.. last stage.
        static const int STAGE_OF_ROW[4] = {0, 3, 2, 1};
        PaintMultiHitBrick(Sheet, Cell, Look, Hue, STAGE_OF_ROW[(nCode - 240) / 20], 77u + (uint32_t)nColumn);
        break;
    }
    case LevelCellKind::Sliding: {
        static const Rgba SLIDING[3] = {Style::CYAN, Style::LIME, Style::GOLD};
        PaintSlidingBrick(Sheet, Cell, Look, SLIDING[nCode - 340]);
        break;
    }
    case LevelCellKind::Decoration:
        if (!LevelCellTileTaken(nCode))
            PaintDecoration(Sheet, Cell, Look, nCode);
        break;
    case LevelCellKind::Animation: {
        static const BurstKind BURSTS[3] = {BurstKind::Brick, BurstKind::Bonus, BurstKind::Smashed};
        PaintBurst(Sheet, Cell, Look, BURSTS[(nCode - 480) / 5], (nCode - 480) % 5);
        break;
    }
    case LevelCellKind::TeleporterUsed:
    case LevelCellKind::TeleporterA:
    case LevelCellKind::TeleporterB:
        // 495 / 497 teleporter A, 496 / 498 teleporter B; the first two are cooling down.
        PaintTeleporter(Sheet, Cell, Look, (nCode - 495) % 2 ? Style::GOLD : Style::CYAN, nCode < 497);
        break;
    case LevelCellKind::Trap:
        PaintBallTrap(Sheet, Cell, Look);
        break;
    default:
        break;
    }
}

bool SaveTileSheet(const ForgeContext& Context, TileLook Look, const SheetSize& Full, const SheetSize& Half)
{
    Canvas Sheet = PaintTileSheet(Look);
    return SavePicture(Context, Full.szName, Sheet, PictureKind::Sheet) &&
           SavePicture(Context, Half.szName, Sheet.Scaled(Half.nWidth, Half.nHeight), PictureKind::Sheet);
}

}  // namespace

Canvas PaintTileSheet(TileLook Look)
{
    Canvas Sheet(Sheets::TILES.nWidth, Sheets::TILES.nHeight);
    for (int nCode = 0; nCode < 500; ++nCode)
        PaintCell(Sheet, Look, nCode);
    for (int nLevel = 1; nLevel <= 5; ++nLevel)
        for (int nFrame = 0; nFrame < 10; ++nFrame)
            PaintShot(Sheet, ArtKit::BoxOf(Sheets::Shot(nLevel, nFrame)), nLevel, nFrame);
    return Sheet;
}

bool ForgeTileSheets(const ForgeContext& Context)
{
    return SaveTileSheet(Context, TileLook::Glass, Sheets::TILES, Sheets::MINITILES) &&
           SaveTileSheet(Context, TileLook::Stone, Sheets::TILES2, Sheets::MINITILES2);
}
