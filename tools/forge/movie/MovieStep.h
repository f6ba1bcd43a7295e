// The forge step "movies": the two studio logo movies the game plays at start,
// gfx/ostra.kva (the developer) and gfx/velmora.kva (the publisher).
#pragma once
#include "Forge.h"

bool ForgeMovies(const ForgeContext& Context);
