// Mouse buttons, focus events and the mouse position, including the mapping
// from window pixels to display pixels when the two differ in size.
#include <SDL/SDL.h>

#include "CoreTest.h"

namespace {

using InputMouse = CoreTest;

TEST_F(InputMouse, ButtonEventsCarryPositionAndHeldTimeAndHigherButtonsRaiseTheCount)
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
    std::vector<std::vector<int>> Events;
    for (KorvidEvent Event = Korvid.GetMouseEvent(); Event.nType; Event = Korvid.GetMouseEvent())
        Events.push_back({Event.nType, (int)Event.nCode, Event.nX, Event.nY, (int)Event.nHeldTime});
    EXPECT_EQ(Events, std::vector<std::vector<int>>({{KOR_EVENT_PRESS, 2, 30, 40, 0},
                                                     {KOR_EVENT_PRESS, 2, 35, 45, 0},
                                                     {KOR_EVENT_RELEASE, 2, 35, 45, 200}}));

    Korvid.MouseButtonDown(1);   // below the count: no line
    Korvid.MouseButtonDown(4);
    Korvid.MouseButtonDown(5);   // no such button: ignored
    EXPECT_EQ(Korvid.m_Config.nMouseButtons, 5);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Detected More Mouse Buttons (Presumed 3 buttons)",
                                                "Detected More Mouse Buttons (Presumed 5 buttons)"}));
    EXPECT_EQ(CountOf(LogMessages(), "Detected More Mouse Buttons"), 2);

    // Asking with clear forgets the button, so its release is not queued.
    EXPECT_TRUE(Korvid.IsButtonDown(1));
    EXPECT_TRUE(Korvid.IsButtonDown(1, true));
    EXPECT_FALSE(Korvid.IsButtonDown(1));
    EXPECT_FALSE(Korvid.IsButtonDown(7));
    Korvid.FlushMouse();
    Korvid.MouseButtonUp(1);
    EXPECT_EQ(Korvid.GetMouseEvent().nType, KOR_EVENT_NONE);
}

TEST_F(InputMouse, FocusChangesAndSimulatedClicksQueueTheirOwnEvents)
{
    for (uint16_t nCode : {(uint16_t)KOR_EVENT_FOCUS_LOST, (uint16_t)KOR_EVENT_FOCUS_GAINED, (uint16_t)3})
        Korvid.MouseFocus(nCode);
    Korvid.SetMousePosition(5, 5, false, false);
    Korvid.SimulateClick(2, 100, 90);
    EXPECT_EQ(Korvid.PeekMouseEvent().nType, KOR_EVENT_FOCUS_LOST);
    std::vector<std::vector<int>> Events;
    for (KorvidEvent Event = Korvid.GetMouseEvent(); Event.nType; Event = Korvid.GetMouseEvent())
        Events.push_back({Event.nType, (int)Event.nCode, Event.nX, Event.nY, (int)Event.nHeldTime});
    EXPECT_EQ(Events, std::vector<std::vector<int>>({{KOR_EVENT_FOCUS_LOST, 0, 0, 0, 0},
                                                     {KOR_EVENT_FOCUS_GAINED, 0, 0, 0, 0},
                                                     {KOR_EVENT_PRESS, 2, 100, 90, 0},
                                                     {KOR_EVENT_RELEASE, 2, 100, 90, 1}}));
    EXPECT_EQ(Korvid.MouseX(), 5);
}

// Without a display the window counts as the default 320x240 display.
TEST_F(InputMouse, PositionMovesRelativelySmoothlyAndStaysOnTheDisplay)
{
    struct Step {
        int32_t nX, nY;
        bool bRelative, bSmooth;
        int nMouseX, nMouseY, nDX, nDY;
    };
    for (const Step& S : {Step{100, 50, false, false, 100, 50, 100, 50}, Step{10, -20, true, false, 110, 30, 10, -20},
                          Step{210, 31, false, true, 160, 30, 50, 0}, Step{-40, 500, false, false, 0, 239, -200, 470},
                          Step{400, 0, false, false, 319, 0, 400, -239}, Step{-5, 3, true, false, 314, 3, -5, 3}}) {
        Korvid.SetMousePosition(S.nX, S.nY, S.bRelative, S.bSmooth);
        EXPECT_EQ(std::vector<int>({Korvid.MouseX(), Korvid.MouseY(), Korvid.MouseDX(), Korvid.MouseDY()}),
                  std::vector<int>({S.nMouseX, S.nMouseY, S.nDX, S.nDY}))
            << S.nX << "," << S.nY;
    }
}

// The SDL window is resized behind the engine's back, so that window and display differ.
TEST_F(InputMouse, WindowPixelsAreScaledToTheDisplay)
{
    Start();
    struct Case {
        int nWindowWidth, nWindowHeight, nX, nY, nMouseX, nMouseY;
    };
    for (Case C : {Case{640, 480, 100, 300, 50, 150}, Case{640, 480, 639, 479, 319, 239},
                   Case{160, 240, 100, 100, 200, 100}}) {
        ASSERT_EQ(SDL_SetVideoMode(C.nWindowWidth, C.nWindowHeight, 16, 0), Korvid.Surface());
        Korvid.SetMousePosition(C.nX, C.nY, false, false);
        EXPECT_EQ(Korvid.MouseX(), C.nMouseX) << C.nWindowWidth << ": " << C.nX;
        EXPECT_EQ(Korvid.MouseY(), C.nMouseY) << C.nWindowWidth << ": " << C.nY;
    }
    EXPECT_EQ(Korvid.DisplayWidth(), 320);
    Stop();
}

}  // namespace
