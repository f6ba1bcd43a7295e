// SDL events through the platform's pump into the engine's input queues.
#include <gtest/gtest.h>

#include "support/TestApp.h"
#include "support/TestInput.h"
#include "support/TestPlatform.h"

namespace {

class EventPump : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        g_TestApp.Config = [] { Korvid.ChangeDisplayMode(320, 240, 16, KOR_WINDOWED); };
        ASSERT_TRUE(Korvid.Init());
        SDL_Event Flush;
        while (SDL_PollEvent(&Flush)) {
        }
    }
    void TearDown() override
    {
        Korvid.ShutDown();
        Korvid.FinalShutDown();
    }
    VirtualClockPlatform m_Platform;
};

TEST_F(EventPump, KeysArriveAsEngineKeysWithTheirCharacters)
{
    InjectKeyDown(SDLK_a, KMOD_NONE, 'a');
    m_Platform.Advance(300);
    InjectKeyUp(SDLK_a);
    PumpAllEvents();
    KorvidEvent Press = Korvid.GetKeyEvent();
    KorvidEvent Release = Korvid.GetKeyEvent();
    EXPECT_EQ(Press.nType, KOR_EVENT_PRESS);
    EXPECT_EQ(Press.nCode, 37u);   // engine keys 37..62 are a..z
    EXPECT_EQ(Release.nType, KOR_EVENT_RELEASE);
    EXPECT_EQ(Release.nCode, 37u);
    EXPECT_EQ(Korvid.GetKeyEvent().nType, KOR_EVENT_NONE);
    EXPECT_EQ(Korvid.GetChar(), (uint32_t)'a');
    EXPECT_EQ(Korvid.GetChar(), 0u);
}

TEST_F(EventPump, SDLMouseButtonsMapToEngineButtons)
{
    struct Case {
        Uint8 nSDLButton;
        uint32_t nEngineButton;
    };
    for (const Case& Each : {Case{1, 0}, Case{2, 2}, Case{3, 1}}) {
        InjectMouseButton(Each.nSDLButton, true, 40, 30);
        PumpAllEvents();
        KorvidEvent Press = Korvid.GetMouseEvent();
        EXPECT_EQ(Press.nType, KOR_EVENT_PRESS) << (int)Each.nSDLButton;
        EXPECT_EQ(Press.nCode, Each.nEngineButton) << (int)Each.nSDLButton;
        EXPECT_TRUE(Korvid.IsButtonDown(Each.nEngineButton, true));
    }
    InjectMouseButton(4, true, 0, 0);   // the wheel is not a button here
    PumpAllEvents();
    EXPECT_EQ(Korvid.GetMouseEvent().nType, KOR_EVENT_NONE);
}

TEST_F(EventPump, MotionMovesTheMousePosition)
{
    InjectMouseMove(123, 45);
    PumpAllEvents();
    EXPECT_EQ(Korvid.MouseX(), 123);
    EXPECT_EQ(Korvid.MouseY(), 45);
}

TEST_F(EventPump, OnlyPureFocusOrActivityChangesAreReported)
{
    InjectActive(SDL_APPINPUTFOCUS, false);
    InjectActive(SDL_APPACTIVE, true);
    InjectActive(SDL_APPINPUTFOCUS | SDL_APPACTIVE, false);
    InjectActive(SDL_APPMOUSEFOCUS, true);
    PumpAllEvents();
    EXPECT_EQ(Korvid.GetMouseEvent().nType, KOR_EVENT_FOCUS_LOST);
    EXPECT_EQ(Korvid.GetMouseEvent().nType, KOR_EVENT_FOCUS_GAINED);
    EXPECT_EQ(Korvid.GetMouseEvent().nType, KOR_EVENT_NONE);
}

TEST_F(EventPump, HotKeysAreAlsoDeliveredAsOrdinaryKeys)
{
    InjectKeyPress(SDLK_z, KMOD_LCTRL);
    PumpAllEvents();
    EXPECT_NE(IndexOf(LogMessages(), "Ctrl-Z Screen Minimize!"), -1);
    KorvidEvent Press = Korvid.GetKeyEvent();
    EXPECT_EQ(Press.nType, KOR_EVENT_PRESS);
    EXPECT_EQ(Press.nCode, 37u + ('z' - 'a'));
}

TEST_F(EventPump, AltReturnTogglesBetweenWindowAndFullScreen)
{
    auto Press = [](SDLMod nMod) {
        InjectKeyDown(SDLK_RETURN, nMod);
        PumpAllEvents();
    };
    EXPECT_EQ(Korvid.WindowMode(), KOR_WINDOWED);
    Press(KMOD_LALT);
    EXPECT_EQ(Korvid.WindowMode(), KOR_FULLSCREEN);
    Press(KMOD_RALT);
    EXPECT_EQ(Korvid.WindowMode(), KOR_WINDOWED);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Alt-Return Screen Toggle!",
                                                "SDL: SDL_SetVideoMode(320, 240, 16, SDL_HWSURFACE|SDL_DOUBLEBUF|SDL_FULLSCREEN)",
                                                "Alt-Return Screen Toggle!",
                                                "SDL: SDL_SetVideoMode(320, 240, 16, SDL_HWSURFACE|SDL_DOUBLEBUF)"}));
    Press(KMOD_NONE);
    EXPECT_EQ(Korvid.WindowMode(), KOR_WINDOWED);
}

TEST(ThousandFrames, RunOnTheVirtualClockWithInputEveryFrame)
{
    EnterScratchDirectory();
    VirtualClockPlatform Platform;
    Korvid.SetPlatform(&Platform);
    g_TestApp.Config = [] {
        Korvid.ChangeDisplayMode(320, 240, 16, KOR_WINDOWED);
        Korvid.SetFrameRate(50);
    };
    int nClicks = 0;
    g_TestApp.Frame = [&nClicks] {
        for (KorvidEvent Event = Korvid.GetMouseEvent(); Event.nType; Event = Korvid.GetMouseEvent())
            nClicks += Event.nType == KOR_EVENT_PRESS;
        if (g_TestApp.nFrameCalls == 1000)
            Korvid.Quit();
        else
            InjectClick(1, (Uint16)(g_TestApp.nFrameCalls % 320), 10);
    };
    ASSERT_TRUE(Korvid.Init());
    uint32_t nStart = Platform.m_nNow;
    Korvid.MessageLoop();
    EXPECT_EQ(g_TestApp.nFrameCalls, 1000);
    EXPECT_EQ(nClicks, 999);
    EXPECT_EQ(Platform.m_nNow - nStart, 1000u * 19u + 200u);   // 19 ms frames, then the display close
}

}  // namespace
