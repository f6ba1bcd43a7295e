// The level editor's way in and out: --edit, and the test-play that plays the
// edited level and always comes back to the editor as it was.
#include "game/GameFixture.h"

#include "CommandLine.h"
#include "Demo.h"
#include "Editor.h"
#include "EditorDocument.h"
#include "Flow.h"
#include "HighScores.h"
#include "Keys.h"

namespace {

using namespace gametest;

constexpr int EDITED_LEVEL = 14;   // in the second user file, which does not ship

std::vector<int16_t> StoredCells(int nLevel) { return {g_LevelCells[nLevel], g_LevelCells[nLevel] + LEVEL_CELLS}; }

class EditorFlow : public GameStart {
protected:
    // The editor open on the edited level with a brick, a teleporter pair and background 6.
    void OpenWithEdits(const std::vector<std::string>& Args = {})
    {
        WriteSettings("[Tamborel2]\n");
        ASSERT_TRUE(StartGame(Args));
        GameOpenEditor(EDITED_LEVEL);
        EditorDocument& Document = GameEditorDocument();
        Document.Place(3, 2, 7);
        Document.Place(0, 0, 497);
        Document.Place(18, 5, 498);
        Document.SetBackground(6);
        m_Edited = Document.Current();
    }
    void StartTestPlay()
    {
        ASSERT_TRUE(GameEditorTestPlay());
        ASSERT_TRUE(GameInTestPlay());
        EXPECT_TRUE(g_bInGame && !g_bTwoPlayers);
        EXPECT_EQ(g_nCurrentLevel, EDITED_LEVEL);
        const std::vector<int16_t> Edited(m_Edited.Cells.begin(), m_Edited.Cells.end());
        EXPECT_EQ(StoredCells(EDITED_LEVEL), Edited);
        EXPECT_EQ((std::array<int32_t, 4>{g_nLevelBackground, g_nBeamAX, g_nBeamBX, g_nBeamBY}),
                  (std::array<int32_t, 4>{6, 0, 18 * 40, 5 * 24}));
        EXPECT_TRUE(g_Balls[0].bActive && !g_bBallsLaunched);
        Frames(3);
    }
    void ExpectBackInTheEditor()
    {
        EXPECT_FALSE(GameInTestPlay());
        EXPECT_FALSE(g_bInGame);
        EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_EDITOR);
        EXPECT_EQ(GameEditorDocument().CurrentLevel(), EDITED_LEVEL);
        EXPECT_EQ(GameEditorDocument().Current().Cells, m_Edited.Cells);
        EXPECT_TRUE(GameEditorDocument().Modified());
        Frames(3);
        EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_EDITOR);
    }

    Level m_Edited;
};

// Escape, the last life lost and the level cleared each end the test-play in the
// editor, with no high-score entry and the same level playable again.
TEST_F(EditorFlow, EveryEndOfATestPlayComesBackToTheUnchangedEditor)
{
    OpenWithEdits();
    StartTestPlay();
    Press(GAME_KEY_ESCAPE);
    ExpectBackInTheEditor();

    StartTestPlay();
    g_nScore[0] = 5000;
    g_nLives[0] = 0;
    LoseBall(1);
    ExpectBackInTheEditor();
    EXPECT_EQ(g_nScoreEntry, GAME_SCORE_ENTRY_NONE);
    EXPECT_FALSE(g_bHalted);

    StartTestPlay();
    SetCell(3, 2, LEVEL_CELL_EMPTY);   // the one brick broken
    g_nCurrentLevel = EDITED_LEVEL;
    Frames(3);
    ExpectBackInTheEditor();

    // A normal game of the user set plays the level once it is saved, not before.
    GameLeaveEditor();
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_TITLE);
    g_nUL = 1;
    ASSERT_TRUE(GameChangeMode(GAME_MODE_SPIEL_STARTEN));
    GameLoadLevel(EDITED_LEVEL);
    EXPECT_EQ(StoredCells(EDITED_LEVEL), std::vector<int16_t>(LEVEL_CELLS, LEVEL_CELL_EMPTY));
    ASSERT_TRUE(GameEditorDocument().Save().bSaved);
    GameLoadLevel(EDITED_LEVEL);
    EXPECT_EQ(StoredCells(EDITED_LEVEL), std::vector<int16_t>(m_Edited.Cells.begin(), m_Edited.Cells.end()));
    EXPECT_EQ(g_nLevelBackground, 6);
}

// A ball that sends the player one level back replays the edited level.
TEST_F(EditorFlow, OneLevelBackInATestPlayPlaysTheEditedLevelAgain)
{
    OpenWithEdits();
    StartTestPlay();
    SetCell(3, 2, 100);
    ASSERT_TRUE(GameChangeMode(GAME_MODE_LEVEL_ZURUECK));
    EXPECT_TRUE(GameInTestPlay());
    EXPECT_EQ(g_nCurrentLevel, EDITED_LEVEL);
    EXPECT_EQ(g_LevelCells[EDITED_LEVEL][LevelCellIndex(3, 2)], 7);
}

// A careless click of the demo's chaos may open the editor: the demo drops what
// it changed there, goes back to the title and plays on.
TEST_F(EditorFlow, TheDemoFindsItsWayOutOfTheEditor)
{
    OpenWithEdits();
    const char* const Demo[] = {"--demo=60"};
    DemoPrepare(GameParseCommandLine(1, Demo));
    Frames(300);
    EXPECT_TRUE(g_bInGame && !GameInTestPlay());
    EXPECT_FALSE(GameEditorDocument().Modified());
}

TEST_F(EditorFlow, EditOnTheCommandLineOpensTheEditorOnThatLevel)
{
    WriteSettings("[Tamborel2]\n");
    ASSERT_TRUE(StartGame({"--edit=37"}));
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_EDITOR);
    EXPECT_FALSE(LogStartsWith("Movie Closed at"));   // straight in, without the logo movies
    EXPECT_EQ(GameEditorDocument().CurrentLevel(), 36);
    Frames(3);
    EXPECT_EQ(g_nMenuScreen, GAME_SCREEN_EDITOR);
}

}  // namespace
