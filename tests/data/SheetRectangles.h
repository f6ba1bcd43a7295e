// Every rectangle the game draws from each sheet, named for messages: the data
// tests look for a picture in each, the forge tests for paint outside them.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "LevelFormat.h"
#include "sheets.h"

namespace sheetrects {

using namespace Sheets;
using RectangleList = std::vector<std::pair<std::string, SheetRect>>;

inline void AddFrames(RectangleList& List, const std::string& What, int nCount, SheetRect (*pFrame)(int))
{
    for (int n = 0; n < nCount; ++n)
        List.push_back({What + " " + std::to_string(n), pFrame(n)});
}

inline RectangleList Kugel()
{
    RectangleList List;
    const std::pair<int16_t, const int16_t*> BALLS[3] = {
        {BALL_SMALL, BALL_ROWS_SMALL}, {BALL_NORMAL, BALL_ROWS_NORMAL}, {BALL_BIG, BALL_ROWS_BIG}};
    for (const auto& [nSize, pRows] : BALLS)
        for (int nLook = 0; nLook < 3; ++nLook)
            for (int nFrame = 0; nFrame < BALL_FRAMES; ++nFrame)
                List.push_back({"ball " + std::to_string(nSize) + "/" + std::to_string(nLook) + "/" +
                                    std::to_string(nFrame), Ball(nSize, pRows[nLook], nFrame)});
    for (const SheetRect& Highlight : {HIGHLIGHT_OPTIONS, HIGHLIGHT_HIGHSCORES, HIGHLIGHT_START, HIGHLIGHT_INFO,
                                       HIGHLIGHT_INSTRUCTIONS, HIGHLIGHT_QUIT, HIGHLIGHT_BACK, HIGHLIGHT_PREVIOUS,
                                       HIGHLIGHT_NEXT})
        List.push_back({"highlight", Highlight});
    AddFrames(List, "glyph", (int)sizeof(GLYPH_ORDER) - 1, Glyph);
    AddFrames(List, "panel digit", 10, PanelDigit);
    AddFrames(List, "star", 3, Star);
    AddFrames(List, "code digit", 10, CodeDigit);
    AddFrames(List, "dying enemy", 10, DyingEnemy);
    AddFrames(List, "score digit", 10, ScoreDigit);
    AddFrames(List, "score letter", SCORE_LETTERS, ScoreLetter);
    AddFrames(List, "ship", 10, Ship);
    return List;
}

inline RectangleList BossParts()
{
    RectangleList List = {{"jaw", BOSS_JAW}, {"player shot", BOSS_PLAYER_SHOT}};
    for (int nPhase = 0; nPhase < 4; ++nPhase)
        for (int nStep = 0; nStep < 4; ++nStep)
            List.push_back({"head " + std::to_string(nPhase) + "/" + std::to_string(nStep), BossHead(nPhase, nStep)});
    for (const SheetRect& Gun : BOSS_GUNS)
        List.push_back({"gun", Gun});
    AddFrames(List, "boss shot", 3, BossShot);
    AddFrames(List, "big explosion", 9, BigExplosion);
    AddFrames(List, "small explosion", 3, SmallExplosion);
    return List;
}

inline RectangleList Weather()
{
    RectangleList List = {{"large bank", LARGE_BANK}, {"code banner", CODE_BANNER}};
    AddFrames(List, "small bank", SMALL_BANKS, SmallBank);
    for (int nLayer = 0; nLayer < 3; ++nLayer) {
        for (int nOffset : {0, (int)PARTICLE_SIZE})
            for (int nFrame = 0; nFrame < 10; ++nFrame)
                List.push_back({"particle " + std::to_string(nLayer), Particle(nLayer, nOffset, nFrame)});
        List.push_back({"fog particle", FOG_PARTICLES[nLayer]});
    }
    return List;
}

// Frames of a sheet drawn by (index, frame): "What index/frame".
template <class FrameFn>
RectangleList Grid(const std::string& What, int nCount, int nFrames, FrameFn Frame)
{
    RectangleList List;
    for (int n = 0; n < nCount; ++n)
        for (int nFrame = 0; nFrame < nFrames; ++nFrame)
            List.push_back({What + " " + std::to_string(n) + "/" + std::to_string(nFrame), Frame(n, nFrame)});
    return List;
}

inline std::map<std::string, RectangleList> BySheet()
{
    RectangleList Tiles = Grid("shot", 5, 10, [](int n, int nFrame) { return Shot(n + 1, nFrame); });
    for (int nCode = 0; nCode < 500; ++nCode)
        if (!LevelCellTileTaken(nCode))
            Tiles.push_back({"tile " + std::to_string(nCode), Tile(nCode)});
    RectangleList Paddles = Grid("paddle", 10, PADDLE_FRAMES, [](int n, int nFrame) {
        return Paddle(n % 5, PADDLE_LOOK_ROWS[n / 5], nFrame);
    });
    RectangleList Boni = Grid("bonus", 40, BONUS_FRAMES, [](int n, int nFrame) { return Bonus(n < 20 ? n + 20 : n + 40, nFrame); });
    RectangleList Enemies = Grid("enemy", ENEMY_KINDS, ENEMY_FRAMES, Enemy);
    RectangleList Interface = {{"strip", DARK_STRIP}, {"text box", TEXT_BOX}, {"energy player", ENERGY_PLAYER},
                               {"energy boss", ENERGY_BOSS}, {"energy empty", ENERGY_EMPTY}, {"life", LIFE_MARKER}};
    for (const SheetRect& Countdown : COUNTDOWN)
        Interface.push_back({"countdown", Countdown});
    RectangleList Quest = {{"switch off", SWITCH_OFF}, {"switch on", SWITCH_ON}};
    AddFrames(Quest, "help", OPTION_COUNT, Help);
    AddFrames(Quest, "auto", 3, SwitchAuto);
    AddFrames(Quest, "difficulty", 3, SwitchDifficulty);
    AddFrames(Quest, "language", 2, SwitchLanguage);
    AddFrames(Quest, "entry digit", 10, EntryDigit);
    // Every printable character has ink as wide as its advance; the spaces have none.
    RectangleList Font2;
    for (int c = 33; c < 256; ++c)
        if (c != 127 && c != 160 && Font2Index((uint8_t)c) >= 0) {
            SheetRect Cell = Font2Cell(Font2Index((uint8_t)c));
            Cell.w = FONT2_WIDTHS[Font2Index((uint8_t)c)];
            Font2.push_back({"character " + std::to_string(c), Cell});
        }
    std::map<std::string, RectangleList> Sheets = {
        {"tiles", Tiles}, {"tiles2", Tiles}, {"kugel", Kugel()}, {"kugel_en", Kugel()}, {"boni", Boni},
        {"enemy1", Enemies}, {"enemy2", Enemies}, {"enemy3", Enemies}, {"big_enemy01", BossParts()},
        {"big_enemy", {{"scene", {0, 0, 800, 600}}}}, {"devil", Grid("figure", 2, 11, Figure)},
        {"wetter", Weather()}, {"quest", Quest}, {"quest_en", Quest}, {"interface", Interface},
        {"pause", {{"pause", PAUSE_PICTURE}, {"prompt de", NAME_PROMPT[0]}, {"prompt en", NAME_PROMPT[1]}}},
        {"ende", {{"final de", FINAL_PICTURE[0]}, {"final en", FINAL_PICTURE[1]}}}, {"panel1", {{"panel", PANEL}}},
        {"panel2", {{"panel", PANEL}}}, {"font2", Font2}, {"minitiles", {{"sheet", {0, 0, 400, 300}}}},
        {"minitiles2", {{"sheet", {0, 0, 400, 300}}}}};
    for (const SheetSize& Paddle : PADDLES)
        Sheets[Paddle.szName] = Paddles;
    return Sheets;
}

}  // namespace sheetrects
