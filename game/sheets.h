// Every rectangle the game draws from its sheets and screen pictures, and every
// pointer area of its screens. The game draws from these and the data forge
// paints into them, so the art and the code cannot disagree.
//
// A SheetRect is a source rectangle: left, top, width, height in the sheet's
// pixels. Where the game's rules give a source as "a..b", a is the first pixel
// and b the end (exclusive), so "341..677" is 336 pixels wide.
//
// Overlaps between rectangles, each on purpose:
// - "tiles"/"tiles2": the laser-shot frames (x 0..199, y 432..531) cover the
//   tile pictures of the decoration codes 360..364, 380..384, 400..404, 420..424
//   and 440..444 (LevelCellTileTaken). Levels never use those codes.
// - "wetter": the small weather banks (x 160..319, y 0..399) lie inside the large
//   bank (0..499 x 0..311): the large bank is painted as a group of small banks,
//   each complete within its 160 x 100 slice.
// - "quest"/"quest_en" and "kugel"/"kugel_en" share one layout per language pair.
#pragma once
#include <cstdint>

struct SheetRect {
    int16_t x, y, w, h;
    constexpr int16_t Right() const { return (int16_t)(x + w); }
    constexpr int16_t Bottom() const { return (int16_t)(y + h); }
};

// A pointer area of a screen: both ends inclusive, as the game tests them.
struct ScreenArea {
    int16_t nLeft, nTop, nRight, nBottom;
    constexpr bool Contains(int x, int y) const { return x >= nLeft && x <= nRight && y >= nTop && y <= nBottom; }
    constexpr int16_t Width() const { return (int16_t)(nRight - nLeft + 1); }
    constexpr int16_t Height() const { return (int16_t)(nBottom - nTop + 1); }
};

// The size of every sheet and picture the game loads from "data/gfx".
struct SheetSize {
    const char* szName;   // file name without ".kvp"
    int16_t nWidth, nHeight;
    bool bMask;           // ships "NAME_a.kvp", the alpha mask
};

namespace Sheets {

constexpr int16_t SCREEN_WIDTH = 800, SCREEN_HEIGHT = 600;

// ---- Screen pictures: opaque, 16 bit, loaded into the background chunky -------------
// "m1"/"m1_en" title, "m2" high scores, "m3"/"m3_en" instruction frame, "m4"/"m4_en"
// options, "m5" about the game, "mpm1" between the levels of a match, "hg1".."hg20"
// play backgrounds: all 800 x 600.
constexpr int BACKGROUND_COUNT = 20;
constexpr SheetSize SPACEBACK = {"spaceback", 630, 550, false};   // boss-stage sky at (0, 0)
// "m5" frames two panels and leaves them empty: the game prints into them in the
// chosen language (the keys left; the command line and the version right), its
// heading above them and where it keeps its files below them.
constexpr ScreenArea INFO_LEFT_PANEL = {16, 140, 391, 499};
constexpr ScreenArea INFO_RIGHT_PANEL = {408, 140, 783, 499};
constexpr int16_t INFO_HEADING_Y = 104, INFO_FILES_X = 140, INFO_FILES_Y = 512;
// Instruction pages "m3_1".."m3_9" (and "_en"): 600 x 400, drawn at (100, 100).
constexpr int INSTRUCTION_PAGES = 9;
constexpr int16_t PAGE_WIDTH = 600, PAGE_HEIGHT = 400, PAGE_X = 100, PAGE_Y = 100;

// ---- Pointer areas -----------------------------------------------------------------
// Title screen: the six menu entries (hover numbers 6, 4, 3, 5, 2, 1), and the
// level editor's entry (hover 7) right of "quit", left of the paddle picture.
constexpr ScreenArea MENU_START = {66, 322, 161, 362};
constexpr ScreenArea MENU_OPTIONS = {123, 365, 307, 415};
constexpr ScreenArea MENU_INSTRUCTIONS = {76, 416, 178, 455};
constexpr ScreenArea MENU_HIGHSCORES = {207, 416, 403, 455};
constexpr ScreenArea MENU_INFO = {117, 461, 264, 501};
constexpr ScreenArea MENU_QUIT = {210, 513, 314, 552};
constexpr ScreenArea MENU_EDITOR = {340, 513, 490, 552};
// Every other screen: back (hover 1); instruction pages: previous (31) and next (32).
constexpr ScreenArea BACK = {91, 515, 120, 548};
constexpr ScreenArea PAGE_PREVIOUS = {163, 515, 209, 548};
constexpr ScreenArea PAGE_NEXT = {241, 515, 286, 548};
// Options page: the six-digit level-code field, one digit per 10 pixels.
constexpr ScreenArea CODE_FIELD = {340, 372, 399, 392};
constexpr int16_t CODE_DIGIT_X = 342, CODE_DIGIT_Y = 373, CODE_DIGIT_STEP = 10;

// The options of the options page, in the order of their help pictures.
enum class OptionValues : uint8_t { OnOff, Three, Language };
struct OptionArea {
    const char* szKey;      // the settings key it writes
    ScreenArea Switch;      // click area; the switch picture is drawn at its top-left
    int16_t nHelpLeft;      // help area: x nHelpLeft .. nHelpLeft + 13 at the switch's heights
    OptionValues Values;
};
constexpr int OPTION_COUNT = 14;
constexpr int16_t HELP_RIGHT_COLUMN = 664, HELP_LEFT_COLUMN = 414, HELP_AREA_WIDTH = 14;
constexpr OptionArea OPTIONS[OPTION_COUNT] = {
    {"Auto", {592, 341, 648, 362}, HELP_RIGHT_COLUMN, OptionValues::Three},
    {"PlayMusic", {592, 280, 648, 300}, HELP_RIGHT_COLUMN, OptionValues::OnOff},
    {"PlaySound", {592, 250, 648, 270}, HELP_RIGHT_COLUMN, OptionValues::OnOff},
    {"GameOverWennPlayerTot", {592, 192, 648, 211}, HELP_RIGHT_COLUMN, OptionValues::OnOff},
    {"Wetter", {592, 372, 648, 392}, HELP_RIGHT_COLUMN, OptionValues::OnOff},
    {"AllowCPUSwitch", {592, 162, 648, 180}, HELP_RIGHT_COLUMN, OptionValues::OnOff},
    {"L", {342, 402, 398, 420}, HELP_LEFT_COLUMN, OptionValues::Language},
    {"PS", {342, 312, 398, 332}, HELP_LEFT_COLUMN, OptionValues::OnOff},
    {"SB", {342, 282, 398, 302}, HELP_LEFT_COLUMN, OptionValues::OnOff},
    {"EM", {342, 222, 398, 242}, HELP_LEFT_COLUMN, OptionValues::OnOff},
    {"TS", {342, 162, 398, 182}, HELP_LEFT_COLUMN, OptionValues::OnOff},
    {"UL", {342, 252, 398, 272}, HELP_LEFT_COLUMN, OptionValues::OnOff},
    {"SST", {342, 342, 398, 362}, HELP_LEFT_COLUMN, OptionValues::Three},
    {"FS", {342, 192, 398, 212}, HELP_LEFT_COLUMN, OptionValues::OnOff},
};

// ---- "tiles", "tiles2": 20 x 25 cells of 40 x 24, one per cell code 0..499 ----------
constexpr SheetSize TILES = {"tiles", 800, 600, false};
constexpr SheetSize TILES2 = {"tiles2", 800, 600, false};
constexpr int16_t TILE_WIDTH = 40, TILE_HEIGHT = 24, TILES_PER_ROW = 20;
constexpr SheetRect Tile(int nCode)
{
    return {(int16_t)(nCode % TILES_PER_ROW * TILE_WIDTH), (int16_t)(nCode / TILES_PER_ROW * TILE_HEIGHT), TILE_WIDTH,
            TILE_HEIGHT};
}
// Laser shots: power level 1..5, animation frame 0..9; 20 x 20 each.
constexpr int16_t SHOT_SIZE = 20;
constexpr SheetRect Shot(int nLevel, int nFrame)
{
    return {(int16_t)(nFrame * SHOT_SIZE), (int16_t)(412 + 20 * nLevel), SHOT_SIZE, SHOT_SIZE};
}
// "minitiles", "minitiles2": the two tile sheets at half size (20 x 12 cells).
constexpr SheetSize MINITILES = {"minitiles", 400, 300, false};
constexpr SheetSize MINITILES2 = {"minitiles2", 400, 300, false};

// ---- "schlaeger0".."schlaeger3": paddles ---------------------------------------------
// Five size classes side by side; a look is (sheet, row 0 or 300); ten animation
// frames of 30 pixels below each look row.
constexpr int16_t PADDLE_HEIGHT = 30, PADDLE_FRAMES = 10, PADDLE_LOOK_ROWS[2] = {0, 300};
constexpr int16_t PADDLE_EDGES[6] = {0, 80, 200, 360, 560, 800};   // size class c: EDGES[c]..EDGES[c + 1]
constexpr int PADDLE_SHEETS = 4;
constexpr SheetSize PADDLES[PADDLE_SHEETS] = {
    {"schlaeger0", 800, 600, true}, {"schlaeger1", 800, 600, true},
    {"schlaeger2", 800, 600, true}, {"schlaeger3", 800, 600, true}};
constexpr SheetRect Paddle(int nSizeClass, int nLookRow, int nFrame)
{
    return {PADDLE_EDGES[nSizeClass], (int16_t)(nLookRow + nFrame * PADDLE_HEIGHT),
            (int16_t)(PADDLE_EDGES[nSizeClass + 1] - PADDLE_EDGES[nSizeClass]), PADDLE_HEIGHT};
}
// What each look means (sheet, row): (0,0) normal, (0,300) sticky, (1,0) free vertical,
// (1,300) laser, (2,0) frozen, (2,300) autopilot / computer, (3,0) protection, (3,300) shield.

// ---- "kugel" / "kugel_en": balls, glyphs, digits, dying enemies, the ship ------------
constexpr SheetSize KUGEL = {"kugel", 800, 548, true};
constexpr SheetSize KUGEL_EN = {"kugel_en", 800, 548, true};
// Balls: ten frames side by side. Rows: small 0 / 12 / 24 (normal, piercing,
// passing), normal 36 / 54 / 72 (72 also the look of a ball carried by an enemy),
// big 90 / 116 / 142.
constexpr int16_t BALL_FRAMES = 10;
constexpr int16_t BALL_SMALL = 12, BALL_NORMAL = 18, BALL_BIG = 26;   // widths and heights
constexpr int16_t BALL_ROWS_SMALL[3] = {0, 12, 24}, BALL_ROWS_NORMAL[3] = {36, 54, 72}, BALL_ROWS_BIG[3] = {90, 116, 142};
constexpr SheetRect Ball(int nSize, int nTopRow, int nFrame)
{
    return {(int16_t)(nFrame * nSize), (int16_t)nTopRow, (int16_t)nSize, (int16_t)nSize};
}
// Menu highlights, one per hovered area, each the size of its area and drawn at
// the area's top-left: a gold frame around a faint fill, so they are drawn with
// the sheet's alpha mask (keyed alone, the faint fill would cover the entry).
constexpr SheetRect HIGHLIGHT_OPTIONS = {270, 0, MENU_OPTIONS.Width(), MENU_OPTIONS.Height()};
constexpr SheetRect HIGHLIGHT_HIGHSCORES = {460, 0, MENU_HIGHSCORES.Width(), MENU_HIGHSCORES.Height()};
constexpr SheetRect HIGHLIGHT_START = {660, 0, MENU_START.Width(), MENU_START.Height()};
constexpr SheetRect HIGHLIGHT_INFO = {270, 56, MENU_INFO.Width(), MENU_INFO.Height()};
constexpr SheetRect HIGHLIGHT_INSTRUCTIONS = {422, 56, MENU_INSTRUCTIONS.Width(), MENU_INSTRUCTIONS.Height()};
constexpr SheetRect HIGHLIGHT_QUIT = {530, 56, MENU_QUIT.Width(), MENU_QUIT.Height()};
constexpr SheetRect HIGHLIGHT_BACK = {640, 56, BACK.Width(), BACK.Height()};
constexpr SheetRect HIGHLIGHT_PREVIOUS = {674, 56, PAGE_PREVIOUS.Width(), PAGE_PREVIOUS.Height()};
constexpr SheetRect HIGHLIGHT_NEXT = {725, 56, PAGE_NEXT.Width(), PAGE_NEXT.Height()};
constexpr SheetRect HIGHLIGHT_EDITOR = {270, 100, MENU_EDITOR.Width(), MENU_EDITOR.Height()};
// GamePrintNumbers: 12 x 15 character cells in this order (letters either case).
constexpr char GLYPH_ORDER[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_:";
constexpr int16_t GLYPH_WIDTH = 12, GLYPH_HEIGHT = 15, GLYPH_ROW = 170, GLYPH_LINE_STEP = 15;
constexpr int GlyphIndex(char c)   // -1: no cell (a space advances without drawing)
{
    char cUpper = (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
    for (int n = 0; GLYPH_ORDER[n]; ++n)
        if (GLYPH_ORDER[n] == cUpper)
            return n;
    return -1;
}
constexpr SheetRect Glyph(int nIndex) { return {(int16_t)(nIndex * GLYPH_WIDTH), GLYPH_ROW, GLYPH_WIDTH, GLYPH_HEIGHT}; }
// Style 3 of GamePrintNumbers (panel, known level code): digits in their own cells.
constexpr int16_t PANEL_DIGIT_ROW = 216;
constexpr SheetRect PanelDigit(int d) { return {(int16_t)(d * GLYPH_WIDTH), PANEL_DIGIT_ROW, GLYPH_WIDTH, GLYPH_HEIGHT}; }
// Star-field dots of the boss stage, one per layer: 2 x 2.
constexpr int16_t STAR_ROW = 188, STAR_X[3] = {414, 420, 426}, STAR_SIZE = 2;
constexpr SheetRect Star(int nLayer) { return {STAR_X[nLayer], STAR_ROW, STAR_SIZE, STAR_SIZE}; }
// Digits of a new level code on its banner: 15 x 22.
constexpr SheetRect CodeDigit(int d) { return {(int16_t)(15 * d), 193, 15, 22}; }
// A dying enemy: ten frames of 80 x 80.
constexpr SheetRect DyingEnemy(int nFrame) { return {(int16_t)(nFrame * 80), 233, 80, 80}; }
// High-score list: digits and letters (A..Z, and 26: a dash), 18 x 24.
constexpr SheetRect ScoreDigit(int d) { return {(int16_t)(d * 18), 419, 18, 24}; }
constexpr SheetRect ScoreLetter(int n) { return {(int16_t)(n * 18), 443, 18, 24}; }
constexpr int SCORE_LETTERS = 27;
// The player's ship in the boss stage: ten frames of 80 x 80.
constexpr SheetRect Ship(int nFrame) { return {(int16_t)(nFrame * 80), 467, 80, 80}; }

// ---- "boni": falling bonuses, 40 x 40, seven frames below each other --------------
constexpr SheetSize BONI = {"boni", 800, 560, true};
constexpr int16_t BONUS_SIZE = 40, BONUS_FRAMES = 7, BONUS_SECOND_ROW = 280;
// Code 20..39 -> column code - 20, row base 0; code 60..79 -> column code - 60, row base 280.
constexpr SheetRect Bonus(int nCode, int nFrame)
{
    int nColumn = nCode >= 60 ? nCode - 60 : nCode - 20;
    int nBase = nCode >= 60 ? BONUS_SECOND_ROW : 0;
    return {(int16_t)(nColumn * BONUS_SIZE), (int16_t)(nBase + nFrame * BONUS_SIZE), BONUS_SIZE, BONUS_SIZE};
}

// ---- "enemy1", "enemy2", "enemy3": enemies, 80 x 80, frame across, kind down ---------
// enemy1: harmless ones on difficulties 1 and 2; enemy2: harmless ones on difficulty 0;
// enemy3: harmful ones (kinds 4..7 catch balls).
constexpr SheetSize ENEMIES[3] = {{"enemy1", 800, 640, true}, {"enemy2", 800, 640, true}, {"enemy3", 800, 640, true}};
constexpr int16_t ENEMY_SIZE = 80, ENEMY_FRAMES = 10, ENEMY_KINDS = 8;
constexpr SheetRect Enemy(int nKind, int nFrame)
{
    return {(int16_t)(nFrame * ENEMY_SIZE), (int16_t)(nKind * ENEMY_SIZE), ENEMY_SIZE, ENEMY_SIZE};
}

// ---- Boss stage: "big_enemy" (the whole scene over the sky) and "big_enemy01" -------
constexpr SheetSize BIG_ENEMY = {"big_enemy", 800, 600, true};
constexpr SheetSize BIG_ENEMY01 = {"big_enemy01", 800, 600, true};
// Head: column = head phase 0..3, row = head step 0..3; drawn at (522, 56).
constexpr SheetRect BossHead(int nPhase, int nStep) { return {(int16_t)(nPhase * 138), (int16_t)(nStep * 98), 138, 98}; }
constexpr int16_t BOSS_HEAD_X = 522, BOSS_HEAD_Y = 56;
// Jaw at (561, jaw y), jaw y 161..262; its open mouth (hit zone x 665..718, y jaw + 50..70)
// lies at x 104..157, y 50..70 of the picture.
constexpr SheetRect BOSS_JAW = {560, 0, 170, 100};
constexpr int16_t BOSS_JAW_X = 561;
// Guns at (545, 400), (533, 425), (529, 455), pointing left.
constexpr SheetRect BOSS_GUNS[3] = {{560, 110, 120, 26}, {560, 140, 130, 26}, {560, 170, 135, 26}};
constexpr int16_t BOSS_GUN_X[3] = {545, 533, 529}, BOSS_GUN_Y[3] = {400, 425, 455};
// Shots: the player's (flying right) and the boss's by kind (0 head, 1 jaw, 2 gun).
constexpr SheetRect BOSS_PLAYER_SHOT = {560, 200, 40, 20};
constexpr SheetRect BossShot(int nKind) { return {(int16_t)(560 + 34 * nKind), 230, 32, 20}; }
// Explosions: big ones nine frames of 64 x 64, small ones three frames of 32 x 32,
// drawn centred on the hit.
constexpr SheetRect BigExplosion(int nFrame) { return {(int16_t)(nFrame * 64), 400, 64, 64}; }
constexpr SheetRect SmallExplosion(int nFrame) { return {(int16_t)(nFrame * 32), 470, 32, 32}; }

// ---- "devil": the two animated title figures, frames of 142 x 142 ------------------
constexpr SheetSize DEVIL = {"devil", 710, 568, true};
constexpr int16_t FIGURE_SIZE = 142, FIGURE_LEFT_X = 169, FIGURE_RIGHT_X = 480, FIGURE_Y = 144;
// Frame c of the animation (0..10) of the left (0) or right (1) figure.
constexpr SheetRect Figure(int nFigure, int c)
{
    int nRow = (c < 5 ? 0 : 1) + nFigure * 2;
    int nColumn = c < 5 ? c : (c - 5 > 4 ? 4 : c - 5);
    return {(int16_t)(nColumn * FIGURE_SIZE), (int16_t)(nRow * FIGURE_SIZE), FIGURE_SIZE, FIGURE_SIZE};
}

// ---- "pause", "ende": the halted overlay's pictures ---------------------------------
constexpr SheetSize PAUSE = {"pause", 680, 476, true};
constexpr SheetRect PAUSE_PICTURE = {341, 5, 336, 231};                 // centred, at y 184
constexpr SheetRect NAME_PROMPT[2] = {{0, 243, 337, 232}, {341, 243, 336, 232}};   // German, English; at y 184
constexpr int16_t PAUSE_Y = 184, NAME_TEXT_X = 330, NAME_TEXT_Y = 289;
constexpr SheetSize ENDE = {"ende", 680, 243, true};
constexpr SheetRect FINAL_PICTURE[2] = {{0, 0, 337, 242}, {341, 0, 336, 242}};    // German, English; at y 179
constexpr int16_t FINAL_Y = 179;

// ---- "interface": darkening strip, text box, energy bars, countdown ----------------
constexpr SheetSize INTERFACE = {"interface", 800, 372, true};
constexpr SheetRect DARK_STRIP = {0, 0, 800, 24};   // 25 of them, alpha 128, darken the screen
constexpr SheetRect TEXT_BOX = {0, 24, 800, 24};    // the box behind GamePrintText, cut to the text's width + 6
constexpr SheetRect ENERGY_PLAYER = {0, 50, 7, 14}, ENERGY_BOSS = {8, 50, 7, 14}, ENERGY_EMPTY = {16, 50, 7, 14};
constexpr SheetRect LIFE_MARKER = {24, 50, 14, 14};
constexpr int16_t ENERGY_Y = 572, ENERGY_PLAYER_X = 50, ENERGY_BOSS_X = 350, ENERGY_STEP = 7;
// The computer's serve countdown, 5 .. 0, drawn centred at y 258.
constexpr int16_t COUNTDOWN_TOP = 286, COUNTDOWN_BOTTOM = 370, COUNTDOWN_Y = 258;
constexpr SheetRect COUNTDOWN[6] = {
    {335, 286, 130, 84}, {279, 286, 37, 84}, {216, 286, 45, 84},
    {148, 286, 49, 84},  {79, 286, 54, 84},  {15, 286, 48, 84}};

// ---- "panel1", "panel2": the score panels ---------------------------------------------
constexpr SheetSize PANEL1 = {"panel1", 391, 41, true};
constexpr SheetSize PANEL2 = {"panel2", 391, 41, true};
constexpr SheetRect PANEL = {0, 0, 391, 41};
constexpr int16_t PANEL1_X = 10, PANEL2_X = 399, PANEL_Y = 557, PANEL_TEXT_Y = 568;
// Where lives, level and score are printed (screen x).
constexpr int16_t PANEL1_VALUES_X[3] = {50, 130, 225}, PANEL2_VALUES_X[3] = {532, 612, 707};

// ---- "wetter": weather banks and particles, and the level-code banner ---------------
constexpr SheetSize WETTER = {"wetter", 800, 600, true};
constexpr SheetRect LARGE_BANK = {0, 0, 500, 312};
constexpr SheetRect SmallBank(int nPicture) { return {160, (int16_t)(nPicture * 100), 160, 100}; }
constexpr int SMALL_BANKS = 4;
// Weather 1: three layers (rows 520, 460, 400), row offset 0 or 30, frame 0..9.
constexpr int16_t PARTICLE_ROWS[3] = {520, 460, 400}, PARTICLE_SIZE = 30;
constexpr SheetRect Particle(int nLayer, int nOffset, int nFrame)
{
    return {(int16_t)(nFrame * PARTICLE_SIZE), (int16_t)(PARTICLE_ROWS[nLayer] + nOffset), PARTICLE_SIZE, PARTICLE_SIZE};
}
// Weather 2: one fixed 20 x 20 picture per layer.
constexpr SheetRect FOG_PARTICLES[3] = {{40, 580, 20, 20}, {20, 580, 20, 20}, {0, 580, 20, 20}};
constexpr SheetRect CODE_BANNER = {465, 365, 335, 235};   // centred: at (233, 183)

// ---- "quest" / "quest_en": options page pictures ------------------------------------
constexpr SheetSize QUEST = {"quest", 800, 580, true};
constexpr SheetSize QUEST_EN = {"quest_en", 800, 580, true};
// Help pictures, 220 x 111, in the order of OPTIONS, three per row; drawn with
// their lower right corner at the pointer.
constexpr int16_t HELP_WIDTH = 220, HELP_HEIGHT = 111;
constexpr SheetRect Help(int nOption)
{
    return {(int16_t)(nOption % 3 * HELP_WIDTH), (int16_t)(nOption / 3 * HELP_HEIGHT), HELP_WIDTH, HELP_HEIGHT};
}
// Switch pictures, 56 x 20, drawn at the switch area's top-left: off / on, the three
// values of "Auto" (none, computer left, computer right) and "SST" (easy, normal,
// hard), and the two languages.
constexpr int16_t SWITCH_WIDTH = 56, SWITCH_HEIGHT = 20;
constexpr SheetRect SwitchPicture(int nRow) { return {664, (int16_t)(nRow * 22), SWITCH_WIDTH, SWITCH_HEIGHT}; }
constexpr SheetRect SWITCH_OFF = SwitchPicture(0), SWITCH_ON = SwitchPicture(1);
constexpr SheetRect SwitchAuto(int nValue) { return SwitchPicture(2 + nValue); }
constexpr SheetRect SwitchDifficulty(int nValue) { return SwitchPicture(5 + nValue); }
constexpr SheetRect SwitchLanguage(int nValue) { return SwitchPicture(8 + nValue); }
// Digits of the level-code field: 10 x 17.
constexpr SheetRect EntryDigit(int d) { return {(int16_t)(672 + 10 * d), 555, 10, 17}; }

// ---- "font2": proportional text of GamePrintText ------------------------------------
// Characters 32..127 and 160..255 (ISO-8859-1) in cells of 24 x 24, sixteen per row;
// a character's picture starts at its cell's left edge and is FONT2_WIDTHS wide.
constexpr SheetSize FONT2 = {"font2", 384, 288, true};
constexpr int16_t FONT2_CELL = 24, FONT2_COLUMNS = 16, FONT2_LINE_STEP = 24;
constexpr int Font2Index(uint8_t c) { return c < 32 ? -1 : c < 128 ? c - 32 : c < 160 ? -1 : c - 64; }
constexpr SheetRect Font2Cell(int nIndex)
{
    return {(int16_t)(nIndex % FONT2_COLUMNS * FONT2_CELL), (int16_t)(nIndex / FONT2_COLUMNS * FONT2_CELL), FONT2_CELL,
            FONT2_CELL};
}
// Advance widths of characters 32..127 then 160..255 (index as Font2Index).
// Written by the forge's font painter (tools/forge/art/Font2.cpp), which
// prints this table whenever its glyphs change and refuses a stale one.
constexpr uint8_t FONT2_WIDTHS[192] = {
    6, 7, 9, 15, 13, 19, 17, 6, 8, 8, 11, 14, 8, 9, 7, 9,
    14, 13, 12, 12, 14, 12, 13, 12, 13, 14, 7, 7, 14, 14, 14, 11,
    17, 16, 14, 14, 15, 12, 12, 15, 14, 7, 9, 15, 12, 17, 14, 16,
    14, 16, 14, 13, 14, 14, 16, 21, 15, 16, 14, 9, 9, 8, 14, 11,
    9, 13, 13, 12, 14, 14, 11, 14, 13, 7, 9, 13, 7, 18, 13, 14,
    13, 14, 10, 12, 11, 13, 14, 18, 14, 14, 12, 11, 5, 11, 14, 6,
    6, 7, 12, 13, 13, 14, 5, 11, 9, 15, 10, 11, 14, 9, 15, 9,
    9, 14, 10, 10, 9, 14, 11, 7, 7, 10, 12, 12, 19, 19, 19, 11,
    16, 16, 16, 16, 16, 16, 20, 14, 12, 12, 12, 12, 8, 8, 9, 9,
    16, 14, 16, 16, 16, 16, 16, 13, 17, 14, 14, 14, 14, 16, 14, 13,
    13, 13, 13, 13, 13, 13, 19, 12, 14, 14, 14, 14, 9, 9, 10, 9,
    14, 13, 14, 14, 14, 14, 14, 14, 14, 13, 13, 13, 13, 14, 13, 14,
};

// Every sheet the game loads with LoadAlphaChunky, in no particular order.
constexpr SheetSize ALL_SHEETS[] = {
    TILES, TILES2, PADDLES[0], PADDLES[1], PADDLES[2], PADDLES[3], BIG_ENEMY, BIG_ENEMY01, BONI, ENDE,
    DEVIL, ENEMIES[0], ENEMIES[1], ENEMIES[2], MINITILES, MINITILES2, FONT2, INTERFACE, PANEL1, PANEL2,
    PAUSE, WETTER, KUGEL, KUGEL_EN, QUEST, QUEST_EN};

}  // namespace Sheets
