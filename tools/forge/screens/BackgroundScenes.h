// The scenes behind the play field: ten kinds, each painted from a theme (two
// hues, a seed, a mirror flag) so one kind gives several different pictures.
#pragma once
#include <cstdint>

#include "Canvas.h"

namespace BackgroundScenes {

struct Theme {
    Rgba Main;        // the scene's leading light
    Rgba Second;      // its second colour
    uint64_t nSeed;
    bool bMirrored;   // composition flipped left to right
};

// Each paints the whole 800 x 600 canvas opaque; all stay dark so that bricks,
// balls and enemies stand out.
void Nebula(Canvas& Screen, const Theme& Look);
void Aurora(Canvas& Screen, const Theme& Look);
void NeonCity(Canvas& Screen, const Theme& Look);
void CrystalCave(Canvas& Screen, const Theme& Look);
void DeepSea(Canvas& Screen, const Theme& Look);
void CircuitBoard(Canvas& Screen, const Theme& Look);
void DesertNight(Canvas& Screen, const Theme& Look);
void Storm(Canvas& Screen, const Theme& Look);
void Starfield(Canvas& Screen, const Theme& Look);
void GridHorizon(Canvas& Screen, const Theme& Look);

}  // namespace BackgroundScenes
