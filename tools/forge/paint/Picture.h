// Saving canvases as the game's pictures: 16-bit KVP files written by the
// engine itself, with the rules every picture of the data set obeys.
#pragma once
#include <string>

#include "Canvas.h"
#include "Forge.h"

enum class PictureKind {
    Screen,      // opaque: transparent parts are laid on near-black
    Sheet,       // sprites keyed on the transparent colour (pure black) where opacity < 1/2
    MaskedSheet, // as Sheet, plus NAME_a.kvp whose brightness is the opacity
};

// Writes "gfx/<Name>.kvp" (and "gfx/<Name>_a.kvp" for a masked sheet) into the
// data set, and "<Name>.png" into the contact folder when one is set.
bool SavePicture(const ForgeContext& Context, const std::string& Name, const Canvas& Picture, PictureKind Kind);

// The RGB565 pixel a canvas colour becomes at (x, y): ordered dithering keeps
// gradients free of bands, and an opaque pixel is never the transparent black.
uint16_t PicturePixel(const Rgba& Colour, int x, int y);
// The grey of a mask pixel whose brightness reads back as the given opacity.
uint16_t MaskPixel(float fOpacity);
