// Loading the high-score list and putting a new score into it.
#include "HighScores.h"

#include <cstring>

#include "ErrorReport.h"
#include "GameState.h"
#include "Keys.h"
#include "Resources.h"
#include "Sounds.h"
#include "UserFiles.h"
#include "korvid.h"
#include "services/SafeSave.h"
#include "sheets.h"

int32_t g_anHighScore[HS_ENTRIES] = {};
uint8_t g_acHighName[HS_NAME_POSITIONS * HS_NAME_COLUMNS] = {};
int32_t g_nHighScoreSlot = 0;
char g_szHighScoreTyped[HS_TYPED_BYTES] = {};

namespace {

const char* const SCORE_KEYS[HS_ENTRIES] = {"H1", "H2", "H3", "H4", "H5"};
uint8_t g_acReserved[HS_FILE_BYTES - HS_ENTRIES * HS_NAME_POSITIONS] = {};

uint8_t& NamePosition(int nEntry, int nPosition)
{
    return g_acHighName[nPosition * HS_NAME_COLUMNS + nEntry];
}

void ClearName(int nEntry)
{
    for (int k = 0; k < HS_NAME_POSITIONS; ++k)
        NamePosition(nEntry, k) = HS_NAME_END;
}

// Reads the whole file image; a short or unreadable file leaves the names as they are.
bool ReadNameFile(uint8_t (&acImage)[HS_FILE_BYTES])
{
    const char* szFile = GameUserFiles().Scores.c_str();
    uint32_t hFile = Korvid.FileOpen(szFile, KOR_FILE_READ);
    if (!hFile) {
        Korvid.DebugLog("** WARNING ** HSLaden: Unable To Open '%s' For Reading", szFile);
        return false;
    }
    int32_t nRead = Korvid.FileRead(hFile, acImage, HS_FILE_BYTES);
    Korvid.FileClose(hFile);
    if (nRead != HS_FILE_BYTES) {
        Korvid.DebugLog("** WARNING ** HSLaden: '%s' Holds %d Of %d Bytes - Names Not Read", szFile, (int)nRead,
                        HS_FILE_BYTES);
        return false;
    }
    // The image is binary; the log takes it as text up to its first zero byte.
    char szText[HS_FILE_BYTES + 1];
    memcpy(szText, acImage, HS_FILE_BYTES);
    szText[HS_FILE_BYTES] = 0;
    Korvid.DebugLog("HSLaden[A]: Read String '%s' From File '%s'", szText, szFile);
    return true;
}

constexpr int32_t ERROR_TITLE_AFTER_ENTRY = 400;
constexpr int32_t LIST_TOP = 175, LIST_ROW_STEP = 50, NAME_X = 200, SCORE_X = 492, SCORE_DIGIT_STEP = 20;
constexpr int SCORE_DIGITS = 6;
constexpr int32_t SCORE_SHOWN_MAX = 999999;

void BuildFileImage(uint8_t (&acImage)[HS_FILE_BYTES])
{
    for (int i = 0; i < HS_ENTRIES; ++i)
        for (int k = 0; k < HS_NAME_POSITIONS; ++k)
            acImage[i * HS_NAME_POSITIONS + k] = NamePosition(i, k);
    memcpy(acImage + HS_ENTRIES * HS_NAME_POSITIONS, g_acReserved, sizeof(g_acReserved));
}

void SaveList()
{
    const char* szFile = GameUserFiles().Scores.c_str();
    uint8_t acImage[HS_FILE_BYTES];
    BuildFileImage(acImage);
    for (uint8_t nByte : acImage)
        Korvid.DebugLog("Value: %d", (int)nByte);
    char szText[HS_FILE_BYTES + 1];
    memcpy(szText, acImage, HS_FILE_BYTES);
    szText[HS_FILE_BYTES] = 0;
    // Saved whole through a temporary file beside it, so that a crash or a full
    // disk while saving leaves the old names in place.
    if (KorvidSaveWhole(szFile, GameUserFiles().ScoresTemp.c_str(), acImage, HS_FILE_BYTES))
        Korvid.DebugLog("OldWinMain[A]: Writing String '%s' To File '%s'", szText, szFile);
    else
        Korvid.DebugLog("** WARNING ** OldWinMain: Could Not Open '%s' To Write '%s'", szFile, szText);
    for (int i = 0; i < HS_ENTRIES; ++i)
        Korvid.IniWriteInt(SCORE_KEYS[i], g_anHighScore[i]);
}

void ReturnToTitle()
{
    Korvid.DebugLog("Language Check");
    if (!GameLoadPicture(GAME_CHUNKY_BACKGROUND, GameTitlePicture()))
        GameReportError(ERROR_TITLE_AFTER_ENTRY);
    if (g_bMusicOn)
        GameMusicSwitch(GAME_MUSIC_TITLE);
    g_nScoreEntry = GAME_SCORE_ENTRY_NONE;
    g_bPauseAllowed = true;
    g_bHalted = 0;
    g_bBossStage = 0;
    g_nMenuScreen = GAME_SCREEN_TITLE;
    g_bInGame = false;
    Korvid.DebugLog("ResetStuff");
}

bool TypeLetter(int nLetter)
{
    size_t nTyped = strlen(g_szHighScoreTyped);
    if (nTyped >= (size_t)HS_NAME_LETTERS)
        return false;
    g_szHighScoreTyped[nTyped] = (char)('A' + nLetter);
    g_szHighScoreTyped[nTyped + 1] = 0;
    NamePosition(g_nHighScoreSlot, (int)nTyped) = (uint8_t)nLetter;
    NamePosition(g_nHighScoreSlot, (int)nTyped + 1) = HS_NAME_END;
    return true;
}

bool EraseLetter()
{
    size_t nTyped = strlen(g_szHighScoreTyped);
    if (nTyped == 0)
        return false;
    g_szHighScoreTyped[nTyped - 1] = 0;
    NamePosition(g_nHighScoreSlot, (int)nTyped - 1) = HS_NAME_END;
    return true;
}

void DrawCell(const SheetRect& Cell, int32_t x, int32_t y)
{
    Korvid.BlitArea(GAME_CHUNKY_KUGEL, Cell.x, Cell.y, Cell.w, Cell.h, x, y, KOR_BLIT_ALPHA, 0, 100);
}

void DrawName(int nEntry, int32_t y)
{
    for (int k = 0; k < HS_NAME_LETTERS; ++k) {
        const uint8_t nLetter = NamePosition(nEntry, k);
        if (nLetter == HS_NAME_END)
            return;
        if (nLetter < Sheets::SCORE_LETTERS)
            DrawCell(Sheets::ScoreLetter(nLetter), NAME_X + Sheets::ScoreLetter(0).w * k, y);
    }
}

// Six digits with leading zeros; a score from the settings beyond them shows as its nearest end.
void DrawScore(int32_t nScore, int32_t y)
{
    int32_t nRest = Korvid.Clamp(nScore, 0, SCORE_SHOWN_MAX);
    for (int j = SCORE_DIGITS - 1; j >= 0; --j) {
        DrawCell(Sheets::ScoreDigit(nRest % 10), SCORE_X + SCORE_DIGIT_STEP * j, y);
        nRest /= 10;
    }
}

}  // namespace

void HSDrawList()
{
    for (int i = 0; i < HS_ENTRIES; ++i) {
        const int32_t y = LIST_TOP + LIST_ROW_STEP * i;
        DrawName(i, y);
        DrawScore(g_anHighScore[i], y);
    }
}

void HSLaden()
{
    for (int nColumn = 0; nColumn < 8; ++nColumn)
        for (int k = 0; k < 8; ++k)
            g_acHighName[k * HS_NAME_COLUMNS + nColumn] = HS_NAME_END;
    if (!Korvid.FileExists(GameUserFiles().Scores.c_str()))
        return;
    uint8_t acImage[HS_FILE_BYTES];
    if (ReadNameFile(acImage)) {
        for (int i = 0; i < HS_ENTRIES; ++i)
            for (int k = 0; k < HS_NAME_POSITIONS; ++k)
                NamePosition(i, k) = acImage[i * HS_NAME_POSITIONS + k];
        memcpy(g_acReserved, acImage + HS_ENTRIES * HS_NAME_POSITIONS, sizeof(g_acReserved));
    }
    for (int i = 0; i < HS_ENTRIES; ++i)
        g_anHighScore[i] = Korvid.IniGetInt(SCORE_KEYS[i], g_anHighScore[i]);
}

bool HSInsert(int32_t nScore)
{
    if (nScore <= g_anHighScore[HS_ENTRIES - 1])
        return false;
    int nSlot = 0;
    while (nScore <= g_anHighScore[nSlot])
        ++nSlot;
    for (int i = HS_ENTRIES - 1; i > nSlot; --i) {
        g_anHighScore[i] = g_anHighScore[i - 1];
        for (int k = 0; k < HS_NAME_POSITIONS; ++k)
            NamePosition(i, k) = NamePosition(i - 1, k);
    }
    g_anHighScore[nSlot] = nScore;
    ClearName(nSlot);
    g_szHighScoreTyped[0] = 0;
    g_nHighScoreSlot = nSlot;
    g_nScoreEntry = GAME_SCORE_ENTRY_NAME;
    return true;
}

bool HSNameEntryKey(int nKey)
{
    bool bHandled = false;
    if (nKey >= GAME_KEY_A && nKey <= GAME_KEY_Z) {
        bHandled = TypeLetter(nKey - GAME_KEY_A);
    } else if (nKey == GAME_KEY_BACKSPACE) {
        bHandled = EraseLetter();
    } else if (nKey == GAME_KEY_RETURN || nKey == GAME_KEY_KEYPAD_ENTER) {
        Korvid.DebugLog("Checking Enter Key");
        Korvid.DebugLog("Enter Pressed");
        SaveList();
        ReturnToTitle();
        bHandled = true;
    }
    if (bHandled)
        GamePlaySound(GAME_SOUND_KIND_TYPING, 0);
    return bHandled;
}
