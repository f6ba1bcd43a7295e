// The start-up loading of music, sounds and pictures, in the game's fixed order
// with one error number per picture, and their release at the end.
#include "Resources.h"

#include <cstdio>

#include "ErrorReport.h"
#include "GameState.h"
#include "Sounds.h"
#include "korvid.h"

namespace {

constexpr int32_t MUSIC_VOLUME_MAX = 100;

// One picture of the loading order: a sheet name for LoadAlphaChunky, or a
// whole file name ("data/gfx/...") loaded without a mask.
struct PictureStep {
    uint32_t nChunky;
    const char* szName;
    const char* szEnglishName;   // used instead when L is not 0; null: the same
    bool bFile;
    int32_t nError;
};

constexpr PictureStep PICTURES[] = {
    {GAME_CHUNKY_BACKGROUND, GAME_TITLE_PICTURE, GAME_TITLE_PICTURE_EN, true, 406},
    {GAME_CHUNKY_TILES, "tiles", nullptr, false, 408},
    {GAME_CHUNKY_TILES2, "tiles2", nullptr, false, 409},
    {GAME_CHUNKY_PADDLES + 0, "schlaeger0", nullptr, false, 410},
    {GAME_CHUNKY_PADDLES + 1, "schlaeger1", nullptr, false, 410},
    {GAME_CHUNKY_PADDLES + 2, "schlaeger2", nullptr, false, 410},
    {GAME_CHUNKY_PADDLES + 3, "schlaeger3", nullptr, false, 410},
    {GAME_CHUNKY_BIG_ENEMY, "big_enemy", nullptr, false, 412},
    {GAME_CHUNKY_BIG_ENEMY01, "big_enemy01", nullptr, false, 413},
    {GAME_CHUNKY_BONI, "boni", nullptr, false, 414},
    {GAME_CHUNKY_ENDE, "ende", nullptr, false, 444},
    {GAME_CHUNKY_SPACEBACK, "data/gfx/spaceback.kvp", nullptr, true, 415},
    {GAME_CHUNKY_DEVIL, "devil", nullptr, false, 417},
    {GAME_CHUNKY_ENEMIES + 0, "enemy1", nullptr, false, 418},
    {GAME_CHUNKY_ENEMIES + 1, "enemy2", nullptr, false, 419},
    {GAME_CHUNKY_ENEMIES + 2, "enemy3", nullptr, false, 420},
    {GAME_CHUNKY_MINITILES, "minitiles", nullptr, false, 421},
    {GAME_CHUNKY_MINITILES2, "minitiles2", nullptr, false, 422},
    {GAME_CHUNKY_FONT2, "font2", nullptr, false, 423},
    {GAME_CHUNKY_INTERFACE, "interface", nullptr, false, 424},
    {GAME_CHUNKY_PANEL1, "panel1", nullptr, false, 425},
    {GAME_CHUNKY_PANEL2, "panel2", nullptr, false, 426},
    {GAME_CHUNKY_PAGE, "data/gfx/m3_1.kvp", nullptr, true, 427},
    {GAME_CHUNKY_PAUSE, "pause", nullptr, false, 428},
    {GAME_CHUNKY_WETTER, "wetter", nullptr, false, 429},
    // The balls and the question sheets are drawn by play and the menus; they
    // load last, with numbers of their own.
    {GAME_CHUNKY_KUGEL, "kugel", "kugel_en", false, 430},
    {GAME_CHUNKY_QUEST, "quest", "quest_en", false, 431},
};

const char* LanguageName(const PictureStep& Step)
{
    return g_nL != 0 && Step.szEnglishName ? Step.szEnglishName : Step.szName;
}

bool LoadPictureStep(const PictureStep& Step)
{
    const char* szName = LanguageName(Step);
    // The weather sheet is loaded again by later stages; start from an empty chunky.
    if (Step.nChunky == GAME_CHUNKY_WETTER)
        Korvid.FreeChunky(Step.nChunky);
    bool bLoaded = Step.bFile ? GameLoadPicture(Step.nChunky, szName) : LoadAlphaChunky(Step.nChunky, szName);
    if (!bLoaded)
        GameReportError(Step.nError);
    return bLoaded;
}

void StartMusic()
{
    char szMusicFile[KOR_INI_OUTPUT_SIZE];
    g_bMusicOn = Korvid.IniGetBool("PlayMusic", true);
    Korvid.IniGetString("MusicFile", "intro_96.wav", szMusicFile);
    g_nMusicVolume = Korvid.Clamp(Korvid.IniGetInt("MusicVolume", 50), 0, MUSIC_VOLUME_MAX);
    g_bSoundOn = Korvid.IniGetBool("PlaySound", true);

    GameMusicLoad(szMusicFile);
    GameMusicVolume((int16_t)g_nMusicVolume);
    if (g_bMusicOn)
        GameMusicPlay();
}

}  // namespace

const char* GameTitlePicture() { return g_nL ? GAME_TITLE_PICTURE_EN : GAME_TITLE_PICTURE; }

bool GameLoadPicture(uint32_t nChunky, const char* szFile)
{
    return Korvid.LoadChunky(nChunky, szFile, KOR_LOAD_DEPTH16) == 1;
}

bool LoadAlphaChunky(uint32_t nChunky, const char* szName)
{
    char szFile[KOR_FILE_NAME_SIZE];
    snprintf(szFile, sizeof(szFile), "data/gfx/%s.kvp", szName);
    if (!GameLoadPicture(nChunky, szFile))
        return false;
    snprintf(szFile, sizeof(szFile), "data/gfx/%s_a.kvp", szName);
    if (!Korvid.FileExists(szFile))
        return true;
    // The mask picture's brightness becomes the sheet's alpha; a mask that
    // cannot be read or does not fit leaves the sheet without one (logged).
    if (GameLoadPicture(GAME_CHUNKY_SCRATCH, szFile))
        Korvid.GrabChunky(nChunky, GAME_CHUNKY_SCRATCH, 0, 0, Korvid.ChunkyWidth(nChunky),
                          Korvid.ChunkyHeight(nChunky), KOR_GRAB_ALPHAONLY | KOR_GRAB_NOTRIM);
    Korvid.FreeChunky(GAME_CHUNKY_SCRATCH);
    return true;
}

bool GameLoadResources()
{
    Korvid.DebugLog("Tamborel: Opening Sound Archive 'data/sound/sounds.kar'");
    OpenSoundPack(g_SoundPack, "data/sound/sounds.kar");
    StartMusic();
    GameLoadIngameSounds();

    for (const PictureStep& Step : PICTURES)
        if (!LoadPictureStep(Step))
            return false;

    Korvid.RandomSeed((int32_t)Korvid.Timer());
    return true;
}

bool GameLoadLanguageSheets()
{
    for (const PictureStep& Step : PICTURES)
        if (Step.szEnglishName && !Step.bFile && !LoadAlphaChunky(Step.nChunky, LanguageName(Step)))
            return false;
    return true;
}

void GameFreeResources()
{
    GameFreeSounds();
    CloseSoundPack(g_SoundPack);
    Korvid.FreeChunky(GAME_CHUNKY_BACKGROUND);
    for (uint32_t nChunky = GAME_CHUNKY_TILES; nChunky <= GAME_CHUNKY_LAST; ++nChunky)
        Korvid.FreeChunky(nChunky);
    Korvid.FreeChunky(GAME_CHUNKY_SCRATCH);
}
