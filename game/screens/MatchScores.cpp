// The score screens of a match: the level just played and the totals, each
// with the better player first, then what comes next.
#include "MatchScores.h"

#include <cstdio>

#include "GameState.h"
#include "Text.h"

namespace {

constexpr int32_t CENTRED = -1;
constexpr int OPAQUE = 255;
constexpr int32_t TITLE_Y = 200, LEVEL_HEADING_Y = 248, LEVEL_LINES_Y = 272;
constexpr int32_t TOTAL_HEADING_Y = 344, TOTAL_LINES_Y = 368, LAST_LINE_Y = 450;
constexpr int32_t LINE_STEP = 24;
constexpr int LINE_BYTES = 96;

void Centred(int32_t y, const char* szText)
{
    GamePrintText(CENTRED, y, szText, OPAQUE, false);
}

// Nothing names the mouse player, and a line that starts with ": 12 Punkte" or
// reads "->  hat das Spiel gewonnen! <-" names nobody: an empty name reads "Spieler".
const char* NameOf(int nPlayer)
{
    const char* szName = g_szPlayerName[nPlayer - 1];
    return szName[0] ? szName : "Spieler";
}

void ScoreLine(int32_t y, int nPlayer, int32_t nScore)
{
    char szLine[LINE_BYTES];
    snprintf(szLine, sizeof(szLine), "%s: %d Punkt%s", NameOf(nPlayer), (int)nScore,
             nScore == 1 ? "" : "e");
    Centred(y, szLine);
}

// The higher score first; on a tie player 1 first.
void ScorePair(int32_t y, const int32_t (&Scores)[GAME_PLAYERS])
{
    const int nFirst = Scores[1] > Scores[0] ? 2 : 1;
    const int nSecond = 3 - nFirst;
    ScoreLine(y, nFirst, Scores[nFirst - 1]);
    ScoreLine(y + LINE_STEP, nSecond, Scores[nSecond - 1]);
}

void Verdict()
{
    if (g_nTotal[0] == g_nTotal[1]) {
        Centred(LAST_LINE_Y, "-> Es herrscht Punkte-Gleichstand! <-");
        return;
    }
    char szLine[LINE_BYTES];
    snprintf(szLine, sizeof(szLine), "-> %s hat das Spiel gewonnen! <-",
             NameOf(g_nTotal[1] > g_nTotal[0] ? 2 : 1));
    Centred(LAST_LINE_Y, szLine);
}

}  // namespace

void GameDrawMatchScores()
{
    const bool bLast = g_nMenuScreen == GAME_SCREEN_MATCH_LAST;
    if (!bLast && g_nMenuScreen != GAME_SCREEN_MATCH_WON)
        return;
    Centred(TITLE_Y, bLast ? "-={ Finalwertung }=-" : "-={ Highscore }=-");
    Centred(LEVEL_HEADING_Y, "- Level -");
    ScorePair(LEVEL_LINES_Y, g_nScore);
    Centred(TOTAL_HEADING_Y, "- Gesamtwertung -");
    ScorePair(TOTAL_LINES_Y, g_nTotal);
    if (bLast)
        Verdict();
    else
        Centred(LAST_LINE_Y, "Dr\xfc" "cken Sie die Eingabetaste, um das Spiel fortzusetzen!");
}
