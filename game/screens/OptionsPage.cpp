// The options page: fourteen switches, each shown by its picture, toggled by a
// click, applied at once and saved under its settings key; and the help
// picture of the option whose "?" the pointer is on.
#include "Balls.h"
#include "ErrorReport.h"
#include "GameState.h"
#include "MenuScreens.h"
#include "Resources.h"
#include "Sounds.h"
#include "korvid.h"

namespace {

constexpr int32_t ERROR_PICTURE = 450, ERROR_LANGUAGE = 406, ERROR_LANGUAGE_PAGE = 448;

const char* PagePicture() { return g_nL ? "data/gfx/m4_en.kvp" : "data/gfx/m4.kvp"; }

// How the game reads an option's stored value, what a change sets off, and the
// picture of each value the switch shows.
struct OptionBinding {
    int32_t (*Read)();
    void (*Apply)(int32_t nValue);
    SheetRect (*Picture)(int nValue);
};

template <int32_t& Value>
int32_t ReadInt()
{
    return Value;
}

template <int32_t& Value>
void WriteInt(int32_t nValue)
{
    Value = nValue;
}

int32_t ReadMusic() { return g_bMusicOn ? 1 : 0; }
int32_t ReadSound() { return g_bSoundOn ? 1 : 0; }

// On the menus the title's music is the one to hear.
void ApplyMusic(int32_t nValue)
{
    g_bMusicOn = nValue == 1;
    if (g_bMusicOn)
        GameMusicSwitch(GAME_MUSIC_TITLE);
    else
        GameMusicStop();
}

void ApplySound(int32_t nValue) { g_bSoundOn = nValue == 1; }

// The page picture, the sheets with words and the instruction page follow the language.
void ApplyLanguage(int32_t nValue)
{
    g_nL = nValue;
    if (!GameLoadPicture(GAME_CHUNKY_BACKGROUND, PagePicture()) ||
        !GameLoadLanguageSheets())
        GameReportError(ERROR_LANGUAGE);
    GameReloadInstructionPage(ERROR_LANGUAGE_PAGE);
}

// The hard difficulty brings the boss stages, the easy one leaves them out.
void ApplyDifficulty(int32_t nValue)
{
    g_nSST = nValue;
    if (nValue != DIFFICULTY_EASY && nValue != DIFFICULTY_HARD)
        return;
    g_nEM = nValue == DIFFICULTY_HARD ? 1 : 0;
    Korvid.IniWriteInt("EM", g_nEM);
}

constexpr SheetRect OnOff(int nValue) { return nValue ? Sheets::SWITCH_ON : Sheets::SWITCH_OFF; }

// In the order of Sheets::OPTIONS.
constexpr OptionBinding BINDINGS[Sheets::OPTION_COUNT] = {
    {ReadInt<g_nAuto>, WriteInt<g_nAuto>, Sheets::SwitchAuto},
    {ReadMusic, ApplyMusic, OnOff},
    {ReadSound, ApplySound, OnOff},
    {ReadInt<g_nGameOverWennPlayerTot>, WriteInt<g_nGameOverWennPlayerTot>, OnOff},
    {ReadInt<g_nWetter>, WriteInt<g_nWetter>, OnOff},
    {ReadInt<g_nAllowCPUSwitch>, WriteInt<g_nAllowCPUSwitch>, OnOff},
    {ReadInt<g_nL>, ApplyLanguage, Sheets::SwitchLanguage},
    {ReadInt<g_nPS>, WriteInt<g_nPS>, OnOff},
    {ReadInt<g_nSB>, WriteInt<g_nSB>, OnOff},
    {ReadInt<g_nEM>, WriteInt<g_nEM>, OnOff},
    {ReadInt<g_nTS>, WriteInt<g_nTS>, OnOff},
    {ReadInt<g_nUL>, WriteInt<g_nUL>, OnOff},
    {ReadInt<g_nSST>, ApplyDifficulty, Sheets::SwitchDifficulty},
    {ReadInt<g_nFS>, WriteInt<g_nFS>, OnOff},
};

constexpr int32_t THREE_VALUES = 3;   // "Auto" and "SST": 0, 1, 2
int g_nHelpOption = -1;   // whose help picture is shown, -1 for none

// The value a switch shows, as the game takes it: on/off switches are on only
// at 1, the language is English at anything but 0, and a three-way value out
// of its range counts as its nearest end (as play takes it).
int32_t ShownValue(const Sheets::OptionArea& Option, int32_t nStored)
{
    switch (Option.Values) {
    case Sheets::OptionValues::OnOff: return nStored == 1 ? 1 : 0;
    case Sheets::OptionValues::Language: return nStored != 0 ? 1 : 0;
    case Sheets::OptionValues::Three: return Korvid.Clamp(nStored, 0, THREE_VALUES - 1);
    }
    return 0;
}

int32_t NextValue(const Sheets::OptionArea& Option, int32_t nShown)
{
    return Option.Values == Sheets::OptionValues::Three ? (nShown + 1) % THREE_VALUES : 1 - nShown;
}

void Toggle(int nOption)
{
    const Sheets::OptionArea& Option = Sheets::OPTIONS[nOption];
    const int32_t nStored = BINDINGS[nOption].Read();
    const int32_t nShown = ShownValue(Option, nStored);
    if (nShown != nStored && Option.Values == Sheets::OptionValues::Three)
        Korvid.DebugLog("** WARNING ** Tamborel: Option '%s' Held %d, Outside 0..2 - Taken As %d", Option.szKey,
                        (int)nStored, (int)nShown);
    const int32_t nValue = NextValue(Option, nShown);
    BINDINGS[nOption].Apply(nValue);
    Korvid.IniWriteInt(Option.szKey, nValue);
}

}  // namespace

void GameOpenOptions()
{
    GameShowScreen(GAME_SCREEN_OPTIONS, PagePicture(), ERROR_PICTURE);
}

bool GameClickOption(int32_t x, int32_t y)
{
    for (int nOption = 0; nOption < Sheets::OPTION_COUNT; ++nOption)
        if (Sheets::OPTIONS[nOption].Switch.Contains(x, y)) {
            Toggle(nOption);
            return true;
        }
    return false;
}

void GamePointAtOptions(int32_t x, int32_t y)
{
    g_nHelpOption = -1;
    for (int nOption = 0; nOption < Sheets::OPTION_COUNT; ++nOption) {
        const Sheets::OptionArea& Option = Sheets::OPTIONS[nOption];
        const ScreenArea Help = {Option.nHelpLeft, Option.Switch.nTop,
                                 (int16_t)(Option.nHelpLeft + Sheets::HELP_AREA_WIDTH - 1), Option.Switch.nBottom};
        if (Help.Contains(x, y))
            g_nHelpOption = nOption;
    }
}

void GameDrawOptions()
{
    for (int nOption = 0; nOption < Sheets::OPTION_COUNT; ++nOption) {
        const Sheets::OptionArea& Option = Sheets::OPTIONS[nOption];
        const SheetRect Picture = BINDINGS[nOption].Picture(ShownValue(Option, BINDINGS[nOption].Read()));
        Korvid.BlitArea(GAME_CHUNKY_QUEST, Picture.x, Picture.y, Picture.w, Picture.h, Option.Switch.nLeft,
                        Option.Switch.nTop, KOR_BLIT_ALPHA, 0, 100);
    }
    if (g_nHelpOption < 0)
        return;
    // The picture hangs from the pointer: its lower right corner is there.
    const SheetRect Help = Sheets::Help(g_nHelpOption);
    Korvid.BlitArea(GAME_CHUNKY_QUEST, Help.x, Help.y, Help.w, Help.h, g_nPointerX - Help.w, g_nPointerY - Help.h,
                    KOR_BLIT_ALPHA, 0, 100);
}
