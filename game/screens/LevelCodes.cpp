// Level codes: made up the first time a level is reached and kept in the
// settings with a check value drawn from the same digits, shown on a banner,
// entered digit by digit on the options page, and looked up when a game starts.
#include "LevelCodes.h"

#include <cstdio>

#include "GameState.h"
#include "Levels.h"
#include "Resources.h"
#include "Text.h"
#include "korvid.h"
#include "sheets.h"

int32_t g_nCodeDigit[CODE_DIGITS] = {};
int32_t g_nEnteredCode = 0, g_nShownCode = 0, g_bCodeKnown = 0, g_bShowCode = 0;

namespace {

constexpr int32_t LAST_CODED_LEVEL = 99;        // the start-level search looks at levels 0..99
constexpr int32_t USER_SET_CHECK_FACTOR = 5;    // with UL 1 a stored check is five times larger
constexpr int32_t MADE_DIGIT_LOW = 0, MADE_DIGIT_HIGH = 8, MADE_FIRST_DIGIT_LOW = 1;   // a made code has no 9
constexpr int32_t ENTRY_DIGIT_VALUES = 10;      // an entered digit runs 0..9 and round again
constexpr int KEY_BYTES = 16;

// The banner: the panel centred on the screen, the new digits or the stored code in its slot.
constexpr int16_t BANNER_X = 233, BANNER_Y = 183;
constexpr int16_t BANNER_DIGIT_X = 367, BANNER_DIGIT_Y = 284, BANNER_DIGIT_STEP = 15;
constexpr int16_t BANNER_CODE_X = 370, BANNER_CODE_Y = 285;

// The settings keys of one level's code and check; the user set keeps its own
// so that its codes never open a level of the built-in sets.
struct CodeKeys {
    char szCode[KEY_BYTES];
    char szCheck[KEY_BYTES];
};

CodeKeys KeysOf(int32_t nLevel)
{
    const bool bUserSet = g_nUL != 0;
    CodeKeys Keys;
    snprintf(Keys.szCode, sizeof(Keys.szCode), bUserSet ? "UP%d" : "P%d", (int)nLevel);
    snprintf(Keys.szCheck, sizeof(Keys.szCheck), bUserSet ? "UPS%d" : "PS%d", (int)nLevel);
    return Keys;
}

bool CheckHasUserFactor() { return g_nUL == 1; }

// The check's two sums and its value for level 1 (the check of level n is n times that).
struct CheckParts {
    int32_t nPX, nPY, nPerLevel;
};

CheckParts CheckPartsOfDigits()
{
    const int32_t* d = g_nCodeDigit;
    const int32_t nPX = d[2] + d[3] + d[4] + d[5], nPY = d[0] + d[1];
    return {nPX, nPY, nPX * nPY + d[4]};
}

int32_t DigitsAsNumber()
{
    int32_t nNumber = 0;
    for (int32_t nDigit : g_nCodeDigit)
        nNumber = nNumber * 10 + nDigit;
    return nNumber;
}

void DrawDigits()
{
    for (int i = 0; i < CODE_DIGITS; ++i) {
        const SheetRect Source = Sheets::CodeDigit(g_nCodeDigit[i]);
        Korvid.BlitArea(GAME_CHUNKY_KUGEL, Source.x, Source.y, Source.w, Source.h, BANNER_DIGIT_X + BANNER_DIGIT_STEP * i,
                        BANNER_DIGIT_Y, KOR_BLIT_ALPHA, 0, KOR_ALPHA_FULL);
    }
}

// A hand-edited file may lack a check entry, or hold an empty one: that level
// cannot be proved and does not match. (Reading it with a default instead
// would let the default pass for the check of a level whose digits give 0.)
bool ReadCheck(const char* szKey, int32_t& nCheck)
{
    char szValue[KOR_INI_OUTPUT_SIZE];
    Korvid.IniGetString(szKey, "", szValue);
    if (!szValue[0]) {
        Korvid.DebugLog("** WARNING ** Tamborel: %s Is Missing, The Code Beside It Does Not Count", szKey);
        return false;
    }
    nCheck = Korvid.StringToInteger(szValue);
    return true;
}

// Whether level n's stored check agrees with digits whose level-1 check is nPerLevel.
// The stored check is n times that, and five times more with UL 1; dividing both
// out compares like with like, so a code made in the user set is found again.
bool CheckAgrees(int32_t nLevel, const char* szKey, int32_t nPerLevel)
{
    int32_t nCheck = 0;
    if (!ReadCheck(szKey, nCheck))
        return false;
    nCheck /= nLevel;
    if (CheckHasUserFactor())
        nCheck /= USER_SET_CHECK_FACTOR;
    return nCheck == nPerLevel;
}

// Whether level n holds the entered code with a check that agrees.
bool LevelMatches(int32_t nLevel, int32_t nPerLevel)
{
    const CodeKeys Keys = KeysOf(nLevel);
    Korvid.DebugLog("Tamborel: [%d] Checking For Password. Default Check is %s [%d]", (int)nLevel, Keys.szCode, 0);
    const int32_t nStored = Korvid.IniGetInt(Keys.szCode, 0);
    if (nStored == 0)
        return false;
    Korvid.DebugLog("Got A Result From Check");
    Korvid.DebugLog("Got A Result From Check (%d)", (int)nStored);
    // The game never codes level 0 (a game starts there anyway); its check
    // would be divided by 0.
    if (nLevel == 0) {
        Korvid.DebugLog("** WARNING ** Tamborel: %s=%d Names Level 0, Which Has No Code: Skipped", Keys.szCode,
                        (int)nStored);
        return false;
    }
    return nStored == g_nEnteredCode && CheckAgrees(nLevel, Keys.szCheck, nPerLevel);
}

// Six new digits; the first is never 0, so the code has six places.
void DrawNewDigits()
{
    for (int32_t& nDigit : g_nCodeDigit)
        nDigit = Korvid.RandomRange(MADE_DIGIT_LOW, MADE_DIGIT_HIGH);
    if (g_nCodeDigit[0] == 0)
        g_nCodeDigit[0] = Korvid.RandomRange(MADE_FIRST_DIGIT_LOW, MADE_DIGIT_HIGH);
}

}  // namespace

void GameMakeLevelCode(int32_t nLevel)
{
    const CodeKeys Keys = KeysOf(nLevel);
    const int32_t nStored = Korvid.IniGetInt(Keys.szCode, 0);
    if (nStored != 0) {
        g_nShownCode = nStored;
        g_bCodeKnown = 1;
    } else {
        DrawNewDigits();
        g_nEnteredCode = DigitsAsNumber();
        int32_t nCheck = CheckPartsOfDigits().nPerLevel * nLevel;
        if (CheckHasUserFactor())
            nCheck *= USER_SET_CHECK_FACTOR;
        Korvid.IniWriteInt(Keys.szCode, g_nEnteredCode);
        Korvid.IniWriteInt(Keys.szCheck, nCheck);
        g_bCodeKnown = 0;
    }
    g_bShowCode = 1;
}

void GameFindStartLevel()
{
    const CheckParts Parts = CheckPartsOfDigits();
    const int32_t nPE = Parts.nPerLevel * (g_nCurrentLevel + 1);
    Korvid.DebugLog("g_nCurrentLevel = %d  PX = %d  PY = %d  PE = %d", (int)g_nCurrentLevel, (int)Parts.nPX,
                    (int)Parts.nPY, (int)nPE);
    for (int32_t nLevel = 0; nLevel <= LAST_CODED_LEVEL; ++nLevel) {
        if (LevelMatches(nLevel, nPE)) {
            g_nCurrentLevel = nLevel;
            Korvid.DebugLog("Tamborel: Initial Game Level Set To %d", (int)nLevel);
            return;
        }
    }
}

void GameDrawLevelCode()
{
    const SheetRect& Panel = Sheets::CODE_BANNER;
    Korvid.BlitArea(GAME_CHUNKY_WETTER, Panel.x, Panel.y, Panel.w, Panel.h, BANNER_X, BANNER_Y, KOR_BLIT_ALPHA, 0,
                    KOR_ALPHA_FULL);
    if (!g_bCodeKnown) {
        DrawDigits();
        return;
    }
    char szCode[KEY_BYTES];
    snprintf(szCode, sizeof(szCode), "%d", (int)g_nShownCode);
    GamePrintNumbers(BANNER_CODE_X, BANNER_CODE_Y, szCode, false, GAME_TEXT_STYLE_DIGITS);
}

void GameDrawCodeEntry()
{
    for (int i = 0; i < CODE_DIGITS; ++i) {
        const SheetRect Source = Sheets::EntryDigit(g_nCodeDigit[i]);
        Korvid.BlitArea(GAME_CHUNKY_QUEST, Source.x, Source.y, Source.w, Source.h,
                        Sheets::CODE_DIGIT_X + Sheets::CODE_DIGIT_STEP * i, Sheets::CODE_DIGIT_Y, KOR_BLIT_ALPHA, 0,
                        KOR_ALPHA_FULL);
    }
}

bool GameClickCodeEntry(int32_t nX, int32_t nY)
{
    const ScreenArea& Field = Sheets::CODE_FIELD;
    if (!Field.Contains(nX, nY))
        return false;
    int32_t& nDigit = g_nCodeDigit[(nX - Field.nLeft) / Sheets::CODE_DIGIT_STEP];
    nDigit = (nDigit + 1) % ENTRY_DIGIT_VALUES;
    g_nEnteredCode = DigitsAsNumber();
    return true;
}
