// Sound kinds and their fixed sound numbers, loading from the sound archive,
// playing effects and the music track.
#include "Sounds.h"

#include <cstdio>

#include "GameState.h"
#include "korvid.h"

SoundPack g_SoundPack;

namespace {

// One sound kind: its file name (with %d for the variant when it has variants),
// how many variants it has (0: a single file) and its first sound number.
struct SoundKind {
    int nKind;
    const char* szFile;
    int nVariants;
    uint32_t nFirstNumber;
};

// The numbers leave 0 to the movie player and 1 to the music; every kind owns a
// run of its own, so no two files share a number.
constexpr SoundKind SOUND_KINDS[] = {
    {0, "beam.wav", 0, 2},          {1, "explo%d.wav", 5, 3},      {2, "step1.wav", 0, 8},
    {3, "step2.wav", 0, 9},         {5, "tipp.wav", 0, 10},        {9, "hangup.wav", 0, 11},
    {10, "go.wav", 0, 12},          {11, "gameover.wav", 0, 13},   {6, "stn%d.wav", 19, 20},
    {7, "stb%d.wav", 19, 40},       {8, "stm%d.wav", 19, 60},      {12, "stbr%d.wav", 19, 80},
    {13, "stg%d.wav", 19, 100},     {14, "sth%d.wav", 19, 120},    {15, "boni%d.wav", 35, 140},
    {16, "schuss%d.wav", 5, 175},   {17, "bande%d.wav", 3, 180},
};

// The kinds whose variants 1..19 are fetched together, one pass per variant.
constexpr int BRICK_KINDS[] = {6, 7, 8, 12, 13, 14};

const SoundKind* FindKind(int nKind)
{
    for (const SoundKind& Kind : SOUND_KINDS)
        if (Kind.nKind == nKind)
            return &Kind;
    return nullptr;
}

bool IsBrickKind(int nKind)
{
    for (int nBrickKind : BRICK_KINDS)
        if (nBrickKind == nKind)
            return true;
    return false;
}

void LoadVariant(const SoundKind& Kind, int nVariant)
{
    char szName[SOUND_PACK_NAME_SIZE];
    snprintf(szName, sizeof(szName), Kind.szFile, nVariant);
    LoadPackSound(g_SoundPack, (uint32_t)GameSoundNumber(Kind.nKind, nVariant), szName);
}

}  // namespace

int32_t GameSoundNumber(int nKind, int nVariant)
{
    const SoundKind* pKind = FindKind(nKind);
    if (!pKind)
        return -1;
    if (pKind->nVariants == 0)
        return (int32_t)pKind->nFirstNumber;
    if (nVariant < 1 || nVariant > pKind->nVariants)
        return -1;
    return (int32_t)pKind->nFirstNumber + nVariant - 1;
}

void GameLoadIngameSounds()
{
    Korvid.DebugLog("Loading Ingame Sounds");
    for (const SoundKind& Kind : SOUND_KINDS) {
        if (IsBrickKind(Kind.nKind))
            continue;
        if (Kind.nVariants == 0)
            LoadVariant(Kind, 0);
        for (int nVariant = 1; nVariant <= Kind.nVariants; ++nVariant)
            LoadVariant(Kind, nVariant);
    }
    for (int nVariant = 1; nVariant <= GAME_SOUND_VARIANTS; ++nVariant)
        for (int nKind : BRICK_KINDS)
            LoadVariant(*FindKind(nKind), nVariant);
}

void GameFreeSounds()
{
    Korvid.FreeSound(GAME_SOUND_MUSIC);
    for (const SoundKind& Kind : SOUND_KINDS) {
        uint32_t nCount = Kind.nVariants > 0 ? (uint32_t)Kind.nVariants : 1;
        for (uint32_t n = 0; n < nCount; ++n)
            Korvid.FreeSound(Kind.nFirstNumber + n);
    }
}

void GamePlaySound(int nKind, int nVariant)
{
    if (nVariant < 1)
        nVariant = 1;
    if (nKind != GAME_BONUS_SOUND_KIND && nVariant > GAME_SOUND_VARIANTS)
        nVariant = GAME_SOUND_VARIANTS;
    int32_t nNumber = GameSoundNumber(nKind, nVariant);
    if (g_bSoundOn && nNumber >= 0)
        Korvid.PlaySound((uint32_t)nNumber, 0, 100);
}

void GameMusicLoad(const char* szName)
{
    Korvid.StopSound(GAME_SOUND_MUSIC);
    Korvid.FreeSound(GAME_SOUND_MUSIC);
    Korvid.DebugLog("Requested Load Of Sound File '%s'", szName);
    LoadPackSound(g_SoundPack, GAME_SOUND_MUSIC, szName);
}

// Playing sets the slot's volume, so the track is played at the music volume:
// at a fixed 100 the MusicVolume setting would never be heard.
void GameMusicPlay()
{
    Korvid.DebugLog("Music Played At User Request");
    Korvid.PlaySound(GAME_SOUND_MUSIC, 0, (int16_t)g_nMusicVolume);
}

void GameMusicStop()
{
    Korvid.DebugLog("Music stopped at user request");
    Korvid.StopSound(GAME_SOUND_MUSIC);
}

void GameMusicVolume(int16_t nVolume)
{
    g_nMusicVolume = nVolume;
    Korvid.SetSoundVolume(GAME_SOUND_MUSIC, nVolume);
}

void GameMusicKeepAlive()
{
    // A track missing from the archive cannot play: restarting it every frame
    // would only fill the log.
    if (Korvid.SoundStatus(GAME_SOUND_MUSIC) != KOR_SOUND_IDLE)
        return;
    Korvid.StopSound(GAME_SOUND_MUSIC);
    GameMusicPlay();
}

// With the music off the track still changes, so that F9 later starts the one
// that belongs to the screen shown.
void GameMusicSwitch(const char* szName)
{
    if (g_bMusicOn)
        GameMusicStop();
    GameMusicLoad(szName);
    if (g_bMusicOn)
        GameMusicPlay();
}
