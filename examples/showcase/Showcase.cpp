#include "Showcase.h"

#include <cmath>

#include "korvid.h"

namespace {

constexpr uint32_t BALL = 1;       // shaded ball, black (the cookie) outside
constexpr uint32_t SOFT_BALL = 2;  // the same with a feathered alpha mask
constexpr uint32_t SCRATCH = 3;    // drawing surface the sprites are grabbed from
constexpr int SPRITE = 56;
constexpr int CELL_WIDTH = 96;
constexpr int CELL_HEIGHT = 96;

uint16_t Rgb(int r, int g, int b) { return Korvid.Pack((uint8_t)r, (uint8_t)g, (uint8_t)b); }

void DrawBall(uint16_t* pPixels, int nPitch)
{
    const float fRadius = SPRITE / 2.0f - 1;
    for (int y = 0; y < SPRITE; ++y)
        for (int x = 0; x < SPRITE; ++x) {
            float dx = x - SPRITE / 2.0f + 0.5f, dy = y - SPRITE / 2.0f + 0.5f;
            float fDistance = std::sqrt(dx * dx + dy * dy);
            if (fDistance > fRadius)
                continue;
            // Lit from the upper left, never pure black inside.
            float fLight = 1.0f - std::sqrt((dx + 9) * (dx + 9) + (dy + 9) * (dy + 9)) / (2.2f * fRadius);
            fLight = fLight < 0.08f ? 0.08f : fLight;
            pPixels[y * nPitch + x] = Rgb((int)(255 * fLight), (int)(120 * fLight) + 20, (int)(40 * fLight) + 10);
        }
}

void DrawBackground()
{
    ChunkyObject* pScreen = Korvid.ExistingChunky(0);
    uint16_t* pPixels = pScreen->Pixels16();
    for (int y = 0; y < pScreen->nHeight; ++y)
        for (int x = 0; x < pScreen->nWidth; ++x)
            pPixels[y * pScreen->nWidth + x] = Rgb(20 + x * 60 / 800, 30 + y * 90 / 600, 90 + (x + y) % 64);
}

}  // namespace

void PrepareShowcase()
{
    Korvid.InitChunky(SCRATCH, SPRITE, SPRITE, 16);
    Korvid.ClearChunky(SCRATCH, Korvid.CookieColour());
    DrawBall(Korvid.ExistingChunky(SCRATCH)->Pixels16(), SPRITE);
    Korvid.GrabChunky(BALL, SCRATCH, 0, 0, SPRITE, SPRITE);
    Korvid.GrabChunky(SOFT_BALL, SCRATCH, 0, 0, SPRITE, SPRITE, KOR_GRAB_FEATHER, 6);
    Korvid.FreeChunky(SCRATCH);
}

std::vector<ShowcaseCell> DrawShowcase()
{
    struct Mode {
        const char* szLabel;
        uint32_t nChunky;
        uint16_t nFlags;
        uint16_t nColour;
        int16_t nParam;
    };
    const uint16_t nWhite = Korvid.ColourWhite(), nBlue = Rgb(60, 120, 255);
    const Mode Modes[] = {
        {"cookie", BALL, KOR_BLIT_COOKIE, 0, 0},
        {"no cookie", BALL, KOR_BLIT_NOCOOKIE, 0, 0},
        {"solid colour", BALL, KOR_BLIT_SOLIDCOLOUR, nBlue, 0},
        {"solid trans 50", BALL, KOR_BLIT_SOLIDTRANS, nWhite, 50},
        {"trans 25", BALL, KOR_BLIT_TRANS, 0, 25},
        {"trans 50", BALL, KOR_BLIT_TRANS, 0, 50},
        {"trans 75", BALL, KOR_BLIT_TRANS, 0, 75},
        {"tint 30", BALL, KOR_BLIT_TINT, nBlue, 30},
        {"tint 70", BALL, KOR_BLIT_TINT, nBlue, 70},
        {"alpha", SOFT_BALL, KOR_BLIT_ALPHA, 0, 100},
        {"alpha white", SOFT_BALL, KOR_BLIT_ALPHA | KOR_BLIT_SOLIDCOLOUR, nWhite, 100},
        {"alpha 50", SOFT_BALL, KOR_BLIT_ALPHA, 0, 50},
    };
    DrawBackground();
    std::vector<ShowcaseCell> Cells;
    int nCell = 0;
    for (const Mode& Each : Modes) {
        int x = 60 + (nCell % 8) * CELL_WIDTH, y = 60 + (nCell / 8) * CELL_HEIGHT;
        Korvid.Blit(Each.nChunky, x - Korvid.ChunkyWidth(Each.nChunky) / 2, y - Korvid.ChunkyHeight(Each.nChunky) / 2,
                    Each.nFlags, Each.nColour, Each.nParam);
        Cells.push_back({Each.szLabel, x, y});
        ++nCell;
    }

    // Scaled and rotated sprites.
    const int nRow = 300;
    for (int n = 0; n < 4; ++n) {
        int nSize = 24 + n * 24;
        // The grab trimmed the sprite to its shape.
        KorvidRect Source{0, 0, Korvid.ChunkyWidth(BALL), Korvid.ChunkyHeight(BALL)};
        KorvidRect Dest{40 + n * 110, nRow - nSize / 2, 40 + n * 110 + nSize, nRow + nSize / 2};
        Korvid.BlitScale(BALL, Source, Dest, KOR_SCALE_COOKIE);
        Cells.push_back({"scale " + std::to_string(nSize), Dest.left + nSize / 2, nRow});
    }
    for (int n = 0; n < 3; ++n) {
        int x = 520 + n * 100;
        Korvid.BlitRotate(BALL, (int16_t)x, (int16_t)nRow, 30.0 * (n + 1), Korvid.ChunkyWidth(BALL) / 2,
                          Korvid.ChunkyHeight(BALL) / 2);
        Cells.push_back({"rotate " + std::to_string(30 * (n + 1)), x, nRow});
    }

    // Primitives.
    for (int n = 0; n < 12; ++n)
        Korvid.Line(40, (int16_t)(420 + n * 12), (int16_t)(300 + n * 20), 560, Rgb(255, 220 - n * 15, 80 + n * 12),
                    KOR_DRAW_SOLID);
    Korvid.Box(340, 420, 480, 560, nWhite, KOR_DRAW_SOLID);
    Korvid.BoxFill(360, 440, 460, 540, nBlue, KOR_DRAW_SOLID, 0);
    Korvid.BoxFill(400, 400, 520, 500, nWhite, KOR_DRAW_HALF, 50);
    Korvid.DrawCircle(640, 490, 110, 60, Rgb(255, 255, 120));
    Korvid.DrawCircle(640, 490, 50, 50, Rgb(120, 255, 160));
    return Cells;
}
