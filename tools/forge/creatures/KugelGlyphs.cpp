// The glyph rows of the "kugel" sheet: the character cells of the game's number
// print, the panel digits, the level-code banner digits and the high-score
// digits and letters.
#include "CreatureArt.h"
#include "CreaturePaint.h"
#include "Style.h"

using namespace CreaturePaint;

namespace {

const Rgba OUTLINE = Hex(0x080B1C);

// Paints Text into a cell of the rectangle's size and places it there.
void PlaceGlyph(Canvas& Sheet, const SheetRect& Where, const Font& Font, const std::string& Text, const Rgba& Top,
                const Rgba& Bottom)
{
    Canvas Cell(Where.w, Where.h);
    OutlinedGlyph(Cell, Font, Text, Top, Bottom, OUTLINE);
    Place(Sheet, Cell, Where);
}

}  // namespace

void PaintKugelGlyphs(Canvas& Sheet)
{
    Font Small(Face::CondensedBold, 13), Banner(Face::SansBold, 20), Score(Face::SansBold, 21), Letters(Face::CondensedBold, 21);
    // The number print: warm white fading to gold.
    for (int n = 0; Sheets::GLYPH_ORDER[n]; ++n)
        PlaceGlyph(Sheet, Sheets::Glyph(n), Small, std::string(1, Sheets::GLYPH_ORDER[n]), Hex(0xFFFBEA),
                   Style::GOLD);
    for (int d = 0; d < 10; ++d) {
        std::string Digit(1, (char)('0' + d));
        // Panel digits: cool white to cyan, the player's colour.
        PlaceGlyph(Sheet, Sheets::PanelDigit(d), Small, Digit, Hex(0xFFFFFF), Style::CYAN);
        PlaceGlyph(Sheet, Sheets::CodeDigit(d), Banner, Digit, Hex(0xFFF4C8), Hex(0xFFA820));
        PlaceGlyph(Sheet, Sheets::ScoreDigit(d), Score, Digit, Hex(0xFFF4C8), Style::GOLD);
    }
    for (int n = 0; n < Sheets::SCORE_LETTERS; ++n) {
        std::string Letter = n < 26 ? std::string(1, (char)('A' + n)) : std::string("-");
        PlaceGlyph(Sheet, Sheets::ScoreLetter(n), Letters, Letter, Hex(0xFFFFFF), Hex(0xA8E8FF));
    }
}
