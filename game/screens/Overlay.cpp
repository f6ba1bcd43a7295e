// Drawing the halted overlay over the play picture.
#include "Overlay.h"

#include <cstdio>

#include "GameState.h"
#include "HighScores.h"
#include "PlayClock.h"
#include "Resources.h"
#include "Text.h"
#include "korvid.h"
#include "sheets.h"

namespace {

constexpr int DARK_STRIPS = 25;
constexpr int DARK_PERCENT = 50;         // each strip at alpha 128

void BlitCentred(uint32_t nChunky, const SheetRect& Source, int32_t y)
{
    Korvid.BlitArea(nChunky, Source.x, Source.y, Source.w, Source.h, (800 - Source.w) / 2, y, KOR_BLIT_ALPHA, 0, 100);
}

void DarkenScreen()
{
    const SheetRect& Strip = Sheets::DARK_STRIP;
    for (int n = 0; n < DARK_STRIPS; ++n)
        Korvid.BlitArea(GAME_CHUNKY_INTERFACE, Strip.x, Strip.y, Strip.w, Strip.h, 0, n * Strip.h,
                        KOR_BLIT_TRANS | KOR_BLIT_NOCOOKIE, 0, DARK_PERCENT);
}

void DrawNamePrompt()
{
    const int nLanguage = g_nL ? 1 : 0;
    BlitCentred(GAME_CHUNKY_PAUSE, Sheets::NAME_PROMPT[nLanguage], Sheets::PAUSE_Y);
    const bool bCursorOn = g_bBlink;
    char szLine[HS_TYPED_BYTES + 4];
    snprintf(szLine, sizeof(szLine), "> %s%s", g_szHighScoreTyped, bCursorOn ? "|" : "");
    GamePrintText(Sheets::NAME_TEXT_X, Sheets::NAME_TEXT_Y, szLine, 255, true);
}

}  // namespace

bool GameOverlayShown()
{
    return g_bHalted || g_nScoreEntry == GAME_SCORE_ENTRY_NAME || g_nScoreEntry == GAME_SCORE_ENTRY_ALL_DONE;
}

void GameDrawHaltedOverlay()
{
    DarkenScreen();
    if (g_nScoreEntry == GAME_SCORE_ENTRY_ALL_DONE)
        BlitCentred(GAME_CHUNKY_ENDE, Sheets::FINAL_PICTURE[g_nL ? 1 : 0], Sheets::FINAL_Y);
    else if (g_nScoreEntry == GAME_SCORE_ENTRY_NAME)
        DrawNamePrompt();
    else
        BlitCentred(GAME_CHUNKY_PAUSE, Sheets::PAUSE_PICTURE, Sheets::PAUSE_Y);
}
