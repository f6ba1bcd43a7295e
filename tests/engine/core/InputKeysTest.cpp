// Keys and typed characters: translation from SDL key symbols, the event
// sequence with held times, the queue limit, EditString and simulated keys.
#include <SDL/SDL_keysym.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestApp.h"
#include "support/TestPlatform.h"

namespace {

constexpr int KEY_A = 37;
constexpr int KEY_LEFT_SHIFT = 108;

class InputKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);   // Timer() reads the virtual clock
    }

    // Drains the key queue into (type, code, held time, modifiers) rows.
    static std::vector<std::vector<uint32_t>> DrainKeys()
    {
        std::vector<std::vector<uint32_t>> Events;
        for (KorvidEvent Event = Korvid.GetKeyEvent(); Event.nType != KOR_EVENT_NONE; Event = Korvid.GetKeyEvent())
            Events.push_back({Event.nType, Event.nCode, Event.nHeldTime, Event.nModifiers});
        return Events;
    }

    static void TypeText(const std::string& Text)
    {
        for (unsigned char c : Text)
            Korvid.TypedChar(c);
    }

    VirtualClockPlatform m_Platform;
};

TEST_F(InputKeys, TranslationFollowsTheTableWithTheHighestEngineKeyWinning)
{
    struct Case {
        uint32_t nSym;
        int nEngineKey;
    };
    const Case Cases[] = {
        {SDLK_BACKSPACE, 4},  {SDLK_RETURN, 7},      {SDLK_ESCAPE, 13},    {SDLK_SPACE, 14},
        {SDLK_LEFT, 19},      {SDLK_DOWN, 22},       {SDLK_INSERT, 24},    {SDLK_HELP, 26},
        {SDLK_0, 27},         {SDLK_9, 36},          {SDLK_a, 37},         {SDLK_z, 62},
        {SDLK_LSUPER, 63},    {SDLK_MENU, 65},       {SDLK_KP0, 66},       {SDLK_KP9, 75},
        {SDLK_KP_MULTIPLY, 76}, {SDLK_KP_DIVIDE, 81}, {SDLK_F1, 82},       {SDLK_F15, 96},
        {SDLK_NUMLOCK, 106},  {SDLK_SCROLLOCK, 107}, {SDLK_LSHIFT, 108},   {SDLK_RSHIFT, 109},
        {SDLK_LCTRL, 110},    {SDLK_RCTRL, 111},     {SDLK_LALT, 10},      {SDLK_RMETA, 113},
        {SDLK_MINUS, 114},    {SDLK_QUOTE, 119},     {SDLK_BACKSLASH, 125}, {SDLK_COMMA, 121},
        {SDLK_SLASH, 123},    {SDLK_HASH, 124},      {SDLK_UNKNOWN, 105},  {SDLK_RALT, -1},
        {SDLK_LAST, -1},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(Korvid.TranslateKey(C.nSym), C.nEngineKey) << "SDL key " << C.nSym;
}

TEST_F(InputKeys, UnknownKeyIsLoggedAndQueuesNothing)
{
    Korvid.StartLog();
    Korvid.KeyDown(SDLK_RALT);
    Korvid.KeyUp(SDLK_RALT);
    EXPECT_EQ(Korvid.PeekKeyEvent().nType, KOR_EVENT_NONE);
    auto Log = LogMessages();
    std::string Warning = "WARNING: Unable to translate OS Key " + std::to_string(SDLK_RALT);
    EXPECT_TRUE(ContainsInOrder(Log, {Warning, Warning}));
}

// Modifiers follow engine keys 8 and 9, which the keyboard never sends (Shift
// arrives as 108), so keyboard events carry none.
TEST_F(InputKeys, ShiftAndLetterGiveTwoPressesThenReleasesWithHeldTimes)
{
    Korvid.KeyDown(SDLK_LSHIFT);
    m_Platform.Advance(40);
    Korvid.KeyDown(SDLK_a);
    m_Platform.Advance(300);
    Korvid.KeyUp(SDLK_a);
    m_Platform.Advance(10);
    Korvid.KeyUp(SDLK_LSHIFT);
    Korvid.KeyUp(SDLK_LSHIFT);   // already up: no second release

    const std::vector<std::vector<uint32_t>> Expected = {
        {KOR_EVENT_PRESS, KEY_LEFT_SHIFT, 0, 0},
        {KOR_EVENT_PRESS, KEY_A, 0, 0},
        {KOR_EVENT_RELEASE, KEY_A, 300, 0},
        {KOR_EVENT_RELEASE, KEY_LEFT_SHIFT, 350, 0},
    };
    EXPECT_EQ(DrainKeys(), Expected);
}

TEST_F(InputKeys, RepeatedPressesKeepTheFirstDownTime)
{
    m_Platform.Advance(100);
    Korvid.KeyDown(SDLK_SPACE);
    m_Platform.Advance(50);
    Korvid.KeyDown(SDLK_SPACE);   // the platform's key repeat
    EXPECT_EQ(Korvid.KeyDownTime(14), 1100u);
    m_Platform.Advance(50);
    Korvid.KeyUp(SDLK_SPACE);
    const std::vector<std::vector<uint32_t>> Expected = {
        {KOR_EVENT_PRESS, 14, 0, 0}, {KOR_EVENT_PRESS, 14, 0, 0}, {KOR_EVENT_RELEASE, 14, 100, 0}};
    EXPECT_EQ(DrainKeys(), Expected);
    EXPECT_EQ(Korvid.KeyDownTime(14), 0u);
}

TEST_F(InputKeys, KeyPressedAtTimerZeroStillReleases)
{
    m_Platform.m_nNow = 0;
    Korvid.KeyDown(SDLK_x);
    m_Platform.Advance(25);
    Korvid.KeyUp(SDLK_x);
    Korvid.GetKeyEvent();
    KorvidEvent Release = Korvid.GetKeyEvent();
    EXPECT_EQ(Release.nType, KOR_EVENT_RELEASE);
    EXPECT_EQ(Release.nHeldTime, 25u);
}

TEST_F(InputKeys, QueueHoldsFiftyAndDropsTheFiftyFirstUntilOneIsRead)
{
    for (int n = 0; n < 51; ++n)
        Korvid.KeyDown(SDLK_a);
    EXPECT_EQ(DrainKeys().size(), 50u);

    // The ring wraps: after reading one of fifty, one more fits and comes last.
    for (int n = 0; n < 50; ++n)
        Korvid.KeyDown(SDLK_a);
    Korvid.GetKeyEvent();
    Korvid.KeyDown(SDLK_b);
    Korvid.KeyDown(SDLK_c);   // dropped
    auto Events = DrainKeys();
    ASSERT_EQ(Events.size(), 50u);
    EXPECT_EQ(Events.back()[1], 38u);
}

TEST_F(InputKeys, PeekLeavesTheEventAndFlushEmptiesTheQueue)
{
    Korvid.KeyDown(SDLK_b);
    EXPECT_EQ(Korvid.PeekKeyEvent().nCode, 38u);
    EXPECT_EQ(Korvid.GetKeyEvent().nCode, 38u);
    Korvid.KeyDown(SDLK_c);
    Korvid.FlushKeys();
    EXPECT_EQ(Korvid.GetKeyEvent().nType, KOR_EVENT_NONE);
    Korvid.KeyDown(SDLK_d);   // positions restart cleanly after a flush
    EXPECT_EQ(Korvid.GetKeyEvent().nCode, 40u);
}

TEST_F(InputKeys, SimulatedKeyQueuesPressAndReleaseHeldOneMillisecond)
{
    Korvid.SimulateKey(13);
    const std::vector<std::vector<uint32_t>> Expected = {{KOR_EVENT_PRESS, 13, 0, 0}, {KOR_EVENT_RELEASE, 13, 1, 0}};
    EXPECT_EQ(DrainKeys(), Expected);
}

TEST_F(InputKeys, CharactersQueueInOrderAndZeroIsNotACharacter)
{
    Korvid.TypedChar('H');
    Korvid.TypedChar(0);
    Korvid.TypedChar(0xE4);
    EXPECT_EQ(Korvid.PeekChar(), (uint32_t)'H');
    EXPECT_EQ(Korvid.GetChar(), (uint32_t)'H');
    EXPECT_EQ(Korvid.GetChar(), 0xE4u);
    EXPECT_EQ(Korvid.GetChar(), 0u);
    Korvid.TypedChar('x');
    Korvid.FlushChars();
    EXPECT_EQ(Korvid.GetChar(), 0u);
}

TEST_F(InputKeys, EditStringAppendsDeletesAndStopsAtReturn)
{
    struct Case {
        const char* szStart;
        std::string Typed;
        int nMax;
        const char* szResult;
        bool bGoesOn;
    };
    const Case Cases[] = {
        {"", "abcdefg\r", 5, "abcde", false},
        {"", "abcdefg", 5, "abcde", true},
        {"Name", "\b\bx", 10, "Nax", true},
        {"ab", "\b\b\b\bz", 10, "z", true},
        {"", std::string("a\x01\x1f b\x7f\xe9", 7), 20, "a b\x7f\xe9", true},
        {"", "ab\rcd", 10, "ab", false},
        {"", "", 10, "", true},
    };
    for (const Case& C : Cases) {
        Korvid.FlushChars();
        char szText[32];
        snprintf(szText, sizeof(szText), "%s", C.szStart);
        TypeText(C.Typed);
        EXPECT_EQ(Korvid.EditString(szText, C.nMax), C.bGoesOn) << C.Typed;
        EXPECT_STREQ(szText, C.szResult) << C.Typed;
    }
}

TEST_F(InputKeys, EditStringLeavesCharactersAfterReturnForLater)
{
    char szText[16] = "";
    TypeText("ab\rcd");
    EXPECT_FALSE(Korvid.EditString(szText, 10));
    EXPECT_EQ(Korvid.GetChar(), (uint32_t)'c');
}

}  // namespace
