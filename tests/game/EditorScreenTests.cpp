// The level editor worked as a player works it: pointer moves, buttons and
// keys as SDL events, pumped before every frame; what it saves read back
// through the level text format.
#include "game/GameFixture.h"

#include "Editor.h"
#include "EditorDocument.h"
#include "EditorScreen.h"
#include "Keys.h"
#include "LevelText.h"
#include "UserFiles.h"
#include "sheets.h"
#include "support/TestInput.h"

namespace {

using namespace gametest;

class EditorScreen : public GameStart {
protected:
    void Frame() { PumpAllEvents(), Frames(1); }
    void Key(SDLKey nKey) { InjectKeyPress(nKey), PumpAllEvents(), Frames(2); }
    void Escape() { Key(SDLK_ESCAPE), Frames(10); }   // Escape acts again once the keys are armed
    void MoveTo(int x, int y) { m_x = x, m_y = y, InjectMouseMove((Uint16)x, (Uint16)y), Frame(); }
    void MoveToCell(int nColumn, int nRow) { MoveTo(40 + nColumn * 40, 33 + nRow * 24); }
    void Button(Uint8 nButton, bool bDown) { InjectMouseButton(nButton, bDown, (Uint16)m_x, (Uint16)m_y), Frame(); }
    void Click(Uint8 nButton = SDL_BUTTON_LEFT) { Button(nButton, true), Button(nButton, false); }
    void Click(const ScreenArea& A) { MoveTo((A.nLeft + A.nRight) / 2, (A.nTop + A.nBottom) / 2), Click(); }
    void Drag(Uint8 nButton, int nColumn0, int nRow0, int nColumn1, int nRow1)
    {
        MoveToCell(nColumn0, nRow0), Button(nButton, true), MoveToCell(nColumn1, nRow1), Button(nButton, false);
    }
    void ChooseCode(int nGroup, int nSlot) { Click(EditorLayout::Tab(nGroup)), Click(EditorLayout::StripCell(nSlot)); }
    bool InEditor() const { return !g_bInGame && g_nMenuScreen == GAME_SCREEN_EDITOR; }

    int m_x = 0, m_y = 0;
};

std::string TextOf(const Level& Each)
{
    LevelFileData File;
    File.Levels = {Each};
    std::string Text, Reason;
    EXPECT_TRUE(LevelPrintText(File, Text, Reason)) << Reason;
    return Text;
}

TEST_F(EditorScreen, ASessionOfClicksDragsAndKeysSavesExactlyTheLevelBuilt)
{
    Start();
    Key(SDLK_e);
    ASSERT_TRUE(InEditor());
    Key(SDLK_l);   // the shipped level 0 cleared first
    Level Expected = MakeLevel(GameEditorDocument().Current().nBackground);
    auto Set = [&](int nColumn, int nRow, int nCode) { Expected.Cells[LevelCellIndex(nColumn, nRow)] = (int16_t)nCode; };

    ChooseCode(0, 17);   // bricks: the tile sheet's first row, code 17
    Drag(SDL_BUTTON_LEFT, 2, 1, 6, 1);
    Key(SDLK_z);   // the whole drag is one step
    EXPECT_EQ(TextOf(GameEditorDocument().Current()), TextOf(Expected));
    Key(SDLK_y);
    for (int nColumn = 2; nColumn <= 6; ++nColumn)
        Set(nColumn, 1, 17);
    MoveToCell(4, 1), Click(SDL_BUTTON_RIGHT);   // erase
    Set(4, 1, LEVEL_CELL_EMPTY);

    Key(SDLK_f), ChooseCode(3, 0);   // fill a row with the first indestructible brick
    Drag(SDL_BUTTON_LEFT, 18, 3, 0, 3);
    for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn)
        Set(nColumn, 3, 180);
    Drag(SDL_BUTTON_RIGHT, 5, 3, 6, 3);   // and empty two of it
    Set(5, 3, LEVEL_CELL_EMPTY), Set(6, 3, LEVEL_CELL_EMPTY);

    Key(SDLK_p), MoveToCell(2, 1), Click();   // pick 17 up again and place it
    Key(SDLK_d), MoveToCell(9, 5), Click();
    Set(9, 5, 17);

    Key(SDLK_c), Drag(SDL_BUTTON_LEFT, 2, 1, 3, 3);   // copy 2 x 3 and paste it at the right edge (clipped)
    MoveToCell(18, 10), Click();
    Set(18, 10, 17), Set(18, 12, 180);

    Key(SDLK_m), Key(SDLK_BACKSPACE), Key(SDLK_y);   // mirrored, undone, redone
    Level Mirrored = Expected;
    for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn)
        for (int nRow = 0; nRow < LEVEL_ROWS; ++nRow)
            Mirrored.Cells[LevelCellIndex(nColumn, nRow)] = Expected.Cells[LevelCellIndex(18 - nColumn, nRow)];

    Key(SDLK_s);
    LevelFileData Saved;
    int nDropped = 0;
    std::string Reason;
    const std::string Name = GameUserLevelFile(LevelFileName(LevelSet::User, 1));
    const std::string Params = GameUserLevelFile(LevelParamFileName(LevelSet::User, 1));
    ASSERT_TRUE(LevelDecodeFile(ReadFileBytes(Name), ReadFileBytes(Params), 1, Saved, nDropped, Reason)) << Reason;
    EXPECT_EQ(TextOf(Saved.Levels.at(0)), TextOf(Mirrored));
    std::string WholeFile;
    ASSERT_TRUE(LevelPrintText(Saved, WholeFile, Reason));
    const RunResult Decoded = Shell("'" TAMBOREL_BUILD "/tamborel-levels' decode '" + Name + "' '" + Params + "'");
    EXPECT_EQ(std::make_pair(Decoded.nStatus, Decoded.Out), std::make_pair(0, WholeFile)) << Decoded.Err;
    Key(SDLK_t);   // test-played, given up, and back as it was
    EXPECT_TRUE(g_bInGame && GameInTestPlay());
    Escape();
    EXPECT_TRUE(InEditor());
    EXPECT_EQ(TextOf(GameEditorDocument().Current()), TextOf(Mirrored));
    Escape();   // saved: nothing to ask
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);
}

TEST_F(EditorScreen, EscapeLeavesAtOnceWhenSavedAndAsksFirstWhenNot)
{
    Start();
    Click(Sheets::MENU_EDITOR);
    ASSERT_TRUE(InEditor());
    Escape();
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);
    Key(SDLK_e);
    const std::string Before = TextOf(GameEditorDocument().Current());
    while (GameEditorDocument().Current().nBackground != 0)   // the pictures up to random
        Key(SDLK_b);
    const int nRandomPicture = GameEditorView().nShownBackground;   // stays through edits, undo and a test-play
    Key(SDLK_m), Key(SDLK_z), Key(SDLK_y), Key(SDLK_z), Key(SDLK_t), Escape();
    EXPECT_TRUE(InEditor() && GameEditorView().nShownBackground == nRandomPicture);
    Key(SDLK_l);
    const std::string InTheWay = GameUserFiles().UserLevels + "usrlev1.tmp";   // where the save's temporary goes
    std::filesystem::create_directories(InTheWay);
    Key(SDLK_s);
    EXPECT_EQ(GameEditorView().Message.rfind("Kann usrlev1.dat nicht schreiben, die alte Datei bleibt", 0), 0u)
        << GameEditorView().Message;
    std::filesystem::remove(InTheWay);
    for (SDLKey nStay : {SDLK_n, SDLK_ESCAPE}) {
        Escape();
        EXPECT_TRUE(InEditor() && GameEditorView().bAsking);
        nStay == SDLK_ESCAPE ? Escape() : Key(nStay);
        EXPECT_TRUE(InEditor() && !GameEditorView().bAsking) << nStay;
    }
    Escape();
    Key(SDLK_y);
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);
    Key(SDLK_e);   // the changes were discarded
    EXPECT_EQ(TextOf(GameEditorDocument().Current()), Before);
    Escape();
}

}  // namespace
