// The cell codes the level editor offers, in the groups of the level text
// format, and what each is called in the chosen language.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class PaletteGroup { Bricks, Bonus, MultiHit, Indestructible, Special, Decoration };
constexpr int PALETTE_GROUPS = 6;

// A code a level may hold: one the level tool accepts in a level.
bool PaletteOffers(int nCode);
// The offered codes of a group: bricks by tile row, bonuses by their row, the
// multi-hit bricks from four hits down to one, then sliding, teleporters and the trap.
const std::vector<int16_t>& PaletteCodes(PaletteGroup Group);
// The group a code is offered in; Bricks for one that is offered nowhere.
PaletteGroup PaletteGroupOf(int nCode);
// Words for the font's character set (ISO-8859-1), German unless g_nL.
std::string PaletteGroupName(PaletteGroup Group);
// One line about a code: its kind, and for a bonus brick what the bonus does.
std::string PaletteDescription(int nCode);
