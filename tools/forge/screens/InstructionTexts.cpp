// The instruction pages' words in both languages.
#include "InstructionTexts.h"

namespace InstructionTexts {

const Words FRAME_TITLE = {"Anleitung", "Instructions"};
const Words FRAME_TURN = {"Bl\u00e4ttern", "Turn the page"};
const Words PAGE_TITLES[Sheets::INSTRUCTION_PAGES] = {
    {"Ziel und Steuerung", "Aim and controls"},
    {"Die Steine", "The bricks"},
    {"Die Boni \u2013 Teil 1", "The bonuses \u2013 part 1"},
    {"Die Boni \u2013 Teil 2", "The bonuses \u2013 part 2"},
    {"Gegner und Wetter", "Enemies and weather"},
    {"Der Endgegner", "The boss"},
    {"Die Optionen", "The options"},
    {"Levelcodes und Bestenliste", "Level codes and high scores"},
    {"Duell und Tipps", "Match and tips"},
};

// ---- Page 1 ----------------------------------------------------------------------------
const Words AIM = {
    "R\u00e4ume jedes Level ab: Lenke den Schl\u00e4ger am unteren Rand und halte die Kugel im Spiel. Jeder "
    "Stein, den sie trifft, bringt Punkte. Sind alle zerst\u00f6rbaren Steine weg, folgt das n\u00e4chste "
    "Level \u2013 hundert warten auf dich. F\u00e4llt die Kugel am Schl\u00e4ger vorbei, kostet das ein Leben.",
    "Clear every level: steer the paddle along the bottom and keep the ball in play. Every brick it hits "
    "scores points. When all breakable bricks are gone, the next level follows \u2013 a hundred are waiting "
    "for you. A ball that falls past the paddle costs a life."};
const ControlLine MOUSE_CONTROLS[3] = {
    {{"Maus", "Mouse"}, {"bewegt den Schl\u00e4ger", "moves the paddle"}},
    {{"Links", "Left"}, {"Kugel abschie\u00dfen, gehaltene Kugeln loslassen", "launches the ball, releases held balls"}},
    {{"Rechts", "Right"}, {"feuert den Laser (mit dem Laser-Bonus)", "fires the laser (with the laser bonus)"}},
};
const ControlLine KEY_CONTROLS[5] = {
    {{"P", "P"}, {"Pause", "Pause"}},
    {{"Esc", "Esc"}, {"zur\u00fcck, Spiel abbrechen", "back, abort the game"}},
    {{"F7", "F7"}, {"Soundeffekte an/aus", "sound effects on/off"}},
    {{"F9", "F9"}, {"Musik an/aus", "music on/off"}},
    {{"F11", "F11"}, {"Spiel starten (Titelbild)", "start a game (title screen)"}},
};

// ---- Page 2 ----------------------------------------------------------------------------
const BrickEntry BRICKS[8] = {
    {{0, 45, 90, -1},
     {{"Normale Steine", "Normal bricks"}, {"Ein Treffer gen\u00fcgt: 1 Punkt.", "One hit is enough: 1 point."}}},
    {{20, 25, 62, -1},
     {{"Bonussteine", "Bonus bricks"},
      {"Lassen beim Zerbrechen einen Bonus fallen: 2 Punkte.", "Drop a bonus when they break: 2 points."}}},
    {{240, 300, 280, 260},
     {{"Mehrfachsteine", "Multi-hit bricks"},
      {"Brauchen bis zu vier Treffer; jeder Riss zeigt den Fortschritt. Gro\u00dfe Kugeln zerschlagen sie sofort.",
       "Take up to four hits; each crack shows the progress. Big balls smash them at once."}}},
    {{180, 185, 200, -1},
     {{"Unzerst\u00f6rbar", "Indestructible"},
      {"Metall: Die Kugel prallt ab. Z\u00e4hlt nicht zum Abr\u00e4umen.",
       "Metal: the ball bounces off. Does not count for clearing."}}},
    {{340, 341, 342, -1},
     {{"Schiebesteine", "Sliding bricks"},
      {"Ein Treffer schiebt sie ins freie Nachbarfeld. Z\u00e4hlen nicht zum Abr\u00e4umen.",
       "A hit pushes them into a free neighbouring cell. They do not count for clearing."}}},
    {{497, 498, -1, -1},
     {{"Teleporter", "Teleporters"},
      {"Schicken die Kugel zum anderen Teleporter und ruhen dann vier Sekunden.",
       "Send the ball to the other teleporter, then rest for four seconds."}}},
    {{499, -1, -1, -1},
     {{"Falle", "Trap"}, {"Verschluckt jede Kugel, die hineinf\u00e4llt.", "Swallows any ball that enters."}}},
    {{353, 370, 465, -1},
     {{"Verzierung", "Decoration"},
      {"Schmuck, an dem die Kugel abprallt. Z\u00e4hlt nicht zum Abr\u00e4umen.",
       "Ornaments the ball bounces off. Does not count for clearing."}}},
};
const Words BRICK_NOTE = {
    "Bleiben weniger als drei Steine, r\u00e4umt sich das Feld nach 50 Sekunden von selbst ab.",
    "When fewer than three bricks are left, the field clears itself after 50 seconds."};

// ---- Pages 3 and 4 (the bonuses themselves are in bonuswords.h) -------------------------
const Words BONUS_LEGEND[3] = {{"gut", "good"}, {"schlecht", "bad"}, {"je nachdem", "it depends"}};
const Words BONUS_NOTE = {
    "Wetter-Boni wirken nur mit der Option \u201eWetter\u201c. Der Schutz-Bonus f\u00e4ngt einen der schlechten "
    "Boni (magenta) ab.",
    "Weather bonuses work only with the Weather option. The protection bonus absorbs one of the bad bonuses "
    "(magenta)."};

// ---- Page 5 ----------------------------------------------------------------------------
const EnemyEntry ENEMIES[3] = {
    {"enemy1", {0, 1},
     {{"Harmlose Gegner", "Harmless enemies"},
      {"Fliegen nur umher. Kugel oder Laser zerst\u00f6ren sie; ein Laserschuss bringt 2 Punkte.",
       "Just fly around. A ball or the laser destroys them; a laser shot scores 2 points."}}},
    {"enemy3", {0, 2},
     {{"Gef\u00e4hrliche Gegner", "Deadly enemies"},
      {"Ber\u00fchren sie den Schl\u00e4ger, kostet das ein Leben \u2013 au\u00dfer ein Schild f\u00e4ngt sie ab.",
       "Touching the paddle costs a life \u2013 unless a shield absorbs them."}}},
    {"enemy3", {4, 6},
     {{"Kugelf\u00e4nger", "Ball catchers"},
      {"Schnappen sich die Kugel und tragen sie 5 bis 20 Sekunden umher. Schie\u00df sie vorher ab!",
       "Grab the ball and carry it around for 5 to 20 seconds. Shoot them down first!"}}},
};
const Words ENEMY_NOTE = {"Alle 20 Sekunden kommt ein neuer Gegner. Auf LEICHT sind alle harmlos.",
                          "A new enemy arrives every 20 seconds. On EASY they are all harmless."};
const Words WEATHER_HEADER = {"Wetter", "Weather"};
const Words WEATHER_TEXT = {
    "Mit der Option \u201eWetter\u201c bringen Boni Nebel, Niederschlag oder Wolkenb\u00e4nke \u00fcber das "
    "Feld und nehmen die Sicht. Andere Boni beenden das Wetter wieder. Bei Nebel und Niederschlag gibt es "
    "keine durchschlagenden Kugeln und keine Geisterkugeln.",
    "With the Weather option, bonuses bring fog, a downpour or cloud banks over the field and hide the view. "
    "Other bonuses end the weather again. In fog and downpour there are no piercing balls and no ghost "
    "balls."};

// ---- Page 6 ----------------------------------------------------------------------------
const Words BOSS_INTRO = {
    "Alle zehn Level stellt sich dir der Endgegner (Option \u201eEndgegner\u201c; auf LEICHT nie, auf SCHWER "
    "immer). Du fliegst ein Raumschiff: Die Maus bewegt es auf und ab, ein Rechtsklick feuert.",
    "Every ten levels the boss stands in your way (option \u201cBoss stages\u201d; never on EASY, always on "
    "HARD). You fly a ship: the mouse moves it up and down, a right click fires."};
const Words BOSS_ENERGY_YOU = {"Deine Energie", "Your energy"};
const Words BOSS_ENERGY_BOSS = {"Energie des Endgegners", "The boss's energy"};
const Words BOSS_STEPS[4] = {
    {"Zerm\u00fcrben: Treffer an Kopf und Unterseite kosten ihn Energie, bis nur noch 25 \u00fcbrig sind.",
     "Wear him down: hits on his head and underside cost him energy until only 25 is left."},
    {"Das offene Maul: Triff es f\u00fcnfmal \u2013 jeder Treffer nimmt ihm eines seiner f\u00fcnf Leben.",
     "The open jaw: hit it five times \u2013 each hit takes one of his five lives."},
    {"Erledigen: Ohne Leben geben ihm weitere Treffer den Rest. Dann geht es im n\u00e4chsten Level weiter.",
     "Finish him: without lives, further hits finish him off. Then play goes on with the next level."},
    {"Weiche seinen Sch\u00fcssen aus: Jeder Treffer kostet dich Energie, unter 25 auch ein Leben.",
     "Dodge his shots: every hit costs you energy, below 25 also a life."},
};

// ---- Page 7 ----------------------------------------------------------------------------
const Words OPTIONS_NOTE = {"Jede \u00c4nderung gilt sofort und wird gespeichert.",
                            "Every change applies at once and is saved."};

// ---- Page 8 ----------------------------------------------------------------------------
const Words CODES_HEADER = {"Levelcodes", "Level codes"};
const Words CODES_TEXT = {
    "Zu Beginn jedes neuen Levels erscheint sein sechsstelliger Code \u2013 schreib ihn dir auf! Stelle ihn "
    "sp\u00e4ter auf der Optionsseite im Feld \u201eLevelcode\u201c ein (jeder Klick z\u00e4hlt eine Ziffer "
    "weiter) und starte ein Spiel: Es beginnt in diesem Level. Eigene Level haben eigene Codes.",
    "At the start of each new level its six-digit code appears \u2013 write it down! Later, set it in the "
    "\u201cLevel code\u201d field of the options page (each click counts a digit on) and start a game: it "
    "begins at that level. User levels have codes of their own."};
const Words CODES_BANNER = {"Levelcode", "Level code"};
const Words SCORES_HEADER = {"Bestenliste", "High scores"};
const Words SCORES_TEXT = {
    "Die f\u00fcnf besten Ergebnisse bleiben gespeichert. Schaffst du es hinein, tippe deinen Namen (bis zu "
    "acht Buchstaben) und best\u00e4tige ihn.",
    "The five best scores are kept. If you make it in, type your name (up to eight letters) and confirm it."};
const ControlLine SCORE_KEYS[3] = {
    {{"A\u2013Z", "A\u2013Z"}, {"Name tippen", "type the name"}},
    {{"\u2190", "\u2190"}, {"Buchstaben l\u00f6schen", "delete a letter"}},
    {{"Enter", "Enter"}, {"Eintrag speichern", "save the entry"}},
};

// ---- Page 9 ----------------------------------------------------------------------------
const Words MATCH_HEADER = {"Duell gegen den Computer", "Match against the computer"};
const Words MATCH_TEXT = {
    "Stelle den \u201eComputergegner\u201c auf LINKS oder RECHTS: Der Computer spielt dann diese H\u00e4lfte "
    "des Felds, du die andere. Punkte bekommt, wer die Kugel zuletzt ber\u00fchrt hat. Der Computer verliert "
    "keine Leben; f\u00e4llt die Kugel auf deiner Seite, kostet es dich eins, und er schl\u00e4gt nach einem "
    "Countdown auf. Nach jedem Level zeigt eine Wertung den Stand \u2013 Enter spielt weiter.",
    "Set the \u201cComputer opponent\u201d to LEFT or RIGHT: the computer then plays that half of the field, "
    "you the other. Points go to whoever touched the ball last. The computer loses no lives; a ball falling on "
    "your side costs you one, and it serves after a countdown. After each level a score screen shows the "
    "standing \u2013 Enter plays on."};
const Words MATCH_YOU = {"Du", "You"};
const Words MATCH_COMPUTER = {"Computer", "Computer"};
const Words TIPS_HEADER = {"Tipps", "Tips"};
const Words TIPS[5] = {
    {"Bewege den Schl\u00e4ger im Moment des Treffers: So gibst du der Kugel Schwung und Richtung.",
     "Move the paddle as the ball lands: that gives it speed and direction."},
    {"Mit dem klassischen Schl\u00e4ger schicken die Enden die Kugel zur\u00fcck, woher sie kam.",
     "With the classic paddle, its ends send the ball back the way it came."},
    {"Fang die gr\u00fcnen Boni, weiche den magentafarbenen aus \u2013 oder hol dir vorher Schutz.",
     "Catch the green bonuses, dodge the magenta ones \u2013 or get protection first."},
    {"Schie\u00df Kugelf\u00e4nger ab, bevor sie zugreifen.", "Shoot ball catchers down before they grab."},
    {"Notiere die Levelcodes: Sie sparen dir sp\u00e4ter den weiten Weg.",
     "Note the level codes: they save you the long way later."},
};

}  // namespace InstructionTexts
