// Play without a mouse, through the engine's event path: keys and a gamepad
// steer, launch, fire and pause; losing the window pauses play; F12 saves the
// picture.
#include <SDL/SDL.h>

#include "Keys.h"
#include "Screenshot.h"
#include "Shots.h"
#include "game/GameFixture.h"
#include "services/ChunkyPng.h"
#include "support/TestInput.h"

namespace {

using namespace gametest;

class Controls : public GameStart {
protected:
    // The paddle's x after each of nFrames frames.
    std::vector<int> Track(int nFrames)
    {
        std::vector<int> Out;
        for (int n = 0; n < nFrames; ++n) {
            Frames();
            Out.push_back(g_Paddles[0].x);
        }
        return Out;
    }
    // One key event, and the frame that takes it (a frame takes one).
    void Key(SDLKey Key, bool bDown)
    {
        bDown ? InjectKeyDown(Key) : InjectKeyUp(Key);
        PumpAllEvents();
        Frames();
    }
    void Pad(Uint8 nType, Uint8 nWhich, Sint16 nValue)
    {
        SDL_Event Event = {};
        Event.type = nType;
        if (nType == SDL_JOYAXISMOTION)
            std::tie(Event.jaxis.axis, Event.jaxis.value) = std::make_tuple(nWhich, nValue);
        else
            Event.jbutton.button = nWhich;
        SDL_PushEvent(&Event);
        PumpAllEvents();
        Frames(2);
    }
};

TEST_F(Controls, KeysAndAGamepadSteerWithAShortRunUpLaunchFireAndPause)
{
    StartPlay();
    Frames();
    Key(SDLK_RIGHT, true);
    const std::vector<int> Right = Track(25);
    Key(SDLK_RIGHT, false);
    // Each frame's step grows to full speed (18 pixels a frame) within a quarter
    // of a second, then the paddle stops at the wall.
    std::vector<int> Steps;
    for (size_t n = 1; n < 14; ++n)
        Steps.push_back(Right[n] - Right[n - 1]);
    EXPECT_TRUE(std::is_sorted(Steps.begin(), Steps.end()));
    EXPECT_EQ(Pair(Steps.front() < 9, Steps.back()), Pair(true, 18));
    EXPECT_EQ(Right.back(), PADDLE_FIELD_RIGHT - g_Paddles[0].Width());
    Key(SDLK_a, true);
    const std::vector<int> Left = Track(3);
    Key(SDLK_a, false);
    EXPECT_LT(Left[2], Left[0]);

    g_Paddles[0].nLaserLevel = 1;
    auto Shots = [] { return std::count_if(std::begin(g_Shots), std::end(g_Shots), [](const Shot& S) { return S.bActive; }); };
    // Ctrl-Z and Ctrl-G are the window's keys: Left Ctrl fires only when pressed alone.
    for (SDLKey nWith : {SDLK_z, SDLK_g}) {
        Key(SDLK_LCTRL, true);
        InjectKeyPress(nWith, KMOD_LCTRL);
        PumpAllEvents();
        Frames(2);
        Key(SDLK_LCTRL, false);
    }
    EXPECT_EQ(Shots(), 0);
    Key(SDLK_LCTRL, true);
    Key(SDLK_LCTRL, false);
    EXPECT_EQ(Shots(), 1);
    EXPECT_FALSE(g_bBallsLaunched);
    Pad(SDL_JOYBUTTONDOWN, 0, 0);
    Pad(SDL_JOYBUTTONUP, 0, 0);
    EXPECT_TRUE(g_bBallsLaunched);

    const int nBefore = g_Paddles[0].x;
    Pad(SDL_JOYAXISMOTION, 0, -30000);
    Pad(SDL_JOYAXISMOTION, 0, -200);   // back in the dead zone: the arrow key is let go
    EXPECT_LT(g_Paddles[0].x, nBefore);
    EXPECT_FALSE(Korvid.KeyHeld(GAME_KEY_LEFT));
    Pad(SDL_JOYBUTTONDOWN, 7, 0);
    Pad(SDL_JOYBUTTONUP, 7, 0);
    EXPECT_TRUE(g_bHalted);
    // Halted, nothing steers; P (the game's own key) ends the pause as before.
    const int nHalted = g_Paddles[0].x;
    Key(SDLK_LEFT, true);
    Frames(4);
    Key(SDLK_LEFT, false);
    EXPECT_EQ(g_Paddles[0].x, nHalted);
    Press(GAME_KEY_P);
    EXPECT_FALSE(g_bHalted);

    // Letters of a name being typed do not steer.
    g_nScoreEntry = GAME_SCORE_ENTRY_NAME;
    g_bHalted = 0;
    Key(SDLK_d, true);
    Frames(4);
    Key(SDLK_d, false);
    EXPECT_EQ(g_Paddles[0].x, nHalted);
}

TEST_F(Controls, LosingTheWindowPausesPlayButNotTheNameEntryAndTheSettingTurnsItOff)
{
    StartPlay();
    for (Uint8 nState : {(Uint8)SDL_APPINPUTFOCUS, (Uint8)SDL_APPACTIVE}) {
        g_bHalted = 0;
        InjectActive(nState, false);
        PumpAllEvents();
        Frames();
        EXPECT_TRUE(g_bHalted) << (int)nState;
        InjectActive(nState, true);   // coming back leaves the pause to the player
        PumpAllEvents();
        Frames();
        EXPECT_TRUE(g_bHalted) << (int)nState;
    }
    g_nScoreEntry = GAME_SCORE_ENTRY_NAME;
    InjectActive(SDL_APPINPUTFOCUS, false);
    PumpAllEvents();
    Frames();
    EXPECT_EQ(std::make_pair((int)g_bHalted, g_nScoreEntry), std::make_pair(1, GAME_SCORE_ENTRY_NAME));

    g_nScoreEntry = GAME_SCORE_ENTRY_NONE;
    g_bHalted = 0;
    g_nFocusPause = 0;
    InjectActive(SDL_APPINPUTFOCUS, false);
    PumpAllEvents();
    Frames();
    EXPECT_FALSE(g_bHalted);
    g_nFocusPause = 1;
}

TEST_F(Controls, F12SavesTheBackBufferIntoThePicturesFolderElseTheGamesOwn)
{
    const std::string Home = m_ScratchDir + "/home";
    std::filesystem::create_directories(Home + "/.config");
    WriteFileText(Home + "/.config/user-dirs.dirs", "# made by hand\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    const char* szHome = getenv("HOME");
    const std::string OldHome = szHome ? szHome : "";
    setenv("HOME", Home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    setenv("XDG_DATA_HOME", (m_ScratchDir + "/share").c_str(), 1);
    StartPlay();
    Frames();
    Press(GAME_KEY_F12);
    std::vector<std::string> Saved;
    for (const auto& Entry : std::filesystem::directory_iterator(Home + "/Bilder"))
        Saved.push_back(Entry.path().filename().string());
    ASSERT_EQ(Saved.size(), 1u);
    EXPECT_TRUE(Saved[0].rfind("tamborel2-", 0) == 0 && Saved[0].size() == 29) << Saved[0];
    EXPECT_TRUE(LogHas("Tamborel: Screenshot saved to '" + Home + "/Bilder/" + Saved[0] + "'"));
    ASSERT_TRUE(ReadChunkyPng(GAME_CHUNKY_SCRATCH, Home + "/Bilder/" + Saved[0]));
    ASSERT_EQ(Pair(Korvid.ChunkyWidth(GAME_CHUNKY_SCRATCH), Korvid.ChunkyHeight(GAME_CHUNKY_SCRATCH)), Pair(800, 600));
    EXPECT_EQ(memcmp(Korvid.ChunkyBuffer(GAME_CHUNKY_SCRATCH), Korvid.ChunkyBuffer(0), 800 * 600 * 2), 0);

    // A file that names home itself (no pictures folder), or none at all: the game's own folder.
    for (const char* szDirs : {"XDG_PICTURES_DIR=\"$HOME/\"\n", ""}) {
        WriteFileText(Home + "/.config/user-dirs.dirs", szDirs);
        EXPECT_EQ(GameScreenshotFolder(), m_ScratchDir + "/share/tamborel2/screenshots/");
    }
    setenv("HOME", OldHome.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
}

}  // namespace
