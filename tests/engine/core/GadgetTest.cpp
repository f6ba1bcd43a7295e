// Gadgets: range errors and captions, the one key event of an update, keyboard
// selection round the list, which gadget is hot, and the tiles each look draws.
#include <cstring>

#include "CoreTest.h"

namespace {

constexpr uint16_t kBackground = 0x001F, kLeft = 0xF800, kMiddle = 0x07E0, kRight = 0xFFE0;
constexpr uint32_t kButtons = 10, kTexts = 20;

class Gadgets : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        Start();
        List.nOptions = KOR_GADGETS_KEYBOARD;
        List.nButtonPicture = kButtons;
        List.nTextPicture = kTexts;
        // Opaque 4 x 6 tiles in three colours; the text field's are the same.
        const uint16_t Colours[] = {kLeft, kMiddle, kRight};
        for (uint32_t nFirst : {kButtons, kTexts})
            for (uint32_t n = 0; n < 3; ++n) {
                ASSERT_EQ(Korvid.InitChunky(nFirst + n, 4, 6, 16), 1);
                Korvid.ClearChunky(nFirst + n, Colours[n]);
                ChunkyObject& Tile = *Korvid.ExistingChunky(nFirst + n);
                ASSERT_EQ(Korvid.CreateAlphaMask(Tile), 1);
                memset(Tile.pAlpha, 255, Tile.nAlphaSize);
            }
        Korvid.ClearChunky(0, kBackground);
    }
    void TearDown() override { Stop(); }
    // The gadget UpdateGadgets names with the mouse at (x, y).
    int32_t HotAt(int32_t x, int32_t y)
    {
        Korvid.SetMousePosition(x, y, false, false);
        return Korvid.UpdateGadgets(List);
    }
    int32_t AfterKey(uint32_t nKey)
    {
        Korvid.SimulateKey(nKey);
        HotAt(0, 0);
        Korvid.FlushKeys();
        return (int32_t)List.nSelected;
    }
    static uint16_t Screen(int x, int y) { return Korvid.ExistingChunky(0)->Pixels16()[y * 320 + x]; }

    KorvidGadgetList List;
};

TEST_F(Gadgets, RangeErrorsAndOverlongCaptionsAreReported)
{
    EXPECT_FALSE(Korvid.AddButtonGadget(List, 50, 0, 0, 1, "x", 0));
    EXPECT_FALSE(Korvid.AddTextGadget(List, -1, 0, 0, 1, "x", 0));
    Korvid.SetGadgetText(List, 50, "x");
    Korvid.SetGadgetMode(List, 77, 0);
    EXPECT_EQ(HotAt(0, 0), -1);
    const std::string Long(130, 'c');
    EXPECT_TRUE(Korvid.AddButtonGadget(List, 0, 0, 0, 1, Long.substr(0, 127).c_str(), 0));
    EXPECT_TRUE(Korvid.AddTextGadget(List, 1, 0, 0, 1, Long.substr(0, 128).c_str(), 0));
    Korvid.SetGadgetText(List, 0, Long.c_str());
    EXPECT_EQ(std::string(List.Gadgets[1].szCaption), Long.substr(0, 127));
    EXPECT_EQ(std::string(List.Gadgets[0].szCaption), Long.substr(0, 127));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** AddButtonGadget() - ID out of range 50 (max = 49) **",
                                                "ERROR: ** AddTextGadget() - ID out of range -1 (max = 49) **",
                                                "ERROR: ** SetGadgetText() - ID out of range 50 (max = 49) **",
                                                "ERROR: ** SetGadgetMode() - ID out of range 77 (max = 49) **",
                                                "WARNING: GadgetText - String Too Long !",
                                                "WARNING: GadgetText - String Too Long !"}));
    EXPECT_EQ(CountOf(LogMessages(), "String Too Long"), 2);
}

TEST_F(Gadgets, KeysMoveTheSelectionRoundTheUsableGadgetsAndReturnClicks)
{
    EXPECT_EQ(AfterKey(22), (int32_t)KOR_NO_GADGET);   // no gadget: nothing to select
    Korvid.SimulateKey(22);
    EXPECT_EQ(HotAt(0, 0), -1);
    EXPECT_EQ(Korvid.GetKeyEvent().nType, KOR_EVENT_RELEASE);   // one key event taken, the release left
    for (int32_t n : {3, 10, 20, 49})
        Korvid.AddButtonGadget(List, n, 100, 100, 2, "", 0);
    Korvid.SetGadgetMode(List, 10, KOR_GADGET_HIDDEN);
    Korvid.SetGadgetMode(List, 20, KOR_GADGET_PRESSED);
    EXPECT_EQ(AfterKey(22), 3);   // from no selection, Down finds the lowest
    EXPECT_EQ(AfterKey(22), 49);  // hidden and pressed gadgets are passed over
    EXPECT_EQ(AfterKey(22), 3);   // round from 49
    EXPECT_EQ(AfterKey(20), 49);  // and back round from 3
    Korvid.SimulateKey(78);
    EXPECT_EQ(HotAt(5, 5), 49);   // the selection is hot wherever the mouse is
    const KorvidEvent Click = Korvid.GetMouseEvent();
    EXPECT_EQ(std::vector<int>({Click.nType, (int)Click.nCode, Click.nX, Click.nY}),
              std::vector<int>({KOR_EVENT_PRESS, (int)KOR_BUTTON_LEFT, 0, 0}));
    List.nOptions = 0;
    EXPECT_EQ(AfterKey(20), 49);   // keyboard off: keys do nothing
    Korvid.SelectGadget(List, 3);
    EXPECT_EQ(List.nSelected, KOR_NO_GADGET);
}

// Button 5 covers x 92..108, button 8 x 96..112 (four tiles of 4 centred on 100, 104), y 50..56.
TEST_F(Gadgets, TheHotGadgetHasTheMouseStrictlyInsideAndTheHighestNumberWins)
{
    Korvid.AddButtonGadget(List, 5, 100, 50, 4, "", 0);
    Korvid.AddTextGadget(List, 8, 104, 50, 4, "", 0);
    const std::tuple<int32_t, int32_t, int32_t> Cases[] = {
        {93, 51, 5}, {92, 53, -1}, {100, 53, 8}, {111, 55, 8}, {112, 53, -1}, {100, 50, -1}, {100, 56, -1}};
    for (const auto& [x, y, nHot] : Cases)
        EXPECT_EQ(HotAt(x, y), nHot) << x << "," << y;
    Korvid.SetGadgetMode(List, 8, KOR_GADGET_PRESSED);   // never named, however hot
    EXPECT_EQ(HotAt(100, 53), 5);
    Korvid.SelectGadget(List, 8);   // a text field is not hot by being selected
    EXPECT_EQ(HotAt(0, 0), -1);
    Korvid.SetGadgetMode(List, 5, KOR_GADGET_HIDDEN);
    EXPECT_EQ(HotAt(93, 51), -1);
    Korvid.RemoveGadget(List, 8);
    List.nButtonPicture = 99;
    Korvid.SetGadgetMode(List, 5, 0);
    EXPECT_EQ(HotAt(93, 51), -1);
    EXPECT_TRUE(LogHas("ERROR: ** Button Chunky 99 Invalid! **"));
}

// Three-tile buttons centred on x 20, 60, 100: left end, middle and right end in turn.
TEST_F(Gadgets, ButtonsDrawTheirEndsAndMiddleRaisedSelectedOrPressed)
{
    Korvid.AddButtonGadget(List, 0, 20, 10, 3, "", 0);
    Korvid.AddButtonGadget(List, 1, 60, 10, 3, "", KOR_GADGET_PRESSED);
    Korvid.AddButtonGadget(List, 2, 100, 10, 3, "", 0);
    Korvid.SelectGadget(List, 2);
    HotAt(0, 0);
    const auto Half = [](uint16_t n) { return (uint16_t)((n >> 1) & 0x7BEF); };
    EXPECT_EQ(std::vector<uint16_t>({Screen(13, 12), Screen(14, 10), Screen(18, 15), Screen(22, 12), Screen(25, 12),
                                     Screen(26, 12), Screen(20, 16)}),
              std::vector<uint16_t>({kBackground, kLeft, kMiddle, kRight, kRight, kBackground, kBackground}));
    EXPECT_EQ(Screen(54, 12), (uint16_t)(Half(kLeft) + Half(kBackground)));
    // The glow lays white over the tile: its blue rises from 0 but stays below white.
    const uint16_t nGlow = Screen(94, 12);
    EXPECT_GT(nGlow & 0x001F, 0);
    EXPECT_LT(nGlow & 0x001F, 0x1F);
}

}  // namespace
