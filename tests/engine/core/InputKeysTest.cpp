// Keys and typed characters: translation from SDL key symbols, the event
// sequence with held times, the queue limit, EditString and simulated keys.
#include <SDL/SDL_keysym.h>

#include "CoreTest.h"

namespace {

using InputKeys = CoreTest;
using Rows = std::vector<std::vector<uint32_t>>;

// Drains the key queue into (type, code, held time, modifiers) rows.
Rows DrainKeys()
{
    Rows Events;
    for (KorvidEvent Event = Korvid.GetKeyEvent(); Event.nType != KOR_EVENT_NONE; Event = Korvid.GetKeyEvent())
        Events.push_back({Event.nType, Event.nCode, Event.nHeldTime, Event.nModifiers});
    return Events;
}

// Symbols the table lists twice take the higher engine key: Shift arrives as 108, never as 8.
TEST_F(InputKeys, TranslationTakesTheHighestEngineKeyAndUnknownKeysQueueNothing)
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
}

// Modifiers follow engine keys 8 and 9, which the keyboard never sends, so its events carry none.
TEST_F(InputKeys, ReleasesCarryTheTimeHeldSinceTheFirstPress)
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
    EXPECT_EQ(DrainKeys(), Rows({{KOR_EVENT_PRESS, 108, 0, 0},
                                 {KOR_EVENT_PRESS, 37, 0, 0},
                                 {KOR_EVENT_PRESS, 37, 0, 0},
                                 {KOR_EVENT_RELEASE, 37, 300, 0},
                                 {KOR_EVENT_RELEASE, 108, 350, 0}}));
    EXPECT_EQ(Korvid.KeyDownTime(37), 0u);
}

TEST_F(InputKeys, TheQueueHoldsFiftyWrapsAndRestartsCleanAfterAFlush)
{
    for (int n = 0; n < 51; ++n)
        Korvid.KeyDown(SDLK_a);
    EXPECT_EQ(DrainKeys().size(), 50u);
    // After reading one of fifty, one more fits and comes last.
    for (int n = 0; n < 50; ++n)
        Korvid.KeyDown(SDLK_a);
    Korvid.GetKeyEvent();
    Korvid.KeyDown(SDLK_b);
    Korvid.KeyDown(SDLK_c);   // dropped
    EXPECT_EQ(Korvid.PeekKeyEvent().nCode, 37u);
    Rows Events = DrainKeys();
    ASSERT_EQ(Events.size(), 50u);
    EXPECT_EQ(Events.back()[1], 38u);

    Korvid.KeyDown(SDLK_d);
    Korvid.FlushKeys();
    EXPECT_EQ(Korvid.GetKeyEvent().nType, KOR_EVENT_NONE);
    Korvid.SimulateKey(13);
    EXPECT_EQ(DrainKeys(), Rows({{KOR_EVENT_PRESS, 13, 0, 0}, {KOR_EVENT_RELEASE, 13, 1, 0}}));
}

TEST_F(InputKeys, CharactersQueueInOrderAndEditStringAppendsDeletesAndStopsAtReturn)
{
    for (uint32_t nChar : {(uint32_t)'H', 0u, 0xE4u})
        Korvid.TypedChar(nChar);   // 0 is no character
    EXPECT_EQ(Korvid.PeekChar(), (uint32_t)'H');
    EXPECT_EQ(Korvid.GetChar(), (uint32_t)'H');
    EXPECT_EQ(Korvid.GetChar(), 0xE4u);
    EXPECT_EQ(Korvid.GetChar(), 0u);
    Korvid.TypedChar('x');
    Korvid.FlushChars();
    EXPECT_EQ(Korvid.GetChar(), 0u);

    struct Case {
        const char* szStart;
        std::string Typed;
        int nMax;
        const char* szResult;
        bool bGoesOn;
    };
    for (const Case& C : {Case{"", "abcdefg\r", 5, "abcde", false}, Case{"", "abcdefg", 5, "abcde", true},
                          Case{"Name", "\b\bx", 10, "Nax", true}, Case{"ab", "\b\b\b\bz", 10, "z", true},
                          Case{"", std::string("a\x01\x1f b\x7f\xe9", 7), 20, "a b\x7f\xe9", true},
                          Case{"", "", 10, "", true}, Case{"", "ab\rcd", 10, "ab", false}}) {
        Korvid.FlushChars();
        char szText[32];
        snprintf(szText, sizeof(szText), "%s", C.szStart);
        for (unsigned char c : C.Typed)
            Korvid.TypedChar(c);
        EXPECT_EQ(Korvid.EditString(szText, C.nMax), C.bGoesOn) << C.Typed;
        EXPECT_STREQ(szText, C.szResult) << C.Typed;
    }
    EXPECT_EQ(Korvid.GetChar(), (uint32_t)'c');   // what follows a return is left for later
}

}  // namespace
