// Into the level editor and out of it, and its test-play: the edited level
// played as a one-player game that ends back in the editor.
#include "Editor.h"
#include "EditorDocument.h"
#include "Flow.h"
#include "GameState.h"
#include "Levels.h"
#include "Sounds.h"

namespace {

bool g_bTestPlay = false;
// The level the test-play plays: a copy, so that nothing in play can touch the document.
Level g_TestLevel;

void ShowEditor()
{
    g_nMenuScreen = GAME_SCREEN_EDITOR;
    GameMusicSwitch(GAME_MUSIC_TITLE);
    GameEditorEnter();
}

}  // namespace

void GameOpenEditor(int32_t nLevel)
{
    Korvid.DebugLog("Tamborel: GameOpenEditor(%d)", (int)nLevel);
    EditorDocument& Document = GameEditorDocument();
    if (!Document.Modified())
        Document.Load();
    Document.SelectLevel(nLevel);
    ShowEditor();
}

void GameLeaveEditor()
{
    Korvid.DebugLog("Tamborel: GameLeaveEditor()");
    GameChangeMode(GAME_MODE_HAUPTMENU);
}

bool GameEditorTestPlay()
{
    const EditorDocument& Document = GameEditorDocument();
    Korvid.DebugLog("Tamborel: GameEditorTestPlay(%d)", Document.CurrentLevel());
    g_TestLevel = Document.Current();
    GameSetLevelOverride(&g_TestLevel);
    g_bTestPlay = true;
    if (GameStartOnePlayerGame(Document.CurrentLevel()))
        return true;
    GameEndTestPlay();
    return false;
}

bool GameInTestPlay() { return g_bTestPlay; }

void GameEndTestPlay()
{
    Korvid.DebugLog("Tamborel: GameEndTestPlay()");
    g_bTestPlay = false;
    GameSetLevelOverride(nullptr);
    GameLeavePlay();
    ShowEditor();
}
