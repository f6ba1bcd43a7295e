// Every rectangle the game draws from a sheet lies inside the sheet and holds a
// picture: at least a few pixels that are not the transparent colour.
#include <map>
#include <string>
#include <vector>

#include "LevelFormat.h"
#include "DataSetFixture.h"
#include "sheets.h"

using namespace Sheets;

namespace {

using RectangleList = std::vector<std::pair<std::string, SheetRect>>;

void AddFrames(RectangleList& List, const std::string& What, int nCount, SheetRect (*pFrame)(int))
{
    for (int n = 0; n < nCount; ++n)
        List.push_back({What + " " + std::to_string(n), pFrame(n)});
}

RectangleList TileRectangles()
{
    RectangleList List;
    for (int nCode = 0; nCode < 500; ++nCode)
        if (!LevelCellTileTaken(nCode))
            List.push_back({"tile " + std::to_string(nCode), Tile(nCode)});
    for (int nLevel = 1; nLevel <= 5; ++nLevel)
        for (int nFrame = 0; nFrame < 10; ++nFrame)
            List.push_back({"shot " + std::to_string(nLevel) + "/" + std::to_string(nFrame), Shot(nLevel, nFrame)});
    return List;
}

RectangleList PaddleRectangles()
{
    RectangleList List;
    for (int nSize = 0; nSize < 5; ++nSize)
        for (int nLook : PADDLE_LOOK_ROWS)
            for (int nFrame = 0; nFrame < PADDLE_FRAMES; ++nFrame)
                List.push_back({"paddle " + std::to_string(nSize) + "/" + std::to_string(nLook) + "/" +
                                    std::to_string(nFrame),
                                Paddle(nSize, nLook, nFrame)});
    return List;
}

RectangleList KugelRectangles()
{
    RectangleList List;
    const std::pair<int, const int16_t*> BALLS[3] = {
        {BALL_SMALL, BALL_ROWS_SMALL}, {BALL_NORMAL, BALL_ROWS_NORMAL}, {BALL_BIG, BALL_ROWS_BIG}};
    for (const auto& [nSize, pRows] : BALLS)
        for (int nLook = 0; nLook < 3; ++nLook)
            for (int nFrame = 0; nFrame < BALL_FRAMES; ++nFrame)
                List.push_back({"ball " + std::to_string(nSize) + "/" + std::to_string(pRows[nLook]) + "/" +
                                    std::to_string(nFrame),
                                Ball(nSize, pRows[nLook], nFrame)});
    for (const auto& Highlight : {HIGHLIGHT_OPTIONS, HIGHLIGHT_HIGHSCORES, HIGHLIGHT_START, HIGHLIGHT_INFO,
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

RectangleList BonusRectangles()
{
    RectangleList List;
    for (int nCode = 20; nCode < 80; ++nCode)
        if (nCode < 40 || nCode >= 60)
            for (int nFrame = 0; nFrame < BONUS_FRAMES; ++nFrame)
                List.push_back({"bonus " + std::to_string(nCode) + "/" + std::to_string(nFrame), Bonus(nCode, nFrame)});
    return List;
}

RectangleList EnemyRectangles()
{
    RectangleList List;
    for (int nKind = 0; nKind < ENEMY_KINDS; ++nKind)
        for (int nFrame = 0; nFrame < ENEMY_FRAMES; ++nFrame)
            List.push_back({"enemy " + std::to_string(nKind) + "/" + std::to_string(nFrame), Enemy(nKind, nFrame)});
    return List;
}

RectangleList BossRectangles()
{
    RectangleList List;
    for (int nPhase = 0; nPhase < 4; ++nPhase)
        for (int nStep = 0; nStep < 4; ++nStep)
            List.push_back({"head " + std::to_string(nPhase) + "/" + std::to_string(nStep), BossHead(nPhase, nStep)});
    List.push_back({"jaw", BOSS_JAW});
    for (const SheetRect& Gun : BOSS_GUNS)
        List.push_back({"gun", Gun});
    List.push_back({"player shot", BOSS_PLAYER_SHOT});
    AddFrames(List, "boss shot", 3, BossShot);
    AddFrames(List, "big explosion", 9, BigExplosion);
    AddFrames(List, "small explosion", 3, SmallExplosion);
    return List;
}

RectangleList FigureRectangles()
{
    RectangleList List;
    for (int nFigure = 0; nFigure < 2; ++nFigure)
        for (int c = 0; c <= 10; ++c)
            List.push_back({"figure " + std::to_string(nFigure) + "/" + std::to_string(c), Figure(nFigure, c)});
    return List;
}

RectangleList WeatherRectangles()
{
    RectangleList List = {{"large bank", LARGE_BANK}, {"code banner", CODE_BANNER}};
    AddFrames(List, "small bank", SMALL_BANKS, SmallBank);
    for (int nLayer = 0; nLayer < 3; ++nLayer) {
        for (int nOffset : {0, 30})
            for (int nFrame = 0; nFrame < 10; ++nFrame)
                List.push_back({"particle", Particle(nLayer, nOffset, nFrame)});
        List.push_back({"fog particle", FOG_PARTICLES[nLayer]});
    }
    return List;
}

RectangleList QuestRectangles()
{
    RectangleList List = {{"switch off", SWITCH_OFF}, {"switch on", SWITCH_ON}};
    AddFrames(List, "help", OPTION_COUNT, Help);
    AddFrames(List, "auto", 3, SwitchAuto);
    AddFrames(List, "difficulty", 3, SwitchDifficulty);
    AddFrames(List, "language", 2, SwitchLanguage);
    AddFrames(List, "entry digit", 10, EntryDigit);
    return List;
}

RectangleList Font2Rectangles()
{
    RectangleList List;
    // Every printable character with a width has ink; the space has none by nature.
    for (int c = 33; c < 256; ++c) {
        int nIndex = Font2Index((uint8_t)c);
        if (nIndex >= 0 && c != 127 && c != 160 && FONT2_WIDTHS[nIndex] > 0) {
            SheetRect Cell = Font2Cell(nIndex);
            Cell.w = FONT2_WIDTHS[nIndex];
            List.push_back({"font2 " + std::to_string(c), Cell});
        }
    }
    return List;
}

std::map<std::string, RectangleList> RectanglesBySheet()
{
    RectangleList Countdown, Interface = {{"strip", DARK_STRIP}, {"text box", TEXT_BOX},
                                          {"energy player", ENERGY_PLAYER}, {"energy boss", ENERGY_BOSS},
                                          {"energy empty", ENERGY_EMPTY}, {"life", LIFE_MARKER}};
    for (int n = 0; n < 6; ++n)
        Interface.push_back({"countdown " + std::to_string(n), COUNTDOWN[n]});
    RectangleList Pause = {{"pause", PAUSE_PICTURE}, {"prompt de", NAME_PROMPT[0]}, {"prompt en", NAME_PROMPT[1]}};
    RectangleList Ende = {{"final de", FINAL_PICTURE[0]}, {"final en", FINAL_PICTURE[1]}};
    std::map<std::string, RectangleList> Sheets = {
        {"tiles", TileRectangles()}, {"tiles2", TileRectangles()}, {"kugel", KugelRectangles()},
        {"kugel_en", KugelRectangles()}, {"boni", BonusRectangles()}, {"enemy1", EnemyRectangles()},
        {"enemy2", EnemyRectangles()}, {"enemy3", EnemyRectangles()}, {"big_enemy01", BossRectangles()},
        {"big_enemy", {{"scene", {0, 0, 800, 600}}}}, {"devil", FigureRectangles()}, {"wetter", WeatherRectangles()},
        {"quest", QuestRectangles()}, {"quest_en", QuestRectangles()}, {"interface", Interface}, {"pause", Pause},
        {"ende", Ende}, {"panel1", {{"panel", PANEL}}}, {"panel2", {{"panel", PANEL}}}, {"font2", Font2Rectangles()},
        {"minitiles", {{"sheet", {0, 0, 400, 300}}}}, {"minitiles2", {{"sheet", {0, 0, 400, 300}}}}};
    for (int n = 0; n < PADDLE_SHEETS; ++n)
        Sheets[PADDLES[n].szName] = PaddleRectangles();
    return Sheets;
}

}  // namespace

TEST_F(DataSetTest, EveryDrawnRectangleLiesInsideItsSheetAndHoldsAPicture)
{
    std::map<std::string, RectangleList> Sheets = RectanglesBySheet();
    // Every sheet the game loads is covered by the table above.
    for (const SheetSize& Sheet : ALL_SHEETS)
        EXPECT_TRUE(Sheets.count(Sheet.szName)) << Sheet.szName;
    WithEngine([&] {
        for (const auto& [Name, Rectangles] : Sheets) {
            std::string Path = DataFile("gfx/" + Name + ".kvp");
            Korvid.FreeChunky(1);
            ASSERT_TRUE(Korvid.LoadChunky(1, Path.c_str(), KOR_LOAD_DEPTH16)) << Name;
            const ChunkyObject& Sheet = *Korvid.ChunkyRecord(1);
            for (const auto& [What, Rect] : Rectangles) {
                bool bInside = Rect.x >= 0 && Rect.y >= 0 && Rect.w > 0 && Rect.h > 0 && Rect.Right() <= Sheet.nWidth &&
                               Rect.Bottom() <= Sheet.nHeight;
                EXPECT_TRUE(bInside) << Name << ": " << What;
                if (!bInside)
                    continue;
                int nInk = 0;
                for (int y = Rect.y; y < Rect.Bottom(); ++y)
                    for (int x = Rect.x; x < Rect.Right(); ++x)
                        nInk += Sheet.Pixels16()[(size_t)y * Sheet.nWidth + x] != 0;
                EXPECT_GE(nInk, std::min(4, Rect.w * Rect.h)) << Name << ": " << What << " is blank";
            }
        }
    });
}
