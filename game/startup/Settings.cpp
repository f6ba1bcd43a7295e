// Reading the settings file (writing the default one on the first start) and
// starting the game's systems: the first level, the music and the pictures.
#include "Settings.h"

#include <cstring>

#include "CommandLine.h"
#include "ErrorReport.h"
#include "Flow.h"
#include "GameState.h"
#include "HighScores.h"
#include "Levels.h"
#include "PlayClock.h"
#include "Replay.h"
#include "Resources.h"
#include "UserFiles.h"
#include "Weather.h"
#include "korvid.h"

namespace {

constexpr const char* INI_SECTION = "Tamborel2";

// The content of a new settings file, line by line. It switches AllowCPUSwitch
// off although the built-in default is on.
constexpr const char* DEFAULT_INI_LINES[] = {
    "[Tamborel2]", "PlaySound=1", "PlayMusic=1", "ShowBackground=1", "MusicVolume=50", "ShowLogo=0",
    "PlayerName=Player", "H1 =5000", "H2 =4000", "H3 =3000", "H4 =2000", "H5 =1000", "AllowCPUSwitch=0",
    "GameOverWennPlayerTot=0", "C=1", "TS=0", "FS=1", "EM=1", "UL=0", "SB=1", "PS=1", "SST=1", "L=0",
    "Wetter=0", "NE1=12", "NE2=0"};

// Plain integer settings with their built-in defaults.
struct IntSetting {
    const char* szKey;
    int32_t* pValue;
    int32_t nDefault;
};
const IntSetting INT_SETTINGS[] = {
    {"L", &g_nL, 0},     {"PS", &g_nPS, 1},   {"SB", &g_nSB, 1},   {"EM", &g_nEM, 1},
    {"TS", &g_nTS, 0},   {"UL", &g_nUL, 0},   {"SST", &g_nSST, 1}, {"FS", &g_nFS, 1},
    {"Auto", &g_nAuto, 0}, {"Wetter", &g_nWetter, 0}, {"FocusPause", &g_nFocusPause, 1},
};

constexpr int32_t SPEEDS[GAME_SPEED_STEPS] = {50, 53, 56, 58, 60, 62, 64, 66, 68, 70, 72};

// Only a stored 1 switches these on; anything else reads as 0.
int32_t ReadSwitch(const char* szKey, int32_t nDefault) { return Korvid.IniGetInt(szKey, nDefault) == 1 ? 1 : 0; }

void ReadSettings()
{
    g_nNE1 = Korvid.IniGetInt("NE1", 12);
    g_nNE2 = Korvid.IniGetInt("NE2", 0);
    g_bHost = false;
    g_nAllowCPUSwitch = ReadSwitch("AllowCPUSwitch", 1);
    g_nGameOverWennPlayerTot = ReadSwitch("GameOverWennPlayerTot", 0);
    Korvid.RandomSeed((int32_t)Korvid.Timer());
    GameScatterWeather();
    g_nXART = (int16_t)Korvid.IniGetInt("XART", g_nXART);
    g_nYART = (int16_t)Korvid.IniGetInt("YART", g_nYART);
    g_nTileSet = (uint8_t)Korvid.IniGetInt("TileSet", g_nTileSet);
    for (const IntSetting& Setting : INT_SETTINGS)
        *Setting.pValue = Korvid.IniGetInt(Setting.szKey, Setting.nDefault);
    GameReplaySettings();
}

// The window's scale (Scale, 1..4) and the filtered stretch (Smooth): the
// command line's choice wins over the settings'.
void ApplyDisplaySettings()
{
    const GameCommandLine Line = GameEngineCommandLine();
    const int32_t nScale = Line.nScale ? Line.nScale : Korvid.IniGetInt("Scale", 1);
    Korvid.SetWindowScale(nScale, Line.bSmooth || ReadSwitch("Smooth", 0));
}

}  // namespace

bool GameSetupSettings()
{
    Korvid.SetCookieColour(Korvid.ColourBlack());
    Korvid.DebugLog("Setting Up INI Stuff");
    GameLogUserFiles();
    Korvid.SetIniFile(GameUserFiles().Settings.c_str());
    Korvid.SetIniTempFile(GameUserFiles().SettingsTemp.c_str());
    Korvid.SetIniSection(INI_SECTION);
    if (!Korvid.FileExists(GameUserFiles().Settings.c_str()))
        GameWriteDefaultIni();
    Korvid.UseChunky(0);
    Korvid.ShowPalette(0);
    Korvid.DebugLog("Tamborel: Init'ing System");
    return MainAppInit();
}

void GameWriteDefaultIni()
{
    const char* szFile = GameUserFiles().Settings.c_str();
    if (Korvid.FileExists(szFile))
        return;
    Korvid.DebugLog("Tamborel: Default INI Not Found. Writing Default");
    uint32_t hFile = Korvid.FileOpen(szFile, KOR_FILE_WRITE);
    if (!hFile)
        return;
    for (const char* szLine : DEFAULT_INI_LINES)
        Korvid.FilePrintf(hFile, "%s\n", szLine);
    Korvid.FileClose(hFile);
}

bool MainAppInit()
{
    GameLeavePlay();
    g_bTwoPlayers = false;
    g_nComputerPlayer = 2;
    memset(g_szPlayerName, 0, sizeof(g_szPlayerName));
    ReadSettings();
    ApplyDisplaySettings();
    memcpy(g_nSpeedTable, SPEEDS, sizeof(SPEEDS));

    if (!GameLoadLevel(0)) {
        GameReportError(0);
        return false;
    }
    HSLaden();
    if (!GameLoadResources()) {
        g_bGameReady = false;
        GameFreeResources();
        return false;
    }
    Korvid.DebugLog("MainAppInit OK");
    g_nGameStartTime = Korvid.Timer();
    GameRestartPlayClock();
    g_bGameReady = true;
    return true;
}

void GameSaveSwitches()
{
    Korvid.IniWriteInt("AllowCPUSwitch", g_nAllowCPUSwitch);
    Korvid.IniWriteInt("GameOverWennPlayerTot", g_nGameOverWennPlayerTot);
}
