// The play sheets, one family per case as the game reads them: every picture
// present and animated where the game animates it, the places the game prints
// into dark, and the two languages saying different things.
#include "ForgeTest.h"
#include "LevelFormat.h"
#include "art/PlayArt.h"

namespace {

using namespace Sheets;

SheetRect MiniTile(int nCode) { return {(int16_t)(nCode % 20 * 20), (int16_t)(nCode / 20 * 12), 20, 12}; }

SheetRect Inner(const SheetRect& R)
{
    return {(int16_t)(R.x + 1), (int16_t)(R.y + 1), (int16_t)(R.w - 2), (int16_t)(R.h - 2)};
}

class PlayArt : public ForgeTest {};

TEST_F(PlayArt, TilesHoldEveryCellWithSeamsDistinctKindsAndMovingAnimations)
{
    ForgeAndLoad(ForgeTileSheets, {Sheets::TILES, Sheets::TILES2, Sheets::MINITILES, Sheets::MINITILES2});
    for (const char* szName : {"tiles", "tiles2"}) {
        SCOPED_TRACE(szName);
        const Picture16 &Sheet = m_Sheets[szName], &Mini = m_Sheets[std::string("mini") + szName];
        // Bricks fill most of their cell and leave a seam; decorations and animations fill a part.
        for (int nCode = 0; nCode < 500; ++nCode)
            if (!LevelCellTileTaken(nCode)) {
                int nMinimum = nCode < 353 ? 40 * 24 * 3 / 4 : 30;
                EXPECT_GE(Measure(Sheet, Tile(nCode)).nOpaque, nMinimum) << "code " << nCode;
                EXPECT_GT(Measure(Mini, MiniTile(nCode)).nOpaque, nMinimum / 8) << "mini code " << nCode;
                EXPECT_TRUE(nCode >= 353 ||
                            Measure(Sheet, Tile(nCode)).nOpaque == Measure(Sheet, Inner(Tile(nCode))).nOpaque)
                    << "code " << nCode << " has no seam";
            }
        // Normal, bonus (both rows), indestructible, the multi-hit stages in the order they are hit, sliding.
        const int KINDS[] = {3, 23, 63, 183, 243, 303, 283, 263, 340};
        for (int a : KINDS)
            for (int b : KINDS)
                EXPECT_TRUE(a >= b || Differences(Sheet, Tile(a), Sheet, Tile(b)) > 0) << a << " looks like " << b;
        for (int nCode : {0, 9, 23, 185, 262, 341})
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(Measure(Sheet, Tile(nCode)).Mean[c], Measure(Mini, MiniTile(nCode)).Mean[c], 24) << nCode;
        // Bursts animate and fade out; used teleporters differ from working ones, A from B.
        for (int nFirst : {480, 485, 490}) {
            for (int nFrame = nFirst + 1; nFrame < nFirst + 5; ++nFrame)
                EXPECT_GT(Differences(Sheet, Tile(nFrame - 1), Sheet, Tile(nFrame)), 0) << nFrame;
            EXPECT_LT(Measure(Sheet, Tile(nFirst + 4)).nOpaque, Measure(Sheet, Tile(nFirst)).nOpaque);
        }
        EXPECT_GT(Differences(Sheet, Tile(495), Sheet, Tile(497)), 0);
        EXPECT_GT(Differences(Sheet, Tile(497), Sheet, Tile(498)), 0);
        // Shots hold a picture in every frame, animate, and grow with their level.
        for (int nLevel = 1; nLevel <= 5; ++nLevel) {
            int nMoving = 0;
            for (int nFrame = 0; nFrame < 10; ++nFrame) {
                EXPECT_GT(Measure(Sheet, Shot(nLevel, nFrame)).nOpaque, 20) << "shot " << nLevel << "/" << nFrame;
                nMoving += Differences(Sheet, Shot(nLevel, 0), Sheet, Shot(nLevel, nFrame)) > 0;
            }
            EXPECT_GT(nMoving, 0) << "shot " << nLevel;
            EXPECT_TRUE(nLevel == 1 ||
                        Measure(Sheet, Shot(nLevel, 0)).nOpaque > Measure(Sheet, Shot(nLevel - 1, 0)).nOpaque);
        }
    }
    EXPECT_GT(Differences(m_Sheets["tiles"], Tile(3), m_Sheets["tiles2"], Tile(3)), 40 * 24 / 2) << "two styles";
}

TEST_F(PlayArt, PaddlesSpanTheirPictureInEveryFrameAndTheLaserLookHasGuns)
{
    ForgeAndLoad(ForgePaddleSheets, std::vector<SheetSize>(Sheets::PADDLES, Sheets::PADDLES + Sheets::PADDLE_SHEETS));
    for (const SheetSize& Size : Sheets::PADDLES)
        for (int16_t nRow : Sheets::PADDLE_LOOK_ROWS)
            for (int nClass = 0; nClass < 5; ++nClass) {
                SCOPED_TRACE(std::string(Size.szName) + " row " + std::to_string(nRow) + " class " +
                             std::to_string(nClass));
                const Picture16& Sheet = m_Sheets[Size.szName];
                int nDistinct = 0;
                for (int nFrame = 0; nFrame < Sheets::PADDLE_FRAMES; ++nFrame) {
                    // The bar's middle row has ink within 5 pixels of both ends.
                    SheetRect R = Paddle(nClass, nRow, nFrame);
                    EXPECT_GT(Measure(Sheet, {R.x, (int16_t)(R.y + 12), 5, 1}).nOpaque, 0) << nFrame;
                    EXPECT_GT(Measure(Sheet, {(int16_t)(R.Right() - 5), (int16_t)(R.y + 12), 5, 1}).nOpaque, 0)
                        << nFrame;
                    nDistinct += Differences(Sheet, R, Sheet, Paddle(nClass, nRow, 0)) > 0;
                }
                EXPECT_GE(nDistinct, 5) << "hardly animates";
            }
    // Shots leave at x + 18 and x + width - 42 (20 wide): the laser look has its
    // muzzles above the bar there, the normal look nothing.
    for (int nClass = 0; nClass < 5; ++nClass) {
        SheetRect Laser = Paddle(nClass, 300, 0), Normal = Paddle(nClass, 0, 0);
        for (int nMuzzle : {28, Laser.w - 32}) {
            EXPECT_TRUE(m_Sheets["schlaeger1"].Solid(Laser.x + nMuzzle, Laser.y + 1)) << nClass << " at " << nMuzzle;
            EXPECT_FALSE(m_Sheets["schlaeger0"].Solid(Normal.x + nMuzzle, Normal.y + 1)) << nClass << " at " << nMuzzle;
        }
    }
}

TEST_F(PlayArt, BonusesAreAnimatedTokensOfTheirOwn)
{
    ForgeAndLoad(ForgeBonusSheet, {Sheets::BONI});
    const Picture16& Boni = m_Sheets["boni"];
    std::vector<int> Codes;   // 20..39 and 60..79
    for (int nCode = 20; nCode < 80; nCode += nCode == 39 ? 21 : 1)
        Codes.push_back(nCode);
    for (int nCode : Codes) {
        for (int nFrame = 0; nFrame < Sheets::BONUS_FRAMES; ++nFrame) {
            EXPECT_GT(Measure(Boni, Bonus(nCode, nFrame)).nOpaque, 800) << nCode << "/" << nFrame;
            EXPECT_TRUE(!nFrame || Differences(Boni, Bonus(nCode, nFrame), Boni, Bonus(nCode, nFrame - 1)) > 0)
                << nCode;
        }
        // Each bonus that does something has a picture of its own.
        for (int nOther : Codes)
            EXPECT_TRUE(nOther <= nCode || nOther >= 75 ||
                        Differences(Boni, Bonus(nCode, 0), Boni, Bonus(nOther, 0)) > 0)
                << nCode << " and " << nOther;
    }
}

bool ForgeInterfaceAndCards(const ForgeContext& Context)
{
    return ForgeInterfaceSheet(Context) && ForgePanelSheets(Context) && ForgeOverlaySheets(Context);
}

TEST_F(PlayArt, InterfacePanelsAndCardsKeepThePrintedPlacesDarkAndFollowTheLanguage)
{
    ForgeAndLoad(ForgeInterfaceAndCards,
                 {Sheets::INTERFACE, Sheets::PANEL1, Sheets::PANEL2, Sheets::PAUSE, Sheets::ENDE});
    // The darkening strip and the text box are solid (the game lays them at half
    // opacity); the box is dark under the text and lit along its top edge.
    const Picture16& Interface = m_Sheets["interface"];
    for (SheetRect Rect : {Sheets::DARK_STRIP, Sheets::TEXT_BOX})
        EXPECT_EQ(Measure(Interface, Rect).nOpaque, Rect.w * Rect.h);
    EXPECT_LT(Measure(Interface, Sheets::DARK_STRIP).fBrightest, 0.1f);
    EXPECT_LT(Interface.Light(400, Sheets::TEXT_BOX.y + 12), 0.25f);
    EXPECT_GT(Interface.Light(400, Sheets::TEXT_BOX.y), 0.45f);
    for (SheetRect Rect : {Sheets::ENERGY_PLAYER, Sheets::ENERGY_BOSS, Sheets::ENERGY_EMPTY, Sheets::LIFE_MARKER})
        EXPECT_GT(Measure(Interface, Rect).nOpaque, Rect.w * Rect.h / 2) << Rect.x;
    EXPECT_GT(Measure(Interface, Sheets::ENERGY_PLAYER).fBrightest,
              Measure(Interface, Sheets::ENERGY_EMPTY).fBrightest + 0.15f);
    for (SheetRect Rect : Sheets::COUNTDOWN) {
        // Big digits: solid ink an eighth of the height from the top and from the bottom.
        EXPECT_GT(Measure(Interface, Rect).nOpaque, Rect.w * Rect.h / 4) << Rect.x;
        for (int16_t y : {(int16_t)(Rect.y + Rect.h / 8), (int16_t)(Rect.Bottom() - 1 - Rect.h / 8)})
            EXPECT_GT(Measure(Interface, {Rect.x, y, Rect.w, 1}).nSolid, 0) << Rect.x << "," << y;
    }
    // The panels: a bar over the whole width with rounded corners, dark where the game
    // prints two digits of lives, three of the level, six of the score, each beside a lit icon.
    for (auto [szName, nPanelX, pValues] : {std::make_tuple("panel1", Sheets::PANEL1_X, Sheets::PANEL1_VALUES_X),
                                            std::make_tuple("panel2", Sheets::PANEL2_X, Sheets::PANEL2_VALUES_X)}) {
        const Picture16& Panel = m_Sheets[szName];
        EXPECT_EQ(Measure(Panel, {0, 20, Sheets::PANEL.w, 1}).nOpaque, Sheets::PANEL.w) << szName;
        EXPECT_FALSE(Panel.Opaque(0, 0) || Panel.Opaque(Sheets::PANEL.w - 1, Sheets::PANEL.h - 1)) << szName;
        for (int n = 0; n < 3; ++n) {
            SheetRect Digits = {(int16_t)(pValues[n] - nPanelX), Sheets::PANEL_TEXT_Y - Sheets::PANEL_Y,
                                (int16_t)((n == 2 ? 6 : n + 2) * Sheets::GLYPH_WIDTH), Sheets::GLYPH_HEIGHT};
            EXPECT_EQ(Measure(Panel, Digits).nOpaque, Digits.w * Digits.h) << szName << " value " << n;
            EXPECT_LT(Measure(Panel, Digits).fBrightest, 0.16f) << szName << " value " << n;
            EXPECT_GT(Measure(Panel, {(int16_t)(Digits.x - 26), Digits.y, 18, Digits.h}).fBrightest, 0.45f) << szName;
        }
    }
    // The pause picture, the name prompts and the final cards: whole pictures,
    // different words per language, and the typed name lands on a dark field.
    const Picture16 &Pause = m_Sheets["pause"], &Final = m_Sheets["ende"];
    for (SheetRect Rect : {Sheets::PAUSE_PICTURE, Sheets::NAME_PROMPT[0], Sheets::NAME_PROMPT[1]})
        EXPECT_GT(Measure(Pause, Rect).nOpaque, Rect.w * Rect.h * 3 / 4) << Rect.x << "," << Rect.y;
    for (SheetRect Rect : Sheets::FINAL_PICTURE)
        EXPECT_GT(Measure(Final, Rect).nOpaque, Rect.w * Rect.h * 3 / 4) << Rect.x;
    EXPECT_GT(Differences(Pause, Sheets::NAME_PROMPT[0], Pause, Sheets::NAME_PROMPT[1]), 1000);
    EXPECT_GT(Differences(Final, Sheets::FINAL_PICTURE[0], Final, Sheets::FINAL_PICTURE[1]), 1000);
    for (SheetRect Prompt : Sheets::NAME_PROMPT) {
        int nCardX = (Sheets::SCREEN_WIDTH - Prompt.w) / 2;
        SheetRect Field = {(int16_t)(Prompt.x + Sheets::NAME_TEXT_X - nCardX - 3),
                           (int16_t)(Prompt.y + Sheets::NAME_TEXT_Y - Sheets::PAUSE_Y), 180, Sheets::FONT2_LINE_STEP};
        EXPECT_EQ(Measure(Pause, Field).nOpaque, Field.w * Field.h);
        EXPECT_LT(Measure(Pause, Field).fBrightest, 0.12f) << Prompt.x;
    }
}

TEST_F(PlayArt, FontGlyphsFitTheirAdvanceAndAreLightInkInADarkOutline)
{
    ForgeAndLoad(ForgeFont2Sheet, {Sheets::FONT2});
    const Picture16& Font = m_Sheets["font2"];
    auto CellOf = [](int c) { return Sheets::Font2Cell(Sheets::Font2Index((uint8_t)c)); };
    for (int nIndex = 0; nIndex < 192; ++nIndex) {
        int c = nIndex < 96 ? nIndex + 32 : nIndex + 64, nAdvance = Sheets::FONT2_WIDTHS[nIndex];
        SCOPED_TRACE("character " + std::to_string(c));
        ASSERT_EQ(Sheets::Font2Index((uint8_t)c), nIndex);
        EXPECT_GT(nAdvance, 2);
        EXPECT_LE(nAdvance, Sheets::FONT2_CELL);
        SheetRect Cell = CellOf(c);
        ExpectInside(Font, Cell);
        int nLeft = Cell.w, nRight = -1, nLight = 0, nDarkSolid = 0;
        for (int y = Cell.y; y < Cell.Bottom(); ++y)
            for (int x = Cell.x; x < Cell.Right(); ++x) {
                if (Font.Opaque(x, y))
                    nLeft = std::min(nLeft, x - Cell.x), nRight = std::max(nRight, x - Cell.x);
                if (Font.Solid(x, y))
                    nLight += Font.Light(x, y) > 0.7f, nDarkSolid += Font.Light(x, y) < 0.2f;
            }
        if (c == ' ' || c == 0x7F || c == 0xA0) {
            EXPECT_EQ(nRight, -1);
            continue;
        }
        // From the cell's left edge, within its advance; light ink in a dark outline (but the soft hyphen).
        EXPECT_GE(nRight, 0) << "no glyph";
        EXPECT_LE(nRight, nAdvance);
        EXPECT_LE(nLeft, 1);
        EXPECT_TRUE(c == 0xAD || (nLight > 0 && nDarkSolid > nLight / 2))
            << nLight << " light, " << nDarkSolid << " dark";
    }
    // The German letters have glyphs of their own, the umlauts' dots add ink.
    for (auto [nLetter, nPlain] :
         {std::pair{0xE4, 'a'}, {0xF6, 'o'}, {0xFC, 'u'}, {0xC4, 'A'}, {0xD6, 'O'}, {0xDC, 'U'}}) {
        EXPECT_GT(Differences(Font, CellOf(nLetter), Font, CellOf(nPlain)), 0) << nLetter;
        EXPECT_GT(Measure(Font, CellOf(nLetter)).nOpaque, Measure(Font, CellOf(nPlain)).nOpaque) << nLetter;
    }
    EXPECT_GT(Differences(Font, CellOf(0xDF), Font, CellOf('B')), 0);
    EXPECT_GT(Measure(Font, CellOf(0xDF)).nOpaque, 40);
}

}  // namespace
