// Every blit mode drawn into a real back buffer and presented: each mode leaves
// its own mark, and the frame reaches the screen surface.
#include <SDL/SDL.h>

#include <set>

#include "GfxTestSupport.h"
#include "services/ChunkyPng.h"
#include "support/Showcase.h"

namespace {

TEST(Showcase, EveryBlitModeLeavesItsOwnMarkAndIsPresented)
{
    const std::string Scratch = EnterScratchDirectory();
    VirtualClockPlatform Platform;
    Korvid.SetPlatform(&Platform);
    g_TestApp.Config = [] { Korvid.ChangeDisplayMode(800, 600, 16, KOR_WINDOWED); };
    ASSERT_TRUE(Korvid.Init());
    PrepareShowcase();
    const std::vector<ShowcaseCell> Cells = DrawShowcase();
    Korvid.Flip();
    EXPECT_TRUE(WriteChunkyPng(0, Scratch + "/showcase.png"));   // for people to look at

    const uint16_t* pScreen = Korvid.ExistingChunky(0)->Pixels16();
    SDL_Surface* pSurface = Korvid.Surface();
    ASSERT_TRUE(pSurface && pSurface->format->BitsPerPixel == 16);
    SDL_LockSurface(pSurface);
    // A small cross around each sprite's centre and a pixel outside the ball, where the
    // cookie shows: every cell differs from every other one. The surface shows the same.
    std::set<std::vector<uint16_t>> Distinct;
    for (const ShowcaseCell& Cell : Cells) {
        std::vector<uint16_t> Sample = {pScreen[(Cell.y - 20) * 800 + Cell.x - 20]};
        for (int d = -12; d <= 12; d += 6)
            Sample.insert(Sample.end(), {pScreen[Cell.y * 800 + Cell.x + d], pScreen[(Cell.y + d) * 800 + Cell.x]});
        EXPECT_TRUE(Distinct.insert(Sample).second) << Cell.Label << " looks like another cell";
        const uint8_t* pRow = (const uint8_t*)pSurface->pixels + Cell.y * pSurface->pitch;
        EXPECT_EQ(((const uint16_t*)pRow)[Cell.x], pScreen[Cell.y * 800 + Cell.x]) << Cell.Label;
    }
    SDL_UnlockSurface(pSurface);
    Korvid.ShutDown();
    Korvid.FinalShutDown();
}

}  // namespace
