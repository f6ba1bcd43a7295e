// Every blit mode drawn into a real back buffer and presented: each mode leaves
// its own mark, and the frame reaches the screen surface.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <set>

#include "services/ChunkyPng.h"
#include "support/Showcase.h"
#include "support/TestApp.h"
#include "support/TestPlatform.h"

namespace {

TEST(Showcase, EveryBlitModeLeavesItsOwnMarkAndIsPresented)
{
    std::string Scratch = EnterScratchDirectory();
    VirtualClockPlatform Platform;
    Korvid.SetPlatform(&Platform);
    g_TestApp.Config = [] { Korvid.ChangeDisplayMode(800, 600, 16, KOR_WINDOWED); };
    ASSERT_TRUE(Korvid.Init());
    PrepareShowcase();
    std::vector<ShowcaseCell> Cells = DrawShowcase();
    Korvid.Flip();
    EXPECT_TRUE(WriteChunkyPng(0, Scratch + "/showcase.png"));   // for people to look at

    const ChunkyObject* pScreen = Korvid.ExistingChunky(0);
    auto PixelAt = [pScreen](int x, int y) { return pScreen->Pixels16()[y * pScreen->nWidth + x]; };
    // Sample a small cross around each sprite's centre; every cell must differ from
    // every other one (the modes are all distinguishable) where the sprite is.
    std::set<std::vector<uint16_t>> Distinct;
    for (const ShowcaseCell& Cell : Cells) {
        std::vector<uint16_t> Sample;
        for (int d = -12; d <= 12; d += 6) {
            Sample.push_back(PixelAt(Cell.x + d, Cell.y));
            Sample.push_back(PixelAt(Cell.x, Cell.y + d));
        }
        Sample.push_back(PixelAt(Cell.x - 20, Cell.y - 20));   // outside the ball: the cookie shows here
        EXPECT_TRUE(Distinct.insert(Sample).second) << Cell.Label << " looks like another cell";
    }

    // The presented surface holds the same picture as chunky 0.
    SDL_Surface* pSurface = Korvid.Surface();
    ASSERT_NE(pSurface, nullptr);
    ASSERT_EQ(pSurface->format->BitsPerPixel, 16);
    SDL_LockSurface(pSurface);
    for (const ShowcaseCell& Cell : Cells) {
        const uint16_t* pRow = (const uint16_t*)((const uint8_t*)pSurface->pixels + Cell.y * pSurface->pitch);
        EXPECT_EQ(pRow[Cell.x], PixelAt(Cell.x, Cell.y)) << Cell.Label;
    }
    SDL_UnlockSurface(pSurface);
    Korvid.ShutDown();
    Korvid.FinalShutDown();
}

}  // namespace
