// One run of the whole game in a real X window: pointer moves and button presses
// reach the window through the X server, every screen is checked by what the
// window shows, and the settings by the file the run left.
#include <functional>

#include "game/GameFixture.h"
#include "sheets.h"

// After the engine's headers: Xlib's macros (DisplayWidth...) would rename its members.
#include <SDL/SDL_syswm.h>
#include <X11/Xutil.h>

#include "x11/WindowPixels.h"

namespace {

using namespace gametest;
using Step = std::function<bool()>;   // true once done; tried again each frame until then

// Runs the player's script at the start of every frame, the engine's per-frame yield point.
class ScriptPlatform : public VirtualClockPlatform {
public:
    void Yield(const char* szLabel) override
    {
        if (std::string(szLabel) != "!MainThread" || m_nDone >= m_Steps.size())
            return;
        if (m_Steps[m_nDone].second()) {
            ++m_nDone, m_nTries = 0;
        } else if (++m_nTries > 60) {
            ADD_FAILURE() << "the run got no further than: " << m_Steps[m_nDone].first;
            m_nDone = m_Steps.size();
            Korvid.Quit();
        }
    }
    std::vector<std::pair<std::string, Step>> m_Steps;
    size_t m_nDone = 0;
    int m_nTries = 0;
};

class GameWindow : public GameStart {
protected:
    void Add(const std::string& Name, Step Done) { m_Script.m_Steps.emplace_back(Name, Done); }
    void AddClick(const ScreenArea& Area)
    {
        const int x = (Area.nLeft + Area.nRight) / 2, y = (Area.nTop + Area.nBottom) / 2;
        Add("pointing", [=] { return Warp(x, y), true; });
        Add("pressing", [=] { return Button(ButtonPress, ButtonPressMask), true; });
        Add("releasing", [=] { return Button(ButtonRelease, ButtonReleaseMask), true; });
        Add("parking the pointer", [=] { return Warp(795, 300), true; });
    }
    // The chunky holds the picture, and the window the frame just presented.
    void AddShows(uint32_t nChunky, const std::string& Name)
    {
        Add("showing " + Name, [=] { return ChunkyShows(nChunky, Name) && Window() == BackBuffer(); });
    }

    void Warp(int x, int y)
    {
        XWarpPointer(m_Wm.info.x11.display, 0, m_Wm.info.x11.window, 0, 0, 0, 0, x, y);
        XSync(m_Wm.info.x11.display, False);
    }
    void Button(int nType, long nMask)
    {
        XEvent Event = {};
        std::tie(Event.xbutton.type, Event.xbutton.window, Event.xbutton.button, Event.xbutton.same_screen) =
            std::make_tuple(nType, m_Wm.info.x11.window, Button1, True);
        XSendEvent(m_Wm.info.x11.display, m_Wm.info.x11.window, False, nMask, &Event);
        XSync(m_Wm.info.x11.display, False);
    }
    // The window's pixels, as the back buffer's.
    std::vector<uint16_t> Window()
    {
        return x11test::DrawablePixels(m_Wm.info.x11.display, m_Wm.info.x11.window, SCREEN_WIDTH, SCREEN_HEIGHT);
    }
    static std::vector<uint16_t> BackBuffer() { return x11test::BackBuffer565(); }

    ScriptPlatform m_Script;
    SDL_SysWMinfo m_Wm = {};
};

TEST_F(GameWindow, ThePlayerSetsOptionsReadsTheInstructionsAndStartsAGame)
{
    WriteSettings("[Tamborel2]\nSST=1\nEM=0\nL=0\n");
    Korvid.SetPlatform(&m_Script);
    Add("the window", [this] {
        SDL_VERSION(&m_Wm.version);
        return SDL_GetWMInfo(&m_Wm) > 0;
    });
    AddShows(GAME_CHUNKY_BACKGROUND, "m1");
    AddClick(Sheets::MENU_OPTIONS);
    AddShows(GAME_CHUNKY_BACKGROUND, "m4");
    AddClick(Sheets::OPTIONS[12].Switch);   // the difficulty
    AddClick(Sheets::OPTIONS[6].Switch);   // the language
    AddShows(GAME_CHUNKY_BACKGROUND, "m4_en");
    AddClick(Sheets::BACK);
    AddShows(GAME_CHUNKY_BACKGROUND, "m1_en");
    AddClick(Sheets::MENU_INSTRUCTIONS);
    AddShows(GAME_CHUNKY_PAGE, "m3_1_en");
    AddClick(Sheets::PAGE_NEXT);
    AddClick(Sheets::PAGE_NEXT);
    AddShows(GAME_CHUNKY_PAGE, "m3_3_en");
    AddClick(Sheets::BACK);
    AddClick(Sheets::MENU_START);
    Add("the game", [this] { return g_bInGame && Window() == BackBuffer() && (Korvid.Quit(), true); });

    char szProgram[] = "tamborel2", szWindowed[] = "--windowed";
    char* ppArgs[] = {szProgram, szWindowed, nullptr};
    EXPECT_EQ(Korvid.Main(2, ppArgs), 0);
    EXPECT_EQ(m_Script.m_nDone, m_Script.m_Steps.size());
    const std::vector<std::string> Settings = ReadLines(GamePath(GAME_INI_FILE));
    for (const char* szLine : {"SST=2", "EM=1", "L=1"})
        EXPECT_NE(std::find(Settings.begin(), Settings.end(), szLine), Settings.end()) << szLine;
}

}  // namespace
