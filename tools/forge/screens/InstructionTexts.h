// Every text of the instruction frame and its nine pages, German and English.
#pragma once
#include "ScreenKit.h"
#include "bonuswords.h"

namespace InstructionTexts {

using ScreenKit::Words;

// A thing explained: its name and what it does.
struct Entry {
    Words Name;
    Words Text;
};
// How a bonus is to be taken: wanted, unwanted, or it depends.
using Tone = BonusWords::Tone;
// A line of the controls: the key cap's word and what the key does.
struct ControlLine {
    Words Key;
    Words Text;
};

// The frame "m3".
extern const Words FRAME_TITLE, FRAME_TURN;
extern const Words PAGE_TITLES[Sheets::INSTRUCTION_PAGES];

// Page 1: aim and controls.
extern const Words AIM;
extern const ControlLine MOUSE_CONTROLS[3];
extern const ControlLine KEY_CONTROLS[5];

// Page 2: bricks, each with up to four tile codes (-1 ends the list).
struct BrickEntry {
    int Codes[4];
    Entry What;
};
extern const BrickEntry BRICKS[8];
extern const Words BRICK_NOTE;

// Pages 3 and 4: the bonuses.
// (The bonuses themselves: BonusWords::FIRST_ROW and SECOND_ROW.)
extern const Words BONUS_LEGEND[3];   // good, bad, it depends
extern const Words BONUS_NOTE;

// Page 5: enemies and weather.
struct EnemyEntry {
    const char* szSheet;
    int Kinds[2];
    Entry What;
};
extern const EnemyEntry ENEMIES[3];
extern const Words ENEMY_NOTE, WEATHER_HEADER, WEATHER_TEXT;

// Page 6: the boss stage.
extern const Words BOSS_INTRO, BOSS_ENERGY_YOU, BOSS_ENERGY_BOSS;
extern const Words BOSS_STEPS[4];

// Page 7: the options (the option texts themselves come from the options page).
extern const Words OPTIONS_NOTE;

// Page 8: level codes and the high-score list.
extern const Words CODES_HEADER, CODES_TEXT, CODES_BANNER, SCORES_HEADER, SCORES_TEXT;
extern const ControlLine SCORE_KEYS[3];

// Page 9: the match against the computer and tips.
extern const Words MATCH_HEADER, MATCH_TEXT, MATCH_YOU, MATCH_COMPUTER, TIPS_HEADER;
extern const Words TIPS[5];

}  // namespace InstructionTexts
