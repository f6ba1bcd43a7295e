// Keys, characters and mouse events as queued, the mouse position, and SDL events through the pump.
#include <SDL/SDL.h>

#include "CoreTest.h"
#include "support/TestInput.h"

namespace {

using Input = CoreTest;
using Rows = std::vector<std::vector<int>>;

// A queue drained into (type, code, held time, x, y, modifiers) rows.
Rows Drain(KorvidEvent (KorvidInput::*Take)())
{
    Rows Events;
    for (KorvidEvent Event = (Korvid.*Take)(); Event.nType; Event = (Korvid.*Take)())
        Events.push_back({Event.nType, (int)Event.nCode, (int)Event.nHeldTime, Event.nX, Event.nY, Event.nModifiers});
    return Events;
}
const auto KEYS = &KorvidInput::GetKeyEvent;
const auto MOUSE = &KorvidInput::GetMouseEvent;
constexpr int PRESS = KOR_EVENT_PRESS, RELEASE = KOR_EVENT_RELEASE;

// Symbols the table lists twice take the higher engine key: Shift arrives as 108, never as 8.
TEST_F(Input, KeysTranslateToTheHighestEngineKeyAndCharactersFeedEditString)
{
    for (auto [nSym, nKey] : std::vector<std::pair<uint32_t, int>>{
             {SDLK_BACKSPACE, 4}, {SDLK_0, 27}, {SDLK_a, 37}, {SDLK_z, 62}, {SDLK_KP0, 66}, {SDLK_F15, 96},
             {SDLK_LSHIFT, 108}, {SDLK_LCTRL, 110}, {SDLK_LALT, 10}, {SDLK_BACKSLASH, 125}, {SDLK_HASH, 124},
             {SDLK_UNKNOWN, 105}, {SDLK_RALT, -1}, {SDLK_LAST, -1}})
        EXPECT_EQ(Korvid.TranslateKey(nSym), nKey) << "SDL key " << nSym;
    Korvid.StartLog();
    Korvid.KeyDown(SDLK_RALT);
    Korvid.KeyUp(SDLK_RALT);
    EXPECT_EQ(Korvid.PeekKeyEvent().nType, KOR_EVENT_NONE);
    EXPECT_EQ(CountOf(LogMessages(), "WARNING: Unable to translate OS Key " + std::to_string(SDLK_RALT)), 2);

    for (uint32_t nChar : {(uint32_t)'H', 0u, 0xE4u})
        Korvid.TypedChar(nChar);   // 0 is no character
    EXPECT_EQ(Korvid.PeekChar(), (uint32_t)'H');
    EXPECT_EQ(std::vector<uint32_t>({Korvid.GetChar(), Korvid.GetChar(), Korvid.GetChar()}),
              std::vector<uint32_t>({'H', 0xE4, 0}));
    Korvid.TypedChar('x');
    Korvid.FlushChars();
    EXPECT_EQ(Korvid.GetChar(), 0u);
    using Edit = std::tuple<const char*, std::string, int, const char*, bool>;
    for (auto [szStart, Typed, nMax, szResult, bGoesOn] : std::vector<Edit>{
             {"", "abcdefg\r", 5, "abcde", false}, {"", "abcdefg", 5, "abcde", true}, {"", "", 10, "", true},
             {"Name", "\b\bx", 10, "Nax", true}, {"ab", "\b\b\b\bz", 10, "z", true},
             {"", std::string("a\x01\x1f b\x7f\xe9", 7), 20, "a b\x7f\xe9", true}, {"", "ab\rcd", 10, "ab", false}}) {
        Korvid.FlushChars();
        char szText[32];
        snprintf(szText, sizeof(szText), "%s", szStart);
        for (unsigned char c : Typed)
            Korvid.TypedChar(c);
        EXPECT_EQ(Korvid.EditString(szText, nMax), bGoesOn) << Typed;
        EXPECT_STREQ(szText, szResult) << Typed;
    }
    EXPECT_EQ(Korvid.GetChar(), (uint32_t)'c');   // what follows a return is left for later
}

// Modifiers follow engine keys 8 and 9, which the keyboard never sends, so its events carry none.
TEST_F(Input, KeyReleasesCarryTheTimeHeldSinceTheFirstPressInAQueueOfFifty)
{
    m_Platform.m_nNow = 0;   // Timer() reads 0, and the key must still count as down
    Korvid.KeyDown(SDLK_LSHIFT);
    m_Platform.Advance(40);
    Korvid.KeyDown(SDLK_a);
    m_Platform.Advance(50);
    Korvid.KeyDown(SDLK_a);   // the platform's key repeat
    EXPECT_EQ(Korvid.KeyDownTime(37), 40u);
    m_Platform.Advance(250);
    Korvid.KeyUp(SDLK_a);
    m_Platform.Advance(10);
    Korvid.KeyUp(SDLK_LSHIFT);
    Korvid.KeyUp(SDLK_LSHIFT);   // already up: no second release
    EXPECT_EQ(Drain(KEYS), Rows({{PRESS, 108, 0, 0, 0, 0}, {PRESS, 37, 0, 0, 0, 0}, {PRESS, 37, 0, 0, 0, 0},
                                 {RELEASE, 37, 300, 0, 0, 0}, {RELEASE, 108, 350, 0, 0, 0}}));
    EXPECT_EQ(Korvid.KeyDownTime(37), 0u);

    // The queue holds fifty, wraps, and starts clean after a flush.
    for (int n = 0; n < 51; ++n)
        Korvid.KeyDown(SDLK_a);
    EXPECT_EQ(Drain(KEYS).size(), 50u);
    for (int n = 0; n < 50; ++n)
        Korvid.KeyDown(SDLK_a);
    Korvid.GetKeyEvent();
    Korvid.KeyDown(SDLK_b);   // after reading one of fifty, one more fits and comes last
    Korvid.KeyDown(SDLK_c);
    EXPECT_EQ(Korvid.PeekKeyEvent().nCode, 37u);
    Rows Events = Drain(KEYS);
    ASSERT_EQ(Events.size(), 50u);
    EXPECT_EQ(Events.back()[1], 38);
    Korvid.KeyDown(SDLK_d);
    Korvid.FlushKeys();
    Korvid.SimulateKey(13);
    EXPECT_EQ(Drain(KEYS), Rows({{PRESS, 13, 0, 0, 0, 0}, {RELEASE, 13, 1, 0, 0, 0}}));
}

TEST_F(Input, MouseEventsCarryPositionAndHeldTimeAndHigherButtonsRaiseTheCount)
{
    Korvid.StartLog();
    Korvid.m_Config.nMouseButtons = 1;
    Korvid.SetMousePosition(30, 40, false, false);
    Korvid.MouseButtonDown(2);
    m_Platform.Advance(120);
    Korvid.SetMousePosition(35, 45, false, false);
    Korvid.MouseButtonDown(2);   // still down: queued again, down time kept
    m_Platform.Advance(80);
    Korvid.MouseButtonUp(2);
    Korvid.MouseButtonUp(2);   // not down any more: nothing
    for (uint16_t nCode : {(uint16_t)KOR_EVENT_FOCUS_LOST, (uint16_t)3})
        Korvid.MouseFocus(nCode);
    Korvid.SimulateClick(1, 100, 90);
    EXPECT_EQ(Korvid.PeekMouseEvent().nType, PRESS);
    EXPECT_EQ(Drain(MOUSE), Rows({{PRESS, 2, 0, 30, 40, 0}, {PRESS, 2, 0, 35, 45, 0}, {RELEASE, 2, 200, 35, 45, 0},
                                  {KOR_EVENT_FOCUS_LOST, 0, 0, 35, 45, 0}, {PRESS, 1, 0, 100, 90, 0},
                                  {RELEASE, 1, 1, 100, 90, 0}}));
    EXPECT_EQ(Korvid.MouseX(), 35);

    Korvid.MouseButtonDown(1);   // below the count: no line
    Korvid.MouseButtonDown(4);
    Korvid.MouseButtonDown(5);   // no such button: ignored
    EXPECT_EQ(Korvid.m_Config.nMouseButtons, 5);
    EXPECT_EQ(CountOf(LogMessages(), "Detected More Mouse Buttons (Presumed "), 2);
    EXPECT_TRUE(LogHas("Detected More Mouse Buttons (Presumed 5 buttons)"));
    // Asking with clear forgets the button, so its release is not queued.
    EXPECT_EQ(std::vector<bool>({Korvid.IsButtonDown(1), Korvid.IsButtonDown(1, true), Korvid.IsButtonDown(1),
                                 Korvid.IsButtonDown(7)}),
              std::vector<bool>({true, true, false, false}));
    Korvid.FlushMouse();
    Korvid.MouseButtonUp(1);
    EXPECT_EQ(Korvid.GetMouseEvent().nType, KOR_EVENT_NONE);
}

// Positions are display pixels, kept on the display; the platform maps window
// pixels to them through the picture's place in the window (ScaledView.h).
TEST_F(Input, MousePositionMovesRelativelySmoothlyStaysOnTheDisplayAndComesBackFromTheWindow)
{
    for (auto [nX, nY, bRelative, bSmooth, nMouseX, nMouseY, nDX, nDY] :
         std::vector<std::tuple<int32_t, int32_t, bool, bool, int, int, int, int>>{
             {100, 50, false, false, 100, 50, 100, 50}, {10, -20, true, false, 110, 30, 10, -20},
             {210, 31, false, true, 160, 30, 50, 0}, {-40, 500, false, false, 0, 239, -200, 470},
             {400, 0, false, false, 319, 0, 400, -239}, {-5, 3, true, false, 314, 3, -5, 3}}) {
        Korvid.SetMousePosition(nX, nY, bRelative, bSmooth);
        EXPECT_EQ(std::vector<int>({Korvid.MouseX(), Korvid.MouseY(), Korvid.MouseDX(), Korvid.MouseDY()}),
                  std::vector<int>({nMouseX, nMouseY, nDX, nDY}))
            << nX << "," << nY;
    }
    // With a display open, the SDL window is resized behind the engine's back.
    Start();
    for (auto [nWidth, nHeight, nX, nY, nMouseX, nMouseY] : std::vector<std::tuple<int, int, int, int, int, int>>{
             {640, 480, 100, 300, 50, 150}, {640, 480, 639, 479, 319, 239}, {700, 500, 30, 10, 0, 0},
             {700, 500, 130, 200, 50, 95}, {160, 240, 100, 100, 200, 80}}) {
        ASSERT_EQ(SDL_SetVideoMode(nWidth, nHeight, 16, 0), Korvid.Surface());
        InjectMouseMove((Uint16)nX, (Uint16)nY);
        PumpAllEvents();
        EXPECT_EQ(std::make_pair((int)Korvid.MouseX(), (int)Korvid.MouseY()), std::make_pair(nMouseX, nMouseY)) << nX;
    }
    Stop();
}

// The engine started, and whatever SDL queued while it started thrown away.
class EventPump : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        Start();
        for (SDL_Event Flush; SDL_PollEvent(&Flush);) {
        }
    }
    void TearDown() override { Stop(); }
};

TEST_F(EventPump, KeysButtonsMotionAndFocusArriveAsEngineInputAndHotKeysAct)
{
    InjectKeyPress(SDLK_a, KMOD_NONE, 'a');
    for (Uint8 nButton : {1, 2, 3, 4})   // left, middle, right; the wheel is no button here
        InjectClick(nButton, 40, 30);
    InjectActive(SDL_APPINPUTFOCUS, false);
    InjectActive(SDL_APPACTIVE, true);
    InjectActive(SDL_APPINPUTFOCUS | SDL_APPACTIVE, false);   // only pure focus or activity changes count
    InjectActive(SDL_APPMOUSEFOCUS, true);
    InjectMouseMove(123, 45);
    PumpAllEvents();
    EXPECT_EQ(Drain(KEYS), Rows({{PRESS, 37, 0, 0, 0, 0}, {RELEASE, 37, 0, 0, 0, 0}}));
    EXPECT_EQ(Korvid.GetChar(), (uint32_t)'a');
    Rows Mouse;
    for (const auto& Row : Drain(MOUSE))
        Mouse.push_back({Row[0], Row[1]});
    EXPECT_EQ(Mouse, Rows({{PRESS, 0}, {RELEASE, 0}, {PRESS, 2}, {RELEASE, 2}, {PRESS, 1}, {RELEASE, 1},
                           {KOR_EVENT_FOCUS_LOST, 0}, {KOR_EVENT_FOCUS_GAINED, 0}}));
    EXPECT_EQ(std::make_pair((int)Korvid.MouseX(), (int)Korvid.MouseY()), std::make_pair(123, 45));

    // Hot keys act, and arrive as ordinary keys too.
    InjectKeyDown(SDLK_z, KMOD_LCTRL);
    InjectKeyDown(SDLK_g, KMOD_RCTRL);
    PumpAllEvents();
    EXPECT_EQ(Drain(KEYS), Rows({{PRESS, 37 + 'z' - 'a', 0, 123, 45, 0}, {PRESS, 37 + 'g' - 'a', 0, 123, 45, 0}}));
    // The engine's mode and the SDL surface's flag, before and after each Return.
    auto Mode = [] { return std::make_pair((int)Korvid.WindowMode(), !!(Korvid.Surface()->flags & SDL_FULLSCREEN)); };
    std::vector<std::pair<int, bool>> Modes = {Mode()};
    for (SDLMod nMod : {KMOD_LALT, KMOD_RALT, KMOD_NONE}) {
        InjectKeyDown(SDLK_RETURN, nMod);
        PumpAllEvents();
        Modes.push_back(Mode());
    }
    EXPECT_EQ(Modes, (std::vector<std::pair<int, bool>>{
                         {KOR_WINDOWED, false}, {KOR_FULLSCREEN, true}, {KOR_WINDOWED, false}, {KOR_WINDOWED, false}}));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Ctrl-Z Screen Minimize!", "Ctrl-G - Grab Input!",
                                                "Alt-Return Screen Toggle!", "Alt-Return Screen Toggle!"}));
}

}  // namespace
