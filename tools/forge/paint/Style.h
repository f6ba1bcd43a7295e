// The one look of the game's pictures: its colours, its light (from the upper
// left), its bevels and glows, its type. Every painter takes them from here so
// the screens and the sheets belong together.
#pragma once
#include <string>

#include "Canvas.h"
#include "Text.h"

namespace Style {

// Colours: a deep night-blue ground, steel for structure, and four lit accents.
inline const Rgba NIGHT = Hex(0x0A0F24);      // the darkest ground (never pure black)
inline const Rgba DEEP = Hex(0x131A3A);       // backgrounds
inline const Rgba PANEL = Hex(0x1D2754);      // panels and frames
inline const Rgba PANEL_EDGE = Hex(0x3A4C8F); // frame lines
inline const Rgba STEEL = Hex(0x8C97B5);      // metal, indestructible things
inline const Rgba CYAN = Hex(0x39D4FF);       // the main accent: light, energy, the player
inline const Rgba MAGENTA = Hex(0xFF4FA8);    // danger, enemies
inline const Rgba GOLD = Hex(0xFFC53D);       // reward: bonuses, scores, highlights
inline const Rgba LIME = Hex(0x7CF25B);       // good news
inline const Rgba EMBER = Hex(0xFF6A2B);      // fire, explosions
inline const Rgba TEXT = Hex(0xEAF2FF);       // body text
inline const Rgba TEXT_DIM = Hex(0x9FB0D8);   // secondary text

// Light falls from the upper left: lit edges top and left, shade bottom and right.
constexpr float LIGHT_X = -0.6f, LIGHT_Y = -0.8f;

// Twenty brick hues, one per column of a tile row (code % 20), bright and distinct.
Rgba BrickHue(int nIndex);

// A raised box: rounded corners, a vertical gradient of the base colour, a lit
// rim at the top and left, a shaded rim at the bottom and right.
void BevelBox(Canvas& Target, const Box& Area, const Rgba& Base, float fRadius = 4.0f, float fBevel = 2.0f);
// A sunken, translucent panel with a thin lit frame: the frame of texts and menus.
void FramePanel(Canvas& Target, const Box& Area, float fRadius = 10.0f, float fOpacity = 0.82f);
// A sphere lit from the upper left (balls, bulbs, gems).
void Sphere(Canvas& Target, float cx, float cy, float fRadius, const Rgba& Base);

// Text with a soft glow of the given colour around it (titles, menu entries).
void GlowText(Canvas& Target, const Font& Font, float x, float fBaseline, const std::string& Text, const Rgba& Colour,
              const Rgba& GlowColour, Align Where = Align::Left, int nGlowRadius = 6);
// Text with a one-pixel dark shadow down and right (body text over pictures).
void ShadowText(Canvas& Target, const Font& Font, float x, float fBaseline, const std::string& Text, const Rgba& Colour,
                Align Where = Align::Left);

}  // namespace Style
