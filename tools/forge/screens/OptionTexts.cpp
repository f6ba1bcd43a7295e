// The options page's words in both languages.
#include "OptionTexts.h"

namespace OptionTexts {

const Option OPTIONS[Sheets::OPTION_COUNT] = {
    {{"Computergegner", "Computer opponent"},
     {"Gegen den Computer spielen. LINKS oder RECHTS: seine H\u00e4lfte des Felds; KEIN: allein spielen.",
      "Play against the computer. LEFT or RIGHT: its half of the field; NONE: play alone."}},
    {{"Musik", "Music"},
     {"Schaltet die Musik ein oder aus. Im Spiel geht das auch mit F9.",
      "Turns the music on or off. In play, F9 does the same."}},
    {{"Soundeffekte", "Sound effects"},
     {"Schaltet die Ger\u00e4usche ein oder aus. Im Spiel geht das auch mit F7.",
      "Turns the sound effects on or off. In play, F7 does the same."}},
    {{"Spielende bei Tod", "Game over on death"},
     {"Das Spiel endet, sobald ein Spieler sein letztes Leben verloren hat.",
      "The game ends as soon as a player has lost his last life."}},
    {{"Wetter", "Weather"},
     {"Erlaubt die Wetter-Boni: Niederschlag, Nebel und Wolkenb\u00e4nke ziehen \u00fcber das Spielfeld.",
      "Allows the weather bonuses: rain, fog and cloud banks drift across the field."}},
    {{"Computer wechseln", "Switch computer"},
     {"Erlaubt, die Seite des Computergegners zu wechseln.",
      "Allows the computer opponent to change sides."}},
    {{"Sprache", "Language"},
     {"Deutsch oder Englisch: Men\u00fcs, Anleitung und Hilfen wechseln sofort.",
      "German or English: menus, instructions and help change at once."}},
    {{"Klassischer Schl\u00e4ger", "Classic paddle"},
     {"AN: Die Schl\u00e4gerenden schicken die Kugel zur\u00fcck, woher sie kam. AUS: Nur die Bewegung lenkt.",
      "ON: the paddle's ends send the ball back the way it came. OFF: only the movement steers it."}},
    {{"Sch\u00fcsse geben Boni", "Shots release bonuses"},
     {"AN: Auch ein Laserschuss l\u00e4sst den Bonus eines Bonussteins fallen.",
      "ON: a laser shot also releases the bonus of a bonus brick."}},
    {{"Endgegner", "Boss stages"},
     {"Alle zehn Level ein Kampf gegen den Endgegner. Auf LEICHT nie, auf SCHWER immer.",
      "A fight against the boss every ten levels. Never on EASY, always on HARD."}},
    {{"Steinsatz 2", "Brick set 2"},
     {"Zeigt die Steine mit dem zweiten Satz von Bildern.",
      "Draws the bricks with the second set of pictures."}},
    {{"Eigene Level", "User levels"},
     {"Spielt die selbst gebauten Level aus dem Ordner \u201euserlevels\u201c.",
      "Plays the home-made levels of the folder \"userlevels\"."}},
    {{"Schwierigkeit", "Difficulty"},
     {"LEICHT: langsame Kugeln, harmlose Gegner. SCHWER: schnell, eigene Level, immer Endgegner.",
      "EASY: slow balls, harmless enemies. HARD: fast, levels of its own, always bosses."}},
    {{"Splitter", "Fragments"},
     {"Zerst\u00f6rte Steine fliegen als Splitter davon, besondere Kugeln ziehen Spuren.",
      "Destroyed bricks fly off in fragments, special balls leave trails."}},
};

const ScreenKit::Words TITLE = {"Optionen", "Options"};
const ScreenKit::Words LEFT_HEADER = {"Spiel", "Game"};
const ScreenKit::Words RIGHT_HEADER = {"Allgemein", "General"};
const ScreenKit::Words CODE_LABEL = {"Levelcode", "Level code"};
const ScreenKit::Words CODE_HINT = {"eine Ziffer anklicken z\u00e4hlt sie weiter", "click a digit to count it on"};
const ScreenKit::Words HELP_HINT = {"Zeige auf ein ? f\u00fcr eine Erkl\u00e4rung.", "Point at a ? for an explanation."};

const ScreenKit::Words SWITCH_OFF = {"AUS", "OFF"};
const ScreenKit::Words SWITCH_ON = {"AN", "ON"};
const ScreenKit::Words SWITCH_AUTO[3] = {{"KEIN", "NONE"}, {"LINKS", "LEFT"}, {"RECHTS", "RIGHT"}};
const ScreenKit::Words SWITCH_DIFFICULTY[3] = {{"LEICHT", "EASY"}, {"NORMAL", "NORMAL"}, {"SCHWER", "HARD"}};
const char* const SWITCH_LANGUAGE[2] = {"DEUTSCH", "ENGLISH"};

}  // namespace OptionTexts
