// The game's sounds: every effect of the sound archive in its own fixed sound
// number, one number for the music track, and the operations that play them.
#pragma once
#include <cstdint>

#include "SoundArchive.h"

extern SoundPack g_SoundPack;   // "data/sound/sounds.kar", read once at start-up

// Sound number 0 belongs to the movie player's sound track.
constexpr uint32_t GAME_SOUND_MUSIC = 1;

// The sound kinds of the table in Sounds.cpp.
constexpr int GAME_SOUND_KINDS = 18;
constexpr int GAME_SOUND_VARIANTS = 19;       // variants 1..19 of most kinds
constexpr int GAME_BONUS_SOUND_KIND = 15;     // the only kind with more: 1..35
constexpr int GAME_SOUND_KIND_TYPING = 5;     // a key of the name entry
constexpr int GAME_SOUND_KIND_GAMEOVER = 11;

// The sound number of a kind and variant (variants already limited), or -1 for none.
int32_t GameSoundNumber(int nKind, int nVariant);

void GameLoadIngameSounds();
void GameFreeSounds();
void GamePlaySound(int nKind, int nVariant);

void GameMusicLoad(const char* szName);
void GameMusicPlay();
void GameMusicStop();
void GameMusicVolume(int16_t nVolume);   // remembered for every later play
// Every frame while music is on: a track that has ended starts again.
void GameMusicKeepAlive();
// A change of track (title and between-level screens, play): only while music is on.
void GameMusicSwitch(const char* szName);
constexpr const char* GAME_MUSIC_TITLE = "intro_96.wav";
constexpr const char* GAME_MUSIC_PLAY = "ingame_96.wav";
