// The mode machine: entering modes that accept or refuse, returning to the
// previous one, the clean slate of every entry, and the cross-fade.
#include "PlexaModes.h"
#include "support/StartedEngine.h"

namespace {

std::vector<std::pair<int, int>> g_Calls;   // (mode, parameter) of every setup run
bool g_bAccept = true;
uint16_t g_nModeColour = 0;

template <int MODE>
bool Enter(uint8_t nParameter)
{
    g_Calls.push_back({MODE, nParameter});
    return g_bAccept;
}
void Paint() { Korvid.ClearChunky(0, g_nModeColour); }

class Modes : public StartedEngineTest {
protected:
    Modes() : StartedEngineTest(64, 48, 16) {}
};

TEST_F(Modes, EntriesFollowTheSetupsAnswerAndReturnGoesBackWithTheLastParameter)
{
    Plexa.RegisterMode(PLEXA_MODE_PAUSED, Enter<1>, Paint);
    Plexa.RegisterMode(PLEXA_MODE_TITLE, Enter<4>, Paint);
    Plexa.RegisterMode(PLEXA_MODE_HI_SCORES, Enter<7>, Paint);
    Plexa.RegisterMode(11, Enter<11>, Paint);
    EXPECT_TRUE(Plexa.EnterHiScores(3));
    EXPECT_TRUE(Plexa.ReturnToPreviousMode());
    EXPECT_EQ(g_Calls, (std::vector<std::pair<int, int>>{{7, 3}, {4, 3}}));
    g_bAccept = false;
    EXPECT_TRUE(Plexa.EnterPausedMode(9));   // refused: the title stays, yet previous mode and parameter moved
    EXPECT_EQ(std::vector<int>({Plexa.CurrentMode(), Plexa.PreviousMode(), Plexa.PreviousParameter()}),
              std::vector<int>({4, 4, 9}));
    EXPECT_TRUE(Plexa.EnterHiScores(2));     // any other mode is entered even so
    EXPECT_EQ(Plexa.CurrentMode(), 7);
    EXPECT_FALSE(Plexa.EnterInGame());
    EXPECT_FALSE(Plexa.PlexaModeSetup(11, 0, false));
    EXPECT_EQ(Plexa.CurrentMode(), 7);
    Plexa.SetCurrentMode(5);
    Plexa.PlexaModeUpdate();
    Plexa.SetCurrentMode(11);   // past the table: no update runs, nothing is reported
    Plexa.PlexaModeUpdate();
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"PlexaModeSetup(7)", "PlexaModeSetup(4)", "PlexaModeSetup(1)",
                                                "PlexaModeSetup(7)", "ERROR: ** PlexaModeSetup[0] == NULL **",
                                                "ERROR: ** PlexaModeSetup[11] == NULL **",
                                                "ERROR: ** PlexaModeUpdate[5] == NULL **"}));
    EXPECT_EQ(IndexOf(LogMessages(), "ERROR: ** PlexaModeUpdate[11] == NULL **"), -1);
}

TEST_F(Modes, EveryEntryClearsKeysClicksZonesAndGadgets)
{
    Plexa.RegisterMode(PLEXA_MODE_TITLE, Enter<4>, Paint);
    for (uint8_t nRound = 0; nRound < 2; ++nRound) {
        Plexa.Gadgets().nOptions = KOR_GADGETS_KEYBOARD;
        Korvid.AddButtonGadget(Plexa.Gadgets(), 7, 10, 10, 2, "Go", 0);
        Korvid.SelectGadget(Plexa.Gadgets(), 7);
        Korvid.AddZone(2, 0, 0, 10, 10);
        Korvid.SimulateKey(20);
        Korvid.SimulateClick(KOR_BUTTON_LEFT, 3, 3);
        EXPECT_TRUE(Plexa.EnterTitle(nRound));
        EXPECT_EQ(std::vector<int>({Plexa.Gadgets().Gadgets[7].bInUse, (int)Plexa.Gadgets().nSelected,
                                    Korvid.GetKeyEvent().nType, Korvid.GetMouseEvent().nType, Korvid.ZoneFind(3, 3)}),
                  std::vector<int>({0, (int)KOR_NO_GADGET, KOR_EVENT_NONE, KOR_EVENT_NONE, -1}))
            << "round " << (int)nRound;
    }
}

// The old screen (white) lies over the new (blue) at 5 % transparency first and
// is gone when the counter reaches 0; the pointer is drawn last, one pixel up and left.
TEST_F(Modes, AFadeRunsItsCounterDownFrom95AndDrawsTheOldScreenOverTheNew)
{
    Plexa.RegisterMode(PLEXA_MODE_TITLE, Enter<4>, Paint);
    g_nModeColour = 0xFFFF;
    Plexa.PlexaModeUpdate();
    Plexa.RequestFade();
    Plexa.PlexaModeUpdate();
    g_nModeColour = 0x001F;
    std::vector<int32_t> Counters;
    std::vector<uint16_t> Pixels;
    for (int nFrame = 0; nFrame < 18; ++nFrame) {
        Counters.push_back(Plexa.FadeCounter());
        Plexa.PlexaModeUpdate();
        Pixels.push_back(Korvid.ExistingChunky(0)->Pixels16()[0]);
    }
    Counters.push_back(Plexa.FadeCounter());
    EXPECT_EQ(Counters, (std::vector<int32_t>{95, 79, 65, 54, 44, 36, 29, 24, 19, 15, 12, 9, 7, 5, 4, 3, 2, 1, 0}));
    EXPECT_GT(Pixels.front() >> 11, 27);   // red of the white screen, barely faded
    EXPECT_EQ(Pixels.back(), 0x001F);
    const int nBuffer = (int)Korvid.ChunkyTableSize() - 256 * (int)Korvid.FontBankCount() - 1;
    EXPECT_TRUE(LogHas("Initialized Accumulation Buffer [" + std::to_string(nBuffer) + "]"));

    Korvid.SetMousePosition(20, 30, false, false);
    ASSERT_EQ(Korvid.InitChunky(1, 1, 1, 16), 1);
    Korvid.ClearChunky(1, 0x07E0);
    Plexa.SetMousePointer(1);
    Plexa.PlexaModeUpdate();
    EXPECT_EQ(Korvid.ExistingChunky(0)->Pixels16()[29 * 64 + 19], 0x07E0);
}

}  // namespace
