// The interface pieces, the score panels and the halted overlay's pictures:
// every rectangle the game draws holds a picture, the places the game prints
// into stay dark, and the German and English pictures say different things.
#include <gtest/gtest.h>

#include "PlayArtTestSheets.h"
#include "art/PlayArt.h"

namespace {

// The brightest pixel of a rectangle.
int Brightest(const LoadedSheet& Sheet, const SheetRect& Rect)
{
    int nBrightest = 0;
    for (int y = Rect.y; y < Rect.Bottom(); ++y)
        for (int x = Rect.x; x < Rect.Right(); ++x)
            if (Sheet.Opaque(x, y))
                nBrightest = std::max(nBrightest, Sheet.Brightness(x, y));
    return nBrightest;
}

TEST(PlayArtInterface, StripBoxSegmentsAndCountdownAreThere)
{
    std::map<std::string, LoadedSheet> Sheets;
    ASSERT_TRUE(ForgeAndLoad(ForgeInterfaceSheet, {&Sheets::INTERFACE}, Sheets));
    const LoadedSheet& Interface = Sheets["interface"];
    ASSERT_TRUE(Interface.Loaded());
    // The darkening strip and the text box are solid all over: the game lays them at half opacity.
    for (SheetRect Rect : {Sheets::DARK_STRIP, Sheets::TEXT_BOX})
        EXPECT_EQ(Interface.OpaqueCount(Rect), Rect.w * Rect.h);
    EXPECT_LT(Brightest(Interface, Sheets::DARK_STRIP), 24);
    // The text box is dark under the text, lit along its top edge.
    EXPECT_LT(Interface.Brightness(400, Sheets::TEXT_BOX.y + 12), 60);
    EXPECT_GT(Interface.Brightness(400, Sheets::TEXT_BOX.y), 120);
    for (SheetRect Rect : {Sheets::ENERGY_PLAYER, Sheets::ENERGY_BOSS, Sheets::ENERGY_EMPTY, Sheets::LIFE_MARKER})
        EXPECT_GT(Interface.OpaqueCount(Rect), Rect.w * Rect.h / 2) << Rect.x;
    EXPECT_GT(Brightest(Interface, Sheets::ENERGY_PLAYER), Brightest(Interface, Sheets::ENERGY_EMPTY) + 40);
    for (int nSecond = 0; nSecond < 6; ++nSecond) {
        SheetRect Rect = Sheets::COUNTDOWN[nSecond];
        EXPECT_GT(Interface.OpaqueCount(Rect), Rect.w * Rect.h / 4) << nSecond;
        // Big digits: they reach over most of the rectangle's height.
        int nTop = Rect.Bottom(), nBottom = Rect.y;
        for (int y = Rect.y; y < Rect.Bottom(); ++y)
            for (int x = Rect.x; x < Rect.Right(); ++x)
                if (Interface.Solid(x, y))
                    nTop = std::min(nTop, y), nBottom = std::max(nBottom, y);
        EXPECT_GT(nBottom - nTop, Rect.h * 3 / 4) << nSecond;
    }
}

TEST(PlayArtPanels, ValuePlacesStayDarkBesideTheirIcons)
{
    std::map<std::string, LoadedSheet> Sheets;
    ASSERT_TRUE(ForgeAndLoad(ForgePanelSheets, {&Sheets::PANEL1, &Sheets::PANEL2}, Sheets));
    struct Case {
        const char* szName;
        int16_t nPanelX;
        const int16_t* pValues;
    };
    for (const Case& Panel : {Case{"panel1", Sheets::PANEL1_X, Sheets::PANEL1_VALUES_X},
                              Case{"panel2", Sheets::PANEL2_X, Sheets::PANEL2_VALUES_X}}) {
        const LoadedSheet& Sheet = Sheets[Panel.szName];
        ASSERT_TRUE(Sheet.Loaded());
        // A bar over the whole width with rounded corners.
        SheetRect MiddleRow = {0, 20, Sheets::PANEL.w, 1};
        EXPECT_EQ(Sheet.OpaqueCount(MiddleRow), MiddleRow.w) << Panel.szName;
        EXPECT_FALSE(Sheet.Opaque(0, 0)) << Panel.szName;
        EXPECT_FALSE(Sheet.Opaque(Sheets::PANEL.w - 1, Sheets::PANEL.h - 1)) << Panel.szName;
        for (int n = 0; n < 3; ++n) {
            // Where the game's digits go: two digits for lives, three for the level, six for the score.
            int nDigits = n == 2 ? 6 : n + 2;
            SheetRect Digits = {(int16_t)(Panel.pValues[n] - Panel.nPanelX), Sheets::PANEL_TEXT_Y - Sheets::PANEL_Y,
                                (int16_t)(nDigits * Sheets::GLYPH_WIDTH), Sheets::GLYPH_HEIGHT};
            EXPECT_EQ(Sheet.OpaqueCount(Digits), Digits.w * Digits.h) << Panel.szName << " value " << n;
            EXPECT_LT(Brightest(Sheet, Digits), 40) << Panel.szName << " value " << n;
            // Its icon just before it is lit.
            SheetRect Icon = {(int16_t)(Digits.x - 26), Digits.y, 18, Digits.h};
            EXPECT_GT(Brightest(Sheet, Icon), 120) << Panel.szName << " icon " << n;
        }
    }
}

TEST(PlayArtOverlays, PauseNamePromptAndFinalCardsInBothLanguages)
{
    std::map<std::string, LoadedSheet> Sheets;
    ASSERT_TRUE(ForgeAndLoad(ForgeOverlaySheets, {&Sheets::PAUSE, &Sheets::ENDE}, Sheets));
    const LoadedSheet& Pause = Sheets["pause"];
    const LoadedSheet& Final = Sheets["ende"];
    ASSERT_TRUE(Pause.Loaded() && Final.Loaded());
    for (SheetRect Rect : {Sheets::PAUSE_PICTURE, Sheets::NAME_PROMPT[0], Sheets::NAME_PROMPT[1]})
        EXPECT_GT(Pause.OpaqueCount(Rect), Rect.w * Rect.h * 3 / 4) << Rect.x << "," << Rect.y;
    for (SheetRect Rect : Sheets::FINAL_PICTURE)
        EXPECT_GT(Final.OpaqueCount(Rect), Rect.w * Rect.h * 3 / 4) << Rect.x;
    // Same size, different words.
    auto Differing = [](const LoadedSheet& Sheet, SheetRect A, SheetRect B) {
        int nCount = 0;
        for (int y = 0; y < std::min(A.h, B.h); ++y)
            for (int x = 0; x < std::min(A.w, B.w); ++x)
                nCount += Sheet.At(A.x + x, A.y + y) != Sheet.At(B.x + x, B.y + y);
        return nCount;
    };
    EXPECT_GT(Differing(Pause, Sheets::NAME_PROMPT[0], Sheets::NAME_PROMPT[1]), 1000);
    EXPECT_GT(Differing(Final, Sheets::FINAL_PICTURE[0], Sheets::FINAL_PICTURE[1]), 1000);
    // The typed name lands on a dark field: the prompt is centred on the screen,
    // the name printed at (NAME_TEXT_X, NAME_TEXT_Y), eight letters and more.
    for (SheetRect Prompt : Sheets::NAME_PROMPT) {
        int nCardX = (Sheets::SCREEN_WIDTH - Prompt.w) / 2;
        SheetRect Field = {(int16_t)(Prompt.x + Sheets::NAME_TEXT_X - nCardX - 3), (int16_t)(Prompt.y + Sheets::NAME_TEXT_Y - Sheets::PAUSE_Y),
                           180, Sheets::FONT2_LINE_STEP};
        EXPECT_EQ(Pause.OpaqueCount(Field), Field.w * Field.h);
        EXPECT_LT(Brightest(Pause, Field), 30) << Prompt.x;
    }
}

}  // namespace
