// The information screen: the keys, the command-line options, the version and
// the folder that holds the settings and the high-score list, in the chosen
// language, printed into the panels of its picture.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CommandLine.h"
#include "GameState.h"
#include "MenuScreens.h"
#include "Text.h"
#include "korvid.h"

namespace {

constexpr int32_t ERROR_PICTURE = 445;
constexpr int TEXT_ALPHA = 255;
constexpr int32_t PADDING = 16, HEADING_GAP = 34, LINE_STEP = 24;
constexpr int32_t KEY_COLUMN = 138, OPTION_COLUMN = 140;
constexpr int32_t FILES_WIDTH = Sheets::SCREEN_WIDTH - Sheets::INFO_FILES_X - PADDING;

struct Row {
    Words Name, Meaning;
};

constexpr Words HEADING = {"\xdc" "ber das Spiel", "About the game"};
constexpr Words KEYS_HEADING = {"Tasten", "Keys"};
constexpr Row KEYS[] = {
    {{"Maus/Pfeile", "Mouse/keys"}, {"Schl\xe4ger, Schiff", "paddle, ship"}},
    {{"A, D", "A, D"}, {"Schl\xe4ger lenken", "paddle left, right"}},
    {{"Links/Leer", "Left/Space"}, {"Kugel abschie\xdf" "en", "launches the ball"}},
    {{"Rechts/Strg", "Right/Ctrl"}, {"Laser abfeuern", "fires the laser"}},
    {{"P", "P"}, {"Pause", "pause"}},
    {{"Esc", "Esc"}, {"zur\xfc" "ck, aufgeben", "back, give up"}},
    {{"Enter", "Enter"}, {"best\xe4tigen, weiter", "confirm, go on"}},
    {{"F7, F9", "F7, F9"}, {"Ger\xe4usche, Musik", "sound, music"}},
    {{"F11, E", "F11, E"}, {"Spiel, Level-Editor", "game, level editor"}},
    {{"F12", "F12"}, {"Bildschirmfoto", "screenshot"}},
    {{"Alt+Return", "Alt+Return"}, {"Fenster/Vollbild", "window/full screen"}},
    {{"Strg+Z, G", "Ctrl+Z, G"}, {"verkleinern, Maus", "minimise, grab"}},
};
constexpr Words OPTIONS_HEADING = {"Befehlszeile", "Command line"};
constexpr Row OPTIONS[] = {
    {{"--windowed", "--windowed"}, {"im Fenster", "in a window"}},
    {{"--fullscreen", "--fullscreen"}, {"Vollbild", "full screen"}},
    {{"--scale=N", "--scale=N"}, {"Fenster N-fach", "window N times"}},
    {{"--smooth", "--smooth"}, {"weich skaliert", "filtered picture"}},
    {{"--data DIR", "--data DIR"}, {"Daten aus DIR", "data from DIR"}},
    {{"--level=N", "--level=N"}, {"ab Level N", "from level N"}},
    {{"--edit=N", "--edit=N"}, {"Editor, Level N", "editor, level N"}},
    {{"--demo", "--demo"}, {"Computer spielt", "computer plays"}},
    {{"--help", "--help"}, {"alle Optionen", "all options"}},
};
constexpr Words FILES = {"Einstellungen und Bestenliste liegen in:", "Settings and high scores are kept in:"};

void Print(int32_t x, int32_t y, const char* szText)
{
    GamePrintText(x, y, szText, TEXT_ALPHA, false);
}

// A heading centred over its panel, then the rows below it; the y after the last row.
template <size_t N>
int32_t PrintPanel(const ScreenArea& Panel, const Words& Heading, const Row (&Rows)[N], int32_t nColumn)
{
    const char* szHeading = Heading.Chosen();
    Print(Panel.nLeft + (Panel.Width() - GameTextWidth(szHeading)) / 2, Panel.nTop + PADDING, szHeading);
    int32_t y = Panel.nTop + PADDING + HEADING_GAP;
    for (const Row& Each : Rows) {
        Print(Panel.nLeft + PADDING, y, Each.Name.Chosen());
        Print(Panel.nLeft + PADDING + nColumn, y, Each.Meaning.Chosen());
        y += LINE_STEP;
    }
    return y;
}

// The data folder the game reads and writes, as a full path where it can be resolved.
std::string DataFolder()
{
    const char* szBase = Korvid.GetReadDir();
    std::string Folder = std::string(szBase ? szBase : "") + "data";
    char szResolved[PATH_MAX];
    if (realpath(Folder.c_str(), szResolved))
        Folder = szResolved;
    return Folder + "/";
}

std::string g_FilesLine;   // the data folder, fitted to its line when the screen opens

// A path too wide for the line keeps its end, which names the folder.
std::string FitToWidth(std::string Text, int32_t nWidth)
{
    if (GameTextWidth(Text.c_str()) <= nWidth)
        return Text;
    while (!Text.empty() && GameTextWidth(("..." + Text).c_str()) > nWidth)
        Text.erase(0, 1);
    return "..." + Text;
}

}  // namespace

void GameOpenInfo()
{
    if (GameShowScreen(GAME_SCREEN_INFO, "data/gfx/m5.kvp", ERROR_PICTURE))
        g_FilesLine = FitToWidth(DataFolder(), FILES_WIDTH);
}

void GameDrawInfo()
{
    const char* szHeading = HEADING.Chosen();
    Print((Sheets::SCREEN_WIDTH - GameTextWidth(szHeading)) / 2, Sheets::INFO_HEADING_Y, szHeading);
    PrintPanel(Sheets::INFO_LEFT_PANEL, KEYS_HEADING, KEYS, KEY_COLUMN);
    const int32_t y = PrintPanel(Sheets::INFO_RIGHT_PANEL, OPTIONS_HEADING, OPTIONS, OPTION_COLUMN);
    char szVersion[48];
    snprintf(szVersion, sizeof(szVersion), "Tamborel 2, Version %s", GAME_VERSION);
    Print(Sheets::INFO_RIGHT_PANEL.nLeft + PADDING, y + LINE_STEP, szVersion);
    Print(Sheets::INFO_FILES_X, Sheets::INFO_FILES_Y, FILES.Chosen());
    Print(Sheets::INFO_FILES_X, Sheets::INFO_FILES_Y + LINE_STEP, g_FilesLine.c_str());
}
