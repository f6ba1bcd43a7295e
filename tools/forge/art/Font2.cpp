// The proportional font "font2" of printed game text: characters 32..127 and
// 160..255 of ISO-8859-1, light letters with a dark outline so they read over
// any picture, each glyph at the left edge of its 24 x 24 cell. The advance of
// every character is the glyph's inked width plus its outline and one pixel of
// spacing; the game reads those advances from FONT2_WIDTHS in sheets.h, so the
// forge refuses to write a font whose advances differ from that table.
#include <cstdio>
#include <string>

#include "ArtKit.h"
#include "PlayArt.h"
#include "Picture.h"
#include "sheets.h"

namespace {

constexpr int FONT_PIXELS = 16, BASELINE = 18, OUTLINE = 1, SPACING = 1;
constexpr int CHARACTERS = 192;

uint8_t CharacterOf(int nIndex) { return (uint8_t)(nIndex < 96 ? nIndex + 32 : nIndex + 64); }

// The UTF-8 form of an ISO-8859-1 character, as the text renderer takes it.
std::string Utf8Of(uint8_t c)
{
    if (c < 0x80)
        return std::string(1, (char)c);
    return {(char)(0xC0 | (c >> 6)), (char)(0x80 | (c & 0x3F))};
}

// What a character shows: the soft hyphen shows as a hyphen; the spaces and
// DEL show nothing.
std::string TextOf(uint8_t c)
{
    if (c == 0xAD)
        return "-";
    if (c == ' ' || c == 0x7F || c == 0xA0)
        return "";
    return Utf8Of(c);
}

struct Glyph {
    Canvas Picture{Sheets::FONT2_CELL, Sheets::FONT2_CELL};
    int nAdvance = 0;
};

// The fill of a character, inked from column OUTLINE on; its inked width, or 0.
int RenderFill(const std::string& Text, int nPixels, Canvas& Fill)
{
    Font Bold(Face::SansBold, nPixels);
    Canvas Wide(64, Sheets::FONT2_CELL);
    Bold.Draw(Wide, 16, BASELINE, Text, Hex(0xFFFFFF));
    int nLeft = Wide.Width(), nRight = -1;
    for (int y = 0; y < Wide.Height(); ++y)
        for (int x = 0; x < Wide.Width(); ++x)
            if (Wide.Get(x, y).a > 0.0f) {
                nLeft = std::min(nLeft, x);
                nRight = std::max(nRight, x);
            }
    if (nRight < 0)
        return 0;
    Fill = Canvas(Sheets::FONT2_CELL, Sheets::FONT2_CELL);
    Fill.Copy(Wide, {nLeft, 0, nRight - nLeft + 1, Wide.Height()}, OUTLINE, 0);
    return nRight - nLeft + 1;
}

Glyph RenderGlyph(uint8_t c)
{
    Glyph Result;
    std::string Text = TextOf(c);
    if (Text.empty()) {
        Result.nAdvance = FONT_PIXELS / 3 + SPACING;   // a space
        return Result;
    }
    // A glyph too wide for its cell is drawn a little smaller.
    Canvas Fill;
    int nInk = 0;
    for (int nPixels = FONT_PIXELS; nPixels > 8; --nPixels) {
        nInk = RenderFill(Text, nPixels, Fill);
        if (nInk + 2 * OUTLINE + SPACING <= Sheets::FONT2_CELL)
            break;
    }
    Result.nAdvance = nInk + 2 * OUTLINE + SPACING;
    // The outline: the fill grown by one pixel in every direction.
    for (int y = 0; y < Sheets::FONT2_CELL; ++y)
        for (int x = 0; x < Sheets::FONT2_CELL; ++x) {
            float fOutline = 0;
            for (int dy = -OUTLINE; dy <= OUTLINE; ++dy)
                for (int dx = -OUTLINE; dx <= OUTLINE; ++dx)
                    fOutline = std::max(fOutline, Fill.Get(x + dx, y + dy).a);
            if (fOutline <= 0)
                continue;
            Result.Picture.Set(x, y, WithAlpha(Style::NIGHT, std::min(1.0f, fOutline * 1.4f)));
            Rgba Ink = Mix(Hex(0xFFFFFF), Hex(0xC8DCFF), std::clamp((y - 6) / 14.0f, 0.0f, 1.0f));
            Result.Picture.Blend(x, y, Ink, Fill.Get(x, y).a);
        }
    return Result;
}

// The table's text as it belongs in sheets.h, sixteen advances a line.
std::string WidthsTable(const std::vector<int>& Advances)
{
    std::string Table;
    for (size_t n = 0; n < Advances.size(); ++n) {
        Table += (n % 16 == 0 ? "    " : " ") + std::to_string(Advances[n]) + ",";
        if (n % 16 == 15)
            Table += "\n";
    }
    return Table;
}

}  // namespace

bool ForgeFont2Sheet(const ForgeContext& Context)
{
    Canvas Sheet(Sheets::FONT2.nWidth, Sheets::FONT2.nHeight);
    std::vector<int> Advances;
    bool bMatches = true;
    for (int nIndex = 0; nIndex < CHARACTERS; ++nIndex) {
        uint8_t c = CharacterOf(nIndex);
        Glyph Rendered = RenderGlyph(c);
        SheetRect Cell = Sheets::Font2Cell(Sheets::Font2Index(c));
        Sheet.Draw(Rendered.Picture, Cell.x, Cell.y);
        Advances.push_back(Rendered.nAdvance);
        bMatches &= Rendered.nAdvance == Sheets::FONT2_WIDTHS[nIndex];
    }
    if (!bMatches) {
        ForgeComplain("font2: the rendered advances differ from FONT2_WIDTHS in sheets.h; they are:\n%s",
                      WidthsTable(Advances).c_str());
        return false;
    }
    return SavePicture(Context, Sheets::FONT2.szName, Sheet, PictureKind::MaskedSheet);
}
