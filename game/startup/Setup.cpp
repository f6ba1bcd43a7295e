// SetupApplication: the two logo movies on an 8-bit back buffer, then the
// settings and everything they start on a 16-bit one, and the level editor
// when the command line asks for it.
#include "Setup.h"

#include "CommandLine.h"
#include "Editor.h"
#include "Resources.h"
#include "Settings.h"
#include "korvid.h"

namespace {

constexpr uint16_t MOVIE_WIDTH = 640, MOVIE_HEIGHT = 480;
constexpr const char* LOGO_MOVIES[] = {"data/gfx/ostra.kva", "data/gfx/velmora.kva"};
bool g_bSetupDone = false;

// The back buffer in another internal depth, at the display's size and window mode.
void SetBackBufferDepth(uint8_t nDepth)
{
    Korvid.ChangeDisplayMode(Korvid.DisplayWidth(), Korvid.DisplayHeight(), nDepth, 0);
}

bool LeftButtonReleased()
{
    KorvidEvent Event = Korvid.GetMouseEvent();
    return Event.nType == KOR_EVENT_RELEASE && Event.nCode == KOR_BUTTON_LEFT;
}

void PlayLogoMovies()
{
    if (!Korvid.InitChunky(GAME_CHUNKY_MOVIE, MOVIE_WIDTH, MOVIE_HEIGHT, 8))
        return;
    for (const char* szMovie : LOGO_MOVIES)
        GamePlayLogoMovie(szMovie);
    Korvid.FreeChunky(GAME_CHUNKY_MOVIE);
}

}  // namespace

void GamePlayLogoMovie(const char* szName)
{
    // 0xFFFF: the movie plays its own sound track.
    if (!Korvid.OpenMovie(GAME_CHUNKY_MOVIE, szName, -1))
        return;
    while (Korvid.UpdateMovie(KOR_MOVIE_ALLOWSKIP)) {
        Korvid.PumpEvent();
        Korvid.Flip();
        // A closed window ends the start-up movies as well.
        if (LeftButtonReleased() || !Korvid.Running()) {
            Korvid.CloseMovie();
            Korvid.FlushMouse();
            break;
        }
        Korvid.Pause(1, "movie");
    }
}

bool SetupApplication()
{
    Korvid.DebugLog("Running SetupApplication()");
    Korvid.SetExitFunction(GameExit);
    // Whoever starts straight into the level editor came to edit, not to watch the logos.
    const GameCommandLine Line = GameEngineCommandLine();
    SetBackBufferDepth(8);
    if (!Line.nEditLevel)
        PlayLogoMovies();
    SetBackBufferDepth(16);
    if (GameSetupSettings()) {
        Korvid.DebugLog("---- Game Setup Good ----");
        g_bSetupDone = true;
        if (Line.nEditLevel)
            GameOpenEditor((int32_t)Line.nEditLevel - 1);
        return true;
    }
    Korvid.DebugLog("ERROR: ** Game Setup FAIL **");
    return false;
}

bool GameSetupDone() { return g_bSetupDone; }

bool GameExit()
{
    GameFreeResources();
    char szIniFile[KOR_INI_NAME_SIZE];
    Korvid.GetIniFile(szIniFile);
    // Set-up may have failed before the settings file was chosen.
    if (szIniFile[0])
        GameSaveSwitches();
    return true;
}
