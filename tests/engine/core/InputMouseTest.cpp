// Mouse buttons, focus events and the mouse position, including the mapping
// from window pixels to display pixels when the two differ in size.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include "support/TestApp.h"
#include "support/TestPlatform.h"

namespace {

class InputMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
    }

    // Starts the engine on a 320x240 window, then resizes the SDL window behind
    // the engine's back so that window and display differ.
    void StartWithWindow(int nWindowWidth, int nWindowHeight)
    {
        g_TestApp.Config = [] { Korvid.ChangeDisplayMode(320, 240, 16, KOR_WINDOWED); };
        ASSERT_TRUE(Korvid.Init());
        SDL_Surface* pSurface = SDL_SetVideoMode(nWindowWidth, nWindowHeight, 16, 0);
        ASSERT_EQ(pSurface, Korvid.Surface());
        ASSERT_EQ(Korvid.DisplayWidth(), 320);
    }

    VirtualClockPlatform m_Platform;
};

TEST_F(InputMouse, ButtonPressAndReleaseCarryPositionAndHeldTime)
{
    Korvid.SetMousePosition(30, 40, false, false);
    Korvid.MouseButtonDown(0);
    m_Platform.Advance(120);
    Korvid.SetMousePosition(35, 45, false, false);
    Korvid.MouseButtonDown(0);   // still down: queued again, down time kept
    m_Platform.Advance(80);
    Korvid.MouseButtonUp(0);
    Korvid.MouseButtonUp(0);     // not down any more: nothing

    KorvidEvent Events[4];
    for (KorvidEvent& Event : Events)
        Event = Korvid.GetMouseEvent();
    EXPECT_EQ(Events[0].nType, KOR_EVENT_PRESS);
    EXPECT_EQ(Events[0].nX, 30);
    EXPECT_EQ(Events[0].nY, 40);
    EXPECT_EQ(Events[1].nType, KOR_EVENT_PRESS);
    EXPECT_EQ(Events[1].nX, 35);
    EXPECT_EQ(Events[2].nType, KOR_EVENT_RELEASE);
    EXPECT_EQ(Events[2].nHeldTime, 200u);
    EXPECT_EQ(Events[2].nY, 45);
    EXPECT_EQ(Events[3].nType, KOR_EVENT_NONE);
}

TEST_F(InputMouse, HigherButtonsRaiseTheButtonCountOnce)
{
    Korvid.StartLog();
    Korvid.m_Config.nMouseButtons = 1;
    Korvid.MouseButtonDown(2);
    Korvid.MouseButtonUp(2);
    Korvid.MouseButtonDown(2);
    Korvid.MouseButtonDown(1);   // below the count: no line
    Korvid.MouseButtonDown(4);
    Korvid.MouseButtonDown(5);   // no such button: ignored
    EXPECT_EQ(Korvid.m_Config.nMouseButtons, 5);
    auto Log = LogMessages();
    int nLines = 0;
    for (const std::string& Line : Log)
        nLines += Line.rfind("Detected More Mouse Buttons", 0) == 0;
    EXPECT_EQ(nLines, 2);
    EXPECT_TRUE(ContainsInOrder(Log, {"Detected More Mouse Buttons (Presumed 3 buttons)",
                                      "Detected More Mouse Buttons (Presumed 5 buttons)"}));
}

TEST_F(InputMouse, IsButtonDownWithClearForgetsTheButton)
{
    Korvid.MouseButtonDown(1);
    EXPECT_TRUE(Korvid.IsButtonDown(1));
    EXPECT_TRUE(Korvid.IsButtonDown(1, true));
    EXPECT_FALSE(Korvid.IsButtonDown(1));
    EXPECT_FALSE(Korvid.IsButtonDown(7));
    Korvid.FlushMouse();
    Korvid.MouseButtonUp(1);   // cleared, so the release is not queued
    EXPECT_EQ(Korvid.GetMouseEvent().nType, KOR_EVENT_NONE);
}

TEST_F(InputMouse, FocusChangesQueueTheirOwnEventTypes)
{
    Korvid.MouseFocus(KOR_EVENT_FOCUS_LOST);
    Korvid.MouseFocus(KOR_EVENT_FOCUS_GAINED);
    Korvid.MouseFocus(3);
    KorvidEvent Lost = Korvid.GetMouseEvent(), Gained = Korvid.GetMouseEvent();
    EXPECT_EQ(Lost.nType, KOR_EVENT_FOCUS_LOST);
    EXPECT_EQ(Lost.nCode, 0u);
    EXPECT_EQ(Gained.nType, KOR_EVENT_FOCUS_GAINED);
    EXPECT_EQ(Korvid.PeekMouseEvent().nType, KOR_EVENT_NONE);
}

TEST_F(InputMouse, SimulatedClickUsesTheGivenPosition)
{
    Korvid.SetMousePosition(5, 5, false, false);
    Korvid.SimulateClick(2, 100, 90);
    KorvidEvent Press = Korvid.GetMouseEvent(), Release = Korvid.GetMouseEvent();
    EXPECT_EQ(Press.nType, KOR_EVENT_PRESS);
    EXPECT_EQ(Press.nCode, 2u);
    EXPECT_EQ(Press.nX, 100);
    EXPECT_EQ(Release.nType, KOR_EVENT_RELEASE);
    EXPECT_EQ(Release.nHeldTime, 1u);
    EXPECT_EQ(Release.nY, 90);
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
    const Step Steps[] = {
        {100, 50, false, false, 100, 50, 100, 50},
        {10, -20, true, false, 110, 30, 10, -20},
        {210, 31, false, true, 160, 30, 50, 0},
        {-40, 500, false, false, 0, 239, -200, 470},
        {400, 0, false, false, 319, 0, 400, -239},
        {-5, 3, true, false, 314, 3, -5, 3},
    };
    for (const Step& S : Steps) {
        Korvid.SetMousePosition(S.nX, S.nY, S.bRelative, S.bSmooth);
        EXPECT_EQ(Korvid.MouseX(), S.nMouseX) << S.nX << "," << S.nY;
        EXPECT_EQ(Korvid.MouseY(), S.nMouseY) << S.nX << "," << S.nY;
        EXPECT_EQ(Korvid.MouseDX(), S.nDX) << S.nX << "," << S.nY;
        EXPECT_EQ(Korvid.MouseDY(), S.nDY) << S.nX << "," << S.nY;
    }
}

TEST_F(InputMouse, WindowTwiceTheDisplayHalvesCoordinates)
{
    StartWithWindow(640, 480);
    Korvid.SetMousePosition(100, 300, false, false);
    EXPECT_EQ(Korvid.MouseX(), 50);
    EXPECT_EQ(Korvid.MouseY(), 150);
    Korvid.SetMousePosition(639, 479, false, false);
    EXPECT_EQ(Korvid.MouseX(), 319);
    EXPECT_EQ(Korvid.MouseY(), 239);
    Korvid.ShutDown();
    Korvid.FinalShutDown();
}

TEST_F(InputMouse, WindowSmallerThanTheDisplayStretchesCoordinates)
{
    StartWithWindow(160, 240);
    Korvid.SetMousePosition(100, 100, false, false);
    EXPECT_EQ(Korvid.MouseX(), 200);
    EXPECT_EQ(Korvid.MouseY(), 100);
    Korvid.ShutDown();
    Korvid.FinalShutDown();
}

}  // namespace
