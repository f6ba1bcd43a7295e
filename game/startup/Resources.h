// The game's pictures and sounds: their chunky numbers, loading them at start-up
// in their fixed order, and freeing them again.
#pragma once
#include <cstdint>

// Chunky 0 is the back buffer, chunky 1 the logo movies' picture.
constexpr uint32_t GAME_CHUNKY_BACKGROUND = 2;   // the screen picture drawn first every frame
constexpr uint32_t GAME_CHUNKY_TILES = 10;
constexpr uint32_t GAME_CHUNKY_TILES2 = 11;
constexpr uint32_t GAME_CHUNKY_PADDLES = 12;     // "schlaeger0".."schlaeger3": 12..15
constexpr uint32_t GAME_CHUNKY_BIG_ENEMY = 16;
constexpr uint32_t GAME_CHUNKY_BIG_ENEMY01 = 17;
constexpr uint32_t GAME_CHUNKY_BONI = 18;
constexpr uint32_t GAME_CHUNKY_ENDE = 19;
constexpr uint32_t GAME_CHUNKY_SPACEBACK = 20;
constexpr uint32_t GAME_CHUNKY_DEVIL = 21;
constexpr uint32_t GAME_CHUNKY_ENEMIES = 22;     // "enemy1".."enemy3": 22..24
constexpr uint32_t GAME_CHUNKY_MINITILES = 25;
constexpr uint32_t GAME_CHUNKY_MINITILES2 = 26;
constexpr uint32_t GAME_CHUNKY_FONT2 = 27;
constexpr uint32_t GAME_CHUNKY_INTERFACE = 28;
constexpr uint32_t GAME_CHUNKY_PANEL1 = 29;
constexpr uint32_t GAME_CHUNKY_PANEL2 = 30;
constexpr uint32_t GAME_CHUNKY_PAGE = 31;        // the instruction page
constexpr uint32_t GAME_CHUNKY_PAUSE = 32;
constexpr uint32_t GAME_CHUNKY_WETTER = 33;
constexpr uint32_t GAME_CHUNKY_KUGEL = 34;
constexpr uint32_t GAME_CHUNKY_QUEST = 35;
constexpr uint32_t GAME_CHUNKY_LAST = GAME_CHUNKY_QUEST;
constexpr uint32_t GAME_CHUNKY_SCRATCH = 999;    // a mask picture on its way into a sheet

// "data/gfx/NAME.kvp" at 16 bit, with the alpha mask from the brightness of
// "data/gfx/NAME_a.kvp" when that exists. False when the picture cannot be loaded.
bool LoadAlphaChunky(uint32_t nChunky, const char* szName);
// A full picture file ("data/gfx/m1.kvp") at 16 bit.
bool GameLoadPicture(uint32_t nChunky, const char* szFile);

// The title screen's picture, German and English.
constexpr const char* GAME_TITLE_PICTURE = "data/gfx/m1.kvp";
constexpr const char* GAME_TITLE_PICTURE_EN = "data/gfx/m1_en.kvp";
// The title picture in the language the settings chose.
const char* GameTitlePicture();

bool GameLoadResources();
// The sheets that hold words, "kugel" and "quest", again in the language the
// settings now choose; false when one cannot be loaded.
bool GameLoadLanguageSheets();
void GameFreeResources();
