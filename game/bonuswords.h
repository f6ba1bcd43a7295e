// The bonus bricks in words, German and English (UTF-8), with how a player
// takes each: the instruction pages the forge paints and the level editor's
// palette say the same of every bonus.
#pragma once

namespace BonusWords {

enum class Tone { Good, Bad, Mixed };
struct Text {
    const char* szGerman;
    const char* szEnglish;
};
struct Line {
    int nCode;
    Tone Kind;
    Text Name;
    Text Detail;
};

// Codes 20..39, then 60..74 (75..79 do nothing and are in no level).
constexpr Line FIRST_ROW[20] = {
    {20, Tone::Good, {"Schl\u00e4ger l\u00e4nger", "Longer paddle"}, {"bis zur gr\u00f6\u00dften von f\u00fcnf L\u00e4ngen", "up to the longest of five sizes"}},
    {21, Tone::Bad, {"Schl\u00e4ger k\u00fcrzer", "Shorter paddle"}, {"bis zur k\u00fcrzesten L\u00e4nge", "down to the shortest size"}},
    {22, Tone::Good, {"Extra-Kugel", "Extra ball"}, {"eine Kugel mehr im Spiel", "one more ball in play"}},
    {23, Tone::Mixed, {"Autopilot", "Autopilot"}, {"der Computer lenkt 20 Sekunden", "the computer steers for 20 seconds"}},
    {24, Tone::Good, {"Freie Bewegung", "Free movement"}, {"der Schl\u00e4ger darf auch nach oben", "the paddle may move up as well"}},
    {25, Tone::Good, {"Punkte \u00d72", "Points \u00d72"}, {"jeder Treffer z\u00e4hlt doppelt", "every hit counts double"}},
    {26, Tone::Good, {"Punkte \u00d74", "Points \u00d74"}, {"jeder Treffer z\u00e4hlt vierfach", "every hit counts four times"}},
    {27, Tone::Good, {"Klebeschl\u00e4ger", "Sticky paddle"}, {"h\u00e4lt Kugeln fest, Linksklick l\u00e4sst los", "holds balls, left click lets go"}},
    {28, Tone::Good, {"Durchschlagende Kugeln", "Piercing balls"}, {"zerschlagen Steine ohne Abprall, 40 s", "smash bricks without bouncing, 40 s"}},
    {29, Tone::Good, {"Laser", "Laser"}, {"Rechtsklick schie\u00dft; st\u00e4rker bis Stufe 5", "right click fires; stronger up to level 5"}},
    {30, Tone::Good, {"Extraleben", "Extra life"}, {"ein Leben mehr (h\u00f6chstens 20)", "one more life (20 at most)"}},
    {31, Tone::Bad, {"Eingefroren", "Frozen"}, {"der Schl\u00e4ger steht kurz still", "the paddle stands still for a moment"}},
    {32, Tone::Bad, {"Spiegelverkehrt", "Mirrored"}, {"die Maus lenkt andersherum", "the mouse steers the other way"}},
    {33, Tone::Good, {"Gegner weg", "Enemies gone"}, {"alle Gegner zerst\u00f6rt, das Feld bebt", "every enemy destroyed, the field shakes"}},
    {34, Tone::Bad, {"Geisterkugeln", "Ghost balls"}, {"fliegen durch die Steine hindurch", "fly straight through the bricks"}},
    {35, Tone::Bad, {"Schneller", "Faster"}, {"alle Kugeln werden schneller", "every ball speeds up"}},
    {36, Tone::Good, {"Langsamer", "Slower"}, {"alle Kugeln werden langsamer", "every ball slows down"}},
    {37, Tone::Mixed, {"Zufall", "Surprise"}, {"irgendein Bonus dieser Reihe", "any bonus of this row"}},
    {38, Tone::Good, {"Level geschafft", "Level won"}, {"sofort ins n\u00e4chste Level", "straight on to the next level"}},
    {39, Tone::Bad, {"Leben verloren", "Life lost"}, {"kostet sofort ein Leben", "costs a life at once"}},
};
constexpr Line SECOND_ROW[15] = {
    {60, Tone::Bad, {"Level zur\u00fcck", "Level back"}, {"ein Level zur\u00fcck", "back by one level"}},
    {61, Tone::Bad, {"Unsichtbarer Schl\u00e4ger", "Invisible paddle"}, {"der Schl\u00e4ger verschwindet kurz", "the paddle vanishes for a while"}},
    {62, Tone::Bad, {"Unsichtbare Steine", "Invisible bricks"}, {"die Steine verschwinden kurz", "the bricks vanish for a while"}},
    {63, Tone::Bad, {"Kleinere Kugeln", "Smaller balls"}, {"jede Kugel eine Gr\u00f6\u00dfe kleiner", "each ball one size smaller"}},
    {64, Tone::Good, {"Gr\u00f6\u00dfere Kugeln", "Bigger balls"}, {"gro\u00dfe Kugeln zerschlagen Mehrfachsteine", "big balls smash multi-hit bricks"}},
    {65, Tone::Good, {"Fangschutz", "Catch guard"}, {"Gegner fangen keine Kugeln mehr", "enemies can no longer catch balls"}},
    {66, Tone::Good, {"Schild", "Shield"}, {"h\u00e4lt eine Gegnerber\u00fchrung ab", "absorbs one enemy touch"}},
    {67, Tone::Good, {"Schutz", "Protection"}, {"f\u00e4ngt den n\u00e4chsten schlechten Bonus ab", "absorbs the next bad bonus"}},
    {68, Tone::Good, {"Zweiter Schl\u00e4ger", "Second paddle"}, {"Rechtsklick setzt ihn an die Maus", "right click puts it at the pointer"}},
    {69, Tone::Mixed, {"Nebel", "Fog"}, {"Nebel treibt \u00fcber das Feld", "fog drifts across the field"}},
    {70, Tone::Mixed, {"Niederschlag", "Downpour"}, {"es f\u00e4llt dicht \u00fcber dem Feld", "a thick fall sweeps the field"}},
    {71, Tone::Mixed, {"Wolkenb\u00e4nke", "Cloud banks"}, {"Wolken ziehen \u00fcber das Feld", "clouds drift across the field"}},
    {72, Tone::Good, {"Nebel endet", "Fog ends"}, {"klare Sicht", "clear view again"}},
    {73, Tone::Good, {"Niederschlag endet", "Downpour ends"}, {"klare Sicht", "clear view again"}},
    {74, Tone::Good, {"Wolken ziehen ab", "Clouds clear"}, {"klare Sicht", "clear view again"}},
};

// The line of a bonus code, nullptr for a code that is no bonus of these rows.
constexpr const Line* Find(int nCode)
{
    for (const Line& Each : FIRST_ROW)
        if (Each.nCode == nCode)
            return &Each;
    for (const Line& Each : SECOND_ROW)
        if (Each.nCode == nCode)
            return &Each;
    return nullptr;
}

}  // namespace BonusWords
