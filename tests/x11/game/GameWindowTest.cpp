// One run of the whole game in a real X window: pointer moves and button
// presses go to the window through the X server, the screens are checked by
// what the window shows, and the settings file by what the run left in it.
#include <functional>

#include "game/GameFixture.h"
#include "sheets.h"

// After the engine's headers: Xlib's macros (DisplayWidth...) would rename its members.
#include <SDL/SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

using namespace gametest;

// Runs one step of the player's script at the start of every frame (the
// engine's per-frame yield point), each step until it reports itself done.
class ScriptPlatform : public VirtualClockPlatform {
public:
    struct Step {
        std::string Name;
        std::function<bool()> Done;
    };
    std::vector<Step> Steps;
    size_t nStep = 0;
    int nTries = 0;

    void Yield(const char* szLabel) override
    {
        if (std::string(szLabel) != "!MainThread" || nStep >= Steps.size())
            return;
        if (Steps[nStep].Done()) {
            ++nStep;
            nTries = 0;
        } else if (++nTries > 60) {
            ADD_FAILURE() << "the run got no further than: " << Steps[nStep].Name;
            nStep = Steps.size();
            Korvid.Quit();
        }
    }
};

class GameWindow : public GameStart {
protected:
    ScriptPlatform m_Script;
    SDL_SysWMinfo m_Wm = {};

    Display* Dpy() { return m_Wm.info.x11.display; }
    bool FindWindow()
    {
        SDL_VERSION(&m_Wm.version);
        return SDL_GetWMInfo(&m_Wm) > 0;
    }
    void Send(Window Target, long nMask, XEvent& Event)
    {
        XSendEvent(Dpy(), Target, False, nMask, &Event);
        XSync(Dpy(), False);
    }
    void Warp(int x, int y)
    {
        XWarpPointer(Dpy(), None, m_Wm.info.x11.window, 0, 0, 0, 0, x, y);
        XSync(Dpy(), False);
    }
    void Button(bool bDown, int x, int y)
    {
        XEvent Event = {};
        XButtonEvent& B = Event.xbutton;
        B.type = bDown ? ButtonPress : ButtonRelease;
        B.window = m_Wm.info.x11.window;
        std::tie(B.x, B.y, B.button, B.same_screen) = std::make_tuple(x, y, Button1, True);
        Send(B.window, bDown ? ButtonPressMask : ButtonReleaseMask, Event);
    }
    void Key(bool bDown, KeySym nSym)
    {
        XEvent Event = {};
        XKeyEvent& K = Event.xkey;
        K.type = bDown ? KeyPress : KeyRelease;
        K.window = m_Wm.info.x11.wmwindow;
        K.keycode = XKeysymToKeycode(Dpy(), nSym);
        K.same_screen = True;
        Send(K.window, bDown ? KeyPressMask : KeyReleaseMask, Event);
    }

    // The window's pixels of an area, reduced to the 5-6-5 bits the game draws with.
    std::vector<uint16_t> WindowArea(int x, int y, int nWidth, int nHeight)
    {
        XImage* pImage = XGetImage(Dpy(), m_Wm.info.x11.window, x, y, nWidth, nHeight, AllPlanes, ZPixmap);
        std::vector<uint16_t> Out;
        for (int j = 0; pImage && j < nHeight; ++j)
            for (int i = 0; i < nWidth; ++i) {
                const unsigned long nPixel = XGetPixel(pImage, i, j);
                Out.push_back((uint16_t)((nPixel >> 19 & 31) << 11 | (nPixel >> 10 & 63) << 5 | (nPixel >> 3 & 31)));
            }
        if (pImage)
            XDestroyImage(pImage);
        return Out;
    }
    // The same area of a chunky placed at (nLeft, nTop) of the screen, in the same bits.
    static std::vector<uint16_t> ChunkyArea(uint32_t nChunky, int nLeft, int nTop, std::array<int, 4> Area)
    {
        const uint16_t* pPixels = (const uint16_t*)Korvid.ChunkyBuffer(nChunky);
        const int nStride = Korvid.ChunkyWidth(nChunky);
        std::vector<uint16_t> Out;
        for (int j = Area[1] - nTop; pPixels && j < Area[1] - nTop + Area[3]; ++j)
            for (int i = Area[0] - nLeft; i < Area[0] - nLeft + Area[2]; ++i) {
                const KorvidRGB Rgb = Korvid.Unpack(pPixels[j * nStride + i]);
                Out.push_back((uint16_t)((Rgb.r >> 3) << 11 | (Rgb.g >> 2) << 5 | (Rgb.b >> 3)));
            }
        return Out;
    }
    // The same for the picture "data/gfx/NAME.kvp".
    static std::vector<uint16_t> PictureArea(const std::string& Name, int nLeft, int nTop, std::array<int, 4> Area)
    {
        if (Korvid.LoadChunky(GAME_CHUNKY_SCRATCH, ("data/gfx/" + Name + ".kvp").c_str(), KOR_LOAD_DEPTH16) != 1)
            return {};
        std::vector<uint16_t> Out = ChunkyArea(GAME_CHUNKY_SCRATCH, nLeft, nTop, Area);
        Korvid.FreeChunky(GAME_CHUNKY_SCRATCH);
        return Out;
    }
    std::vector<uint16_t> WindowArea(std::array<int, 4> Area) { return WindowArea(Area[0], Area[1], Area[2], Area[3]); }

    // Script steps: a click on an area (pointer there, press, release, pointer parked
    // at the right edge), and the window showing a picture in an area.
    void AddClick(const std::string& Name, const ScreenArea& Area)
    {
        const int x = (Area.nLeft + Area.nRight) / 2, y = (Area.nTop + Area.nBottom) / 2;
        Add("point at " + Name, [=] { return Warp(x, y), true; });
        Add("press on " + Name, [=] { return Button(true, x, y), true; });
        Add("release on " + Name, [=] { return Button(false, x, y), true; });
        Add("park the pointer", [=] { return Warp(795, 300), true; });
    }
    void AddShows(const std::string& Name, int nLeft, int nTop, std::array<int, 4> Area)
    {
        Add("the window showing " + Name, [=] {
            return WindowArea(Area) == PictureArea(Name, nLeft, nTop, Area);
        });
    }
    void Add(const std::string& Name, std::function<bool()> Done) { m_Script.Steps.push_back({Name, Done}); }
};

TEST_F(GameWindow, ThePlayerSetsOptionsReadsTheInstructionsStartsAGameAndQuits)
{
    WriteSettings("[Tamborel2]\nSST=1\nEM=0\nL=0\n");
    Korvid.SetPlatform(&m_Script);
    const std::array<int, 4> HEADING = {220, 10, 360, 80}, PAGE = {120, 110, 560, 380}, TOP = {0, 0, 800, 20};
    Add("the window", [this] { return FindWindow(); });
    AddShows("m1", 0, 0, HEADING);
    AddClick("options", Sheets::MENU_OPTIONS);
    AddShows("m4", 0, 0, HEADING);
    const ScreenArea& Switch = Sheets::OPTIONS[12].Switch;   // the difficulty
    const std::array<int, 4> DIFFICULTY = {Switch.nLeft, Switch.nTop, Switch.Width(), Switch.Height()};
    std::vector<uint16_t> Normal;
    Add("the difficulty shown", [&] { return Normal = WindowArea(DIFFICULTY), true; });
    AddClick("difficulty", Switch);
    Add("the difficulty changed", [&] { return WindowArea(DIFFICULTY) != Normal; });
    AddClick("language", Sheets::OPTIONS[6].Switch);
    AddShows("m4_en", 0, 0, HEADING);
    AddClick("back", Sheets::BACK);
    AddShows("m1_en", 0, 0, HEADING);
    AddClick("instructions", Sheets::MENU_INSTRUCTIONS);
    AddShows("m3_1_en", 100, 100, PAGE);
    AddClick("next page", Sheets::PAGE_NEXT);
    AddClick("next page", Sheets::PAGE_NEXT);
    AddShows("m3_3_en", 100, 100, PAGE);
    AddClick("back", Sheets::BACK);
    AddClick("start", Sheets::MENU_START);
    Add("the game in the window", [&] {
        return g_bInGame && WindowArea(TOP) != PictureArea("m1_en", 0, 0, TOP) &&
               WindowArea(TOP) == ChunkyArea(GAME_CHUNKY_BACKGROUND, 0, 0, TOP);
    });
    Add("escape pressed", [&] { return Key(true, XK_Escape), true; });
    Add("escape released", [&] { return Key(false, XK_Escape), true; });
    AddShows("m1_en", 0, 0, HEADING);
    AddClick("quit", Sheets::MENU_QUIT);

    char szProgram[] = "tamborel2", szWindowed[] = "--windowed";
    char* ppArgs[] = {szProgram, szWindowed, nullptr};
    EXPECT_EQ(Korvid.Main(2, ppArgs), 0);
    EXPECT_EQ(m_Script.nStep, m_Script.Steps.size());
    const std::vector<std::string> Settings = ReadLines(GamePath(GAME_INI_FILE));
    for (const char* szLine : {"SST=2", "EM=1", "L=1"})
        EXPECT_NE(std::find(Settings.begin(), Settings.end(), szLine), Settings.end()) << szLine;
}

}  // namespace
