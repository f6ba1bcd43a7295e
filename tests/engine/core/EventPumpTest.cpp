// SDL events through the platform's pump into the engine's input queues, and the hot keys.
#include "CoreTest.h"
#include "support/TestInput.h"

namespace {

class EventPump : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        Start();
        SDL_Event Flush;
        while (SDL_PollEvent(&Flush)) {
        }
    }
    void TearDown() override { Stop(); }
};

TEST_F(EventPump, KeysButtonsMotionAndFocusArriveAsEngineInput)
{
    InjectKeyPress(SDLK_a, KMOD_NONE, 'a');
    for (Uint8 nButton : {1, 2, 3, 4})   // left, middle, right; the wheel is no button here
        InjectClick(nButton, 40, 30);
    InjectMouseMove(123, 45);
    InjectActive(SDL_APPINPUTFOCUS, false);
    InjectActive(SDL_APPACTIVE, true);
    InjectActive(SDL_APPINPUTFOCUS | SDL_APPACTIVE, false);   // only pure focus or activity changes count
    InjectActive(SDL_APPMOUSEFOCUS, true);
    PumpAllEvents();

    std::vector<std::pair<int, uint32_t>> Keys, Mouse;
    for (KorvidEvent Event = Korvid.GetKeyEvent(); Event.nType; Event = Korvid.GetKeyEvent())
        Keys.push_back({Event.nType, Event.nCode});
    for (KorvidEvent Event = Korvid.GetMouseEvent(); Event.nType; Event = Korvid.GetMouseEvent())
        Mouse.push_back({Event.nType, Event.nCode});
    EXPECT_EQ(Keys, (std::vector<std::pair<int, uint32_t>>{{KOR_EVENT_PRESS, 37}, {KOR_EVENT_RELEASE, 37}}));
    EXPECT_EQ(Korvid.GetChar(), (uint32_t)'a');
    EXPECT_EQ(Korvid.GetChar(), 0u);
    EXPECT_EQ(Mouse, (std::vector<std::pair<int, uint32_t>>{{KOR_EVENT_PRESS, 0},
                                                           {KOR_EVENT_RELEASE, 0},
                                                           {KOR_EVENT_PRESS, 2},
                                                           {KOR_EVENT_RELEASE, 2},
                                                           {KOR_EVENT_PRESS, 1},
                                                           {KOR_EVENT_RELEASE, 1},
                                                           {KOR_EVENT_FOCUS_LOST, 0},
                                                           {KOR_EVENT_FOCUS_GAINED, 0}}));
    EXPECT_EQ(Korvid.MouseX(), 123);
    EXPECT_EQ(Korvid.MouseY(), 45);
}

TEST_F(EventPump, HotKeysActAndAreAlsoDeliveredAsOrdinaryKeys)
{
    InjectKeyDown(SDLK_z, KMOD_LCTRL);
    InjectKeyDown(SDLK_g, KMOD_RCTRL);
    PumpAllEvents();
    EXPECT_EQ(Korvid.GetKeyEvent().nCode, 37u + ('z' - 'a'));
    EXPECT_EQ(Korvid.GetKeyEvent().nCode, 37u + ('g' - 'a'));
    std::vector<uint8_t> Modes = {Korvid.WindowMode()};
    for (SDLMod nMod : {KMOD_LALT, KMOD_RALT, KMOD_NONE}) {
        InjectKeyDown(SDLK_RETURN, nMod);
        PumpAllEvents();
        Modes.push_back(Korvid.WindowMode());
    }
    EXPECT_EQ(Modes, std::vector<uint8_t>({KOR_WINDOWED, KOR_FULLSCREEN, KOR_WINDOWED, KOR_WINDOWED}));
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"Ctrl-Z Screen Minimize!", "Ctrl-G - Grab Input!", "Alt-Return Screen Toggle!",
                        "SDL: SDL_SetVideoMode(320, 240, 16, SDL_HWSURFACE|SDL_DOUBLEBUF|SDL_FULLSCREEN)",
                        "Alt-Return Screen Toggle!", "SDL: SDL_SetVideoMode(320, 240, 16, SDL_HWSURFACE|SDL_DOUBLEBUF)"}));
}

}  // namespace
