// The palette's codes and words. Which codes a level may hold is the level
// format's business; this file orders them for the player and names them.
#include "EditorPalette.h"

#include <array>
#include <cstdio>

#include "GameState.h"
#include "Text.h"
#include "LevelFormat.h"
#include "bonuswords.h"

namespace {

struct Span {
    int nFirst, nLast;
};

// The codes of each group in the order shown: the tile sheet's rows for the
// bricks, the hits a multi-hit brick still needs from four down to one.
const std::vector<Span> GROUP_SPANS[PALETTE_GROUPS] = {
    {{0, 19}, {40, 59}, {80, 179}, {320, 339}, {343, 352}},
    {{20, 39}, {60, 79}},
    {{240, 259}, {300, 319}, {280, 299}, {260, 279}},
    {{180, 239}},
    {{340, 342}, {497, 499}},
    {{353, 479}},
};

const Words GROUP_NAMES[PALETTE_GROUPS] = {
    {"Steine", "Bricks"},
    {"Bonussteine", "Bonus bricks"},
    {"Mehrfachsteine", "Multi-hit bricks"},
    {"Unzerst\xf6rbar", "Indestructible"},
    {"Schiebesteine, Teleporter, Falle", "Sliding bricks, teleporters, trap"},
    {"Verzierung", "Decoration"},
};

// The bonus words are UTF-8; the font has ISO-8859-1. Characters beyond it
// (dashes, quotes) become a plain dash.
std::string Latin1(const char* szUtf8)
{
    std::string Out;
    for (const unsigned char* p = (const unsigned char*)szUtf8; *p;) {
        if (*p < 0x80) {
            Out += (char)*p++;
        } else if ((*p == 0xC2 || *p == 0xC3) && (p[1] & 0xC0) == 0x80) {
            Out += (char)(((*p & 0x03) << 6) | (p[1] & 0x3F));
            p += 2;
        } else {
            Out += '-';
            for (++p; (*p & 0xC0) == 0x80; ++p) {
            }
        }
    }
    return Out;
}

std::string Chosen(const BonusWords::Text& Text) { return Latin1(g_nL ? Text.szEnglish : Text.szGerman); }

Words KindWords(int nCode)
{
    switch (LevelCellKindOf(nCode)) {
    case LevelCellKind::Brick: return {"Stein: ein Treffer", "brick: one hit"};
    case LevelCellKind::BonusBrick: return {"Bonusstein", "bonus brick"};
    case LevelCellKind::Indestructible: return {"unzerst\xf6rbar: die Kugel prallt ab", "indestructible: the ball bounces off"};
    case LevelCellKind::FourHit: return {"Mehrfachstein: vier Treffer", "multi-hit brick: four hits"};
    case LevelCellKind::MiddleHit:
        return nCode >= 300 ? Words{"Mehrfachstein: noch drei Treffer", "multi-hit brick: three hits left"}
                            : Words{"Mehrfachstein: noch zwei Treffer", "multi-hit brick: two hits left"};
    case LevelCellKind::LastHit: return {"Mehrfachstein: noch ein Treffer", "multi-hit brick: one hit left"};
    case LevelCellKind::Sliding:
        return {"Schiebestein: weicht der Kugel aus, z\xe4hlt nicht", "sliding brick: pushed aside, does not count"};
    case LevelCellKind::Decoration:
        return {"Verzierung: die Kugel prallt ab, z\xe4hlt nicht", "decoration: the ball bounces off, does not count"};
    case LevelCellKind::TeleporterA: return {"Teleporter A: schickt die Kugel zu B", "teleporter A: sends the ball to B"};
    case LevelCellKind::TeleporterB: return {"Teleporter B: schickt die Kugel zu A", "teleporter B: sends the ball to A"};
    case LevelCellKind::Trap: return {"Falle: verschluckt die Kugel", "trap: swallows the ball"};
    default: return {"leer", "empty"};
    }
}

}  // namespace

bool PaletteOffers(int nCode)
{
    switch (LevelCellKindOf(nCode)) {
    case LevelCellKind::Empty:
    case LevelCellKind::Animation:
    case LevelCellKind::TeleporterUsed:
    case LevelCellKind::Invalid: return false;
    default: return !LevelCellTileTaken(nCode) && !LevelBonusDoesNothing(nCode);
    }
}

const std::vector<int16_t>& PaletteCodes(PaletteGroup Group)
{
    static const std::array<std::vector<int16_t>, PALETTE_GROUPS> Codes = [] {
        std::array<std::vector<int16_t>, PALETTE_GROUPS> Lists;
        for (int nGroup = 0; nGroup < PALETTE_GROUPS; ++nGroup)
            for (const Span& Each : GROUP_SPANS[nGroup])
                for (int nCode = Each.nFirst; nCode <= Each.nLast; ++nCode)
                    if (PaletteOffers(nCode))
                        Lists[nGroup].push_back((int16_t)nCode);
        return Lists;
    }();
    return Codes[(int)Group];
}

PaletteGroup PaletteGroupOf(int nCode)
{
    for (int nGroup = 0; nGroup < PALETTE_GROUPS; ++nGroup)
        for (int16_t nOffered : PaletteCodes((PaletteGroup)nGroup))
            if (nOffered == nCode)
                return (PaletteGroup)nGroup;
    return PaletteGroup::Bricks;
}

std::string PaletteGroupName(PaletteGroup Group) { return GROUP_NAMES[(int)Group].Chosen(); }

std::string PaletteDescription(int nCode)
{
    std::string Line = KindWords(nCode).Chosen();
    if (const BonusWords::Line* pBonus = BonusWords::Find(nCode))
        Line += ": " + Chosen(pBonus->Name) + " - " + Chosen(pBonus->Detail);
    char szCode[24];
    snprintf(szCode, sizeof(szCode), " (%d)", nCode);
    return Line + szCode;
}
