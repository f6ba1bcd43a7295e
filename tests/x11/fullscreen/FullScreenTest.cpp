// Full screen on a 1920 x 1080 desktop: the game takes the desktop as it is (no
// mode switch) and presents its 800 x 600 picture into it, centred on black.
#include "game/GameFixture.h"

// After the engine's headers: Xlib's macros (DisplayWidth...) would rename its members.
#include "x11/WindowPixels.h"

#include <SDL/SDL_syswm.h>

namespace {

using namespace gametest;

// Where the picture must sit on the screen for the given options.
struct Fit {
    const char* szName;
    std::vector<std::string> Args;
    int nLeft, nTop, nWidth, nHeight;
};

// A clock that moves a quarter second each time it is read: the engine's start-up timing
// of the presentation stops after its fewest frames instead of its most.
class TickingClock : public VirtualClockPlatform {
public:
    uint32_t GetTicks() override { return m_nNow += 250; }
};

// Test names print the case's name, not its bytes.
void PrintTo(const Fit& F, std::ostream* pOut) { *pOut << F.szName; }

class FullScreen : public GameStart, public ::testing::WithParamInterface<Fit> {
protected:
    void SetUp() override
    {
        GameStart::SetUp();
        // Without the start-up movies: each of their frames would be presented.
        for (const char* szMovie : {"ostra", "velmora"})
            RemoveFile(std::string("data/gfx/") + szMovie + ".kva");
        Korvid.SetPlatform(&m_Clock);
        m_pX = XOpenDisplay(nullptr);
    }
    void TearDown() override
    {
        GameStart::TearDown();
        if (m_pX)
            XCloseDisplay(m_pX);
    }
    Pair Size(Window nWindow)
    {
        Window Root;
        int x, y;
        unsigned nWidth = 0, nHeight = 0, nBorder, nDepth;
        XGetGeometry(m_pX, nWindow, &Root, &x, &y, &nWidth, &nHeight, &nBorder, &nDepth);
        return Pair(nWidth, nHeight);
    }
    TickingClock m_Clock;
    Display* m_pX = nullptr;
};

TEST_P(FullScreen, KeepsTheDesktopsModeAndCentresThePictureOnBlack)
{
    const Fit& F = GetParam();
    ASSERT_TRUE(m_pX);
    const Pair Desktop = Size(DefaultRootWindow(m_pX));
    ASSERT_EQ(Desktop, Pair(1920, 1080));
    ASSERT_TRUE(StartGame(F.Args));
    // Blocks of 40 x 40 pixels, each its own colour and none black, right up to the edges.
    uint16_t* pBack = (uint16_t*)Korvid.ChunkyBuffer(0);
    for (int n = 0; n < SCREEN_WIDTH * SCREEN_HEIGHT; ++n) {
        const int nColumn = n % SCREEN_WIDTH / 40, nRow = n / SCREEN_WIDTH / 40;
        pBack[n] = Korvid.Pack((uint8_t)(40 + nColumn * 10), (uint8_t)(40 + nRow * 12), (uint8_t)(200 - nColumn * 5));
    }
    Korvid.Flip();
    // The screen kept its size, and the game's window takes all of it.
    EXPECT_EQ(Size(DefaultRootWindow(m_pX)), Desktop);
    SDL_SysWMinfo Wm;
    SDL_VERSION(&Wm.version);
    ASSERT_GT(SDL_GetWMInfo(&Wm), 0);
    EXPECT_EQ(Size(Wm.info.x11.window), Desktop);

    // What the screen shows: black outside the picture; inside, a whole-number
    // scale repeats every pixel, and a filtered picture shows a pixel's own colour
    // wherever its neighbours all share it (so a picture one pixel off shows at
    // its edges).
    const std::vector<uint16_t> Screen = x11test::DrawablePixels(m_pX, DefaultRootWindow(m_pX), 1920, 1080);
    const std::vector<uint16_t> Back = x11test::BackBuffer565();
    ASSERT_EQ(Screen.size(), 1920u * 1080u);
    const int nReach = F.nWidth % SCREEN_WIDTH == 0 ? 0 : 1;
    int nBarPixels = 0, nCompared = 0, nWrong = 0;
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x) {
            const uint16_t nShown = Screen[(size_t)y * 1920 + x];
            const int sx = (x - F.nLeft) * SCREEN_WIDTH / F.nWidth, sy = (y - F.nTop) * SCREEN_HEIGHT / F.nHeight;
            if (x < F.nLeft || y < F.nTop || x >= F.nLeft + F.nWidth || y >= F.nTop + F.nHeight) {
                nBarPixels += nShown != 0;
                continue;
            }
            const uint16_t nOwn = Back[sy * SCREEN_WIDTH + sx];
            bool bPlain = true;
            for (int dy = -nReach; dy <= nReach; ++dy)
                for (int dx = -nReach; dx <= nReach; ++dx) {
                    const int nx = std::clamp(sx + dx, 0, SCREEN_WIDTH - 1);
                    const int ny = std::clamp(sy + dy, 0, SCREEN_HEIGHT - 1);
                    bPlain = bPlain && Back[ny * SCREEN_WIDTH + nx] == nOwn;
                }
            nCompared += bPlain;
            nWrong += bPlain && nShown != nOwn;
        }
    EXPECT_EQ(nBarPixels, 0);
    EXPECT_EQ(nWrong, 0);
    EXPECT_GT(nCompared, F.nWidth * F.nHeight / 2);
}

INSTANTIATE_TEST_SUITE_P(Fits, FullScreen,
                         ::testing::Values(Fit{"WholeScale", {"--fullscreen"}, 560, 240, 800, 600},
                                           Fit{"Smooth", {"--fullscreen", "--smooth"}, 240, 0, 1440, 1080}),
                         [](const auto& Info) { return std::string(Info.param.szName); });

}  // namespace
