// Every text of the options page and its help pictures, German and English, in
// the order of Sheets::OPTIONS: the page "m4" and the sheet "quest" share them.
#pragma once
#include "ScreenKit.h"

namespace OptionTexts {

struct Option {
    ScreenKit::Words Label;   // left of the switch on the page, and the help picture's heading
    ScreenKit::Words Help;    // the help picture's explanation
};
extern const Option OPTIONS[Sheets::OPTION_COUNT];

extern const ScreenKit::Words TITLE, LEFT_HEADER, RIGHT_HEADER, CODE_LABEL, CODE_HINT, HELP_HINT;
// The words on the switch pictures.
extern const ScreenKit::Words SWITCH_OFF, SWITCH_ON;
extern const ScreenKit::Words SWITCH_AUTO[3], SWITCH_DIFFICULTY[3];
extern const char* const SWITCH_LANGUAGE[2];

}  // namespace OptionTexts
